#pragma once
// The rotary knob of the controller properties: one of 91 positions over
// 270 degrees, from the lower left (0) over straight up (45) to the lower
// right (90), each shown as its frame of the knob animation (485) of the
// picture set. Dragging it reports the mouse to the dialog, which turns it.

#include <QWidget>

#include "ui/CAnimationFrameCache.h"

class CVcKnobCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CVcKnobCtrl(QWidget* parent = nullptr);

    void SetFrame(int frame);
    int GetFrame() const { return m_frame; }
    QPoint Centre() const { return rect().center(); }

    QSize sizeHint() const override { return {48, 48}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The mouse at `pos` (own coordinates) while the knob is dragged.
    void Dragged(QPoint centre, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static constexpr int kKnobAnimation = 485;

    int m_frame = 0;
    CAnimationFrameCache m_picture;
    bool m_dragging = false;
    QPoint m_centre;
};
