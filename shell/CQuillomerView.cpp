#include "shell/CQuillomerView.h"

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/SheetSymbol.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "platform/CArchive.h"
#include "platform/MessageBox.h"
#include "shell/CDragData.h"
#include "shell/CLabelEdit.h"
#include "shell/CMainFrame.h"
#include "shell/CPrintContentDlg.h"
#include "shell/CPrintPreviewDlg.h"
#include "shell/CQtPainter.h"
#include "shell/CQuillomerApp.h"
#include "shell/CViewPrinter.h"
#include "shell/CZoomToolBar.h"
#include "shell/ShellIds.h"
#include "comm/windows/CTextFileDlg.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "hardware/windows/CAudioOutputsDlg.h"
#include "hardware/windows/CConnectionsDlg.h"
#include "ui/UiIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QImage>
#include <QPrinter>
#include <QRubberBand>
#include <QScrollBar>
#include <QToolTip>
#include <cmath>
#include <map>

namespace {
// Views of this process by their id in the drag descriptor.
std::map<uint32_t, CQuillomerView*>& ViewRegistry()
{
    static std::map<uint32_t, CQuillomerView*> views;
    return views;
}
uint32_t g_nextViewId = 1;

uint32_t ViewId(const CQuillomerView* view)
{
    for (const auto& [id, v] : ViewRegistry())
        if (v == view)
            return id;
    return 0;
}

CRect Grown(const CRect& r, int d)
{
    CRect g = r;
    g.InflateRect(d, d);
    return g;
}

}  // namespace

CQuillomerView::CQuillomerView(CQuillomerDoc* doc, QWidget* parent) : QAbstractScrollArea(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("DesignerView"));
    ViewRegistry()[g_nextViewId++] = this;
    viewport()->setMouseTracking(true);
    viewport()->setAcceptDrops(true);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    if (m_doc)
        m_doc->AddView(this);
    UpdateScrollBars();
}

CQuillomerView::~CQuillomerView()
{
    if (m_child)
        delete m_child;
    if (m_tipShown)
        QToolTip::hideText();
    ViewRegistry().erase(ViewId(this));
    DetachDocument();
}

void CQuillomerView::DetachDocument()
{
    if (m_labelEdit) {
        m_labelEdit->SetNotify(nullptr);
        m_labelEdit->deleteLater();
        m_labelEdit = nullptr;
    }
    m_editObject = nullptr;
    m_hot = nullptr;
    m_tipObject = nullptr;
    m_selection.clear();
    if (m_doc)
        m_doc->RemoveView(this);
    m_doc = nullptr;
    viewport()->update();
}

void CQuillomerView::ForEachObject(const std::function<bool(CBaseDevice*)>& fn) const
{
    if (!m_doc)
        return;
    for (int c = CAT_LAST; c >= 1; --c)
        for (CBaseDevice* obj : m_doc->GetList(c))
            if (!fn(obj))
                return;
}

namespace {
bool DocHolds(const CQuillomerDoc* doc, const CBaseDevice* obj)
{
    if (!doc || !obj)
        return false;
    for (int c = 1; c <= CAT_LAST; ++c)
        for (const CBaseDevice* o : doc->GetList(c))
            if (o == obj)
                return true;
    return false;
}
}  // namespace

// ---------------------------------------------------------------- mapping

void CQuillomerView::UpdateScrollBars()
{
    const int total = m_zoom * 1024;
    const QSize vp = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total - vp.width()));
    verticalScrollBar()->setRange(0, std::max(0, total - vp.height()));
    horizontalScrollBar()->setPageStep(std::max(1, vp.width()));
    verticalScrollBar()->setPageStep(std::max(1, vp.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, total / 100));
    verticalScrollBar()->setSingleStep(std::max(1, total / 100));
}

QPoint CQuillomerView::GetScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CQuillomerView::ScrollToPosition(const QPoint& pos)
{
    horizontalScrollBar()->setValue(pos.x());
    verticalScrollBar()->setValue(pos.y());
}

QPoint CQuillomerView::LogicalToClient(CPoint p) const
{
    const QPoint s = GetScrollPosition();
    return QPoint(static_cast<int>(std::lround(p.x * m_zoom / 4.0)) - s.x(),
                  static_cast<int>(std::lround(p.y * m_zoom / 4.0)) - s.y());
}

QRect CQuillomerView::LogicalToClient(const CRect& r) const
{
    const QPoint a = LogicalToClient(CPoint(r.left, r.top));
    const QPoint b = LogicalToClient(CPoint(r.right, r.bottom));
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

CPoint CQuillomerView::ClientToLogical(const QPoint& p) const
{
    const QPoint s = GetScrollPosition();
    return CPoint(static_cast<int32_t>(std::lround((p.x() + s.x()) * 4.0 / m_zoom)),
                  static_cast<int32_t>(std::lround((p.y() + s.y()) * 4.0 / m_zoom)));
}

CRect CQuillomerView::ClientRectLogical() const
{
    const QRect c = viewport()->rect();
    const CPoint a = ClientToLogical(c.topLeft());
    const CPoint b = ClientToLogical(QPoint(c.left() + c.width(), c.top() + c.height()));
    return CRect(a.x, a.y, b.x, b.y);
}

CRect CQuillomerView::GetUsedRect() const
{
    CRect used;
    ForEachObject([&](CBaseDevice* obj) {
        const CRect r = obj->GetBoundingRect();
        if (r.Width() > 1 && r.Height() >= 2 && r.left >= 2 && r.top >= 2 && r.right < kSheetSize && r.bottom < kSheetSize)
            used.UnionWith(r);
        return true;
    });
    return used;
}

// ---------------------------------------------------------------- zoom

void CQuillomerView::SetZoom(int level)
{
    if (level < kMinZoom || level > kMaxZoom)
        return;
    if (m_labelEdit)
        HandleLeftButtonDown(Qt::NoModifier, QPoint(0, 0));
    const CPoint before = m_visibleCenter;
    m_zoom = level;
    UpdateScrollBars();
    const CPoint after = ClientRectLogical().CenterPoint();
    // Keep the point that was at the centre at the centre.
    const int dx = (before.x - after.x) * level / 4;
    const int dy = (before.y - after.y) * level / 4;
    const QPoint s = GetScrollPosition();
    ScrollToPosition(QPoint(s.x() + dx, s.y() + dy));
    m_visibleCenter = ClientRectLogical().CenterPoint();
    UpdateZoomBar();
    viewport()->update();
}

void CQuillomerView::OnZoomIn()
{
    if (m_zoom < kMaxZoom)
        SetZoom(m_zoom + 1);
}

void CQuillomerView::OnZoomOut()
{
    if (m_zoom > kMinZoom)
        SetZoom(m_zoom - 1);
}

void CQuillomerView::UpdateZoomBar()
{
    if (CMainFrame* frame = GetMainFrame())
        if (CZoomToolBar* bar = frame->GetZoomBar())
            bar->SetZoom(m_zoom);
}

void CQuillomerView::OnInitialUpdate()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->showMaximized();
    UpdateScrollBars();
    ScrollToPosition(QPoint(2388 - 200 * m_zoom, 2068 - 10 * m_zoom));
    m_visibleCenter = ClientRectLogical().CenterPoint();
    UpdateZoomBar();
}

void CQuillomerView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CQuillomerView::scrollContentsBy(int, int)
{
    // The edit stands over its label: once the drawing moves under it, the
    // name is taken as typed and the edit closes (bar, wheel and keys alike).
    if (m_labelEdit)
        CommitLabelEdit(false);
    viewport()->update();
}

// ---------------------------------------------------------------- drawing

std::unique_ptr<CQtPainter> CQuillomerView::MakeMeasurePainter() const
{
    CMainFrame* frame = GetMainFrame();
    return std::make_unique<CQtPainter>(nullptr, frame ? frame->GetFontManager() : nullptr,
                                        frame ? frame->GetBitmapManager() : nullptr);
}

void CQuillomerView::DrawContents(QPainter& painter, const CRect& clip, bool screen)
{
    if (!m_doc)
        return;
    CMainFrame* frame = GetMainFrame();
    CQtPainter dc(&painter, frame ? frame->GetFontManager() : nullptr, frame ? frame->GetBitmapManager() : nullptr);
    if (screen)
        m_visibleCenter = ClientRectLogical().CenterPoint();

    // Category 16 first, so that category 1 ends up on top.
    for (int c = CAT_LAST; c >= 1; --c) {
        for (CBaseDevice* obj : m_doc->GetList(c)) {
            if (!obj->GetBoundingRect().Intersects(clip))
                continue;
            painter.save();
            obj->Draw(dc);
            painter.restore();
            if (m_drawWatcher)
                m_drawWatcher(obj);
        }
    }
    if (!screen)
        return;

    const QTransform logical = painter.transform();
    painter.save();
    painter.resetTransform();
    for (CBaseDevice* obj : m_selection) {
        const QRect r = LogicalToClient(obj->GetRect()).adjusted(2, 2, -2, -2);
        QPen pen(Qt::NoPen);
        painter.setPen(pen);
        painter.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
        const int w = 4;
        painter.drawRect(QRect(r.left() - w, r.top() - w, r.width() + 2 * w, w));
        painter.drawRect(QRect(r.left() - w, r.bottom() + 1, r.width() + 2 * w, w));
        painter.drawRect(QRect(r.left() - w, r.top(), w, r.height()));
        painter.drawRect(QRect(r.right() + 1, r.top(), w, r.height()));
    }
    if (m_feedbackShown) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        for (const QRect& r : m_feedback)
            painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter.restore();
    painter.setTransform(logical);
    if (m_hot && DocHolds(m_doc, m_hot)) {
        painter.save();
        m_hot->DrawHot(dc);
        painter.restore();
    }
}

void CQuillomerView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QPoint s = GetScrollPosition();
    painter.translate(-s.x(), -s.y());
    painter.scale(m_zoom / 4.0, m_zoom / 4.0);
    const QRect area = event->rect();
    const CPoint a = ClientToLogical(area.topLeft());
    const CPoint b = ClientToLogical(QPoint(area.left() + area.width(), area.top() + area.height()));
    CRect clip(a.x - 1, a.y - 1, b.x + 1, b.y + 1);
    m_painting = true;
    DrawContents(painter, clip, true);
    m_painting = false;
}

void CQuillomerView::InvalidateLogicalRect(const CRect& r, bool)
{
    CRect n = r;
    n.NormalizeRect();
    const QRect area = LogicalToClient(n).adjusted(-1, -1, 1, 1);
    if (m_painting) {
        // An object drawn reaches further than the area being painted: that
        // part follows in a paint of its own.
        QWidget* port = viewport();
        QMetaObject::invokeMethod(port, [port, area] { port->update(area); }, Qt::QueuedConnection);
        return;
    }
    viewport()->update(area);
}

void CQuillomerView::OnDocumentUpdate()
{
    if (m_hot && !DocHolds(m_doc, m_hot))
        m_hot = nullptr;
    viewport()->update();
}

// ---------------------------------------------------------------- hit test and selection

CBaseDevice* CQuillomerView::HitTest(CPoint point) const
{
    CBaseDevice* found = nullptr;
    ForEachObject([&](CBaseDevice* obj) {
        if (HasSheetSymbol(*obj) && obj->HitTest(point)) {
            found = obj;
            return false;
        }
        return true;
    });
    return found;
}

void CQuillomerView::SetHotObject(CBaseDevice* obj)
{
    if (!m_hot)
        return;
    if (obj) {
        m_hot = obj;
    } else if (m_hot->IsHot()) {
        m_hot = nullptr;
    }
    viewport()->update();
}

void CQuillomerView::AddToSelection(CBaseDevice* obj)
{
    if (!obj)
        return;
    if (std::find(m_selection.begin(), m_selection.end(), obj) == m_selection.end())
        m_selection.push_back(obj);
    // A relay topology moves together with the lines it feeds.
    if (obj->GetCategory() == CAT_RELAIS_TOPOLOGY) {
        for (LinkRecord* r : obj->m_inLinks) {
            if (r->HasPartner() &&
                std::find(m_selection.begin(), m_selection.end(), r->partner) == m_selection.end())
                m_selection.push_back(r->partner);
        }
    }
    viewport()->update();
}

void CQuillomerView::ClearSelection()
{
    m_selection.clear();
    viewport()->update();
}

void CQuillomerView::SelectInRect(const CRect& rect, std::vector<CBaseDevice*>& list)
{
    ForEachObject([&](CBaseDevice* obj) {
        const CRect r = obj->GetRect();
        if (!HasSheetSymbol(*obj) || obj->GetCategory() == CAT_ZONE)
            return true;
        if (r.left >= rect.left && r.top >= rect.top && r.right <= rect.right && r.bottom <= rect.bottom) {
            if (std::find(list.begin(), list.end(), obj) == list.end())
                list.push_back(obj);
            if (obj->GetCategory() == CAT_RELAIS_TOPOLOGY) {
                for (LinkRecord* in : obj->m_inLinks) {
                    if (!in->HasPartner())
                        continue;
                    if (std::find(m_selection.begin(), m_selection.end(), in->partner) == m_selection.end())
                        m_selection.push_back(in->partner);
                    in->partner->Redraw();
                }
            }
            obj->Redraw();
        }
        return true;
    });
    viewport()->update();
}

// ---------------------------------------------------------------- tool tip

bool CQuillomerView::IsToolTipShown() const { return m_tipShown; }

void CQuillomerView::UpdateToolTip(CBaseDevice* obj, bool show)
{
    if (!obj) {
        if (m_tipShown)
            QToolTip::hideText();
        m_tipShown = false;
        m_tipObject = nullptr;
        m_tipText.clear();
        return;
    }
    if (m_tipShown) {
        if (!show) {
            QToolTip::hideText();
            m_tipShown = false;
        } else if (obj != m_tipObject) {
            QToolTip::hideText();
            m_tipShown = false;
        }
    }
    if (show && !m_tipShown) {
        const QString text = QString::fromStdString(obj->GetListText());
        if (!text.isEmpty()) {
            m_tipText = text;
            m_tipShown = true;
            ++m_tipShowCount;
            QToolTip::showText(QCursor::pos(),
                               QStringLiteral("<span style=\"color:#ff0000\">%1</span>").arg(text.toHtmlEscaped()), this);
        }
    }
    m_tipObject = obj;
}

// ---------------------------------------------------------------- mouse

void CQuillomerView::SetStatus(const QString& text)
{
    if (CMainFrame* frame = GetMainFrame())
        frame->SetStatusText(text);
}

void CQuillomerView::AutoScrollBand(QRect& band)
{
    const QRect client = viewport()->rect();
    const QRect n = band.normalized();
    auto scroll = [&](int dx, int dy) {
        const QPoint s = GetScrollPosition();
        ScrollToPosition(QPoint(s.x() + dx, s.y() + dy));
        viewport()->update(n);
    };
    if (n.right() > client.right() - 10)
        scroll(10, 0);
    if (n.left() < client.left() + 10)
        scroll(-10, 0);
    if (n.top() < client.top() + 10)
        scroll(0, -10);
    if (n.bottom() > client.bottom() - 10)
        scroll(0, 10);
}

void CQuillomerView::HandleMouseMove(Qt::MouseButtons buttons, const QPoint& client)
{
    if (!m_doc)
        return;
    if (m_dragPending && !(buttons & Qt::LeftButton)) {
        // The button came up where the view did not see it (a question the
        // press opened, such as an input card's MIC/LINE switch, took the
        // release): the press ends here, and the mouse is followed again.
        HandleLeftButtonUp(client);
    }
    if (m_dragPending) {
        if ((client - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragPending = false;
            DragSelection(m_pressPoint);
        }
        return;
    }
    if (m_band) {
        m_bandRect = QRect(m_bandAnchor, client);
        AutoScrollBand(m_bandRect);
        m_band->setGeometry(m_bandRect.normalized());
        return;
    }
    if (!m_selection.empty())
        return;

    const CPoint lp = ClientToLogical(client);
    auto dc = MakeMeasurePainter();
    if (m_hot && !DocHolds(m_doc, m_hot))
        m_hot = nullptr;
    if (m_hot) {
        if (!m_hot->HitTest(lp)) {
            CBaseDevice* obj = HitTest(lp);
            UpdateToolTip(obj, true);
            m_hot->DrawCold(*dc);
            m_hot->InvalidateRect(m_hot->GetBoundingRect().left - 1, m_hot->GetBoundingRect().top - 1,
                                  m_hot->GetBoundingRect().right + 1, m_hot->GetBoundingRect().bottom + 1, true);
            if (obj) {
                m_hot = obj;
                obj->DrawHot(*dc);
                SetStatus(tr("Mit rechtem Mausclick Eigenschaften einstellen"));
            } else {
                m_hot = nullptr;
                SetStatus(tr("Bereit"));
            }
            viewport()->update();
        } else if (m_hot->TrackConnector(*dc, lp)) {
            viewport()->update();
        } else if (m_hot->GetLabelRect().PtInRect(lp) && !m_labelEdit) {
            viewport()->setCursor(Qt::IBeamCursor);
            SetStatus(tr("Mit linkem Mausclick Name editieren"));
        } else {
            viewport()->setCursor(Qt::ArrowCursor);
            SetStatus(tr("Mit linkem Doppelclick Eigenschaften editieren"));
        }
    } else if (!m_labelEdit) {
        CBaseDevice* obj = HitTest(lp);
        UpdateToolTip(obj, true);
        if (obj) {
            m_hot = obj;
            obj->DrawHot(*dc);
            SetStatus(tr("Mit rechtem Mausclick Eigenschaften einstellen"));
            viewport()->update();
        }
    }

    if (buttons & Qt::LeftButton) {
        // A rubber band from here selects what it encloses.
        if (m_hot) {
            m_hot->Redraw();
            m_hot->DrawCold(*dc);
            m_hot = nullptr;
        }
        m_bandAnchor = client;
        m_bandRect = QRect(client, client);
        m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
        m_band->setGeometry(m_bandRect);
        m_band->show();
    }
}

void CQuillomerView::HandleLeftButtonUp(const QPoint&)
{
    if (m_band) {
        const QRect r = m_bandRect.normalized();
        delete m_band;
        m_band = nullptr;
        const CPoint a = ClientToLogical(r.topLeft());
        const CPoint b = ClientToLogical(QPoint(r.left() + r.width(), r.top() + r.height()));
        SelectInRect(CRect(a.x, a.y, b.x, b.y), m_selection);
        return;
    }
    if (m_dragPending) {
        // The button came up before the drag began: the drag ends at once.
        m_dragPending = false;
        for (auto it = m_selection.rbegin(); it != m_selection.rend(); ++it) {
            const CRect g = Grown((*it)->GetRect(), 2);
            (*it)->InvalidateRect(g.left, g.top, g.right, g.bottom, true);
        }
        ClearSelection();
    }
}

void CQuillomerView::HandleLeftButtonDown(Qt::KeyboardModifiers, const QPoint& client)
{
    if (!m_doc)
        return;
    const CPoint lp = ClientToLogical(client);
    if (!m_selection.empty()) {
        m_dragPending = true;
        m_pressPoint = client;
        return;
    }
    if (m_labelEdit) {
        CommitLabelEdit(client == QPoint(-1, -1));
        return;
    }
    if (m_hot && DocHolds(m_doc, m_hot)) {
        if (m_hot->HitTestLabel(lp)) {
            if (!BeginLabelEdit(lp, m_hot))
                ShowMessage(tr("Zu wenig Speicher !").toStdString(), mb::IconStop);
        } else if (m_hot->GetCategory() != CAT_ZONE) {
            AddToSelection(m_hot);
            m_dragPending = true;
            m_pressPoint = client;
        }
    }
}

void CQuillomerView::mouseMoveEvent(QMouseEvent* event)
{
    HandleMouseMove(event->buttons(), event->position().toPoint());
}

void CQuillomerView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        HandleLeftButtonDown(event->modifiers(), event->position().toPoint());
    setFocus();
    QAbstractScrollArea::mousePressEvent(event);
}

void CQuillomerView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        HandleLeftButtonUp(event->position().toPoint());
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CQuillomerView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_dragPending = false;
    if (m_hot && DocHolds(m_doc, m_hot)) {
        const CPoint lp = ClientToLogical(event->position().toPoint());
        m_hot->OnOpen(static_cast<uint32_t>(event->modifiers()), static_cast<uint32_t>(lp.x), static_cast<uint32_t>(lp.y));
        if (!DocHolds(m_doc, m_hot))
            m_hot = nullptr;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CQuillomerView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_hot || !DocHolds(m_doc, m_hot))
        return;
    // The menu's command may delete the object (or others).
    // A right click arrives through the viewport, the menu key on the view
    // itself: the global position serves both.
    m_hot->OnContextMenu(ClientToLogical(viewport()->mapFromGlobal(event->globalPos())));
    if (m_hot && !DocHolds(m_doc, m_hot))
        m_hot = nullptr;
    m_selection.erase(std::remove_if(m_selection.begin(), m_selection.end(),
                                     [this](CBaseDevice* o) { return !DocHolds(m_doc, o); }),
                      m_selection.end());
    viewport()->update();
}

// ---------------------------------------------------------------- keys

uint32_t CQuillomerView::VirtualKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_End: return 0x23;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Space: return 0x20;
    default:
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<uint32_t>(key);
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<uint32_t>(key);
        if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
            return 0x70 + static_cast<uint32_t>(key - Qt::Key_F1);
        return 0;
    }
}

void CQuillomerView::HandleKeyDown(uint32_t key, uint32_t repeat)
{
    if (!m_doc)
        return;
    // An object may delete itself (or others) on a key: check each is still there.
    const std::vector<CBaseDevice*> selection = m_selection;
    m_selection.clear();
    for (auto it = selection.rbegin(); it != selection.rend(); ++it) {
        if (!DocHolds(m_doc, *it))
            continue;
        const CRect g = Grown((*it)->GetRect(), 2);
        (*it)->InvalidateRect(g.left, g.top, g.right, g.bottom, true);
        (*it)->OnKeyDown(key, repeat, 0);
    }
    if (m_hot && !DocHolds(m_doc, m_hot))
        m_hot = nullptr;
    if (m_hot) {
        m_hot->OnKeyDown(key, repeat, 0);
        if (!DocHolds(m_doc, m_hot))
            m_hot = nullptr;
    }
    viewport()->update();
}

void CQuillomerView::keyPressEvent(QKeyEvent* event)
{
    // Enter opens the object under the mouse, as a double click does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_selection.empty() && !m_labelEdit &&
        m_hot && DocHolds(m_doc, m_hot)) {
        const CPoint lp = ClientToLogical(viewport()->mapFromGlobal(QCursor::pos()));
        m_hot->OnOpen(static_cast<uint32_t>(event->modifiers()), static_cast<uint32_t>(lp.x), static_cast<uint32_t>(lp.y));
        if (!DocHolds(m_doc, m_hot))
            m_hot = nullptr;
        viewport()->update();
        return;
    }
    const uint32_t vk = VirtualKeyOf(event->key());
    if (vk && (m_hot || !m_selection.empty())) {
        HandleKeyDown(vk, static_cast<uint32_t>(std::max(1, event->count())));
        return;
    }
    if (!m_selection.empty())
        ClearSelection();
    QAbstractScrollArea::keyPressEvent(event);
}

void CQuillomerView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (m_labelEdit)
        m_labelEdit->setFocus();
    // The modeless audio inputs and outputs dialogs follow the document in front.
    if (m_doc) {
        RetargetAudioInputsDlg(m_doc);
        RetargetAudioOutputsDlg(m_doc);
    }
}

// ---------------------------------------------------------------- label edit

bool CQuillomerView::BeginLabelEdit(CPoint, CBaseDevice* obj)
{
    if (!obj)
        return false;
    const QString name = QString::fromStdString(obj->GetName());
    CRect r = obj->GetLabelRect();
    if (r.Width() < 90)
        r.right = r.left + 100;
    r.left -= 2;
    r.right += 2;
    r.top += 1;
    r.bottom -= 1;
    const QRect client = LogicalToClient(r);
    obj->Redraw();
    SetHotObject(nullptr);

    m_labelEdit = new CLabelEdit(viewport());
    QPointer<CQuillomerView> self(this);
    m_labelEdit->SetNotify([self](bool cancel) {
        if (self)
            self->HandleLeftButtonDown(Qt::NoModifier, cancel ? QPoint(-1, -1) : QPoint(0, 0));
    });
    // Edit in the font the label is drawn with, scaled like the sheet.
    CMainFrame* frame = GetMainFrame();
    QFont font = CQtPainter::ObjectFont(frame ? frame->GetFontManager() : nullptr, IPainter::FontNames);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * m_zoom / 4.0))));
    m_labelEdit->SetLook(client, QColor(255, 255, 128), font, false);
    m_labelEdit->setText(name);
    m_labelEdit->show();
    m_labelEdit->setFocus();
    m_labelEdit->selectAll();
    m_editObject = obj;
    return true;
}

void CQuillomerView::CommitLabelEdit(bool cancel)
{
    if (!m_labelEdit)
        return;
    CBaseDevice* obj = m_editObject;
    const std::string text = m_labelEdit->text().toStdString();
    EndLabelEdit(cancel);
    // A name taken as it stands is no rename: some objects share their
    // name with another by design (a card slot and its block), and the
    // uniqueness check would give the unchanged one a counter.
    if (!cancel && obj && DocHolds(m_doc, obj) && text != obj->GetName()) {
        const std::string before = obj->GetName();
        std::string name = text;
        // The message box's loop may close the view (and its project) that
        // was asked to close while the name was being typed.
        const QPointer<CQuillomerView> alive(this);
        obj->SetNameUnique(name, true);
        if (!alive)
            return;
        // A new name is a change of the project that must be saved.
        if (DocHolds(m_doc, obj)) {
            if (obj->GetName() != before)
                obj->SetDocModified();
            obj->Redraw();
        }
    }
    viewport()->update();
}

void CQuillomerView::EndLabelEdit(bool)
{
    if (m_labelEdit) {
        m_labelEdit->SetNotify(nullptr);
        m_labelEdit->hide();
        m_labelEdit->deleteLater();
        m_labelEdit = nullptr;
    }
    m_editObject = nullptr;
    setFocus();
}

// ---------------------------------------------------------------- commands

bool CQuillomerView::OnCommand(int id)
{
    if (id >= ids::ObjectCommandFirst && id <= ids::ObjectCommandLast) {
        if (m_hot && DocHolds(m_doc, m_hot)) {
            CBaseDevice* hot = m_hot;
            hot->OnCommand(static_cast<uint32_t>(id));
            if (!DocHolds(m_doc, hot)) {
                m_hot = nullptr;
                m_selection.erase(std::remove(m_selection.begin(), m_selection.end(), hot), m_selection.end());
            }
            viewport()->update();
        }
        return true;
    }
    switch (id) {
    case ids::Connections:
        if (m_hot && DocHolds(m_doc, m_hot)) {
            CConnectionsDlg dlg;
            dlg.m_pDevice = m_hot;
            dlg.exec();
        }
        return true;
    case ids::ZoomIn:
        OnZoomIn();
        return true;
    case ids::ZoomOut:
        OnZoomOut();
        return true;
    case ids::EditTextFile:
        OnEditTextFile();
        return true;
    case ids::FilePrint:
        OnFilePrint(false);
        return true;
    case ids::FilePrintPreview:
        OnFilePrint(true);
        return true;
    default:
        return false;
    }
}

bool CQuillomerView::OnUpdateCommand(CCmdUI& ui)
{
    const int id = static_cast<int>(ui.m_nID);
    if (id >= ids::ObjectCommandFirst && id <= ids::ObjectCommandLast) {
        if (id != featurecmd::Recorder && m_hot && DocHolds(m_doc, m_hot))
            m_hot->OnUpdateCommand(ui);
        return true;
    }
    switch (id) {
    case ids::ZoomIn:
        ui.Enable(m_zoom < kMaxZoom);
        return true;
    case ids::ZoomOut:
        ui.Enable(m_zoom > kMinZoom);
        return true;
    case ids::Connections:
        ui.Enable(m_hot && DocHolds(m_doc, m_hot));
        return true;
    case ids::FilePrint:
    case ids::FilePrintPreview:
    case ids::EditTextFile:
        return true;
    default:
        return false;
    }
}

QString CQuillomerView::TextFileName() const
{
    QString name = m_doc ? QString::fromStdString(m_doc->GetProjectName()) : QString();
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return name + QStringLiteral(".txt");
}

QString CQuillomerView::TextFileDirectory() const
{
    const QString path = m_doc ? QString::fromStdString(m_doc->GetPathName()) : QString();
    return path.isEmpty() ? QDir::currentPath() : QFileInfo(path).absolutePath();
}

void CQuillomerView::OnEditTextFile()
{
    CTextFileDlg dlg(TextFileName(), TextFileDirectory(), this);
    dlg.exec();
}

// ---------------------------------------------------------------- drag and drop

namespace {
// The next object of dragged data, as the drop takes it (a relay topology
// takes the next free number); null at the end and where the data is
// damaged: what was read until then stays.
CBaseDevice* ReadDraggedObject(CArchive& ar)
{
    if (ar.AtEnd())
        return nullptr;
    CBaseDevice* obj = nullptr;
    try {
        obj = ar.ReadObjectAs<CBaseDevice>();
    } catch (const std::exception&) {
        return nullptr;
    }
    if (obj && obj->GetType() == OT_RELAIS_TOPOLOGY)
        obj->m_number = -1;
    return obj;
}
}  // namespace

QByteArray CQuillomerView::SelectionData() const
{
    std::vector<uint8_t> bytes;
    {
        CArchive ar(bytes);
        ar.m_pDocument = m_doc;
        for (CBaseDevice* obj : m_selection)
            ar.WriteObject(obj);
    }
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

void CQuillomerView::DragSelection(const QPoint& client)
{
    if (m_selection.empty())
        return;
    const CPoint lp = ClientToLogical(client);
    CDragData d;
    d.processId = static_cast<uint32_t>(QCoreApplication::applicationPid());
    d.view = ViewId(this);
    d.window = d.view;
    d.grabClient = client;
    d.grabLogical = QPoint(lp.x, lp.y);
    for (CBaseDevice* obj : m_selection)
        d.rects.push_back(LogicalToClient(obj->GetRect()).normalized());
    // The objects travel with the drag: a window of another running program
    // asks for them after the drag has ended here, when the selection is
    // gone.
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(CDragData::MimeType()), d.Encode());
    mime->setData(QString::fromLatin1(CDragData::TransferMimeType()), SelectionData());
    if (m_dragRunner) {
        m_dragRunner(mime);
        delete mime;
    } else {
        // The platform keeps the drag (and its data) until the other
        // program has taken what was dropped there; it deletes it then.
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->exec(Qt::MoveAction, Qt::MoveAction);
    }
    for (auto it = m_selection.rbegin(); it != m_selection.rend(); ++it) {
        if (!DocHolds(m_doc, *it))
            continue;
        const CRect g = Grown((*it)->GetRect(), 2);
        (*it)->InvalidateRect(g.left, g.top, g.right, g.bottom, true);
    }
    ClearSelection();
}

bool CQuillomerView::CanAccept(const QMimeData* data) const
{
    return m_doc && data && data->hasFormat(QString::fromLatin1(CDragData::MimeType()));
}

void CQuillomerView::DoDragEnter(const QMimeData* data, const QPoint& client)
{
    const std::optional<CDragData> d = CDragData::Decode(data->data(QString::fromLatin1(CDragData::MimeType())));
    if (!d)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    m_feedback.clear();
    const QPoint shift = client - d->grabClient;
    for (const QRect& r : d->rects)
        m_feedback.push_back(r.translated(shift));
    m_feedbackShown = true;
    m_lastDragPoint = client;
    viewport()->update();
}

void CQuillomerView::DoDragOver(const QPoint& client)
{
    const QPoint d = client - m_lastDragPoint;
    for (QRect& r : m_feedback)
        r.translate(d);
    m_lastDragPoint = client;
    viewport()->update();
}

void CQuillomerView::DoDragLeave()
{
    m_feedbackShown = false;
    m_feedback.clear();
    viewport()->update();
}

bool CQuillomerView::DoDrop(const QMimeData* data, Qt::DropAction action, const QPoint& client)
{
    // The drag ends here, whatever it brought: its frame goes.
    DoDragLeave();
    if (!CanAccept(data))
        return false;
    const std::optional<CDragData> d = CDragData::Decode(data->data(QString::fromLatin1(CDragData::MimeType())));
    if (!d)
        return false;

    const CPoint dropL = ClientToLogical(client);
    const int dx = dropL.x - d->grabLogical.x();
    const int dy = dropL.y - d->grabLogical.y();
    const bool sameProcess = d->processId == static_cast<uint32_t>(QCoreApplication::applicationPid());
    CQuillomerView* source = nullptr;
    if (sameProcess) {
        auto it = ViewRegistry().find(d->view);
        source = it == ViewRegistry().end() ? nullptr : it->second;
    }

    if (source == this && action == Qt::MoveAction) {
        // A move on the sheet: by the distance from the grab point to where the drag was last seen.
        const CPoint last = ClientToLogical(m_lastDragPoint);
        const int mx = last.x - d->grabLogical.x();
        const int my = last.y - d->grabLogical.y();
        for (CBaseDevice* obj : m_selection) {
            obj->Redraw();
            if (obj->GetCategory() != CAT_ZONE) {
                obj->MoveBy(mx, my, true);
                obj->AvoidOverlap();
            }
            obj->Redraw();
            for (LinkRecord* in : obj->m_inLinks)
                if (in->HasPartner() && in->partner->m_linkMode == 1)
                    in->partner->Redraw();
        }
        viewport()->update();
        return true;
    }

    // A move to another window of this program: the objects are read into
    // this document first, and only those that really arrived are deleted in
    // the source, so that nothing is lost when this document refuses some.
    const bool moveFromOtherView = source && source != this && action == Qt::MoveAction;
    if (!moveFromOtherView && action == Qt::IgnoreAction)
        return true;
    const std::vector<CBaseDevice*> given = moveFromOtherView ? source->m_selection : std::vector<CBaseDevice*>();

    // Read the objects the drag brought, as new objects of this document.
    // Data that cannot be had pastes nothing, and the user is told below.
    const QByteArray bytes = data->data(QString::fromLatin1(CDragData::TransferMimeType()));
    std::vector<CBaseDevice*> pasted;
    std::vector<bool> arrived;  // by position in the transfer (= the source's selection order)
    QStringList refused;
    {
        // A project never holds two objects of one number: one whose number
        // is held here and that cannot take another (a card slot, the
        // interface, a control pad) stays out. Which they are is found on a
        // first reading aside, in a document of its own: reading a card
        // already gives its document the values the card carries for the
        // whole project, which one that stays out must not change here.
        CQuillomerDoc aside;
        const auto* begin = reinterpret_cast<const uint8_t*>(bytes.constData());
        const auto size = static_cast<size_t>(bytes.size());
        std::vector<bool> fits;
        {
            CArchive ar(begin, size);
            ar.m_pDocument = &aside;
            while (CBaseDevice* obj = ReadDraggedObject(ar)) {
                obj->m_pDocument = m_doc;
                fits.push_back(obj->CanTakeItsNumber());
                obj->m_pDocument = &aside;
                delete obj;
            }
        }
        CArchive ar(begin, size);
        for (size_t k = 0; k < fits.size(); ++k) {
            ar.m_pDocument = fits[k] ? m_doc : &aside;
            CBaseDevice* obj = ReadDraggedObject(ar);
            if (!obj)
                break;
            obj->m_pDocument = ar.m_pDocument;
            if (!fits[k] || !obj->CanTakeItsNumber()) {
                refused << QString::fromStdString(obj->GetName());
                arrived.push_back(false);
                obj->m_pDocument = &aside;
                delete obj;
                continue;
            }
            if (!obj->InitObject()) {
                refused << QString::fromStdString(obj->GetName());
                arrived.push_back(false);
                delete obj;
                continue;
            }
            arrived.push_back(true);
            pasted.push_back(obj);
            m_doc->AddObject(obj, obj->GetCategory());
            // Where it was dropped, as far as the object may move: one that
            // moves only up and down (amplifiers, topologies, lines) keeps
            // its column, where the user could never put it back otherwise.
            obj->MoveBy(dx, dy, true);
            obj->SetDocModified();  // also when it may not move here
            obj->AvoidOverlap();
            viewport()->update(LogicalToClient(obj->GetBoundingRect()));
        }
    }

    if (moveFromOtherView) {
        source->m_selection.clear();
        for (size_t k = given.size(); k-- > 0;) {
            CBaseDevice* obj = given[k];
            if (!DocHolds(source->m_doc, obj))
                continue;
            if (k >= arrived.size() || !arrived[k]) {
                // Not carried over: it stays where it was.
                if (k >= arrived.size())
                    refused << QString::fromStdString(obj->GetName());
                continue;
            }
            obj->Redraw();
            if (source->m_hot == obj)
                source->m_hot = nullptr;
            obj->OnCommand(ids::ObjectDelete);
        }
        source->viewport()->update();
    }
    const size_t total = d->rects.size();
    if (pasted.size() < total) {
        // Report what did not arrive; after the drag, not inside it.
        QString text = tr("%1 von %2 Objekten konnten nicht eingefügt werden.").arg(total - pasted.size()).arg(total);
        if (!refused.isEmpty())
            text += QLatin1Char('\n') + refused.join(QStringLiteral(", "));
        if (moveFromOtherView)
            text += QLatin1Char('\n') + tr("Sie bleiben im ursprünglichen Projekt.");
        QMetaObject::invokeMethod(
            qApp, [text] { ShowMessage(text.toStdString(), mb::Ok | mb::IconExclamation); }, Qt::QueuedConnection);
    }
    ReconnectTopologies(pasted);
    viewport()->update();
    return true;
}

void CQuillomerView::ReconnectTopologies(const std::vector<CBaseDevice*>& pasted)
{
    CBaseDevice* group0 = nullptr;
    for (CBaseDevice* g : m_doc->GetList(CAT_GROUP)) {
        group0 = g->GetNumber() == 0 ? g : nullptr;
        break;
    }
    for (size_t k = 0; k < pasted.size(); ++k) {
        CBaseDevice* topo = pasted[k];
        if (topo->GetCategory() != CAT_RELAIS_TOPOLOGY)
            continue;
        const int m = topo->m_outputCount;
        for (int i = 0; i < m && k + 1 + i < pasted.size(); ++i) {
            CBaseDevice* line = pasted[k + 1 + i];
            topo->AddInLink(topo, i, line, 0, CAT_ZONE);
            line->AddOutLink(line, 0, topo, i, CAT_RELAIS_TOPOLOGY);
            if (static_cast<size_t>(i) < topo->m_outputPoints.size() && !line->m_inputPoints.empty())
                line->MoveBy(0, topo->m_outputPoints[i].y - line->m_inputPoints[0].y, true);
            if (group0) {
                line->AddInLink(line, 0, group0, 0, CAT_GROUP);
                group0->AddOutLink(group0, 0, line, 0, CAT_ZONE);
            }
            // The pasted line gives up its line relays; the topology numbers them anew.
            if (auto* zone = dynamic_cast<CZone*>(line))
                zone->SetLineRelayCount(relaiskind::Line, 0);
            line->Redraw();
        }
        if (auto* topology = dynamic_cast<CRelaisTopology*>(topo))
            topology->AssignRelais(-1);
    }
}

void CQuillomerView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!CanAccept(event->mimeData())) {
        event->ignore();
        return;
    }
    DoDragEnter(event->mimeData(), viewport()->mapFrom(this, event->position().toPoint()));
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CQuillomerView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!CanAccept(event->mimeData())) {
        event->ignore();
        return;
    }
    DoDragOver(viewport()->mapFrom(this, event->position().toPoint()));
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CQuillomerView::dragLeaveEvent(QDragLeaveEvent* event)
{
    DoDragLeave();
    event->accept();
}

void CQuillomerView::dropEvent(QDropEvent* event)
{
    const Qt::DropAction action = (event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
    if (DoDrop(event->mimeData(), action, viewport()->mapFrom(this, event->position().toPoint()))) {
        event->setDropAction(action);
        event->accept();
    } else {
        event->ignore();
    }
}

bool CQuillomerView::viewportEvent(QEvent* event)
{
    // Over the sheet the drag events come in the viewport's coordinates; the
    // handlers take the view's, as for those over its frame. Else a move on
    // the sheet falls short of the mouse by the frame's width.
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QAbstractScrollArea::viewportEvent(event);
    auto* e = static_cast<QDropEvent*>(event);
    const QPointF at = e->position() + QPointF(viewport()->pos());
    if (type == QEvent::DragEnter) {
        QDragEnterEvent copy(at.toPoint(), e->possibleActions(), e->mimeData(), e->buttons(), e->modifiers());
        dragEnterEvent(&copy);
        e->setDropAction(copy.dropAction());
        e->setAccepted(copy.isAccepted());
    } else if (type == QEvent::DragMove) {
        QDragMoveEvent copy(at.toPoint(), e->possibleActions(), e->mimeData(), e->buttons(), e->modifiers());
        dragMoveEvent(&copy);
        e->setDropAction(copy.dropAction());
        e->setAccepted(copy.isAccepted());
    } else {
        QDropEvent copy(at, e->possibleActions(), e->mimeData(), e->buttons(), e->modifiers());
        dropEvent(&copy);
        e->setDropAction(copy.dropAction());
        e->setAccepted(copy.isAccepted());
    }
    return true;
}

// ---------------------------------------------------------------- printing

void CQuillomerView::OnFilePrint(bool preview)
{
    CPrintContentDlg dlg(this);
    dlg.m_bPreview = preview;
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_printMode = CPrintContentDlg::PrintModeOf(dlg.m_nContent);
    QPrinter printer(QPrinter::HighResolution);
    if (CQuillomerApp* app = CQuillomerApp::Instance())
        app->ApplyPrintSetup(printer);
    CViewPrinter job(this, m_printMode);
    if (preview) {
        CPrintPreviewDlg dlgPreview(&printer, this);
        connect(&dlgPreview, &QPrintPreviewDialog::paintRequested, this, [&job](QPrinter* p) { job.Print(p); });
        // More than one page: show two at a time.
        {
            CViewPrinter count(this, m_printMode);
            QImage scratch(1, 1, QImage::Format_RGB32);
            QPainter painter(&scratch);
            count.Begin(painter, printer.width(), printer.height(), printer.logicalDpiX(), printer.logicalDpiY());
            if (count.GetPageCount() > 1)
                if (auto* widget = dlgPreview.findChild<QPrintPreviewWidget*>())
                    widget->setViewMode(QPrintPreviewWidget::FacingPagesView);
            count.End();
        }
        dlgPreview.exec();
    } else {
        QPrintDialog dlgPrint(&printer, this);
        if (dlgPrint.exec() == QDialog::Accepted)
            job.Print(&printer);
    }
}
