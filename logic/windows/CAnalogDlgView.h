#pragma once
// The analog range conditions: an LMZ775 input and its minimum and maximum.

#include "logic/windows/CLogicListView.h"

class CAnalogDlgView : public CLogicListView {
    Q_OBJECT
public:
    explicit CAnalogDlgView(QWidget* parent = nullptr);
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
