// Acceptance of the device link against the device simulator: the connection
// dialogue and the status text, downloads with and without objects and the
// export of the same lines, an upload of the downloaded design before and
// after a value changed in the device, the macro lock while other windows and
// the protocol monitor try to change the link's mode, the collecting exchange,
// the text-file sender without a connection, what reaches the disk, and the
// firmware load of an S-record file made by the binutils' objcopy (complete,
// and cancelled, which the loader refuses), files with nothing to program,
// and loaders that stop answering.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <QStandardPaths>

#include "comm/CFirmwareSender.h"
#include "comm/CommIds.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

const char* const kWakeUp = "/\r\n\x03\r\ne\r\nPROMPT ON\r\n/COMM/PROMPT ON\r\n\r\n?\r\n";
const char* const kLockOff = "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n";

std::string DateWord()
{
    return QLocale::system().language() == QLocale::German ? "GERMAN" : "US";
}

std::string SetupBytes()
{
    return "/COMM/PROMPT OFF\r\n/COMM/ECHO OFF\r\n/SERVICE/ACCESS/TIME ?\r\n/SERVICE/ACCESS/DATE ?\r\n"
           "/COMM/ECHO ON\r\n/COMM/ECHO ?\r\n/COMM/PROMPT ?\r\n/SERVICE/DEVICE ?\r\n/SERVICE/VER ?\r\n"
           "/CLOCK/DATEFORMAT "
           + DateWord() + "\r\n/COMM/PROMPT OFF\r\n/COMM/ECHO ON\r\n";
}

bool Consume(std::string& text, const std::string& prefix)
{
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    text.erase(0, prefix.size());
    return true;
}

bool EndsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

size_t Count(const std::string& s, const std::string& what)
{
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + what.size()))
        ++n;
    return n;
}

// A host whose firmware dialog presses Cancel after `cancelAfterRecords`
// records, and that notes how each dialog ended.
class FirmwareHost : public TestHost {
public:
    bool RunFirmwareDialog(CFirmwareSender& sender) override
    {
        QElapsedTimer clock;
        clock.start();
        awaitedVerdict = false;
        QMetaObject::Connection phase = QObject::connect(&sender, &CFirmwareSender::Changed, &sender, [&] {
            awaitedVerdict = awaitedVerdict || sender.IsAwaitingVerdict();
        });
        const bool ok = RunScripted(sender);
        QObject::disconnect(phase);
        dialogResults.push_back(ok);
        dialogMs = clock.elapsed();
        return ok;
    }
    bool RunScripted(CFirmwareSender& sender)
    {
        if (cancelWhileErasing) {
            QTimer::singleShot(0, &sender, [&] {
                cancelled = !sender.IsSending();
                sender.Cancel();
            });
            return ICommLinkHost::RunFirmwareDialog(sender);
        }
        if (cancelAfterRecords < 0)
            return ICommLinkHost::RunFirmwareDialog(sender);
        QMetaObject::Connection watch = QObject::connect(&sender, &CFirmwareSender::Changed, &sender, [&] {
            if (sender.IsSending() && sender.LinesSent() >= cancelAfterRecords && !cancelled) {
                cancelled = true;
                recordsBeforeCancel = sender.LinesSent();
                QTimer::singleShot(0, &sender, [&] {
                    recordsBeforeCancel = sender.LinesSent();
                    sender.Cancel();
                });
            }
        });
        const bool ok = ICommLinkHost::RunFirmwareDialog(sender);
        QObject::disconnect(watch);
        return ok;
    }
    int cancelAfterRecords = -1;
    bool cancelWhileErasing = false;    // Cancel as soon as the dialog shows, while the loader erases
    bool cancelled = false;
    int recordsBeforeCancel = 0;
    std::vector<bool> dialogResults;    // true: closed with OK
    bool awaitedVerdict = false;        // the last dialog waited for the verdict with the whole file out
    qint64 dialogMs = 0;                // how long the last dialog was open
};

class Session {
public:
    Session()
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        SetProfile(QStringLiteral("Settings/WorkDirectory"), {});
        doc.SetTitle("Halle");
        doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
        doc.m_data.deviceVariant = 0;
        sim.version = QStringLiteral("V0.551");  // a standard device for a standard project
        previousHook = SetActiveDocHook([this] { return &doc; });
        link.SetHost(&host);
        previousSender = SetLineSender(&link);
    }
    ~Session()
    {
        if (link.IsConnected())
            link.ClosePort();
        SetLineSender(previousSender);
        SetActiveDocHook(previousHook);
        serialtest::SetDevicePath(kPort, {});
    }
    // What the device received since `mark` (a byte count of its traffic).
    std::string ReceivedSince(size_t mark) const
    {
        const std::string all = sim.Received();
        return mark <= all.size() ? all.substr(mark) : std::string();
    }

    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    FirmwareHost host;
    CCommLink link;
    Messages messages;
    ActiveDocHook previousHook;
    ILineSender* previousSender = nullptr;
};

// An object whose first download/upload step also does what a feature
// window or the protocol monitor may do meanwhile, through `during`.
class IntrudingObject : public LineObject {
public:
    IntrudingObject(CQuillomerDoc& doc, const std::string& path, std::vector<std::pair<std::string, std::string>> values,
                    std::function<void()> during)
        : LineObject(doc, path, std::move(values), "Eindringling")
        , m_during(std::move(during))
    {
    }
    int GetDownloadLines(int mode, int step) override
    {
        const int next = LineObject::GetDownloadLines(mode, step);
        if (step == 0 && m_during)
            m_during();
        return next;
    }

private:
    std::function<void()> m_during;
};

// The records of an S-record file made by objcopy from `bytes` random bytes.
bool MakeSRecordFile(const QString& path, int bytes, std::vector<std::string>& records)
{
    const QString objcopy = QStandardPaths::findExecutable(QStringLiteral("objcopy"));
    if (objcopy.isEmpty())
        return false;
    const QString bin = path + QStringLiteral(".bin");
    {
        QFile f(bin);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        QByteArray data;
        for (int i = 0; i < bytes; ++i)
            data.append(static_cast<char>((i * 37 + 11) & 0xFF));
        f.write(data);
    }
    QProcess p;
    p.start(objcopy, {QStringLiteral("-I"), QStringLiteral("binary"), QStringLiteral("-O"), QStringLiteral("srec"), bin, path});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    records.clear();
    while (!f.atEnd()) {
        QByteArray line = f.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            records.push_back(line.toStdString());
    }
    return records.size() >= 3 && records.front().rfind("S0", 0) == 0 && records.back().rfind("S9", 0) == 0;
}

// Every file under `dir`, relative names.
std::vector<std::string> FilesIn(const QString& dir)
{
    std::vector<std::string> out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.push_back(QDir(dir).relativeFilePath(it.next()).toStdString());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

// One connection to a password-protected device: connect, downloads, export,
// uploads, the macro lock, the collecting exchange, disconnect, and what the
// session left on disk.
TEST(CommLinkAcceptance, SessionOnAProtectedDevice)
{
    Session s;
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--protect"), QStringLiteral("geheim")})) << Simulator::Program().toStdString();

    // ---- Connect ----
    s.host.loginPasswords = {"geheim"};
    s.link.OnConnect();
    ASSERT_TRUE(s.link.IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, kWakeUp)) << received;
    ASSERT_TRUE(Consume(received, "?\r\n/PROTECT ?\r\n\r\n/PROTECT OFF\r\ngeheim\r\n/PROTECT ?\r\n")) << received;
    ASSERT_TRUE(Consume(received, SetupBytes())) << received;
    EXPECT_EQ(received, "");
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OS Version")).toString(), QStringLiteral("V0.551"));
    EXPECT_EQ(s.link.GetStatusText(), "Projekt 'Halle' mit QUILLOMER verbunden !");
    EXPECT_EQ(s.host.connectionText, "Projekt 'Halle' mit QUILLOMER verbunden !");
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);
    EXPECT_TRUE(s.messages.texts.empty()) << s.messages.texts.front();

    // ---- Download with no group ticked ----
    s.host.paramSelect = [](ParamSelection& sel) {
        sel.objects.clear();
        sel.textFile = false;
        return true;
    };
    size_t mark = s.sim.Received().size();
    s.link.OnTransferParameters();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_EQ(s.ReceivedSince(mark), "/MACRO/LOCK ON\r\n/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n");
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);

    // ---- Download with groups ticked: every object's lines in order ----
    LineObject zone(s.doc, "ZONE", {{"VOL", "-10"}, {"NAME", "Foyer Süd"}}, "Foyer");
    LineObject amp(s.doc, "AMP3", {{"VOL", "-6"}, {"MUTE", "OFF"}}, "Verstärker 3");
    const std::string design = "/ZONE/VOL -10\r\n/ZONE/NAME Foyer S\xFC" "d\r\n/AMP3/VOL -6\r\n/AMP3/MUTE OFF\r\n";
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {&zone, &amp};
        return true;
    };
    mark = s.sim.Received().size();
    s.link.OnTransferParameters();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_EQ(s.ReceivedSince(mark), "/MACRO/LOCK ON\r\n" + design + kLockOff);

    // ---- The export writes the same lines to ".par" and sends nothing ----
    mark = s.sim.Received().size();
    s.link.OnExportWorksheet();
    Pump(100);
    EXPECT_EQ(ReadFile(s.dir.filePath(QStringLiteral("Halle.qlx.par"))), "/MACRO/LOCK ON\r\n" + design + kLockOff);
    EXPECT_EQ(s.ReceivedSince(mark), "");
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);

    // ---- Upload of the downloaded design: an empty difference file ----
    const QString errFile = s.dir.filePath(QStringLiteral("Halle.err"));
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.direction = 0;
        sel.objects = {&zone, &amp};
        return true;
    };
    mark = s.sim.Received().size();
    s.link.OnTransferParameters();
    EXPECT_EQ(s.ReceivedSince(mark), "/ZONE/VOL ?\r\n/ZONE/NAME ?\r\n/AMP3/VOL ?\r\n/AMP3/MUTE ?\r\n");
    ASSERT_TRUE(QFile::exists(errFile));
    EXPECT_EQ(ReadFile(errFile), "");
    EXPECT_TRUE(s.host.editorFiles.empty());
    EXPECT_EQ(amp.received, (std::vector<std::string> {"AMP3/VOL -6", "AMP3/MUTE OFF"}));
    EXPECT_FALSE(s.messages.Contains("LOG Datei"));

    // ---- A value changed in the device: exactly one difference line ----
    s.link.SetLinkState(linkstate::Online);
    s.link.SendLine("/AMP3/VOL -20", &s.doc);
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    s.link.OnTransferParameters();
    EXPECT_EQ(ReadFile(errFile), "ERROR: /AMP3/VOL >>-20<< should be >>-6<<\r\n");
    EXPECT_EQ(s.host.editorFiles, (std::vector<std::string> {errFile.toStdString()}));
    s.link.SetLinkState(linkstate::Online);

    // ---- Macro lock: a block request of another window during a download ----
    AnswerSink sink;
    int stateSeen = 0;
    IntrudingObject blocker(s.doc, "AMP4", {{"VOL", "-3"}}, [&] {
        s.link.SendBlock({"/AUDIO/IN1/VOL ?"}, true, 0, &sink, 0);
        stateSeen = s.link.GetLinkState();
        // The window believes its exchange is over.
        s.link.SetLinkState(linkstate::Online);
    });
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {&blocker};
        return true;
    };
    mark = s.sim.Received().size();
    s.link.OnTransferParameters();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    std::string wire = s.ReceivedSince(mark);
    EXPECT_EQ(stateSeen, linkstate::Download) << "a block request took the download's state";
    EXPECT_TRUE(EndsWith(wire, kLockOff)) << wire;
    EXPECT_EQ(Count(wire, "/MACRO/LOCK OFF"), 1u) << wire;
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);

    // ---- Macro lock: typing in the protocol monitor during a download, and
    //      whatever else set the state meanwhile: the lock is released at the end ----
    IntrudingObject typist(s.doc, "AMP5", {{"VOL", "-4"}}, [&] {
        s.link.OnMonitorChar("\r");
        stateSeen = s.link.GetLinkState();
        s.link.SetLinkState(linkstate::Terminal);
    });
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {&typist};
        return true;
    };
    mark = s.sim.Received().size();
    s.link.OnTransferParameters();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    wire = s.ReceivedSince(mark);
    EXPECT_EQ(stateSeen, linkstate::Download) << "the protocol monitor took the download's state";
    EXPECT_TRUE(EndsWith(wire, kLockOff)) << wire;
    s.link.SetLinkState(linkstate::Online);

    // ---- Upload: a block request or the monitor cannot take the upload's state ----
    int uploadStateAfterBlock = 0;
    int uploadStateAfterChar = 0;
    IntrudingObject upBlocker(s.doc, "AMP7", {{"VOL", "-7"}}, [&] {
        s.link.SendBlock({"/AUDIO/IN1/VOL ?"}, true, 0, &sink, 0);
        uploadStateAfterBlock = s.link.GetLinkState();
        s.link.OnMonitorChar("\r");
        uploadStateAfterChar = s.link.GetLinkState();
    });
    s.link.SendLine("/AMP7/VOL -8", &s.doc);  // the device differs: the upload must still compare
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.direction = 0;
        sel.objects = {&upBlocker};
        return true;
    };
    s.link.OnTransferParameters();
    EXPECT_EQ(uploadStateAfterBlock, linkstate::Upload) << "a block request took the upload's state";
    EXPECT_EQ(uploadStateAfterChar, linkstate::Upload) << "the protocol monitor took the upload's state";
    EXPECT_EQ(ReadFile(errFile), "ERROR: /AMP7/VOL >>-8<< should be >>-7<<\r\n");
    s.link.SetLinkState(linkstate::Online);
    Pump(300);

    // ---- SendAndCollect: answers in order, echoes and empty parts left out ----
    std::vector<std::string> answers;
    ASSERT_TRUE(s.link.SendAndCollect({"/ZONE/VOL ?", "/AMP3/MUTE ?", "/ZONE/VOL ?"}, &answers));
    EXPECT_EQ(answers, (std::vector<std::string> {"/ZONE/VOL -10", "/AMP3/MUTE OFF"}));
    answers.clear();
    // An empty line comes back as an empty echo: it must not glue the answers together.
    ASSERT_TRUE(s.link.SendAndCollect({"/AMP3/MUTE ?", "", "/ZONE/VOL ?"}, &answers));
    EXPECT_EQ(answers, (std::vector<std::string> {"/AMP3/MUTE OFF", "/ZONE/VOL -10"}));
    for (const std::string& a : answers)
        EXPECT_FALSE(a.empty());
    Pump(100);

    // ---- Disconnect: its lines, then the port is closed ----
    mark = s.sim.Received().size();
    s.link.OnDisconnect();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_FALSE(s.link.IsConnected());
    EXPECT_FALSE(s.link.GetPortOpen());
    EXPECT_EQ(s.link.GetBoundDocument(), nullptr);
    received = s.ReceivedSince(mark);
    ASSERT_TRUE(Consume(received, "/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n/SERVICE/ACCESS/DATE "))
        << received;
    const size_t tail = received.find("\r\n/COMM/ECHO ON\r\ngeheim\r\n/SERVICE/START FASTSAVE\r\n/PROTECT ?\r\n\r\n"
                                      "/PROTECT ON\r\ngeheim\r\ngeheim\r\n/PROTECT ?\r\n\r\n");
    EXPECT_NE(tail, std::string::npos) << received;
    EXPECT_NE(received.find("\r\n/SERVICE/ACCESS/TIME "), std::string::npos) << received;
    EXPECT_EQ(s.link.GetStatusText(), "               Kein Projekt mit QUILLOMER verbunden.          ");

    // ---- The disk: the protocol log holds the traffic, nothing else does; no password anywhere ----
    const std::string log = ReadFile(s.dir.filePath(QStringLiteral("Halle.log")));
    EXPECT_NE(log.find("/AMP3/VOL -6"), std::string::npos) << log;
    EXPECT_EQ(log.find("geheim"), std::string::npos) << log;
    EXPECT_EQ(FilesIn(s.dir.path()),
              (std::vector<std::string> {"Halle.err", "Halle.log", "Halle.qlx.par", "Halle.qlx.ret"}));
    QSettings settings;
    settings.sync();
    EXPECT_EQ(ReadFile(settings.fileName()).find("geheim"), std::string::npos);

    for (const char* p : {"ZONE", "AMP3", "AMP4", "AMP5", "AMP7"}) {
        s.doc.RemovePath(std::string("/") + p);
        for (const char* k : {"/VOL", "/NAME", "/MUTE"})
            s.doc.RemovePath(std::string("/") + p + k);
    }
}

// The text-file sender without a connection says so and does nothing more.
TEST(CommLinkAcceptance, TextFileSenderStopsWithoutConnection)
{
    Session s;
    const QString path = s.dir.filePath(QStringLiteral("Halle.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("/CLOCK/SLAVE1 ON\r\n");
    }
    const int state = s.link.GetLinkState();
    s.link.SendTextFileWithProgress(path.toStdString());
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"Bitte zuerst Verbindung zu QUILLOMER herstellen !"}));
    EXPECT_FALSE(s.link.IsSendingTextFile());
    EXPECT_TRUE(s.host.progressCaptions.empty());
    EXPECT_EQ(s.link.GetLinkState(), state);
    EXPECT_EQ(s.link.GetTextLinesSent(), 0);
    s.messages.texts.clear();
    s.link.SendTextFile(path.toStdString());
    Pump(120);  // no timer keeps trying
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"Bitte zuerst Verbindung zu QUILLOMER herstellen !"}));
    EXPECT_EQ(s.link.GetTextLinesSent(), 0);
    EXPECT_FALSE(s.link.IsSendingTextFile());
}

namespace {
// Starts a simulator in its boot loader and answers the firmware questions with Yes.
void StartInBootLoader(Session& s, const QStringList& extra)
{
    ASSERT_TRUE(s.sim.Start(QStringList {QStringLiteral("--boot"), QStringLiteral("--erase-ms"), QStringLiteral("200"),
                                         QStringLiteral("--start-ms"), QStringLiteral("100")}
                            + extra));
    // Boot prompt: Yes; the version question: Yes; last chance: Yes.
    s.messages.answers = {mb::IdYes, mb::IdYes, mb::IdYes};
}
}  // namespace

TEST(CommLinkAcceptance, FirmwareFromObjcopyReachesTheLoader)
{
    Session s;
    const QString file = s.dir.filePath(QStringLiteral("kvt0552.s19"));
    std::vector<std::string> records;
    ASSERT_TRUE(MakeSRecordFile(file, 300, records)) << "objcopy (binutils) is needed";
    StartInBootLoader(s, {QStringLiteral("--new-version"), QStringLiteral("V0.552")});
    s.host.firmwareFile = file.toStdString();
    s.link.OnConnect();
    ASSERT_TRUE(PumpUntil([&] { return s.messages.Contains("Das QUILLOMER-Betriebssystem wurde gestartet !"); }, kArrivalMs))
        << (s.messages.texts.empty() ? std::string() : s.messages.texts.back());
    EXPECT_TRUE(s.messages.Contains("Vorgang 'QUILLOMER-Betriebssystem laden' wurde erfolgreich durchgeführt !"));
    EXPECT_FALSE(s.messages.Contains("Fehler beim Laden"));
    std::string received = s.sim.Received();
    const size_t update = received.find("UPDATE\r\n");
    ASSERT_NE(update, std::string::npos) << received;
    received.erase(0, update + 8);
    std::string stream;
    for (const std::string& r : records)
        stream += r + "\r\n";
    ASSERT_TRUE(Consume(received, stream)) << received.substr(0, 400);
    EXPECT_TRUE(Consume(received, "START\r\n")) << received.substr(0, 200);
    EXPECT_EQ(s.host.progressCaptions.size(), 0u);
    // The dialog stayed open through the whole file until the loader's verdict.
    EXPECT_EQ(s.host.dialogResults, std::vector<bool> {true});
    EXPECT_TRUE(s.host.awaitedVerdict);
    EXPECT_TRUE(s.link.IsConnected());
    s.link.ClosePort();
}

TEST(CommLinkAcceptance, FirmwareCancelEndsTheStream)
{
    Session s;
    const QString file = s.dir.filePath(QStringLiteral("kvt0552.s19"));
    std::vector<std::string> records;
    ASSERT_TRUE(MakeSRecordFile(file, 4000, records)) << "objcopy (binutils) is needed";
    StartInBootLoader(s, {});
    s.host.firmwareFile = file.toStdString();
    s.host.cancelAfterRecords = 10;
    s.link.OnConnect();
    ASSERT_TRUE(s.host.cancelled);
    EXPECT_TRUE(s.messages.Contains("Vorgang 'QUILLOMER-Betriebssystem erneuern' wurde abgebrochen !"));
    // The loader's verdict on the aborted stream is shown, then the link disconnects.
    ASSERT_TRUE(PumpUntil([&] { return s.messages.Contains("Fehler beim Laden"); }, kArrivalMs));
    EXPECT_TRUE(s.messages.Contains("Fehler beim Laden des QUILLOMER-Betriebssystems !\r\n\nERROR ABORTED\r\n\n"
                                    "Bitte File überprüfen und Vorgang wiederholen !"));
    EXPECT_FALSE(s.messages.Contains("erfolgreich"));
    ASSERT_TRUE(PumpUntil([&] { return !s.link.IsConnected(); }, 5000));
    const std::string received = s.sim.Received();
    const size_t update = received.find("UPDATE\r\n");
    ASSERT_NE(update, std::string::npos) << received;
    const size_t etx = received.find("\x03\r\n", update);
    ASSERT_NE(etx, std::string::npos) << received.substr(update);
    const std::string end = "\x03\r\n\r\nS9030000FC\r\n\r\n";
    EXPECT_EQ(received.substr(etx, end.size()), end) << received.substr(etx, 60);
    // Everything before the abort was whole records of the file, in order.
    std::string before;
    for (int i = 0; i < static_cast<int>(records.size()) && before.size() < etx - update - 8; ++i)
        before += records[static_cast<size_t>(i)] + "\r\n";
    EXPECT_EQ(received.substr(update + 8, etx - update - 8), before);
    // The stream stopped: the last record of the file never went out.
    EXPECT_EQ(received.find(records[records.size() - 2]), std::string::npos);
    EXPECT_LT(s.host.recordsBeforeCancel, static_cast<int>(records.size()) - 1);
    EXPECT_EQ(received.find("START\r\n", update), std::string::npos);
}

namespace {
const char* const kLoaderSilent =
    "QUILLOMER antwortet nicht mehr !\r\n\nQUILLOMER befindet sich wahrscheinlich noch im Bootmodus.\r\n"
    "Verbindungskabel überprüfen, neu verbinden und das Betriebssystem erneut laden !";
const char* const kAborted = "Vorgang 'QUILLOMER-Betriebssystem erneuern' wurde abgebrochen !";
const char* const kHeader = "S00600004844521B\r\n";
const char* const kData =
    "S1130000285F245F2212226A000424290008237C2A\r\n"
    "S11300100002000800082629001853812341001813\r\n";

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

std::string NoDataMessage(const QString& path)
{
    return "Die Datei '" + path.toStdString()
           + "' enthält keine Daten für QUILLOMER (keine S1-, S2- oder S3-Records) !\r\n"
             "Es wurde nichts an QUILLOMER gesendet.";
}
}  // namespace

// A file the loader could not program is refused once the version is
// checked, and nothing is erased: a device found in its loader is told to
// start the system it holds and the link goes online with it; a running
// device hears nothing of such a file.
TEST(CommLinkAcceptance, FirmwareFilesWithoutDataNeverReachTheLoaderWhichStartsItsSystem)
{
    Session s;
    const QString empty = s.dir.filePath(QStringLiteral("leer.hex"));
    const QString frame = s.dir.filePath(QStringLiteral("rahmen.s19"));
    ASSERT_TRUE(WriteBytes(empty, ""));
    ASSERT_TRUE(WriteBytes(frame, QByteArray(kHeader) + "S9030000FC\r\n"));
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--boot"), QStringLiteral("--erase-ms"), QStringLiteral("200"),
                             QStringLiteral("--start-ms"), QStringLiteral("100")}));
    // Boot prompt: Yes; the version question: Yes.
    s.messages.answers = {mb::IdYes, mb::IdYes};
    s.host.firmwareFile = empty.toStdString();
    s.link.OnConnect();
    ASSERT_GE(s.messages.texts.size(), 3u);
    EXPECT_EQ(s.messages.texts[2], NoDataMessage(empty));
    ASSERT_TRUE(PumpUntil([&] { return s.link.GetLinkState() == linkstate::Online; }, kArrivalMs))
        << s.link.GetLinkState() << " " << s.messages.texts.back();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_EQ(s.messages.texts.size(), 4u);
    EXPECT_EQ(s.messages.texts.back(), "Das QUILLOMER-Betriebssystem wurde gestartet !");
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, kWakeUp)) << received;
    // The version, then the loader starts its system, which gets the set-up.
    ASSERT_TRUE(Consume(received, "/SERVICE/VER ?\r\nSTART\r\n\r\n")) << received;
    EXPECT_NE(received.find("/SERVICE/DEVICE ?\r\n"), std::string::npos) << received;
    EXPECT_EQ(received.find("UPDATE"), std::string::npos) << received;
    EXPECT_NE(s.sim.Sent().find("*** KVT7000"), std::string::npos) << "the device runs its system";
    EXPECT_TRUE(s.link.IsConnected());
    EXPECT_EQ(s.link.GetFirmwareStep(), 1);
    EXPECT_FALSE(s.link.IsWatchingLoader());

    // The command again from the running system, with header and end record only.
    const size_t mark = s.sim.Received().size();
    s.messages.texts.clear();
    s.messages.answers = {mb::IdYes};
    s.host.firmwareFile = frame.toStdString();
    s.link.OnLoadFirmware();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    ASSERT_EQ(s.messages.texts.size(), 2u);
    EXPECT_EQ(s.messages.texts[1], NoDataMessage(frame));
    EXPECT_EQ(s.ReceivedSince(mark), "/SERVICE/VER ?\r\n");
    EXPECT_TRUE(s.host.dialogResults.empty());
    EXPECT_FALSE(s.link.IsWatchingLoader());
    EXPECT_TRUE(s.link.IsConnected());
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);
    s.link.ClosePort();
    s.sim.Stop();

    // A file that cannot be opened, chosen while the device is in its loader.
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--boot"), QStringLiteral("--start-ms"), QStringLiteral("100")}));
    const std::string missing = s.dir.filePath(QStringLiteral("weg.hex")).toStdString();
    const size_t restart = s.sim.Received().size();
    s.messages.texts.clear();
    s.messages.answers = {mb::IdYes, mb::IdYes};
    s.host.firmwareFile = missing;
    s.link.OnConnect();
    ASSERT_GE(s.messages.texts.size(), 3u);
    EXPECT_EQ(s.messages.texts[2], "Die Datei kann nicht geöffnet werden !\n" + missing + "\n( Die Datei ist nicht vorhanden. )");
    ASSERT_TRUE(PumpUntil([&] { return s.link.GetLinkState() == linkstate::Online; }, kArrivalMs));
    received = s.ReceivedSince(restart);
    EXPECT_NE(received.find("/SERVICE/VER ?\r\nSTART\r\n\r\n"), std::string::npos) << received;
    EXPECT_EQ(received.find("UPDATE"), std::string::npos) << received;
    EXPECT_TRUE(s.link.IsConnected());
    s.link.ClosePort();
}

// A loader that erases for ever is given up after the time-out: the dialog
// fails, the user is told, and the line is let go without talking to the loader.
TEST(CommLinkAcceptance, ALoaderThatNeverAsksForTheRecordsIsGivenUp)
{
    Session s;
    const QString file = s.dir.filePath(QStringLiteral("kvt0552.hex"));
    ASSERT_TRUE(WriteBytes(file, QByteArray(kHeader) + kData + "S9030000FC\r\n"));
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--boot"), QStringLiteral("--erase-ms"), QStringLiteral("600000")}));
    s.messages.answers = {mb::IdYes, mb::IdYes, mb::IdYes};
    s.host.firmwareFile = file.toStdString();
    s.link.SetLoaderTimeouts(1500, 1500);
    s.link.OnConnect();
    EXPECT_EQ(s.host.dialogResults, std::vector<bool> {false});
    EXPECT_FALSE(s.host.awaitedVerdict);
    EXPECT_GE(s.host.dialogMs, 1400);
    EXPECT_LT(s.host.dialogMs, 6000);
    ASSERT_GE(s.messages.texts.size(), 2u);
    EXPECT_EQ(s.messages.texts[s.messages.texts.size() - 2], kLoaderSilent);
    EXPECT_EQ(s.messages.texts.back(), kAborted);
    EXPECT_FALSE(s.link.IsConnected());
    ASSERT_TRUE(s.sim.AwaitReceivedEnd("S9030000FC\r\n\r\n")) << s.sim.Received();
    std::string received = s.sim.Received();
    const size_t update = received.find("UPDATE\r\n");
    ASSERT_NE(update, std::string::npos) << received;
    EXPECT_EQ(received.substr(update + 8), "\x03\r\n\r\nS9030000FC\r\n\r\n");
}

// A file without an end record leaves the loader waiting for more: the
// wait for its verdict ends too, with the stream closed for it.
TEST(CommLinkAcceptance, ALoaderThatGivesNoVerdictIsGivenUp)
{
    Session s;
    const QString file = s.dir.filePath(QStringLiteral("ohne-ende.hex"));
    ASSERT_TRUE(WriteBytes(file, QByteArray(kHeader) + kData));
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--boot"), QStringLiteral("--erase-ms"), QStringLiteral("200")}));
    s.messages.answers = {mb::IdYes, mb::IdYes, mb::IdYes};
    s.host.firmwareFile = file.toStdString();
    s.link.SetLoaderTimeouts(5000, 1500);
    s.link.OnConnect();
    EXPECT_EQ(s.host.dialogResults, std::vector<bool> {false});
    EXPECT_TRUE(s.host.awaitedVerdict);
    ASSERT_GE(s.messages.texts.size(), 2u);
    EXPECT_EQ(s.messages.texts[s.messages.texts.size() - 2], kLoaderSilent);
    EXPECT_EQ(s.messages.texts.back(), kAborted);
    EXPECT_FALSE(s.messages.Contains("erfolgreich"));
    EXPECT_FALSE(s.messages.Contains("Fehler beim Laden"));  // the loader's late answer belongs to a load that is over
    EXPECT_FALSE(s.link.IsConnected());
    ASSERT_TRUE(s.sim.AwaitReceivedEnd("S9030000FC\r\n\r\n")) << s.sim.Received();
    std::string received = s.sim.Received();
    const size_t update = received.find("UPDATE\r\n");
    ASSERT_NE(update, std::string::npos) << received;
    EXPECT_EQ(received.substr(update + 8), std::string(kHeader) + kData + "\x03\r\n\r\nS9030000FC\r\n\r\n");
}

// A started system that never announces itself (nor does the loader refuse
// it) does not leave the link waiting for ever either.
TEST(CommLinkAcceptance, AStartedSystemThatNeverReportsIsGivenUp)
{
    Session s;
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--boot"), QStringLiteral("--start-ms"), QStringLiteral("600000")}));
    s.messages.answers = {mb::IdNo};  // boot prompt: start the present system
    s.link.SetLoaderTimeouts(CCommLink::kLoaderEraseTimeoutMs, CCommLink::kLoaderVerdictTimeoutMs, 1500);
    s.link.OnConnect();
    EXPECT_EQ(s.link.GetFirmwareStep(), 3);
    EXPECT_TRUE(s.link.IsConnected());
    ASSERT_TRUE(PumpUntil([&] { return !s.link.IsConnected(); }, 6000));
    ASSERT_EQ(s.messages.texts.size(), 2u);
    EXPECT_EQ(s.messages.texts[1], "Das gestartete QUILLOMER-Betriebssystem meldet sich nicht !\r\n\n"
                                   "Verbindungskabel überprüfen und neu verbinden !");
    EXPECT_EQ(s.link.GetFirmwareStep(), 1);
    ASSERT_TRUE(s.sim.AwaitReceivedEnd("START\r\n\r\n")) << s.sim.Received();
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, kWakeUp)) << received;
    EXPECT_EQ(received, "START\r\n\r\n");  // and no farewell to whoever listens
}

// Told to leave its system for the loader, a device whose loader does not
// show its prompt in time is let go: the user is told, and whoever listens
// now hears nothing more, neither the system's farewell nor the late loader.
TEST(CommLinkAcceptance, ADeviceThatDoesNotShowItsLoaderIsLetGoWithoutAFarewell)
{
    Session s;
    const QString file = s.dir.filePath(QStringLiteral("kvt0552.hex"));
    ASSERT_TRUE(WriteBytes(file, QByteArray(kHeader) + kData + "S9030000FC\r\n"));
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--boot-enter-ms"), QStringLiteral("6000")}));
    s.link.OnConnect();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    ASSERT_TRUE(s.link.IsConnected());
    const size_t mark = s.sim.Received().size();
    s.messages.texts.clear();
    s.messages.answers = {mb::IdYes, mb::IdYes};  // the version question, the last chance
    s.host.firmwareFile = file.toStdString();
    s.link.OnLoadFirmware();
    EXPECT_FALSE(s.link.IsConnected());
    ASSERT_FALSE(s.messages.texts.empty());
    EXPECT_EQ(s.messages.texts.back(), "Unbekanntes Gerät an der Kommunikationsschnittstelle !");
    EXPECT_TRUE(s.host.dialogResults.empty());
    Pump(300);
    EXPECT_EQ(s.ReceivedSince(mark), "/SERVICE/VER ?\r\n/COMM/MODEM/INIT ?\r\n/SERVICE/START BOOTLOAD\r\n");
    EXPECT_EQ(s.link.GetFirmwareStep(), 1);
}

// Cancelled while the loader erases the old system: the loader is given the
// end record for its request, and its verdict is told and ends the
// connection, as after a cancel while sending; the link never goes on as if
// a system answered.
TEST(CommLinkAcceptance, FirmwareCancelWhileErasingEndsWithTheLoadersVerdict)
{
    Session s;
    const QString file = s.dir.filePath(QStringLiteral("kvt0552.hex"));
    ASSERT_TRUE(WriteBytes(file, QByteArray(kHeader) + kData + "S9030000FC\r\n"));
    StartInBootLoader(s, {QStringLiteral("--erase-ms"), QStringLiteral("1000")});
    s.host.firmwareFile = file.toStdString();
    s.host.cancelWhileErasing = true;
    s.link.OnConnect();
    ASSERT_TRUE(s.host.cancelled);
    EXPECT_EQ(s.host.dialogResults, std::vector<bool> {false});
    EXPECT_TRUE(s.messages.Contains(kAborted));
    ASSERT_TRUE(PumpUntil([&] { return !s.link.IsConnected(); }, kArrivalMs)) << s.sim.Received();
    EXPECT_EQ(s.messages.texts.back(), "Fehler beim Laden des QUILLOMER-Betriebssystems !\r\n\nERROR NO DATA\r\n\n"
                                       "Bitte File überprüfen und Vorgang wiederholen !");
    Pump(300);
    std::string received = s.sim.Received();
    const size_t update = received.find("UPDATE\r\n");
    ASSERT_NE(update, std::string::npos) << received;
    EXPECT_EQ(received.substr(update + 8), "\x03\r\n\r\nS9030000FC\r\n\r\nS9030000FC\r\n\r\n");
    EXPECT_EQ(s.link.GetFirmwareStep(), 1);
}
