#pragma once
// A vertical level slider whose top is its lowest position: the design's
// scales count their positions from the loudest level at the top down to the
// quietest at the bottom. The arrow keys, Page Up/Down and the mouse wheel
// move the handle the way they point (Up towards the top, louder), and the
// groove is filled from the bottom up to the handle, so a quiet level shows a
// short bar and the loudest a full one.

#include <QSlider>

class CLevelSlider : public QSlider {
    Q_OBJECT
public:
    explicit CLevelSlider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
