// The designer view: zoom mapping, drawing and hit-test order, selection,
// moving, keys, label editing and tool tips.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include "ShellTestSupport.h"
#include "shell/CLabelEdit.h"
#include "shell/CQtPainter.h"
#include "shell/CQuillomerView.h"
#include "shell/ShellIds.h"

namespace {
struct ViewFixture : ::testing::Test {
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerDoc doc;
    std::unique_ptr<CQuillomerView> view;

    void SetUp() override
    {
        view = MakeView(&doc);
        view->ScrollToPosition(QPoint(0, 0));
        TestSymbol::keyOrder.clear();
    }
    void TearDown() override
    {
        view.reset();
        doc.DeleteContents();
    }
    // Client point of a logical point.
    QPoint At(int x, int y) const { return view->LogicalToClient(CPoint(x, y)); }
};
}  // namespace

TEST_F(ViewFixture, ZoomLevelsMapLogicalUnitsToPixels)
{
    EXPECT_EQ(view->GetZoom(), 4);
    EXPECT_EQ(view->LogicalToClient(CRect(100, 200, 300, 260)), QRect(100, 200, 200, 60));
    view->SetZoom(2);
    view->ScrollToPosition(QPoint(0, 0));
    EXPECT_EQ(view->LogicalToClient(CRect(100, 200, 300, 260)), QRect(50, 100, 100, 30));
    EXPECT_EQ(view->ClientToLogical(QPoint(50, 100)), CPoint(100, 200));
    view->SetZoom(6);
    view->ScrollToPosition(QPoint(30, 60));
    EXPECT_EQ(view->LogicalToClient(CRect(100, 200, 300, 260)), QRect(120, 240, 300, 90));
    EXPECT_EQ(view->ClientToLogical(QPoint(120, 240)), CPoint(100, 200));
    // The scroll range is the whole sheet at the level: 6 x 1024 pixels.
    EXPECT_EQ(view->horizontalScrollBar()->maximum() + view->viewport()->width(), 6 * 1024);
    // Levels outside 2..6 are refused.
    view->SetZoom(7);
    EXPECT_EQ(view->GetZoom(), 6);
    view->SetZoom(1);
    EXPECT_EQ(view->GetZoom(), 6);
}

TEST_F(ViewFixture, ZoomKeepsTheCentreAndLimitsItsCommands)
{
    view->OnInitialUpdate();
    EXPECT_EQ(view->GetScrollPosition(), QPoint(1588, 2028));
    const CPoint centre = view->ClientRectLogical().CenterPoint();
    EXPECT_EQ(view->GetVisibleCenter(), centre);
    view->OnZoomIn();
    EXPECT_EQ(view->GetZoom(), 5);
    view->OnZoomOut();
    EXPECT_EQ(view->GetZoom(), 4);
    const CPoint after = view->ClientRectLogical().CenterPoint();
    EXPECT_LE(std::abs(after.x - centre.x), 1);
    EXPECT_LE(std::abs(after.y - centre.y), 1);

    CCmdUI in(ids::ZoomIn), out(ids::ZoomOut);
    view->SetZoom(6);
    ASSERT_TRUE(view->OnUpdateCommand(in));
    EXPECT_FALSE(in.m_enabled);
    view->OnZoomIn();
    EXPECT_EQ(view->GetZoom(), 6);
    view->SetZoom(2);
    ASSERT_TRUE(view->OnUpdateCommand(out));
    EXPECT_FALSE(out.m_enabled);
    view->OnZoomOut();
    EXPECT_EQ(view->GetZoom(), 2);
}

TEST_F(ViewFixture, CategoryOneIsDrawnLastAndCategorySixteenWinsTheHitTest)
{
    TestSymbol* amp = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 200, 200), "amp");
    TestSymbol* signal = AddSymbol(doc, CAT_AUDIO, CRect(150, 150, 250, 250), "sig");
    TestSymbol* zone = AddSymbol(doc, CAT_ZONE, CRect(600, 100, 700, 150), "zone");
    std::vector<CBaseDevice*> order;
    view->m_drawWatcher = [&](CBaseDevice* o) { order.push_back(o); };
    QImage img(400, 400, QImage::Format_RGB32);
    {
        QPainter p(&img);
        view->DrawContents(p, CRect(0, 0, 4096, 4096), false);
    }
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order.front(), signal);
    EXPECT_EQ(order.back(), amp);

    EXPECT_EQ(view->HitTest(CPoint(160, 160)), signal);
    EXPECT_EQ(view->HitTest(CPoint(110, 110)), amp);
    EXPECT_EQ(view->HitTest(CPoint(650, 120)), zone);
    EXPECT_EQ(view->HitTest(CPoint(50, 50)), nullptr);

    // A small area draws only what it touches.
    order.clear();
    {
        QPainter p(&img);
        view->DrawContents(p, CRect(610, 110, 620, 120), false);
    }
    EXPECT_EQ(order, std::vector<CBaseDevice*>({zone}));
}

TEST_F(ViewFixture, UsedRectangleLeavesOutObjectsAtTheSheetEdge)
{
    AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 200, 200), "a");
    AddSymbol(doc, CAT_AMPLIFIER, CRect(300, 50, 400, 120), "b");
    AddSymbol(doc, CAT_AMPLIFIER, CRect(1, 500, 50, 550), "left edge");
    AddSymbol(doc, CAT_AMPLIFIER, CRect(4000, 500, 4096, 550), "right edge");
    AddSymbol(doc, CAT_AUDIO, CRect(0, 0, 1, 1), "no symbol");
    EXPECT_EQ(view->GetUsedRect(), CRect(100, 50, 400, 200));
}

TEST_F(ViewFixture, HotObjectStatusAndToolTip)
{
    TestSymbol* a = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 200, 200), "a");
    a->m_listText = "Verstärker a";
    TestSymbol* b = AddSymbol(doc, CAT_AMPLIFIER, CRect(300, 100, 400, 200), "b");
    view->HandleMouseMove(Qt::NoButton, At(150, 150));
    EXPECT_EQ(view->GetHotObject(), a);
    EXPECT_EQ(view->GetToolTipShowCount(), 1);
    EXPECT_EQ(view->GetToolTipText(), QString("Verstärker a"));
    view->HandleMouseMove(Qt::NoButton, At(160, 150));
    EXPECT_EQ(view->GetToolTipShowCount(), 1);  // same object: no new tip
    view->HandleMouseMove(Qt::NoButton, At(350, 150));
    EXPECT_EQ(view->GetHotObject(), b);
    EXPECT_FALSE(view->IsToolTipShown());  // empty list text: no tip
    EXPECT_EQ(view->GetToolTipShowCount(), 1);
    view->HandleMouseMove(Qt::NoButton, At(250, 150));
    EXPECT_EQ(view->GetHotObject(), nullptr);
}

TEST_F(ViewFixture, RubberBandSelectsEnclosedObjectsButNoLines)
{
    TestSymbol* a = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 150, 150), "a");
    TestSymbol* topo = AddSymbol(doc, CAT_RELAIS_TOPOLOGY, CRect(200, 100, 250, 150), "topo");
    TestSymbol* line = AddSymbol(doc, CAT_ZONE, CRect(260, 100, 300, 150), "line");
    TestSymbol* outside = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 400, 150, 450), "outside");
    TestSymbol* farLine = AddSymbol(doc, CAT_ZONE, CRect(900, 900, 950, 950), "far line");
    topo->AddInLink(topo, 0, farLine, 0, CAT_ZONE);

    view->HandleMouseMove(Qt::LeftButton, At(90, 90));
    view->HandleMouseMove(Qt::LeftButton, At(310, 160));
    view->HandleLeftButtonUp(At(310, 160));
    const auto& sel = view->GetSelection();
    EXPECT_NE(std::find(sel.begin(), sel.end(), a), sel.end());
    EXPECT_NE(std::find(sel.begin(), sel.end(), topo), sel.end());
    // The topology brings its lines; a line alone is never selected.
    EXPECT_NE(std::find(sel.begin(), sel.end(), farLine), sel.end());
    EXPECT_EQ(std::find(sel.begin(), sel.end(), line), sel.end());
    EXPECT_EQ(std::find(sel.begin(), sel.end(), outside), sel.end());

    // While objects are selected the mouse changes no hot object.
    view->HandleMouseMove(Qt::NoButton, At(120, 420));
    EXPECT_EQ(view->GetHotObject(), nullptr);
    topo->RemoveAllInLinks();
}

TEST_F(ViewFixture, KeysGoToTheSelectionLastFirstThenToTheHotObject)
{
    TestSymbol* a = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 150, 150), "a");
    TestSymbol* b = AddSymbol(doc, CAT_AMPLIFIER, CRect(200, 100, 250, 150), "b");
    TestSymbol* c = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 300, 150, 350), "c");
    view->AddToSelection(a);
    view->AddToSelection(b);
    view->HandleKeyDown(vk::Left, 1);
    EXPECT_EQ(TestSymbol::keyOrder, std::vector<TestSymbol*>({b, a}));
    EXPECT_EQ(a->GetRect(), CRect(99, 100, 149, 150));
    EXPECT_TRUE(view->GetSelection().empty());

    // Without a selection only the hot object gets the key.
    TestSymbol::keyOrder.clear();
    view->HandleMouseMove(Qt::NoButton, At(120, 320));
    ASSERT_EQ(view->GetHotObject(), c);
    view->HandleKeyDown(vk::Down, 1);
    EXPECT_EQ(TestSymbol::keyOrder, std::vector<TestSymbol*>({c}));
    EXPECT_EQ(c->GetRect(), CRect(100, 301, 150, 351));
}

TEST_F(ViewFixture, DeleteKeyOnTheHotSelectedObjectLeavesNoDanglingHotObject)
{
    // The base object deletes itself on Delete.
    auto* plain = new CBaseDevice;
    plain->m_type = OT_AMPLIFIER;
    plain->m_pDocument = &doc;
    plain->m_rect = plain->m_boundingRect = CRect(100, 100, 150, 150);
    plain->m_category = CAT_AMPLIFIER;
    doc.AddObject(plain, CAT_AMPLIFIER);
    view->HandleMouseMove(Qt::NoButton, At(120, 120));
    ASSERT_EQ(view->GetHotObject(), plain);
    view->AddToSelection(plain);
    view->HandleKeyDown(vk::Delete, 1);
    EXPECT_TRUE(doc.GetList(CAT_AMPLIFIER).empty());
    EXPECT_EQ(view->GetHotObject(), nullptr);
    view->repaint();
}

TEST_F(ViewFixture, ClickOnALineSelectsNothingAndAClickOnAnObjectDragsIt)
{
    TestSymbol* line = AddSymbol(doc, CAT_ZONE, CRect(100, 100, 150, 150), "line");
    TestSymbol* amp = AddSymbol(doc, CAT_AMPLIFIER, CRect(300, 100, 350, 150), "amp");
    int drags = 0;
    view->SetDragRunner([&](QMimeData*) {
        ++drags;
        return Qt::IgnoreAction;
    });
    view->HandleMouseMove(Qt::NoButton, At(120, 120));
    ASSERT_EQ(view->GetHotObject(), line);
    view->HandleLeftButtonDown(Qt::NoModifier, At(120, 120));
    EXPECT_TRUE(view->GetSelection().empty());
    view->HandleLeftButtonUp(At(120, 120));

    view->HandleMouseMove(Qt::NoButton, At(320, 120));
    ASSERT_EQ(view->GetHotObject(), amp);
    view->HandleLeftButtonDown(Qt::NoModifier, At(320, 120));
    EXPECT_EQ(view->GetSelection(), std::vector<CBaseDevice*>({amp}));
    view->HandleMouseMove(Qt::LeftButton, At(340, 140));
    EXPECT_EQ(drags, 1);
    EXPECT_TRUE(view->GetSelection().empty());
}

// The name in the edit is as wide as the name on the sheet at every zoom,
// and the edit is high enough for its font.
TEST_F(ViewFixture, LabelEditWritesInTheFontTheLabelIsDrawnWith)
{
    TestSymbol* a = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 400, 200), "Verstärker Technikraum");
    CQtPainter measure(nullptr, nullptr, nullptr);
    a->CBaseDevice::DrawLabel(measure);
    ASSERT_GT(a->GetLabelRect().Width(), 90);
    for (int zoom = 2; zoom <= 6; ++zoom) {
        SCOPED_TRACE(zoom);
        view->SetZoom(zoom);
        view->ScrollToPosition(QPoint(0, 0));
        ASSERT_TRUE(view->BeginLabelEdit(CPoint(a->GetLabelRect().left, a->GetLabelRect().top), a));
        CLabelEdit* edit = view->GetLabelEdit();
        ASSERT_NE(edit, nullptr);
        const int onSheet = view->LogicalToClient(a->GetLabelRect()).width();
        const int inEdit = edit->fontMetrics().horizontalAdvance(edit->text());
        EXPECT_NEAR(inEdit, onSheet, onSheet / 12 + 2);
        EXPECT_GE(edit->contentsRect().height(), edit->fontMetrics().height());
        QTest::keyClick(edit, Qt::Key_Escape);
        QCoreApplication::processEvents();
        ASSERT_EQ(view->GetLabelEdit(), nullptr);
        EXPECT_EQ(a->GetName(), "Verstärker Technikraum");
    }
}

TEST_F(ViewFixture, LabelEditGivesUniqueNamesAndEscapeKeepsTheOldOne)
{
    TestSymbol* a = AddSymbol(doc, CAT_AMPLIFIER, CRect(100, 100, 200, 200), "Alpha");
    AddSymbol(doc, CAT_AMPLIFIER, CRect(300, 100, 400, 200), "Beta");
    a->m_labelRect = CRect(110, 180, 150, 195);

    view->HandleMouseMove(Qt::NoButton, At(120, 185));
    ASSERT_EQ(view->GetHotObject(), a);
    view->HandleLeftButtonDown(Qt::NoModifier, At(120, 185));
    CLabelEdit* edit = view->GetLabelEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QString("Alpha"));
    // A label narrower than 90 units gets an edit 104 units wide.
    EXPECT_EQ(edit->GetRect().width(), 104);
    EXPECT_EQ(view->GetHotObject(), nullptr);

    edit->setText("Beta");
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->GetLabelEdit(), nullptr);
    EXPECT_EQ(a->GetName(), "Beta_1");
    EXPECT_TRUE(messages.Saw("Beta_1"));

    // Escape keeps the name, also in a scrolled view.
    view->ScrollToPosition(QPoint(40, 40));
    view->HandleMouseMove(Qt::NoButton, At(120, 185));
    view->HandleLeftButtonDown(Qt::NoModifier, At(120, 185));
    ASSERT_NE(view->GetLabelEdit(), nullptr);
    view->GetLabelEdit()->setText("Gamma");
    QTest::keyClick(view->GetLabelEdit(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->GetLabelEdit(), nullptr);
    EXPECT_EQ(a->GetName(), "Beta_1");

    // An empty name is refused by the object; the edit closes anyway.
    view->ScrollToPosition(QPoint(0, 0));
    view->HandleMouseMove(Qt::NoButton, At(120, 185));
    view->HandleLeftButtonDown(Qt::NoModifier, At(120, 185));
    ASSERT_NE(view->GetLabelEdit(), nullptr);
    view->GetLabelEdit()->setText("");
    const size_t before = messages.messages.size();
    view->HandleLeftButtonDown(Qt::NoModifier, QPoint(300, 300));  // a click elsewhere commits
    EXPECT_EQ(view->GetLabelEdit(), nullptr);
    EXPECT_EQ(a->GetName(), "Beta_1");
    EXPECT_EQ(messages.messages.size(), before + 1);

    // A zoom change commits an open edit.
    view->HandleMouseMove(Qt::NoButton, At(120, 185));
    view->HandleLeftButtonDown(Qt::NoModifier, At(120, 185));
    ASSERT_NE(view->GetLabelEdit(), nullptr);
    view->GetLabelEdit()->setText("Delta");
    view->SetZoom(5);
    EXPECT_EQ(view->GetLabelEdit(), nullptr);
    EXPECT_EQ(a->GetName(), "Delta");
}

TEST_F(ViewFixture, ObjectCommandThatDeletesTheHotObjectClearsIt)
{
    auto* plain = new CBaseDevice;
    plain->m_type = OT_AMPLIFIER;
    plain->m_pDocument = &doc;
    plain->m_rect = plain->m_boundingRect = CRect(100, 100, 150, 150);
    plain->m_category = CAT_AMPLIFIER;
    doc.AddObject(plain, CAT_AMPLIFIER);
    view->HandleMouseMove(Qt::NoButton, At(120, 120));
    ASSERT_EQ(view->GetHotObject(), plain);
    EXPECT_TRUE(view->OnCommand(ids::ObjectDelete));
    EXPECT_EQ(view->GetHotObject(), nullptr);
    EXPECT_TRUE(doc.GetList(CAT_AMPLIFIER).empty());
    // Without a hot object the object commands do nothing.
    EXPECT_TRUE(view->OnCommand(ids::ObjectDelete));
}

TEST_F(ViewFixture, TextFileIsNamedAfterTheProjectInItsFolder)
{
    doc.SetTitle("Anlage.alt Nord");
    EXPECT_EQ(view->TextFileName(), QString("Anlage.txt"));
    EXPECT_EQ(view->TextFileDirectory(), QDir::currentPath());
    doc.SetPathName("/p/q/Halle.qlx");
    EXPECT_EQ(view->TextFileName(), QString("Halle.txt"));
    EXPECT_EQ(view->TextFileDirectory(), QString("/p/q"));
}
