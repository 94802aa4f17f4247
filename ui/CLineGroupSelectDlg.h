#pragma once
// "Linien und Gruppen": picks a set of zones and groups for a caller. Free
// zones and groups on the left, the chosen ones on the right; rows are moved
// between the lists by dragging them with the mouse. OK hands the chosen set
// back in the caller's list (only when something was moved).

#include "ui/CResizableDialog.h"

#include <QList>
#include <QPixmap>

class CBaseDevice;
class CEditListCtrl;
class CResizableButton;
class CResizableStatic;
class CRowDragTracker;

class CLineGroupSelectDlg : public CResizableDialog {
    Q_OBJECT
public:
    CLineGroupSelectDlg(QList<CBaseDevice*>* objects, QWidget* parent = nullptr);

    CEditListCtrl* ChosenList() const { return m_pChosen; }
    CEditListCtrl* FreeList() const { return m_pFree; }
    CRowDragTracker* DragTracker() const { return m_pDrag; }
    bool IsChanged() const { return m_bChanged; }

    void AddChosen(CBaseDevice* object);
    // Moves the selected rows of `source` to the other list.
    void MoveSelected(CEditListCtrl* source);
    void accept() override;  // OK

    // Row images: 0 zone, 1 group, 2 anything else.
    static constexpr int kImageBitmap = 131;
    static constexpr int kEditCursor = 448;  // over the free list's entries
    static QList<QPixmap> Images(int size = 16);
    static int ImageOf(const CBaseDevice* object);

protected:
    bool OnInitDialog() override;

private:
    void Append(CEditListCtrl* list, CBaseDevice* object);
    void OnDrop(QWidget* source, const QPoint& globalPos);

    CResizableButton* m_btnOK;
    CResizableButton* m_btnCancel;
    CResizableStatic* m_stcChosen;
    CResizableStatic* m_stcFree;
    CEditListCtrl* m_pChosen;
    CEditListCtrl* m_pFree;
    bool m_bChanged = false;
    QList<CBaseDevice*>* m_pObjects;
    CRowDragTracker* m_pDrag;
};
