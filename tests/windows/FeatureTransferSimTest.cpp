// The feature windows' transfer loop over the real device link, against the
// device simulator at the line rate with its echo: a transfer goes on as long
// as characters move, ends when the device has been silent, says which block
// did not finish when it stops early, and never runs inside another.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QSettings>
#include <QTimer>
#include <QToolBar>

#include "audio/CMonitor.h"
#include "audio/windows/AudioWindowIds.h"
#include "audio/windows/CMonitorDlgFrm.h"
#include "audio/windows/CMonitorDlgListView.h"
#include "comm/CommTestSupport.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroDlgListView.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

// The source an entry of the test table holds: IN, OUT and now and then EXT.
MonitorEntry EntryOf(int n)
{
    MonitorEntry e;
    if (n % 10 == 0) {
        e.source = "EXT";
    } else if (n % 2 == 1) {
        e.source = "IN";
        e.number = static_cast<uint32_t>(1 + n % 4);
    } else {
        e.source = "OUT";
        e.number = static_cast<uint32_t>(1 + n / 2 % 4);
    }
    return e;
}

class FeatureTransferSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override { Attach(1, QStringLiteral("Transfer.qlx")); }
    void TearDown() override { Detach(); }
    size_t LinesReceived() const { return CountOf(sim.Received(), "\n"); }
    bool Reported(const std::string& part) const { return messages.Contains(part); }
};

// A block whose first step sends its lines one a call and stays on that step
// until the last has been handed over (as a queue of entries does); in an
// upload its second step then waits for an answer the device never sends.
class QueueBlock : public CBaseDevice {
public:
    QueueBlock(CQuillomerDoc& doc, int lines) : m_lines(lines)
    {
        m_name = "Testblock";
        m_pDocument = &doc;
        for (int n = 1; n <= lines; ++n)
            doc.AddPath(Key(n), this);
        doc.AddPath("/TEST", this);
    }
    static std::string Key(int n) { return StrFormat("/TEST/KEY%d", n); }
    static std::string Value(int n) { return StrFormat("Wert_%03d_fuer_die_Zeile", n); }
    int GetDownloadLines(int mode, int step) override
    {
        if (step < 0) {
            m_next = 1;
            return 2;
        }
        if (IsOutBufferFull())
            return step;
        if (step == 0) {
            if (m_next > m_lines)
                return 1;
            ::SendCommand(Key(m_next) + " " + (mode ? std::string("?") : Value(m_next)), GetDocument(), false);
            ++m_next;
            return 0;
        }
        return mode ? 1 : 2;  // an upload waits here for ever
    }
    void ParseUploadLines(std::string line, const std::string&, int) override
    {
        if (line.find(" ?") == std::string::npos)
            answers.push_back(line);
        lastAnswer.start();
    }
    std::vector<std::string> answers;
    QElapsedTimer lastAnswer;

private:
    int m_lines;
    int m_next = 1;
};
}  // namespace

TEST_F(FeatureTransferSim, MonitorTableAndRelaysGoBothWaysCompleteAndASecondClickDoesNothing)
{
    // The device holds all 250 entries and 50 relays of an upgraded project.
    QStringList preset;
    for (int n = 1; n <= CMonitor::kEntryCount; ++n) {
        const MonitorEntry e = EntryOf(n);
        preset << QStringLiteral("set /MONI/TABLE%1/SEL %2").arg(n).arg(QString::fromStdString(e.source))
               << QStringLiteral("set /MONI/TABLE%1/IDX %2").arg(n).arg(e.number)
               << QStringLiteral("set /MONI/TABLE%1/AMPCHAN 1").arg(n);
    }
    for (int n = 1; n <= CMonitor::kRelayCount; ++n)
        preset << QStringLiteral("set /MONI/RELAY%1 %2").arg(n).arg(1000 + n);
    QFile script(dir.filePath(QStringLiteral("monitor.kvt")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(preset.join(QLatin1Char('\n')).toUtf8());
    script.close();
    Connect({QStringLiteral("--script"), script.fileName()});
    auto* monitor = dynamic_cast<CMonitor*>(doc.GetIDManager().GetBaseDevice(1, OT_MONITOR));
    ASSERT_TRUE(monitor);
    ASSERT_EQ(1, QSettings().value(QStringLiteral("KVT7000/MONI_CLR")).toInt()) << "the device clears its table";

    CMonitorDlgFrm frame;
    const size_t uploadMark = sim.Received().size();
    // A second click (and a double-click) on either transfer button while the upload runs.
    bool clickedWhileRunning = false;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(2500, &scope, [&] {
        clickedWhileRunning = frame.IsTransferring();
        frame.GetAction(audiowinid::MonitorUpload)->trigger();
        frame.GetAction(audiowinid::MonitorUpload)->trigger();
        frame.GetAction(audiowinid::MonitorDownload)->trigger();
        frame.OnCommand(audiowinid::MonitorDownload);
        EXPECT_FALSE(frame.GetCommandBar()->isEnabled());
    });
    frame.OnCommand(audiowinid::MonitorUpload);
    ASSERT_TRUE(clickedWhileRunning) << "the upload ended before the second click";
    const std::string upload = sim.Received().substr(uploadMark);
    ASSERT_NE(sim.Sent().find("/MONI/TABLE250/AMPCHAN ?\r\n"), std::string::npos) << "the device echoes";
    EXPECT_EQ(1u, CountOf(upload, "/MONI/CLEAR/TABLE ?")) << "one upload, no nested one";
    EXPECT_EQ(0u, CountOf(upload, "/MACRO/LOCK ON")) << "no download started meanwhile";
    for (int n = 1; n <= CMonitor::kEntryCount; ++n)
        EXPECT_EQ(EntryOf(n), monitor->GetEntry(n - 1)) << "entry " << n;
    for (int n = 1; n <= CMonitor::kRelayCount; ++n)
        EXPECT_EQ(static_cast<uint32_t>(1000 + n), monitor->GetRelayWord(n - 1)) << "relay " << n;
    EXPECT_EQ(CMonitor::kEntryCount, frame.GetEntryList()->GetItemCount());
    EXPECT_FALSE(Reported("nicht vollständig"));
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // An older device clears nothing: every entry and every relay goes down,
    // the last relays too, and the bar counts the lines of the queue.
    SetProfile(QStringLiteral("KVT7000/MONI_CLR"), 0);
    std::string expected = "/MACRO/LOCK ON\r\n/MONI/CLEAR/TABLE ALL\r\n/MONI/CLEAR/RELAY ALL\r\n";
    for (int n = 1; n <= CMonitor::kEntryCount; ++n) {
        const MonitorEntry e = EntryOf(n);
        expected += StrFormat("/MONI/TABLE%d/SEL %s\r\n/MONI/TABLE%d/IDX %u\r\n/MONI/TABLE%d/AMPCHAN 1\r\n", n,
                              e.source.c_str(), n, e.number, n);
    }
    for (int n = 1; n <= CMonitor::kRelayCount; ++n)
        expected += StrFormat("/MONI/RELAY%d %d\r\n", n, 1000 + n);
    expected += "/MACRO/LOCK OFF\r\n";
    const size_t downloadMark = sim.Received().size();
    int progressMidway = -1;
    QObject midway;  // likewise
    QTimer::singleShot(5000, &midway, [&] {
        if (auto* bar = frame.findChild<QProgressBar*>(QStringLiteral("1")))
            progressMidway = bar->value();
    });
    frame.OnCommand(audiowinid::MonitorDownload);
    EXPECT_GT(progressMidway, 100) << "the queue's lines move the bar";
    EXPECT_LT(progressMidway, CMonitor::kTransferEnd);
    EXPECT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    EXPECT_EQ(expected, sim.Received().substr(downloadMark));
    EXPECT_FALSE(Reported("nicht vollständig"));
}

TEST_F(FeatureTransferSim, ATransferGoesOnWhileCharactersMoveAndNamesTheBlockWhenTheDeviceFallsSilent)
{
    ConnectWith({});
    constexpr int kLines = 150;  // about three seconds of line on one step
    QueueBlock block(doc, kLines);
    CFeatureFrm frame(CFeatureFrm::Form::Edit);
    frame.SetStallLimit(1500);

    // Download: the first step lasts longer than the limit while its lines go out.
    size_t mark = sim.Received().size();
    frame.TransferAll(&block, 0, -1);
    std::string down;
    for (int n = 1; n <= kLines; ++n)
        down += QueueBlock::Key(n) + " " + QueueBlock::Value(n) + "\r\n";
    EXPECT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    EXPECT_EQ("/MACRO/LOCK ON\r\n" + down + "/MACRO/LOCK OFF\r\n", sim.Received().substr(mark));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();

    // Upload: every answer arrives, well after the block's last step began;
    // then the device says nothing more and the block's wait is cut off a
    // limit after the last character, with the block and its step named.
    QElapsedTimer took;
    took.start();
    frame.TransferAll(&block, 1, -1);
    const int64_t total = took.elapsed();
    EXPECT_EQ(static_cast<size_t>(kLines), block.answers.size());
    EXPECT_EQ(QueueBlock::Key(kLines).substr(1) + " " + QueueBlock::Value(kLines), block.answers.back());
    EXPECT_GE(block.lastAnswer.elapsed(), 1500) << "stopped before the device was silent for the limit";
    EXPECT_LT(block.lastAnswer.elapsed(), 4000) << "of " << total << " ms";
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_NE(messages.texts[0].find("Die Übertragung 'Testblock' ist nicht vollständig (Schritt 1 von 2)"),
              std::string::npos)
        << messages.texts[0];
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_TRUE(frame.GetSwitchBar()->isEnabled());
}

TEST_F(FeatureTransferSim, AHangUpDuringATransferSaysTheBlockDidNotFinish)
{
    ConnectWith({QStringLiteral("at 60 hangup")});
    ASSERT_LT(LinesReceived(), 50u) << "the connection itself reached the hang-up";
    QueueBlock block(doc, 150);
    CFeatureFrm frame(CFeatureFrm::Form::Edit);
    QElapsedTimer took;
    took.start();
    frame.TransferAll(&block, 0, -1);
    EXPECT_LT(took.elapsed(), 8000);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_NE(linkstate::Online, link.GetLinkState()) << "a dead line is not online";
    EXPECT_TRUE(Reported("Die Übertragung 'Testblock' ist nicht vollständig (Schritt 1 von 2): die Verbindung"));
    EXPECT_FALSE(frame.IsTransferring());
}

TEST_F(FeatureTransferSim, ASecondMacroTransferClickDuringADownloadStartsNothing)
{
    for (uint32_t type : {macrotype::Chime, macrotype::Stop}) {
        auto* macro = new CMacro;
        ASSERT_TRUE(macro->Create(type, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, &doc));
        doc.AddObject(macro, CAT_MACRO);
    }
    ConnectWith({});
    CMacroDlgFrm frame;
    frame.GetListView()->SelectRow(0);
    const size_t mark = sim.Received().size();
    bool clickedWhileRunning = false;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(300, &scope, [&] {
        clickedWhileRunning = frame.IsTransferring();
        frame.GetAction(macrocmd::Download)->trigger();
        frame.GetAction(macrocmd::Upload)->trigger();
        frame.GetListView()->TransferSelectedMacro(true);
    });
    frame.OnCommand(macrocmd::Download);
    ASSERT_TRUE(clickedWhileRunning) << "the download ended before the second click";
    ASSERT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    const std::string sent = sim.Received().substr(mark);
    EXPECT_EQ(1u, CountOf(sent, "/MACRO/LOCK ON\r\n")) << sent;
    EXPECT_EQ(1u, CountOf(sent, "/MACRO/LOCK OFF\r\n")) << sent;
    EXPECT_EQ(0u, CountOf(sent, " ?\r\n")) << "no upload ran inside the download: " << sent;
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
}

// Escape and the window's close button while the macros go down leave the
// window open (closing it would give the program back while the transfer
// still works on the document); once the transfer has ended, Escape closes it.
TEST_F(FeatureTransferSim, TheMacroWindowStaysOpenUntilItsTransferHasEnded)
{
    for (int n = 0; n < 3; ++n) {
        auto* macro = new CMacro;
        ASSERT_TRUE(macro->Create(macrotype::Chime, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0,
                                  9, &doc));
        doc.AddObject(macro, CAT_MACRO);
    }
    ConnectWith({});
    CObjectDlg dlg(&doc, CMacroDlgFrm::kWindowKind);
    dlg.show();
    auto* frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
    ASSERT_NE(nullptr, frame);
    bool closedWhileRunning = true;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(300, &scope, [&] {
        ASSERT_TRUE(frame->IsTransferring()) << "the download ended before Escape";
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &escape);
        dlg.close();
        closedWhileRunning = !dlg.isVisible();
    });
    frame->OnCommand(macrocmd::Download);
    EXPECT_FALSE(closedWhileRunning);
    EXPECT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    EXPECT_FALSE(frame->IsTransferring());
    EXPECT_TRUE(dlg.isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &escape);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(FeatureTransferSim, OneMacroGoesWithoutBarOrDifferenceFileAndADeviceFallenSilentEndsIt)
{
    for (uint32_t type : {macrotype::Chime, macrotype::Stop}) {
        auto* macro = new CMacro;
        ASSERT_TRUE(macro->Create(type, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, &doc));
        doc.AddObject(macro, CAT_MACRO);
    }
    // After the connection, the whole download and one macro's upload the device falls silent.
    ConnectWith({QStringLiteral("at 38 silent")});
    // What the last whole upload found.
    const QString errFile = QString::fromStdString(doc.GetErrFileName());
    {
        QFile f(errFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Makro 9 fehlt\r\n");
    }
    CMacroDlgFrm frame;
    frame.OnCommand(macrocmd::Download);  // the device holds the macros
    EXPECT_EQ("Makro 9 fehlt\r\n", ReadFile(errFile)) << "a download leaves the difference file alone";
    frame.GetListView()->SelectRow(0);
    const size_t mark = sim.Received().size();
    bool checked = false;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(30, &scope, [&] {
        checked = frame.IsTransferring();
        EXPECT_EQ(nullptr, frame.findChild<QProgressBar*>());
        frame.GetListView()->TransferSelectedMacro(true);
        frame.GetListView()->TransferSelectedMacro(false);
        frame.GetAction(macrocmd::Upload)->trigger();
    });
    frame.GetListView()->TransferSelectedMacro(true);
    ASSERT_TRUE(checked) << "the upload ended before the second request";
    const std::string up = sim.Received().substr(mark);
    EXPECT_EQ(1u, CountOf(up, "/MACRO/PROG1/TYPE ?")) << up;
    EXPECT_EQ(0u, CountOf(up, "/MACRO/PROG2")) << "only the selected macro: " << up;
    EXPECT_EQ(0u, CountOf(up, "/MACRO/LOCK ON")) << "no download started meanwhile";
    EXPECT_EQ(0u, CountOf(up, "/MACRO/CLEAR")) << "no whole upload started meanwhile";
    EXPECT_EQ("Makro 9 fehlt\r\n", ReadFile(errFile));
    EXPECT_TRUE(host.editorFiles.empty());
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // The device says nothing more: the next upload waits for the macro's
    // type in vain, and the window is given back a limit later, saying so.
    ASSERT_EQ(38u, LinesReceived()) << "the device falls silent after the first upload";
    frame.SetStallLimit(1500);
    QElapsedTimer took;
    took.start();
    frame.GetListView()->TransferSelectedMacro(true);
    EXPECT_GE(took.elapsed(), 1500);
    EXPECT_LT(took.elapsed(), 8000);
    EXPECT_TRUE(Reported("Die Übertragung 'Makroobjekt 1' ist nicht vollständig (Schritt 1 von 253): das Gerät hat 2 "
                         "Sekunden lang weder gelesen noch geantwortet."))
        << (messages.texts.empty() ? "" : messages.texts.front());
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
    EXPECT_EQ("Makro 9 fehlt\r\n", ReadFile(errFile));
}
