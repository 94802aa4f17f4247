#pragma once
// SLVCLK: starts, stops (71, 3) or sets (70) the slave clocks to a time (69).

#include "macros/windows/CMacroEditorView.h"

class QRadioButton;
class CDateTimeEdit;

class CSlaveClockMacroView : public CMacroEditorView {
public:
    explicit CSlaveClockMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    CDateTimeEdit* m_time = nullptr;
    QRadioButton* m_start = nullptr;
    QRadioButton* m_stop = nullptr;
    QRadioButton* m_set = nullptr;
};
