#include "calendar/CHoliday.h"

#include <cstdio>
#include <ctime>

#include "calendar/CalendarIds.h"
#include "calendar/CalendarItems.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CHoliday, 4)

namespace {
struct FunctionEntry {
    const char* keyword;
    uint32_t id;
};
constexpr FunctionEntry kFunctions[] = {
    {"OFF", IDS_CALFN_OFF},       {"ONETIME", IDS_CALFN_ONETIME}, {"ANNUAL", IDS_CALFN_ANNUAL},
    {"MONTHLY", IDS_CALFN_MONTHLY}, {"", IDS_CALFN_PERIOD},
};

int32_t ClampDays(int32_t days)
{
    return days < 1 ? 1 : (days > CHoliday::kMaxDays ? CHoliday::kMaxDays : days);
}
}  // namespace

CHoliday::CHoliday() : m_time(caltime::EntryDay())
{
    m_type = OT_HOLIDAY;
}

void CHoliday::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_time << m_function << m_dayCount;
        return;
    }
    if (m_loadedSchema >= 2) {
        ar >> m_time;
    } else {
        std::string dateText;
        ar >> dateText;
        int d = 0, mo = 0, y = 0;
        if (std::sscanf(dateText.c_str(), "%d.%d.%d", &d, &mo, &y) == 3)
            m_time = caltime::Make(y, mo, d).value_or(m_time);
    }
    ar >> m_function;
    if (m_loadedSchema >= 4) {
        int32_t days = 0;
        ar >> days;
        m_dayCount = days < 1 ? 0 : (days > kMaxDays ? kMaxDays : days);
    }
    // A function the device does not offer would be shown as a period and
    // sent as it stands: it is refused, as the new entry holds it (off).
    if (!IsKnownFunction(m_function)) {
        NoteHeldOnLoad(StrFormat("/CAL/HOLIDAY%d/FUNCTION", GetNumber()), m_function, "OFF", true);
        m_function = "OFF";
    }
}

bool CHoliday::IsKnownFunction(const std::string& keyword)
{
    for (const FunctionEntry& f : kFunctions)
        if (keyword == f.keyword)
            return true;
    return false;
}

uint32_t CHoliday::FunctionIdOf(const std::string& keyword)
{
    for (const FunctionEntry& f : kFunctions)
        if (keyword == f.keyword)
            return f.id;
    return IDS_CALFN_PERIOD;
}

int32_t CHoliday::GetParam(int n) const
{
    switch (n) {
    case Date: return static_cast<int32_t>(m_time);
    case Function: return static_cast<int32_t>(FunctionIdOf(m_function));
    case DayCount: return m_dayCount;
    case Dayprog: return GetLinkedNumber(0);
    default: return 0;
    }
}

void CHoliday::SetParam(int n, int32_t value)
{
    const ChangeGuard guard(*this);
    switch (n) {
    case Date: m_time = static_cast<caltime::Time>(value); break;
    case Function:
        m_dayCount = 0;
        m_function = "OFF";
        for (const FunctionEntry& f : kFunctions)
            if (static_cast<uint32_t>(value) == f.id)
                m_function = f.keyword;
        break;
    case DayCount: m_dayCount = ClampDays(value); break;
    case Dayprog:
        if (value == GetLinkedNumber(0))
            break;
        RemoveOutLinksAtKey(0);
        if (value != 0)
            calitems::Relink(this, 0, calitems::FindOrMakeDayprog(m_pDocument, value));
        break;
    default: break;
    }
}

std::string CHoliday::GetParamText(int n) const
{
    switch (n) {
    case Date: return caltime::UserDate(m_time);
    case Function: return LoadStringId(FunctionIdOf(m_function));
    case DayCount: return m_dayCount == 0 ? std::string() : StrFormat("%d", m_dayCount);
    case Dayprog: return GetLinkedName(0);
    default: return {};
    }
}

void CHoliday::SetParamText(int n, const std::string& text)
{
    const ChangeGuard guard(*this);
    if (n == Function)
        m_function = text;
}

std::time_t CHoliday::PeriodEnd() const
{
    caltime::Fields f = caltime::Split(m_time);
    f.day += m_dayCount;
    // mktime carries the day over into the following months.
    std::tm tmv{};
    tmv.tm_year = f.year - 1900;
    tmv.tm_mon = f.month - 1;
    tmv.tm_mday = f.day;
    tmv.tm_hour = f.hour;
    tmv.tm_min = f.minute;
    tmv.tm_sec = f.second;
    tmv.tm_isdst = -1;
    // In the wide time: a period may run on beyond the last date a calendar
    // time holds.
    return std::mktime(&tmv);
}

int CHoliday::GetDownloadLines(std::vector<std::string>& lines) const
{
    lines.clear();
    lines.push_back("/FUNCTION " + m_function);
    if (m_function != "OFF") {
        lines.push_back(StrFormat("/DAYPROG %d", GetLinkedNumber(0)));
        lines.push_back("/DATE " + caltime::DeviceDate(m_time));
        lines.push_back("/NAME " + m_name);
    }
    return static_cast<int>(lines.size());
}

int CHoliday::GetQueryLines(std::vector<std::string>& lines)
{
    lines = {"/FUNCTION ?", "/NAME ?", "/DAYPROG ?", "/DATE ?"};
    return 4;
}

int CHoliday::GetFunctionList(int kind, std::vector<uint32_t>* ids)
{
    if (!ids)
        return 0;
    if (kind == 1)
        for (const FunctionEntry& f : kFunctions)
            ids->push_back(f.id);
    return static_cast<int>(ids->size());
}

int CHoliday::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {IDS_CAL_COL_NAME, IDS_CAL_COL_ID, IDS_CAL_COL_DATE, IDS_CAL_COL_BLANK, IDS_CAL_COL_FUNCTION,
                            IDS_CAL_DAYPROG})
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int n : {Date, DayCount, Function, Dayprog})
            texts.push_back(GetParamText(n));
    }
    return static_cast<int>(texts.size());
}

int CHoliday::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn table[] = {{2, 0}, {40, 0}, {50, 0}, {70, 0}, {90, 0}, {110, 0}};
    columns.insert(columns.end(), std::begin(table), std::end(table));
    return 1;
}

std::string CHoliday::GetHeldItem(int32_t) const
{
    return StrFormat("/CAL/HOLIDAY%d/DAYPROG", GetNumber());
}
