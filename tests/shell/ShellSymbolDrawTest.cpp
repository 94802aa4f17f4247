// What the object base draws: link routes, hot highlight and connector names.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "ShellTestSupport.h"
#include "hardware/CAudioInputSlot.h"
#include "shell/CQtPainter.h"

namespace {
// Records polylines, rectangles and texts with the colour they were drawn in.
class RecordingPainter : public IPainter {
public:
    struct Text {
        std::string text;
        QlColor colour;
        int x, y;
    };
    void SetPen(QlColor c, int) override { pen = c; }
    void SetBrush(QlColor, bool) override {}
    void SetTextColor(QlColor c) override { textColour = c; }
    void SetTransparentText(bool) override {}
    void SelectFont(int) override {}
    void DrawRect(const CRect& r) override { rects.push_back({r, pen}); }
    void DrawRoundRect(const CRect& r, int, int) override { roundRects.push_back({r, pen}); }
    void FillRect(const CRect&, QlColor) override {}
    void DrawEdge(const CRect&, bool) override {}
    void DrawPolyline(const std::vector<CPoint>& p) override { lines.push_back({p, pen}); }
    void DrawLine(CPoint a, CPoint b) override { lines.push_back({{a, b}, pen}); }
    CSize TextExtent(const std::string& t) override { return CSize{int(t.size()) * 6, 12}; }
    void DrawText(const std::string& t, const CRect& r, uint32_t) override { texts.push_back({t, textColour, r.left, r.top}); }
    void TextOut(int x, int y, const std::string& t) override { texts.push_back({t, textColour, x, y}); }
    void DrawBitmap(uint32_t, const CRect&) override {}
    void DrawIcon(uint32_t id, CPoint at) override { icons.push_back({id, at}); }

    QlColor pen, textColour;
    std::vector<std::pair<uint32_t, CPoint>> icons;
    std::vector<std::pair<std::vector<CPoint>, QlColor>> lines;
    std::vector<std::pair<CRect, QlColor>> rects, roundRects;
    std::vector<Text> texts;
};

TestSymbol* Make(CQuillomerDoc& doc, int category, CRect r)
{
    return AddSymbol(doc, category, r, "x");
}
}  // namespace

TEST(ShellSymbolDraw, ZoneLineRunsStraightToTheChannelHeightThenAcross)
{
    CQuillomerDoc doc;
    TestSymbol* amp = Make(doc, CAT_AMPLIFIER, CRect(100, 100, 200, 200));
    amp->m_outputCount = 2;
    amp->m_outputPoints = {CPoint(200, 120), CPoint(200, 160)};
    TestSymbol* zone = Make(doc, CAT_ZONE, CRect(400, 300, 500, 330));
    zone->m_inputCount = 1;
    zone->m_inputPoints = {CPoint(400, 315)};
    zone->m_inputRoutes.resize(1);
    zone->m_linkMode = linkmode::DrawOutLinks;
    zone->AddOutLink(zone, 0, amp, 1, CAT_AMPLIFIER);

    RecordingPainter dc;
    zone->DrawLinks(dc, qlcolor::Black);
    ASSERT_EQ(dc.lines.size(), 1u);
    EXPECT_EQ(dc.lines[0].first, std::vector<CPoint>({CPoint(400, 315), CPoint(400, 315), CPoint(400, 160), CPoint(200, 160)}));
    EXPECT_EQ(zone->m_inputRoutes[0].pt[2], CPoint(400, 160));
    // The partner's point pushes the bounding rectangle's left and top out.
    EXPECT_LE(zone->m_boundingRect.left, 200);
    EXPECT_LE(zone->m_boundingRect.top, 160);

    // Another object runs its vertical part left of the input by its lane.
    TestSymbol* other = Make(doc, CAT_AUDIO_DEVICE, CRect(400, 400, 500, 430));
    other->m_inputCount = 1;
    other->m_inputPoints = {CPoint(400, 415)};
    other->m_linkMode = linkmode::DrawOutLinks;
    other->m_lanes[0] = 1;
    other->AddOutLink(other, 0, amp, 0, CAT_AMPLIFIER);
    RecordingPainter dc2;
    other->DrawLinks(dc2, qlcolor::Red);
    ASSERT_EQ(dc2.lines.size(), 1u);
    EXPECT_EQ(dc2.lines[0].first[1], CPoint(375, 415));
    EXPECT_EQ(dc2.lines[0].first[2], CPoint(375, 120));
    EXPECT_EQ(dc2.lines[0].second, qlcolor::Red);
    zone->RemoveAllOutLinks();
    other->RemoveAllOutLinks();
}

TEST(ShellSymbolDraw, HoveredConnectorNameOfAHotSlot)
{
    CQuillomerDoc doc;
    TestSymbol* slot = Make(doc, CAT_INPUT_SLOT, CRect(100, 100, 200, 200));
    slot->m_inputCount = 4;
    slot->m_outputCount = 2;
    slot->m_inputPoints = {CPoint(100, 110), CPoint(100, 130), CPoint(100, 150), CPoint(100, 170)};
    slot->m_inputNames = {"IN1", "IN2", "IN3", "IN4"};
    slot->m_outputPoints = {CPoint(200, 120), CPoint(200, 160)};
    slot->m_outputNames = {"OUT1", "OUT2"};
    RecordingPainter dc;
    // Not hot: handled, nothing tracked.
    EXPECT_EQ(slot->TrackConnector(dc, CPoint(110, 150)), 1);
    EXPECT_EQ(slot->m_hoverInput, -1);
    slot->DrawHot(dc);
    EXPECT_TRUE(slot->IsHot());
    EXPECT_EQ(slot->TrackConnector(dc, CPoint(110, 152)), 1);
    EXPECT_EQ(slot->m_hoverInput, 2);
    ASSERT_FALSE(dc.texts.empty());
    EXPECT_EQ(dc.texts.back().text, "IN3");
    EXPECT_EQ(dc.texts.back().colour, qlcolor::Red);
    EXPECT_EQ(dc.texts.back().x, 104);

    // The output side: the input's name goes black, the output's turns red.
    dc.texts.clear();
    EXPECT_EQ(slot->TrackConnector(dc, CPoint(190, 158)), 1);
    ASSERT_EQ(dc.texts.size(), 2u);
    EXPECT_EQ(dc.texts[0].text, "IN3");
    EXPECT_EQ(dc.texts[0].colour, qlcolor::Black);
    EXPECT_EQ(dc.texts[1].text, "OUT2");
    EXPECT_EQ(dc.texts[1].colour, qlcolor::Red);
    EXPECT_EQ(dc.texts[1].x, 200 - 5 - 4 * 6);
    EXPECT_EQ(slot->m_hoverOutput, 1);
    EXPECT_EQ(slot->m_hoverInput, -1);

    // Objects that are not slots do not track.
    TestSymbol* amp = Make(doc, CAT_AMPLIFIER, CRect(300, 100, 400, 200));
    EXPECT_EQ(amp->TrackConnector(dc, CPoint(310, 150)), 0);
}

TEST(ShellSymbolDraw, HotOutlineIsRedAndColdTakesItAway)
{
    CQuillomerDoc doc;
    TestSymbol* amp = Make(doc, CAT_AMPLIFIER, CRect(100, 100, 200, 200));
    TestSymbol* group = Make(doc, CAT_GROUP, CRect(300, 100, 400, 130));
    group->m_type = OT_GROUP;
    group->m_number = 2;
    RecordingPainter dc;
    amp->DrawHot(dc);
    ASSERT_EQ(dc.rects.size(), 1u);
    EXPECT_EQ(dc.rects[0].second, qlcolor::Red);
    amp->DrawCold(dc);
    ASSERT_EQ(dc.rects.size(), 2u);
    EXPECT_EQ(dc.rects[1].second, dc.WindowBackground());
    EXPECT_FALSE(amp->IsHot());
    group->DrawHot(dc);
    ASSERT_EQ(dc.roundRects.size(), 1u);
    EXPECT_EQ(dc.roundRects[0].second, qlcolor::Red);
    // Group 0 is never highlighted.
    group->m_number = 0;
    RecordingPainter quiet;
    group->DrawHot(quiet);
    EXPECT_TRUE(quiet.roundRects.empty());
}

namespace {
// Draws with the real fonts and keeps where each selector box and each text went.
struct GeometryPainter : CQtPainter {
    using CQtPainter::CQtPainter;
    void DrawEdge(const CRect& r, bool raised) override
    {
        boxes.push_back(r);
        CQtPainter::DrawEdge(r, raised);
    }
    void TextOut(int x, int y, const std::string& t) override
    {
        const CSize e = TextExtent(t);
        texts.push_back({t, CRect(x, y, x + e.cx, y + e.cy)});
        CQtPainter::TextOut(x, y, t);
    }
    std::vector<CRect> boxes;
    std::vector<std::pair<std::string, CRect>> texts;
};
}  // namespace

// The input card with its selector boxes, hot, as the designer draws it at
// the scales of 96 and 144 DPI: each box's name lies inside the box clear of
// its 3-D edge, pressed or raised, and no connector name runs into a box.
TEST(ShellSymbolDraw, InputCardNamesKeepClearOfTheSelectorBoxes)
{
    MessageRecorder messages;
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CAudioInputSlot* slot = nullptr;
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (auto* s = dynamic_cast<CAudioInputSlot*>(obj); s && !slot)
            slot = s;
    ASSERT_NE(nullptr, slot);
    for (const uint32_t card : {inputcard::AuxMicLine, inputcard::Aux2, inputcard::MicLine2, inputcard::ConsoleMicLine}) {
        slot->SetCardType(card);
        for (const int pressed : {1, 0}) {
            slot->m_selectorFlag[0] = slot->m_selectorFlag[1] = pressed;
            for (const qreal scale : {1.0, 1.5}) {
                SCOPED_TRACE(testing::Message() << "card " << card << ", flag " << pressed << ", scale " << scale);
                const CRect r = slot->GetBoundingRect();
                QImage image(QSize(r.Width() + 20, r.Height() + 20) * scale, QImage::Format_RGB32);
                image.setDevicePixelRatio(scale);
                image.fill(Qt::white);
                QPainter p(&image);
                p.translate(10 - r.left, 10 - r.top);
                GeometryPainter dc(&p, nullptr, nullptr);
                slot->DrawHot(dc);
                dc.boxes.clear();
                dc.texts.clear();
                slot->Draw(dc);
                p.end();
                if (pressed == 0)
                    image.save(QStringLiteral("input-card-%1-%2.png").arg(card).arg(scale == 1.0 ? 96 : 144));
                std::vector<CRect> selectors;
                for (const CRect& b : dc.boxes)
                    if (b.Width() == 34)
                        selectors.push_back(b);
                for (const auto& [text, t] : dc.texts) {
                    for (const CRect& b : selectors) {
                        const bool inside = t.left >= b.left && t.left < b.right && t.top >= b.top && t.top < b.bottom;
                        if (inside) {
                            // One pixel of the box's colour between the text and the two-pixel edge.
                            EXPECT_GE(t.left, b.left + 3) << text;
                            EXPECT_LE(t.right, b.right - 3) << text;
                        } else if (t.top < b.bottom && t.bottom > b.top) {
                            EXPECT_TRUE(t.right <= b.left - 1 || t.left >= b.right + 1)
                                << text << " runs into the box at " << b.left;
                        }
                    }
                }
            }
        }
    }
    EXPECT_TRUE(messages.messages.empty());
}
