#include "ui/CScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QPointer>
#include <QWidget>

QScreen* CScreenFit::ScreenOf(const QRect& rect, const QWidget* window)
{
    // The screen that holds most of the rectangle; of a rectangle off every
    // screen, the screen nearest to it.
    QScreen* best = nullptr;
    qint64 bestShare = 0;
    qint64 bestDistance = -1;
    const QPoint centre = rect.center();
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const QRect common = g.intersected(rect);
        const qint64 share = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        const qint64 dx = centre.x() < g.left() ? g.left() - centre.x() : centre.x() > g.right() ? centre.x() - g.right() : 0;
        const qint64 dy = centre.y() < g.top() ? g.top() - centre.y() : centre.y() > g.bottom() ? centre.y() - g.bottom() : 0;
        const qint64 distance = dx * dx + dy * dy;
        if (share > bestShare || (bestShare == 0 && share == 0 && (bestDistance < 0 || distance < bestDistance))) {
            best = screen;
            bestShare = share;
            bestDistance = distance;
        }
    }
    if (best)
        return best;
    if (window && window->screen())
        return window->screen();
    return QGuiApplication::primaryScreen();
}

QRect CScreenFit::Within(const QRect& rect, const QRect& area)
{
    QRect r(rect.topLeft(), rect.size().boundedTo(area.size()));
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

QRect CScreenFit::AreaFor(const QWidget* window)
{
    const QRect inner = window->geometry();
    const QScreen* screen = ScreenOf(inner, window);
    if (!screen)
        return {};
    // The frame is known once the window system has shown the window; until
    // then it counts as none.
    const QRect outer = window->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    return FreeArea(screen).marginsRemoved(frame);
}

QRect CScreenFit::FreeArea(const QScreen* screen)
{
    if (!screen)
        return {};
    QRect area = screen->availableGeometry();
    // At a scale other than 1 the screen's size in device-independent pixels
    // is rounded, up as often as down: its last column and row may stand
    // partly beyond its device pixels, and a window put there is cut.
    if (!qFuzzyCompare(screen->devicePixelRatio(), 1.0)) {
        area.setRight(area.right() - 1);
        area.setBottom(area.bottom() - 1);
    }
    return area;
}

namespace {
const QWidget* g_fitting = nullptr;
}  // namespace

bool CScreenFit::IsFitting(const QWidget* window)
{
    return window && window == g_fitting;
}

bool CScreenFit::Fit(QWidget* window)
{
    if (!window || !window->isWindow())
        return false;
    const QRect area = AreaFor(window);
    if (area.isEmpty())
        return false;
    const QRect now = window->geometry();
    const QRect fitted = Within(now, area);
    if (fitted == now)
        return false;
    const QWidget* outer = g_fitting;
    g_fitting = window;
    const QSize minimum = window->minimumSize();
    if (minimum.width() > fitted.width() || minimum.height() > fitted.height())
        window->setMinimumSize(minimum.boundedTo(fitted.size()));
    window->setGeometry(fitted);
    g_fitting = outer;
    return true;
}

namespace {
class ShowWatch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The show event comes before the window system shows the window.
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            const Qt::WindowType type = w->windowType();
            if (w->isWindow() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool) &&
                !(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
                CScreenFit::Fit(w);
        }
        return false;
    }
};
}  // namespace

void CScreenFit::KeepWindowsOnScreen()
{
    static QPointer<ShowWatch> watch;
    if (!watch && qApp) {
        watch = new ShowWatch(qApp);
        qApp->installEventFilter(watch);
    }
}
