#include "audio/windows/CMonitorDlgFrm.h"

#include <QAction>
#include <QSplitter>

#include "audio/CMonitor.h"
#include "audio/windows/AudioWindowIds.h"
#include "audio/windows/CMonitorDlgListView.h"
#include "audio/windows/CMonitorLiveDlg.h"
#include "audio/windows/CMonitorRelaisListView.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
bool RunSelection(QWidget* parent, int kind, const CSelectionDlg::Held& held, int* result)
{
    CSelectionDlg dlg(parent);
    dlg.m_nKind = kind;
    dlg.SetHeld(held);
    if (dlg.DoModal() != QDialog::Accepted)
        return false;
    *result = dlg.m_nResultNumber;
    return true;
}

CMonitorDlgFrm::Chooser& TheChooser()
{
    static CMonitorDlgFrm::Chooser chooser = &RunSelection;
    return chooser;
}
}  // namespace

CMonitorDlgFrm::Chooser CMonitorDlgFrm::SetChooser(Chooser chooser)
{
    Chooser old = TheChooser();
    TheChooser() = chooser ? std::move(chooser) : Chooser(&RunSelection);
    return old;
}

CMonitorDlgFrm::CMonitorDlgFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    using namespace audiowinid;
    setObjectName(QStringLiteral("MonitorDlgFrm"));
    AddCommandBar(429, {NewEntry, audiowinid::DeleteEntry, NewRelay, audiowinid::DeleteRelay, 0, MonitorUpload, MonitorDownload,
                        MonitorLive, 0, ExportList, PrintList});
    auto* split = new QSplitter(Qt::Horizontal, this);
    m_entries = new CMonitorDlgListView(split);
    m_relays = new CMonitorRelaisListView(split);
    m_entries->setMinimumWidth(330);
    split->addWidget(m_entries);
    split->addWidget(m_relays);
    split->setSizes({480, 220});
    setCentralWidget(split);
    SetTransferCommands(MonitorUpload, MonitorDownload);
    AddDeviceCommands({MonitorLive});
    const bool connected = IsDocConnected() != 0;
    for (unsigned id : {MonitorUpload, MonitorDownload, MonitorLive})
        GetAction(id)->setEnabled(connected);
    connect(m_entries, &CMonitorDlgListView::DeleteRequested, this, &CMonitorDlgFrm::DeleteEntry);
    connect(m_relays, &CMonitorRelaisListView::DeleteRequested, this, &CMonitorDlgFrm::DeleteRelay);
    connect(m_entries, &CMonitorDlgListView::SourceClicked, this, &CMonitorDlgFrm::OnEntryClicked);
    connect(m_relays, &CMonitorRelaisListView::RelayClicked, this, &CMonitorDlgFrm::OnRelayClicked);
    Refill();
}

CMonitor* CMonitorDlgFrm::Monitor() const
{
    CQuillomerDoc* doc = GetActiveDoc();
    return doc ? dynamic_cast<CMonitor*>(doc->GetIDManager().GetBaseDevice(1, OT_MONITOR)) : nullptr;
}

void CMonitorDlgFrm::Refill()
{
    const CMonitor* monitor = Monitor();
    m_entries->Refill(monitor);
    m_relays->Refill(monitor);
}

void CMonitorDlgFrm::DeleteEntry()
{
    CMonitor* monitor = Monitor();
    const int entry = m_entries->SelectedEntry();
    if (!monitor || entry < 1)
        return;
    monitor->SetValue(monitorsource::Off | (static_cast<uint32_t>(entry - 1) << 16), 0);
    Refill();
}

void CMonitorDlgFrm::DeleteRelay()
{
    CMonitor* monitor = Monitor();
    const int index = m_relays->SelectedRelay();
    if (!monitor || index < 0)
        return;
    // A relay word of 0 is "no relay": no control pad has number 0.
    monitor->SetValue(monitorsource::Relay | (static_cast<uint32_t>(index) << 16), 0);
    Refill();
}

void CMonitorDlgFrm::OnEntryClicked(int entry)
{
    CMonitor* monitor = Monitor();
    int code = 0;
    if (!monitor || entry < 1)
        return;
    // The choice opens on the entry's own source, so that OK without another
    // choice keeps it (the first row would clear the entry).
    const uint32_t index = static_cast<uint32_t>(entry - 1) << 16;
    const auto current = static_cast<int>(monitor->GetValue(monitorsource::AddEntry | index));
    if (!TheChooser()(this, selkind::Monitor, CSelectionDlg::Held::Number(current), &code))
        return;
    const uint32_t source = static_cast<uint32_t>(code);
    const uint32_t kind = source & 0xFFFF;
    if (kind < monitorsource::Off || kind > monitorsource::Ext)
        return;
    monitor->SetValue(kind | index, source >> 16);
    Refill();
}

void CMonitorDlgFrm::OnRelayClicked(int index)
{
    CMonitor* monitor = Monitor();
    int pad = 0;
    if (!monitor || index < 0)
        return;
    // The contact of the relay, the none row for no relay; a relay no
    // contact names is no row of the choice.
    const uint32_t word = monitor->GetValue(monitorsource::Relay | (static_cast<uint32_t>(index) << 16));
    const CBaseDevice* contact = monitor->RelayPad(word);
    const CSelectionDlg::Held current =
        word == 0 || contact ? CSelectionDlg::Held::Object(contact) : CSelectionDlg::Held::Missing();
    if (!TheChooser()(this, selkind::LMZ764, current, &pad))
        return;
    monitor->SetValue(monitorsource::Relay | (static_cast<uint32_t>(index) << 16), static_cast<uint32_t>(pad));
    Refill();
}

bool CMonitorDlgFrm::OnFrameCommand(unsigned commandId)
{
    using namespace audiowinid;
    CMonitor* monitor = Monitor();
    int choice = 0;
    switch (commandId) {
    case NewEntry:
        if (monitor && TheChooser()(this, selkind::Monitor, CSelectionDlg::Held(), &choice))
            monitor->SetValue(monitorsource::AddEntry, static_cast<uint32_t>(choice));
        Refill();
        return true;
    case audiowinid::DeleteEntry:
        DeleteEntry();
        return true;
    case NewRelay:
        if (monitor && TheChooser()(this, selkind::LMZ764, CSelectionDlg::Held(), &choice))
            monitor->SetValue(monitorsource::AddRelay, static_cast<uint32_t>(choice));
        Refill();
        return true;
    case audiowinid::DeleteRelay:
        DeleteRelay();
        return true;
    case MonitorUpload:
    case MonitorDownload:
        if (monitor)
            TransferRows(monitor, commandId == MonitorUpload ? 1 : 0, -1, CMonitor::kTransferEnd,
                         [monitor](int step) { return monitor->TransferProgressAt(step); });
        if (commandId == MonitorUpload)
            Refill();
        return true;
    case MonitorLive: {
        CMonitorLiveDlg dlg(this);
        dlg.exec();
        return true;
    }
    case ExportList:
        m_entries->ExportList();
        return true;
    case PrintList:
        m_entries->PrintList();
        return true;
    default:
        return false;
    }
}
