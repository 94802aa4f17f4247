#include "ui/CBarBackground.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QToolBar>

CBarBackground& CBarBackground::Instance()
{
    static CBarBackground* instance = new CBarBackground(QCoreApplication::instance());
    return *instance;
}

void CBarBackground::SetTile(const QPixmap& tile) { Instance().m_tile = tile; }

void CBarBackground::Install(QToolBar* bar)
{
    if (bar)
        bar->installEventFilter(&Instance());
}

bool CBarBackground::eventFilter(QObject* watched, QEvent* event)
{
    // The style would paint its own panel over the palette's texture.
    auto* bar = qobject_cast<QToolBar*>(watched);
    if (!bar || event->type() != QEvent::Paint || m_tile.isNull())
        return false;
    QPainter p(bar);
    p.drawTiledPixmap(bar->rect(), m_tile);
    QStyleOptionToolBar opt;
    opt.initFrom(bar);
    if (bar->isMovable()) {
        opt.rect = bar->style()->subElementRect(QStyle::SE_ToolBarHandle, &opt, bar);
        if (opt.rect.isValid())
            bar->style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &opt, &p, bar);
    }
    return true;
}
