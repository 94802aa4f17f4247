#include "ui/CFormatDropTarget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QWidget>

CFormatDropTarget::CFormatDropTarget(QObject* parent) : QObject(parent) {}

QString CFormatDropTarget::DataObjectMimeType()
{
    return QStringLiteral("application/x-quillomer-data-object");
}

QMimeData* CFormatDropTarget::CreateDataObject(const QByteArray& payload)
{
    auto* data = new QMimeData;
    data->setData(DataObjectMimeType(), payload);
    return data;
}

bool CFormatDropTarget::HasDataObject(const QMimeData* data)
{
    return data && data->hasFormat(DataObjectMimeType());
}

QByteArray CFormatDropTarget::ReadDataObject(const QMimeData* data)
{
    return HasDataObject(data) ? data->data(DataObjectMimeType()) : QByteArray();
}

bool CFormatDropTarget::Register(QWidget* window)
{
    if (!window)
        return false;
    window->setAcceptDrops(true);
    window->removeEventFilter(this);
    window->installEventFilter(this);
    return true;
}

Qt::DropAction CFormatDropTarget::OnDragEnter(QWidget*, const QMimeData* data, Qt::KeyboardModifiers keys,
                                              const QPoint&) const
{
    if (!HasDataObject(data))
        return Qt::IgnoreAction;
    return (keys & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}

bool CFormatDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        const Qt::DropAction action = OnDragEnter(window, e->mimeData(), e->modifiers(), e->position().toPoint());
        if (action != Qt::IgnoreAction && (e->possibleActions() & action)) {
            e->setDropAction(action);
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        const Qt::DropAction action = OnDragEnter(window, e->mimeData(), e->modifiers(), e->position().toPoint());
        if (action == Qt::IgnoreAction || !(e->possibleActions() & action)) {
            e->ignore();
            return true;
        }
        e->setDropAction(action);
        e->accept();
        emit DataDropped(window, ReadDataObject(e->mimeData()), action, e->position().toPoint());
        return true;
    }
    default: return QObject::eventFilter(watched, event);
    }
}
