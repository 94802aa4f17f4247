#include "audio/windows/CMonitorDlgListView.h"

#include <QKeyEvent>

#include "audio/CMonitor.h"
#include "audio/windows/MonitorLists.h"
#include "platform/StringTable.h"

CMonitorDlgListView::CMonitorDlgListView(QWidget* parent) : CEBListView(parent)
{
    setObjectName(QStringLiteral("MonitorDlgListView"));
    monitorlists::SetUp(this);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int column) {
        if (column == 2)
            emit SourceClicked(GetItemText(RowOf(item), 1).toInt());
    });
}

void CMonitorDlgListView::Refill(const CMonitor* monitor)
{
    int current = -1;
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            current = r;
    const int top = monitorlists::TopRow(this);
    DeleteAllItems();
    setColumnCount(0);
    InsertColumn(0, QString::fromStdString(LoadStringId(33086)), LVCFMT_LEFT, 140);  // "Monitor"
    InsertColumn(1, QString::fromStdString(LoadStringId(34244)), LVCFMT_RIGHT, 30);  // "ID"
    InsertColumn(2, tr("Einträge"), LVCFMT_LEFT, 160);
    if (!monitor)
        return;
    for (int i = 0; i < CMonitor::GetMaxEntries(); ++i) {
        const uint32_t code = monitor->GetValue(monitorsource::AddEntry | (static_cast<uint32_t>(i) << 16));
        if (monitor->GetEntry(i).source == "OFF")
            continue;
        const int row = InsertItem(GetItemCount(), QString(), 13);
        SetItemText(row, 1, QString::number(i + 1));
        SetItemText(row, 2, QString::fromStdString(monitor->GetSourceText(code)));
        SetItemData(row, code);
    }
    monitorlists::Reselect(this, current, top);
}

int CMonitorDlgListView::SelectedEntry() const
{
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            return GetItemText(r, 1).toInt();
    return 0;
}

void CMonitorDlgListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        emit DeleteRequested();
        return;
    }
    CEBListView::keyPressEvent(event);
}
