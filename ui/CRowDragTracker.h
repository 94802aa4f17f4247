#pragma once
// Dragging rows between the views of one dialog with the mouse: a press and a
// move beyond the drag distance over a watched view begins a drag (if the
// owner accepts it), a picture follows the pointer while the mouse is held,
// and the release ends the drag and reports where it ended. The owner decides
// what a drop means.

#include <QCursor>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>

#include <functional>

#include "ui/CDragImageWindow.h"

class QWidget;

class CRowDragTracker : public QObject {
    Q_OBJECT
public:
    explicit CRowDragTracker(QWidget* dialog);
    ~CRowDragTracker() override;

    // Watches the view (its viewport receives the mouse).
    void Watch(QWidget* view, QWidget* viewport);
    void SetImage(const QPixmap& image, const QPoint& hotSpot);
    const QPixmap& Image() const { return m_Image; }
    QPoint HotSpot() const { return m_HotSpot; }
    // The window that carries the image after the pointer (null before the first drag with an image).
    QWidget* ImageWindow() const;

    // Asked when a drag would begin over `view` at `pos` (viewport coordinates).
    std::function<bool(QWidget* view, const QPoint& pos)> canBegin;
    // Told when the drag from `view` ends with the pointer at `globalPos`.
    std::function<void(QWidget* view, const QPoint& globalPos)> dropped;
    // Told at every move while dragging (a drop target may follow the pointer).
    std::function<void(const QPoint& globalPos)> moved;
    // The cursor while dragging with the pointer at `globalPos`; without it,
    // the drag-move cursor inside the dialog and the forbidden one outside.
    std::function<QCursor(const QPoint& globalPos)> cursorAt;

    // The drag steps, also for callers without a real mouse.
    bool Begin(QWidget* view, const QPoint& pos);
    void Move(const QPoint& globalPos);
    void End(const QPoint& globalPos);
    bool IsDragging() const { return m_pSource != nullptr; }
    QWidget* Source() const { return m_pSource; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* ViewOf(QObject* viewport) const;

    QWidget* m_pDialog;
    QList<QPair<QPointer<QWidget>, QPointer<QWidget>>> m_Views;  // view, viewport
    QPointer<QWidget> m_pSource;
    QPointer<QWidget> m_pPressView;
    QPoint m_PressPos;
    QPixmap m_Image;
    QPoint m_HotSpot;
    CDragImageWindow m_ImageWindow;
};
