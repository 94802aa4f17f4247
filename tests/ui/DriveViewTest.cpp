// Drive and directory tree: first fixed drive opened, placeholders, lazy
// reading, refused openings, paths and the frame's status bar.
#include "ui/CDriveView.h"

#include <QDir>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class DriveViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        home = tmp.filePath("home");
        QDir(tmp.path()).mkpath("home/Daten/Projekte/Alt");
        QDir(tmp.path()).mkpath("home/Leer");
        QDir(tmp.path()).mkpath("root/etc");
        const QString h = home, r = tmp.filePath("root"), missing = tmp.filePath("cdrom");
        const QString usb = tmp.filePath("usb");
        const QString usbPath = usb, nowhere = tmp.filePath("nowhere");
        old = CDriveView::SetDriveProvider([=] {
            return QList<CDriveView::Drive>{{usbPath, CDriveView::DriveRemovable},
                                            {h, CDriveView::DriveFixed},
                                            {r, CDriveView::DriveFixed},
                                            {missing, CDriveView::DriveCdRom},
                                            {nowhere, CDriveView::DriveFixed},
                                            {r, CDriveView::DriveUnknown}};
        });
    }
    void TearDown() override { CDriveView::SetDriveProvider(old); }

    static QTreeWidgetItem* Child(QTreeWidgetItem* item, const QString& text)
    {
        for (int i = 0; i < item->childCount(); ++i)
            if (item->child(i)->text(0) == text)
                return item->child(i);
        return nullptr;
    }

    QTemporaryDir tmp;
    QString home;
    CDriveView::DriveProvider old;
};
}  // namespace

TEST_F(DriveViewTest, FirstFixedDriveOpensOnlyInFirstView)
{
    QMainWindow frame;
    auto* view = new CDriveView(&frame);
    frame.setCentralWidget(view);
    // Unknown kinds and drives without a root directory are left out.
    ASSERT_EQ(view->topLevelItemCount(), 3 + 0 + 1);
    QTreeWidgetItem* usb = view->topLevelItem(0);
    QTreeWidgetItem* homeItem = view->topLevelItem(1);
    EXPECT_EQ(homeItem->text(0), home);
    EXPECT_TRUE(homeItem->isExpanded());
    EXPECT_EQ(view->currentItem(), homeItem);
    EXPECT_NE(Child(homeItem, "Daten"), nullptr);
    EXPECT_FALSE(view->topLevelItem(2)->isExpanded());
    // A removable drive gets a button without being read.
    ASSERT_EQ(usb->childCount(), 1);
    EXPECT_TRUE(CDriveView::IsPlaceholder(usb->child(0)));
    EXPECT_FALSE(CDriveView::FirstDriveFlag());

    CDriveView second;
    EXPECT_FALSE(second.topLevelItem(1)->isExpanded());
    delete view;
    EXPECT_TRUE(CDriveView::FirstDriveFlag());
}

TEST_F(DriveViewTest, DriveWithoutMediumKeepsItsButton)
{
    CDriveView view;
    QTreeWidgetItem* cd = view.topLevelItem(3);
    ASSERT_EQ(cd->text(0), tmp.filePath("cdrom"));
    ASSERT_EQ(cd->childCount(), 1);
    view.expandItem(cd);
    EXPECT_FALSE(cd->isExpanded());
    ASSERT_EQ(cd->childCount(), 1);
    EXPECT_TRUE(CDriveView::IsPlaceholder(cd->child(0)));
}

TEST_F(DriveViewTest, ButtonsFollowSubdirectoriesReadAfresh)
{
    CDriveView view;
    QTreeWidgetItem* homeItem = view.topLevelItem(1);
    QTreeWidgetItem* leer = Child(homeItem, "Leer");
    ASSERT_NE(leer, nullptr);
    EXPECT_EQ(leer->childCount(), 0);  // no subdirectory: no button
    QDir(home).mkpath("Leer/Neu");
    view.collapseItem(homeItem);
    EXPECT_EQ(homeItem->childCount(), 1);  // the drive's placeholder
    view.expandItem(homeItem);
    leer = Child(homeItem, "Leer");
    ASSERT_NE(leer, nullptr);
    ASSERT_EQ(leer->childCount(), 1);
    EXPECT_TRUE(CDriveView::IsPlaceholder(leer->child(0)));
    view.expandItem(leer);
    ASSERT_EQ(leer->childCount(), 1);
    EXPECT_EQ(leer->child(0)->text(0), "Neu");
    // The directory vanished outside: opening it is refused and its button goes.
    QTreeWidgetItem* daten = Child(homeItem, "Daten");
    ASSERT_NE(daten, nullptr);
    QDir(home + "/Daten/Projekte").removeRecursively();
    view.expandItem(daten);
    EXPECT_FALSE(daten->isExpanded());
    EXPECT_EQ(daten->childCount(), 0);
}

TEST_F(DriveViewTest, SelectionPathGoesToStatusBar)
{
    QMainWindow frame;
    auto* view = new CDriveView(&frame);
    frame.setCentralWidget(view);
    frame.statusBar();
    QTreeWidgetItem* homeItem = view->topLevelItem(1);
    QTreeWidgetItem* daten = Child(homeItem, "Daten");
    ASSERT_NE(daten, nullptr);
    view->expandItem(daten);
    QTreeWidgetItem* projekte = Child(daten, "Projekte");
    ASSERT_NE(projekte, nullptr);
    view->setCurrentItem(projekte);
    EXPECT_EQ(view->GetSelectedPath(), home + "/Daten/Projekte");
    EXPECT_EQ(frame.statusBar()->currentMessage(), home + "/Daten/Projekte");
    EXPECT_EQ(view->GetPathFromItem(projekte), home + "/Daten/Projekte");
}

TEST(DriveView, PathJoinsWithoutDoubleSeparator)
{
    auto old = CDriveView::SetDriveProvider([] { return QList<CDriveView::Drive>{}; });
    CDriveView view;
    auto* root = new QTreeWidgetItem(&view, {"/"});
    auto* etc = new QTreeWidgetItem(root, {"etc"});
    auto* deeper = new QTreeWidgetItem(etc, {"x"});
    EXPECT_EQ(view.GetPathFromItem(etc), "/etc");
    EXPECT_EQ(view.GetPathFromItem(deeper), "/etc/x");
    EXPECT_EQ(view.GetPathFromItem(root), "/");
    CDriveView::SetDriveProvider(old);
    // The real machine: the home directory first.
    const auto drives = CDriveView::SystemDrives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first().root, QDir::cleanPath(QDir::homePath()));
}
