// The calendar windows over the real device link, against the device
// simulator: a planned calendar goes down line for line and comes back the
// same, with nothing in the difference file, in a locale that is not German.

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "calendar/CAppoint.h"
#include "calendar/CClock.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "calendar/CWeek.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CClkFrm.h"
#include "calendar/windows/CClkView.h"
#include "calendar/windows/CDayprogDlgEntryView.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CDayprogDlgListView.h"
#include "calendar/windows/CHolidayDlgFrm.h"
#include "calendar/windows/CWeekDlgFrm.h"
#include "comm/CommTestSupport.h"
#include "comm/ParameterGroups.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "platform/StringTable.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/qt/TypeAsKeyboard.h"
#include "ui/CInPlaceDateTimeCtrl.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
// The lines a connection of a standard device's project puts on the line.
constexpr size_t kClockConnectionLines = 21;

class CalendarSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Attach(0, QStringLiteral("Kalender.qlx"));  // a standard device for a standard project
    }
    void TearDown() override
    {
        Detach();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    template <class T>
    T* Add(int number, const std::string& name)
    {
        auto* item = new T;
        EXPECT_EQ(1, item->Create(T::kKindId, name, number, CAT_CALENDAR, &doc));
        doc.AddObject(item, CAT_CALENDAR);
        return item;
    }
};
}  // namespace

TEST_F(CalendarSim, PlannedCalendarGoesDownAndComesBackUnchanged)
{
    CDayprog* work = Add<CDayprog>(2, "Werktag");
    // Entry 1 is set to 06:03:00 in the window below, typed as "6:3".
    work->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(16, 20, 0));
    work->SetEntryParam(CDayprog::Code(1, CDayprog::EntryMacro), 12);
    CAppoint* bell = Add<CAppoint>(3, "Pause");
    bell->SetParam(CAppoint::Function, IDS_CALFN_DAILY);
    bell->SetParam(CAppoint::Date, *caltime::Make(2001, 3, 1, 6, 30, 0));
    bell->SetParam(CAppoint::Macro, 12);
    CHoliday* xmas = Add<CHoliday>(1, "Heiligabend");
    xmas->SetParam(CHoliday::Function, IDS_CALFN_ONETIME);
    xmas->SetParam(CHoliday::Date, *caltime::Make(2001, 12, 24));
    xmas->SetParam(CHoliday::Dayprog, 2);
    // A holiday over a period: its length stays in the project.
    CHoliday* summer = Add<CHoliday>(2, "Betriebsferien");
    summer->SetParam(CHoliday::Function, IDS_CALFN_PERIOD);
    summer->SetParam(CHoliday::Date, *caltime::Make(2001, 7, 16));
    summer->SetParam(CHoliday::DayCount, 21);
    summer->SetParam(CHoliday::Dayprog, 2);
    dynamic_cast<CWeek*>(doc.GetIDManager().GetBaseDevice(1, OT_WEEK))->SetDay(0, 2);

    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_EQ(1, settings.GetProfileInt("KVT7000", "CAL_CLR", 0));

    size_t mark = sim.Received().size();
    {
        CAppointDlgFrm frame;
        EXPECT_TRUE(frame.GetAction(ID_CAL_DOWNLOAD_APPOINTS)->isEnabled());
        frame.OnCommand(ID_CAL_DOWNLOAD_APPOINTS);
    }
    const std::string appointLines = "/MACRO/LOCK ON\r\n/CAL/CLEAR/APPOINT ALL\r\n/CAL/APPOINT3/FUNCTION DAILY\r\n"
                                     "/CAL/APPOINT3/MACRO 12\r\n/CAL/APPOINT3/TIME 06:30:00\r\n"
                                     "/CAL/APPOINT3/DATE 01.03.2001\r\n/MACRO/LOCK OFF\r\n";
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().size() >= mark + appointLines.size(); }, kArrivalMs));
    EXPECT_EQ(appointLines, sim.Received().substr(mark));
    {
        CDayprogDlgFrm dayprogs;
        dayprogs.show();
        dayprogs.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dayprogs));
        CDayprogDlgEntryView* entries = dayprogs.GetEntryView();
        ASSERT_EQ(1, entries->topLevelItemCount());
        QRect cell = entries->visualItemRect(entries->topLevelItem(0));
        cell.setLeft(entries->header()->sectionViewportPosition(1));
        cell.setWidth(entries->header()->sectionSize(1));
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(entries->viewport(), Qt::LeftButton, {}, cell.center());
        auto* picker = entries->findChild<CInPlaceDateTimeCtrl*>();
        ASSERT_NE(nullptr, picker);
        TypeAsKeyboard(picker, QStringLiteral("6:3"));
        QTest::keyClick(picker, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dayprogs.OnCommand(ID_CAL_DOWNLOAD_DAYPROGS);
        CHolidayDlgFrm holidays;
        holidays.OnCommand(ID_CAL_DOWNLOAD_HOLIDAYS);
        CWeekDlgFrm week;
        week.OnCommand(ID_CAL_DOWNLOAD_WEEK);
    }
    EXPECT_TRUE(commtest::AwaitDeviceHasAll(sim, link));
    const std::string down = sim.Received().substr(mark);
    EXPECT_NE(down.find("/CAL/CLEAR/DAYPROG ALL\r\n/CAL/DAYPROG2/NAME Werktag\r\n/CAL/DAYPROG2/ENTRY1/TIME 06:03:00\r\n"
                        "/CAL/DAYPROG2/ENTRY1/MACRO 12\r\n/CAL/DAYPROG2/ENTRY2/TIME OFF\r\n"),
              std::string::npos);
    EXPECT_NE(down.find("/CAL/DAYPROG2/ENTRY40/TIME OFF\r\n/MACRO/LOCK OFF\r\n"), std::string::npos);
    EXPECT_NE(down.find("/CAL/CLEAR/HOLIDAY ALL\r\n/CAL/HOLIDAY1/FUNCTION ONETIME\r\n/CAL/HOLIDAY1/DAYPROG 2\r\n"
                        "/CAL/HOLIDAY1/DATE 24.12.2001\r\n/CAL/HOLIDAY1/NAME Heiligabend\r\n"
                        "/CAL/HOLIDAY2/FUNCTION \r\n/CAL/HOLIDAY2/DAYPROG 2\r\n/CAL/HOLIDAY2/DATE 16.07.2001\r\n"
                        "/CAL/HOLIDAY2/NAME Betriebsferien\r\n"),
              std::string::npos);
    EXPECT_NE(down.find("/CAL/WEEK/MO 2\r\n/CAL/WEEK/TU 0\r\n"), std::string::npos);

    // Back from the device: the same items, and no differences.
    const std::string errFile = dir.filePath(QStringLiteral("Kalender.err")).toStdString();
    {
        CAppointDlgFrm appoints;
        appoints.OnCommand(ID_CAL_UPLOAD_APPOINTS);
        CDayprogDlgFrm dayprogs;
        dayprogs.OnCommand(ID_CAL_UPLOAD_DAYPROGS);
        CHolidayDlgFrm holidays;
        holidays.OnCommand(ID_CAL_UPLOAD_HOLIDAYS);
        EXPECT_EQ(2, holidays.GetView()->GetItemCount());
    }
    EXPECT_EQ("", ReadFile(QString::fromStdString(errFile)));
    const std::string up = sim.Received();
    EXPECT_NE(up.find("/CAL/CLEAR/APPOINT ?\r\n/CAL/APPOINT3/FUNCTION ?\r\n"), std::string::npos);
    EXPECT_NE(up.find("/CAL/DAYPROG2/ENTRY40/MACRO ?\r\n"), std::string::npos);
    EXPECT_TRUE(host.editorFiles.empty());
    EXPECT_EQ(1, doc.GetIDManager().GetCount(OT_APPOINT));
    EXPECT_EQ(2, doc.GetIDManager().GetCount(OT_HOLIDAY));
    EXPECT_EQ(1, doc.GetIDManager().GetCount(OT_DAYPROG));
    EXPECT_EQ(bell, doc.GetIDManager().GetBaseDevice(3, OT_APPOINT));
    EXPECT_EQ(*caltime::Make(2001, 3, 1, 6, 30, 0), bell->m_time);
    EXPECT_EQ("DAILY", bell->m_function);
    EXPECT_EQ(12, bell->GetParam(CAppoint::Macro));
    EXPECT_EQ(caltime::OnEntryDay(6, 3, 0), work->m_entries[0]);
    EXPECT_EQ(12, work->GetEntryParam(CDayprog::Code(0, CDayprog::EntryMacro)));
    EXPECT_FALSE(work->IsEntrySet(1));
    EXPECT_EQ(*caltime::Make(2001, 12, 24), xmas->m_time);
    EXPECT_EQ("Heiligabend", xmas->GetName());
    EXPECT_EQ(summer, doc.GetIDManager().GetBaseDevice(2, OT_HOLIDAY));
    EXPECT_EQ(static_cast<int32_t>(IDS_CALFN_PERIOD), summer->GetParam(CHoliday::Function));
    EXPECT_EQ(21, summer->GetParam(CHoliday::DayCount));
    EXPECT_EQ(*caltime::Make(2001, 7, 16), summer->m_time);
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // The clock window shows the device's clock and radio time.
    {
        CClkFrm clock;
        QLineEdit* mainTime = clock.GetView()->findChild<QLineEdit*>(QStringLiteral("1195"));
        QLineEdit* dcfDate = clock.GetView()->findChild<QLineEdit*>(QStringLiteral("1010"));
        EXPECT_TRUE(PumpUntil([&] { return mainTime->text().size() == 8 && dcfDate->text().size() == 10; }, 4000));
        EXPECT_EQ(':', mainTime->text().at(2).toLatin1());
    }
}

TEST_F(CalendarSim, SingleItemUploadsLeaveTheLastDifferenceFileAndTheEntriesShowWhatCameBack)
{
    CDayprog* work = Add<CDayprog>(2, "Werktag");
    work->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(7, 5, 0));  // entry 1
    work->SetEntryParam(CDayprog::Code(1, CDayprog::EntryMacro), 12);
    CAppoint* bell = Add<CAppoint>(3, "Pause");
    bell->SetParam(CAppoint::Function, IDS_CALFN_DAILY);
    bell->SetParam(CAppoint::Date, *caltime::Make(2001, 3, 1, 6, 30, 0));

    ASSERT_NO_FATAL_FAILURE(Connect());
    {
        CDayprogDlgFrm dayprogs;
        dayprogs.OnCommand(ID_CAL_DOWNLOAD_DAYPROGS);
        CAppointDlgFrm appoints;
        appoints.OnCommand(ID_CAL_DOWNLOAD_APPOINTS);
    }
    // What an earlier whole upload found.
    const QString errFile = dir.filePath(QStringLiteral("Kalender.err"));
    {
        QFile f(errFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Ereignis 9 : DAILY fehlt\r\n");
    }

    // The project's entry changes; reading the programme back shows the device's time in the entry pane.
    work->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(9, 0, 0));
    const size_t mark = sim.Received().size();
    {
        CDayprogDlgFrm frame;
        CDayprogDlgEntryView* entries = frame.GetEntryView();
        ASSERT_EQ(2, entries->Dayprog()->GetNumber());
        ASSERT_EQ(1, entries->GetItemCount());
        EXPECT_EQ(CCalendarListView::TimeText(caltime::OnEntryDay(9, 0, 0)), entries->GetItemText(0, 1));
        frame.GetListView()->TransferSelected(1);
        ASSERT_EQ(1, entries->GetItemCount());
        EXPECT_EQ(CCalendarListView::TimeText(caltime::OnEntryDay(7, 5, 0)), entries->GetItemText(0, 1));
    }
    EXPECT_EQ(caltime::OnEntryDay(7, 5, 0), work->m_entries[0]);
    {
        CAppointDlgFrm frame;
        frame.GetView()->SelectRow(0);
        frame.GetView()->TransferSelected(1);
    }
    const std::string up = sim.Received().substr(mark);
    EXPECT_NE(std::string::npos, up.find("/CAL/APPOINT3/FUNCTION ?"));
    EXPECT_EQ(std::string::npos, up.find("/CAL/CLEAR/")) << "one item's upload asks for no free list";
    // One item's upload neither starts the file anew nor shows it; it found no difference.
    EXPECT_EQ("Ereignis 9 : DAILY fehlt\r\n", ReadFile(errFile)) << "the last whole upload's differences are gone";
    EXPECT_TRUE(host.editorFiles.empty()) << "one item's upload showed the difference file";
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

// The main clock set over the line in the form the connection told the
// device, which the user's own locale decides ("US" unless it is German): the
// date the window shows is taken as shown, a date typed in either form
// reaches the device as the day typed, after 2037 too, and a day that does
// not exist is told and never sent. The device then answers the day it holds.
TEST_F(CalendarSim, TheMainClockTakesItsDatesInTheFormTheDeviceWasTold)
{
    ASSERT_NO_FATAL_FAILURE(Connect());
    const bool us = QLocale::system().language() != QLocale::German;
    ASSERT_NE(std::string::npos, sim.Received().find(us ? "/CLOCK/DATEFORMAT US\r\n" : "/CLOCK/DATEFORMAT GERMAN\r\n"));
    struct Row {
        const char* keys;  // null: the shown date confirmed
        int day, month, year;  // the day the device holds after (0: the one it showed)
        bool told = false;  // refused with a word, nothing sent
    };
    const Row rows[] = {
        {nullptr, 0, 0, 0},
        {"29.02.2028", 29, 2, 2028},
        {"2/29/2028", 29, 2, 2028},
        {"01.01.2038", 1, 1, 2038},
        {"12/31/2099", 31, 12, 2099},
        {nullptr, 31, 12, 2099},
        {"30.02.2028", 31, 12, 2099, true},
        {"2/30/2028", 31, 12, 2099, true},
    };
    CClkFrm window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* time = window.GetView()->findChild<QLineEdit*>(QStringLiteral("1195"));
    auto* date = window.GetView()->findChild<QLineEdit*>(QStringLiteral("1007"));
    auto* set = window.GetView()->findChild<QPushButton*>(QStringLiteral("1267"));
    ASSERT_TRUE(time && date && set);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keys ? row.keys : "(as shown)");
        ASSERT_TRUE(PumpUntil([&] { return time->text().size() == 8 && date->text().size() == 10; }, 4000))
            << "the device's clock shows";
        const QString shown = date->text();
        const QString held = row.day == 0 ? shown
                             : us       ? QString::asprintf("%02d/%02d/%04d", row.month, row.day, row.year)
                                        : QString::asprintf("%02d.%02d.%04d", row.day, row.month, row.year);
        QTest::mouseClick(set, Qt::LeftButton);
        QTest::mouseClick(date, Qt::LeftButton);
        if (row.keys) {
            QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
            TypeAsKeyboard(date, QString::fromLatin1(row.keys));
        }
        messages.texts.clear();
        const size_t mark = sim.Received().size();
        QTest::keyClick(date, Qt::Key_Return);
        if (row.told) {
            EXPECT_EQ(std::vector<std::string>{"Bitte geben Sie ein korrektes Datum ein !"}, messages.texts);
            EXPECT_EQ(std::string::npos, sim.Received().find("/CLOCK/MAIN/DATE ", mark)) << "nothing sent";
        } else {
            EXPECT_EQ(std::vector<std::string>{}, messages.texts);
            EXPECT_NE(std::string::npos, sim.Received().find("/CLOCK/MAIN/DATE " + held.toStdString() + "\r\n", mark));
        }
        EXPECT_TRUE(PumpUntil([&] { return date->text() == held; }, 4000))
            << "the device answers " << date->text().toStdString() << ", not " << held.toStdString();
    }
}

// Whichever way the calendar comes up from a device that holds the project's
// own download, the names it holds stand and the next download sends them
// unchanged: a macro the same upload made, or the project held, under a day
// programme's name gives way. A holiday the device gave a day programme's
// name cannot hold it as well: the difference file names the name it takes.
TEST_F(CalendarSim, EveryUploadKeepsTheNamesTheDeviceHoldsAndTheNextDownloadSendsThem)
{
    // Swapped: uploaded, then day programmes 2 and 8 swap their names on the
    // device (another project's download), uploaded again.
    enum Path { Whole, CalendarOnly, DayprogWindow, OneDayprog, Swapped };
    const std::vector<std::string> allNames = {
        "/CAL/DAYPROG1/NAME 1 *", "/CAL/DAYPROG2/NAME Ferien",          "/CAL/DAYPROG3/NAME 3 *",
        "/CAL/DAYPROG7/NAME 7 *", "/CAL/DAYPROG8/NAME Tagesprogramm 8", "/CAL/HOLIDAY2/NAME Ferien_1"};
    const std::vector<std::string> dayprogNames(allNames.begin(), allNames.end() - 1);
    const std::string holidayLine = "ERROR: /CAL/HOLIDAY2/NAME >>Ferien<< should be >>Ferien_1<<\r\n";
    const struct {
        const char* what;
        Path path;
        bool newProject;
        std::vector<std::string> sent;  // the names the next download sends
        std::string differences;        // the name lines of the difference file
    } rows[] = {
        {"whole upload into a new project", Whole, true, allNames, holidayLine},
        {"calendar alone into a new project", CalendarOnly, true, allNames, holidayLine},
        {"the day programme window into a new project", DayprogWindow, true, dayprogNames, ""},
        {"day programme 3 alone", OneDayprog, false, {"/CAL/DAYPROG3/NAME 3 *"}, ""},
        {"the day programme window again after the device swapped two names",
         Swapped,
         false,
         {"/CAL/DAYPROG1/NAME 1 *", "/CAL/DAYPROG2/NAME Tagesprogramm 8", "/CAL/DAYPROG3/NAME 3 *",
          "/CAL/DAYPROG7/NAME 7 *", "/CAL/DAYPROG8/NAME Ferien"},
         ""},
    };
    auto nameLines = [](const std::string& text) {
        std::vector<std::string> lines;
        for (size_t at = 0, end = 0; at < text.size(); at = end + 2) {
            end = text.find("\r\n", at);
            if (end == std::string::npos)
                break;
            const std::string line = text.substr(at, end - at);
            if (line.find("/NAME ") != std::string::npos && line.find('?') == std::string::npos)
                lines.push_back(line);
        }
        return lines;
    };
    auto transfer = [&](int direction, uint32_t groups) {
        host.paramSelect = [this, direction, groups](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = CollectParameterGroupObjects(doc, groups);
            return true;
        };
        link.OnTransferParameters();
        AwaitDeviceHasAll();
    };
    constexpr uint32_t kAll = 0x1F;
    constexpr uint32_t kCalendar = 1u << paramgroup::TimerCalendar;
    const QString errFile = dir.filePath(QStringLiteral("Kalender.err"));
    // A project of its own on the line that stays connected.
    auto newProject = [&] {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_data.deviceVariant = 0;
        doc.SetPathName(errFile.left(errFile.size() - 4).toStdString() + ".qlx");
        doc.SetConnected(1);
    };
    sim.lineRate = false;
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_TRUE(link.SetSettings(QStringLiteral("921600,n,8,1")));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        newProject();
        // The project as an earlier upload left it: placeholders of one number share a name.
        for (int n : {1, 3, 7}) {
            auto* macro = new CMacro;
            ASSERT_EQ(1, macro->Create(macrotype::Stop, StrFormat("%d *", n), n, CAT_MACRO, &doc));
            doc.AddObject(macro, CAT_MACRO);
            CDayprog* dp = Add<CDayprog>(n, StrFormat("%d *", n));
            dp->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(7, 0, 0));
            dp->SetEntryParam(CDayprog::Code(1, CDayprog::EntryMacro), n);
        }
        Add<CDayprog>(8, "Tagesprogramm 8");
        Add<CDayprog>(2, "Ferien");
        CHoliday* holiday = Add<CHoliday>(2, "Ferien");
        holiday->SetParam(CHoliday::Function, IDS_CALFN_ANNUAL);
        holiday->SetParam(CHoliday::Date, *caltime::Make(2001, 8, 1));
        holiday->SetParam(CHoliday::Dayprog, 8);
        // The device gets the project's own download of its macros and calendar.
        transfer(1, kCalendar | (1u << paramgroup::Control));
        ASSERT_NE(std::string::npos, sim.Received().find("/CAL/DAYPROG3/NAME 3 *\r\n"));
        ASSERT_NE(std::string::npos, sim.Received().find("/CAL/HOLIDAY2/NAME Ferien\r\n"));

        if (row.newProject)
            newProject();
        switch (row.path) {
        case Whole: transfer(0, kAll); break;
        case CalendarOnly: transfer(0, kCalendar); break;
        case DayprogWindow: {
            CDayprogDlgFrm frame;
            frame.OnCommand(ID_CAL_UPLOAD_DAYPROGS);
            break;
        }
        case OneDayprog: {
            CDayprogDlgFrm frame;
            frame.GetListView()->SelectRow(2);
            ASSERT_EQ(3, frame.GetEntryView()->Dayprog()->GetNumber());
            frame.GetListView()->TransferSelected(1);
            break;
        }
        case Swapped: {
            CDayprogDlgFrm frame;
            frame.OnCommand(ID_CAL_UPLOAD_DAYPROGS);
            auto rename = [&](int n, const char* name) {
                doc.GetIDManager().GetBaseDevice(n, OT_DAYPROG)->SetName(name);
            };
            rename(2, "Tagesprogramm 8");
            rename(8, "Ferien");
            frame.OnCommand(ID_CAL_DOWNLOAD_DAYPROGS);
            AwaitDeviceHasAll();
            rename(2, "Ferien");
            rename(8, "Tagesprogramm 8");
            frame.OnCommand(ID_CAL_UPLOAD_DAYPROGS);
            break;
        }
        }
        const CBaseDevice* dayprog = doc.GetIDManager().GetBaseDevice(3, OT_DAYPROG);
        const CBaseDevice* macro = doc.GetIDManager().GetBaseDevice(3, OT_MACRO);
        ASSERT_TRUE(dayprog && macro);
        EXPECT_EQ("3 *", dayprog->GetName());
        EXPECT_EQ("3 *_1", macro->GetName());
        // Only the lines about names: a new project differs from the device in much else.
        EXPECT_EQ(nameLines(row.differences), nameLines(ReadFile(errFile)));

        const size_t mark = sim.Received().size();
        switch (row.path) {
        case Whole: transfer(1, kAll); break;
        case CalendarOnly: transfer(1, kCalendar); break;
        case DayprogWindow:
        case Swapped: {
            CDayprogDlgFrm frame;
            frame.OnCommand(ID_CAL_DOWNLOAD_DAYPROGS);
            break;
        }
        case OneDayprog: {
            CDayprogDlgFrm frame;
            frame.GetListView()->SelectRow(2);
            frame.GetListView()->TransferSelected(0);
            break;
        }
        }
        AwaitDeviceHasAll();
        EXPECT_EQ(row.sent, nameLines(sim.Received().substr(mark)));
    }
}

// The slave clock's "Start" and "Invert" against a device that reads slowly
// once the connection is up: clicked twice in quick succession, the window
// (also opened again), the project (also saved and reopened) and the device
// hold the last state; a state the device does not take turns the switch
// back to the device's and is told once.
TEST_F(CalendarSim, TheSlaveClockSwitchesHoldTheLastOfTwoQuickClicks)
{
    const struct Row {
        const char* what;
        const char* path;
        int clicks;
        const char* unknown;  // a key the device does not have
        const char* held;     // what the device holds in the end ("": nothing)
        const char* told;     // the line the user is told the device did not take
    } rows[] = {
        {"Start clicked twice", "/CLOCK/SLAVE/RUN", 2, nullptr, "ON", nullptr},
        {"Invert clicked twice", "/CLOCK/SLAVE/INVERT", 2, nullptr, "ON", nullptr},
        {"Start the device does not take", "/CLOCK/SLAVE/RUN", 1, "/CLOCK/SLAVE/RUN", "", "/CLOCK/SLAVE/RUN OFF"},
    };
    auto* clock = dynamic_cast<CClock*>(doc.GetIDManager().GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, clock);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const bool invert = std::string(row.path).find("INVERT") != std::string::npos;
        // The project and the device both run the slave line inverted.
        clock->m_run = clock->m_invert = "ON";
        QStringList directives {QStringLiteral("set /CLOCK/SLAVE/INVERT ON")};
        directives << (row.unknown ? QStringLiteral("unknown ") + row.unknown : QStringLiteral("set /CLOCK/SLAVE/RUN ON"));
        // The clock window asks seven questions a second: a device reading 40
        // characters a second is slow enough that the first click's echo
        // comes after the second click.
        ASSERT_NO_FATAL_FAILURE(ConnectSlow(kClockConnectionLines, directives, 40));
        const auto box = [&](CClkFrm& w) {
            return w.GetView()->findChild<QPushButton*>(QString::fromLatin1(invert ? "1213" : "1255"));
        };
        {
            CClkFrm window;
            window.show();
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            ASSERT_TRUE(AwaitAllEchoed());
            ASSERT_TRUE(box(window)->isChecked());
            for (int i = 0; i < row.clicks; ++i)
                QTest::mouseClick(box(window), Qt::LeftButton);
            if (row.told)
                ASSERT_TRUE(PumpUntil([&] { return !messages.texts.empty(); }, 4 * kArrivalMs)) << "told";
            ASSERT_TRUE(AwaitAllEchoed());
            EXPECT_TRUE(box(window)->isChecked()) << "the window";
        }
        EXPECT_EQ("ON", invert ? clock->m_invert : clock->m_run) << "the project";
        {
            CClkFrm window;
            window.show();
            ASSERT_TRUE(AwaitAllEchoed());
            EXPECT_TRUE(box(window)->isChecked()) << "opened again";
        }
        CQuillomerDoc reopened;
        ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
        auto* saved = dynamic_cast<CClock*>(reopened.GetIDManager().GetBaseDevice(1, OT_CLOCK));
        ASSERT_NE(nullptr, saved);
        EXPECT_EQ("ON", invert ? saved->m_invert : saved->m_run) << "saved";
        EXPECT_EQ(row.held, HeldValue(EndSlowDevice(), row.path));
        std::vector<std::string> told;
        if (row.told)
            told.push_back("Das Gerät hat '" + std::string(row.told) +
                           "' nicht angenommen. Das Fenster zeigt wieder, was das Gerät hält.");
        EXPECT_EQ(told, messages.texts);
        messages.texts.clear();
    }
}
