#pragma once
// A slider's handle dragged and a spin box's arrows clicked or held with the
// mouse, as the user does it: the events go where the style draws them.

#include <QAbstractSpinBox>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <cstdlib>
#include <functional>

#include "serial/SerialTestSupport.h"

inline QRect SliderHandleRect(const QSlider* slider)
{
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.subControls = QStyle::SC_All;
    opt.orientation = slider->orientation();
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.sliderPosition = slider->sliderPosition();
    opt.sliderValue = slider->value();
    opt.singleStep = slider->singleStep();
    opt.pageStep = slider->pageStep();
    opt.tickPosition = slider->tickPosition();
    opt.tickInterval = slider->tickInterval();
    // As QSlider draws itself: a vertical slider has its minimum at the bottom
    // unless its appearance is inverted.
    opt.upsideDown = slider->orientation() == Qt::Horizontal
                         ? (slider->invertedAppearance() != (slider->layoutDirection() == Qt::RightToLeft))
                         : !slider->invertedAppearance();
    if (slider->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    return slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider);
}

// Presses the handle, moves the mouse pixel by pixel `pixels` along the
// groove (down or right when positive), each move an event of its own, and
// lets it go. Returns where the slider stands then.
inline int DragSlider(QSlider* slider, int pixels)
{
    QPoint at = SliderHandleRect(slider).center();
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
    const QPoint unit = slider->orientation() == Qt::Vertical ? QPoint(0, 1) : QPoint(1, 0);
    for (int i = 0; i < std::abs(pixels); ++i) {
        at += pixels > 0 ? unit : -unit;
        QTest::mouseMove(slider, at);
    }
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
    return slider->value();
}

inline QPoint SpinArrowAt(const QAbstractSpinBox* box, bool up)
{
    QStyleOptionSpinBox opt;
    opt.initFrom(box);
    opt.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame |
                      QStyle::SC_SpinBoxEditField;
    opt.buttonSymbols = box->buttonSymbols();
    opt.frame = box->hasFrame();
    opt.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return box->style()
        ->subControlRect(QStyle::CC_SpinBox, &opt, up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, box)
        .center();
}

// One click on an arrow: one step.
inline void ClickSpinArrow(QAbstractSpinBox* box, bool up)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, SpinArrowAt(box, up));
}

// The arrow held down until `reached` holds (the box repeats its step while
// held), then let go. False when it did not hold within the time a test waits.
inline bool HoldSpinArrow(QAbstractSpinBox* box, bool up, const std::function<bool()>& reached, int ms)
{
    const QPoint at = SpinArrowAt(box, up);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, at);
    const bool ok = serialtest::PumpUntil(reached, ms);
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, at);
    return ok;
}
