#pragma once
// An icon drawn from one SVG picture of the program's picture set at whatever
// size it is asked for, so that bars and lists stay sharp at any scale. A
// disabled icon is the picture as the style greys it out.

#include <QIconEngine>
#include <QString>

class CPictureIconEngine : public QIconEngine {
public:
    // `path` is the picture's resource path (":/pictures/name.svg").
    explicit CPictureIconEngine(const QString& path);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

    // The picture drawn into an image of `size` device pixels, transparent
    // around it; a null image when the picture cannot be read.
    static QImage Render(const QString& path, const QSize& size);
    // The size the picture is drawn for (its canvas); empty when it cannot
    // be read.
    static QSize DesignedSize(const QString& path);

private:
    QString m_path;
};
