#include "logic/CCombineCondition.h"

#include <iterator>

#include "logic/CCondition.h"
#include "logic/LogicIds.h"
#include "model/BlockWalk.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CCombineCondition, 4)

QL_STRING_TABLE({
    {34359, "Verknüpfung"},
    {34455, "Verknüpfung"},
    {34454, "Inv."},
    {34467, "NOT"},
    {34468, "AND"},
    {34469, "OR"},
    {34470, "XOR"},
    {34235, "OFF"},
    {34242, " "},
});

namespace {
struct LogicWord {
    uint32_t id;
    const char* word;
};
constexpr LogicWord kLogic[] = {
    {logicid::TextOff, "OFF"}, {logicid::LogicAnd, "AND"}, {logicid::LogicOr, "OR"}, {logicid::LogicXor, "XOR"}};

const char* WordOf(uint32_t id)
{
    for (const LogicWord& l : kLogic)
        if (l.id == id)
            return l.word;
    return "OFF";
}

// The input (1..4) of an even invert key / odd input key; 0 for other keys.
int InputOf(int key, bool invertKey)
{
    const int first = invertKey ? 2 : 3;
    if (key < first || key > first + 6 || (key - first) % 2 != 0)
        return 0;
    return (key - first) / 2 + 1;
}
}  // namespace

CCombineCondition::CCombineCondition()
{
    m_type = OT_COMBINE_CONDITION;
}

CCombineCondition::~CCombineCondition() = default;

std::string CCombineCondition::GetText(int key) const
{
    if (key == 0)
        return LoadStringId(m_logic);
    if (const int i = InputOf(key, true))
        return m_invert[i - 1] ? LoadStringId(logicid::TextNot) : std::string();
    if (const int i = InputOf(key, false))
        return GetLinkedObjectName(i);
    return {};
}

int32_t CCombineCondition::GetValue(int key) const
{
    if (key == 0)
        return static_cast<int32_t>(m_logic);
    if (const int i = InputOf(key, true))
        return static_cast<int32_t>(m_invert[i - 1]);
    if (const int i = InputOf(key, false))
        return GetLinkedNumber(i);
    return 0;
}

void CCombineCondition::SetValue(int key, int32_t value, const std::string* diffFile)
{
    const ChangeGuard guard(*this);
    if (key == 0) {
        m_logic = static_cast<uint32_t>(value);
        return;
    }
    if (const int i = InputOf(key, true)) {
        m_invert[i - 1] = static_cast<uint32_t>(value);
        return;
    }
    const int i = InputOf(key, false);
    if (i == 0 || value == GetLinkedNumber(i))
        return;
    if (value == 0) {
        RemoveOutLinksAtKey(i);
        return;
    }
    CBaseDevice* cond =
        FindOrMakeNumbered(m_pDocument, "CCondition", OT_CONDITION, logicid::ConditionKind, value, CAT_DIGITAL_IO);
    if (!cond) {
        ReportUntaken(diffFile, LoadStringId(kKindId), m_number,
                      LoadStringId(logicid::ConditionKind) + StrFormat(" %d", value));
        return;
    }
    RemoveOutLinksAtKey(i);
    LinkTo(i, cond, 0);
}

void CCombineCondition::ParseValue(int key, const std::string& text)
{
    if (key != 0)
        return;
    const ChangeGuard guard(*this);
    for (const LogicWord& l : kLogic)
        if (text == l.word)
            m_logic = l.id;
}

int CCombineCondition::GetChoiceIds(int column, std::vector<uint32_t>* ids)
{
    if (!ids)
        return 0;
    if (column == 0)
        ids->insert(ids->end(), {logicid::TextOff, logicid::LogicAnd, logicid::LogicOr, logicid::LogicXor});
    else if (column == 1)
        ids->insert(ids->end(), {logicid::TextBlank, logicid::TextNot});
    return static_cast<int>(ids->size());
}

int CCombineCondition::GetEntryLines(std::vector<std::string>& lines) const
{
    lines.clear();
    const std::string logic = WordOf(m_logic);
    lines.push_back("/LOGIC " + logic);
    if (logic == "OFF")
        return 1;
    for (int i = 1; i <= kInputs; ++i) {
        lines.push_back(StrFormat("/COND%d/INV ", i) + (m_invert[i - 1] ? "ON" : "OFF"));
        lines.push_back(StrFormat("/COND%d/IDX %d", i, GetLinkedNumber(i)));
    }
    return static_cast<int>(lines.size());
}

int CCombineCondition::GetEntryQueries(std::vector<std::string>& lines)
{
    lines = {"/LOGIC ?"};
    for (int i = 1; i <= kInputs; ++i) {
        lines.push_back(StrFormat("/COND%d/IDX ?", i));
        lines.push_back(StrFormat("/COND%d/INV ?", i));
    }
    return static_cast<int>(lines.size());
}

int CCombineCondition::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {logicid::TitleName, logicid::TitleId, logicid::TitleLogic, logicid::TitleInvert,
                            logicid::ConditionKind})
            texts.push_back(LoadStringId(id));
        texts.insert(texts.end(), 6, std::string());
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int key = 0; key <= 9; ++key)
            if (key != 1)
                texts.push_back(GetText(key));
    }
    return static_cast<int>(texts.size());
}

int CCombineCondition::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kColumns[] = {{2, 0},  {30, 0},  {40, 0},  {80, 0},  {140, 0}, {80, 1},
                                          {140, 1}, {80, 2}, {140, 2}, {80, 3}, {140, 3}};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

void CCombineCondition::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_logic;
        for (uint32_t inv : m_invert)
            ar << inv;
        return;
    }
    if (m_loadedSchema < 4)
        return;
    ar >> m_logic;
    for (uint32_t& inv : m_invert)
        ar >> inv;
    // A logic the program does not know reads as "OFF".
    bool known = false;
    for (const LogicWord& l : kLogic)
        known = known || l.id == m_logic;
    if (!known) {
        NoteHeldOnLoad(StrFormat("/CONDITION/COMBINE%d/LOGIC", m_number), StrFormat("%u", m_logic), "OFF", true);
        m_logic = logicid::TextOff;
    }
}

std::string CCombineCondition::GetHeldItem(int32_t ownKey) const
{
    return ownKey >= 1 && ownKey <= 4 ? StrFormat("/CONDITION/COMBINE%d/COND%d/IDX", GetNumber(), ownKey)
                                      : CBaseDevice::GetHeldItem(ownKey);
}
