#include "logic/windows/CCurveCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "ui/CPictureSet.h"

CCurveCtrl::CCurveCtrl(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMouseTracking(true);
    SetCurve(0);
    UpdateCursor();
}

int CCurveCtrl::SetCurve(int k)
{
    m_k = vcmath::ClampCurve(k);
    m_y = vcmath::MakeCurveTable(m_k);
    m_handle = vcmath::HandleSquare(m_y);
    return m_k;
}

void CCurveCtrl::NotifyParent()
{
    emit CurveChanged(m_k);
}

void CCurveCtrl::UpdateCursor()
{
    // The handle gets the hand that also turns the knob, the rest of the square the cross.
    if (m_crosshair)
        setCursor(Qt::BlankCursor);
    else if (m_overHandle)
        setCursor(CPictureSet::Cursor(448));
    else
        setCursor(Qt::CrossCursor);
}

void CCurveCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setClipRect(rect());
    p.fillRect(rect(), Qt::white);
    QPolygon curve;
    for (int i = 0; i < vcmath::kCurvePoints; ++i)
        curve << QPoint(i, 101 - m_y[i]);
    // Lines of one screen pixel at every scale: a pen of one logical pixel
    // falls on one or two screen pixels at 120 and 144 DPI, and its dots on
    // dashes.
    QPen pen(Qt::black, 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.drawPolyline(curve);
    p.fillRect(QRect(QPoint(m_handle.left, m_handle.top), QPoint(m_handle.right - 1, m_handle.bottom - 1)),
               QColor(0xFF, 0x00, 0xFF));
    if (m_crosshair) {
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawLine(0, m_cross.y(), 101, m_cross.y());
        p.drawLine(m_cross.x(), 0, m_cross.x(), 101);
    }
}

void CCurveCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_captured = true;
    m_cross = event->position().toPoint();
    m_crosshair = !m_overHandle;
    UpdateCursor();
    update();
}

void CCurveCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pt = event->position().toPoint();
    if (!m_captured) {
        m_overHandle = m_handle.Contains(pt.x(), pt.y());
        UpdateCursor();
        return;
    }
    if (m_overHandle) {
        const int k = vcmath::CurveAtX(pt.x());
        if (k != m_k) {
            SetCurve(k);
            update();
            NotifyParent();
        }
    } else if (rect().contains(pt)) {
        m_cross = pt;
        update();
    }
}

void CCurveCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_captured)
        return;
    m_captured = false;
    m_crosshair = false;
    const QPoint pt = event->position().toPoint();
    m_overHandle = m_handle.Contains(pt.x(), pt.y());
    UpdateCursor();
    update();
}
