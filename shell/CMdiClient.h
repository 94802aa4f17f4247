#pragma once
// The MDI client area of the main window: a tiled background with the product
// picture centred over it (shown through its mask: black shows the picture,
// white keeps the background).

#include <QMdiArea>
#include <QPixmap>

class CMdiClient : public QMdiArea {
    Q_OBJECT
public:
    explicit CMdiClient(QWidget* parent = nullptr);
    void SetBackground(const QPixmap& tile, const QPixmap* picture, const QPixmap* mask);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_tile;
    QPixmap m_picture;  // with its mask applied
};
