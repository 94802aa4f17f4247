#include "ui/TypedValue.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "ui/CInPlaceDateTimeCtrl.h"
#include "ui/CInPlaceEdit.h"

void TakeTypedValue(const QWidget* within)
{
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (!focus || (within && focus != within && !within->isAncestorOf(focus)))
        return;
    // An editor open over a cell of a list ends as Enter ends it: leaving it
    // would drop what was typed, and the command would send the value before.
    for (QWidget* w = focus; w && w != within; w = w->parentWidget()) {
        if (auto* edit = qobject_cast<CInPlaceEdit*>(w)) {
            edit->Confirm();
            return;
        }
        if (auto* picker = qobject_cast<CInPlaceDateTimeCtrl*>(w)) {
            picker->Confirm();
            return;
        }
    }
    focus->clearFocus();
    // Leaving may close the field (an editor in a list): the focus goes back
    // only to a field that is still there.
    if (focus && focus->isVisible() && focus->isEnabled())
        focus->setFocus(Qt::OtherFocusReason);
}
