// The virtual-controller window on a recording link: controllers edited in
// the properties dialog and linked by dropping them go down as exactly the
// block's lines; the knob's live value; the dialog's limits.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include <QAction>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <QToolTip>
#include <QWindow>

#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "logic/VirtCtrlMath.h"
#include "logic/windows/CCurveCtrl.h"
#include "logic/windows/CDesignerListView.h"
#include "logic/windows/CObjectFrm.h"
#include "logic/windows/CVcKnobCtrl.h"
#include "logic/windows/CVirtCtrlPropDlg.h"
#include "logic/windows/VirtCtrlIds.h"
#include "model/CIDManager.h"
#include "ui/CObjectDlg.h"
#include "support/BlockTestSupport.h"
#include "support/ShownPicture.h"
#include "ui/CPictureSet.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"
#include "ui/CValueEdit.h"

using namespace blocktest;
using EP = CVirtCtrl::Endpoint;

namespace {
constexpr int kTipShowMs = 200;  // the mouse rests this long before a row's tip comes up
}

namespace {
class TestCard : public CBaseDevice {
public:
    explicit TestCard(uint32_t type) { m_type = type; }
};

class VirtCtrlWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(h.doc().OnNewDocument());
        h.profile.Set("VIRTCTRL_CLR", 1);
        table = dynamic_cast<CVirtCtrl*>(h.doc().GetIDManager().GetBaseDevice(1, OT_VIRT_CTRL));
        ASSERT_NE(nullptr, table);
    }
    CVirtCtrlItem* Item(int n)
    {
        return dynamic_cast<CVirtCtrlItem*>(h.doc().GetIDManager().GetBaseDevice(n, OT_VIRT_CTRL_ITEM));
    }
    // The text typed into a field (as typing leaves it: edited), then what leaving it does.
    static void Type(CValueEdit* edit, const QString& text, void (CVirtCtrlPropDlg::*left)(), CVirtCtrlPropDlg& dlg)
    {
        edit->setText(text);
        edit->setModified(true);
        (dlg.*left)();
    }
    // Selects the row of an endpoint in a pane and drops controller n on it.
    static void DropOn(virtctrl::CDesignerListView* pane, int image, int index, int n)
    {
        const auto& rows = pane->Pane().GetRows();
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            if (rows[r].image == image && rows[r].index == index)
                pane->setCurrentItem(pane->Row(r));
        virtctrl::VcDragPayload p;
        p.controller = n;
        const std::string bytes = p.ToBytes();
        pane->OnDataDropped(QByteArray(bytes.data(), static_cast<int>(bytes.size())));
    }

    BlockHarness h;
    CVirtCtrl* table = nullptr;
};
}  // namespace

TEST_F(VirtCtrlWindow, DownloadSendsTheEditedControllersAndLinks)
{
    auto* card = new TestCard(OT_LMZ752);
    ASSERT_EQ(1, card->Create(34262, "LMZ752", 1, CAT_DIGITAL_SLOT, &h.doc()));
    h.doc().AddObject(card, CAT_DIGITAL_SLOT);

    CObjectFrm frm(&h.doc());
    EXPECT_FALSE(frm.GetAction(vcid::DeleteController)->isEnabled());
    frm.OnCommand(vcid::NewController);
    frm.OnCommand(vcid::NewController);
    EXPECT_TRUE(frm.GetAction(vcid::DeleteController)->isEnabled());
    CVirtCtrlItem* second = Item(2);
    ASSERT_NE(nullptr, second);
    ASSERT_EQ(2, frm.GetPane(0)->GetItemCount());

    CVirtCtrlPropDlg dlg(second, frm.GetPane(0));
    Type(dlg.MaximumEdit(), "10", &CVirtCtrlPropDlg::OnMinMaxLeft, dlg);
    Type(dlg.CurveEdit(), "-5", &CVirtCtrlPropDlg::OnCurveLeft, dlg);
    Type(dlg.OutputEdit(), "2.5", &CVirtCtrlPropDlg::OnOutputLeft, dlg);
    Type(dlg.StepsEdit(), "20", &CVirtCtrlPropDlg::OnStepsLeft, dlg);
    dlg.Save();

    DropOn(frm.GetPane(1), virtctrl::RowEncoder, 1, 2);
    DropOn(frm.GetPane(2), virtctrl::RowIn, 3, 2);
    EXPECT_EQ(2, table->GetLink(EP::Encoder, 2));
    EXPECT_EQ(2, table->GetLink(EP::In, 4));

    h.link.lines.clear();
    frm.OnCommand(vcid::DownloadAll);
    const std::vector<std::string> expected = {
        "/VIRTCTRL/SOURCE/LOCK ON",       "/VIRTCTRL/DEST/LOCK ON",         "/VIRTCTRL/CLEAR ALL",
        "/VIRTCTRL/ENTRY1/MIN 0.000000",  "/VIRTCTRL/ENTRY1/MAX 0.000000",  "/VIRTCTRL/ENTRY1/VALUE 0.000000",
        "/VIRTCTRL/ENTRY1/STEPS 0",       "/VIRTCTRL/ENTRY1/CURVE 0",       "/VIRTCTRL/ENTRY2/MIN 0.000000",
        "/VIRTCTRL/ENTRY2/MAX 10.000000", "/VIRTCTRL/ENTRY2/VALUE 2.500000", "/VIRTCTRL/ENTRY2/STEPS 20",
        "/VIRTCTRL/ENTRY2/CURVE -5",      "/VIRTCTRL/SOURCE/ENC2 2",        "/VIRTCTRL/DEST/IN4 2",
        "/VIRTCTRL/SOURCE/LOCK OFF",      "/VIRTCTRL/DEST/LOCK OFF",
    };
    EXPECT_EQ(expected, h.link.lines);
}

TEST_F(VirtCtrlWindow, KnobSendsOnlyTheLastValueWhileConnected)
{
    CVirtCtrlItem* item = table->GetOrCreateItem(4);
    item->SetFloat(CVirtCtrlItem::Max, 10.0f);
    CObjectFrm frm(&h.doc());
    h.doc().SetConnected(1);
    CVirtCtrlPropDlg dlg(item, frm.GetPane(0));
    h.link.lines.clear();
    const QPoint centre = dlg.Knob()->Centre();
    dlg.OnKnobDragged(centre, centre + QPoint(-20, 20));  // lower left: frame 0
    dlg.OnKnobDragged(centre, centre + QPoint(0, -20));   // straight up
    EXPECT_EQ(45, dlg.Knob()->GetFrame());
    // The knob shows that position's frame of the picture set's knob animation.
    CVcKnobCtrl& knob = *dlg.Knob();
    const int side = std::min(knob.width(), knob.height());
    const QPoint at((knob.width() - side) / 2, (knob.height() - side) / 2);
    EXPECT_TRUE(ShowsPicture(knob, CPictureSet::AnimationFrame(485, 45, QSize(side, side)), at));
    EXPECT_FALSE(ShowsPicture(knob, CPictureSet::AnimationFrame(485, 0, QSize(side, side)), at));
    EXPECT_EQ(QStringLiteral("0.500000"), dlg.NormalizedEdit()->text());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !h.link.lines.empty(); }, 2000));
    EXPECT_EQ(std::vector<std::string>{"/VIRTCTRL/ENTRY4/VALUE 5.000000"}, h.link.lines);
    h.doc().SetConnected(0);
}

TEST_F(VirtCtrlWindow, NewButtonIsOffWithFortyControllers)
{
    CObjectFrm frm(&h.doc());
    for (int n = 1; n <= CVirtCtrl::kControllers; ++n)
        frm.OnCommand(vcid::NewController);
    EXPECT_EQ(CVirtCtrl::kControllers, frm.GetPane(0)->GetItemCount());
    EXPECT_FALSE(frm.GetAction(vcid::NewController)->isEnabled());
}

TEST_F(VirtCtrlWindow, PropertiesKeepTheirLimits)
{
    table->GetOrCreateItem(1);
    table->GetOrCreateItem(9);
    CVirtCtrlItem* item = table->GetOrCreateItem(3);
    item->SetFloat(CVirtCtrlItem::Max, 10.0f);
    CVirtCtrlPropDlg dlg(Item(1), nullptr);

    Type(dlg.CurveEdit(), "200", &CVirtCtrlPropDlg::OnCurveLeft, dlg);
    EXPECT_EQ(QStringLiteral("127"), dlg.CurveEdit()->text());
    Type(dlg.CurveEdit(), "-300", &CVirtCtrlPropDlg::OnCurveLeft, dlg);
    EXPECT_EQ(QStringLiteral("-128"), dlg.CurveEdit()->text());
    Type(dlg.StepsEdit(), "70000", &CVirtCtrlPropDlg::OnStepsLeft, dlg);
    EXPECT_EQ(QStringLiteral("65535"), dlg.StepsEdit()->text());

    // Previous on controller 1 wraps to the highest number; the curve saved.
    dlg.OnPrevious();
    EXPECT_EQ(Item(9), dlg.GetController());
    EXPECT_EQ(-128, Item(1)->GetInt(CVirtCtrlItem::Curve));
    EXPECT_EQ(65535, Item(1)->GetInt(CVirtCtrlItem::Steps));
    dlg.OnNext();
    EXPECT_EQ(Item(1), dlg.GetController());
    dlg.OnNext();
    ASSERT_EQ(item, dlg.GetController());

    Type(dlg.OutputEdit(), "12", &CVirtCtrlPropDlg::OnOutputLeft, dlg);
    EXPECT_EQ(QStringLiteral("10.000000"), dlg.OutputEdit()->text());
    EXPECT_EQ(QStringLiteral("1.000000"), dlg.NormalizedEdit()->text());
    EXPECT_EQ(90, dlg.Knob()->GetFrame());
    Type(dlg.NormalizedEdit(), "0.5", &CVirtCtrlPropDlg::OnNormalizedLeft, dlg);
    EXPECT_EQ(QStringLiteral("5.000000"), dlg.OutputEdit()->text());
}

TEST_F(VirtCtrlWindow, StepsTypedBeyondTheRangeAreKeptAtTheLimitWhenTheWindowIsClosed)
{
    // The user types a step count too large for the field and closes the
    // window while the field still has the focus: the stored count stops at
    // the top of the range, it never wraps round to a small one. A decimal is
    // no step count: the count stays.
    for (const auto& [typed, kept] : {std::pair{"70000", 65535}, std::pair{"131071", 65535}, std::pair{"-5", 0},
                                      std::pair{"12,5", 10}, std::pair{"3.5,5", 10}}) {
        SCOPED_TRACE(typed);
        CVirtCtrlItem* item = table->GetOrCreateItem(2);
        item->SetInt(CVirtCtrlItem::Steps, 10);
        CVirtCtrlPropDlg dlg(item, nullptr);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QTest::mouseClick(dlg.StepsEdit(), Qt::LeftButton);
        ASSERT_TRUE(dlg.StepsEdit()->hasFocus());
        QTest::keyClick(dlg.StepsEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg.StepsEdit(), QString::fromLatin1(typed));
        ASSERT_EQ(QString::fromLatin1(typed), dlg.StepsEdit()->text());
        dlg.close();
        EXPECT_EQ(kept, item->GetInt(CVirtCtrlItem::Steps));
    }
}

TEST_F(VirtCtrlWindow, TipsAndTheHoverFrameWaitForTheMouseToRest)
{
    table->GetOrCreateItem(1)->SetFloat(CVirtCtrlItem::Max, 10.0f);
    table->GetOrCreateItem(2);
    CObjectFrm frm(&h.doc());
    frm.resize(900, 400);
    frm.show();
    virtctrl::CDesignerListView* pane = frm.GetPane(0);
    ASSERT_EQ(2, pane->GetItemCount());
    QWidget* port = pane->viewport();
    auto centre = [&](int row, int column) {
        return pane->visualRect(pane->model()->index(row, column)).center();
    };
    auto move = [&](QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, port->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(port, &event);
    };

    // The tip of a controller row: not at once, but once the mouse has rested there.
    move(centre(0, 0));
    EXPECT_EQ(-1, pane->TipRow());
    QTest::qWait(120);  // a timer never fires early
    EXPECT_EQ(-1, pane->TipRow()) << "the tip waits 200 ms";
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane->TipRow() == 0; }, 3000));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains(QLatin1String("10.00"))) << QToolTip::text().toStdString();
    // It stays over the name of its row; any other move hides it.
    move(centre(0, 0) + QPoint(1, 0));
    EXPECT_EQ(0, pane->TipRow());
    move(centre(1, 1));
    EXPECT_EQ(-1, pane->TipRow());
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));

    // The hover frame marks the ID cell the mouse rests on, after 20 ms.
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane->HotCell() == QPoint(1, 1); }, 3000));
    move(centre(0, 0));
    EXPECT_EQ(QPoint(1, 1), pane->HotCell()) << "not before the mouse rests";
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane->HotCell() == QPoint(-1, -1); }, 3000));

    // A right click on a controller row brings up its menu, and no tip comes
    // up over it while it is open, also when the mouse rested there for less
    // than the tip's wait. The menu takes the mouse without the pane being
    // told that the mouse left (as under X: no leave for a pointer grab).
    struct NoLeave : QObject {
        bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Leave; }
    } grab;
    move(centre(1, 1));
    move(centre(0, 0));
    bool menuSeen = false, tipOverMenu = true;
    QTimer look;
    look.setSingleShot(true);
    QObject::connect(&look, &QTimer::timeout, [&] {
        QWidget* menu = QApplication::activePopupWidget();
        menuSeen = menu != nullptr;
        tipOverMenu = QToolTip::isVisible();
        if (menu)
            menu->close();
    });
    look.start(3 * kTipShowMs);
    qApp->installEventFilter(&grab);
    const QPoint at = port->mapTo(&frm, centre(0, 0));
    QTest::mousePress(frm.windowHandle(), Qt::RightButton, {}, at);
    qApp->removeEventFilter(&grab);
    QTest::mouseRelease(frm.windowHandle(), Qt::RightButton, {}, at);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !look.isActive(); }, 3000));
    EXPECT_TRUE(menuSeen);
    EXPECT_FALSE(tipOverMenu);
}

// The user drags controller 2 from its pane onto the selected destination row
// with the mouse, ending with small moves of 2 and 3 pixels as a hand does:
// the picture under the pointer never takes the drop, it stays shown over
// the accepting pane, and the release links the row.
TEST_F(VirtCtrlWindow, ARealDragWithSmallLastMovesLinksTheSelectedRow)
{
    auto* card = new TestCard(OT_LMZ752);
    ASSERT_EQ(1, card->Create(34262, "LMZ752", 1, CAT_DIGITAL_SLOT, &h.doc()));
    h.doc().AddObject(card, CAT_DIGITAL_SLOT);
    table->GetOrCreateItem(1);
    table->GetOrCreateItem(2);
    CObjectFrm frm(&h.doc());
    frm.resize(900, 400);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    virtctrl::CDesignerListView* controllers = frm.GetPane(0);
    virtctrl::CDesignerListView* destinations = frm.GetPane(2);
    ASSERT_EQ(2, controllers->GetItemCount());

    // The destination row of input 4 is chosen first: the link goes to the selected row.
    int inRow = -1;
    const auto& rows = destinations->Pane().GetRows();
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        if (rows[r].image == virtctrl::RowIn && rows[r].index == 3)
            inRow = r;
    ASSERT_LE(0, inRow);
    destinations->scrollToItem(destinations->Row(inRow));
    const QRect target = destinations->visualItemRect(destinations->Row(inRow));
    QTest::mouseClick(destinations->viewport(), Qt::LeftButton, {}, target.center());
    ASSERT_EQ(inRow, destinations->Pane().GetSelectedRow());
    ASSERT_EQ(0, table->GetLink(EP::In, 4));

    // The path the hand takes once the drag runs: over the row, then small moves.
    QWidget* port = controllers->viewport();
    const QPoint over = destinations->viewport()->mapToGlobal(target.center() - QPoint(20, 0));
    std::vector<QPoint> path{over};
    for (QPoint step : {QPoint(2, 0), QPoint(3, 0), QPoint(0, 2), QPoint(2, 0), QPoint(3, 1), QPoint(2, 0)})
        path.push_back(path.back() + step);
    auto pictureShown = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && (w->windowFlags() & Qt::WindowTransparentForInput))
                return true;
        return false;
    };
    std::vector<bool> shownAfterMove;
    std::vector<Qt::CursorShape> cursorAfterMove;
    size_t next = 0;
    bool released = false;
    bool shaped = false;
    // The hand rests over the row before letting go, longer than a tip
    // takes to come up: no tip of the dragged row is on the screen meanwhile.
    QElapsedTimer resting;
    bool tipSeen = false;
    // The drag runs its own loop from the move that starts it: the hand's
    // later moves arrive while it runs, as the system delivers them to the
    // view that holds the pressed mouse.
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] {
        tipSeen = tipSeen || QToolTip::isVisible() || controllers->TipRow() >= 0;
        if (next < path.size()) {
            QTest::mouseMove(port, port->mapFromGlobal(path[next++]));
            shownAfterMove.push_back(pictureShown());
            const QCursor* cursor = QGuiApplication::overrideCursor();
            cursorAfterMove.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
            resting.start();
        } else if (resting.elapsed() < 3 * kTipShowMs) {
            // resting
        } else if (!released) {
            // What the user sees before letting go: the window with the
            // picture in its own shape on top.
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (!w->isVisible() || !(w->windowFlags() & Qt::WindowTransparentForInput))
                    continue;
                shaped = !w->mask().isEmpty() && !w->testAttribute(Qt::WA_TranslucentBackground);
                QImage seen = frm.grab().toImage();
                QPainter painter(&seen);
                const QPoint at = frm.mapFromGlobal(w->pos());
                if (!w->mask().isEmpty())
                    painter.setClipRegion(w->mask().translated(at));
                painter.drawPixmap(at, w->grab());
                painter.end();
                seen.save(QStringLiteral("vc-drag-picture.png"));
            }
            released = true;
            QTest::mouseRelease(port, Qt::LeftButton, {}, port->mapFromGlobal(path.back()));
        }
    });
    hand.start(5);
    const QPoint start = controllers->visualItemRect(controllers->Row(1)).center();
    QTest::mousePress(port, Qt::LeftButton, {}, start);
    QTest::mouseMove(port, start + QPoint(1, 0));
    // This move starts the drag; it returns once the drag has ended.
    QTest::mouseMove(port, start + QPoint(QApplication::startDragDistance() + 4, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return released; }, 5000));
    hand.stop();

    EXPECT_FALSE(tipSeen) << "the row's tip stays up while the controller is dragged";
    EXPECT_EQ(std::vector<bool>(path.size(), true), shownAfterMove) << "the picture blinks under the pointer";
    EXPECT_EQ(std::vector<Qt::CursorShape>(path.size(), Qt::DragMoveCursor), cursorAfterMove);
    EXPECT_EQ(2, table->GetLink(EP::In, 4)) << "the drop was refused";
    EXPECT_TRUE(shaped) << "the picture travels on a square or needs a compositor";
    EXPECT_EQ(QString::fromStdString(table->GetOrCreateItem(2)->GetName()),
              destinations->GetItemText(inRow, 1));
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
}

// Escape leaves the controller as it was: what is typed in a field that still
// has the focus is dropped with the dialog; only a minimum or maximum whose
// field the user has left is already kept.
TEST_F(VirtCtrlWindow, EscapeDropsWhatIsTypedInTheFieldStillBeingEdited)
{
    CVirtCtrlItem* item = table->GetOrCreateItem(1);
    item->SetFloat(CVirtCtrlItem::Max, 10.0f);
    item->SetFloat(CVirtCtrlItem::Value, 2.0f);
    item->SetInt(CVirtCtrlItem::Steps, 10);
    auto typeAndEscape = [&](CValueEdit* (CVirtCtrlPropDlg::*field)() const, const char* text, bool leaveFirst) {
        CVirtCtrlPropDlg dlg(item, nullptr);
        dlg.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
        CValueEdit* edit = (dlg.*field)();
        QTest::mouseClick(edit, Qt::LeftButton);
        EXPECT_TRUE(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromLatin1(text));
        if (leaveFirst)
            QTest::keyClick(edit, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
    };
    h.doc().SetModifiedFlag(false);
    typeAndEscape(&CVirtCtrlPropDlg::MinimumEdit, "5", false);
    typeAndEscape(&CVirtCtrlPropDlg::MaximumEdit, "8", false);
    typeAndEscape(&CVirtCtrlPropDlg::OutputEdit, "7", false);
    typeAndEscape(&CVirtCtrlPropDlg::CurveEdit, "20", false);
    typeAndEscape(&CVirtCtrlPropDlg::StepsEdit, "99", false);
    EXPECT_FLOAT_EQ(0.0f, item->GetFloat(CVirtCtrlItem::Min));
    EXPECT_FLOAT_EQ(10.0f, item->GetFloat(CVirtCtrlItem::Max));
    EXPECT_FLOAT_EQ(2.0f, item->GetFloat(CVirtCtrlItem::Value));
    EXPECT_EQ(0, item->GetInt(CVirtCtrlItem::Curve));
    EXPECT_EQ(10, item->GetInt(CVirtCtrlItem::Steps));
    EXPECT_FALSE(h.doc().IsModified()) << "nothing was kept, nothing to save";

    typeAndEscape(&CVirtCtrlPropDlg::MinimumEdit, "5", true);
    EXPECT_FLOAT_EQ(5.0f, item->GetFloat(CVirtCtrlItem::Min));
}

// Looking at controllers changes nothing: leaving the properties with
// "Schließen" or stepping to the next controller changes no value (none is
// read back from the rounded form a field shows it in, nor recomputed from
// another field's) and asks no save of the project unless a value was
// changed; the download sends what the device held, and steps and a curve
// beyond a controller's range as the controller holds and the dialog shows
// them.
TEST_F(VirtCtrlWindow, ClosingThePropertiesUnchangedLeavesTheProjectUnmarked)
{
    const struct {
        int number;
        float min, max, value;
        int steps, curve;
        const char* valueLine;
        bool retyped = false;  // each field's text typed again over itself before leaving it
    } rows[] = {
        {1, 0.0f, 10.0f, 2.5f, 20, 0, "/VIRTCTRL/ENTRY1/VALUE 2.500000"},
        {2, 0.0f, 10.0f, 2.5f, 20, 0, "/VIRTCTRL/ENTRY2/VALUE 2.500000"},
        {5, 1.5f, 20.0f, 7.25f, 33, -7, "/VIRTCTRL/ENTRY5/VALUE 7.250000"},
        {6, 0.1234f, 9.8765f, 3.14159f, 7, 12, "/VIRTCTRL/ENTRY6/VALUE 3.141590"},
        {7, -5.0f, 5.0f, 0.0001f, 65535, 127, "/VIRTCTRL/ENTRY7/VALUE 0.000100"},
        // Beyond the fields' limits on the device: held at the limit, shown and kept so.
        {8, 0.0f, 1.0f, 0.5f, 70000, 200, "/VIRTCTRL/ENTRY8/VALUE 0.500000"},
        // A steep curve, and the values shown typed again.
        {9, 0.0f, 10.0f, 5.0f, 0, 999, "/VIRTCTRL/ENTRY9/VALUE 5.000000", true},
    };
    for (const auto& row : rows) {
        CVirtCtrlItem* item = table->GetOrCreateItem(row.number);
        item->SetFloat(CVirtCtrlItem::Min, row.min);
        item->SetFloat(CVirtCtrlItem::Max, row.max);
        item->SetFloat(CVirtCtrlItem::Value, row.value);
        item->SetInt(CVirtCtrlItem::Steps, row.steps);
        item->SetInt(CVirtCtrlItem::Curve, row.curve);
    }
    CObjectFrm frm(&h.doc());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.number);
        CVirtCtrlPropDlg dlg(Item(row.number), frm.GetPane(0));
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        auto* close = dlg.findChild<QPushButton*>(QStringLiteral("1"));
        ASSERT_NE(nullptr, close);
        h.doc().SetModifiedFlag(false);
        // Into each field and out again, as the user looks them over.
        for (CValueEdit* field : {dlg.CurveEdit(), dlg.MinimumEdit(), dlg.MaximumEdit(), dlg.StepsEdit(),
                                  dlg.OutputEdit(), dlg.NormalizedEdit()}) {
            QTest::mouseClick(field, Qt::LeftButton);
            if (row.retyped) {
                const QString shown = field->text();
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(field, shown);
            }
            QTest::keyClick(field, Qt::Key_Tab);
        }
        QTest::mouseClick(close, Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible());
        const CVirtCtrlItem* item = Item(row.number);
        EXPECT_EQ(row.min, item->GetFloat(CVirtCtrlItem::Min));
        EXPECT_EQ(row.max, item->GetFloat(CVirtCtrlItem::Max));
        EXPECT_EQ(row.value, item->GetFloat(CVirtCtrlItem::Value));
        EXPECT_EQ(vcmath::ClampSteps(row.steps), item->GetInt(CVirtCtrlItem::Steps));
        EXPECT_EQ(vcmath::ClampCurve(row.curve), item->GetInt(CVirtCtrlItem::Curve));
        EXPECT_FALSE(h.doc().IsModified());
    }
    h.link.lines.clear();
    frm.OnCommand(vcid::DownloadAll);
    for (const auto& row : rows)
        EXPECT_NE(h.link.lines.end(), std::find(h.link.lines.begin(), h.link.lines.end(), row.valueLine))
            << row.valueLine;
    for (const char* line : {"/VIRTCTRL/ENTRY8/STEPS 65535", "/VIRTCTRL/ENTRY8/CURVE 127", "/VIRTCTRL/ENTRY9/CURVE 127"})
        EXPECT_NE(h.link.lines.end(), std::find(h.link.lines.begin(), h.link.lines.end(), line)) << line;

    // Stepping on to the next controller changes nothing either; a step
    // count typed is kept and marks the project.
    CVirtCtrlPropDlg dlg(Item(1), nullptr);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    auto* next = dlg.findChild<QPushButton*>(QStringLiteral("1492"));
    auto* close = dlg.findChild<QPushButton*>(QStringLiteral("1"));
    ASSERT_TRUE(next && close);
    h.doc().SetModifiedFlag(false);
    QTest::mouseClick(next, Qt::LeftButton);
    ASSERT_EQ(Item(2), dlg.GetController());
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(h.doc().IsModified());

    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QTest::mouseClick(dlg.StepsEdit(), Qt::LeftButton);
    QTest::keyClick(dlg.StepsEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dlg.StepsEdit(), QStringLiteral("30"));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(30, Item(2)->GetInt(CVirtCtrlItem::Steps));
    EXPECT_TRUE(h.doc().IsModified());
}

// What the user types into the properties, field after field, and how he
// goes on: Tab, the next controller, "Schließen". A text that is no value of
// its field ("abc", "x", "3.5,5"; "1e2", "0x10" or "1e4" where a whole number
// belongs) shows the value in force again, never a text the dialog set before
// it. The pause before a value goes to the device gathers one controller's
// changes; moving on to another controller or closing sends the value still
// waiting at once, so that the device holds what the project holds.
TEST_F(VirtCtrlWindow, ARefusedTextShowsTheValueInForceAndEachControllerGetsItsLastValue)
{
    using Field = CValueEdit* (CVirtCtrlPropDlg::*)() const;
    const Field output = &CVirtCtrlPropDlg::OutputEdit, maximum = &CVirtCtrlPropDlg::MaximumEdit,
                curve = &CVirtCtrlPropDlg::CurveEdit, steps = &CVirtCtrlPropDlg::StepsEdit;
    enum class Go { Tab, Next, Close };
    struct Typed {
        Field field;
        const char* keys;
        Go go;
    };
    struct Shown {
        Field field;
        const char* text;
    };
    // Controller 1 runs 0..10 at 2, controller 2 0..0 at 0 with 10 steps, controller 3 0..10 at 1.
    const struct {
        int number;  // the controller the dialog opens on
        std::vector<Typed> typed;
        std::vector<Shown> shown;          // the fields afterwards
        std::vector<std::string> atOnce;   // the lines sent by the time the user has gone on
        const char* later;                 // the line sent after the pause, or none
        float max, value;                  // what that controller holds afterwards
        int curve, steps;
    } rows[] = {
        {2,
         {{maximum, "10", Go::Tab}, {output, "5", Go::Tab}, {output, "abc", Go::Tab}, {maximum, "x", Go::Tab},
          {output, "", Go::Close}},
         {{output, "5.000000"}, {maximum, "10.000"}},
         {"/VIRTCTRL/ENTRY2/VALUE 5.000000"}, nullptr, 10.0f, 5.0f, 0, 10},
        {1,
         {{output, "12", Go::Tab}, {output, "3", Go::Tab}, {output, "3.5,5", Go::Tab}, {output, "", Go::Close}},
         {{output, "3.000000"}},
         {"/VIRTCTRL/ENTRY1/VALUE 3.000000"}, nullptr, 10.0f, 3.0f, 0, 0},
        // Typed and the next controller clicked at once.
        {2,
         {{maximum, "10", Go::Tab}, {output, "6", Go::Next}},
         {{output, "1.000"}},
         {"/VIRTCTRL/ENTRY2/VALUE 6.000000"}, "/VIRTCTRL/ENTRY3/VALUE 1.000000", 10.0f, 6.0f, 0, 10},
        // Typed and "Schließen" clicked at once.
        {1, {{output, "6", Go::Close}}, {{output, "6"}}, {"/VIRTCTRL/ENTRY1/VALUE 6.000000"}, nullptr, 10.0f, 6.0f,
         0, 0},
        // The whole-number fields.
        {2,
         {{curve, "20", Go::Tab}, {curve, "1e2", Go::Tab}, {steps, "0x10", Go::Tab}, {output, "", Go::Close}},
         {{curve, "20"}, {steps, "10"}}, {}, nullptr, 0.0f, 0.0f, 20, 10},
        {2,
         {{curve, "1e4", Go::Tab}, {steps, "1e2", Go::Tab}, {steps, "1e4", Go::Tab}, {curve, "0x10", Go::Close}},
         {{curve, "0"}, {steps, "10"}}, {}, nullptr, 0.0f, 0.0f, 0, 10},
    };
    CObjectFrm frm(&h.doc());
    h.doc().SetConnected(1);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.number);
        for (const auto& [n, max, value, count] : {std::tuple{1, 10.0f, 2.0f, 0}, std::tuple{2, 0.0f, 0.0f, 10},
                                                   std::tuple{3, 10.0f, 1.0f, 0}}) {
            CVirtCtrlItem* item = table->GetOrCreateItem(n);
            item->SetFloat(CVirtCtrlItem::Min, 0.0f);
            item->SetFloat(CVirtCtrlItem::Max, max);
            item->SetFloat(CVirtCtrlItem::Value, value);
            item->SetInt(CVirtCtrlItem::Steps, count);
            item->SetInt(CVirtCtrlItem::Curve, 0);
        }
        h.link.lines.clear();
        CVirtCtrlPropDlg dlg(Item(row.number), frm.GetPane(0));
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        // The value the dialog shows at its opening goes first, after the pause.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h.link.lines.empty(); }, 2000));
        h.link.lines.clear();
        for (const Typed& t : row.typed) {
            CValueEdit* edit = (dlg.*t.field)();
            if (*t.keys) {
                QTest::mouseClick(edit, Qt::LeftButton);
                ASSERT_TRUE(edit->hasFocus());
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, QString::fromLatin1(t.keys));
            }
            if (t.go == Go::Tab)
                QTest::keyClick(edit, Qt::Key_Tab);
            else
                QTest::mouseClick(dlg.findChild<QPushButton*>(QLatin1String(t.go == Go::Next ? "1492" : "1")),
                                  Qt::LeftButton);
        }
        EXPECT_EQ(row.atOnce, h.link.lines);
        for (const Shown& shown : row.shown)
            EXPECT_EQ(shown.text, (dlg.*shown.field)()->text().toStdString());
        if (row.later) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return h.link.lines.size() > row.atOnce.size(); }, 2000));
            EXPECT_EQ(row.later, h.link.lines.back());
        }
        const CVirtCtrlItem* item = Item(row.number);
        EXPECT_EQ(row.max, item->GetFloat(CVirtCtrlItem::Max));
        EXPECT_EQ(row.value, item->GetFloat(CVirtCtrlItem::Value));
        EXPECT_EQ(row.curve, item->GetInt(CVirtCtrlItem::Curve));
        EXPECT_EQ(row.steps, item->GetInt(CVirtCtrlItem::Steps));
    }
    h.doc().SetConnected(0);
}

// Delete on a destination row removes its link; on a row without a link it
// changes nothing and asks no save of the project.
TEST_F(VirtCtrlWindow, DeleteOnARowWithoutALinkLeavesTheProjectUnmarked)
{
    table->GetOrCreateItem(1);
    table->SetLink(EP::In, 4, 1);
    table->SetLink(EP::Out, 1, 1);
    CObjectFrm frm(&h.doc());
    frm.resize(900, 400);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    virtctrl::CDesignerListView* destinations = frm.GetPane(2);
    auto rowOf = [&](int image, int index) {
        const auto& rows = destinations->Pane().GetRows();
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            if (rows[r].image == image && rows[r].index == index)
                return r;
        return -1;
    };
    auto deleteOn = [&](int row) {
        destinations->scrollToItem(destinations->Row(row));
        QTest::mouseClick(destinations->viewport(), Qt::LeftButton, {},
                          destinations->visualItemRect(destinations->Row(row)).center());
        ASSERT_EQ(row, destinations->Pane().GetSelectedRow());
        QTest::keyClick(destinations->viewport(), Qt::Key_Delete);
    };
    h.doc().SetModifiedFlag(false);
    deleteOn(rowOf(virtctrl::RowIn, 2));  // IN3: no link
    EXPECT_FALSE(h.doc().IsModified());
    deleteOn(rowOf(virtctrl::RowIn, 3));  // IN4
    EXPECT_EQ(0, table->GetLink(EP::In, 4));
    EXPECT_EQ(QString(), destinations->GetItemText(rowOf(virtctrl::RowIn, 3), 1));
    EXPECT_TRUE(h.doc().IsModified());
    h.doc().SetModifiedFlag(false);
    deleteOn(rowOf(virtctrl::RowIn, 3));  // IN4 again: nothing left to remove
    EXPECT_FALSE(h.doc().IsModified());
    EXPECT_EQ(1, table->GetLink(EP::Out, 1));
}

// The controller choice of a linked destination opens on the controller the
// row shows: Enter keeps the link (and asks no save), another choice moves it.
TEST_F(VirtCtrlWindow, TheControllerChoiceOpensOnTheShownControllerAndEnterKeepsIt)
{
    table->GetOrCreateItem(1);
    table->GetOrCreateItem(2);
    table->SetLink(EP::Out, 2, 2);
    CObjectFrm frm(&h.doc());
    frm.resize(900, 400);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    virtctrl::CDesignerListView* destinations = frm.GetPane(2);
    int row = -1;
    const auto& rows = destinations->Pane().GetRows();
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        if (rows[r].image == virtctrl::RowOut && rows[r].index == 1)
            row = r;
    ASSERT_LE(0, row);
    const QString shown = destinations->GetItemText(row, 1);
    ASSERT_EQ(QString::fromStdString(Item(2)->GetName()), shown);

    h.doc().SetModifiedFlag(false);
    QStringList preset;
    {
        QObject scope;  // the timer goes with the locals it writes
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            QList<int> chosen;
            dlg->List()->GetSelectedItems(&chosen);
            for (int r : chosen)
                preset << dlg->List()->GetItemText(r, 0);
            QTest::keyClick(dlg->List(), Qt::Key_Return);
        });
        destinations->scrollToItem(destinations->Row(row));
        const QPoint cell = destinations->visualRect(destinations->model()->index(row, 1)).center();
        QTest::mouseClick(destinations->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(destinations->viewport(), Qt::LeftButton, {}, cell);
    }
    EXPECT_EQ(shown.toStdString(), preset.join(QLatin1Char('|')).toStdString());
    EXPECT_EQ(2, table->GetLink(EP::Out, 2));
    EXPECT_EQ(shown, destinations->GetItemText(row, 1));
    EXPECT_FALSE(h.doc().IsModified());
}

// The curve is bent by its handle with the hand the knob turns with; the rest
// of the square shows the cross. Small moves to the right bend it step by step.
TEST_F(VirtCtrlWindow, TheCurveHandleShowsTheTurningHandAndBendsWithSmallMoves)
{
    CVirtCtrlPropDlg dlg(table->GetOrCreateItem(1), nullptr);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    CCurveCtrl* curve = dlg.Curve();
    const vcmath::Square handle = vcmath::HandleSquare(curve->Table());
    const QPoint onHandle((handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2);
    auto hover = [&](QPoint at) {
        // The mouse comes over the control without a button held.
        QMouseEvent move(QEvent::MouseMove, at, curve->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(curve, &move);
    };
    hover(QPoint(10, 90));
    EXPECT_EQ(Qt::CrossCursor, curve->cursor().shape());
    hover(onHandle);
    ASSERT_TRUE(curve->IsOverHandle());
    EXPECT_EQ(CPictureSet::Cursor(448).pixmap().toImage(), curve->cursor().pixmap().toImage());

    QTest::mousePress(curve, Qt::LeftButton, {}, onHandle);
    QPoint at = onHandle;
    for (int dx : {1, 2, 1, 2, 1}) {
        at += QPoint(dx, 0);
        QTest::mouseMove(curve, at);
        EXPECT_EQ(vcmath::CurveAtX(at.x()), curve->GetCurve()) << at.x();
        EXPECT_EQ(QString::number(curve->GetCurve()), dlg.CurveEdit()->text());
    }
    QTest::mouseRelease(curve, Qt::LeftButton, {}, at);
    EXPECT_GT(curve->GetCurve(), 0);

    // At 144 DPI the straight curve is one screen pixel thick all along.
    curve->SetCurve(0);
    QImage image(QSize(156, 156), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDevicePixelRatio(1.5);
    curve->render(&image);
    int drawn = 0;
    for (int x = 0; x < image.width(); ++x) {
        int black = 0;
        for (int y = 0; y < image.height(); ++y)
            black += image.pixel(x, y) == qRgb(0, 0, 0);
        EXPECT_LE(black, 1) << x;
        drawn += black > 0;
    }
    EXPECT_GT(drawn, 140);
}

// The user chooses a controller row with a click and, a moment later,
// double-clicks it: the properties open, and after "Schließen" no name editor
// is left open, so the next keys rename nothing. F2 still renames, and
// Escape there keeps the name and the window.
TEST_F(VirtCtrlWindow, ADoubleClickOnTheChosenRowOpensThePropertiesAndLeavesNoNameEditor)
{
    table->GetOrCreateItem(1);
    table->GetOrCreateItem(2);
    CObjectDlg host(&h.doc(), CObjectFrm::kWindowKind);
    host.show();
    host.resize(900, 400);
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    auto* frm = qobject_cast<CObjectFrm*>(host.m_pFrame.data());
    ASSERT_NE(nullptr, frm);
    virtctrl::CDesignerListView* pane = frm->GetPane(0);
    ASSERT_EQ(2, pane->GetItemCount());
    const std::string name = Item(2)->GetName();
    const QPoint at = pane->visualItemRect(pane->Row(1)).center();
    auto nameEditor = [&] {
        for (QLineEdit* e : pane->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return static_cast<QLineEdit*>(nullptr);
    };

    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(1, pane->Pane().GetSelectedRow());
    QTest::qWait(QApplication::doubleClickInterval() * 2);  // the user's pause
    bool opened = false;
    {
        QObject scope;  // the timer goes with the locals it writes
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CVirtCtrlPropDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            opened = true;
            // Longer than a single click waits before it begins a rename.
            QTest::qWait(QApplication::doubleClickInterval() * 3 / 2);
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
        });
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, at);
    }
    ASSERT_TRUE(opened);
    // The window is the active one again, as the system makes it.
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    QTest::qWait(QApplication::doubleClickInterval() * 2);
    EXPECT_EQ(nullptr, nameEditor());
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(nullptr, focus);
    QTest::keyClicks(focus, QStringLiteral("xy"));
    QTest::keyClick(focus, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(name, Item(2)->GetName());
    EXPECT_TRUE(host.isVisible());

    // F2 opens the name's editor; Escape after typing keeps name and window.
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_F2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return nameEditor() != nullptr; }, 5000));
    QTest::keyClick(nameEditor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(nameEditor(), QStringLiteral("Neu"));
    QTest::keyClick(nameEditor(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(name, Item(2)->GetName());
    EXPECT_TRUE(host.isVisible());
}

// The window opens at its designed size: the narrow controller pane shows the
// name's title whole and the ID column beside it, not behind a scroll bar.
TEST_F(VirtCtrlWindow, TheControllerPaneOpensWithBothColumnsInSight)
{
    for (int n = 1; n <= 40; ++n)  // more rows than the pane shows: its scroll bar takes room
        table->GetOrCreateItem(n);
    CObjectDlg host(&h.doc(), CObjectFrm::kWindowKind);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    auto* frm = qobject_cast<CObjectFrm*>(host.m_pFrame.data());
    ASSERT_NE(nullptr, frm);
    const QHeaderView* header = frm->GetPane(0)->header();
    const int end = header->sectionViewportPosition(1) + header->sectionSize(1);
    EXPECT_LE(end, header->viewport()->width()) << "pane " << frm->GetPane(0)->width() << " px";
}
