#include "calendar/CAppoint.h"

#include <cstdio>

#include "calendar/CalendarIds.h"
#include "calendar/CalendarItems.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAppoint, 3)

namespace {
struct FunctionEntry {
    const char* keyword;
    uint32_t id;
};
// In the order of the selection list.
constexpr FunctionEntry kFunctions[] = {
    {"OFF", IDS_CALFN_OFF},         {"ONETIME", IDS_CALFN_ONETIME}, {"ANNUAL", IDS_CALFN_ANNUAL},
    {"MONTHLY", IDS_CALFN_MONTHLY}, {"WEEKLY", IDS_CALFN_WEEKLY},   {"DAILY", IDS_CALFN_DAILY},
    {"HOURLY", IDS_CALFN_HOURLY},   {"MINUTELY", IDS_CALFN_MINUTELY},
};
}  // namespace

CAppoint::CAppoint() : m_time(caltime::EntryDay())
{
    m_type = OT_APPOINT;
}

void CAppoint::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_time << m_function;
        return;
    }
    if (m_loadedSchema >= 3) {
        ar >> m_time;
    } else {
        // Older files keep the date and the time as texts.
        std::string dateText, timeText;
        ar >> dateText >> timeText;
        int d = 0, mo = 0, y = 0, h = 0, mi = 0, s = 0;
        if (std::sscanf(dateText.c_str(), "%d.%d.%d", &d, &mo, &y) == 3 &&
            std::sscanf(timeText.c_str(), "%d:%d:%d", &h, &mi, &s) == 3)
            m_time = caltime::Make(y, mo, d, h, mi, s).value_or(m_time);
    }
    ar >> m_function;
    // A function the device does not offer would be shown as off and sent
    // as it stands: it is refused, as the new entry holds it (off).
    if (!IsKnownFunction(m_function)) {
        NoteHeldOnLoad(StrFormat("/CAL/APPOINT%d/FUNCTION", GetNumber()), m_function, "OFF", true);
        m_function = "OFF";
    }
}

bool CAppoint::IsKnownFunction(const std::string& keyword)
{
    for (const FunctionEntry& f : kFunctions)
        if (keyword == f.keyword)
            return true;
    return false;
}

uint32_t CAppoint::FunctionIdOf(const std::string& keyword)
{
    for (const FunctionEntry& f : kFunctions)
        if (keyword == f.keyword)
            return f.id;
    return IDS_CALFN_OFF;
}

int32_t CAppoint::GetParam(int n) const
{
    switch (n) {
    // The 32-bit count as its bits: SetParam takes it back unchanged.
    case TimeOfDay:
    case Date: return static_cast<int32_t>(m_time);
    case Function: return static_cast<int32_t>(FunctionIdOf(m_function));
    case Macro: return GetLinkedNumber(0);
    default: return 0;
    }
}

void CAppoint::SetParam(int n, int32_t value)
{
    const ChangeGuard guard(*this);
    switch (n) {
    case TimeOfDay:
    case Date: m_time = static_cast<caltime::Time>(value); break;
    case Function: {
        m_function = "OFF";
        for (const FunctionEntry& f : kFunctions)
            if (static_cast<uint32_t>(value) == f.id)
                m_function = f.keyword;
        break;
    }
    case Macro:
        // The macro it has already: no new link (a new link marks the project).
        if (value == GetLinkedNumber(0))
            break;
        RemoveOutLinksAtKey(0);
        if (value != 0)
            calitems::Relink(this, 0, calitems::FindOrMakeMacro(m_pDocument, value));
        break;
    default: break;
    }
}

std::string CAppoint::GetParamText(int n) const
{
    switch (n) {
    case TimeOfDay: return caltime::UserTime(m_time);
    case Date: return caltime::UserDate(m_time);
    case Function: return LoadStringId(FunctionIdOf(m_function));
    case Macro: return GetLinkedName(0);
    default: return {};
    }
}

void CAppoint::SetParamText(int n, const std::string& text)
{
    const ChangeGuard guard(*this);
    if (n == Function)
        m_function = text;
}

int CAppoint::GetDownloadLines(std::vector<std::string>& lines) const
{
    lines.clear();
    lines.push_back("/FUNCTION " + m_function);
    if (m_function != "OFF") {
        lines.push_back(StrFormat("/MACRO %d", GetLinkedNumber(0)));
        lines.push_back("/TIME " + caltime::DeviceTime(m_time));
        lines.push_back("/DATE " + caltime::DeviceDate(m_time));
    }
    return static_cast<int>(lines.size());
}

int CAppoint::GetQueryLines(std::vector<std::string>& lines)
{
    lines = {"/FUNCTION ?", "/MACRO ?", "/DATE ?", "/TIME ?"};
    return 4;
}

int CAppoint::GetFunctionList(int kind, std::vector<uint32_t>* ids)
{
    if (!ids)
        return 0;
    if (kind == 2)
        for (const FunctionEntry& f : kFunctions)
            ids->push_back(f.id);
    return static_cast<int>(ids->size());
}

int CAppoint::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : {IDS_CAL_COL_NAME, IDS_CAL_COL_ID, IDS_CAL_COL_TIME, IDS_CAL_COL_DATE, IDS_CAL_COL_FUNCTION,
                            IDS_CAL_COL_MACRO})
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        for (int n = 0; n < 4; ++n)
            texts.push_back(GetParamText(n));
    }
    return static_cast<int>(texts.size());
}

int CAppoint::GetListColumns(std::vector<ListColumn>& columns)
{
    static const ListColumn table[] = {{2, 0}, {30, 0}, {45, 0}, {70, 0}, {105, 0}, {140, 0}};
    columns.insert(columns.end(), std::begin(table), std::end(table));
    return 1;
}

std::string CAppoint::GetHeldItem(int32_t) const
{
    return StrFormat("/CAL/APPOINT%d/MACRO", GetNumber());
}
