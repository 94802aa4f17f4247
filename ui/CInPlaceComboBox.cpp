#include "ui/CInPlaceComboBox.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

CInPlaceComboBox::CInPlaceComboBox(int row, int column, const QStringList& choices, int initialIndex)
    : CInPlaceCell(row, column, 3000), m_lstItems(choices), m_nSel(initialIndex)
{
}

bool CInPlaceComboBox::Create(const QRect& rect, CListCtrl* list, const QString& cellText, int id)
{
    if (!PlaceOver(this, list, rect, id))
        return false;
    setEditable(false);
    setMaxVisibleItems(15);  // the drop-down has room for 15 rows
    addItems(m_lstItems);
    int sel = m_nSel;
    if (sel < 0)
        sel = m_lstItems.indexOf(cellText);  // exact, case-sensitive; first match
    setCurrentIndex(sel < count() ? sel : -1);
    // The drop-down is as wide as the widest choice plus some room.
    int widest = 0;
    const QFontMetrics fm(font());
    for (const QString& s : m_lstItems)
        widest = std::max(widest, fm.horizontalAdvance(s));
    view()->setMinimumWidth(widest + 20);
    view()->installEventFilter(this);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) { Confirm(); });
    show();
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool CInPlaceComboBox::event(QEvent* e)
{
    if (KeepEditorKeys(e))
        return true;
    return QComboBox::event(e);
}

bool CInPlaceComboBox::eventFilter(QObject* watched, QEvent* e)
{
    // Escape inside the dropped-down list cancels the whole edit.
    if (watched == view() && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
        m_bCancel = true;
    return QComboBox::eventFilter(watched, e);
}

void CInPlaceComboBox::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
        m_bCancel = true;
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();
        Confirm();
        return;
    default:
        QComboBox::keyPressEvent(e);
    }
}

void CInPlaceComboBox::hidePopup()
{
    QComboBox::hidePopup();
    // The chosen item is taken over after the drop-down has closed.
    QTimer::singleShot(0, this, [this] { Confirm(); });
}

void CInPlaceComboBox::Confirm()
{
    if (m_bEnded)
        return;
    FocusList();
    EndEdit();
}

void CInPlaceComboBox::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason || view()->isVisible())
        return;
    EndEdit();
}

void CInPlaceComboBox::EndEdit()
{
    FinishEdit(this, !m_bCancel, [this] { return currentText(); });
}
