#include "ui/CTextRuleDelegate.h"

#include <QLineEdit>
#include <QMetaObject>

#include "platform/MessageBox.h"
#include "ui/CTextGuard.h"

bool CTextRuleDelegate::TakesEditorText(QWidget* editor, const QModelIndex& index) const
{
    const auto* edit = qobject_cast<const QLineEdit*>(editor);
    if (!edit || edit->text() == index.data(Qt::EditRole).toString())
        return true;
    const QString refusal = CTextGuard::Refusal(edit->text());
    if (refusal.isEmpty())
        return true;
    // The message comes once the view has closed its editor: a box shown
    // while it is still closing it would leave the view counting itself
    // editing (F2 no longer edits, Escape closes the window).
    QMetaObject::invokeMethod(
        const_cast<CTextRuleDelegate*>(this),
        [refusal] { ShowMessage(refusal.toStdString(), mb::Ok | mb::IconStop); }, Qt::QueuedConnection);
    return false;
}

void CTextRuleDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (TakesEditorText(editor, index))
        QStyledItemDelegate::setModelData(editor, model, index);
}
