#pragma once
// The trigger list: condition, duration and the on and off macros.

#include "logic/windows/CLogicListView.h"

class CTriggerDlgView : public CLogicListView {
    Q_OBJECT
public:
    explicit CTriggerDlgView(QWidget* parent = nullptr);
    bool NewEntry() override;
    void EditCell(int row, int column) override;
    void OnEndLabelEdit(int row, int column, const QString& text) override;

protected:
    std::vector<Column> Columns() const override;
    void AddRows(CBaseDevice* obj) override;
    CBaseDevice* Block() const override;
    int ResetStep() const override;
    std::pair<int, int> EntrySteps(int n) const override;
};
