#pragma once
// VIRTCTRL: a virtual controller (37) set to a value (36) or stepped (11),
// with its text (13), unit (14) and decimals (15).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QLineEdit;

class CVirtCtrlMacroView : public CMacroEditorView {
public:
    explicit CVirtCtrlMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_controller = nullptr;
    QLineEdit* m_value = nullptr;
    QLineEdit* m_unit = nullptr;
    QLineEdit* m_text = nullptr;
    QLineEdit* m_steps = nullptr;
    QLineEdit* m_digits = nullptr;
};
