#include "ui/CInPlaceComboBox.h"

#include "ui/CListCtrl.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

CInPlaceComboBox::CInPlaceComboBox(int row, int column, const QStringList& choices, int initialIndex)
    : m_nRow(row), m_nColumn(column), m_lstItems(choices), m_nSel(initialIndex)
{
}

bool CInPlaceComboBox::Create(const QRect& rect, CListCtrl* list, const QString& cellText, int id)
{
    if (!list)
        return false;
    m_pList = list;
    m_nId = id;
    setParent(list->viewport());
    setEditable(false);
    setFont(list->font());
    setGeometry(rect);
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
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape) {
            e->accept();
            return true;
        }
    }
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
    if (m_pList)
        m_pList->setFocus(Qt::OtherFocusReason);
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
    if (m_bEnded)
        return;
    m_bEnded = true;
    hide();
    QPointer<CInPlaceComboBox> self(this);
    if (!m_bCancel) {
        const QString result = currentText();
        emit EditEnded(m_nRow, m_nColumn, result, m_nId);
        if (self && m_pList)
            m_pList->NotifyEndLabelEdit(m_nRow, m_nColumn, result, m_nId);
    }
    if (self)
        deleteLater();
}
