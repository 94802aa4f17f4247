#include <gtest/gtest.h>

#include "calendar/CWeek.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
// A stand-in day programme: only its type code matters to the week.
class TestDayprog : public CBaseDevice {
public:
    TestDayprog() { m_type = OT_DAYPROG; }
};

CWeek* MakeWeek(CQuillomerDoc* doc)
{
    auto* week = new CWeek;
    EXPECT_EQ(1, week->Create(CWeek::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_CALENDAR, 0, 3, doc));
    doc->AddObject(week, CAT_CALENDAR);
    return week;
}

TestDayprog* MakeDayprog(CQuillomerDoc* doc, int number, const std::string& name)
{
    auto* dp = new TestDayprog;
    EXPECT_EQ(1, dp->Create(CWeek::kDayprogKindId, name, number, CAT_CALENDAR, doc));
    doc->AddObject(dp, CAT_CALENDAR);
    return dp;
}
}  // namespace

TEST(Week, StoresSevenWords)
{
    CWeek week;
    week.m_words[0] = 5;
    week.m_words[6] = 0xFFFFFFFF;
    Bytes own;
    for (uint32_t w : week.m_words)
        PutU32(own, w);
    EXPECT_EQ(28u, own.size());
    EXPECT_EQ(own, StoreOwnData(week));
    auto loaded = LoadTagged("CWeek", 1, StoreData(week));
    auto* back = dynamic_cast<CWeek*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(5u, back->m_words[0]);
    EXPECT_EQ(0xFFFFFFFFu, back->m_words[6]);
}

TEST(Week, NewWeekDownloadsZeroForEveryDay)
{
    ActiveDoc d;
    RecordingSender sender;
    CWeek* week = MakeWeek(d.get());
    EXPECT_EQ("/CAL/WEEK", week->GetPath());
    ASSERT_EQ(7, week->GetDownloadLines(0, -1));
    for (int step = 0; step < 7; ++step)
        EXPECT_EQ(step + 1, week->GetDownloadLines(0, step));
    const std::vector<std::string> expected = {"/CAL/WEEK/MO 0", "/CAL/WEEK/TU 0", "/CAL/WEEK/WE 0", "/CAL/WEEK/TH 0",
                                               "/CAL/WEEK/FR 0", "/CAL/WEEK/SA 0", "/CAL/WEEK/SU 0"};
    EXPECT_EQ(expected, sender.lines);
    sender.outBufferCount = 700;
    EXPECT_EQ(3, week->GetDownloadLines(0, 3));
    EXPECT_EQ(7u, sender.lines.size());
}

TEST(Week, SetDayLinksDownloadsAndLists)
{
    ActiveDoc d;
    RecordingSender sender;
    CWeek* week = MakeWeek(d.get());
    TestDayprog* four = MakeDayprog(d.get(), 4, "Feiertag");
    week->SetDay(6, 4);
    EXPECT_EQ(4, week->GetLinkedNumber(6));
    ASSERT_NE(nullptr, four->GetInLinkAtKey(0));
    EXPECT_EQ(week, four->GetInLinkAtKey(0)->partner);
    EXPECT_EQ(6, four->GetInLinkAtKey(0)->partnerKey);

    week->GetDownloadLines(0, 6);
    week->GetDownloadLines(1, 1);
    const std::vector<std::string> expected = {"/CAL/WEEK/SU 4", "/CAL/WEEK/TU ?"};
    EXPECT_EQ(expected, sender.lines);

    std::vector<std::string> texts;
    EXPECT_EQ(2, week->GetListTexts(1, texts));
    EXPECT_EQ("Wochentag", texts[0]);
    EXPECT_EQ("Tagesprogramm", texts[1]);
    texts.clear();
    EXPECT_EQ(14, week->GetListTexts(0, texts));
    EXPECT_EQ("Montag", texts[0]);
    EXPECT_EQ("", texts[1]);
    EXPECT_EQ("Sonntag", texts[12]);
    EXPECT_EQ("Feiertag", texts[13]);

    week->SetDay(6, 0);
    EXPECT_EQ(0, week->GetLinkedNumber(6));
    EXPECT_EQ(nullptr, four->GetInLinkAtKey(0));
    week->SetDay(7, 4);
    week->SetDay(-1, 4);
    EXPECT_TRUE(week->m_outLinks.empty());
}

TEST(Week, UploadAnswers)
{
    ActiveDoc d;
    CWeek* week = MakeWeek(d.get());
    MakeDayprog(d.get(), 2, "Werktag");
    MakeDayprog(d.get(), 3, "Wochenende");
    week->ParseUploadLines("CAL/WEEK/MO 2", "", linkstate::Online);
    EXPECT_EQ(0, week->GetLinkedNumber(0));
    week->ParseUploadLines("CAL/WEEK/MO ?", "", linkstate::Upload);
    EXPECT_EQ(0, week->GetLinkedNumber(0));
    week->ParseUploadLines("CAL/WEEK/MO 2", "", linkstate::Upload);
    EXPECT_EQ(2, week->GetLinkedNumber(0));
    EXPECT_EQ("Werktag", week->GetLinkedName(0));
    week->ParseUploadLines("CAL/WEEK/MO 3", "", linkstate::Upload);
    EXPECT_EQ(3, week->GetLinkedNumber(0));
    ASSERT_EQ(1u, week->m_outLinks.size());
    // "OFF" carries no number: the weekday stays as it is.
    week->ParseUploadLines("CAL/WEEK/MO OFF", "", linkstate::Upload);
    EXPECT_EQ(3, week->GetLinkedNumber(0));
    week->ParseUploadLines("CAL/WEEK/MO 0", "", linkstate::Upload);
    EXPECT_EQ(0, week->GetLinkedNumber(0));
    week->ParseUploadLines("CAL/WEEK/XX 2", "", linkstate::Upload);
    EXPECT_TRUE(week->m_outLinks.empty());
}

TEST(Week, MissingDayProgrammeGetsAPlaceholder)
{
    ActiveDoc d;
    CWeek* week = MakeWeek(d.get());
    week->ParseUploadLines("CAL/WEEK/MO 5", "", linkstate::Upload);
    CBaseDevice* dp = d.doc().GetIDManager().GetBaseDevice(5, OT_DAYPROG);
    ASSERT_NE(nullptr, dp);
    EXPECT_EQ("5 *", dp->GetName());
    EXPECT_EQ(CAT_CALENDAR, dp->GetCategory());
    EXPECT_EQ(5, week->GetLinkedNumber(0));
    // A number beyond the directory's range makes nothing.
    week->SetDay(1, 500);
    EXPECT_EQ(0, week->GetLinkedNumber(1));
}
