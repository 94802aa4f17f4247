#include "ui/CAnimateCtrl.h"

#include <QPainter>

#include <algorithm>

#include "ui/CPictureSet.h"

CAnimateCtrl::CAnimateCtrl(QWidget* parent) : QWidget(parent)
{
    m_Timer.setInterval(100);
    connect(&m_Timer, &QTimer::timeout, this, [this] {
        if (m_nFrames > 0)
            Seek((m_nFrame + 1) % m_nFrames);
    });
}

bool CAnimateCtrl::Open(int animationId, bool play)
{
    const int frames = CPictureSet::FrameCount(animationId);
    if (frames == 0)
        return false;
    m_Timer.stop();
    m_nAnimation = animationId;
    m_nFrames = frames;
    m_frameSize = CPictureSet::FrameSize(animationId);
    m_nFrame = 0;
    update();
    if (play)
        Play();
    return true;
}

void CAnimateCtrl::Play()
{
    if (m_nAnimation)
        m_Timer.start();
}

void CAnimateCtrl::Stop()
{
    m_Timer.stop();
}

void CAnimateCtrl::Seek(int frame)
{
    if (m_nFrames == 0)
        return;
    frame = std::clamp(frame, 0, m_nFrames - 1);
    if (frame == m_nFrame)
        return;
    m_nFrame = frame;
    update();
}

void CAnimateCtrl::paintEvent(QPaintEvent*)
{
    if (!m_nAnimation)
        return;
    // At the frames' own size, scaled down only to fit; drawn anew for the
    // screen's pixel ratio so that the lines stay sharp.
    QSize size = m_frameSize;
    if (size.isEmpty())
        return;
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    const QImage& image = m_picture.Get(m_nAnimation, m_nFrame, size, devicePixelRatioF());
    if (image.isNull())
        return;
    QPainter p(this);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    p.drawImage(target, image);
}
