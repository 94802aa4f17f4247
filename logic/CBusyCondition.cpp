#include "logic/CBusyCondition.h"

#include <algorithm>
#include <iterator>

#include "logic/LogicIds.h"
#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/NumberSet.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CBusyCondition, 3)

QL_STRING_TABLE({
    {34456, "Aktiv Bedingung"},
    {34077, "Audio"},
    {33021, "Output"},
    {34457, "Linien"},
    {34458, "Übereinstimmung"},
    {34459, "ab Priorität [0..10]"},
    {32802, "Linie"},
    {34471, "Kein Eintrag"},
    {34421, "Kein Eintrag"},
    {34487, "Alle"},
    {34477, "ON"},
    {34235, "OFF"},
    {34252, "Gong"},
    {34253, "Alarm"},
    {34259, "Textwiedergabe"},
    {34472, "Durchsage 1"},
    {34473, "Durchsage 2"},
    {34474, "Durchsage 3"},
    {34475, "Durchsage 4"},
    {34476, "Hintergrundprogramm"},
    {33039, "OUT1"},
    {33040, "OUT2"},
    {33041, "OUT3"},
    {33042, "OUT4"},
});

namespace {
// The audio kinds in bit order: protocol keyword and the display text id (0: the keyword itself).
struct AudioKind {
    uint32_t bit;
    const char* keyword;
    uint32_t textId;
    uint32_t oldKindId;  // the kind id files before schema 3 held
};
constexpr AudioKind kAudio[] = {
    {CBusyCondition::AudioAlarm, "ALARM", 0, 34253},
    {CBusyCondition::AudioChime, "CHIME", 34252, 34252},
    {CBusyCondition::AudioMessage, "MESSAGE", 34259, 34259},
    {CBusyCondition::AudioPage1, "PAGE1", 34472, 34472},
    {CBusyCondition::AudioPage2, "PAGE2", 34473, 34473},
    {CBusyCondition::AudioPage3, "PAGE3", 34474, 34474},
    {CBusyCondition::AudioPage4, "PAGE4", 34475, 34475},
    {CBusyCondition::AudioBackground, "BPROG", 34476, 34476},
};

constexpr unsigned kZoneSetBits = 800;  // 100 bytes

// The words for no zone and no output, as the device and the project write them.
bool IsNoneText(const std::string& text)
{
    return text == "0" || text == "NONE";
}
constexpr int kHighestParsedZone = 100;
}  // namespace

CBusyCondition::CBusyCondition()
{
    m_type = OT_BUSY_CONDITION;
}

CBusyCondition::~CBusyCondition() = default;

void CBusyCondition::ZonesGone(const std::vector<int32_t>& zones)
{
    bool all = false;
    NumberSet reached{};
    ParseRanges(reached, kZoneSetBits, LinkedZonesText(all));
    std::vector<int32_t> lost;
    for (const int32_t n : zones)
        if (n >= 1 && n <= static_cast<int32_t>(kZoneSetBits) && !TestBit(reached, static_cast<unsigned>(n - 1)))
            lost.push_back(n);
    const std::string text = RangeTextWithout(m_zones, kZoneSetBits, lost);
    if (text == m_zones)
        return;
    const ChangeGuard guard(*this);
    m_zones = text;
}

std::string CBusyCondition::LinkedZonesText(bool& all) const
{
    NumberSet set{};
    all = false;
    auto addZone = [&](const CBaseDevice* zone) {
        if (zone->GetNumber() >= 1)
            SetBit(set, static_cast<unsigned>(zone->GetNumber() - 1), true);
    };
    auto membersOf = [](const CBaseDevice* group, uint32_t type) {
        DeviceList list;
        group->CollectPartnersOfType(list, type);
        return list;
    };
    for (const LinkRecord* r : m_outLinks) {
        if (!r->HasPartner())
            continue;
        const CBaseDevice* p = r->partner;
        if (p->GetType() == OT_ZONE) {
            addZone(p);
        } else if (p->GetType() == OT_GROUP) {
            if (p->GetNumber() == 0)
                all = true;
            for (const CBaseDevice* z : membersOf(p, OT_ZONE))
                addZone(z);
            for (const CBaseDevice* g : membersOf(p, OT_GROUP))
                for (const CBaseDevice* z : membersOf(g, OT_ZONE))
                    addZone(z);
        }
    }
    return RangesToString(set, kZoneSetBits);
}

std::string CBusyCondition::GetText(int key) const
{
    switch (key) {
    case 0: {
        std::string text;
        for (const AudioKind& a : kAudio) {
            if (!(m_audio & a.bit))
                continue;
            if (!text.empty())
                text += ",";
            text += a.textId ? LoadStringId(a.textId) : std::string(a.keyword);
        }
        return text.empty() ? LoadStringId(logicid::TextNoEntry) : text;
    }
    case 1: return m_zones;
    case 2: return m_full ? "ON" : "OFF";
    case 3: return StrFormat("%d", m_priority / 10);
    case 4: {
        bool all = false;
        LinkedZonesText(all);
        if (all)
            return LoadStringId(logicid::TextAll);
        if (m_zones == "0" || m_zones == "NONE")
            return LoadStringId(logicid::TextNoEntry);
        return m_zones;
    }
    case 5: return m_outputs;
    case 6: return OutputsDisplay(m_outputs);
    default: return {};
    }
}

std::string CBusyCondition::OutputsDisplay(const std::string& outputs)
{
    if (outputs == "1-4" || outputs == "ALL")
        return LoadStringId(logicid::TextAll);
    if (outputs == "0" || outputs == "NONE")
        return LoadStringId(logicid::TextNoEntry);
    return outputs;
}

int32_t CBusyCondition::GetValue(int key) const
{
    switch (key) {
    case 0: return static_cast<int32_t>(m_audio);
    case 2: return static_cast<int32_t>(m_full);
    case 3: return m_priority;
    default: return 0;
    }
}

void CBusyCondition::SetValue(int key, int32_t value)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case 0: m_audio = static_cast<uint32_t>(value); break;
    case 2: m_full = static_cast<uint32_t>(value); break;
    case 3: m_priority = value; break;
    default: break;
    }
}

void CBusyCondition::ParseValue(int key, const std::string& text, const std::string* diffFile)
{
    // Typed in the list or read back from the device: either way the project
    // holds something new to save.
    const ChangeGuard guard(*this);
    switch (key) {
    case 0:
        m_audio = 0;
        for (const AudioKind& a : kAudio)
            if (text.find(a.keyword) != std::string::npos)
                m_audio |= a.bit;
        return;
    case 1: {
        // "NONE" and "0" both say no zone: the text held stays.
        if (!(IsNoneText(text) && IsNoneText(m_zones)))
            m_zones = text;
        NumberSet set{};
        ParseRanges(set, kZoneSetBits, text);
        for (int n = 1; n <= kHighestParsedZone; ++n) {
            if (!TestBit(set, static_cast<unsigned>(n - 1)))
                continue;
            CBaseDevice* zone = FindNumbered(m_pDocument, OT_ZONE, n);
            if (!zone) {
                if (diffFile && !diffFile->empty())
                    AppendErrLine(*diffFile, LoadStringId(logicid::BusyKind), m_number,
                                  LoadStringId(logicid::TextZone) + StrFormat(" %d", n));
            } else if (!GetOutLinkTo(zone)) {
                LinkTo(0, zone, 0);
            }
        }
        return;
    }
    case 3: {
        int v = 0;
        if (ReadBlockInt(text, v))
            m_priority = std::clamp(v, 0, kMaxPriority / 10) * 10;
        return;
    }
    case 5:
        if (!(IsNoneText(text) && (IsNoneText(m_outputs) || m_outputs == LoadStringId(logicid::NoFunction))))
            m_outputs = text;
        return;
    default: return;
    }
}

void CBusyCondition::SetZones(const DeviceList& objects)
{
    const ChangeGuard guard(*this);
    for (CBaseDevice* o : objects)
        if (o && !GetOutLinkTo(o))
            LinkTo(0, o, 0);
    DeviceList linked;
    GetZonesAndGroups(linked);
    for (CBaseDevice* o : linked)
        if (std::find(objects.begin(), objects.end(), o) == objects.end())
            RemoveOutLinksTo(o);
    bool all = false;
    m_zones = LinkedZonesText(all);
    if (all)
        m_zones = "ALL";
}

void CBusyCondition::GetZonesAndGroups(DeviceList& out) const
{
    for (const LinkRecord* r : m_outLinks)
        if (r->HasPartner() && (r->partner->GetType() == OT_ZONE || r->partner->GetType() == OT_GROUP))
            out.push_back(r->partner);
}

int CBusyCondition::GetChoiceIds(int column, std::vector<uint32_t>* ids)
{
    if (!ids)
        return 0;
    switch (column) {
    case 0:
        ids->insert(ids->end(), {34471, 34253, 34252, 34259, 34472, 34473, 34474, 34475, 34476});
        break;
    case 2: ids->insert(ids->end(), {logicid::TextOn, logicid::TextOff}); break;
    case 5: ids->insert(ids->end(), {33039, 33040, 33041, 33042}); break;
    default: break;
    }
    return static_cast<int>(ids->size());
}

int CBusyCondition::GetEntryLines(std::vector<std::string>& lines) const
{
    lines.clear();
    std::string audio;
    for (const AudioKind& a : kAudio)
        if (m_audio & a.bit)
            audio += (audio.empty() ? "" : ",") + std::string(a.keyword);
    lines.push_back("/AUDIO " + (audio.empty() ? std::string("NONE") : audio));
    const bool noOutputs = m_outputs == "0" || m_outputs == LoadStringId(logicid::NoFunction);
    lines.push_back("/OUTPUTS " + (noOutputs ? std::string("NONE") : m_outputs));
    std::string zones = m_zones;
    if (zones == "0") {
        zones = "NONE";
    } else if (zones == "ALL") {
        bool all = false;
        zones = LinkedZonesText(all);
    }
    lines.push_back("/ZONES " + zones);
    lines.push_back(std::string("/FULL ") + (m_full ? "ON" : "OFF"));
    lines.push_back(StrFormat("/PRIO %d", m_priority));
    return 5;
}

int CBusyCondition::GetEntryQueries(std::vector<std::string>& lines)
{
    lines = {"/AUDIO ?", "/OUTPUTS ?", "/ZONES ?", "/FULL ?", "/PRIO ?"};
    return 5;
}

int CBusyCondition::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {logicid::TitleName, logicid::TitleId, logicid::TitleAudio, logicid::TitleOutput,
                            logicid::TitleZones, logicid::TitleFull, logicid::TitlePriority})
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int key : {0, 5, 1, 2, 3})
            texts.push_back(GetText(key));
    }
    return static_cast<int>(texts.size());
}

int CBusyCondition::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn kColumns[] = {{2, 0}, {30, 0}, {40, 0}, {65, 0}, {85, 0}, {110, 0}, {145, 0}};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}

void CBusyCondition::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_audio << m_zones << m_full << static_cast<uint32_t>(m_priority) << m_outputs;
        return;
    }
    if (m_loadedSchema < 2)
        return;
    uint32_t priority = 0;
    ar >> m_audio >> m_zones >> m_full >> priority;
    m_priority = static_cast<int32_t>(priority);
    // Held at the device's range, as its answers are: the list would show
    // a tenth of it beyond its 0..10 and the download send it as it stands.
    ClampLoaded(m_priority, 0, kMaxPriority, 0, StrFormat("/CONDITION/BUSY%d/PRIO", m_number), true);
    if (m_loadedSchema >= 3) {
        ar >> m_outputs;
        return;
    }
    // Older files held one audio kind id.
    const uint32_t kind = m_audio;
    m_audio = 0;
    for (const AudioKind& a : kAudio)
        if (a.oldKindId == kind)
            m_audio = a.bit;
}
