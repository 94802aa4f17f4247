#include <gtest/gtest.h>

#include <cstdio>

#include "calendar/CCalObject.h"
#include "calendar/CClock.h"
#include "calendar/CTimer.h"
#include "calendar/IClockAnswerSink.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
struct RecordingSink : IClockAnswerSink {
    void OnClockAnswer(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

CClock* MakeClock(CQuillomerDoc* doc)
{
    auto* clock = new CClock;
    EXPECT_EQ(1, clock->Create(CClock::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_CALENDAR, 0, 3, doc));
    doc->AddObject(clock, CAT_CALENDAR);
    return clock;
}
}  // namespace

TEST(Clock, StoresInvertAndRunTexts)
{
    CClock clock;
    clock.m_invert = "ON";
    Bytes own;
    PutText(own, "ON");
    PutText(own, "OFF");
    EXPECT_EQ(own, StoreOwnData(clock));
    auto loaded = LoadTagged("CClock", 1, StoreData(clock));
    auto* back = dynamic_cast<CClock*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ("ON", back->m_invert);
    EXPECT_EQ("OFF", back->m_run);
}

TEST(Clock, DownloadAndQueryLines)
{
    ActiveDoc d;
    RecordingSender sender;
    CClock* clock = MakeClock(d.get());
    EXPECT_EQ("/CLOCK", clock->GetPath());
    ASSERT_EQ(2, clock->GetDownloadLines(0, -1));
    EXPECT_EQ(1, clock->GetDownloadLines(0, 0));
    EXPECT_EQ(2, clock->GetDownloadLines(0, 1));
    EXPECT_EQ(1, clock->GetDownloadLines(1, 0));
    EXPECT_EQ(2, clock->GetDownloadLines(1, 1));
    const std::vector<std::string> expected = {"/CLOCK/SLAVE/INVERT OFF", "/CLOCK/SLAVE/RUN OFF",
                                               "/CLOCK/SLAVE/INVERT ?", "/CLOCK/SLAVE/RUN ?"};
    EXPECT_EQ(expected, sender.lines);
    sender.outBufferCount = 512;
    EXPECT_EQ(0, clock->GetDownloadLines(0, 0));
    EXPECT_EQ(2, clock->GetDownloadLines(0, 2));
    EXPECT_EQ(4u, sender.lines.size());
}

TEST(Clock, AnswersAreStoredInAnyStateAndHandedToTheWindow)
{
    CClock clock;
    RecordingSink sink;
    clock.ParseUploadLines("CLOCK/SLAVE/RUN ON", "", linkstate::Online);
    EXPECT_EQ("ON", clock.m_run);

    clock.SetAnswerSink(&sink);
    clock.ParseUploadLines("CLOCK/SLAVE/INVERT ?", "", linkstate::Upload);
    EXPECT_EQ("OFF", clock.m_invert);
    EXPECT_TRUE(sink.lines.empty());
    clock.ParseUploadLines("CLOCK/MAIN/TIME 12:00:00", "", linkstate::Online);
    clock.ParseUploadLines("CLOCK/SLAVE/INVERT ON", "", linkstate::BlockRequest);
    EXPECT_EQ("ON", clock.m_invert);
    EXPECT_EQ("ON", clock.m_run);
    const std::vector<std::string> expected = {"CLOCK/MAIN/TIME 12:00:00", "CLOCK/SLAVE/INVERT ON"};
    EXPECT_EQ(expected, sink.lines);
    clock.SetAnswerSink(nullptr);
    clock.ParseUploadLines("CLOCK/DCF/RECEIVE ON", "", linkstate::Online);
    EXPECT_EQ(2u, sink.lines.size());
    // A state that is no state, polled by the clock window: kept, and the
    // difference file of the last upload is left alone.
    const std::string lastUpload = testing::TempDir() + "clock-last-upload.err";
    std::remove(lastUpload.c_str());
    clock.ParseUploadLines("CLOCK/SLAVE/RUN 1.5", lastUpload, linkstate::Online);
    EXPECT_EQ("ON", clock.m_run);
    EXPECT_EQ(nullptr, std::fopen(lastUpload.c_str(), "rb"));
}

TEST(Timer, StoresItsTextsAndOpensTheClockDialog)
{
    CTimer timer;
    EXPECT_EQ(0u, timer.GetType());
    timer.m_text = "Uhr 1";
    timer.m_value = 7;
    Bytes own;
    for (const char* t : {"00:00", "00:00", "00:00", "00.00.0000", "Uhr 1"})
        PutText(own, t);
    PutI32(own, 7);
    EXPECT_EQ(own, StoreOwnData(timer));
    auto loaded = LoadTagged("CTimer", 1, StoreData(timer));
    auto* back = dynamic_cast<CTimer*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ("Uhr 1", back->m_text);
    EXPECT_EQ(7, back->m_value);

    CCmdUI props(objcmd::Properties);
    timer.OnUpdateCommand(props);
    EXPECT_TRUE(props.m_enabled);
    CCmdUI del(objcmd::Delete);
    timer.OnUpdateCommand(del);
    EXPECT_FALSE(del.m_enabled);

    static int opened = 0;
    opened = 0;
    auto previous = CTimer::SetClockDialogRunner([](CTimer*) { ++opened; return false; });
    timer.OnCommand(objcmd::Properties);
    timer.OnCommand(objcmd::Delete);  // the clock symbol is not deleted this way
    EXPECT_EQ(1, opened);
    CTimer::SetClockDialogRunner(previous);
}

TEST(CalObject, StoresOnlyTheCommonPartAndIsNamedAfterLoading)
{
    CCalObject cal;
    EXPECT_EQ(static_cast<uint32_t>(OT_CAL_OBJECT), cal.GetType());
    EXPECT_TRUE(StoreOwnData(cal).empty());
    cal.SetName("x");
    auto loaded = LoadTagged("CCalObject", 0, StoreData(cal));
    ASSERT_NE(nullptr, dynamic_cast<CCalObject*>(loaded.get()));
    EXPECT_EQ("x", loaded->GetName());
    EXPECT_EQ(1, loaded->PostLoad());
    EXPECT_EQ("Kalender", loaded->GetName());
    // In the language in use: the user cannot name the block.
    auto english = LoadTagged("CCalObject", 0, StoreData(cal));
    const StringTranslator previous =
        SetStringTranslator([](uint32_t, const std::string& german) { return "English " + german; });
    EXPECT_EQ(1, english->PostLoad());
    SetStringTranslator(previous);
    EXPECT_EQ("English Kalender", english->GetName());
}

TEST(Timer, LoadedSymbolLeavesTheClockPathAndTheDirectoryAlone)
{
    ActiveDoc d;
    auto* clock = new CClock;
    ASSERT_EQ(1, clock->Create(CClock::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_CALENDAR, 0, 3, d.get()));
    d.doc().AddObject(clock, CAT_CALENDAR);

    int messages = 0;
    auto previous = SetMessageHandler([&](const std::string&, uint32_t) { ++messages; return mb::IdOk; });
    CTimer proto;
    proto.m_kindId = 33011;  // "Uhr"
    proto.m_category = CAT_CALENDAR;
    proto.m_inputCount = 1;
    proto.m_outputCount = 1;
    proto.SetRect(100, 100, 200, 150);
    proto.m_number = 1;
    auto loaded = LoadTagged("CTimer", 1, StoreData(proto), d.get());
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(1, loaded->InitObject());
    SetMessageHandler(previous);

    EXPECT_EQ(0, messages);
    EXPECT_EQ(clock, d.doc().LookupPath("/CLOCK"));
    EXPECT_EQ(1u, d.doc().GetPathMap().count("/CLOCK"));
    EXPECT_EQ("", loaded->GetPath());
    ASSERT_EQ(1u, loaded->m_inputPoints.size());
    EXPECT_EQ(CPoint(99, 125), loaded->m_inputPoints[0]);
    EXPECT_EQ(CPoint(200, 125), loaded->m_outputPoints[0]);
    loaded.reset();
    EXPECT_EQ(clock, d.doc().GetIDManager().GetBaseDevice(1, OT_CLOCK));
}
