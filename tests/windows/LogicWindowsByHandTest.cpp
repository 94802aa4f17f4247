// The control-logic list windows worked as their user works them: the window
// shown, a double click on a cell, keys typed into its editor, Enter or
// Escape; what the list shows, what the object holds and whether the project
// asks to be saved afterwards. The busy and combined condition windows
// through the real selection dialog: the dialog shows the condition's value,
// OK with nothing chosen keeps it, and a chosen operator reaches the device as
// the entry's "/LOGIC" line.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <tuple>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "ListWindowByHand.h"
#include "hardware/CDigitalSlot.h"
#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
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
#include "model/DocContext.h"
#include "model/CControlPad.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"
#include "support/qt/ModalAnswer.h"
#include "ui/CEditListCtrl.h"
#include "ui/CInPlaceEdit.h"
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"

using namespace blocktest;
using namespace byhand;

namespace {
// A logic list window as the user has it: shown at `size` and active.
std::unique_ptr<CLogicListFrm> OpenShown(int kind, QSize size)
{
    std::unique_ptr<CLogicListFrm> frame(dynamic_cast<CLogicListFrm*>(CreateLogicFrame(kind)));
    EXPECT_TRUE(frame);
    if (!frame)
        return frame;
    frame->resize(size);
    frame->show();
    frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    return frame;
}

class LogicWindowsByHand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(d.doc().OnNewDocument());
        d.doc().m_data.deviceVariant = 0;
    }

    static std::unique_ptr<CLogicListFrm> OpenShown(int kind) { return ::OpenShown(kind, QSize(1100, 400)); }
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

class ConditionChoicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_data.deviceVariant = 1;
        old = SetActiveDocHook([this] { return &doc; });
    }
    void TearDown() override { SetActiveDocHook(old); }

    template <class T>
    T* Add(uint32_t kind, int n)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, "C" + std::to_string(n), n, CAT_DIGITAL_IO, &doc));
        doc.AddObject(o, CAT_DIGITAL_IO);
        return o;
    }
    std::unique_ptr<CLogicListFrm> Open(int kind)
    {
        return std::unique_ptr<CLogicListFrm>(dynamic_cast<CLogicListFrm*>(CreateLogicFrame(kind)));
    }
    static std::unique_ptr<CLogicListFrm> OpenShown(int kind) { return ::OpenShown(kind, QSize(700, 300)); }
    // Double-clicks a cell; `answer` handles the selection dialog it opens.
    // False when no selection dialog came.
    static bool EditWithDialog(CLogicListView* view, int row, int column, std::function<void(CSelectionDlg&)> answer)
    {
        return AnswerDialogOpenedBy<CSelectionDlg>([&] { view->EditCell(row, column); }, answer);
    }
    static int RowOf(CSelectionDlg& dlg, const QString& text)
    {
        for (int r = 0; r < dlg.List()->GetItemCount(); ++r)
            if (dlg.List()->GetItemText(r, 0) == text)
                return r;
        return -1;
    }
    static QList<int> Chosen(CSelectionDlg& dlg)
    {
        QList<int> rows;
        dlg.List()->GetSelectedItems(&rows);
        return rows;
    }
    // Every line a block sends in a download.
    std::vector<std::string> Download(uint32_t blockType)
    {
        CBaseDevice* block = doc.GetIDManager().GetBaseDevice(1, blockType);
        EXPECT_NE(nullptr, block);
        RecordingSender wire;
        const int count = block ? block->GetDownloadLines(0, -1) : 0;
        for (int step = 0; step < count;) {
            const size_t sent = wire.lines.size();
            const int next = block->GetDownloadLines(0, step);
            if (next == step && wire.lines.size() == sent)
                break;
            step = next;
        }
        return wire.lines;
    }
    // The lines the condition block downloads for entry n of `part`.
    std::vector<std::string> EntryDownload(int part, int n)
    {
        CBaseDevice* block = doc.GetIDManager().GetBaseDevice(1, OT_CONDITION_OBJECT);
        EXPECT_NE(nullptr, block);
        if (!block)
            return {};
        RecordingSender wire;
        block->GetDownloadLines(0, CConditionObject::ResetStepOf(part));
        const int step = CConditionObject::EntryStep(part, n);
        for (int s = step; s == step;)
            s = block->GetDownloadLines(0, s);
        return wire.lines;
    }

    CQuillomerDoc doc;
    ActiveDocHook old;
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

    // Enter on the shown value, a text without a number, a decimal (neither
    // 1 nor 15), an emptied cell and Escape after typing change nothing and
    // leave the project unmarked.
    d.doc().SetModifiedFlag(false);
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QString()));
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QStringLiteral("hoch")));
    ASSERT_TRUE(TypeInCell(list, 0, kPriority, QStringLiteral("1,5")));
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

// A value typed into a cell of a condition window and left without Enter (a
// click on another row, Tab, a click on the list's empty part, the window
// closed) is taken as Enter takes it, and the project asks to be saved; a
// text the cell refuses is refused as on Enter, and Escape keeps what was.
TEST_F(LogicWindowsByHand, ACellTypedAndLeftIsTakenAsEnterTakesIt)
{
    auto* analog = Add<CAnalogCondition>(CAnalogCondition::kKindId);
    Add<CAnalogCondition>(CAnalogCondition::kKindId);
    auto* busy = Add<CBusyCondition>(CBusyCondition::kKindId);
    Add<CBusyCondition>(CBusyCondition::kKindId);
    enum End { OtherRow, Tab, EmptyArea, Escape, Close };
    struct Row {
        const char* what;
        int kind;
        int column;
        const char* keys;
        End end;
        const char* kept;  // what the cell then shows, and the object holds
    } const rows[] = {
        {"analog minimum, another row", kAnalogWindow, 3, "4,5", OtherRow, "4.5"},
        {"analog maximum, Tab", kAnalogWindow, 4, "8,5", Tab, "8.5"},
        {"analog minimum, the list's empty part", kAnalogWindow, 3, "3,3", EmptyArea, "3.3"},
        {"analog maximum, the window closed", kAnalogWindow, 4, "6,5", Close, "6.5"},
        {"busy priority, the list's empty part", kBusyWindow, 6, "8", EmptyArea, "8"},
        {"busy priority, another row", kBusyWindow, 6, "6", OtherRow, "6"},
        {"analog minimum refused, another row", kAnalogWindow, 3, "abc", OtherRow, "2.5"},
        {"analog minimum, Escape", kAnalogWindow, 3, "4,5", Escape, "2.5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        analog->SetLimit(1, 2.5f), analog->SetLimit(2, 7.0f);
        busy->ParseValue(3, "4");
        d.doc().SetModifiedFlag(false);
        auto held = [&] { return row.kind == kAnalogWindow ? analog->GetText(row.column - 2) : busy->GetText(3); };
        const std::string before = held();
        auto host = std::make_unique<CObjectDlg>(&d.doc(), row.kind);
        host->resize(1100, 400);
        host->show();
        host->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
        CLogicListView* list = qobject_cast<CLogicListFrm*>(host->m_pFrame.data())->GetView();
        DoubleClick(list, 0, row.column);
        QPointer<CInPlaceEdit> editor = list->findChild<CInPlaceEdit*>();
        ASSERT_TRUE(editor && editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QString::fromLatin1(row.keys));
        switch (row.end) {
        case OtherRow: QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, 1, 0)); break;
        case Tab: QTest::keyClick(editor, Qt::Key_Tab); break;
        case EmptyArea:
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(50, list->viewport()->height() - 3));
            break;
        case Escape: QTest::keyClick(editor, Qt::Key_Escape); break;
        case Close: host->close(); break;
        }
        Settle();
        EXPECT_FALSE(editor) << "the editor is gone";
        EXPECT_EQ(row.kept, held());
        if (row.end != Close) {
            EXPECT_EQ(QLatin1String(row.kept), list->GetItemText(0, row.column));
        }
        if (row.end == OtherRow) {
            EXPECT_TRUE(list->IsItemSelected(1)) << "the click went on to choose its row";
        }
        EXPECT_EQ(before != row.kept, d.doc().IsModified()) << "the title's \" *\"";
        EXPECT_TRUE(messages.texts.empty());
    }
}

// A decimal typed in a field of the control-logic windows, in German or in
// English: a comma is the decimal mark as the point is, the field shows the
// number taken and the device gets it with a point; the shown text typed
// again keeps it, a number with a thousands separator is no number.
TEST_F(LogicWindowsByHand, ADecimalTypedWithACommaIsTakenInEitherLanguage)
{
    Add<CTrigger>(CTrigger::kKindId);
    Add<CAnalogCondition>(CAnalogCondition::kKindId);
    auto* settings = dynamic_cast<CGlobalReadyInput*>(d.doc().GetIDManager().GetBaseDevice(1, OT_GLOBAL_READY_INPUT));
    ASSERT_NE(nullptr, settings);
    constexpr int kMaskTime = -1;
    const std::tuple<int, int, const char*, const char*> rows[] = {
        {kReadyInputWindow, kMaskTime, "12,5", "12.5"}, {kReadyInputWindow, kMaskTime, "12.5", "12.5"},
        {kReadyInputWindow, kMaskTime, "1.000,5", "12.5"}, {kTriggerWindow, 3, "7,5", "7.5"},
        {kAnalogWindow, 3, "2,5", "2.5"}};
    InEachLanguage([&](bool) {
        for (const auto& [kind, column, keys, kept] : rows) {
            SCOPED_TRACE(keys);
            auto frame = OpenShown(kind);
            ASSERT_TRUE(frame);
            if (column == kMaskTime) {
                QLineEdit* edit = dynamic_cast<CReadyInpDlgFrm*>(frame.get())->GetOptions()->MaskTimeEdit();
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, QString::fromLatin1(keys));
                QTest::keyClick(edit, Qt::Key_Return);
                EXPECT_EQ(QLatin1String(kept), edit->text());
                RecordingSender wire;
                settings->GetDownloadLines(0, -1);
                settings->GetDownloadLines(0, 1);
                EXPECT_EQ(std::vector<std::string>{std::string("/READYINP/MASKTIME ") + kept}, wire.lines);
            } else {
                ASSERT_TRUE(TypeInCell(frame->GetView(), 0, column, QString::fromLatin1(keys)));
                EXPECT_EQ(QLatin1String(kept), frame->GetView()->GetItemText(0, column));
            }
        }
    });
}

TEST_F(ConditionChoicesTest, BusyAudioKindsShowTheValueAndOkWithNothingChosenKeepsIt)
{
    auto* busy = Add<CBusyCondition>(CBusyCondition::kKindId, 1);
    busy->SetValue(0, CBusyCondition::AudioAlarm | CBusyCondition::AudioChime);
    auto frame = Open(kBusyWindow);
    CLogicListView* view = frame->GetView();

    // The dialog opens on what the condition holds, "ALARM" in capitals included.
    QList<int> preset;
    ASSERT_TRUE(EditWithDialog(view, 0, 2, [&](CSelectionDlg& dlg) {
        preset = Chosen(dlg);
        dlg.accept();
    }));
    EXPECT_EQ(preset, (QList<int>{1, 2}));
    EXPECT_EQ(busy->GetValue(0), static_cast<int>(CBusyCondition::AudioAlarm | CBusyCondition::AudioChime));

    // Every row taken away, then OK: nothing is chosen and nothing changes.
    ASSERT_TRUE(EditWithDialog(view, 0, 2, [](CSelectionDlg& dlg) {
        dlg.List()->clearSelection();
        dlg.accept();
    }));
    EXPECT_EQ(busy->GetValue(0), static_cast<int>(CBusyCondition::AudioAlarm | CBusyCondition::AudioChime));
    EXPECT_EQ(view->GetItemText(0, 2).toStdString(), busy->GetText(0));
    EXPECT_NE(std::string::npos, busy->GetText(0).find("ALARM"));

    // A new choice replaces the kinds; the none row clears them.
    ASSERT_TRUE(EditWithDialog(view, 0, 2, [](CSelectionDlg& dlg) {
        dlg.List()->clearSelection();
        dlg.List()->Row(RowOf(dlg, "Textwiedergabe"))->setSelected(true);
        dlg.List()->Row(RowOf(dlg, "Durchsage 1"))->setSelected(true);
        dlg.accept();
    }));
    EXPECT_EQ(busy->GetValue(0), static_cast<int>(CBusyCondition::AudioMessage | CBusyCondition::AudioPage1));
    ASSERT_TRUE(EditWithDialog(view, 0, 2, [](CSelectionDlg& dlg) {
        dlg.List()->Row(0)->setSelected(true);
        dlg.accept();
    }));
    EXPECT_EQ(busy->GetValue(0), 0);
    EXPECT_EQ(EntryDownload(CConditionObject::Busy, 1).front(), "/CONDITION/BUSY1/AUDIO NONE");
}

TEST_F(ConditionChoicesTest, CombineOperatorIsKeptWithoutAChoiceAndDownloadsAsChosen)
{
    Add<CCondition>(34129, 3);
    auto* combine = Add<CCombineCondition>(CCombineCondition::kKindId, 2);
    combine->SetValue(0, 34468);  // AND
    combine->SetValue(3, 3);
    auto frame = Open(kCombineWindow);
    CLogicListView* view = frame->GetView();

    int preset = -1;
    ASSERT_TRUE(EditWithDialog(view, 0, 2, [&](CSelectionDlg& dlg) {
        preset = Chosen(dlg).value(0, -1);
        dlg.List()->clearSelection();
        dlg.accept();
    }));
    EXPECT_EQ(preset, 1);
    EXPECT_EQ(combine->GetValue(0), 34468);
    EXPECT_EQ(view->GetItemText(0, 2), "AND");
    EXPECT_EQ(EntryDownload(CConditionObject::Combine, 2).front(), "/CONDITION/COMBINE2/LOGIC AND");

    for (const char* word : {"OR", "XOR", "AND"}) {
        ASSERT_TRUE(EditWithDialog(view, 0, 2, [&](CSelectionDlg& dlg) {
            dlg.List()->clearSelection();
            dlg.List()->Row(RowOf(dlg, word))->setSelected(true);
            dlg.accept();
        }));
        const std::vector<std::string> lines = EntryDownload(CConditionObject::Combine, 2);
        ASSERT_EQ(lines.size(), 9u) << word;
        EXPECT_EQ(lines.front(), std::string("/CONDITION/COMBINE2/LOGIC ") + word);
        EXPECT_EQ(lines[2], "/CONDITION/COMBINE2/COND1/IDX 3");
    }
    // Cancel keeps it too.
    ASSERT_TRUE(EditWithDialog(view, 0, 2, [](CSelectionDlg& dlg) { dlg.reject(); }));
    EXPECT_EQ(combine->GetValue(0), 34468);
}

// The function of a plain condition, as the user edits it: a double-click on
// its name opens the kinds on the condition's own, OK without a new choice
// keeps it, a clicked kind replaces it, and neither OK, Cancel nor Escape
// leaves the name's editor open behind the dialog.
TEST_F(ConditionChoicesTest, DoubleClickOnTheNameOpensTheFunctionOnItsOwnKind)
{
    auto* c = Add<CCondition>(condkind::Inp, 1);
    auto frame = OpenShown(kConditionWindow);
    ASSERT_TRUE(frame);
    CLogicListView* view = frame->GetView();
    ASSERT_EQ(1, view->GetItemCount());
    ASSERT_TRUE(view->IsItemSelected(0));
    const QPoint name = view->visualRect(view->model()->index(0, 0)).center();

    // Double-clicks the name; `answer` acts in the dialog once it is up,
    // after the time in which a single click would have begun the rename.
    auto edit = [&](const std::function<void(CSelectionDlg&)>& answer) {
        bool shown = false;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            shown = true;
            QTest::qWait(QApplication::doubleClickInterval() * 3 / 2);
            answer(*dlg);
        });
        // A double click: press and release, then the second press (its
        // release falls to the dialog).
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, name);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, name);
        QApplication::processEvents();
        return shown;
    };
    auto nameEditorOpen = [&] {
        const QLineEdit* editor = view->findChild<QLineEdit*>();
        return editor != nullptr && editor->isVisible();
    };
    auto button = [](CSelectionDlg& dlg, const QString& text) {
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return static_cast<QPushButton*>(nullptr);
    };

    QStringList preset;
    ASSERT_TRUE(edit([&](CSelectionDlg& dlg) {
        for (int r : Chosen(dlg))
            preset << dlg.List()->GetItemText(r, 0);
        QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
    }));
    EXPECT_EQ("Interfaceeingang", preset.join(QLatin1Char('|')).toStdString());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Inp), c->GetKindId());
    EXPECT_FALSE(nameEditorOpen());
    EXPECT_EQ("/CONDITION/ENTRY1/FUNCTION INP", EntryDownload(CConditionObject::Conditions, 1).front());

    ASSERT_TRUE(edit([&](CSelectionDlg& dlg) { QTest::mouseClick(button(dlg, "Abbrechen"), Qt::LeftButton); }));
    EXPECT_FALSE(nameEditorOpen());
    ASSERT_TRUE(edit([&](CSelectionDlg& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); }));
    EXPECT_FALSE(nameEditorOpen());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Inp), c->GetKindId());

    // A kind clicked in the list is the condition's new function.
    ASSERT_TRUE(edit([&](CSelectionDlg& dlg) {
        const int row = RowOf(dlg, "MemoFlag");
        QTest::mouseClick(dlg.List()->viewport(), Qt::LeftButton, {}, dlg.List()->GetItemRect(row).center());
        QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
    }));
    EXPECT_EQ(static_cast<uint32_t>(condkind::Memo), c->GetKindId());
    EXPECT_EQ("/CONDITION/ENTRY1/FUNCTION MEMO", EntryDownload(CConditionObject::Conditions, 1).front());
    EXPECT_FALSE(nameEditorOpen());

    // A single click on the chosen row's name still begins the rename.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, name);
    EXPECT_TRUE(QTest::qWaitFor([&] { return nameEditorOpen(); }, 5000));
}

// Each cell that opens the selection dialog opens on the entry it holds, by
// its number and not its name (two conditions "READY", contacts named
// alike), so that Enter without a new choice keeps it: the cell as it was,
// nothing to save, and the same lines for the device.
TEST_F(ConditionChoicesTest, TheChoiceCellOpensOnTheShownEntryAndOkKeepsIt)
{
    auto* memo = Add<CCondition>(condkind::Memo, 1);
    memo->SetValue(condkey::Object, 5);
    CBaseDevice* flag = doc.GetIDManager().GetBaseDevice(5, OT_MEMO_FLAG);
    ASSERT_NE(nullptr, flag);
    std::string name = "Notruf";
    flag->SetNameUnique(name, false);
    auto* key = Add<CCondition>(condkind::TalkKey, 2);
    key->SetValue(condkey::Object, 6);
    // Trigger 11 listens to the second of two conditions named "READY".
    Add<CCondition>(condkind::Memo, 3)->SetName("READY");
    auto* ready = Add<CCondition>(condkind::Memo, 11);
    ready->SetName("READY");
    Add<CTrigger>(CTrigger::kKindId, 11)->SetValue(triggerkey::Condition, 11);
    // A logic output and a ready input on the third of the digital card's
    // contacts, every one of a side named alike.
    auto* card = dynamic_cast<CDigitalSlot*>(doc.GetList(CAT_DIGITAL_SLOT).front());
    ASSERT_NE(nullptr, card);
    card->OnCommand(digitalslot::CmdFitted);
    card->ApplyPadNames({"e1", "e2", "e3"}, {"", "a1", "a2", "a3"});
    ASSERT_NE(nullptr, card->GetOutLinkAtKey(2));
    ASSERT_NE(nullptr, card->GetInLinkAtKey(3));
    CBaseDevice* input = card->GetOutLinkAtKey(2)->partner;
    CBaseDevice* output = card->GetInLinkAtKey(3)->partner;
    for (int k = 0; k < 3; ++k) {
        card->GetOutLinkAtKey(k)->partner->SetName(LoadStringId(padkind::SlotIn));
        card->GetInLinkAtKey(k + 1)->partner->SetName(LoadStringId(padkind::SlotOut));
    }
    Add<CLogicOut>(CLogicOut::kKindId, 1)->SetValue(logicoutkey::Contact, output->GetNumber());
    Add<CReadyInput>(CReadyInput::kKindId, 1)->SetValue(CReadyInput::Contact, input->GetNumber());

    const struct {
        const char* cell;
        int window;
        int row;
        const char* shown;
        quintptr opensOn;  // the value of the dialog's row it opens on
        uint32_t block;
    } cells[] = {
        {"memo flag", kConditionWindow, 0, "Notruf", reinterpret_cast<quintptr>(flag), OT_CONDITION_OBJECT},
        {"talk key", kConditionWindow, 1, "Taste 6", 6, OT_CONDITION_OBJECT},
        {"trigger's condition", kTriggerWindow, 0, "READY", reinterpret_cast<quintptr>(ready), OT_TRIGGER_OBJECT},
        {"logic output's contact", kLogicOutWindow, 0, "Digitalslotausgang", reinterpret_cast<quintptr>(output),
         OT_LOGIC_OUT_OBJECT},
        {"ready input's contact", kReadyInputWindow, 0, "Digitalsloteingang", reinterpret_cast<quintptr>(input),
         OT_GLOBAL_READY_INPUT},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.cell);
        auto frame = OpenShown(c.window);
        ASSERT_TRUE(frame);
        CLogicListView* view = frame->GetView();
        ASSERT_EQ(c.shown, view->GetItemText(c.row, 2).toStdString());
        const std::vector<std::string> lines = Download(c.block);
        doc.SetModifiedFlag(false);
        QList<quintptr> opensOn;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            for (int r : Chosen(*dlg))
                opensOn << dlg->RowValue(r);
            QTest::keyClick(dlg->List(), Qt::Key_Return);
        });
        const QPoint cell = view->visualRect(view->model()->index(c.row, 2)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
        EXPECT_EQ(QList<quintptr>{c.opensOn}, opensOn);
        EXPECT_EQ(c.shown, view->GetItemText(c.row, 2).toStdString());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(lines, Download(c.block));
    }
    EXPECT_EQ("/CONDITION/ENTRY1/INDEX 5", EntryDownload(CConditionObject::Conditions, 1).at(1));
    EXPECT_EQ("/CONDITION/ENTRY2/INDEX 6", EntryDownload(CConditionObject::Conditions, 2).at(1));
    const std::vector<std::string> triggers = Download(OT_TRIGGER_OBJECT);
    EXPECT_NE(triggers.end(), std::find(triggers.begin(), triggers.end(), "/TRIGGER/ENTRY11/CONDITION 11"));
}
