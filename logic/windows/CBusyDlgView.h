#pragma once
// The busy conditions: audio kinds, outputs, zones, full match and priority.

#include "logic/windows/CLogicListView.h"

class CBusyDlgView : public CLogicListView {
    Q_OBJECT
public:
    explicit CBusyDlgView(QWidget* parent = nullptr);
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
