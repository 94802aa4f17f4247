// The busy and combined condition windows through the real selection dialog:
// the dialog shows the condition's value, OK with nothing chosen keeps it, and
// a chosen operator reaches the device as the entry's "/LOGIC" line.

#include <gtest/gtest.h>

#include <QApplication>
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
    // Double-clicks a cell; `answer` handles the selection dialog it opens.
    // False when no selection dialog came.
    static bool EditWithDialog(CLogicListView* view, int row, int column, std::function<void(CSelectionDlg&)> answer)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
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
