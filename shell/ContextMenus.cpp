#include "shell/ContextMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QString>

#include <map>

#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CDigitalSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "hardware/HardwareIds.h"
#include "model/CBaseDevice.h"
#include "model/CCmdUI.h"
#include "paging/CGroup.h"
#include "platform/StringTable.h"
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

// The menus are held with their German texts, marked for the English
// resources; a menu is translated each time it is built, so that it follows
// the language in use.

void Translate(ContextMenu& menu)
{
    for (ContextMenuItem& item : menu) {
        if (!item.text.empty())
            item.text = QCoreApplication::translate("ContextMenus", item.text.c_str()).toStdString();
        Translate(item.items);
    }
}

// The submenus of the audio input slot's menu (141): the card models, and
// what can be attached to a hovered input of each channel kind.
ContextMenu InputSubmenuEntries(InputSubmenu which)
{
    switch (which) {
    case InputSubmenu::Consoles:
        return {Item::Cmd(33049, "WRN2271"), Item::Cmd(33050, "WRN2272"), Item::Cmd(33176, "WRN2283   LCD"),
                Item::Cmd(33053, "WRN2314   LCD"), Item::Cmd(33051, "WRN2315   LCD"),
                Item::Cmd(33102, "WRN2316   LCD"), Item::Cmd(33052, "WRN2318   LCD"), Item::Sep(),
                Item::Cmd(33054, "WRN2271 + WRN2296"), Item::Cmd(33055, "WRN2272 + WRN2296"),
                Item::Cmd(33056, "WRN2314 + WRN2296   LCD"), Item::Cmd(33057, "WRN2315 + WRN2296   LCD"),
                Item::Cmd(33103, "WRN2316 + WRN2296   LCD"), Item::Cmd(33058, "WRN2318 + WRN2296   LCD")};
    case InputSubmenu::Microphones:
        return {Item::Cmd(33059, QT_TRANSLATE_NOOP("ContextMenus", "Mikrofon")), Item::Cmd(33060, QT_TRANSLATE_NOOP("ContextMenus", "PTT- Mikrofon")),
                Item::Cmd(33061, "RV611"), Item::Cmd(33062, "RV617")};
    case InputSubmenu::Lines:
        return {Item::Cmd(33063, "Mixer"), Item::Cmd(audiodevice::KindRecorder, "QTB8174"),
                Item::Cmd(33065, QT_TRANSLATE_NOOP("ContextMenus", "Allgemeiner Line-Input"))};
    case InputSubmenu::Aux:
        return {Item::Cmd(33066, "CD"), Item::Cmd(33067, "Tape"), Item::Cmd(33068, "Tuner"), Item::Cmd(33069, "DAT"),
                Item::Cmd(audiodevice::KindRecorder, "QTB8174"), Item::Cmd(33063, "Mixer")};
    case InputSubmenu::Card:
    default:
        return {Item::Cmd(inputcard::NotFitted, QT_TRANSLATE_NOOP("ContextMenus", "Slot &nicht bestückt")),
                Item::Cmd(inputcard::Console2, QT_TRANSLATE_NOOP("ContextMenus", "2-Kanal &Sprechstellenmodul")),
                Item::Cmd(inputcard::MicLine2, QT_TRANSLATE_NOOP("ContextMenus", "2-Kanal &MIC / LINE Eingangsmodul")),
                Item::Cmd(inputcard::Aux2, QT_TRANSLATE_NOOP("ContextMenus", "2-Kanal &AUX Eingangsmodul")),
                Item::Cmd(inputcard::AuxMicLine, QT_TRANSLATE_NOOP("ContextMenus", "MIC / &LINE + 2 AUX Eingangsmodul")),
                Item::Cmd(inputcard::ConsoleMicLine, QT_TRANSLATE_NOOP("ContextMenus", "MIC / LINE + Sprechstellenmodul")),
                Item::Sep(),
                Item::Cmd(objcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "&Eigenschaften (Volume, Filter) ..."))};
    }
}

// The amplifiers an audio output card can feed ("Verstärker hinzufügen").
ContextMenu AmplifierSubmenu()
{
    return {
        Item::Cmd(ampmodel::OneChannel, QT_TRANSLATE_NOOP("ContextMenus", "1-Kanal Verstärker")),
        Item::Cmd(ampmodel::Hbe6631, "HBE 6631"),
        Item::Cmd(ampmodel::Hbe6633, "HBE 6633"),
        Item::Cmd(ampmodel::Hbe6631Yok, "HBE 6631 + YOK 58417"),
        Item::Cmd(ampmodel::Hbe6633Yok, "HBE 6633 + YOK 58417"),
        Item::Sep(),
        Item::Cmd(ampmodel::TwoChannel, QT_TRANSLATE_NOOP("ContextMenus", "2-Kanal Verstärker")),
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
        {110, {Item::Cmd(objcmd::Delete, QT_TRANSLATE_NOOP("ContextMenus", "Gerät &löschen")), Item::Sep(),
               Item::Cmd(objcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "Eigenschaften ..."))}},
        // Group.
        {111,
         {Item::Cmd(groupcmd::AddGroup, QT_TRANSLATE_NOOP("ContextMenus", "Gruppe hinzufügen")), Item::Sep(), Item::Cmd(objcmd::Delete, QT_TRANSLATE_NOOP("ContextMenus", "löschen")),
          Item::Sep(),
          Item::Cmd(groupcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "Eigenschaften ..."))}},
        // Audio input card slot: card models and properties.
        {141, InputSubmenuEntries(InputSubmenu::Card)},
        // Zone.
        {215,
         {Item::Cmd(groupcmd::AddGroup, QT_TRANSLATE_NOOP("ContextMenus", "Neue Gruppe hinzufügen")),
          Item::Cmd(ids::AddLanGroup, QT_TRANSLATE_NOOP("ContextMenus", "Neue LAN Gruppe hinzufügen")), Item::Sep(),
          Item::Cmd(ids::ObjectDownload, "Download"), Item::Cmd(ids::ObjectUpload, "Upload"), Item::Sep(),
          Item::Cmd(objcmd::Delete, QT_TRANSLATE_NOOP("ContextMenus", "&Löschen")),
          Item::Sep(), Item::Cmd(ids::ZoneProperties, QT_TRANSLATE_NOOP("ContextMenus", "&Eigenschaften ..."))}},
        // Amplifier.
        {216,
         {Item::Sub(QT_TRANSLATE_NOOP("ContextMenus", "Relaistopologie"),
                    {Item::Cmd(ampcmd::Direct, QT_TRANSLATE_NOOP("ContextMenus", "Direkt")), Item::Cmd(ampcmd::OneInN, QT_TRANSLATE_NOOP("ContextMenus", "1 in N")),
                     Item::Cmd(ampcmd::ProgramCall, QT_TRANSLATE_NOOP("ContextMenus", "Programm/Ruf"))}),
          Item::Sep(), Item::Cmd(objcmd::Delete, QT_TRANSLATE_NOOP("ContextMenus", "Löschen")), Item::Sep(),
          Item::Cmd(objcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "Eigenschaften ..."))}},
        // Audio output card slot.
        {226,
         {Item::Cmd(outputcard::NotFitted, QT_TRANSLATE_NOOP("ContextMenus", "Nicht bestückt")),
          Item::Cmd(outputcard::LineModule, QT_TRANSLATE_NOOP("ContextMenus", "2-Kanal LINE Ausgangsmodul")), Item::Sep(),
          Item::Cmd(objcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "Eigenschaften (Volume,Delay)...")), Item::Sep(),
          Item::Sub(QT_TRANSLATE_NOOP("ContextMenus", "Verstärker hinzufügen"), AmplifierSubmenu())}},
        // Digital I/O card slot.
        {228,
         {Item::Cmd(digitalslot::CmdNotFitted, QT_TRANSLATE_NOOP("ContextMenus", "Nicht bestückt")),
          Item::Cmd(digitalslot::CmdFitted, QT_TRANSLATE_NOOP("ContextMenus", "8 fach Digital I/O")), Item::Sep(),
          Item::Cmd(objcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "Eigenschaften ..."))}},
        // Interface card slot.
        {230, {Item::Cmd(objcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "Eigenschaften ..."))}},
        // Relay topology.
        {236, {Item::Cmd(objcmd::Delete, QT_TRANSLATE_NOOP("ContextMenus", "&Löschen")), Item::Sep(),
               Item::Cmd(objcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "&Eigenschaften ..."))}},
        // "Device": single-object transfers of the list windows.
        {294, {Item::Cmd(ids::ObjectDownload, "Download"), Item::Cmd(ids::ObjectUpload, "Upload")}},
        // LAN group.
        {295,
         {Item::Cmd(ids::ChangeLanId, QT_TRANSLATE_NOOP("ContextMenus", "ID ändern")), Item::Sep(), Item::Cmd(ids::ObjectDownload, "Download"),
          Item::Cmd(ids::ObjectUpload, "Upload"),
          Item::Sep(), Item::Cmd(objcmd::Delete, QT_TRANSLATE_NOOP("ContextMenus", "löschen")), Item::Sep(),
          Item::Cmd(groupcmd::Properties, QT_TRANSLATE_NOOP("ContextMenus", "Eigenschaften ..."))}},
    };
    return table;
}

// The entry of a connector command: its text is the command's string.
Item ConnectorEntry(uint32_t id)
{
    return Item::Cmd(id, LoadStringId(id));
}

// The input card's entries for what may be added at the hovered input, as the
// card words them; translated as whole phrases, since English puts the verb first.
[[maybe_unused]] const char* const kAddPhrases[] = {
    QT_TRANSLATE_NOOP("ContextMenus", "S&prechstelle hinzufügen"),
    QT_TRANSLATE_NOOP("ContextMenus", "Mi&krofon hinzufügen"),
    QT_TRANSLATE_NOOP("ContextMenus", "LIN&E-Quelle hinzufügen"),
    QT_TRANSLATE_NOOP("ContextMenus", "AU&X-Quelle hinzufügen"),
};

void AppendInputSlotPopup(const CBaseDevice& obj, ContextMenu& menu)
{
    const auto* slot = dynamic_cast<const CAudioInputSlot*>(&obj);
    InputSubmenu which = InputSubmenu::Card;
    std::string text;
    if (!slot || !slot->GetContextPopup(which, text))
        return;
    menu.push_back(Item::Sep());
    menu.push_back(Item::Sub(QCoreApplication::translate("ContextMenus", text.c_str()).toStdString(),
                             InputSlotSubmenu(which)));
}

void AppendDigitalSlotEntries(const CBaseDevice& obj, ContextMenu& menu)
{
    if (obj.m_hoverOutput >= 0) {
        menu.push_back(Item::Sep());
        menu.push_back(ConnectorEntry(digitalslot::CmdOutput));
    }
    if (obj.m_hoverInput >= 0) {
        menu.push_back(Item::Sep());
        menu.push_back(ConnectorEntry(digitalslot::CmdInput));
    }
}

void AppendInterfaceSlotEntries(const CBaseDevice& obj, ContextMenu& menu)
{
    menu.push_back(Item::Sep());
    switch (obj.m_hoverInput) {
    case 0: menu.push_back(ConnectorEntry(interfaceslot::CmdPc)); break;
    case 1: menu.push_back(ConnectorEntry(interfaceslot::CmdDcf77)); break;
    case 2: menu.push_back(ConnectorEntry(interfaceslot::CmdInp1)); break;
    case 3: menu.push_back(ConnectorEntry(interfaceslot::CmdInp2)); break;
    case 4:
        menu.push_back(ConnectorEntry(interfaceslot::CmdFJX3392));
        menu.push_back(ConnectorEntry(interfaceslot::CmdFJX3397));
        break;
    default: break;
    }
    switch (obj.m_hoverOutput) {
    case 0: menu.push_back(ConnectorEntry(interfaceslot::CmdReady)); break;
    case 1: menu.push_back(ConnectorEntry(interfaceslot::CmdMonitor)); break;
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

ContextMenu InputSlotSubmenu(InputSubmenu which)
{
    ContextMenu menu = InputSubmenuEntries(which);
    Translate(menu);
    return menu;
}

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
    Translate(menu);
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
