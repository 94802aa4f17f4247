#pragma once
// Command routing of the user interface. A command is a numeric id (menu item,
// tool-bar button); the main frame offers it to a chain of command targets
// (device link first, then the active view, its document, the frame, the
// application) until one handles it. The same chain answers the state of a
// menu item before the menu is shown. Qt-free so that any layer can take part.

#include "model/CCmdUI.h"

class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    // Carries out the command; true when this target handled it.
    virtual bool OnCommand(int id) = 0;
    // True when this target handles the command; it then fills `ui` with the
    // item's state. A command that no target handles is shown disabled.
    virtual bool OnUpdateCommand(CCmdUI& ui) = 0;
};
