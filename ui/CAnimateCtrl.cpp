#include "ui/CAnimateCtrl.h"

#include <QPainter>

namespace {
constexpr int kFrames = 16;
}

CAnimateCtrl::CAnimateCtrl(QWidget* parent) : QWidget(parent)
{
    m_Timer.setInterval(100);
    connect(&m_Timer, &QTimer::timeout, this, [this] {
        m_nFrame = (m_nFrame + 1) % kFrames;
        update();
    });
}

bool CAnimateCtrl::Open(int animationId)
{
    if (animationId != 467 && animationId != 468)
        return false;
    m_nAnimation = animationId;
    m_nFrame = 0;
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

void CAnimateCtrl::paintEvent(QPaintEvent*)
{
    if (!m_nAnimation)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect r = rect().adjusted(4, 4, -4, -4);
    const int boxW = std::min(48, r.width() / 4);
    const QRect pc(r.left(), r.center().y() - 16, boxW, 32);
    const QRect device(r.right() - boxW, r.center().y() - 16, boxW, 32);
    p.setPen(palette().color(QPalette::WindowText));
    p.setBrush(palette().color(QPalette::Base));
    p.drawRect(pc);
    p.drawRect(device);
    p.drawLine(pc.center().x() - 8, pc.bottom() + 4, pc.center().x() + 8, pc.bottom() + 4);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPoint(device.left() + 10 + i * 12, device.center().y()), 3, 3);
    // The travelling page.
    const int span = device.left() - pc.right() - 20;
    const int x = pc.right() + 4 + span * m_nFrame / (kFrames - 1);
    const QRect page(x, r.center().y() - 9, 12, 16);
    p.setBrush(Qt::white);
    p.drawRect(page);
    if (m_nAnimation == 467) {
        for (int i = 0; i < 3; ++i)
            p.drawLine(page.left() + 2, page.top() + 4 + i * 4, page.right() - 2, page.top() + 4 + i * 4);
    } else {
        p.setBrush(palette().color(QPalette::Highlight));
        p.drawRect(page.adjusted(3, 4, -3, -6));
    }
}
