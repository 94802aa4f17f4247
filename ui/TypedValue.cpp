#include "ui/TypedValue.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "ui/CInPlaceCell.h"

void TakeTypedValue(const QWidget* within)
{
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (!focus || (within && focus != within && !within->isAncestorOf(focus)))
        return;
    // An editor open over a cell of a list ends as Enter ends it, before the
    // command sends or saves what the list's owner holds.
    for (QWidget* w = focus; w && w != within; w = w->parentWidget()) {
        if (auto* cell = dynamic_cast<CInPlaceCell*>(w)) {
            cell->Confirm();
            return;
        }
    }
    focus->clearFocus();
    // Leaving may close the field (an editor in a list): the focus goes back
    // only to a field that is still there.
    if (focus && focus->isVisible() && focus->isEnabled())
        focus->setFocus(Qt::OtherFocusReason);
}
