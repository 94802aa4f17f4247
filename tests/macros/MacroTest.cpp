// Macros: stored form of every schema generation, the after-load upgrades,
// parameters with their limits and references, protocol lines and list texts.

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <memory>
#include <system_error>

#include "audio/CChimeSignal.h"
#include "logic/CCondition.h"
#include "macros/CMacro.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "paging/CZone.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/DocObjectTest.h"

using namespace blocktest;
namespace mt = macrotype;

namespace {

class MacroTest : public DocObjectTest {
protected:
    CMacro* NewMacro(uint32_t type)
    {
        return NewPlacedIn<CMacro>(Doc(), type, CAT_MACRO, 9);
    }
    CMacro* LoadIntoDoc(uint16_t schema, const Bytes& data)
    {
        return LoadIntoDocument<CMacro>(Doc(), "CMacro", schema, data, CAT_MACRO);
    }
    static Bytes Common(uint32_t kind, int32_t number)
    {
        CMacro proto;
        proto.m_kindId = kind;
        proto.m_name = "alt";
        proto.m_category = CAT_MACRO;
        proto.m_inputCount = proto.m_outputCount = 1;
        proto.m_number = number;
        return StoreCommon(proto);
    }

    // The record of an older schema, items as the loader reads them.
    struct Old {
        int32_t switchFlag = 1, prechime = 0, input = 0, aux = 1, signal = 0, digio = 0, pause = 0;
        std::string timeText = "0";
        float value = 0.0f;
        int32_t priority = 20;
        std::vector<std::pair<int32_t, std::string>> steps;  // legacy macro, delay text
        std::vector<int32_t> intDelays;                      // schemas 11..14
        float time = 0.0f;
        std::string zoneText = "0";  // schemas 12 and later
        int32_t clockTime = 0;       // schema 16 and later
    };
    static Bytes OldRecord(uint16_t s, const Old& o)
    {
        Bytes b;
        PutI32(b, o.switchFlag);
        PutI32(b, o.prechime);
        PutI32(b, o.input);
        if (s >= 5)
            PutI32(b, o.aux);
        PutI32(b, o.signal);
        PutI32(b, o.digio);
        PutI32(b, o.pause);
        PutText(b, o.timeText);
        PutI32(b, -1);
        if (s >= 4)
            PutText(b, "sel");
        PutF32(b, o.value);
        PutI32(b, o.digio);
        if (s >= 3)
            PutText(b, "");
        PutI32(b, o.pause);
        PutText(b, o.timeText);
        PutI32(b, -1);
        PutF32(b, o.value);
        PutI32(b, 0);   // increment
        PutI32(b, 0);   // next
        PutText(b, "0");  // quality
        PutI32(b, 0);   // table
        PutI32(b, 0);   // legacy console
        PutI32(b, 0);   // short time
        PutI32(b, 1);   // line
        PutText(b, "");  // text
        for (size_t i = 0; i < o.steps.size(); ++i) {
            PutI32(b, o.steps[i].first);
            PutText(b, o.steps[i].second);
            if (s >= 4)
                PutI32(b, 0);
            if (s >= 11 && s <= 14)
                PutI32(b, o.intDelays[i]);
            if (s >= 15)
                PutF32(b, static_cast<float>(o.intDelays[i]));
        }
        PutI32(b, o.priority);
        if (s >= 2)
            PutI32(b, 0);
        if (s >= 6)
            PutI32(b, 0);
        if (s >= 7) {
            PutText(b, "");
            PutI32(b, 0);
        }
        if (s >= 8)
            PutI32(b, 0);
        if (s >= 10)
            PutF32(b, o.time);
        if (s >= 12) {
            PutText(b, "NONE");
            PutText(b, "NONE");
            PutI32(b, 0);
            PutI32(b, 0);
            PutI32(b, 0);
            PutText(b, o.zoneText);
        }
        if (s >= 16)
            PutI32(b, o.clockTime);
        return b;
    }
};

}  // namespace

TEST_F(MacroTest, StoresTheSchema16Record)
{
    CMacro* m = NewMacro(mt::Page);
    m->m_switchFlag = 1;
    m->m_input = 2;
    m->m_auxOrClear = 1;
    m->m_value = -3.5f;
    m->m_text = "Hallo";
    m->m_steps[1].delay = 2.5f;
    m->m_priority = 30;
    m->m_pairedMacro = 4;
    m->m_time = 1.5f;
    m->m_onFlags = 3;
    m->m_zoneText = "1-3";
    m->m_clockTime = 1234567;
    EXPECT_EQ(16u, CMacro::classInfo.schema);

    Bytes e;
    for (int32_t v : {1, 0, 2, 1, 0, 0, 0})  // switch, prechime, input, aux, signal, digio, pause
        PutI32(e, v);
    PutText(e, "0");     // legacy time text
    PutI32(e, -1);       // reserved
    PutText(e, "");      // select
    PutF32(e, -3.5f);    // value
    PutI32(e, 0);        // digio again
    PutText(e, "");      // output keyword
    PutI32(e, 0);        // pause again
    PutText(e, "0");     // time text again
    PutI32(e, -1);       // reserved, value, increment, next
    PutF32(e, -3.5f);
    PutI32(e, 0);
    PutI32(e, 0);
    PutText(e, "0");     // quality
    for (int32_t v : {0, 0, 0, 1})  // table, console, short time, line
        PutI32(e, v);
    PutText(e, "Hallo");
    for (int i = 0; i < 5; ++i) {
        PutI32(e, 0);
        PutText(e, "0");
        PutI32(e, 0);
        PutF32(e, i == 1 ? 2.5f : 0.0f);
    }
    PutI32(e, 30);       // priority
    PutI32(e, 4);        // paired
    PutI32(e, 0);        // set flag
    PutText(e, "");      // unit
    PutI32(e, 0);        // digits
    PutI32(e, 0);        // index
    PutF32(e, 1.5f);     // time
    PutText(e, "NONE");  // spare
    PutText(e, "NONE");  // channel
    PutI32(e, 3);
    PutI32(e, 0);
    PutI32(e, 0);
    PutText(e, "1-3");
    PutI32(e, 1234567);  // the slave clocks' set time
    EXPECT_EQ(e, StoreOwnData(*m));

    auto back = LoadTagged("CMacro", 16, StoreData(*m), nullptr);
    auto* l = dynamic_cast<CMacro*>(back.get());
    ASSERT_NE(nullptr, l);
    EXPECT_EQ(StoreOwnData(*m), StoreOwnData(*l));
}

TEST_F(MacroTest, SchemaEightMapsSmallTypeCodesAndLinksThePrechime)
{
    NewNumbered<CChimeSignal>(32823, 4, CAT_AUDIO);
    Old page;
    page.prechime = 4;
    page.input = 3;
    page.steps = {{0, "0"}, {0, "0"}, {0, "0"}, {0, "0"}};
    CMacro* linked = LoadIntoDoc(8, Concat(Common(1, 1), OldRecord(8, page)));
    Old missing = page;
    missing.prechime = 5;
    CMacro* lost = LoadIntoDoc(8, Concat(Common(1, 2), OldRecord(8, missing)));
    Old volume = page;  // prechime and input belong to page macros only
    CMacro* vol = LoadIntoDoc(8, Concat(Common(5, 3), OldRecord(8, volume)));
    CMacro* unknown = LoadIntoDoc(8, Concat(Common(77, 4), OldRecord(8, Old{.steps = page.steps})));
    ASSERT_TRUE(linked && lost && vol && unknown);
    EXPECT_EQ(static_cast<uint32_t>(mt::Page), linked->GetKindId());
    EXPECT_EQ(static_cast<uint32_t>(mt::Volume), vol->GetKindId());
    EXPECT_EQ(static_cast<uint32_t>(mt::NoType), unknown->GetKindId());
    EXPECT_EQ(3, linked->m_input);
    EXPECT_EQ(0, vol->m_input);
    EXPECT_EQ(0, vol->m_legacyPrechime);
    EXPECT_EQ(1, linked->m_auxOrClear);  // kept for page macros
    EXPECT_EQ(0, vol->m_auxOrClear);     // cleared for the others before schema 13

    for (CMacro* m : {linked, lost, vol, unknown})
        m->PostLoad();
    EXPECT_EQ(4, linked->GetParam(5));
    EXPECT_EQ(0, linked->m_legacyPrechime);
    EXPECT_EQ(0, lost->GetParam(5));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Gongsignal 5 im Arbeitsblatt nicht vorhanden !", messages[0]);
}

TEST_F(MacroTest, EveryOlderSchemaLoadsWithItsUpgrades)
{
    NewNumbered<CChimeSignal>(32823, 3, CAT_AUDIO);
    for (uint16_t s = 1; s <= 16; ++s) {
        SCOPED_TRACE(s);
        Old o;
        o.signal = 3;
        o.time = 4.0f;
        o.zoneText = "5";
        o.clockTime = CMacro::DefaultClockTime() + 13 * 3600 + 45 * 60;
        const size_t steps = s <= 3 ? 3 : s <= 13 ? 4 : 5;
        o.steps.assign(steps, {0, "1.5"});
        o.intDelays.assign(steps, 2);
        const uint32_t kind = s < 9 ? 2 : mt::Chime;  // 2: the chime's small code
        CMacro* m = LoadIntoDoc(s, Concat(Common(kind, s), OldRecord(s, o)));
        ASSERT_NE(nullptr, m);
        m->PostLoad();
        EXPECT_EQ(static_cast<uint32_t>(mt::Chime), m->GetKindId());
        EXPECT_EQ(s < 9 ? 3 : 0, m->GetParam(33));         // the signal number became a link
        EXPECT_EQ(s >= 13 ? 1 : 0, m->GetParam(18));       // AUX kept for page macros only
        EXPECT_FLOAT_EQ(s >= 11 ? 2.0f : 1.5f, m->GetParamFloat(46));
        EXPECT_FLOAT_EQ(s >= 10 ? 4.0f : 0.0f, m->GetParamFloat(8));
        EXPECT_EQ(s >= 12 ? "5" : "0", m->GetParamText(2));  // recomputed from the links
        // The set time is kept from schema 16; before, the default time.
        EXPECT_EQ(s >= 16 ? o.clockTime : CMacro::DefaultClockTime(), m->GetParam(69));
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(MacroTest, StepDelaysOfEachSchemaGeneration)
{
    Old three;
    three.steps = {{0, "2.5"}, {0, "1"}, {0, "x"}};
    CMacro* s3 = LoadIntoDoc(3, Concat(Common(mt::Sequence, 1), OldRecord(3, three)));
    Old fourteen;
    fourteen.steps = {{0, "0"}, {0, "0"}, {0, "0"}, {0, "0"}, {0, "0"}};
    fourteen.intDelays = {3, 0, 7, 0, 400};
    CMacro* s14 = LoadIntoDoc(14, Concat(Common(mt::Sequence, 2), OldRecord(14, fourteen)));
    Old eleven;
    eleven.steps = {{0, "9"}, {0, "0"}, {0, "0"}, {0, "0"}};
    eleven.intDelays = {4, 0, 0, 0};
    CMacro* s11 = LoadIntoDoc(11, Concat(Common(mt::Sequence, 3), OldRecord(11, eleven)));
    ASSERT_TRUE(s3 && s14 && s11);
    EXPECT_FLOAT_EQ(2.5f, s3->GetParamFloat(46));
    EXPECT_FLOAT_EQ(1.0f, s3->GetParamFloat(47));
    EXPECT_FLOAT_EQ(0.0f, s3->GetParamFloat(48));
    EXPECT_FLOAT_EQ(3.0f, s14->GetParamFloat(46));
    EXPECT_FLOAT_EQ(7.0f, s14->GetParamFloat(48));
    EXPECT_FLOAT_EQ(0.0f, s14->GetParamFloat(50));  // out of range
    EXPECT_FLOAT_EQ(4.0f, s11->GetParamFloat(46));   // the whole number wins over the text
}

TEST_F(MacroTest, LoadedTimesOutOfRangeBecomeZero)
{
    Old o;
    o.steps = {{0, "0"}, {0, "0"}, {0, "0"}, {0, "0"}};
    o.time = 400.0f;
    CMacro* tooLong = LoadIntoDoc(10, Concat(Common(mt::Repeat, 1), OldRecord(10, o)));
    o.time = -1.0f;
    CMacro* negative = LoadIntoDoc(10, Concat(Common(mt::Repeat, 2), OldRecord(10, o)));
    o.time = 12.5f;
    CMacro* fine = LoadIntoDoc(10, Concat(Common(mt::Repeat, 3), OldRecord(10, o)));
    ASSERT_TRUE(tooLong && negative && fine);
    for (CMacro* m : {tooLong, negative, fine})
        m->PostLoad();
    EXPECT_EQ(0.0f, tooLong->m_time);
    EXPECT_EQ(0.0f, negative->m_time);
    EXPECT_EQ(12.5f, fine->m_time);

    // Logic-output macros before schema 10 take the time from the text.
    Old digio;
    digio.timeText = "1.5";
    digio.steps = {{0, "0"}, {0, "0"}, {0, "0"}, {0, "0"}};
    CMacro* d = LoadIntoDoc(9, Concat(Common(mt::LogicOut, 4), OldRecord(9, digio)));
    ASSERT_NE(nullptr, d);
    d->PostLoad();
    EXPECT_FLOAT_EQ(1.5f, d->m_time);
}

TEST_F(MacroTest, ParameterLimits)
{
    CMacro* m = NewMacro(mt::Page);
    m->SetParam(1, 20);
    EXPECT_EQ(21, m->GetParam(1));
    m->SetParam(1, 0);
    EXPECT_EQ(1, m->GetParam(1));
    m->SetParam(3, 1);
    m->SetParam(1, 20);
    EXPECT_EQ(20, m->GetParam(1));

    CMacro* vc = NewMacro(mt::VirtCtrl);
    vc->SetParam(11, 5);
    EXPECT_EQ(-5, vc->GetParam(11));
    EXPECT_EQ("-5", vc->GetParamText(11));

    CMacro* vol = NewMacro(mt::Volume);
    vol->SetParamFloat(10, -200.0f);
    EXPECT_EQ(-150.0f, vol->GetParamFloat(36));
    vol->SetParamFloat(10, 7.5f);
    EXPECT_EQ(6.0f, vol->GetParamFloat(36));
    vol->SetParam(11, 3);
    vol->SetParamFloat(10, -200.0f);
    EXPECT_EQ(0.0f, vol->GetParamFloat(36));
    // A volume typed beyond the whole numbers is held at their end, not turned round.
    for (const int32_t typed : {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}) {
        vol->SetParam(10, typed);
        EXPECT_EQ(typed, vol->GetParam(10));
        EXPECT_EQ(std::to_string(typed), vol->GetParamText(10));
    }

    CMacro* t = NewMacro(mt::LogicOut);
    t->SetParamFloat(8, 0.05f);
    EXPECT_EQ(0.0f, t->GetParamFloat(8));
    t->SetParamFloat(8, 301.0f);
    EXPECT_EQ(300.0f, t->GetParamFloat(35));
    t->SetParamFloat(66, 360.5f);
    EXPECT_FLOAT_EQ(360.4f, t->GetParamFloat(66));
    t->SetParamText(8, "2.5");
    EXPECT_EQ("2.5", t->GetParamText(8));

    CMacro* amp = NewMacro(mt::Amp);
    amp->SetParamText(61, "BATT,MAINS");
    EXPECT_EQ(3, amp->GetParam(61));
    EXPECT_EQ("MAINS,BATT", amp->GetParamText(61));
    EXPECT_EQ("NONE", amp->GetParamText(62));
    amp->SetParamText(62, "MAINS,PLTGEN,BATT,FLTRES");
    EXPECT_EQ(7, amp->GetParam(62));  // FLTRES is no switch-off word

    CMacro* text = NewMacro(mt::LcdText);
    text->SetParamText(73, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ("ABCDEFGHIJKLMNOP", text->GetParamText(73));
    text->SetParamText(13, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRST", text->GetParamText(13));
    EXPECT_EQ("Alle Sprechstellen", text->GetParamText(38));

    CMacro* zt = NewMacro(mt::ZoneTest);
    zt->SetParamText(72, "TEST");
    EXPECT_EQ(1, zt->GetParam(72));
    zt->SetParamText(72, "IMP");
    EXPECT_EQ("IMP", zt->GetParamText(72));
    zt->SetParamText(72, "other");
    EXPECT_EQ(0, zt->GetParam(72));
    zt->SetParam(74, 300);
    EXPECT_EQ(255, zt->GetParam(74));
}

// A zone the project lacks is reported in the words of the language in use,
// like the condition and console lines beside it.
TEST_F(MacroTest, MissingZoneLineIsWrittenInTheLanguageInUse)
{
    CMacro* page = NewMacro(mt::Page);
    const std::string diff = ::testing::TempDir() + "/macro_zone.err";
    std::remove(diff.c_str());
    const StringTranslator previous = SetStringTranslator([](uint32_t id, const std::string& german) -> std::string {
        switch (id) {
        case 32806: return "Macro";
        case 32802: return "Line";
        case 34499: return "missing";
        default: return german;
        }
    });
    EXPECT_TRUE(page->SetParamText(2, "5", &diff));
    SetStringTranslator(previous);
    FILE* f = std::fopen(diff.c_str(), "rb");
    ASSERT_NE(nullptr, f);
    char buf[256] = {};
    const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    EXPECT_EQ("Macro 1 : Line 5 missing\r\n", std::string(buf, n));
}

TEST_F(MacroTest, ReferencesCreateOrReport)
{
    CMacro* seq = NewMacro(mt::Sequence);
    seq->SetParam(41, 7);
    auto* created = dynamic_cast<CMacro*>(Doc().GetIDManager().GetBaseDevice(7, OT_MACRO));
    ASSERT_NE(nullptr, created);
    EXPECT_EQ("7 *", created->GetName());
    EXPECT_EQ(static_cast<uint32_t>(mt::NoType), created->GetKindId());
    EXPECT_EQ(7, seq->GetParam(41));
    EXPECT_EQ("7 *", seq->GetParamText(41));

    const std::string diff = ::testing::TempDir() + "/macro_refs.err";
    std::remove(diff.c_str());
    seq->SetParam(51, 12, &diff);  // conditions are never created
    EXPECT_EQ(0, seq->GetParam(51));
    EXPECT_EQ(nullptr, Doc().GetIDManager().GetBaseDevice(12, OT_CONDITION));
    FILE* f = std::fopen(diff.c_str(), "rb");
    ASSERT_NE(nullptr, f);
    char buf[256] = {};
    const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    EXPECT_EQ("Makro 1 : Bedingung  12 fehlt\r\n", std::string(buf, n));

    seq->SetParam(41, 0);
    EXPECT_EQ(0, seq->GetParam(41));
    EXPECT_TRUE(created->m_inLinks.empty());
}

TEST_F(MacroTest, TypeChangeAndDeleteDissolveThePair)
{
    CMacro* on = NewMacro(mt::Alarm);
    CMacro* off = NewMacro(mt::Alarm);
    on->SetParam(31, off->GetNumber());
    off->SetParam(31, on->GetNumber());
    on->SetParam(33, 2);  // a chime link that the type change drops
    ASSERT_EQ(2, on->GetParam(33));
    on->SetParam(0, mt::Chime);
    EXPECT_EQ(static_cast<uint32_t>(mt::Chime), on->GetKindId());
    EXPECT_EQ(0, on->GetParam(31));
    EXPECT_EQ(0, off->GetParam(31));
    EXPECT_EQ(0, on->GetParam(33));

    CMacro* a = NewMacro(mt::Background);
    CMacro* b = NewMacro(mt::Background);
    a->SetParam(31, b->GetNumber());
    b->SetParam(31, a->GetNumber());
    a->OnCommand(objcmd::Delete);
    EXPECT_EQ(0, b->GetParam(31));

    CMacro* locked = NewMacro(mt::Locked);
    locked->SetParam(0, mt::Page);
    EXPECT_EQ(static_cast<uint32_t>(mt::Locked), locked->GetKindId());
}

TEST_F(MacroTest, ZoneTextLinksZonesAndSetZonesKeepsOtherLinks)
{
    auto* z1 = NewNumbered<CZone>(33011, 1, CAT_ZONE);
    auto* z3 = NewNumbered<CZone>(33011, 3, CAT_ZONE);
    CMacro* m = NewMacro(mt::Page);
    m->SetParamText(2, "1-3");
    EXPECT_EQ("1-3", m->GetParamText(2));
    EXPECT_NE(nullptr, m->GetOutLinkTo(z1));
    EXPECT_NE(nullptr, m->GetOutLinkTo(z3));
    EXPECT_EQ("1-3", m->GetParamText(63));
    // The device's answer names zone 3 alone: the link to zone 1 goes with it.
    EXPECT_TRUE(m->ParseParamAnswer("/PARAM/ZONES", "3", nullptr));
    EXPECT_EQ(nullptr, m->GetOutLinkTo(z1));
    EXPECT_NE(nullptr, m->GetOutLinkTo(z3));
    DeviceList shown;  // what the lines dialog shows chosen, confirmed unchanged
    for (CBaseDevice* z : {static_cast<CBaseDevice*>(z1), static_cast<CBaseDevice*>(z3)})
        if (m->GetOutLinkTo(z))
            shown.push_back(z);
    m->SetZones(shown);
    EXPECT_EQ("3", m->GetParamText(2));
    ASSERT_TRUE(m->SetParamText(2, "1-3"));
    m->SetParam(5, 2);  // a prechime link stays
    m->SetZones({});
    EXPECT_EQ(nullptr, m->GetOutLinkTo(z1));
    EXPECT_EQ(nullptr, m->GetOutLinkTo(z3));
    EXPECT_EQ(2, m->GetParam(5));
    EXPECT_EQ("0", m->GetParamText(2));
    EXPECT_EQ("Kein Eintrag", m->GetParamText(63));

    m->SetZones({z3});
    EXPECT_EQ("3", m->GetParamText(2));

    // Zone 2 is missing and told to a difference file that cannot be
    // written (a folder): zone 3 beyond it is linked all the same.
    m->SetZones({});
    const std::string folder = ::testing::TempDir();
    EXPECT_THROW(m->SetParamText(2, "2-3", &folder), std::system_error);
    EXPECT_NE(nullptr, m->GetOutLinkTo(z3));
}

TEST_F(MacroTest, ProtocolLines)
{
    std::vector<std::string> lines;
    CMacro* page = NewMacro(mt::Page);
    page->SetParam(1, 5);
    EXPECT_EQ("PAGE", page->GetParamLines(lines));
    EXPECT_EQ((std::vector<std::string>{"/PARAM/INPUT 0", "/PARAM/PRECHIME OFF", "/PARAM/ZONES 0", "/PARAM/PRIO 5",
                                        "/PARAM/SWITCH OFF"}),
              lines);
    NewNumbered<CChimeSignal>(32823, 3, CAT_AUDIO);
    page->SetParam(5, 3);
    page->GetParamLines(lines);
    EXPECT_EQ("/PARAM/PRECHIME 3", lines[1]);

    CMacro* digio = NewMacro(mt::LogicOut);
    EXPECT_EQ("DIGIO", digio->GetParamLines(lines));
    EXPECT_EQ("/PARAM/TYPE INT", lines[0]);
    EXPECT_EQ("/PARAM/OUT 0", lines[1]);

    CMacro* none = NewMacro(mt::NoType);
    EXPECT_EQ("EMPTY", none->GetParamLines(lines));
    EXPECT_TRUE(lines.empty());

    std::vector<std::string> keys{"kept"};
    EXPECT_TRUE(none->SetTypeFromKeyword("EMPTY", keys));
    EXPECT_EQ(1u, keys.size());
    EXPECT_FALSE(none->SetTypeFromKeyword("NOSUCH", keys));
    EXPECT_EQ(static_cast<uint32_t>(mt::NoType), none->GetKindId());
    EXPECT_TRUE(none->SetTypeFromKeyword("BUZZER", keys));
    EXPECT_EQ(static_cast<uint32_t>(mt::Buzzer), none->GetKindId());
    EXPECT_EQ((std::vector<std::string>{"kept", "/PARAM/ADDRESS ?", "/PARAM/PATTERN ?", "/PARAM/PTN_TIME ?",
                                        "/PARAM/REPEAT ?", "/PARAM/PAUSE ?"}),
              keys);
    keys.clear();
    EXPECT_TRUE(none->SetTypeFromKeyword("POWER", keys));
    EXPECT_EQ((std::vector<std::string>{"/PARAM/PRIO ?", "/PARAM/SWITCH ?"}), keys);
}

TEST_F(MacroTest, ListTextsColumnsAndTypeList)
{
    CMacro* seq = NewMacro(mt::Sequence);
    std::vector<std::string> cells;
    EXPECT_EQ(17, seq->GetListTexts(0, cells));
    std::vector<ListColumn> cols;
    EXPECT_EQ(17, seq->GetListColumns(cols));
    EXPECT_EQ(195, cols[7].xMm);
    EXPECT_EQ(1, cols[8].line);
    EXPECT_EQ(3, cols[16].line);  // steps 3, 4 and 5 on lines 1, 2 and 3
    std::vector<std::string> titles;
    EXPECT_EQ(22, seq->GetListTexts(1, titles));

    CMacro* page = NewMacro(mt::Page);
    cells.clear();
    page->GetListTexts(0, cells);
    EXPECT_EQ("", cells[2]);
    page->SetParam(4, 2);
    cells.clear();
    page->GetListTexts(0, cells);
    EXPECT_EQ("IN2", cells[2]);

    CMacro* none = NewMacro(mt::NoType);
    cells.clear();
    cols.clear();
    EXPECT_EQ(2, none->GetListTexts(0, cells));
    EXPECT_EQ(2, none->GetListColumns(cols));

    std::vector<uint32_t> types;
    Doc().m_data.deviceVariant = 0;
    EXPECT_EQ(19, CMacro::GetTypeList(0, &types));
    types.clear();
    Doc().m_data.deviceVariant = 1;
    EXPECT_EQ(22, CMacro::GetTypeList(0, &types));
    EXPECT_EQ(static_cast<uint32_t>(mt::Page), types.front());
    types.clear();
    Doc().m_data.deviceVariant = 2;  // a file's other non-zero variant is upgraded too
    EXPECT_EQ(22, CMacro::GetTypeList(0, &types));
    EXPECT_EQ(0, CMacro::GetTypeList(0, nullptr));
}

TEST_F(MacroTest, NewMacrosAreNotUpgradedAfterALoad)
{
    CMacro* m = NewMacro(mt::Page);
    m->m_zoneText = "ALL";
    m->m_time = 350.0f;
    EXPECT_EQ(1, m->PostLoad());
    EXPECT_EQ("ALL", m->m_zoneText);
    EXPECT_EQ(350.0f, m->m_time);
}

TEST_F(MacroTest, DocumentSequenceServiceSetsFlagAndPartner)
{
    CBaseDevice* first = nullptr;
    CBaseDevice* second = reinterpret_cast<CBaseDevice*>(1);  // a second macro is wanted
    ASSERT_EQ(1, CQuillomerDoc::CreateSequenceMacro(&Doc(), mt::LogicOut, "Seq", " Start", " Stop", &first, &second));
    auto* a = dynamic_cast<CMacro*>(first);
    auto* b = dynamic_cast<CMacro*>(second);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(1, a->GetParam(3));
    EXPECT_EQ(0, b->GetParam(3));
    EXPECT_EQ(b->GetNumber(), a->GetParam(31));
    EXPECT_EQ(a->GetNumber(), b->GetParam(31));
    EXPECT_EQ("Seq Start", a->GetName());
}
