#pragma once
// REPEAT: a macro (67) repeated every interval (39) a number of times (68)
// while a condition (25) holds.

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QLineEdit;

class CRepeatMacroView : public CMacroEditorView {
public:
    explicit CRepeatMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QLineEdit* m_interval = nullptr;
    QComboBox* m_macro = nullptr;
    QLineEdit* m_count = nullptr;
    QComboBox* m_condition = nullptr;
};
