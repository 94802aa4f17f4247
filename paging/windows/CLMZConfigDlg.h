#pragma once
// "LMZ Konfiguration": builds the LMZ card stack. The tree on the right shows
// the carrier cards with their output, input and analog cards and what hangs
// on each relay, input and channel (and the outputs of the first digital
// slot); the list on the left offers what may be dropped on the selected
// item. Every drop or delete changes the document at once.

#include "ui/CResizableDialog.h"

#include <QCursor>
#include <QList>
#include <QPixmap>

class CBaseDevice;
class CEditListCtrl;
class CLMZ;
class CQuillomerDoc;
class CResizableButton;
class CResizableTreeCtrl;
class CRowDragTracker;
class QTreeWidgetItem;

// Pictures of the tree items and list entries; they identify the entries.
namespace lmzpic {
enum : int {
    Carrier = 0,
    Heading = 2,
    Out763 = 4,
    Zone = 6,
    Pad = 7,
    FreeRelay = 8,
    CollCall = 9,
    Mandatory = 11,
    Control = 13,
    Out764 = 15,
    Group = 17,
    In771 = 18,
    FreePosition = 20,
    SlotMandatoryZone = 21,
    SlotControlZone = 22,
    Analog775 = 23,
};
}

class CLMZConfigDlg : public CResizableDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 413;

    explicit CLMZConfigDlg(CQuillomerDoc* doc, QWidget* parent = nullptr);

    CResizableTreeCtrl* Tree() const { return m_pTree; }
    CEditListCtrl* List() const { return m_pList; }
    CRowDragTracker* DragTracker() const { return m_pDrag; }
    // The cursor of an entry dragged with the pointer at `globalPos`: the
    // arrow over the tree, the no-drop cursor (106) elsewhere.
    QCursor DragCursor(const QPoint& globalPos) const;

    // What a drag carries, taken from the source list when the drag begins:
    // dropping selects the target, which fills the list anew.
    struct Dragged {
        int picture = -1;                // the dragged entry's picture: what the drop does
        QList<CBaseDevice*> objects;     // the zones and groups of the selected rows
    };

    void BuildTree();
    void RefillList();
    // What the rows of the source list as it stands would carry; `rows`
    // front is the dragged one.
    Dragged EntriesOf(const QList<int>& rows) const;
    // Drops the list rows (the first one's picture decides) on a tree item.
    void Drop(const QList<int>& rows, QTreeWidgetItem* target) { DropDragged(EntriesOf(rows), target); }
    void DropDragged(const Dragged& what, QTreeWidgetItem* target);
    // The Delete key on a tree item.
    void DeleteItem(QTreeWidgetItem* item);

    // A control pad's name is being edited in the tree.
    bool IsEditingLabel() const;
    // OK: ends an open name edit, otherwise closes the dialog.
    void OnOK();

    static int Picture(const QTreeWidgetItem* item);
    // An output, input or analog card (open or closed), not the carrier.
    static bool IsCardItem(const QTreeWidgetItem* item);
    static CBaseDevice* ObjectOf(const QTreeWidgetItem* item);
    // The item under `parent` (or anywhere when null) showing `object`.
    QTreeWidgetItem* FindItem(const CBaseDevice* object) const;
    QTreeWidgetItem* FindText(const QString& text) const;

protected:
    bool OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& text, int picture, CBaseDevice* object);
    void AddCardItem(QTreeWidgetItem* heading, CLMZ* card);
    void AddRelayItems(QTreeWidgetItem* cardItem, CLMZ* card);
    QString CardText(const CLMZ* card) const;
    void AddEntry(const QString& text, int picture, CBaseDevice* object = nullptr);
    CLMZ* PlaceCard(uint32_t kind, CLMZ* carrier);
    void LinkZones(const QList<CBaseDevice*>& objects, QTreeWidgetItem* target, int picture);
    // The new pad, or null when none was made.
    CBaseDevice* MakePad(QTreeWidgetItem* target);
    // Where an item stands: the objects (or, for text items, the places) from
    // the root down; the same after the tree is built again.
    QString ItemKey(const QTreeWidgetItem* item) const;
    // Builds the tree again with the items that were open still open, and
    // selects the item of `select` or else the one at `selectKey` (opened
    // when `open`).
    void Rebuild(const CBaseDevice* select, const QString& selectKey, bool open);
    void OnDragEnd(QWidget* source, const QPoint& globalPos);
    // What follows the pointer when `row` is dragged.
    QPixmap DragImage(QTreeWidgetItem* row) const;
    // The tree item under a screen point, null outside the tree's rows.
    QTreeWidgetItem* TreeItemAt(const QPoint& globalPos) const;
    // The source list's one column: its share of the list's width.
    void SizeSourceColumn();
    void OnItemChanged(QTreeWidgetItem* item, int column);

    CQuillomerDoc* m_pDoc;
    CEditListCtrl* m_pList;
    CResizableTreeCtrl* m_pTree;
    CResizableButton* m_btnOK;
    CRowDragTracker* m_pDrag;
    Dragged m_dragged;
};
