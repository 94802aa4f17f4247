#pragma once
// Tree whose items may stand for system objects (item data = the object's
// CBaseDevice pointer, 0 for other items). Only object items can be renamed
// in place; the new name is offered to the object, and if it takes it every
// item of that object in the tree shows the new name and LabelEdited is
// emitted. The tree never takes a typed text on its own.

#include "ui/CResizableTreeCtrl.h"

#include <QStringList>

class CBaseDevice;

class CTreeCtrlEx : public CResizableTreeCtrl {
    Q_OBJECT
public:
    explicit CTreeCtrlEx(QWidget* parent = nullptr);

    static CBaseDevice* ObjectOf(const QTreeWidgetItem* item);
    static void SetObject(QTreeWidgetItem* item, CBaseDevice* object);

    // Appends the path of every item, depth first from the root: the item
    // texts from the root down joined by "/", without the first character.
    void GetItemPaths(QStringList& paths) const;
    // The first item from `first` on (siblings, then depth first) with `value`.
    QTreeWidgetItem* FindItemByData(QTreeWidgetItem* first, quintptr value) const;

    // End of an in-place edit that was not cancelled.
    void OnEndLabelEdit(QTreeWidgetItem* item, const QString& text);
    // Whether the end of an edit offers the text to the object (the
    // default). A tree that only shows its objects ends every edit without
    // a rename, leaves its labels, order and selection as they were, and
    // tells LabelEditEnded.
    void SetRenamesObjects(bool renames) { m_renamesObjects = renames; }

signals:
    // An object item was renamed (the object accepted `text`).
    void LabelEdited(QTreeWidgetItem* item, const QString& text);
    // An edit ended in a tree that does not rename.
    void LabelEditEnded(QTreeWidgetItem* item);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void AppendPaths(QStringList& paths, const QTreeWidgetItem* item, const QString& prefix) const;
    void SelectItemUnderCursor();

    bool m_renamesObjects = true;
};
