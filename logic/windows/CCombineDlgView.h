#pragma once
// The combined conditions, four rows each: the logic, then each input's
// invert flag and condition.

#include "logic/windows/CLogicListView.h"

class CCombineDlgView : public CLogicListView {
    Q_OBJECT
public:
    explicit CCombineDlgView(QWidget* parent = nullptr);
    bool NewEntry() override;
    void EditCell(int row, int column) override;
    void OnEndLabelEdit(int row, int column, const QString& text) override;
    void DeleteSelectedItem() override;
    // Edits one cell of an object's group: a toggle for the invert flags, else
    // the selection dialog of `kind` for the value `key`.
    void EditGroupCell(int row, uint32_t kind, int key);

protected:
    std::vector<Column> Columns() const override;
    void AddRows(CBaseDevice* obj) override;
    CBaseDevice* Block() const override;
    int ResetStep() const override;
    std::pair<int, int> EntrySteps(int n) const override;
};
