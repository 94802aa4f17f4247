// The list windows while an upload's answers delete the objects their rows
// show: a click, a double-click and the Delete key on such a row do nothing
// (and touch no freed object), the rest of the list keeps working, and the
// list shows what the device holds once its own upload has ended.
//
// The upload that deletes runs as the project's whole upload does, with the
// window open and taking input (a window's own transfer holds its input).

#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

#include "calendar/CAppoint.h"
#include "calendar/CCalObject.h"
#include "calendar/CDayprog.h"
#include "calendar/CalendarIds.h"
#include "calendar/CalendarTime.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CDayprogDlgEntryView.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CDayprogDlgListView.h"
#include "logic/CLogicOut.h"
#include "logic/CLogicOutObject.h"
#include "logic/windows/CLogicListFrm.h"
#include "logic/windows/CLogicListView.h"
#include "logic/windows/LogicWindowIds.h"
#include "logic/windows/LogicWindows.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroDlgListView.h"
#include "macros/windows/MacroViews.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CInPlaceDateTimeCtrl.h"

using namespace blocktest;
namespace mt = macrotype;

namespace {
// A device that answers the lines it is sent a moment later, through the
// document's answer routing in the upload state, as the link does between
// the steps of a transfer.
class AnsweringDevice : public ILineSender {
public:
    using Answers = std::function<std::vector<std::string>(const std::string& sent)>;
    AnsweringDevice(CQuillomerDoc& doc, Answers answers) : m_doc(doc), m_answers(std::move(answers))
    {
        m_previous = SetLineSender(this);
    }
    ~AnsweringDevice() override { SetLineSender(m_previous); }
    void SendCommand(const std::string& line, CQuillomerDoc*, bool) override
    {
        for (const std::string& answer : m_answers(line)) {
            QTimer::singleShot(0, &m_context, [this, answer] {
                m_doc.DispatchAnswerLine(answer, std::string(), linkstate::Upload);
                if (afterAnswer)
                    afterAnswer(answer);
            });
        }
    }
    int GetOutBufferCount() const override { return 0; }

    // Runs after each answer has been handled (what the user does meanwhile).
    std::function<void(const std::string& answer)> afterAnswer;

private:
    CQuillomerDoc& m_doc;
    Answers m_answers;
    QObject m_context;
    ILineSender* m_previous = nullptr;
};

QPoint CellCentre(QTreeWidget* list, int row, int column)
{
    return list->visualRect(list->model()->index(row, column)).center();
}

void Click(QTreeWidget* list, int row, int column)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(list, row, column));
}

// As a user's double click: the first click, then the second one.
void DoubleClick(QTreeWidget* list, int row, int column);

// Reads a block back as the project's whole upload does: its steps in query
// mode, with messages let through between them.
void RunUpload(CBaseDevice* block, int resetStep)
{
    ASSERT_NE(nullptr, block);
    const int end = block->GetDownloadLines(1, resetStep);
    QElapsedTimer running;
    running.start();
    for (int step = 0; step >= 0 && step < end && running.elapsed() < 10000;) {
        step = block->GetDownloadLines(1, step);
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
}

void DoubleClick(QTreeWidget* list, int row, int column)
{
    const QPoint at = CellCentre(list, row, column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// The calendar windows' selection dialog: counted, and answered with 5.
int g_choices = 0;
bool CountChoice(QWidget*, int, const CSelectionDlg::Held&, int* result)
{
    ++g_choices;
    *result = 5;
    return true;
}

int g_logicChoices = 0;
bool CountLogicChoice(QWidget*, int, bool, const CSelectionDlg::Held&, int, int* number, QString*)
{
    ++g_logicChoices;
    *number = 1;
    return true;
}

class UploadDeletesRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(d.doc().OnNewDocument());
        d.doc().m_data.deviceVariant = 0;
        g_choices = 0;
        previousChooser = CCalItemDlgView::SetChooser(&CountChoice);
        previousRunner = CMacroEditorView::SetDialogRunner([this](QDialog&) {
            ++dialogs;
            return int(QDialog::Rejected);
        });
    }
    void TearDown() override
    {
        CCalItemDlgView::SetChooser(previousChooser);
        CMacroEditorView::SetDialogRunner(previousRunner);
    }
    template <class T>
    T* Add(int number, const std::string& name)
    {
        auto* item = new T;
        EXPECT_EQ(1, item->Create(T::kKindId, name, number, CAT_CALENDAR, d.get()));
        d.doc().AddObject(item, CAT_CALENDAR);
        return item;
    }
    int Count(uint32_t type) { return d.doc().GetIDManager().GetCount(type); }

    ActiveDoc d;
    ProfileHost profile;
    MessageLog messages;
    CCalItemDlgView::Chooser previousChooser = nullptr;
    CMacroEditorView::DialogRunner previousRunner;
    int dialogs = 0;
};
}  // namespace

TEST_F(UploadDeletesRows, MacroListIgnoresTheRowOfADeletedMacroAndEditorsLeaveARetypedOne)
{
    for (int i = 0; i < 3; ++i) {
        auto* macro = new CMacro;
        ASSERT_TRUE(macro->Create(mt::Stop, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, d.get()));
        d.doc().AddObject(macro, CAT_MACRO);
    }
    CMacroDlgFrm frame;
    frame.resize(900, 500);
    frame.show();
    CMacroDlgListView* list = frame.GetListView();
    auto rowOf = [list](int number) {
        for (int r = 0; r < list->GetItemCount(); ++r)
            if (list->NumberAt(r) == number)
                return r;
        return -1;
    };
    // The device holds macro 1, nothing under 2, and a PAGE macro under 3.
    AnsweringDevice device(d.doc(), [](const std::string& sent) -> std::vector<std::string> {
        int n = 0;
        char value[8] = {};
        if (std::sscanf(sent.c_str(), "/MACRO/PROG%d/TYPE %7s", &n, value) != 2 || std::string(value) != "?")
            return {};
        const char* type = n == 1 ? "STOP" : n == 3 ? "PAGE" : "EMPTY";
        return {StrFormat("/MACRO/PROG%d/TYPE %s", n, type)};
    });
    int acted = 0;
    device.afterAnswer = [&](const std::string& answer) {
        if (answer == "/MACRO/PROG2/TYPE EMPTY") {
            ASSERT_EQ(nullptr, d.doc().GetIDManager().GetBaseDevice(2, OT_MACRO));
            ASSERT_EQ(1, rowOf(2));
            Click(list, 1, 0);
            EXPECT_EQ(nullptr, frame.GetCurrentMacro());
            EXPECT_NE(nullptr, dynamic_cast<CEmptyMacroView*>(frame.GetEditorView()));
            DoubleClick(list, 1, 1);
            EXPECT_EQ(0, dialogs) << "no type dialog for a macro that has gone";
            QTest::keyClick(list, Qt::Key_Delete);
            EXPECT_EQ(2, Count(OT_MACRO)) << "Delete on the row deletes no other macro";
            // The rows of macros that are still there work as before.
            Click(list, rowOf(3), 0);
            ASSERT_NE(nullptr, frame.GetCurrentMacro());
            EXPECT_EQ(3, frame.GetCurrentMacro()->GetNumber());
            EXPECT_NE(nullptr, dynamic_cast<CStopMacroView*>(frame.GetEditorView()));
            EXPECT_NE(nullptr, frame.GetEditorView()->Macro());
            ++acted;
        } else if (answer == "/MACRO/PROG3/TYPE PAGE") {
            // The STOP editor still shows; it no longer writes to the macro, which is a PAGE macro now.
            ASSERT_EQ(1, acted);
            EXPECT_NE(nullptr, dynamic_cast<CStopMacroView*>(frame.GetEditorView()));
            EXPECT_NE(nullptr, frame.GetCurrentMacro());
            EXPECT_EQ(nullptr, frame.GetEditorView()->Macro());
            ++acted;
        }
    };
    RunUpload(d.doc().GetIDManager().GetBaseDevice(1, OT_MACRO_OBJECT), -1);
    EXPECT_EQ(2, acted);
    device.afterAnswer = nullptr;
    frame.OnCommand(macrocmd::Upload);
    ASSERT_EQ(2, list->GetItemCount());
    EXPECT_EQ(1, list->NumberAt(0));
    EXPECT_EQ(3, list->NumberAt(1));
    EXPECT_NE(nullptr, dynamic_cast<CPageMacroView*>(frame.GetEditorView()));
    EXPECT_NE(nullptr, frame.GetEditorView()->Macro());
}

TEST_F(UploadDeletesRows, AppointmentListIgnoresTheRowOfADeletedAppointment)
{
    for (int n = 1; n <= 3; ++n)
        Add<CAppoint>(n, StrFormat("Pause %d", n));
    CAppointDlgFrm frame;
    frame.resize(900, 400);
    frame.show();
    CCalItemDlgView* view = frame.GetView();
    view->SelectRow(0);
    // The device has no appointment 2 (nor any above 3).
    AnsweringDevice device(d.doc(), [](const std::string& sent) -> std::vector<std::string> {
        int n = 0;
        if (std::sscanf(sent.c_str(), "/CAL/APPOINT%d", &n) != 1 || sent != StrFormat("/CAL/APPOINT%d/FUNCTION ?", n))
            return {};
        return {StrFormat("/CAL/APPOINT%d/FUNCTION %s", n, n == 1 || n == 3 ? "DAILY" : "OFF")};
    });
    int acted = 0;
    device.afterAnswer = [&](const std::string& answer) {
        if (answer != "/CAL/APPOINT2/FUNCTION OFF")
            return;
        ASSERT_EQ(2, Count(OT_APPOINT));
        ASSERT_EQ(2, view->NumberAt(1));
        Click(view, 1, 0);
        EXPECT_EQ(nullptr, view->ObjectOf(view->SelectedRow()));
        for (int column : {2, 3, 4, 5})
            DoubleClick(view, 1, column);
        EXPECT_EQ(0, g_choices);
        EXPECT_EQ(nullptr, view->findChild<CInPlaceDateTimeCtrl*>()) << "no picker for an appointment that has gone";
        QTest::keyClick(view, Qt::Key_Delete);
        EXPECT_EQ(2, Count(OT_APPOINT));
        // A row whose appointment is there still takes its macro.
        DoubleClick(view, 2, 5);
        EXPECT_EQ(1, g_choices);
        auto* kept = dynamic_cast<CAppoint*>(d.doc().GetIDManager().GetBaseDevice(3, OT_APPOINT));
        ASSERT_NE(nullptr, kept);
        EXPECT_EQ(5, kept->GetParam(CAppoint::Macro));
        // A date picker opened now is closed by the window's refill: its row
        // may stand for another appointment then.
        DoubleClick(view, view->RowOfNumber(3), 3);
        EXPECT_NE(nullptr, view->findChild<CInPlaceDateTimeCtrl*>());
        ++acted;
    };
    const caltime::Time before = dynamic_cast<CAppoint*>(d.doc().GetIDManager().GetBaseDevice(3, OT_APPOINT))->m_time;
    RunUpload(d.doc().GetIDManager().GetBaseDevice(1, OT_CAL_OBJECT), CCalObject::ResetAppointments);
    EXPECT_NE(nullptr, view->findChild<CInPlaceDateTimeCtrl*>());
    device.afterAnswer = nullptr;
    frame.OnCommand(ID_CAL_UPLOAD_APPOINTS);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(nullptr, view->findChild<CInPlaceDateTimeCtrl*>());
    EXPECT_EQ(before, dynamic_cast<CAppoint*>(d.doc().GetIDManager().GetBaseDevice(3, OT_APPOINT))->m_time);
    EXPECT_EQ(1, acted);
    ASSERT_EQ(2, view->GetItemCount());
    EXPECT_EQ(1, view->NumberAt(0));
    EXPECT_EQ(3, view->NumberAt(1));
}

TEST_F(UploadDeletesRows, DayProgrammeListAndEntriesIgnoreAProgrammeTheDeviceFreed)
{
    profile.Set("CAL_CLR", 1);
    for (int n = 1; n <= 2; ++n) {
        CDayprog* dp = Add<CDayprog>(n, StrFormat("Tag %d", n));
        dp->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(7, n, 0));  // entry 1
        dp->SetEntryParam(CDayprog::Code(1, CDayprog::EntryMacro), 5);
    }
    CDayprogDlgFrm frame;
    frame.resize(900, 400);
    frame.show();
    CDayprogDlgListView* list = frame.GetListView();
    CDayprogDlgEntryView* entries = frame.GetEntryView();
    list->SelectRow(1);
    ASSERT_EQ(2, entries->Dayprog()->GetNumber());
    ASSERT_EQ(1, entries->GetItemCount());
    // The device holds day programme 1 only.
    AnsweringDevice device(d.doc(), [](const std::string& sent) -> std::vector<std::string> {
        if (sent == "/CAL/CLEAR/DAYPROG ?")
            return {"/CAL/CLEAR/DAYPROG 2-20"};
        return {};
    });
    int acted = 0;
    device.afterAnswer = [&](const std::string& answer) {
        if (answer != "/CAL/CLEAR/DAYPROG 2-20")
            return;
        ASSERT_EQ(1, Count(OT_DAYPROG));
        EXPECT_EQ(nullptr, entries->Dayprog());
        ASSERT_EQ(1, entries->GetItemCount());  // the pane still shows the old entry
        DoubleClick(entries, 0, 2);
        EXPECT_EQ(0, g_choices);
        DoubleClick(entries, 0, 1);
        EXPECT_EQ(nullptr, entries->findChild<CInPlaceDateTimeCtrl*>());
        Click(list, 0, 0);
        ASSERT_NE(nullptr, entries->Dayprog());
        EXPECT_EQ(1, entries->Dayprog()->GetNumber());
        Click(list, 1, 0);
        EXPECT_EQ(nullptr, entries->Dayprog());
        EXPECT_EQ(0, entries->GetItemCount());
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::keyClick(entries, Qt::Key_Delete);
        EXPECT_EQ(1, Count(OT_DAYPROG));
        EXPECT_NE(nullptr, d.doc().GetIDManager().GetBaseDevice(1, OT_DAYPROG));
        ++acted;
    };
    RunUpload(d.doc().GetIDManager().GetBaseDevice(1, OT_CAL_OBJECT), CCalObject::ResetDayprogs);
    EXPECT_EQ(1, acted);
    device.afterAnswer = nullptr;
    frame.OnCommand(ID_CAL_UPLOAD_DAYPROGS);
    ASSERT_EQ(1, list->GetItemCount());
    EXPECT_EQ(1, list->NumberAt(0));
    // The pane shows nothing, or programme 1 when the list's focus made it
    // current again; never the entries of the programme that went.
    if (const CDayprog* shown = entries->Dayprog()) {
        EXPECT_EQ(1, shown->GetNumber());
        ASSERT_EQ(1, entries->GetItemCount());
        EXPECT_EQ(CCalendarListView::TimeText(caltime::OnEntryDay(7, 1, 0)), entries->GetItemText(0, 1));
    } else {
        EXPECT_EQ(0, entries->GetItemCount());
    }
}

TEST_F(UploadDeletesRows, LogicOutputListIgnoresTheRowOfAnOutputTheDeviceSwitchedOff)
{
    ASSERT_NE(nullptr, dynamic_cast<CLogicOutObject*>(d.doc().GetIDManager().GetBaseDevice(1, OT_LOGIC_OUT_OBJECT)));
    for (int n = 1; n <= 3; ++n) {
        auto* out = new CLogicOut;
        ASSERT_EQ(1, out->Create(CLogicOut::kKindId, StrFormat("Ausgang %d", n), n, CAT_DIGITAL_IO, d.get()));
        d.doc().AddObject(out, CAT_DIGITAL_IO);
    }
    const CLogicListView::Chooser previous = CLogicListView::SetChooser(&CountLogicChoice);
    g_logicChoices = 0;
    std::unique_ptr<CLogicListFrm> frame(dynamic_cast<CLogicListFrm*>(CreateLogicFrame(kLogicOutWindow)));
    ASSERT_TRUE(frame);
    frame->resize(900, 400);
    frame->show();
    auto* view = frame->findChild<CLogicListView*>();
    ASSERT_NE(nullptr, view);
    ASSERT_EQ(3, view->GetItemCount());
    AnsweringDevice device(d.doc(), [](const std::string& sent) -> std::vector<std::string> {
        if (sent == "/LOGICOUT/ENTRY2/FUNCTION ?")
            return {"/LOGICOUT/ENTRY2/FUNCTION OFF"};
        return {};
    });
    int acted = 0;
    device.afterAnswer = [&](const std::string&) {
        ASSERT_EQ(2, Count(OT_LOGIC_OUT));
        ASSERT_EQ(2, view->NumberAt(1));
        Click(view, 1, 0);
        EXPECT_EQ(nullptr, view->ObjectOf(view->SelectedRow()));
        for (int column : {2, 3, 4})
            DoubleClick(view, 1, column);
        EXPECT_EQ(0, g_logicChoices);
        QTest::keyClick(view, Qt::Key_Delete);
        EXPECT_EQ(2, Count(OT_LOGIC_OUT));
        // An output that is there still takes its condition.
        const int row = view->NumberAt(2) == 3 ? 2 : 1;
        DoubleClick(view, row, 3);
        EXPECT_EQ(1, g_logicChoices);
        ++acted;
    };
    RunUpload(d.doc().GetIDManager().GetBaseDevice(1, OT_LOGIC_OUT_OBJECT), -1);
    EXPECT_EQ(1, acted);
    device.afterAnswer = nullptr;
    frame->OnCommand(logicwin::UploadLogicOuts);
    CLogicListView::SetChooser(previous);
    ASSERT_EQ(2, view->GetItemCount());
    EXPECT_EQ(1, view->NumberAt(0));
    EXPECT_EQ(3, view->NumberAt(1));
}
