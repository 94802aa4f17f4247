#include "shell/CLabelEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPalette>

CLabelEdit::CLabelEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("LabelEdit"));
    setFrame(true);
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
    QRect geometry = rect;
    const int need = sizeHint().height();
    if (geometry.height() < need) {
        geometry.setTop(rect.top() - (need - rect.height()) / 2);
        geometry.setHeight(need);
    }
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
