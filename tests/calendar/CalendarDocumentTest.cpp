#include <gtest/gtest.h>

#include "calendar/CCalObject.h"
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
