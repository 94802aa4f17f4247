// The control-logic windows over the real device link, against the device
// simulator pacing the line like the real port: each window sends one entry
// and its whole table with exactly the lines its block makes, and the live
// state shows the device's values but never runs into an upload.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "comm/CommTestSupport.h"
#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/CGlobalReadyInput.h"
#include "logic/CLogicOut.h"
#include "logic/CLogicOutObject.h"
#include "logic/CMemoFlag.h"
#include "logic/CReadyInput.h"
#include "logic/CTrigger.h"
#include "logic/CTriggerObject.h"
#include "logic/windows/CLogicListFrm.h"
#include "logic/windows/CLogicListView.h"
#include "logic/windows/CReadyInpDlgFrm.h"
#include "logic/windows/CReadyInpOptionsView.h"
#include "logic/windows/LogicWindowIds.h"
#include "logic/windows/LogicWindows.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
// Collects what a block makes, as the wire carries it.
class Recorder : public ILineSender {
public:
    Recorder() : m_previous(SetLineSender(this)) {}
    ~Recorder() override { SetLineSender(m_previous); }
    void SendCommand(const std::string& line, CQuillomerDoc*, bool) override { text += line + "\r\n"; }
    int GetOutBufferCount() const override { return 0; }
    std::string text;

private:
    ILineSender* m_previous;
};

// The lines of a block's steps first .. end - 1 after the reset `reset`.
std::string BlockLines(CBaseDevice* block, int reset, int first, int end)
{
    Recorder rec;
    block->GetDownloadLines(0, reset);
    for (int step = first; step >= first && step < end;)
        step = block->GetDownloadLines(0, step);
    return "/MACRO/LOCK ON\r\n" + rec.text + "/MACRO/LOCK OFF\r\n";
}

class LogicWindowsSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override { Attach(0, QStringLiteral("Halle.qlx")); }
    void TearDown() override { Detach(); }
    template <class T>
    T* Add(uint32_t kind, int n, int32_t category = CAT_DIGITAL_IO)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, StrFormat("obj %d", n), n, category, &doc));
        doc.AddObject(o, category);
        return o;
    }
    template <class T>
    T* Block(uint32_t type, uint32_t kind)
    {
        if (auto* existing = dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type)))
            return existing;
        auto* block = new T;
        EXPECT_EQ(1, block->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_AUDIO, 0, 3, &doc));
        doc.AddObject(block, CAT_AUDIO);
        return block;
    }
    std::unique_ptr<CLogicListFrm> Open(int kind)
    {
        return std::unique_ptr<CLogicListFrm>(dynamic_cast<CLogicListFrm*>(CreateLogicFrame(kind)));
    }
    static void Select(CLogicListView* view, int number)
    {
        for (int r = 0; r < view->GetItemCount(); ++r)
            if (view->ObjectOf(r)->GetNumber() == number) {
                view->SelectRow(r);
                return;
            }
        ADD_FAILURE() << "no row of " << number;
    }
    // What the simulator got from `mark` on, once `size` bytes are in.
    std::string ReceivedSince(size_t mark, size_t size)
    {
        PumpUntil([&] { return sim.Received().size() >= mark + size; }, kArrivalMs);
        return sim.Received().substr(mark);
    }
};
}  // namespace

TEST_F(LogicWindowsSim, EachWindowSendsOneEntryAndItsWholeTableOnAPacedLine)
{
    int registered = 0;
    for (const CWindowRegistry::Entry& entry : CWindowRegistry::Entries())
        registered += entry.name.endsWith(QStringLiteral("DlgFrm")) || entry.name == QStringLiteral("CMemoFlagFrm");
    EXPECT_LE(8, registered);
    auto* conditions = Block<CConditionObject>(OT_CONDITION_OBJECT, CConditionObject::kKindId);
    auto* triggers = Block<CTriggerObject>(OT_TRIGGER_OBJECT, CTriggerObject::kKindId);
    auto* outputs = Block<CLogicOutObject>(OT_LOGIC_OUT_OBJECT, CLogicOutObject::kKindId);
    auto* ready = Block<CGlobalReadyInput>(OT_GLOBAL_READY_INPUT, CGlobalReadyInput::kKindId);
    for (int n : {4, 9}) {
        auto* c = Add<CCondition>(condkind::TalkKey, n);
        c->SetValue(condkey::Object, 6);
        c->SetValue(condkey::Level, 1);
    }
    Add<CAnalogCondition>(CAnalogCondition::kKindId, 2)->SetLimit(2, 4.5f);
    Add<CBusyCondition>(CBusyCondition::kKindId, 1)->ParseValue(0, "ALARM,PAGE2");
    auto* comb = Add<CCombineCondition>(CCombineCondition::kKindId, 3);
    comb->ParseValue(0, "OR");
    comb->SetValue(5, 4);
    // Enough triggers that the paced line holds the writer back.
    for (int n = 1; n <= 30; ++n) {
        auto* t = Add<CTrigger>(CTrigger::kKindId, n);
        t->SetValue(triggerkey::Condition, 4);
        t->SetTime(triggerkey::Time, 2.5f);
    }
    Add<CLogicOut>(CLogicOut::kKindId, 2)->SetValue(logicoutkey::Condition, 9);
    Add<CReadyInput>(CReadyInput::kKindId, 3)->SetValue(CReadyInput::Level, 1);
    Connect({QStringLiteral("--pace"), QStringLiteral("1920")});
    ASSERT_EQ(1, settings.GetProfileInt("KVT7000", "COND_CLR", 0));

    struct Case {
        int kind;
        CBaseDevice* block;
        int reset, number, first, end;
        unsigned download;
    };
    using CO = CConditionObject;
    const Case cases[] = {
        {kConditionWindow, conditions, CO::ResetStepOf(CO::Conditions), 9, CO::EntryStep(CO::Conditions, 9),
         CO::EntryStep(CO::Conditions, 9) + 1, logicwin::DownloadConditions},
        {kAnalogWindow, conditions, CO::ResetStepOf(CO::Analog), 2, CO::EntryStep(CO::Analog, 2),
         CO::EntryStep(CO::Analog, 2) + 1, logicwin::DownloadAnalog},
        {kBusyWindow, conditions, CO::ResetStepOf(CO::Busy), 1, CO::EntryStep(CO::Busy, 1),
         CO::EntryStep(CO::Busy, 1) + 1, logicwin::DownloadBusy},
        {kCombineWindow, conditions, CO::ResetStepOf(CO::Combine), 3, CO::EntryStep(CO::Combine, 3),
         CO::EntryStep(CO::Combine, 3) + 1, logicwin::DownloadCombine},
        {kTriggerWindow, triggers, -1, 7, 25, 29, logicwin::DownloadTriggers},
        {kLogicOutWindow, outputs, -1, 2, 5, 9, logicwin::DownloadLogicOuts},
        {kReadyInputWindow, ready, -1, 3, 19, 25, logicwin::DownloadReady},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        auto frame = Open(c.kind);
        ASSERT_TRUE(frame);
        CLogicListView* view = frame->GetView();
        Select(view, c.number);
        std::string expected = BlockLines(c.block, c.reset, c.first, c.end);
        size_t mark = sim.Received().size();
        view->TransferSelected(0);
        EXPECT_EQ(expected, ReceivedSince(mark, expected.size()));
        EXPECT_EQ(linkstate::Online, link.GetLinkState());

        expected = BlockLines(c.block, c.reset, 0, c.block->GetDownloadLines(0, c.reset));
        mark = sim.Received().size();
        frame->OnCommand(c.download);
        EXPECT_EQ(expected, ReceivedSince(mark, expected.size()));
    }
    // Without a selection the ready-input window sends the settings' six lines.
    auto frame = Open(kReadyInputWindow);
    frame->GetView()->clearSelection();
    const std::string expected = BlockLines(ready, -1, 1, 7);
    const size_t mark = sim.Received().size();
    frame->GetView()->TransferSelected(0);
    EXPECT_EQ(expected, ReceivedSince(mark, expected.size()));
    EXPECT_NE(std::string::npos, expected.find("/READYINP/TEXT5"));

    // "Fehlertexte" opens the fault texts dialog.
    QString opened;
    QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
    QTimer::singleShot(0, &scope, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        opened = modal ? modal->metaObject()->className() : QString();
        if (modal)
            modal->close();
    });
    auto* faultTexts = frame->findChild<QPushButton*>(QStringLiteral("1171"));
    ASSERT_NE(nullptr, faultTexts);
    faultTexts->click();
    EXPECT_EQ(QStringLiteral("CFaultTextDlg"), opened);
}

TEST_F(LogicWindowsSim, PollingShowsTheDeviceStateAndPausesWhileAnUploadRuns)
{
    Block<CConditionObject>(OT_CONDITION_OBJECT, CConditionObject::kKindId);
    for (int n : {1, 4, 7, 9})
        Add<CCondition>(condkind::TalkKey, n)->SetValue(condkey::Object, n);
    Add<CMemoFlag>(CMemoFlag::kKindId, 2);
    CMemoFlag* spare = Add<CMemoFlag>(CMemoFlag::kKindId, 3);
    Block<CGlobalReadyInput>(OT_GLOBAL_READY_INPUT, CGlobalReadyInput::kKindId);
    Add<CReadyInput>(CReadyInput::kKindId, 1);
    Add<CReadyInput>(CReadyInput::kKindId, 3);
    Connect({QStringLiteral("-e"), QStringLiteral("set /CONDITION/TRUE 1-3,7"), QStringLiteral("-e"),
             QStringLiteral("set /CONDITION/MEMOFLAG/ON 2,5"), QStringLiteral("-e"),
             QStringLiteral("set /READYINP/READY 1,3"), QStringLiteral("-e"), QStringLiteral("set /READYINP/FAULT 3")});
    ASSERT_TRUE(IsDocConnected());

    auto column = [](CLogicListView* view, int col) {
        QStringList texts;
        for (int r = 0; r < view->GetItemCount(); ++r)
            texts << view->GetItemText(r, col);
        return texts.join(QLatin1Char(','));
    };
    auto conditions = Open(kConditionWindow);
    CLogicListView* view = conditions->GetView();
    view->OnHeaderClick(2);  // not the status column
    EXPECT_FALSE(view->IsPolling());
    view->OnHeaderClick(4);
    EXPECT_TRUE(view->IsPolling());
    EXPECT_EQ("Status *", view->headerItem()->text(4).toStdString());
    view->PollNow();
    EXPECT_EQ("TRUE,FALSE,TRUE,FALSE", column(view, 4).toStdString());

    auto memo = Open(kMemoFlagWindow);
    memo->GetView()->PollNow();
    EXPECT_EQ("ON,OFF", column(memo->GetView(), 2).toStdString());
    auto readyFrame = Open(kReadyInputWindow);
    readyFrame->GetView()->PollNow();
    EXPECT_EQ("READY,READY+FAULT", column(readyFrame->GetView(), 7).toStdString());

    // A poll that falls into an upload asks nothing: the answers are the upload's.
    conditions->OnCommand(logicwin::DownloadConditions);
    CCondition* first = dynamic_cast<CCondition*>(doc.GetIDManager().GetBaseDevice(1, OT_CONDITION));
    first->SetValue(condkey::Level, 1);
    AwaitDeviceHasAll();
    const size_t mark = sim.Received().size();
    QTimer::singleShot(20, view, [view] { view->PollNow(); });
    conditions->OnCommand(logicwin::UploadConditions);
    const std::string upload = sim.Received().substr(mark);
    EXPECT_NE(std::string::npos, upload.find("/CONDITION/ENTRY1/FUNCTION ?"));
    EXPECT_EQ(std::string::npos, upload.find("TRUE ?"));
    EXPECT_EQ("", ReadFile(dir.filePath(QStringLiteral("Halle.err"))));
    EXPECT_EQ(0u, first->m_level);
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    EXPECT_FALSE(view->IsPolling());  // the upload rebuilt the list
    EXPECT_EQ("Status", view->headerItem()->text(4).toStdString());

    // A memo flag moves only to a free number within the variant's limit, and
    // the device's answers find it under the new number.
    CLogicListView* flags = memo->GetView();
    for (const char* refused : {"0", "201", "2", "x"}) {
        flags->OnEndLabelEdit(1, 1, QString::fromLatin1(refused));
        EXPECT_EQ(3, spare->GetNumber()) << refused;
    }
    flags->OnEndLabelEdit(1, 1, QStringLiteral("9"));
    EXPECT_EQ(9, spare->GetNumber());
    EXPECT_EQ(spare, doc.LookupPath("/MEMO9"));
    EXPECT_EQ(nullptr, doc.LookupPath("/MEMO3"));
}

// The live columns as the user works them: a click on "Status" starts the
// polling; when the device hangs up, the column no longer shows its last
// state as if it were live but what no answer gives, and a click on the
// title still stops the polling (starting it needs the line). A device that
// refuses the question ("PATH ? ") answers with no state: the column shows
// none, not "FALSE" or "OFF".
TEST_F(LogicWindowsSim, LiveColumnsShowNoDeviceStateOnceTheLineIsLost)
{
    Block<CConditionObject>(OT_CONDITION_OBJECT, CConditionObject::kKindId);
    for (int n : {1, 4})
        Add<CCondition>(condkind::TalkKey, n)->SetValue(condkey::Object, n);
    Add<CMemoFlag>(CMemoFlag::kKindId, 2);
    Block<CGlobalReadyInput>(OT_GLOBAL_READY_INPUT, CGlobalReadyInput::kKindId);
    Add<CReadyInput>(CReadyInput::kKindId, 1);
    Connect({QStringLiteral("-e"), QStringLiteral("set /CONDITION/TRUE 1-3"), QStringLiteral("-e"),
             QStringLiteral("set /CONDITION/MEMOFLAG/ON 2"), QStringLiteral("-e"),
             QStringLiteral("set /READYINP/READY 1")});
    messages.texts.clear();

    struct Row {
        int kind, column;
        const char *live, *lost, *refused;  // refused null: not asked
    };
    const Row rows[] = {
        {kConditionWindow, 4, "TRUE,FALSE", "FALSE,FALSE", ","},
        {kMemoFlagWindow, 2, "ON", "OFF", ""},
        {kReadyInputWindow, 7, "READY", "", nullptr},  // not ready, no fault: no state to tell apart
    };
    auto shown = [](CLogicListView* view, int col) {
        QStringList texts;
        for (int r = 0; r < view->GetItemCount(); ++r)
            texts << view->GetItemText(r, col);
        return texts.join(QLatin1Char(',')).toStdString();
    };
    auto clickTitle = [](CLogicListView* view, int col) {
        QHeaderView* header = view->header();
        const QPoint at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    std::vector<std::unique_ptr<CLogicListFrm>> frames;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        frames.push_back(Open(row.kind));
        CLogicListFrm* frame = frames.back().get();
        ASSERT_TRUE(frame);
        frame->resize(1400, 400);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        CLogicListView* view = frame->GetView();
        clickTitle(view, row.column);
        EXPECT_EQ("Status *", view->headerItem()->text(row.column).toStdString());
        EXPECT_TRUE(PumpUntil([&] { return shown(view, row.column) == row.live; }, kArrivalMs))
            << shown(view, row.column);
    }

    sim.Stop();
    ASSERT_TRUE(PumpUntil([] { return !IsDocConnected(); }, kArrivalMs));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        CLogicListView* view = frames[i]->GetView();
        EXPECT_TRUE(PumpUntil([&] { return shown(view, row.column) == row.lost; }, kArrivalMs))
            << row.kind << ": " << shown(view, row.column);
        for (int click = 0; click < 2; ++click) {  // the first stops, the second starts nothing
            clickTitle(view, row.column);
            EXPECT_FALSE(view->IsPolling());
            EXPECT_EQ("Status", view->headerItem()->text(row.column).toStdString());
        }
    }

    ConnectWith({QStringLiteral("unknown /CONDITION/TRUE"), QStringLiteral("unknown /CONDITION/MEMOFLAG")});
    ASSERT_TRUE(IsDocConnected());
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        if (!row.refused)
            continue;
        CLogicListView* view = frames[i]->GetView();
        view->SetItemText(0, row.column, QStringLiteral("-"));  // what a poll has not written over
        clickTitle(view, row.column);
        EXPECT_TRUE(view->IsPolling());
        EXPECT_TRUE(PumpUntil([&] { return shown(view, row.column) == row.refused; }, kArrivalMs))
            << row.kind << ": " << shown(view, row.column);
    }
}

// An upload that brings the first entries of a window opened empty: the
// list selects one, and the delete button is there for it.
TEST_F(LogicWindowsSim, AnUploadThatBringsEntriesGivesTheDeleteButton)
{
    Block<CConditionObject>(OT_CONDITION_OBJECT, CConditionObject::kKindId);
    Block<CTriggerObject>(OT_TRIGGER_OBJECT, CTriggerObject::kKindId);
    Block<CLogicOutObject>(OT_LOGIC_OUT_OBJECT, CLogicOutObject::kKindId);
    Block<CGlobalReadyInput>(OT_GLOBAL_READY_INPUT, CGlobalReadyInput::kKindId);
    QStringList presets;
    for (const char* line : {"/CONDITION/ENTRY3/FUNCTION READY", "/CONDITION/ANALOG2/LMZ775 1",
                             "/CONDITION/BUSY4/AUDIO ALARM", "/CONDITION/COMBINE5/LOGIC OR",
                             "/TRIGGER/ENTRY6/CONDITION 3", "/LOGICOUT/ENTRY7/FUNCTION READY",
                             "/READYINP/ENTRY8/FUNCTION INP"})
        presets << QStringLiteral("-e") << QStringLiteral("set ") + QString::fromUtf8(line);
    Connect(presets);
    messages.texts.clear();

    struct Row {
        int kind;
        unsigned upload, remove;
        int number;
    };
    const Row rows[] = {
        {kConditionWindow, logicwin::UploadConditions, logicwin::DeleteCondition, 3},
        {kAnalogWindow, logicwin::UploadAnalog, logicwin::DeleteAnalog, 2},
        {kBusyWindow, logicwin::UploadBusy, logicwin::DeleteBusy, 4},
        {kCombineWindow, logicwin::UploadCombine, logicwin::DeleteCombine, 5},
        {kTriggerWindow, logicwin::UploadTriggers, logicwin::DeleteTrigger, 6},
        {kLogicOutWindow, logicwin::UploadLogicOuts, logicwin::DeleteLogicOut, 7},
        {kReadyInputWindow, logicwin::UploadReady, logicwin::DeleteReady, 8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        auto frame = Open(row.kind);
        ASSERT_TRUE(frame);
        frame->resize(1100, 400);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        CLogicListView* view = frame->GetView();
        ASSERT_EQ(0, view->GetItemCount());
        ASSERT_FALSE(frame->GetAction(row.remove)->isEnabled());
        QWidget* upload = frame->GetCommandBar()->widgetForAction(frame->GetAction(row.upload));
        ASSERT_TRUE(upload && upload->isEnabled());
        QTest::mouseClick(upload, Qt::LeftButton);
        ASSERT_LT(0, view->GetItemCount());
        ASSERT_LE(0, view->SelectedRow());
        EXPECT_EQ(row.number, view->NumberAt(view->SelectedRow()));
        EXPECT_TRUE(frame->GetAction(row.remove)->isEnabled());
        // The button deletes the selected entry; with the last gone it is grey again.
        QTest::mouseClick(frame->GetCommandBar()->widgetForAction(frame->GetAction(row.remove)), Qt::LeftButton);
        EXPECT_EQ(0, view->GetItemCount());
        EXPECT_FALSE(frame->GetAction(row.remove)->isEnabled());
    }
}

// "Bedingungen uploaden" at the line rate: every contact the device names is
// linked and named after, the device's own state contacts (index 0) and the
// 24 V contact included; a contact of another function is not kept; what
// the project lacks is noted in the difference file.
TEST_F(LogicWindowsSim, ConditionUploadLinksEveryContactTheDeviceNames)
{
    Block<CConditionObject>(OT_CONDITION_OBJECT, CConditionObject::kKindId);
    CBaseDevice* slot = nullptr;
    for (CBaseDevice* o : doc.GetList(CAT_INTERFACE))
        if (o->GetType() == OT_INTERFACE_SLOT)
            slot = o;
    ASSERT_NE(nullptr, slot);
    auto* input = new CControlPad;
    ASSERT_EQ(1,
              input->Create(padkind::InterfaceIn, 1, 1, std::string("Tür"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &doc));
    doc.AddObject(input, CAT_DIGITAL_IO);
    slot->LinkTo(3, input, 0);
    ASSERT_EQ(2, input->GetSignalIndex());
    auto pad = [this](uint32_t kind) -> CBaseDevice* {
        DeviceList pads;
        doc.GetIDManager().GetBaseDeviceListByKind(pads, OT_CONTROL_PAD, kind);
        return pads.empty() ? nullptr : pads.front();
    };
    ASSERT_TRUE(pad(padkind::Ready) && pad(padkind::Pilot) && pad(padkind::Volts24));
    // The project's conditions 1 and 3 both watch the door contact; its
    // condition 2 is on the ready contact, but has not been linked to it.
    for (int n : {1, 3}) {
        auto* c = Add<CCondition>(condkind::Inp, n);
        c->SetValue(condkey::Object, input->GetNumber());
    }
    Add<CCondition>(condkind::Ready, 2)->SetValue(condkey::Object, 0);
    // Condition 9 watches the fault contact; the device names a function the
    // project does not know for it.
    auto* fault = Add<CCondition>(condkind::Fault, 9);
    fault->SetValue(condkey::Object, 0);
    fault->SetValue(condkey::Level, 1);
    const std::string faultName = fault->GetName();
    QStringList presets;
    for (const char* line :
         {"/CONDITION/ENTRY1/FUNCTION LMZ771", "/CONDITION/ENTRY1/INDEX 2", "/CONDITION/ENTRY3/FUNCTION INP",
          "/CONDITION/ENTRY3/INDEX 2", "/CONDITION/ENTRY3/LEVEL ON", "/CONDITION/ENTRY2/FUNCTION READY",
          "/CONDITION/ENTRY5/FUNCTION READY",
          "/CONDITION/ENTRY5/LEVEL ON", "/CONDITION/ENTRY6/FUNCTION 24VOLTS", "/CONDITION/ENTRY7/FUNCTION PILOT",
          "/CONDITION/ENTRY8/FUNCTION LMZ764", "/CONDITION/ENTRY8/INDEX 4", "/CONDITION/ENTRY9/FUNCTION XYZWORD",
          "/CONDITION/ENTRY9/LEVEL ON"})
        presets << QStringLiteral("-e") << QStringLiteral("set ") + QString::fromUtf8(line);
    Connect(QStringList{QStringLiteral("--pace"), QStringLiteral("1920")} + presets);
    ASSERT_EQ(1, settings.GetProfileInt("KVT7000", "COND_CLR", 0));

    auto frame = Open(kConditionWindow);
    ASSERT_TRUE(frame);
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QWidget* upload = frame->GetCommandBar()->widgetForAction(frame->GetAction(logicwin::UploadConditions));
    ASSERT_TRUE(upload && upload->isEnabled());
    QTest::mouseClick(upload, Qt::LeftButton);
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    auto condition = [this](int n) {
        return dynamic_cast<CCondition*>(doc.GetIDManager().GetBaseDevice(n, OT_CONDITION));
    };
    auto linked = [](const CCondition* c) -> const CBaseDevice* {
        const LinkRecord* r = c ? c->GetOutLinkAtKey(0) : nullptr;
        return r && r->HasPartner() ? r->partner : nullptr;
    };
    for (int n : {1, 2, 3, 5, 6, 7, 8})
        ASSERT_NE(nullptr, condition(n)) << n;
    // The device's own contacts: linked, and named after their function.
    EXPECT_EQ(pad(padkind::Ready), linked(condition(2)));
    EXPECT_EQ(pad(padkind::Ready), linked(condition(5)));
    EXPECT_EQ("READY ON Bedingung", condition(5)->GetName());
    EXPECT_EQ(pad(padkind::Pilot), linked(condition(7)));
    EXPECT_EQ("Pilotton OFF Bedingung", condition(7)->GetName());
    // The 24 V contact is the project's "24 Volt", and goes down as it came.
    EXPECT_EQ(pad(padkind::Volts24), linked(condition(6)));
    EXPECT_EQ(pad(padkind::Volts24)->GetName() + " OFF Bedingung", condition(6)->GetName());
    EXPECT_EQ("24VOLTS", condition(6)->GetText(condkey::Keyword));
    // The same contact under the same function stays; the door contact is no
    // contact of an LMZ771 card, so condition 1 no longer watches it.
    EXPECT_EQ(input, linked(condition(3)));
    EXPECT_EQ("Tür ON Bedingung", condition(3)->GetName());
    EXPECT_EQ(static_cast<uint32_t>(condkind::LMZ771), condition(1)->GetKindId());
    EXPECT_EQ(nullptr, linked(condition(1)));
    EXPECT_EQ("LMZ771 OFF Bedingung", condition(1)->GetName());
    EXPECT_EQ(nullptr, linked(condition(8)));
    EXPECT_EQ("8 *", condition(8)->GetName());
    EXPECT_EQ("Bedingung 1 : LMZ771  2 fehlt\r\nBedingung 8 : LMZ764  4 fehlt\r\n"
              "ERROR: /CONDITION/ENTRY9/FUNCTION >>XYZWORD<< should be >>OFF<<\r\n",
              ReadFile(dir.filePath(QStringLiteral("Halle.err"))));
    // The rows show what the project now holds: condition 9 is written off
    // (its next download sends FUNCTION OFF) and watches no contact.
    CLogicListView* view = frame->GetView();
    ASSERT_EQ(8, view->GetItemCount());
    EXPECT_EQ(QStringLiteral("READY ON Bedingung"), view->GetItemText(3, 0));
    EXPECT_EQ(nullptr, linked(condition(9)));
    EXPECT_EQ("OFF", condition(9)->GetText(condkey::Keyword));
    EXPECT_NE(faultName, condition(9)->GetName());
    EXPECT_EQ(QString::fromStdString(condition(9)->GetName()), view->GetItemText(7, 0));
    EXPECT_EQ(QStringLiteral("Bedingung ON Bedingung"), view->GetItemText(7, 0));

    // Condition 9 alone, after the whole upload: its row clicked, then
    // "Upload" of its menu. The device is asked for it, and the difference
    // file keeps what the whole upload found, this entry's line after it:
    // neither started anew nor shown.
    const std::string whole = ReadFile(dir.filePath(QStringLiteral("Halle.err")));
    host.editorFiles.clear();
    const QPoint at = view->visualItemRect(view->topLevelItem(7)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(condition(9), view->ObjectOf(view->SelectedRow()));
    const size_t mark = sim.Received().size();
    bool chosen = false;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(0, &scope, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("Upload") && a->isEnabled())
                menu->setActiveAction(a), chosen = true;
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    QContextMenuEvent menuClick(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &menuClick);
    ASSERT_TRUE(chosen);
    EXPECT_NE(std::string::npos, sim.Received().find("/CONDITION/ENTRY9/FUNCTION ?", mark));
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    EXPECT_EQ(whole + "ERROR: /CONDITION/ENTRY9/FUNCTION >>XYZWORD<< should be >>OFF<<\r\n",
              ReadFile(dir.filePath(QStringLiteral("Halle.err"))));
    EXPECT_TRUE(host.editorFiles.empty());
}

TEST(LogicWindows, SingleEntryAsksAgainWhileTheOutputBufferIsFull)
{
    // A buffer that stays full for a while at every line: each step must be
    // asked again rather than skipped.
    class FullForAWhile : public Recorder {
    public:
        void SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten) override
        {
            Recorder::SendCommand(line, doc, shorten);
            m_full = 3;
        }
        int GetOutBufferCount() const override { return m_full-- > 0 ? 600 : 0; }

    private:
        mutable int m_full = 3;
    };
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocHook previous = SetActiveDocHook([&doc] { return &doc; });
    CBaseDevice* block = doc.GetIDManager().GetBaseDevice(1, OT_TRIGGER_OBJECT);
    ASSERT_TRUE(block);
    auto* t = new CTrigger;
    ASSERT_EQ(1, t->Create(CTrigger::kKindId, "T5", 5, CAT_DIGITAL_IO, &doc));
    doc.AddObject(t, CAT_DIGITAL_IO);
    t->SetValue(triggerkey::Condition, 2);
    {
        FullForAWhile wire;
        CFeatureFrm frame(CFeatureFrm::Form::Edit);
        frame.TransferSteps(block, 0, -1, 17, 21);
        EXPECT_EQ("/TRIGGER/ENTRY5/CONDITION 2\r\n/TRIGGER/ENTRY5/TIME 0.0\r\n/TRIGGER/ENTRY5/ON_MACRO 0\r\n"
                  "/TRIGGER/ENTRY5/OFF_MACRO 0\r\n",
                  wire.text);
    }
    SetActiveDocHook(previous);
}

TEST(LogicWindows, TheSwitchBarReachesEveryWindow)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocHook previous = SetActiveDocHook([&doc] { return &doc; });
    {
        CObjectDlg host(&doc, kTriggerWindow);
        for (int kind : {kConditionWindow, kAnalogWindow, kCombineWindow, kBusyWindow, kReadyInputWindow,
                         kLogicOutWindow, kMemoFlagWindow, kTriggerWindow}) {
            ASSERT_TRUE(host.OnCommand(CObjectDlg::SwitchCommand(kind))) << kind;
            EXPECT_EQ(kind, host.GetShownKind());
            EXPECT_FALSE(host.IsPlaceholderFrame()) << kind;
            EXPECT_TRUE(qobject_cast<CLogicListFrm*>(host.m_pFrame.data())) << kind;
        }
    }
    SetActiveDocHook(previous);
}

TEST(LogicWindows, TypedNumbersAreTheNumbersTheTextsStartWith)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ActiveDocHook previous = SetActiveDocHook([&doc] { return &doc; });
    auto* trigger = new CTrigger;
    ASSERT_EQ(1, trigger->Create(CTrigger::kKindId, "T1", 1, CAT_DIGITAL_IO, &doc));
    doc.AddObject(trigger, CAT_DIGITAL_IO);
    auto* flag = new CMemoFlag;
    ASSERT_EQ(1, flag->Create(CMemoFlag::kKindId, "M3", 3, CAT_DIGITAL_IO, &doc));
    doc.AddObject(flag, CAT_DIGITAL_IO);
    auto open = [](int kind) {
        return std::unique_ptr<CLogicListFrm>(dynamic_cast<CLogicListFrm*>(CreateLogicFrame(kind)));
    };
    {
        // The trigger's duration, limited to 25 s; a text without a number changes nothing.
        auto frame = open(kTriggerWindow);
        ASSERT_TRUE(frame);
        CLogicListView* view = frame->GetView();
        ASSERT_EQ(1, view->GetItemCount());
        EXPECT_EQ(CListCtrl::LVCFMT_CENTER, view->GetColumnFormat(0));
        EXPECT_TRUE(view->Row(0)->textAlignment(0) & Qt::AlignHCenter) << "the trigger names stand centred";
        EXPECT_EQ(CListCtrl::LVCFMT_RIGHT, view->GetColumnFormat(1));
        EXPECT_EQ(CListCtrl::LVCFMT_LEFT, view->GetColumnFormat(3));
        const std::pair<const char*, float> typed[] = {{"2.5s", 2.5f}, {" 7 Sekunden", 7.0f}, {"x", 7.0f},
                                                       {"", 7.0f},     {"40", 25.0f},        {"nan", 25.0f},
                                                       {"-3", 0.0f}};
        for (const auto& [text, seconds] : typed) {
            view->OnEndLabelEdit(0, 3, QString::fromLatin1(text));
            EXPECT_FLOAT_EQ(seconds, trigger->GetTime()) << text;
        }
    }
    {
        // A memo flag's new number.
        auto frame = open(kMemoFlagWindow);
        ASSERT_TRUE(frame);
        CLogicListView* view = frame->GetView();
        auto row = [&] {
            for (int r = 0; r < view->GetItemCount(); ++r)
                if (view->ObjectOf(r) == flag)
                    return r;
            return -1;
        };
        ASSERT_GE(row(), 0);
        for (const char* refused : {"x12", "", "0.5", "2,5", "7.0", "3.5,5"}) {
            view->OnEndLabelEdit(row(), 1, QString::fromLatin1(refused));
            EXPECT_EQ(3, flag->GetNumber()) << refused;
        }
        view->OnEndLabelEdit(row(), 1, QStringLiteral("12a"));
        EXPECT_EQ(12, flag->GetNumber());
    }
    {
        // The delay of masked signals, shown as stored.
        auto frame = open(kReadyInputWindow);
        auto* ready = dynamic_cast<CReadyInpDlgFrm*>(frame.get());
        ASSERT_TRUE(ready);
        CReadyInpOptionsView* options = ready->GetOptions();
        const std::pair<const char*, const char*> typed[] = {
            {"2.5s", "2.5"}, {"x", "2.5"}, {"30 s", "25.0"}, {"1,5", "1.5"}};
        for (const auto& [text, shown] : typed) {
            options->MaskTimeEdit()->setText(QString::fromLatin1(text));
            options->CommitMaskTime();
            EXPECT_EQ(QLatin1String(shown), options->MaskTimeEdit()->text()) << text;
        }
    }
    SetActiveDocHook(previous);
}
