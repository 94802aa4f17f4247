#pragma once
// Reading a context menu the way the user sees it, for the shell tests.

#include <QAction>
#include <QMenu>

#include <algorithm>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/CShellAppHost.h"

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

// Stands in for the menu's event loop while it lives: counts and records the
// menus shown and picks `choose` when it is there and enabled (0: the menu is
// dismissed).
class MenuPick {
public:
    MenuPick()
    {
        m_old = CShellAppHost::SetMenuRunner([this](QMenu& menu, const QPoint&) -> QAction* {
            ++shown;
            entries.clear();
            Describe(menu, "", entries);
            QAction* a = choose ? FindAction(menu, choose) : nullptr;
            return a && a->isEnabled() ? a : nullptr;
        });
    }
    ~MenuPick() { CShellAppHost::SetMenuRunner(std::move(m_old)); }
    MenuPick(const MenuPick&) = delete;
    MenuPick& operator=(const MenuPick&) = delete;

    bool Shows(const std::string& entry) const
    {
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    }

    int shown = 0;
    uint32_t choose = 0;
    std::vector<std::string> entries;

private:
    CShellAppHost::MenuRunner m_old;
};

}  // namespace menutest
