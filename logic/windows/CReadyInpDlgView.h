#pragma once
// The ready-input list: contact, level, masking, fault text, device number and,
// while polled, the READY and FAULT state of each input on the device.

#include "logic/windows/CLogicListView.h"

class CReadyInpDlgView : public CLogicListView {
    Q_OBJECT
public:
    explicit CReadyInpDlgView(QWidget* parent = nullptr);
    bool NewEntry() override;
    void EditCell(int row, int column) override;
    void OnEndLabelEdit(int row, int column, const QString& text) override;

protected:
    std::vector<Column> Columns() const override;
    void AddRows(CBaseDevice* obj) override;
    CBaseDevice* Block() const override;
    int ResetStep() const override;
    std::pair<int, int> EntrySteps(int n) const override;
    int StatusColumn() const override { return 7; }
    void Poll(CCommLink* link) override;
};
