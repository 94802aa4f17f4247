// The audio windows without a device, as their user works them: in the
// monitor window a double-click on an entry's source opens the source choice
// and the entry takes what was chosen, and a double-click on a relay's name
// does the same for the relay; in the recorder window a message slot is
// named in its editable list.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "audio/CInternalMessageRec.h"
#include "audio/CInternalPilottoneGen.h"
#include "audio/CMiscAudio.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMonitor.h"
#include "audio/windows/CMonitorDlgFrm.h"
#include "audio/windows/CMonitorDlgListView.h"
#include "audio/windows/CMonitorRelaisListView.h"
#include "audio/windows/CPilotFrm.h"
#include "audio/windows/CPilotView.h"
#include "audio/windows/CPowerFrm.h"
#include "audio/windows/CPowerView.h"
#include "audio/windows/CRecorderFrm.h"
#include "audio/windows/CRecorderView.h"
#include "audio/windows/CVolumeFrm.h"
#include "audio/windows/CVolumeView.h"
#include "comm/CommTestSupport.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/qt/ModalAnswer.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"
#include "ui/CValueEdit.h"
#include "ui/UiIds.h"

using namespace blocktest;

namespace {
QPoint CellCentre(QTreeWidget* list, int row, int column)
{
    return list->visualRect(list->model()->index(row, column)).center();
}

// A user's double click: the press and release of the first click, then the second.
void DoubleClick(QTreeWidget* list, int row, int column)
{
    const QPoint at = CellCentre(list, row, column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Runs `open`, which opens the program's own selection dialog; in it clicks
// the row whose text is `click` (none when empty) and OK. Returns the text of
// the row the choice opened on.
QString AnswerChoice(const std::function<void()>& open, const QString& click)
{
    QString openedOn = QStringLiteral("(no choice)");
    AnswerDialogOpenedBy<CSelectionDlg>(open, [&](CSelectionDlg& dlg) {
        CEditListCtrl* list = dlg.List();
        openedOn.clear();
        for (int r = 0; r < list->GetItemCount(); ++r) {
            if (list->IsItemSelected(r))
                openedOn += list->GetItemText(r, 0);
            if (!click.isEmpty() && list->GetItemText(r, 0) == click)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetItemRect(r).center());
        }
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text() == QLatin1String("OK"))
                QTest::mouseClick(b, Qt::LeftButton);
    });
    return openedOn;
}

// A new project, active, and the user's way into a window: shown and active.
class AudioWindowByHand : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(d.doc().OnNewDocument()); }
    template <class T>
    T* Fixed(uint32_t type)
    {
        return dynamic_cast<T*>(d.doc().GetIDManager().GetBaseDevice(1, type));
    }
    static void ShowActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ActiveDoc d;
};

// The monitor with the entries IN 2 and OUT 3, the project unmodified, its window
// shown; the source choice answered from the test.
class MonitorWindow : public AudioWindowByHand {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(AudioWindowByHand::SetUp());
        monitor = Fixed<CMonitor>(OT_MONITOR);
        ASSERT_NE(nullptr, monitor);
        previous = CMonitorDlgFrm::SetChooser([this](QWidget*, int kind, const CSelectionDlg::Held& held, int* result) {
            kinds.push_back(kind);
            shown.push_back(held);
            if (!answer)
                return false;
            *result = answer;
            return true;
        });
        monitor->SetValue(monitorsource::AddEntry, monitorsource::Code(monitorsource::In, 2));
        monitor->SetValue(monitorsource::AddEntry, monitorsource::Code(monitorsource::Out, 3));
        d.doc().SetModifiedFlag(false);
        frame = std::make_unique<CMonitorDlgFrm>();
        frame->resize(800, 400);
        ASSERT_NO_FATAL_FAILURE(ShowActive(*frame));
        entries = frame->GetEntryList();
    }
    void TearDown() override { CMonitorDlgFrm::SetChooser(previous); }

    CMonitor* monitor = nullptr;
    CMonitorDlgFrm::Chooser previous;
    std::vector<int> kinds;
    std::vector<CSelectionDlg::Held> shown;  // what each choice opened on
    int answer = 0;  // 0: the user cancels
    std::unique_ptr<CMonitorDlgFrm> frame;
    CMonitorDlgListView* entries = nullptr;
};

std::string NameOf(const CInternalMessageRec& rec, int slot)
{
    std::vector<std::string> names;
    rec.GetMessageNames(1, &names);
    return names.at(static_cast<size_t>(slot));
}
using RecorderWindow = AudioWindowByHand;
using PowerWindow = AudioWindowByHand;
}  // namespace

TEST_F(MonitorWindow, DoubleClickOnAnEntrysSourceChoosesItsNewSource)
{
    using namespace monitorsource;
    ASSERT_EQ(2, entries->GetItemCount());

    // Cancelled: the entry and the project stay as they were.
    DoubleClick(entries, 1, 2);
    ASSERT_EQ(std::vector<int>{selkind::Monitor}, kinds) << "the source choice opens";
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(static_cast<int>(Code(Out, 3)), shown[0].number) << "on the entry's source";
    EXPECT_EQ("OUT", monitor->GetEntry(1).source);
    EXPECT_FALSE(d.doc().IsModified());

    // Chosen: the second row's entry takes the new source, the first keeps its own.
    answer = static_cast<int>(Code(Rel, 4));
    DoubleClick(entries, 1, 2);
    ASSERT_EQ(2u, kinds.size());
    EXPECT_EQ("REL", monitor->GetEntry(1).source);
    EXPECT_EQ(4u, monitor->GetEntry(1).number);
    EXPECT_EQ("IN", monitor->GetEntry(0).source);
    ASSERT_EQ(2, entries->GetItemCount());
    EXPECT_EQ(QStringLiteral("2"), entries->GetItemText(1, 1));
    EXPECT_EQ(QString::fromStdString(monitor->GetSourceText(Code(Rel, 4))), entries->GetItemText(1, 2));
    EXPECT_TRUE(d.doc().IsModified());

    // Only the source column opens the choice.
    DoubleClick(entries, 0, 1);
    EXPECT_EQ(2u, kinds.size());

    // A relay's name opens the contacts' choice on that name.
    monitor->ParseUploadLines("MONI/RELAY2 1001", std::string(), linkstate::Upload);
    frame->Refill();
    CMonitorRelaisListView* relays = frame->GetRelayList();
    ASSERT_EQ(1, relays->GetItemCount());
    answer = 0;
    DoubleClick(relays, 0, 2);
    ASSERT_EQ(3u, kinds.size());
    EXPECT_EQ(selkind::LMZ764, kinds[2]);
    // A relay no contact of the project names: no row of the choice.
    ASSERT_EQ(3u, shown.size());
    EXPECT_TRUE(shown[2].missing);
    EXPECT_EQ(1001u, monitor->GetRelayWord(1)) << "cancelled";
}

// The same with the program's own choice: it opens on the entry's source,
// so that OK alone keeps it, and the entry takes a source clicked in it.
TEST_F(MonitorWindow, TheSourceChoiceOpensOnTheEntrysSourceAndTheEntryTakesTheClickedOne)
{
    using namespace monitorsource;
    CMonitorDlgFrm::SetChooser(nullptr);  // the real selection dialog

    // Double-clicks the first row's source, while the last one is selected.
    auto choose = [&](const QString& click) { return AnswerChoice([&] { DoubleClick(entries, 0, 2); }, click); };
    const QString in2 = QString::fromStdString(monitor->GetSourceText(Code(In, 2)));
    EXPECT_EQ(in2, choose(QString()));
    EXPECT_EQ("IN", monitor->GetEntry(0).source);
    EXPECT_EQ(2u, monitor->GetEntry(0).number);
    EXPECT_FALSE(d.doc().IsModified());
    ASSERT_EQ(2, entries->GetItemCount());

    const QString in4 = QString::fromStdString(monitor->GetSourceText(Code(In, 4)));
    EXPECT_EQ(in2, choose(in4));
    EXPECT_EQ(4u, monitor->GetEntry(0).number);
    EXPECT_EQ("OUT", monitor->GetEntry(1).source);
    EXPECT_EQ(in4, entries->GetItemText(0, 2));
    EXPECT_TRUE(d.doc().IsModified());
}

// Both monitor lists, long, open at their top with their first row chosen.
// Scrolled down, they keep their place when a row in them is deleted: the
// rows in view stay where they were, the next one selected.
TEST_F(MonitorWindow, ADeletedRowLeavesALongListWhereItStood)
{
    using namespace monitorsource;
    d.doc().m_data.deviceVariant = 1;  // 250 entries, 50 relays
    for (int i = 2; i < CMonitor::GetMaxEntries(); ++i)
        monitor->SetValue(AddEntry, Code(In, 1));
    for (int i = 0; i < CMonitor::GetMaxRelays(); ++i)
        monitor->ParseUploadLines(StrFormat("MONI/RELAY%d %d", i + 1, 1001 + i), std::string(), linkstate::Upload);
    // The window opened again on the long lists.
    frame = std::make_unique<CMonitorDlgFrm>();
    frame->resize(800, 400);
    ASSERT_NO_FATAL_FAILURE(ShowActive(*frame));
    entries = frame->GetEntryList();
    const struct {
        const char* list;
        CListCtrl* view;
        int count;
    } rows[] = {{"entries", entries, CMonitor::GetMaxEntries()},
                {"relays", frame->GetRelayList(), CMonitor::GetMaxRelays()}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        ASSERT_EQ(row.count, row.view->GetItemCount());
        EXPECT_TRUE(row.view->IsItemSelected(0) && row.view->IsItemFocused(0)) << "opened on the first row";
        EXPECT_EQ(0, row.view->RowOf(row.view->itemAt(0, 0))) << "at the top";
        row.view->scrollToItem(row.view->Row(row.count / 2), QAbstractItemView::PositionAtTop);
        QApplication::processEvents();
        const int top = row.view->RowOf(row.view->itemAt(0, 0));
        const int deleted = top + 3;
        const QPoint at = CellCentre(row.view, deleted, 2);
        ASSERT_TRUE(row.view->viewport()->rect().contains(at));
        const QString next = row.view->GetItemText(deleted + 1, 1);
        QTest::mouseClick(row.view->viewport(), Qt::LeftButton, {}, at);
        QTest::keyClick(row.view->viewport(), Qt::Key_Delete);
        QApplication::processEvents();
        ASSERT_EQ(row.count - 1, row.view->GetItemCount());
        EXPECT_EQ(top, row.view->RowOf(row.view->itemAt(0, 0))) << "the list kept its place";
        EXPECT_EQ(next, row.view->GetItemText(row.view->RowOf(row.view->itemAt(at)), 1));
        EXPECT_TRUE(row.view->IsItemSelected(deleted));
    }
}

// The power window's "..." buttons open the choice on the condition or macro
// linked now, so that OK alone keeps it; a row clicked in it is linked.
TEST_F(PowerWindow, TheChoiceOpensOnWhatIsLinkedAndOkAloneKeepsIt)
{
    auto* power = Fixed<CInternalPowerManagement>(OT_INTERNAL_POWER_MANAGEMENT);
    ASSERT_TRUE(power);
    power->SetValue(powerkey::BootMacro, 7);  // a placeholder macro "7 *"
    power->SetValue(powerkey::ShutMacro, 8);
    d.doc().SetModifiedFlag(false);
    CPowerFrm frame;
    ASSERT_NO_FATAL_FAILURE(ShowActive(frame));
    auto button = [&](const char* id) { return frame.findChild<QPushButton*>(QLatin1String(id)); };
    ASSERT_TRUE(button("1574") && button("1575") && button("1573"));
    const struct {
        const char* button;  // "..." beside
        uint32_t key;
        const char* click;  // the row clicked in the choice, none when empty
        const char* openedOn;
        int linked;         // afterwards
        bool modified;      // the project, afterwards
    } rows[] = {
        {"1574", powerkey::BootMacro, "", "7 *", 7, false},  // the boot macro
        {"1575", powerkey::ShutMacro, "", "8 *", 8, false},  // the shutdown macro
        {"1573", powerkey::MainsCond, "", "Kein Eintrag", 0, false},  // nothing linked yet
        {"1574", powerkey::BootMacro, "8 *", "7 *", 8, true},
    };
    for (const auto& row : rows) {
        const QString openedOn =
            AnswerChoice([&] { QTest::mouseClick(button(row.button), Qt::LeftButton); }, QString::fromLatin1(row.click));
        EXPECT_EQ(std::string(row.openedOn), openedOn.toStdString()) << row.button << " " << row.click;
        EXPECT_EQ(row.linked, power->GetValue(row.key)) << row.button << " " << row.click;
        EXPECT_EQ(row.modified, d.doc().IsModified()) << row.button << " " << row.click;
    }
    EXPECT_EQ(8, power->GetValue(powerkey::ShutMacro));
}

// The recorder window: naming a message slot in its editable list.
TEST_F(RecorderWindow, TypingIntoAMessageNameKeepsTheCursorAndTheListRefillsWhenItDropsDown)
{
    auto* rec = Fixed<CInternalMessageRec>(OT_INTERNAL_MESSAGE_REC);
    ASSERT_TRUE(rec);
    rec->SetInt(recorderkey::MessageNumber, 2);
    rec->SetText(recorderkey::MessageName | (1u << 16), "Feueralarm");

    // The user's way in: the window shown and active, the keyboard in the
    // name's edit, the cursor moved by keys to just after "Feuer".
    CRecorderFrm frame;
    ASSERT_NO_FATAL_FAILURE(ShowActive(frame));
    CDropDownComboBox* combo = frame.GetView()->m_message;
    QLineEdit* edit = combo->lineEdit();
    edit->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
    ASSERT_EQ(QStringLiteral("Feueralarm"), edit->text());
    QTest::keyClick(edit, Qt::Key_End);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(edit, Qt::Key_Left);
    ASSERT_EQ(5, edit->cursorPosition());
    QTest::keyClicks(edit, QStringLiteral("XY"));
    EXPECT_EQ("FeuerXYalarm", edit->text().toStdString());
    EXPECT_FALSE(edit->hasSelectedText()) << edit->selectedText().toStdString();
    EXPECT_EQ(7, edit->cursorPosition());
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));

    // To the next slot and back by key: the new name comes back, not the old.
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(3, rec->GetInt(recorderkey::MessageNumber));
    EXPECT_EQ(QString::fromStdString(NameOf(*rec, 2)), edit->text());
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ("FeuerXYalarm", edit->text().toStdString());
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));
    EXPECT_EQ(QString::fromStdString(CInternalMessageRec::DefaultMessageName(2)), combo->itemText(2));

    // A name typed anew that begins like another slot's stays what was typed:
    // the list offers no other slot's name to finish it.
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("Feuer"));
    EXPECT_EQ("Feuer", edit->text().toStdString());
    EXPECT_EQ("Feuer", NameOf(*rec, 2));
    EXPECT_EQ("FeuerXYalarm", NameOf(*rec, 1));

    // Dropping down refills the list from the recorder and selects its slot.
    rec->SetText(recorderkey::MessageName | (4u << 16), "Räumung");
    rec->SetInt(recorderkey::MessageNumber, 5);
    combo->showPopup();
    EXPECT_EQ(QStringLiteral("Räumung"), combo->itemText(4));
    EXPECT_EQ(4, combo->currentIndex());
    EXPECT_EQ(QStringLiteral("Räumung"), edit->text());
    EXPECT_EQ(CInternalMessageRec::kMessageCount, combo->count());
    combo->hidePopup();
    EXPECT_EQ("Räumung", NameOf(*rec, 4));

    // A name of blanks only, or none, is refused with a word when the edit is
    // left or another slot is chosen: the slot keeps the name it had.
    const std::string noName = "Sie müssen einen Namen der mindestens 1 Zeichen lang ist, eingeben !";
    for (const auto& [typed, leave] : {std::pair{"   ", Qt::Key_Tab}, std::pair{"", Qt::Key_Return},
                                       std::pair{"\xC2\xA0 ", Qt::Key_Down}}) {
        commtest::Messages messages;
        edit->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
        ASSERT_EQ(4, combo->currentIndex());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromUtf8(typed));
        QTest::keyClick(edit, leave);
        EXPECT_EQ("Räumung", NameOf(*rec, 4)) << "typed: '" << typed << "'";
        EXPECT_EQ(QStringLiteral("Räumung"), combo->itemText(4));
        ASSERT_EQ(1u, messages.texts.size()) << "typed: '" << typed << "'";
        EXPECT_EQ(0u, messages.texts[0].find(noName)) << messages.texts[0];
        if (leave == Qt::Key_Down) {
            EXPECT_EQ(5, combo->currentIndex());
            QTest::keyClick(edit, Qt::Key_Up);
        } else {
            EXPECT_EQ(QStringLiteral("Räumung"), edit->text());
        }
    }
}

// The device's answers to the recorder's questions: a number beyond what the
// recorder has (input 7, message 30) leaves the project's setting and the
// list as they were, as a word does; a number within it is taken and shown.
TEST_F(RecorderWindow, AnswersTheRecorderCannotHoldLeaveItsSettings)
{
    auto* rec = Fixed<CInternalMessageRec>(OT_INTERNAL_MESSAGE_REC);
    ASSERT_TRUE(rec);
    CRecorderFrm frame;
    ASSERT_NO_FATAL_FAILURE(ShowActive(frame));
    CRecorderView* view = frame.GetView();
    const struct {
        const char* answer;
        uint32_t key;
        int held;   // the setting afterwards
        int shown;  // the list's item afterwards
    } rows[] = {
        {"/RECORDER/INPUT 2", recorderkey::Input, 2, 1},
        {"/RECORDER/INPUT 7", recorderkey::Input, 2, 1},
        {"/RECORDER/INPUT 0", recorderkey::Input, 2, 1},
        {"/RECORDER/INPUT 2,5", recorderkey::Input, 2, 1},
        {"/RECORDER/OUTPUT 3", recorderkey::Output, 3, 3},
        {"/RECORDER/OUTPUT 5", recorderkey::Output, 3, 3},
        {"/RECORDER/OUTPUT NONE", recorderkey::Output, 0, 0},
        {"/RECORDER/FILE 25", recorderkey::MessageNumber, 25, 24},
        {"/RECORDER/FILE 30", recorderkey::MessageNumber, 25, 24},
        {"/RECORDER/FILE -1", recorderkey::MessageNumber, 25, 24},
        {"/RECORDER/FILE OFF", recorderkey::MessageNumber, 0, -1},
    };
    for (const auto& row : rows) {
        std::vector<std::string> answers{row.answer};
        view->OnLinkAnswer(0, answers);
        EXPECT_EQ(row.held, rec->GetInt(row.key)) << row.answer;
        const QComboBox* list = row.key == recorderkey::Input    ? view->m_input
                                : row.key == recorderkey::Output ? view->m_output
                                                                 : view->m_message;
        EXPECT_EQ(row.shown, list->currentIndex()) << row.answer;
    }
}

// A field of a live window the user only passes through (a click into it,
// Tab out) keeps a value held finer than the field shows it: nothing is
// changed or marked. What he types is taken.
TEST_F(AudioWindowByHand, AFieldPassedThroughKeepsAValueHeldFinerThanItShows)
{
    auto* rec = Fixed<CInternalMessageRec>(OT_INTERNAL_MESSAGE_REC);
    auto* pilot = Fixed<CInternalPilottoneGen>(OT_INTERNAL_PILOTTONE_GEN);
    auto* levels = Fixed<CMiscAudio>(OT_MISC_AUDIO);
    ASSERT_TRUE(rec && pilot && levels);
    rec->SetFloat(recorderkey::MaxTime, 12.25f);
    pilot->SetFloatValue(pilotkey::Frequency, 19000.25f);
    pilot->SetFloatValue(pilotkey::LevelKey(0), -20.25f);
    levels->SetValue(miscaudiokey::ChimeVol, "-12.25");
    CRecorderFrm recorder;
    CPilotFrm tone;
    CVolumeFrm volumes;
    const struct {
        const char* what;
        QWidget* window;
        QPushButton* first;  // clicked before: the pilot tone's output whose level is typed
        QLineEdit* field;
        std::function<float()> held;
        float before;
        const char* typed;
        float after;
    } rows[] = {
        {"recorder time", &recorder, nullptr, recorder.GetView()->m_maxTime,
         [&] { return rec->GetFloat(recorderkey::MaxTime); }, 12.25f, "20", 20.0f},
        {"pilot frequency", &tone, nullptr, tone.GetView()->m_frequency,
         [&] { return pilot->GetFloatValue(pilotkey::Frequency); }, 19000.25f, "18000", 18000.0f},
        {"pilot level", &tone, tone.GetView()->m_outputs[0], tone.GetView()->m_levels[0],
         [&] { return pilot->GetFloatValue(pilotkey::LevelKey(0)); }, -20.25f, "-30", -30.0f},
        {"chime volume", &volumes, nullptr, volumes.GetView()->m_fields[CVolumeView::Chime],
         [&] { return levels->GetLevel(miscaudiokey::ChimeVol); }, -12.25f, "-20", -20.0f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_NO_FATAL_FAILURE(ShowActive(*row.window));
        if (row.first)
            QTest::mouseClick(row.first, Qt::LeftButton);
        d.doc().SetModifiedFlag(false);
        QTest::mouseClick(row.field, Qt::LeftButton);
        QTest::keyClick(row.field, Qt::Key_Tab);
        EXPECT_EQ(row.before, row.held());
        EXPECT_FALSE(d.doc().IsModified());
        QTest::mouseClick(row.field, Qt::LeftButton);
        QTest::keyClick(row.field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(row.field, QString::fromLatin1(row.typed));
        QTest::keyClick(row.field, Qt::Key_Tab);
        EXPECT_EQ(row.after, row.held());
        EXPECT_TRUE(d.doc().IsModified());
    }
}
