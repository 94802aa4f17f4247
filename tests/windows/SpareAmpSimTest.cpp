// The spare-amplifier window over the real device link, against the device
// simulator: a table with a watched channel goes down line for line and
// comes back into an emptied design, with nothing in the difference file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

#include "comm/CCommLink.h"
#include "comm/CommTestSupport.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CSpareAmp.h"
#include "hardware/windows/CSpareAmpFrm.h"
#include "hardware/windows/CSpareAmpView.h"
#include "paging/CRelais.h"
#include "paging/PagingIds.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
// A new project of the upgraded device, active, sending through a link to the
// device simulator.
class SpareAmpSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override { Attach(1, QStringLiteral("Havarie.qlx")); }
    void TearDown() override { Detach(); }

    // A click on the middle of the spares' column title `column`, as the user makes it.
    static void ClickTitle(CSpareAmpView* view, int column)
    {
        QHeaderView* header = view->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
};
using SpareAmpLive = SpareAmpSim;

// A new project, active, without a device; its spare amplifier table.
class SpareAmpView : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        previousHook = SetActiveDocHook([this] { return &doc; });
        table = dynamic_cast<CSpareAmp*>(doc.GetIDManager().GetBaseDevice(1, OT_SPARE_AMP));
        ASSERT_NE(nullptr, table);
    }
    void TearDown() override { SetActiveDocHook(previousHook); }
    // The window shown and active, as the user opens it.
    static void ShowActive(CSpareAmpFrm& frame)
    {
        frame.resize(800, 300);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }

    CQuillomerDoc doc;
    ActiveDocHook previousHook;
    Messages messages;
    CSpareAmp* table = nullptr;
};
}  // namespace

TEST_F(SpareAmpSim, TableGoesDownAndComesBack)
{
    auto* table = dynamic_cast<CSpareAmp*>(doc.GetIDManager().GetBaseDevice(1, OT_SPARE_AMP));
    ASSERT_NE(nullptr, table);
    table->SetEntry(1, "Reserve", true, OT_READY_INPUT, 7, 0);
    table->SetWatch(0, 1, OT_READY_INPUT, 3, 0);
    table->m_entries[1].watch[0].outRelay = 12;
    table->m_entries[1].watch[0].inRelay = 4;

    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_EQ(1, settings.GetProfileInt("KVT7000", "SPAREAMP_CLR", 0));

    const size_t mark = sim.Received().size();
    {
        CSpareAmpFrm frame(&doc);
        ASSERT_EQ(1, frame.m_spares->topLevelItemCount());
        EXPECT_EQ("Reserve", frame.m_spares->topLevelItem(0)->text(0).toStdString());
        EXPECT_TRUE(frame.GetAction(CSpareAmpFrm::kDownload)->isEnabled());
        frame.OnCommand(CSpareAmpFrm::kDownload);
    }
    const std::string lines = "/MACRO/LOCK ON\r\n/SPAREAMP/CLEAR ALL\r\n/SPAREAMP/ENTRY2/INDEX 7\r\n"
                              "/SPAREAMP/ENTRY2/REMOTE NO\r\n/SPAREAMP/ENTRY2/WATCH1/INDEX 3\r\n"
                              "/SPAREAMP/ENTRY2/WATCH1/REMOTE NO\r\n/SPAREAMP/ENTRY2/WATCH1/OUTRELAY 12\r\n"
                              "/SPAREAMP/ENTRY2/WATCH1/INPRELAY 4\r\n/SPAREAMP/ENTRY2/WATCH2/INDEX 0\r\n";
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().size() >= mark + lines.size(); }, kArrivalMs));
    EXPECT_EQ(lines, sim.Received().substr(mark, lines.size()));

    // The emptied design takes the device's table back.
    table->Reset();
    table->m_names.assign(CSpareAmp::kEntries, std::string());
    {
        CSpareAmpFrm frame(&doc);
        frame.OnCommand(CSpareAmpFrm::kUpload);
        EXPECT_EQ(1, frame.m_spares->topLevelItemCount());
    }
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    EXPECT_TRUE(table->GetEntry(1, name, kind, index));
    EXPECT_EQ("Havarieverstärker 2", name);
    EXPECT_EQ(uint32_t{OT_READY_INPUT}, kind);
    EXPECT_EQ(7, index);
    EXPECT_EQ(12, table->m_entries[1].watch[0].outRelay);
    EXPECT_EQ(4, table->m_entries[1].watch[0].inRelay);
    EXPECT_FALSE(table->GetEntry(0, name, kind, index));
    EXPECT_EQ("", ReadFile(dir.filePath(QStringLiteral("Havarie.err"))));
    EXPECT_TRUE(host.editorFiles.empty());
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

// The column title "ersetzt" takes the click: while the project is connected
// it starts the live display, whose queries reach the device line for line and
// whose answers show in the column; without a connection it starts nothing.
// When the line is lost the live display ends and its column empties.
TEST_F(SpareAmpLive, ClickOnTheReplacedTitleStartsTheLiveDisplay)
{
    auto* table = dynamic_cast<CSpareAmp*>(doc.GetIDManager().GetBaseDevice(1, OT_SPARE_AMP));
    ASSERT_NE(nullptr, table);
    table->SetEntry(0, "Reserve A", true, OT_READY_INPUT, 7, 0);
    table->SetEntry(2, "Reserve C", true, OT_READY_INPUT, 9, 0);
    CSpareAmpFrm frame(&doc);
    frame.resize(800, 300);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CSpareAmpView* spares = frame.m_spares;
    ASSERT_EQ(2, spares->topLevelItemCount());
    ASSERT_TRUE(spares->header()->sectionsClickable());

    ClickTitle(spares, 3);
    EXPECT_FALSE(spares->IsPolling()) << "no connection, no live display";
    EXPECT_EQ(QStringLiteral("ersetzt"), spares->headerItem()->text(3));

    ConnectWith({QStringLiteral("set /SPAREAMP/ENTRY3/REPLACE 12")});
    ASSERT_TRUE(IsDocConnected());
    const size_t mark = sim.Received().size();
    ClickTitle(spares, 3);
    EXPECT_TRUE(spares->IsPolling());
    EXPECT_EQ(QStringLiteral("ersetzt *"), spares->headerItem()->text(3));
    EXPECT_TRUE(PumpUntil(
        [&] {
            const std::string in = sim.Received().substr(mark);
            return in.find("/SPAREAMP/ENTRY1/REPLACE ?\r\n") != std::string::npos &&
                   in.find("/SPAREAMP/ENTRY3/REPLACE ?\r\n") != std::string::npos;
        },
        8000))
        << sim.Received().substr(mark);
    EXPECT_TRUE(PumpUntil([&] { return spares->topLevelItem(1)->text(3) == QStringLiteral("12"); }, 8000));
    // Entry 1 replaces nothing ("OFF"): its cell stays empty.
    EXPECT_EQ(QString(), spares->topLevelItem(0)->text(3));
    EXPECT_EQ(std::string::npos, sim.Received().find("/SPAREAMP/ENTRY2/REPLACE", mark));

    // A second click stops it.
    ClickTitle(spares, 3);
    EXPECT_FALSE(spares->IsPolling());
    EXPECT_EQ(QStringLiteral("ersetzt"), spares->headerItem()->text(3));

    // Live again, then the line is lost: the column no longer claims to show
    // the device, and without a connection the title starts nothing.
    ClickTitle(spares, 3);
    ASSERT_TRUE(spares->IsPolling());
    ASSERT_EQ(QStringLiteral("12"), spares->topLevelItem(1)->text(3));
    sim.Stop();
    EXPECT_TRUE(PumpUntil([&] { return !IsDocConnected(); }, 8000));
    EXPECT_TRUE(PumpUntil([&] { return !spares->IsPolling(); }, 8000));
    EXPECT_EQ(QStringLiteral("ersetzt"), spares->headerItem()->text(3));
    EXPECT_EQ(QString(), spares->topLevelItem(1)->text(3));
    ClickTitle(spares, 3);
    EXPECT_FALSE(spares->IsPolling());
    EXPECT_EQ(QStringLiteral("ersetzt"), spares->headerItem()->text(3));
}

// A ready-input number the device answers beyond what the directory holds is
// checked before it is looked up: the pane shows it as a number with "*",
// and no directory diagnostic pops up while it fills.
TEST_F(SpareAmpView, ReadyInputNumberBeyondTheDirectoryShowsAsANumber)
{
    for (const char* line : {"SPAREAMP/CLEAR 2-8", "SPAREAMP/ENTRY1/INDEX 60", "SPAREAMP/ENTRY1/REMOTE NO",
                             "SPAREAMP/ENTRY1/WATCH1/INDEX 300", "SPAREAMP/ENTRY1/WATCH1/REMOTE NO"})
        table->ParseUploadLines(line, "", linkstate::Upload);
    CSpareAmpView spares(&doc, CSpareAmpView::kSpareMode);
    spares.FillSpares();
    ASSERT_EQ(1, spares.topLevelItemCount());
    EXPECT_EQ(QStringLiteral("60 *"), spares.topLevelItem(0)->text(2));
    CSpareAmpView watches(&doc, CSpareAmpView::kWatchMode);
    watches.FillWatches(0);
    ASSERT_EQ(1, watches.topLevelItemCount());
    EXPECT_EQ(QStringLiteral("300 *"), watches.topLevelItem(0)->text(1));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

// The user renames a spare in place (F2, typing, Enter). Emptying the label
// keeps the old name: a spare without a name would be an unused entry to
// the device and would be gone from the project file after reopening.
TEST_F(SpareAmpView, RenamingInPlaceRefusesAnEmptyName)
{
    table->SetEntry(0, "Reserve A", true, OT_READY_INPUT, 7, 0);
    doc.SetModifiedFlag(false);
    CSpareAmpFrm frame(&doc);
    ASSERT_NO_FATAL_FAILURE(ShowActive(frame));
    CSpareAmpView* spares = frame.m_spares;
    ASSERT_EQ(1, spares->topLevelItemCount());
    const QRect row = spares->visualItemRect(spares->topLevelItem(0));
    QTest::mouseClick(spares->viewport(), Qt::LeftButton, {}, QPoint(spares->columnWidth(0) / 2, row.center().y()));
    ASSERT_EQ(0, spares->SelectedIndex());

    const auto rename = [&](const QString& typed) {
        QTest::keyClick(spares, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(nullptr, editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QApplication::processEvents();
    };
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    // Emptied, or blanks alone: no name, the old one stays.
    for (const QString& typed : {QString(), QStringLiteral("   ")}) {
        SCOPED_TRACE(typed.toStdString());
        rename(typed);
        EXPECT_TRUE(table->GetEntry(0, name, kind, index));
        EXPECT_EQ("Reserve A", name);
        ASSERT_EQ(1, spares->topLevelItemCount());
        EXPECT_EQ(QStringLiteral("Reserve A"), spares->topLevelItem(0)->text(0));
        EXPECT_FALSE(doc.IsModified());
    }

    rename(QStringLiteral("Reserve Nord"));
    EXPECT_TRUE(doc.IsModified());
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
    auto* back = dynamic_cast<CSpareAmp*>(reopened.GetIDManager().GetBaseDevice(1, OT_SPARE_AMP));
    ASSERT_NE(nullptr, back);
    EXPECT_TRUE(back->GetEntry(0, name, kind, index));
    EXPECT_EQ("Reserve Nord", name);
    EXPECT_EQ(7, index);
    EXPECT_TRUE(messages.texts.empty());
}

// The user makes a spare from the tool bar: Escape in the choice, or OK on
// its preselected "Kein Eintrag", makes nothing and leaves the project
// unmodified; a chosen amplifier channel
// makes "Havarieverstärker 1". A double click that chooses the same channel
// again changes nothing; the Delete key removes the spare.
TEST_F(SpareAmpView, NewSpareByToolBarAndTheSameChoiceAgain)
{
    CAudioOutputSlot* slot3 = nullptr;
    for (CBaseDevice* obj : doc.GetList(CAT_OUTPUT_SLOT))
        if (auto* card = dynamic_cast<CAudioOutputSlot*>(obj); card && !slot3)
            slot3 = card;
    ASSERT_NE(nullptr, slot3);
    slot3->SetHoverConnectors(-1, 0);
    ASSERT_EQ(1, slot3->OnCommand(33160));  // "HBE 6631 + YOK 58417": remote, one channel
    doc.SetModifiedFlag(false);

    CSpareAmpFrm frame(&doc);
    ASSERT_NO_FATAL_FAILURE(ShowActive(frame));
    CSpareAmpView* spares = frame.m_spares;
    // Runs `act` and answers the choice it opens with `answer`.
    const auto choose = [](const std::function<void()>& act, const std::function<void(CSelectionDlg&)>& answer) {
        bool shown = false;
        QObject scope;  // the timer dies with the locals it writes
        QTimer::singleShot(0, &scope, [&] {
            if (auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget())) {
                shown = true;
                answer(*dlg);
            }
        });
        act();
        return shown;
    };
    QWidget* newButton = nullptr;
    for (QToolBar* bar : frame.findChildren<QToolBar*>())
        if (QWidget* w = bar->widgetForAction(frame.GetAction(CSpareAmpFrm::kNewEntry)))
            newButton = w;
    ASSERT_NE(nullptr, newButton);
    const auto clickNew = [&] { QTest::mouseClick(newButton, Qt::LeftButton, {}, newButton->rect().center()); };
    const auto channelRow = [](CSelectionDlg& dlg) {
        for (int r = 0; r < dlg.List()->GetItemCount(); ++r)
            if (dlg.List()->GetItemText(r, 0).startsWith(QStringLiteral("Verstärker 1")))
                return r;
        return -1;
    };

    ASSERT_TRUE(choose(clickNew, [](CSelectionDlg& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); }));
    EXPECT_EQ(0, spares->topLevelItemCount());
    EXPECT_FALSE(doc.IsModified());
    // OK on the preselected "Kein Eintrag" chooses nothing: no spare is made.
    ASSERT_TRUE(choose(clickNew, [](CSelectionDlg& dlg) {
        EXPECT_EQ(QStringLiteral("Kein Eintrag"), dlg.List()->GetItemText(0, 0));
        EXPECT_TRUE(dlg.List()->IsItemSelected(0));
        QTest::keyClick(&dlg, Qt::Key_Return);
    }));
    EXPECT_EQ(0, spares->topLevelItemCount());
    EXPECT_FALSE(doc.IsModified());
    std::string unused;
    uint32_t noKind = 0;
    int32_t noIndex = 0;
    EXPECT_FALSE(table->GetEntry(0, unused, noKind, noIndex));

    ASSERT_TRUE(choose(clickNew, [&](CSelectionDlg& dlg) {
        const int row = channelRow(dlg);
        if (row < 0) {
            for (int r = 0; r < dlg.List()->GetItemCount(); ++r)
                ADD_FAILURE() << dlg.List()->GetItemText(r, 0).toStdString();
            dlg.reject();
            return;
        }
        dlg.List()->clearSelection();
        dlg.List()->Row(row)->setSelected(true);
        dlg.accept();
    }));
    ASSERT_EQ(1, spares->topLevelItemCount());
    EXPECT_EQ(QStringLiteral("Havarieverstärker 1"), spares->topLevelItem(0)->text(0));
    EXPECT_TRUE(doc.IsModified());
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    ASSERT_TRUE(table->GetEntry(0, name, kind, index));
    EXPECT_EQ(uint32_t{OT_AMPLIFIER}, kind);
    EXPECT_EQ(1, index);

    doc.SetModifiedFlag(false);
    // Through the window, so that the two clicks become a double click the
    // way the platform's would.
    const QPoint at = spares->viewport()->mapTo(
        &frame, QPoint(spares->columnWidth(0) / 2, spares->visualItemRect(spares->topLevelItem(0)).center().y()));
    ASSERT_TRUE(choose([&] { QTest::mouseDClick(frame.windowHandle(), Qt::LeftButton, {}, at); },
        [&](CSelectionDlg& dlg) {
            const int row = channelRow(dlg);
            if (row < 0) {
                ADD_FAILURE() << "no row of the amplifier's channel";
                dlg.reject();
                return;
            }
            dlg.List()->clearSelection();
            dlg.List()->Row(row)->setSelected(true);
            dlg.accept();
        }));
    EXPECT_FALSE(doc.IsModified()) << "the same channel chosen again";
    ASSERT_EQ(1, spares->topLevelItemCount());

    spares->setFocus();
    QTest::keyClick(spares, Qt::Key_Delete);
    EXPECT_EQ(0, spares->topLevelItemCount());
    EXPECT_FALSE(table->GetEntry(0, name, kind, index));
    EXPECT_TRUE(doc.IsModified());
}

// A double click in a watch's relay column offers the relays of that family
// and keeps the chosen relay's number; "Kein Eintrag" takes it away again,
// and in the channel column empties the whole watch. Enter at once, on what
// the dialog opens on (the cell's relay, or no row for a ready input the
// project lacks), changes nothing.
TEST_F(SpareAmpView, RelayColumnsTakeTheChosenRelaysNumber)
{
    table->SetEntry(0, "Reserve", true, OT_READY_INPUT, 7, 0);
    table->SetWatch(0, 0, OT_READY_INPUT, 9, 0);
    ASSERT_NE(nullptr, FindOrCreateRelaisBank(&doc, 7, relaiskind::Line, true));     // r6..r10
    ASSERT_NE(nullptr, FindOrCreateRelaisBank(&doc, 3, relaiskind::Second, false));  // s1..s5
    CSpareAmpFrm frame(&doc);
    ASSERT_NO_FATAL_FAILURE(ShowActive(frame));
    CSpareAmpView* watches = frame.m_watches;
    frame.m_spares->setCurrentItem(frame.m_spares->topLevelItem(0));
    ASSERT_EQ(1, watches->topLevelItemCount());
    const QString kept;  // Enter on what the dialog opens on
    const struct {
        int column;
        QString row;  // the row chosen, and what the cell shows then
        uint16_t SpareWatch::*relay;
        uint16_t number;
    } cases[] = {{2, "r7", &SpareWatch::outRelay, 7},
                 {2, kept, &SpareWatch::outRelay, 7},
                 {3, "s3", &SpareWatch::inRelay, 3},
                 {3, kept, &SpareWatch::inRelay, 3},
                 {1, kept, &SpareWatch::outRelay, 7},
                 {2, "Kein Eintrag", &SpareWatch::outRelay, 0},
                 {1, "Kein Eintrag", &SpareWatch::inRelay, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.isNull() ? "Enter" : c.row.toStdString());
        const QString shown = watches->topLevelItem(0)->text(c.column).trimmed();
        doc.SetModifiedFlag(false);
        bool chosen = false;
        QStringList opensOn;
        QObject scope;  // the timer dies with the locals it writes
        QTimer::singleShot(0, &scope, [&] {
            auto* dlg = qobject_cast<CSelectionDlg*>(QApplication::activeModalWidget());
            for (int r = 0; dlg && r < dlg->List()->GetItemCount(); ++r)
                if (dlg->List()->IsItemSelected(r))
                    opensOn << dlg->List()->GetItemText(r, 0);
            if (dlg && c.row.isNull()) {
                chosen = true;
                QTest::keyClick(dlg->List(), Qt::Key_Return);
                return;
            }
            for (int r = 0; dlg && r < dlg->List()->GetItemCount() && !chosen; ++r)
                if ((chosen = dlg->List()->GetItemText(r, 0) == c.row)) {
                    dlg->List()->clearSelection();
                    dlg->List()->Row(r)->setSelected(true);
                }
            if (dlg)
                chosen ? dlg->accept() : dlg->reject();
        });
        const QModelIndex at = watches->model()->index(0, c.column);
        watches->scrollTo(at);
        const QPoint cell = watches->viewport()->mapTo(&frame, watches->visualRect(at).center());
        QTest::mouseDClick(frame.windowHandle(), Qt::LeftButton, {}, cell);
        ASSERT_TRUE(chosen) << "no such row in the choice";
        EXPECT_EQ(c.number, table->m_entries[0].watch[0].*c.relay);
        if (c.row.isNull()) {
            // The relay's own row; a ready input the project lacks is no row.
            EXPECT_EQ(c.column == 1 ? QStringList() : QStringList{shown}, opensOn);
            EXPECT_FALSE(doc.IsModified());
            ASSERT_EQ(1, watches->topLevelItemCount());
            EXPECT_EQ(shown, watches->topLevelItem(0)->text(c.column).trimmed());
        } else if (c.column == 1) {
            EXPECT_EQ(0, watches->topLevelItemCount());
        } else {
            EXPECT_EQ(c.number ? c.row : QString(), watches->topLevelItem(0)->text(c.column).trimmed());
        }
    }
    EXPECT_TRUE(messages.texts.empty());
}
