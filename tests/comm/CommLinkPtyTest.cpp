// The device link against a pseudo-terminal whose other end the test plays:
// framing and the path shorthand byte for byte, the splitting of received
// text into lines and their routing by LinkState, block requests and their
// answers, the synchronous queries, the output-buffer pacing, the firmware
// sender and the bounds on the boot loader's silence, and the serial error
// messages.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QSocketNotifier>
#include <QTimer>

#include <limits>
#include <optional>

#include <sys/stat.h>

#include "comm/CFirmwareSender.h"
#include "comm/CommIds.h"
#include "comm/CommStrings.h"
#include "platform/StringTable.h"
#include "support/EnglishTexts.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

// The test's end of the line: records what the link sends and answers
// complete lines through `respond`.
class PtyDevice : public QObject {
public:
    PtyDevice()
    {
        m_notifier = new QSocketNotifier(pty.master, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] { OnReadable(); });
    }
    ~PtyDevice() override { delete m_notifier; }

    void OnReadable()
    {
        const std::string got = pty.Read();
        received += got;
        m_pending += got;
        size_t p;
        while ((p = m_pending.find('\n')) != std::string::npos) {
            std::string line = m_pending.substr(0, p);
            m_pending.erase(0, p + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (respond) {
                const std::string answer = respond(line);
                if (!answer.empty())
                    pty.Write(answer);
            }
        }
    }
    std::string Take()
    {
        OnReadable();
        std::string out;
        out.swap(received);
        m_pending.clear();
        return out;
    }
    void Send(const std::string& bytes) { pty.Write(bytes); }

    serialtest::Pty pty;
    std::string received;
    std::function<std::string(const std::string&)> respond;

private:
    QSocketNotifier* m_notifier = nullptr;
    std::string m_pending;
};

// A link whose output count can be raised and whose line errors are scripted.
class TestLink : public CCommLink {
public:
    int GetOutBufferCount() const override { return CCommLink::GetOutBufferCount() + backlog; }
    int backlog = 0;
    CMSComm::ErrorCounters counters;
    // Opens the configured port and serves the document (the device is the test).
    bool Attach(CQuillomerDoc* doc)
    {
        ConfigurePort();
        if (!SetPortOpen(true))
            return false;
        BindOpenPort(doc);
        return true;
    }

protected:
    bool ReadErrorCounters(ErrorCounters& c) const override
    {
        c = counters;
        return true;
    }
};

class CommLinkPty : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
        s_dir = new QTemporaryDir;
        s_device = new PtyDevice;
        serialtest::SetDevicePath(kPort, QString::fromStdString(s_device->pty.path));
        s_doc = new CQuillomerDoc;
        s_doc->SetTitle("Anlage1");
        s_doc->SetPathName(s_dir->filePath(QStringLiteral("Anlage1.qlx")).toStdString());
        s_previousHook = SetActiveDocHook([] { return s_doc; });
        s_host = new TestHost;
        s_link = new TestLink;
        s_link->SetHost(s_host);
        s_previousSender = SetLineSender(s_link);
        s_link->Attach(s_doc);
    }
    static void TearDownTestSuite()
    {
        s_link->ClosePort();
        SetLineSender(s_previousSender);
        SetActiveDocHook(s_previousHook);
        delete s_link;
        delete s_host;
        delete s_doc;
        delete s_device;
        delete s_dir;
        serialtest::SetDevicePath(kPort, {});
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_link->IsConnected());
        s_device->respond = nullptr;
        // The device the test plays echoes, as the set-up leaves it, whatever
        // an earlier test told it; it echoed nothing of the earlier tests.
        s_link->SendLine("/COMM/ECHO ON", nullptr);
        Pump(50);
        s_device->Take();
        s_link->ForgetUnechoedLines();
        s_link->backlog = 0;
        s_link->SetLinkState(linkstate::Online);
        s_link->GetAnswerList().clear();
        s_host->monitor.clear();
    }
    // Everything the link sent until now (after letting the port drain).
    static std::string Sent(int ms = 60)
    {
        Pump(ms);
        return s_device->Take();
    }
    // Writes a file in the test's folder; false when it cannot be written.
    static bool WriteTestFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    // Sets `finished` and `ok` when the firmware sender ends.
    static void WatchFirmwareEnd(CFirmwareSender& sender, bool& finished, bool& ok)
    {
        QObject::connect(&sender, &CFirmwareSender::Finished, [&finished, &ok](bool result) {
            finished = true;
            ok = result;
        });
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline PtyDevice* s_device = nullptr;
    static inline CQuillomerDoc* s_doc = nullptr;
    static inline TestHost* s_host = nullptr;
    static inline TestLink* s_link = nullptr;
    static inline ActiveDocHook s_previousHook;
    static inline ILineSender* s_previousSender = nullptr;
};

}  // namespace

TEST_F(CommLinkPty, TheLinkServesTheBoundDocument)
{
    EXPECT_EQ(s_link->GetBoundDocument(), s_doc);
    EXPECT_EQ(s_link->GetPortNumber(), 2);  // no stored port: COM 2
    EXPECT_EQ(s_host->connectionText, "Projekt 'Anlage1' mit QUILLOMER verbunden !");
}

TEST_F(CommLinkPty, PathShorthandSendsRepeatedPathsAsValueOnly)
{
    CQuillomerDoc other;
    s_link->SendCommand("/AUDIO/IN1/VOL -10", s_doc, true);
    ::SendCommand("/AUDIO/IN1/VOL -12", s_doc, true);  // through the installed line sender
    s_link->ClearLastSentPath();                        // the protocol monitor was shown
    s_link->SendCommand("/AUDIO/IN1/VOL -14", s_doc, true);
    s_link->SendCommand("/AUDIO/IN1/VOL -16", s_doc, false);
    s_link->SendCommand("/AUDIO/IN1/MUTE", s_doc, true);
    s_link->SendCommand("/AUDIO/IN1/MUTE", s_doc, true);  // no blank: whole
    s_link->SendCommand("/X/Y 1", &other, true);          // another document: dropped, path kept
    s_link->SendCommand("/X/Y 2", s_doc, true);
    s_link->SendCommand("/X/Y 3", nullptr, true);
    EXPECT_EQ(Sent(),
              "/AUDIO/IN1/VOL -10\r\n -12\r\n/AUDIO/IN1/VOL -14\r\n/AUDIO/IN1/VOL -16\r\n/AUDIO/IN1/MUTE\r\n"
              "/AUDIO/IN1/MUTE\r\n 2\r\n 3\r\n");
}

// Whatever else reaches the device (the link's own mode and service lines,
// block requests, typed characters) moves its current path: the next
// shortened command would land on it, so it goes out whole.
TEST_F(CommLinkPty, OtherLinesRestartThePathShorthand)
{
    AnswerSink sink;
    const std::vector<std::function<void()>> others = {
        [] { s_link->SetLinkState(linkstate::Download); },
        [] { s_link->OnSaveDeviceSettings(); },
        [] { s_link->SendLine("/SERVICE/VER ?", nullptr); },
        [&] { s_link->SendBlock({"/AUDIO/IN2/VOL ?"}, true, 0, &sink, 0); },
        [] { s_link->SendAndCollect({"/AUDIO/IN2/VOL ?"}, nullptr); },
        [] { s_link->OnMonitorChar("\r"); },
    };
    for (size_t i = 0; i < others.size(); ++i) {
        s_link->SendCommand("/AUDIO/OUT1/VOL -3.0", s_doc, true);
        Sent();
        others[i]();
        Sent();
        s_link->SendCommand("/AUDIO/OUT1/VOL -3.0", s_doc, true);
        EXPECT_EQ(Sent(), "/AUDIO/OUT1/VOL -3.0\r\n") << "after other text " << i;
        s_link->SetLinkState(linkstate::Online);
    }
}

// No value can end its line: control characters are taken out of objects'
// commands and block requests; the link's own joined lines and its ETX stay.
TEST_F(CommLinkPty, ControlCharactersCannotSplitALine)
{
    s_link->SendCommand("/AMP/ADR4/NAME Halle\r\n/MACRO/LOCK ON", s_doc, false);
    s_link->SendCommand("/ZONE1/NAME A\tB\x7f", s_doc, false);
    EXPECT_EQ(Sent(), "/AMP/ADR4/NAME Halle/MACRO/LOCK ON\r\n/ZONE1/NAME AB\r\n");
    AnswerSink sink;
    const uint64_t before = s_link->GetCharsSent();
    ASSERT_TRUE(s_link->SendBlock({"/AMP/ADR4/NAME Halle\n/MACRO/LOCK ON", "/AMP/ADR4/NAME ?"}, true, 0, &sink, 0));
    EXPECT_EQ(Sent(), "/AMP/ADR4/NAME Halle/MACRO/LOCK ON\r\n/AMP/ADR4/NAME ?\r\n");
    // A block request's characters count as sent like every other line's.
    EXPECT_EQ(before + 54, s_link->GetCharsSent());
    s_link->SetLinkState(linkstate::Online);
    s_link->SendLine("/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?\rX", nullptr);
    s_link->SendLine("\x03\r\n", nullptr);
    EXPECT_EQ(Sent(), "/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?X\r\n\x03\r\n\r\n");
}

TEST_F(CommLinkPty, TextIsWindows1252OnTheLine)
{
    s_link->SendLine("/ZONE1/NAME Halle Süd", s_doc);
    EXPECT_EQ(Sent(), "/ZONE1/NAME Halle S\xFC" "d\r\n");
}

TEST_F(CommLinkPty, DownloadStateSendsTheMacroLockLines)
{
    s_link->SetLinkState(linkstate::Download);
    s_link->SetLinkState(linkstate::Download);
    EXPECT_EQ(Sent(), "/MACRO/LOCK ON\r\n/MACRO/LOCK ON\r\n");
    s_link->SetLinkState(linkstate::Online);
    EXPECT_EQ(Sent(), "/MACRO/LOCK OFF\r\n");
    s_link->SetLinkState(linkstate::BlockRequest);
    s_link->SetLinkState(linkstate::Online);
    s_link->SetLinkState(linkstate::Upload);
    s_link->SetLinkState(linkstate::Online);
    EXPECT_EQ(Sent(), "");
}

TEST_F(CommLinkPty, ReceivedTextIsSplitIntoLinesAtCarriageReturns)
{
    LineObject obj(*s_doc, "TEST", {{"A", "1"}, {"B", "2"}, {"C", "3"}});
    s_device->Send("/TEST/A 1\r\n/TEST/B 2\r\n  /TEST/C 3");
    ASSERT_TRUE(PumpUntil([&] { return obj.received.size() >= 2; }));
    Pump(150);
    EXPECT_EQ(obj.received, (std::vector<std::string> {"TEST/A 1", "TEST/B 2"}));
    s_device->Send("\r\n");
    ASSERT_TRUE(PumpUntil([&] { return obj.received.size() >= 3; }));
    EXPECT_EQ(obj.received.back(), "TEST/C 3");
    EXPECT_EQ(obj.states, (std::vector<int> {4, 4, 4}));
    EXPECT_NE(s_host->monitor.find("/TEST/A 1\r\n/TEST/B 2\r\n"), std::string::npos);
    s_doc->RemovePath("/TEST/A");
    s_doc->RemovePath("/TEST/B");
    s_doc->RemovePath("/TEST/C");
    s_doc->RemovePath("/TEST");
}

// A comment or status line pauses the splitting, yet the lines already
// received behind it are still read when nothing more arrives.
TEST_F(CommLinkPty, CommentAndStatusLinesPauseTheSplittingWithoutLosingLines)
{
    LineObject obj(*s_doc, "TEST", {{"A", "1"}, {"B", "2"}});
    s_device->Send("; a comment\r\n/TEST/A 5\r\n");
    ASSERT_TRUE(PumpUntil([&] { return !obj.received.empty(); }));
    EXPECT_EQ(obj.received, (std::vector<std::string> {"TEST/A 5"}));
    s_device->Send("ISP 12 status\r\n/TEST/B 6\r\n");
    ASSERT_TRUE(PumpUntil([&] { return obj.received.size() >= 2; }));
    EXPECT_EQ(obj.received, (std::vector<std::string> {"TEST/A 5", "TEST/B 6"}));
    s_doc->RemovePath("/TEST/A");
    s_doc->RemovePath("/TEST/B");
    s_doc->RemovePath("/TEST");
}

TEST_F(CommLinkPty, LinesAreRoutedByTheLinkState)
{
    LineObject obj(*s_doc, "TEST", {{"A", "1"}});
    auto deliver = [&](const std::string& text) {
        s_device->Send(text);
        Pump(120);
    };
    s_link->SetLinkState(linkstate::Upload);
    deliver("/TEST/A ?\r\n/TEST/A 7 ; from the device\r\n");
    EXPECT_EQ(obj.received, (std::vector<std::string> {"TEST/A 7"}));
    EXPECT_EQ(obj.states, (std::vector<int> {7}));

    s_link->SetLinkState(linkstate::Online);
    deliver("/TEST/A ?\r\n");
    ASSERT_EQ(obj.received.size(), 2u);
    EXPECT_EQ(obj.received[1], "TEST/A ?");

    s_link->SetLinkState(linkstate::Terminal);
    deliver("/TEST/A 8\r\n");
    s_link->SetLinkState(linkstate::Download);
    deliver("/TEST/A 9\r\n");
    EXPECT_EQ(obj.received.size(), 2u);
    EXPECT_NE(s_host->monitor.find("/TEST/A 9"), std::string::npos);

    s_doc->RemovePath("/TEST/A");
    s_doc->RemovePath("/TEST");
}

// The device echoes every line it reads, on a slow device long after later
// lines went: in no state is an echo taken for the device's answer. Only
// the pairing with the lines sent decides, never the text: an answer that
// reads like a line sent later stays an answer, and with the device's echo
// off every line is its own. A line the device refuses ("PATH VALUE ? ") is
// told as a refusal of the line as sent, path written out, and is never a value.
TEST_F(CommLinkPty, TheDevicesEchoIsNeverItsAnswer)
{
    struct Row {
        const char* name;
        int state;
        std::vector<std::string> sent;  // in turn, with the path shorthand (a block request: as one block)
        std::string device;             // what the device says back
        std::vector<std::string> taken;    // what reaches the project (a block's answer list, the browser)
        std::vector<std::string> refused;  // the refused lines the link tells
        // First a connection set-up whose "/COMM/ECHO ?" the device answers
        // with this word ("": not in time, as a slow device); none: no set-up.
        const char* setupEcho = nullptr;
    };
    const Row rows[] = {
        {"late echoes of a whole line and a shorthand line", linkstate::Online, {"/TEST/A -10.0", "/TEST/A -20.0"},
         "/TEST/A -10.0\r\n -20.0\r\n", {}, {}},
        {"echoes behind the prompt", linkstate::Online, {"/TEST/A -10.0", "/TEST/A -20.0"},
         "/COMM>/TEST/A -10.0\r\n/TEST/A> -20.0\r\n/TEST/A>", {}, {}},
        {"an answer that reads like a line sent after the query", linkstate::Online,
         {"/TEST/A ?", "/TEST/B 1", "/TEST/A 5"}, "/TEST/A ?\r\n/TEST/A 5\r\n/TEST/B 1\r\n/TEST/A 5\r\n",
         {"TEST/A 5"}, {}},
        {"the device's echo off", linkstate::Online, {"/COMM/ECHO OFF", "/TEST/A 5", "/TEST/A ?"},
         "/COMM/ECHO OFF\r\n/TEST/A 5\r\n", {"TEST/A 5"}, {}},
        {"a refused line", linkstate::Online, {"/TEST/A 7"}, "/TEST/A 7\r\n/TEST/A 7 ? \r\n", {}, {"/TEST/A 7"}},
        {"a refused shorthand line", linkstate::Online, {"/TEST/A 1", "/TEST/A 2"},
         "/TEST/A 1\r\n 2\r\n/TEST/A 2 ? \r\n", {}, {"/TEST/A 2"}},
        {"a refused query", linkstate::Online, {"/TEST/C ?"}, "/TEST/C ?\r\n/TEST/C ? \r\n", {}, {"/TEST/C ?"}},
        {"a block request", linkstate::BlockRequest, {"/TEST/A 3", "/TEST/A ?"},
         "/TEST/A 3\r\n/TEST/A ?\r\n/TEST/A 3\r\n", {"/TEST/A 3"}, {}},
        {"a refusal in a block request", linkstate::BlockRequest, {"/TEST/B 9"}, "/TEST/B 9\r\n/TEST/B 9 ? \r\n",
         {"/TEST/B 9 ? "}, {"/TEST/B 9"}},
        {"an upload's path line", linkstate::Upload, {"/TEST/A", "/TEST/A ?"}, "/TEST/A\r\n ?\r\n/TEST/A 4\r\n",
         {"TEST/A 4"}, {}},
        {"the configuration browser", linkstate::SystemConfig, {"/TEST/A 6"}, "/TEST/A 6\r\n/TEST/A 6 ? \r\n",
         {"/TEST/A 6 ?"}, {"/TEST/A 6"}},
        {"a device too slow to tell the set-up its echo", linkstate::Online, {"/TEST/A -10.0", "/TEST/A -20.0"},
         "/TEST/A -10.0\r\n -20.0\r\n", {}, {}, ""},
        {"a device the set-up found without echo", linkstate::Online, {"/TEST/A 5", "/TEST/A ?"}, "/TEST/A 5\r\n",
         {"TEST/A 5"}, {}, "OFF"},
    };
    LineObject obj(*s_doc, "TEST", {{"A", "1"}, {"B", "2"}});
    AnswerSink sink;
    std::vector<std::string> refused;
    QObject scope;  // the connection dies with the locals it writes
    QObject::connect(s_link, &CCommLink::LineRefused, &scope,
                     [&](const LinkRefusal& r) { refused.push_back(r.sent); });
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        s_link->SendLine("/COMM/ECHO ON", nullptr);
        s_link->ForgetUnechoedLines();
        obj.received.clear();
        sink.lines.clear();
        s_host->systemConfigLines.clear();
        refused.clear();
        if (row.setupEcho) {
            const std::string word = row.setupEcho;
            s_device->respond = [word](const std::string& line) {
                return line == "/COMM/ECHO ?" && !word.empty() ? "/COMM/ECHO " + word + "\r\n" : std::string();
            };
            s_link->SetupSession();
            Sent();
            s_device->respond = nullptr;
        }
        if (row.state == linkstate::BlockRequest) {
            ASSERT_TRUE(s_link->SendBlock(row.sent, true, 0, &sink, 0));
        } else {
            s_link->SetLinkState(row.state);
            for (const std::string& line : row.sent)
                s_link->SendCommand(line, s_doc, true);
        }
        Sent();
        const uint64_t before = s_link->GetCharsReceived();
        s_device->Send(row.device);
        ASSERT_TRUE(PumpUntil([&] { return s_link->GetCharsReceived() >= before + row.device.size(); }));
        if (row.state == linkstate::BlockRequest)
            EXPECT_EQ(row.taken, sink.lines);
        else if (row.state == linkstate::SystemConfig)
            EXPECT_EQ(row.taken, s_host->systemConfigLines);
        else
            EXPECT_EQ(row.taken, obj.received);
        EXPECT_EQ(row.refused, refused);
        s_link->SetLinkState(linkstate::Online);
    }
    SetProfile(QStringLiteral("KVT7000/Echo On"), {});  // what the set-ups found
    s_doc->RemovePath("/TEST/A");
    s_doc->RemovePath("/TEST/B");
    s_doc->RemovePath("/TEST");
}

TEST_F(CommLinkPty, SystemConfigurationStateFeedsOnlyTheBrowser)
{
    // The dialog is modal: lines that arrive while it is open go to it and
    // not to the monitor.
    struct ModalHost : TestHost {
        PtyDevice* device = nullptr;
        void RunSystemConfigDialog() override
        {
            device->Send("  /SLOT1/TYPE 2 ;card\r\n?\r\n");
            Pump(150);
        }
    } modal;
    modal.device = s_device;
    s_link->SetHost(&modal);
    s_link->OnSystemConfiguration();
    s_link->SetHost(s_host);
    EXPECT_EQ(modal.systemConfigLines, (std::vector<std::string> {"/SLOT1/TYPE 2", "?"}));
    EXPECT_TRUE(modal.monitor.empty());
    EXPECT_EQ(s_link->GetLinkState(), linkstate::Online);
}

TEST_F(CommLinkPty, BootLoaderLinesGoUpperCasedToTheFirmwareMachine)
{
    s_link->SetLinkState(linkstate::FirmwareLoad);
    // The loader asks for records but no firmware dialog is open: end record only.
    s_device->Send("* \tprog\r\n");
    Pump(120);
    EXPECT_EQ(Sent(), "S9030000FC\r\n\r\n");
    EXPECT_EQ(s_link->GetFirmwareStep(), 1);
    s_link->SetLinkState(linkstate::Online);
}

TEST_F(CommLinkPty, BlockRequestsAreLimitedTo512Characters)
{
    AnswerSink sink;
    const std::string long511(511, 'x');
    EXPECT_FALSE(s_link->SendBlock({long511}, true, 0, &sink, 0));  // 513 with its line end
    EXPECT_EQ(s_link->GetLinkState(), linkstate::Online);
    EXPECT_EQ(Sent(), "");
    const std::string long510(510, 'y');
    EXPECT_TRUE(s_link->SendBlock({long510}, true, 0, &sink, 0));
    EXPECT_EQ(s_link->GetLinkState(), linkstate::BlockRequest);
    EXPECT_EQ(Sent(), long510 + "\r\n");
    EXPECT_FALSE(s_link->SendBlock({std::string(200, 'a'), std::string(200, 'b'), std::string(107, 'c')}, true, 0,
                                   &sink, 0));
    EXPECT_TRUE(s_link->SendBlock({std::string(200, 'a'), std::string(200, 'b'), std::string(106, 'c')}, true, 0,
                                  &sink, 0));
    EXPECT_EQ(Sent().size(), 512u);
    // Characters on the line: "ü" is one.
    EXPECT_TRUE(s_link->SendBlock({std::string(250, 'u'), "/NAME " + std::string(251, 'x') + "ü"}, true, 0, &sink, 0));
    EXPECT_EQ(Sent().size(), 512u);
}

TEST_F(CommLinkPty, BlockAnswersGoToTheFirstRequester)
{
    AnswerSink first, second;
    s_device->respond = [](const std::string& line) -> std::string {
        if (line == "/AUDIO/IN1/VOL ?")
            return "/AUDIO/IN1/VOL ?\r\n/AUDIO/IN1/VOL -10\r\n";
        if (line == "/AUDIO/IN2/VOL ?")
            return "/AUDIO/IN2/VOL -20\r\n";
        return {};
    };
    ASSERT_TRUE(s_link->SendBlock({"/AUDIO/IN1/VOL ?"}, true, 0, &first, 7));
    ASSERT_TRUE(s_link->SendBlock({"/AUDIO/IN2/VOL ?"}, true, 0, &second, 9));
    ASSERT_TRUE(PumpUntil([&] { return first.lines.size() >= 2; }));
    Pump(100);
    // The echo of the query is no answer.
    EXPECT_EQ(first.lines, (std::vector<std::string> {"/AUDIO/IN1/VOL -10", "/AUDIO/IN2/VOL -20"}));
    EXPECT_EQ(first.params.front(), 7);
    EXPECT_EQ(second.messages, 0);
    EXPECT_TRUE(s_link->GetAnswerList().empty());  // the receiver emptied it

    // A requester that is gone gets nothing; its lines stay in the list.
    s_link->SetLinkState(linkstate::Online);
    auto gone = std::make_unique<AnswerSink>();
    ASSERT_TRUE(s_link->SendBlock({"/AUDIO/IN2/VOL ?"}, true, 0, gone.get(), 0));
    gone.reset();
    ASSERT_TRUE(PumpUntil([&] { return !s_link->GetAnswerList().empty(); }));
    EXPECT_EQ(s_link->GetAnswerList().front(), "/AUDIO/IN2/VOL -20");
}

TEST_F(CommLinkPty, QueryReturnsTheRawAnswerAndKeepsItFromTheDocument)
{
    LineObject obj(*s_doc, "PROTECT", {{"X", "1"}});
    s_device->respond = [](const std::string& line) -> std::string {
        return line == "/PROTECT ?" ? "/PROTECT ?\r\n/PROTECT OFF\r\n/PROTECT>" : std::string();
    };
    const std::string answer = s_link->Query("/PROTECT ?\r\n", 500);
    EXPECT_EQ(answer, "/PROTECT ?\r\n/PROTECT OFF\r\n/PROTECT>");
    EXPECT_EQ(Sent(), "/PROTECT ?\r\n\r\n");
    Pump(100);
    EXPECT_TRUE(obj.received.empty());  // the query took the answer itself
    EXPECT_NE(s_host->monitor.find("/PROTECT OFF"), std::string::npos);
    EXPECT_EQ(s_link->Query("/NOTHING ?", 100), "");
    s_doc->RemovePath("/PROTECT/X");
    s_doc->RemovePath("/PROTECT");
}

TEST_F(CommLinkPty, QueryUntilLineEndReturnsWithThePieceThatEndsTheLine)
{
    s_device->respond = [](const std::string& line) -> std::string {
        if (line != "ATZ")
            return {};
        QTimer::singleShot(400, [] { s_device->Send("K\r\nRING"); });
        return "ATZ\r\nO";
    };
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(s_link->QueryUntilLineEnd("ATZ", 3000), "OK\r\nRING");
    EXPECT_LT(t.elapsed(), 2900);  // not the whole time-out
    s_device->respond = nullptr;
    EXPECT_EQ(s_link->QueryUntilLineEnd("ATI", 0), "");
    Pump(400);  // the rest of the answer comes and goes
}

// The device's "PATH ? " for a line it did not understand is an answer,
// though it reads as the echo of the query once trimmed.
TEST_F(CommLinkPty, SendAndCollectDropsEchoesAndRepeatedAnswers)
{
    s_device->respond = [](const std::string& line) -> std::string {
        if (line == "/A/B ?" || line == "/A/C ?")
            return line + "\r\n/A/B 1\r\n";
        if (line == "/A/X ?")
            return line + "\r\n/A/X ? \r\n";
        return {};
    };
    std::vector<std::string> answers;
    ASSERT_TRUE(s_link->SendAndCollect({"/A/B ?", "/A/X ?", "/A/C ?"}, &answers));
    EXPECT_EQ(answers, (std::vector<std::string> {"/A/B 1", "/A/X ? "}));
    EXPECT_EQ(s_link->GetRThreshold(), 1);
    EXPECT_TRUE(s_link->SendAndCollect({}, nullptr));
}

// An empty line comes back as an empty echo and a device may answer with
// empty parts: neither may glue the answers together or stall the split.
TEST_F(CommLinkPty, SendAndCollectKeepsAnswersApartAroundEmptyLines)
{
    s_device->respond = [](const std::string& line) -> std::string {
        if (line.empty())
            return "\r\n";
        if (line == "/A/B ?")
            return line + "\r\n/A/B 1\r\n";
        if (line == "/A/C ?")
            return line + "\r\n\r\n/A/C 2\r\n\r\n";
        return {};
    };
    std::vector<std::string> answers;
    ASSERT_TRUE(s_link->SendAndCollect({"/A/B ?", "", "/A/C ?"}, &answers));
    EXPECT_EQ(answers, (std::vector<std::string> {"/A/B 1", "/A/C 2"}));
    answers.clear();
    // Repeated answers are dropped by whole lines: "/A/B 1" does not swallow "/A/B 10".
    s_device->respond = [](const std::string& line) -> std::string {
        if (line == "/A/B ?")
            return line + "\r\n/A/B 1\r\n/A/B 10\r\n/A/B 1\r\n";
        return {};
    };
    ASSERT_TRUE(s_link->SendAndCollect({"/A/B ?"}, &answers));
    EXPECT_EQ(answers, (std::vector<std::string> {"/A/B 1", "/A/B 10"}));
    EXPECT_EQ(s_link->GetRThreshold(), 1);
}

TEST_F(CommLinkPty, SerialErrorsShowTheComErrorMessage)
{
    Messages messages;
    s_link->counters.frame += 1;
    s_device->Send("x");
    ASSERT_TRUE(PumpUntil([&] { return !messages.texts.empty(); }));
    EXPECT_EQ(messages.texts.front(), "COM-Übertragungsfehler !( Framing error )");
    EXPECT_EQ(messages.types.front(), static_cast<uint32_t>(mb::IconStop));
    EXPECT_TRUE(s_link->IsConnected());
}

TEST_F(CommLinkPty, TextFileLinesArePacedByTheOutputBuffer)
{
    const QString path = s_dir->filePath(QStringLiteral("extra.txt"));
    ASSERT_TRUE(WriteTestFile(path, "/ZONE1/VOL -3\n/ZONE2/VOL -4\r\n/ZONE4/NAME Halle\tNord\x03\n/ZONE3/VOL -5"));
    Messages messages;
    s_link->backlog = 600;
    s_link->SendTextFile(path.toStdString());
    EXPECT_TRUE(s_link->IsSendingTextFile());
    EXPECT_EQ(s_link->GetLinkState(), linkstate::Terminal);
    EXPECT_EQ(s_link->GetTextLinesTotal(), 4);
    EXPECT_EQ(Sent(300), "/ZONE1/VOL -3\r");  // the first line at once, then held back
    s_link->SendTextFile(path.toStdString());
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Bitte warten bis aktuelle Übertragung abgeschlossen ist !\n"}));
    s_link->backlog = 511;
    ASSERT_TRUE(PumpUntil([&] { return !s_link->IsSendingTextFile(); }));
    // A tab parts like a blank; no other control character reaches the device.
    EXPECT_EQ(Sent(), "/ZONE2/VOL -4\r/ZONE4/NAME Halle Nord\r/ZONE3/VOL -5\r");
    EXPECT_EQ(s_link->GetTextLinesSent(), 4);
    EXPECT_EQ(s_link->GetLinkState(), linkstate::Terminal);

    // An empty file: a message and no timer left running.
    const QString empty = s_dir->filePath(QStringLiteral("empty.txt"));
    ASSERT_TRUE(WriteTestFile(empty, {}));
    s_link->SendTextFile(empty.toStdString());
    EXPECT_EQ(messages.texts.back(), "Die Datei ist leer !");
    EXPECT_FALSE(s_link->IsSendingTextFile());
    s_link->SendTextFile(s_dir->filePath(QStringLiteral("missing.txt")).toStdString());
    EXPECT_EQ(messages.texts.back(), "Das Textfile kann nicht geöffnet werden !");
    EXPECT_EQ(Sent(), "");
}

TEST_F(CommLinkPty, CancellingATextFileStopsItsTimer)
{
    const QString path = s_dir->filePath(QStringLiteral("many.txt"));
    QByteArray lines;
    for (int i = 0; i < 40; ++i)
        lines += QByteArray("/LINE ") + QByteArray::number(i) + "\n";
    ASSERT_TRUE(WriteTestFile(path, lines));
    Messages messages;
    s_host->cancelAfter = 3;  // the fourth look at the Cancel button sees it pressed
    s_link->SendTextFileWithProgress(path.toStdString());
    s_host->cancelAfter = -1;
    EXPECT_FALSE(s_link->IsSendingTextFile());
    EXPECT_TRUE(messages.Contains("Wollen Sie den Vorgang wirklich abbrechen ?"));
    const int sent = s_link->GetTextLinesSent();
    EXPECT_GE(sent, 1);
    EXPECT_LT(sent, 40);
    Pump(200);
    EXPECT_EQ(s_link->GetTextLinesSent(), sent);
    EXPECT_EQ(s_host->progressCaptions.back(), "Textfile senden");
}

TEST_F(CommLinkPty, DownloadWaitsForAnEmptyOutputBufferBeforeEachStep)
{
    Messages messages;
    LineObject obj(*s_doc, "PACE", {{"A", "1"}, {"B", "2"}});
    s_host->paramSelect = [&](ParamSelection& sel) {
        sel.direction = 1;
        sel.objects = {&obj};
        return true;
    };
    QElapsedTimer t;
    std::vector<std::pair<std::string, qint64>> arrivals;
    // The device echoes what it reads: the download ends once it has echoed its last line.
    s_device->respond = [&](const std::string& line) {
        arrivals.emplace_back(line, t.elapsed());
        return line + "\r\n";
    };
    s_link->backlog = 600;
    QTimer::singleShot(400, [] { s_link->backlog = 0; });
    t.start();
    s_link->OnTransferParameters();
    s_host->paramSelect = nullptr;
    Pump(100);
    s_device->Take();
    ASSERT_GE(arrivals.size(), 5u);
    EXPECT_EQ(arrivals[0].first, "/MACRO/LOCK ON");
    EXPECT_EQ(arrivals[1].first, "/PACE/A 1");
    EXPECT_GE(arrivals[1].second, 390);  // held back until the buffer was empty
    EXPECT_EQ(arrivals[2].first, "/PACE/B 2");
    EXPECT_EQ(arrivals[3].first, "/MACRO/LOCK OFF");
    EXPECT_EQ(arrivals[4].first, "/SERVICE/START FASTSAVE");
    EXPECT_EQ(s_link->GetLinkState(), linkstate::Online);
    EXPECT_EQ(s_host->seenTextFileName, "Anlage1.txt");
    s_doc->RemovePath("/PACE/A");
    s_doc->RemovePath("/PACE/B");
    s_doc->RemovePath("/PACE");
}

TEST_F(CommLinkPty, FirmwareRecordsWaitWhileMoreThan512BytesAreQueued)
{
    const QString path = s_dir->filePath(QStringLiteral("small.hex"));
    ASSERT_TRUE(
        WriteTestFile(path, "S00600004844521B\r\nS1130000285F245F2212226A000424290008237C2A\r\nS9030000FC\r\n"));
    CFirmwareSender& sender = s_link->GetFirmwareSender();
    ASSERT_TRUE(sender.Begin(path.toStdString()));
    EXPECT_EQ(sender.StatusText(), "Löschen des aktuellen QUILLOMER-Betriebssystems !");
    Pump(450);
    EXPECT_GE(sender.Position(), 12);  // the erase display moves by 4 every 100 ms
    sender.StartSending();
    EXPECT_EQ(sender.Position(), 0);
    s_link->backlog = 513;
    Pump(150);
    EXPECT_EQ(sender.LinesSent(), 0);
    s_link->backlog = 512;
    bool finished = false, ok = false;
    WatchFirmwareEnd(sender, finished, ok);
    ASSERT_TRUE(PumpUntil([&] { return sender.IsAwaitingVerdict(); }, 3000));
    EXPECT_EQ(sender.LinesSent(), 3);
    EXPECT_EQ(sender.Position(), 100);  // never above 100, lines or not
    EXPECT_EQ(Sent(), "S00600004844521B\r\nS1130000285F245F2212226A000424290008237C2A\r\nS9030000FC\r\n");
    EXPECT_NE(s_host->monitor.find("S1130000285F245F2212226A000424\r\n"), std::string::npos);  // 30 characters
    // The whole file is out, but only the loader can say whether it took it.
    Pump(150);
    EXPECT_FALSE(finished);
    EXPECT_TRUE(sender.IsOpen());
    EXPECT_FALSE(sender.IsSending());
    EXPECT_EQ(sender.StatusText(),
              "Das neue QUILLOMER-Betriebssystem ist übertragen.\r\nWarten auf die Bestätigung von QUILLOMER ...");
    EXPECT_EQ(Sent(), "");
    sender.CloseAsDone();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(ok);
    sender.disconnect();
}

TEST_F(CommLinkPty, FirmwareCancelEndsTheStream)
{
    const QString path = s_dir->filePath(QStringLiteral("cancel.hex"));
    ASSERT_TRUE(WriteTestFile(path, "S00600004844521B\r\n"));
    CFirmwareSender& sender = s_link->GetFirmwareSender();
    ASSERT_TRUE(sender.Begin(path.toStdString()));
    sender.StartSending();
    s_link->backlog = 600;
    sender.Cancel();
    EXPECT_FALSE(sender.IsOpen());
    EXPECT_FALSE(sender.IsSending());
    EXPECT_EQ(Sent(), "\x03\r\n\r\nS9030000FC\r\n\r\n");
    EXPECT_FALSE(sender.Begin(s_dir->filePath(QStringLiteral("missing.hex")).toStdString()));
}

TEST_F(CommLinkPty, FirmwareFilesWithoutDataRecordsAreNoFirmware)
{
    using Check = CFirmwareSender::FileCheck;
    const auto check = [](const QString& name, const QByteArray& bytes) {
        const QString path = s_dir->filePath(name);
        EXPECT_TRUE(WriteTestFile(path, bytes));
        return CFirmwareSender::CheckFile(path.toStdString());
    };
    EXPECT_EQ(check(QStringLiteral("empty.hex"), ""), Check::NoData);
    EXPECT_EQ(check(QStringLiteral("blank.hex"), "\r\n \r\n\t\n"), Check::NoData);
    // Header, count and end records carry nothing to program.
    EXPECT_EQ(check(QStringLiteral("frame.hex"), "S00600004844521B\r\nS5030001FB\r\nS9030000FC\r\n"), Check::NoData);
    EXPECT_EQ(check(QStringLiteral("text.txt"), "/CLOCK/SLAVE1 ON\r\nS1 is the first zone\r\n"), Check::NoData);
    // A record's look in the middle of an overlong line is no record.
    EXPECT_EQ(check(QStringLiteral("long.hex"), QByteArray(4095, 'x') + "S1130000285F245F2212226A000424290008237C2A\r\n"),
              Check::NoData);
    // Any of the three data records, wherever it stands, in either case, with any line end.
    EXPECT_EQ(check(QStringLiteral("s1.hex"), "S00600004844521B\r\nS1130000285F245F2212226A000424290008237C2A\r\n"),
              Check::Ok);
    EXPECT_EQ(check(QStringLiteral("s2.s28"), "\n\n  s214000000285F245F2212226A000424290008237C29\n"), Check::Ok);
    EXPECT_EQ(check(QStringLiteral("s3.s37"), QByteArray(5000, 'x') + "\nS3150000000000000000000000000000000000000000EA"),
              Check::Ok);
    EXPECT_EQ(CFirmwareSender::CheckFile(s_dir->filePath(QStringLiteral("missing.hex")).toStdString()), Check::CannotOpen);
}

namespace {
// A firmware load that stands in step 2 with the dialog open: the loader
// asked for the records of a file of `records` data records.
bool StartFirmwareStream(TestLink& link, PtyDevice& device, const QString& path, int records)
{
    QByteArray bytes = "S00600004844521B\r\n";
    for (int i = 0; i < records; ++i)
        bytes += "S1130000285F245F2212226A000424290008237C2A\r\n";
    bytes += "S9030000FC\r\n";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    if (!link.GetFirmwareSender().Begin(path.toStdString()))
        return false;
    link.SetLinkState(linkstate::FirmwareLoad);
    // (The line end first ends whatever an earlier test left unfinished.)
    device.Send("\r\n* \tPROG\r\n");
    return PumpUntil([&] { return link.GetFirmwareStep() == 2; });
}

// Whatever way a firmware test ends, the shared link is left as it was found.
struct FirmwareTestEnd {
    ~FirmwareTestEnd()
    {
        link.GetFirmwareSender().disconnect();
        link.backlog = 0;
        link.SetLoaderTimeouts(CCommLink::kLoaderEraseTimeoutMs, CCommLink::kLoaderVerdictTimeoutMs);
    }
    TestLink& link;
};
}  // namespace

TEST_F(CommLinkPty, ALoaderThatKeepsTakingRecordsIsWaitedFor)
{
    Messages messages;
    CFirmwareSender& sender = s_link->GetFirmwareSender();
    const FirmwareTestEnd end {*s_link};
    bool finished = false, ok = false;
    WatchFirmwareEnd(sender, finished, ok);
    // The whole stream takes several times the silence allowed, but the
    // records never stop for long: the line takes one record every 250 ms.
    s_link->SetLoaderTimeouts(5000, 1000);
    s_link->backlog = 600;
    QTimer gate;
    gate.setInterval(250);
    QObject::connect(&gate, &QTimer::timeout, [] { s_link->backlog = 0; });
    QObject::connect(&sender, &CFirmwareSender::RecordSent, [] { s_link->backlog = 600; });
    gate.start();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(StartFirmwareStream(*s_link, *s_device, s_dir->filePath(QStringLiteral("slow.hex")), 10));
    ASSERT_TRUE(PumpUntil([&] { return sender.IsAwaitingVerdict(); }, 15000));
    gate.stop();
    s_link->backlog = 0;
    EXPECT_EQ(sender.LinesSent(), 12);
    EXPECT_GT(clock.elapsed(), 2000);
    EXPECT_TRUE(s_link->IsConnected());
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_FALSE(finished);
    // The verdict closes the dialog as done, then the success is told and the system started.
    s_device->Take();
    s_device->Send("* \tOK.\r\n");
    ASSERT_TRUE(PumpUntil([&] { return s_link->GetFirmwareStep() == 3; }));
    EXPECT_TRUE(finished);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(s_link->IsWatchingLoader());  // now for the started system's banner
    EXPECT_EQ(messages.texts,
              (std::vector<std::string> {"Vorgang 'QUILLOMER-Betriebssystem laden' wurde erfolgreich durchgeführt !"}));
    EXPECT_EQ(Sent(), "START\r\n\r\n");
    // The next test starts with a fresh link (the banner would run a whole set-up).
    s_link->OnLineLost();
    ASSERT_TRUE(s_link->Attach(s_doc));
}

TEST_F(CommLinkPty, ComPortChoiceIsStoredAndShown)
{
    CCmdUI com2(commid::ComPort1 + 1);
    s_link->OnUpdateSelectComPort(com2);
    EXPECT_EQ(com2.m_checked, 1);  // default: stored 1, COM 2
    EXPECT_FALSE(com2.m_enabled);  // not while connected
    s_link->OnSelectComPort(commid::ComPort1 + 3);
    EXPECT_EQ(Profile(QStringLiteral("COMSECTION/PORT")).toInt(), 3);
    CCmdUI com4(commid::ComPort1 + 3);
    s_link->OnUpdateSelectComPort(com4);
    EXPECT_EQ(com4.m_checked, 1);
    SetProfile(QStringLiteral("COMSECTION/PORT"), {});
}

TEST_F(CommLinkPty, MonitorTypingIsTerminalMode)
{
    s_link->OnMonitorChar("?");
    s_link->OnMonitorChar("\r");
    EXPECT_EQ(Sent(), "?\r");
    EXPECT_EQ(s_link->GetLinkState(), linkstate::Terminal);
}

TEST_F(CommLinkPty, ExportingCollectsTheLinesWithoutSending)
{
    s_link->OnExportWorksheet();  // the test's dialog is cancelled
    EXPECT_FALSE(s_link->IsExporting());
    EXPECT_EQ(Sent(), "");
    EXPECT_FALSE(QFile::exists(s_dir->filePath(QStringLiteral("Anlage1.qlx.par"))));
    EXPECT_TRUE(QFile::exists(s_dir->filePath(QStringLiteral("Anlage1.qlx.ret"))));
}

TEST_F(CommLinkPty, VersionAnswersGiveTheCapabilityFlags)
{
    EXPECT_EQ(CCommLink::VersionFromAnswer("/SERVICE/VER ?\r\n/SERVICE/VER V0.551 rel 1.00\r\n"), "V0.551");
    EXPECT_EQ(CCommLink::VersionFromAnswer("/SERVICE/VER V0.551a rel 2\r\n"), "V0.551a");
    EXPECT_EQ(CCommLink::VersionFromAnswer("/SERVICE/VER V0.551\r\n"), "");
    EXPECT_EQ(CCommLink::VersionFromAnswer("/SERVICE/VER 0.551 rel\r\n"), "");

    auto flags = [] {
        std::string out;
        for (const char* name : {"MONI_CLR", "VIRTCTRL_CLR", "MACRO_CLR", "TRIGGER_CLR", "CAL_CLR", "COND_CLR",
                                 "LOGICOUT_CLR", "SPAREAMP_CLR", "READYINP_CLR"})
            out += Profile(QStringLiteral("KVT7000/") + QLatin1String(name)).toString().toStdString();
        return out;
    };
    CCommLink::StoreCapabilities("V0.550");
    EXPECT_EQ(flags(), "110000000");
    CCommLink::StoreCapabilities("V0.551a");
    EXPECT_EQ(flags(), "111111111");
    CCommLink::StoreCapabilities("V0.55");  // shorter text: lower than V0.550
    EXPECT_EQ(flags(), "010000000");
    CCommLink::StoreCapabilities("V0.6");
    EXPECT_EQ(flags(), "111111111");
}

TEST_F(CommLinkPty, SetupReadsTheDeviceFactsAndWarnsOfAnotherVariant)
{
    Messages messages;
    SetProfile(QStringLiteral("KVT7000/OS Version"), QStringLiteral("V0.1"));
    s_doc->m_data.deviceVariant = 0;  // a standard device in the project
    s_device->respond = [](const std::string& line) -> std::string {
        if (line == "/COMM/PROMPT OFF")
            return "/COMM/PROMPT OFF\r\n";
        if (line == "/SERVICE/ACCESS/DATE ?")
            return "/SERVICE/ACCESS/TIME 08:15:00\r\n/SERVICE/ACCESS/DATE 24.12.2025\r\n";
        if (line == "/COMM/ECHO ?")
            return "/COMM/ECHO ?\r\n/COMM/ECHO ON\r\n";
        if (line == "/COMM/PROMPT ?")
            return "/COMM/PROMPT ?\r\n/COMM/PROMPT OFF\r\n";
        if (line == "/SERVICE/DEVICE ?")
            return "/SERVICE/DEVICE ?\r\n/SERVICE/DEVICE KVT7000-2\r\n";
        if (line == "/SERVICE/VER ?")
            return "/SERVICE/VER ?\r\n/SERVICE/VER V0.551a rel 1.00\r\n";
        return {};
    };
    s_link->SetupSession();
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Last access time")).toString(), QStringLiteral("08:15:00"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Last access date")).toString(), QStringLiteral("24.12.2025"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Echo On")).toInt(), 1);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Prompt On")).toInt(), 0);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Device Id")).toString(), QStringLiteral("KVT7000-2"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OS Version")).toString(), QStringLiteral("V0.551a"));
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Das Arbeitsblatt paßt nicht mit der Geräteversion zusammen!"}));
    EXPECT_TRUE(s_link->IsConnected());  // a warning only
    EXPECT_FALSE(s_link->GetProtectionWasOn());
    s_doc->m_data.deviceVariant = 1;
}

TEST_F(CommLinkPty, OnlineNoticeEveryTimeNeverOrAtIntervals)
{
    auto run = [](const QVariant& counter) {
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), counter);
        const int before = s_host->onlineNotices;
        s_link->ShowOnlineNoticeIfDue();
        return s_host->onlineNotices - before;
    };
    EXPECT_EQ(run(0), 0);
    EXPECT_EQ(run(1), 1);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OnlineCounter")).toInt(), 1);
    EXPECT_EQ(run({}), 1);  // default: every time
    EXPECT_EQ(run(18), 0);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OnlineCounter")).toInt(), 19);
    EXPECT_EQ(run(2), 0);   // "at intervals": counts on
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OnlineCounter")).toInt(), 3);
    EXPECT_EQ(run(std::numeric_limits<int>::max()), 0);  // and starts again at the end of its range
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OnlineCounter")).toInt(), 2);
    // The dialog of the test stores nothing: the counter 19 stays as the user left it...
    EXPECT_EQ(run(19), 1);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OnlineCounter")).toInt(), 19);
    // ...and goes on to 20 when the user keeps the interval choice.
    struct IntervalHost : TestHost {
        void ShowOnlineNotice() override
        {
            ++onlineNotices;
            SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 2);
        }
    } interval;
    s_link->SetHost(&interval);
    SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 19);
    s_link->ShowOnlineNoticeIfDue();
    s_link->SetHost(s_host);
    EXPECT_EQ(interval.onlineNotices, 1);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OnlineCounter")).toInt(), 20);
    SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
}

TEST_F(CommLinkPty, ConnectingAgainKeepsOrEndsTheConnection)
{
    // "StayOnline": the active document is bound again, the log reopened,
    // nothing goes to the device.
    SetProfile(QStringLiteral("Configuration/StayOnline"), 1);
    CQuillomerDoc other;
    other.SetTitle("Anlage2");
    other.SetPathName(s_dir->filePath(QStringLiteral("Anlage2.qlx")).toStdString());
    ActiveDocHook previous = SetActiveDocHook([&] { return &other; });
    s_link->OnConnect();
    EXPECT_TRUE(s_link->IsConnected());
    EXPECT_EQ(s_link->GetBoundDocument(), &other);
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(ReadFile(s_dir->filePath(QStringLiteral("Anlage2.log"))).rfind(";\r\n;Beginn", 0), 0u);
    SetActiveDocHook(previous);
    s_link->OnConnect();
    EXPECT_EQ(s_link->GetBoundDocument(), s_doc);

    // Otherwise the second connect disconnects.
    SetProfile(QStringLiteral("Configuration/StayOnline"), {});
    s_link->OnConnect();
    EXPECT_FALSE(s_link->IsConnected());
    EXPECT_EQ(s_link->GetBoundDocument(), nullptr);
    const std::string sent = Sent();
    EXPECT_EQ(sent.rfind("/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n", 0), 0u) << sent;
    ASSERT_TRUE(s_link->Attach(s_doc));
}

// The disconnect saves the device's settings, unless the user was told that
// a download left them incomplete and unsaved (then only on the user's word,
// until that download, or a whole one, went through) or the device is unknown.
TEST_F(CommLinkPty, TheDisconnectSavesNothingTheUserWasToldIsIncomplete)
{
    struct Row {
        const char* name;
        std::vector<std::string> incomplete;  // the downloads told so, "" the whole
        std::vector<std::string> complete;    // the downloads that then went through
        std::deque<int> answers;
        bool asked;
        bool saved;
    };
    const Row rows[] = {
        {"told, the default answer", {"Trigger downloaden"}, {}, {}, true, false},
        {"told, the user says yes", {"Trigger downloaden"}, {}, {mb::IdYes}, true, true},
        {"the same download went through", {"Trigger downloaden"}, {"Trigger downloaden"}, {}, false, true},
        {"another download went through", {"Trigger downloaden"}, {"Makro downloaden"}, {}, true, false},
        {"a whole download went through", {"", "obj 1"}, {""}, {}, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Messages messages;
        messages.answers = row.answers;
        for (const std::string& what : row.incomplete)
            s_link->NoteIncompleteDownload(what);
        for (const std::string& what : row.complete)
            s_link->NoteCompleteDownload(what);
        s_link->OnDisconnect();
        const std::vector<std::string> asked {LoadStringId(IDS_SAVE_INCOMPLETE_ASK)};
        EXPECT_EQ(row.asked ? asked : std::vector<std::string> {}, messages.texts);
        EXPECT_EQ(row.saved, Sent().find("/SERVICE/START FASTSAVE\r\n") != std::string::npos);
        ASSERT_TRUE(s_link->Attach(s_doc));
        EXPECT_FALSE(s_link->HasIncompleteDownload()) << "the connection's end forgets it";
    }

    // A device that is not the central device is told so and sent no save.
    SCOPED_TRACE("unknown device");
    s_link->ClosePort();
    s_device->respond = [](const std::string& line) { return line == "?" ? std::string("HALLO\r\n") : std::string(); };
    Messages messages;
    s_link->OnConnect();
    EXPECT_FALSE(s_link->IsConnected());
    EXPECT_EQ(std::vector<std::string> {"Unbekanntes Gerät an der Kommunikationsschnittstelle !"}, messages.texts);
    const std::string sent = Sent();
    EXPECT_NE(std::string::npos, sent.find("/CLOCK/MAIN/TIME ?")) << "no disconnect ran: " << sent;
    EXPECT_EQ(std::string::npos, sent.find("FASTSAVE")) << sent;
    ASSERT_TRUE(s_link->Attach(s_doc));
}

TEST_F(CommLinkPty, PasswordCommandOnAnUnprotectedDeviceSetsAPassword)
{
    Messages messages;
    EXPECT_FALSE(s_link->TrySetPassword("abc", "abd"));
    EXPECT_EQ(messages.texts.back(), "Eingaben ungülig !");
    EXPECT_EQ(Sent(), "");

    bool on = false;
    std::vector<std::string> lines;
    s_device->respond = [&](const std::string& line) -> std::string {
        lines.push_back(line);
        if (line == "/PROTECT ?")
            return on ? "/PROTECT ON\r\n" : "/PROTECT OFF\r\n";
        if (lines.size() >= 3 && lines[lines.size() - 3] == "/PROTECT ON" && lines[lines.size() - 2] == line)
            on = true;  // the password and its repetition
        if (lines.size() >= 2 && lines[lines.size() - 2] == "/PROTECT OFF" && line == "tor7")
            on = false;
        return {};
    };
    s_host->loginPasswords = {"tor7"};
    s_link->OnPassword();
    s_host->loginPasswords.clear();
    EXPECT_EQ(s_host->logins, (std::vector<int> {2}));
    EXPECT_TRUE(s_link->GetProtectionWasOn());
    EXPECT_EQ(lines, (std::vector<std::string> {"/PROTECT ?", "", "/PROTECT ON", "tor7", "tor7", "/PROTECT ?",
                                                "/PROTECT OFF", "tor7", "/PROTECT ?"}));
    EXPECT_EQ(s_link->GetRThreshold(), 1);
    s_host->logins.clear();
}

TEST_F(CommLinkPty, ALoaderErrorClosesTheFirmwareDialogAndDisconnects)
{
    Messages messages;
    const QString path = s_dir->filePath(QStringLiteral("bad.hex"));
    ASSERT_TRUE(WriteTestFile(path, "S00600004844521B\r\n"));
    CFirmwareSender& sender = s_link->GetFirmwareSender();
    ASSERT_TRUE(sender.Begin(path.toStdString()));
    bool finished = false, ok = true;
    WatchFirmwareEnd(sender, finished, ok);
    s_link->SetLinkState(linkstate::FirmwareLoad);
    s_device->Send("* \tPROG\r\n");
    ASSERT_TRUE(PumpUntil([&] { return s_link->GetFirmwareStep() == 2; }));
    s_link->backlog = 600;  // keep the records back, until the sending ends
    QObject::connect(&sender, &CFirmwareSender::Finished, [] { s_link->backlog = 0; });
    s_device->Send("* \tERROR CHECKSUM LINE 1\r\n");
    ASSERT_TRUE(PumpUntil([&] { return !s_link->IsConnected(); }, 5000));
    EXPECT_TRUE(finished);
    EXPECT_FALSE(ok);
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_EQ(messages.texts.front(),
              "Fehler beim Laden des QUILLOMER-Betriebssystems !\r\n\nERROR CHECKSUM LINE 1\r\n\n"
              "Bitte File überprüfen und Vorgang wiederholen !");
    sender.disconnect();
    s_link->backlog = 0;
    ASSERT_TRUE(s_link->Attach(s_doc));
}

TEST_F(CommLinkPty, FirmwareFileOfTheUpgradedDeviceIsCheckedAgainstTheVersion)
{
    Messages messages;
    const QString file = s_dir->filePath(QStringLiteral("kvt0552a.hex"));
    ASSERT_TRUE(WriteTestFile(file, "S00600004844521B\r\nS1130000285F245F2212226A000424290008237C2A\r\nS9030000FC\r\n"));
    s_host->firmwareFile = file.toStdString();
    auto load = [&](const char* version) {
        SetProfile(QStringLiteral("KVT7000/OS Version"), QString::fromLatin1(version));
        messages.texts.clear();
        // Version question (the device says nothing): exclamation only; then
        // the last chance is declined.
        messages.answers = {mb::IdOk, mb::IdNo};
        s_link->OnLoadFirmware();
    };
    load("V0.551");
    ASSERT_EQ(messages.texts.size(), 4u);
    EXPECT_EQ(messages.texts[0], "Versionsabfrage nicht möglich,da QUILLOMER nicht antwortet !");
    EXPECT_EQ(messages.texts[1],
              "Überprüfen Sie das zu ladende Betriebssystem!\nDie Geräteversionskennung stimmt nicht überein!");
    EXPECT_EQ(messages.texts[3], "Vorgang 'QUILLOMER-Betriebssystem erneuern' wurde abgebrochen !");
    load("V0.551a");
    EXPECT_EQ(messages.texts.size(), 3u);
    EXPECT_EQ(Sent(), "/SERVICE/VER ?\r\n/SERVICE/VER ?\r\n");

    // In the boot loader a declined load starts the old system again.
    s_link->SetLinkState(linkstate::FirmwareLoad);
    s_host->firmwareFile.clear();
    messages.answers = {mb::IdOk};
    s_link->OnLoadFirmware();
    EXPECT_EQ(Sent(), "/SERVICE/VER ?\r\nSTART\r\n\r\n");
    EXPECT_EQ(s_link->GetFirmwareStep(), 3);  // waiting for the old system's banner
    s_link->SetLinkState(linkstate::Online);
}

TEST_F(CommLinkPty, AnEmptyDifferenceFileIsNotShown)
{
    s_link->ResetErrorFile();
    EXPECT_EQ(s_link->GetErrorFileName(), s_dir->filePath(QStringLiteral("Anlage1.err")).toStdString());
    EXPECT_TRUE(QFile::exists(s_dir->filePath(QStringLiteral("Anlage1.err"))));
    s_link->ShowErrorFile();
    EXPECT_TRUE(s_host->editorFiles.empty());
    EXPECT_EQ(s_link->GetErrorFileName(), "");
}

namespace {
// A link of its own tries to connect with `doc` as the active document; it
// must end neither connected nor bound.
void ExpectConnectFails(CQuillomerDoc& doc)
{
    ActiveDocHook previous = SetActiveDocHook([&] { return &doc; });
    TestHost host;
    CCommLink link;
    link.SetHost(&host);
    link.OnConnect();
    SetActiveDocHook(previous);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(link.GetBoundDocument(), nullptr);
}
}  // namespace

TEST(CommLinkAlone, UploadWithoutADocumentCreatesNoDifferenceFile)
{
    serialtest::UsePrivateSettings();
    TestHost host;
    CCommLink link;
    link.SetHost(&host);
    link.ResetErrorFile();
    EXPECT_EQ(link.GetErrorFileName(), "");
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(link.GetStatusText(), "               Kein Projekt mit QUILLOMER verbunden.          ");
    // Not connected: lines for a document go nowhere, the text sender refuses.
    Messages messages;
    link.SendTextFile("/nonexistent.txt");
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Bitte zuerst Verbindung zu QUILLOMER herstellen !"}));
}

TEST(CommLinkAlone, ASilentDeviceIsReported)
{
    serialtest::UsePrivateSettings();
    SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
    SetProfile(QStringLiteral("COMSECTION/PORT"), 4);  // COM 5, a port of its own
    PtyDevice device;
    serialtest::SetDevicePath(5, QString::fromStdString(device.pty.path));
    QTemporaryDir dir;
    CQuillomerDoc doc;
    doc.SetTitle("Leer");
    doc.SetPathName(dir.filePath(QStringLiteral("Leer.qlx")).toStdString());
    Messages messages;
    ExpectConnectFails(doc);
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_EQ(messages.texts.front(),
              "Keine Reaktion an der Kommunikationsschnittstelle !\r\n\n"
              "Versorgungsspannung und Verbindungskabel zum QUILLOMER überprüfen !");
    SetProfile(QStringLiteral("COMSECTION/PORT"), {});
    serialtest::SetDevicePath(5, {});
}

// A port that cannot be opened says the real reason: no device there (none
// at the path, or no serial device), another program holds it, or what the
// system says; in either language. Nothing is bound.
TEST(CommLinkAlone, APortThatCannotBeOpenedSaysWhyAndLeavesNothingBound)
{
    serialtest::UsePrivateSettings();
    SetProfile(QStringLiteral("COMSECTION/PORT"), 5);
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("ttyPlain"));
    ASSERT_TRUE(QFile(plain).open(QIODevice::WriteOnly));
    // The user's own device whose permissions give nobody access: no group to join.
    const QString locked = dir.filePath(QStringLiteral("ttyLocked"));
    ASSERT_TRUE(QFile(locked).open(QIODevice::WriteOnly));
    ASSERT_EQ(::chmod(locked.toLocal8Bit().constData(), 0), 0);
    serialtest::Pty held;
    ASSERT_TRUE(held.Ok());
    CMSComm holder;  // another program's hold on the device
    holder.SetCommPort(7);
    serialtest::SetDevicePath(7, QString::fromStdString(held.path));
    ASSERT_TRUE(holder.SetPortOpen(true));
    const QString none = QStringLiteral("/nonexistent/tty");
    const std::string missing = " ist an diesem Rechner nicht vorhanden !\r\n"
                                "Wählen Sie die Schnittstelle, an der QUILLOMER angeschlossen ist.";
    const struct {
        const char* name;
        QString path;
        std::string said;
        bool english = false;
    } rows[] = {
        {"no device at the path", none, "Die Kommunikationsschnittstelle COM 6 (/nonexistent/tty)" + missing},
        {"no device at the path, in English", none,
         "The communication port COM 6 (/nonexistent/tty) does not exist on this computer !\r\n"
         "Choose the port the QUILLOMER is connected to.", true},
        {"a file that is no serial device", plain, "Die Kommunikationsschnittstelle COM 6 (" + plain.toStdString() + ")" + missing},
        {"the device held by another program", QString::fromStdString(held.path),
         "Die Kommunikationsschnittstelle wird von einer anderen Anwendung genutzt !\r\n"
         "Schliessen Sie diese und versuchen Sie es dann noch einmal !"},
        {"the user's own device without permissions", locked,
         "Keine Zugriffsberechtigung für die Kommunikationsschnittstelle " + locked.toStdString() + " !\r\n"
         "Die Rechte des Geräts erlauben diesem Benutzer nicht, es zu lesen und zu schreiben."},
        {"the user's own device without permissions, in English", locked,
         "No permission to use the communication port " + locked.toStdString() + " !\r\n"
         "The device's permissions do not let this user read and write it.", true},
        {"a folder", dir.path(),
         "Die Kommunikationsschnittstelle COM 6 (" + dir.path().toStdString() + ") kann nicht geöffnet werden !\r\n"
         "( Is a directory )"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::optional<EnglishTexts> english;
        if (row.english)
            english.emplace();
        serialtest::SetDevicePath(6, row.path);
        CQuillomerDoc doc;
        doc.SetTitle("Leer");
        Messages messages;
        ExpectConnectFails(doc);
        EXPECT_EQ(messages.texts, (std::vector<std::string> {row.said}));
    }
    holder.SetPortOpen(false);
    SetProfile(QStringLiteral("COMSECTION/PORT"), {});
    serialtest::SetDevicePath(6, {});
    serialtest::SetDevicePath(7, {});
}

TEST(CommLinkAlone, APortTheUserMayNotOpenSaysSo)
{
    serialtest::UsePrivateSettings();
    SetProfile(QStringLiteral("COMSECTION/PORT"), 5);
    QTemporaryDir dir;
    const QString locked = dir.filePath("ttyLocked");
    QFile(locked).open(QIODevice::WriteOnly);
    ASSERT_EQ(::chmod(locked.toLocal8Bit().constData(), 0), 0);
    serialtest::SetDevicePath(6, locked);
    CQuillomerDoc doc;
    doc.SetTitle("Leer");
    Messages messages;
    ExpectConnectFails(doc);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts.front().find("Keine Zugriffsberechtigung"), std::string::npos);
    EXPECT_NE(messages.texts.front().find(locked.toStdString()), std::string::npos);
    SetProfile(QStringLiteral("COMSECTION/PORT"), {});
    serialtest::SetDevicePath(6, {});
}

TEST_F(CommLinkPty, NetScanPollsForMoreThanFiveSecondsUntilTheDeviceSaysOff)
{
    Messages messages;
    int polls = 0;
    s_device->respond = [&](const std::string& line) -> std::string {
        if (line == "?")
            return ++polls < 3 ? "/SERVICE/NETSCAN ON\r\n" : "/SERVICE/NETSCAN OFF\r\n";
        return {};
    };
    QElapsedTimer t;
    t.start();
    s_link->OnNetScan();
    EXPECT_GT(t.elapsed(), 5000);
    EXPECT_LT(t.elapsed(), 12000);
    EXPECT_GE(polls, 8);  // one poll every 400 ms or so
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Netscan ist abgeschlossen !\n"}));
    EXPECT_EQ(s_host->progressCaptions.back(), "Netscan");
    const std::string sent = Sent();
    EXPECT_EQ(sent.rfind("/service/netscan on\r\n?\r\n?\r\n", 0), 0u) << sent;
}
