#include "ui/TypedValue.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void TakeTypedValue(const QWidget* within)
{
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (!focus || (within && focus != within && !within->isAncestorOf(focus)))
        return;
    focus->clearFocus();
    // Leaving may close the field (an editor in a list): the focus goes back
    // only to a field that is still there.
    if (focus && focus->isVisible() && focus->isEnabled())
        focus->setFocus(Qt::OtherFocusReason);
}
