#include "macros/windows/CHoverCellDelegate.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CHoverCellDelegate::CHoverCellDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), m_view(view)
{
    view->setItemDelegate(this);
    view->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
}

void CHoverCellDelegate::Clear()
{
    SetHover(QModelIndex());
}

void CHoverCellDelegate::SetHover(const QModelIndex& index)
{
    if (index == QModelIndex(m_hover))
        return;
    if (m_hover.isValid())
        m_view->viewport()->update(m_view->visualRect(m_hover));
    m_hover = index;
    if (m_hover.isValid())
        m_view->viewport()->update(m_view->visualRect(m_hover));
}

bool CHoverCellDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QModelIndex index = m_view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        SetHover(index.isValid() && index.column() > 0 ? index : QModelIndex());
    } else if (event->type() == QEvent::Leave || event->type() == QEvent::MouseButtonDblClick) {
        Clear();
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

void CHoverCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index != QModelIndex(m_hover))
        return;
    QStyleOptionFocusRect frame;
    frame.initFrom(m_view);
    frame.rect = option.rect.adjusted(0, 0, -1, -1);
    m_view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, m_view);
}
