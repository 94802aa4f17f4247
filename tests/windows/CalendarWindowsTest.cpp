// The calendar windows without a device: editing the lists, the clock form's
// answers and the computer's clock (through a fake system-time layer).

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "calendar/CAppoint.h"
#include "calendar/CDayprog.h"
#include "calendar/CClock.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CClkFrm.h"
#include "calendar/windows/CClockDlg.h"
#include "calendar/windows/CDayprogDlgEntryView.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CHolidayDlgFrm.h"
#include "model/CIDManager.h"
#include "platform/SystemTime.h"
#include "support/BlockTestSupport.h"
#include "support/EnglishTexts.h"
#include "support/ModelTestHost.h"
#include "support/ShownPicture.h"
#include "support/qt/TypeAsKeyboard.h"
#include "ui/CAnimateCtrl.h"
#include "ui/CInPlaceDateTimeCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/ColumnWidths.h"

using namespace blocktest;

namespace {
class CalendarWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(d.doc().OnNewDocument());
        d.doc().m_data.deviceVariant = 0;
        previousSetter = SetSystemTimeSetter([this](const LocalTimeValue& v, std::string* reason) {
            setTimes.push_back(v);
            if (refuse)
                *reason = "Operation not permitted";
            return !refuse;
        });
    }
    void TearDown() override { SetSystemTimeSetter(previousSetter); }

    ActiveDoc d;
    RecordingSender sender;
    MessageLog messages;
    SystemTimeSetter previousSetter;
    std::vector<LocalTimeValue> setTimes;
    bool refuse = false;
};
}  // namespace

TEST_F(CalendarWindows, NewItemsAreNumberedNamedAndLimited)
{
    CAppointDlgFrm frame;
    EXPECT_FALSE(frame.GetAction(ID_CAL_DOWNLOAD_APPOINTS)->isEnabled());
    frame.OnCommand(ID_CAL_NEW_APPOINT);
    CCalItemDlgView* view = frame.GetView();
    ASSERT_EQ(1, view->GetItemCount());
    EXPECT_EQ("Ereignis 1", view->GetItemText(0, 0).toStdString());
    EXPECT_EQ(0, view->SelectedRow());
    for (int i = 1; i < 20; ++i)
        frame.OnCommand(ID_CAL_NEW_APPOINT);
    EXPECT_FALSE(frame.GetAction(ID_CAL_NEW_APPOINT)->isEnabled());
    view->SelectRow(4);
    frame.OnCommand(ID_CAL_DELETE_APPOINT);
    EXPECT_EQ(19, d.doc().GetIDManager().GetCount(OT_APPOINT));
    EXPECT_TRUE(frame.GetAction(ID_CAL_NEW_APPOINT)->isEnabled());
    EXPECT_EQ("Ereignis 6", view->GetItemText(view->SelectedRow(), 0).toStdString());
}

TEST_F(CalendarWindows, TheDeleteKeyDeletesLikeTheButtonAndUpdatesBoth)
{
    CHolidayDlgFrm frame;
    for (int i = 0; i < 20; ++i)
        frame.OnCommand(ID_CAL_NEW_HOLIDAY);
    CCalItemDlgView* view = frame.GetView();
    ASSERT_EQ(20, view->GetItemCount());
    EXPECT_FALSE(frame.GetAction(ID_CAL_NEW_HOLIDAY)->isEnabled());
    view->SelectRow(19);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(19, d.doc().GetIDManager().GetCount(OT_HOLIDAY));
    EXPECT_TRUE(frame.GetAction(ID_CAL_NEW_HOLIDAY)->isEnabled());
    EXPECT_EQ(18, view->SelectedRow()) << "the row above when there is none below";

    CAppointDlgFrm appoints;
    appoints.OnCommand(ID_CAL_NEW_APPOINT);
    EXPECT_TRUE(appoints.GetAction(ID_CAL_DELETE_APPOINT)->isEnabled());
    appoints.GetView()->SelectRow(0);
    QTest::keyClick(appoints.GetView(), Qt::Key_Delete);
    EXPECT_EQ(0, d.doc().GetIDManager().GetCount(OT_APPOINT));
    EXPECT_FALSE(appoints.GetAction(ID_CAL_DELETE_APPOINT)->isEnabled());
}

TEST_F(CalendarWindows, HolidayPeriodEndMustLieWithinItsRange)
{
    CHolidayDlgFrm frame;
    frame.OnCommand(ID_CAL_NEW_HOLIDAY);
    CCalItemDlgView* view = frame.GetView();
    auto* h = dynamic_cast<CHoliday*>(view->ObjectOf(0));
    ASSERT_NE(nullptr, h);
    h->SetParam(CHoliday::Function, IDS_CALFN_PERIOD);
    h->SetParam(CHoliday::Date, *caltime::Make(2024, 7, 1));
    view->Refill();
    const QString start = view->GetItemText(0, 3);
    view->OnEndLabelEdit(0, 4, CCalendarListView::DateText(*caltime::Make(2025, 4, 27)));
    EXPECT_TRUE(messages.Contains("Kein gültiger Zeitraum!"));
    EXPECT_EQ(0, h->m_dayCount);
    view->OnEndLabelEdit(0, 4, CCalendarListView::DateText(*caltime::Make(2024, 7, 8)));
    EXPECT_EQ(7, h->m_dayCount);
    EXPECT_EQ(CCalendarListView::DateText(*caltime::Make(2024, 7, 8)), view->GetItemText(0, 4));
    EXPECT_EQ(start, view->GetItemText(0, 3));

    // At the window's opening size every cell shows whole, "Zeitraum" included.
    frame.resize(780, 400);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QCoreApplication::processEvents();
    for (int c = 0; c < view->GetColumnCount(); ++c)
        EXPECT_GE(view->header()->sectionSize(c), ColumnContentWidth(view, c)) << c << " " << view->GetItemText(0, c).toStdString();
}

TEST_F(CalendarWindows, AnAppointmentsTimeAndDateAreTypedTheWayTheListShowsThem)
{
    const QLocale previous;
    // What a row of keys typed into the cell's picker leaves in the project,
    // from an appointment at `start`. "→" is the Right key, "⇧" a Shift key
    // pressed alone; `de` and `en` are the keys in either locale (`en` empty:
    // the same keys).
    struct Row {
        int column;  // 3 date, 4 time
        const char* de;
        const char* en;
        const char* start;
        const char* stored;
        Qt::Key end = Qt::Key_Return;
        bool told = false;  // "Bitte geben Sie ein korrektes Datum ein !" (or "... Uhrzeit ...")
    };
    const Row rows[] = {
        {4, "07:30:00", "", "14.03.2026 09:15:45", "14.03.2026 07:30:00"},
        {4, "184510", "", "14.03.2026 09:15:45", "14.03.2026 18:45:10"},
        {4, "7:05:00", "", "14.03.2026 09:15:45", "14.03.2026 07:05:00"},  // the 7 fills the hour by itself
        // The part being typed counts also with one digit.
        {4, "6:3", "", "14.03.2026 16:20:00", "14.03.2026 06:03:00"},
        {4, "13:4", "", "14.03.2026 12:06:30", "14.03.2026 13:04:30"},
        {4, "13:45:1", "", "14.03.2026 12:06:30", "14.03.2026 13:45:01"},
        {4, "13→45→30", "", "14.03.2026 12:06:30", "14.03.2026 13:45:30"},
        {4, "1:30", "", "14.03.2026 01:05:00", "14.03.2026 01:30:00"},
        {4, "13:4", "", "14.03.2026 12:06:30", "14.03.2026 12:06:30", Qt::Key_Escape},
        // No time: the entry stays, and a time that does not exist is told.
        {4, "25:00", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {4, "12:61", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {4, "25:61", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {4, "25:61", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Escape},
        {4, "nan", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30"},
        {4, "inf", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30"},
        // A sign, a decimal mark or a letter among the digits makes no
        // time: the digits around it are not read as another one.
        {4, "1e40", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {4, "3.5,5", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {4, "-12,7", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {4, "1,5", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {4, "", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30"},
        {4, "16:20:30", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30"},
        {3, "07.12.26", "12/7/26", "14.03.2026 07:05:00", "07.12.2026 07:05:00"},
        {3, "071226", "120726", "14.03.2026 07:05:00", "07.12.2026 07:05:00"},
        {3, "07⇧.12.26", "12⇧/7/26", "14.03.2026 07:05:00", "07.12.2026 07:05:00"},
        {3, "01.03.2001", "3/1/2001", "14.03.2026 16:20:30", "01.03.2001 16:20:30"},
        // A part typed with one digit less than it holds replaces it whole.
        {3, "15.3.2021", "3/15/2021", "01.01.2020 16:20:30", "15.03.2021 16:20:30"},
        {3, "1.5.2026", "5/1/2026", "01.03.1980 16:20:30", "01.05.2026 16:20:30"},
        {3, "01.13", "13/1", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {3, "nan", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30"},
        {3, "1e40", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},  // 14.0.2026
        {3, "3.5,5", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {3, "-12,7", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {3, "24.12.2021,5", "12/24/2021,5", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {3, "", "", "14.03.2026 16:20:30", "14.03.2026 16:20:30"},
        {3, "14.03.2026", "3/14/2026", "14.03.2026 16:20:30", "14.03.2026 16:20:30"},
        // A date that does not exist is never put back to the month's last
        // day, whether the day, the month or the year makes it one. Days
        // after 2037 are taken; one before the project's calendar (1970) is
        // not dropped unsaid.
        {3, "29.02.2001", "2/30/2001", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {3, "31.04", "4/31", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {3, "29.02.2001", "2/29/2001", "29.02.2000 16:20:30", "29.02.2000 16:20:30", Qt::Key_Return, true},
        {3, "29.02.2004", "2/29/2004", "29.02.2000 16:20:30", "29.02.2004 16:20:30"},
        {3, "31.12.2099", "12/31/2099", "14.03.2026 16:20:30", "31.12.2099 16:20:30"},
        {3, "01.01.2038", "1/1/2038", "14.03.2026 16:20:30", "01.01.2038 16:20:30"},
        {3, "19.01.38", "1/19/38", "14.03.2026 04:14:08", "19.01.2038 04:14:08"},
        {4, "23:59:59", "", "31.12.2099 16:20:30", "31.12.2099 23:59:59"},
        {3, "31.12.1969", "12/31/1969", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Return, true},
        {3, "29.02.2001", "2/30/2001", "14.03.2026 16:20:30", "14.03.2026 16:20:30", Qt::Key_Escape},
    };
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        SCOPED_TRACE(locale.name().toStdString());
        const bool german = locale.language() == QLocale::German;
        QLocale::setDefault(locale);
        std::optional<EnglishTexts> english;
        if (!german) {
            english.emplace();
            ASSERT_TRUE(english->IsLoaded());
        }
        const std::string badDate =
            german ? "Bitte geben Sie ein korrektes Datum ein !" : "Please enter a correct date !";
        const std::string badTime =
            german ? "Bitte geben Sie eine korrekte Uhrzeit ein !" : "Please enter a correct time !";
        CAppointDlgFrm frame;
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        frame.OnCommand(ID_CAL_NEW_APPOINT);
        CCalItemDlgView* view = frame.GetView();
        auto* a = dynamic_cast<CAppoint*>(view->ObjectOf(0));
        ASSERT_NE(nullptr, a);
        for (const Row& row : rows) {
            const QString keys = QString::fromUtf8(german || !*row.en ? row.de : row.en);
            SCOPED_TRACE(keys.toStdString());
            int d = 0, mo = 0, y = 0, h = 0, mi = 0, sec = 0;
            ASSERT_EQ(6, std::sscanf(row.start, "%d.%d.%d %d:%d:%d", &d, &mo, &y, &h, &mi, &sec));
            const std::optional<caltime::Time> start = caltime::Make(y, mo, d, h, mi, sec);
            ASSERT_TRUE(start) << "the project holds the day the row starts from";
            a->SetParam(CAppoint::Date, *start);
            view->Refill();
            // A double click on the cell, the keys as a keyboard sends them,
            // then Enter or Escape.
            QRect cell = view->visualItemRect(view->topLevelItem(0));
            cell.setLeft(view->header()->sectionViewportPosition(row.column));
            cell.setWidth(view->header()->sectionSize(row.column));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            auto* picker = view->findChild<CInPlaceDateTimeCtrl*>();
            ASSERT_NE(nullptr, picker);
            const QStringList parts = keys.split(QChar(0x2192));
            for (int i = 0; i < parts.size(); ++i) {
                if (i > 0)
                    QTest::keyClick(picker, Qt::Key_Right);
                TypeAsKeyboard(picker, parts[i]);
            }
            messages.texts.clear();
            QTest::keyClick(picker, row.end);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            EXPECT_EQ(row.stored, caltime::DeviceDate(a->m_time) + " " + caltime::DeviceTime(a->m_time));
            EXPECT_EQ(row.told ? std::vector<std::string>{row.column == 4 ? badTime : badDate} : std::vector<std::string>{},
                      messages.texts);
        }
        // The list shows the year as typed, in four digits.
        a->SetParam(CAppoint::Date, *caltime::Make(2001, 3, 1));
        view->Refill();
        EXPECT_EQ(german ? "01.03.2001" : "3/1/2001", view->GetItemText(0, 3).toStdString());
    }
    QLocale::setDefault(previous);
}

TEST_F(CalendarWindows, ADayProgrammeEntrysTimeIsTypedOnTheKeyboard)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CDayprogDlgFrm frame;
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    frame.OnCommand(ID_CAL_NEW_DAYPROG);
    frame.OnCommand(ID_CAL_NEW_ENTRY);
    auto* programme = dynamic_cast<CDayprog*>(d.doc().GetIDManager().GetBaseDevice(1, OT_DAYPROG));
    ASSERT_NE(nullptr, programme);
    CDayprogDlgEntryView* view = frame.GetEntryView();
    ASSERT_EQ(1, view->topLevelItemCount());
    for (const char* keys : {"07:30:00", "18⇧:45:10"}) {
        QRect cell = view->visualItemRect(view->topLevelItem(0));
        cell.setLeft(view->header()->sectionViewportPosition(1));
        cell.setWidth(view->header()->sectionSize(1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        auto* picker = view->findChild<CInPlaceDateTimeCtrl*>();
        ASSERT_NE(nullptr, picker) << keys;
        TypeAsKeyboard(picker, QString::fromUtf8(keys));
        QTest::keyClick(picker, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        EXPECT_EQ(QString::fromUtf8(keys).remove(QChar(0x21E7)).toStdString(),
                  caltime::DeviceTime(programme->m_entries[0]));
    }
    QLocale::setDefault(previous);
}

TEST_F(CalendarWindows, ClockAnswersFillTheFormAndRadioTimeSetsTheComputerClockOnce)
{
    auto* clock = dynamic_cast<CClock*>(d.doc().GetIDManager().GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, clock);
    CClockDlg dlg(clock);
    CClockForm* form = dlg.Form();
    EXPECT_TRUE(form->IsPolling());  // also without a device
    EXPECT_EQ(form, clock->GetAnswerSink());
    for (const char* line : {"CLOCK/MAIN/TIME 12:30:59", "CLOCK/MAIN/DATE 24.12.2026", "CLOCK/DCF/TIME 12:31:00",
                             "CLOCK/DCF/DATE 24.12.2026", "CLOCK/SLAVE/RUN ON"})
        clock->ParseUploadLines(line, "", linkstate::Online);
    EXPECT_EQ("12:30:59", form->findChild<QLineEdit*>("1195")->text().toStdString());
    EXPECT_TRUE(form->RunBox()->isChecked());
    clock->ParseUploadLines("CLOCK/DCF/RECEIVE ON", "", linkstate::Online);
    EXPECT_TRUE(form->IsReceiving());
    EXPECT_TRUE(setTimes.empty());  // 12:31 is not 12:30

    clock->ParseUploadLines("CLOCK/DCF/RECEIVE OFF", "", linkstate::Online);
    clock->ParseUploadLines("CLOCK/DCF/TIME 12:30:00", "", linkstate::Online);
    refuse = true;
    clock->ParseUploadLines("CLOCK/DCF/RECEIVE ON", "", linkstate::Online);
    ASSERT_EQ(1u, setTimes.size());
    EXPECT_EQ(2026, setTimes[0].year);
    EXPECT_EQ(59, setTimes[0].second);
    EXPECT_TRUE(messages.Contains("Operation not permitted"));
    clock->ParseUploadLines("CLOCK/DCF/RECEIVE ON", "", linkstate::Online);
    EXPECT_EQ(1u, setTimes.size());

    // The slave line's boxes send at once; OK keeps them in the project.
    form->RunBox()->click();
    EXPECT_EQ("/CLOCK/SLAVE/RUN OFF", sender.lines.back());
    form->InvertBox()->click();
    dlg.accept();
    EXPECT_EQ("OFF", clock->m_run);
    EXPECT_EQ("ON", clock->m_invert);

    // The echo of a box's line stores its word before OK: OK marks the project all the same.
    d.doc().SetModifiedFlag(false);
    CClockDlg again(clock);
    again.show();
    EXPECT_EQ("Uhr", again.windowTitle().toStdString());
    QTest::mouseClick(again.Form()->RunBox(), Qt::LeftButton);
    clock->ParseUploadLines(sender.lines.back().substr(1), "", linkstate::Online);
    QTest::mouseClick(again.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_TRUE(d.doc().IsModified());
}

TEST_F(CalendarWindows, TheSlaveClockSwitchesArePushButtonsThatStayPressed)
{
    auto* clock = dynamic_cast<CClock*>(d.doc().GetIDManager().GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, clock);
    clock->m_invert = "ON";
    CClkFrm frame;
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    // A check box here would not be found as a push button.
    auto* invert = frame.findChild<QPushButton*>(QStringLiteral("1213"));
    auto* run = frame.findChild<QPushButton*>(QStringLiteral("1255"));
    ASSERT_NE(nullptr, invert);
    ASSERT_NE(nullptr, run);
    EXPECT_EQ(QStringLiteral("Invert"), invert->text());
    EXPECT_EQ(QStringLiteral("Start"), run->text());
    EXPECT_TRUE(invert->isCheckable());
    EXPECT_TRUE(run->isCheckable());
    EXPECT_TRUE(invert->isChecked());  // from the project
    EXPECT_FALSE(run->isChecked());

    // A click presses it down and the device hears it; the next lets it up.
    QTest::mouseClick(run, Qt::LeftButton);
    EXPECT_TRUE(run->isChecked());
    EXPECT_EQ("/CLOCK/SLAVE/RUN ON", sender.lines.back());
    QTest::mouseClick(run, Qt::LeftButton);
    EXPECT_FALSE(run->isChecked());
    EXPECT_EQ("/CLOCK/SLAVE/RUN OFF", sender.lines.back());
    QTest::mouseClick(invert, Qt::LeftButton);
    EXPECT_FALSE(invert->isChecked());
    EXPECT_EQ("/CLOCK/SLAVE/INVERT OFF", sender.lines.back());

    // The device's word moves them too.
    clock->ParseUploadLines("CLOCK/SLAVE/RUN ON", "", linkstate::Online);
    EXPECT_TRUE(run->isChecked());
    clock->ParseUploadLines("CLOCK/SLAVE/INVERT ON", "", linkstate::Online);
    EXPECT_TRUE(invert->isChecked());
}

TEST_F(CalendarWindows, RadioReceptionPlaysTheFramesOfThePictureSetWhileReceiving)
{
    auto* clock = dynamic_cast<CClock*>(d.doc().GetIDManager().GetBaseDevice(1, OT_CLOCK));
    ASSERT_NE(nullptr, clock);
    CClockDlg dlg(clock);
    dlg.show();
    CAnimateCtrl* animation = dlg.Form()->ReceptionAnimation();
    ASSERT_NE(nullptr, animation);
    const QSize size = CPictureSet::FrameSize(465);
    ASSERT_FALSE(size.isEmpty());
    ASSERT_GE(animation->width(), size.width());
    ASSERT_GE(animation->height(), size.height());
    const QPoint at((animation->width() - size.width()) / 2, (animation->height() - size.height()) / 2);
    const auto shows = [&](int frame) {
        return ShowsPicture(*animation, CPictureSet::AnimationFrame(465, frame, size), at);
    };

    // Opened and resting on its first frame: no reception yet.
    EXPECT_EQ(465, animation->GetAnimation());
    EXPECT_FALSE(animation->IsPlaying());
    EXPECT_EQ(0, animation->GetFrame());
    EXPECT_TRUE(shows(0));
    EXPECT_FALSE(shows(1));

    // Reception: it plays the strip in a loop.
    clock->ParseUploadLines("CLOCK/DCF/RECEIVE ON", "", linkstate::Online);
    EXPECT_TRUE(animation->IsPlaying());
    ASSERT_TRUE(QTest::qWaitFor([&] { return animation->GetFrame() >= 2; }, 5000));
    const int frame = animation->GetFrame();
    EXPECT_TRUE(shows(frame)) << frame;
    EXPECT_FALSE(shows(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return animation->GetFrame() < frame; }, 5000));  // round again

    // Reception lost: stopped and back on the first frame.
    clock->ParseUploadLines("CLOCK/DCF/RECEIVE OFF", "", linkstate::Online);
    EXPECT_FALSE(animation->IsPlaying());
    EXPECT_EQ(0, animation->GetFrame());
    EXPECT_TRUE(shows(0));
}
