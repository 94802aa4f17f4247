#include "audio/windows/MonitorLists.h"

#include <QPalette>

#include "ui/CListCtrl.h"
#include "ui/CHoverFrame.h"
#include "ui/CPictureSet.h"

namespace monitorlists {

void SetUp(CListCtrl* list)
{
    list->SetImageList(CPictureSet::ImageList(136, 16));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::AlternateBase, QColor(255, 251, 240));
    list->setPalette(pal);
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
