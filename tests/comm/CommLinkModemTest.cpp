// The device link over a dial-up modem, end to end against the simulator in
// its modem mode on a pseudo-terminal: the modem's init strings, dialling,
// the connection set-up through the call and the hang-up at disconnect; dial
// failures that leave the link idle. Also the service commands whose waits are
// long: clearing all settings and the network scan's time-out.
// What the device received is checked byte for byte from its traffic log.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "comm/RegistryEx.h"

using namespace commtest;
using serialtest::Pump;

namespace {

const char* const kWakeUp = "/\r\n\x03\r\ne\r\nPROMPT ON\r\n/COMM/PROMPT ON\r\n\r\n?\r\n";
constexpr int kModemPort = 3;

std::string SetupBytes()
{
    const std::string dateWord = QLocale::system().language() == QLocale::German ? "GERMAN" : "US";
    return "/PROTECT ?\r\n\r\n"
           "/COMM/PROMPT OFF\r\n/COMM/ECHO OFF\r\n/SERVICE/ACCESS/TIME ?\r\n/SERVICE/ACCESS/DATE ?\r\n"
           "/COMM/ECHO ON\r\n/COMM/ECHO ?\r\n/COMM/PROMPT ?\r\n/SERVICE/DEVICE ?\r\n/SERVICE/VER ?\r\n"
           "/CLOCK/DATEFORMAT " + dateWord + "\r\n/COMM/PROMPT OFF\r\n/COMM/ECHO ON\r\n";
}

bool Consume(std::string& text, const std::string& prefix)
{
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    text.erase(0, prefix.size());
    return true;
}

// A link that can serve a document over a port opened without the connect dialogue.
class TestLink : public CCommLink {
public:
    bool Attach(CQuillomerDoc* doc)
    {
        ConfigurePort();
        if (!SetPortOpen(true))
            return false;
        BindOpenPort(doc);
        return true;
    }
};

class Session {
public:
    Session()
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        SetProfile(QStringLiteral("Configuration/ModemName"), QStringLiteral("Testmodem 56k"));
        SetProfile(QStringLiteral("Configuration/CallNumber"), QStringLiteral("0301234"));
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
        CRegistryEx::SetLocalMachine({});
        serialtest::SetDevicePath(kPort, {});
        serialtest::SetDevicePath(kModemPort, {});
    }

    // The store of installed modems: one modem on COM3, whose extra init
    // text is `userInit`.
    void WriteModemStore(const std::string& userInit)
    {
        const QString file = dir.filePath(QStringLiteral("modems.ini"));
        const std::string key = "[SYSTEM/CurrentControlSet/Control/Class/{4D36E96D-E325-11CE-BFC1-08002BE10318}/0000";
        std::string text = key + "]\nModel=Testmodem 56k\nAttachedTo=COM3\nUserInit=" + userInit + "\n"
                           "Default=hex:3c,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,20,00,00,00\n"
                           + key + "/Init]\n1=ATZ<cr>\n2=AT&F E1<cr>\n"
                           + key + "/Settings]\nCallSetupFailTimer=S7=<#>\nInactivityTimeout=S30=<#>\n"
                           "SpeakerVolume_Low=L0\nSpeakerVolume_Mid=L1\nSpeakerMode_Off=M0\nSpeakerMode_Dial=M1\n"
                           "FlowControl_Hard=&K3\nFlowControl_Soft=&K4\nFlowControl_Off=&K0\n"
                           "SpeedNegotiation_On=N1\nSpeedNegotiation_Off=N0\nBlind_On=X3\nBlind_Off=X4\n";
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.c_str());
        f.close();
        CRegistryEx::SetLocalMachine(file);
    }
    // The simulator on the modem's port.
    bool StartModem(const QStringList& args)
    {
        if (!sim.Start(QStringList {QStringLiteral("--modem"), QStringLiteral("--dial-ms"), QStringLiteral("600")}
                       + args))
            return false;
        const QString path = QSettings().value(QStringLiteral("COMSECTION/DevicePath%1").arg(kPort)).toString();
        serialtest::SetDevicePath(kPort, {});
        serialtest::SetDevicePath(kModemPort, path);
        return !path.isEmpty();
    }

    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    TestHost host;
    TestLink link;
    Messages messages;
    ActiveDocHook previousHook;
    ILineSender* previousSender = nullptr;
};

// The init strings in the order the modem store gives them: its "Init"
// values, then the command built from its settings and "UserInit".
std::string InitBytes(const std::string& userInit)
{
    return "ATZ\r\nAT&F E1\r\nATS7=60S30=0L0M0&K4N0X4" + userInit + "\r\n";
}

}  // namespace

TEST(CommLinkModem, ConnectsThroughTheModemAndHangsUpAtDisconnect)
{
    Session s;
    s.WriteModemStore("E1");
    ASSERT_TRUE(s.StartModem({})) << Simulator::Program().toStdString();

    s.link.OnConnectModem();
    ASSERT_TRUE(s.link.IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    EXPECT_EQ(s.messages.texts, std::vector<std::string> {});
    EXPECT_EQ(s.link.GetPortNumber(), kModemPort);
    EXPECT_EQ(Profile(QStringLiteral("Configuration/Modem")).toInt(), 1);
    EXPECT_EQ(s.host.progressCaptions, (std::vector<std::string> {"Verbinden"}));
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, InitBytes("E1"))) << received;
    ASSERT_TRUE(Consume(received, "atd 0301234 \r\n")) << received;
    ASSERT_TRUE(Consume(received, kWakeUp)) << received;
    ASSERT_TRUE(Consume(received, SetupBytes())) << received;
    EXPECT_EQ(received, "");
    // The set-up ran through the call.
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/OS Version")).toString(), QStringLiteral("V0.551"));
    EXPECT_EQ(Profile(QStringLiteral("KVT7000/Device Id")).toString(), QStringLiteral("KVT7000"));
    EXPECT_EQ(s.link.GetLinkState(), linkstate::Online);
    EXPECT_NE(s.sim.Sent().find("\r\nCONNECT 19200\r\n"), std::string::npos);

    const size_t mark = s.sim.Received().size();
    s.link.OnDisconnect();
    EXPECT_FALSE(s.link.IsConnected());
    EXPECT_EQ(s.link.GetBoundDocument(), nullptr);
    EXPECT_EQ(s.link.GetPortNumber(), kPort);  // back to the configured port
    received = s.sim.Received().substr(mark);
    EXPECT_EQ(received.rfind("/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n", 0), 0u) << received;
    const std::string tail = "\r\n/COMM/ECHO ON\r\n\r\n/SERVICE/START FASTSAVE\r\nATH\r\n";
    ASSERT_GE(received.size(), tail.size());
    EXPECT_EQ(received.substr(received.size() - tail.size()), tail) << received;
    // The modem took the ATH (the call ended) and said OK: no hang-up warning.
    EXPECT_EQ(s.sim.Traffic("---"), "call connectedcall ended");
    const std::string sent = s.sim.Sent();
    const std::string hangup = "ATH\r\n\r\nOK\r\n";
    ASSERT_GE(sent.size(), hangup.size());
    EXPECT_EQ(sent.substr(sent.size() - hangup.size()), hangup) << sent;
    EXPECT_EQ(s.messages.texts, std::vector<std::string> {});
}

TEST(CommLinkModem, DialFailuresAreReportedAndLeaveTheLinkIdle)
{
    Session s;
    s.WriteModemStore("");
    // No carrier; no dial tone; a busy line on a modem with basic result
    // codes (ATX1, reported as NO CARRIER); then nobody answers and the user
    // cancels.
    ASSERT_TRUE(s.StartModem({QStringLiteral("--modem-dial"), QStringLiteral("no-carrier"),
                              QStringLiteral("no-dialtone"), QStringLiteral("busy"), QStringLiteral("none")}));
    auto idle = [&] {
        EXPECT_FALSE(s.link.IsConnected());
        EXPECT_EQ(s.link.GetBoundDocument(), nullptr);
            EXPECT_EQ(s.link.GetPortNumber(), kPort);
        EXPECT_FALSE(s.link.GetPortOpen());
        EXPECT_EQ(s.link.GetStatusText(), "               Kein Projekt mit QUILLOMER verbunden.          ");
    };

    s.link.OnConnectModem();
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"NO CARRIER"}));
    idle();
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, InitBytes(""))) << received;
    EXPECT_EQ(received, "atd 0301234 \r\n");  // no wake-up

    s.link.OnConnectModem();
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"NO CARRIER", "NO DIALTONE"}));
    idle();

    s.WriteModemStore("X1");
    s.link.OnConnectModem();
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"NO CARRIER", "NO DIALTONE", "NO CARRIER"}));
    idle();

    // Cancelled while the modem rings: the link sends ATH and closes.
    s.host.cancelAfter = 1;
    s.messages.answers = {mb::IdYes};
    const size_t mark = s.sim.Received().size();
    QElapsedTimer t;
    t.start();
    s.link.OnConnectModem();
    EXPECT_LT(t.elapsed(), 6000);
    idle();
    // The device reads at the line rate: the last line may still be coming in.
    s.sim.AwaitReceivedEnd("ATH\r\n");
    received = s.sim.Received().substr(mark);
    ASSERT_TRUE(Consume(received, InitBytes("X1") + "atd 0301234 \r\n")) << received;
    EXPECT_EQ(received, "ATH\r\n");
    EXPECT_EQ(s.messages.texts.size(), 3u);
    EXPECT_NE(s.sim.Sent().rfind("\r\nNO CARRIER\r\n"), std::string::npos);  // the modem stopped dialling
    EXPECT_EQ(s.sim.Traffic("---"), "");
}

// A busy line (extended result codes, ATX4) ends the dial at once, like no carrier.
TEST(CommLinkModem, BusyLineEndsTheDialAtOnce)
{
    Session s;
    s.WriteModemStore("");
    ASSERT_TRUE(s.StartModem({QStringLiteral("--modem-dial"), QStringLiteral("busy")}));
    QElapsedTimer t;
    t.start();
    s.link.OnConnectModem();
    EXPECT_LT(t.elapsed(), 6000) << "the link waited for the dial's time-out";
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"BUSY"}));
    EXPECT_NE(s.sim.Sent().find("\r\nBUSY\r\n"), std::string::npos);
    EXPECT_FALSE(s.link.IsConnected());
    EXPECT_EQ(s.link.GetBoundDocument(), nullptr);
    EXPECT_FALSE(s.link.GetPortOpen());
    EXPECT_EQ(s.link.GetPortNumber(), kPort);
    std::string received = s.sim.Received();
    ASSERT_TRUE(Consume(received, InitBytes(""))) << received;
    EXPECT_EQ(received, "atd 0301234 \r\n");  // no wake-up
    EXPECT_EQ(s.sim.Traffic("---"), "");
}

TEST(CommLinkModem, ClearingAllSettingsKeepsTheModemInit)
{
    Session s;
    ASSERT_TRUE(s.sim.Start({QStringLiteral("-e"), QStringLiteral("set /COMM/PROMPT OFF"), QStringLiteral("-e"),
                             QStringLiteral("set /COMM/MODEM/INIT AT&F E0 S0=1"), QStringLiteral("-e"),
                             QStringLiteral("set /AMP/ADR1/NAME Halle Nord")}));
    ASSERT_TRUE(s.link.Attach(&s.doc));
    QElapsedTimer t;
    t.start();
    s.link.OnClearSettings();
    EXPECT_GE(t.elapsed(), 7000);  // the device's time to clear and restart
    EXPECT_LT(t.elapsed(), 9500);
    EXPECT_EQ(s.sim.Received(),
              "/COMM/MODEM/INIT ?\r\n/SERVICE/START EEPCLR \r\n\r\n/COMM/PROMPT OFF\r\n"
              "/COMM/MODEM/INIT ?\r\n/COMM/MODEM/INIT AT&F E0 S0=1\r\n\r\n/\r\n");
    EXPECT_EQ(s.messages.texts, std::vector<std::string> {});

    // The device's own values are gone; its modem init was given back.
    std::string answer = s.link.Query("/AMP/ADR1/NAME ?", 400);
    EXPECT_NE(answer.find("/AMP/ADR1/NAME ? \r\n"), std::string::npos) << answer;
    answer = s.link.Query("/COMM/MODEM/INIT ?", 400);
    EXPECT_NE(answer.find("/COMM/MODEM/INIT AT&F E0 S0=1\r\n"), std::string::npos) << answer;
    answer = s.link.Query("/COMM/PROMPT ?", 400);
    EXPECT_NE(answer.find("/COMM/PROMPT OFF\r\n"), std::string::npos) << answer;
    EXPECT_EQ(answer.find('>'), std::string::npos) << answer;
}

TEST(CommLinkModem, NetScanTimesOutWhileTheDeviceKeepsScanning)
{
    Session s;
    SetProfile(QStringLiteral("Configuration/Netscan"), 1);
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--netscan-s"), QStringLiteral("100"), QStringLiteral("-e"),
                             QStringLiteral("set /COMM/PROMPT OFF")}));
    ASSERT_TRUE(s.link.Attach(&s.doc));
    QElapsedTimer t;
    t.start();
    s.link.OnNetScan();
    EXPECT_GE(t.elapsed(), 2000);  // more than the one second allowed
    EXPECT_LT(t.elapsed(), 4000);
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"Zeit für Netscan wurde überschritten !\n"}));
    EXPECT_EQ(s.host.progressCaptions, (std::vector<std::string> {"Netscan"}));
    const std::string received = s.sim.Received();
    EXPECT_EQ(received.rfind("/service/netscan on\r\n?\r\n?\r\n?\r\n", 0), 0u) << received;
    SetProfile(QStringLiteral("Configuration/Netscan"), {});
}

TEST(CommLinkModem, NetScanKeepsPollingASilentDeviceUntilCancelled)
{
    Session s;
    SetProfile(QStringLiteral("Configuration/Netscan"), 1);
    // The device falls silent once the scan is asked for.
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--at"), QStringLiteral("1"), QStringLiteral("silent")}));
    ASSERT_TRUE(s.link.Attach(&s.doc));
    s.host.cancelAfter = 6;
    s.messages.answers = {mb::IdYes};
    QElapsedTimer t;
    t.start();
    s.link.OnNetScan();
    EXPECT_GE(t.elapsed(), 2400);  // past the time-out: neither ON nor OFF came
    EXPECT_EQ(s.messages.texts, (std::vector<std::string> {"Wollen Sie den Vorgang wirklich abbrechen ?"}));
    const std::string received = s.sim.Received();
    EXPECT_EQ(received, "/service/netscan on\r\n?\r\n?\r\n?\r\n?\r\n?\r\n?\r\n?\r\n") << received;
    SetProfile(QStringLiteral("Configuration/Netscan"), {});
}
