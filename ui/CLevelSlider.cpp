#include "ui/CLevelSlider.h"

#include <QStyleOptionSlider>
#include <QStylePainter>

CLevelSlider::CLevelSlider(QWidget* parent) : QSlider(Qt::Vertical, parent)
{
    setInvertedAppearance(true);  // the lowest position at the top
    setInvertedControls(true);    // Up, Page Up and the wheel away from the user go up
}

void CLevelSlider::paintEvent(QPaintEvent*)
{
    // The style fills the groove from the slider's lowest position, which is
    // the top here. Drawn as its mirror image (the position counted from the
    // other end, the other way up) the handle stands where it is and the
    // filled part runs from the bottom to it.
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    if (tickPosition() != NoTicks)
        option.subControls |= QStyle::SC_SliderTickmarks;
    option.upsideDown = !option.upsideDown;
    option.sliderPosition = option.minimum + option.maximum - option.sliderPosition;
    option.sliderValue = option.minimum + option.maximum - option.sliderValue;
    painter.drawComplexControl(QStyle::CC_Slider, option);
}
