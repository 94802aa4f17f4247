#pragma once
// The animation control: plays an animation (frame strip) of the picture set,
// one frame every 100 ms in a loop, drawn at the size its frames are made for
// (smaller when the control is smaller) in the middle of the control. The
// progress dialogs show a page travelling from the computer to the central
// device (467 a text page, 468 a settings sheet), the firmware loader the
// erasing of the device's program (466), the clock the radio reception (465).

#include <QTimer>
#include <QWidget>

#include "ui/CAnimationFrameCache.h"

class CAnimateCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CAnimateCtrl(QWidget* parent = nullptr);

    // Opens animation `animationId` at its first frame and, with `play`,
    // starts it; false (and nothing shown) for an id the set has no frames for.
    bool Open(int animationId, bool play = true);
    void Play();
    // Stops where it is; Seek(0) rewinds.
    void Stop();
    void Seek(int frame);
    int GetAnimation() const { return m_nAnimation; }
    int GetFrame() const { return m_nFrame; }
    int FrameCount() const { return m_nFrames; }
    bool IsPlaying() const { return m_Timer.isActive(); }
    QSize sizeHint() const override { return {272, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_Timer;
    int m_nAnimation = 0;
    int m_nFrames = 0;
    QSize m_frameSize;  // the frames' own size
    int m_nFrame = 0;
    CAnimationFrameCache m_picture;
};
