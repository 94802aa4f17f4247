// The device link end to end against the device simulator on a
// pseudo-terminal: the connection dialogue, a block query, a whole download,
// the export, an upload with its difference file, a text file and the
// disconnect, on a password-protected device; the firmware load from the
// boot loader.
// What the device received is checked byte for byte from its traffic log.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include "comm/CommIds.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

const char* const kWakeUp = "/\r\n\x03\r\ne\r\nPROMPT ON\r\n/COMM/PROMPT ON\r\n\r\n?\r\n";

// An object of the project whose changes mark the document modified.
struct Amplifier : CBaseDevice {
    Amplifier() { m_type = OT_AMPLIFIER; }
};

// The set-up after the protection query (and the login, if any).
std::string SetupBytes(const std::string& dateWord)
{
    return "/COMM/PROMPT OFF\r\n/COMM/ECHO OFF\r\n/SERVICE/ACCESS/TIME ?\r\n/SERVICE/ACCESS/DATE ?\r\n"
           "/COMM/ECHO ON\r\n"
           "/COMM/ECHO ?\r\n"
           "/COMM/PROMPT ?\r\n"
           "/SERVICE/DEVICE ?\r\n"
           "/SERVICE/VER ?\r\n"
           "/CLOCK/DATEFORMAT "
           + dateWord + "\r\n/COMM/PROMPT OFF\r\n/COMM/ECHO ON\r\n";
}

std::string DateWord()
{
    return QLocale::system().language() == QLocale::German ? "GERMAN" : "US";
}

// Cuts `prefix` off the front of `text`; false when it is not there.
bool Consume(std::string& text, const std::string& prefix)
{
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    text.erase(0, prefix.size());
    return true;
}

class Session {
public:
    Session()
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 1);
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
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

    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    TestHost host;
    CCommLink link;
    Messages messages;
    ActiveDocHook previousHook;
    ILineSender* previousSender = nullptr;
};

}  // namespace

TEST(CommLinkSim, ConnectTransferAndDisconnect)
{
    Session s;
    // A password-protected device.
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--protect"), QStringLiteral("geheim"), QStringLiteral("-e"),
                             QStringLiteral("set /AUDIO/IN1/VOL -12"), QStringLiteral("-e"),
                             QStringLiteral("set /ZONE/VOL -6")}))
        << Simulator::Program().toStdString();

    // ---- Connect, login and the set-up dialogue ----
    s.host.loginPasswords = {"falsch", "geheim"};
    s.link.OnConnect();
    ASSERT_TRUE(s.link.IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));  // the last line of the set-up leaves the port
    EXPECT_EQ(s.host.onlineNotices, 1);
    EXPECT_EQ(s.host.logins, (std::vector<int> {1}));
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"Login wurde abgelehnt !"}));
    EXPECT_TRUE(s.link.GetProtectionWasOn());
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, kWakeUp)) << received;
    // The wake-up found "/PROTECT ON": asked again, then the protection state and the login.
    ASSERT_TRUE(Consume(received, "?\r\n/PROTECT ?\r\n\r\n/PROTECT OFF\r\nfalsch\r\n/PROTECT ?\r\n"
                                  "/PROTECT OFF\r\ngeheim\r\n/PROTECT ?\r\n"))
        << received;
    ASSERT_TRUE(Consume(received, SetupBytes(DateWord()))) << received;
    EXPECT_EQ(received, "");
    s.messages.texts.clear();
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OS Version")).toString(), QStringLiteral("V0.551"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Device Id")).toString(), QStringLiteral("KVT7000"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Echo On")).toInt(), 1);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Prompt On")).toInt(), 0);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Last access date")).toString(), QStringLiteral("01.01.2004"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Last access time")).toString(), QStringLiteral("12:00:00"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/MACRO_CLR")).toInt(), 1);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/MONI_CLR")).toInt(), 1);
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);
    EXPECT_EQ(s.link.GetStatusText(), "Projekt 'Halle' mit QUILLOMER verbunden !");
    EXPECT_EQ(s.host.monitorClears, 1);  // before the "?" of the wake-up
    EXPECT_NE(s.host.monitor.find("/PROTECT ON"), std::string::npos);  // the wake-up reply
    const std::string header = ReadFile(s.dir.filePath(QStringLiteral("Halle.log")));
    EXPECT_EQ(header.rfind(";\r\n;Beginn neue \xDC" "bertragung: ", 0), 0u) << header;

    // ---- A block query; the answer goes to the asker ----
    const size_t before = s.sim.Received().size();
    AnswerSink sink;
    ASSERT_TRUE(s.link.SendBlock({"/AUDIO/IN1/VOL ?"}, true, 0, &sink, 0));
    ASSERT_TRUE(PumpUntil([&] { return !sink.lines.empty(); }));
    // The query's echo is no answer.
    EXPECT_EQ(sink.lines, (std::vector<std::string> {"/AUDIO/IN1/VOL -12"}));
    EXPECT_EQ(s.sim.Received().substr(before), "/AUDIO/IN1/VOL ?\r\n");
    s.link.SetLinkState(linkstate::Online);

    LineObject zone(s.doc, "ZONE", {{"VOL", "-10"}, {"NAME", "Foyer Süd"}}, "Foyer");
    LineObject amp(s.doc, "AMP3", {{"VOL", "-6"}, {"MUTE", "OFF"}}, "Verstärker 3");
    amp.shortenLines = true;

    // ---- Upload: differences go to the ".err" file, which is shown ----
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.direction = 0;
        sel.objects = {&zone};
        return true;
    };
    size_t mark = s.sim.Received().size();
    s.link.OnTransferParameters();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_EQ(s.sim.Received().substr(mark), "/ZONE/VOL ?\r\n/ZONE/NAME ?\r\n");
    const std::string errFile = s.dir.filePath(QStringLiteral("Halle.err")).toStdString();
    EXPECT_EQ(ReadFile(QString::fromStdString(errFile)), "ERROR: /ZONE/VOL >>-6<< should be >>-10<<\r\n");
    EXPECT_EQ(s.host.editorFiles, (std::vector<std::string> {errFile}));
    EXPECT_TRUE(s.messages.Contains("Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""));
    EXPECT_TRUE(s.messages.Contains("Überprüfen Sie die LOG Datei!"));  // "/ZONE/NAME ? " is unknown to the device
    EXPECT_EQ(s.link.GetErrorFileName(), "");
    EXPECT_EQ(zone.states, (std::vector<int> {7}));

    // ---- A whole download of the chosen objects ----
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {&zone, &amp};
        return true;
    };
    mark = s.sim.Received().size();
    const size_t messagesBefore = s.messages.texts.size();
    s.link.OnTransferParameters();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_EQ(s.sim.Received().substr(mark),
              "/MACRO/LOCK ON\r\n/ZONE/VOL -10\r\n/ZONE/NAME Foyer S\xFC" "d\r\n/AMP3/VOL -6\r\n/AMP3/MUTE OFF\r\n"
              "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n");
    EXPECT_EQ(s.host.progressCaptions.back(), "Einstellungen übertragen");
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);
    EXPECT_EQ(s.messages.texts.size(), messagesBefore);

    // ---- Export to the worksheet file: nothing goes to the device ----
    const QString textFile = s.dir.filePath(QStringLiteral("Halle.txt"));
    {
        QFile f(textFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("/CLOCK/SLAVE1 ON\r\n/CLOCK/SLAVE2 OFF\n");
    }
    s.host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {&zone};
        sel.textFile = true;
        return true;
    };
    mark = s.sim.Received().size();
    s.link.OnExportWorksheet();
    EXPECT_EQ(ReadFile(s.dir.filePath(QStringLiteral("Halle.qlx.par"))),
              "/MACRO/LOCK ON\r\n/ZONE/VOL -10\r\n/ZONE/NAME Foyer S\xFC" "d\r\n/CLOCK/SLAVE1 ON\r\n/CLOCK/SLAVE2 OFF\r\n"
              "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n");
    EXPECT_TRUE(QFile::exists(s.dir.filePath(QStringLiteral("Halle.qlx.ret"))));
    EXPECT_EQ(ReadFile(s.dir.filePath(QStringLiteral("Halle.qlx.ret"))), "");
    Pump(100);
    EXPECT_EQ(s.sim.Received().substr(mark), "");
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);

    // ---- A configuration text file ----
    s.host.configFile = textFile.toStdString();
    mark = s.sim.Received().size();
    s.link.OnCommand(commid::SendConfigFile);
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_EQ(s.sim.Received().substr(mark), "/CLOCK/SLAVE1 ON\r/CLOCK/SLAVE2 OFF\r");
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Terminal);

    // ---- Disconnect: the device's clock becomes its last access ----
    mark = s.sim.Received().size();
    s.link.OnDisconnect();
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_FALSE(s.link.IsConnected());
    EXPECT_EQ(s.link.GetBoundDocument(), nullptr);
    received = s.sim.Received().substr(mark);
    ASSERT_TRUE(Consume(received, "/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n")) << received;
    ASSERT_TRUE(Consume(received, "/SERVICE/ACCESS/DATE ")) << received;
    const std::string date = received.substr(0, 10);
    const std::string rest = received.substr(10);
    EXPECT_EQ(rest.substr(0, 23), "\r\n/SERVICE/ACCESS/TIME ");
    // The password goes along; the protection found off is switched on again.
    EXPECT_EQ(rest.substr(31), "\r\n/COMM/ECHO ON\r\ngeheim\r\n/SERVICE/START FASTSAVE\r\n/PROTECT ?\r\n\r\n"
                               "/PROTECT ON\r\ngeheim\r\ngeheim\r\n/PROTECT ?\r\n\r\n");
    EXPECT_FALSE(s.messages.Contains("Passwortschutz konnte nicht aktiviert werden"));
    // In the form the set-up told the device.
    EXPECT_EQ(date, QDate::currentDate()
                        .toString(DateWord() == "US" ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd.MM.yyyy"))
                        .toStdString());
    EXPECT_EQ(s.host.connectionText, "               Kein Projekt mit QUILLOMER verbunden.          ");

    // The protocol log holds the received lines.
    const std::string log = ReadFile(s.dir.filePath(QStringLiteral("Halle.log")));
    EXPECT_NE(log.find("/AUDIO/IN1/VOL -12\r\n"), std::string::npos);
    for (const char* path : {"/ZONE/VOL", "/ZONE/NAME", "/ZONE", "/AMP3/VOL", "/AMP3/MUTE", "/AMP3"})
        s.doc.RemovePath(path);
}

// The connection pane names the project, not the title with its modified
// mark: changed before the connection or while it lasts, the project
// "anlage-de" shows as 'anlage-de'.
TEST(CommLinkSim, ConnectionTextNamesTheProjectWithoutTheModifiedMark)
{
    Session s;
    ASSERT_TRUE(s.sim.Start({})) << Simulator::Program().toStdString();
    s.doc.SetTitle("anlage-de");
    auto* amp = new Amplifier;
    ASSERT_TRUE(amp->Create(0, "Verstärker 1", 1, CAT_AMPLIFIER, &s.doc));
    s.doc.AddObject(amp, CAT_AMPLIFIER);
    amp->SetDocModified();
    ASSERT_EQ(s.doc.GetTitle(), "anlage-de *");

    s.link.OnConnect();
    ASSERT_TRUE(s.link.IsConnected());
    Pump(200);
    const std::string connected = "Projekt 'anlage-de' mit QUILLOMER verbunden !";
    EXPECT_EQ(s.link.GetStatusText(), connected);
    EXPECT_EQ(s.host.connectionText, connected);

    // Saved, then changed again while connected.
    s.doc.SetModifiedFlag(false);
    s.doc.SetTitle(s.doc.GetProjectName());
    EXPECT_EQ(s.link.GetStatusText(), connected);
    amp->SetDocModified();
    EXPECT_EQ(s.link.GetStatusText(), connected);
    s.link.OnDisconnect();
    Pump(100);
}

TEST(CommLinkSim, FirmwareLoadFromTheBootLoader)
{
    Session s;
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--boot"), QStringLiteral("--erase-ms"), QStringLiteral("300"),
                             QStringLiteral("--start-ms"), QStringLiteral("100"), QStringLiteral("--new-version"),
                             QStringLiteral("V0.552")}));
    const QString hex = s.dir.filePath(QStringLiteral("kvt0552.hex"));
    const std::string records =
        "S00600004844521B\r\n"
        "S1130000285F245F2212226A000424290008237C2A\r\n"
        "S11300100002000800082629001853812341001813\r\n"
        "S9030000FC\r\n";
    {
        QFile f(hex);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(records.c_str());
    }
    s.host.firmwareFile = hex.toStdString();
    // Boot prompt: Yes (load); version query answered by the loader: Yes;
    // last chance: Yes; then the information messages are confirmed.
    s.messages.answers = {mb::IdYes, mb::IdYes, mb::IdYes};
    s.link.OnConnect();
    ASSERT_TRUE(PumpUntil([&] { return s.messages.Contains("Das QUILLOMER-Betriebssystem wurde gestartet !"); }, kArrivalMs))
        << (s.messages.texts.empty() ? std::string() : s.messages.texts.back());
    ASSERT_TRUE(PumpUntil([&] { return s.sim.Received().find("/CLOCK/DATEFORMAT") != std::string::npos; }, kArrivalMs));
    EXPECT_EQ(s.messages.texts.front(),
              "QUILLOMER befindet sich im Bootmodus !\r\nMit 'Ja' wird ein neues Betriebssystem geladen.\r\n"
              "Mit 'Nein' wird das aktuelle Betriebssystem gestartet.");
    EXPECT_TRUE(s.messages.Contains("Vorgang 'QUILLOMER-Betriebssystem laden' wurde erfolgreich durchgeführt !"));
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, kWakeUp)) << received;
    // Version query, modem init query, the loader's prompt, then the records.
    ASSERT_TRUE(Consume(received, "/SERVICE/VER ?\r\n/COMM/MODEM/INIT ?\r\n\r\nUPDATE\r\n")) << received;
    std::string withEnds;
    for (size_t p = 0; p < records.size();) {
        const size_t e = records.find("\r\n", p);
        withEnds += records.substr(p, e - p) + "\r\n";
        p = e + 2;
    }
    ASSERT_TRUE(Consume(received, withEnds)) << received;
    ASSERT_TRUE(Consume(received, "START\r\n\r\n")) << received;
    // The loader answered the modem-init query with its "?" and prompt: no
    // line of the system's, so nothing of it goes back, only the set-up follows.
    const size_t setup = received.find("/PROTECT ?\r\n\r\n");
    ASSERT_NE(setup, std::string::npos) << received;
    EXPECT_EQ(received.substr(0, setup), "\r\n") << received;
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);
    EXPECT_EQ(s.link.GetFirmwareStep(), 1);
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OS Version")).toString(), QStringLiteral("V0.552"));
    EXPECT_TRUE(s.link.IsConnected());
    s.link.ClosePort();
}
