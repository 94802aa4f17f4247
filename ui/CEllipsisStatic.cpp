#include "ui/CEllipsisStatic.h"

#include <QFontMetrics>

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
