// Tree with object items: renaming through the object, item paths, lookups;
// the row the shared trees and lists rename in place.
#include "ui/CTreeCtrlEx.h"

#include "model/CBaseDevice.h"
#include "platform/MessageBox.h"
#include "ui/CListCtrl.h"

#include <QAbstractItemDelegate>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

namespace {
struct Recorder {
    std::vector<std::string> texts;
    MessageHandler old;
    Recorder()
    {
        old = SetMessageHandler([this](const std::string& t, uint32_t) {
            texts.push_back(t);
            return mb::IdOk;
        });
    }
    ~Recorder() { SetMessageHandler(old); }
};
}  // namespace

TEST(TreeCtrlEx, RenamingAnObjectRenamesEveryPlace)
{
    CTreeCtrlEx tree;
    CBaseDevice zone;
    zone.SetName("Zone 1");
    auto* root = new QTreeWidgetItem(&tree, {"/Anlage"});
    auto* a = new QTreeWidgetItem(root, {"Zone 1"});
    auto* group = new QTreeWidgetItem(root, {"Gruppe"});
    auto* b = new QTreeWidgetItem(group, {"Zone 1"});
    auto* other = new QTreeWidgetItem(&tree, {"/Zonen"});
    auto* c = new QTreeWidgetItem(other, {"Zone 1"});
    for (auto* i : {a, b, c})
        CTreeCtrlEx::SetObject(i, &zone);
    QSignalSpy spy(&tree, &CTreeCtrlEx::LabelEdited);
    tree.OnEndLabelEdit(b, "Halle");
    EXPECT_EQ(zone.GetName(), "Halle");
    EXPECT_EQ(a->text(0), "Halle");
    EXPECT_EQ(b->text(0), "Halle");
    EXPECT_EQ(c->text(0), "Halle");
    EXPECT_EQ(group->text(0), "Gruppe");
    EXPECT_EQ(spy.count(), 1);
}

TEST(TreeCtrlEx, RefusedNameKeepsLabelAndTellsNobody)
{
    Recorder rec;
    CTreeCtrlEx tree;
    CBaseDevice zone;
    zone.SetName("Zone 1");
    auto* a = new QTreeWidgetItem(&tree, {"Zone 1"});
    CTreeCtrlEx::SetObject(a, &zone);
    QSignalSpy spy(&tree, &CTreeCtrlEx::LabelEdited);
    tree.OnEndLabelEdit(a, "");
    EXPECT_EQ(a->text(0), "Zone 1");
    EXPECT_EQ(zone.GetName(), "Zone 1");
    EXPECT_EQ(rec.texts.size(), 1u);  // the object's own message
    EXPECT_EQ(spy.count(), 0);
    // Items without an object are never renamed.
    auto* plain = new QTreeWidgetItem(&tree, {"Text"});
    tree.OnEndLabelEdit(plain, "Neu");
    EXPECT_EQ(plain->text(0), "Text");
    EXPECT_EQ(spy.count(), 0);
}

TEST(TreeCtrlEx, OnlyObjectItemsOpenAnEditor)
{
    CTreeCtrlEx tree;
    CBaseDevice zone;
    auto* a = new QTreeWidgetItem(&tree, {"Zone"});
    CTreeCtrlEx::SetObject(a, &zone);
    auto* plain = new QTreeWidgetItem(&tree, {"Text"});
    plain->setFlags(plain->flags() | Qt::ItemIsEditable);
    tree.show();
    tree.setCurrentItem(plain);
    QTest::keyClick(&tree, Qt::Key_F2);
    EXPECT_EQ(tree.findChild<QLineEdit*>(), nullptr);
    tree.setCurrentItem(a);
    QTest::keyClick(&tree, Qt::Key_F2);
    auto* editor = tree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Neu");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(a->text(0), "Neu");
    EXPECT_EQ(zone.GetName(), "Neu");
}

TEST(TreeCtrlEx, PathsAndFindByData)
{
    CTreeCtrlEx tree;
    auto* r1 = new QTreeWidgetItem(&tree, {"/AUDIO"});
    auto* in1 = new QTreeWidgetItem(r1, {"IN1"});
    new QTreeWidgetItem(in1, {"VOL"});
    new QTreeWidgetItem(r1, {"IN2"});
    auto* r2 = new QTreeWidgetItem(&tree, {"/FAULT"});
    QStringList paths{"alt"};
    tree.GetItemPaths(paths);
    EXPECT_EQ(paths, (QStringList{"alt", "AUDIO", "AUDIO/IN1", "AUDIO/IN1/VOL", "AUDIO/IN2", "FAULT"}));
    CResizableTreeCtrl::SetItemData(in1->child(0), 5);
    CResizableTreeCtrl::SetItemData(r2, 5);
    EXPECT_EQ(tree.FindItemByData(tree.topLevelItem(0), 5), in1->child(0));
    EXPECT_EQ(tree.FindItemByData(r2, 5), r2);
    EXPECT_EQ(tree.FindItemByData(tree.topLevelItem(0), 6), nullptr);
    EXPECT_EQ(tree.FindItemByData(nullptr, 5), nullptr);
}

// Every shared tree and list that renames in place, with an owner that puts
// the current row back when another is clicked (a row that cannot be chosen,
// as the root of the amplifiers' tree): the row the click leaves highlighted
// is the current one, and F2 renames that row.
TEST(TreeCtrlEx, TheRowShownChosenIsTheRowF2Renames)
{
    CBaseDevice first, second;
    const struct {
        const char* view;
        std::function<QTreeWidget*()> make;
    } rows[] = {
        {"CTreeCtrlEx", [] { return new CTreeCtrlEx; }},
        {"CResizableTreeCtrl", [] { return new CResizableTreeCtrl; }},
        {"CListCtrl",
         [] {
             auto* list = new CListCtrl;
             list->InsertColumn(0, QStringLiteral("Name"), CListCtrl::LVCFMT_LEFT, 200);
             return list;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.view);
        std::unique_ptr<QTreeWidget> view(row.make());
        view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        auto* kept = new QTreeWidgetItem(view.get(), {"Verstärker 1"});
        auto* refused = new QTreeWidgetItem(view.get(), {"Verstärker"});
        for (auto [item, object] : {std::pair{kept, &first}, std::pair{refused, &second}}) {
            CTreeCtrlEx::SetObject(item, object);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
        view->setCurrentItem(kept);
        QObject::connect(view.get(), &QTreeWidget::currentItemChanged, view.get(),
                         [&view, kept, refused](QTreeWidgetItem* now) {
                             if (now == refused)
                                 view->setCurrentItem(kept);
                         });
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->setFocus();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(refused).center());
        EXPECT_EQ(kept, view->currentItem());
        EXPECT_EQ(QList<QTreeWidgetItem*>{kept}, view->selectedItems());
        QTest::keyClick(view.get(), Qt::Key_F2);
        const QLineEdit* editor = view->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(nullptr, editor);
        EXPECT_TRUE(view->visualItemRect(kept).contains(editor->geometry().center()));
        EXPECT_EQ(QStringLiteral("Verstärker 1"), editor->text());
    }
}
