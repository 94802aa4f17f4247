// Macros of every step type: their download lines, the same values read back
// from those lines as upload answers, and the project file.

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <functional>

#include "audio/CAlarmSignal.h"
#include "audio/CChimeSignal.h"
#include "audio/CInternalMessageRec.h"
#include "audio/CMessageSignal.h"
#include "logic/CCondition.h"
#include "logic/CMemoFlag.h"
#include "macros/CMacro.h"
#include "model/CControlPad.h"
#include "paging/CZone.h"
#include "support/BlockTestSupport.h"
#include "support/DocObjectTest.h"

// Consoles are only referred to here; a plain object of their type will do.
class TestConsole : public CBaseDevice {
    QL_DECLARE_SERIAL(TestConsole)
public:
    TestConsole() { m_type = OT_CONSOLE; }
};
QL_IMPLEMENT_SERIAL(TestConsole, 1)

using namespace blocktest;
namespace mt = macrotype;

namespace {

using Lines = std::vector<std::string>;

struct StepCase {
    uint32_t type;
    const char* keyword;
    std::function<void(CMacro&)> setUp;
    Lines lines;
};

// The slave clocks' set time on the default day.
int32_t ClockAt(int hour, int minute)
{
    std::tm tm{};
    tm.tm_year = 80;
    tm.tm_mday = 1;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return static_cast<int32_t>(std::mktime(&tm));
}
int32_t HalfPastSix() { return ClockAt(6, 30); }

const std::vector<StepCase>& Cases()
{
    static const std::vector<StepCase> cases = {
        {mt::Background, "BACKGND",
         [](CMacro& m) { m.SetParamText(2, "1-4,9"), m.SetParam(1, 5), m.SetParam(3, 1); },
         {"/PARAM/ZONES 1-4,9", "/PARAM/PRIO 5", "/PARAM/SWITCH ON"}},
        {mt::Page, "PAGE",
         [](CMacro& m) {
             m.SetParam(4, 2), m.SetParam(5, 3), m.SetParamText(2, "1-4,9"), m.SetParam(1, 7), m.SetParam(18, 1);
         },
         {"/PARAM/INPUT 2", "/PARAM/PRECHIME 3", "/PARAM/ZONES 1-4,9", "/PARAM/PRIO 7", "/PARAM/SWITCH SUB"}},
        {mt::Chime, "CHIME",
         [](CMacro& m) { m.SetParam(33, 3), m.SetParamText(2, "2"), m.SetParam(1, 11), m.SetParam(3, 1); },
         {"/PARAM/TYPE 3", "/PARAM/ZONES 2", "/PARAM/PRIO 11", "/PARAM/SWITCH ON"}},
        {mt::Alarm, "ALARM",
         [](CMacro& m) { m.SetParam(32, 2), m.SetParamText(2, "9"), m.SetParam(3, 1), m.SetParam(1, 20); },
         {"/PARAM/TYPE 2", "/PARAM/ZONES 9", "/PARAM/PRIO 20", "/PARAM/SWITCH ON"}},
        {mt::LogicOut, "DIGIO",
         [](CMacro& m) { m.SetParamText(56, "INT"), m.SetParam(7, 3), m.SetParamFloat(35, 1.5f), m.SetParam(3, 1); },
         {"/PARAM/TYPE INT", "/PARAM/OUT 3", "/PARAM/TIME 1.5", "/PARAM/SWITCH ON"}},
        {mt::Volume, "VOLUME",
         [](CMacro& m) { m.SetParamText(9, "IN2"), m.SetParamFloat(10, -12.0f), m.SetParam(11, 2); },
         {"/PARAM/SELECT IN2", "/PARAM/VOLUME -12", "/PARAM/INC 2"}},
        {mt::Monitor, "MONITOR", [](CMacro& m) { m.SetParam(16, 1), m.SetParam(17, 4); },
         {"/PARAM/NEXT 1", "/PARAM/TABLE 4"}},
        {mt::AuxSelect, "INSEL", [](CMacro& m) { m.SetParam(4, 2), m.SetParam(18, 3); },
         {"/PARAM/INPUT 2", "/PARAM/AUX 3"}},
        {mt::LcdText, "LCDTEXT",
         [](CMacro& m) {
             m.SetParam(38, 4), m.SetParam(20, 2), m.SetParamText(13, "Feuer"), m.SetParam(39, 10), m.SetParam(71, 1);
         },
         {"/PARAM/ADDRESS 4", "/PARAM/LINE 2", "/PARAM/TEXT Feuer", "/PARAM/TIME 10", "/PARAM/CLEAR YES",
          "/PARAM/BUZZER NO"}},
        {mt::Sequence, "SEQUENCE",
         [](CMacro& m) { m.SetParam(41, 30), m.SetParam(51, 2), m.SetParamFloat(47, 2.5f); },
         {"/PARAM/STEP1/MACRO 30", "/PARAM/STEP1/CONDITION 2", "/PARAM/STEP1/TIME 0.0", "/PARAM/STEP2/MACRO 0",
          "/PARAM/STEP2/CONDITION OFF", "/PARAM/STEP2/TIME 2.5", "/PARAM/STEP3/MACRO 0", "/PARAM/STEP3/CONDITION OFF",
          "/PARAM/STEP3/TIME 0.0", "/PARAM/STEP4/MACRO 0", "/PARAM/STEP4/CONDITION OFF", "/PARAM/STEP4/TIME 0.0",
          "/PARAM/STEP5/MACRO 0", "/PARAM/STEP5/CONDITION OFF", "/PARAM/STEP5/TIME 0.0"}},
        {mt::Message, "MESSAGE",
         [](CMacro& m) { m.SetParam(34, 3), m.SetParamText(2, "1-4,9"), m.SetParam(1, 5), m.SetParam(3, 1); },
         {"/PARAM/TYPE 3", "/PARAM/ZONES 1-4,9", "/PARAM/PRIO 5", "/PARAM/SWITCH ON"}},
        {mt::MemoFlag, "MEMO_FLAG", [](CMacro& m) { m.SetParam(40, 5), m.SetParam(22, 1); },
         {"/PARAM/INDEX 5", "/PARAM/SET TRUE"}},
        {mt::Power, "POWER", [](CMacro& m) { m.SetParam(1, 3), m.SetParam(3, 1); },
         {"/PARAM/PRIO 3", "/PARAM/SWITCH ON"}},
        {mt::VirtCtrl, "VIRTCTRL",
         [](CMacro& m) {
             m.SetParam(12, 3), m.SetParam(11, 5), m.SetParam(10, 7), m.SetParamText(13, "Pegel"),
                 m.SetParamText(14, "dB"), m.SetParam(15, 1);
         },
         {"/PARAM/INDEX 3", "/PARAM/INC -5", "/PARAM/VALUE 7", "/PARAM/TITLE Pegel", "/PARAM/UNIT dB",
          "/PARAM/DIGITS 1"}},
        {mt::Stop, "STOP", [](CMacro& m) { m.SetParam(1, 9); }, {"/PARAM/PRIO 9"}},
        {mt::Amp, "AMP",
         [](CMacro& m) { m.SetParamText(60, "3.1"), m.SetParamText(61, "BATT MAINS"), m.SetParamText(62, "PLTGEN"); },
         {"/PARAM/ADR 3.1", "/PARAM/ON MAINS,BATT", "/PARAM/OFF PLTGEN"}},
        {mt::AmpMute, "AMPMUTE", [](CMacro& m) { m.SetParam(29, 1), m.SetParamText(30, "ALL"); },
         {"/PARAM/MUTE ON", "/PARAM/CHAN ALL"}},
        {mt::Record, "RECORD",
         [](CMacro& m) {
             m.SetParam(64, 2), m.SetParamText(65, "20KHZ LINEAR"), m.SetParam(4, 3), m.SetParamFloat(66, 12.5f),
                 m.SetParam(3, 1);
         },
         {"/PARAM/FILE 2", "/PARAM/QUALITY 20KHZ LINEAR", "/PARAM/INPUT 3", "/PARAM/MAXTIME 12.5",
          "/PARAM/SWITCH ON"}},
        {mt::Erase, "ERASE", [](CMacro& m) { m.SetParam(64, 2); }, {"/PARAM/FILE Textwiedergabe 2"}},
        {mt::Erase, "ERASE", [](CMacro& m) { m.SetParam(64, 0); }, {"/PARAM/FILE "}},
        {mt::Repeat, "REPEAT",
         [](CMacro& m) { m.SetParam(67, 31), m.SetParam(39, 60), m.SetParam(25, 2), m.SetParam(68, 4); },
         {"/PARAM/MACRO 31", "/PARAM/TIME 60", "/PARAM/CONDITION 2", "/PARAM/COUNT 4"}},
        {mt::SlaveClock, "SLVCLK",
         [](CMacro& m) { m.SetParam(70, 1), m.SetParam(69, HalfPastSix()), m.SetParam(3, 1); },
         {"/PARAM/SET_TIME YES", "/PARAM/SET_RUN NO", "/PARAM/TIME 06:30", "/PARAM/RUN ON"}},
        // Stopped, with a time of the afternoon, as a device answers it.
        {mt::SlaveClock, "SLVCLK",
         [](CMacro& m) { m.SetParam(71, 1), m.SetParam(69, ClockAt(13, 45)), m.SetParam(3, 0); },
         {"/PARAM/SET_TIME NO", "/PARAM/SET_RUN YES", "/PARAM/TIME 13:45", "/PARAM/RUN OFF"}},
        {mt::ZoneTest, "ZONETEST",
         [](CMacro& m) { m.SetParamText(2, "1-3"), m.SetParamText(72, "TEST"), m.SetParam(3, 1); },
         {"/PARAM/ZONES 1-3", "/PARAM/MODE TEST", "/PARAM/SWITCH ON"}},
        {mt::Buzzer, "BUZZER",
         [](CMacro& m) {
             m.SetParam(38, 4), m.SetParamText(73, "--..--.."), m.SetParam(74, 5), m.SetParam(76, 10),
                 m.SetParam(75, 3);
         },
         {"/PARAM/ADDRESS 4", "/PARAM/PATTERN --..--..", "/PARAM/PTN_TIME 5", "/PARAM/PAUSE 10", "/PARAM/REPEAT 3"}},
    };
    return cases;
}

class MacroProtocolTest : public DocObjectTest {
protected:
    void SetUp() override
    {
        DocObjectTest::SetUp();
        for (int n : {1, 2, 3, 4, 9})
            NewNumbered<CZone>(33011, n, CAT_ZONE);
        NewNumbered<CChimeSignal>(32823, 3, CAT_AUDIO);
        NewNumbered<CAlarmSignal>(32822, 2, CAT_AUDIO);
        NewNumbered<CMessageSignal>(32824, 3, CAT_AUDIO);
        NewNumbered<TestConsole>(0, 4, CAT_CONSOLE);
        NewNumbered<CCondition>(34129, 2, CAT_DIGITAL_IO);
        NewPlacedIn<CInternalMessageRec>(Doc(), CInternalMessageRec::kKindId, CAT_AUDIO, 3);
        // A digital-slot output contact with the signal index 3.
        auto* pad = new CControlPad;
        ASSERT_EQ(1, pad->Create(padkind::SlotOut, 1, 1, std::string("Out 3"), 500, 500, 500, 500, CAT_DIGITAL_IO, 0,
                                 9, &Doc()));
        Doc().AddObject(pad, CAT_DIGITAL_IO);
        pad->LinkTo(0, Doc().GetIDManager().GetBaseDevice(9, OT_ZONE), 2);
        ASSERT_EQ(3, pad->GetSignalIndex());
    }
    CMacro* NewMacro(uint32_t type) { return NewPlacedIn<CMacro>(Doc(), type, CAT_MACRO, 9); }
    CMacro* Made(const StepCase& c)
    {
        CMacro* m = NewMacro(c.type);
        c.setUp(*m);
        return m;
    }
};

}  // namespace

TEST_F(MacroProtocolTest, EachStepTypeSendsItsLinesAndReadsThemBack)
{
    const std::string diff = ::testing::TempDir() + "/macro_protocol.err";
    std::remove(diff.c_str());
    for (const StepCase& c : Cases()) {
        SCOPED_TRACE(c.keyword);
        CMacro* m = Made(c);
        Lines lines;
        EXPECT_EQ(c.keyword, m->GetParamLines(lines));
        EXPECT_EQ(c.lines, lines);

        // The upload: the keyword sets the type and lists the queries, then
        // each answer sets its value.
        CMacro* copy = NewMacro(mt::NoType);
        Lines queries;
        ASSERT_TRUE(copy->SetTypeFromKeyword(c.keyword, queries));
        EXPECT_EQ(c.type, copy->GetKindId());
        Lines expectedQueries;
        for (const std::string& l : c.lines)
            expectedQueries.push_back(l.substr(0, l.find(' ')) + " ?");
        if (c.type == mt::Buzzer)
            expectedQueries = {"/PARAM/ADDRESS ?", "/PARAM/PATTERN ?", "/PARAM/PTN_TIME ?", "/PARAM/REPEAT ?",
                               "/PARAM/PAUSE ?"};
        EXPECT_EQ(expectedQueries, queries);
        for (const std::string& l : c.lines) {
            const size_t blank = l.find(' ');
            EXPECT_TRUE(copy->ParseParamAnswer(l.substr(0, blank), l.substr(blank + 1), &diff)) << l;
        }
        Lines back;
        copy->GetParamLines(back);
        EXPECT_EQ(c.lines, back);
    }
    EXPECT_EQ(nullptr, std::fopen(diff.c_str(), "rb"));  // every reference was found
}

TEST_F(MacroProtocolTest, EachStepTypeKeepsItsValuesThroughTheFile)
{
    std::vector<std::pair<int32_t, Lines>> sent;
    std::vector<Bytes> stored;
    for (const StepCase& c : Cases()) {
        CMacro* m = Made(c);
        Lines lines;
        m->GetParamLines(lines);
        sent.emplace_back(m->GetNumber(), lines);
        stored.push_back(StoreOwnData(*m));
    }
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(Doc().SaveToBytes()));
    for (size_t i = 0; i < sent.size(); ++i) {
        SCOPED_TRACE(Cases()[i].keyword);
        auto* m = dynamic_cast<CMacro*>(loaded.GetIDManager().GetBaseDevice(sent[i].first, OT_MACRO));
        ASSERT_NE(nullptr, m);
        EXPECT_EQ(Cases()[i].type, m->GetKindId());
        Lines lines;
        m->GetParamLines(lines);
        EXPECT_EQ(sent[i].second, lines);
        EXPECT_EQ(stored[i], StoreOwnData(*m));
    }
    auto* flag = dynamic_cast<CMemoFlag*>(loaded.GetIDManager().GetBaseDevice(5, OT_MEMO_FLAG));
    ASSERT_NE(nullptr, flag);
    EXPECT_EQ("5 *", flag->GetName());
}

TEST_F(MacroProtocolTest, UserTextsAreSentAsOneLineAndCutToTheDisplay)
{
    const std::string attack = "A\r\n/CLEAR ALL";
    struct Row {
        uint32_t type;
        int param;
        size_t line;
        std::string text;
        std::string expected;
    };
    const Row rows[] = {
        {mt::LcdText, 13, 2, attack, "/PARAM/TEXT A/CLEAR ALL"},
        {mt::LcdText, 13, 2, "ABCDEFGHIJKLMNOPQRST", "/PARAM/TEXT ABCDEFGHIJKLMNOP"},
        {mt::LcdText, 13, 2, "\r\n", "/PARAM/TEXT \"\""},
        {mt::Buzzer, 13, 1, "ABCDEFGHIJKLMNOPQRST", "/PARAM/PATTERN ABCDEFGHIJKLMNOP"},
        {mt::VirtCtrl, 13, 3, attack, "/PARAM/TITLE A/CLEAR ALL"},
        {mt::VirtCtrl, 14, 4, "d\tB", "/PARAM/UNIT dB"},
        {mt::Volume, 9, 0, attack, "/PARAM/SELECT A/CLEAR ALL"},
        {mt::Volume, 9, 0, "", "/PARAM/SELECT OFF"},  // no controller: the first of its list, as shown
        {mt::Record, 65, 1, attack, "/PARAM/QUALITY A/CLEAR ALL"},
        {mt::AmpMute, 30, 1, attack, "/PARAM/CHAN A/CLEAR ALL"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.expected);
        CMacro* m = NewMacro(r.type);
        m->SetParamText(r.param, r.text);
        Lines lines;
        m->GetParamLines(lines);
        ASSERT_LT(r.line, lines.size());
        EXPECT_EQ(r.expected, lines[r.line]);
    }
}

TEST_F(MacroProtocolTest, ZoneTextsThatDoNotFitAreRefused)
{
    CMacro* m = NewMacro(mt::Page);
    ASSERT_TRUE(m->SetParamText(2, "1-3"));
    for (const std::string& text : {std::string("1-101"), std::string("5,200"), std::string(600, '1')}) {
        SCOPED_TRACE(text.substr(0, 10));
        EXPECT_FALSE(m->SetParamText(2, text));
        EXPECT_EQ("1-3", m->GetParamText(2));
    }
    EXPECT_FALSE(m->ParseParamAnswer("/PARAM/ZONES", "1-500", nullptr));
    EXPECT_EQ("1-3", m->GetParamText(2));
    EXPECT_TRUE(m->SetParamText(2, "ALL"));  // a word links nothing but is kept
    EXPECT_EQ("ALL", m->GetParamText(2));
}

TEST_F(MacroProtocolTest, AnswersThatCannotBeUsedChangeNothing)
{
    CMacro* m = NewMacro(mt::Page);
    m->SetParam(4, 2);
    m->SetParam(3, 1);
    EXPECT_FALSE(m->ParseParamAnswer("/PARAM/INPUT", "x", nullptr));
    EXPECT_FALSE(m->ParseParamAnswer("/PARAM/INPUT", "?", nullptr));
    EXPECT_FALSE(m->ParseParamAnswer("/PARAM/SWITCH", "MAYBE", nullptr));
    EXPECT_FALSE(m->ParseParamAnswer("/PARAM/NOSUCH", "1", nullptr));
    EXPECT_FALSE(m->ParseParamAnswer("/PARAM/TYPE", "3", nullptr));  // a page macro has no signal type
    EXPECT_EQ(2, m->GetParam(4));
    EXPECT_EQ(1, m->GetParam(3));
    EXPECT_TRUE(m->ParseParamAnswer("/PARAM/PRECHIME", "OFF", nullptr));
    EXPECT_EQ(0, m->GetParam(5));

    CMacro* rep = NewMacro(mt::Repeat);
    rep->SetParam(68, 4);
    EXPECT_FALSE(rep->ParseParamAnswer("/PARAM/COUNT", "many", nullptr));
    EXPECT_EQ(4, rep->GetParam(68));
    EXPECT_FALSE(rep->ParseParamAnswer("/PARAM/MACRO", "none", nullptr));  // not a number: named, nothing taken
    EXPECT_EQ(0, rep->GetParam(67));

    // A decimal answer reads the number it starts with.
    EXPECT_TRUE(rep->ParseParamAnswer("/PARAM/COUNT", "3 times", nullptr));
    EXPECT_EQ(3, rep->GetParam(68));
    CMacro* vol = NewMacro(mt::Volume);
    EXPECT_TRUE(vol->ParseParamAnswer("/PARAM/VOLUME", "-12.5", nullptr));
    EXPECT_EQ(-12, vol->GetParam(10));
}
