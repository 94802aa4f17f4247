#include "calendar/CDayprog.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "calendar/CalendarIds.h"
#include "calendar/CalendarItems.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CDayprog, 3)

namespace {
int IndexOf(int32_t code)
{
    return static_cast<int>((static_cast<uint32_t>(code) >> 16) & 0xFFFF);
}
int SelectorOf(int32_t code)
{
    return static_cast<int>(code & 0xFFFF);
}
}  // namespace

CDayprog::CDayprog()
{
    m_type = OT_DAYPROG;
    // Built once: the local time is looked up anew at every call.
    const caltime::Time unset = caltime::Unset();
    for (caltime::Time& t : m_entries)
        t = unset;
}

int CDayprog::GetEntryCount()
{
    const CQuillomerDoc* doc = GetActiveDoc();
    return doc && doc->m_data.deviceVariant != 0 ? kEntries : 40;
}

void CDayprog::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (caltime::Time t : m_entries)
            ar << t;
        return;
    }
    if (m_loadedSchema >= 3) {
        for (caltime::Time& t : m_entries)
            ar >> t;
    } else if (m_loadedSchema == 2) {
        for (int i = 0; i < 40; ++i)
            ar >> m_entries[i];
    } else {
        // The oldest files keep texts; "OFF" stands for an entry that is not
        // set. Entry i keeps its time plus i seconds, within the day.
        for (int i = 0; i < 40; ++i) {
            std::string text;
            ar >> text;
            int h = 0, m = 0, s = 0;
            if (text == "OFF" || std::sscanf(text.c_str(), "%d:%d:%d", &h, &m, &s) != 3)
                continue;
            h = h < 0 ? 0 : (h > 23 ? 23 : h);
            m = m < 0 ? 0 : (m > 59 ? 59 : m);
            s = s < 0 ? 0 : (s > 59 ? 59 : s);
            int total = h * 3600 + m * 60 + s + i;
            total = total > 86399 ? 86399 : total;
            m_entries[i] = caltime::OnEntryDay(total / 3600, total / 60 % 60, total % 60);
        }
    }
}

bool CDayprog::IsEntrySet(int index) const
{
    return index >= 0 && index < kEntries && m_entries[index] >= caltime::EntryDay();
}

int CDayprog::CountEntriesInUse() const
{
    const int count = GetEntryCount();
    int used = 0;
    for (int i = 0; i < count; ++i)
        if (IsEntrySet(i) || GetOutLinkAtKey(i))
            ++used;
    return used;
}

int32_t CDayprog::GetEntryParam(int32_t code) const
{
    const int index = IndexOf(code);
    if (index >= GetEntryCount())
        return 0;
    switch (SelectorOf(code)) {
    case EntryTime: return m_entries[index];
    case EntryMacro: return GetLinkedNumber(index);
    case EntriesInUse: return CountEntriesInUse();
    default: return 0;
    }
}

std::string CDayprog::GetEntryText(int32_t code) const
{
    const int index = IndexOf(code);
    if (index >= GetEntryCount())
        return {};
    switch (SelectorOf(code)) {
    case EntryTime: return IsEntrySet(index) ? caltime::UserTime(m_entries[index]) : std::string();
    case EntryMacro: return GetLinkedName(index);
    case EntriesInUse: {
        const int used = CountEntriesInUse();
        return used == 0 ? std::string() : StrFormat("%d", used);
    }
    default: return {};
    }
}

void CDayprog::SetEntryParam(int32_t code, int32_t value)
{
    const ChangeGuard guard(*this);
    const int count = GetEntryCount();
    const int n = IndexOf(code);
    switch (SelectorOf(code)) {
    case EntryTime:
        if (n >= 1 && n <= count)
            m_entries[n - 1] = value;
        break;
    case EntryMacro:
        if (n < 1 || n > count || value == GetLinkedNumber(n - 1))
            break;
        RemoveOutLinksAtKey(n - 1);
        if (value != 0)
            calitems::Relink(this, n - 1, calitems::FindOrMakeMacro(m_pDocument, value));
        break;
    case AddEntry:
        for (int i = 0; i < count; ++i) {
            if (!IsEntrySet(i)) {
                m_entries[i] = caltime::EntryDay();
                break;
            }
        }
        break;
    case DeleteEntry:
        if (value < 1 || value > count)
            break;
        m_entries[value - 1] = caltime::Unset();
        RemoveOutLinksAtKey(value - 1);
        break;
    default: break;
    }
}

bool CDayprog::BecomeFreeOnDevice()
{
    const ChangeGuard guard(*this);
    for (caltime::Time& entry : m_entries)
        entry = caltime::Unset();
    RemoveAllOutLinks();
    TakePlaceholderName();
    return true;
}

bool CDayprog::IsFreeOnDeviceForm() const
{
    for (int i = 0; i < kEntries; ++i)
        if (IsEntrySet(i))
            return false;
    const std::string own = StrFormat("%d *", GetNumber());
    if (m_name == own)
        return true;
    if (m_name.size() <= own.size() + 1 || m_name.compare(0, own.size() + 1, own + "_") != 0)
        return false;
    return std::all_of(m_name.begin() + static_cast<std::ptrdiff_t>(own.size() + 1), m_name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

int CDayprog::GetDownloadLines(std::vector<std::string>& lines) const
{
    lines.clear();
    // The name goes whatever it is, also one the project made up ("2 *"): a
    // line left out would leave the device the name it had. A placeholder
    // for an entry the device gave as free goes back free, with no name,
    // as its device held it.
    const bool freeOnDevice =
        IsFreeOnDeviceForm() && m_pDocument && m_pDocument->IsFreeOnDevice(GetType(), GetNumber());
    lines.push_back("/NAME " + (freeOnDevice ? std::string() : m_name));
    const int count = GetEntryCount();
    for (int i = 0; i < count; ++i) {
        const std::string prefix = StrFormat("/ENTRY%d", i + 1);
        if (!IsEntrySet(i)) {
            lines.push_back(prefix + "/TIME OFF");
            continue;
        }
        lines.push_back(prefix + "/TIME " + caltime::DeviceTime(m_entries[i]));
        lines.push_back(prefix + StrFormat("/MACRO %d", GetLinkedNumber(i)));
    }
    return static_cast<int>(lines.size());
}

int CDayprog::GetQueryLines(std::vector<std::string>& lines)
{
    lines.clear();
    lines.push_back("/NAME ?");
    const int count = GetEntryCount();
    for (int i = 1; i <= count; ++i) {
        lines.push_back(StrFormat("/ENTRY%d/TIME ?", i));
        lines.push_back(StrFormat("/ENTRY%d/MACRO ?", i));
    }
    return static_cast<int>(lines.size());
}

int CDayprog::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {IDS_CAL_COL_NAME, IDS_CAL_COL_ID, IDS_CAL_COL_TIME, IDS_CAL_COL_MACRO})
            texts.push_back(LoadStringId(id));
        // A title for each column, the entries' below the first ones empty.
        texts.insert(texts.end(), 2 * static_cast<size_t>(GetEntryCount()) - 2, std::string());
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        const int count = GetEntryCount();
        for (int i = 0; i < count; ++i) {
            const std::string time = GetEntryText(Code(i, EntryTime));
            const std::string macro = GetEntryText(Code(i, EntryMacro));
            if (time.empty() && macro.empty())
                continue;
            texts.push_back(time);
            texts.push_back(macro);
        }
    }
    return static_cast<int>(texts.size());
}

int CDayprog::GetListColumns(std::vector<ListColumn>& columns)
{
    // Name and number, then the time and macro of every entry the device
    // uses (100 on the upgraded device), one entry a line.
    columns.push_back({2, 0});
    columns.push_back({40, 0});
    const int count = GetEntryCount();
    for (int i = 0; i < count; ++i) {
        columns.push_back({60, i});
        columns.push_back({100, i});
    }
    return static_cast<int>(columns.size());
}

std::string CDayprog::GetHeldItem(int32_t ownKey) const
{
    return StrFormat("/CAL/DAYPROG%d/ENTRY%d/MACRO", GetNumber(), ownKey + 1);
}
