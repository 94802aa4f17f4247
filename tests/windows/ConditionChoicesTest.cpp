// The busy and combined condition windows through the real selection dialog:
// the dialog shows the condition's value, OK with nothing chosen keeps it, and
// a chosen operator reaches the device as the entry's "/LOGIC" line.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/windows/CLogicListFrm.h"
#include "logic/windows/CLogicListView.h"
#include "logic/windows/LogicWindows.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "support/ModelTestHost.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"

namespace {
// Collects the lines a block sends.
class WireRecorder : public ILineSender {
public:
    WireRecorder() : m_previous(SetLineSender(this)) {}
    ~WireRecorder() override { SetLineSender(m_previous); }
    void SendCommand(const std::string& line, CQuillomerDoc*, bool) override { lines.push_back(line); }
    int GetOutBufferCount() const override { return 0; }
    std::vector<std::string> lines;

private:
    ILineSender* m_previous;
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
    // The window as the user has it: shown and active.
    std::unique_ptr<CLogicListFrm> OpenShown(int kind)
    {
        std::unique_ptr<CLogicListFrm> frame = Open(kind);
        EXPECT_TRUE(frame);
        if (!frame)
            return frame;
        frame->resize(700, 300);
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        return frame;
    }
    // Double-clicks a cell; `answer` handles the selection dialog it opens.
    // False when no selection dialog came.
    static bool EditWithDialog(CLogicListView* view, int row, int column, std::function<void(CSelectionDlg&)> answer)
    {
        bool shown = false;
        QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
        QTimer::singleShot(0, &scope, [&] {
            if (auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget())) {
                shown = true;
                answer(*dlg);
            }
        });
        view->EditCell(row, column);
        return shown;
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
    // The lines the condition block downloads for entry n of `part`.
    std::vector<std::string> EntryDownload(int part, int n)
    {
        CBaseDevice* block = doc.GetIDManager().GetBaseDevice(1, OT_CONDITION_OBJECT);
        EXPECT_NE(nullptr, block);
        if (!block)
            return {};
        WireRecorder wire;
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

// The "Auswahl" cell of a plain condition opens on the entry it shows, so
// that OK without a new choice keeps the condition's object or number.
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
    auto frame = OpenShown(kConditionWindow);
    ASSERT_TRUE(frame);
    CLogicListView* view = frame->GetView();
    ASSERT_EQ(2, view->GetItemCount());
    EXPECT_EQ("Notruf", view->GetItemText(0, 2).toStdString());
    EXPECT_EQ("Taste 6", view->GetItemText(1, 2).toStdString());

    for (int row : {0, 1}) {
        const QString shown = view->GetItemText(row, 2);
        QStringList preset;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            for (int r : Chosen(*dlg))
                preset << dlg->List()->GetItemText(r, 0);
            QTest::keyClick(dlg->List(), Qt::Key_Return);
        });
        const QPoint cell = view->visualRect(view->model()->index(row, 2)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
        EXPECT_EQ(shown.toStdString(), preset.join(QLatin1Char('|')).toStdString()) << row;
    }
    EXPECT_EQ(5, memo->GetValue(condkey::Object));
    EXPECT_EQ("/CONDITION/ENTRY1/INDEX 5", EntryDownload(CConditionObject::Conditions, 1).at(1));
    EXPECT_EQ("/CONDITION/ENTRY2/INDEX 6", EntryDownload(CConditionObject::Conditions, 2).at(1));
}
