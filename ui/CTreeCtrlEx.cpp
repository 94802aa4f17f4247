#include "ui/CTreeCtrlEx.h"

#include "model/CBaseDevice.h"

#include <QCursor>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {
// Hands the typed text to the tree instead of writing it into the item.
class LabelDelegate : public QStyledItemDelegate {
public:
    explicit LabelDelegate(CTreeCtrlEx* tree) : QStyledItemDelegate(tree), m_pTree(tree) {}
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit)
            return;
        m_pTree->OnEndLabelEdit(m_pTree->itemFromIndex(index), edit->text());
    }

private:
    CTreeCtrlEx* m_pTree;
};
}  // namespace

CTreeCtrlEx::CTreeCtrlEx(QWidget* parent) : CResizableTreeCtrl(parent)
{
    setItemDelegate(new LabelDelegate(this));
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

CBaseDevice* CTreeCtrlEx::ObjectOf(const QTreeWidgetItem* item)
{
    return reinterpret_cast<CBaseDevice*>(GetItemData(item));
}

void CTreeCtrlEx::SetObject(QTreeWidgetItem* item, CBaseDevice* object)
{
    SetItemData(item, reinterpret_cast<quintptr>(object));
    if (item) {
        // Object items can be renamed in place.
        if (object)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        else
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    }
}

void CTreeCtrlEx::AppendPaths(QStringList& paths, const QTreeWidgetItem* item, const QString& prefix) const
{
    const QString path = prefix.isEmpty() ? item->text(0) : prefix + QLatin1Char('/') + item->text(0);
    paths.append(path.mid(1));
    for (int i = 0; i < item->childCount(); ++i)
        AppendPaths(paths, item->child(i), path);
}

void CTreeCtrlEx::GetItemPaths(QStringList& paths) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        AppendPaths(paths, topLevelItem(i), QString());
}

QTreeWidgetItem* CTreeCtrlEx::FindItemByData(QTreeWidgetItem* first, quintptr value) const
{
    for (QTreeWidgetItem* item = first; item; item = NextSibling(item, this)) {
        if (GetItemData(item) == value)
            return item;
        if (item->childCount() > 0)
            if (QTreeWidgetItem* found = FindItemByData(item->child(0), value))
                return found;
    }
    return nullptr;
}

bool CTreeCtrlEx::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Only items that stand for an object can be renamed.
    if (trigger != QAbstractItemView::NoEditTriggers && trigger != QAbstractItemView::CurrentChanged) {
        const QTreeWidgetItem* item = itemFromIndex(index);
        if (!item || GetItemData(item) == 0)
            return false;
    }
    return CResizableTreeCtrl::edit(index, trigger, event);
}

void CTreeCtrlEx::OnEndLabelEdit(QTreeWidgetItem* item, const QString& text)
{
    if (!m_renamesObjects) {
        emit LabelEditEnded(item);
        return;
    }
    CBaseDevice* object = ObjectOf(item);
    if (object) {
        if (object->SetNameChecked(text.toStdString(), true)) {
            // Every place of the tree that shows the object gets the name.
            SetItemTextByData(GetItemData(item), text);
            SelectItemUnderCursor();
            emit LabelEdited(item, text);
            return;
        }
    }
    SelectItemUnderCursor();
}

void CTreeCtrlEx::SelectItemUnderCursor()
{
    const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
    if (!viewport()->rect().contains(p))
        return;
    if (QTreeWidgetItem* under = itemAt(p))
        setCurrentItem(under);
}
