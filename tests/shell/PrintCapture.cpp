#include "PrintCapture.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextItem>
#include <climits>

// Keeps each drawing call in device pixels; what falls wholly outside the
// painter's clip is not on the paper and is dropped.
class PrintCaptureEngine : public QPaintEngine {
public:
    explicit PrintCaptureEngine(PrintCapture* device) : QPaintEngine(AllFeatures), m_device(device) {}

    bool begin(QPaintDevice*) override
    {
        if (m_device->pages.empty())
            m_device->pages.emplace_back();
        return true;
    }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            KeepRect(rects[i], Page().rects);
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            KeepRect(QRectF(rects[i]), Page().rects);
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF l = painter()->combinedTransform().map(lines[i]);
            if (Visible(QRectF(l.p1(), l.p2()).normalized().adjusted(-1, -1, 1, 1)))
                Page().lines.push_back(l);
        }
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF l(lines[i]);
            drawLines(&l, 1);
        }
    }
    void drawPath(const QPainterPath& path) override { KeepRect(path.boundingRect(), Page().rects); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << points[i];
        KeepRect(polygon.boundingRect(), Page().rects);
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { KeepRect(r, Page().pixmaps); }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        KeepRect(r, Page().pixmaps);
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QPointF at = painter()->combinedTransform().map(p);
        if (!Visible(QRectF(at.x(), at.y() - 1, std::max<qreal>(1, item.width()), 2)))
            return;
        const QRectF box = painter()->combinedTransform().mapRect(
            QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        const QRectF clip = painter()->hasClipping()
                                ? painter()->combinedTransform().mapRect(painter()->clipBoundingRect())
                                : QRectF();
        Page().texts.push_back({item.text(), at, item.font(), box, clip});
    }

private:
    PrintCapture::Page& Page() { return m_device->pages.back(); }
    bool Visible(const QRectF& deviceRect) const
    {
        if (!painter()->hasClipping())
            return true;
        const QRectF clip = painter()->combinedTransform().mapRect(painter()->clipBoundingRect());
        return clip.intersects(deviceRect.adjusted(-0.5, -0.5, 0.5, 0.5));
    }
    void KeepRect(const QRectF& r, std::vector<QRectF>& into)
    {
        const QRectF device = painter()->combinedTransform().mapRect(r);
        if (Visible(device))
            into.push_back(device);
    }

    PrintCapture* m_device;
};

std::vector<PrintCapture::Text> PrintCapture::Page::Find(const QString& text) const
{
    std::vector<Text> found;
    for (const Text& t : texts)
        if (text.isEmpty() || t.text == text)
            found.push_back(t);
    return found;
}

PrintCapture::PrintCapture(QSize pixels, int dpiX, int dpiY)
    : m_pixels(pixels), m_dpiX(dpiX), m_dpiY(dpiY), m_engine(std::make_unique<PrintCaptureEngine>(this))
{
}

PrintCapture::~PrintCapture() = default;

QPaintEngine* PrintCapture::paintEngine() const
{
    return m_engine.get();
}

bool PrintCapture::NewPage()
{
    pages.emplace_back();
    return true;
}

int PrintCapture::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_pixels.width();
    case PdmHeight: return m_pixels.height();
    case PdmWidthMM: return static_cast<int>(m_pixels.width() * 25.4 / m_dpiX);
    case PdmHeightMM: return static_cast<int>(m_pixels.height() * 25.4 / m_dpiY);
    case PdmDpiX:
    case PdmPhysicalDpiX: return m_dpiX;
    case PdmDpiY:
    case PdmPhysicalDpiY: return m_dpiY;
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}
