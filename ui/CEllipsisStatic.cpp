#include "ui/CEllipsisStatic.h"

#include <QEvent>
#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>

CEllipsisStatic::CEllipsisStatic(QWidget* parent, int id) : QLabel(parent), m_nId(id) {}

void CEllipsisStatic::SetText(const QString& text)
{
    m_strFullText = text;
    const QFontMetrics fm(font());
    const int width = contentsRect().width();
    QWidget* parent = parentWidget();
    if (fm.horizontalAdvance(text) > width) {
        QString shown;
        for (qsizetype n = text.size(); n >= 1; --n) {
            shown = text.left(n) + QStringLiteral("...");
            if (fm.horizontalAdvance(shown) <= width)
                break;
        }
        m_bShortened = true;
        QLabel::setText(shown);
        // The whole text as a tool over the control, in the parent's coordinates.
        if (parent)
            m_ToolTip.AddRectTool(parent, text, geometry(), m_nId);
    } else {
        m_bShortened = false;
        QLabel::setText(text);
        if (parent)
            m_ToolTip.DelTool(parent, m_nId);
    }
}

QSize CEllipsisStatic::minimumSizeHint() const
{
    const QSize label = QLabel::minimumSizeHint();
    const QMargins m = contentsMargins();
    const int narrow = QFontMetrics(font()).horizontalAdvance(QStringLiteral("W...")) + m.left() + m.right() +
                       2 * margin();
    return {std::min(label.width(), narrow), label.height()};
}

void CEllipsisStatic::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (event->size().width() != event->oldSize().width() && !m_strFullText.isNull())
        SetText(m_strFullText);
}

void CEllipsisStatic::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_strFullText.isNull())
        SetText(m_strFullText);
}
