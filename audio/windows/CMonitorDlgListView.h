#pragma once
// The monitor window's list of monitor table entries: one row per usable
// entry that is not OFF (entry number and source text). Printable and
// exportable.

#include "ui/CEBListView.h"

class CMonitor;

class CMonitorDlgListView : public CEBListView {
    Q_OBJECT
public:
    explicit CMonitorDlgListView(QWidget* parent = nullptr);
    // Empties the list and fills it from the monitor again; the current row stays selected.
    void Refill(const CMonitor* monitor);
    // The entry number (1-based) of the selected row; 0 when none.
    int SelectedEntry() const;

signals:
    void DeleteRequested();
    void SourceClicked(int entry);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
