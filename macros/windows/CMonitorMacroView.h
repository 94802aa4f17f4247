#pragma once
// MONITOR: the monitor source chosen directly from the table (17) or by
// stepping through it (16).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QRadioButton;

class CMonitorMacroView : public CMacroEditorView {
public:
    explicit CMonitorMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QRadioButton* m_table = nullptr;
    QRadioButton* m_direct = nullptr;
    QComboBox* m_source = nullptr;
};
