// Resizable dialog: placement kept per template in the settings, restored
// before showing, never below the designed size, controls laid out in
// proportion from their recorded rectangles.
#include "ui/CResizableButton.h"
#include "ui/CResizableComboBox.h"
#include "ui/CResizableDialog.h"
#include "ui/CResizableEdit.h"
#include "ui/CResizableStatic.h"
#include "ui/CResizableTextEdit.h"
#include "ui/CResizableTreeCtrl.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

constexpr unsigned kTemplate = 430;

class TestDialog : public CResizableDialog {
public:
    explicit TestDialog(unsigned id = kTemplate) : CResizableDialog(id)
    {
        resize(400, 300);
        button = new CResizableButton(this);
        button->setGeometry(10, 10, 100, 30);
        edit = new CResizableEdit(this);
        edit->setGeometry(10, 50, 200, 24);
        combo = new CResizableComboBox(this);
        combo->setGeometry(10, 80, 150, 24);
        memo = new CResizableTextEdit(this);
        memo->setGeometry(10, 110, 300, 100);
        label = new CResizableStatic(this);
        label->setGeometry(33, 220, 77, 21);
        container = new QWidget(this);
        container->setGeometry(200, 10, 150, 40);
        grandchild = new CResizableButton(container);
        grandchild->setGeometry(5, 5, 50, 20);
        plain = new QPushButton(this);
        plain->setGeometry(300, 250, 80, 30);
    }
    CResizableButton* button;
    CResizableEdit* edit;
    CResizableComboBox* combo;
    CResizableTextEdit* memo;
    CResizableStatic* label;
    QWidget* container;
    CResizableButton* grandchild;
    QPushButton* plain;
};

class ResizableDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().remove(CResizableDialog::PlacementKey(kTemplate));
        QSettings().remove(CResizableDialog::PlacementKey(431));
    }
    void TearDown() override { SetUp(); }
};

QString Saved(unsigned id = kTemplate)
{
    return QSettings().value(CResizableDialog::PlacementKey(id)).toString();
}

}  // namespace

TEST_F(ResizableDialogTest, FirstOpeningKeepsTemplateSizeAndSavesNothing)
{
    TestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.size(), QSize(400, 300));
    EXPECT_EQ(dlg.GetDesignRect().size(), QSize(400, 300));
    EXPECT_EQ(dlg.minimumSize(), QSize(400, 300));
    EXPECT_EQ(dlg.button->geometry(), QRect(10, 10, 100, 30));
    // Showing alone is no size change by the user.
    EXPECT_TRUE(Saved().isEmpty() || Saved() == QString::asprintf("%d,%d,%d,%d", dlg.x(), dlg.y(), dlg.x() + 400, dlg.y() + 300));
}

TEST_F(ResizableDialogTest, ResizeIsSavedAtOnceAndRestoredBeforeShowing)
{
    QRect enlarged;
    {
        TestDialog dlg;
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.resize(600, 450);
        QApplication::processEvents();
        enlarged = dlg.geometry();
        EXPECT_EQ(enlarged.size(), QSize(600, 450));
        EXPECT_EQ(Saved(), QString::asprintf("%d,%d,%d,%d", enlarged.x(), enlarged.y(), enlarged.right() + 1,
                                             enlarged.bottom() + 1));
        // Controls follow at once: 1.5 times in both directions.
        EXPECT_EQ(dlg.button->geometry(), QRect(15, 15, 150, 45));
    }
    // The next dialog of the same template opens at the saved rectangle, with
    // its controls laid out for it before it is visible.
    TestDialog again;
    QRect buttonWhenShown;
    struct Spy : QObject {
        TestDialog* d;
        QRect* out;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (o == d && e->type() == QEvent::Show)
                *out = d->button->geometry();
            return false;
        }
    } spy;
    spy.d = &again;
    spy.out = &buttonWhenShown;
    again.installEventFilter(&spy);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.size(), QSize(600, 450));
    EXPECT_EQ(again.geometry().topLeft(), enlarged.topLeft());
    EXPECT_EQ(buttonWhenShown, QRect(15, 15, 150, 45));
    // The minimum stays the designed size, not the restored one.
    EXPECT_EQ(again.minimumSize(), QSize(400, 300));
}

TEST_F(ResizableDialogTest, NeverSmallerThanTemplateAndShrinksBackExactly)
{
    QSettings().setValue(CResizableDialog::PlacementKey(kTemplate), "100,100,700,550");
    TestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.size(), QSize(600, 450));
    dlg.resize(200, 100);
    QApplication::processEvents();
    EXPECT_EQ(dlg.size(), QSize(400, 300));
    EXPECT_EQ(dlg.button->geometry(), QRect(10, 10, 100, 30));
    EXPECT_EQ(dlg.edit->geometry(), QRect(10, 50, 200, 24));
    EXPECT_EQ(dlg.memo->geometry(), QRect(10, 110, 300, 100));
    EXPECT_EQ(dlg.label->geometry(), QRect(33, 220, 77, 21));
}

// A placement kept from a larger screen or another screen scale, or a
// dialog designed larger than its screen: the dialog opens whole on the
// screen it lies on (the test programs' second screen is 1000 x 700), its
// controls laid out for the room it got, and the kept placement stays.
TEST_F(ResizableDialogTest, OpensWholeOnItsScreenWhateverWasKept)
{
    QScreen* small = QGuiApplication::screenAt(QPoint(2000, 10));
    ASSERT_NE(nullptr, small) << "the test screens";
    const QRect area = small->availableGeometry();
    const struct {
        const char* kept;
        QSize designed;
    } cases[] = {
        {"1950,-40,3500,1400", QSize(400, 300)},  // larger than the screen and partly above it
        {"2800,600,3200,900", QSize(400, 300)},   // hanging over its corner
        {"", QSize(1200, 900)},                   // designed larger than the screen
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kept);
        QSettings().setValue(CResizableDialog::PlacementKey(kTemplate), c.kept);
        TestDialog dlg;
        dlg.resize(c.designed);
        if (!*c.kept)
            dlg.move(area.topLeft() + QPoint(50, 50));
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        QApplication::processEvents();
        EXPECT_TRUE(area.contains(dlg.frameGeometry())) << dlg.frameGeometry().x() << "," << dlg.frameGeometry().y()
                                                        << " " << dlg.frameGeometry().width() << "x"
                                                        << dlg.frameGeometry().height();
        // The controls follow the room the dialog got.
        EXPECT_EQ(dlg.button->geometry(),
                  QRect(10 * dlg.width() / c.designed.width(), 10 * dlg.height() / c.designed.height(),
                        100 * dlg.width() / c.designed.width(), 30 * dlg.height() / c.designed.height()));
        EXPECT_EQ(QString::fromLatin1(c.kept), Saved());
    }
}

TEST_F(ResizableDialogTest, SavedSizeBelowTemplateIsRaisedToTemplate)
{
    QSettings().setValue(CResizableDialog::PlacementKey(kTemplate), "10,20,110,70");
    TestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.size(), QSize(400, 300));
}

TEST_F(ResizableDialogTest, BrokenEntriesKeepTemplatePlacement)
{
    for (const char* bad : {"", "1,2,3", "a,b,c,d", "garbage"}) {
        QSettings().setValue(CResizableDialog::PlacementKey(kTemplate), bad);
        TestDialog dlg;
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        EXPECT_EQ(dlg.size(), QSize(400, 300)) << bad;
    }
}

TEST_F(ResizableDialogTest, PlacementIsPerTemplate)
{
    QSettings().setValue(CResizableDialog::PlacementKey(kTemplate), "100,100,700,550");
    TestDialog other(431);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    EXPECT_EQ(other.size(), QSize(400, 300));
}

TEST_F(ResizableDialogTest, SingleLineControlsKeepHeightMultiLineGrows)
{
    TestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.resize(400, 600);
    QApplication::processEvents();
    EXPECT_EQ(dlg.edit->geometry(), QRect(10, 100, 200, 24));
    EXPECT_EQ(dlg.combo->geometry(), QRect(10, 160, 150, 24));
    EXPECT_EQ(dlg.memo->geometry(), QRect(10, 220, 300, 200));
    EXPECT_EQ(dlg.button->geometry(), QRect(10, 20, 100, 60));
}

TEST_F(ResizableDialogTest, RoundTripAndTruncation)
{
    TestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.resize(413, 317);
    QApplication::processEvents();
    // 33*413/400 = 34.07 -> 34; 77*413/400 = 79.5 -> 79; 220*317/300 = 232.4 -> 232
    EXPECT_EQ(dlg.label->geometry(), QRect(34, 232, 79, 22));
    dlg.resize(600, 450);
    QApplication::processEvents();
    dlg.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(dlg.label->geometry(), QRect(33, 220, 77, 21));
}

TEST_F(ResizableDialogTest, OnlyRecordedDirectChildrenMove)
{
    TestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    // Created in code after initialisation: stays unless it records itself.
    auto* late = new CResizableButton(&dlg);
    late->setGeometry(20, 200, 40, 20);
    late->show();
    auto* lateRecorded = new CResizableButton(&dlg);
    lateRecorded->setGeometry(20, 200, 40, 20);
    lateRecorded->show();
    lateRecorded->OnInitCtrl();
    dlg.resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(late->geometry(), QRect(20, 200, 40, 20));
    EXPECT_EQ(lateRecorded->geometry(), QRect(40, 400, 80, 40));
    EXPECT_EQ(dlg.grandchild->geometry(), QRect(5, 5, 50, 20));
    EXPECT_EQ(dlg.plain->geometry(), QRect(300, 250, 80, 30));
    // A null sender is ignored.
    CRepositionEvent e(CRepositionEvent::RepositionType(), nullptr);
    QCoreApplication::sendEvent(dlg.button, &e);
    EXPECT_EQ(dlg.button->geometry(), QRect(20, 20, 200, 60));
}

TEST_F(ResizableDialogTest, ShownTwiceKeepsFirstMinimumAndRecords)
{
    TestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.resize(800, 600);
    QApplication::processEvents();
    dlg.hide();
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.size(), QSize(800, 600));
    EXPECT_EQ(dlg.minimumSize(), QSize(400, 300));
    dlg.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(dlg.button->geometry(), QRect(10, 10, 100, 30));
}

TEST_F(ResizableDialogTest, LayoutPlacesControlsAndRaisesTheMinimum)
{
    // Designed smaller than its texts need: the layout's minimum wins.
    CResizableDialog dlg(kTemplate);
    auto* label = new CResizableStatic(QStringLiteral("Eine recht lange Beschriftung, die Platz braucht"), &dlg);
    auto* button = new CResizableButton(QStringLiteral("OK"), &dlg);
    auto* column = new QVBoxLayout(&dlg);
    column->addWidget(label);
    column->addWidget(button);
    dlg.resize(40, 30);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    const QSize needed = dlg.layout()->totalMinimumSize();
    EXPECT_EQ(dlg.minimumSize(), needed);
    EXPECT_GE(label->width(), label->minimumSizeHint().width());
    dlg.resize(needed.width() * 2, needed.height() * 2);
    QApplication::processEvents();
    // Still saved per template; the layout, not the proportions, places the label.
    EXPECT_FALSE(Saved().isEmpty());
    EXPECT_EQ(label->width(), dlg.width() - column->contentsMargins().left() - column->contentsMargins().right());
    dlg.resize(10, 10);
    QApplication::processEvents();
    EXPECT_EQ(dlg.size(), needed);
}

TEST(ResizableTreeCtrl, FindAndRenameByData)
{
    CResizableTreeCtrl tree;
    auto* a = new QTreeWidgetItem(&tree, {"a"});
    auto* a1 = new QTreeWidgetItem(a, {"a1"});
    auto* a2 = new QTreeWidgetItem(a, {"a2"});
    auto* b = new QTreeWidgetItem(&tree, {"b"});
    auto* b1 = new QTreeWidgetItem(b, {"b1"});
    CResizableTreeCtrl::SetItemData(a1, 7);
    CResizableTreeCtrl::SetItemData(b, 7);
    CResizableTreeCtrl::SetItemData(b1, 7);
    CResizableTreeCtrl::SetItemData(a2, 8);
    QList<QTreeWidgetItem*> found;
    tree.FindItemsByData(found, tree.topLevelItem(0), 7);
    EXPECT_EQ(found, (QList<QTreeWidgetItem*>{a1, b, b1}));
    found.clear();
    tree.FindItemsByData(found, nullptr, 7);
    EXPECT_TRUE(found.isEmpty());
    tree.SetItemTextByData(7, "neu");
    EXPECT_EQ(a1->text(0), "neu");
    EXPECT_EQ(b->text(0), "neu");
    EXPECT_EQ(b1->text(0), "neu");
    EXPECT_EQ(a2->text(0), "a2");
}
