// Adding an amplifier the way a user does it: the mouse on an output of the
// "Slot3" card of a new project, a right click, "Verstärker hinzufügen" and a
// model; the amplifier appears on the sheet, linked to that output.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QSettings>

#include <functional>

#include "MenuTestSupport.h"
#include "ShellProgramTest.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioOutputSlot.h"
#include "model/CQuillomerDoc.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/CShellAppHost.h"

namespace {

using menutest::Describe;
using menutest::FindAction;
using menutest::MenuPick;

class OutputCardShellTest : public ShellProgramTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        slot3 = Find<CAudioOutputSlot>(CAT_OUTPUT_SLOT, "Slot3");
        ASSERT_NE(slot3, nullptr);
    }

    QImage Shot()
    {
        QApplication::processEvents();
        return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Pixels that differ between two pictures inside a client rectangle.
    static int Differing(const QImage& a, const QImage& b, const QRect& area)
    {
        const QRect r = area.intersected(a.rect());
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }

    CAudioOutputSlot* slot3 = nullptr;
};

}  // namespace

TEST_F(OutputCardShellTest, RightClickOnAnOutputAddsALinkedAmplifierThatIsDrawn)
{
    const CPoint out2 = slot3->m_outputPoints.at(1);
    ShowAround(CPoint(slot3->GetRect().left, slot3->GetRect().top));
    const QImage before = Shot();

    // The mouse on the card near its second output.
    const QPoint at = view->LogicalToClient(CPoint(out2.x - 6, out2.y));
    HoverAt(at);
    ASSERT_EQ(view->GetHotObject(), slot3);
    ASSERT_EQ(slot3->m_hoverOutput, 1);

    MenuPick pick;
    pick.choose = 33072;  // "HBE 6657"
    RightClick(at);
    ASSERT_EQ(pick.shown, 1);
    EXPECT_EQ(pick.entries,
              (std::vector<std::string>{"Nicht bestückt",
                                        "2-Kanal LINE Ausgangsmodul [x]", "---", "Eigenschaften (Volume,Delay)...",
                                        "---", "Verstärker hinzufügen >", "  1-Kanal Verstärker", "  HBE 6631",
                                        "  HBE 6633", "  HBE 6631 + YOK 58417", "  HBE 6633 + YOK 58417", "  ---",
                                        "  2-Kanal Verstärker", "  HBE 6657", "  HBE 6659", "  ---", "  HBE 6682 >",
                                        "    4 x 100W", "    200W + 100W + 100W", "    100W + 200W + 100W",
                                        "    100W + 100W + 200W", "    2 x 200W", "  HBE 6683 >", "    4 x 100W",
                                        "    200W + 100W + 100W", "    100W + 200W + 100W", "    100W + 100W + 200W",
                                        "    2 x 200W"}));
    EXPECT_TRUE(messages.messages.empty());

    // The amplifier is in the project, linked from its first input to OUT2.
    ASSERT_EQ(doc->GetList(CAT_AMPLIFIER).size(), 1u);
    auto* amp = dynamic_cast<CAmplifier*>(doc->GetList(CAT_AMPLIFIER).front());
    ASSERT_NE(amp, nullptr);
    EXPECT_EQ(amp->GetKindId(), 33072u);
    EXPECT_EQ(amp->m_inputCount, 2);
    EXPECT_EQ(amp->GetName(), "Verstärker 1");
    const LinkRecord* link = amp->GetOutLinkAtKey(0);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->partner, slot3);
    EXPECT_EQ(link->partnerKey, 1);
    const LinkRecord* back = slot3->GetInLinkAtKey(1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->partner, amp);
    EXPECT_EQ(back->partnerKey, 0);
    EXPECT_TRUE(doc->IsModified());

    // It is drawn: its symbol and the line from the card's output to it.
    ASSERT_FALSE(amp->GetRect().IsRectEmpty());
    ASSERT_EQ(amp->m_inputPoints.at(0).y, out2.y);
    view->viewport()->update();
    const QImage after = Shot();
    const QRect symbol = view->LogicalToClient(amp->GetRect());
    ASSERT_TRUE(after.rect().contains(symbol.center())) << "amplifier outside the window";
    EXPECT_GT(Differing(before, after, symbol), 100);
    // The line leaves the output to the right, level with it.
    const QPoint lineStart = view->LogicalToClient(CPoint(out2.x + 8, out2.y));
    const QPoint lineEnd = view->LogicalToClient(CPoint(out2.x + 60, out2.y));
    EXPECT_GT(Differing(before, after, QRect(lineStart, lineEnd).adjusted(0, -1, 0, 1)), 10);

    // With an amplifier linked, the card cannot be emptied any more.
    pick.choose = 0;
    RightClick(at);
    ASSERT_FALSE(pick.entries.empty());
    EXPECT_EQ(pick.entries[0], "Nicht bestückt (off)");
}

TEST_F(OutputCardShellTest, WithTheMouseAwayFromTheOutputsTheCardAsksForOne)
{
    ShowAround(CPoint(slot3->GetRect().left, slot3->GetRect().top));
    // Left of the card's middle: no output is hovered.
    const CRect r = slot3->GetRect();
    const QPoint at = view->LogicalToClient(CPoint(r.left + 4, (r.top + r.bottom) / 2));
    HoverAt(at);
    ASSERT_EQ(view->GetHotObject(), slot3);
    ASSERT_EQ(slot3->m_hoverOutput, -1);
    MenuPick pick;
    pick.choose = 33007;
    RightClick(at);
    EXPECT_TRUE(doc->GetList(CAT_AMPLIFIER).empty());
    EXPECT_TRUE(messages.Saw("Wählen Sie bitte zunächst einen Ausgang !"));
}
