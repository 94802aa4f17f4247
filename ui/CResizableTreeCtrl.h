#pragma once
// Tree control that moves with its resizable dialog, with lookups by item data.
// Item data is a pointer-sized value stored in column 0 under Qt::UserRole.
// Where its items are renamed in place, it renames the row shown chosen, on
// F2 or a slow second click, never on a double-click.
#include "ui/CResizableWidget.h"
#include "ui/CSlowClickRename.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QTreeWidget>

class CResizableTreeCtrl : public CResizableWidget<CSlowClickRename<QTreeWidget>> {
public:
    explicit CResizableTreeCtrl(QWidget* parent = nullptr);

    static quintptr GetItemData(const QTreeWidgetItem* item);
    static void SetItemData(QTreeWidgetItem* item, quintptr data);

    // Appends every item from `first` on (the item, its following siblings and,
    // depth first, their descendants) whose item data equals `value`.
    void FindItemsByData(QList<QTreeWidgetItem*>& items, QTreeWidgetItem* first, quintptr value) const;
    // Sets `text` on every item of the tree whose item data equals `value`.
    void SetItemTextByData(quintptr value, const QString& text);

    // The item after `item` at the same level (null at the end).
    static QTreeWidgetItem* NextSibling(const QTreeWidgetItem* item, const QTreeWidget* tree);

    // An item's label is being edited.
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

    // The item a drag would drop on, shown highlighted as if selected
    // (null: none); the selection itself stays.
    void SelectDropTarget(QTreeWidgetItem* item);
    QTreeWidgetItem* GetDropHilightItem() const;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QPersistentModelIndex m_dropTarget;
};
