#pragma once
// The common form of the views that switch an audio signal onto lines and
// groups (alarm, chime, background music): the signal and its priority, the
// zones and the names of the pair, each change written to both macros of the
// pair; the alarm view adds the ON/OFF or ADD/SUB way of switching.

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QRadioButton;

class CSignalMacroView : public CMacroEditorView {
public:
    struct Form {
        const char* description;
        uint32_t signalType;  // 0: no signal and priority lists
        const char* signalLabel;
        int signalParam;
        const char* onLabel;
        const char* offLabel;
        bool modeButtons;
    };

protected:
    CSignalMacroView(QWidget* parent, const Form& form);
    void OnInitialUpdate() override;

private:
    Form m_form;
    QComboBox* m_signal = nullptr;
    QComboBox* m_priority = nullptr;
    QRadioButton* m_addSub = nullptr;
    QRadioButton* m_onOff = nullptr;
};
