#include "comm/windows/CProtocolMonitorView.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

#include "comm/CCommLink.h"
#include "model/TextRule.h"
#include "platform/Cp1252.h"
#include "platform/MessageBox.h"

CProtocolMonitorView::CProtocolMonitorView(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void CProtocolMonitorView::AppendMonitorText(const QString& incoming)
{
    QString text = toPlainText();
    if (text.size() >= kTextLimit)
        text = text.mid(kDropCount);
    const QString erase = QStringLiteral("\b \b");
    if (incoming == erase) {
        text.chop(1);
    } else {
        // The device ends its lines with "\r\n" (the two may come apart); the
        // line feed alone makes the new line here.
        QString add = incoming;
        add.remove(QLatin1Char('\r'));
        const qsizetype joined = text.size();
        text += add;
        // On a paced line the erase echo may come in pieces ("\b " then "\b")
        // or behind the echo of the character it erases: it erases all the same.
        qsizetype at = text.indexOf(erase, std::max<qsizetype>(0, joined - 2));
        while (at >= 0) {
            const qsizetype from = at > 0 ? at - 1 : at;
            text.remove(from, at + erase.size() - from);
            at = text.indexOf(erase, std::max<qsizetype>(0, from - 2));
        }
    }
    setPlainText(text);
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void CProtocolMonitorView::ClearText()
{
    clear();
}

void CProtocolMonitorView::keyPressEvent(QKeyEvent* event)
{
    // Without a connection there is no one to type to: Escape closes the
    // window, as in the program's other windows.
    if (event->key() == Qt::Key_Escape && (!m_link || !m_link->IsConnected())) {
        window()->hide();
        event->accept();
        return;
    }
    // Alt with a key is a shortcut of the program, not a character for the
    // device: a stray letter would stand in front of the next line sent.
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & (Qt::AltModifier | Qt::MetaModifier)) && !(mods & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (event->key() == Qt::Key_Backspace)
        text = QStringLiteral("\b");
    if (text.isEmpty()) {
        // Keys without a character (arrows, page keys) move through the text.
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // A character the line cannot carry would reach the device as "?", the
    // query mark: it is named, not sent.
    if (CheckText(text.toStdString()).fault == TextFault::NotInCodePage) {
        ShowMessage(TextRefusal(text.toStdString()), mb::Ok | mb::IconStop);
        event->accept();
        return;
    }
    // Every character, control characters such as ETX (Ctrl+C) included.
    OnChar(text);
    event->accept();
}

void CProtocolMonitorView::OnChar(const QString& text)
{
    if (m_link)
        m_link->OnMonitorChar(text.toStdString());
}
