#include "ui/CTextGuard.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVariant>

#include "model/TextRule.h"
#include "platform/MessageBox.h"

QString CTextGuard::Refusal(const QString& text, bool severalLines)
{
    return QString::fromStdString(TextRefusal(text.toStdString(), severalLines));
}

CTextGuard::CTextGuard(QWidget* edit) : QObject(edit), m_edit(edit)
{
    setObjectName(QStringLiteral("TextGuard"));
    edit->installEventFilter(this);
}

CTextGuard* CTextGuard::Guard(QLineEdit* edit)
{
    if (!edit)
        return nullptr;
    if (CTextGuard* guard = Of(edit))
        return guard;
    auto* guard = new CTextGuard(edit);
    guard->m_line = edit;
    guard->m_before = edit->text();
    // A text the window puts in (not the user's typing) is the one to keep.
    connect(edit, &QLineEdit::textChanged, guard, [guard](const QString& text) {
        if (!guard->m_line->isModified())
            guard->m_before = text;
    });
    return guard;
}

CTextGuard* CTextGuard::Guard(QPlainTextEdit* edit, bool severalLines)
{
    if (!edit)
        return nullptr;
    if (CTextGuard* guard = Of(edit))
        return guard;
    auto* guard = new CTextGuard(edit);
    guard->m_lines = edit;
    guard->m_severalLines = severalLines;
    guard->m_before = edit->toPlainText();
    // The user types only while the edit has the focus.
    connect(edit, &QPlainTextEdit::textChanged, guard, [guard] {
        if (!guard->m_lines->hasFocus())
            guard->m_before = guard->m_lines->toPlainText();
    });
    return guard;
}

void CTextGuard::LeaveFree(QWidget* edit)
{
    if (edit)
        edit->setProperty("textRuleFree", true);
}

bool CTextGuard::IsFree(const QWidget* edit)
{
    return edit && edit->property("textRuleFree").toBool();
}

CTextGuard* CTextGuard::Of(const QWidget* edit)
{
    return edit ? edit->findChild<CTextGuard*>(QStringLiteral("TextGuard"), Qt::FindDirectChildrenOnly) : nullptr;
}

QString CTextGuard::Text() const
{
    return m_line ? m_line->text() : m_lines->toPlainText();
}

void CTextGuard::Restore()
{
    if (m_line) {
        m_line->setText(m_before);
        if (m_line->hasFocus())
            m_line->selectAll();
    } else {
        m_lines->setPlainText(m_before);
        if (m_lines->hasFocus())
            m_lines->selectAll();
    }
}

bool CTextGuard::Confirm()
{
    const QString text = Text();
    if (text == m_before || m_confirming)
        return true;
    const QString refusal = Refusal(m_taken ? m_taken(text) : text, m_severalLines);
    if (refusal.isEmpty()) {
        m_before = text;
        return true;
    }
    // The message box takes the focus away from the edit: that is no second
    // confirmation.
    m_confirming = true;
    const QPointer<CTextGuard> alive(this);
    ShowMessage(refusal.toStdString(), mb::Ok | mb::IconStop);
    if (!alive)
        return false;
    m_confirming = false;
    Restore();
    return false;
}

bool CTextGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return false;
    if (event->type() == QEvent::KeyPress && !m_severalLines) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // A refused text does not reach the window, nor its default button.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !Confirm())
            return true;
    } else if (event->type() == QEvent::FocusIn && m_lines) {
        m_before = m_lines->toPlainText();
    } else if (event->type() == QEvent::FocusOut) {
        // The edit's own context menu takes the focus for a moment only.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            Confirm();
    }
    return false;
}
