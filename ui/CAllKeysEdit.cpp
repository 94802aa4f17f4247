#include "ui/CAllKeysEdit.h"

#include <QKeyEvent>

namespace {
bool IsDialogKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: return true;
    default: return false;
    }
}
}  // namespace

CAllKeysEdit::CAllKeysEdit(QWidget* parent) : QLineEdit(parent) {}

bool CAllKeysEdit::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride && IsDialogKey(static_cast<QKeyEvent*>(e)->key())) {
        e->accept();
        return true;
    }
    // Tab would otherwise move the focus before keyPressEvent sees it.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CAllKeysEdit::keyPressEvent(QKeyEvent* e)
{
    QLineEdit::keyPressEvent(e);
    if (IsDialogKey(e->key()))
        e->accept();  // never passed on to the dialog
}
