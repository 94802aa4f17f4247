#pragma once
// The plain condition list: function, index, level and, while polled, the
// live state of each condition on the device.

#include "logic/windows/CLogicListView.h"

class CConditionDlgView : public CLogicListView {
    Q_OBJECT
public:
    explicit CConditionDlgView(QWidget* parent = nullptr);
    bool NewEntry() override;
    void EditCell(int row, int column) override;

protected:
    std::vector<Column> Columns() const override;
    void AddRows(CBaseDevice* obj) override;
    CBaseDevice* Block() const override;
    int ResetStep() const override;
    std::pair<int, int> EntrySteps(int n) const override;
    int StatusColumn() const override { return 4; }
    void Poll(CCommLink* link) override;
};
