#include "ui/CResizableTreeCtrl.h"
#include "ui/CTextRuleDelegate.h"

CResizableTreeCtrl::CResizableTreeCtrl(QWidget* parent) : CResizableWidget<CSlowClickRename<QTreeWidget>>(parent)
{
    setHeaderHidden(true);
    setItemDelegate(new CTextRuleDelegate(this));
}

quintptr CResizableTreeCtrl::GetItemData(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).value<quintptr>() : 0;
}

void CResizableTreeCtrl::SetItemData(QTreeWidgetItem* item, quintptr data)
{
    if (item)
        item->setData(0, Qt::UserRole, QVariant::fromValue<quintptr>(data));
}

QTreeWidgetItem* CResizableTreeCtrl::NextSibling(const QTreeWidgetItem* item, const QTreeWidget* tree)
{
    if (!item)
        return nullptr;
    if (QTreeWidgetItem* parent = item->parent()) {
        const int i = parent->indexOfChild(const_cast<QTreeWidgetItem*>(item));
        return i + 1 < parent->childCount() ? parent->child(i + 1) : nullptr;
    }
    if (!tree)
        return nullptr;
    const int i = tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
    return i >= 0 && i + 1 < tree->topLevelItemCount() ? tree->topLevelItem(i + 1) : nullptr;
}

void CResizableTreeCtrl::FindItemsByData(QList<QTreeWidgetItem*>& items, QTreeWidgetItem* first, quintptr value) const
{
    for (QTreeWidgetItem* item = first; item; item = NextSibling(item, this)) {
        if (GetItemData(item) == value)
            items.append(item);
        if (item->childCount() > 0)
            FindItemsByData(items, item->child(0), value);
    }
}

void CResizableTreeCtrl::SetItemTextByData(quintptr value, const QString& text)
{
    QList<QTreeWidgetItem*> items;
    FindItemsByData(items, topLevelItem(0), value);
    for (QTreeWidgetItem* item : items)
        item->setText(0, text);
}

void CResizableTreeCtrl::SelectDropTarget(QTreeWidgetItem* item)
{
    const QPersistentModelIndex target = item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    if (target == m_dropTarget)
        return;
    const QModelIndex old = m_dropTarget;
    m_dropTarget = target;
    for (const QModelIndex& index : {old, QModelIndex(target)})
        if (index.isValid())
            viewport()->update(visualRect(index).adjusted(-viewport()->width(), 0, viewport()->width(), 0));
}

QTreeWidgetItem* CResizableTreeCtrl::GetDropHilightItem() const
{
    return m_dropTarget.isValid() ? itemFromIndex(m_dropTarget) : nullptr;
}

void CResizableTreeCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_dropTarget.isValid() && index.siblingAtColumn(0) == m_dropTarget) {
        QStyleOptionViewItem highlighted(option);
        highlighted.state |= QStyle::State_Selected;
        CResizableWidget<CSlowClickRename<QTreeWidget>>::drawRow(painter, highlighted, index);
        return;
    }
    CResizableWidget<CSlowClickRename<QTreeWidget>>::drawRow(painter, option, index);
}
