#pragma once
// The response curve of a virtual controller in a 104-pixel square. Dragging
// the magenta handle sideways bends the curve (k from -128 at the left edge to
// 127 at the right); a drag elsewhere shows a crosshair.

#include <QPoint>
#include <QWidget>

#include "logic/VirtCtrlMath.h"

class CCurveCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CCurveCtrl(QWidget* parent = nullptr);

    // Clamps k to -128..127, computes the curve and returns the clamped k.
    int SetCurve(int k);
    int GetCurve() const { return m_k; }
    const vcmath::CurveTable& Table() const { return m_y; }
    bool IsOverHandle() const { return m_overHandle; }
    // Tells the dialog the curve value (it shows it in its curve field).
    void NotifyParent();

    QSize sizeHint() const override { return {104, 104}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void CurveChanged(int k);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UpdateCursor();

    vcmath::Square m_handle{};
    QPoint m_cross;
    bool m_overHandle = false;
    int m_k = 0;
    vcmath::CurveTable m_y{};
    bool m_captured = false;
    bool m_crosshair = false;
};
