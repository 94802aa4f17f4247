#include "ui/CInPlaceEdit.h"

#include "platform/MessageBox.h"
#include "ui/CTextGuard.h"

#include <QFocusEvent>
#include <QKeyEvent>

CInPlaceEdit::CInPlaceEdit(int row, int column, const QString& initialText)
    : CInPlaceCell(row, column, 2000), m_strInitText(initialText)
{
}

bool CInPlaceEdit::Create(Qt::Alignment alignment, const QRect& rect, CListCtrl* list, int id)
{
    if (!PlaceOver(this, list, rect, id))
        return false;
    setFrame(true);
    setAlignment(alignment | Qt::AlignVCenter);
    setText(m_strInitText);
    selectAll();
    show();
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool CInPlaceEdit::event(QEvent* e)
{
    // Enter, Escape, Delete and every Ctrl combination belong to the editor,
    // not to the dialog's buttons or the program's shortcuts.
    if (KeepEditorKeys(e, true))
        return true;
    return QLineEdit::event(e);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();
        Confirm();
        return;
    case Qt::Key_Escape:
        e->accept();
        m_bCancel = true;
        FocusList();
        EndEdit();
        return;
    default:
        QLineEdit::keyPressEvent(e);
    }
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;  // the edit's own context menu
    EndEdit();
}

void CInPlaceEdit::Confirm()
{
    m_bConfirmed = true;
    FocusList();
    EndEdit();
}

void CInPlaceEdit::EndEdit()
{
    bool offer = !m_bCancel && (m_bConfirmed || text() != m_strInitText);
    // A text the rule refuses is not offered: the cell keeps its text, and
    // the message comes once the editor has gone (its focus loss to the
    // message is no second end).
    QString refusal;
    if (offer && !m_bEnded && text() != m_strInitText)
        refusal = CTextGuard::Refusal(text());
    if (!refusal.isEmpty())
        offer = false;
    const bool ended = m_bEnded;
    FinishEdit(this, offer, [this] { return text(); });
    if (!ended && !refusal.isEmpty())
        ShowMessage(refusal.toStdString(), mb::Ok | mb::IconStop);
}
