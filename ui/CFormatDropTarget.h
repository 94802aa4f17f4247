#pragma once
// Drop target that accepts only the program's own "DATA Object" format (a
// private MIME type) and offers copy while Ctrl is held, move otherwise. The
// owner registers it for its windows and receives drops via DataDropped.

#include <QByteArray>
#include <QMimeData>
#include <QObject>
#include <QPoint>

class QWidget;

class CFormatDropTarget : public QObject {
    Q_OBJECT
public:
    explicit CFormatDropTarget(QObject* parent = nullptr);

    // The MIME type that stands for the clipboard format "DATA Object".
    static QString DataObjectMimeType();
    // A data object offering `payload` in that format (the caller owns it).
    static QMimeData* CreateDataObject(const QByteArray& payload);
    static bool HasDataObject(const QMimeData* data);
    static QByteArray ReadDataObject(const QMimeData* data);

    // Makes `window` a drop target served by this object.
    bool Register(QWidget* window);
    // Copy with Ctrl, move without; nothing without the format.
    Qt::DropAction OnDragEnter(QWidget* window, const QMimeData* data, Qt::KeyboardModifiers keys,
                               const QPoint& point) const;

signals:
    void DataDropped(QWidget* window, const QByteArray& payload, Qt::DropAction action, const QPoint& point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
