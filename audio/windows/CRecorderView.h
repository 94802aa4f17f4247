#pragma once
// The form of the recorder window: recording input, playback output, message
// slot (whose name can be edited), quality and maximum recording time of the
// project's recorder object, sent to the device at once while the project is
// the one on the device; play, record, stop, erase and the formatting of the
// flash chips act on the device. The recorder's state is polled once a second.

#include <QTimer>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "comm/ILinkAnswerSink.h"
#include "ui/CPollPace.h"
#include "ui/CDropDownComboBox.h"

class CInternalMessageRec;
class CRefusalWatch;
struct LinkRefusal;
class CRecorderFrm;
class CValueEdit;
class QComboBox;
class QPushButton;

class CRecorderView : public QWidget, public ILinkAnswerSink {
    Q_OBJECT
public:
    explicit CRecorderView(CRecorderFrm* frame);
    ~CRecorderView() override;

    void OnInitialUpdate();
    // The line is lost: polling stops and no flash chip is shown as the device's.
    void OnLineLost();
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;
    // Refills the message list with the slot names (when it drops down).
    void FillMessages();
    // "Formatieren": the chips whose buttons are enabled and checked.
    void OnFormat();

    QComboBox* m_input = nullptr;
    QComboBox* m_output = nullptr;
    CDropDownComboBox* m_message = nullptr;
    QComboBox* m_quality = nullptr;
    CValueEdit* m_maxTime = nullptr;
    QPushButton* m_info = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_erase = nullptr;
    QPushButton* m_format = nullptr;
    std::array<QPushButton*, 4> m_chips{};
    QTimer m_poll {this};  // a child, so that a window switched away from stops it

private:
    void Send(const std::vector<std::string>& lines);
    // The device did not take a setting: the choice shows what the device
    // holds again (as far as the window knows it), and the device is asked.
    bool OnRefused(const LinkRefusal& refusal);
    // Keeps what the project holds as what the device holds (on opening,
    // and after each answer).
    void NoteHeld();
    void SelectQuality();
    void OnMessageText(const QString& text);
    // The name typing of a slot ends (the edit left, another slot chosen): a
    // name of blanks only, or with a control character, is refused with a
    // word and the slot keeps the name it had before.
    void SettleName();

    // The user's choice of a value the window asked the device for on
    // opening: answers for it that come later (to that question, or the
    // echoes of the choice's own lines) no longer change it.
    enum Chosen : unsigned { ChosenInput = 1, ChosenOutput = 2, ChosenFile = 4, ChosenQuality = 8, ChosenMaxTime = 16 };
    void Choose(Chosen which) { m_chosen |= which; }
    bool WasChosen(Chosen which) const { return (m_chosen & which) != 0; }

    CRecorderFrm* m_frame;
    CInternalMessageRec* m_recorder = nullptr;
    bool m_filling = false;
    unsigned m_chosen = 0;
    // The settings the device last said it holds (the project's when the
    // window opened).
    struct Held {
        int input = 1, output = 1, file = 1;
        std::string quality;
        float maxTime = 0.0f;
    } m_held;
    CRefusalWatch* m_refusals = nullptr;  // a child
    CPollPace m_pollPace;
    int m_nameSlot = -1;       // the slot whose name is being typed
    std::string m_nameBefore;  // its name when the typing began
};
