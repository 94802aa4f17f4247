#pragma once
// The frame of an animation last drawn by a control, kept for the repaints
// that show it again: a frame is drawn anew only when the animation, the
// frame or the size changes.

#include <QImage>
#include <QSize>

class CAnimationFrameCache {
public:
    // Frame `frame` of `animation` for `logical` pixels on a screen of pixel
    // ratio `dpr` (sharp at that ratio).
    const QImage& Get(int animation, int frame, const QSize& logical, qreal dpr);

private:
    QImage m_image;
    int m_animation = 0;
    int m_frame = -1;
};
