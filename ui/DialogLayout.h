#pragma once
// Sizing of windows whose controls are arranged by Qt layouts. A window's
// designed size is its minimum; when its texts need more room (a large
// font), the layout's minimum wins, so no text is ever cut.

#include <QSize>

class QWidget;

// Dialog units (a quarter of the average character width across, an eighth
// of the character height down) of `w`'s font in pixels.
QSize DialogUnitsToPixels(const QWidget* w, const QSize& units);

// Gives `window` its designed size (raised to what its layout needs) as its
// size and minimum; a window that is not `resizable` keeps exactly that size.
void ApplyDesignedSize(QWidget* window, const QSize& designed, bool resizable = true);

class QLabel;

// A word-wrapped text never gets narrower than `chars` average characters,
// and never lower than its lines need at that width: layouts of top-level
// windows do not ask a wrapped text for its height.
void KeepWrappedTextWhole(QLabel* label, int chars);
