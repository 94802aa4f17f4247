#include "logic/CLogicOut.h"

#include <iterator>

#include "logic/CCondition.h"
#include "logic/LogicIds.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CLogicOut, 2)

QL_STRING_TABLE({
    {34460, "Logikzustand"},
    {32805, "Name"},
    {34244, "ID"},
    {logicid::TitleCondition, "Bedingung"},
});

namespace {
constexpr uint32_t kConditionKind = 34129;  // "Bedingung"
constexpr int kOldWords = 120;              // words of schema 0 and 1 after the common part
}  // namespace

CLogicOut::CLogicOut()
{
    m_type = OT_LOGIC_OUT;
}

CLogicOut::~CLogicOut() = default;

const CBaseDevice* CLogicOut::Contact() const
{
    const LinkRecord* r = GetOutLinkAtKey(0);
    return r && r->HasPartner() ? r->partner : nullptr;
}

int32_t CLogicOut::GetValue(int key) const
{
    const CBaseDevice* contact = Contact();
    switch (key) {
    case logicoutkey::Function: return contact ? contact->GetNumber() : 0;
    case logicoutkey::Index: {
        const auto* pad = dynamic_cast<const CControlPad*>(contact);
        return pad ? pad->GetSignalIndex() : 1;
    }
    case logicoutkey::Condition: return GetLinkedNumber(1);
    case logicoutkey::Invert: return m_invert;
    case logicoutkey::Contact: {
        if (!contact || !m_pDocument)
            return 0;
        const CIDManager& dir = m_pDocument->GetIDManager();
        const int32_t n = contact->GetNumber();
        return dir.IsValidID(n, OT_CONTROL_PAD) && dir.GetBaseDevice(n, OT_CONTROL_PAD) == contact ? n : 0;
    }
    default: return 0;
    }
}

std::string CLogicOut::GetValueText(int key) const
{
    const CBaseDevice* contact = Contact();
    const auto* pad = dynamic_cast<const CControlPad*>(contact);
    switch (key) {
    case logicoutkey::Function: return pad ? pad->GetKeyword() : std::string("OFF");
    case logicoutkey::Index: return pad ? StrFormat("%d", pad->GetSignalIndex()) : std::string("1");
    case logicoutkey::Condition: return GetLinkedObjectName(1);
    case logicoutkey::Invert: return m_invert ? "ON" : "OFF";
    case logicoutkey::Contact: return contact ? contact->GetName() : std::string();
    default: return {};
    }
}

void CLogicOut::SetValue(int key, int32_t value, const std::string* diffFile)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case logicoutkey::Contact: {
        const int32_t current = GetLinkedNumber(0);
        if (current == value)
            return;
        if (current != 0)
            RemoveOutLinksAtKey(0);
        if (value == 0 || !m_pDocument)
            return;
        CIDManager& dir = m_pDocument->GetIDManager();
        CBaseDevice* pad = dir.IsValidID(value, OT_CONTROL_PAD) ? dir.GetBaseDevice(value, OT_CONTROL_PAD) : nullptr;
        if (pad)
            LinkTo(0, pad, 0);
        return;
    }
    case logicoutkey::Condition: {
        const int32_t current = GetLinkedNumber(1);
        if (current == value)
            return;
        if (value == 0 || !m_pDocument) {
            if (current != 0)
                RemoveOutLinksAtKey(1);
            return;
        }
        CBaseDevice* cond =
            FindOrMakeNumbered(m_pDocument, "CCondition", OT_CONDITION, kConditionKind, value, CAT_DIGITAL_IO);
        if (!cond) {
            // The condition the design names stays (see FindOrMakeNumbered).
            ReportUntaken(diffFile, LoadStringId(kKindId), m_number,
                          LoadStringId(kConditionKind) + StrFormat(" %d", value));
            return;
        }
        if (current != 0)
            RemoveOutLinksAtKey(1);
        LinkTo(1, cond, 0);
        return;
    }
    case logicoutkey::Invert: m_invert = value; return;
    case logicoutkey::Index: {
        if (!m_pDocument)
            return;
        DeviceList pads;
        m_pDocument->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
        for (CBaseDevice* p : pads) {
            const auto* pad = dynamic_cast<const CControlPad*>(p);
            if (pad && pad->MatchesKeyword(m_functionKeyword, value)) {
                SetValue(logicoutkey::Contact, pad->GetNumber(), nullptr);
                return;
            }
        }
        if (diffFile && !diffFile->empty())
            AppendErrLine(*diffFile, LoadStringId(kKindId), m_number,
                          "Label " + m_functionKeyword + StrFormat(" %d", value));
        return;
    }
    default: return;
    }
}

void CLogicOut::SetValueText(int key, const std::string& text)
{
    const ChangeGuard guard(*this);
    if (key == logicoutkey::Function)
        m_functionKeyword = text;
}

int CLogicOut::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
        texts.push_back("Output");
        texts.push_back(LoadStringId(logicid::TitleCondition));
        texts.push_back("Inv.");
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int key : {logicoutkey::Contact, logicoutkey::Condition, logicoutkey::Invert})
            texts.push_back(GetValueText(key));
    }
    return static_cast<int>(texts.size());
}

int CLogicOut::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kColumns[] = {{2, 0}, {30, 0}, {40, 0}, {80, 0}, {140, 0}};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

void CLogicOut::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<uint32_t>(m_invert);
        return;
    }
    if (m_loadedSchema < 2) {
        for (int i = 0; i < kOldWords; ++i) {
            uint16_t discarded = 0;
            ar >> discarded;
        }
        m_invert = 0;
        return;
    }
    uint32_t invert = 0;
    ar >> invert;
    m_invert = static_cast<int32_t>(invert);
}

std::string CLogicOut::GetHeldItem(int32_t ownKey) const
{
    return ownKey == 1 ? StrFormat("/LOGICOUT/ENTRY%d/COND", GetNumber()) : CBaseDevice::GetHeldItem(ownKey);
}
