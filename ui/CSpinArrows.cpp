#include "ui/CSpinArrows.h"

#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

CSpinArrows::CSpinArrows(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setObjectName(QStringLiteral("up"));
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setObjectName(QStringLiteral("down"));
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        // Each arrow gets half of whatever height the row gives.
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        column->addWidget(b, 1);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize CSpinArrows::sizeHint() const
{
    // As wide as a scroll bar, as the arrows of a spin control are.
    return {style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), 0};
}

QSize CSpinArrows::minimumSizeHint() const
{
    return sizeHint();
}
