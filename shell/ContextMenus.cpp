#include "shell/ContextMenus.h"

#include <QAction>
#include <QMenu>
#include <QString>

#include <map>

#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CDigitalSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "hardware/HardwareIds.h"
#include "model/CBaseDevice.h"
#include "model/CCmdUI.h"
#include "paging/CGroup.h"
#include "shell/ShellIds.h"

ContextMenuItem ContextMenuItem::Cmd(uint32_t id, std::string text)
{
    ContextMenuItem item;
    item.kind = Command;
    item.id = id;
    item.text = std::move(text);
    return item;
}

ContextMenuItem ContextMenuItem::Sep()
{
    ContextMenuItem item;
    item.kind = Separator;
    return item;
}

ContextMenuItem ContextMenuItem::Sub(std::string text, std::vector<ContextMenuItem> items)
{
    ContextMenuItem item;
    item.kind = Popup;
    item.text = std::move(text);
    item.items = std::move(items);
    return item;
}

namespace {
using Item = ContextMenuItem;

// Menu 141 is made of the audio input slot's own submenu tables.
ContextMenu FromInputSubmenu(InputSubmenu which)
{
    ContextMenu menu;
    for (const InputMenuEntry& e : CAudioInputSlot::GetSubmenu(which))
        menu.push_back(e.text ? Item::Cmd(e.id, e.text) : Item::Sep());
    return menu;
}

// The amplifiers an audio output card can feed ("Verstärker hinzufügen").
ContextMenu AmplifierSubmenu()
{
    return {
        Item::Cmd(ampmodel::OneChannel, "1-Kanal Verstärker"),
        Item::Cmd(ampmodel::Hbe6631, "HBE 6631"),
        Item::Cmd(ampmodel::Hbe6633, "HBE 6633"),
        Item::Cmd(ampmodel::Hbe6631Yok, "HBE 6631 + YOK 58417"),
        Item::Cmd(ampmodel::Hbe6633Yok, "HBE 6633 + YOK 58417"),
        Item::Sep(),
        Item::Cmd(ampmodel::TwoChannel, "2-Kanal Verstärker"),
        Item::Cmd(ampmodel::Hbe6657, "HBE 6657"),
        Item::Cmd(ampmodel::Hbe6659, "HBE 6659"),
        Item::Sep(),
        Item::Sub("HBE 6682", {Item::Cmd(ampmodel::Hbe6682_4x1, "4 x 100W"),
                               Item::Cmd(ampmodel::Hbe6682_211, "200W + 100W + 100W"),
                               Item::Cmd(ampmodel::Hbe6682_121, "100W + 200W + 100W"),
                               Item::Cmd(ampmodel::Hbe6682_112, "100W + 100W + 200W"),
                               Item::Cmd(ampmodel::Hbe6682_2x2, "2 x 200W")}),
        Item::Sub("HBE 6683", {Item::Cmd(ampmodel::Hbe6683_4x1, "4 x 100W"),
                               Item::Cmd(ampmodel::Hbe6683_211, "200W + 100W + 100W"),
                               Item::Cmd(ampmodel::Hbe6683_121, "100W + 200W + 100W"),
                               Item::Cmd(ampmodel::Hbe6683_112, "100W + 100W + 200W"),
                               Item::Cmd(ampmodel::Hbe6683_2x2, "2 x 200W")}),
    };
}

const std::map<uint32_t, ContextMenu>& Table()
{
    static const std::map<uint32_t, ContextMenu> table = {
        // Objects without a menu of their own.
        {110, {Item::Cmd(objcmd::Delete, "Gerät &löschen"), Item::Sep(),
               Item::Cmd(objcmd::Properties, "Eigenschaften ...")}},
        // Group.
        {111,
         {Item::Cmd(groupcmd::AddGroup, "Gruppe hinzufügen"), Item::Sep(), Item::Cmd(objcmd::Delete, "löschen"),
          Item::Sep(),
          Item::Cmd(groupcmd::Properties, "Eigenschaften ...")}},
        // Audio input card slot: card models and properties.
        {141, FromInputSubmenu(InputSubmenu::Card)},
        // Zone.
        {215,
         {Item::Cmd(groupcmd::AddGroup, "Neue Gruppe hinzufügen"),
          Item::Cmd(ids::AddLanGroup, "Neue LAN Gruppe hinzufügen"), Item::Sep(),
          Item::Cmd(ids::ObjectDownload, "Download"), Item::Cmd(ids::ObjectUpload, "Upload"), Item::Sep(),
          Item::Cmd(objcmd::Delete, "&Löschen"),
          Item::Sep(), Item::Cmd(ids::ZoneProperties, "&Eigenschaften ...")}},
        // Amplifier.
        {216,
         {Item::Sub("Relaistopologie",
                    {Item::Cmd(ampcmd::Direct, "Direkt"), Item::Cmd(ampcmd::OneInN, "1 in N"),
                     Item::Cmd(ampcmd::ProgramCall, "Programm/Ruf")}),
          Item::Sep(), Item::Cmd(objcmd::Delete, "Löschen"), Item::Sep(),
          Item::Cmd(objcmd::Properties, "Eigenschaften ...")}},
        // Audio output card slot.
        {226,
         {Item::Cmd(outputcard::NotFitted, "Nicht bestückt"),
          Item::Cmd(outputcard::LineModule, "2-Kanal LINE Ausgangsmodul"), Item::Sep(),
          Item::Cmd(objcmd::Properties, "Eigenschaften (Volume,Delay)..."), Item::Sep(),
          Item::Sub("Verstärker hinzufügen", AmplifierSubmenu())}},
        // Digital I/O card slot.
        {228,
         {Item::Cmd(digitalslot::CmdNotFitted, "Nicht bestückt"),
          Item::Cmd(digitalslot::CmdFitted, "8 fach Digital I/O"), Item::Sep(),
          Item::Cmd(objcmd::Properties, "Eigenschaften ...")}},
        // Interface card slot.
        {230, {Item::Cmd(objcmd::Properties, "Eigenschaften ...")}},
        // Relay topology.
        {236, {Item::Cmd(objcmd::Delete, "&Löschen"), Item::Sep(),
               Item::Cmd(objcmd::Properties, "&Eigenschaften ...")}},
        // "Device": single-object transfers of the list windows.
        {294, {Item::Cmd(ids::ObjectDownload, "Download"), Item::Cmd(ids::ObjectUpload, "Upload")}},
        // LAN group.
        {295,
         {Item::Cmd(ids::ChangeLanId, "ID ändern"), Item::Sep(), Item::Cmd(ids::ObjectDownload, "Download"),
          Item::Cmd(ids::ObjectUpload, "Upload"),
          Item::Sep(), Item::Cmd(objcmd::Delete, "löschen"), Item::Sep(),
          Item::Cmd(groupcmd::Properties, "Eigenschaften ...")}},
    };
    return table;
}

void AppendInputSlotPopup(const CBaseDevice& obj, ContextMenu& menu)
{
    const auto* slot = dynamic_cast<const CAudioInputSlot*>(&obj);
    InputSubmenu which = InputSubmenu::Card;
    std::string text;
    if (!slot || !slot->GetContextPopup(which, text))
        return;
    menu.push_back(Item::Sep());
    menu.push_back(Item::Sub(text, FromInputSubmenu(which)));
}

void AppendDigitalSlotEntries(const CBaseDevice& obj, ContextMenu& menu)
{
    if (obj.m_hoverOutput >= 0) {
        menu.push_back(Item::Sep());
        menu.push_back(Item::Cmd(digitalslot::CmdOutput, "Output"));
    }
    if (obj.m_hoverInput >= 0) {
        menu.push_back(Item::Sep());
        menu.push_back(Item::Cmd(digitalslot::CmdInput, "Input"));
    }
}

void AppendInterfaceSlotEntries(const CBaseDevice& obj, ContextMenu& menu)
{
    menu.push_back(Item::Sep());
    switch (obj.m_hoverInput) {
    case 0: menu.push_back(Item::Cmd(interfaceslot::CmdPc, "PC")); break;
    case 1: menu.push_back(Item::Cmd(interfaceslot::CmdDcf77, "DCF77 Receiver")); break;
    case 2: menu.push_back(Item::Cmd(interfaceslot::CmdInp1, "INP1")); break;
    case 3: menu.push_back(Item::Cmd(interfaceslot::CmdInp2, "INP2")); break;
    case 4:
        menu.push_back(Item::Cmd(interfaceslot::CmdFJX3392, "FJX3392"));
        menu.push_back(Item::Cmd(interfaceslot::CmdFJX3397, "FJX3397"));
        break;
    default: break;
    }
    switch (obj.m_hoverOutput) {
    case 0: menu.push_back(Item::Cmd(interfaceslot::CmdReady, "READY")); break;
    case 1: menu.push_back(Item::Cmd(interfaceslot::CmdMonitor, "Monitor")); break;
    default: break;
    }
}

void Tidy(ContextMenu& menu)
{
    ContextMenu out;
    out.reserve(menu.size());
    for (ContextMenuItem& item : menu) {
        if (item.kind == ContextMenuItem::Popup) {
            Tidy(item.items);
            if (item.items.empty())
                continue;
        }
        if (item.kind == ContextMenuItem::Separator &&
            (out.empty() || out.back().kind == ContextMenuItem::Separator))
            continue;
        out.push_back(std::move(item));
    }
    while (!out.empty() && out.back().kind == ContextMenuItem::Separator)
        out.pop_back();
    menu = std::move(out);
}

void FillQMenu(QMenu& qmenu, const ContextMenu& menu)
{
    for (const ContextMenuItem& item : menu) {
        switch (item.kind) {
        case ContextMenuItem::Separator:
            qmenu.addSeparator();
            break;
        case ContextMenuItem::Popup: {
            QMenu* sub = qmenu.addMenu(QString::fromStdString(item.text));
            FillQMenu(*sub, item.items);
            break;
        }
        case ContextMenuItem::Command: {
            QAction* a = qmenu.addAction(QString::fromStdString(item.text));
            a->setData(QVariant::fromValue(static_cast<uint>(item.id)));
            a->setEnabled(item.enabled);
            if (item.checked) {
                a->setCheckable(true);
                a->setChecked(true);
            }
            break;
        }
        }
    }
}
}  // namespace

const ContextMenu* FindContextMenu(uint32_t menuId)
{
    const auto& table = Table();
    const auto it = table.find(menuId);
    return it == table.end() ? nullptr : &it->second;
}

ContextMenu BuildObjectMenu(const CBaseDevice& obj, uint32_t menuId)
{
    const ContextMenu* base = FindContextMenu(menuId);
    if (!base)
        return {};
    ContextMenu menu = *base;
    switch (menuId) {
    case 141: AppendInputSlotPopup(obj, menu); break;
    case 228: AppendDigitalSlotEntries(obj, menu); break;
    case 230: AppendInterfaceSlotEntries(obj, menu); break;
    default: break;
    }
    return menu;
}

void UpdateMenuState(ContextMenu& menu, CBaseDevice& obj)
{
    ContextMenu kept;
    kept.reserve(menu.size());
    for (ContextMenuItem& item : menu) {
        if (item.kind == ContextMenuItem::Popup) {
            UpdateMenuState(item.items, obj);
        } else if (item.kind == ContextMenuItem::Command) {
            CCmdUI ui(item.id);
            obj.OnUpdateCommand(ui);
            if (ui.m_removed)
                continue;
            item.enabled = ui.m_enabled;
            item.checked = ui.m_checked != 0;
            if (ui.m_textSet)
                item.text = ui.m_text;
        }
        kept.push_back(std::move(item));
    }
    menu = std::move(kept);
}

void TidySeparators(ContextMenu& menu)
{
    Tidy(menu);
}

QMenu* CreateQMenu(const ContextMenu& menu, QWidget* parent)
{
    auto* qmenu = new QMenu(parent);
    FillQMenu(*qmenu, menu);
    return qmenu;
}
