#pragma once
// A small looping picture of a transfer (pages travelling from the computer
// to the central device), standing in for the progress dialog's animation.
// Animation 467 shows a text page, 468 a settings sheet.

#include <QTimer>
#include <QWidget>

class CAnimateCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CAnimateCtrl(QWidget* parent = nullptr);

    bool Open(int animationId);
    void Play();
    void Stop();
    int GetAnimation() const { return m_nAnimation; }
    bool IsPlaying() const { return m_Timer.isActive(); }
    QSize sizeHint() const override { return {272, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_Timer;
    int m_nAnimation = 0;
    int m_nFrame = 0;
};
