#pragma once
// Reading a context menu the way the user sees it, for the shell tests.

#include <QAction>
#include <QMenu>

#include <cstdint>
#include <string>
#include <vector>

namespace menutest {

// One entry as the user saw it: "text" plus "[x]" when checked and "(off)"
// when disabled; "---" for a separator; popups as "text >" followed by their
// entries indented by two blanks.
inline void Describe(const QMenu& menu, const std::string& indent, std::vector<std::string>& out)
{
    for (QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            out.push_back(indent + "---");
        } else if (a->menu()) {
            out.push_back(indent + a->text().toStdString() + " >");
            Describe(*a->menu(), indent + "  ", out);
        } else {
            std::string line = indent + a->text().toStdString();
            if (a->isChecked())
                line += " [x]";
            if (!a->isEnabled())
                line += " (off)";
            out.push_back(line);
        }
    }
}

// The command entry with that id, in popups too; null when there is none.
inline QAction* FindAction(const QMenu& menu, uint32_t id)
{
    for (QAction* a : menu.actions()) {
        if (a->menu()) {
            if (QAction* found = FindAction(*a->menu(), id))
                return found;
        } else if (!a->isSeparator() && a->data().toUInt() == id) {
            return a;
        }
    }
    return nullptr;
}

}  // namespace menutest
