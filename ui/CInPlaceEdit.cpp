#include "ui/CInPlaceEdit.h"

#include "ui/CListCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>

CInPlaceEdit::CInPlaceEdit(int row, int column, const QString& initialText)
    : m_nRow(row), m_nColumn(column), m_strInitText(initialText)
{
}

bool CInPlaceEdit::Create(Qt::Alignment alignment, const QRect& rect, CListCtrl* list, int id)
{
    if (!list)
        return false;
    m_pList = list;
    m_nId = id;
    setParent(list->viewport());
    setFrame(true);
    setAlignment(alignment | Qt::AlignVCenter);
    setFont(list->font());
    setGeometry(rect);
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
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape ||
            k->key() == Qt::Key_Delete || (k->modifiers() & Qt::ControlModifier)) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_bCommit = true;
        [[fallthrough]];
    case Qt::Key_Escape:
        e->accept();
        if (m_pList)
            m_pList->setFocus(Qt::OtherFocusReason);
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

void CInPlaceEdit::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    hide();
    QPointer<CInPlaceEdit> self(this);
    if (m_bCommit) {
        const QString result = text();
        emit EditEnded(m_nRow, m_nColumn, result, m_nId);
        if (self && m_pList)
            m_pList->NotifyEndLabelEdit(m_nRow, m_nColumn, result, m_nId);
    }
    if (self)
        deleteLater();
}
