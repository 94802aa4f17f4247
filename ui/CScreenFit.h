#pragma once
// Keeps a window on its screen: a window never opens larger than the free
// area of the screen it is on (the task bar left out) nor partly off it. A
// kept placement from another screen or another screen scale, or a window
// whose contents ask for more room than the screen has, is moved and made
// smaller to fit; where the screen has less room than the window's minimum,
// the minimum gives way, so that the window system does not push the window
// out again.

class QRect;
class QScreen;
class QWidget;

class CScreenFit {
public:
    // A window coordinate kept in the settings beyond this, either way, is no
    // placement: no screen reaches it, and its sums would overflow.
    static constexpr int kPlacementLimit = 1000000;
    // The screen `rect` (global, device-independent pixels) lies on: the one
    // holding most of it, or of a rectangle off every screen the nearest one;
    // without screens `window`'s own, else the primary one.
    static QScreen* ScreenOf(const QRect& rect, const QWidget* window);
    // `rect` moved, and where it must made smaller, to lie within `area`.
    static QRect Within(const QRect& rect, const QRect& area);
    // The free area of `screen` (the task bar left out), in device-independent
    // pixels that lie whole on its device pixels.
    static QRect FreeArea(const QScreen* screen);
    // The free area of `window`'s screen that its inner rectangle may take
    // (its frame, where the window system has given it one, left out).
    static QRect AreaFor(const QWidget* window);
    // Fits the top-level `window` to its screen now, shown or not; true when
    // it moved or changed it.
    static bool Fit(QWidget* window);
    // `window` is being fitted now: the move and size it gets are the
    // screen's doing, not the user's, and are not kept as its placement.
    static bool IsFitting(const QWidget* window);
    // From now on every window of the program (dialogs and tool windows,
    // not menus or tips) is fitted to its screen whenever it is shown.
    static void KeepWindowsOnScreen();
};
