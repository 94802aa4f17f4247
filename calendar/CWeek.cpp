#include "calendar/CWeek.h"

#include <climits>
#include <cstdio>

#include "calendar/CalendarItems.h"
#include "model/CIDManager.h"
#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CWeek, 1)

namespace {
constexpr const char* kDayKeys[CWeek::kDays] = {"/MO", "/TU", "/WE", "/TH", "/FR", "/SA", "/SU"};
}  // namespace

CWeek::CWeek()
{
    m_type = OT_WEEK;
}

const char* CWeek::DayKey(int day)
{
    return day >= 0 && day < kDays ? kDayKeys[day] : "";
}

std::string CWeek::DayName(int day)
{
    return day >= 0 && day < kDays ? LoadStringId(kMondayTextId + static_cast<uint32_t>(day)) : std::string();
}

void CWeek::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    for (uint32_t& w : m_words) {
        if (ar.IsStoring())
            ar << w;
        else
            ar >> w;
    }
}

void CWeek::SetDay(int day, int32_t number)
{
    const ChangeGuard guard(*this);
    if (day < 0 || day >= kDays || number == GetLinkedNumber(day))
        return;
    RemoveOutLinksAtKey(day);
    if (number == 0 || m_pDocument == nullptr)
        return;
    // Numbers outside the directory's range name no day programme.
    CBaseDevice* dayprog = calitems::FindOrMakeDayprog(m_pDocument, number);
    if (dayprog == nullptr)
        return;
    AddOutLink(this, day, dayprog, 0, dayprog->GetCategory());
    dayprog->AddInLink(dayprog, 0, this, day, m_category);
}

int CWeek::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return kDays;
    if (step < 0 || step >= kDays || IsOutBufferFull())
        return step;
    const std::string value = mode ? std::string("?") : StrFormat("%d", GetLinkedNumber(step));
    SendCommand(m_path + kDayKeys[step] + " " + value, m_pDocument, true);
    return step + 1;
}

void CWeek::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    // "? " is the device not understanding the query: no weekday's value.
    if (linkState != linkstate::Upload || IsRefusedValue(value))
        return;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return;
    const std::string key = path.substr(slash);
    for (int d = 0; d < kDays; ++d) {
        if (key != kDayKeys[d])
            continue;
        // "OFF" carries no number: the weekday is left as it is. Another
        // word leaves it too, and the difference file names it with the day
        // programme the weekday keeps.
        const std::optional<long> read = ScanWholeNumber(value, INT_MIN, INT_MAX);
        if (!read) {
            if (value != "OFF")
                ReportNotHeld(&diffFileName, m_path + kDayKeys[d], value, StrFormat("%d", GetLinkedNumber(d)));
            return;
        }
        const int number = static_cast<int>(*read);
        // A day programme the project cannot hold leaves the weekday as it is.
        if (number != 0 && m_pDocument && !calitems::FindOrMakeDayprog(m_pDocument, number))
            ReportUntaken(&diffFileName, LoadStringId(kKindId), m_number,
                          LoadStringId(kDayprogKindId) + StrFormat(" %d", number));
        else
            SetDay(d, number);
        return;
    }
}

int CWeek::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(kWeekdayTextId));
        texts.push_back(LoadStringId(kDayprogKindId));
    } else {
        for (int d = 0; d < kDays; ++d) {
            texts.push_back(DayName(d));
            texts.push_back(GetLinkedName(d));
        }
    }
    return static_cast<int>(texts.size());
}

int CWeek::GetListColumns(std::vector<ListColumn>& columns)
{
    static const std::vector<ListColumn> table = [] {
        std::vector<ListColumn> t{{2, 0}, {40, 0}};
        for (int d = 0; d < kDays; ++d) {
            t.push_back({2, d});
            t.push_back({40, d});
        }
        return t;
    }();
    columns.insert(columns.end(), table.begin(), table.end());
    return static_cast<int>(table.size());
}

std::string CWeek::GetHeldItem(int32_t ownKey) const
{
    return ownKey >= 0 && ownKey < kDays ? std::string("/CAL/WEEK") + kDayKeys[ownKey] : CBaseDevice::GetHeldItem(ownKey);
}
