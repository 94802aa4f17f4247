#pragma once
// The memo-flag list: name and number, both editable, and while polled the
// on/off state of each flag on the device. Memo flags have no protocol block.

#include "logic/windows/CLogicListView.h"

class CMemoFlagListView : public CLogicListView {
    Q_OBJECT
public:
    explicit CMemoFlagListView(QWidget* parent = nullptr);
    bool NewEntry() override;
    void EditCell(int row, int column) override;
    void OnEndLabelEdit(int row, int column, const QString& text) override;

protected:
    std::vector<Column> Columns() const override;
    void AddRows(CBaseDevice* obj) override;
    std::pair<int, int> EntrySteps(int) const override { return {0, 0}; }
    int StatusColumn() const override { return 2; }
    void Poll(CCommLink* link) override;
};
