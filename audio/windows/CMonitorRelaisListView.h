#pragma once
// The monitor window's list of monitor relays: one row per usable relay whose
// word is not 0 (relay number and the name of its LMZ764 contact).

#include "ui/CListCtrl.h"

class CMonitor;

class CMonitorRelaisListView : public CListCtrl {
    Q_OBJECT
public:
    explicit CMonitorRelaisListView(QWidget* parent = nullptr);
    void Refill(const CMonitor* monitor);
    // The relay index (0-based) of the selected row; -1 when none.
    int SelectedRelay() const;

signals:
    void DeleteRequested();
    void RelayClicked(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
