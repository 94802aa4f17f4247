// The calendar windows as their user meets them: shown, with clicks and keys
// on the lists, the pickers and the buttons, and what the project holds after.

#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "calendar/CAppoint.h"
#include "calendar/CClock.h"
#include "calendar/CDayprog.h"
#include "calendar/CWeek.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CClockDlg.h"
#include "calendar/windows/CClockForm.h"
#include "calendar/windows/CDayprogDlgEntryView.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CDayprogDlgListView.h"
#include "calendar/windows/CHolidayDlgFrm.h"
#include "calendar/windows/CWeekDlgFrm.h"
#include "calendar/windows/CWeekDlgView.h"
#include "model/CIDManager.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "ui/CInPlaceDateTimeCtrl.h"

using namespace blocktest;

namespace {
// The selection dialog's answer, as the user would pick it: the kind asked
// for and the text it opened on are kept.
struct Choice {
    int result = 0;
    bool ok = true;
    int kind = 0;
    QString preset;
};
Choice& TheChoice()
{
    static Choice choice;
    return choice;
}
bool Choose(QWidget*, int kind, const QString& preset, int* result)
{
    TheChoice().kind = kind;
    TheChoice().preset = preset;
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
    // Clicks a command's button on the frame's bar.
    static void ClickButton(CFeatureFrm& frame, unsigned commandId)
    {
        QWidget* button = frame.GetCommandBar()->widgetForAction(frame.GetAction(commandId));
        ASSERT_NE(nullptr, button);
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    static QPoint CellCenter(CListCtrl* list, int row, int column)
    {
        QRect cell = list->visualItemRect(list->topLevelItem(row));
        cell.setLeft(list->header()->sectionViewportPosition(column));
        cell.setWidth(list->header()->sectionSize(column));
        return cell.center();
    }
    // Lets queued edits, deferred deletes and repaints run.
    static void Settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
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
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
        Settle();
    }
    static void DoubleClick(CListCtrl* list, int row, int column)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, column));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, column));
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

TEST_F(CalendarUser, AnEmptiedNameLeavesTheStoredNameOnShow)
{
    CAppointDlgFrm appoints;
    Show(appoints);
    ClickButton(appoints, ID_CAL_NEW_APPOINT);
    CCalItemDlgView* list = appoints.GetView();
    ASSERT_EQ(1, list->GetItemCount());
    Rename(list, 0, QString());
    EXPECT_EQ("Ereignis 1", list->GetItemText(0, 0).toStdString());
    EXPECT_EQ("Ereignis 1", list->ObjectOf(0)->GetName());
    Rename(list, 0, QStringLiteral("Pause"));
    EXPECT_EQ("Pause", list->GetItemText(0, 0).toStdString());
    EXPECT_EQ("Pause", list->ObjectOf(0)->GetName());

    CHolidayDlgFrm holidays;
    Show(holidays);
    ClickButton(holidays, ID_CAL_NEW_HOLIDAY);
    list = holidays.GetView();
    ASSERT_EQ(1, list->GetItemCount());
    Rename(list, 0, QString());
    EXPECT_EQ("Feiertagsprogramm 1", list->GetItemText(0, 0).toStdString());
    EXPECT_TRUE(messages.texts.empty()) << "an emptied name is no fault to report";
}
