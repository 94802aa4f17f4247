#include "ui/CInPlaceCell.h"

#include "ui/CListCtrl.h"

#include <QKeyEvent>

bool CInPlaceCell::PlaceOver(QWidget* editor, CListCtrl* list, const QRect& rect, int id)
{
    if (!list)
        return false;
    m_pList = list;
    m_nId = id;
    editor->setParent(list->viewport());
    editor->setFont(list->font());
    editor->setGeometry(rect);
    return true;
}

bool CInPlaceCell::KeepEditorKeys(QEvent* e, bool editingKeys)
{
    if (e->type() != QEvent::ShortcutOverride)
        return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    const bool keep = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape ||
                      (editingKeys && (k->key() == Qt::Key_Delete || (k->modifiers() & Qt::ControlModifier)));
    if (keep)
        e->accept();
    return keep;
}

void CInPlaceCell::FocusList()
{
    if (m_pList)
        m_pList->setFocus(Qt::OtherFocusReason);
}

void CInPlaceCell::NotifyList(const QString& text)
{
    if (m_pList)
        m_pList->NotifyEndLabelEdit(m_nRow, m_nColumn, text, m_nId);
}
