#include "calendar/CCalObject.h"

#include <array>
#include <climits>
#include <cstdio>
#include <optional>
#include <vector>

#include "calendar/CAppoint.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "calendar/CalendarItems.h"
#include "calendar/CalendarTime.h"
#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CCalObject, 0)

struct CCalObject::Part {
    uint32_t type;
    const char* word;       // "/APPOINT": the item key and the clear key's last word
    const char* className;
    uint32_t kindId;
    int firstStep;
    int endStep;            // first step of the next part
    unsigned clearMax;      // numbers a clear answer can name
};

namespace {
enum : int { kAppoint = 0, kDayprog = 1, kHoliday = 2 };

const std::array<CCalObject::Part, 3>& Parts();

// The last blank-separated word of a text.
std::string LastWord(const std::string& text)
{
    const size_t end = text.find_last_not_of(' ');
    if (end == std::string::npos)
        return {};
    const size_t blank = text.rfind(' ', end);
    return text.substr(blank == std::string::npos ? 0 : blank + 1, end - (blank == std::string::npos ? 0 : blank + 1) + 1);
}

// The number right after `word` at the start of `key`, and the sub-key that
// follows it; false when the key does not begin with the word and a number.
bool SplitItemKey(const std::string& key, const std::string& word, int32_t& number, std::string& sub)
{
    if (key.compare(0, word.size(), word) != 0)
        return false;
    size_t i = word.size();
    const size_t digits = i;
    long n = 0;
    while (i < key.size() && key[i] >= '0' && key[i] <= '9' && n < 100000)
        n = n * 10 + (key[i++] - '0');
    if (i == digits)
        return false;
    number = static_cast<int32_t>(n);
    sub = key.substr(i);
    return true;
}
}  // namespace

namespace {
const std::array<CCalObject::Part, 3>& Parts()
{
    static const std::array<CCalObject::Part, 3> parts = {{
        {OT_APPOINT, "/APPOINT", "CAppoint", CAppoint::kKindId, CCalObject::kAppointStep, CCalObject::kDayprogStep, 50},
        {OT_DAYPROG, "/DAYPROG", "CDayprog", CDayprog::kKindId, CCalObject::kDayprogStep, CCalObject::kHolidayStep, 20},
        {OT_HOLIDAY, "/HOLIDAY", "CHoliday", CHoliday::kKindId, CCalObject::kHolidayStep, CCalObject::kStepCount, 50},
    }};
    return parts;
}

// A value of a calendar item the project cannot read: the item keeps its own,
// which its next download sends, and the difference file names what the
// device held instead. `sub` is the key below the item ("/DATE",
// "/ENTRY2/TIME"); `none` is what the item keeps where its download sends no
// line for the key.
template <class Item>
void ReportUnread(const Item& item, const std::string& itemPath, const std::string& sub, const std::string& value,
                  const std::string& diffFile, const std::string& none = std::string())
{
    std::vector<std::string> lines;
    item.GetDownloadLines(lines);
    std::string kept = none;
    for (const std::string& line : lines)
        if (line.compare(0, sub.size() + 1, sub + " ") == 0)
            kept = line.substr(sub.size() + 1);
    ReportNotHeld(&diffFile, itemPath + sub, value, kept);
}
}  // namespace

CCalObject::CCalObject()
{
    m_type = OT_CAL_OBJECT;
}

int CCalObject::PostLoad()
{
    SetName(LoadStringId(kKindId));
    return 1;
}

const CCalObject::Part& CCalObject::PartAt(int index) const
{
    return Parts()[static_cast<size_t>(index)];
}

bool CCalObject::IsPartOn(int index) const
{
    switch (index) {
    case kAppoint: return m_partAppointments != 0;
    case kDayprog: return m_partDayprogs != 0;
    case kHoliday: return m_partHolidays != 0;
    default: return false;
    }
}

int32_t CCalObject::Limit(uint32_t type) const
{
    return static_cast<int32_t>(GetMaxObjectCount(type, m_pDocument ? m_pDocument->m_data.deviceVariant : 0));
}

CBaseDevice* CCalObject::FindItem(uint32_t type, int32_t number) const
{
    return calitems::Find(m_pDocument, number, type);
}

int CCalObject::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        m_partAppointments = m_partDayprogs = m_partHolidays = 1;
        if (step == ResetAppointments)
            m_partDayprogs = m_partHolidays = 0;
        else if (step == ResetDayprogs)
            m_partAppointments = m_partHolidays = 0;
        else if (step == ResetHolidays)
            m_partAppointments = m_partDayprogs = 0;
        m_itemInProgress = 0;
        m_pending.clear();
        m_querySent = 0;
        m_answerReceived = 0;
        m_clearCapability = GetAppHost().GetProfileInt("KVT7000", "CAL_CLR", 0);
        return kStepCount;
    }
    if (step >= kStepCount || IsOutBufferFull())
        return step;
    return step < kAppointStep ? ClearStep(mode, step) : ItemStep(mode, step);
}

int CCalObject::ClearStep(int mode, int step)
{
    if (!IsPartOn(step))
        return step + 1;
    const std::string key = m_path + "/CLEAR" + PartAt(step).word;
    if (!mode) {
        SendCommand(key + " ALL", m_pDocument, true);
        return step + 1;
    }
    if (!m_clearCapability)
        return step + 1;
    bool laterPart = false;
    for (int p = step + 1; p < 3; ++p)
        laterPart = laterPart || IsPartOn(p);
    if (laterPart) {
        SendCommand(key + " ?", m_pDocument, true);
        return step + 1;
    }
    // The last clear query: the items are asked for once its answer is in.
    if (m_answerReceived)
        return kAppointStep;
    if (m_querySent)
        return step;
    m_querySent = 1;
    SendCommand(key + " ?", m_pDocument, true);
    return step;
}

int CCalObject::ItemStep(int mode, int step)
{
    int part = kAppoint;
    while (step >= PartAt(part).endStep)
        ++part;
    const Part& p = PartAt(part);
    if (!IsPartOn(part))
        return p.endStep;
    const int32_t limit = Limit(p.type);
    int32_t n = step - p.firstStep + 1;
    CBaseDevice* obj = FindItem(p.type, n);
    if (m_clearCapability && !m_itemInProgress) {
        // The device was cleared (or told which numbers it holds): numbers
        // without an item are left out.
        while (!obj && n <= limit) {
            ++n;
            ++step;
            obj = FindItem(p.type, n);
        }
    }
    if (n > limit)
        return p.endStep;
    const std::string prefix = m_path + StrFormat("%s%d", p.word, n);
    if (!m_itemInProgress) {
        std::vector<std::string> lines;
        if (mode) {
            if (part == kAppoint)
                CAppoint::GetQueryLines(lines);
            else if (part == kDayprog)
                CDayprog::GetQueryLines(lines);
            else
                CHoliday::GetQueryLines(lines);
        } else if (obj) {
            if (auto* a = dynamic_cast<CAppoint*>(obj))
                a->GetDownloadLines(lines);
            else if (auto* d = dynamic_cast<CDayprog*>(obj))
                d->GetDownloadLines(lines);
            else if (auto* h = dynamic_cast<CHoliday*>(obj))
                h->GetDownloadLines(lines);
        } else if (part == kDayprog) {
            const int count = CDayprog::GetEntryCount();
            for (int e = 1; e <= count; ++e)
                lines.push_back(StrFormat("/ENTRY%d/TIME OFF", e));
        } else {
            lines.push_back("/FUNCTION OFF");
        }
        m_pending.assign(lines.begin(), lines.end());
        m_itemInProgress = 1;
    }
    if (m_pending.empty()) {
        m_itemInProgress = 0;
        return step + 1;
    }
    const std::string line = prefix + m_pending.front();
    m_pending.pop_front();
    SendCommand(line, m_pDocument, true);
    if (!m_pending.empty())
        return step;
    m_itemInProgress = 0;
    return step + 1;
}

CBaseDevice* CCalObject::MakeItem(int part, int32_t number)
{
    const Part& p = PartAt(part);
    // Numbers beyond what the device can hold for this project make nothing.
    if (number < 1 || number > Limit(p.type))
        return nullptr;
    return calitems::MakeNumbered(m_pDocument, p.className, p.type, p.kindId, number, CAT_CALENDAR);
}

void CCalObject::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\r' || value.back() == '\n'))
        value.pop_back();
    if (value == "?" || linkState != linkstate::Upload)
        return;
    const size_t slash = path.find('/');
    if (slash == std::string::npos)
        return;
    const std::string key = path.substr(slash);

    for (int part = 0; part < 3; ++part) {
        if (key == std::string("/CLEAR") + PartAt(part).word) {
            ApplyClearAnswer(part, value, diffFileName);
            return;
        }
    }
    int32_t n = 0;
    std::string sub;
    if (SplitItemKey(key, "/APPOINT", n, sub))
        ParseAppointAnswer(n, sub, value, diffFileName);
    else if (SplitItemKey(key, "/DAYPROG", n, sub))
        ParseDayprogAnswer(n, sub, value, diffFileName);
    else if (SplitItemKey(key, "/HOLIDAY", n, sub))
        ParseHolidayAnswer(n, sub, value, diffFileName);
}

bool CCalObject::CanTake(bool dayprog, int32_t number, uint32_t itemKind, int32_t n, const std::string& diffFile)
{
    if (number == 0 || (dayprog ? calitems::FindOrMakeDayprog(m_pDocument, number)
                                : calitems::FindOrMakeMacro(m_pDocument, number)))
        return true;
    ReportUntaken(&diffFile, LoadStringId(itemKind), n,
                  LoadStringId(dayprog ? IDS_CAL_DAYPROG : IDS_CAL_COL_MACRO) + StrFormat(" %d", number));
    return false;
}

void CCalObject::ApplyClearAnswer(int part, const std::string& value, const std::string& diffFile)
{
    const Part& p = PartAt(part);
    std::vector<uint8_t> free((p.clearMax + 7) / 8, 0);
    // Read whole, however long; an answer that does not read changes no item
    // (the transfer ends there and names it).
    const bool read = ReadFreeList(free, p.clearMax, m_path + "/CLEAR" + p.word, value);
    const int32_t limit = read ? Limit(p.type) : 0;
    for (int32_t n = 1; n <= limit; ++n) {
        const bool isFree = static_cast<unsigned>(n) <= p.clearMax && TestBit(free, static_cast<unsigned>(n - 1));
        CBaseDevice* obj = FindItem(p.type, n);
        if (isFree && obj)
            m_pDocument->FreeOnDevice(*obj);
        else if (isFree && m_pDocument)
            m_pDocument->NoteFreeOnDevice(p.type, n);
        else if (!obj)
            MakeItem(part, n);
    }
    if (read)
        ReportBeyondLimit(&diffFile, m_path + p.word, free, limit, p.clearMax);
    if (part == kHoliday || (part == kDayprog && !m_partHolidays) ||
        (part == kAppoint && !m_partDayprogs && !m_partHolidays))
        m_answerReceived = 1;
}

void CCalObject::ParseAppointAnswer(int32_t n, const std::string& sub, const std::string& value,
                               const std::string& diffFile)
{
    auto* item = dynamic_cast<CAppoint*>(FindItem(OT_APPOINT, n));
    if (sub == "/FUNCTION") {
        if (value == "OFF") {
            if (item)
                item->OnCommand(objcmd::Delete);
            return;
        }
        if (!item)
            item = dynamic_cast<CAppoint*>(MakeItem(kAppoint, n));
        if (item)
            item->SetParamText(CAppoint::Function, value);
        return;
    }
    if (!item)
        return;
    if (sub == "/MACRO") {
        const std::optional<long> m = ScanWholeNumber(value, INT_MIN, INT_MAX);
        if (!m)
            ReportUnread(*item, StrFormat("/CAL/APPOINT%d", n), sub, value, diffFile);
        else if (CanTake(false, static_cast<int>(*m), IDS_CAL_APPOINT, n, diffFile))
            item->SetParam(CAppoint::Macro, static_cast<int>(*m));
    } else if (sub == "/TIME") {
        caltime::Fields f = caltime::Split(item->m_time);
        std::optional<caltime::Time> t;
        if (caltime::ParseDeviceTime(value, f.hour, f.minute, f.second))
            t = caltime::Make(f);
        if (t)
            item->SetParam(CAppoint::Date, *t);
        else
            ReportUnread(*item, StrFormat("/CAL/APPOINT%d", n), sub, value, diffFile);
    } else if (sub == "/DATE") {
        caltime::Fields f = caltime::Split(item->m_time);
        std::optional<caltime::Time> t;
        if (caltime::ParseDeviceDate(LastWord(value), f.day, f.month, f.year))
            t = caltime::Make(f);
        if (t)
            item->SetParam(CAppoint::TimeOfDay, *t);
        else
            ReportUnread(*item, StrFormat("/CAL/APPOINT%d", n), sub, value, diffFile);
    }
}

void CCalObject::ParseDayprogAnswer(int32_t n, const std::string& sub, const std::string& value,
                               const std::string& diffFile)
{
    auto* item = dynamic_cast<CDayprog*>(FindItem(OT_DAYPROG, n));
    if (sub == "/NAME") {
        // A free entry has no name: the placeholder keeps the project's.
        if (item && !(value.empty() && item->IsFreeOnDeviceForm()))
            item->TakeDeviceName(value, diffFile, StrFormat("/CAL/DAYPROG%d/NAME", n));
        return;
    }
    int32_t entry = 0;
    std::string entryKey;
    if (!SplitItemKey(sub, "/ENTRY", entry, entryKey))
        return;
    if (entryKey == "/MACRO") {
        if (!item)
            return;
        const std::optional<long> m = ScanWholeNumber(value, INT_MIN, INT_MAX);
        if (!m)
            ReportUnread(*item, StrFormat("/CAL/DAYPROG%d", n), sub, value, diffFile, "0");
        else if (CanTake(false, static_cast<int>(*m), IDS_CAL_DAYPROG, n, diffFile))
            item->SetEntryParam(CDayprog::Code(entry, CDayprog::EntryMacro), static_cast<int>(*m));
    } else if (entryKey == "/TIME") {
        if (value == "OFF") {
            if (item)
                item->SetEntryParam(CDayprog::Code(0, CDayprog::DeleteEntry), entry);
            return;
        }
        if (!item)
            item = dynamic_cast<CDayprog*>(MakeItem(kDayprog, n));
        int h = 0, m = 0, s = 0;
        if (!item)
            return;
        if (caltime::ParseDeviceTime(LastWord(value), h, m, s))
            item->SetEntryParam(CDayprog::Code(entry, CDayprog::EntryTime), caltime::OnEntryDay(h, m, s));
        else
            ReportUnread(*item, StrFormat("/CAL/DAYPROG%d", n), sub, value, diffFile);
    }
}

void CCalObject::ParseHolidayAnswer(int32_t n, const std::string& sub, const std::string& value,
                               const std::string& diffFile)
{
    auto* item = dynamic_cast<CHoliday*>(FindItem(OT_HOLIDAY, n));
    if (sub == "/FUNCTION") {
        if (value == "OFF") {
            if (item)
                item->OnCommand(objcmd::Delete);
            return;
        }
        if (!item)
            item = dynamic_cast<CHoliday*>(MakeItem(kHoliday, n));
        if (item)
            item->SetParamText(CHoliday::Function, value);
        return;
    }
    if (!item)
        return;
    if (sub == "/DAYPROG") {
        const std::optional<long> m = ScanWholeNumber(value, INT_MIN, INT_MAX);
        if (!m)
            ReportUnread(*item, StrFormat("/CAL/HOLIDAY%d", n), sub, value, diffFile);
        else if (CanTake(true, static_cast<int>(*m), IDS_CAL_HOLIDAY, n, diffFile))
            item->SetParam(CHoliday::Dayprog, static_cast<int>(*m));
    } else if (sub == "/DATE") {
        int d = 0, mo = 0, y = 0;
        std::optional<caltime::Time> t;
        if (caltime::ParseDeviceDate(LastWord(value), d, mo, y))
            t = caltime::Make(y, mo, d);
        if (t)
            item->SetParam(CHoliday::Date, *t);
        else
            ReportUnread(*item, StrFormat("/CAL/HOLIDAY%d", n), sub, value, diffFile);
    } else if (sub == "/NAME") {
        item->TakeDeviceName(value, diffFile, StrFormat("/CAL/HOLIDAY%d/NAME", n));
    }
}
