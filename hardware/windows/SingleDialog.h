#pragma once
// The card dialogs are modeless and open once at most: a second "open" brings
// the open one forward on the new document; closing or retargeting a document
// only touches the dialog when it shows that document.

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

#include <new>
#include <utility>

class CQuillomerDoc;

namespace single_dlg {

// The main window, the parent of a card dialog; none in a bare test.
inline QWidget* MainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w))
            return w;
    return nullptr;
}

// Shows the open dialog on doc, or makes one (it registers itself as the open
// one). 0 when there was no memory for it.
template <class Dlg, class... Args>
int Open(Dlg* open, CQuillomerDoc* doc, Args&&... args)
{
    if (open) {
        open->SetDocument(doc);
        open->show();
        open->raise();
        open->activateWindow();
        return 1;
    }
    auto* dlg = new (std::nothrow) Dlg(MainWindow(), doc, std::forward<Args>(args)...);
    if (dlg == nullptr)
        return 0;
    dlg->show();
    return 1;
}

template <class Dlg>
void Close(Dlg* open, CQuillomerDoc* doc)
{
    if (open && open->GetDocument() == doc)
        open->OnCancel();
}

template <class Dlg>
void Retarget(Dlg* open, CQuillomerDoc* doc)
{
    if (open && doc && open->GetDocument() != doc)
        open->SetDocument(doc);
}

template <class Dlg>
void Delete(Dlg*& open)
{
    delete open;  // the destructor clears the pointer
    open = nullptr;
}

// Forgets self as the open dialog, here and in the cards' hook.
template <class Dlg, class Hook, class SetHook>
void Forget(Dlg*& open, Dlg* self, Hook* hook, SetHook setHook)
{
    if (open == self)
        open = nullptr;
    if (hook == self)
        setHook(nullptr);
}

}  // namespace single_dlg
