// Appointments, holidays and day programmes: their values, lines and file data.
#include <gtest/gtest.h>

#include "calendar/CAppoint.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "platform/Cp1252.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"

using namespace blocktest;

namespace {
template <class T>
T* MakeItem(CQuillomerDoc* doc, int number, const std::string& name)
{
    auto* item = new T;
    EXPECT_EQ(1, item->Create(T::kKindId, name, number, CAT_CALENDAR, doc));
    doc->AddObject(item, CAT_CALENDAR);
    return item;
}

std::vector<std::string> Lines(const CAppoint& a)
{
    std::vector<std::string> l;
    a.GetDownloadLines(l);
    return l;
}
}  // namespace

TEST(Appoint, WritesFunctionMacroTimeAndDate)
{
    ActiveDoc d;
    auto* a = MakeItem<CAppoint>(d.get(), 3, "Morgens");
    EXPECT_EQ(std::vector<std::string>{"/FUNCTION OFF"}, Lines(*a));
    a->SetParam(CAppoint::Function, IDS_CALFN_DAILY);
    a->SetParam(CAppoint::Date, *caltime::Make(2001, 3, 1, 6, 30, 0));
    a->SetParam(CAppoint::Macro, 12);
    const std::vector<std::string> daily = {"/FUNCTION DAILY", "/MACRO 12", "/TIME 06:30:00", "/DATE 01.03.2001"};
    EXPECT_EQ(daily, Lines(*a));

    // The missing macro was made as a placeholder of no type.
    CBaseDevice* macro = d.doc().GetIDManager().GetBaseDevice(12, OT_MACRO);
    ASSERT_NE(nullptr, macro);
    EXPECT_EQ("12 *", macro->GetName());
    EXPECT_EQ(IDS_CAL_NO_MACRO_TYPE, macro->GetKindId());
    EXPECT_EQ(CAT_MACRO, macro->GetCategory());
    EXPECT_EQ("12 *", a->GetParamText(CAppoint::Macro));

    // A keyword the program does not know travels back unchanged but lists as "OFF".
    a->SetParamText(CAppoint::Function, "FORTNIGHTLY");
    EXPECT_EQ("/FUNCTION FORTNIGHTLY", Lines(*a)[0]);
    EXPECT_EQ(4u, Lines(*a).size());
    EXPECT_EQ("OFF", a->GetParamText(CAppoint::Function));
    EXPECT_EQ(static_cast<int32_t>(IDS_CALFN_OFF), a->GetParam(CAppoint::Function));

    a->SetParam(CAppoint::Macro, 0);
    EXPECT_TRUE(a->m_outLinks.empty());
    EXPECT_TRUE(macro->m_inLinks.empty());
    EXPECT_EQ("/MACRO 0", Lines(*a)[1]);
}

// A macro number read back makes a placeholder only within the macros the
// project's device holds (80 on the standard device).
TEST(Appoint, MacroBeyondTheDeviceMakesNoPlaceholder)
{
    ActiveDoc d;
    d.doc().m_data.deviceVariant = 0;
    auto* a = MakeItem<CAppoint>(d.get(), 3, "Morgens");
    a->SetParam(CAppoint::Macro, 81);
    EXPECT_EQ(0, d.doc().GetIDManager().GetCount(OT_MACRO));
    EXPECT_EQ(0, a->GetParam(CAppoint::Macro));
    a->SetParam(CAppoint::Macro, 80);
    EXPECT_EQ(80, a->GetParam(CAppoint::Macro));
    d.doc().m_data.deviceVariant = 1;
    a->SetParam(CAppoint::Macro, 81);
    EXPECT_EQ(81, a->GetParam(CAppoint::Macro));
}

TEST(Appoint, FileKeepsTheTimeAndOldFilesReadTexts)
{
    ActiveDoc d;
    CAppoint a;
    a.m_time = *caltime::Make(2003, 7, 14, 22, 15, 5);
    a.m_function = "WEEKLY";
    auto back = LoadTagged("CAppoint", 3, StoreData(a));
    auto* b = dynamic_cast<CAppoint*>(back.get());
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(a.m_time, b->m_time);
    EXPECT_EQ("WEEKLY", b->m_function);

    Bytes old = StoreCommon(a);
    PutText(old, "1.3.1999");
    PutText(old, "6:5:0");
    PutText(old, "ONETIME");
    auto older = LoadTagged("CAppoint", 2, old);
    EXPECT_EQ(*caltime::Make(1999, 3, 1, 6, 5, 0), dynamic_cast<CAppoint*>(older.get())->m_time);
    EXPECT_EQ("ONETIME", dynamic_cast<CAppoint*>(older.get())->m_function);
}

TEST(Holiday, WritesItsLinesAndKeepsThePeriodLengthToItself)
{
    ActiveDoc d;
    auto* h = MakeItem<CHoliday>(d.get(), 1, "Heiligabend");
    std::vector<std::string> lines;
    h->GetDownloadLines(lines);
    EXPECT_EQ(std::vector<std::string>{"/FUNCTION OFF"}, lines);

    h->SetParam(CHoliday::Function, IDS_CALFN_ONETIME);
    EXPECT_EQ(0, h->GetParam(CHoliday::DayCount));
    EXPECT_EQ("", h->GetParamText(CHoliday::DayCount));
    h->SetParam(CHoliday::Date, *caltime::Make(2001, 12, 24));
    h->SetParam(CHoliday::Dayprog, 2);
    h->GetDownloadLines(lines);
    const std::vector<std::string> expected = {"/FUNCTION ONETIME", "/DAYPROG 2", "/DATE 24.12.2001",
                                               "/NAME Heiligabend"};
    EXPECT_EQ(expected, lines);
    CBaseDevice* dp = d.doc().GetIDManager().GetBaseDevice(2, OT_DAYPROG);
    ASSERT_NE(nullptr, dp);
    EXPECT_EQ("2 *", dp->GetName());

    h->SetParam(CHoliday::DayCount, 0);
    EXPECT_EQ(1, h->m_dayCount);
    h->SetParam(CHoliday::DayCount, 300);
    EXPECT_EQ(252, h->m_dayCount);
    h->SetParam(CHoliday::DayCount, 7);
    EXPECT_EQ(*caltime::Make(2001, 12, 31), h->PeriodEnd());

    h->SetParamText(CHoliday::Function, "WEEKLY");
    EXPECT_EQ("Zeitraum", h->GetParamText(CHoliday::Function));
    h->GetDownloadLines(lines);
    EXPECT_EQ("/FUNCTION WEEKLY", lines[0]);
    h->SetParam(CHoliday::Function, IDS_CALFN_PERIOD);
    h->GetDownloadLines(lines);
    EXPECT_EQ("/FUNCTION ", lines[0]);
}

TEST(Holiday, FileDayCountIsKeptWithinItsRange)
{
    CHoliday h;
    h.m_dayCount = 9;
    Bytes data = StoreData(h);
    auto back = LoadTagged("CHoliday", 4, data);
    EXPECT_EQ(9, dynamic_cast<CHoliday*>(back.get())->m_dayCount);

    Bytes own = StoreCommon(h);
    PutI32(own, h.m_time);
    PutText(own, "ANNUAL");
    Bytes negative = own;
    PutI32(negative, -5);
    EXPECT_EQ(0, dynamic_cast<CHoliday*>(LoadTagged("CHoliday", 4, negative).get())->m_dayCount);
    // Schema 3 has no day count: the default stays.
    EXPECT_EQ(1, dynamic_cast<CHoliday*>(LoadTagged("CHoliday", 3, own).get())->m_dayCount);
}

TEST(Dayprog, WritesEveryEntryTheDeviceUses)
{
    ActiveDoc d;
    d.doc().m_data.deviceVariant = 0;
    auto* dp = MakeItem<CDayprog>(d.get(), 1, "Werktag");
    std::vector<std::string> lines;
    EXPECT_EQ(41, dp->GetDownloadLines(lines));
    EXPECT_EQ("/NAME Werktag", lines[0]);
    EXPECT_EQ("/ENTRY1/TIME OFF", lines[1]);
    EXPECT_EQ("/ENTRY40/TIME OFF", lines[40]);
    EXPECT_EQ("", dp->GetEntryText(CDayprog::Code(0, CDayprog::EntriesInUse)));

    dp->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(7, 5, 0));
    dp->SetEntryParam(CDayprog::Code(1, CDayprog::EntryMacro), 12);
    dp->GetDownloadLines(lines);
    EXPECT_EQ("/ENTRY1/TIME 07:05:00", lines[1]);
    EXPECT_EQ("/ENTRY1/MACRO 12", lines[2]);
    EXPECT_EQ("1", dp->GetEntryText(CDayprog::Code(0, CDayprog::EntriesInUse)));

    // Entry numbers outside 1..count are ignored.
    dp->SetEntryParam(CDayprog::Code(41, CDayprog::EntryTime), caltime::OnEntryDay(8, 0, 0));
    dp->SetEntryParam(CDayprog::Code(0, CDayprog::EntryMacro), 12);
    dp->SetEntryParam(CDayprog::Code(0, CDayprog::DeleteEntry), 0);
    EXPECT_FALSE(dp->IsEntrySet(40));
    EXPECT_EQ(1u, dp->m_outLinks.size());

    // Adding fills the first free entry; a full programme takes no more.
    dp->SetEntryParam(CDayprog::Code(0, CDayprog::AddEntry), 0);
    EXPECT_EQ(caltime::EntryDay(), dp->m_entries[1]);
    for (int i = 0; i < 40; ++i)
        dp->SetEntryParam(CDayprog::Code(0, CDayprog::AddEntry), 0);
    EXPECT_FALSE(dp->IsEntrySet(40));
    dp->SetEntryParam(CDayprog::Code(0, CDayprog::DeleteEntry), 1);
    EXPECT_FALSE(dp->IsEntrySet(0));
    EXPECT_TRUE(dp->m_outLinks.empty());

    // The upgraded device uses all 100; entries beyond 40 kept in a standard project return.
    dp->m_entries[70] = caltime::OnEntryDay(12, 0, 0);
    d.doc().m_data.deviceVariant = 1;
    EXPECT_EQ(1 + 100 + 40, dp->GetDownloadLines(lines));
    EXPECT_EQ("/ENTRY71/TIME 12:00:00", lines[1 + 39 * 2 + 30 + 1]);
}

TEST(Dayprog, OldestFilesReadOffAsUnsetAndKeepTimesValid)
{
    ActiveDoc d;
    CDayprog dp;
    Bytes old = StoreCommon(dp);
    PutText(old, "OFF");
    PutText(old, "23:59:59");
    PutText(old, "25:70:99");
    for (int i = 3; i < 40; ++i)
        PutText(old, "06:00:00");
    auto back = LoadTagged("CDayprog", 1, old);
    auto* b = dynamic_cast<CDayprog*>(back.get());
    ASSERT_NE(nullptr, b);
    EXPECT_FALSE(b->IsEntrySet(0));
    EXPECT_EQ(caltime::OnEntryDay(23, 59, 59), b->m_entries[1]);
    EXPECT_EQ(caltime::OnEntryDay(23, 59, 59), b->m_entries[2]);
    EXPECT_EQ(caltime::OnEntryDay(6, 0, 3), b->m_entries[3]);

    dp.m_entries[99] = caltime::OnEntryDay(1, 2, 3);
    auto now = LoadTagged("CDayprog", 3, StoreData(dp));
    EXPECT_EQ(dp.m_entries[99], dynamic_cast<CDayprog*>(now.get())->m_entries[99]);
}

// A day programme's and a holiday's name goes to the device in the
// calendar block: the text rule decides which names they take. A name taken
// is saved, read back and sent byte for byte as Windows-1252 as it is shown;
// a refused one leaves the object, the project file and the line as they were.
TEST(CalendarNames, TheTextRuleDecidesWhatIsSavedReadBackAndSent)
{
    const struct {
        const char* name;
        const char* sent;  // the line, as Windows-1252
    } rows[] = {
        {"Ω", "/NAME Werktag"},        {"Früh 漢", "/NAME Werktag"},
        {"?", "/NAME Werktag"},        {"Ferien ?", "/NAME Werktag"},
        {"äöüß€é", "/NAME \xE4\xF6\xFC\xDF\x80\xE9"}, {"Früh? ‚Nord‘", "/NAME Fr\xFCh? \x82Nord\x91"},
    };
    MessageLog messages;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ActiveDoc d;
        auto* dp = MakeItem<CDayprog>(d.get(), 1, "Werktag");
        const std::vector<uint8_t> before = d.doc().SaveToBytes();
        messages.texts.clear();
        const bool taken = dp->SetNameChecked(row.name, true) == 1;
        EXPECT_EQ(taken ? 0u : 1u, messages.texts.size());
        EXPECT_TRUE(taken || d.doc().SaveToBytes() == before);
        CQuillomerDoc reopened;
        ASSERT_TRUE(reopened.LoadFromBytes(d.doc().SaveToBytes()));
        const CBaseDevice* read = reopened.GetIDManager().GetBaseDevice(1, OT_DAYPROG);
        ASSERT_NE(nullptr, read);
        EXPECT_EQ(dp->GetName(), read->GetName());
        std::vector<std::string> lines;
        dp->GetDownloadLines(lines);
        EXPECT_EQ(row.sent, Utf8ToCp1252(lines[0]));
    }
}
