#include <gtest/gtest.h>

#include "ModelTestObjects.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"
#include "support/RecordingPainter.h"

namespace {

struct DrawingTest : ::testing::Test {
    MessageLog messages;
    ModelTestHost host;
    CQuillomerDoc doc;
    RecordingPainter dc;
};

TEST_F(DrawingTest, ZoneLineRunsStraightToTheChannelHeight)
{
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V", CRect(100, 100, 200, 180), 1, 2);
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z", CRect(300, 300, 360, 330));
    zone->m_linkMode = linkmode::DrawOutLinks;
    zone->LinkTo(0, amp, 1);
    zone->DrawLinks(dc, qlcolor::Black);
    // input point (299, 315); channel 1 output point (200, 160)
    EXPECT_TRUE(dc.Has("polyline 299,315 299,315 299,160 200,160"));
    EXPECT_EQ(zone->m_inputRoutes[0].pt[2], CPoint(299, 160));
    EXPECT_TRUE(dc.Has("pen 0,0,0 1"));
}

TEST_F(DrawingTest, LanesSeparateTheVerticalRuns)
{
    TestDevice* slot = MakeDevice(doc, OT_AUDIO_OUTPUT_SLOT, CAT_OUTPUT_SLOT, "Slot3", CRect(100, 100, 156, 240), 1, 2);
    TestDevice* a1 = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "A1", CRect(300, 100, 400, 140));
    TestDevice* a2 = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "A2", CRect(300, 200, 400, 240));
    for (TestDevice* a : {a1, a2}) {
        a->m_linkMode = linkmode::DrawOutLinks;
        a->LinkTo(0, slot, 0);
    }
    a2->m_lanes[0] = 1;
    a1->DrawLinks(dc, qlcolor::Black);
    a2->DrawLinks(dc, qlcolor::Black);
    EXPECT_EQ(a1->m_inputRoutes[0].pt[1].x, a1->m_inputPoints[0].x - 10);
    EXPECT_EQ(a2->m_inputRoutes[0].pt[1].x, a2->m_inputPoints[0].x - 25);
    EXPECT_EQ(a2->m_inputRoutes[0].pt[2], CPoint(274, slot->m_outputPoints[0].y));
}

TEST_F(DrawingTest, LongNameIsCutToTheSymbolWidth)
{
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Eine sehr lange Linienbezeichnung", CRect(0, 0, 100, 60));
    zone->m_symbolStyle = symstyle::BitmapAtTop;
    zone->Draw(dc);
    bool found = false;
    for (const std::string& c : dc.calls) {
        if (c.rfind("textout \"Eine", 0) == 0) {
            found = true;
            EXPECT_NE(c.find("...\""), std::string::npos) << c;
        }
    }
    EXPECT_TRUE(found);
    EXPECT_LE(zone->GetLabelRect().Width(), 90);
    EXPECT_TRUE(zone->HitTestLabel(zone->GetLabelRect().CenterPoint()));
}

TEST_F(DrawingTest, HoveredConnectorNameTurnsRed)
{
    TestDevice* slot = MakeDevice(doc, OT_AUDIO_INPUT_SLOT, CAT_INPUT_SLOT, "Slot1", CRect(100, 100, 156, 260), 4, 2);
    slot->m_inputNames = {"IN1", "IN2", "IN3", "IN4"};
    slot->m_outputNames = {"OUT1", "OUT2"};
    EXPECT_EQ(slot->TrackConnector(dc, CPoint(110, 200)), 1);
    EXPECT_EQ(slot->m_hoverInput, -1) << "a cold symbol tracks nothing";
    slot->DrawHot(dc);
    EXPECT_TRUE(slot->IsHot());
    dc.calls.clear();
    // Inputs at y 120, 160, 200, 240 (spacing 40): the third is hit at 210.
    slot->TrackConnector(dc, CPoint(110, 210));
    EXPECT_EQ(slot->m_hoverInput, 2);
    ASSERT_GE(dc.calls.size(), 2u);
    EXPECT_TRUE(dc.Has("textcolor 255,0,0"));
    EXPECT_EQ(dc.calls.back(), "textout \"IN3\" 103,194");
    dc.calls.clear();
    // Outputs at y 140 and 220 (spacing 80).
    slot->TrackConnector(dc, CPoint(150, 230));
    EXPECT_EQ(slot->m_hoverInput, -1);
    EXPECT_EQ(slot->m_hoverOutput, 1);
    const auto black = std::find(dc.calls.begin(), dc.calls.end(), "textcolor 0,0,0");
    const auto red = std::find(dc.calls.begin(), dc.calls.end(), "textcolor 255,0,0");
    ASSERT_NE(black, dc.calls.end());
    ASSERT_NE(red, dc.calls.end());
    EXPECT_LT(black, red) << "the old name goes black before the new one turns red";
    EXPECT_EQ(dc.calls.back(), "textout \"OUT2\" 127,214");
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    EXPECT_EQ(zone->TrackConnector(dc, CPoint(0, 0)), 0) << "only slot symbols track";
}

TEST_F(DrawingTest, HotAndColdOutlines)
{
    RecordingView view;
    doc.AddView(&view);
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V", CRect(0, 0, 50, 40));
    amp->DrawHot(dc);
    EXPECT_TRUE(dc.Has("rect 0,0,50,40"));
    EXPECT_TRUE(dc.Has("pen 255,0,0 1"));
    dc.calls.clear();
    amp->DrawCold(dc);
    EXPECT_FALSE(amp->IsHot());
    EXPECT_TRUE(dc.Has("pen 255,255,255 1")) << "drawn away in the background colour";
    TestDevice* slot = MakeDevice(doc, OT_AUDIO_INPUT_SLOT, CAT_INPUT_SLOT, "S", CRect(10, 10, 60, 90), 2, 1);
    slot->DrawHot(dc);
    view.invalidated.clear();
    slot->DrawCold(dc);
    ASSERT_FALSE(view.invalidated.empty());
    EXPECT_EQ(view.invalidated.front(), CRect(9, 9, 61, 91));
    TestDevice* call = MakeDevice(doc, OT_COLLECTION_CALL, CAT_RELAIS_TOPOLOGY);
    dc.calls.clear();
    call->DrawHot(dc);
    call->Draw(dc);
    EXPECT_TRUE(dc.calls.empty());
    doc.RemoveView(&view);
}

}  // namespace
