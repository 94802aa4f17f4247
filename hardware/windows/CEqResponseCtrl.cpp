#include "hardware/windows/CEqResponseCtrl.h"

#include <QPainter>
#include <QTransform>
#include <QtMath>
#include <QPolygon>

#include "hardware/EqResponse.h"

CEqResponseCtrl::CEqResponseCtrl(QWidget* parent) : QFrame(parent) {}

void CEqResponseCtrl::SetResponse(const EqResponse* response)
{
    m_response = response;
    update();
}

void CEqResponseCtrl::paintEvent(QPaintEvent*)
{
    QPainter dc(this);
    // The graph is drawn in the screen's own pixels: at a scale above 1 a
    // line of one logical pixel would fall on one or two screen pixels and
    // the dots of the grid would run into dashes. The client area is the
    // block of screen pixels the control covers (its edges rounded to the
    // nearest pixel edge, as the painter fills it), and the positions come
    // from its width and height in them.
    const QRectF onScreen = dc.deviceTransform().mapRect(QRectF(rect()));
    const int left = qFloor(onScreen.left() + 0.5);
    const int top = qFloor(onScreen.top() + 0.5);
    const int w = qFloor(onScreen.right() + 0.5) - left;
    const int h = qFloor(onScreen.bottom() + 0.5) - top;
    dc.setWorldTransform(QTransform::fromTranslate(left, top) * dc.deviceTransform().inverted());
    const QRect client(0, 0, w, h);
    dc.fillRect(client, m_brush);
    dc.setClipRect(client);

    QPen grid(QColor(192, 192, 192), 1, Qt::DotLine);
    dc.setBackground(Qt::black);
    dc.setBackgroundMode(Qt::OpaqueMode);
    dc.setPen(grid);
    for (double g : EqResponse::kGridFrequencies) {
        const int x = EqResponse::GridX(g, w);
        dc.drawLine(x, 0, x, client.bottom());
    }
    grid.setColor(QColor(128, 128, 128));
    dc.setPen(grid);
    for (int y : EqResponse::LevelGridRows(h))
        dc.drawLine(0, y, w, y);

    dc.setBackgroundMode(Qt::TransparentMode);
    dc.setPen(QPen(QColor(255, 255, 0), 1, Qt::SolidLine));
    const auto sum = [this](int i) { return m_response ? m_response->Sum(i) : 0.0; };
    QPolygon curve;
    curve << QPoint(0, EqResponse::CurveY(sum(0), h));
    for (int i = 1; i < EqResponse::kPoints; ++i)
        curve << QPoint(EqResponse::CurveX(i, w), EqResponse::CurveY(sum(i), h));
    dc.drawPolyline(curve);
}
