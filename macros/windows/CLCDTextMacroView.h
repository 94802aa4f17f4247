#pragma once
// LCDTEXT: a text shown on a console's display: console (38), text (13), line
// (20), display time (39), clear the other line (71), sound (70).

#include "macros/windows/CMacroEditorView.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CLCDTextMacroView : public CMacroEditorView {
public:
    explicit CLCDTextMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_console = nullptr;
    QLineEdit* m_text = nullptr;
    QRadioButton* m_line1 = nullptr;
    QRadioButton* m_line2 = nullptr;
    QLineEdit* m_time = nullptr;
    QCheckBox* m_clear = nullptr;
    QCheckBox* m_sound = nullptr;
};
