// The monitor window as its user works it: a double-click on an entry's
// source opens the source choice and the entry takes what was chosen; a
// double-click on a relay's name does the same for the relay.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "audio/CMonitor.h"
#include "audio/windows/CMonitorDlgFrm.h"
#include "audio/windows/CMonitorDlgListView.h"
#include "audio/windows/CMonitorRelaisListView.h"
#include "model/CIDManager.h"
#include "support/BlockTestSupport.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"
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

class MonitorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(d.doc().OnNewDocument());
        monitor = dynamic_cast<CMonitor*>(d.doc().GetIDManager().GetBaseDevice(1, OT_MONITOR));
        ASSERT_NE(nullptr, monitor);
        previous = CMonitorDlgFrm::SetChooser([this](QWidget*, int kind, const QString& current, int* result) {
            kinds.push_back(kind);
            shown.push_back(current);
            if (!answer)
                return false;
            *result = answer;
            return true;
        });
    }
    void TearDown() override { CMonitorDlgFrm::SetChooser(previous); }

    ActiveDoc d;
    CMonitor* monitor = nullptr;
    CMonitorDlgFrm::Chooser previous;
    std::vector<int> kinds;
    QStringList shown;  // what each choice opened on
    int answer = 0;  // 0: the user cancels
};
}  // namespace

TEST_F(MonitorWindow, DoubleClickOnAnEntrysSourceChoosesItsNewSource)
{
    using namespace monitorsource;
    monitor->SetValue(AddEntry, Code(In, 2));
    monitor->SetValue(AddEntry, Code(Out, 3));
    d.doc().SetModifiedFlag(false);
    CMonitorDlgFrm frame;
    frame.resize(800, 400);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CMonitorDlgListView* entries = frame.GetEntryList();
    ASSERT_EQ(2, entries->GetItemCount());

    // Cancelled: the entry and the project stay as they were.
    DoubleClick(entries, 1, 2);
    ASSERT_EQ(std::vector<int>{selkind::Monitor}, kinds) << "the source choice opens";
    EXPECT_EQ(QStringList{QString::fromStdString(monitor->GetSourceText(Code(Out, 3)))}, shown) << "on the entry's source";
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
    frame.Refill();
    CMonitorRelaisListView* relays = frame.GetRelayList();
    ASSERT_EQ(1, relays->GetItemCount());
    answer = 0;
    DoubleClick(relays, 0, 2);
    ASSERT_EQ(3u, kinds.size());
    EXPECT_EQ(selkind::LMZ764, kinds[2]);
    EXPECT_EQ(relays->GetItemText(0, 2), shown[2]);
    EXPECT_EQ(QString::fromStdString(monitor->GetValueText(Relay | (1u << 16))), shown[2]);
    EXPECT_EQ(1001u, monitor->GetRelayWord(1)) << "cancelled";
}

// The same with the program's own choice: it opens on the entry's source,
// so that OK alone keeps it, and the entry takes a source clicked in it.
TEST_F(MonitorWindow, TheSourceChoiceOpensOnTheEntrysSourceAndTheEntryTakesTheClickedOne)
{
    using namespace monitorsource;
    CMonitorDlgFrm::SetChooser(nullptr);  // the real selection dialog
    monitor->SetValue(AddEntry, Code(In, 2));
    monitor->SetValue(AddEntry, Code(Out, 3));
    d.doc().SetModifiedFlag(false);
    CMonitorDlgFrm frame;
    frame.resize(800, 400);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CMonitorDlgListView* entries = frame.GetEntryList();

    // Double-clicks the first row's source; in the choice, clicks the row of
    // `click` (none when empty) and OK. The text of the row it opened on.
    auto choose = [&](const QString& click) {
        QString openedOn = QStringLiteral("(no choice)");
        QObject scope;  // the timer dies with the locals it writes, whether a dialog took it or not
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            CEditListCtrl* list = dlg->List();
            openedOn.clear();
            for (int r = 0; r < list->GetItemCount(); ++r) {
                if (list->IsItemSelected(r))
                    openedOn += list->GetItemText(r, 0);
                if (!click.isEmpty() && list->GetItemText(r, 0) == click)
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->GetItemRect(r).center());
            }
            for (QPushButton* b : dlg->findChildren<QPushButton*>())
                if (b->text() == QLatin1String("OK"))
                    QTest::mouseClick(b, Qt::LeftButton);
        });
        DoubleClick(entries, 0, 2);  // the first row, while the last one is selected
        return openedOn;
    };
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
