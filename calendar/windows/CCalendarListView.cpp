#include "calendar/windows/CCalendarListView.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "calendar/CalendarIds.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CHoverFrame.h"
#include "ui/CInPlaceDateTimeCtrl.h"

CCalendarListView::CCalendarListView(QWidget* parent) : CListCtrl(parent)
{
    // Row pictures: the object strip (a row shows its kind's image).
    SetObjectListLook();
    // A function name ("Zeitraum") or a name longer than the designed width
    // shows whole where the list has room for it.
    SetFitColumnContents(true);
    setMinimumSize(200, 100);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    new CHoverFrame(this);
}

CFeatureFrm* CCalendarListView::Frame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* f = qobject_cast<CFeatureFrm*>(w))
            return f;
    return nullptr;
}

int CCalendarListView::SelectedRow() const
{
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            return r;
    return -1;
}

void CCalendarListView::SelectRow(int row)
{
    if (row < 0 || row >= GetItemCount())
        return;
    // One row is selected: the commands act on the first selected row.
    clearSelection();
    SetItemState(row, true, true);
    scrollToItem(Row(row));
}

quintptr CCalendarListView::TopRowData() const
{
    const QTreeWidgetItem* top = itemAt(0, 0);
    return top ? GetItemData(RowOf(top)) : 0;
}

void CCalendarListView::ScrollToTopData(quintptr data)
{
    if (data == 0)
        return;
    for (int r = 0; r < GetItemCount(); ++r) {
        if (GetItemData(r) >= data) {
            scrollToItem(Row(r), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void CCalendarListView::SetColumns(std::initializer_list<std::pair<QString, int>> columns)
{
    CloseCellEditors();
    DeleteAllItems();
    setColumnCount(0);
    int c = 0;
    for (const auto& [title, width] : columns)
        InsertColumn(c++, title, LVCFMT_LEFT, width);
}

QString CCalendarListView::DateText(std::time_t t)
{
    return CInPlaceDateTimeCtrl::FormatDate(QDateTime::fromSecsSinceEpoch(t).date());
}

QString CCalendarListView::TimeText(std::time_t t)
{
    return CInPlaceDateTimeCtrl::FormatTime(QDateTime::fromSecsSinceEpoch(t).time());
}

bool CCalendarListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.column() != 0)
        return false;
    return CListCtrl::edit(index, trigger, event);
}

void CCalendarListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        emit DeletePressed();
        return;
    }
    CListCtrl::keyPressEvent(event);
}

void CCalendarListView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const bool connected = m_itemTransfers && IsDocConnected() != 0;
    for (unsigned id : {ID_CAL_DOWNLOAD_ITEM, ID_CAL_UPLOAD_ITEM}) {
        QAction* a = menu.addAction(QString::fromStdString(LoadStringId(id)));
        a->setEnabled(connected);
        connect(a, &QAction::triggered, this, [this, id] { emit ItemCommand(id); });
    }
    menu.exec(event->globalPos());
}
