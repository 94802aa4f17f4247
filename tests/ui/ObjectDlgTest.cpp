// Feature window host: placement shared by all kinds, captions, switching
// commands, registered and missing frames.
#include "ui/CObjectDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {
class ObjectDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().remove(CObjectDlg::SettingsKey());
        for (int k : {1, 6, 7, 12})
            old[k] = CObjectDlg::RegisterFrame(k, [k](CQuillomerDoc*, QWidget* parent) {
                auto* frame = new QLabel(QString("frame %1").arg(k), parent);
                frame->setObjectName(QString("kind%1").arg(k));
                return frame;
            });
    }
    void TearDown() override
    {
        for (auto& [k, f] : old)
            CObjectDlg::RegisterFrame(k, f);
        QSettings().remove(CObjectDlg::SettingsKey());
    }
    std::map<int, CObjectDlg::FrameFactory> old;
};
}  // namespace

TEST_F(ObjectDlgTest, FirstRunDefaultPlacementAndBrokenValueIgnored)
{
    {
        CObjectDlg dlg(nullptr, 6);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        EXPECT_EQ(dlg.geometry(), QRect(20, 20, 780, 400));
        EXPECT_EQ(dlg.windowTitle(), "Eigenschaften von Monitoreinträgen");
        ASSERT_TRUE(dlg.m_pFrame);
        EXPECT_EQ(dlg.m_pFrame->objectName(), "kind6");
        EXPECT_EQ(dlg.m_pFrame->geometry(), dlg.rect());
    }
    QSettings().setValue(CObjectDlg::SettingsKey(), "100,100,500");
    CObjectDlg dlg(nullptr, 6);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.geometry(), QRect(20, 20, 780, 400));
}

TEST_F(ObjectDlgTest, PlacementIsSharedByAllKinds)
{
    {
        CObjectDlg dlg(nullptr, 6);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.setGeometry(150, 160, 640, 480);
        QApplication::processEvents();
        EXPECT_EQ(dlg.m_pFrame->geometry(), QRect(0, 0, 640, 480));
    }
    EXPECT_EQ(QSettings().value(CObjectDlg::SettingsKey()).toString(), "150,160,640,480");
    CObjectDlg dlg(nullptr, 12);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.geometry(), QRect(150, 160, 640, 480));
    EXPECT_EQ(dlg.windowTitle(), "Eigenschaften von allgemeinen Bedingungen");
}

// A frame that needs more room than the kept size widens the window while
// it is shown, but that room is not kept: every frame opens at the kept size
// or at its own minimum, whichever is larger, and only a size the user gives
// the window is kept for the others.
TEST_F(ObjectDlgTest, AFramesRoomIsNotKeptButTheUsersSizeIs)
{
    struct Restore {
        std::map<int, CObjectDlg::FrameFactory> before;
        ~Restore()
        {
            for (auto& [kind, factory] : before)
                CObjectDlg::RegisterFrame(kind, factory);
        }
    } restore;
    for (auto [kind, room] : {std::pair{7, QSize(795, 436)}, std::pair{19, QSize(795, 554)}})
        restore.before[kind] = CObjectDlg::RegisterFrame(kind, [kind, room](CQuillomerDoc*, QWidget* parent) {
            auto* frame = new QLabel(QString("frame %1").arg(kind), parent);
            frame->setMinimumSize(room);
            return frame;
        });
    auto switchTo = [](CObjectDlg& dlg, int kind) {
        ASSERT_TRUE(dlg.OnCommand(CObjectDlg::SwitchCommand(kind)));
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    {
        CObjectDlg dlg(nullptr, 7);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        EXPECT_EQ(dlg.size(), QSize(795, 436));
        switchTo(dlg, 19);
        EXPECT_EQ(dlg.size(), QSize(795, 554));
        switchTo(dlg, 7);
        EXPECT_EQ(dlg.size(), QSize(795, 436));
        switchTo(dlg, 6);
        EXPECT_EQ(dlg.size(), QSize(780, 400));
        EXPECT_EQ(dlg.m_pFrame->geometry(), dlg.rect());
    }
    EXPECT_EQ(QSettings().value(CObjectDlg::SettingsKey()).toString(), "20,20,780,400");
    {
        CObjectDlg dlg(nullptr, 19);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        EXPECT_EQ(dlg.size(), QSize(795, 554));
        // The user's size is kept for the frames that need less room.
        dlg.resize(900, 560);
        QApplication::processEvents();
        switchTo(dlg, 7);
        EXPECT_EQ(dlg.size(), QSize(900, 560));
        switchTo(dlg, 6);
        EXPECT_EQ(dlg.size(), QSize(900, 560));
        // Also one below the room of the frames shown before.
        dlg.resize(820, 420);
        QApplication::processEvents();
        switchTo(dlg, 19);
        EXPECT_EQ(dlg.size(), QSize(820, 554));
        switchTo(dlg, 7);
        EXPECT_EQ(dlg.size(), QSize(820, 436));
        switchTo(dlg, 6);
        EXPECT_EQ(dlg.size(), QSize(820, 420));
    }
    EXPECT_EQ(QSettings().value(CObjectDlg::SettingsKey()).toString(), "20,20,820,420");
    CObjectDlg dlg(nullptr, 12);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.geometry(), QRect(20, 20, 820, 420));
}

TEST_F(ObjectDlgTest, SwitchingCommandFromInsideTheFrame)
{
    CObjectDlg dlg(nullptr, 6);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QPointer<QWidget> monitor = dlg.m_pFrame;
    // The frame's own tool bar sends the command.
    auto* button = new QPushButton(monitor);
    QObject::connect(button, &QPushButton::clicked, [button] { CObjectDlg::SendCommand(button, 32993); });
    button->click();
    EXPECT_EQ(dlg.windowTitle(), "Eigenschaften von Makros");
    EXPECT_EQ(dlg.GetShownKind(), 7);
    ASSERT_TRUE(dlg.m_pFrame);
    EXPECT_EQ(dlg.m_pFrame->objectName(), "kind7");
    EXPECT_EQ(dlg.m_pFrame->geometry(), dlg.rect());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(monitor);
    // Other commands are not the host's.
    EXPECT_FALSE(dlg.OnCommand(12345));
    EXPECT_EQ(dlg.GetShownKind(), 7);
}

TEST_F(ObjectDlgTest, UnknownKindsShowVirtualControllerFrameWithoutCaption)
{
    for (int kind : {0, 29}) {
        CObjectDlg dlg(nullptr, kind);
        dlg.show();
        ASSERT_TRUE(dlg.m_pFrame);
        EXPECT_EQ(dlg.m_pFrame->objectName(), "kind1");
        EXPECT_EQ(dlg.windowTitle(), "");
    }
}

TEST_F(ObjectDlgTest, KindWithoutFrameShowsEmptyFrameAndSaysSo)
{
    // Whatever the program has registered for the kind is taken away for the test.
    const CObjectDlg::FrameFactory registered = CObjectDlg::RegisterFrame(28, nullptr);
    {
        CObjectDlg dlg(nullptr, 28);
        dlg.show();
        ASSERT_TRUE(dlg.m_pFrame);
        EXPECT_TRUE(dlg.IsPlaceholderFrame());
        EXPECT_EQ(dlg.windowTitle(), "Linientest (noch nicht verfügbar)");
    }
    if (registered)
        CObjectDlg::RegisterFrame(28, registered);
    EXPECT_EQ(CObjectDlg::KindOfCommand(34585), 25);
    EXPECT_EQ(CObjectDlg::SwitchCommand(3), 0u);
    EXPECT_EQ(CObjectDlg::KindOfCommand(0), 0);
}
