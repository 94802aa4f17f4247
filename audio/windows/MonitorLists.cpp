#include "audio/windows/MonitorLists.h"

#include "ui/CListCtrl.h"
#include "ui/CHoverFrame.h"

namespace monitorlists {

void SetUp(CListCtrl* list)
{
    list->SetObjectListLook();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setRootIsDecorated(false);
    new CHoverFrame(list);
}

void Reselect(CListCtrl* list, int row)
{
    const int count = list->GetItemCount();
    if (count == 0)
        return;
    if (row < 0 || row >= count)
        row = count - 1;
    list->SetItemState(row, true, true);
    if (QTreeWidgetItem* item = list->Row(row))
        list->scrollToItem(item);
}

}  // namespace monitorlists
