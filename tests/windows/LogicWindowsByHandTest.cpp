// The control-logic list windows worked as their user works them: the window
// shown, a double click on a cell, keys typed into its editor, Enter or
// Escape; what the list shows, what the object holds and whether the project
// asks to be saved afterwards.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "ListWindowByHand.h"
#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/windows/CLogicListFrm.h"
#include "logic/windows/CLogicListView.h"
#include "logic/windows/LogicWindowIds.h"
#include "logic/windows/LogicWindows.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CEditListCtrl.h"
#include "ui/CInPlaceEdit.h"
#include "ui/CSelectionDlg.h"

using namespace blocktest;
using namespace byhand;

namespace {
class LogicWindowsByHand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(d.doc().OnNewDocument());
        d.doc().m_data.deviceVariant = 0;
    }

    std::unique_ptr<CLogicListFrm> OpenShown(int kind)
    {
        std::unique_ptr<CLogicListFrm> frame(dynamic_cast<CLogicListFrm*>(CreateLogicFrame(kind)));
        EXPECT_TRUE(frame);
        if (!frame)
            return frame;
        frame->resize(1100, 400);
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        return frame;
    }
    // Double-clicks a cell, types the keys over the editor's text and ends
    // with `end` (Enter or Escape). False when no editor opened.
    static bool TypeInCell(CListCtrl* list, int row, int column, const QString& keys, Qt::Key end = Qt::Key_Return)
    {
        DoubleClick(list, row, column);
        auto* editor = list->findChild<CInPlaceEdit*>();
        if (!editor || !editor->hasFocus())
            return false;
        if (!keys.isNull()) {
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(editor, Qt::Key_Backspace);
            QTest::keyClicks(editor, keys);
        }
        QTest::keyClick(editor, end);
        Settle();
        return true;
    }

    ActiveDoc d;
    MessageLog messages;
};
}  // namespace

// The priority of a busy condition, typed into its cell: shown on the scale
// of ten, stored times ten, and the project asks to be saved after it.
TEST_F(LogicWindowsByHand, BusyPriorityTypedInItsCellIsKeptAndMarksTheProject)
{
    auto frame = OpenShown(kBusyWindow);
    ASSERT_TRUE(frame);
    ClickButton(*frame, logicwin::NewBusy);
    CLogicListView* list = frame->GetView();
    ASSERT_EQ(1, list->GetItemCount());
    auto* busy = dynamic_cast<CBusyCondition*>(list->ObjectOf(0));
    ASSERT_NE(nullptr, busy);
    constexpr int kPriority = 6;

    d.doc().SetModifiedFlag(false);
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QStringLiteral("7")));
    EXPECT_EQ(70, busy->GetValue(3));
    EXPECT_EQ(QStringLiteral("7"), list->GetItemText(0, kPriority));
    EXPECT_TRUE(d.doc().IsModified()) << "closing the project must ask to save the new priority";

    // Enter on the shown value, a text without a number, an emptied cell and
    // Escape after typing change nothing and leave the project unmarked.
    d.doc().SetModifiedFlag(false);
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QString()));
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QStringLiteral("hoch")));
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QStringLiteral("")));
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QStringLiteral("3"), Qt::Key_Escape));
    EXPECT_EQ(70, busy->GetValue(3));
    EXPECT_EQ(QStringLiteral("7"), list->GetItemText(0, kPriority));
    EXPECT_FALSE(d.doc().IsModified());

    // Beyond the scale: the highest priority.
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QStringLiteral("15")));
    EXPECT_EQ(100, busy->GetValue(3));
    EXPECT_EQ(QStringLiteral("10"), list->GetItemText(0, kPriority));
    EXPECT_TRUE(d.doc().IsModified());
}

// OK in the output choice on what the cell shows keeps the outputs as they
// are, also where the choice says it in other words ("NONE" for "0", "ALL"
// for the device's "1-4"): the line to the device stays and nothing is to save.
TEST_F(LogicWindowsByHand, BusyOutputsChoiceConfirmedUnchangedKeepsTheStoredText)
{
    auto frame = OpenShown(kBusyWindow);
    ASSERT_TRUE(frame);
    ClickButton(*frame, logicwin::NewBusy);
    CLogicListView* list = frame->GetView();
    auto* busy = dynamic_cast<CBusyCondition*>(list->ObjectOf(0));
    ASSERT_NE(nullptr, busy);
    constexpr int kOutputs = 3;
    auto confirmShown = [&] {
        bool shown = false;
        QObject scope;  // the timer goes with the locals it writes
        QTimer::singleShot(0, &scope, [&] {
            if (auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget())) {
                shown = true;
                QTest::keyClick(dlg->List(), Qt::Key_Return);
            }
        });
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, 0, kOutputs));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, 0, kOutputs));
        Settle();
        return shown;
    };
    for (const char* stored : {"0", "1-4"}) {
        SCOPED_TRACE(stored);
        busy->ParseValue(5, stored, nullptr);
        list->RefreshList();
        const QString shown = list->GetItemText(0, kOutputs);
        d.doc().SetModifiedFlag(false);
        ASSERT_TRUE(confirmShown());
        EXPECT_EQ(stored, busy->GetText(5));
        EXPECT_EQ(shown, list->GetItemText(0, kOutputs));
        EXPECT_FALSE(d.doc().IsModified());
    }
}
