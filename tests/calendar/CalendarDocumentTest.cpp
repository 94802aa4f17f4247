#include <gtest/gtest.h>

#include "calendar/CAppoint.h"
#include "calendar/CCalObject.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "calendar/CClock.h"
#include "calendar/CTimer.h"
#include "calendar/CWeek.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

TEST(CalendarDocument, NewProjectHoldsTheCalendarObjectsAndTheFileKeepsThem)
{
    Bytes file;
    {
        ActiveDoc d;
        ASSERT_TRUE(d.doc().OnNewDocument());
        CIDManager& dir = d.doc().GetIDManager();
        auto* cal = dynamic_cast<CCalObject*>(dir.GetBaseDevice(1, OT_CAL_OBJECT));
        auto* week = dynamic_cast<CWeek*>(dir.GetBaseDevice(1, OT_WEEK));
        auto* clock = dynamic_cast<CClock*>(dir.GetBaseDevice(1, OT_CLOCK));
        ASSERT_NE(nullptr, cal);
        ASSERT_NE(nullptr, week);
        ASSERT_NE(nullptr, clock);
        EXPECT_EQ(CAT_AUDIO, cal->GetCategory());
        EXPECT_EQ(CAT_CALENDAR, week->GetCategory());
        EXPECT_EQ(CAT_CALENDAR, clock->GetCategory());
        EXPECT_EQ(cal, d.doc().LookupPath("/CAL"));
        EXPECT_EQ(week, d.doc().LookupPath("/CAL/WEEK"));
        EXPECT_EQ(clock, d.doc().LookupPath("/CLOCK"));
        clock->m_run = "ON";
        week->m_words[3] = 9;
        file = d.doc().SaveToBytes();
    }
    ActiveDoc d;
    ASSERT_TRUE(d.doc().LoadFromBytes(file));
    CIDManager& dir = d.doc().GetIDManager();
    auto* cal = dynamic_cast<CCalObject*>(dir.GetBaseDevice(1, OT_CAL_OBJECT));
    auto* week = dynamic_cast<CWeek*>(dir.GetBaseDevice(1, OT_WEEK));
    auto* clock = dynamic_cast<CClock*>(dir.GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, cal);
    ASSERT_NE(nullptr, week);
    ASSERT_NE(nullptr, clock);
    EXPECT_EQ("Kalender", cal->GetName());
    EXPECT_EQ("ON", clock->m_run);
    EXPECT_EQ("OFF", clock->m_invert);
    EXPECT_EQ(9u, week->m_words[3]);
    EXPECT_EQ(cal, d.doc().LookupPath("/CAL"));
    EXPECT_EQ(week, d.doc().LookupPath("/CAL/WEEK"));
}

TEST(CalendarDocument, ClassTagsCarryTheFileSchemas)
{
    EXPECT_EQ(0, CCalObject::classInfo.schema);
    EXPECT_EQ(1, CWeek::classInfo.schema);
    EXPECT_EQ(1, CClock::classInfo.schema);
    EXPECT_EQ(1, CTimer::classInfo.schema);
    EXPECT_EQ(&CWeek::classInfo, CClassRegistry::Find("CWeek"));
    EXPECT_EQ(51u, CCalObject().GetType());
    EXPECT_EQ(22u, CWeek().GetType());
    EXPECT_EQ(31u, CClock().GetType());
}

TEST(CalendarDocument, ProjectWithAppointmentsHolidaysAndDayProgrammesOpens)
{
    Bytes file;
    {
        ActiveDoc d;
        ASSERT_TRUE(d.doc().OnNewDocument());
        auto* dp = new CDayprog;
        ASSERT_EQ(1, dp->Create(CDayprog::kKindId, "Werktag", 3, CAT_CALENDAR, d.get()));
        d.doc().AddObject(dp, CAT_CALENDAR);
        dp->SetEntryParam(CDayprog::Code(2, CDayprog::EntryTime), caltime::OnEntryDay(7, 30, 0));
        dp->SetEntryParam(CDayprog::Code(2, CDayprog::EntryMacro), 5);
        auto* a = new CAppoint;
        ASSERT_EQ(1, a->Create(CAppoint::kKindId, "Pause", 1, CAT_CALENDAR, d.get()));
        d.doc().AddObject(a, CAT_CALENDAR);
        a->m_function = "DAILY";
        a->SetParam(CAppoint::Macro, 5);
        auto* h = new CHoliday;
        ASSERT_EQ(1, h->Create(CHoliday::kKindId, "Neujahr", 2, CAT_CALENDAR, d.get()));
        d.doc().AddObject(h, CAT_CALENDAR);
        h->m_function = "ANNUAL";
        h->SetParam(CHoliday::Dayprog, 3);
        file = d.doc().SaveToBytes();
    }
    ActiveDoc d;
    ASSERT_TRUE(d.doc().LoadFromBytes(file));
    CIDManager& dir = d.doc().GetIDManager();
    auto* dp = dynamic_cast<CDayprog*>(dir.GetBaseDevice(3, OT_DAYPROG));
    auto* a = dynamic_cast<CAppoint*>(dir.GetBaseDevice(1, OT_APPOINT));
    auto* h = dynamic_cast<CHoliday*>(dir.GetBaseDevice(2, OT_HOLIDAY));
    ASSERT_NE(nullptr, dp);
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(caltime::OnEntryDay(7, 30, 0), dp->m_entries[1]);
    EXPECT_EQ(5, dp->GetEntryParam(CDayprog::Code(1, CDayprog::EntryMacro)));
    EXPECT_EQ("DAILY", a->m_function);
    EXPECT_EQ("5 *", a->GetParamText(CAppoint::Macro));
    EXPECT_EQ("Werktag", h->GetParamText(CHoliday::Dayprog));
}
