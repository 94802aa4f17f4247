#pragma once
// The record a self-repositioning control keeps: its rectangle in the parent's
// client coordinates and the parent's client size, both taken at WM_INITCTRL.
// Every reposition computes from this record, never from the current
// geometry, so repeated resizing accumulates no rounding error.

#include <QRect>
#include <QSize>

class QWidget;

class CControlPlacement {
public:
    // Takes the control's rectangle and its own parent's client size now.
    void Record(const QWidget* control);
    // Records explicit values (for controls placed in code).
    void Record(const QRect& ownRect, const QSize& parentClient);

    // False until a usable record exists (a zero parent size is no divisor).
    bool IsRecorded() const { return m_szParent.width() > 0 && m_szParent.height() > 0; }
    QRect OwnRect() const { return m_rcOwn; }
    QSize ParentClientSize() const { return m_szParent; }

    // The control's rectangle for a parent client area of `client`:
    // x = L*W1/W0, y = T*H1/H0, width = (R-L)*W1/W0, height = (B-T)*H1/H0 or
    // kept as recorded. Multiplies before dividing, truncates toward zero.
    // False (and `out` untouched) when nothing has been recorded.
    bool Compute(const QSize& client, bool keepHeight, QRect* out) const;

private:
    QRect m_rcOwn;
    QSize m_szParent{0, 0};
};
