#pragma once
// A pane of the virtual-controller window: the list of the controllers, the
// sources or the destinations. Controllers are dragged from the controller
// pane (as "DATA Object") onto the selected row of another pane; a
// double-click opens the controller's properties or the controller choice.
// The controller pane also sends the value the properties dialog sets, 300 ms
// after the last change.

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QTimer>

#include <string>

#include "logic/CDesignerView.h"
#include "ui/CDragImageSource.h"
#include "ui/CFormatDropTarget.h"
#include "ui/CListCtrl.h"

class CObjectFrm;

namespace virtctrl {

class CDesignerListView : public CListCtrl {
    Q_OBJECT
public:
    CDesignerListView(CQuillomerDoc* doc, CObjectFrm* frame, QWidget* parent = nullptr);

    CDesignerView& Pane() { return m_pane; }
    VcPaneMode GetMode() const { return m_pane.GetMode(); }

    void FillControllerList();
    void FillSourceList();
    void FillDestinationList();
    // Shows the pane's rows again (after the model changed).
    void ShowRows();

    // The controller of the selected row of the controller pane (null none).
    CVirtCtrlItem* SelectedController() const;
    // A dropped "DATA Object" (also what a drop on the pane runs).
    void OnDataDropped(const QByteArray& payload);
    // Unlinks the row; in the controller pane deletes the controller.
    void RemoveLink(int row);
    // The value of controller n for the device, sent 300 ms after the last
    // call. The pause gathers the changes of one controller: a value still
    // waiting for another controller is sent first, so that each controller
    // the user moved through gets its last value.
    void QueueLiveValue(int n, double value);
    const std::string& PendingLiveLine() const { return m_pendingLine; }
    // Sends a value still waiting at once (the user is done with the controller).
    void SendPendingLiveValue();

    // The double-click on a cell.
    void OnDoubleClick(int row, int column);
    // The controller's list text for a tool tip, aligned in this pane's font.
    QString RowTip(int row) const;
    // The row whose tip is shown (-1 none) and the cell the hover frame marks.
    int TipRow() const { return m_tipRow; }
    QPoint HotCell() const { return QPoint(m_hotColumn, m_hotRow); }

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void SetColumns(uint32_t title0, int width0, uint32_t title1, int width1);
    void OnLiveTimer();
    void OnRenamed(QTreeWidgetItem* item, int column);
    void SetHotCell(int row, int column);
    void OnHover();
    void ShowTip();
    void HideTip();

    CDesignerView m_pane;
    CObjectFrm* m_frame;
    QList<QPixmap> m_largeImages;
    CFormatDropTarget m_dropTarget;
    CDragImageSource m_dragSource;
    QTimer m_liveTimer {this};  // a child, so that a window switched away from stops it
    QTimer m_tipTimer;
    QTimer m_hoverTimer;
    QPoint m_mousePos;
    int m_tipRow = -1;
    std::string m_pendingLine;
    int m_pendingNumber = 0;  // the controller of the line waiting
    int m_hotRow = -1;
    int m_hotColumn = -1;
    bool m_filling = false;
    bool m_dragging = false;  // a controller is being dragged from this pane
};

}  // namespace virtctrl
