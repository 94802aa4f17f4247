#include "ui/CApplicationStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

#include <cmath>

CApplicationStyle::CApplicationStyle() = default;

void CApplicationStyle::Install()
{
    if (!qobject_cast<CApplicationStyle*>(QApplication::style()))
        QApplication::setStyle(new CApplicationStyle);
}

bool CApplicationStyle::IsFractionalScale(const QTransform& toDevice)
{
    if (toDevice.type() > QTransform::TxScale)
        return false;  // rotated or sheared: nothing to line up with
    const auto fractional = [](qreal f) { return std::abs(f - std::round(f)) > 1e-6; };
    return fractional(toDevice.m11()) || fractional(toDevice.m22());
}

QRect CApplicationStyle::DevicePixels(const QRectF& logical, const QTransform& toDevice)
{
    const QRectF d = toDevice.mapRect(logical);
    const int left = qRound(d.left());
    const int top = qRound(d.top());
    const int right = qRound(d.right());  // one past the last pixel
    const int bottom = qRound(d.bottom());
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void CApplicationStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const
{
    if (element == PE_Frame && painter && IsFractionalScale(painter->deviceTransform())) {
        // Draw in device pixels: the frame's rectangle becomes the control's
        // outermost pixels and its lines one device pixel wide.
        const QTransform toDevice = painter->deviceTransform();
        const QRect pixels = DevicePixels(QRectF(option->rect), toDevice);
        if (pixels.width() > 1 && pixels.height() > 1) {
            painter->save();
            painter->setWorldTransform(toDevice.inverted() * painter->worldTransform());
            QStyleOption device(*option);
            device.rect = pixels;
            QProxyStyle::drawPrimitive(element, &device, painter, widget);
            painter->restore();
            return;
        }
    }
    if (element == PE_PanelButtonCommand && (option->state & State_On) && !(option->state & State_Sunken)) {
        // A toggle that stays down: visibly darker, as when it is held down.
        QStyleOptionButton down;
        if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option))
            down = *button;
        else
            static_cast<QStyleOption&>(down) = *option;
        down.state |= State_Sunken;
        const QColor face = option->palette.color(QPalette::Button);
        down.palette.setColor(QPalette::Button, face.darker(125));
        QProxyStyle::drawPrimitive(element, &down, painter, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
