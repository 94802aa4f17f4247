#include "ui/CDateTimeEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

CDateTimeEdit::CDateTimeEdit(QWidget* parent) : QDateTimeEdit(parent) {}

CDateTimeEdit::CDateTimeEdit(QTime time, QWidget* parent) : QDateTimeEdit(time, parent) {}

bool CDateTimeEdit::IsModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

void CDateTimeEdit::keyPressEvent(QKeyEvent* e)
{
    if (IsModifierKey(e->key())) {
        QDateTimeEdit::keyPressEvent(e);
        return;
    }
    if (m_bMovedOn && IsPassedSeparator(e)) {
        m_bMovedOn = false;
        e->accept();
        return;
    }
    const int field = currentSectionIndex();
    QDateTimeEdit::keyPressEvent(e);
    m_bMovedOn = !e->text().isEmpty() && e->text().at(0).isDigit() && currentSectionIndex() > field;
}

bool CDateTimeEdit::IsPassedSeparator(const QKeyEvent* e) const
{
    const QString typed = e->text();
    if (typed.isEmpty() || typed.at(0).isLetterOrNumber() || !lineEdit()->hasSelectedText())
        return false;
    // The field the edit moved to is selected; the separator stands before
    // it, perhaps followed by a blank ("7. 12. 26") that is passed with it.
    QString before = lineEdit()->text().left(lineEdit()->selectionStart());
    if (!typed.at(0).isSpace())
        while (!before.isEmpty() && before.back().isSpace())
            before.chop(1);
    return before.endsWith(typed);
}
