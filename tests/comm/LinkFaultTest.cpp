// The device link when the device misbehaves (the simulator scripted, at
// the line rate): silence, also in the middle of an upload or a download,
// garbage (also for long after an upload's last query, until the user
// cancels), a hang-up near the end of a download and in the middle of an
// upload, a comment line in the middle of an upload's answers, an XOFF held
// longer than the link's time-out, also while the user cancels a download
// and disconnects, and a clock that answers too late for the disconnect.
// Each time the program reports what happened (a transfer that stopped short
// says which, why, and the step the device got to), the link ends up idle,
// the event loop keeps running throughout, and the project is unchanged.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <optional>
#include <QTimer>

#include "comm/CommIds.h"
#include "comm/CommStrings.h"
#include "platform/StringTable.h"
#include "support/EnglishTexts.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

// A download of this many lines takes long enough to be cut in the middle.
constexpr int kLines = 120;
// Lines the device reads while the link connects.
constexpr int kConnectLines = 21;

std::vector<std::pair<std::string, std::string>> ManyValues()
{
    std::vector<std::pair<std::string, std::string>> values;
    for (int i = 1; i <= kLines; ++i)
        values.emplace_back(StrFormat("VOL%d", i), StrFormat("-%d", i % 40));
    return values;
}

// Where two stored projects part, with the text around it.
std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    auto around = [i](const std::vector<uint8_t>& v) {
        std::string out;
        for (size_t k = i > 24 ? i - 24 : 0; k < std::min(v.size(), i + 24); ++k)
            out += v[k] >= 32 && v[k] < 127 ? static_cast<char>(v[k]) : '.';
        return out;
    };
    return StrFormat("sizes %zu/%zu, byte %zu: \"%s\" / \"%s\"", a.size(), b.size(), i, around(a).c_str(),
                     around(b).c_str());
}

// Takes its time over every line (as a real object's step does while the
// device reads), so that the device reads the lines one by one and a fault
// at line N really falls in the middle of the transfer.
class SlowLineObject : public LineObject {
public:
    using LineObject::LineObject;
    int GetDownloadLines(int mode, int step) override
    {
        if (step >= 0)
            Pump(10);
        return LineObject::GetDownloadLines(mode, step);
    }
};

// Counts the ticks of a 20 ms timer: the event loop ran while they grew;
// the longest time between two ticks is the longest the loop stood still.
class Heartbeat {
public:
    Heartbeat()
    {
        m_since.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            ++ticks;
            longestGapMs = std::max<int64_t>(longestGapMs, m_since.restart());
        });
        m_timer.start(20);
    }
    int ticks = 0;
    int64_t longestGapMs = 0;

private:
    QTimer m_timer;
    QElapsedTimer m_since;
};

// The message of a transfer of the test object that stopped short: what did
// not complete, why, and the step the device had got to.
std::string Stopped(uint32_t what, const std::string& why, int step)
{
    return LoadStringId(what) + "\n" + why + "\n"
           + StrFormat(LoadStringId(IDS_TRANSFER_REACHED).c_str(), "Prüfobjekt", step, kLines);
}

// The step such a message names; -1 when it names none.
int StepNamed(const std::string& text)
{
    const std::string mark = "Parameter: [Prüfobjekt], Schritt ";
    const size_t at = text.find(mark);
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + mark.size());
}

// The message of a download that stopped short at `step`, and its note on the closing lines.
std::string Incomplete(const std::string& why, int step, uint32_t closing)
{
    return Stopped(IDS_DOWNLOAD_INCOMPLETE, why, step) + "\n\n" + LoadStringId(closing);
}

// The messages of an upload whose line was lost at `step`, from a device that
// knows none of the values asked (its refusals bring the hint to the protocol log).
std::vector<std::string> UploadLineLost(int step)
{
    return {"COM-Übertragungsfehler !( CD timeout error )",
            Stopped(IDS_UPLOAD_INCOMPLETE, LoadGermanString(IDS_TRANSFER_LINE_LOST), step),
            "Überprüfen Sie die LOG Datei!"};
}

class LinkFault : public ::testing::Test {
protected:
    void SetUp() override
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 1);
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        m_previousHook = SetActiveDocHook([this] { return &doc; });
        doc.OnNewDocument();
        doc.SetTitle("Anlage");
        doc.SetPathName(dir.filePath(QStringLiteral("Anlage.qlx")).toStdString());
        doc.SetModifiedFlag(false);
        link.SetHost(&host);
        m_previousSender = SetLineSender(&link);
        // The bounding rectangles are kept up to date by drawing (the info
        // field redraws when the connection changes): bring them up to date
        // first, so the comparison sees only what the user made.
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* obj : doc.GetList(c))
                obj->CalcBoundingRect();
        m_docBytes = doc.SaveToBytes();
    }
    void TearDown() override
    {
        QObject::disconnect(m_watch);
        if (link.IsConnected())
            link.ClosePort();
        for (const std::string& p : m_paths)
            doc.RemovePath(p);
        SetLineSender(m_previousSender);
        SetActiveDocHook(m_previousHook);
        serialtest::SetDevicePath(kPort, {});
    }

    // Starts the simulator with the directives and connects.
    bool Connect(const QStringList& directives)
    {
        QStringList args;
        for (const QString& d : directives)
            args << QStringLiteral("-e") << d;
        if (!sim.Start(args))
            return false;
        // How far a transfer had got when the device went away.
        m_watch = QObject::connect(&sim.process, &QProcess::finished, [this] {
            if (m_stepsAtHangUp < 0)
                m_stepsAtHangUp = m_lines ? m_lines->stepsRun : 0;
        });
        link.OnConnect();
        // The set-up's last lines reach the device (unless it hangs up first).
        AwaitDeviceHasAll(sim, link);
        return link.IsConnected();
    }

    // Lines the device has read so far ("\r\n" is one line end).
    int LinesReceived() const
    {
        const std::string in = sim.Received();
        int lines = 0;
        for (size_t i = 0; i < in.size(); ++i) {
            if (in[i] == '\r' || in[i] == '\n') {
                ++lines;
                if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n')
                    ++i;
            }
        }
        return lines;
    }
    // What the transfer's bar shows while each message is open, in `bar`.
    void WatchBar()
    {
        messages.onShown = [this] {
            bar = host.lastProgress ? StrFormat("%s %d/%d", host.lastProgress->Status().c_str(),
                                                host.lastProgress->Pos(), host.lastProgress->Upper())
                                    : std::string();
        };
    }
    // A message other than those of a transfer that went well.
    bool FaultReported() const
    {
        for (const std::string& text : messages.texts)
            if (text.find("Upload beendet") == std::string::npos && text.find("LOG Datei") == std::string::npos)
                return true;
        return false;
    }
    bool SimHungUp() const { return ReadFile(sim.logPath).find("hang-up") != std::string::npos; }

    // The objects of a transfer: one with many lines.
    SlowLineObject& Lines()
    {
        if (!m_lines) {
            m_lines = std::make_unique<SlowLineObject>(doc, "TEST", ManyValues(), "Prüfobjekt");
            m_paths.push_back("/TEST");
            for (int i = 1; i <= kLines; ++i)
                m_paths.push_back(StrFormat("/TEST/VOL%d", i));
        }
        return *m_lines;
    }

    // Runs a transfer of Lines(); returns its milliseconds.
    int64_t Transfer(int direction)
    {
        host.paramSelect = [this, direction](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = {&Lines()};
            return true;
        };
        QElapsedTimer t;
        t.start();
        link.OnTransferParameters();
        host.lastProgress = nullptr;  // gone with the transfer
        return t.elapsed();
    }

    // The link is idle (online and idle, or no connection at all), answers
    // the next command at once, and the project is as it was.
    void ExpectIdleAndProjectUnchanged()
    {
        const int state = link.GetLinkState();
        EXPECT_TRUE(state == linkstate::Online || state == linkstate::Idle) << "link state " << state;
        EXPECT_FALSE(doc.IsModified());
        const std::vector<uint8_t> now = doc.SaveToBytes();
        EXPECT_TRUE(m_docBytes == now) << "the project changed: " << FirstDifference(m_docBytes, now);
        // Responsive: a query on a dead or silent line returns within its time-out.
        QElapsedTimer t;
        t.start();
        link.Query("/SERVICE/VER ?", 300);
        EXPECT_LT(t.elapsed(), 3000);
    }

    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    TestHost host;
    CCommLink link;
    Messages messages;
    std::string bar;

private:
    ActiveDocHook m_previousHook;
    ILineSender* m_previousSender = nullptr;
    std::vector<uint8_t> m_docBytes;
    std::unique_ptr<SlowLineObject> m_lines;
    std::vector<std::string> m_paths;

protected:
    int m_stepsAtHangUp = -1;
    QMetaObject::Connection m_watch;
};

}  // namespace

TEST_F(LinkFault, SilentDeviceIsReportedAndLeavesNoConnection)
{
    Heartbeat beat;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(Connect({QStringLiteral("silent")}));
    const int64_t ms = t.elapsed();
    EXPECT_FALSE(messages.texts.empty()) << "a silent device must be reported";
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(nullptr, link.GetBoundDocument());
    EXPECT_EQ(0, doc.GetConnectedFlag());
    // The event loop ran throughout the waits.
    EXPECT_GT(beat.ticks, static_cast<int>(ms / 20 / 4)) << ms << " ms";
    // Its clock never answered: its stored last access is not overwritten with nothing.
    EXPECT_EQ(sim.Received().find("/SERVICE/ACCESS/"), std::string::npos) << sim.Received();
    ExpectIdleAndProjectUnchanged();
}

// The device's clock answers later than the disconnect waits for it: the
// disconnect leaves the device's stored last access as it was, and still
// restores the echo, saves and lets go.
TEST_F(LinkFault, ALateClockLeavesTheDevicesLastAccessAsItWas)
{
    // The disconnect's clock queries are the device's lines 23 and 24.
    ASSERT_TRUE(Connect({QStringLiteral("at %1 delay 1500").arg(kConnectLines + 1)}));
    messages.texts.clear();
    const size_t mark = sim.Received().size();
    link.OnDisconnect();
    EXPECT_FALSE(link.IsConnected());
    ASSERT_TRUE(sim.AwaitReceivedLine("/SERVICE/START FASTSAVE", mark));
    EXPECT_EQ(sim.Received().substr(mark), "/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n"
                                           "/COMM/ECHO ON\r\n\r\n/SERVICE/START FASTSAVE\r\n");
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

TEST_F(LinkFault, GarbageDuringAnUploadLeavesTheLinkOnline)
{
    ASSERT_TRUE(Connect({QStringLiteral("at 40 garbage 300"), QStringLiteral("at 70 garbage 50")}));
    messages.texts.clear();
    Heartbeat beat;
    const int64_t ms = Transfer(0);
    EXPECT_LT(ms, 20000);
    EXPECT_GT(beat.ticks, static_cast<int>(ms / 20 / 4)) << ms << " ms";
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    // The upload ran to its end and said so.
    EXPECT_TRUE(messages.Contains("Upload beendet"));
    ExpectIdleAndProjectUnchanged();
}

TEST_F(LinkFault, HangUpNearTheEndOfADownloadIsReportedByIt)
{
    // The connection takes 21 lines and the macro lock one: the device hangs
    // up when it has read 90 % of the download's 120 lines.
    ASSERT_TRUE(Connect({QStringLiteral("at 130 hangup")}));
    ASSERT_EQ(LinesReceived(), kConnectLines);
    messages.texts.clear();
    Heartbeat beat;
    const int64_t ms = Transfer(1);
    // The download has not returned before the line carried it: the hang-up
    // is the download's failure, reported before it returned.
    EXPECT_TRUE(FaultReported()) << "the hang-up must be reported by the download";
    ASSERT_TRUE(SimHungUp());
    ASSERT_LT(m_stepsAtHangUp, kLines) << "the device hung up only after the download";
    EXPECT_LT(ms, 20000);
    EXPECT_GT(beat.ticks, static_cast<int>(ms / 20 / 4)) << ms << " ms";
    EXPECT_LT(Lines().stepsRun, kLines) << "the download went on after the hang-up";
    // First what happened, then what it means: the device holds part of the
    // configuration, under its macro lock and unsaved.
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0], "COM-Übertragungsfehler !( CD timeout error )");
    // As far as the device had read before it hung up (line 130).
    const int reached = StepNamed(messages.texts[1]);
    EXPECT_LE(reached, 130 - kConnectLines - 1);
    EXPECT_GT(reached, kLines / 2);
    EXPECT_EQ(messages.texts[1],
              Incomplete(LoadGermanString(IDS_TRANSFER_LINE_LOST), reached, IDS_LOCK_RELEASE_NOT_SENT));
    EXPECT_FALSE(link.IsConnected());
    ExpectIdleAndProjectUnchanged();
}

// The device stops answering in the middle of an upload (it reads the
// queries and says nothing): the upload ends a second after the last query
// left and says that it is incomplete, how many queries went unanswered and
// the step the device got to, where the bar then stands as well; the
// difference file holds what came.
TEST_F(LinkFault, DeviceFallingSilentDuringAnUploadIsReported)
{
    // Told in English here; the German texts are the other cases'.
    EnglishTexts english;
    ASSERT_TRUE(english.IsLoaded());
    // The device holds the values the object has, but one it answers.
    QStringList directives {QStringLiteral("at 60 silent")};
    for (const auto& [key, value] : ManyValues())
        directives << QString::fromStdString("set /TEST/" + key + " " + (key == "VOL7" ? "-99" : value));
    ASSERT_TRUE(Connect(directives));
    messages.texts.clear();
    WatchBar();
    const int64_t ms = Transfer(0);
    EXPECT_LT(ms, 20000);
    EXPECT_EQ(Lines().stepsRun, kLines);
    // Lines 22 to 60 were queries the device answered.
    const int answered = 60 - kConnectLines;
    EXPECT_EQ(static_cast<int>(Lines().received.size()), answered);
    EXPECT_EQ(link.GetUploadQueries(), kLines);
    EXPECT_EQ(link.GetUploadAnswers(), answered);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string> {Stopped(IDS_UPLOAD_INCOMPLETE,
                                                 StrFormat(LoadStringId(IDS_UPLOAD_UNANSWERED).c_str(),
                                                           kLines - answered, kLines),
                                                 answered)}));
    EXPECT_EQ(0u, messages.texts.at(0).find("Upload incomplete !")) << messages.texts.at(0);
    EXPECT_EQ(bar, StrFormat("Parameter: [Prüfobjekt] %d/%d", answered, kLines));
    const QString err = dir.filePath(QStringLiteral("Anlage.err"));
    EXPECT_EQ(ReadFile(err), "ERROR: /TEST/VOL7 >>-99<< should be >>-7<<\r\n");
    EXPECT_EQ(host.editorFiles, std::vector<std::string> {err.toStdString()});
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    ExpectIdleAndProjectUnchanged();
}

// The device stops reading in the middle of a download (it takes no more
// lines and echoes none): the download stops once the lines sent have gone
// unechoed for five seconds, sends the device nothing more and says that it
// is incomplete, why, and the step the device got to, where the bar stands.
TEST_F(LinkFault, DeviceThatStopsEchoingDuringADownloadIsReported)
{
    ASSERT_TRUE(Connect({QStringLiteral("at 60 silent")}));
    messages.texts.clear();
    WatchBar();
    // Behind the test object, one that takes some ten seconds of line.
    std::vector<std::pair<std::string, std::string>> values;
    for (int i = 1; i <= 1500; ++i)
        values.emplace_back(StrFormat("V%d", i), "0");
    LineObject more(doc, "MORE", values, "Weitere");
    host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {&Lines(), &more};
        return true;
    };
    const size_t mark = sim.Received().size();
    link.OnTransferParameters();
    host.lastProgress = nullptr;
    EXPECT_LT(more.stepsRun, 1500) << "the download went on to its end";
    // The macro lock was line 22: the device took the lines up to 38.
    const int read = 60 - kConnectLines - 1;
    const std::string why = "QUILLOMER antwortet nicht mehr: 5 Sekunden lang kam keine der gesendeten Zeilen zurück.";
    EXPECT_EQ(messages.texts, (std::vector<std::string> {Incomplete(why, read, IDS_LOCK_RELEASE_NOT_SENT)}));
    EXPECT_EQ(bar, StrFormat("Parameter: [Prüfobjekt] %d/%d", read, kLines));
    Pump(300);
    EXPECT_EQ(sim.Received().find("/MACRO/LOCK OFF", mark), std::string::npos);
    EXPECT_EQ(sim.Received().find("/SERVICE/START FASTSAVE", mark), std::string::npos);
    EXPECT_TRUE(link.IsConnected());
    doc.RemovePath("/MORE");
    for (const auto& kv : values)
        doc.RemovePath("/MORE/" + kv.first);
    ExpectIdleAndProjectUnchanged();
}

// The device fell silent before a download shorter than the wait for an
// echo (after an upload it no longer answered): the download is done only
// once the device has echoed its last line, which never comes. It sends
// nothing more, says that the device got nowhere and that its macro lock
// stays unsaved, and the disconnect saves nothing without the user's word.
TEST_F(LinkFault, ADeviceSilentBeforeAShortDownloadIsToldAndNotSaved)
{
    ASSERT_TRUE(Connect({QStringLiteral("at %1 silent").arg(kConnectLines)}));
    messages.texts.clear();
    WatchBar();
    const size_t mark = sim.Received().size();
    const int64_t ms = Transfer(1);
    EXPECT_EQ(Lines().stepsRun, kLines);
    EXPECT_LT(ms, 20000);
    const std::string why = "QUILLOMER antwortet nicht mehr: 5 Sekunden lang kam keine der gesendeten Zeilen zurück.";
    EXPECT_EQ(messages.texts, (std::vector<std::string> {Incomplete(why, 0, IDS_LOCK_RELEASE_NOT_SENT)}));
    EXPECT_EQ(bar, StrFormat("Parameter: [Prüfobjekt] 0/%d", kLines));
    Pump(300);
    EXPECT_EQ(sim.Received().find("/MACRO/LOCK OFF", mark), std::string::npos);
    EXPECT_EQ(sim.Received().find("/SERVICE/START FASTSAVE", mark), std::string::npos);
    messages.texts.clear();
    link.OnDisconnect();
    EXPECT_EQ(messages.texts, std::vector<std::string> {LoadStringId(IDS_SAVE_INCOMPLETE_ASK)});
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    EXPECT_EQ(sim.Received().find("/SERVICE/START FASTSAVE", mark), std::string::npos) << "saved without the user's word";
    EXPECT_FALSE(link.IsConnected());
    ExpectIdleAndProjectUnchanged();
}

// The project's text file is the download's last part: its lines are followed
// to their echo as the objects' lines are. A device that stops reading them
// is sent none of the rest, not even the release of its macro lock, and the
// message names the file's line it got to; a comment line, whose echo the
// link drops unread, is not waited for. A line the device cannot take as
// written is named before anything is sent: the user goes on without it, or
// nothing at all goes. The file goes as it was when the sending began (also
// with "Konfigurationsdatei senden"), however it is rewritten meanwhile, and
// a line goes out as the bytes its echo brings back.
TEST_F(LinkFault, ADownloadsTextFileIsFollowedToItsEcho)
{
    const struct {
        const char* name;
        int lines;          // of the text file, the last a comment when `commentLast`
        bool commentLast;
        int read;           // lines of the file the device reads before it falls silent (-1: all)
        int cancelAt = 0;   // the line of the file at which the user presses "Abbrechen" (0: never)
        const char* lastLine = nullptr;  // the file's last line instead (UTF-8)
        int answer = 0;     // to the question that names it
        int rewriteAt = 0;  // the file is rewritten in place once this many of its lines went
        bool command = false;  // sent by "Konfigurationsdatei senden", not the download
        const char* objectValue = nullptr;  // of "/ZONE/NAME2", sent by an object before the file
    } rows[] = {
        {"the device stops reading in the middle of the file", 160, false, 10},
        // Every configuration line read, then nothing more: the lock's release
        // and the save went out and were never read.
        {"the device stops reading after the file's last line", 3, false, 3},
        // The comment at the end is no line the device echoes: it got to the end all the same.
        {"the device stops reading after a file that ends with a comment", 3, true, 2},
        {"the device reads a file that ends with a comment", 3, true, -1},
        // The lines sent are the device's; the lock is released and the settings saved.
        {"the user cancels in the middle of the file", 160, false, -1, 20},
        // The device reads every line sent: the lock is released and the settings saved.
        {"a last line the device cannot take, left out on the user's word", 3, false, -1, 0, "/ZONE/NAME2 漢", mb::IdYes},
        {"a last line the device cannot take, and the user cancels", 3, false, -1, 0, "/ZONE/NAME2 漢", mb::IdNo},
        {"the file rewritten while it is sent", 40, false, -1, 0, nullptr, 0, 10},
        {"the file rewritten while \"Konfigurationsdatei senden\" sends it", 40, false, -1, 0, nullptr, 0, 10, true},
        {"an object's line with a character the code page lacks", 2, false, -1, 0, nullptr, 0, 0, false, "漢"},
    };
    const QString path = dir.filePath(QStringLiteral("Anlage.txt"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            for (int n = 1; n <= row.lines; ++n) {
                QByteArray line = row.commentLast && n == row.lines ? QByteArray("; zuletzt\r\n")
                                                                    : QByteArray("/TEST/LINE") + QByteArray::number(n) + " 1\r\n";
                if (row.lastLine && n == row.lines)
                    line = QByteArray(row.lastLine) + "\r\n";
                ASSERT_EQ(line.size(), file.write(line));
            }
        }
        // The lines the device is to get of the file.
        std::string fileLines;
        for (int n = 1; n < row.lines || (n == row.lines && !row.lastLine && !row.commentLast); ++n)
            fileLines += StrFormat("/TEST/LINE%d 1\r", n);
        if (row.commentLast)
            fileLines += "; zuletzt\r";
        // Another program writes other lines over the file, in place.
        QTimer rewrite;
        QObject::connect(&rewrite, &QTimer::timeout, [&] {
            if (link.GetTextLinesSent() < row.rewriteAt)
                return;
            rewrite.stop();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            for (int n = 1; n <= 2 * row.lines; ++n)
                file.write(QByteArray("/TEST/BBBB") + QByteArray::number(n) + "Y750 W\r\n");
        });
        if (row.rewriteAt > 0)
            rewrite.start(5);
        std::optional<LineObject> object;
        if (row.objectValue)
            object.emplace(doc, "ZONE", std::vector<std::pair<std::string, std::string>> {{"NAME2", row.objectValue}});
        // A device that reads everything serves the rows one after the other.
        if (row.read >= 0 || !link.IsConnected()) {
            QStringList directives;
            if (row.read >= 0)
                directives << QStringLiteral("at %1 silent").arg(kConnectLines + 1 + row.read);
            ASSERT_TRUE(Connect(directives));
        }
        messages.texts.clear();
        if (row.answer)
            messages.answers = {row.answer};
        host.paramSelect = [&](ParamSelection& sel) {
            sel.direction = 1;
            sel.textFile = true;
            if (object)
                sel.objects = {&*object};
            return true;
        };
        QTimer press;
        QObject::connect(&press, &QTimer::timeout, [&] {
            if (host.lastProgress && link.GetTextLinesSent() >= row.cancelAt) {
                host.lastProgress->PressCancel();
                press.stop();
            }
        });
        // The user takes a second over the question.
        int sentWhenAsked = -1;
        if (row.cancelAt > 0) {
            press.start(10);
            messages.onShown = [&] {
                if (sentWhenAsked < 0) {
                    sentWhenAsked = link.GetTextLinesSent();
                    Pump(1000);
                }
            };
        }
        const size_t mark = sim.Received().size();
        if (row.command) {
            host.configFile = path.toStdString();
            link.OnCommand(commid::SendConfigFile);
        } else {
            link.OnTransferParameters();
        }
        press.stop();
        rewrite.stop();
        messages.onShown = nullptr;
        host.lastProgress = nullptr;
        if (row.answer != mb::IdNo) {
            ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
        }
        Pump(300);
        const std::string sent = sim.Received().substr(mark);
        const std::string closing = "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n";
        if (row.lastLine) {
            // Named before anything went: its number, the line and what the device cannot take of it.
            const std::string named = StrFormat(LoadStringId(IDS_TEXTFILE_LINE_LACKS).c_str(), row.lines, row.lastLine, "漢");
            EXPECT_EQ(messages.texts, (std::vector<std::string> {StrFormat(
                                          LoadStringId(IDS_TEXTFILE_LINES_LEFT_OUT).c_str(), "Anlage.txt", (named + "\n").c_str())}));
            if (row.answer == mb::IdNo)
                EXPECT_EQ("", sent) << "sent although the user cancelled";
            else
                EXPECT_EQ("/MACRO/LOCK ON\r\n" + fileLines + closing, sent);
        } else if (row.rewriteAt > 0) {
            EXPECT_EQ(std::vector<std::string> {}, messages.texts);
            EXPECT_EQ(row.lines, link.GetTextLinesSent());
            EXPECT_EQ((row.command ? "" : "/MACRO/LOCK ON\r\n") + fileLines + (row.command ? "" : closing), sent);
        } else if (row.objectValue) {
            // The device got the query the line became, and echoed it: the download ended well.
            EXPECT_EQ("/MACRO/LOCK ON\r\n/ZONE/NAME2 ?\r\n" + fileLines + closing, sent);
            for (const std::string& text : messages.texts)
                EXPECT_EQ(std::string::npos, text.find("QUILLOMER antwortet nicht mehr")) << text;
        } else if (row.cancelAt > 0) {
            EXPECT_EQ(sentWhenAsked, link.GetTextLinesSent()) << "lines went while the user was asked";
            ASSERT_EQ(2u, messages.texts.size()) << testing::PrintToString(messages.texts);
            EXPECT_EQ("Wollen Sie den Vorgang wirklich abbrechen ?", messages.texts[0]);
            const std::string said = LoadStringId(IDS_DOWNLOAD_INCOMPLETE) + "\n" + LoadStringId(IDS_TRANSFER_CANCELLED)
                                     + "\nÜbertragen bis: Parameter: [Anlage.txt], Schritt ";
            EXPECT_EQ(0u, messages.texts[1].find(said)) << messages.texts[1];
            EXPECT_NE(std::string::npos, sent.find("/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n"));
        } else if (row.read < 0) {
            EXPECT_EQ(std::vector<std::string> {}, messages.texts);
            EXPECT_NE(std::string::npos, sent.find("/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n"));
        } else if (row.read + (row.commentLast ? 1 : 0) == row.lines) {
            const std::string why = "QUILLOMER antwortet nicht mehr: 5 Sekunden lang kam keine der gesendeten Zeilen zurück.";
            EXPECT_EQ(messages.texts,
                      (std::vector<std::string> {LoadStringId(IDS_DOWNLOAD_INCOMPLETE) + "\n" + why + "\n"
                                                 + StrFormat(LoadStringId(IDS_TRANSFER_REACHED).c_str(), "Anlage.txt",
                                                             row.lines, row.lines)
                                                 + "\n\n" + LoadStringId(IDS_LOCK_RELEASE_UNREAD)}));
            EXPECT_NE(std::string::npos, sent.find("/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n"));
            // The disconnect saves what the device may hold unsaved only on the user's word.
            messages.texts.clear();
            link.OnDisconnect();
            EXPECT_EQ(messages.texts, std::vector<std::string> {LoadStringId(IDS_SAVE_INCOMPLETE_ASK)});
        } else {
            EXPECT_LT(link.GetTextLinesSent(), row.lines) << "the file went on to its end";
            const std::string why = "QUILLOMER antwortet nicht mehr: 5 Sekunden lang kam keine der gesendeten Zeilen zurück.";
            EXPECT_EQ(messages.texts,
                      (std::vector<std::string> {LoadStringId(IDS_DOWNLOAD_INCOMPLETE) + "\n" + why + "\n"
                                                 + StrFormat(LoadStringId(IDS_TRANSFER_REACHED).c_str(), "Anlage.txt",
                                                             row.read, row.lines)
                                                 + "\n\n" + LoadStringId(IDS_LOCK_RELEASE_NOT_SENT)}));
            EXPECT_EQ(std::string::npos, sent.find("/MACRO/LOCK OFF"));
            EXPECT_EQ(std::string::npos, sent.find("/SERVICE/START FASTSAVE"));
        }
        if (object) {
            doc.RemovePath("/ZONE/NAME2");
            doc.RemovePath("/ZONE");
        }
        if (row.read >= 0) {
            link.ClosePort();
            sim.Stop();
        }
    }
}

// A device that keeps talking after the last query holds the upload's end
// for as long as it talks; the user can cancel that wait.
TEST_F(LinkFault, CancelEndsTheWaitForADeviceThatKeepsTalking)
{
    // After the upload's last query the device sends 30 s of noise.
    QStringList directives {QStringLiteral("at %1 garbage 60000").arg(kConnectLines + kLines)};
    for (const auto& [key, value] : ManyValues())
        directives << QString::fromStdString("set /TEST/" + key + " " + value);
    ASSERT_TRUE(Connect(directives));
    messages.texts.clear();
    QTimer press;
    QElapsedTimer sinceLastQuery;
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (host.lastProgress && Lines().stepsRun == kLines && !sinceLastQuery.isValid())
            sinceLastQuery.start();
        if (sinceLastQuery.isValid() && sinceLastQuery.elapsed() > 3000) {
            host.lastProgress->PressCancel();
            press.stop();
        }
    });
    press.start(50);
    const int64_t ms = Transfer(0);
    ASSERT_TRUE(sinceLastQuery.isValid());
    EXPECT_LT(sinceLastQuery.elapsed(), 6000) << "the wait went on after the cancel";
    EXPECT_LT(ms, 25000);
    EXPECT_EQ(static_cast<int>(Lines().received.size()), kLines);
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Wollen Sie den Vorgang wirklich abbrechen ?",
                                                         "Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei "
                                                         "auf Unstimmigkeiten !\""}));
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

TEST_F(LinkFault, HangUpInTheMiddleOfAnUpload)
{
    ASSERT_TRUE(Connect({QStringLiteral("at 60 hangup")}));
    messages.texts.clear();
    Heartbeat beat;
    const int64_t ms = Transfer(0);
    Pump(700);
    ASSERT_TRUE(PumpUntil([&] { return SimHungUp(); }, kArrivalMs));
    ASSERT_LT(m_stepsAtHangUp, kLines) << "the device hung up only after the upload";
    ASSERT_LT(Lines().received.size(), static_cast<size_t>(kLines)) << "the device answered every query";
    EXPECT_LT(ms, 20000);
    EXPECT_GT(beat.ticks, static_cast<int>(ms / 20 / 4)) << ms << " ms";
    EXPECT_TRUE(FaultReported()) << "the hang-up must be reported";
    // First what happened, then what it means: the upload is incomplete, as
    // far as the device had read (line 60).
    ASSERT_EQ(messages.texts.size(), 3u);
    const int reached = StepNamed(messages.texts[1]);
    EXPECT_LE(reached, 60 - kConnectLines);
    EXPECT_GT(reached, 0);
    EXPECT_EQ(messages.texts, UploadLineLost(reached));
    EXPECT_FALSE(link.IsConnected());
    ExpectIdleAndProjectUnchanged();
}

// The device hangs up on reading the upload's last query: the wait for its
// answers ends with the same messages, never as an upload that went well.
TEST_F(LinkFault, HangUpBeforeTheLastAnswerOfAnUpload)
{
    ASSERT_TRUE(Connect({QStringLiteral("at %1 hangup").arg(kConnectLines + kLines)}));
    messages.texts.clear();
    Transfer(0);
    ASSERT_TRUE(PumpUntil([&] { return SimHungUp(); }, kArrivalMs));
    ASSERT_EQ(Lines().stepsRun, kLines);
    ASSERT_EQ(messages.texts.size(), 3u);
    const int reached = StepNamed(messages.texts[1]);
    EXPECT_LE(reached, kLines);
    EXPECT_GT(reached, kLines / 2);
    EXPECT_EQ(messages.texts, UploadLineLost(reached));
    EXPECT_FALSE(link.IsConnected());
}

// A comment line from the device in the middle of an upload's answers: every
// answer is still compared, the one value that differs is the one line of
// the difference file.
TEST_F(LinkFault, CommentLineDuringAnUploadLosesNoAnswer)
{
    // Download, one setting changed in the device, then the upload, whose
    // 60th query brings the comment.
    const int upload = kConnectLines + 1 + kLines + 2 + 1;
    ASSERT_TRUE(Connect({QStringLiteral("at %1 send ; Kommentar\\r\\n").arg(upload + 60)}));
    Transfer(1);
    link.SendLine("/TEST/VOL7 -99", &doc);
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    messages.texts.clear();
    Transfer(0);
    ASSERT_NE(sim.Sent().find("; Kommentar\r\n"), std::string::npos);
    EXPECT_EQ(std::count(Lines().states.begin(), Lines().states.end(), linkstate::Upload), kLines)
        << "answers of the upload went unread or were taken as online lines";
    EXPECT_EQ(ReadFile(dir.filePath(QStringLiteral("Anlage.err"))), "ERROR: /TEST/VOL7 >>-99<< should be >>-7<<\r\n");
    EXPECT_EQ(messages.texts, (std::vector<std::string> {
                                  "Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""}));
}

// A project not saved yet has no file to name its difference file after: the
// upload still compares, and its differences go to a file of the project's
// name in the work directory, as its protocol log does, and are shown.
TEST_F(LinkFault, AnUnsavedProjectsUploadStillWritesItsDifferences)
{
    QTemporaryDir work;
    SetProfile(QStringLiteral("Settings/WorkDirectory"), work.path());
    doc.SetPathName("");
    doc.SetTitle("Anlage");
    ASSERT_TRUE(Connect({}));
    Transfer(1);
    link.SendLine("/TEST/VOL7 -99", &doc);
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    messages.texts.clear();
    Transfer(0);
    const QString err = QDir(work.path()).filePath(QStringLiteral("Anlage.err"));
    EXPECT_EQ(ReadFile(err), "ERROR: /TEST/VOL7 >>-99<< should be >>-7<<\r\n");
    EXPECT_EQ(host.editorFiles, std::vector<std::string> {err.toStdString()});
    EXPECT_EQ(messages.texts, (std::vector<std::string> {
                                  "Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""}));
    SetProfile(QStringLiteral("Settings/WorkDirectory"), {});
}

// The device holds XOFF in the middle of a download and the user cancels:
// the download ends at once instead of waiting for the device, and its
// closing lines go out when the device lets go.
TEST_F(LinkFault, CancelDuringAnXoffStallIsHonoured)
{
    ASSERT_TRUE(Connect({QStringLiteral("at 60 xoff 5000")}));
    messages.texts.clear();
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (host.lastProgress && sim.Sent().find('\x13') != std::string::npos) {
            host.lastProgress->PressCancel();
            press.stop();
        }
    });
    press.start(50);
    const int64_t ms = Transfer(1);
    EXPECT_LT(ms, 4000) << "the download waited for the device's XON";
    ASSERT_EQ(messages.texts.size(), 2u);
    // The device had read up to line 60 when it held the line.
    const int reached = StepNamed(messages.texts[1]);
    EXPECT_LE(reached, 60 - kConnectLines - 1);
    EXPECT_GT(reached, 0);
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Wollen Sie den Vorgang wirklich abbrechen ?",
                                                         Incomplete(LoadGermanString(IDS_TRANSFER_CANCELLED), reached,
                                                                    IDS_LOCK_RELEASE_HELD)}));
    EXPECT_LT(Lines().stepsRun, kLines);
    ASSERT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n"));
    ExpectIdleAndProjectUnchanged();
    // They went once the device let go: a disconnect has nothing more to tell.
    messages.texts.clear();
    link.OnDisconnect();
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

// The same, and the user disconnects while the device still holds XOFF: the
// window never stands still for the held output, and the user learns that
// the macro lock was not released and nothing was saved.
TEST_F(LinkFault, DisconnectDuringAnXoffStallDoesNotBlock)
{
    ASSERT_TRUE(Connect({QStringLiteral("at 60 xoff 30000")}));
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (host.lastProgress && sim.Sent().find('\x13') != std::string::npos) {
            host.lastProgress->PressCancel();
            press.stop();
        }
    });
    press.start(50);
    Transfer(1);
    messages.texts.clear();
    Heartbeat beat;
    QElapsedTimer t;
    t.start();
    link.OnDisconnect();
    const int64_t ms = t.elapsed();
    Pump(100);  // the first tick after the disconnect measures its last stretch
    EXPECT_FALSE(link.IsConnected());
    EXPECT_LT(ms, 15000);
    EXPECT_LT(beat.longestGapMs, 1000) << "the event loop stood still while the port closed";
    EXPECT_EQ(messages.texts, (std::vector<std::string> {LoadGermanString(IDS_LOCK_RELEASE_NOT_SENT)}));
    Pump(200);
    EXPECT_EQ(sim.Received().find("/MACRO/LOCK OFF"), std::string::npos);
}

TEST_F(LinkFault, XoffHeldLongerThanTheTimeOut)
{
    // The device holds XOFF for 9 s once it has read line 60; an exchange
    // whose output cannot leave gives up after the link's 5 s time-out.
    ASSERT_TRUE(Connect({QStringLiteral("at 60 xoff 9000")}));
    const int seen = LinesReceived();
    ASSERT_LT(seen, 59);
    link.SendText(std::string(static_cast<size_t>(59 - seen), '\n'), nullptr);
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    ASSERT_EQ(59, LinesReceived());
    ASSERT_TRUE(link.SendAndCollect({"/SERVICE/DEVICE ?"}, nullptr));  // line 60: XOFF from now on
    messages.texts.clear();
    Heartbeat beat;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(link.SendAndCollect({"/SERVICE/VER ?", "/CLOCK/MAIN/TIME ?"}, nullptr))
        << "the output was held, yet the exchange reported success";
    const int64_t ms = t.elapsed();
    EXPECT_GE(ms, 5000);
    EXPECT_LT(ms, 8500) << "the link waited for the held output beyond its time-out";
    EXPECT_GT(beat.ticks, static_cast<int>(ms / 20 / 4)) << ms << " ms";
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    // Once the device lets go, the link talks again.
    ASSERT_TRUE(PumpUntil([&] { return sim.Sent().find('\x11') != std::string::npos; }, 6000));
    std::vector<std::string> answers;
    EXPECT_TRUE(link.SendAndCollect({"/SERVICE/DEVICE ?"}, &answers));
    ExpectIdleAndProjectUnchanged();
}

// Lines of a configuration text file longer than the port's buffer: the line
// carries every character, so no COM error is reported, and each line reaches
// the device whole and in its place.
TEST_F(LinkFault, ALineLongerThanThePortsBufferIsNoComError)
{
    ASSERT_TRUE(Connect({}));
    auto line = [](const char* key, size_t length) {
        const std::string head = std::string("/TEST/") + key + " ";
        return head + std::string(length - head.size(), 'x');
    };
    const struct {
        const char* name;
        std::vector<std::string> lines;
    } rows[] = {
        {"one line of 3000 characters", {"/TEST/A 1", line("NAME", 3000), "/TEST/B 2"}},
        {"two lines of 1500 characters in a row", {line("C", 1500), line("D", 1500), "/TEST/E 3"}},
    };
    const QString path = dir.filePath(QStringLiteral("Lang.txt"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string text, sent;
        for (const std::string& l : row.lines) {
            text += l + "\r\n";
            sent += l + "\r";
        }
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()));
        }
        messages.texts.clear();
        const size_t mark = sim.Received().size();
        link.SendTextFileWithProgress(path.toStdString());
        EXPECT_EQ(static_cast<int>(row.lines.size()), link.GetTextLinesSent());
        ASSERT_TRUE(sim.AwaitReceivedEnd(row.lines.back() + "\r"));
        Pump(300);  // an error event comes from the event loop
        EXPECT_EQ(std::vector<std::string> {}, messages.texts);
        EXPECT_EQ(sent, sim.Received().substr(mark));
    }
}
