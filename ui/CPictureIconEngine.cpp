#include "ui/CPictureIconEngine.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>

namespace {
// One parsed renderer per picture for the whole run: bars and lists ask for
// the same few pictures again and again.
QSvgRenderer* Renderer(const QString& path)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    auto it = renderers.find(path);
    if (it == renderers.end())
        it = renderers.insert(path, std::make_shared<QSvgRenderer>(path));
    return it.value()->isValid() ? it.value().get() : nullptr;
}
}  // namespace

CPictureIconEngine::CPictureIconEngine(const QString& path) : m_path(path) {}

QImage CPictureIconEngine::Render(const QString& path, const QSize& size)
{
    QSvgRenderer* renderer = Renderer(path);
    if (!renderer || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer->render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QSize CPictureIconEngine::DesignedSize(const QString& path)
{
    QSvgRenderer* renderer = Renderer(path);
    return renderer ? renderer->defaultSize() : QSize();
}

void CPictureIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * dpr, mode, state, dpr));
}

QPixmap CPictureIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

// `size` is in device pixels already (the icon multiplies by `scale` first).
QPixmap CPictureIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    const QSize device = size;
    const QString cacheKey = QStringLiteral("ql-picture:%1:%2x%3:%4")
                                 .arg(m_path)
                                 .arg(device.width())
                                 .arg(device.height())
                                 .arg(static_cast<int>(mode));
    QPixmap pm;
    if (QPixmapCache::find(cacheKey, &pm))
        return pm;
    pm = QPixmap::fromImage(Render(m_path, device));
    if (pm.isNull())
        return pm;
    if (mode == QIcon::Disabled || mode == QIcon::Selected) {
        QStyleOption opt;
        if (QStyle* style = QApplication::style()) {
            const QPixmap styled = style->generatedIconPixmap(mode, pm, &opt);
            if (!styled.isNull())
                pm = styled;
        }
    }
    pm.setDevicePixelRatio(scale);
    QPixmapCache::insert(cacheKey, pm);
    return pm;
}

QSize CPictureIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    return size;
}

QIconEngine* CPictureIconEngine::clone() const
{
    return new CPictureIconEngine(m_path);
}

QString CPictureIconEngine::key() const
{
    return QStringLiteral("CPictureIconEngine");
}

bool CPictureIconEngine::isNull()
{
    return Renderer(m_path) == nullptr;
}
