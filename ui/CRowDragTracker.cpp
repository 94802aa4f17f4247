#include "ui/CRowDragTracker.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

CRowDragTracker::CRowDragTracker(QWidget* dialog) : QObject(dialog), m_pDialog(dialog) {}

CRowDragTracker::~CRowDragTracker() = default;

void CRowDragTracker::Watch(QWidget* view, QWidget* viewport)
{
    m_Views.append(qMakePair(QPointer<QWidget>(view), QPointer<QWidget>(viewport)));
    viewport->installEventFilter(this);
}

void CRowDragTracker::SetImage(const QPixmap& image, const QPoint& hotSpot)
{
    m_Image = image;
    m_HotSpot = hotSpot;
}

QWidget* CRowDragTracker::ImageWindow() const
{
    return m_ImageWindow.Window();
}

QWidget* CRowDragTracker::ViewOf(QObject* viewport) const
{
    for (const auto& [view, port] : m_Views)
        if (port == viewport)
            return view;
    return nullptr;
}

bool CRowDragTracker::Begin(QWidget* view, const QPoint& pos)
{
    if (m_pSource || !view || (canBegin && !canBegin(view, pos)))
        return false;
    m_pSource = view;
    if (!m_Image.isNull())
        m_ImageWindow.SetImage(m_Image, m_HotSpot);
    QWidget* port = nullptr;
    for (const auto& [v, p] : m_Views)
        if (v == view)
            port = p;
    Move(port ? port->mapToGlobal(pos) : pos);
    if (!m_Image.isNull())
        m_ImageWindow.Show();
    return true;
}

void CRowDragTracker::Move(const QPoint& globalPos)
{
    if (!m_pSource)
        return;
    m_ImageWindow.MoveTo(globalPos);
    if (cursorAt) {
        m_pDialog->setCursor(cursorAt(globalPos));
    } else {
        // Inside the dialog the pointer shows a drop may follow; outside it does not.
        const bool inside = m_pDialog->frameGeometry().contains(globalPos);
        m_pDialog->setCursor(inside ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    }
    if (moved)
        moved(globalPos);
}

void CRowDragTracker::End(const QPoint& globalPos)
{
    if (!m_pSource)
        return;
    QWidget* source = m_pSource;
    m_pSource = nullptr;
    m_ImageWindow.Hide();
    m_pDialog->unsetCursor();
    if (dropped)
        dropped(source, globalPos);
}

bool CRowDragTracker::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* view = ViewOf(watched);
    if (!view)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            m_pPressView = view;
            m_PressPos = e->position().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (m_pSource) {
            Move(e->globalPosition().toPoint());
            return true;
        }
        if (m_pPressView == view && (e->buttons() & Qt::LeftButton) &&
            (e->position().toPoint() - m_PressPos).manhattanLength() >= QApplication::startDragDistance()) {
            m_pPressView = nullptr;
            if (Begin(view, m_PressPos))
                return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        m_pPressView = nullptr;
        if (m_pSource && e->button() == Qt::LeftButton) {
            End(e->globalPosition().toPoint());
            return true;
        }
        break;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}
