#pragma once
// Whether a widget shows a given picture: every fully opaque pixel of the
// picture, placed at `at` in the widget's own drawing, has the same colour
// there. Transparent and antialiased edge pixels show the background through
// and are not compared.

#include <QImage>
#include <QPoint>
#include <QWidget>

inline bool ShowsPicture(QWidget& widget, const QImage& picture, QPoint at)
{
    if (picture.isNull())
        return false;
    const QImage shot = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage pic = picture.convertToFormat(QImage::Format_ARGB32);
    int compared = 0;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            const QRgb p = pic.pixel(x, y);
            if (qAlpha(p) != 255)
                continue;
            const QPoint q(at.x() + x, at.y() + y);
            if (!shot.rect().contains(q) || (shot.pixel(q) & 0xffffff) != (p & 0xffffff))
                return false;
            ++compared;
        }
    return compared > 0;
}
