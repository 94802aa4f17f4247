#pragma once
// The live remote amplifier dialog ("Remoteverstärker Eigenschaften"): shows
// and operates one amplifier on the amplifier bus through block requests of
// the device link. It asks once for the amplifier's facts, polls its state
// every 2 s and its level meters every second, lets the meters fall back
// every half second, and sends what the user changes. All paths begin with
// "/AMP/ADR" and the bus address in hexadecimal.

#include <QDialog>
#include <QTimer>

#include <cstdint>
#include <string>
#include <vector>

#include "comm/ILinkAnswerSink.h"
#include "ui/CPollPace.h"

class CAmplifier;
class CRefusalWatch;
struct LinkRefusal;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabBar;

// What the dialog needs of the device link (the program's link by default;
// tests install a recording one).
class IRemoteAmpLink {
public:
    virtual ~IRemoteAmpLink() = default;
    virtual bool SendBlock(const std::vector<std::string>& lines, bool expectAnswers, ILinkAnswerSink* reply) = 0;
    virtual int GetLinkState() const = 0;
    virtual void SetLinkState(int state) = 0;
};

class CRemoteAmpDlg : public QDialog, public ILinkAnswerSink {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 522;
    static constexpr int kStatusTimer = 3000;  // 2000 ms
    static constexpr int kMeterTimer = 1000;   // 1000 ms
    static constexpr int kFallTimer = 500;     // 500 ms

    CRemoteAmpDlg(CAmplifier* amp, QWidget* parent = nullptr);
    ~CRemoteAmpDlg() override;

    // The link the dialogs talk through; returns the previous override (null = the program's link).
    static IRemoteAmpLink* SetLinkOverride(IRemoteAmpLink* link);

    // Slider and meter mappings: the top of each slider is its highest value.
    static int VolumeOfPosition(int position) { return -78 - position; }
    static int PositionOfVolume(int volume) { return -78 - volume; }
    static int OffsetOfPosition(int position) { return -1 - position; }
    static int PositionOfOffset(int offset) { return -1 - offset; }
    static int InputBarOf(int value) { return value + 30; }
    static int OutputBarOf(int value) { return value + 40; }

    // The answer message of the block request (the lines are emptied).
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;

    // The three polls and the meter fall-back (the timers call them).
    void SendStatusRequest();
    void SendMeterRequest();
    void OnFallTimer();

    int GetCurrentChannel() const { return m_channel; }
    bool IsPolling() const;
    bool IsVolumeDragged() const { return m_volumeDrag; }
    bool IsOffsetDragged() const { return m_offsetDrag; }
    int GetLastInput() const { return m_lastInput; }
    int GetLastOutput() const { return m_lastOutput; }

    // "/AMP/ADR%x/" (queries and setters) and "/AMP/ADR%X/" (answers).
    std::string QueryPrefix() const;
    std::string AnswerPrefix() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void BuildControls();
    void Initialise();
    void SendOneOffRequest();
    // One setter line, only while the active document is the connected one.
    void SendSetter(const std::string& line);
    void SendRequest(const std::vector<std::string>& lines, bool expectAnswers);
    void StopTimers();
    // True once the line to the device has ended (or never was): the polls
    // stop, the meters fall to nothing and no control offers to set the
    // amplifier any more.
    bool LineLost();
    void OfferDeviceControls(bool on);
    void HandleChannelKey(const std::string& key, const std::string& value);
    void OnVolumeMoved(int position);
    void OnOffsetMoved(int position);
    void OnPowerClicked();
    void SetOnOff(QLabel* label, const std::string& value);
    // Sends the name when the user changed it.
    void SendNameIfChanged();
    // The device did not take a setter: the control shows what the device
    // holds again (as far as the dialog knows it), and the device is asked.
    bool OnRefused(const LinkRefusal& refusal);
    // The power source switches as the device answers them ("OFF", "MAINS",
    // "BATT", "BOTH"); false for another word.
    bool ShowPower(const std::string& value);
    static void SetChecked(QAbstractButton* button, const std::string& value);
    static void SetYesNo(QWidget* shown, const std::string& value);
    static void SetBar(QProgressBar* bar, int value);

    CAmplifier* m_amp = nullptr;
    int m_channel = 1;
    int m_lastInput = -128;
    int m_lastOutput = -128;
    bool m_volumeDrag = false;
    bool m_offsetDrag = false;
    // Set once the dialog is closing or the device said the amplifier is
    // missing: nothing more goes to the device after that.
    bool m_finished = false;
    // The dialog polls the device: opened while the document was connected
    // and the line has not ended since.
    bool m_online = false;
    // The amplifier's name as the device last gave it or was last sent it
    // (empty while it gave none): the name goes out only when the user made
    // the field say something else, so that leaving the field, a click on a
    // check box or OK never wipes a name the dialog never learnt.
    std::string m_nameKnown;
    // What the device last said it holds: the name, the power source and the
    // current channel's volume and offset (empty: not said yet).
    std::string m_heldName;
    std::string m_heldPower;
    std::string m_heldVolume;
    std::string m_heldOffset;
    CRefusalWatch* m_refusals = nullptr;  // a child
    CPollPace m_pollPace;

    QTimer m_statusTimer;
    QTimer m_meterTimer;
    QTimer m_fallTimer;

    QLabel* m_type = nullptr;            // 1592
    QLineEdit* m_name = nullptr;         // 1594
    QLabel* m_firmware = nullptr;        // 1593
    QLabel* m_lastError = nullptr;       // 1597
    QLabel* m_relayMap = nullptr;        // 1595
    QLabel* m_channelMap = nullptr;      // 1596
    QLabel* m_pilotDetect = nullptr;     // 1598
    QLabel* m_groundDetect = nullptr;    // 1599
    QLabel* m_overTemp = nullptr;        // 1606
    QLabel* m_ready = nullptr;           // 1607
    QCheckBox* m_mains = nullptr;        // 1601
    QCheckBox* m_battery = nullptr;      // 1602
    QCheckBox* m_pilotGen = nullptr;     // 1604
    QPushButton* m_reset = nullptr;      // 1605
    QTabBar* m_tabs = nullptr;           // 1552
    QProgressBar* m_inMeter = nullptr;   // 1612
    QProgressBar* m_outMeter = nullptr;  // 1613
    QSlider* m_volume = nullptr;         // 1591
    QLabel* m_volumeText = nullptr;      // 1614
    QSlider* m_offset = nullptr;         // 1053
    QLabel* m_offsetText = nullptr;      // 1615
    QCheckBox* m_mute = nullptr;         // 1616
    QLabel* m_chPilot = nullptr;         // 1617
    QLabel* m_chGround = nullptr;        // 1618
    QLabel* m_chOverTemp = nullptr;      // 1619
    QLabel* m_outConfig = nullptr;       // 1620
    QLabel* m_measure = nullptr;         // 1621
};
