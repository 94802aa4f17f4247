#pragma once
// A paint device that keeps what a print job paints on it, page by page, in
// device pixels: the texts with their positions and the rectangles, lines
// and pictures with their extents. Its resolutions across and down are its
// own, so a job can be checked on a printer whose dots are not square.

#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class PrintCaptureEngine;

class PrintCapture : public QPaintDevice {
public:
    struct Text {
        QString text;
        QPointF baseline;  // start of the text's baseline
        QFont font;
        QRectF box;   // from the ascent above the baseline to the descent below it
        QRectF clip;  // the painter's clip, null when it had none
        // Whole on the paper: not cut by the clip.
        bool Whole() const { return clip.isNull() || clip.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box); }
    };
    struct Page {
        std::vector<Text> texts;
        std::vector<QRectF> rects;   // frames and filled rectangles
        std::vector<QLineF> lines;
        std::vector<QRectF> pixmaps;
        // The texts equal to `text` (all when empty).
        std::vector<Text> Find(const QString& text) const;
    };

    PrintCapture(QSize pixels, int dpiX, int dpiY);
    ~PrintCapture() override;

    QPaintEngine* paintEngine() const override;
    // Starts the next page; always succeeds.
    bool NewPage();

    std::vector<Page> pages;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_pixels;
    int m_dpiX, m_dpiY;
    std::unique_ptr<PrintCaptureEngine> m_engine;
};
