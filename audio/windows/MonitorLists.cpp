#include "audio/windows/MonitorLists.h"

#include "ui/CListCtrl.h"
#include "ui/CHoverFrame.h"

#include <algorithm>

namespace monitorlists {

void SetUp(CListCtrl* list)
{
    list->SetObjectListLook();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setRootIsDecorated(false);
    new CHoverFrame(list);
}

int TopRow(const CListCtrl* list)
{
    const QTreeWidgetItem* top = list->itemAt(0, 0);
    return top ? list->RowOf(top) : -1;
}

void Reselect(CListCtrl* list, int row, int top)
{
    const int count = list->GetItemCount();
    if (count == 0)
        return;
    if (top > 0)
        if (QTreeWidgetItem* item = list->Row(std::min(top, count - 1)))
            list->scrollToItem(item, QAbstractItemView::PositionAtTop);
    // Without a row chosen yet (the window opening) the first one; past the
    // end (the last row deleted) the last one.
    row = std::clamp(row, 0, count - 1);
    list->SetItemState(row, true, true);
    if (QTreeWidgetItem* item = list->Row(row))
        list->scrollToItem(item);
}

}  // namespace monitorlists
