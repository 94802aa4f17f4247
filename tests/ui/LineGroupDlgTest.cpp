// Zone and group selection dialogs: start contents, moving rows, OK result,
// group membership through the tree, renaming.
#include "ui/CEditListCtrl.h"
#include "ui/CLineGroupSelectDlg.h"
#include "ui/CLineGroupTreeDlg.h"
#include "ui/CResizableTreeCtrl.h"
#include "ui/CRowDragTracker.h"

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/LinkRecord.h"
#include "model/ObjectTypeCode.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

namespace {
class LineGroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CQuillomerDoc>();
        old = SetActiveDocHook([this] { return doc.get(); });
        for (int n = 1; n <= 4; ++n)
            zones.push_back(Add(OT_ZONE, CAT_ZONE, n, "Linie " + std::to_string(n)));
        for (int n = 0; n <= 6; ++n)
            groups.push_back(Add(OT_GROUP, CAT_GROUP, n, "Gruppe " + std::to_string(n)));
        other = Add(OT_MACRO, CAT_MACRO_FIRST_FOR_TEST, 1, "Makro");
        oldHandler = SetMessageHandler([this](const std::string& t, uint32_t) {
            messages.push_back(t);
            return mb::IdOk;
        });
    }
    void TearDown() override
    {
        SetMessageHandler(oldHandler);
        SetActiveDocHook(old);
        doc.reset();
        QSettings().remove("Configuration/D430");
        QSettings().remove("Configuration/D431");
    }
    static constexpr int32_t CAT_MACRO_FIRST_FOR_TEST = 13;
    CBaseDevice* Add(uint32_t type, int32_t category, int number, const std::string& name)
    {
        auto* o = new CBaseDevice;
        o->m_type = type;
        o->m_number = number;
        o->m_name = name;
        o->m_category = category;
        o->m_pDocument = doc.get();
        doc->AddObject(o, category);
        doc->GetIDManager().AddID(o, type, number);
        return o;
    }
    static QStringList Texts(CEditListCtrl* list)
    {
        QStringList t;
        for (int r = 0; r < list->GetItemCount(); ++r)
            t << list->GetItemText(r, 0);
        return t;
    }
    // The user's drag: press on `from` in `source`, move in small steps past
    // the drag distance, then onto `to` in `target`'s viewport and release
    // there. The moves go to the pressed view as the mouse grab sends them.
    static void DragWithMouse(QAbstractScrollArea* source, QPoint from, QAbstractScrollArea* target, QPoint to)
    {
        QWidget* port = source->viewport();
        auto move = [port](QPoint at) {
            QMouseEvent e(QEvent::MouseMove, QPointF(at), port->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
            QApplication::sendEvent(port, &e);
        };
        QTest::mousePress(port, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 10; ++step)
            move(from + QPoint(0, step));
        const QPoint end = port->mapFromGlobal(target->viewport()->mapToGlobal(to));
        move(end);
        QTest::mouseRelease(port, Qt::LeftButton, {}, end);
        QApplication::processEvents();
    }
    static void Select(CEditListCtrl* list, QList<int> rows)
    {
        list->clearSelection();
        for (int r : rows)
            list->Row(r)->setSelected(true);
    }
    void Link(CBaseDevice* group, CBaseDevice* member)
    {
        group->AddOutLink(group, 0, member, 0, member->GetCategory());
        member->AddInLink(member, 0, group, 0, group->GetCategory());
    }

    std::unique_ptr<CQuillomerDoc> doc;
    ActiveDocHook old;
    MessageHandler oldHandler;
    std::vector<std::string> messages;
    std::vector<CBaseDevice*> zones, groups;
    CBaseDevice* other = nullptr;
};
}  // namespace

TEST_F(LineGroupTest, SelectDialogStartsWithChosenOnTheRightAndOkWithoutMoveKeepsList)
{
    QList<CBaseDevice*> chosen{other, zones[2], groups[1]};
    CLineGroupSelectDlg dlg(&chosen);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Linien und Gruppen");
    EXPECT_EQ(Texts(dlg.ChosenList()), (QStringList{"Linie 3", "Gruppe 1"}));
    EXPECT_EQ(Texts(dlg.FreeList()), (QStringList{"Linie 1", "Linie 2", "Linie 4", "Gruppe 0", "Gruppe 2", "Gruppe 3",
                                                   "Gruppe 4", "Gruppe 5", "Gruppe 6"}));
    EXPECT_EQ(dlg.FreeList()->GetColumnHeading(0), "Name");
    EXPECT_EQ(dlg.FreeList()->GetItemImage(0), 0);
    EXPECT_EQ(dlg.FreeList()->GetItemImage(3), 1);
    dlg.accept();
    EXPECT_EQ(chosen, (QList<CBaseDevice*>{other, zones[2], groups[1]}));
}

TEST_F(LineGroupTest, MovingTwoZonesAndOk)
{
    QList<CBaseDevice*> chosen{other, zones[2], groups[1]};
    CLineGroupSelectDlg dlg(&chosen);
    dlg.show();
    Select(dlg.FreeList(), {0, 2});  // Linie 1 and Linie 4
    dlg.MoveSelected(dlg.FreeList());
    EXPECT_EQ(Texts(dlg.ChosenList()), (QStringList{"Linie 3", "Gruppe 1", "Linie 1", "Linie 4"}));
    EXPECT_EQ(dlg.FreeList()->GetItemCount(), 7);
    // Each row that moved up into a deleted place was selected (deleting from
    // the last: "Gruppe 0" took place 2, then "Linie 2" place 0).
    QList<int> sel;
    dlg.FreeList()->GetSelectedItems(&sel);
    ASSERT_EQ(sel.size(), 2);
    EXPECT_EQ(dlg.FreeList()->GetItemText(sel[0], 0), "Linie 2");
    EXPECT_EQ(dlg.FreeList()->GetItemText(sel[1], 0), "Gruppe 0");
    dlg.accept();
    EXPECT_EQ(chosen, (QList<CBaseDevice*>{zones[2], groups[1], zones[0], zones[3]}));
}

TEST_F(LineGroupTest, DropOutsideTheOtherListMovesNothing)
{
    QList<CBaseDevice*> chosen;
    CLineGroupSelectDlg dlg(&chosen);
    dlg.show();
    Select(dlg.FreeList(), {1});
    CRowDragTracker* drag = dlg.DragTracker();
    const QPoint rowPos = dlg.FreeList()->GetItemRect(1).center();
    ASSERT_TRUE(drag->Begin(dlg.FreeList(), rowPos));
    drag->End(dlg.FreeList()->viewport()->mapToGlobal(rowPos));  // dropped on itself
    EXPECT_FALSE(drag->IsDragging());
    EXPECT_EQ(dlg.ChosenList()->GetItemCount(), 0);
    // Onto the other list: moved.
    ASSERT_TRUE(drag->Begin(dlg.FreeList(), rowPos));
    drag->End(dlg.ChosenList()->viewport()->mapToGlobal(QPoint(10, 10)));
    EXPECT_EQ(Texts(dlg.ChosenList()), (QStringList{"Linie 2"}));
    EXPECT_TRUE(dlg.IsChanged());
    // A drag that starts outside any row does not start.
    EXPECT_FALSE(drag->Begin(dlg.ChosenList(), QPoint(5, dlg.ChosenList()->viewport()->height() - 2)));
    dlg.reject();
    EXPECT_TRUE(chosen.isEmpty());
}

TEST_F(LineGroupTest, TreeOffersOnlyLowerGroupsAndNoGroupZero)
{
    Link(groups[5], zones[1]);
    Link(groups[5], groups[2]);
    CLineGroupTreeDlg dlg(groups[5]);
    dlg.show();
    ASSERT_EQ(dlg.Tree()->topLevelItemCount(), 7);
    QTreeWidgetItem* g5 = dlg.Tree()->topLevelItem(5);
    EXPECT_EQ(dlg.Tree()->currentItem(), g5);
    ASSERT_EQ(g5->childCount(), 2);
    EXPECT_EQ(g5->child(0)->text(0), "Linie 2");
    // Offered: zones not yet members, groups below 5 except 0 and members; the
    // dialog's own object never.
    EXPECT_EQ(Texts(dlg.List()), (QStringList{"Gruppe 1", "Gruppe 3", "Gruppe 4", "Linie 1", "Linie 3", "Linie 4"}));
}

// The list's "Name" column takes 90 percent of the list's client width as
// the dialog opens, at its designed size and at a size kept from before, and
// 90 percent of the list's width when the user resizes the dialog.
TEST_F(LineGroupTest, TreeDialogsNameColumnTakesItsShareOfTheLaidOutList)
{
    for (const char* placement : {"", "60,60,900,560"}) {
        SCOPED_TRACE(placement);
        QSettings().setValue("Configuration/D431", QString::fromLatin1(placement));
        CLineGroupTreeDlg dlg(groups[5]);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        CEditListCtrl* list = dlg.List();
        const int client = list->viewport()->width();
        EXPECT_GT(client, 150);
        EXPECT_NEAR(list->GetColumnWidth(0), client * 90 / 100, 1);
        dlg.resize(dlg.width() + 160, dlg.height());
        QApplication::processEvents();
        EXPECT_NEAR(list->GetColumnWidth(0), list->width() * 90 / 100, 1);
        dlg.reject();
    }
}

TEST_F(LineGroupTest, TreeOpenedFromZoneNeverOffersIt)
{
    CLineGroupTreeDlg dlg(zones[0]);
    dlg.show();
    EXPECT_EQ(dlg.Tree()->currentItem(), dlg.Tree()->topLevelItem(0));
    EXPECT_FALSE(Texts(dlg.List()).contains("Linie 1"));
    dlg.Tree()->setCurrentItem(dlg.Tree()->topLevelItem(3));
    dlg.FillCandidates(dlg.Tree()->topLevelItem(3));
    EXPECT_FALSE(Texts(dlg.List()).contains("Linie 1"));
    EXPECT_TRUE(Texts(dlg.List()).contains("Linie 2"));
}

TEST_F(LineGroupTest, AddingAndRemovingMembersChangesLinks)
{
    CLineGroupTreeDlg dlg(groups[3]);
    dlg.show();
    QTreeWidgetItem* g3 = dlg.Tree()->topLevelItem(3);
    const int row = static_cast<int>(Texts(dlg.List()).indexOf("Linie 4"));
    ASSERT_GE(row, 0);
    Select(dlg.List(), {row});
    dlg.AddSelectedRowsToGroup();
    ASSERT_EQ(g3->childCount(), 1);
    EXPECT_EQ(g3->child(0)->text(0), "Linie 4");
    EXPECT_NE(groups[3]->GetOutLinkTo(zones[3]), nullptr);
    EXPECT_NE(zones[3]->GetInLinkFrom(groups[3]), nullptr);
    EXPECT_FALSE(Texts(dlg.List()).contains("Linie 4"));

    dlg.RemoveMember(g3->child(0));
    EXPECT_EQ(g3->childCount(), 0);
    EXPECT_EQ(groups[3]->GetOutLinkTo(zones[3]), nullptr);
    EXPECT_EQ(zones[3]->GetInLinkFrom(groups[3]), nullptr);
    EXPECT_TRUE(Texts(dlg.List()).contains("Linie 4"));
}

TEST_F(LineGroupTest, RenamingAZoneRenamesEveryTreeItem)
{
    for (int g : {2, 4, 6})
        Link(groups[g], zones[0]);
    CLineGroupTreeDlg dlg(groups[2]);
    dlg.show();
    QTreeWidgetItem* member = dlg.Tree()->topLevelItem(2)->child(0);
    dlg.OnEndTreeLabelEdit(member, "Foyer");
    EXPECT_EQ(zones[0]->GetName(), "Foyer");
    for (int g : {2, 4, 6})
        EXPECT_EQ(dlg.Tree()->topLevelItem(g)->child(0)->text(0), "Foyer");
    // A refused name changes no label.
    dlg.OnEndTreeLabelEdit(member, "");
    EXPECT_EQ(member->text(0), "Foyer");
    EXPECT_FALSE(messages.empty());

    // Typed with F2 and Enter, a name in use is changed with a message box;
    // the tree then edits again with F2, and Escape ends only that edit.
    SetMessageHandler([](const std::string&, uint32_t) {
        QMessageBox box(QApplication::activeWindow());
        QTimer::singleShot(50, &box, &QMessageBox::accept);
        box.exec();
        return mb::IdOk;
    });
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    // Keys go where the user's focus is.
    auto key = [&dlg](Qt::Key k) { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dlg, k); };
    QTest::mouseClick(dlg.Tree()->viewport(), Qt::LeftButton, {},
                      dlg.Tree()->visualItemRect(dlg.Tree()->topLevelItem(4)).center());
    for (const char* typed : {"Gruppe 5", "Halle"}) {
        key(Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_TRUE(qobject_cast<QLineEdit*>(editor) && dlg.Tree()->isAncestorOf(editor)) << typed;
        QTest::keyClicks(editor, QLatin1String(typed));  // over the selected old name
        key(Qt::Key_Return);
        QTest::qWait(150);
        dlg.activateWindow();  // as the desktop does when the message box is gone
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    EXPECT_EQ(groups[4]->GetName(), "Halle");
    key(Qt::Key_F2);
    key(Qt::Key_Escape);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(LineGroupTest, RenamingFromTheListRenamesTheRowAndEveryTreeItem)
{
    for (int g : {2, 4})
        Link(groups[g], zones[0]);
    CLineGroupTreeDlg dlg(groups[3]);
    dlg.show();
    const int row = static_cast<int>(Texts(dlg.List()).indexOf("Linie 1"));
    ASSERT_GE(row, 0);
    dlg.OnEndListLabelEdit(row, "Foyer");
    EXPECT_EQ(zones[0]->GetName(), "Foyer");
    EXPECT_EQ(dlg.List()->GetItemText(row, 0), "Foyer");
    for (int g : {2, 4})
        EXPECT_EQ(dlg.Tree()->topLevelItem(g)->child(0)->text(0), "Foyer");
    // A refused name changes no label.
    dlg.OnEndListLabelEdit(row, "");
    EXPECT_EQ(dlg.List()->GetItemText(row, 0), "Foyer");
    EXPECT_EQ(dlg.Tree()->topLevelItem(2)->child(0)->text(0), "Foyer");
}

// Group membership by mouse: a zone dragged onto the tree joins the group, a
// member dragged out of the tree onto the list leaves it; either change marks
// the project, so closing it offers to save.
TEST_F(LineGroupTest, MembersDraggedInAndOutByMouseMarkTheProject)
{
    Link(groups[3], zones[1]);
    doc->SetModifiedFlag(false);
    CLineGroupTreeDlg dlg(groups[3]);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidgetItem* g3 = dlg.Tree()->topLevelItem(3);
    ASSERT_EQ(g3->childCount(), 1);

    // Out: "Linie 2" leaves group 3 and is offered again.
    dlg.Tree()->expandItem(g3);
    QApplication::processEvents();
    DragWithMouse(dlg.Tree(), dlg.Tree()->visualItemRect(g3->child(0)).center(), dlg.List(), QPoint(20, 20));
    EXPECT_EQ(g3->childCount(), 0);
    EXPECT_EQ(groups[3]->GetOutLinkTo(zones[1]), nullptr);
    EXPECT_EQ(zones[1]->GetInLinkFrom(groups[3]), nullptr);
    EXPECT_TRUE(Texts(dlg.List()).contains("Linie 2"));
    EXPECT_TRUE(doc->IsModified());

    // In: "Linie 4" joins group 3.
    doc->SetModifiedFlag(false);
    const int row = static_cast<int>(Texts(dlg.List()).indexOf("Linie 4"));
    ASSERT_GE(row, 0);
    const QPoint at = dlg.List()->GetItemRect(row).center();
    QTest::mouseClick(dlg.List()->viewport(), Qt::LeftButton, {}, at);
    DragWithMouse(dlg.List(), at, dlg.Tree(), QPoint(30, 5));
    ASSERT_EQ(g3->childCount(), 1);
    EXPECT_EQ(g3->child(0)->text(0), "Linie 4");
    EXPECT_NE(groups[3]->GetOutLinkTo(zones[3]), nullptr);
    EXPECT_TRUE(doc->IsModified());
}
