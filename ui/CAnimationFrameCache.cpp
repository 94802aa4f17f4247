#include "ui/CAnimationFrameCache.h"

#include "ui/CPictureSet.h"

const QImage& CAnimationFrameCache::Get(int animation, int frame, const QSize& logical, qreal dpr)
{
    const QSize device = (QSizeF(logical) * dpr).toSize();
    if (m_animation != animation || m_frame != frame || m_image.size() != device) {
        m_image = CPictureSet::AnimationFrame(animation, frame, device);
        m_image.setDevicePixelRatio(dpr);
        m_animation = animation;
        m_frame = frame;
    }
    return m_image;
}
