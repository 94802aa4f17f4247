// The simulator's protocol logic, without a terminal: bytes in, bytes out,
// time given by the test.
#include "KvtDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

using namespace kvtsim;

namespace {

class Dev {
public:
    explicit Dev(DeviceConfig c = {})
        : d(std::move(c))
    {
    }
    // Sends bytes and returns what the device answered at once.
    std::string Send(const std::string& bytes)
    {
        d.Receive(bytes, now);
        d.Tick(now);
        return d.TakeOutput();
    }
    // Lets time pass and returns what came meanwhile.
    std::string Wait(int ms)
    {
        now += Millis(ms);
        d.Tick(now);
        return d.TakeOutput();
    }
    KvtDevice d;
    TimePoint now {};
};

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string LastWord(const std::string& s)
{
    const std::string t = Trim(s);
    return t.substr(t.rfind(' ') + 1);
}

const std::string kWakeUp = "/\r\n\x03\r\ne\r\nPROMPT ON\r\n/COMM/PROMPT ON\r\n\r\n";

// The host's set-up after a prompt was seen: prompt off, echo on.
void HostSetUp(Dev& dev)
{
    dev.Send("/COMM/PROMPT OFF\r\n/COMM/ECHO ON\r\n");
}

// An S-record with a correct checksum.
std::string Record(const std::string& type, const std::string& addressAndData)
{
    unsigned sum = static_cast<unsigned>(addressAndData.size() / 2 + 1);
    for (size_t i = 0; i < addressAndData.size(); i += 2)
        sum += static_cast<unsigned>(std::stoi(addressAndData.substr(i, 2), nullptr, 16));
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(addressAndData.size() / 2 + 1));
    char cs[8];
    std::snprintf(cs, sizeof cs, "%02X", (~sum) & 0xff);
    return type + buf + addressAndData + cs;
}

}  // namespace

TEST(KvtDevice, EchoesWhatItReceivesAndEndsLinesWithCrLf)
{
    Dev dev;
    HostSetUp(dev);
    EXPECT_EQ(dev.Send("ab"), "ab");
    EXPECT_EQ(dev.Send("\r\n"), "\r\n");
    // A lone CR (text-file sending) ends a line just as well.
    EXPECT_EQ(dev.Send("/A/B 1\r"), "/A/B 1\r\n");
    EXPECT_EQ(dev.d.Value("/A/B"), "1");
    // Backspace erases a typed character and is echoed as "\b \b".
    EXPECT_EQ(dev.Send("/A/B 23\b4\r"), "/A/B 23\b \b4\r\n");
    EXPECT_EQ(dev.d.Value("/A/B"), "24");
    dev.Send("/COMM/ECHO OFF\r\n");
    EXPECT_EQ(dev.Send("/A/B 5\r\n"), "");
}

TEST(KvtDevice, WakeUpThenQuestionMarkEndsWithThePrompt)
{
    Dev dev;
    dev.d.SetValue("/COMM/PROMPT", "OFF");
    dev.Send("/AUDIO/IN1/VOL ?\r\n");  // left somewhere else before
    dev.Send(kWakeUp);
    const std::string reply = Upper(Trim(dev.Send("?\r\n")));
    ASSERT_GE(reply.size(), 12u);
    EXPECT_EQ(reply.substr(reply.size() - 12), "COMM/PROMPT>");
}

TEST(KvtDevice, SettingsAreStoredAndQueriesReadThemBack)
{
    Dev dev;
    HostSetUp(dev);
    dev.Send("/COMM/ECHO OFF\r\n");
    dev.Send("/AUDIO/IN1/VOL 12\r\n");
    EXPECT_EQ(dev.Send("/AUDIO/IN1/VOL ?\r\n"), "/AUDIO/IN1/VOL 12\r\n");
    // A line beginning with a blank continues the previous path.
    dev.Send(" 14\r\n");
    EXPECT_EQ(dev.d.Value("/AUDIO/IN1/VOL"), "14");
    EXPECT_EQ(dev.Send("?\r\n"), "/AUDIO/IN1/VOL 14\r\n");
    EXPECT_EQ(dev.Send(" ?\r\n"), "/AUDIO/IN1/VOL 14\r\n");
    // Paths are not case sensitive; values with blanks are kept whole.
    dev.Send("/zone/name1 Halle Ost\r\n");
    EXPECT_EQ(dev.Send("/ZONE/NAME1 ?\r\n"), "/ZONE/NAME1 Halle Ost\r\n");
    // Several lines in one write are all answered, in order.
    EXPECT_EQ(dev.Send("/AUDIO/IN1/VOL ?\r\n/ZONE/NAME1 ?\r\n"), "/AUDIO/IN1/VOL 14\r\n/ZONE/NAME1 Halle Ost\r\n");
    // Comment lines change nothing.
    EXPECT_EQ(dev.Send("; a comment\r\n"), "");
}

TEST(KvtDevice, EmptyValueIsStoredAndAnsweredLikeAnyOther)
{
    Dev dev;
    HostSetUp(dev);
    dev.Send("/COMM/ECHO OFF\r\n");
    dev.Send("/KVT/ZONE3/AMPCHAN 7\r\n");
    // A blank after the path and nothing else: the value becomes empty.
    EXPECT_EQ(dev.Send("/KVT/ZONE3/AMPCHAN \r\n"), "");
    EXPECT_EQ(dev.Send("/KVT/ZONE3/AMPCHAN ?\r\n"), "/KVT/ZONE3/AMPCHAN \r\n");
    dev.Send("/KVT/ZONE4/AMPCHAN \r\n");
    EXPECT_EQ(dev.Send("/KVT/ZONE4/AMPCHAN ?\r\n"), "/KVT/ZONE4/AMPCHAN \r\n");
    // The path alone only selects it: nothing is stored.
    dev.Send("/KVT/ZONE5/AMPCHAN\r\n");
    EXPECT_EQ(dev.Send("/KVT/ZONE5/AMPCHAN ?\r\n"), "/KVT/ZONE5/AMPCHAN ? \r\n");
    // A folder followed by a blank is selected, not overwritten.
    EXPECT_EQ(dev.Send("/KVT/ZONE3 \r\n"), "");
    EXPECT_EQ(dev.Send("/KVT/ZONE3 ?\r\n"), "/KVT/ZONE3  AMPCHAN\r\n");
    EXPECT_EQ(dev.Send("/KVT/ZONE3/AMPCHAN ?\r\n"), "/KVT/ZONE3/AMPCHAN \r\n");
    // A setting that takes only certain words refuses an empty one.
    EXPECT_EQ(dev.Send("/COMM/PROMPT \r\n"), "/COMM/PROMPT  ? \r\n");
}

TEST(KvtDevice, MonitorClearReportsTheFreeEntriesAndRelays)
{
    Dev dev;
    HostSetUp(dev);
    dev.Send("/COMM/ECHO OFF\r\n/MONI/TABLE2/SEL IN\r\n/MONI/TABLE4/SEL OFF\r\n/MONI/TABLE250/SEL EXT\r\n");
    dev.Send("/MONI/RELAY1 17\r\n/MONI/RELAY2 0\r\n/MONI/RELAY50 4\r\n");
    EXPECT_EQ(dev.Send("/MONI/CLEAR/TABLE ?\r\n/MONI/CLEAR/RELAY ?\r\n"),
              "/MONI/CLEAR/TABLE 1,3-249\r\n/MONI/CLEAR/RELAY 2-49\r\n");
    dev.Send("/MONI/CLEAR/TABLE ALL\r\n");
    EXPECT_EQ(dev.Send("/MONI/CLEAR/TABLE ?\r\n"), "/MONI/CLEAR/TABLE 1-250\r\n");
    EXPECT_EQ(dev.d.Value("/MONI/RELAY1"), "17");
}

TEST(KvtDevice, UnknownQueryAnswersWithQuestionMark)
{
    Dev dev;
    HostSetUp(dev);
    // Echo on: the echo is followed by the answer that holds " ? ".
    const std::string out = dev.Send("/NOT/THERE ?\r\n");
    EXPECT_EQ(out, "/NOT/THERE ?\r\n/NOT/THERE ? \r\n");
    EXPECT_NE(out.substr(out.find('\r')).find(" ? "), std::string::npos);
    dev.Send("/COMM/ECHO OFF\r\n");
    EXPECT_EQ(dev.Send("/COMM/ECHO MAYBE\r\n"), "/COMM/ECHO MAYBE ? \r\n");
    EXPECT_EQ(dev.Send("/SERVICE/START NOTHING\r\n"), "/SERVICE/START NOTHING ? \r\n");
}

TEST(KvtDevice, PromptShowsTheCurrentPathWhileOn)
{
    Dev dev;
    dev.Send("/COMM/ECHO OFF\r\n");
    EXPECT_EQ(dev.Send("/A/B 1\r\n"), "/A/B>");
    EXPECT_EQ(dev.Send("/A/B ?\r\n"), "/A/B 1\r\n/A/B>");
    EXPECT_EQ(dev.Send("\r\n"), "/A/B>");
    dev.Send("/COMM/PROMPT OFF\r\n");
    EXPECT_EQ(dev.Send("/A/B ?\r\n"), "/A/B 1\r\n");
    EXPECT_FALSE(dev.d.IsPromptOn());
}

TEST(KvtDevice, SetUpDialogueAnswersTheFactsTheHostReads)
{
    DeviceConfig c;
    c.version = "V0.551a";
    c.deviceId = "KVT7000 Nr. 17";
    Dev dev(c);
    dev.Send(kWakeUp);
    const std::string facts =
        dev.Send("/PROTECT ?\r\n\r\n/COMM/PROMPT OFF\r\n/COMM/ECHO OFF\r\n/SERVICE/ACCESS/TIME ?\r\n/SERVICE/ACCESS/DATE ?\r\n");
    EXPECT_NE(facts.find("/PROTECT OFF\r\n"), std::string::npos);
    EXPECT_NE(facts.find("/SERVICE/ACCESS/TIME 12:00:00\r"), std::string::npos);
    EXPECT_NE(facts.find("/SERVICE/ACCESS/DATE 01.01.2004\r"), std::string::npos);
    dev.Send("/COMM/ECHO ON\r\n");
    EXPECT_EQ(dev.Send("/COMM/ECHO ?\r\n"), "/COMM/ECHO ?\r\n/COMM/ECHO ON\r\n");
    EXPECT_EQ(dev.Send("/COMM/PROMPT ?\r\n"), "/COMM/PROMPT ?\r\n/COMM/PROMPT OFF\r\n");
    EXPECT_EQ(dev.Send("/SERVICE/DEVICE ?\r\n"), "/SERVICE/DEVICE ?\r\n/SERVICE/DEVICE KVT7000 Nr. 17\r\n");
    // The version stands between " V" and " rel".
    const std::string ver = dev.Send("/SERVICE/VER ?\r\n");
    const size_t v = ver.find(" V");
    const size_t rel = ver.find("rel");
    ASSERT_NE(v, std::string::npos);
    ASSERT_NE(rel, std::string::npos);
    EXPECT_EQ(ver.substr(v + 1, rel - 1 - (v + 1)), "V0.551a");
    dev.Send("/CLOCK/DATEFORMAT US\r\n/COMM/PROMPT OFF\r\n/COMM/ECHO ON\r\n");
    EXPECT_EQ(dev.d.Value("/CLOCK/DATEFORMAT"), "US");
    // Disconnect: the device's clock becomes its access stamp.
    dev.Send("/COMM/ECHO OFF\r\n");
    const std::string clock = dev.Send("/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n");
    ASSERT_EQ(clock.size(), std::string("/CLOCK/MAIN/TIME hh:mm:ss\r\n/CLOCK/MAIN/DATE dd.mm.yyyy\r\n").size());
    EXPECT_EQ(clock[19], ':');
    dev.Send("/SERVICE/ACCESS/DATE 24.12.2026\r\n/SERVICE/ACCESS/TIME 18:00:00\r\n");
    EXPECT_EQ(dev.d.Value("/SERVICE/ACCESS/DATE"), "24.12.2026");
    EXPECT_EQ(dev.d.Value("/SERVICE/ACCESS/TIME"), "18:00:00");
}

// The clock writes and reads its dates in the form it was told last: day
// first, or month first after "US"; a date in the other form, or a day that
// does not exist, is not understood. A date it holds is answered in the form
// in force when asked, as is its own running clock.
TEST(KvtDevice, ClockDatesGoInTheFormTheDeviceWasTold)
{
    struct Row {
        const char* form;
        const char* line;
        const char* answer;  // to "/CLOCK/MAIN/DATE ?" after the line
    };
    const Row rows[] = {
        {"GERMAN", "/CLOCK/MAIN/DATE 29.02.2028", "/CLOCK/MAIN/DATE 29.02.2028"},
        {"US", "/CLOCK/MAIN/DATE 02/29/2028", "/CLOCK/MAIN/DATE 02/29/2028"},
        {"US", "/CLOCK/MAIN/DATE 2/9/2099", "/CLOCK/MAIN/DATE 02/09/2099"},
        {"US", "/CLOCK/MAIN/DATE 29.02.2028", "/CLOCK/MAIN/DATE 29.02.2028 ? "},
        {"GERMAN", "/CLOCK/MAIN/DATE 02/29/2028", "/CLOCK/MAIN/DATE 02/29/2028 ? "},
        {"US", "/CLOCK/MAIN/DATE 2/30/2028", "/CLOCK/MAIN/DATE 2/30/2028 ? "},
        {"GERMAN", "/CLOCK/MAIN/DATE 29.02.27", "/CLOCK/MAIN/DATE 29.02.27 ? "},
        // Told another form, the date held reads in it.
        {"GERMAN", "/CLOCK/MAIN/DATE 24.12.2026\r\n/CLOCK/DATEFORMAT US", "/CLOCK/MAIN/DATE 12/24/2026"},
        {"US", "/CLOCK/MAIN/DATE 12/24/2026\r\n/CLOCK/DATEFORMAT GERMAN", "/CLOCK/MAIN/DATE 24.12.2026"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Dev dev;
        HostSetUp(dev);
        dev.Send("/COMM/ECHO OFF\r\n");
        dev.Send(std::string("/CLOCK/DATEFORMAT ") + row.form + "\r\n");
        const std::string running = dev.Send("/CLOCK/DCF/DATE ?\r\n");
        ASSERT_EQ(std::string("/CLOCK/DCF/DATE dd.mm.yyyy\r\n").size(), running.size());
        EXPECT_EQ(std::string(row.form) == "US" ? "//" : "..", running.substr(18, 1) + running.substr(21, 1));
        const std::string refused = dev.Send(row.line + std::string("\r\n"));
        const std::string answer = std::string(row.answer);
        if (answer.size() > 3 && answer.compare(answer.size() - 3, 3, " ? ") == 0)
            EXPECT_EQ(answer + "\r\n", refused);
        else
            EXPECT_EQ(answer + "\r\n", dev.Send("/CLOCK/MAIN/DATE ?\r\n"));
    }
}

TEST(KvtDevice, ProtectedDeviceRefusesEverythingButTheLogin)
{
    DeviceConfig c;
    c.password = "geheim";
    Dev dev(c);
    dev.Send(kWakeUp);
    const std::string reply = Upper(Trim(dev.Send("?\r\n")));
    EXPECT_NE(reply.substr(reply.size() - 12), "COMM/PROMPT>");
    EXPECT_NE(reply.find("PROTECT"), std::string::npos);
    dev.Send("/AUDIO/IN1/VOL 3\r\n");
    EXPECT_EQ(dev.d.Value("/AUDIO/IN1/VOL"), "");
    dev.Send("/COMM/PROMPT OFF\r\n");
    EXPECT_TRUE(dev.d.IsPromptOn());

    // Wrong password: still protected.
    dev.Send("/PROTECT OFF\r\nfalsch\r\n");
    EXPECT_EQ(LastWord(dev.Send("/PROTECT ?\r\n")), "ON");
    // Right password.
    dev.Send("/PROTECT OFF\r\ngeheim\r\n/COMM/PROMPT OFF\r\n");
    EXPECT_EQ(LastWord(dev.Send("/PROTECT ?\r\n")), "OFF");
    EXPECT_FALSE(dev.d.IsProtected());
    dev.Send("/AUDIO/IN1/VOL 3\r\n");
    EXPECT_EQ(dev.d.Value("/AUDIO/IN1/VOL"), "3");
}

TEST(KvtDevice, PasswordIsSetOnlyWhenBothEntriesAgree)
{
    Dev dev;
    HostSetUp(dev);
    dev.Send("/PROTECT ON\r\neins\r\nzwei\r\n");
    EXPECT_FALSE(dev.d.IsProtected());
    dev.Send("/PROTECT ON\r\nneu\r\nneu\r\n");
    EXPECT_TRUE(dev.d.IsProtected());
    // The host logs in at once with the new password.
    dev.Send("/PROTECT OFF\r\nneu\r\n");
    EXPECT_EQ(LastWord(dev.Send("/PROTECT ?\r\n")), "OFF");
    // Disconnect sends the password line again outside any login: harmless.
    dev.Send("neu\r\n");
    EXPECT_FALSE(dev.d.IsProtected());
}

TEST(KvtDevice, MacroLockSaveAndClear)
{
    Dev dev;
    HostSetUp(dev);
    dev.Send("/MACRO/LOCK ON\r\n/ZONE/NAME1 Foyer\r\n/COMM/MODEM/INIT AT&F E0\r\n/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n");
    EXPECT_EQ(dev.d.MacroLockOnCount(), 1);
    EXPECT_EQ(dev.d.MacroLockOffCount(), 1);
    EXPECT_FALSE(dev.d.IsMacroLocked());
    EXPECT_EQ(dev.d.FastSaves(), 1);

    // Clearing: the host keeps the raw modem-init answer and sends it back.
    const std::string init = dev.Send("/COMM/MODEM/INIT ?\r\n");
    EXPECT_EQ(init, "/COMM/MODEM/INIT ?\r\n/COMM/MODEM/INIT AT&F E0\r\n");
    dev.Send("/SERVICE/START EEPCLR \r\n\r\n");
    EXPECT_EQ(dev.d.Value("/ZONE/NAME1"), "");
    EXPECT_EQ(dev.d.Value("/COMM/MODEM/INIT"), "ATZ");
    EXPECT_TRUE(dev.d.IsEchoOn());
    dev.Send("/COMM/PROMPT OFF\r\n" + init + "\r\n/\r\n");
    EXPECT_EQ(dev.d.Value("/COMM/MODEM/INIT"), "AT&F E0");
}

TEST(KvtDevice, NetworkScanRunsForItsTimeAndQuestionMarkPollsIt)
{
    DeviceConfig c;
    c.netscanSeconds = 7;
    Dev dev(c);
    HostSetUp(dev);
    dev.Send("/service/netscan on\r\n");
    EXPECT_EQ(LastWord(dev.Send("?\r\n")), "ON");
    dev.Wait(6000);
    EXPECT_EQ(LastWord(dev.Send("?\r\n")), "ON");
    dev.Wait(1000);
    EXPECT_EQ(LastWord(dev.Send("?\r\n")), "OFF");
}

TEST(KvtDevice, AnswerDelayKeepsEchoAtOnceAndAnswerLater)
{
    DeviceConfig c;
    c.answerDelayMs = 500;
    Dev dev(c);
    dev.Send("/COMM/PROMPT OFF\r\n");
    dev.Wait(600);
    EXPECT_EQ(dev.Send("/COMM/ECHO ?\r\n"), "/COMM/ECHO ?\r\n");
    EXPECT_EQ(dev.Wait(400), "");
    EXPECT_EQ(dev.Wait(100), "/COMM/ECHO ON\r\n");
}

TEST(KvtDevice, SRecordChecksum)
{
    EXPECT_TRUE(KvtDevice::IsValidSRecord("S9030000FC"));
    EXPECT_TRUE(KvtDevice::IsValidSRecord(Record("S1", "0000AABBCC")));
    EXPECT_FALSE(KvtDevice::IsValidSRecord("S9030000FD"));
    EXPECT_FALSE(KvtDevice::IsValidSRecord("S9040000FC"));  // count does not fit
    EXPECT_FALSE(KvtDevice::IsValidSRecord("S90300G0FC"));
    EXPECT_FALSE(KvtDevice::IsValidSRecord("X9030000FC"));
}

namespace {
// Takes the device from its system into the loader and to "PROG".
void EnterLoaderAndUpdate(Dev& dev)
{
    dev.Send("/SERVICE/START BOOTLOAD\r\n");
    const std::string loader = Upper(Trim(dev.Wait(400)));
    ASSERT_EQ(loader.substr(loader.size() - 12), "* FLASHBOOT>");
    ASSERT_EQ(dev.d.GetMode(), KvtDevice::Mode::BootLoader);
    dev.Send("UPDATE\r\n");
    EXPECT_EQ(dev.Wait(1000), "");
    EXPECT_EQ(dev.Wait(600), "* \tPROG\r\n");
}
}  // namespace

TEST(KvtDevice, FirmwareLoadSucceedsAndTheNewSystemAnnouncesItself)
{
    DeviceConfig c;
    c.newVersion = "V0.552";
    Dev dev(c);
    HostSetUp(dev);
    EnterLoaderAndUpdate(dev);
    // The loader does not echo the records.
    EXPECT_EQ(dev.Send(Record("S0", "0000484452") + "\r\n" + Record("S1", "1000DEADBEEF") + "\r\n"), "");
    EXPECT_EQ(dev.Send("S9030000FC\r\n"), "* \tOK.\r\n");
    EXPECT_EQ(dev.d.RecordsReceived(), 2);
    dev.Send("START\r\n\r\n");
    const std::string banner = dev.Wait(400);
    EXPECT_NE(banner.find("\r\n*** KVT7000 V0.552"), std::string::npos);
    EXPECT_EQ(dev.d.GetMode(), KvtDevice::Mode::System);
    EXPECT_NE(dev.Send("/SERVICE/VER ?\r\n").find(" V0.552 rel"), std::string::npos);
}

TEST(KvtDevice, FirmwareLoadWithABadRecordFailsAndTheSystemIsNotValid)
{
    Dev dev;
    HostSetUp(dev);
    EnterLoaderAndUpdate(dev);
    dev.Send(Record("S1", "0000AA") + "\r\nS1050000AABB00\r\n");
    const std::string verdict = dev.Send("S9030000FC\r\n");
    EXPECT_EQ(verdict.substr(0, 8), "* \tERROR");
    dev.Send("START\r\n");
    const std::string reply = Upper(Trim(dev.Wait(400)));
    EXPECT_NE(reply.find("N O T  VALID!\r\n"), std::string::npos);
    EXPECT_EQ(reply.substr(reply.size() - 12), "* FLASHBOOT>");
    EXPECT_EQ(dev.d.GetMode(), KvtDevice::Mode::BootLoader);
}

TEST(KvtDevice, CancelledFirmwareLoadEndsWithAnError)
{
    Dev dev;
    HostSetUp(dev);
    EnterLoaderAndUpdate(dev);
    dev.Send(Record("S1", "0000AA") + "\r\n");
    dev.Send("\x03\r\n");
    EXPECT_EQ(dev.Send("S9030000FC\r\n").substr(0, 8), "* \tERROR");
}

TEST(KvtDevice, EndRecordWithoutDataIsAnError)
{
    Dev dev;
    HostSetUp(dev);
    EnterLoaderAndUpdate(dev);
    EXPECT_EQ(dev.Send("S9030000FC\r\n").substr(0, 8), "* \tERROR");
}

TEST(KvtDevice, StartsInTheBootLoaderWhenAsked)
{
    DeviceConfig c;
    c.startInBoot = true;
    Dev dev(c);
    dev.Send(kWakeUp);
    const std::string reply = Upper(Trim(dev.Send("?\r\n")));
    EXPECT_EQ(reply.substr(reply.size() - 12), "* FLASHBOOT>");
    // "No" to the boot question: the host starts the present system.
    dev.Send("START\r\n\r\n");
    EXPECT_EQ(dev.Wait(400).substr(0, 13), "\r\n*** KVT7000");
    EXPECT_EQ(dev.d.GetMode(), KvtDevice::Mode::System);
}

TEST(KvtDevice, FaultRulesFireAfterTheirLine)
{
    Dev dev;
    dev.d.AddRule({2, FaultRule::Send, 0, "XY"});
    dev.d.AddRule({3, FaultRule::Garbage, 10, {}});
    dev.d.AddRule({4, FaultRule::HoldXoff, 250, {}});
    dev.d.AddRule({5, FaultRule::Silent, 0, {}});
    dev.d.AddRule({7, FaultRule::Talk, 0, {}});
    dev.d.AddRule({8, FaultRule::Hangup, 0, {}});
    // Lines 1 and 2; the text of rule 2 follows the second line's echo.
    EXPECT_EQ(dev.Send("/COMM/PROMPT OFF\r\n/COMM/ECHO ON\r\n"), "/COMM/PROMPT OFF\r\n/COMM/ECHO ON\r\nXY");
    const std::string third = dev.Send("/A 1\r\n");  // line 3: garbage follows the echo
    EXPECT_EQ(third.substr(0, 6), "/A 1\r\n");
    EXPECT_EQ(third.size(), 16u);
    dev.Send("/A 2\r\n");  // line 4
    auto actions = dev.d.TakeActions();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, LinkAction::HoldXoff);
    EXPECT_EQ(actions[0].ms, 250);
    dev.Send("/A 3\r\n");  // line 5: silent from here
    EXPECT_EQ(dev.Send("/A ?\r\n"), "");  // line 6
    EXPECT_EQ(dev.d.Value("/A"), "3");
    EXPECT_EQ(dev.Send("/A ?\r\n"), "");  // line 7: talks again afterwards
    EXPECT_EQ(dev.Send("/A ?\r\n"), "/A ?\r\n/A 3\r\n");  // line 8
    actions = dev.d.TakeActions();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, LinkAction::Hangup);
}

// A configuration held at start: the lines take effect as if received (the
// path shorthand and the table clear lines included), nothing is echoed or
// answered, and the fault rules still count from the first real line.
TEST(KvtDevice, PreloadedLinesAreHeldWithoutAnswersOrLineCount)
{
    Dev dev;
    dev.d.AddRule({1, FaultRule::Send, 0, "FIRST"});
    dev.d.Preload("/TRIGGER/ENTRY2/CONDITION 7\r\n/AUDIO/IN1/VOL -3\r\n -6\r\n/A ?\n/B 1\r/TRIGGER/CLEAR ALL\r\n"
                  "/TRIGGER/ENTRY1/CONDITION 4\r\n");
    EXPECT_EQ(dev.Wait(0), "");
    EXPECT_EQ(dev.d.LinesReceived(), 0);
    EXPECT_EQ(dev.d.Value("/AUDIO/IN1/VOL"), "-6");
    EXPECT_EQ(dev.d.Value("/B"), "1");
    EXPECT_EQ(dev.d.CurrentPath(), "/");
    EXPECT_EQ(dev.Send("/COMM/PROMPT OFF\r\n"), "/COMM/PROMPT OFF\r\nFIRST");
    EXPECT_EQ(dev.Send("/TRIGGER/ENTRY2/CONDITION ?\r\n"), "/TRIGGER/ENTRY2/CONDITION ?\r\n/TRIGGER/ENTRY2/CONDITION OFF\r\n");
    EXPECT_EQ(dev.Send("/TRIGGER/ENTRY1/CONDITION ?\r\n"), "/TRIGGER/ENTRY1/CONDITION ?\r\n/TRIGGER/ENTRY1/CONDITION 4\r\n");
}

TEST(KvtDevice, GarbageHasNoLineEndsAndNoFlowControlCharacters)
{
    Dev dev;
    dev.d.AddRule({3, FaultRule::Garbage, 300, {}});
    dev.Send("/COMM/PROMPT OFF\r\n/COMM/ECHO OFF\r\n");
    const std::string out = dev.Send("\r\n");
    EXPECT_EQ(out.size(), 300u);
    for (char c : out.substr(0, 300)) {
        EXPECT_NE(c, '\r');
        EXPECT_NE(c, '\n');
        EXPECT_NE(c, '\x11');
        EXPECT_NE(c, '\x13');
    }
}

TEST(KvtDevice, SilentFromTheStartNeverAnswers)
{
    Dev dev;
    dev.d.AddRule({0, FaultRule::Silent, 0, {}});
    EXPECT_EQ(dev.Send(kWakeUp + "?\r\n"), "");
    EXPECT_TRUE(dev.d.IsSilent());
}

TEST(KvtDevice, CalendarListsClearAndReportTheirFreeNumbers)
{
    Dev dev;
    dev.Send("/COMM/ECHO OFF\r\n/COMM/PROMPT OFF\r\n");
    EXPECT_EQ(dev.Send("/CAL/CLEAR/APPOINT ?\r\n"), "/CAL/CLEAR/APPOINT 1-50\r\n");
    dev.Send("/CAL/APPOINT2/FUNCTION DAILY\r\n/CAL/APPOINT5/FUNCTION ONETIME\r\n/CAL/APPOINT6/FUNCTION OFF\r\n"
             "/CAL/DAYPROG20/NAME Abend\r\n");
    EXPECT_EQ(dev.Send("/CAL/CLEAR/APPOINT ?\r\n"), "/CAL/CLEAR/APPOINT 1,3-4,6-50\r\n");
    EXPECT_EQ(dev.Send("/CAL/CLEAR/DAYPROG ?\r\n"), "/CAL/CLEAR/DAYPROG 1-19\r\n");
    // A holiday over a period has an empty function word: it is used, and keeps it.
    dev.Send("/CAL/HOLIDAY3/FUNCTION \r\n/CAL/HOLIDAY4/FUNCTION OFF\r\n/CAL/HOLIDAY5/FUNCTION ANNUAL\r\n");
    EXPECT_EQ(dev.Send("/CAL/CLEAR/HOLIDAY ?\r\n/CAL/HOLIDAY3/FUNCTION ?\r\n/CAL/HOLIDAY6/FUNCTION ?\r\n"),
              "/CAL/CLEAR/HOLIDAY 1-2,4,6-50\r\n/CAL/HOLIDAY3/FUNCTION \r\n/CAL/HOLIDAY6/FUNCTION OFF\r\n");
    dev.Send("/CAL/CLEAR/APPOINT ALL\r\n");
    EXPECT_EQ(dev.d.Value("/CAL/APPOINT2/FUNCTION"), "");
    EXPECT_EQ(dev.d.Value("/CAL/DAYPROG20/NAME"), "Abend");
    EXPECT_EQ(dev.Send("/CLOCK/DCF/RECEIVE ?\r\n"), "/CLOCK/DCF/RECEIVE OFF\r\n");
}

// The fixed tables answer every key of every entry, cleared or set; a clear
// line resets its own table, and its "?" lists the entries holding nothing.
TEST(KvtDevice, FixedTablesAnswerClearedEntriesAndTheirFreeNumbers)
{
    Dev dev;
    dev.Send("/COMM/ECHO OFF\r\n/COMM/PROMPT OFF\r\n");
    EXPECT_EQ(dev.Send("/TRIGGER/ENTRY100/ON_MACRO ?\r\n/CONDITION/COMBINE3/COND4/IDX ?\r\n"
                       "/SPAREAMP/ENTRY8/WATCH10/OUTRELAY ?\r\n/CAL/DAYPROG20/ENTRY100/MACRO ?\r\n/CAL/HOLIDAY1/NAME ?\r\n"
                       "/VIRTCTRL/DEST/AMPCHAN256 ?\r\n"),
              "/TRIGGER/ENTRY100/ON_MACRO OFF\r\n/CONDITION/COMBINE3/COND4/IDX OFF\r\n"
              "/SPAREAMP/ENTRY8/WATCH10/OUTRELAY OFF\r\n/CAL/DAYPROG20/ENTRY100/MACRO 0\r\n/CAL/HOLIDAY1/NAME \r\n"
              "/VIRTCTRL/DEST/AMPCHAN256 OFF\r\n");
    // Beyond a table, or a key its entries do not have: not understood.
    EXPECT_EQ(dev.Send("/TRIGGER/ENTRY101/TIME ?\r\n/CONDITION/COMBINE3/COND5/IDX ?\r\n/TRIGGER/ENTRY1/NAME ?\r\n"
                       "/VIRTCTRL/DEST/DELAY5 ?\r\n"),
              "/TRIGGER/ENTRY101/TIME ? \r\n/CONDITION/COMBINE3/COND5/IDX ? \r\n/TRIGGER/ENTRY1/NAME ? \r\n"
              "/VIRTCTRL/DEST/DELAY5 ? \r\n");

    dev.Send("/TRIGGER/ENTRY2/CONDITION 7\r\n/TRIGGER/ENTRY2/TIME 2.5\r\n/TRIGGER/ENTRY3/CONDITION OFF\r\n"
             "/CONDITION/BUSY4/AUDIO NONE\r\n/CONDITION/BUSY5/AUDIO ALARM\r\n"
             "/CAL/DAYPROG3/ENTRY1/TIME OFF\r\n/CAL/DAYPROG4/ENTRY9/TIME 07:00:00\r\n"
             "/VIRTCTRL/ENTRY1/MIN 0.000000\r\n/VIRTCTRL/ENTRY2/MAX 8.000000\r\n/VIRTCTRL/DEST/OUT1 2\r\n");
    EXPECT_EQ(dev.Send("/TRIGGER/CLEAR ?\r\n/CONDITION/CLEAR/BUSY ?\r\n/CAL/CLEAR/DAYPROG ?\r\n/VIRTCTRL/CLEAR ?\r\n"),
              "/TRIGGER/CLEAR 1,3-100\r\n/CONDITION/CLEAR/BUSY 1-4,6-50\r\n/CAL/CLEAR/DAYPROG 1-3,5-20\r\n"
              "/VIRTCTRL/CLEAR 1,3-40\r\n");
    dev.Send("/TRIGGER/CLEAR ALL\r\n/VIRTCTRL/CLEAR ALL\r\n");
    EXPECT_EQ(dev.Send("/TRIGGER/ENTRY2/TIME ?\r\n/TRIGGER/CLEAR ?\r\n/CONDITION/CLEAR/BUSY ?\r\n/VIRTCTRL/DEST/OUT1 ?\r\n"),
              "/TRIGGER/ENTRY2/TIME 0.0\r\n/TRIGGER/CLEAR 1-100\r\n/CONDITION/CLEAR/BUSY 1-4,6-50\r\n"
              "/VIRTCTRL/DEST/OUT1 OFF\r\n");
}

// Every third entry kept of what was loaded: the free lists are at their
// longest, and what the device holds lists those lists and the values that
// answer otherwise than a fresh device.
TEST(KvtDevice, EveryNthEntryKeptAndWhatTheDeviceHolds)
{
    Dev dev;
    std::string config = "/AUDIO/IN1/VOL -3\r\n/MACRO/LOCK OFF\r\n";
    for (int n = 1; n <= 250; ++n)
        config += "/CONDITION/ENTRY" + std::to_string(n) + "/FUNCTION READY\r\n/CONDITION/ENTRY" + std::to_string(n)
                  + "/LEVEL " + (n == 6 ? "ON" : "OFF") + "\r\n";
    config += "/TRIGGER/ENTRY4/CONDITION 2\r\n/VIRTCTRL/DEST/OUT1 3\r\n";
    dev.d.Preload(config);
    dev.d.KeepEveryNth(3);
    dev.Send("/COMM/ECHO OFF\r\n/COMM/PROMPT OFF\r\n");
    const std::string free = dev.Send("/CONDITION/CLEAR/ENTRY ?\r\n");
    EXPECT_EQ(free.size(), std::string("/CONDITION/CLEAR/ENTRY \r\n").size() + 595);
    EXPECT_EQ(free.substr(0, 40), "/CONDITION/CLEAR/ENTRY 1-2,4-5,7-8,10-11");
    EXPECT_EQ(free.substr(free.size() - 14), ",247-248,250\r\n");
    EXPECT_EQ(dev.Send("/TRIGGER/CLEAR ?\r\n/CONDITION/ENTRY249/FUNCTION ?\r\n/CONDITION/ENTRY250/FUNCTION ?\r\n"),
              "/TRIGGER/CLEAR 1-100\r\n/CONDITION/ENTRY249/FUNCTION READY\r\n/CONDITION/ENTRY250/FUNCTION OFF\r\n");
    // A fixed answer stands whatever the device holds.
    DeviceConfig garbled;
    garbled.answers["/TRIGGER/CLEAR"] = "1-999";
    Dev fixed(garbled);
    fixed.Send("/COMM/ECHO OFF\r\n/COMM/PROMPT OFF\r\n/TRIGGER/ENTRY2/CONDITION 7\r\n");
    EXPECT_EQ(fixed.Send("/TRIGGER/CLEAR ?\r\n"), "/TRIGGER/CLEAR 1-999\r\n");
    const std::string held = dev.d.Holdings();
    EXPECT_NE(held.find("/AUDIO/IN1/VOL -3\n"), std::string::npos);
    EXPECT_NE(held.find("/CONDITION/CLEAR/ENTRY 1-2,4-5,"), std::string::npos);
    EXPECT_NE(held.find("/CONDITION/ENTRY6/FUNCTION READY\n/CONDITION/ENTRY6/LEVEL ON\n"), std::string::npos) << held;
    EXPECT_NE(held.find("/TRIGGER/CLEAR 1-100\n"), std::string::npos);
    EXPECT_NE(held.find("/VIRTCTRL/DEST/OUT1 3\n"), std::string::npos);
    // A fresh device's values, and an entry's keys at their cleared values, are not listed.
    for (const char* unlisted : {"/MACRO/LOCK", "/CONDITION/ENTRY3/LEVEL", "/TRIGGER/ENTRY4"})
        EXPECT_EQ(held.find(unlisted), std::string::npos) << unlisted;
    EXPECT_EQ(held, [] {
        Dev again;
        std::string same;
        for (int n = 3; n <= 249; n += 3)
            same += "/CONDITION/ENTRY" + std::to_string(n) + "/FUNCTION READY\r\n";
        again.d.Preload(same + "/CONDITION/ENTRY6/LEVEL ON\r\n/AUDIO/IN1/VOL -3\r\n/VIRTCTRL/DEST/OUT1 3\r\n");
        again.Send("/COMM/ECHO OFF\r\n/COMM/PROMPT OFF\r\n");
        return again.d.Holdings();
    }());
}

// The macro table: a macro is used while it has a type; its parameters are
// what was written, and "?" of one never written is not understood.
TEST(KvtDevice, MacroTableAnswersItsFreeProgramsAndClears)
{
    Dev dev;
    dev.Send("/COMM/ECHO OFF\r\n/COMM/PROMPT OFF\r\n");
    EXPECT_EQ(dev.Send("/MACRO/CLEAR ?\r\n/MACRO/PROG250/TYPE ?\r\n"), "/MACRO/CLEAR 1-250\r\n/MACRO/PROG250/TYPE EMPTY\r\n");
    dev.Send("/MACRO/CLEAR ALL\r\n/MACRO/PROG3/TYPE CHIME\r\n/MACRO/PROG3/PARAM/PRIO 5\r\n/MACRO/PROG7/TYPE EMPTY\r\n"
             "/MACRO/PROG9/TYPE STOP\r\n");
    EXPECT_EQ(dev.Send("/MACRO/CLEAR ?\r\n/MACRO/PROG3/TYPE ?\r\n/MACRO/PROG3/PARAM/PRIO ?\r\n"),
              "/MACRO/CLEAR 1-2,4-8,10-250\r\n/MACRO/PROG3/TYPE CHIME\r\n/MACRO/PROG3/PARAM/PRIO 5\r\n");
    EXPECT_EQ(dev.Send("/MACRO/PROG3/PARAM/ZONES ?\r\n/MACRO/PROG251/TYPE ?\r\n"),
              "/MACRO/PROG3/PARAM/ZONES ? \r\n/MACRO/PROG251/TYPE ? \r\n");
    dev.Send("/MACRO/CLEAR ALL\r\n");
    EXPECT_EQ(dev.Send("/MACRO/CLEAR ?\r\n/MACRO/PROG3/TYPE ?\r\n"), "/MACRO/CLEAR 1-250\r\n/MACRO/PROG3/TYPE EMPTY\r\n");
    EXPECT_EQ(dev.d.Value("/MACRO/PROG3/PARAM/PRIO"), "");
}
