#pragma once
// "Linien und Gruppen": edits group membership on the document's objects. On
// the right the tree of all groups with their members, on the left the zones
// and groups that may still join the group selected in the tree. Dragging
// rows onto the tree adds them to the group, dragging a member out of the
// tree removes it; both views rename objects in place. Every change is made
// at once, so there is only an OK button.

#include "ui/CResizableDialog.h"

#include <QList>

class CBaseDevice;
class CEditListCtrl;
class CResizableButton;
class CResizableStatic;
class CResizableTreeCtrl;
class CRowDragTracker;
class QTreeWidgetItem;

class CLineGroupTreeDlg : public CResizableDialog {
    Q_OBJECT
public:
    CLineGroupTreeDlg(CBaseDevice* object, QWidget* parent = nullptr);

    CEditListCtrl* List() const { return m_pList; }
    CResizableTreeCtrl* Tree() const { return m_pTree; }
    CRowDragTracker* DragTracker() const { return m_pDrag; }
    const QList<CBaseDevice*>& Candidates() const { return m_Candidates; }

    void FillCandidates(QTreeWidgetItem* item);
    // Adds the selected list rows to the group selected in the tree.
    void AddSelectedRowsToGroup();
    // Takes `member` out of its group.
    void RemoveMember(QTreeWidgetItem* member);
    // Renaming from the list and from the tree.
    void OnEndListLabelEdit(int row, const QString& text);
    void OnEndTreeLabelEdit(QTreeWidgetItem* item, const QString& text);

protected:
    bool OnInitDialog() override;
    void showEvent(QShowEvent* event) override;

private:
    void AppendRow(CBaseDevice* object);
    // Renames `object` (made unique) and shows its new name in both views.
    void Rename(CBaseDevice* object, const QString& text);
    void OnDrop(QWidget* source, const QPoint& globalPos);

    CBaseDevice* m_pObject;
    QList<CBaseDevice*> m_Candidates;
    CResizableButton* m_btnOK;
    CResizableStatic* m_stcTree;
    CResizableStatic* m_stcList;
    CEditListCtrl* m_pList;
    CResizableTreeCtrl* m_pTree;
    CRowDragTracker* m_pDrag;
    bool m_bColumnSized = false;
};
