#pragma once
// POWER: the switch-on priority (1) and the macros run when the system is
// switched on (27) and off (28).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;

class CPowerMacroView : public CMacroEditorView {
public:
    explicit CPowerMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_priority = nullptr;
    QComboBox* m_powerOn = nullptr;
    QComboBox* m_powerOff = nullptr;
};
