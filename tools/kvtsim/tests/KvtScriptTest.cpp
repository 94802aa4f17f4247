// Options and command files of the simulator.
#include "KvtScript.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <unistd.h>

using namespace kvtsim;

TEST(KvtScript, DirectivesSetTheDeviceAndTheLine)
{
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({"--link", "/tmp/x.link", "--version", "V0.550", "--boot", "--protect", "pw",
                                  "--pace", "--read-pace", "960", "--erase-ms", "20", "-e", "set /ZONE/NAME1 Halle Ost", "--at", "3", "xoff",
                                  "500", "-e", "at 5 read-pace 20", "--firmware-fails", "--unknown", "/condition", "--keep-every", "3", "--holdings",
                                  "/tmp/x.held", "-e", "answer /trigger/clear 1-999"},
                                 o, error))
        << error;
    EXPECT_EQ(o.linkFile, "/tmp/x.link");
    EXPECT_EQ(o.device.version, "V0.550");
    EXPECT_TRUE(o.device.startInBoot);
    EXPECT_EQ(o.device.password, "pw");
    EXPECT_EQ(o.cps, 1920);
    EXPECT_EQ(o.readCps, 960);
    EXPECT_EQ(o.device.eraseMs, 20);
    EXPECT_TRUE(o.device.firmwareFails);
    ASSERT_EQ(o.presets.size(), 1u);
    EXPECT_EQ(o.presets[0].second, "Halle Ost");
    ASSERT_EQ(o.rules.size(), 2u);
    EXPECT_EQ(o.rules[0].afterLines, 3);
    EXPECT_EQ(o.rules[0].what, FaultRule::HoldXoff);
    EXPECT_EQ(o.rules[0].amount, 500);
    EXPECT_EQ(o.rules[1].afterLines, 5);
    EXPECT_EQ(o.rules[1].what, FaultRule::ReadPace);
    EXPECT_EQ(o.rules[1].amount, 20);
    EXPECT_EQ(o.keepEvery, 3);
    EXPECT_EQ(o.holdingsFile, "/tmp/x.held");
    EXPECT_EQ(o.device.answers, (std::map<std::string, std::string> {{"/TRIGGER/CLEAR", "1-999"}}));

    KvtDevice d = MakeDevice(o);
    EXPECT_EQ(d.Value("/zone/name1"), "Halle Ost");
    EXPECT_TRUE(d.IsProtected());
    EXPECT_EQ(d.GetMode(), KvtDevice::Mode::BootLoader);
    EXPECT_EQ(o.device.unknown, std::vector<std::string> {"/CONDITION"});
}

TEST(KvtScript, WrongDirectivesAreRefusedWithAReason)
{
    for (const char* bad : {"pace 0", "read-pace x", "at 0 hangup", "at 2 explode", "at 2 xoff", "at 2 read-pace 0", "set NOPATH 1", "erase-ms -5", "fly",
                            "keep-every 0", "keep-every", "holdings", "answer x 1"}) {
        SimOptions o;
        std::string error;
        EXPECT_FALSE(ApplyDirective(bad, o, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    SimOptions o;
    std::string error;
    EXPECT_TRUE(ApplyDirective("   # only a comment", o, error));
    EXPECT_TRUE(ApplyDirective("", o, error));
    EXPECT_TRUE(ApplyDirective("pace 960", o, error));
    EXPECT_EQ(o.cps, 960);
}

TEST(KvtScript, CommandFileWithEscapesAndLineNumbersInErrors)
{
    char name[] = "/tmp/kvtsim-script-XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    {
        std::ofstream f(name);
        f << "# fault test\r\n"
          << "at 2 send \\x03garbage\\r\\n\n"
          << "at 4 hangup\n"
          << "silent\n";
    }
    SimOptions o;
    std::string error;
    ASSERT_TRUE(LoadScript(name, o, error)) << error;
    ASSERT_EQ(o.rules.size(), 2u);
    EXPECT_EQ(o.rules[0].text, std::string("\x03garbage\r\n"));
    EXPECT_EQ(o.rules[1].what, FaultRule::Hangup);
    EXPECT_TRUE(o.silent);
    EXPECT_TRUE(MakeDevice(o).IsSilent());

    {
        std::ofstream f(name);
        f << "version V1\nat x hangup\n";
    }
    SimOptions o2;
    EXPECT_FALSE(LoadScript(name, o2, error));
    EXPECT_NE(error.find(":2:"), std::string::npos) << error;
    std::remove(name);
}

TEST(KvtScript, EscapeAndUnescapeRoundTrip)
{
    const std::string bytes = std::string("a\r\n\t\\\x03\x13\xff z", 10);
    EXPECT_EQ(Escape(bytes), "a\\r\\n\\t\\\\\\x03\\x13\\xFF z");
    EXPECT_EQ(Unescape(Escape(bytes)), bytes);
    EXPECT_EQ(Unescape("\\xZZ"), "\\xZZ");
}
