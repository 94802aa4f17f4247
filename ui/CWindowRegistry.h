#pragma once
// Every dialog and window of the program registers a factory here that
// makes it, ready to show, for a document. The layout test opens each one at
// several fonts and checks that no text is cut and no controls overlap, so a
// new window is checked by registering it:
//
//     const bool registered = CWindowRegistry::Register("CMyDlg",
//         [](CQuillomerDoc* doc) -> QWidget* { return new CMyDlg(doc); });

#include <QString>

#include <functional>
#include <vector>

class CQuillomerDoc;
class QWidget;

class CWindowRegistry {
public:
    // Makes the window (a top-level widget, not yet shown) on a document with
    // the default system; null when it cannot be made for that document.
    using Factory = std::function<QWidget*(CQuillomerDoc* doc)>;

    struct Entry {
        QString name;
        Factory create;
    };

    // Adds a window; the name (its class) must be unique. Always true, so it
    // can initialise a static.
    static bool Register(const QString& name, Factory create);
    static const std::vector<Entry>& Entries();
};
