#pragma once
// The context menus of the designer's objects: one entry list per menu
// resource id (the first submenu of the resource), the entries an object adds
// for its hovered connector, the state pass through the object's
// OnUpdateCommand, and the QMenu built from the result.

#include <cstdint>
#include <string>
#include <vector>

class CBaseDevice;
enum class InputSubmenu;
class QMenu;
class QWidget;

struct ContextMenuItem {
    enum Kind { Command, Separator, Popup };

    Kind kind = Command;
    uint32_t id = 0;          // command id (Command only)
    std::string text;         // UTF-8, "&" marks the mnemonic
    std::vector<ContextMenuItem> items;  // entries of a popup
    bool enabled = true;
    bool checked = false;

    static ContextMenuItem Cmd(uint32_t id, std::string text);
    static ContextMenuItem Sep();
    static ContextMenuItem Sub(std::string text, std::vector<ContextMenuItem> items);
};

using ContextMenu = std::vector<ContextMenuItem>;

// The entries of menu resource `menuId` as the resource holds them (German
// texts); null for a menu the program does not have.
const ContextMenu* FindContextMenu(uint32_t menuId);

// A submenu of the audio input slot's menu, in the language in use.
ContextMenu InputSlotSubmenu(InputSubmenu which);

// The menu `obj` shows for `menuId` in the language in use: the resource's
// entries, then what the
// object appends for its hovered connector (audio input, digital and
// interface slots). Empty for an unknown menu.
ContextMenu BuildObjectMenu(const CBaseDevice& obj, uint32_t menuId);

// Asks the object for the state of every command entry (popups included):
// enabled, checked, new text, or removed.
void UpdateMenuState(ContextMenu& menu, CBaseDevice& obj);

// Drops separators at the start and end of every (sub)menu and all but one of
// a run of separators, and popups left without entries.
void TidySeparators(ContextMenu& menu);

// A QMenu of the entries; each command's action carries its id as data.
QMenu* CreateQMenu(const ContextMenu& menu, QWidget* parent);
