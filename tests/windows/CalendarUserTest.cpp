// The calendar windows as their user meets them: shown, with clicks and keys
// on the lists, the pickers and the buttons, and what the project holds after.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTimer>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "ListWindowByHand.h"
#include "calendar/CAppoint.h"
#include "calendar/CClock.h"
#include "calendar/CDayprog.h"
#include "calendar/CWeek.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CClkFrm.h"
#include "calendar/windows/CClockDlg.h"
#include "calendar/windows/CClockForm.h"
#include "calendar/windows/CCalendarListView.h"
#include "calendar/windows/CDayprogDlgEntryView.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CDayprogDlgListView.h"
#include "calendar/windows/CHolidayDlgFrm.h"
#include "calendar/windows/CWeekDlgFrm.h"
#include "calendar/windows/CWeekDlgView.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"
#include "support/qt/TypeAsKeyboard.h"
#include "ui/CInPlaceDateTimeCtrl.h"
#include "ui/CObjectDlg.h"

using namespace blocktest;
using namespace byhand;

namespace {
// The selection dialog's answer, as the user would pick it: the kind asked
// for and the number it opened on are kept.
struct Choice {
    int result = 0;
    bool ok = true;
    int kind = 0;
    int held = -1;
};
Choice& TheChoice()
{
    static Choice choice;
    return choice;
}
bool Choose(QWidget*, int kind, const CSelectionDlg::Held& held, int* result)
{
    TheChoice().kind = kind;
    TheChoice().held = held.number;
    *result = TheChoice().result;
    return TheChoice().ok;
}

class CalendarUser : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ASSERT_TRUE(d.doc().OnNewDocument());
        d.doc().m_data.deviceVariant = 0;
        TheChoice() = Choice();
        previousChooser = CCalItemDlgView::SetChooser(&Choose);
    }
    void TearDown() override { CCalItemDlgView::SetChooser(previousChooser); }

    // Shows a frame and waits until it takes input.
    static void Show(QWidget& frame)
    {
        // Wide enough for every column of the lists.
        frame.resize(1100, 600);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    // Clicks a row's name, F2, the keys, Enter.
    static void Rename(CListCtrl* list, int row, const QString& keys)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, 0));
        QTest::keyClick(list, Qt::Key_F2);
        // A click on the row that is already selected opens the editor by
        // itself after the double-click time, and F2 waits for that.
        const auto editor = [list] {
            QWidget* w = QApplication::focusWidget();
            return w && w->parentWidget() == list->viewport() ? w : nullptr;
        };
        ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 5000)) << "F2 opens the name's editor";
        QWidget* edit = editor();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        TypeAsKeyboard(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
        Settle();
    }
    // Double-clicks a date or time cell, types the keys into the picker, Enter.
    static bool TypeInPicker(CListCtrl* list, int row, int column, const QString& keys)
    {
        DoubleClick(list, row, column);
        auto* picker = list->findChild<CInPlaceDateTimeCtrl*>();
        if (!picker)
            return false;
        QTest::keyClicks(picker, keys);
        QTest::keyClick(picker, Qt::Key_Return);
        Settle();
        return true;
    }

    ActiveDoc d;
    RecordingSender sender;
    MessageLog messages;
    CCalItemDlgView::Chooser previousChooser = nullptr;
};
}  // namespace

// F2 on a row's name in each calendar list: an emptied name leaves the
// stored one on show without a word; blanks alone are no name either, and
// are told so; a name goes to the object (and with it to the device). A name
// the project file and the device cannot hold as shown (a character beyond
// their code page, a name the device would read as a query) is refused with
// a word that names it, and the stored name stays; umlauts, "ß" and "€" are
// taken, saved and read back.
TEST_F(CalendarUser, AnEmptiedNameLeavesTheStoredNameOnShow)
{
    CAppointDlgFrm appoints;
    CHolidayDlgFrm holidays;
    CDayprogDlgFrm dayprogs;
    const struct {
        CFeatureFrm* frame;
        CCalendarListView* list;
        unsigned newItem;
        uint32_t type;
        const char* name;
        const char* renamed;  // names are unique in the project
    } windows[] = {
        {&appoints, appoints.GetView(), ID_CAL_NEW_APPOINT, OT_APPOINT, "Ereignis 1", "Pause"},
        {&holidays, holidays.GetView(), ID_CAL_NEW_HOLIDAY, OT_HOLIDAY, "Feiertagsprogramm 1", "Ostern"},
        {&dayprogs, dayprogs.GetListView(), ID_CAL_NEW_DAYPROG, OT_DAYPROG, "Tagesprogramm 1", "Werktag"},
    };
    const char* noName = "Sie müssen einen Namen";
    const struct {
        const char* keys;  // null: the window's new name
        const char* told;  // what the refusal says; null: nothing is said
        bool taken;
    } rows[] = {
        {"", nullptr, false},
        {"   ", noName, false},
        {"\xC2\xA0", noName, false},  // the blank that does not break
        {"Früh ßΩ", "'Ω' (U+03A9)", false},
        {"ΩX漢Y", "'Ω' (U+03A9)", false},
        {"Feiertag 漢", "'漢' (U+6F22)", false},
        {"?", "'?' würde an QUILLOMER als Abfrage", false},
        {"Ferien ?", "'Ferien ?' würde an QUILLOMER als Abfrage", false},
        {"Früh ß€é", nullptr, true},
        {nullptr, nullptr, true},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        Show(*w.frame);
        ClickButton(*w.frame, w.newItem);
        ASSERT_EQ(1, w.list->GetItemCount());
        const CBaseDevice* object = FindNumbered(&d.doc(), w.type, 1);
        ASSERT_NE(nullptr, object);
        std::string shown = w.name;
        for (const auto& row : rows) {
            const std::string keys = row.keys ? row.keys : w.renamed;
            SCOPED_TRACE("'" + keys + "'");
            messages.texts.clear();
            Rename(w.list, 0, QString::fromStdString(keys));
            if (row.taken)
                shown = keys;
            EXPECT_EQ(shown, w.list->GetItemText(0, 0).toStdString());
            EXPECT_EQ(shown, object->GetName());
            if (row.told)
                EXPECT_TRUE(messages.Contains(row.told)) << "an emptied name is no fault to report";
            EXPECT_EQ(row.told ? 1u : 0u, messages.texts.size());
            if (row.keys && row.taken) {
                // Saved and read back as shown.
                CQuillomerDoc reopened;
                ASSERT_TRUE(reopened.LoadFromBytes(d.doc().SaveToBytes()));
                const CBaseDevice* read = FindNumbered(&reopened, w.type, 1);
                ASSERT_NE(nullptr, read);
                EXPECT_EQ(keys, read->GetName());
            }
        }
        w.frame->hide();
    }
}

TEST_F(CalendarUser, EveryChangeInTheAppointmentAndHolidayListsMarksTheProject)
{
    // Each step as the user takes it; the project must ask to be saved after each.
    const auto marks = [this](const char* what, const std::function<void()>& step) {
        SCOPED_TRACE(what);
        d.doc().SetModifiedFlag(false);
        step();
        EXPECT_TRUE(d.doc().IsModified());
    };
    CAppointDlgFrm appoints;
    Show(appoints);
    CCalItemDlgView* list = appoints.GetView();
    marks("new appointment", [&] { ClickButton(appoints, ID_CAL_NEW_APPOINT); });
    ASSERT_EQ(1, list->GetItemCount());
    auto* a = dynamic_cast<CAppoint*>(list->ObjectOf(0));
    ASSERT_NE(nullptr, a);
    marks("appointment date", [&] { ASSERT_TRUE(TypeInPicker(list, 0, 3, QStringLiteral("241226"))); });
    EXPECT_EQ("24.12.2026", caltime::DeviceDate(a->m_time));
    marks("appointment time", [&] { ASSERT_TRUE(TypeInPicker(list, 0, 4, QStringLiteral("063000"))); });
    EXPECT_EQ("06:30:00", caltime::DeviceTime(a->m_time));
    // Enter on what is shown changes nothing: the project does not ask to be saved for it.
    d.doc().SetModifiedFlag(false);
    for (int column : {3, 4})
        ASSERT_TRUE(TypeInPicker(list, 0, column, QString()));
    EXPECT_EQ("24.12.2026 06:30:00", caltime::DeviceDate(a->m_time) + " " + caltime::DeviceTime(a->m_time));
    EXPECT_FALSE(d.doc().IsModified());
    marks("appointment name", [&] { Rename(list, 0, QStringLiteral("Pause")); });
    marks("appointment deleted", [&] {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, 0, 0));
        QTest::keyClick(list->viewport(), Qt::Key_Delete);
    });
    EXPECT_EQ(0, list->GetItemCount());

    CHolidayDlgFrm holidays;
    Show(holidays);
    list = holidays.GetView();
    marks("new holiday", [&] { ClickButton(holidays, ID_CAL_NEW_HOLIDAY); });
    ASSERT_EQ(1, list->GetItemCount());
    auto* h = dynamic_cast<CHoliday*>(list->ObjectOf(0));
    ASSERT_NE(nullptr, h);
    h->SetParam(CHoliday::Function, IDS_CALFN_PERIOD);
    list->Refill();
    marks("holiday date", [&] { ASSERT_TRUE(TypeInPicker(list, 0, 3, QStringLiteral("011226"))); });
    EXPECT_EQ("01.12.2026", caltime::DeviceDate(h->m_time));
    marks("holiday end date", [&] { ASSERT_TRUE(TypeInPicker(list, 0, 4, QStringLiteral("081226"))); });
    EXPECT_EQ(7, h->m_dayCount);
    d.doc().SetModifiedFlag(false);
    for (int column : {3, 4})
        ASSERT_TRUE(TypeInPicker(list, 0, column, QString()));
    EXPECT_EQ(7, h->m_dayCount);
    EXPECT_FALSE(d.doc().IsModified());
}

TEST_F(CalendarUser, ADayProgrammeIsBuiltEntryByEntryAndEveryStepMarksTheProject)
{
    const auto marks = [this](const char* what, const std::function<void()>& step) {
        SCOPED_TRACE(what);
        d.doc().SetModifiedFlag(false);
        step();
        EXPECT_TRUE(d.doc().IsModified());
    };
    CDayprogDlgFrm frame;
    Show(frame);
    CDayprogDlgListView* programmes = frame.GetListView();
    CDayprogDlgEntryView* entries = frame.GetEntryView();
    marks("new day programme", [&] { ClickButton(frame, ID_CAL_NEW_DAYPROG); });
    ASSERT_EQ(1, programmes->GetItemCount());
    EXPECT_EQ("Tagesprogramm 1", programmes->GetItemText(0, 0).toStdString());
    EXPECT_EQ("", programmes->GetItemText(0, 2).toStdString()) << "no entries: an empty count, not 0";
    CDayprog* dp = programmes->Selected();
    ASSERT_NE(nullptr, dp);
    EXPECT_EQ(0, entries->GetItemCount());

    marks("new entry", [&] { ClickButton(frame, ID_CAL_NEW_ENTRY); });
    ASSERT_EQ(1, entries->GetItemCount());
    EXPECT_EQ("00:00:00", entries->GetItemText(0, 1).toStdString());
    EXPECT_EQ("1", programmes->GetItemText(0, 2).toStdString());
    marks("entry time", [&] { ASSERT_TRUE(TypeInPicker(entries, 0, 1, QStringLiteral("071500"))); });
    EXPECT_EQ("07:15:00", entries->GetItemText(0, 1).toStdString());
    EXPECT_EQ(caltime::OnEntryDay(7, 15, 0), dp->m_entries[0]);

    TheChoice().result = 12;
    marks("entry macro", [&] {
        DoubleClick(entries, 0, 2);
    });
    EXPECT_EQ(IDS_CAL_COL_MACRO, TheChoice().kind);
    EXPECT_EQ("12 *", entries->GetItemText(0, 2).toStdString());
    // Enter on the time shown and OK on the macro already set change nothing:
    // the project does not ask to be saved for them.
    d.doc().SetModifiedFlag(false);
    ASSERT_TRUE(TypeInPicker(entries, 0, 1, QString()));
    DoubleClick(entries, 0, 2);
    EXPECT_EQ(12, TheChoice().held);
    EXPECT_EQ(caltime::OnEntryDay(7, 15, 0), dp->m_entries[0]);
    EXPECT_EQ(12, dp->GetEntryParam(CDayprog::Code(0, CDayprog::EntryMacro)));
    EXPECT_FALSE(d.doc().IsModified());

    marks("day programme name", [&] { Rename(programmes, 0, QStringLiteral("Werktag")); });
    EXPECT_EQ("Werktag", dp->GetName());

    marks("entry deleted", [&] {
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, CellCenter(entries, 0, 0));
        QTest::keyClick(entries->viewport(), Qt::Key_Delete);
        Settle();
    });
    EXPECT_EQ(0, entries->GetItemCount());
    EXPECT_FALSE(dp->IsEntrySet(0));
    EXPECT_EQ(0, dp->GetEntryParam(CDayprog::Code(0, CDayprog::EntryMacro)));

    ClickButton(frame, ID_CAL_NEW_ENTRY);
    ASSERT_EQ(1, entries->GetItemCount());
    marks("day programme deleted", [&] {
        QTest::mouseClick(programmes->viewport(), Qt::LeftButton, {}, CellCenter(programmes, 0, 0));
        QTest::keyClick(programmes->viewport(), Qt::Key_Delete);
        Settle();
    });
    EXPECT_EQ(0, programmes->GetItemCount());
    EXPECT_EQ(0, entries->GetItemCount()) << "the last programme gone leaves no entries on show";
}

// A programme of 40 entries: an edited entry keeps its row where the user
// sees it, selected, so the next double-click there edits the same entry.
// The entry pane's context menu offers no transfer of its own (the programme
// list's does, while the project is on the device).
TEST_F(CalendarUser, AnEditedEntryStaysWhereItStoodInALongProgramme)
{
    d.doc().SetConnected(1);
    CDayprogDlgFrm frame;
    Show(frame);
    frame.resize(1100, 300);
    Settle();
    ClickButton(frame, ID_CAL_NEW_DAYPROG);
    CDayprog* dp = frame.GetListView()->Selected();
    ASSERT_NE(nullptr, dp);
    for (int i = 0; i < 40; ++i)
        ClickButton(frame, ID_CAL_NEW_ENTRY);
    CDayprogDlgEntryView* entries = frame.GetEntryView();
    ASSERT_EQ(40, entries->GetItemCount());
    entries->scrollToBottom();
    Settle();
    const QPoint at = CellCenter(entries, 39, 1);
    ASSERT_TRUE(entries->viewport()->rect().contains(at));
    for (const char* typed : {"064500", "071000"}) {
        SCOPED_TRACE(typed);
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(entries->viewport(), Qt::LeftButton, {}, at);
        Settle();
        auto* picker = entries->findChild<CInPlaceDateTimeCtrl*>();
        ASSERT_NE(nullptr, picker);
        QTest::keyClicks(picker, QString::fromLatin1(typed));
        QTest::keyClick(picker, Qt::Key_Return);
        Settle();
        EXPECT_EQ(39, entries->RowOf(entries->itemAt(at)));
        EXPECT_EQ(40, entries->SelectedEntry());
    }
    EXPECT_EQ("07:10:00", caltime::DeviceTime(dp->m_entries[39]));
    EXPECT_EQ(caltime::EntryDay(), dp->m_entries[9]) << "entry 10 untouched";

    // Right clicks on the two lists: what each menu offers.
    const auto menuOf = [](CListCtrl* list) {
        std::vector<std::pair<std::string, bool>> shown;
        QObject scope;  // the timer dies with the locals it writes, whether a menu took it or not
        QTimer::singleShot(0, &scope, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* a : menu->actions())
                shown.emplace_back(a->text().toStdString(), a->isEnabled());
            menu->close();
        });
        const QPoint point = list->visualItemRect(list->topLevelItem(0)).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, point, list->viewport()->mapToGlobal(point));
        QApplication::sendEvent(list->viewport(), &click);
        return shown;
    };
    const std::string down = LoadStringId(ID_CAL_DOWNLOAD_ITEM), up = LoadStringId(ID_CAL_UPLOAD_ITEM);
    using Menu = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ((Menu{{down, true}, {up, true}}), menuOf(frame.GetListView()));
    EXPECT_EQ((Menu{{down, false}, {up, false}}), menuOf(entries));
    EXPECT_TRUE(sender.lines.empty());
}

// A list scrolled down keeps its place when a row in it is edited: the row
// under the mouse is still the one edited, and it stays selected.
TEST_F(CalendarUser, AnEditedRowStaysWhereItStoodInALongList)
{
    d.doc().m_data.deviceVariant = 1;  // 50 appointments and holidays, 20 day programmes
    CAppointDlgFrm appoints;
    CHolidayDlgFrm holidays;
    CDayprogDlgFrm dayprogs;
    const struct {
        const char* window;
        CFeatureFrm* frame;
        CCalendarListView* list;
        unsigned newItem;
        int count;
    } rows[] = {
        {"appointments", &appoints, appoints.GetView(), ID_CAL_NEW_APPOINT, 50},
        {"holidays", &holidays, holidays.GetView(), ID_CAL_NEW_HOLIDAY, 50},
        {"day programmes", &dayprogs, dayprogs.GetListView(), ID_CAL_NEW_DAYPROG, 20},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.window);
        Show(*row.frame);
        row.frame->resize(1100, 300);
        Settle();
        for (int i = 0; i < row.count; ++i)
            ClickButton(*row.frame, row.newItem);
        CCalendarListView* list = row.list;
        ASSERT_EQ(row.count, list->GetItemCount());
        // Scrolled to the middle; the row halfway down the view is renamed.
        list->scrollToItem(list->topLevelItem(row.count / 2), QAbstractItemView::PositionAtTop);
        Settle();
        const QTreeWidgetItem* top = list->itemAt(0, 0);
        ASSERT_NE(nullptr, top);
        const int edited = list->RowOf(top) + 3;
        const QPoint at = CellCenter(list, edited, 0);
        ASSERT_TRUE(list->viewport()->rect().contains(at));
        Rename(list, edited, QString::fromLatin1(row.window));  // names are unique in the project
        EXPECT_EQ(row.window, list->GetItemText(edited, 0).toStdString());
        EXPECT_EQ(edited, list->RowOf(list->itemAt(at))) << "the list kept its place";
        EXPECT_EQ(edited, list->SelectedRow());
        row.frame->hide();
    }
}

TEST_F(CalendarUser, TheWeekTakesADayProgrammePerWeekdayAndSendsIt)
{
    CWeekDlgFrm frame;
    Show(frame);
    CWeekDlgView* week = frame.GetView();
    ASSERT_EQ(7, week->GetItemCount());
    EXPECT_EQ("Sonntag", week->GetItemText(6, 0).toStdString());
    EXPECT_EQ("", week->GetItemText(6, 1).toStdString());

    d.doc().SetModifiedFlag(false);
    TheChoice().result = 4;
    DoubleClick(week, 6, 1);
    EXPECT_EQ(IDS_CAL_DAYPROG, TheChoice().kind);
    EXPECT_EQ("4 *", week->GetItemText(6, 1).toStdString()) << "a missing programme is made as a placeholder";
    EXPECT_EQ(6, week->SelectedRow()) << "the weekday stays chosen";
    QTest::keyClick(week, Qt::Key_Up);
    EXPECT_EQ(5, week->SelectedRow()) << "and the keys go on from it";
    EXPECT_TRUE(d.doc().IsModified());
    auto* w = dynamic_cast<CWeek*>(d.doc().GetIDManager().GetBaseDevice(1, OT_WEEK));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(4, w->GetLinkedNumber(6));
    ClickButton(frame, ID_CAL_DOWNLOAD_WEEK);
    EXPECT_NE(sender.lines.end(), std::find(sender.lines.begin(), sender.lines.end(), "/CAL/WEEK/SU 4"));
    EXPECT_NE(sender.lines.end(), std::find(sender.lines.begin(), sender.lines.end(), "/CAL/WEEK/MO 0"));

    // The weekday names are no input.
    QTest::mouseClick(week->viewport(), Qt::LeftButton, {}, CellCenter(week, 0, 0));
    QTest::keyClick(week, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    Settle();
    EXPECT_EQ("Montag", week->GetItemText(0, 0).toStdString());

    // Choosing no programme takes Sunday's away again.
    TheChoice().result = 0;
    DoubleClick(week, 6, 1);
    EXPECT_EQ(4, TheChoice().held);
    EXPECT_EQ("", week->GetItemText(6, 1).toStdString());
    EXPECT_EQ(0, w->GetLinkedNumber(6));
}

TEST_F(CalendarUser, TheMainClockShowsWhatTheDeviceTookAfterTheUserSetIt)
{
    auto* clock = dynamic_cast<CClock*>(d.doc().GetIDManager().GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, clock);
    CClockDlg dlg(clock);
    Show(dlg);
    auto* time = dlg.findChild<QLineEdit*>(QStringLiteral("1195"));
    auto* date = dlg.findChild<QLineEdit*>(QStringLiteral("1007"));
    auto* set = dlg.findChild<QPushButton*>(QStringLiteral("1267"));
    ASSERT_TRUE(time && date && set);
    clock->ParseUploadLines("CLOCK/MAIN/TIME 12:00:00", "", linkstate::Online);
    clock->ParseUploadLines("CLOCK/MAIN/DATE 07.12.2026", "", linkstate::Online);
    EXPECT_EQ("07.12.2026", date->text().toStdString());

    QTest::mouseClick(set, Qt::LeftButton);
    EXPECT_FALSE(date->isReadOnly());
    EXPECT_FALSE(dlg.Form()->IsPolling());
    QTest::mouseClick(date, Qt::LeftButton);
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(date, QStringLiteral("24.12.2026"));
    // An answer to a query sent before the first click comes in while he types.
    clock->ParseUploadLines("CLOCK/MAIN/TIME 12:00:01", "", linkstate::Online);
    EXPECT_EQ("12:00:00", time->text().toStdString()) << "the user's fields are his while he edits them";
    EXPECT_EQ("24.12.2026", date->text().toStdString());

    sender.lines.clear();
    QTest::mouseClick(set, Qt::LeftButton);
    ASSERT_EQ(2u, sender.lines.size());
    EXPECT_EQ("/CLOCK/MAIN/TIME 12:00:00", sender.lines[0]);
    EXPECT_EQ("/CLOCK/MAIN/DATE 24.12.2026", sender.lines[1]);
    EXPECT_TRUE(dlg.Form()->IsPolling());
    // The device keeps its own date and answers it, the same as before.
    clock->ParseUploadLines("CLOCK/MAIN/TIME 12:00:03", "", linkstate::Online);
    clock->ParseUploadLines("CLOCK/MAIN/DATE 07.12.2026", "", linkstate::Online);
    EXPECT_EQ("12:00:03", time->text().toStdString());
    EXPECT_EQ("07.12.2026", date->text().toStdString());
}

// The clock's fields as a keyboard types them, in both forms of the clock
// and both languages: a slave time being typed is not overwritten by the
// polled answers; Enter sets the clock of its own field (a time typed short
// in the device's form) and presses no button clicked before; the dialog
// stays open. A time or date that does not exist sends nothing: the field
// shows the clock as before, and the user is told. A date goes in the form
// the device writes its own (day first, or month first after it was told
// "US"), whichever of the two the user typed, and any day it can hold goes,
// after 2037 too.
TEST_F(CalendarUser, EnterInAClockFieldSetsThatClockWithTheTimeTyped)
{
    auto* clock = dynamic_cast<CClock*>(d.doc().GetIDManager().GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, clock);
    struct Row {
        const char* field;  // 1009 slave time, 1195 main time, 1007 main date
        const char* keys;   // null: the field left as it shows the device's clock
        std::vector<std::string> sent;
        bool told;  // the time or date refused with a word
        const char* deviceDate = "07.12.2026";  // the device's date as it answers it
    };
    const Row rows[] = {
        {"1009", "6:3", {"/CLOCK/SLAVE/TIME 06:03:00"}, false},
        {"1009", "99:99", {}, true},
        {"1009", "25:61", {}, true},
        {"1009", "", {}, true},
        {"1195", "7:5", {"/CLOCK/MAIN/TIME 07:05:00", "/CLOCK/MAIN/DATE 07.12.2026"}, false},
        {"1195", "25:61:00", {}, true},
        {"1007", "1.3.2026", {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 01.03.2026"}, false},
        {"1007", "31.02.2026", {}, true},
        {"1007", "29.02.2001", {}, true},
        {"1007", "", {}, true},
        // A device told "US" writes the month first: its date confirmed as
        // shown, typed so, or typed day first, goes in its own form.
        {"1007", nullptr, {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 12/07/2026"}, false, "12/07/2026"},
        {"1007", "12/24/2026", {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 12/24/2026"}, false, "12/07/2026"},
        {"1007", "29.02.2028", {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 02/29/2028"}, false, "12/07/2026"},
        {"1007", "2/29/2028", {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 29.02.2028"}, false},
        {"1007", "2/30/2028", {}, true, "12/07/2026"},
        {"1007", "13/07/2026", {}, true, "12/07/2026"},
        // Days after 2037 and before 1970: the device keeps its date as text.
        {"1007", "01.01.2038", {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 01.01.2038"}, false},
        {"1007", "31.12.2099", {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 12/31/2099"}, false, "12/07/2026"},
        {"1007", "12/31/1969", {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 31.12.1969"}, false},
        {"1195", nullptr, {"/CLOCK/MAIN/TIME 12:00:00", "/CLOCK/MAIN/DATE 31.12.2099"}, false, "31.12.2099"},
    };
    const std::vector<std::function<QDialog*()>> hosts = {
        [&] { return new CObjectDlg(&d.doc(), CClkFrm::kWindowKind); },
        [&] { return new CClockDlg(clock); },
    };
    for (bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "German");
        std::optional<EnglishTexts> texts;
        if (english) {
            texts.emplace();
            ASSERT_TRUE(texts->IsLoaded());
        }
        const std::string badDate =
            english ? "Please enter a correct date !" : "Bitte geben Sie ein korrektes Datum ein !";
        const std::string badTime =
            english ? "Please enter a correct time !" : "Bitte geben Sie eine korrekte Uhrzeit ein !";
        for (size_t h = 0; h < hosts.size(); ++h) {
            SCOPED_TRACE(h);
            std::unique_ptr<QDialog> dlg(hosts[h]());
            Show(*dlg);
            auto* run = dlg->findChild<QPushButton*>(QStringLiteral("1255"));
            auto* setMain = dlg->findChild<QPushButton*>(QStringLiteral("1267"));
            ASSERT_TRUE(run && setMain);
            QTest::mouseClick(run, Qt::LeftButton);
            for (const Row& row : rows) {
                SCOPED_TRACE(std::string(row.field) + " " + (row.keys ? row.keys : "(as shown)") + " on " +
                             row.deviceDate);
                auto* field = dlg->findChild<QLineEdit*>(QString::fromLatin1(row.field));
                ASSERT_NE(nullptr, field);
                // What the device's clock shows before the user types.
                for (const std::string line : {std::string("CLOCK/MAIN/TIME 12:00:00"),
                                               std::string("CLOCK/MAIN/DATE ") + row.deviceDate,
                                               std::string("CLOCK/SLAVE/TIME 07:00:00")})
                    clock->ParseUploadLines(line, "", linkstate::Online);
                const QString before = field->text();
                const bool main = std::string(row.field) != "1009";
                if (main)
                    QTest::mouseClick(setMain, Qt::LeftButton);
                QTest::mouseClick(field, Qt::LeftButton);
                if (row.keys) {  // else confirmed as shown
                    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                    if (*row.keys)
                        TypeAsKeyboard(field, QString::fromLatin1(row.keys));
                    else
                        QTest::keyClick(field, Qt::Key_Backspace);  // the field emptied
                }
                if (!main) {
                    clock->ParseUploadLines("CLOCK/SLAVE/TIME 07:00:01", "", linkstate::Online);
                    EXPECT_EQ(row.keys ? row.keys : "", field->text().toStdString())
                        << "the polled answer leaves the text being typed";
                }
                sender.lines.clear();
                messages.texts.clear();
                QTest::keyClick(field, Qt::Key_Return);
                EXPECT_EQ(row.sent, sender.lines);
                const std::string told = std::string(row.field) == "1007" ? badDate : badTime;
                EXPECT_EQ(row.told ? std::vector<std::string>{told} : std::vector<std::string>{}, messages.texts);
                if (row.sent.empty())
                    EXPECT_EQ(before.toStdString(), field->text().toStdString())
                        << "the field shows the clock as before";
                EXPECT_TRUE(field->isReadOnly() == main);
                EXPECT_TRUE(dlg->isVisible());
                if (!row.sent.empty() && !main) {
                    clock->ParseUploadLines("CLOCK/SLAVE/TIME 06:03:01", "", linkstate::Online);
                    EXPECT_EQ("06:03:01", field->text().toStdString()) << "then the device's answer shows";
                }
            }
        }
    }
}

TEST_F(CalendarUser, TheClockWindowShowsTheDeviceAgainAfterTheClockDialogClosed)
{
    auto* clock = dynamic_cast<CClock*>(d.doc().GetIDManager().GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, clock);
    CClkFrm window;
    Show(window);
    auto* time = window.findChild<QLineEdit*>(QStringLiteral("1195"));
    ASSERT_NE(nullptr, time);
    clock->ParseUploadLines("CLOCK/MAIN/TIME 12:00:00", "", linkstate::Online);
    EXPECT_EQ("12:00:00", time->text().toStdString());
    {
        // The designer's clock symbol opens the dialog over the window, and Cancel closes it.
        CClockDlg dlg(clock);
        Show(dlg);
        clock->ParseUploadLines("CLOCK/MAIN/TIME 12:00:01", "", linkstate::Online);
        EXPECT_EQ("12:00:01", dlg.findChild<QLineEdit*>(QStringLiteral("1195"))->text().toStdString());
        QTest::keyClick(&dlg, Qt::Key_Escape);
    }
    clock->ParseUploadLines("CLOCK/MAIN/TIME 12:00:02", "", linkstate::Online);
    EXPECT_EQ("12:00:02", time->text().toStdString()) << "the window takes the answers again";
}

TEST_F(CalendarUser, NewDayProgrammesStopAtWhatTheDeviceHolds)
{
    for (int variant : {0, 1}) {
        SCOPED_TRACE(variant);
        d.doc().m_data.deviceVariant = variant;
        const int limit = variant ? 20 : 10;
        CDayprogDlgFrm frame;
        Show(frame);
        for (int i = 0; i < limit + 1; ++i)
            ClickButton(frame, ID_CAL_NEW_DAYPROG);
        EXPECT_EQ(limit, d.doc().GetIDManager().GetCount(OT_DAYPROG));
        EXPECT_EQ(limit, frame.GetListView()->GetItemCount());
        // Deleting one frees its number for the next.
        QTest::mouseClick(frame.GetListView()->viewport(), Qt::LeftButton, {}, CellCenter(frame.GetListView(), 2, 0));
        QTest::keyClick(frame.GetListView(), Qt::Key_Delete);
        ClickButton(frame, ID_CAL_NEW_DAYPROG);
        EXPECT_EQ(limit, d.doc().GetIDManager().GetCount(OT_DAYPROG));
        EXPECT_NE(nullptr, d.doc().GetIDManager().GetBaseDevice(3, OT_DAYPROG));
        for (int n = 1; n <= limit; ++n)
            d.doc().GetIDManager().GetBaseDevice(n, OT_DAYPROG)->OnCommand(objcmd::Delete);
    }
}

TEST_F(CalendarUser, TransferButtonsFollowAConnectionMadeWhileTheWindowWasOpen)
{
    CAppointDlgFrm appoints;
    CHolidayDlgFrm holidays;
    CDayprogDlgFrm dayprogs;
    const std::vector<std::pair<CFeatureFrm*, std::vector<unsigned>>> windows = {
        {&appoints, {ID_CAL_UPLOAD_APPOINTS, ID_CAL_DOWNLOAD_APPOINTS}},
        {&holidays, {ID_CAL_UPLOAD_HOLIDAYS, ID_CAL_DOWNLOAD_HOLIDAYS}},
        {&dayprogs, {ID_CAL_UPLOAD_DAYPROGS, ID_CAL_DOWNLOAD_DAYPROGS}},
    };
    for (const auto& [frame, commands] : windows)
        for (unsigned id : commands)
            EXPECT_FALSE(frame->GetAction(id)->isEnabled()) << id;
    // The user connects from the main window, then comes back to each window.
    QWidget main;
    Show(main);
    d.doc().SetConnected(1);
    ASSERT_EQ(1, IsDocConnected());
    for (bool connected : {true, false}) {
        for (const auto& [frame, commands] : windows) {
            Show(*frame);
            for (unsigned id : commands)
                EXPECT_EQ(connected, frame->GetAction(id)->isEnabled()) << id;
        }
        Show(main);
        d.doc().SetConnected(0);
    }
}
