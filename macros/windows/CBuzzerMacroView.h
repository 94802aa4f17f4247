#pragma once
// BUZZER: a beep pattern on a console: console (38), pattern (13), step time
// (39), repetitions (75), pause (76).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QLineEdit;

class CBuzzerMacroView : public CMacroEditorView {
public:
    explicit CBuzzerMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_console = nullptr;
    QLineEdit* m_pattern = nullptr;
    QLineEdit* m_step = nullptr;
    QLineEdit* m_repeat = nullptr;
    QLineEdit* m_pause = nullptr;
};
