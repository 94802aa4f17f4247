#pragma once
// The program's background pattern behind tool bars: the main frame sets the
// tile once it has loaded it, and every bar that takes part (the main
// frame's and the feature windows') is painted with it, its handle drawn on
// top. Without a tile the bars keep the style's own background.

#include <QObject>
#include <QPixmap>

class QToolBar;

class CBarBackground : public QObject {
    Q_OBJECT
public:
    static void SetTile(const QPixmap& tile);
    // Paints `bar`'s background with the tile from now on.
    static void Install(QToolBar* bar);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static CBarBackground& Instance();
    QPixmap m_tile;
};
