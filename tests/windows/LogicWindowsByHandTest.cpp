// The control-logic list windows worked as their user works them: the window
// shown, a double click on a cell, keys typed into its editor, Enter or
// Escape; what the list shows, what the object holds and whether the project
// asks to be saved afterwards.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CGlobalReadyInput.h"
#include "logic/CLogicOut.h"
#include "logic/CMemoFlag.h"
#include "logic/CReadyInput.h"
#include "logic/CTrigger.h"
#include "logic/windows/CReadyInpDlgFrm.h"
#include "logic/windows/CReadyInpOptionsView.h"
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
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"

using namespace blocktest;

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
    // Clicks a command's button on the frame's own bar.
    static void ClickButton(CFeatureFrm& frame, unsigned commandId)
    {
        QWidget* button = frame.GetCommandBar()->widgetForAction(frame.GetAction(commandId));
        ASSERT_NE(nullptr, button);
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    static void Settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    static QPoint CellCenter(CListCtrl* list, int row, int column)
    {
        QRect cell = list->visualItemRect(list->topLevelItem(row));
        cell.setLeft(list->header()->sectionViewportPosition(column));
        cell.setWidth(list->header()->sectionSize(column));
        return cell.center();
    }
    // Double-clicks a cell, types the keys over the editor's text and ends
    // with `end` (Enter or Escape). False when no editor opened.
    static bool TypeInCell(CListCtrl* list, int row, int column, const QString& keys, Qt::Key end = Qt::Key_Return)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, column));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, column));
        Settle();
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

    // Places an object of the given kind as the window's New does.
    template <class T>
    T* Add(uint32_t kind)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3,
                               &d.doc()));
        d.doc().AddObject(o, CAT_DIGITAL_IO);
        return o;
    }
    // The line edit that has the focus, once one has it (null when none comes).
    static QLineEdit* FocusedEdit()
    {
        QLineEdit* edit = nullptr;
        QTest::qWaitFor([&] { return (edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) != nullptr; },
                        5000);
        return edit;
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

// Escape in any field of a control-logic window, after typing: the field
// shows what it showed before, nothing is kept or to be saved, and the
// window stays open (in its host, as the program shows it).
TEST_F(LogicWindowsByHand, EscapeAfterTypingInAnyFieldLeavesItAndTheWindowAsTheyWere)
{
    Add<CCondition>(condkind::TalkKey);
    Add<CAnalogCondition>(CAnalogCondition::kKindId);
    Add<CBusyCondition>(CBusyCondition::kKindId);
    Add<CCombineCondition>(CCombineCondition::kKindId);
    Add<CTrigger>(CTrigger::kKindId);
    Add<CLogicOut>(CLogicOut::kKindId);
    Add<CMemoFlag>(CMemoFlag::kKindId);
    Add<CReadyInput>(CReadyInput::kKindId);
    // A delay read from the device, finer than the field shows it.
    auto* settings = dynamic_cast<CGlobalReadyInput*>(d.doc().GetIDManager().GetBaseDevice(1, OT_GLOBAL_READY_INPUT));
    ASSERT_NE(nullptr, settings);
    settings->SetFloatValue(CGlobalReadyInput::MaskTime, 2.25f);
    enum How { Name, Cell, MaskTime, UserText };
    struct Field {
        const char* what;
        int kind;
        How how;
        int column;
    };
    const Field fields[] = {
        {"condition name", kConditionWindow, Name, 0},  {"analog name", kAnalogWindow, Name, 0},
        {"analog minimum", kAnalogWindow, Cell, 3},     {"busy priority", kBusyWindow, Cell, 6},
        {"combined name", kCombineWindow, Name, 0},     {"trigger duration", kTriggerWindow, Cell, 3},
        {"logic output name", kLogicOutWindow, Name, 0}, {"memo flag number", kMemoFlagWindow, Cell, 1},
        {"ready input name", kReadyInputWindow, Name, 0}, {"ready input Nr", kReadyInputWindow, Cell, 6},
        {"mask time", kReadyInputWindow, MaskTime, 0},  {"user text", kReadyInputWindow, UserText, 0},
    };
    for (const Field& field : fields) {
        SCOPED_TRACE(field.what);
        CObjectDlg host(&d.doc(), field.kind);
        host.show();
        host.resize(1100, 400);
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        auto* frame = qobject_cast<CLogicListFrm*>(host.m_pFrame.data());
        ASSERT_NE(nullptr, frame);
        CLogicListView* list = frame->GetView();
        auto* ready = qobject_cast<CReadyInpDlgFrm*>(frame);
        CReadyInpOptionsView* options = ready ? ready->GetOptions() : nullptr;
        ASSERT_TRUE(options || (field.how != MaskTime && field.how != UserText));
        auto shown = [&] {
            switch (field.how) {
            case MaskTime: return options->MaskTimeEdit()->text();
            case UserText: return options->TextList()->GetItemText(0, 0);
            default: return list->GetItemText(0, field.column);
            }
        };
        const QString before = shown();
        d.doc().SetModifiedFlag(false);

        switch (field.how) {
        case Name:
            list->setFocus();
            QTest::keyClick(list, Qt::Key_F2);
            break;
        case Cell:
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, 0, field.column));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, 0, field.column));
            break;
        case MaskTime: QTest::mouseClick(options->MaskTimeEdit(), Qt::LeftButton); break;
        case UserText:
            options->TextList()->setFocus();
            QTest::keyClick(options->TextList(), Qt::Key_F2);
            break;
        }
        Settle();
        QLineEdit* edit = FocusedEdit();
        ASSERT_NE(nullptr, edit) << "no field took the keys";
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("17"));
        QTest::keyClick(edit, Qt::Key_Escape);
        Settle();
        EXPECT_TRUE(host.isVisible()) << "Escape closed the window";
        EXPECT_EQ(before, shown());
        // Leaving the window's field commits nothing either.
        if (QWidget* focus = QApplication::focusWidget())
            QTest::keyClick(focus, Qt::Key_Tab);
        Settle();
        EXPECT_EQ(before, shown());
        EXPECT_FALSE(d.doc().IsModified());
    }
    // Passing through the delay's field and closing the window keep it too.
    EXPECT_FLOAT_EQ(2.25f, settings->m_maskTime);
}
