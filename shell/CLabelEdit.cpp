#include "shell/CLabelEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPalette>
#include <QStyle>

CLabelEdit::CLabelEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("LabelEdit"));
    setFrame(true);
    connect(this, &QLineEdit::textChanged, this, &CLabelEdit::FitToText);
}

void CLabelEdit::SetLook(const QRect& rect, const QColor& background, const QFont& font, bool notifyOnFocusLoss)
{
    m_rect = rect;
    m_notifyOnFocusLoss = notifyOnFocusLoss;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Text, QColor(0, 0, 255));
    setPalette(pal);
    setFont(font);
    FitToText();
}

void CLabelEdit::FitToText()
{
    QRect geometry = m_rect;
    const int needHeight = sizeHint().height();
    if (geometry.height() < needHeight) {
        geometry.setTop(m_rect.top() - (needHeight - m_rect.height()) / 2);
        geometry.setHeight(needHeight);
    }
    // The text plus the frame, the line edit's inner margins and the cursor.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QMargins text = textMargins() + contentsMargins();
    const int needWidth = fontMetrics().horizontalAdvance(this->text()) + 2 * frame + text.left() + text.right() + 6;
    if (geometry.width() < needWidth) {
        geometry.setLeft(m_rect.left() - (needWidth - m_rect.width()) / 2);
        geometry.setWidth(needWidth);
    }
    if (parentWidget() && geometry.left() < 0)
        geometry.moveLeft(0);
    setGeometry(geometry);
}

void CLabelEdit::Post(bool cancel)
{
    if (!m_notify)
        return;
    auto notify = m_notify;
    QMetaObject::invokeMethod(this, [notify, cancel] { notify(cancel); }, Qt::QueuedConnection);
}

void CLabelEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Post(false);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Post(true);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CLabelEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
}

void CLabelEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_notifyOnFocusLoss)
        Post(false);
}
