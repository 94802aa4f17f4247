#pragma once
// How the cards reach their modeless dialog: the dialog registers itself while
// it is open, with the document it shows; the opener makes or raises it.

class CQuillomerDoc;

template <class Dlg, class Opener>
struct DialogHook {
    Dlg* dlg = nullptr;
    CQuillomerDoc* doc = nullptr;
    Opener opener = nullptr;

    // Returns the previous dialog; clearing it forgets its document too.
    Dlg* Set(Dlg* d)
    {
        Dlg* old = dlg;
        dlg = d;
        if (d == nullptr)
            doc = nullptr;
        return old;
    }

    Opener SetOpener(Opener o)
    {
        Opener old = opener;
        opener = o;
        return old;
    }

    // The document of the open dialog; none while no dialog is open.
    CQuillomerDoc* Document() const { return dlg ? doc : nullptr; }
};
