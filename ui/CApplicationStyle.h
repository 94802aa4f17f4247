#pragma once
// The look every window of the program is drawn with: the platform's own
// style, with two corrections.
//
// - At a screen scale that is not a whole number (120 or 144 DPI scale the
//   program by 1.25 or 1.5), a control's edge falls inside a device pixel.
//   The inner area of a list, table or text box starts and ends on the
//   device pixel next to its frame's line and paints over it, so the right
//   or bottom line went missing. The frame is therefore drawn one device
//   pixel wide on the outermost device pixels the control owns, which no
//   inner part ever covers.
// - A push button that stays pressed (a toggle such as "Ein") is drawn
//   clearly darker than one that is up.

#include <QProxyStyle>

class CApplicationStyle : public QProxyStyle {
    Q_OBJECT
public:
    CApplicationStyle();

    // Makes it the application's style (once a QApplication exists).
    static void Install();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

    // The device pixels a logical rectangle covers under `toDevice`, taking
    // each edge to the nearest pixel border as the window system does for a
    // control's area: the rectangle from the first to the last pixel.
    static QRect DevicePixels(const QRectF& logical, const QTransform& toDevice);
    // `toDevice` scales by a factor that is not a whole number.
    static bool IsFractionalScale(const QTransform& toDevice);
};
