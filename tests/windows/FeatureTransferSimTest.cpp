// The feature windows' transfer loop over the real device link, against the
// device simulator at the line rate with its echo: a transfer goes on as long
// as characters move, ends when the device has been silent, says which block
// did not finish when it stops early, and never runs inside another.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <tuple>
#include <utility>

#include "audio/CInternalMessageRec.h"
#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMiscAudio.h"
#include "audio/CMonitor.h"
#include "audio/windows/AudioWindowIds.h"
#include "audio/windows/CMonitorDlgFrm.h"
#include "audio/windows/CMonitorDlgListView.h"
#include "audio/windows/CPilotFrm.h"
#include "audio/windows/CPilotView.h"
#include "audio/windows/CPowerFrm.h"
#include "audio/windows/CPowerView.h"
#include "audio/windows/CRecorderFrm.h"
#include "audio/windows/CRecorderView.h"
#include "audio/windows/CVolumeFrm.h"
#include "audio/windows/CVolumeView.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CClkFrm.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CHolidayDlgFrm.h"
#include "calendar/CDayprog.h"
#include "calendar/windows/CWeekDlgFrm.h"
#include "hardware/windows/CRemoteAmpDlg.h"
#include "hardware/windows/CSpareAmpFrm.h"
#include "comm/CommIds.h"
#include "comm/CommStrings.h"
#include "comm/CommTestSupport.h"
#include "comm/windows/CCommWindowsHost.h"
#include "comm/windows/CErrFileView.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAmplifier.h"
#include "hardware/CSpareAmp.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "logic/CAnalogCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/CGlobalReadyInput.h"
#include "logic/CLogicOut.h"
#include "logic/CReadyInput.h"
#include "logic/CTrigger.h"
#include "logic/CVirtCtrlItem.h"
#include "logic/windows/CObjectFrm.h"
#include "logic/windows/LogicWindowIds.h"
#include "logic/windows/LogicWindows.h"
#include "logic/windows/VirtCtrlIds.h"
#include "platform/FileWriter.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroDlgListView.h"
#include "model/CIDManager.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsoleFrame.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "paging/windows/CKeyView.h"
#include "paging/windows/CPPCons1.h"
#include "paging/windows/CPPCons2.h"
#include "platform/StringTable.h"
#include "service/CEventLog.h"
#include "service/CFault.h"
#include "service/CFuse.h"
#include "service/windows/CEventLogFrm.h"
#include "support/EnglishTexts.h"
#include "support/LargestProject.h"
#include "support/qt/TypeAsKeyboard.h"
#include "support/ZoneTestSupport.h"
#include "service/windows/CEventLogView.h"
#include "service/windows/CFaultDlgFrm.h"
#include "service/windows/CFaultDlgView.h"
#include "service/windows/CHardwareDlgFrm.h"
#include "service/windows/CHardwareDlgTreeView.h"
#include "service/windows/CServiceDlg.h"
#include "hardware/CInternalSlot.h"
#include <QLineEdit>
#include <QTableWidget>
#include "service/windows/CZonetestFrm.h"
#include "service/windows/CFuseFrm.h"
#include "service/windows/CFuseView.h"
#include "ui/CFeatureFrm.h"
#include "ui/CObjectDlg.h"
#include "ui/CValueEdit.h"
#include "ui/UiIds.h"

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

// No mouse button held, as the user's hand leaves it: a window that an
// earlier test's double click opened may have taken the button's release,
// and the window system then counts it as still held (no hover, no click).
void LetGoOfTheMouse(QWindow* window, QPoint harmless)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (QGuiApplication::mouseButtons() & button)
            QTest::mouseRelease(window, button, {}, harmless);
}

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

// The step an early end names is the one the device had got to, not the one
// the program had queued for the line.
TEST_F(FeatureTransferSim, AHangUpDuringATransferSaysHowFarTheBlockWent)
{
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
        EXPECT_TRUE(Reported("Die Übertragung 'Testblock' ist nicht vollständig (Schritt 0 von 2): die Verbindung"))
            << messages.texts.front();
        EXPECT_FALSE(frame.IsTransferring());
    }
    // The largest project's macros: the device hangs up within them.
    largest::Build(doc);
    doc.SetPathName(dir.filePath(QStringLiteral("Transfer.qlx")).toStdString());
    sim.Stop();  // the device that hung up
    ASSERT_NO_FATAL_FAILURE(ConnectWith({QStringLiteral("at 700 hangup")}));
    CMacroDlgFrm frame;
    const size_t mark = sim.Received().size();
    frame.OnCommand(macrocmd::Download);
    EXPECT_FALSE(link.IsConnected());
    int reached = -1;
    const std::string said = "Die Übertragung 'Makro downloaden' ist nicht vollständig (Schritt ";
    for (const std::string& text : messages.texts)
        if (text.compare(0, said.size(), said) == 0 && text.find(" von 253): die Verbindung") != std::string::npos)
            reached = std::atoi(text.c_str() + said.size());
    ASSERT_NE(-1, reached) << testing::PrintToString(messages.texts);
    // The last macro the device heard of, and the step after it.
    std::string down = sim.Received().substr(mark);
    down.erase(down.rfind("\r\n"));  // whole lines only
    const size_t last = down.rfind("/MACRO/PROG");
    ASSERT_NE(std::string::npos, last);
    const int heard = std::atoi(down.c_str() + last + 11);
    int next = heard + 1;
    while (next < 251 && !doc.GetIDManager().GetBaseDevice(next, OT_MACRO))
        ++next;
    EXPECT_GE(reached, heard) << down.substr(last);
    EXPECT_LE(reached, next) << "counted what was still waiting for the line";
}

// The line died before the transfer began: the transfer stops at once and
// says it needs the connection, instead of waiting the stall limit for a
// device nothing reaches.
TEST_F(FeatureTransferSim, ATransferAfterTheLineDiedSaysSoAtOnce)
{
    // The connection takes 21 lines; the device hangs up on the next.
    ConnectWith({QStringLiteral("at 22 hangup")});
    ASSERT_TRUE(link.IsConnected());
    link.SendLine("/SERVICE/VER ?", nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !link.IsConnected(); }, kArrivalMs));
    QueueBlock block(doc, 150);
    CFeatureFrm frame(CFeatureFrm::Form::Edit);
    for (int mode : {1, 0}) {
        messages.texts.clear();
        QElapsedTimer took;
        took.start();
        frame.TransferAll(&block, mode, -1);
        EXPECT_LT(took.elapsed(), 2000) << "mode " << mode;
        EXPECT_EQ(messages.texts, (std::vector<std::string> {"Nur im Online Modus möglich!"}));
        EXPECT_FALSE(frame.IsTransferring());
    }
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

TEST_F(FeatureTransferSim, OneMacroGoesWithoutBarLeavingTheDifferenceFileAndADeviceFallenSilentEndsIt)
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
    // One macro's upload neither starts the file anew nor shows it; it found no difference.
    EXPECT_EQ("Makro 9 fehlt\r\n", ReadFile(errFile)) << "the last whole upload's differences are gone";
    EXPECT_TRUE(host.editorFiles.empty()) << "one macro's upload showed the difference file";
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
    // Named as the entry it is, with its own one step.
    EXPECT_EQ(messages.texts, std::vector<std::string> {"Die Übertragung 'Makro 1' ist nicht vollständig (Schritt 0 von 1): "
                                                        "das Gerät hat 2 Sekunden lang weder gelesen noch geantwortet.\n"
                                                        "Der Rest des Eintrags wurde nicht gesendet."});
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_TRUE(frame.GetCommandBar()->isEnabled());
    EXPECT_EQ("Makro 9 fehlt\r\n", ReadFile(errFile));
}

// The service bar's windows, each opened from the bar of each other one while
// connected (the window before it still polling), and the volumes window
// opened from each of them: each shows what the device answers, not what the
// project held, and the project takes the device's values through the
// window. Before each opening the project is put off the device again, so
// that each opening has to show the device's answer anew.
TEST_F(FeatureTransferSim, EveryServiceWindowShowsTheDevicesAnswersWhenOpenedFromAnyOther)
{
    QStringList device = {QStringLiteral("set /AUDIO/CHIME_VOL -12.0"), QStringLiteral("set /AUDIO/IN1/VOL -33.0"),
                          QStringLiteral("set /RECORDER/INPUT 3"), QStringLiteral("set /PILOT/GEN ON"),
                          QStringLiteral("set /POWER/STATE ON"), QStringLiteral("set /FUSE/SLOT1/A/BLOWN YES")};
    // Events keep coming while the windows ask.
    for (int n = 1; n <= 400; ++n)
        device << QStringLiteral("at %1 event Ereignis_%1").arg(n * 10);
    ConnectWith(device);
    auto* card = dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().GetBaseDevice(1, OT_AUDIO_INPUT_SLOT));
    auto* levels = dynamic_cast<CMiscAudio*>(doc.GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
    auto* recorder = dynamic_cast<CInternalMessageRec*>(doc.GetIDManager().GetBaseDevice(1, OT_INTERNAL_MESSAGE_REC));
    auto* pilot = dynamic_cast<CInternalPilottoneGen*>(doc.GetIDManager().GetBaseDevice(1, OT_INTERNAL_PILOTTONE_GEN));
    ASSERT_TRUE(card && levels && recorder && pilot);
    const std::string in2 = card->GetValueText(0, 1);

    struct Window {
        int kind;
        const char* name;
        std::function<void()> offDevice;                 // the project away from the device
        std::function<bool(QWidget* frame)> showsDevice;  // the window shows the device's answer
    };
    const Window volumes = {26, "volumes",
                            [&] {
                                card->SetValueText(0, 0, "0.0");
                                levels->SetValue(1, "0.0");
                            },
                            [&](QWidget* f) {
                                const CVolumeView* v = qobject_cast<CVolumeFrm*>(f)->GetView();
                                // The device holds no level of input 2: its
                                // "?" leaves the project's level.
                                return v->m_fields[CVolumeView::Chime]->text() == QLatin1String("-12.0") &&
                                       v->m_fields[CVolumeView::In1]->text() == QLatin1String("-33.0") &&
                                       v->m_fields[CVolumeView::In2]->text().toStdString() == card->GetValueText(0, 1);
                            }};
    const std::vector<Window> windows = {
        {27, "event log", [] {},
         [](QWidget* f) { return !qobject_cast<CEventLogFrm*>(f)->GetView()->GetEntryList()->toPlainText().isEmpty(); }},
        {21, "fuses", [] {}, [](QWidget* f) { return qobject_cast<CFuseFrm*>(f)->GetView()->GetTrippedText(0)->isEnabled(); }},
        {24, "power", [] {}, [](QWidget* f) { return qobject_cast<CPowerFrm*>(f)->GetView()->m_on->isChecked(); }},
        {22, "recorder", [&] { recorder->SetInt(recorderkey::Input, 1); },
         [](QWidget* f) { return qobject_cast<CRecorderFrm*>(f)->GetView()->m_input->currentIndex() == 2; }},
        {23, "pilot tone", [&] { pilot->SetValue(pilotkey::On, 0); },
         [](QWidget* f) { return qobject_cast<CPilotFrm*>(f)->GetView()->m_on->isChecked(); }},
        {28, "zone test", [] {}, {}},  // asks nothing when it opens
    };

    auto expectShows = [](CObjectDlg& dlg, const Window& w, const char* after) {
        ASSERT_EQ(w.kind, dlg.GetShownKind()) << w.name << " after the " << after;
        if (w.showsDevice)
            EXPECT_TRUE(PumpUntil([&] { return w.showsDevice(dlg.m_pFrame); }, kArrivalMs))
                << w.name << " opened after the " << after << " does not show what the device answered";
    };
    auto open = [&](CObjectDlg& dlg, const Window& to, const char* from) {
        to.offDevice();
        auto* frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
        ASSERT_NE(nullptr, frame);
        QWidget* button = frame->GetSwitchBar()->widgetForAction(frame->GetAction(CObjectDlg::SwitchCommand(to.kind)));
        ASSERT_NE(nullptr, button) << to.name << " from the " << from;
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(PumpUntil([&] { return dlg.GetShownKind() == to.kind; }, kArrivalMs)) << to.name;
        expectShows(dlg, to, from);
    };

    // Every way from one service window to another once: an Euler circuit
    // of the ways between them.
    const int count = static_cast<int>(windows.size());
    std::vector<std::vector<bool>> gone(count, std::vector<bool>(count, false));
    std::vector<int> circuit;
    std::function<void(int)> walk = [&](int a) {
        for (int b = 0; b < count; ++b)
            if (b != a && !gone[a][b]) {
                gone[a][b] = true;
                walk(b);
            }
        circuit.push_back(a);
    };
    walk(0);
    ASSERT_EQ(static_cast<size_t>(count * (count - 1) + 1), circuit.size());
    {
        CObjectDlg dlg(&doc, windows[circuit.front()].kind);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        expectShows(dlg, windows[circuit.front()], "designer");
        for (size_t i = 1; i < circuit.size() && !HasFatalFailure(); ++i)
            open(dlg, windows[circuit[i]], windows[circuit[i - 1]].name);
    }
    // The volumes window has the edit windows' bar: it is opened from each
    // service window in a window of its own.
    for (const Window& from : windows) {
        CObjectDlg dlg(&doc, from.kind);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        expectShows(dlg, from, "designer");
        open(dlg, volumes, from.name);
    }
    // The project holds what the device and the windows showed.
    EXPECT_EQ("-33.0", card->GetValueText(0, 0));
    EXPECT_EQ(in2, card->GetValueText(0, 1));
    EXPECT_EQ("-12.0", levels->GetValue(1));
    EXPECT_EQ(3, recorder->GetInt(recorderkey::Input));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

// An upload in a feature window whose project differs from the device shows
// the difference file over the window (its host modal, as the program runs
// it): the difference window can be used and closed at once, and the feature
// window stays open beneath it.
TEST_F(FeatureTransferSim, TheDifferenceWindowOverAFeatureWindowClosesWithItsButton)
{
    auto block = [this](auto* made, uint32_t type, uint32_t kind) {
        if (doc.GetIDManager().GetBaseDevice(1, type)) {
            delete made;
            return;
        }
        ASSERT_EQ(1, made->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_AUDIO, 0, 3, &doc));
        doc.AddObject(made, CAT_AUDIO);
    };
    block(new CConditionObject, OT_CONDITION_OBJECT, CConditionObject::kKindId);
    block(new CGlobalReadyInput, OT_GLOBAL_READY_INPUT, CGlobalReadyInput::kKindId);
    // What the device (as delivered) does not hold.
    auto* analog = new CAnalogCondition;
    ASSERT_EQ(1, analog->Create(CAnalogCondition::kKindId, "Pegel", 2, CAT_DIGITAL_IO, &doc));
    doc.AddObject(analog, CAT_DIGITAL_IO);
    analog->SetLimit(2, 4.5f);
    auto* ready = new CReadyInput;
    ASSERT_EQ(1, ready->Create(CReadyInput::kKindId, "Bereit", 3, CAT_DIGITAL_IO, &doc));
    doc.AddObject(ready, CAT_DIGITAL_IO);
    ready->SetValue(CReadyInput::Level, 1);
    // The device holds both with an input the project does not have.
    ConnectWith({QStringLiteral("set /CONDITION/ANALOG2/LMZ775 7"), QStringLiteral("set /CONDITION/ANALOG2/MAX 4.5"),
                 QStringLiteral("set /READYINP/ENTRY3/FUNCTION LMZ775"), QStringLiteral("set /READYINP/ENTRY3/INDEX 40"),
                 QStringLiteral("set /READYINP/ENTRY3/LEVEL ON")});
    CCommWindowsHost windows(nullptr, &link);
    link.SetHost(&windows);
    struct HostBack {
        CCommLink& link;
        ICommLinkHost* host;
        ~HostBack() { link.SetHost(host); }
    } back{link, &host};
    const struct {
        int kind;
        unsigned upload;
    } cases[] = {{kAnalogWindow, logicwin::UploadAnalog}, {kReadyInputWindow, logicwin::UploadReady}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        CObjectDlg dlg(&doc, c.kind);
        dlg.setWindowModality(Qt::ApplicationModal);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        auto* frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
        ASSERT_NE(nullptr, frame);
        QWidget* upload = frame->GetCommandBar()->widgetForAction(frame->GetAction(c.upload));
        ASSERT_NE(nullptr, upload);
        QTest::mouseClick(upload, Qt::LeftButton);  // returns once the upload has ended
        QPointer<CErrFileView> view = windows.OwnFileView();
        ASSERT_NE(nullptr, view.data()) << "no differences shown";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        EXPECT_FALSE(view->Text().isEmpty());
        QAbstractButton* close = view->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
        ASSERT_NE(nullptr, close);
        // Clicked as the window system hands the click over, where a window
        // blocked by a modal one takes none.
        LetGoOfTheMouse(view->windowHandle(), QPoint(2, 2));
        QTest::mouseClick(view->windowHandle(), Qt::LeftButton, Qt::NoModifier, close->mapTo(view, close->rect().center()));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(view.isNull() || !view->isVisible()) << "the difference window does not close";
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(linkstate::Online, link.GetLinkState());
    }
    // Left open, the window follows its file: the next upload, which finds no
    // difference, leaves it showing none of the earlier lines. One that
    // cannot start the file anew (a folder in its place, the file read-only)
    // says so and closes the window: its lines are the earlier upload's.
    const QString err = QString::fromStdString(doc.GetErrFileName());
    enum class Next { Rewritten, FolderInItsPlace, ReadOnly };
    for (const Next next : {Next::Rewritten, Next::FolderInItsPlace, Next::ReadOnly}) {
        SCOPED_TRACE(static_cast<int>(next));
        CObjectDlg analogWindow(&doc, kAnalogWindow);
        CObjectDlg combine(&doc, kCombineWindow);
        for (CObjectDlg* dlg : {&analogWindow, &combine}) {
            dlg->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
            auto* frame = qobject_cast<CFeatureFrm*>(dlg->m_pFrame.data());
            ASSERT_NE(nullptr, frame);
            if (dlg == &combine && next == Next::FolderInItsPlace)
                ASSERT_TRUE(QFile::remove(err) && QDir().mkdir(err));
            if (dlg == &combine && next == Next::ReadOnly)
                ASSERT_TRUE(QFile::setPermissions(err, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            messages.texts.clear();
            LetGoOfTheMouse(dlg->windowHandle(), QPoint(2, 2));
            const unsigned upload = dlg == &analogWindow ? logicwin::UploadAnalog : logicwin::UploadCombine;
            QTest::mouseClick(frame->GetCommandBar()->widgetForAction(frame->GetAction(upload)), Qt::LeftButton);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QPointer<CErrFileView> view = windows.OwnFileView();
        if (next == Next::Rewritten) {
            ASSERT_NE(nullptr, view.data());
            EXPECT_EQ(QFileInfo(view->Path()).size(), 0) << "the combined conditions' upload found a difference";
            EXPECT_EQ(view->Text(), QString()) << "the window still shows the earlier upload's differences";
            continue;
        }
        EXPECT_TRUE(view.isNull() || !view->isVisible()) << "the window still shows the earlier upload's differences";
        EXPECT_TRUE(Reported(QDir::toNativeSeparators(err).toStdString())) << testing::PrintToString(messages.texts);
        ASSERT_TRUE(next != Next::FolderInItsPlace || QDir(err).removeRecursively());
        ASSERT_TRUE(next != Next::ReadOnly || QFile::setPermissions(err, QFile::ReadOwner | QFile::WriteOwner));
    }
}

// The largest project's macros going down at the line rate in the window as
// the user sees it, looked at every 1.5 s: the status bar shows the bar over
// its first pane from the first step, the bar grows, and the window's
// "Abbrechen" stops the transfer where it stands.
TEST_F(FeatureTransferSim, TheMacroWindowsBarGrowsWhileItsMacrosGoDownAndAbbrechenStopsThem)
{
    largest::Build(doc);
    doc.SetPathName(dir.filePath(QStringLiteral("Transfer.qlx")).toStdString());
    ConnectWith({});
    CObjectDlg dlg(&doc, CMacroDlgFrm::kWindowKind);
    dlg.setWindowModality(Qt::ApplicationModal);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
    ASSERT_NE(nullptr, frame);
    QWidget* download = frame->GetCommandBar()->widgetForAction(frame->GetAction(macrocmd::Download));
    ASSERT_NE(nullptr, download);
    const QPoint at = download->mapTo(&dlg, download->rect().center());
    // The user's pointer comes to rest on the button.
    LetGoOfTheMouse(dlg.windowHandle(), frame->statusBar()->mapTo(&dlg, QPoint(2, 2)));
    QTest::mouseMove(dlg.windowHandle(), at - QPoint(0, download->height()));
    QTest::mouseMove(dlg.windowHandle(), at);
    QApplication::processEvents();
    ASSERT_FALSE(frame->statusBar()->currentMessage().isEmpty()) << "the button's prompt shows";

    struct Look {
        bool barShown = false;
        int value = -1;
        bool cancelShown = false;
    };
    std::vector<Look> looks;
    int shot = 0;
    const size_t mark = sim.Received().size();
    QObject scope;  // the timer dies with the locals it writes
    QTimer look;
    look.setInterval(1500);
    QObject::connect(&look, &QTimer::timeout, &scope, [&] {
        const QImage image = dlg.grab().toImage();
        image.save(QStringLiteral("macro-download-%1.png").arg(++shot));
        Look l;
        auto* bar = frame->findChild<QProgressBar*>(QStringLiteral("1"));
        auto* cancel = frame->findChild<QPushButton*>(QStringLiteral("CancelTransfer"));
        l.barShown = bar && bar->isVisibleTo(&dlg) && !bar->visibleRegion().isEmpty();
        l.value = bar ? bar->value() : -1;
        l.cancelShown = cancel && cancel->isVisibleTo(&dlg) && cancel->isEnabled();
        looks.push_back(l);
        if (looks.size() == 4 && l.cancelShown)  // the user has seen enough
            QTest::mouseClick(dlg.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              cancel->mapTo(&dlg, cancel->rect().center()));
    });
    look.start();
    QTest::mouseClick(dlg.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);  // returns when the transfer ends
    look.stop();
    ASSERT_GE(looks.size(), 4u) << "the download ended before the user could look";
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(looks[i].barShown) << "look " << i + 1;
        EXPECT_TRUE(looks[i].cancelShown) << "look " << i + 1;
        if (i > 0)
            EXPECT_GT(looks[i].value, looks[i - 1].value) << "look " << i + 1;
    }
    EXPECT_TRUE(Reported("Die Übertragung 'Makro downloaden' ist nicht vollständig")) << messages.texts.size();
    EXPECT_TRUE(Reported("sie wurde abgebrochen"));
    EXPECT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    const std::string down = sim.Received().substr(mark);
    EXPECT_EQ(std::string::npos, down.find("/MACRO/PROG250/")) << "the last macros went down all the same";
    EXPECT_FALSE(frame->IsTransferring());
    EXPECT_TRUE(frame->GetCommandBar()->isEnabled());
}

namespace {
constexpr int kConnectLines = 21;  // the device reads them while the program connects

// The window of `kind` shown in its host, as the user has it, and a click on
// a button of its command bar (returning when what it started has ended).
std::unique_ptr<CObjectDlg> OpenWindow(CQuillomerDoc& doc, int kind)
{
    auto dlg = std::make_unique<CObjectDlg>(&doc, kind);
    dlg->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    return dlg;
}
CFeatureFrm* FrameOf(const CObjectDlg& dlg) { return qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data()); }
// The feature windows' own upload commands (the first: the power management's).
const unsigned kUploadCommands[] = {33172, 32944, 33170, 34612, 34501, 33173, 32950, 34611, 32981, 32937, 33125,
                                    33131, 33134, 32926, 33122, 33149, 32970, 33128, 33140, 33137, 33151, 32917};
void ClickCommand(CFeatureFrm* frame, unsigned command)
{
    // On the window's own bar, or the switch bar it shares with its group.
    QWidget* button = frame->GetCommandBar() ? frame->GetCommandBar()->widgetForAction(frame->GetAction(command)) : nullptr;
    if (!button)
        button = frame->GetSwitchBar()->widgetForAction(frame->GetAction(command));
    ASSERT_NE(nullptr, button) << command;
    QTest::mouseClick(button, Qt::LeftButton);
}
// The user's right click on the first row of the window's first list that
// has one, and the entry `text` of its menu chosen with the keyboard.
void ChooseFromListMenu(CFeatureFrm* frame, const QString& text)
{
    QTreeWidget* list = nullptr;
    for (QTreeWidget* l : frame->findChildren<QTreeWidget*>())
        if (!list && l->topLevelItemCount() > 0)
            list = l;
    ASSERT_NE(nullptr, list);
    bool chosen = false;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(0, &scope, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            if (a->text() == text && a->isEnabled())
                menu->setActiveAction(a), chosen = true;
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    const QPoint point = list->visualItemRect(list->topLevelItem(0)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, point, list->viewport()->mapToGlobal(point));
    QApplication::sendEvent(list->viewport(), &click);
    EXPECT_TRUE(chosen) << text.toStdString();
}
template <class T>
T* AddNumbered(CQuillomerDoc& doc, int n, int key, int value)
{
    auto* o = new T;
    EXPECT_EQ(1, o->Create(T::kKindId, StrFormat("obj %d", n), n, CAT_DIGITAL_IO, &doc));
    doc.AddObject(o, CAT_DIGITAL_IO);
    o->SetValue(key, value);
    return o;
}
CMonitor* MonitorOf(CQuillomerDoc& doc) { return dynamic_cast<CMonitor*>(doc.GetIDManager().GetBaseDevice(1, OT_MONITOR)); }

// Zones fed by a remote-capable amplifier: the rows of the line-test window.
void AddTestedZones(CQuillomerDoc& doc, int zones)
{
    const CRelaisTopology::DialogFn previous = CRelaisTopology::SetDialog(nullptr);
    AddOneInN(doc, zones);
    CRelaisTopology::SetDialog(previous);
}

// A window's transfer whose device stops reading after `read` of its lines
// (-1: it reads all), or knows nothing it is asked, or that the user stops
// with "Abbrechen" once the bar stands at `cancelAt` (0: at its end). Before
// it the device may have read nothing of `unreadBefore` lines and then read
// on.
struct StopRow {
    const char* name;
    int kind;
    unsigned command;
    int read;
    QStringList device;
    const char* reason;  // how the message ends (in English when `english`); none: nothing is said
    bool english;
    std::function<void(CQuillomerDoc&, bool after)> project;  // before the transfer, then what it kept
    int cancelAt = -1;
    int unreadBefore = 0;
    // The disk is full once connected: the files the transfer writes are not
    // written, and the user reads each message about it for a while.
    bool diskFull = false;
    // Then the line is lost and a device that reads everything is connected:
    // the window, opened again, runs this command whole and says nothing.
    unsigned then = 0;
    unsigned listMenu = 0;  // the entry of the first list row's context menu chosen instead of the bar
    // The lines the device does not understand ("PATH ? "): the transfer
    // ends all the same and says so, `reason` how it ends.
    int refused = 0;
    int step = -1;  // the step the device got to, as the message names it (-1: not looked at)
    // A download whose device stopped reading: nothing is sent after it, the
    // message says the macro lock stays, and the disconnect does not save
    // the configuration without the user's word.
    bool lockStays = false;
    const char* named = nullptr;  // the transfer's name in the message (none: the command's)
    // What the user does in the window instead of a command (with `after`
    // set: what the window shows once it has ended).
    std::function<void(CFeatureFrm*, bool after)> byHand;
    // A download whose device read every line of it and then stopped, before
    // the release of the macro lock: the release went, the message says it
    // was not read (and nothing of a save, which a window's download does not
    // send), and the disconnect does not save without the user's word.
    bool lockUnread = false;
    // The device holds XOFF: the window waits for it as the whole download
    // does, and the transfer goes whole, the device reading `lastLine` last.
    // Held longer than `stallLimitMs` (the window's limit, when set), the
    // transfer stops there and nothing more reaches the device once the user
    // has been told, not even when the device lets go of the line.
    const char* lastLine = nullptr;
    int stallLimitMs = 0;
    bool nothingAfterTheWord = false;
    bool fullSpeed = false;  // the device reads and sends as fast as the line lets it, not at 19200 baud
};
void PrintTo(const StopRow& row, std::ostream* os) { *os << row.name; }
class FeatureTransferStops : public FeatureTransferSim, public ::testing::WithParamInterface<StopRow> {};

// The slave clock typed "6:3" and set with Enter once the window's last
// poll has been answered; then the field must show the clock as before.
void SetSlaveClock(CFeatureFrm* frame, bool after)
{
    auto* field = frame->findChild<QLineEdit*>(QStringLiteral("1009"));
    ASSERT_NE(nullptr, field);
    if (after) {
        EXPECT_EQ("", field->text().toStdString()) << "shows a time the device never took";
        return;
    }
    ASSERT_TRUE(serialtest::PumpUntil([] { return GetCommLink()->GetLinkIdleTime() > 300; }, 5000));
    QTest::mouseClick(field, Qt::LeftButton);
    TypeAsKeyboard(field, QStringLiteral("6:3"));
    QTest::keyClick(field, Qt::Key_Return);
}

// Macros and conditions enough for a download that is held in its middle.
void AddSequences(CQuillomerDoc& doc, bool after)
{
    for (int n = 1; n <= 30 && !after; ++n) {
        auto* macro = new CMacro;
        EXPECT_EQ(1, macro->Create(macrotype::Sequence, StrFormat("M%d", n), n, CAT_MACRO, &doc));
        doc.AddObject(macro, CAT_MACRO);
    }
}
void AddConditions(CQuillomerDoc& doc, bool after)
{
    for (int n = 1; n <= 120 && !after; ++n)
        AddNumbered<CCondition>(doc, n, condkey::Level, 1);
}

const char* const kNoAnswer = "keine Antwort vom Gerät.";
const QStringList kTwentyReadyInputs = [] {
    QStringList device;
    for (int n = 1; n <= 20; ++n)
        device << QStringLiteral("set /READYINP/ENTRY%1/FUNCTION LMZ775").arg(n);
    return device;
}();
const StopRow kStopRows[] = {
    {"Triggers", kTriggerWindow, logicwin::UploadTriggers, 1, {QStringLiteral("set /TRIGGER/ENTRY4/CONDITION 7")}, kNoAnswer,
     false,
     [](CQuillomerDoc& doc, bool after) {
         if (!after) {
             AddNumbered<CTrigger>(doc, 1, triggerkey::Condition, 2), AddNumbered<CTrigger>(doc, 4, triggerkey::Condition, 2);
             return;
         }
         EXPECT_EQ(nullptr, doc.GetIDManager().GetBaseDevice(1, OT_TRIGGER)) << "the device said 1 is free";
         auto* kept = dynamic_cast<CTrigger*>(doc.GetIDManager().GetBaseDevice(4, OT_TRIGGER));
         EXPECT_TRUE(kept && kept->GetValue(triggerkey::Condition) == 2) << "no answer replaced it";
     }},
    {"TriggerDownload", kTriggerWindow, logicwin::DownloadTriggers, 12, {},
     "the device stopped reading the lines sent (no echo)", true,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 20 && !after; ++n)
             AddNumbered<CTrigger>(doc, n, triggerkey::Condition, 2);
     },
     -1, 0, false, 0, 0, 0, -1, true},
    // A device fallen silent before a download shorter than the wait for an
    // echo: the download ends only with the echo of its last line, which
    // never comes; the window's and one entry's alike.
    {"TriggersThenNotTheLockRelease", kTriggerWindow, logicwin::DownloadTriggers, 18, {},
     "(kein Echo).\nAlle Zeilen wurden gesendet; die nach diesem Schritt hat das Gerät nicht gelesen.", false,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 4 && !after; ++n)
             AddNumbered<CTrigger>(doc, n, triggerkey::Condition, 2);
     },
     -1, 0, false, 0, 0, 0, -1, false, nullptr, {}, true},
    {"TriggersIntoASilentDevice", kTriggerWindow, logicwin::DownloadTriggers, 0, {},
     "(kein Echo).\nAlle Zeilen wurden gesendet; die nach diesem Schritt hat das Gerät nicht gelesen.", false,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 4 && !after; ++n)
             AddNumbered<CTrigger>(doc, n, triggerkey::Condition, 2);
     },
     -1, 0, false, 0, 0, 0, 0, true},
    {"OneTriggerIntoASilentDevice", kTriggerWindow, logicwin::DownloadTriggers, 0, {},
     "(no echo).\nEvery line was sent; the device did not read those after this step.", true,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 4 && !after; ++n)
             AddNumbered<CTrigger>(doc, n, triggerkey::Condition, 2);
     },
     -1, 0, false, 0, ID_CAL_DOWNLOAD_ITEM, 0, 0, true, "obj 1"},
    // The device reads three controllers' lines, then no more: the step
    // named is the one after the third controller's (6 each), however far
    // the lines went.
    {"ControllersStopReadingAfterThree", CObjectFrm::kWindowKind, vcid::DownloadAll, 4 + 3 * 5, {},
     "(kein Echo).\n", false,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 10 && !after; ++n) {
             auto* c = new CVirtCtrlItem;
             EXPECT_EQ(1, c->Create(CVirtCtrlItem::kKindId, StrFormat("obj %d", n), n, CAT_DIGITAL_IO, &doc));
             doc.AddObject(c, CAT_DIGITAL_IO);
         }
     },
     -1, 0, false, 0, 0, 0, 19, true},
    // The device answers the free-list query of step 3 (steps 0 to 2 send
    // nothing), which leads to the plain conditions' first step, 154, and
    // then nothing more: it got that far, every query was sent.
    {"Conditions", kConditionWindow, logicwin::UploadConditions, 1, {QStringLiteral("set /CONDITION/ENTRY5/FUNCTION X")},
     "keine Antwort vom Gerät.\nAlle Abfragen wurden gesendet; die nach diesem Schritt hat das Gerät nicht beantwortet.",
     false, {}, -1, 0, false, 0, 0, 0, 154},
    // A device silent from the start got nowhere, though steps 0 to 2 sent nothing.
    {"ConditionsFromASilentDevice", kConditionWindow, logicwin::UploadConditions, 0, {},
     "keine Antwort vom Gerät.\nDie übrigen Einträge wurden nicht übertragen.", false, {}, -1, 0, false, 0, 0, 0, 0},
    // It refuses that query: it got to step 3, and nothing after it was sent.
    {"ConditionsUnknown", kConditionWindow, logicwin::UploadConditions, -1, {QStringLiteral("unknown /CONDITION")},
     "nicht verstanden.\nDie übrigen Einträge wurden nicht übertragen.", false, {}, -1, 0, false, 0, 0, 0, 3},
    // It answers that query with numbers beyond the table: the upload ends
    // there and names the answer, and the project keeps its conditions.
    {"ConditionsUnreadable", kConditionWindow, logicwin::UploadConditions, -1,
     {QStringLiteral("answer /CONDITION/CLEAR/ENTRY 1-2,4-999")},
     "die Antwort '/CONDITION/CLEAR/ENTRY 1-2,4-999' des Geräts ist nicht lesbar.\nDie übrigen Einträge wurden nicht "
     "übertragen.",
     false,
     [](CQuillomerDoc& doc, bool after) {
         if (!after) {
             AddNumbered<CCondition>(doc, 1, condkey::Level, 1), AddNumbered<CCondition>(doc, 3, condkey::Level, 1);
             return;
         }
         EXPECT_NE(nullptr, doc.GetIDManager().GetBaseDevice(1, OT_CONDITION)) << "deleted for an answer not read";
         EXPECT_EQ(nullptr, doc.GetIDManager().GetBaseDevice(5, OT_CONDITION)) << "made for an answer not read";
     },
     -1, 0, false, 0, 0, 0, 3},
    {"DayProgrammes", CDayprogDlgFrm::kWindowKind, ID_CAL_UPLOAD_DAYPROGS, 1, {QStringLiteral("set /CAL/DAYPROG2/NAME M")},
     kNoAnswer, false, {}},
    // A device whose table is empty takes them all from the project: the upload ends whole.
    {"DayProgrammesFromAnEmptyDevice", CDayprogDlgFrm::kWindowKind, ID_CAL_UPLOAD_DAYPROGS, -1, {}, nullptr, false,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 20 && !after; ++n) {
             auto* d = new CDayprog;
             EXPECT_EQ(1, d->Create(CDayprog::kKindId, StrFormat("obj %d", n), n, CAT_CALENDAR, &doc));
             doc.AddObject(d, CAT_CALENDAR);
         }
         if (after)
             EXPECT_TRUE(doc.GetList(CAT_CALENDAR).end() ==
                         std::find_if(doc.GetList(CAT_CALENDAR).begin(), doc.GetList(CAT_CALENDAR).end(),
                                      [](const CBaseDevice* o) { return o->GetType() == OT_DAYPROG; }));
     }},
    {"Fault", CFaultDlgFrm::kWindowKind, CFaultDlgFrm::kUpload, 2, {}, "no answer from the device.", true, {}},
    // Every query sent and refused: the upload ended, having read nothing.
    {"FaultUnknown", CFaultDlgFrm::kWindowKind, CFaultDlgFrm::kUpload, -1, {QStringLiteral("unknown /FAULT")},
     "zuerst '/FAULT/INCLUDE ?'. Diese Werte bleiben, wie das Projekt sie hält.", false, {}, -1, 0, false, 0, 0, 6},
    // A list of free day programmes beyond the table: not read, no day programme made or deleted.
    {"DayProgrammesUnreadable", CDayprogDlgFrm::kWindowKind, ID_CAL_UPLOAD_DAYPROGS, -1,
     {QStringLiteral("answer /CAL/CLEAR/DAYPROG 2-99")},
     "the device's answer '/CAL/CLEAR/DAYPROG 2-99' cannot be read.\nThe remaining entries were not transferred.", true,
     [](CQuillomerDoc& doc, bool after) {
         if (after) {
             EXPECT_NE(nullptr, doc.GetIDManager().GetBaseDevice(1, OT_DAYPROG)) << "deleted for an answer not read";
             EXPECT_EQ(nullptr, doc.GetIDManager().GetBaseDevice(20, OT_DAYPROG)) << "made for an answer not read";
             return;
         }
         auto* d = new CDayprog;
         EXPECT_EQ(1, d->Create(CDayprog::kKindId, "Morgens", 1, CAT_CALENDAR, &doc));
         doc.AddObject(d, CAT_CALENDAR);
     }},
    {"OneDayProgrammeUnknown", CDayprogDlgFrm::kWindowKind, ID_CAL_UPLOAD_DAYPROGS, -1,
     {QStringLiteral("unknown /CAL/DAYPROG1")}, "nicht verstanden", false,
     [](CQuillomerDoc& doc, bool after) {
         if (after)
             return;
         auto* d = new CDayprog;
         EXPECT_EQ(1, d->Create(CDayprog::kKindId, "Morgens", 1, CAT_CALENDAR, &doc));
         doc.AddObject(d, CAT_CALENDAR);
     },
     -1, 0, false, 0, ID_CAL_UPLOAD_ITEM, 201, -1, false, "Morgens"},
    {"WeekUnknown", CWeekDlgFrm::kWindowKind, ID_CAL_UPLOAD_WEEK, -1, {QStringLiteral("unknown /CAL/WEEK")},
     "first '/CAL/WEEK/MO ?'. These values stay as the project holds them.", true, {}, -1, 0, false, 0, 0, 7},
    {"Controllers", CObjectFrm::kWindowKind, vcid::UploadAll, 1, {QStringLiteral("set /VIRTCTRL/ENTRY3/MAX 5.0")}, kNoAnswer,
     false, {}},
    {"MonitorSilent", CMonitorDlgFrm::kWindowKind, audiowinid::MonitorUpload, 0, {QStringLiteral("set /MONI/TABLE4/SEL IN")},
     kNoAnswer, false,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 0; n < 3; ++n)
             if (after)
                 EXPECT_EQ("IN", MonitorOf(doc)->GetEntry(n).source) << n << ": no answer replaced it";
             else
                 MonitorOf(doc)->SetValue(monitorsource::AddEntry, monitorsource::Code(monitorsource::In, 1));
     }},
    {"MonitorAfterClears", CMonitorDlgFrm::kWindowKind, audiowinid::MonitorUpload, 2,
     {QStringLiteral("set /MONI/TABLE4/SEL IN")}, kNoAnswer, false, {}},
    // A key the device does not know keeps the project's value, and the user
    // is told which; the keys it knows are read.
    {"PilotToneOneKeyUnknown", CPilotFrm::kWindowKind, CPilotFrm::kUpload, -1,
     {QStringLiteral("unknown /PILOT/VOL4"), QStringLiteral("set /PILOT/FREQU 1000.0"), QStringLiteral("set /PILOT/VOL1 -150.0"),
      QStringLiteral("set /PILOT/VOL2 -150.0"), QStringLiteral("set /PILOT/VOL3 -20.0")},
     "zuerst '/PILOT/VOL4 ?'. Diese Werte bleiben, wie das Projekt sie hält.", false,
     [](CQuillomerDoc& doc, bool after) {
         auto* pilot = dynamic_cast<CInternalPilottoneGen*>(doc.GetIDManager().GetBaseDevice(1, OT_INTERNAL_PILOTTONE_GEN));
         if (after) {
             EXPECT_EQ(-90.0f, pilot->GetFloatValue(pilotkey::LevelKey(3))) << "the device's \"?\" replaced it";
             EXPECT_EQ(-20.0f, pilot->GetFloatValue(pilotkey::LevelKey(2))) << "the known key was not read";
         } else {
             pilot->SetFloatValue(pilotkey::LevelKey(3), -90.0f);
             pilot->SetFloatValue(pilotkey::LevelKey(2), -90.0f);
         }
     },
     -1, 0, false, 0, false, 1},
    // A download says the values the device did not take, named by the first.
    {"TriggerDownloadTwoKeysUnknown", kTriggerWindow, logicwin::DownloadTriggers, -1,
     {QStringLiteral("unknown /TRIGGER/ENTRY2/TIME"), QStringLiteral("unknown /TRIGGER/ENTRY4/TIME")},
     "first '/TRIGGER/ENTRY2/TIME 0.0 ?'. These values were not taken by the device.", true,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 5 && !after; ++n)
             AddNumbered<CTrigger>(doc, n, triggerkey::Condition, 2);
     },
     -1, 0, false, 0, false, 2},
    // The live windows' own blocks: the same words, the window's own command.
    {"Fuses", CFuseFrm::kWindowKind, CFuseFrm::kUpload, 2,
     {QStringLiteral("set /FUSE/SLOT1/A/VALUE 1"), QStringLiteral("set /FUSE/SLOT1/B/VALUE 1"),
      QStringLiteral("set /FUSE/AMP485/VALUE 1")},
     kNoAnswer, false,
     [](CQuillomerDoc& doc, bool after) {
         auto* fuse = dynamic_cast<CFuse*>(doc.GetIDManager().GetBaseDevice(1, OT_FUSE));
         if (after)
             EXPECT_EQ(2, fuse->m_steps[CFuse::Amp485]) << "no answer replaced it";
         else
             fuse->m_steps[CFuse::Amp485] = 2;
     }},
    {"PowerDownload", CPowerFrm::kWindowKind, CPowerFrm::kDownload, 3, {},
     "the device stopped reading the lines sent (no echo)", true, {}},
    {"PilotTone", CPilotFrm::kWindowKind, CPilotFrm::kUpload, 1, {QStringLiteral("set /PILOT/VOL4 -20.0")},
     "no answer from the device.", true,
     [](CQuillomerDoc& doc, bool after) {
         auto* pilot = dynamic_cast<CInternalPilottoneGen*>(doc.GetIDManager().GetBaseDevice(1, OT_INTERNAL_PILOTTONE_GEN));
         if (after)
             EXPECT_EQ(-90.0f, pilot->GetFloatValue(pilotkey::LevelKey(3))) << "no answer replaced it";
         else
             pilot->SetFloatValue(pilotkey::LevelKey(3), -90.0f);
     }},
    {"EventLogMasks", CEventLogFrm::kWindowKind, CEventLogFrm::kUpload, 2,
     {QStringLiteral("set /EVENT/LOG/MASK/ON DCF"), QStringLiteral("set /EVENT/LOG/MASK/VIRTCTRL/ON 4")}, kNoAnswer, false,
     [](CQuillomerDoc& doc, bool after) {
         auto* log = dynamic_cast<CEventLog*>(doc.GetIDManager().GetBaseDevice(1, OT_EVENT_LOG));
         if (after)
             EXPECT_EQ("1-3", log->GetValue(9)) << "no answer replaced it";
         else
             log->SetValue(9, "1-3");
     }},
    // The device refuses a mask sent ("PATH NONE ? "): the refusal is no
    // mask, the project keeps its own for the next download.
    {"EventLogMaskRefusedInADownload", CEventLogFrm::kWindowKind, CEventLogFrm::kDownload, -1,
     {QStringLiteral("unknown /EVENT/LOG/MASK/ON")},
     "first '/EVENT/LOG/MASK/ON NONE ?'. These values were not taken by the device.", true,
     [](CQuillomerDoc& doc, bool after) {
         auto* log = dynamic_cast<CEventLog*>(doc.GetIDManager().GetBaseDevice(1, OT_EVENT_LOG));
         ASSERT_NE(nullptr, log);
         if (after)
             EXPECT_EQ("NONE", log->GetValue(0)) << "the device's refusal became the mask";
         else
             log->SetValue(0, "NONE");
     },
     -1, 0, false, 0, 0, 1},
    {"LineData", CZonetestFrm::kWindowKind, CZonetestFrm::kUpload, 3, {}, kNoAnswer, false,
     [](CQuillomerDoc& doc, bool after) {
         if (!after)
             AddTestedZones(doc, 3);
     }},
    // "Anzeige aktualisieren" takes the zones' tolerances and test volumes
    // into the project: it reads them as an upload does.
    {"LineTestRefresh", CZonetestFrm::kWindowKind, CZonetestFrm::kRefresh, -1,
     {QStringLiteral("set /KVT/ZONE1/TEST/POSTOL abc"), QStringLiteral("set /KVT/ZONE2/TEST/NEGTOL 150"),
      QStringLiteral("set /KVT/ZONE3/TESTVOL -12,7"), QStringLiteral("set /KVT/ZONE3/TEST/POSTOL 25")},
     nullptr, false,
     [](CQuillomerDoc& doc, bool after) {
         if (!after) {
             AddTestedZones(doc, 3);
             return;
         }
         EXPECT_EQ("ERROR: /KVT/ZONE1/TEST/POSTOL >>abc<< should be >>0<<\r\n"
                   "ERROR: /KVT/ZONE2/TEST/NEGTOL >>150<< should be >>100<<\r\n"
                   "ERROR: /KVT/ZONE3/TESTVOL >>-12,7<< should be >>-20<<\r\n",
                   ReadFile(QString::fromStdString(doc.GetErrFileName())));
         auto* zone = dynamic_cast<CZone*>(doc.GetIDManager().GetBaseDevice(3, OT_ZONE));
         ASSERT_NE(nullptr, zone);
         EXPECT_EQ(25, zone->m_posTolerance) << "what the zone can hold, it takes";
         EXPECT_EQ(-20, zone->m_testVolume) << "kept, and named";
     },
     -1, 0, false, 0, 0, 0, -1, false, nullptr,
     [](CFeatureFrm* frame, bool after) {
         QAction* refresh = frame->GetAction(CZonetestFrm::kRefresh);
         if (after)
             return;
         ClickCommand(frame, CZonetestFrm::kRefresh);
         EXPECT_TRUE(serialtest::PumpUntil([&] { return refresh->isEnabled(); }, 20000)) << "the round never ended";
     }},
    // One zone of the line list chosen through its menu, from a device that
    // answers nothing: the zone is named, as one entry of any list is.
    {"OneZoneRowFromASilentDevice", CZonetestFrm::kWindowKind, CZonetestFrm::kUpload, 0, {}, kNoAnswer, false,
     [](CQuillomerDoc& doc, bool after) {
         if (!after)
             AddTestedZones(doc, 3);
     },
     -1, 0, false, 0, 0, 0, 0, false, "Linie 1",
     [](CFeatureFrm* frame, bool after) {
         auto* list = frame->findChild<QTreeWidget*>();
         ASSERT_TRUE(list && list->topLevelItemCount() > 0);
         if (after)
             return;
         // The user's click on the row chooses it, then its menu.
         QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
         ChooseFromListMenu(frame, QString::fromStdString(LoadStringId(ID_CAL_UPLOAD_ITEM)));
     }},
    // The step named is where the bar stood; once every line of a download
    // has gone "Abbrechen" stops nothing and nothing is said.
    {"LogicOutsCancelled", kLogicOutWindow, logicwin::DownloadLogicOuts, -1, {}, "sie wurde abgebrochen.", false,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 40 && !after; ++n)
             AddNumbered<CLogicOut>(doc, n, logicoutkey::Condition, 3);
     },
     20},
    {"ReadyInputsCancelled", kReadyInputWindow, logicwin::UploadReady, -1, kTwentyReadyInputs, "it was cancelled.", true, {},
     20},
    {"SparesCancelledAtTheEnd", CSpareAmpFrm::kWindowKind, CSpareAmpFrm::kDownload, -1, {}, nullptr, true,
     [](CQuillomerDoc& doc, bool after) {
         auto* spares = dynamic_cast<CSpareAmp*>(doc.GetIDManager().GetBaseDevice(1, OT_SPARE_AMP));
         for (int n = 0; n < CSpareAmp::kEntries && !after; ++n) {
             spares->SetEntry(n, "Reserve", true, OT_READY_INPUT, n + 1, 0);
             spares->SetWatch(0, n, OT_READY_INPUT, n + 10, 0);
         }
     },
     0},
    // One entry read back through its list's menu: what the project cannot
    // take as the device holds it is named in the difference file, as the
    // window's own upload names it; what it can take, it takes.
    {"OneMacroThroughItsMenu", CMacroDlgFrm::kWindowKind, macrocmd::Upload, -1,
     {QStringLiteral("set /MACRO/PROG3/TYPE BACKGND"), QStringLiteral("set /MACRO/PROG3/PARAM/ZONES 1-2,999"),
      QStringLiteral("set /MACRO/PROG3/PARAM/PRIO 7"), QStringLiteral("set /MACRO/PROG3/PARAM/SWITCH ON")},
     nullptr, false,
     [](CQuillomerDoc& doc, bool after) {
         if (!after) {
             auto* macro = new CMacro;
             ASSERT_EQ(1, macro->Create(macrotype::Background, "Makro 3", 3, CAT_MACRO, &doc));
             doc.AddObject(macro, CAT_MACRO);
             ASSERT_TRUE(macro->SetParamText(2, "4-6,9-12"));
             macro->SetParam(1, 2);
             return;
         }
         EXPECT_EQ("ERROR: /MACRO/PROG3/PARAM/ZONES >>1-2,999<< should be >>4-6,9-12<<\r\n",
                   ReadFile(QString::fromStdString(doc.GetErrFileName())));
         auto* macro = dynamic_cast<CMacro*>(doc.GetIDManager().GetBaseDevice(3, OT_MACRO));
         ASSERT_NE(nullptr, macro);
         EXPECT_EQ("4-6,9-12", macro->GetParamText(2)) << "kept, and named";
         EXPECT_EQ(7, macro->GetParam(1));
         EXPECT_EQ("ON", macro->GetParamText(3));
     },
     -1, 0, false, 0, ID_CAL_UPLOAD_ITEM},
    {"OneTriggerThroughItsMenu", kTriggerWindow, logicwin::UploadTriggers, -1,
     {QStringLiteral("set /TRIGGER/ENTRY2/CONDITION 4"), QStringLiteral("set /TRIGGER/ENTRY2/ON_MACRO 300")}, nullptr,
     false,
     [](CQuillomerDoc& doc, bool after) {
         if (!after) {
             AddNumbered<CTrigger>(doc, 2, triggerkey::Condition, 4)->SetValue(triggerkey::OnMacro, 10);
             return;
         }
         EXPECT_EQ("Trigger 2 : Makro 300 fehlt\r\n", ReadFile(QString::fromStdString(doc.GetErrFileName())));
         auto* trigger = dynamic_cast<CTrigger*>(doc.GetIDManager().GetBaseDevice(2, OT_TRIGGER));
         ASSERT_NE(nullptr, trigger);
         EXPECT_EQ(10, trigger->GetValue(triggerkey::OnMacro));
     },
     -1, 0, false, 0, ID_CAL_UPLOAD_ITEM},
    // Lines the device never read, more than an echo is looked for among,
    // do not make a later transfer that it reads whole look unread.
    {"SparesAfterLinesTheDeviceNeverRead", CSpareAmpFrm::kWindowKind, CSpareAmpFrm::kDownload, -1, {}, nullptr, false,
     {}, -1, 80},
    // What the window could not write is all that is said: the answers that
    // came while the user read it reach the project.
    {"TriggersOntoAFullDisk", kTriggerWindow, logicwin::UploadTriggers, -1,
     {QStringLiteral("set /TRIGGER/ENTRY3/CONDITION 300"), QStringLiteral("set /TRIGGER/ENTRY4/CONDITION 5"),
      QStringLiteral("set /TRIGGER/ENTRY4/TIME 4.5")},
     nullptr, false,
     [](CQuillomerDoc& doc, bool after) {
         auto* last = dynamic_cast<CTrigger*>(doc.GetIDManager().GetBaseDevice(4, OT_TRIGGER));
         EXPECT_TRUE(!after || (last && last->GetTime() == 4.5f)) << "the last answers were lost";
     },
     -1, 0, true},
    // A clock set into a device that reads nothing, or that refuses it (the
    // refusal follows the echo of the last line), is told as any download
    // is, and the field shows the clock as before, not the time typed.
    {"SlaveClockIntoASilentDevice", CClkFrm::kWindowKind, 0, 0, {},
     "(kein Echo).\nAlle Zeilen wurden gesendet; die nach diesem Schritt hat das Gerät nicht gelesen.", false, {},
     -1, 0, false, 0, 0, 0, 0, false, "Nebenuhren", SetSlaveClock},
    {"SlaveClockRefused", CClkFrm::kWindowKind, 0, -1, {QStringLiteral("unknown /CLOCK/SLAVE/TIME")},
     "zuerst '/CLOCK/SLAVE/TIME 06:03:00 ?'. Diese Werte hat das Gerät nicht übernommen.", false, {}, -1, 0, false, 0,
     0, 1, -1, false, "Nebenuhren", SetSlaveClock},
    {"MainClockIntoASilentDevice", CClkFrm::kWindowKind, 0, 0, {}, "(no echo).\nEvery line was sent;", true, {}, -1, 0,
     false, 0, 0, 0, 0, false, "QUILLOMER system time",
     [](CFeatureFrm* frame, bool after) {
         auto* time = frame->findChild<QLineEdit*>(QStringLiteral("1195"));
         auto* date = frame->findChild<QLineEdit*>(QStringLiteral("1007"));
         auto* set = frame->findChild<QPushButton*>(QStringLiteral("1267"));
         ASSERT_TRUE(time && date && set);
         if (after) {
             EXPECT_EQ("", (time->text() + date->text()).toStdString()) << "shows a clock the device never took";
             return;
         }
         QTest::mouseClick(set, Qt::LeftButton);
         QTest::mouseClick(time, Qt::LeftButton);
         TypeAsKeyboard(time, QStringLiteral("7:5"));
         QTest::mouseClick(date, Qt::LeftButton);
         TypeAsKeyboard(date, QStringLiteral("1.3.2026"));
         QTest::mouseClick(set, Qt::LeftButton);
     }},
    // The lines a device that stopped reading never echoed are not waited
    // for by the next transfer (here on the next connection).
    {"MacrosThenAnotherConnection", CMacroDlgFrm::kWindowKind, macrocmd::Download, 5, {}, "(kein Echo)", false,
     [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 10 && !after; ++n) {
             auto* macro = new CMacro;
             EXPECT_EQ(1, macro->Create(macrotype::Sequence, StrFormat("M%d", n), n, CAT_MACRO, &doc));
             doc.AddObject(macro, CAT_MACRO);
         }
     },
     -1, 0, false, macrocmd::Upload},
    // The device holds XOFF for 8 s in the middle of a window's download,
    // having read at once all that had reached it: the window waits for it
    // and the download ends as it should, without a word.
    {.name = "MacrosWaitWhileTheDeviceHoldsXoff", .kind = CMacroDlgFrm::kWindowKind, .command = macrocmd::Download,
     .read = -1, .device = {QStringLiteral("at %1 xoff 8000").arg(kConnectLines + 20)}, .reason = nullptr,
     .english = false, .project = AddSequences, .lastLine = "/MACRO/LOCK OFF\r\n", .fullSpeed = true},
    {.name = "ConditionsWaitWhileTheDeviceHoldsXoff", .kind = kConditionWindow,
     .command = logicwin::DownloadConditions, .read = -1,
     .device = {QStringLiteral("at %1 xoff 8000").arg(kConnectLines + 20)}, .reason = nullptr, .english = false,
     .project = AddConditions, .lastLine = "/MACRO/LOCK OFF\r\n", .fullSpeed = true},
    // Held longer than the window waits: it says the rest was not sent, and
    // nothing goes when the device lets go, not even the lock's release.
    {.name = "MacrosHeldLongerThanTheWindowWaits", .kind = CMacroDlgFrm::kWindowKind, .command = macrocmd::Download,
     .read = -1, .device = {QStringLiteral("at %1 xoff 9000").arg(kConnectLines + 20)},
     .reason = "weder gelesen noch geantwortet.\nDie übrigen Einträge wurden nicht übertragen.", .english = false,
     .project = AddSequences, .lockStays = true, .stallLimitMs = 2000, .nothingAfterTheWord = true},
    {.name = "ConditionsHeldLongerThanTheWindowWaits", .kind = kConditionWindow, .command = logicwin::DownloadConditions,
     .read = -1, .device = {QStringLiteral("at %1 xoff 9000").arg(kConnectLines + 20)},
     .reason = "neither read nor answered for 2 seconds.\nThe remaining entries were not transferred.", .english = true,
     .project = AddConditions, .lockStays = true, .stallLimitMs = 2000, .nothingAfterTheWord = true},
    // Every line read, then the release of the lock held longer than the
    // window waits: it is not sent when the device lets go, as the word says.
    {.name = "TriggersLockReleaseHeldLongerThanTheWindowWaits", .kind = kTriggerWindow,
     .command = logicwin::DownloadTriggers, .read = -1, .device = {QStringLiteral("at %1 xoff 9000").arg(kConnectLines + 18)},
     .reason = "weder gelesen noch geantwortet.\nAlle Zeilen wurden gesendet;", .english = false,
     .project = [](CQuillomerDoc& doc, bool after) {
         for (int n = 1; n <= 4 && !after; ++n)
             AddNumbered<CTrigger>(doc, n, triggerkey::Condition, 2);
     },
     .lockStays = true, .stallLimitMs = 2000, .nothingAfterTheWord = true},
};
}  // namespace

// The device stops reading (or knows nothing it is asked) part of the way
// through a window's own transfer, or the user stops it: it ends with the
// window's word for the transfer in the program's language, the step the
// device (or the bar) got to and why; the project keeps what no answer
// replaced.
TEST_P(FeatureTransferStops, TheWindowSaysHowFarItsTransferWentAndWhy)
{
    const StopRow& row = GetParam();
    if (row.project)
        row.project(doc, false);
    QStringList device = row.device;
    if (row.read >= 0)
        device << QStringLiteral("at %1 silent").arg(kConnectLines + row.read);
    if (row.unreadBefore > 0)
        device << QStringLiteral("at %1 silent").arg(kConnectLines)
               << QStringLiteral("at %1 talk").arg(kConnectLines + row.unreadBefore);
    sim.lineRate = !row.fullSpeed;
    ConnectWith(device);
    ASSERT_EQ(static_cast<size_t>(kConnectLines), LinesReceived());
    for (int n = 1; n <= row.unreadBefore; ++n) {
        ASSERT_TRUE(PumpUntil([&] { return link.GetOutBufferCount() < 256; }, kArrivalMs));
        link.SendLine(StrFormat("/SERVICE/VER ? %d", n), &doc);
    }
    ASSERT_TRUE(PumpUntil([&] { return LinesReceived() >= static_cast<size_t>(kConnectLines + row.unreadBefore); }, kArrivalMs));
    std::unique_ptr<EnglishTexts> english(row.english ? new EnglishTexts : nullptr);
    auto dlg = OpenWindow(doc, row.kind);
    CFeatureFrm* frame = FrameOf(*dlg);
    int bar = -1, end = -1;  // where the bar stood at its last move, and its end
    QObject scope;           // the timer and the bar's watch die with the locals they write
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &scope, [&] {
        auto* progress = frame->findChild<QProgressBar*>(QStringLiteral("1"));
        if (!progress || progress->value() < (row.cancelAt ? row.cancelAt : progress->maximum()))
            return;
        look.stop();
        std::tie(bar, end) = std::make_pair(progress->value(), progress->maximum());
        QObject::connect(progress, &QProgressBar::valueChanged, &scope, [&](int v) { bar = v; });
        QTest::mouseClick(frame->findChild<QPushButton*>(QStringLiteral("CancelTransfer")), Qt::LeftButton);
    });
    if (row.cancelAt >= 0)
        look.start(10);
    if (row.diskFull) {
        diskwrite::SetSpaceForTesting(0);
        messages.onShown = [] { serialtest::Pump(1500); };
    }
    if (row.stallLimitMs > 0)
        frame->SetStallLimit(row.stallLimitMs);
    size_t atTheWord = std::string::npos;  // what the device had read when the user was told
    struct Forget {
        Messages& m;
        ~Forget() { m.onShown = nullptr; }  // it writes a local
    } forget {messages};
    if (row.nothingAfterTheWord)
        messages.onShown = [&] { atTheWord = sim.Received().size(); };
    const size_t mark = sim.Received().size();
    if (row.byHand)
        row.byHand(frame, false);
    else if (row.listMenu)
        ChooseFromListMenu(frame, QString::fromStdString(LoadStringId(row.listMenu)));
    else
        ClickCommand(frame, row.command);
    diskwrite::SetSpaceForTesting(-1);
    messages.onShown = nullptr;
    ASSERT_TRUE(row.cancelAt < 0 || bar > 0) << "the transfer ended before Abbrechen";
    if (!row.reason) {
        for (const std::string& text : messages.texts)
            EXPECT_TRUE(row.diskFull && text.find("kann nicht geschrieben werden") != std::string::npos) << text;
        EXPECT_EQ(row.diskFull, !messages.texts.empty());
        if (row.lastLine)
            EXPECT_TRUE(sim.AwaitReceivedEnd(row.lastLine)) << sim.Received().substr(mark);
        if (row.project)
            row.project(doc, true);
        return;
    }
    ASSERT_EQ(1u, messages.texts.size()) << testing::PrintToString(messages.texts);
    const std::string name = row.named ? row.named : CFeatureFrm::CommandText(row.command).toStdString();
    if (row.refused > 0) {
        const std::string ended =
            StrFormat(row.english ? "The transfer '%s' has ended, but the device did not understand %d line(s), "
                                  : "Die Übertragung '%s' ist beendet, doch das Gerät hat %d Zeile(n) nicht verstanden, ",
                      name.c_str(), row.refused);
        EXPECT_EQ(0u, messages.texts[0].find(ended)) << messages.texts[0];
        EXPECT_NE(std::string::npos, messages.texts[0].find(row.reason)) << messages.texts[0];
        EXPECT_EQ(linkstate::Online, link.GetLinkState());
        if (row.project)
            row.project(doc, true);
        if (row.byHand)
            row.byHand(frame, true);
        return;
    }
    const std::string begin = StrFormat(row.english ? "The transfer '%s' is incomplete (step "
                                                    : "Die Übertragung '%s' ist nicht vollständig (Schritt ",
                                        name.c_str());
    const std::string& said = messages.texts[0];
    ASSERT_EQ(0u, said.find(begin)) << said;
    EXPECT_NE(std::string::npos, said.find(row.reason)) << said;
    int step = -1, count = -1;
    ASSERT_EQ(2, std::sscanf(said.c_str() + begin.size(), row.english ? "%d of %d" : "%d von %d", &step, &count));
    EXPECT_TRUE(row.read < 0 || step < count || row.lockUnread) << said;
    if (row.step >= 0)
        EXPECT_EQ(row.step, step) << said;
    if (row.cancelAt >= 0)
        EXPECT_EQ(std::make_pair(bar, end), std::make_pair(step, count)) << "the bar counted otherwise";
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    if (row.nothingAfterTheWord) {
        // Once the device lets go, a line of the test's own is the next it reads.
        ASSERT_NE(std::string::npos, atTheWord);
        ASSERT_TRUE(PumpUntil([&] { return sim.Sent().rfind('\x11') > sim.Sent().rfind('\x13'); }, kArrivalMs));
        link.SendLine("/SERVICE/DEVICE ?", &doc);
        ASSERT_TRUE(sim.AwaitReceivedLine("/SERVICE/DEVICE ?", atTheWord));
        EXPECT_EQ("/SERVICE/DEVICE ?\r\n", sim.Received().substr(atTheWord)) << "sent after the user was told";
    }
    if (row.lockUnread) {
        EXPECT_EQ(step, count) << said;
        const std::string lock = "\n\n" + LoadStringId(IDS_LOCK_RELEASE_ONLY_UNREAD);
        EXPECT_EQ(said.size() - lock.size(), said.rfind(lock)) << said;
        EXPECT_EQ(1u, CountOf(sim.Received().substr(mark), "/MACRO/LOCK OFF\r\n"));
        messages.texts.clear();
        link.OnDisconnect();
        EXPECT_EQ(std::vector<std::string> {LoadStringId(IDS_SAVE_INCOMPLETE_ASK)}, messages.texts);
        EXPECT_EQ(std::string::npos, sim.Received().find("/SERVICE/START FASTSAVE", mark)) << "saved without the user's word";
        return;
    }
    if (row.lockStays) {
        const std::string lock = "\n\n" + LoadStringId(IDS_LOCK_RELEASE_NOT_SENT);
        EXPECT_EQ(said.size() - lock.size(), said.rfind(lock)) << said;
        english.reset();
        Pump(300);
        EXPECT_EQ(std::string::npos, sim.Received().find("/MACRO/LOCK OFF", mark)) << "sent after the device stopped reading";
        messages.texts.clear();
        link.OnDisconnect();
        EXPECT_EQ(std::vector<std::string> {LoadStringId(IDS_SAVE_INCOMPLETE_ASK)}, messages.texts);
        EXPECT_EQ(std::string::npos, sim.Received().find("/SERVICE/START FASTSAVE", mark)) << "saved without the user's word";
        return;
    }
    if (row.project)
        row.project(doc, true);
    if (row.byHand)
        row.byHand(frame, true);
    if (!row.then)
        return;
    dlg.reset();
    sim.Stop();
    ASSERT_TRUE(PumpUntil([&] { return !link.IsConnected(); }, kArrivalMs));
    ConnectWith({});
    dlg = OpenWindow(doc, row.kind);
    ClickCommand(FrameOf(*dlg), row.then);
    EXPECT_TRUE(messages.texts.empty()) << testing::PrintToString(messages.texts);
}
INSTANTIATE_TEST_SUITE_P(Windows, FeatureTransferStops, ::testing::ValuesIn(kStopRows),
                         [](const testing::TestParamInfo<StopRow>& info) { return std::string(info.param.name); });

// The device's line ends while feature windows are open; then the user tries
// their buttons that need the device. None sends or shows a bar: each is
// greyed as in a window opened offline, or (the week's, kept usable offline)
// says it needs the line; what showed the device's state shows it no more.
TEST_F(FeatureTransferSim, AfterTheLineIsLostNoWindowOffersWhatNeedsTheDevice)
{
    ConnectWith({QStringLiteral("set /AMP/ADR0/CHAN1/VUOUT -5")});
    const std::vector<std::pair<int, std::vector<unsigned>>> rows = {  // one window of each kind of frame
        {CMacroDlgFrm::kWindowKind, {macrocmd::Upload, macrocmd::Download, macrocmd::Run}},
        {CMonitorDlgFrm::kWindowKind, {audiowinid::MonitorUpload, audiowinid::MonitorDownload, audiowinid::MonitorLive}},
        {CSpareAmpFrm::kWindowKind, {CSpareAmpFrm::kUpload, CSpareAmpFrm::kDownload}},
        {kReadyInputWindow, {logicwin::UploadReady, logicwin::DownloadReady}},
        {CObjectFrm::kWindowKind, {vcid::UploadAll, vcid::DownloadAll}},
        {CAppointDlgFrm::kWindowKind, {ID_CAL_UPLOAD_APPOINTS, ID_CAL_DOWNLOAD_APPOINTS}},
        {CDayprogDlgFrm::kWindowKind, {ID_CAL_UPLOAD_DAYPROGS, ID_CAL_DOWNLOAD_DAYPROGS}},
        {CPowerFrm::kWindowKind, {CPowerFrm::kUpload, CPowerFrm::kDownload}},
        {CZonetestFrm::kWindowKind, {CZonetestFrm::kUpload, CZonetestFrm::kDownload}},
        {CHardwareDlgFrm::kWindowKind, {servicewinid::ScanSlots, servicewinid::ScanCards}},
        {CWeekDlgFrm::kWindowKind, {}},
        {CClkFrm::kWindowKind, {}},
        {CRecorderFrm::kWindowKind, {}},
    };
    // The live dialog of a remote amplifier, polling, its meter raised.
    auto* amp = new CAmplifier;
    ASSERT_EQ(1, amp->Create(33074, 4, 4, nullptr, 0, 0, 0, 0, CAT_AMPLIFIER, 0, 0, &doc));
    doc.AddObject(amp, CAT_AMPLIFIER);
    CRemoteAmpDlg remote(amp);
    remote.show();
    ASSERT_TRUE(PumpUntil([&] { return remote.findChild<QProgressBar*>(QStringLiteral("1613"))->value() == 35; },
                          kArrivalMs));
    std::vector<std::unique_ptr<CObjectDlg>> windows;
    for (const auto& row : rows)
        windows.push_back(OpenWindow(doc, row.first));
    // A console's settings, on its keys page.
    auto* slot = dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().GetBaseDevice(1, OT_AUDIO_INPUT_SLOT));
    ASSERT_NE(nullptr, slot);
    slot->SetCardType(inputcard::Console2);
    slot->SetHoverConnectors(0, -1);
    ASSERT_EQ(1, slot->AddConsole(consmodel::WRN2271));
    CConsolePropertySheet sheet(&doc, dynamic_cast<CConsole*>(doc.GetList(CAT_CONSOLE).back()));
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    auto* keysBar = sheet.GetKeysPage()->GetFrame()->findChild<QToolBar*>();
    const unsigned keysCommands[] = {keyviewcmd::Download, keyviewcmd::Upload, keyviewcmd::Version};
    for (unsigned id : keysCommands)
        ASSERT_TRUE(sheet.GetKeysPage()->GetFrame()->GetAction(id)->isEnabled()) << id;
    // The service dialog of the central device's "Service" object, open as well.
    DeviceList serviceSlots;
    doc.GetIDManager().GetBaseDeviceListByKind(serviceSlots, OT_INTERNAL_SLOT, internalslot::Service);
    ASSERT_FALSE(serviceSlots.empty());
    CServiceDlg service(dynamic_cast<CInternalSlot*>(serviceSlots.front()));
    service.show();
    auto* startTest = service.findChild<QPushButton*>(QStringLiteral("1212"));
    ASSERT_TRUE(startTest && startTest->isEnabled());
    // The whole transfer's dialog is open when the line goes: its OK, in
    // either direction, says it needs the connection and starts nothing.
    QueueBlock whole(doc, 2);
    for (int direction : {1, 0}) {
        SCOPED_TRACE(testing::Message() << "whole transfer, direction " << direction);
        host.paramSelect = [&](ParamSelection& selection) {
            sim.Stop();
            EXPECT_TRUE(PumpUntil([&] { return !link.IsConnected(); }, kArrivalMs));
            messages.texts.clear();
            selection.direction = direction;
            selection.objects = {&whole};
            return true;
        };
        host.progressCaptions.clear();
        link.OnCommand(commid::TransferParameters);
        host.paramSelect = nullptr;
        EXPECT_EQ(std::vector<std::string> {"Nur im Online Modus möglich!"}, messages.texts);
        EXPECT_TRUE(host.progressCaptions.empty()) << "a bar as if sent";
    }
    ASSERT_TRUE(PumpUntil([&] { return std::none_of(windows.begin(), windows.end(), [](auto& w) { return FrameOf(*w)->IsOnline(); }); },
                          kArrivalMs));
    ASSERT_TRUE(PumpUntil([&] { return !remote.IsPolling(); }, kArrivalMs));
    for (const char* id : {"1594", "1601", "1602", "1604", "1605", "1591", "1053", "1616", "1612", "1613"})
        EXPECT_FALSE(remote.findChild<QWidget*>(QString::fromLatin1(id))->isEnabled()) << id;
    for (const char* id : {"1612", "1613"})
        EXPECT_EQ(0, remote.findChild<QProgressBar*>(QString::fromLatin1(id))->value()) << "a level as if measured";
    serialtest::Pump(2 * CConsolePropertySheet::kLineWatchMs);
    messages.texts.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        // Every window's bar saves the device's settings, as the main menu does.
        std::vector<unsigned> commands = rows[i].second;
        commands.push_back(CFeatureFrm::kSaveDeviceSettings);
        for (unsigned id : commands) {
            EXPECT_FALSE(FrameOf(*windows[i])->GetAction(id)->isEnabled()) << id;
            ClickCommand(FrameOf(*windows[i]), id);
        }
    }
    for (unsigned id : keysCommands) {
        EXPECT_FALSE(sheet.GetKeysPage()->GetFrame()->GetAction(id)->isEnabled()) << id;
        QTest::mouseClick(keysBar->widgetForAction(sheet.GetKeysPage()->GetFrame()->GetAction(id)), Qt::LeftButton);
    }
    sheet.SetActivePage(CConsolePropertySheet::General);
    for (QPushButton* query : {sheet.GetGeneralPage()->GetVersionButton(), sheet.GetGeneralPage()->GetUserLevelButton()}) {
        EXPECT_FALSE(query->isEnabled()) << query->objectName().toStdString();
        QTest::mouseClick(query, Qt::LeftButton);
    }
    EXPECT_TRUE(messages.texts.empty()) << testing::PrintToString(messages.texts);
    ClickCommand(FrameOf(*windows[10]), ID_CAL_UPLOAD_WEEK);
    EXPECT_EQ(std::vector<std::string> {"Nur im Online Modus möglich!"}, messages.texts);
    // The views' own buttons: power on, the zone test's measurement, the clock's, the recorder's.
    for (const char* name : {"1572", "1551", "1267", "1268", "1213", "1255", "1562", "1565", "1566", "1560", "1567", "1568"}) {
        QList<QPushButton*> found;
        for (auto& w : windows)
            found += w->findChildren<QPushButton*>(QString::fromLatin1(name));
        ASSERT_EQ(1, found.size()) << name;
        EXPECT_FALSE(found[0]->isEnabled()) << name;
    }
    // The same windows opened now, with the line gone: their buttons are
    // greyed as in those that lost it.
    {
        std::vector<std::unique_ptr<CObjectDlg>> reopened;
        for (int kind : {CPowerFrm::kWindowKind, CZonetestFrm::kWindowKind, CClkFrm::kWindowKind,
                         CRecorderFrm::kWindowKind})
            reopened.push_back(OpenWindow(doc, kind));
        for (const char* name : {"1572", "1551", "1267", "1268", "1213", "1255", "1562", "1565", "1566", "1560", "1567", "1568"}) {
            QList<QPushButton*> found;
            for (auto& w : reopened)
                found += w->findChildren<QPushButton*>(QString::fromLatin1(name));
            ASSERT_EQ(1, found.size()) << name;
            EXPECT_FALSE(found[0]->isEnabled()) << name << " in a window opened offline";
        }
    }
    for (int pane = 0; pane < 4; ++pane)
        EXPECT_EQ(QStringLiteral(" "), qobject_cast<CRecorderFrm*>(FrameOf(*windows.back()))->GetPaneText(pane));
    EXPECT_EQ(QStringLiteral("Nur im Online Modus möglich!"),
              qobject_cast<CHardwareDlgFrm*>(FrameOf(*windows[9]))->GetView()->topLevelItem(0)->text(0));
    for (auto& w : windows)
        EXPECT_EQ(nullptr, w->findChild<QProgressBar*>(QStringLiteral("1"))) << "a bar as if sent";
    // The service dialog's test, register reading and register cells are
    // greyed, and its counters no longer claim a value.
    EXPECT_TRUE(PumpUntil([&] { return !startTest->isEnabled(); }, kArrivalMs)) << "a test offered without the device";
    EXPECT_FALSE(service.findChild<QPushButton*>(QStringLiteral("1213"))->isEnabled());
    QTableWidget* registers = service.GetRegisters();
    const QPoint cell = registers->visualItemRect(registers->item(7, 0)).center();
    QTest::mouseClick(registers->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(registers->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(nullptr, qobject_cast<QLineEdit*>(QApplication::focusWidget())) << "a register open for writing";
    EXPECT_EQ(QStringLiteral("-"), service.GetOnTime()->text());
}

// Every feature window's upload, clicked as the user does, from a device
// holding entries the new project lacks: an upload that changes the project
// marks it (" *" in its title: closing asks to save); one that changes
// nothing, such as the same upload again, marks nothing.
// Every feature window's own upload, the whole upload and one entry's upload
// through its list's menu, with the project's difference file a folder, and
// again on a disk that is full once the upload has started the file anew: the
// program goes on, says once per upload that the file cannot be written, and
// the device's values reach the project all the same (the power management's
// priority 300 held at 255, the monitor's entry, the condition, trigger,
// macro and appointment the device has). Each window's own way to read its
// answers is taken: the blocks' step machines, the power window's block of
// queries, the line test's rows.
TEST_F(FeatureTransferSim, EveryUploadTellsOnceThatTheDifferenceFileCannotBeWrittenAndTakesTheValues)
{
    sim.lineRate = false;  // what is asked is what comes back, at any rate
    ConnectWith(QStringLiteral("set /POWER/BATT_PRIO 300|set /MONI/TABLE3/SEL IN|set /MONI/TABLE3/IDX 2|"
                               "set /CONDITION/ENTRY5/FUNCTION PWR_ON|set /TRIGGER/ENTRY2/CONDITION 5|"
                               "set /TRIGGER/ENTRY2/ON_MACRO 300|set /MACRO/PROG3/TYPE STOP|"
                               "set /CAL/APPOINT2/FUNCTION DAILY")
                    .split(QLatin1Char('|')));
    AddTestedZones(doc, 2);
    auto* power = dynamic_cast<CInternalPowerManagement*>(
        doc.GetIDManager().GetBaseDevice(1, OT_INTERNAL_POWER_MANAGEMENT));
    ASSERT_NE(nullptr, power);
    power->SetValue(powerkey::BattPrio, 70);
    host.paramSelect = [&](ParamSelection& sel) {
        sel.direction = 0;
        sel.objects = {power, MonitorOf(doc)};
        return true;
    };
    const QString err = QString::fromStdString(doc.GetErrFileName());
    const std::string told = QDir::toNativeSeparators(err).toStdString();
    const auto toldTimes = [&] {
        return std::count_if(messages.texts.begin(), messages.texts.end(),
                             [&](const std::string& t) { return t.find(told) != std::string::npos; });
    };
    enum class Failure { Folder, DiskFull };
    struct Room {  // the disk's own room again, however the test leaves
        ~Room() { diskwrite::SetSpaceForTesting(-1); }
    } room;
    for (const Failure failure : {Failure::Folder, Failure::DiskFull}) {
        // Before an upload: the folder in the file's place, or a disk with no room.
        const auto fail = [&] {
            QFile::remove(err);
            if (failure == Failure::Folder)
                EXPECT_TRUE(QDir().mkpath(err));
            else
                diskwrite::SetSpaceForTesting(0);
            messages.texts.clear();
        };
        // After it, once the message the line at hand held back is out.
        const auto mend = [&] {
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
            diskwrite::SetSpaceForTesting(-1);
            if (failure == Failure::Folder)
                EXPECT_TRUE(QDir(err).removeRecursively());
        };
        int uploads = 0;
        // 0: the whole upload of the power management and the monitor.
        for (int kind = 0; kind <= 28; ++kind) {
            std::unique_ptr<CObjectDlg> dlg = kind ? OpenWindow(doc, kind) : nullptr;
            CFeatureFrm* frame = dlg ? FrameOf(*dlg) : nullptr;
            for (unsigned id : kUploadCommands) {
                QAction* action = frame ? frame->GetAction(id) : nullptr;
                QWidget* button = action ? frame->GetCommandBar()->widgetForAction(action) : nullptr;
                if (kind && !(button && button->isEnabled()))
                    continue;
                if (!kind && id != kUploadCommands[0])
                    continue;
                SCOPED_TRACE(testing::Message() << (failure == Failure::Folder ? "folder " : "disk full ") << kind
                                                << " " << id);
                ++uploads;
                fail();
                if (kind)
                    QTest::mouseClick(button, Qt::LeftButton);  // returns once the upload has ended
                else
                    link.OnTransferParameters();
                // A block window's answers may come after its transfer.
                PumpUntil([&] { return !link.GetRequestReply(); }, kArrivalMs);
                mend();
                if (failure == Failure::Folder) {
                    EXPECT_EQ(1, toldTimes()) << testing::PrintToString(messages.texts);
                } else {
                    EXPECT_GE(1, toldTimes()) << testing::PrintToString(messages.texts);
                    // The priority the device holds is not the project's: its line cannot go.
                    if (kind == CPowerFrm::kWindowKind || kind == 0)
                        EXPECT_EQ(1, toldTimes()) << testing::PrintToString(messages.texts);
                }
                EXPECT_EQ(linkstate::Online, link.GetLinkState());
                EXPECT_FALSE(link.IsHeldByTransfer());
            }
        }
        EXPECT_LE(22, uploads);
        {
            // Trigger 2 alone, whose macro 300 the project lacks: named in the file.
            SCOPED_TRACE(failure == Failure::Folder ? "one trigger, folder" : "one trigger, disk full");
            std::unique_ptr<CObjectDlg> dlg = OpenWindow(doc, kTriggerWindow);
            fail();
            ChooseFromListMenu(FrameOf(*dlg), QStringLiteral("Upload"));
            mend();
            EXPECT_EQ(1, toldTimes()) << testing::PrintToString(messages.texts);
            EXPECT_EQ(linkstate::Online, link.GetLinkState());
        }
        // The values came whatever became of their lines.
        EXPECT_EQ(255, power->GetValue(powerkey::BattPrio));
        EXPECT_EQ("IN", MonitorOf(doc)->GetEntry(2).source);
        const auto* condition = doc.GetIDManager().GetBaseDevice(5, OT_CONDITION);
        ASSERT_NE(nullptr, condition);
        EXPECT_EQ(static_cast<uint32_t>(condkind::PwrOn), condition->GetKindId());
        const auto* macro = doc.GetIDManager().GetBaseDevice(3, OT_MACRO);
        ASSERT_NE(nullptr, macro);
        EXPECT_EQ(static_cast<uint32_t>(macrotype::Stop), macro->GetKindId());
        EXPECT_NE(nullptr, doc.GetIDManager().GetBaseDevice(2, OT_APPOINT));
    }
}

TEST_F(FeatureTransferSim, EveryUploadThatChangesTheProjectMarksItAndNoOtherDoes)
{
    sim.lineRate = false;  // what is asked is what comes back, at any rate
    ConnectWith(QStringLiteral("set /MONI/TABLE3/SEL IN|set /MONI/TABLE3/IDX 2|set /CONDITION/ENTRY5/FUNCTION PWR_ON|"
                               "set /TRIGGER/ENTRY2/CONDITION 5|set /MACRO/PROG3/TYPE STOP|set /CAL/APPOINT2/FUNCTION DAILY")
                    .split(QLatin1Char('|')));
    const auto& uploads = kUploadCommands;
    std::set<int> changedIn;
    for (int kind = 1; kind <= 28; ++kind) {
        CObjectDlg dlg(&doc, kind);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        auto* frame = qobject_cast<CFeatureFrm*>(dlg.m_pFrame.data());
        for (unsigned id : uploads) {
            QAction* action = frame ? frame->GetAction(id) : nullptr;
            QWidget* button = action ? frame->GetCommandBar()->widgetForAction(action) : nullptr;
            for (int round = 0; button && button->isEnabled() && round < 1 + int(changedIn.count(kind)); ++round) {
                SCOPED_TRACE(testing::Message() << kind << " " << id << " round " << round);
                doc.SetModifiedFlag(false);
                const std::vector<uint8_t> before = doc.SaveToBytes();
                QTest::mouseClick(button, Qt::LeftButton);  // returns once a transfer has ended
                if (link.GetRequestReply())
                    break;  // a window that asks in blocks: its answers come later, through guarded setters
                const bool changed = doc.SaveToBytes() != before;
                EXPECT_EQ(changed, doc.IsModified());
                EXPECT_EQ(changed, QString::fromStdString(doc.GetTitle()).endsWith(QStringLiteral(" *")));
                EXPECT_FALSE(changed && round == 1) << "the same upload again changed the project";
                if (changed)
                    changedIn.insert(kind);
            }
        }
    }
    const std::set<int> reached = {kTriggerWindow, CMonitorDlgFrm::kWindowKind, CMacroDlgFrm::kWindowKind,
                                   8 /* appointments */, kConditionWindow};
    EXPECT_EQ(reached, changedIn) << "the device's entries reach the project in their windows";
}

// The event log, clock and fault windows poll the device (in blocks, plain
// lines, queries) while a whole upload, the fault window's own and the event
// log's own (its masks in blocks) run: each holds the line until it ends,
// once the device has answered, with no poll sent from its first line on,
// and the polls go on after it.
TEST_F(FeatureTransferSim, PollingWindowsWaitWhileATransferHoldsTheLine)
{
    ConnectWith(QStringLiteral("set /FAULT/INCLUDE ALL|set /FAULT/EXCLUDE NONE|set /FAULT/LATCH OFF|"
                               "set /FAULT/CONSDISP NONE|set /FAULT/MANUAL OFF|set /EVENT/LOG/MASK/ON NONE|"
                               "set /EVENT/LOG/MASK/AUDIO/ON NONE|set /EVENT/LOG/MASK/FAULT/ON NONE|"
                               "set /EVENT/LOG/MASK/MACRO/ON NONE|set /EVENT/LOG/MASK/READYINP/ON NONE|"
                               "set /EVENT/LOG/MASK/VIRTCTRL/ON 4")
                    .split(QLatin1Char('|')));
    std::vector<std::unique_ptr<CObjectDlg>> windows;
    for (int kind : {CEventLogFrm::kWindowKind, CClkFrm::kWindowKind, CFaultDlgFrm::kWindowKind})
        windows.push_back(OpenWindow(doc, kind));
    const char* const polls[] = {"/EVENT/LOG/ENTRIES ?", "/CLOCK/MAIN/TIME ?", "/FAULT/STATE ?"};
    auto polledSince = [&](size_t mark) {
        auto heard = [&](const char* poll) { return sim.Received().find(poll, mark) != std::string::npos; };
        return PumpUntil([&] { return std::all_of(std::begin(polls), std::end(polls), heard); }, kArrivalMs);
    };
    ASSERT_TRUE(polledSince(0));
    host.paramSelect = [&](ParamSelection& sel) {
        sel.direction = 0;
        sel.objects = {CFaultDlgView::Fault()};
        return true;
    };
    // A transfer that waits for ever (a window's block transfer has no
    // "Abbrechen") loses its line: the test fails instead of hanging.
    QTimer patience;
    QObject::connect(&patience, &QTimer::timeout, windows.back().get(), [&] { sim.Stop(); });
    bool held = false;  // seen while the transfer runs (each waits a second of quiet at least)
    QTimer look;
    look.setInterval(50);
    QObject::connect(&look, &QTimer::timeout, windows.back().get(), [&] { held = held || link.IsHeldByTransfer(); });
    struct Run {
        int window;  // -1: the whole upload
        unsigned command;
        const char* firstLine;
    };
    for (const Run& run : {Run {-1, 0, "/FAULT/INCLUDE ?"}, Run {2, CFaultDlgFrm::kUpload, "/FAULT/INCLUDE ?"},
                           Run {0, CEventLogFrm::kUpload, "/EVENT/LOG/MASK/ON ?"}}) {
        SCOPED_TRACE(run.firstLine + std::to_string(run.window));
        const size_t mark = sim.Received().size();
        held = false;
        look.start();
        patience.start(kArrivalMs);
        if (run.window < 0)
            link.OnTransferParameters();
        else
            ClickCommand(FrameOf(*windows[static_cast<size_t>(run.window)]), run.command);
        patience.stop();
        look.stop();
        EXPECT_TRUE(held) << "the transfer did not hold the line";
        EXPECT_FALSE(link.IsHeldByTransfer()) << "the line still held after the transfer";
        const std::string heard = sim.Received();
        const size_t first = heard.find(run.firstLine, mark);
        ASSERT_NE(std::string::npos, first);
        for (const char* poll : polls)
            EXPECT_EQ(std::string::npos, heard.find(poll, first)) << poll << " sent during the transfer";
        EXPECT_TRUE(polledSince(heard.size())) << "the polls ended after the transfer";
    }
    EXPECT_EQ(std::vector<std::string> {"Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""},
              messages.texts);
}
