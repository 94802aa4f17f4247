#include "hardware/windows/CEqResponseCtrl.h"

#include <QPainter>
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
    const QRect client = rect();
    dc.fillRect(client, m_brush);
    dc.setClipRect(client);
    const int w = client.width();
    const int h = client.height();

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
