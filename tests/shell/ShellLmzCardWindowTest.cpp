// The LMZ card window as the user opens it: a double-click on a card of the
// LMZ configuration shows "Erweiterte LMZ Eigenschaften" with its tool bar
// and panes inside that window, and nothing else comes up as a window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "ShellTestSupport.h"
#include "hardware/windows/CLMZFrm.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "paging/windows/CLMZConfigDlg.h"
#include "shell/CShellAppHost.h"
#include "support/ModelTestHost.h"
#include "ui/CEditListCtrl.h"
#include "ui/CObjectDlg.h"
#include "ui/CResizableTreeCtrl.h"

namespace {
QSet<QWidget*> ShownWindows()
{
    QSet<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown.insert(w);
    return shown;
}

// The screen rectangle of a widget's inside.
QRect OnScreen(const QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}
}  // namespace

TEST(ShellLmzCardWindow, OpensInsideItsHostWindow)
{
    SettingsSandbox settings;
    MessageRecorder messages;
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocScope active(&doc);
    CShellAppHost shellHost(nullptr);
    IAppHost* previousHost = SetAppHost(&shellHost);
    struct Restore {
        IAppHost* host;
        ~Restore() { SetAppHost(host); }
    } restore{previousHost};

    CLMZConfigDlg dlg(&doc);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto drop = [&](QTreeWidgetItem* target, const QString& entry) {
        ASSERT_NE(nullptr, target);
        dlg.Tree()->setCurrentItem(target);
        for (int row = 0; row < dlg.List()->GetItemCount(); ++row)
            if (dlg.List()->GetItemText(row, 0) == entry) {
                dlg.Drop({row}, target);
                return;
            }
        ADD_FAILURE() << "no entry " << entry.toStdString();
    };
    drop(dlg.Tree()->topLevelItem(0), QStringLiteral("LMZ752"));
    drop(dlg.FindText(QStringLiteral("Ausgangskarten")), QStringLiteral("LMZ763"));
    QTreeWidgetItem* card = dlg.FindItem(doc.GetIDManager().GetBaseDevice(1, OT_LMZ763));
    ASSERT_NE(nullptr, card);
    dlg.Tree()->scrollToItem(card);
    const QPoint at = dlg.Tree()->visualItemRect(card).center();

    // The card window is modal: it is looked at while it is open, then closed.
    const QSet<QWidget*> before = ShownWindows();
    bool looked = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &dlg, [&] {
        CObjectDlg* host = nullptr;
        for (QWidget* w : ShownWindows())
            if (auto* h = qobject_cast<CObjectDlg*>(w))
                host = h;
        if (!host)
            return;
        look.stop();
        looked = true;
        QApplication::processEvents();
        EXPECT_EQ(QStringLiteral("Erweiterte LMZ Eigenschaften"), host->windowTitle());
        auto* frame = host->findChild<CLMZFrm*>();
        ASSERT_NE(nullptr, frame);
        EXPECT_FALSE(frame->isWindow());
        const QRect inside = OnScreen(host);
        for (QWidget* part : {static_cast<QWidget*>(frame->m_toolBar), static_cast<QWidget*>(frame->m_panes[0]),
                              static_cast<QWidget*>(frame->m_panes[1]), static_cast<QWidget*>(frame->m_panes[2])}) {
            ASSERT_NE(nullptr, part);
            EXPECT_TRUE(host->isAncestorOf(part));
            EXPECT_TRUE(part->isVisible());
            EXPECT_EQ(host, part->window());
            EXPECT_TRUE(inside.contains(OnScreen(part)))
                << part->metaObject()->className() << " at " << OnScreen(part).x() << "," << OnScreen(part).y() << " "
                << part->width() << "x" << part->height();
        }
        const QSet<QWidget*> added = ShownWindows() - before;
        EXPECT_EQ(QSet<QWidget*>{host}, added) << added.size() << " new windows";
        host->grab().save(QStringLiteral("lmz-card-window.png"));
        host->reject();
    });
    look.start(10);
    // A double-click as the mouse gives it: press and release, then the
    // second press (the double-click) and its release.
    QTest::mouseClick(dlg.Tree()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(dlg.Tree()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(dlg.Tree()->viewport(), Qt::LeftButton, {}, at);
    look.stop();
    EXPECT_TRUE(looked) << "no card window opened";
}
