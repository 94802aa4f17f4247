#include "shell/CMdiClient.h"

#include <QBitmap>
#include <QPaintEvent>
#include <QPainter>

CMdiClient::CMdiClient(QWidget* parent) : QMdiArea(parent)
{
    setObjectName(QStringLiteral("MdiClient"));
}

void CMdiClient::SetBackground(const QPixmap& tile, const QPixmap* picture, const QPixmap* mask)
{
    m_tile = tile;
    m_picture = QPixmap();
    if (picture && !picture->isNull()) {
        m_picture = *picture;
        if (mask && !mask->isNull())
            m_picture.setMask(QBitmap::fromImage(mask->toImage().convertToFormat(QImage::Format_Mono),
                                                 Qt::ThresholdDither));
    }
    viewport()->update();
}

void CMdiClient::paintEvent(QPaintEvent* event)
{
    if (m_tile.isNull()) {
        QMdiArea::paintEvent(event);
        return;
    }
    QPainter p(viewport());
    // Tiles start at multiples of the tile size, so any exposed area matches.
    p.drawTiledPixmap(viewport()->rect(), m_tile);
    if (!m_picture.isNull()) {
        const QRect client = viewport()->rect();
        const int x = client.width() / 2 - m_picture.width() / 2;
        const int y = client.height() / 2 - m_picture.height() / 2;
        p.drawPixmap(x, y, m_picture);
    }
}
