#include "logic/windows/CDesignerListView.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QToolTip>

#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "logic/windows/CObjectFrm.h"
#include "logic/windows/CVirtCtrlPropDlg.h"
#include "logic/windows/VirtCtrlIds.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "ui/CHoverFrame.h"
#include "ui/CPictureSet.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace virtctrl {

namespace {
constexpr int kLiveDelayMs = 300;
// The panes' tips: shown once the mouse has rested 200 ms on a row (200 ms
// again for the next row), kept up to 32,767 ms; the hover frame follows
// the mouse once it has rested 20 ms on a cell.
constexpr int kTipShowMs = 200;
constexpr int kTipStayMs = 32767;
constexpr int kHoverTimeMs = 20;
const QColor kOddRow(0xFF, 0xFB, 0xF0);  // 0xF0FBFF as the system writes colours (blue, green, red)

QString Text(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}
}  // namespace

CDesignerListView::CDesignerListView(CQuillomerDoc* doc, CObjectFrm* frame, QWidget* parent)
    : CListCtrl(parent), m_pane(doc), m_frame(frame)
{
    SetImageList(CPictureSet::ImageList(136, 16));
    m_largeImages = CPictureSet::ImageList(134, 32);
    m_dropTarget.Register(viewport());
    connect(&m_dropTarget, &CFormatDropTarget::DataDropped, this,
            [this](QWidget*, const QByteArray& payload, Qt::DropAction, const QPoint&) { OnDataDropped(payload); });
    m_dragSource.SetImageList(&m_largeImages);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_liveTimer.setSingleShot(true);
    connect(&m_liveTimer, &QTimer::timeout, this, &CDesignerListView::OnLiveTimer);
    m_tipTimer.setSingleShot(true);
    connect(&m_tipTimer, &QTimer::timeout, this, &CDesignerListView::ShowTip);
    m_hoverTimer.setSingleShot(true);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CDesignerListView::OnHover);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (m_filling)
            return;
        m_pane.SelectRow(RowOf(current));
        SetHotCell(-1, -1);
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int column) { OnDoubleClick(RowOf(item), column); });
    connect(this, &QTreeWidget::itemChanged, this, &CDesignerListView::OnRenamed);
}

void CDesignerListView::SetColumns(uint32_t title0, int width0, uint32_t title1, int width1)
{
    if (GetColumnCount() == 0) {
        InsertColumn(0, QString(), LVCFMT_LEFT, 140);
        InsertColumn(1, QString(), LVCFMT_RIGHT, 140);
    }
    headerItem()->setText(0, Text(title0));
    headerItem()->setText(1, Text(title1));
    SetDesignedColumnWidth(0, width0);
    SetDesignedColumnWidth(1, width1);
}

void CDesignerListView::FillControllerList()
{
    SetColumns(vcid::TitleController, 105, vcid::TitleId, 25);
    // The narrow pane holds its two columns at their widths (the name's
    // title may widen the first): the ID stays in sight, not behind a
    // horizontal scroll bar.
    int columns = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    for (int c = 0; c < header()->count(); ++c)
        columns += header()->sectionSize(c);
    setMinimumWidth(std::max(minimumWidth(), columns));
    m_pane.FillControllerList();
    // Only controllers are dragged, renamed and opened.
    setDragEnabled(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    ShowRows();
}

void CDesignerListView::FillSourceList()
{
    SetColumns(vcid::TitleSource, 140, vcid::TitleDrives, 140);
    m_pane.FillSourceList();
    ShowRows();
}

void CDesignerListView::FillDestinationList()
{
    SetColumns(vcid::TitleDestination, 140, vcid::TitleDrivenBy, 140);
    m_pane.FillDestinationList();
    ShowRows();
}

void CDesignerListView::ShowRows()
{
    m_filling = true;
    DeleteAllItems();
    const bool renamable = GetMode() == VcPaneMode::Controllers;
    const std::vector<VcRow>& rows = m_pane.GetRows();
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        InsertItem(r, QString::fromStdString(rows[r].text), rows[r].image);
        SetItemText(r, 1, QString::fromStdString(rows[r].controllerText));
        QTreeWidgetItem* item = Row(r);
        if (renamable)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        const QBrush back = (r % 2) ? QBrush(kOddRow) : QBrush(Qt::white);
        item->setBackground(0, back);
        item->setBackground(1, back);
    }
    const int selected = m_pane.GetSelectedRow();
    if (selected >= 0) {
        setCurrentItem(Row(selected));
        scrollToItem(Row(selected));
    }
    m_hotRow = m_hotColumn = -1;
    m_filling = false;
}

CVirtCtrlItem* CDesignerListView::SelectedController() const
{
    return m_pane.ControllerAt(m_pane.GetSelectedRow());
}

void CDesignerListView::OnDataDropped(const QByteArray& payload)
{
    const std::optional<VcDragPayload> p = VcDragPayload::FromBytes(payload.toStdString());
    if (!p)
        return;
    // Sources and destinations show the new link at once; a controller
    // dropped on its own pane adds one that the next refill lists.
    if (m_pane.ApplyLink(*p) && GetMode() != VcPaneMode::Controllers)
        ShowRows();
}

void CDesignerListView::RemoveLink(int row)
{
    if (GetMode() == VcPaneMode::Controllers) {
        if (m_frame)
            m_frame->OnCommand(vcid::DeleteController);
        return;
    }
    if (m_pane.RemoveLink(row)) {
        m_filling = true;
        SetItemText(row, 1, QString());
        m_filling = false;
    }
}

void CDesignerListView::OnDoubleClick(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(m_pane.GetRows().size()))
        return;
    if (GetMode() == VcPaneMode::Controllers) {
        if (CVirtCtrlItem* item = m_pane.ControllerAt(row)) {
            CVirtCtrlPropDlg dlg(item, this);
            dlg.exec();
        }
        return;
    }
    if (column != 1)
        return;
    m_pane.SelectRow(row);
    CSelectionDlg dlg(this);
    dlg.m_nKind = selkind::VirtCtrl;
    // The choice opens on the controller the row is linked to, so that OK
    // without a new choice keeps the link.
    const VcRow& shown = m_pane.GetRows()[static_cast<size_t>(row)];
    CVirtCtrl* table = m_pane.GetTable();
    const int linked = table ? table->GetLink(CDesignerView::EndpointOfRow(shown.image), shown.index + 1) : 0;
    dlg.SetHeld(CSelectionDlg::Held::Number(linked));
    if (dlg.DoModal() != QDialog::Accepted)
        return;
    if (dlg.m_nResultType == OT_VIRT_CTRL_ITEM && dlg.m_nResultNumber != 0) {
        VcDragPayload chosen;
        chosen.controller = dlg.m_nResultNumber;
        if (m_pane.ApplyLink(chosen))
            ShowRows();
    } else {
        RemoveLink(row);
    }
}

void CDesignerListView::QueueLiveValue(int n, double value)
{
    if (GetMode() != VcPaneMode::Controllers)
        return;
    if (n != m_pendingNumber)
        SendPendingLiveValue();
    m_liveTimer.stop();
    m_pendingLine = CDesignerView::LiveValueLine(n, value);
    m_pendingNumber = n;
    m_liveTimer.start(kLiveDelayMs);
}

void CDesignerListView::SendPendingLiveValue()
{
    if (m_liveTimer.isActive())
        OnLiveTimer();
}

void CDesignerListView::OnLiveTimer()
{
    if (IsDocConnected() && !m_pendingLine.empty())
        SendCommand(m_pendingLine, m_pane.GetDocument(), false);
    m_liveTimer.stop();
}

void CDesignerListView::OnRenamed(QTreeWidgetItem* item, int column)
{
    if (m_filling || column != 0 || GetMode() != VcPaneMode::Controllers)
        return;
    CVirtCtrlItem* controller = m_pane.ControllerAt(RowOf(item));
    if (!controller)
        return;
    std::string name = item->text(0).toStdString();
    // The message box's loop may finish a window switch made while the name
    // was being typed: the list is gone then.
    const QPointer<CDesignerListView> alive(this);
    QPointer<CObjectFrm> frame = m_frame;
    controller->SetNameUnique(name, true);
    if (!alive)
        return;
    // The edit is still closing: the panes are rebuilt after it.
    QMetaObject::invokeMethod(this, [frame] { if (frame) frame->UpdatePanes(); }, Qt::QueuedConnection);
}

bool CDesignerListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (GetMode() != VcPaneMode::Controllers || index.column() != 0)
        return false;
    return CListCtrl::edit(index, trigger, event);
}

void CDesignerListView::startDrag(Qt::DropActions)
{
    if (GetMode() != VcPaneMode::Controllers)
        return;
    const CVirtCtrlItem* item = SelectedController();
    if (!item)
        return;
    // The drag is a move away from the row: its tip goes, and none comes
    // up while the controller travels.
    m_tipTimer.stop();
    m_hoverTimer.stop();
    HideTip();
    SetHotCell(-1, -1);
    m_dragging = true;
    VcDragPayload payload;
    payload.controller = item->GetNumber();
    const std::string bytes = payload.ToBytes();
    m_dragSource.BeginDragImage(RowController, QPoint(16, 16));
    m_dragSource.OnBeginDrag(this, CFormatDropTarget::CreateDataObject(QByteArray(bytes.data(), bytes.size())),
                             Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
    m_dragSource.EndDragImage();
    m_dragging = false;
}

void CDesignerListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        m_tipTimer.stop();
        HideTip();
        const int row = m_pane.GetSelectedRow();
        if (row >= 0)
            RemoveLink(row);
        event->accept();
        return;
    }
    CListCtrl::keyPressEvent(event);
}

void CDesignerListView::contextMenuEvent(QContextMenuEvent* event)
{
    if (GetMode() != VcPaneMode::Controllers || !m_frame)
        return;
    QMenu menu(this);
    const bool connected = IsDocConnected() != 0;
    QAction* down = menu.addAction(Text(vcid::ItemDownload));
    QAction* up = menu.addAction(Text(vcid::ItemUpload));
    down->setEnabled(connected);
    up->setEnabled(connected);
    QPointer<CObjectFrm> frame = m_frame;
    // The menu hides the row's tip, and none comes up over its entries: the
    // menu takes the mouse without the pane always being told that it left.
    m_tipTimer.stop();
    HideTip();
    QAction* chosen = menu.exec(event->globalPos());
    if (frame && chosen)
        frame->TransferSelected(chosen == up);
}

QString CDesignerListView::RowTip(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_pane.GetRows().size()))
        return QString();
    const VcRow& r = m_pane.GetRows()[row];
    if (const CVirtCtrlItem* controller = m_pane.ControllerAt(row)) {
        const QFontMetrics fm(QToolTip::font());
        return QString::fromStdString(CDesignerView::ControllerTip(
            *controller, [&fm](const std::string& s) { return fm.horizontalAdvance(QString::fromStdString(s)); }));
    }
    return QString::fromStdString(r.text);
}

bool CDesignerListView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return true;  // the pane times its tips itself
    case QEvent::MouseMove: {
        if (m_dragging)
            break;
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        m_mousePos = pos;
        m_hoverTimer.start(kHoverTimeMs);
        const QModelIndex index = indexAt(pos);
        if (m_tipRow >= 0) {
            // A shown tip stays over the first column of its row; any other move hides it.
            if (index.isValid() && index.row() == m_tipRow && index.column() == 0)
                break;
            HideTip();
            m_tipTimer.stop();
            break;
        }
        if (index.isValid())
            m_tipTimer.start(kTipShowMs);
        else
            m_tipTimer.stop();
        break;
    }
    case QEvent::Leave:
        m_hoverTimer.stop();
        m_tipTimer.stop();
        HideTip();
        SetHotCell(-1, -1);
        break;
    default: break;
    }
    return CListCtrl::viewportEvent(event);
}

void CDesignerListView::OnHover()
{
    // The dotted frame marks the cell of the second column the mouse rests on.
    const QModelIndex index = indexAt(m_mousePos);
    if (index.isValid() && index.column() >= 1)
        SetHotCell(index.row(), index.column());
    else
        SetHotCell(-1, -1);
}

void CDesignerListView::ShowTip()
{
    const QModelIndex index = indexAt(m_mousePos);
    const int row = index.isValid() ? RowOf(itemFromIndex(index)) : -1;
    const QString tip = RowTip(row);
    if (tip.isEmpty())
        return;
    QString html = tip.toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    QToolTip::showText(viewport()->mapToGlobal(m_mousePos),
                       QStringLiteral("<span style=\"color:red; white-space:pre\">") + html + QStringLiteral("</span>"),
                       viewport(), QRect(), kTipStayMs);
    m_tipRow = index.row();
}

void CDesignerListView::HideTip()
{
    if (m_tipRow < 0)
        return;
    m_tipRow = -1;
    QToolTip::hideText();
}

void CDesignerListView::SetHotCell(int row, int column)
{
    if (row == m_hotRow && column == m_hotColumn)
        return;
    m_hotRow = row;
    m_hotColumn = column;
    viewport()->update();
}

void CDesignerListView::paintEvent(QPaintEvent* event)
{
    CListCtrl::paintEvent(event);
    if (m_hotRow < 0 || !Row(m_hotRow))
        return;
    const QRect cell = visualRect(indexFromItem(Row(m_hotRow), m_hotColumn));
    if (cell.isEmpty())
        return;
    QPainter p(viewport());
    CHoverFrame::Paint(p, cell, palette(), Row(m_hotRow)->isSelected());
}

}  // namespace virtctrl
