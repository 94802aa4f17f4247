#include "ui/CHoverFrame.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

CHoverFrame::CHoverFrame(QAbstractItemView* view, int firstColumn, int lastColumn)
    : QObject(view), m_view(view), m_firstColumn(firstColumn), m_lastColumn(lastColumn)
{
    setObjectName(QStringLiteral("hoverFrame"));
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
}

CHoverFrame* CHoverFrame::Of(const QAbstractItemView* view)
{
    return view ? view->findChild<CHoverFrame*>(QStringLiteral("hoverFrame"), Qt::FindDirectChildrenOnly) : nullptr;
}

void CHoverFrame::Clear()
{
    SetHover(QModelIndex());
}

bool CHoverFrame::Counts(const QModelIndex& index) const
{
    return index.isValid() && index.column() >= m_firstColumn && (m_lastColumn < 0 || index.column() <= m_lastColumn);
}

void CHoverFrame::SetHover(const QModelIndex& index)
{
    if (index == QModelIndex(m_hover))
        return;
    if (m_hover.isValid())
        m_view->viewport()->update(m_view->visualRect(m_hover));
    m_hover = index;
    if (m_hover.isValid())
        m_view->viewport()->update(m_view->visualRect(m_hover));
}

void CHoverFrame::Paint(QPainter& painter, const QRect& cell, const QPalette& palette, bool selected)
{
    if (cell.width() < 2 || cell.height() < 2)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // Dots of one screen pixel at every scale: a pen of one logical pixel
    // turns them into dashes at 120 and 144 DPI.
    QPen pen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DotLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.restore();
}

void CHoverFrame::PaintOver()
{
    if (!m_hover.isValid())
        return;
    const QRect cell = m_view->visualRect(m_hover);
    if (cell.isEmpty())
        return;
    const QItemSelectionModel* selection = m_view->selectionModel();
    QPainter painter(m_view->viewport());
    Paint(painter, cell, m_view->palette(), selection && selection->isSelected(m_hover));
}

bool CHoverFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QModelIndex index = m_view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        SetHover(Counts(index) ? index : QModelIndex());
        break;
    }
    case QEvent::Leave:
        Clear();
        break;
    case QEvent::Paint:
        // The list paints its rows first, then the frame goes on top.
        if (!m_painting && m_hover.isValid()) {
            m_painting = true;
            QCoreApplication::sendEvent(watched, event);
            m_painting = false;
            PaintOver();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
