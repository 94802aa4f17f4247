// The simulator's modem in front of the device, without a terminal: Hayes
// commands before a call, dialling with scripted outcomes, the device behind a
// connected call, "+++" and the hang-up (ATH, and ATH after a pause standing
// for a dropped DTR).
#include "KvtModem.h"
#include "KvtScript.h"

#include <gtest/gtest.h>

using namespace kvtsim;

namespace {

class Line {
public:
    explicit Line(ModemConfig c = {}, DeviceConfig d = {})
        : device(std::move(d))
        , modem(device, WithEnabled(std::move(c)))
    {
    }
    std::string Send(const std::string& bytes)
    {
        modem.Receive(bytes, now);
        modem.Tick(now);
        return modem.TakeOutput();
    }
    std::string Wait(int ms)
    {
        now += Millis(ms);
        modem.Tick(now);
        return modem.TakeOutput();
    }
    // Dials and waits for the result.
    std::string Dial(const std::string& number = "0301234")
    {
        std::string out = Send("atd " + number + " \r\n");
        out += Wait(1000);
        return out;
    }
    static ModemConfig WithEnabled(ModemConfig c)
    {
        c.enabled = true;
        return c;
    }

    KvtDevice device;
    KvtModem modem;
    TimePoint now {};
};

}  // namespace

TEST(KvtModem, AnswersInitStringsAndIgnoresOtherText)
{
    Line l;
    // The echo carries the line end as "\r\n", so a host that strips its own
    // line from the answer finds the result alone.
    EXPECT_EQ(l.Send("ATZ\r\n"), "ATZ\r\n\r\nOK\r\n");
    EXPECT_EQ(l.Send("AT&F E0\r\n"), "AT&F E0\r\n\r\nOK\r\n");
    EXPECT_FALSE(l.modem.IsEchoOn());
    EXPECT_EQ(l.Send("ATS7=60L1M1&K4N1X4\\N3%C1\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(l.Send("ats7?\r"), "\r\n060\r\n\r\nOK\r\n");
    // Not a command, or an unknown form: no answer, or ERROR.
    EXPECT_EQ(l.Send("/SERVICE/VER ?\r\n"), "");
    EXPECT_EQ(l.Send("AT&\r\n"), "\r\nERROR\r\n");
    EXPECT_EQ(l.Send("ATX7\r\n"), "\r\nERROR\r\n");
    EXPECT_EQ(l.Send("AT!\r\n"), "\r\nERROR\r\n");
    EXPECT_EQ(l.Send("ATE1\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(l.Send("AT\b\bATH\r\n"), "AT\b \b\b \bATH\r\n\r\nOK\r\n");
    EXPECT_EQ(l.modem.Commands(),
              (std::vector<std::string> {"ATZ", "AT&F E0", "ATS7=60L1M1&K4N1X4\\N3%C1", "ats7?", "AT&", "ATX7", "AT!",
                                         "ATE1", "ATH"}));
    EXPECT_EQ(l.device.LinesReceived(), 0);  // nothing reached the device
    EXPECT_FALSE(l.modem.HasCall());
}

TEST(KvtModem, DialConnectsToTheDevice)
{
    Line l;
    // The dial line's "\n" does not stop the dialling; the result comes later.
    EXPECT_EQ(l.Send("atd 0301234 \r\n"), "atd 0301234 \r\n");
    EXPECT_EQ(l.modem.GetState(), KvtModem::State::Dialling);
    EXPECT_EQ(l.Wait(500), "");
    EXPECT_EQ(l.Wait(400), "\r\nCONNECT 19200\r\n");
    EXPECT_TRUE(l.modem.HasCall());
    EXPECT_EQ(l.modem.LastNumber(), "0301234");
    EXPECT_EQ(l.modem.Dials(), 1);
    // Now the device answers.
    EXPECT_EQ(l.Send("/SERVICE/VER ?\r\n"), "/SERVICE/VER ?\r\n/SERVICE/VER V0.800a rel 1.00\r\n/SERVICE/VER>");
    EXPECT_EQ(l.device.LinesReceived(), 1);
    // AT text inside a call is data for the device.
    EXPECT_EQ(l.Send("ATZ\r\n"), "ATZ\r\n/SERVICE/ATZ>");
    EXPECT_EQ(l.modem.Commands(), (std::vector<std::string> {"atd 0301234"}));
}

TEST(KvtModem, DialOutcomesComeInOrderAndFollowTheResultCodeLevel)
{
    ModemConfig c;
    c.dialResults = {DialResult::Busy, DialResult::NoCarrier, DialResult::NoDialtone, DialResult::Error,
                     DialResult::Busy};
    Line l(c);
    EXPECT_EQ(l.Dial(), "atd 0301234 \r\n\r\nBUSY\r\n");
    EXPECT_EQ(l.modem.GetState(), KvtModem::State::Command);
    EXPECT_EQ(l.Dial(), "atd 0301234 \r\n\r\nNO CARRIER\r\n");
    EXPECT_EQ(l.Dial(), "atd 0301234 \r\n\r\nNO DIALTONE\r\n");
    EXPECT_EQ(l.Dial(), "atd 0301234 \r\n\r\nERROR\r\n");
    // Basic result codes report a busy line as NO CARRIER; the last outcome repeats.
    EXPECT_EQ(l.Send("ATE0X1\r\n"), "ATE0X1\r\n\r\nOK\r\n");
    EXPECT_EQ(l.Dial(), "\r\nNO CARRIER\r\n");
    EXPECT_EQ(l.Send("ATX3\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(l.Dial(), "\r\nBUSY\r\n");
    EXPECT_EQ(l.modem.Dials(), 6);
    EXPECT_FALSE(l.modem.HasCall());
    EXPECT_EQ(l.device.LinesReceived(), 0);
}

TEST(KvtModem, AKeyStopsTheDialling)
{
    ModemConfig c;
    c.dialResults = {DialResult::None, DialResult::Connect};
    Line l(c);
    EXPECT_EQ(l.Send("ATDT 0301234\r\n"), "ATDT 0301234\r\n");
    EXPECT_EQ(l.Wait(60000), "");  // nobody answers
    EXPECT_EQ(l.modem.LastNumber(), "0301234");
    // The first character stops the call and is dropped: "TH" is no command.
    EXPECT_EQ(l.Send("ATH\r\n"), "\r\nNO CARRIER\r\nTH\r\n");
    EXPECT_EQ(l.modem.GetState(), KvtModem::State::Command);
    EXPECT_EQ(l.Send("AT\r\n"), "AT\r\n\r\nOK\r\n");
    EXPECT_EQ(l.Dial("0301235;"), "atd 0301235; \r\n\r\nOK\r\n");  // ";": no call
    EXPECT_EQ(l.Dial(), "atd 0301234 \r\n\r\nCONNECT 19200\r\n");
}

TEST(KvtModem, EscapeNeedsGuardTimesAndHangupReturnsToCommands)
{
    Line l;
    l.Dial();
    ASSERT_TRUE(l.modem.HasCall());
    // "+++" without a pause before it is data.
    l.Send("/A 1\r+++");
    EXPECT_EQ(l.Wait(1500), "");
    EXPECT_EQ(l.modem.GetState(), KvtModem::State::Online);
    l.Send("\r");
    // With a pause before and after: the command state, the call kept.
    l.Wait(1100);
    l.Send("++");
    EXPECT_EQ(l.Wait(300), "");
    l.Send("+");
    EXPECT_EQ(l.Wait(900), "");
    EXPECT_EQ(l.Wait(200), "\r\nOK\r\n");
    EXPECT_EQ(l.modem.GetState(), KvtModem::State::OnlineCommand);
    EXPECT_TRUE(l.modem.HasCall());
    // Back online with ATO, out again, then hung up.
    EXPECT_EQ(l.Send("ATO\r\n"), "ATO\r\n\r\nCONNECT 19200\r\n");
    EXPECT_EQ(l.modem.GetState(), KvtModem::State::Online);
    const int lines = l.device.LinesReceived();
    l.Wait(1000);
    l.Send("+++");
    EXPECT_EQ(l.Wait(1000), "\r\nOK\r\n");
    EXPECT_EQ(l.device.LinesReceived(), lines);  // ATO's line end stayed with the modem
    EXPECT_EQ(l.Send("ATH\r\n"), "ATH\r\n\r\nOK\r\n");
    EXPECT_FALSE(l.modem.HasCall());
    EXPECT_EQ(l.modem.Hangups(), 1);
    EXPECT_EQ(l.Send("ATO\r\n"), "ATO\r\n\r\nNO CARRIER\r\n");
    // A new call works.
    EXPECT_EQ(l.Dial(), "atd 0301234 \r\n\r\nCONNECT 19200\r\n");
}

TEST(KvtModem, AthAfterAPauseStandsForTheDroppedDtr)
{
    Line l;
    l.Dial();
    // Straight after other data ATH is data for the device.
    l.Send("/COMM/PROMPT OFF\r\n");
    const int before = l.device.LinesReceived();
    EXPECT_EQ(l.Send("ATH\r\n"), "ATH\r\n");
    EXPECT_EQ(l.device.LinesReceived(), before + 1);
    EXPECT_TRUE(l.modem.HasCall());
    // After a second's silence it is the modem's, also spread over reads.
    l.Wait(1000);
    EXPECT_EQ(l.Send("AT"), "");
    EXPECT_EQ(l.Send("h0\r\n"), "ATh0\r\n\r\nOK\r\n");
    EXPECT_FALSE(l.modem.HasCall());
    EXPECT_EQ(l.modem.Hangups(), 1);
    EXPECT_EQ(l.device.LinesReceived(), before + 1);
    EXPECT_EQ(l.modem.GetState(), KvtModem::State::Command);
    EXPECT_EQ(l.Send("ATZ\r\n"), "ATZ\r\n\r\nOK\r\n");

    // A pause before other text beginning with "A" passes it on whole.
    l.Dial();
    l.Wait(1000);
    const int lines = l.device.LinesReceived();
    EXPECT_EQ(l.Send("AT/X 1\r\n"), "AT/X 1\r\n");
    EXPECT_EQ(l.device.LinesReceived(), lines + 1);
    EXPECT_EQ(l.device.Value("/COMM/AT/X"), "1");
    EXPECT_TRUE(l.modem.HasCall());
}

TEST(KvtModem, AmpersandD0IgnoresTheDtrStandIn)
{
    Line l;
    EXPECT_EQ(l.Send("AT&D0\r\n"), "AT&D0\r\n\r\nOK\r\n");
    l.Dial();
    l.Send("/COMM/PROMPT OFF\r\n");
    l.Wait(2000);
    EXPECT_EQ(l.Send("ATH\r\n"), "ATH\r\n");  // the device's echo
    EXPECT_TRUE(l.modem.HasCall());
    // AT&F restores the default.
    l.Wait(1000);
    l.Send("+++");
    EXPECT_EQ(l.Wait(1000), "\r\nOK\r\n");
    EXPECT_EQ(l.Send("AT&F H\r\n"), "AT&F H\r\n\r\nOK\r\n");
    l.Dial();
    l.Wait(1000);
    EXPECT_EQ(l.Send("ATH\r\n"), "ATH\r\n\r\nOK\r\n");
    EXPECT_FALSE(l.modem.HasCall());
}

TEST(KvtModem, Directives)
{
    SimOptions o;
    std::string error;
    EXPECT_TRUE(ApplyDirective("modem-dial busy no-carrier connect", o, error)) << error;
    EXPECT_TRUE(o.modem.enabled);
    EXPECT_EQ(o.modem.dialResults,
              (std::vector<DialResult> {DialResult::Busy, DialResult::NoCarrier, DialResult::Connect}));
    EXPECT_TRUE(ApplyDirective("dial-ms 250", o, error));
    EXPECT_TRUE(ApplyDirective("guard-ms 500", o, error));
    EXPECT_TRUE(ApplyDirective("modem-connect CONNECT 9600/ARQ", o, error));
    EXPECT_EQ(o.modem.dialMs, 250);
    EXPECT_EQ(o.modem.guardMs, 500);
    EXPECT_EQ(o.modem.connectText, "CONNECT 9600/ARQ");
    EXPECT_FALSE(ApplyDirective("modem-dial ringing", o, error));
    EXPECT_NE(error.find("ringing"), std::string::npos);
    EXPECT_FALSE(ApplyDirective("modem-dial", o, error));
    SimOptions p;
    EXPECT_TRUE(ParseCommandLine({"--modem", "--dial-ms", "100"}, p, error)) << error;
    EXPECT_TRUE(p.modem.enabled);
    EXPECT_TRUE(p.modem.dialResults.empty());
    EXPECT_EQ(p.modem.dialMs, 100);
}
