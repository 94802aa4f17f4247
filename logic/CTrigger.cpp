#include "logic/CTrigger.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "logic/CCondition.h"
#include "logic/LogicIds.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CTrigger, 3)

QL_STRING_TABLE({
    {33085, "Trigger"},
    {32805, "Name"},
    {34244, "ID"},
    {logicid::TitleCondition, "Bedingung"},
    {logicid::TitleTime, "Zeit"},
    {logicid::TitleOnMacro, "ON Makro"},
    {logicid::TitleOffMacro, "OFF Makro"},
});

namespace {
constexpr uint32_t kConditionKind = 34129;  // "Bedingung"
constexpr uint32_t kNoMacroType = 34461;    // "Kein Typ"
constexpr uint32_t kMacroWord = 32806;      // "Makro"
}  // namespace

CTrigger::CTrigger()
{
    m_type = OT_TRIGGER;
}

CTrigger::~CTrigger() = default;

int32_t CTrigger::LinkKeyOf(int key)
{
    switch (key) {
    case triggerkey::Condition: return 2;
    case triggerkey::OnMacro: return 0;
    case triggerkey::OffMacro: return 1;
    default: return -1;
    }
}

int32_t CTrigger::GetValue(int key) const
{
    const int32_t linkKey = LinkKeyOf(key);
    return linkKey < 0 ? 0 : GetLinkedNumber(linkKey);
}

std::string CTrigger::GetValueText(int key) const
{
    if (key == triggerkey::Time)
        return StrFormat("%2.1f", m_time);
    const int32_t linkKey = LinkKeyOf(key);
    return linkKey < 0 ? std::string() : GetLinkedObjectName(linkKey);
}

void CTrigger::SetValue(int key, int32_t number, const std::string* diffFile)
{
    const ChangeGuard guard(*this);
    const int32_t linkKey = LinkKeyOf(key);
    if (linkKey < 0)
        return;
    const int32_t current = GetLinkedNumber(linkKey);
    if (current == number)
        return;
    if (number == 0 || !m_pDocument) {
        if (current != 0)
            RemoveOutLinksAtKey(linkKey);
        return;
    }
    const bool condition = key == triggerkey::Condition;
    const uint32_t type = condition ? OT_CONDITION : OT_MACRO;
    CBaseDevice* partner =
        condition ? FindOrMakeNumbered(m_pDocument, "CCondition", type, kConditionKind, number, CAT_DIGITAL_IO)
                  : FindOrMakeNumbered(m_pDocument, "CMacro", type, kNoMacroType, number, CAT_MACRO);
    if (!partner) {
        ReportUntaken(diffFile, LoadStringId(kKindId), m_number,
                      LoadStringId(condition ? kConditionKind : kMacroWord) + StrFormat(" %d", number));
        return;
    }
    if (current != 0)
        RemoveOutLinksAtKey(linkKey);
    LinkTo(linkKey, partner, 0);
}

void CTrigger::SetTime(int key, float seconds)
{
    const ChangeGuard guard(*this);
    if (key != triggerkey::Time)
        return;
    if (std::isnan(seconds) || seconds < 0.0f)
        seconds = 0.0f;
    else if (seconds > kMaxTime)
        seconds = kMaxTime;
    m_time = seconds;
}

int CTrigger::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
        for (uint32_t id : {logicid::TitleCondition, logicid::TitleTime, logicid::TitleOnMacro, logicid::TitleOffMacro})
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int key = 0; key <= 3; ++key)
            texts.push_back(GetValueText(key));
    }
    return static_cast<int>(texts.size());
}

int CTrigger::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kColumns[] = {{2, 0}, {30, 0}, {40, 0}, {80, 0}, {95, 0}, {140, 0}};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

void CTrigger::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_text1 << m_text2 << m_text3 << m_timeText << m_time;
        return;
    }
    m_readFromFile = true;
    ar >> m_text1 >> m_text2;
    if (m_loadedSchema <= 1) {
        uint32_t discarded = 0;
        ar >> discarded;
    } else {
        ar >> m_text3;
    }
    ar >> m_timeText;
    if (m_loadedSchema >= 3) {
        ar >> m_time;
        // Held at 0.0..25.0 as the device's answer is; no time at all is none.
        ClampLoaded(m_time, 0.0f, kMaxTime, 0.0f, StrFormat("/TRIGGER/ENTRY%d/TIME", m_number), true, 1);
    } else {
        if (const std::optional<float> t = ScanFiniteFloat(m_timeText))
            SetTime(triggerkey::Time, *t);
    }
}

void CTrigger::ReduceDuplicateLinks()
{
    CBaseDevice* keep[3] = {nullptr, nullptr, nullptr};
    for (int32_t key : {2, 0, 1}) {
        const LinkRecord* r = GetOutLinkAtKey(key);
        keep[key] = r && r->HasPartner() ? r->partner : nullptr;
    }
    RemoveAllOutLinks();
    for (int32_t key : {2, 0, 1})
        if (keep[key])
            LinkTo(key, keep[key], 0);
}

int CTrigger::PostLoad()
{
    if (!m_readFromFile)
        return 1;
    m_readFromFile = false;
    if (m_outLinks.size() > 3)
        ReduceDuplicateLinks();
    if (m_loadedSchema < 3 && GetValue(triggerkey::Condition) == 0 && GetValue(triggerkey::OnMacro) == 0 &&
        GetValue(triggerkey::OffMacro) == 0 && m_time == 0.0f) {
        OnCommand(objcmd::Delete);  // `this` is gone
        return 1;
    }
    return 1;
}

std::string CTrigger::GetHeldItem(int32_t ownKey) const
{
    const char* key = ownKey == LinkKeyOf(triggerkey::OnMacro)    ? "ON_MACRO"
                      : ownKey == LinkKeyOf(triggerkey::OffMacro) ? "OFF_MACRO"
                      : ownKey == LinkKeyOf(triggerkey::Condition) ? "CONDITION"
                                                                   : nullptr;
    return key ? StrFormat("/TRIGGER/ENTRY%d/%s", GetNumber(), key) : CBaseDevice::GetHeldItem(ownKey);
}
