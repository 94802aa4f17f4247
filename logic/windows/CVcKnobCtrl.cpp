#include "logic/windows/CVcKnobCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "logic/VirtCtrlMath.h"
#include "ui/CPictureSet.h"

CVcKnobCtrl::CVcKnobCtrl(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void CVcKnobCtrl::SetFrame(int frame)
{
    frame = std::clamp(frame, 0, vcmath::kKnobFrames);
    if (frame == m_frame)
        return;
    m_frame = frame;
    update();
}

void CVcKnobCtrl::paintEvent(QPaintEvent*)
{
    // The knob's picture at this position, a frame of the knob animation,
    // square in the middle of the control.
    const int side = std::min(width(), height());
    const QImage& image = m_picture.Get(kKnobAnimation, m_frame, QSize(side, side), devicePixelRatioF());
    QPainter p(this);
    p.drawImage(QRect((width() - side) / 2, (height() - side) / 2, side, side), image);
}

void CVcKnobCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_centre = Centre();
}

void CVcKnobCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        emit Dragged(m_centre, event->position().toPoint());
}

void CVcKnobCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}
