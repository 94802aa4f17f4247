#pragma once
// VOLUME: a volume controller (9) set to a value (10) or stepped (11).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class CVolumeMacroView : public CMacroEditorView {
public:
    explicit CVolumeMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QLineEdit* m_value = nullptr;
    QSpinBox* m_spin = nullptr;
    QComboBox* m_controller = nullptr;
    QRadioButton* m_regler = nullptr;
    QRadioButton* m_direct = nullptr;
};
