#include "logic/CAnalogCondition.h"

#include <iterator>

#include "logic/LogicIds.h"
#include "model/BlockWalk.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAnalogCondition, 4)

QL_STRING_TABLE({
    {32805, "Name"},
    {34244, "ID"},
    {32848, "LMZ775 Eingang"},
    {34425, "Minimum"},
    {34426, "Maximum"},
    {34358, "Bereichsprüfung"},
});

namespace {
constexpr float kLowest = 0.0f;
constexpr float kHighest = 10.0f;

float Clamp(float v)
{
    if (!(v >= kLowest))  // also a value that is not a number
        return kLowest;
    return v > kHighest ? kHighest : v;
}
}  // namespace

CAnalogCondition::CAnalogCondition()
{
    m_type = OT_ANALOG_CONDITION;
}

CAnalogCondition::~CAnalogCondition() = default;

const CBaseDevice* CAnalogCondition::LinkedPad() const
{
    const LinkRecord* r = GetOutLinkAtKey(0);
    return r && r->HasPartner() ? r->partner : nullptr;
}

std::string CAnalogCondition::GetText(int key) const
{
    switch (key) {
    case 0: {
        const CBaseDevice* pad = LinkedPad();
        return pad ? pad->GetName() : std::string();
    }
    case 1: return StrFormat("%.1f", m_min);
    case 2: return StrFormat("%.1f", m_max);
    default: return {};
    }
}

int32_t CAnalogCondition::GetValue(int key) const
{
    if (key != 0)
        return 0;
    const auto* pad = dynamic_cast<const CControlPad*>(LinkedPad());
    return pad ? pad->GetSignalIndex() : 0;
}

void CAnalogCondition::SetValue(int key, int32_t value, const std::string* diffFile)
{
    const ChangeGuard guard(*this);
    if (key == 0) {
        if (value == GetLinkedNumber(0))
            return;
        RemoveOutLinksAtKey(0);
        if (value != 0)
            if (CBaseDevice* pad = FindNumbered(m_pDocument, OT_CONTROL_PAD, value))
                LinkTo(0, pad, 2);
        return;
    }
    if (key != 3 || !m_pDocument)
        return;
    DeviceList pads;
    m_pDocument->GetIDManager().GetBaseDeviceList(pads, OT_CONTROL_PAD);
    // The card inputs carry no protocol keyword of their own, so the input
    // is found by its kind and signal index.
    for (CBaseDevice* p : pads) {
        const auto* pad = dynamic_cast<const CControlPad*>(p);
        if (pad && pad->GetKindId() == padkind::LMZ775In && pad->GetSignalIndex() == value) {
            SetValue(0, pad->GetNumber(), nullptr);
            return;
        }
    }
    if (diffFile && !diffFile->empty())
        AppendErrLine(*diffFile, LoadStringId(logicid::AnalogKind), m_number,
                      LoadStringId(logicid::Lmz775Input) + StrFormat(" %d", value));
}

void CAnalogCondition::SetLimit(int key, float value)
{
    const ChangeGuard guard(*this);
    if (key == 1)
        m_min = Clamp(value);
    else if (key == 2)
        m_max = Clamp(value);
}

void CAnalogCondition::ParseValue(int key, const std::string& text)
{
    float v = 0.0f;
    if ((key == 1 || key == 2) && ReadBlockFloat(text, v))
        SetLimit(key, v);
}

int CAnalogCondition::GetEntryLines(std::vector<std::string>& lines) const
{
    lines.clear();
    const int32_t channel = GetValue(0);
    if (channel == 0) {
        lines.push_back("/LMZ775 OFF");
        return 1;
    }
    lines.push_back(StrFormat("/LMZ775 %d", channel));
    lines.push_back("/MIN " + GetText(1));
    lines.push_back("/MAX " + GetText(2));
    return 3;
}

int CAnalogCondition::GetEntryQueries(std::vector<std::string>& lines)
{
    lines = {"/LMZ775 ?", "/MIN ?", "/MAX ?"};
    return 3;
}

int CAnalogCondition::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {logicid::TitleName, logicid::TitleId, logicid::Lmz775Input, logicid::TitleMinimum,
                            logicid::TitleMaximum})
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int key = 0; key <= 2; ++key)
            texts.push_back(GetText(key));
    }
    return static_cast<int>(texts.size());
}

int CAnalogCondition::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kColumns[] = {{2, 0}, {30, 0}, {40, 0}, {80, 0}, {140, 0}};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

void CAnalogCondition::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_min << m_max;
        return;
    }
    if (m_loadedSchema >= 4) {
        ar >> m_min >> m_max;
        // Held at the range, as the device's answers are (the document names
        // them by the lines of the condition block that send them).
        const std::string entry = StrFormat("/CONDITION/ANALOG%d", m_number);
        ClampLoaded(m_min, kLowest, kHighest, kLowest, entry + "/MIN", true, 1);
        ClampLoaded(m_max, kLowest, kHighest, kLowest, entry + "/MAX", true, 1);
    }
}
