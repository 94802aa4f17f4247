#pragma once
// The clock form shared by the clock window and the clock dialog: the main
// clock (time and date, set in two clicks), the last radio synchronisation
// with its reception indicator, and the slave clock line (time, run, invert,
// overload). It polls the device once a second while its timer runs, takes
// the "/CLOCK" answers that the clock object hands it, and sets the
// computer's own clock when the radio reception starts and the radio time
// matches the device's.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calendar/CalendarTime.h"
#include "calendar/IClockAnswerSink.h"
#include "ui/CPollPace.h"

class CAnimateCtrl;
class CRefusalWatch;
struct LinkRefusal;
class CClock;
class QLabel;
class QLineEdit;
class QPushButton;

class CClockForm : public QWidget, public IClockAnswerSink {
    Q_OBJECT
public:
    // The last answer of each key; an answer acts only when it differs.
    struct KeptTexts {
        QString mainTime, mainDate, dcfTime, dcfDate, dcfReceive, slaveTime, slaveRun, slaveInvert, slaveOverload;
        void Clear() { *this = KeptTexts(); }
    };

    CClockForm(KeptTexts& kept, QWidget* parent = nullptr);
    ~CClockForm() override;

    // Registers with the document's clock and shows its run and invert texts.
    void Attach(CClock* clock);
    // Starts polling: the four first queries, the reception indicator off,
    // the one-second timer.
    void StartPolling();
    bool IsPolling() const { return m_timerId != 0; }
    void PollOnce();

    void OnClockAnswer(const std::string& line) override;

    // Button handlers.
    void OnSetMainClock();
    void OnSetSlaveClock();
    void OnSlaveRun();
    void OnSlaveInvert();

    bool IsEditingMainClock() const;
    // True while the user types a slave time that he has not sent yet: the
    // polled answers leave his text alone.
    bool IsEditingSlaveClock() const;
    bool IsReceiving() const { return m_receptionFlag == 0; }
    CAnimateCtrl* ReceptionAnimation() const { return m_dcfAnimation; }
    // "Start" and "Invert": buttons that stay pressed while on.
    QPushButton* RunBox() const { return m_run; }
    QPushButton* InvertBox() const { return m_invert; }
    // The buttons that send to the device.
    QPushButton* SetMainButton() const { return m_setMain; }
    QPushButton* SetSlaveButton() const { return m_setSlave; }

protected:
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The device's form of a time ("hh:mm:ss") typed by the user; nullopt
    // when the text is no such time.
    static std::optional<QString> DeviceTimeText(const QString& typed);
    // A date typed by the user in either of the device's forms (the one the
    // field shows among them), in the form the device uses; nullopt when the
    // text is no date or the day does not exist.
    std::optional<QString> DeviceDateText(const QString& typed) const;
    // The form of the device's dates: the form its last date answer came in,
    // before any came the form the connection tells it.
    caltime::DateForm DeviceDateForm() const;
    void Send(const QString& line);
    // "Start" or "Invert" switched: the project and the device follow.
    void SendSwitch(bool invert, bool on);
    // The device refused a switch: it shows what the device holds again.
    bool OnSwitchRefused(const LinkRefusal& refusal);
    // Sends the lines that set a clock and waits until the device has read
    // them; false (the user told why, after `undo` gave the fields back their
    // clock) when it did not read or take them. `name` is what the user
    // knows the clock by.
    bool SendSet(const std::vector<std::string>& lines, const QString& name, const std::function<void()>& undo);
    void SetIcon(QLabel* label, bool bad);
    void SetComputerClock();

    KeptTexts& m_kept;
    CClock* m_clock = nullptr;
    // The clock form that had the answers before this one took them (the
    // clock window while the clock dialog runs); it gets them back.
    QPointer<CClockForm> m_previous;
    int m_timerId = 0;
    int m_receptionFlag = 1;
    std::optional<caltime::DateForm> m_deviceDateForm;
    // What the clock fields showed before the user typed into them: a time
    // or date refused brings it back.
    QString m_mainTimeBefore;
    QString m_mainDateBefore;
    QString m_slaveBefore;
    QLineEdit* m_mainTime = nullptr;
    QLineEdit* m_mainDate = nullptr;
    QPushButton* m_setMain = nullptr;
    QLineEdit* m_dcfTime = nullptr;
    QLineEdit* m_dcfDate = nullptr;
    QLabel* m_dcfStatus = nullptr;
    CAnimateCtrl* m_dcfAnimation = nullptr;
    QLineEdit* m_slaveTime = nullptr;
    QPushButton* m_setSlave = nullptr;
    QLabel* m_overload = nullptr;
    QPushButton* m_invert = nullptr;
    QPushButton* m_run = nullptr;
    CRefusalWatch* m_refusals = nullptr;  // a child
    CPollPace m_pollPace;
};
