// Walks the ways into the feature windows of the largest project as a user
// would: opening an object of every type and kind on the sheet (the internal
// slots among them), the cards of the LMZ configuration, the amplifiers of the
// amplifier properties, and from every window
// so reached the buttons of its switch bar. Every window kind of the host must
// be reached. The LMZ card window as the user opens it: a double-click on a
// card of the LMZ configuration shows "Erweiterte LMZ Eigenschaften" with its
// tool bar and panes inside that window, and nothing else comes up as a
// window.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeView>
#include <QTreeWidgetItemIterator>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "ShellTestSupport.h"
#include "hardware/CAmplifier.h"
#include "hardware/windows/CAmpPropDlg.h"
#include "hardware/windows/CLMZFrm.h"
#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "paging/windows/CLMZConfigDlg.h"
#include "shell/CShellAppHost.h"
#include "support/LargestProject.h"
#include "support/ModelTestHost.h"
#include "support/RowPictures.h"
#include "ui/CEditListCtrl.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"
#include "ui/CResizableTreeCtrl.h"

namespace {
constexpr int kKinds = 28;

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

TEST(ShellWindowWalk, EveryWindowKindIsReachedFromAnObjectASlotOrABar)
{
    SettingsSandbox settings;
    MessageLog messages;
    CQuillomerDoc doc;
    largest::Build(doc);
    struct HookGuard {
        ActiveDocHook previous;
        ~HookGuard() { SetActiveDocHook(previous); }
    } guard{SetActiveDocHook([&doc] { return &doc; })};
    ModelTestHost host;
    std::map<int, std::string> reached;  // kind -> the way in
    auto note = [&](const std::string& way) {
        for (int kind : host.featureWindows)
            reached.emplace(kind, way);
        host.featureWindows.clear();
    };

    // Every list that shows rows gives its first row a picture.
    auto expectRowPictures = [](const QWidget& window, const std::string& where) {
        for (const QTreeView* view : window.findChildren<QTreeView*>()) {
            if (!view->isVisibleTo(&window) || !view->model() || view->model()->rowCount() == 0)
                continue;
            // An empty icon is no picture, though the row holds it.
            EXPECT_FALSE(RowPicture(*view, 0).isNull())
                << where << ": " << view->metaObject()->className() << " \"" << view->objectName().toStdString()
                << "\": its rows show no picture";
        }
    };
    {
        // Property dialogs that objects open are closed as the user would,
        // after a look at their lists.
        DialogWatch dialogs;
        dialogs.look = [&](QDialog& dlg) {
            expectRowPictures(dlg, "dialog " + std::string(dlg.metaObject()->className()));
        };
        std::set<std::pair<uint32_t, uint32_t>> opened;
        for (int category = 1; category <= 16; ++category) {
            const std::vector<CBaseDevice*> objects(doc.GetList(category).begin(), doc.GetList(category).end());
            for (CBaseDevice* obj : objects) {
                if (!opened.insert({obj->GetType(), obj->GetKindId()}).second)
                    continue;
                obj->OnOpen(0, 0, 0);
                QApplication::processEvents();
                note("object " + obj->GetName());
            }
        }
        // A card of the LMZ configuration opens the card window.
        CLMZConfigDlg lmz(&doc);
        lmz.BuildTree();
        for (QTreeWidgetItemIterator it(lmz.Tree()); *it; ++it)
            if (CLMZConfigDlg::IsCardItem(*it)) {
                emit lmz.Tree()->itemDoubleClicked(*it, 0);
                break;
            }
        note("LMZ configuration");
        // An amplifier of the amplifier properties opens the extended
        // amplifier window.
        CAmpPropDlg amps(dynamic_cast<CAmplifier*>(doc.GetIDManager().GetBaseDevice(1, OT_AMPLIFIER)));
        auto* tree = amps.findChild<QTreeWidget*>(QStringLiteral("1003"));
        ASSERT_NE(nullptr, tree);
        ASSERT_NE(nullptr, tree->topLevelItem(0));
        ASSERT_LT(0, tree->topLevelItem(0)->childCount());
        emit tree->itemDoubleClicked(tree->topLevelItem(0)->child(0), 0);
        QApplication::processEvents();
        note("amplifier properties");
    }
    EXPECT_TRUE(reached.count(7)) << "the macro slot";
    EXPECT_TRUE(reached.count(12)) << "a control contact";
    EXPECT_TRUE(reached.count(4)) << "an LMZ card";
    EXPECT_TRUE(reached.count(3)) << "an amplifier";

    // From every window reached, its switch bar; a new kind counts only once
    // its button has opened it.
    std::vector<int> queue;
    for (const auto& [kind, way] : reached)
        queue.push_back(kind);
    while (!queue.empty()) {
        const int kind = queue.back();
        queue.pop_back();
        CObjectDlg dlg(&doc, kind);
        dlg.CreateObjectFrame(kind);
        auto* frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
        if (!frame)
            continue;
        std::vector<unsigned> commands;
        for (QAction* a : frame->GetSwitchBar()->actions())
            if (!a->isSeparator())
                commands.push_back(a->objectName().toUInt());
        for (unsigned id : commands) {
            const int target = CObjectDlg::KindOfCommand(id);
            if (target == 0 || reached.count(target))
                continue;
            if (dlg.GetShownKind() != kind) {
                dlg.OnCommand(CObjectDlg::SwitchCommand(kind));
                frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
            }
            ASSERT_NE(nullptr, frame);
            ASSERT_NE(nullptr, frame->GetAction(id));
            frame->GetAction(id)->trigger();
            QApplication::processEvents();
            if (dlg.GetShownKind() == target && !dlg.IsPlaceholderFrame()) {
                reached.emplace(target, "the bar of window " + std::to_string(kind));
                queue.push_back(target);
            }
        }
    }
    // Every window as the walk found it, to look at (walk-<kind>.png), and
    // its lists' pictures. (The layout test checks their texts on the same
    // project.)
    for (const auto& [kind, way] : reached) {
        SCOPED_TRACE("window kind " + std::to_string(kind));
        CObjectDlg dlg(&doc, kind);
        dlg.show();
        QApplication::processEvents();
        QApplication::processEvents();
        dlg.grab().save(QStringLiteral("walk-%1.png").arg(kind, 2, 10, QLatin1Char('0')));
        expectRowPictures(dlg, "window " + std::to_string(kind));
    }
    for (int kind = 1; kind <= kKinds; ++kind)
        EXPECT_TRUE(reached.count(kind)) << "window kind " << kind << " ("
                                         << CObjectDlg::KindCaption(kind).toStdString() << ") has no way in";
    // The audio slot opens the signal editor; the volumes window, like the
    // pilot tone window, is reached from the service bar.
    for (int kind : {23, 26})
        EXPECT_EQ(0u, reached[kind].rfind("the bar of window ", 0)) << kind << ": " << reached[kind];
}

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
