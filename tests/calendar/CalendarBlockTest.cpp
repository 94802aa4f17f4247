// The calendar block "/CAL": its step machine and the answers it takes.
#include <gtest/gtest.h>

#include "calendar/CAppoint.h"
#include "calendar/CCalObject.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
class Block : public ::testing::Test {
protected:
    void SetUp() override
    {
        d.doc().m_data.deviceVariant = 0;  // 20 appointments, 10 day programmes, 20 holidays
        cal = new CCalObject;
        ASSERT_EQ(1, cal->Create(CCalObject::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 0, d.get()));
        d.doc().AddObject(cal, CAT_AUDIO);
    }
    template <class T>
    T* Add(int number)
    {
        auto* item = new T;
        EXPECT_EQ(1, item->Create(T::kKindId, StrFormat("Item %d", number), number, CAT_CALENDAR, d.get()));
        d.doc().AddObject(item, CAT_CALENDAR);
        return item;
    }
    // Runs the machine from `from` until it reaches `end` (or stops moving for long).
    void Run(int mode, int reset, int from = 0, int end = CCalObject::kStepCount)
    {
        ASSERT_EQ(CCalObject::kStepCount, cal->GetDownloadLines(mode, reset));
        int step = from, same = 0;
        while (step < end && same < 500) {
            const int next = cal->GetDownloadLines(mode, step);
            same = next == step ? same + 1 : 0;
            step = next;
        }
        last = step;
    }
    CBaseDevice* Find(uint32_t type, int n) { return d.doc().GetIDManager().GetBaseDevice(n, type); }

    ActiveDoc d;
    ProfileHost profile;
    RecordingSender sender;
    CCalObject* cal = nullptr;
    int last = 0;
};
}  // namespace

TEST_F(Block, AppointmentPartWithTheCapabilityWritesOnlyWhatExists)
{
    profile.Set("CAL_CLR", 1);
    CAppoint* two = Add<CAppoint>(2);
    two->SetParam(CAppoint::Function, IDS_CALFN_DAILY);
    two->SetParam(CAppoint::Date, *caltime::Make(2001, 3, 1, 6, 30, 0));
    two->SetParam(CAppoint::Macro, 12);
    Add<CAppoint>(5);
    Add<CHoliday>(1);  // not part of an appointment transfer
    Run(0, CCalObject::ResetAppointments, 0, CCalObject::kDayprogStep);
    const std::vector<std::string> expected = {
        "/CAL/CLEAR/APPOINT ALL",     "/CAL/APPOINT2/FUNCTION DAILY", "/CAL/APPOINT2/MACRO 12",
        "/CAL/APPOINT2/TIME 06:30:00", "/CAL/APPOINT2/DATE 01.03.2001", "/CAL/APPOINT5/FUNCTION OFF"};
    EXPECT_EQ(expected, sender.lines);
    EXPECT_EQ(CCalObject::kDayprogStep, last);
    // The later parts are off: they send nothing and hand the step on.
    EXPECT_EQ(2, cal->GetDownloadLines(0, 1));
    EXPECT_EQ(CCalObject::kHolidayStep, cal->GetDownloadLines(0, CCalObject::kDayprogStep));
    for (bool shorten : sender.shortenFlags)
        EXPECT_TRUE(shorten);
}

TEST_F(Block, WithoutTheCapabilityEveryMissingNumberIsSwitchedOff)
{
    Add<CAppoint>(2);
    Run(0, CCalObject::ResetAll);
    ASSERT_EQ(3 + 20 + 10 * 40 + 20, static_cast<int>(sender.lines.size()));
    EXPECT_EQ("/CAL/CLEAR/APPOINT ALL", sender.lines[0]);
    EXPECT_EQ("/CAL/CLEAR/DAYPROG ALL", sender.lines[1]);
    EXPECT_EQ("/CAL/CLEAR/HOLIDAY ALL", sender.lines[2]);
    EXPECT_EQ("/CAL/APPOINT1/FUNCTION OFF", sender.lines[3]);
    EXPECT_EQ("/CAL/APPOINT20/FUNCTION OFF", sender.lines[22]);
    EXPECT_EQ("/CAL/DAYPROG1/ENTRY1/TIME OFF", sender.lines[23]);
    EXPECT_EQ("/CAL/DAYPROG1/ENTRY40/TIME OFF", sender.lines[62]);
    EXPECT_EQ("/CAL/HOLIDAY20/FUNCTION OFF", sender.lines.back());
    EXPECT_EQ(CCalObject::kStepCount, last);
}

TEST_F(Block, FullOutputBufferHoldsTheStep)
{
    Add<CAppoint>(1);
    cal->GetDownloadLines(0, CCalObject::ResetAll);
    sender.outBufferCount = 512;
    EXPECT_EQ(CCalObject::kAppointStep, cal->GetDownloadLines(0, CCalObject::kAppointStep));
    EXPECT_TRUE(sender.lines.empty());
}

TEST_F(Block, UploadWaitsForTheLastClearAnswerAndThenAsksWhatItLeft)
{
    profile.Set("CAL_CLR", 1);
    Add<CAppoint>(3);
    Add<CAppoint>(7);
    ASSERT_EQ(CCalObject::kStepCount, cal->GetDownloadLines(1, CCalObject::ResetAll));
    EXPECT_EQ(1, cal->GetDownloadLines(1, 0));
    EXPECT_EQ(2, cal->GetDownloadLines(1, 1));
    EXPECT_EQ(2, cal->GetDownloadLines(1, 2));
    EXPECT_EQ(2, cal->GetDownloadLines(1, 2));  // waiting, nothing more sent
    const std::vector<std::string> queries = {"/CAL/CLEAR/APPOINT ?", "/CAL/CLEAR/DAYPROG ?", "/CAL/CLEAR/HOLIDAY ?"};
    EXPECT_EQ(queries, sender.lines);

    // Appointments 3 to 5 are free on the device, the rest are held.
    cal->ParseUploadLines("CAL/CLEAR/APPOINT 3-5", "", linkstate::Upload);
    EXPECT_EQ(nullptr, Find(OT_APPOINT, 3));
    EXPECT_EQ("1 *", Find(OT_APPOINT, 1)->GetName());
    EXPECT_EQ("Item 7", Find(OT_APPOINT, 7)->GetName());
    EXPECT_EQ("20 *", Find(OT_APPOINT, 20)->GetName());
    EXPECT_EQ(2, cal->GetDownloadLines(1, 2));  // the holiday answer is still awaited
    cal->ParseUploadLines("CAL/CLEAR/DAYPROG 1-10", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/CLEAR/HOLIDAY 1-2,4-20", "", linkstate::Upload);
    EXPECT_EQ(CCalObject::kAppointStep, cal->GetDownloadLines(1, 2));

    sender.lines.clear();
    Run(1, CCalObject::ResetAll, CCalObject::kAppointStep);
    EXPECT_EQ(17u * 4 + 4, sender.lines.size());  // 17 appointments and holiday 3
    EXPECT_EQ("/CAL/APPOINT1/FUNCTION ?", sender.lines[0]);
    EXPECT_EQ("/CAL/APPOINT1/TIME ?", sender.lines[3]);
    EXPECT_EQ("/CAL/HOLIDAY3/DATE ?", sender.lines.back());
}

TEST_F(Block, AnswersMakeChangeAndDeleteItems)
{
    cal->GetDownloadLines(1, CCalObject::ResetAll);
    cal->ParseUploadLines("CAL/APPOINT4/FUNCTION DAILY", "", linkstate::Upload);
    auto* a = dynamic_cast<CAppoint*>(Find(OT_APPOINT, 4));
    ASSERT_NE(nullptr, a);
    EXPECT_EQ("4 *", a->GetName());
    EXPECT_EQ(CAT_CALENDAR, a->GetCategory());
    EXPECT_EQ("DAILY", a->m_function);
    cal->ParseUploadLines("CAL/APPOINT4/MACRO 9", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/APPOINT4/DATE 24.12.2026", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/APPOINT4/TIME 18:05:30", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/APPOINT4/TIME 25:00:00", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/APPOINT4/DATE 31.02.2026", "", linkstate::Upload);
    EXPECT_EQ(*caltime::Make(2026, 12, 24, 18, 5, 30), a->m_time);
    EXPECT_EQ(9, a->GetParam(CAppoint::Macro));
    cal->ParseUploadLines("CAL/APPOINT4/FUNCTION ?", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/APPOINT4/FUNCTION OFF", "", linkstate::Online);
    ASSERT_EQ(a, Find(OT_APPOINT, 4));
    cal->ParseUploadLines("CAL/APPOINT4/FUNCTION OFF", "", linkstate::Upload);
    EXPECT_EQ(nullptr, Find(OT_APPOINT, 4));
    // Numbers beyond the project's capacity make nothing.
    cal->ParseUploadLines("CAL/APPOINT21/FUNCTION DAILY", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/APPOINT0/FUNCTION DAILY", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/APPOINT99999999/FUNCTION DAILY", "", linkstate::Upload);
    EXPECT_EQ(0, d.doc().GetIDManager().GetCount(OT_APPOINT));

    cal->ParseUploadLines("CAL/DAYPROG2/ENTRY3/TIME OFF", "", linkstate::Upload);
    EXPECT_EQ(nullptr, Find(OT_DAYPROG, 2));
    cal->ParseUploadLines("CAL/DAYPROG2/ENTRY3/TIME 07:15:00", "", linkstate::Upload);
    auto* dp = dynamic_cast<CDayprog*>(Find(OT_DAYPROG, 2));
    ASSERT_NE(nullptr, dp);
    EXPECT_EQ(caltime::OnEntryDay(7, 15, 0), dp->m_entries[2]);
    cal->ParseUploadLines("CAL/DAYPROG2/ENTRY3/MACRO 4", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/DAYPROG2/ENTRY41/TIME 08:00:00", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/DAYPROG2/NAME Sonntag", "", linkstate::Upload);
    EXPECT_EQ(4, dp->GetEntryParam(CDayprog::Code(2, CDayprog::EntryMacro)));
    EXPECT_FALSE(dp->IsEntrySet(40));
    EXPECT_EQ("Sonntag", dp->GetName());
    cal->ParseUploadLines("CAL/DAYPROG2/ENTRY3/TIME OFF", "", linkstate::Upload);
    EXPECT_FALSE(dp->IsEntrySet(2));

    cal->ParseUploadLines("CAL/HOLIDAY6/FUNCTION ANNUAL", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/HOLIDAY6/DAYPROG 2", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/HOLIDAY6/DATE Mo 03.10.2005", "", linkstate::Upload);
    cal->ParseUploadLines("CAL/HOLIDAY6/NAME Feiertag", "", linkstate::Upload);
    auto* h = dynamic_cast<CHoliday*>(Find(OT_HOLIDAY, 6));
    ASSERT_NE(nullptr, h);
    EXPECT_EQ("ANNUAL", h->m_function);
    EXPECT_EQ(dp, Find(OT_DAYPROG, h->GetParam(CHoliday::Dayprog)));
    EXPECT_EQ(*caltime::Make(2005, 10, 3), h->m_time);
    EXPECT_EQ("Feiertag", h->GetName());
}
