// Progress dialogs: percent texts, cancel flag, owner disabled while shown,
// events dispatched inside the step calls.
#include "ui/CAnimateCtrl.h"
#include "ui/CAnimateProgressDlg.h"
#include "ui/CProgressDlg.h"

#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(ProgressDlg, PercentTexts)
{
    CProgressDlg plain(34362);
    ASSERT_TRUE(plain.Create(nullptr));
    plain.SetRange(0, 100);
    plain.SetPos(40);
    EXPECT_EQ(plain.GetPercentText(), "40 %");
    plain.SetPos(100);
    EXPECT_EQ(plain.GetPercentText(), "100 %");
    plain.SetRange(0, 50);
    plain.SetPos(75);
    EXPECT_EQ(plain.GetPercentText(), "50 %");  // 150 modulo 100
    plain.SetRange(0, 60);
    plain.SetPercentFormat("%d s");
    plain.SetPos(30);
    EXPECT_EQ(plain.GetPercentText(), "50 s");
    EXPECT_EQ(plain.windowTitle(), "Verbinden");

    CAnimateProgressDlg animated;
    animated.m_bSecondAnimation = true;
    ASSERT_TRUE(animated.Create(nullptr));
    animated.SetRange(0, 100);
    animated.SetPos(40);
    EXPECT_EQ(animated.GetPercentText(), "40%");
    EXPECT_EQ(animated.windowTitle(), "Einstellungen übertragen");
    EXPECT_EQ(animated.Animation()->GetAnimation(), 468);
    EXPECT_TRUE(animated.Animation()->IsPlaying());
    EXPECT_EQ(animated.Animation()->FrameCount(), 16);
    animated.SetStep(10);
    EXPECT_EQ(animated.StepIt(), 40);
    EXPECT_EQ(animated.GetPos(), 50);
    EXPECT_EQ(animated.GetPercentText(), "50%");
}

// A new range that leaves the position outside moves the bar to the nearer
// bound, and the percent text tells the same as the bar; the animated
// dialog shows its percent text from the start.
TEST(ProgressDlg, BarAndPercentTextAgreeAcrossRangeChanges)
{
    CAnimateProgressDlg download;
    download.m_bSecondAnimation = true;
    ASSERT_TRUE(download.Create(nullptr));
    EXPECT_EQ(download.GetPercentText(), " 0 %");
    download.SetRange(0, 20);
    download.SetPos(20);
    EXPECT_EQ(download.GetPercentText(), "100%");
    download.SetRange(100, 400);
    EXPECT_EQ(download.GetPos(), 100);
    EXPECT_EQ(download.GetPercentText(), "0%");
    download.SetPos(250);
    download.SetRange(0, 200);
    EXPECT_EQ(download.GetPos(), 200);
    EXPECT_EQ(download.GetPercentText(), "100%");

    CProgressDlg plain(34362);
    plain.SetRange(0, 60);  // before the dialog exists: nothing to keep
    ASSERT_TRUE(plain.Create(nullptr));
    plain.SetPos(30);
    plain.SetRange(40, 50);
    EXPECT_EQ(plain.GetPos(), 40);
    EXPECT_EQ(plain.GetPercentText(), "0 %");
}

TEST(ProgressDlg, DefaultCaptionsAndFirstAnimation)
{
    CProgressDlg plain;
    ASSERT_TRUE(plain.Create(nullptr));
    EXPECT_EQ(plain.windowTitle(), "'Netscan'  durchführen");
    CAnimateProgressDlg text(115);
    text.m_bSecondAnimation = false;
    ASSERT_TRUE(text.Create(nullptr));
    EXPECT_EQ(text.windowTitle(), "Textfile senden");
    EXPECT_EQ(text.Animation()->GetAnimation(), 467);
    EXPECT_EQ(CProgressDlg::Percent(5, 5, 5), 0);  // an empty range divides by nothing
}

TEST(ProgressDlg, CancelFlagRaisedOnceAndDialogStays)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    auto* cancel = dlg.findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Abbrechen");
    cancel->click();
    cancel->click();
    EXPECT_TRUE(dlg.CheckCancelButton());
    EXPECT_FALSE(dlg.CheckCancelButton());
    EXPECT_TRUE(dlg.isVisible());
    // Escape raises it as well.
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.CheckCancelButton());
}

TEST(ProgressDlg, CancelClickedDuringOperationIsSeenByThePoll)
{
    QMainWindow owner;
    owner.show();
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(&owner));
    auto* cancel = dlg.findChild<QPushButton*>();
    // A click that arrives while the operation's loop runs.
    QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
    int steps = 0;
    bool cancelled = false;
    for (; steps < 1000 && !cancelled; ++steps) {
        dlg.SetPos(steps % 100);
        cancelled = dlg.CheckCancelButton();
    }
    EXPECT_TRUE(cancelled);
    EXPECT_LT(steps, 5);
}

TEST(ProgressDlg, OwnerDisabledWhileShown)
{
    QMainWindow owner;
    owner.show();
    {
        CProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(&owner));
        EXPECT_FALSE(owner.isEnabled());
        EXPECT_TRUE(dlg.m_bParentDisabled);
        EXPECT_TRUE(dlg.isEnabled());
        EXPECT_TRUE(dlg.findChild<QPushButton*>()->isEnabled());
        EXPECT_TRUE(dlg.DestroyWindow());
        EXPECT_TRUE(owner.isEnabled());
    }
    EXPECT_TRUE(owner.isEnabled());
    {
        // The destructor re-enables as well.
        CAnimateProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(&owner));
        EXPECT_FALSE(owner.isEnabled());
    }
    EXPECT_TRUE(owner.isEnabled());
}

TEST(ProgressDlg, AlreadyDisabledOwnerStaysDisabledAndNeverCreatedDoesNothing)
{
    QMainWindow owner;
    owner.show();
    owner.setEnabled(false);
    {
        CProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(&owner));
        EXPECT_FALSE(dlg.m_bParentDisabled);
    }
    EXPECT_FALSE(owner.isEnabled());
    owner.setEnabled(true);
    {
        CProgressDlg never;
    }
    EXPECT_TRUE(owner.isEnabled());
}

TEST(ProgressDlg, OwnerGoingFirstAfterDestroyIsSafe)
{
    auto* owner = new QMainWindow;
    owner->show();
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(owner));
    dlg.DestroyWindow();
    delete owner;  // must not take the dialog object with it
    EXPECT_FALSE(dlg.IsCreated());
}
