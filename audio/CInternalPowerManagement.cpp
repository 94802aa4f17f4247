#include "audio/CInternalPowerManagement.h"

#include <climits>
#include <iterator>
#include <optional>

#include "audio/AudioText.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CInternalPowerManagement, 3)

namespace {
constexpr uint32_t kConditionKind = 34129;  // "Bedingung": the plain condition
// The kind a macro made here as a placeholder gets: no step type yet.
constexpr uint32_t kMacroKind = 14;

struct PowerStep {
    const char* key;
    uint32_t valueKey;
};
// The download's lines in order; an upload takes the same keys back.
constexpr PowerStep kSteps[] = {
    {"/BATT_PRIO", powerkey::BattPrio},   {"/MAINS_PRIO", powerkey::MainsPrio}, {"/MAINS_COND", powerkey::MainsCond},
    {"/BOOT_MAC", powerkey::BootMacro},   {"/SHUT_MAC", powerkey::ShutMacro},   {"/DROP_SHUT", powerkey::DropShut},
    {"/BATT_AVLBL", powerkey::BattAvail}, {"/SHUT_PRIO", powerkey::ShutPrio},
};
constexpr int kStepCount = static_cast<int>(std::size(kSteps));

bool IsFlagKey(uint32_t key)
{
    return key == powerkey::DropShut || key == powerkey::BattAvail;
}

bool IsLinkKey(uint32_t key)
{
    return key == powerkey::MainsCond || key == powerkey::BootMacro || key == powerkey::ShutMacro;
}

int32_t ClampPrio(int32_t v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}
}  // namespace

CInternalPowerManagement::CInternalPowerManagement()
{
    m_type = OT_INTERNAL_POWER_MANAGEMENT;
}

void CInternalPowerManagement::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_battPrio << m_mainsPrio << m_shutPrio << m_dropShut << m_battAvail;
        return;
    }
    if (m_loadedSchema >= 2)
        ar >> m_battPrio >> m_mainsPrio;
    if (m_loadedSchema >= 3)
        ar >> m_shutPrio >> m_dropShut >> m_battAvail;
    // A damaged file must not bring values the device cannot take: held at
    // the ranges, as the device's answers are, and named.
    for (const PowerStep& s : kSteps) {
        if (IsLinkKey(s.valueKey))
            continue;
        const int32_t file = GetValue(s.valueKey);
        SetValue(s.valueKey, file);
        if (GetValue(s.valueKey) != file && !IsFlagKey(s.valueKey))
            NoteHeldOnLoad(s.key, StrFormat("%d", file), GetValueText(s.valueKey));
    }
}

int32_t CInternalPowerManagement::GetValue(uint32_t key) const
{
    switch (key) {
    case powerkey::BattPrio:
        return m_battPrio;
    case powerkey::MainsPrio:
        return m_mainsPrio;
    case powerkey::MainsCond:
    case powerkey::BootMacro:
    case powerkey::ShutMacro:
        return GetLinkedNumber(static_cast<int32_t>(key) - 2);
    case powerkey::ShutPrio:
        return m_shutPrio;
    case powerkey::DropShut:
        return m_dropShut;
    case powerkey::BattAvail:
        return m_battAvail;
    default:
        return 0;
    }
}

std::string CInternalPowerManagement::GetValueText(uint32_t key) const
{
    switch (key) {
    case powerkey::BattPrio:
    case powerkey::MainsPrio:
    case powerkey::ShutPrio:
        return StrFormat("%d", GetValue(key));
    case powerkey::MainsCond:
    case powerkey::BootMacro:
    case powerkey::ShutMacro:
        return GetLinkedObjectName(static_cast<int32_t>(key) - 2);
    case powerkey::DropShut:
    case powerkey::BattAvail:
        return GetValue(key) ? "YES" : "NO";
    default:
        return {};
    }
}

int CInternalPowerManagement::SetValue(uint32_t key, int32_t value, int32_t /*unused*/)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case powerkey::BattPrio:
        m_battPrio = ClampPrio(value);
        return 1;
    case powerkey::MainsPrio:
        m_mainsPrio = ClampPrio(value);
        return 1;
    case powerkey::ShutPrio:
        m_shutPrio = ClampPrio(value);
        return 1;
    case powerkey::DropShut:
        m_dropShut = value != 0 ? 1 : 0;
        return 1;
    case powerkey::BattAvail:
        m_battAvail = value != 0 ? 1 : 0;
        return 1;
    case powerkey::MainsCond:
        Relink(0, OT_CONDITION, value);
        return 1;
    case powerkey::BootMacro:
        Relink(1, OT_MACRO, value);
        return 1;
    case powerkey::ShutMacro:
        Relink(2, OT_MACRO, value);
        return 1;
    default:
        return 0;
    }
}

void CInternalPowerManagement::Relink(int32_t linkKey, uint32_t partnerType, int32_t number)
{
    if (GetLinkedNumber(linkKey) == number)
        return;
    if (number == 0 || !m_pDocument) {
        if (GetOutLinkAtKey(linkKey))
            RemoveOutLinksAtKey(linkKey);
        return;
    }
    CIDManager& dir = m_pDocument->GetIDManager();
    // A number the directory cannot hold names no object and cannot be
    // created: the condition or macro the design names stays, so that a
    // download never sends another meaning in place of the device's.
    if (!dir.IsValidID(number, partnerType))
        return;
    CBaseDevice* partner = dir.GetBaseDevice(number, partnerType);
    if (!partner)
        partner = CreatePlaceholder(partnerType, number);
    if (!partner)
        return;
    if (GetOutLinkAtKey(linkKey))
        RemoveOutLinksAtKey(linkKey);
    AddOutLink(this, linkKey, partner, 0, partner->GetCategory());
    partner->AddInLink(partner, 0, this, linkKey, m_category);
}

CBaseDevice* CInternalPowerManagement::CreatePlaceholder(uint32_t partnerType, int32_t number)
{
    // Made through the class registry: the condition and macro families live
    // in their own folders and register themselves there.
    const bool condition = partnerType == OT_CONDITION;
    return CreateNumberedPlaceholder(m_pDocument, condition ? "CCondition" : "CMacro", partnerType,
                                     condition ? kConditionKind : kMacroKind, number,
                                     condition ? CAT_DIGITAL_IO : CAT_MACRO);
}

std::string CInternalPowerManagement::LineValueText(uint32_t key) const
{
    return IsLinkKey(key) ? StrFormat("%d", GetValue(key)) : GetValueText(key);
}

int CInternalPowerManagement::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return kStepCount;
    if (step < 0 || step >= kStepCount)
        return kStepCount;
    if (IsOutBufferFull())
        return step;
    const uint32_t key = kSteps[step].valueKey;
    const std::string value = mode ? std::string("?") : LineValueText(key);
    ::SendCommand(m_path + kSteps[step].key + " " + value, m_pDocument, true);
    return step + 1;
}

void CInternalPowerManagement::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    // "POWER/MAINS_COND 3": the key runs from the end of the first element to the blank.
    const size_t blank = line.find(' ');
    if (blank == std::string::npos || linkState != linkstate::Upload)
        return;
    const std::string value = line.substr(blank + 1);
    if (IsRefusedValue(value))
        return;  // an echoed query, or a key the device did not understand
    const size_t slash = line.find('/');
    if (slash == std::string::npos || slash > blank)
        return;
    const std::string key = line.substr(slash, blank - slash);
    for (const PowerStep& s : kSteps) {
        if (key != s.key)
            continue;
        // What the object cannot hold as the device gave it (a word, a number
        // that is no whole one, a priority beyond 0..255, a number the
        // directory cannot hold) is named with what it keeps instead, which
        // its next download sends.
        bool held = false;
        if (IsFlagKey(s.valueKey)) {
            const std::optional<bool> yes = ReadFlagWord(value, "YES", "NO");
            if (yes)
                SetValue(s.valueKey, *yes ? 1 : 0);
            held = yes.has_value();
        } else {
            const std::optional<long> number =
                ScanWholeNumber(IsLinkKey(s.valueKey) && value == "OFF" ? std::string("0") : value, INT32_MIN, INT32_MAX);
            if (number)
                SetValue(s.valueKey, static_cast<int32_t>(*number));
            held = number && GetValue(s.valueKey) == *number;
        }
        if (!held)
            ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, "/" + line.substr(0, blank), value,
                          LineValueText(s.valueKey));
        return;
    }
}
