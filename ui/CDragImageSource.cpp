#include "ui/CDragImageSource.h"

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

#include <memory>

CDragImageSource::CDragImageSource() = default;

CDragImageSource::~CDragImageSource()
{
    if (m_pLoop)
        m_pLoop->exit();
    qApp->removeEventFilter(this);
    EndDragImage();
}

bool CDragImageSource::BeginDragImage(int image, const QPoint& hotSpot)
{
    EndDragImage();
    if (!m_pImageList || image < 0 || image >= m_pImageList->size())
        return false;
    m_Image.SetImage(m_pImageList->at(image), hotSpot);
    m_ImagePrepared = true;
    return true;
}

void CDragImageSource::EndDragImage()
{
    m_ImagePrepared = false;
    m_Image.Reset();
}

bool CDragImageSource::IsImageShown() const
{
    return m_Image.IsShown();
}

QPoint CDragImageSource::ImagePosition() const
{
    const QWidget* window = m_Image.Window();
    return window ? window->pos() + m_Image.HotSpot() : QPoint();
}

bool CDragImageSource::GiveFeedback(Qt::DropAction effect)
{
    return GiveFeedback(effect, QCursor::pos());
}

bool CDragImageSource::GiveFeedback(Qt::DropAction effect, const QPoint& cursor)
{
    if (effect != Qt::IgnoreAction) {
        m_Image.MoveTo(cursor);
        if (m_bReEnter && m_ImagePrepared)
            m_Image.Show();
        m_bReEnter = false;
    } else {
        m_Image.Hide();
        m_bReEnter = true;
    }
    return false;  // the standard drag cursors follow
}

Qt::DropAction CDragImageSource::OnBeginDrag(QWidget* window, QMimeData* data, Qt::DropActions allowed,
                                             Qt::DropAction)
{
    std::unique_ptr<QMimeData> owned(data);
    m_bReEnter = true;
    m_pDragWnd = window;
    if (!window || m_pLoop)
        return Qt::IgnoreAction;
    m_pData = owned.get();
    m_Allowed = allowed;
    m_Effect = m_Result = Qt::IgnoreAction;
    m_pTarget = m_pDropTarget = nullptr;
    // Nothing is shown before the pointer moves: the first move finds the
    // widget under it.
    QEventLoop loop;
    m_pLoop = &loop;
    qApp->installEventFilter(this);
    loop.exec();
    qApp->removeEventFilter(this);
    m_pLoop = nullptr;
    Finish();
    m_Image.Hide();
    // The target takes the drop only now that the drag has let go of the
    // mouse and the keys and its picture is gone: a message the target
    // shows can then be answered.
    m_Result = Drop();
    m_pData = nullptr;
    return m_Result;
}

bool CDragImageSource::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_pLoop)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        Over(e->globalPosition().toPoint(), e->modifiers());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        Release(e->globalPosition().toPoint(), e->modifiers());
        m_pLoop->exit();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ShortcutOverride: event->accept(); return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->key() == Qt::Key_Escape && event->type() == QEvent::KeyPress) {
            Leave();
            m_Result = Qt::IgnoreAction;
            m_pLoop->exit();
        } else if (e->key() == Qt::Key_Control && !e->isAutoRepeat() && m_LastPos != QPoint()) {
            // Ctrl decides between copy and move: ask the target again.
            Over(m_LastPos, e->modifiers());
        }
        return true;
    }
    default: return QObject::eventFilter(watched, event);
    }
}

void CDragImageSource::Over(const QPoint& globalPos, Qt::KeyboardModifiers keys)
{
    m_LastPos = globalPos;
    m_LastKeys = keys;
    QWidget* under = CDragImageWindow::DropWidgetAt(globalPos);
    Qt::DropAction effect = Qt::IgnoreAction;
    if (under != m_pTarget) {
        Leave();
        if (under) {
            QDragEnterEvent enter(under->mapFromGlobal(globalPos), m_Allowed, m_pData, Qt::LeftButton, keys);
            QApplication::sendEvent(under, &enter);
            if (enter.isAccepted())
                m_pTarget = under;
        }
    }
    if (under && under == m_pTarget) {
        QDragMoveEvent move(under->mapFromGlobal(globalPos), m_Allowed, m_pData, Qt::LeftButton, keys);
        QApplication::sendEvent(under, &move);
        if (move.isAccepted() && (m_Allowed & move.dropAction()))
            effect = move.dropAction();
    }
    m_Effect = effect;
    SetCursorFor(effect);
    GiveFeedback(effect, globalPos);
}

void CDragImageSource::Leave()
{
    if (QWidget* target = m_pTarget) {
        m_pTarget = nullptr;
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
    }
    m_Effect = Qt::IgnoreAction;
}

void CDragImageSource::Release(const QPoint& globalPos, Qt::KeyboardModifiers keys)
{
    Over(globalPos, keys);
    if (!m_pTarget || m_Effect == Qt::IgnoreAction) {
        Leave();
        return;
    }
    m_pDropTarget = m_pTarget;
    m_pTarget = nullptr;
    m_DropPos = globalPos;
    m_LastKeys = keys;
}

Qt::DropAction CDragImageSource::Drop()
{
    QWidget* target = m_pDropTarget;
    m_pDropTarget = nullptr;
    if (!target || !m_pData)
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(target->mapFromGlobal(m_DropPos)), m_Allowed, m_pData, Qt::LeftButton, m_LastKeys);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted() && (m_Allowed & drop.dropAction()) ? drop.dropAction() : Qt::IgnoreAction;
}

void CDragImageSource::SetCursorFor(Qt::DropAction effect)
{
    Qt::CursorShape shape = Qt::ForbiddenCursor;
    switch (effect) {
    case Qt::CopyAction: shape = Qt::DragCopyCursor; break;
    case Qt::MoveAction: shape = Qt::DragMoveCursor; break;
    case Qt::LinkAction: shape = Qt::DragLinkCursor; break;
    default: break;
    }
    if (!m_CursorSet) {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        m_CursorSet = true;
    } else if (QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() != shape) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    }
}

void CDragImageSource::Finish()
{
    if (m_CursorSet) {
        QGuiApplication::restoreOverrideCursor();
        m_CursorSet = false;
    }
    m_pTarget = nullptr;
    m_Effect = Qt::IgnoreAction;
    m_LastPos = QPoint();
}
