#pragma once
// The pair of small up/down arrow buttons that sits right of a value edit
// ("up" above "down"). It takes the edit's height in a layout and a width
// from the style, so it never needs to be placed by hand. The owner connects
// to the two buttons (auto-repeating, never taking the focus).

#include <QWidget>

class QToolButton;

class CSpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit CSpinArrows(QWidget* parent = nullptr);

    QToolButton* Up() const { return m_up; }
    QToolButton* Down() const { return m_down; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};
