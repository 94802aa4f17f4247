#pragma once
// The picture that follows the pointer during a drag: a top-level window of
// its own that shows only the picture's opaque pixels (a window mask cut from
// the picture's alpha), so it needs no compositor for its transparent parts,
// and that takes no input. DropWidgetAt looks through it (and through every
// other window that takes no input) for the widget a drop would reach.

#include <QPixmap>
#include <QPoint>
#include <QPointer>

class QLabel;
class QWidget;

class CDragImageWindow {
public:
    CDragImageWindow() = default;
    ~CDragImageWindow();
    CDragImageWindow(const CDragImageWindow&) = delete;
    CDragImageWindow& operator=(const CDragImageWindow&) = delete;

    // Takes the picture and the point of it that sits under the pointer.
    void SetImage(const QPixmap& image, const QPoint& hotSpot);
    // Puts the hot spot at `globalPos`; Show/Hide do not move it.
    void MoveTo(const QPoint& globalPos);
    void Show();
    void Hide();
    // Drops the window (a later SetImage makes a new one).
    void Reset();

    bool IsShown() const;
    QPoint HotSpot() const { return m_HotSpot; }
    // The window (null before the first picture).
    QWidget* Window() const;

    // The widget under `globalPos` that accepts drops (null for none), as if
    // no window that takes no input (nor a tool tip) were on the screen.
    static QWidget* DropWidgetAt(const QPoint& globalPos);

private:
    QPointer<QLabel> m_pWindow;
    QPoint m_HotSpot;
};
