#include "hardware/CPowerSupplySetup.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "audio/CInternalPowerManagement.h"
#include "hardware/CAudioInputDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"

namespace {
// Items of the pack's set-up.
constexpr int kItemMainsFail = 0;
constexpr int kItemPower = 1;
constexpr int kItemExternal = 2;
constexpr int kItemLcdOn = 3;       // 3..5
constexpr int kItemLcdText = 6;     // 6..8
constexpr int kItemLcdConsole = 9;  // 9..11
constexpr int kItemBattery = 12;
constexpr int kItemMainsCondition = 13;
constexpr uint32_t kDefaultTexts[] = {34569, 34570, 34571};  // "<Netzbetrieb>", "<Batteriebetr.>", "<Anlage Standby>"
}  // namespace

CPowerSupplySetup::CPowerSupplySetup(CQuillomerDoc* doc, CAudioInputDevice* pack) : m_doc(doc), m_pack(pack)
{
    if (m_doc)
        m_doc->GetIDManager().GetBaseDeviceList(m_consoles, OT_CONSOLE);
    std::sort(m_consoles.begin(), m_consoles.end(),
              [](const CBaseDevice* a, const CBaseDevice* b) { return a->GetNumber() < b->GetNumber(); });
}

std::string CPowerSupplySetup::DefaultText(int event)
{
    return event >= 0 && event < PowerSupplySettings::kEvents ? LoadStringId(kDefaultTexts[event]) : std::string();
}

CInternalPowerManagement* CPowerSupplySetup::PowerManagement() const
{
    if (!m_doc || !m_doc->GetIDManager().IsValidID(1, OT_INTERNAL_POWER_MANAGEMENT))
        return nullptr;
    return dynamic_cast<CInternalPowerManagement*>(
        m_doc->GetIDManager().GetBaseDevice(1, OT_INTERNAL_POWER_MANAGEMENT));
}

PowerSupplySettings CPowerSupplySetup::Read() const
{
    PowerSupplySettings s;
    for (int e = 0; e < PowerSupplySettings::kEvents; ++e)
        s.lcd[e].text = DefaultText(e);
    if (m_pack) {
        s.mainsFailContact = m_pack->GetItem(kItemMainsFail);
        s.powerContact = m_pack->GetItem(kItemPower);
        s.externalContact = m_pack->GetItem(kItemExternal);
        for (int e = 0; e < PowerSupplySettings::kEvents; ++e) {
            if (m_pack->GetItem(kItemLcdOn + e) == 0)
                continue;
            s.lcd[e].text = m_pack->GetMacroText(kItemLcdText + e);
            const int32_t console = m_pack->GetItem(kItemLcdConsole + e);
            if (console == 0) {
                s.lcd[e].position = 1;
                continue;
            }
            for (size_t i = 0; i < m_consoles.size(); ++i)
                if (m_consoles[i]->GetNumber() == console)
                    s.lcd[e].position = static_cast<int>(i) + 2;
        }
    }
    if (const CInternalPowerManagement* pm = PowerManagement()) {
        s.battery = pm->GetValue(powerkey::BattAvail) != 0;
        s.dropToStandby = pm->GetValue(powerkey::DropShut) != 0;
        s.mainsPriority = std::clamp(pm->GetValue(powerkey::MainsPrio) / 10, 0, 10);
        s.batteryPriority = std::clamp(pm->GetValue(powerkey::BattPrio) / 10, 0, 10);
    }
    return s;
}

std::vector<CPowerSupplySetup::Shortfall> CPowerSupplySetup::Shortfalls(const PowerSupplySettings& s) const
{
    std::vector<Shortfall> missing;
    if (!m_pack || !m_doc)
        return missing;
    // The objects the pack makes, and the numbers free for them; an item
    // that fits takes its numbers and gives back what it removes.
    constexpr uint32_t kTypes[] = {OT_MACRO, OT_CONDITION, OT_TRIGGER, OT_LOGIC_OUT};
    int free[std::size(kTypes)];
    for (size_t t = 0; t < std::size(kTypes); ++t)
        free[t] = static_cast<int>(GetTypeCapacity(kTypes[t])) - 1 - m_doc->GetIDManager().GetCount(kTypes[t]);
    std::vector<std::pair<int, int32_t>> items = {
        {kItemMainsFail, s.mainsFailContact}, {kItemPower, s.powerContact}, {kItemExternal, s.externalContact}};
    for (int e = 0; e < PowerSupplySettings::kEvents; ++e)
        items.emplace_back(kItemLcdOn + e, s.lcd[e].position);
    items.emplace_back(kItemBattery, s.battery ? 1 : 0);
    for (const auto& [item, value] : items) {
        CAudioInputDevice::ObjectCount counts[std::size(kTypes)];
        int full = -1;
        for (size_t t = 0; t < std::size(kTypes); ++t) {
            counts[t] = m_pack->CountDefaultObjects(item, value, kTypes[t]);
            if (full < 0 && counts[t].made > free[t])
                full = static_cast<int>(t);
        }
        if (full >= 0) {
            missing.push_back({item, kTypes[full]});
            continue;
        }
        for (size_t t = 0; t < std::size(kTypes); ++t)
            free[t] += counts[t].removed - counts[t].made;
    }
    return missing;
}

void CPowerSupplySetup::Apply(const PowerSupplySettings& s)
{
    if (!m_pack)
        return;
    m_pack->CreateDefaultObjects(kItemMainsFail, s.mainsFailContact);
    m_pack->CreateDefaultObjects(kItemPower, s.powerContact);
    m_pack->CreateDefaultObjects(kItemExternal, s.externalContact);
    for (int e = 0; e < PowerSupplySettings::kEvents; ++e) {
        const int position = s.lcd[e].position;
        m_pack->CreateDefaultObjects(kItemLcdOn + e, position);
        if (position == 0)
            continue;
        const size_t index = static_cast<size_t>(position - 2);
        const int32_t console = position >= 2 && index < m_consoles.size() ? m_consoles[index]->GetNumber() : 0;
        m_pack->CreateDefaultObjects(kItemLcdConsole + e, console);
        m_pack->SetMacroText(kItemLcdText + e, s.lcd[e].text);
    }
    CInternalPowerManagement* pm = PowerManagement();
    if (pm) {
        pm->SetValue(powerkey::BattAvail, s.battery ? 1 : 0);
        pm->SetValue(powerkey::MainsCond, m_pack->GetItem(kItemMainsCondition));
        pm->SetValue(powerkey::DropShut, s.dropToStandby ? 1 : 0);
    }
    m_pack->CreateDefaultObjects(kItemBattery, s.battery ? 1 : 0);
    if (pm) {
        pm->SetValue(powerkey::BattPrio, s.batteryPriority * 10);
        pm->SetValue(powerkey::MainsPrio, s.mainsPriority * 10);
    }
}
