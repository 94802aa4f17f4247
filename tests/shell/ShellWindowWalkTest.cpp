// Walks the ways into the feature windows of the largest project as a user
// would: opening an object of every type and kind on the sheet (the internal
// slots among them), the cards of the LMZ configuration, the amplifiers of the
// amplifier properties, and from every window
// so reached the buttons of its switch bar. Every window kind of the host must
// be reached.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
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
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/windows/CLMZConfigDlg.h"
#include "support/LargestProject.h"
#include "support/ModelTestHost.h"
#include "support/RowPictures.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"
#include "ui/CResizableTreeCtrl.h"

namespace {
constexpr int kKinds = 28;
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
