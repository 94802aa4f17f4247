#include "logic/windows/CVcKnobCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "logic/VirtCtrlMath.h"

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
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(4, 4, -4, -4);
    p.setPen(QPen(Qt::darkGray, 2));
    p.setBrush(QColor(0xE0, 0xE0, 0xE0));
    p.drawEllipse(r);
    // Degrees to the left of straight up.
    const double a = (135.0 - m_frame * 3.0) * M_PI / 180.0;
    const QPointF c = r.center();
    const double len = r.width() / 2 - 3;
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(-std::sin(a) * len, -std::cos(a) * len));
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
