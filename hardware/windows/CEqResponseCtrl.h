#pragma once
// The equalizer graph of the audio inputs dialog: a black field with a
// logarithmic frequency grid (20 Hz .. 20 kHz), a level grid (+15 .. -15 dB)
// and one yellow curve, the sum of the three filter responses.

#include <QBrush>
#include <QFrame>

class EqResponse;

class CEqResponseCtrl : public QFrame {
    Q_OBJECT
public:
    explicit CEqResponseCtrl(QWidget* parent = nullptr);
    // The responses to draw (not owned; null draws a flat line).
    void SetResponse(const EqResponse* response);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QBrush m_brush{Qt::black};
    const EqResponse* m_response = nullptr;
};
