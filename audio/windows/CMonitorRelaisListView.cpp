#include "audio/windows/CMonitorRelaisListView.h"

#include <QKeyEvent>

#include "audio/CMonitor.h"
#include "audio/windows/MonitorLists.h"
#include "platform/StringTable.h"

CMonitorRelaisListView::CMonitorRelaisListView(QWidget* parent) : CListCtrl(parent)
{
    setObjectName(QStringLiteral("MonitorRelaisListView"));
    monitorlists::SetUp(this);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int column) {
        if (column == 2)
            emit RelayClicked(static_cast<int>(GetItemData(RowOf(item))));
    });
}

void CMonitorRelaisListView::Refill(const CMonitor* monitor)
{
    int current = -1;
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            current = r;
    const int top = monitorlists::TopRow(this);
    DeleteAllItems();
    setColumnCount(0);
    InsertColumn(0, QString::fromStdString(LoadStringId(34242)), LVCFMT_LEFT, 30);   // " "
    InsertColumn(1, QString::fromStdString(LoadStringId(34244)), LVCFMT_RIGHT, 30);  // "ID"
    InsertColumn(2, tr("Relais"), LVCFMT_LEFT, 160);
    if (!monitor)
        return;
    for (int i = 0; i < CMonitor::GetMaxRelays(); ++i) {
        if (monitor->GetRelayWord(i) == 0)
            continue;
        const int row = InsertItem(GetItemCount(), QString(), 19);
        SetItemText(row, 1, QString::number(i + 1));
        SetItemText(row, 2, QString::fromStdString(monitor->GetValueText(monitorsource::Relay | (static_cast<uint32_t>(i) << 16))));
        SetItemData(row, static_cast<quintptr>(i));
    }
    monitorlists::Reselect(this, current, top);
}

int CMonitorRelaisListView::SelectedRelay() const
{
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            return static_cast<int>(GetItemData(r));
    return -1;
}

void CMonitorRelaisListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        emit DeleteRequested();
        return;
    }
    CListCtrl::keyPressEvent(event);
}
