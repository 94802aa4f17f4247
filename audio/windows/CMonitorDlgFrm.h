#pragma once
// The monitor window ("Eigenschaften von Monitoreinträgen", window kind 6):
// the edit-window switch bar, its own bar (new and delete entries and relays,
// upload, download, the live monitor dialog, export and print) and the
// entry and relay lists side by side. It works on the active document's
// monitor matrix.

#include "ui/CFeatureFrm.h"
#include "ui/CSelectionDlg.h"

#include <functional>

class CMonitor;
class CMonitorDlgListView;
class CMonitorRelaisListView;

class CMonitorDlgFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 6;
    explicit CMonitorDlgFrm(QWidget* parent = nullptr);

    CMonitorDlgListView* GetEntryList() const { return m_entries; }
    CMonitorRelaisListView* GetRelayList() const { return m_relays; }
    void Refill();

    // How the window asks the user for a choice of a selection kind (a
    // monitor source code or a control pad's number), opening on what the
    // cell holds (nothing for a new row); false when cancelled or nothing new
    // was chosen.
    using Chooser = std::function<bool(QWidget* parent, int kind, const CSelectionDlg::Held& held, int* result)>;
    static Chooser SetChooser(Chooser chooser);

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CMonitor* Monitor() const;
    void OnEntryClicked(int entry);
    void OnRelayClicked(int index);
    void DeleteEntry();
    void DeleteRelay();

    CMonitorDlgListView* m_entries = nullptr;
    CMonitorRelaisListView* m_relays = nullptr;
};
