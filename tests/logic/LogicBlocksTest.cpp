// The trigger, logic-output and ready-input blocks: the lines of an empty and
// a filled document with and without the clear capability, and the answers
// an upload applies.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>

#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMiscAudio.h"
#include "audio/CMonitor.h"
#include "calendar/CAppoint.h"
#include "calendar/CCalObject.h"
#include "calendar/CClock.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "calendar/CWeek.h"
#include "calendar/CalendarTime.h"
#include "calendar/CalendarIds.h"
#include "logic/CAnalogCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/CGlobalReadyInput.h"
#include "logic/CLogicOut.h"
#include "logic/CLogicOutObject.h"
#include "logic/CReadyInput.h"
#include "logic/CTrigger.h"
#include "logic/CTriggerObject.h"
#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "macros/CMacro.h"
#include "macros/CMacroObject.h"
#include "model/CControlPad.h"
#include "paging/CCollectionCall.h"
#include "paging/CConsole.h"
#include "paging/CConsoleObject.h"
#include "paging/CLANGroup.h"
#include "paging/CZone.h"
#include "paging/ConsoleIds.h"
#include "platform/Cp1252.h"
#include "platform/StringTable.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CSpareAmp.h"
#include "service/CEventLog.h"
#include "service/CFault.h"
#include "service/CFuse.h"
#include "service/CZonetestObject.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;
using Lines = std::vector<std::string>;

namespace {
struct Fixture : BlockHarness {
    explicit Fixture(int variant = 0) { doc().m_data.deviceVariant = variant; }
    template <class T>
    T* Numbered(uint32_t kind, int n, int32_t category = CAT_DIGITAL_IO)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, StrFormat("obj %d", n), n, category, &doc()));
        doc().AddObject(o, category);
        return o;
    }
    // A contact of `kind` whose signal index comes from a slot link at `slotKey`.
    CControlPad* Pad(uint32_t kind, uint32_t slotType, int slotKey, bool padLinksOut)
    {
        auto* slot = new CBaseDevice;
        slot->m_type = slotType;
        EXPECT_EQ(1, slot->Create(1, "Slot", 1, CAT_DIGITAL_SLOT, &doc()));
        doc().AddObject(slot, CAT_DIGITAL_SLOT);
        auto* pad = new CControlPad;
        EXPECT_EQ(1, pad->Create(kind, 1, 1, std::string("Pad"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &doc()));
        doc().AddObject(pad, CAT_DIGITAL_IO);
        if (padLinksOut)
            pad->LinkTo(0, slot, slotKey);
        else
            slot->LinkTo(slotKey, pad, 0);
        return pad;
    }
    // A slot of the central device, named as a new document names it.
    template <class T>
    T* Slot(uint32_t kind, const char* name, int32_t category)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, 2, 2, std::string(name), 0, 0, 56, 140, category, 0, 0, &doc()));
        doc().AddObject(o, category);
        return o;
    }
    template <class T>
    T* Get(uint32_t type, int n)
    {
        return dynamic_cast<T*>(doc().GetIDManager().GetBaseDevice(n, type));
    }
};

void AppendNumbered(Lines& lines, const char* format, int count)
{
    for (int n = 1; n <= count; ++n)
        lines.push_back(StrFormat(format, n));
}
}  // namespace

TEST(TriggerBlock, LinesWithAndWithoutTheCapability)
{
    for (int capability : {0, 1}) {
        Fixture f;
        f.profile.Set("TRIGGER_CLR", capability);
        auto* block = f.Add<CTriggerObject>(CTriggerObject::kKindId, CAT_DIGITAL_IO);
        auto* t1 = f.Numbered<CTrigger>(CTrigger::kKindId, 1);
        t1->SetValue(triggerkey::Condition, 4);
        t1->SetTime(triggerkey::Time, 2.5f);
        t1->SetValue(triggerkey::OnMacro, 10);
        t1->SetValue(triggerkey::OffMacro, 11);
        f.Numbered<CTrigger>(CTrigger::kKindId, 3);
        EXPECT_EQ(401, f.Walk(*block, 0));
        Lines expected = {"/TRIGGER/CLEAR ALL", "/TRIGGER/ENTRY1/CONDITION 4", "/TRIGGER/ENTRY1/TIME 2.5",
                          "/TRIGGER/ENTRY1/ON_MACRO 10", "/TRIGGER/ENTRY1/OFF_MACRO 11"};
        if (capability) {
            expected.push_back("/TRIGGER/ENTRY3/CONDITION OFF");
        } else {
            Lines rest;
            AppendNumbered(rest, "/TRIGGER/ENTRY%d/CONDITION OFF", 50);
            expected.insert(expected.end(), rest.begin() + 1, rest.end());
        }
        EXPECT_EQ(expected, f.link.lines) << capability;
    }
}

TEST(TriggerBlock, UploadHandshakeAndAnswers)
{
    Fixture f;
    f.profile.Set("TRIGGER_CLR", 1);
    auto* block = f.Add<CTriggerObject>(CTriggerObject::kKindId, CAT_DIGITAL_IO);
    f.Numbered<CTrigger>(CTrigger::kKindId, 2);
    EXPECT_EQ(0, f.Walk(*block, 1));  // waits for the free list
    EXPECT_EQ(Lines{"/TRIGGER/CLEAR ?"}, f.link.lines);
    f.Answer("/TRIGGER/CLEAR 2-50");
    EXPECT_EQ(nullptr, f.Get<CTrigger>(OT_TRIGGER, 2));
    EXPECT_EQ("1 *", f.Get<CTrigger>(OT_TRIGGER, 1)->GetName());
    f.link.lines.clear();
    for (int step = 0; step < 401;)
        step = block->GetDownloadLines(1, step);
    EXPECT_EQ((Lines{"/TRIGGER/ENTRY1/CONDITION ?", "/TRIGGER/ENTRY1/TIME ?", "/TRIGGER/ENTRY1/ON_MACRO ?",
                     "/TRIGGER/ENTRY1/OFF_MACRO ?"}),
              f.link.lines);

    f.Answer("/TRIGGER/ENTRY4/TIME 2.5");     // no trigger 4: ignored
    f.Answer("/TRIGGER/ENTRY4/CONDITION 0");  // ignored as well
    EXPECT_EQ(nullptr, f.Get<CTrigger>(OT_TRIGGER, 4));
    f.Answer("/TRIGGER/ENTRY4/CONDITION 7");
    f.Answer("/TRIGGER/ENTRY4/TIME 99");
    f.Answer("/TRIGGER/ENTRY4/ON_MACRO 3");
    f.Answer("/TRIGGER/ENTRY51/CONDITION 7");  // beyond the standard limit
    auto* t4 = f.Get<CTrigger>(OT_TRIGGER, 4);
    ASSERT_NE(nullptr, t4);
    EXPECT_EQ(7, t4->GetValue(triggerkey::Condition));
    EXPECT_EQ(25.0f, t4->GetTime());
    EXPECT_EQ(3, t4->GetValue(triggerkey::OnMacro));
    EXPECT_EQ(nullptr, f.Get<CTrigger>(OT_TRIGGER, 51));
}

TEST(LogicOutBlock, LinesWithAndWithoutTheCapability)
{
    for (int capability : {0, 1}) {
        Fixture f;
        f.profile.Set("LOGICOUT_CLR", capability);
        auto* block = f.Add<CLogicOutObject>(CLogicOutObject::kKindId, CAT_AUDIO);
        CControlPad* pad = f.Pad(padkind::SlotOut, OT_DIGITAL_SLOT, 2, true);
        auto* out2 = f.Numbered<CLogicOut>(CLogicOut::kKindId, 2);
        out2->SetValue(logicoutkey::Contact, pad->GetNumber());
        out2->SetValue(logicoutkey::Invert, 1);
        auto* out3 = f.Numbered<CLogicOut>(CLogicOut::kKindId, 3);
        out3->SetValue(logicoutkey::Contact, pad->GetNumber());
        out3->SetValue(logicoutkey::Condition, 7);
        out3->SetValue(logicoutkey::Condition, 0);  // no condition: sent as 1
        EXPECT_EQ(1001, f.Walk(*block, 0));
        Lines expected = {"/LOGICOUT/CLEAR ALL"};
        if (!capability)
            expected.push_back("/LOGICOUT/ENTRY1/FUNCTION OFF");
        expected.insert(expected.end(), {"/LOGICOUT/ENTRY2/FUNCTION SLOT5_OUT", "/LOGICOUT/ENTRY2/INV ON",
                                         "/LOGICOUT/ENTRY2/COND 1", "/LOGICOUT/ENTRY2/INDEX 3",
                                         "/LOGICOUT/ENTRY3/FUNCTION SLOT5_OUT", "/LOGICOUT/ENTRY3/INV OFF",
                                         "/LOGICOUT/ENTRY3/COND 1", "/LOGICOUT/ENTRY3/INDEX 3"});
        if (!capability)
            for (int n = 4; n <= 30; ++n)
                expected.push_back(StrFormat("/LOGICOUT/ENTRY%d/FUNCTION OFF", n));
        EXPECT_EQ(expected, f.link.lines) << capability;
    }
}

TEST(LogicOutBlock, UploadAnswers)
{
    Fixture f;
    auto* block = f.Add<CLogicOutObject>(CLogicOutObject::kKindId, CAT_AUDIO);
    (void)block;
    CControlPad* pad = f.Pad(padkind::SlotOut, OT_DIGITAL_SLOT, 2, true);
    f.Numbered<CLogicOut>(CLogicOut::kKindId, 1);
    f.Answer("/LOGICOUT/ENTRY1/FUNCTION OFF");
    EXPECT_EQ(nullptr, f.Get<CLogicOut>(OT_LOGIC_OUT, 1));
    f.Answer("/LOGICOUT/ENTRY5/FUNCTION SLOT5_OUT");
    f.Answer("/LOGICOUT/ENTRY5/INV ON");
    f.Answer("/LOGICOUT/ENTRY5/COND 9");
    f.Answer("/LOGICOUT/ENTRY5/INDEX 3");
    auto* out = f.Get<CLogicOut>(OT_LOGIC_OUT, 5);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ("5 *", out->GetName());
    EXPECT_EQ(pad->GetNumber(), out->GetValue(logicoutkey::Contact));
    EXPECT_EQ(9, out->GetValue(logicoutkey::Condition));
    EXPECT_EQ(1, out->m_invert);
    f.Answer("/LOGICOUT/CLEAR x");  // does not read: nothing changes
    EXPECT_NE(nullptr, f.Get<CLogicOut>(OT_LOGIC_OUT, 5));
    f.Answer("/LOGICOUT/CLEAR 1-30");
    EXPECT_EQ(nullptr, f.Get<CLogicOut>(OT_LOGIC_OUT, 5));
}

TEST(ReadyInputBlock, LinesWithAndWithoutTheCapability)
{
    for (int capability : {0, 1}) {
        Fixture f;
        f.profile.Set("READYINP_CLR", capability);
        auto* block = f.Add<CGlobalReadyInput>(CGlobalReadyInput::kKindId, CAT_AUDIO);
        block->SetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 1), "");
        block->SetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 2), "Te\r\nxt3");
        EXPECT_EQ(307, f.Walk(*block, 0));
        Lines expected = {"/READYINP/CLEAR ALL", "/READYINP/MASKTIME 5.0", "/READYINP/TEXT1 Text1",
                          "/READYINP/TEXT2 \"\"",  "/READYINP/TEXT3 Te  xt3",  "/READYINP/TEXT4 Text4",
                          "/READYINP/TEXT5 Text5"};
        if (!capability)
            AppendNumbered(expected, "/READYINP/ENTRY%d/FUNCTION OFF", 50);
        EXPECT_EQ(expected, f.link.lines) << capability;

        f.link.lines.clear();
        CControlPad* pad = f.Pad(padkind::InterfaceIn, OT_INTERFACE_SLOT, 3, false);
        auto* ri = f.Numbered<CReadyInput>(CReadyInput::kKindId, 50);
        ri->SetValue(CReadyInput::Contact, pad->GetNumber());
        ri->SetValue(CReadyInput::Level, 1);
        ri->SetValue(CReadyInput::TextNumber, 3);
        EXPECT_EQ(307, f.Walk(*block, 0));
        const Lines tail(f.link.lines.end() - 6, f.link.lines.end());
        EXPECT_EQ((Lines{"/READYINP/ENTRY50/FUNCTION INP", "/READYINP/ENTRY50/INDEX 2", "/READYINP/ENTRY50/LEVEL ON",
                         "/READYINP/ENTRY50/MASK OFF", "/READYINP/ENTRY50/TEXT 3", "/READYINP/ENTRY50/DEVICE 0"}),
                  tail);
        EXPECT_EQ(capability ? 13u : 62u, f.link.lines.size());
    }
}

TEST(ReadyInputBlock, UploadAnswers)
{
    Fixture f;
    f.profile.Set("READYINP_CLR", 1);
    auto* block = f.Add<CGlobalReadyInput>(CGlobalReadyInput::kKindId, CAT_AUDIO);
    f.Numbered<CReadyInput>(CReadyInput::kKindId, 7);
    EXPECT_EQ(0, f.Walk(*block, 1));
    f.Answer("/READYINP/CLEAR 4-50");
    EXPECT_EQ(nullptr, f.Get<CReadyInput>(OT_READY_INPUT, 7));
    EXPECT_EQ("2 *", f.Get<CReadyInput>(OT_READY_INPUT, 2)->GetName());
    EXPECT_EQ(1, block->GetDownloadLines(1, 0));  // the walk goes on

    // A name of this run's own: another run of the tests beside this one writes its own file.
    f.diffFile = testing::TempDir() + StrFormat("readyinp-%d.err", static_cast<int>(getpid()));
    std::remove(f.diffFile.c_str());
    f.Answer("/READYINP/ENTRY8/FUNCTION SLOT5_IN");
    f.Answer("/READYINP/ENTRY8/INDEX 3");
    f.Answer("/READYINP/ENTRY8/LEVEL ON");
    f.Answer("/READYINP/ENTRY8/TEXT 17");
    f.Answer("/READYINP/ENTRY8/TEXT 1e40");  // no number: the entry keeps its own, named
    f.Answer("/READYINP/ENTRY9/LEVEL ON");  // no ready input 9: ignored
    f.Answer("/READYINP/MASKTIME 30");
    f.Answer("/READYINP/TEXT2 Brand");
    f.Answer("/READYINP/TEXT19 x");
    auto* ri = f.Get<CReadyInput>(OT_READY_INPUT, 8);
    ASSERT_NE(nullptr, ri);
    EXPECT_EQ(1, ri->GetValue(CReadyInput::Level));
    EXPECT_EQ(17, ri->GetValue(CReadyInput::TextNumber));
    EXPECT_EQ(nullptr, f.Get<CReadyInput>(OT_READY_INPUT, 9));
    EXPECT_EQ(30.0f, block->m_maskTime);  // read back as the device holds it
    EXPECT_EQ("Brand", block->GetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 1)));
    FILE* file = std::fopen(f.diffFile.c_str(), "rb");
    ASSERT_NE(nullptr, file);
    char buf[200] = {};
    std::fread(buf, 1, sizeof buf - 1, file);
    std::fclose(file);
    EXPECT_EQ("READYINP 8 : Label SLOT5_IN 3 fehlt\r\nERROR: /READYINP/ENTRY8/TEXT >>1e40<< should be >>17<<\r\n",
              std::string(buf));
    f.Answer("/READYINP/ENTRY8/FUNCTION OFF");
    EXPECT_EQ(nullptr, f.Get<CReadyInput>(OT_READY_INPUT, 8));
    std::remove(f.diffFile.c_str());
}

// An upload answer naming what the project cannot hold or make (beyond its
// signals or its device's numbers, a contact, console or ready input it
// lacks): the difference file names it, and the next download sends the
// design's own reference, or the device's where the entry had none; never
// another meaning ("INDEX 0": any alarm). A word the project does not know,
// a number beyond its range or a decimal where a whole number belongs: the
// difference file names the device's value with the one the project keeps,
// which the next download sends. A value the device marks as not understood
// (" ? ") is none: nothing is taken and nothing named.
TEST(LogicBlocks, WhatAnUploadCannotTakeIsReportedAndNeverDownloadedAsAnotherMeaning)
{
    const auto entry = [](const char* function, const char* index) {
        return Lines{StrFormat("/CONDITION/ENTRY5/FUNCTION %s", function),
                     StrFormat("/CONDITION/ENTRY5/INDEX %s", index)};
    };
    const struct {
        uint32_t watching;  // the function of the design's condition 5, watching object 3 (0: none)
        Lines answers;
        const char* diff;  // "": the difference file stays empty
        const char* sent;
        int variant = 0;  // the project's device (1: the upgraded one)
    } rows[] = {
        {0, entry("ALARM", "45"), "Bedingung 5 : Alarm 45", "/CONDITION/ENTRY5/INDEX 45"},
        {condkind::Alarm, entry("ALARM", "45"), "Bedingung 5 : Alarm 45", "/CONDITION/ENTRY5/INDEX 3"},
        {condkind::Memo, entry("ALARM", "45"), "Bedingung 5 : Alarm 45", "/CONDITION/ENTRY5/INDEX 45"},
        {0, entry("ANALOG", "17"), "Bedingung 5 : Bereichsprüfung 17", "/CONDITION/ENTRY5/INDEX 17"},
        {0, entry("READYINP", "7"), "Bedingung 5 : READYINP 7", "/CONDITION/ENTRY5/INDEX 7"},
        {0, entry("INP", "9"), "Bedingung 5 : Interfaceeingang  9", "/CONDITION/ENTRY5/INDEX 9"},
        {0, {"/CONDITION/COMBINE2/COND1/IDX 150"}, "Verknüpfung 2 : Bedingung 150", "/CONDITION/COMBINE2/COND1/IDX 4"},
        {0, {"/TRIGGER/ENTRY2/ON_MACRO 90"}, "Trigger 2 : Makro 90", "/TRIGGER/ENTRY2/ON_MACRO 10"},
        {0, {"/LOGICOUT/ENTRY2/COND 150"}, "Logikzustand 2 : Bedingung 150", "/LOGICOUT/ENTRY2/COND 4"},
        // Spare-amplifier numbers a 16-bit field cannot hold, text that is no number, a word other than YES or NO.
        {0, {"/SPAREAMP/ENTRY2/INDEX 70000"}, "ERROR: /SPAREAMP/ENTRY2/INDEX >>70000<< should be >>0<<",
         "/SPAREAMP/ENTRY2/INDEX 0"},
        {0, {"/SPAREAMP/ENTRY3/INDEX ABC"}, "ERROR: /SPAREAMP/ENTRY3/INDEX >>ABC<< should be >>0<<",
         "/SPAREAMP/ENTRY3/INDEX 0"},
        {0, {"/SPAREAMP/ENTRY1/INDEX 5", "/SPAREAMP/ENTRY1/WATCH2/INDEX 3", "/SPAREAMP/ENTRY1/WATCH2/OUTRELAY 99999"},
         "ERROR: /SPAREAMP/ENTRY1/WATCH2/OUTRELAY >>99999<< should be >>0<<", "/SPAREAMP/ENTRY1/WATCH2/OUTRELAY 0"},
        {0, {"/SPAREAMP/ENTRY3/INDEX 7", "/SPAREAMP/ENTRY3/REMOTE MAYBE"},
         "ERROR: /SPAREAMP/ENTRY3/INDEX >>7<< should be >>0<<\r\n"
         "ERROR: /SPAREAMP/ENTRY3/REMOTE >>MAYBE<< should be >>YES<<",
         "/SPAREAMP/ENTRY3/INDEX 0\n!/SPAREAMP/ENTRY3/REMOTE"},
        // Audio card values the cards clamp, and words they do not know: what they hold instead.
        {0, {"/AUDIO/IN2/VOL 9.5"}, "ERROR: /AUDIO/IN2/VOL >>9.5<< should be >>6.0<<", "/AUDIO/IN2/VOL 6.0"},
        {0, {"/AUDIO/IN3/FILTER1/TYPE XYZ"}, "ERROR: /AUDIO/IN3/FILTER1/TYPE >>XYZ<< should be >>LOSHELV<<",
         "/AUDIO/IN3/FILTER1/TYPE LOSHELV"},
        {0, {"/AUDIO/IN1/FILTER2/BYPASS on"}, "ERROR: /AUDIO/IN1/FILTER2/BYPASS >>on<< should be >>OFF<<",
         "/AUDIO/IN1/FILTER2/BYPASS OFF"},
        {0, {"/AUDIO/IN4/FILTER3/S 8"}, "ERROR: /AUDIO/IN4/FILTER3/S >>8<< should be >>6<<", "/AUDIO/IN4/FILTER3/S 6"},
        {0, {"/AUDIO/IN1/AUX 7"}, "ERROR: /AUDIO/IN1/AUX >>7<< should be >>1<<", "/AUDIO/IN1/AUX 1"},
        {0, {"/AUDIO/IN2/AUX 0"}, "ERROR: /AUDIO/IN2/AUX >>0<< should be >>1<<", "/AUDIO/IN2/AUX 1"},
        {0, {"/AUDIO/IN2/FILTER2/TYPE 7"}, "ERROR: /AUDIO/IN2/FILTER2/TYPE >>7<< should be >>PEQ<<",
         "/AUDIO/IN2/FILTER2/TYPE PEQ"},
        {0, {"/AUDIO/OUT2/VOL 10"}, "ERROR: /AUDIO/OUT2/VOL >>10<< should be >>6.0<<", "/AUDIO/OUT2/VOL 6.0"},
        {0, {"/AUDIO/OUT3/DELAY abc"}, "ERROR: /AUDIO/OUT3/DELAY >>abc<< should be >>0.000<<",
         "/AUDIO/OUT3/DELAY 0.000"},
        // A word where a card holds a number or a word of its own is no value: the card keeps what it holds.
        {0, {"/AUDIO/IN2/VOL -12.5", "/AUDIO/IN2/VOL abc"}, "ERROR: /AUDIO/IN2/VOL >>abc<< should be >>-12.5<<",
         "/AUDIO/IN2/VOL -12.5"},
        {0, {"/AUDIO/IN1/FILTER2/V -3.5", "/AUDIO/IN1/FILTER2/V 2,5"},
         "ERROR: /AUDIO/IN1/FILTER2/V >>2,5<< should be >>-3.5<<", "/AUDIO/IN1/FILTER2/V -3.5"},
        {0, {"/AUDIO/IN4/FILTER3/S 12", "/AUDIO/IN4/FILTER3/S 12x"},
         "ERROR: /AUDIO/IN4/FILTER3/S >>12x<< should be >>12<<",
         "/AUDIO/IN4/FILTER3/S 12"},
        {0, {"/AUDIO/OUT3/DELAY 12.5", "/AUDIO/OUT3/DELAY abc"},
         "ERROR: /AUDIO/OUT3/DELAY >>abc<< should be >>12.500<<",
         "/AUDIO/OUT3/DELAY 12.500"},
        // Delays beyond what an output holds (340 ms, 330 ms on the upgraded device), and below nothing.
        {0, {"/AUDIO/OUT3/DELAY 500"}, "ERROR: /AUDIO/OUT3/DELAY >>500<< should be >>340.000<<",
         "/AUDIO/OUT3/DELAY 340.000"},
        {0, {"/AUDIO/OUT2/DELAY 335"}, "ERROR: /AUDIO/OUT2/DELAY >>335<< should be >>330.000<<",
         "/AUDIO/OUT2/DELAY 330.000", 1},
        {0, {"/AUDIO/OUT4/DELAY -20"}, "ERROR: /AUDIO/OUT4/DELAY >>-20<< should be >>0.000<<", "/AUDIO/OUT4/DELAY 0.000"},
        {0, {"/READYINP/ENTRY8/FUNCTION SLOT5_IN", "/READYINP/ENTRY8/INDEX 3"}, "READYINP 8 : Label SLOT5_IN 3",
         "/READYINP/ENTRY8/INDEX 3"},
        {0, {"/MACRO/PROG9/PARAM/TYPE 45"}, "Makro 9 : Alarm 45", "/MACRO/PROG9/PARAM/TYPE 2"},
        {0, {"/MACRO/PROG8/PARAM/STEP1/CONDITION 300"}, "Makro 8 : Bedingung  300",
         "/MACRO/PROG8/PARAM/STEP1/CONDITION 4"},
        {0, {"/CAL/APPOINT4/MACRO 300"}, "Ereignis 4 : Makro 300", "/CAL/APPOINT4/MACRO 10"},
        // Times, dates and numbers the project cannot read: it keeps its own.
        {0, {"/CAL/APPOINT4/MACRO X"}, "ERROR: /CAL/APPOINT4/MACRO >>X<< should be >>10<<", "/CAL/APPOINT4/MACRO 10"},
        {0, {"/CAL/APPOINT4/TIME 24:61:00"}, "ERROR: /CAL/APPOINT4/TIME >>24:61:00<< should be >>00:00:00<<",
         "/CAL/APPOINT4/TIME 00:00:00"},
        {0, {"/CAL/APPOINT4/DATE 31.02.2026"}, "ERROR: /CAL/APPOINT4/DATE >>31.02.2026<< should be >>01.03.1980<<",
         "/CAL/APPOINT4/DATE 01.03.1980"},
        // A date after 2037, in either form the device writes: taken, and sent back as the calendar writes it.
        {0, {"/CAL/APPOINT4/DATE 31.12.2099"}, "", "/CAL/APPOINT4/DATE 31.12.2099"},
        {0, {"/CAL/APPOINT4/DATE 12/31/2099"}, "", "/CAL/APPOINT4/DATE 31.12.2099"},
        {0, {"/CAL/APPOINT4/DATE 02/30/2028"}, "ERROR: /CAL/APPOINT4/DATE >>02/30/2028<< should be >>01.03.1980<<",
         "/CAL/APPOINT4/DATE 01.03.1980"},
        {0, {"/CAL/HOLIDAY3/DATE 01.01.2038"}, "", "/CAL/HOLIDAY3/DATE 01.01.2038"},
        {0, {"/CAL/DAYPROG2/ENTRY1/TIME 25:00:00"},
         "ERROR: /CAL/DAYPROG2/ENTRY1/TIME >>25:00:00<< should be >>07:05:00<<",
         "/CAL/DAYPROG2/ENTRY1/TIME 07:05:00"},
        {0, {"/CAL/DAYPROG2/ENTRY1/MACRO ON"}, "ERROR: /CAL/DAYPROG2/ENTRY1/MACRO >>ON<< should be >>0<<",
         "/CAL/DAYPROG2/ENTRY1/MACRO 0"},
        {0, {"/CAL/HOLIDAY3/DATE 32.13.2026"}, "ERROR: /CAL/HOLIDAY3/DATE >>32.13.2026<< should be >>01.03.1980<<",
         "/CAL/HOLIDAY3/DATE 01.03.1980"},
        {0, {"/CAL/HOLIDAY3/DAYPROG -"}, "ERROR: /CAL/HOLIDAY3/DAYPROG >>-<< should be >>2<<",
         "/CAL/HOLIDAY3/DAYPROG 2"},
        {0, {"/CAL/WEEK/MO X"}, "ERROR: /CAL/WEEK/MO >>X<< should be >>2<<", "/CAL/WEEK/MO 2"},
        // Numbers "%d" would cut short or wrap.
        {0, {"/CAL/WEEK/MO 1e40"}, "ERROR: /CAL/WEEK/MO >>1e40<< should be >>2<<", "/CAL/WEEK/MO 2"},
        {0, {"/CAL/WEEK/MO ? "}, "", "/CAL/WEEK/MO 2"},
        {0, {"/CAL/APPOINT4/MACRO 4294967307"}, "ERROR: /CAL/APPOINT4/MACRO >>4294967307<< should be >>10<<",
         "/CAL/APPOINT4/MACRO 10"},
        {0, entry("FOOBAR", "7"), "ERROR: /CONDITION/ENTRY5/FUNCTION >>FOOBAR<< should be >>OFF<<",
         "/CONDITION/ENTRY5/FUNCTION OFF"},
        {0, {"/CONDITION/COMBINE2/LOGIC NAND"}, "ERROR: /CONDITION/COMBINE2/LOGIC >>NAND<< should be >>AND<<",
         "/CONDITION/COMBINE2/LOGIC AND"},
        {0, {"/CONDITION/BUSY1/AUDIO ALARM,FOO"}, "ERROR: /CONDITION/BUSY1/AUDIO >>ALARM,FOO<< should be >>ALARM<<",
         "/CONDITION/BUSY1/AUDIO ALARM"},
        {0, {"/TRIGGER/ENTRY2/TIME 99"}, "ERROR: /TRIGGER/ENTRY2/TIME >>99<< should be >>25.0<<",
         "/TRIGGER/ENTRY2/TIME 25.0"},
        {0, {"/VIRTCTRL/ENTRY3/MAX 1e40"}, "ERROR: /VIRTCTRL/ENTRY3/MAX >>1e40<< should be >>5.000000<<",
         "/VIRTCTRL/ENTRY3/MAX 5.000000"},
        {0, {"/VIRTCTRL/DEST/AMPCHAN12 77"}, "ERROR: /VIRTCTRL/DEST/AMPCHAN12 >>77<< should be >>3<<",
         "/VIRTCTRL/DEST/AMPCHAN12 3"},
        // Macro values beyond the project's limits or words it does not know.
        {0, {"/MACRO/PROG9/PARAM/ZONES 5,300"}, "ERROR: /MACRO/PROG9/PARAM/ZONES >>5,300<< should be >>0<<",
         "/MACRO/PROG9/PARAM/ZONES 0"},
        {0, {"/MACRO/PROG9/PARAM/ZONES 1-5,200"}, "ERROR: /MACRO/PROG9/PARAM/ZONES >>1-5,200<< should be >>0<<",
         "/MACRO/PROG9/PARAM/ZONES 0"},
        {0, {"/MACRO/PROG9/PARAM/ZONES 6e1"}, "ERROR: /MACRO/PROG9/PARAM/ZONES >>6e1<< should be >>0<<",
         "/MACRO/PROG9/PARAM/ZONES 0"},
        {0, {"/MACRO/PROG9/TYPE FOOBAR"}, "ERROR: /MACRO/PROG9/TYPE >>FOOBAR<< should be >>ALARM<<",
         "/MACRO/PROG9/TYPE ALARM"},
        {0, {"/MACRO/PROG9/PARAM/SWITCH FOO"}, "ERROR: /MACRO/PROG9/PARAM/SWITCH >>FOO<< should be >>OFF<<",
         "/MACRO/PROG9/PARAM/SWITCH OFF"},
        {0, {"/MACRO/PROG8/PARAM/STEP1/TIME 400.0"},
         "ERROR: /MACRO/PROG8/PARAM/STEP1/TIME >>400.0<< should be >>300.0<<",
         "/MACRO/PROG8/PARAM/STEP1/TIME 300.0"},
        {0, {"/MACRO/PROG12/TYPE BUZZER", "/MACRO/PROG12/PARAM/PTN_TIME 300"},
         "ERROR: /MACRO/PROG12/PARAM/PTN_TIME >>300<< should be >>255<<",
         "/MACRO/PROG12/PARAM/PTN_TIME 255"},
        {0, {"/MACRO/PROG12/TYPE LCDTEXT", "/MACRO/PROG12/PARAM/CLEAR MAYBE"},
         "ERROR: /MACRO/PROG12/PARAM/CLEAR >>MAYBE<< should be >>NO<<", "/MACRO/PROG12/PARAM/CLEAR NO"},
        {0, {"/MACRO/PROG12/TYPE DIGIO", "/MACRO/PROG12/PARAM/TIME 500.0"},
         "ERROR: /MACRO/PROG12/PARAM/TIME >>500.0<< should be >>300.0<<",
         "/MACRO/PROG12/PARAM/TIME 300.0"},
        {0, {"/MACRO/PROG12/TYPE VOLUME", "/MACRO/PROG12/PARAM/VOLUME -12.5"},
         "ERROR: /MACRO/PROG12/PARAM/VOLUME >>-12.5<< should be >>-12<<",
         "/MACRO/PROG12/PARAM/VOLUME -12"},
        {0, {"/MACRO/PROG12/TYPE ERASE", "/MACRO/PROG12/PARAM/FILE 30"},
         "ERROR: /MACRO/PROG12/PARAM/FILE >>30<< should be >><<",
         "/MACRO/PROG12/PARAM/FILE "},
        {0, {"/MACRO/PROG12/TYPE SLVCLK", "/MACRO/PROG12/PARAM/TIME 25:99"},
         "ERROR: /MACRO/PROG12/PARAM/TIME >>25:99<< should be >>00:00<<",
         "/MACRO/PROG12/PARAM/TIME 00:00"},
        {0, {"/MACRO/PROG12/TYPE RECORD", "/MACRO/PROG12/PARAM/MAXTIME 400.0"},
         "ERROR: /MACRO/PROG12/PARAM/MAXTIME >>400.0<< should be >>360.4<<",
         "/MACRO/PROG12/PARAM/MAXTIME 360.4"},
        {0, {"/MACRO/PROG12/TYPE ZONETEST", "/MACRO/PROG12/PARAM/MODE FOO"},
         "ERROR: /MACRO/PROG12/PARAM/MODE >>FOO<< should be >>IMP<<",
         "/MACRO/PROG12/PARAM/MODE IMP"},
        {0, {"/MACRO/PROG12/TYPE AMP", "/MACRO/PROG12/PARAM/ON MAINS,BATT,FOO"},
         "ERROR: /MACRO/PROG12/PARAM/ON >>MAINS,BATT,FOO<< should be >>MAINS,BATT<<",
         "/MACRO/PROG12/PARAM/ON MAINS,BATT"},
        {0, {"/MACRO/PROG12/TYPE AMPMUTE", "/MACRO/PROG12/PARAM/MUTE MAYBE"},
         "ERROR: /MACRO/PROG12/PARAM/MUTE >>MAYBE<< should be >>OFF<<", "/MACRO/PROG12/PARAM/MUTE OFF"},
        // A macro's references: a word or a decimal names no object and takes no other.
        {0, {"/MACRO/PROG12/TYPE REPEAT", "/MACRO/PROG12/PARAM/MACRO 10", "/MACRO/PROG12/PARAM/MACRO abc"},
         "ERROR: /MACRO/PROG12/PARAM/MACRO >>abc<< should be >>10<<", "/MACRO/PROG12/PARAM/MACRO 10"},
        {0, {"/MACRO/PROG12/TYPE REPEAT", "/MACRO/PROG12/PARAM/CONDITION 4", "/MACRO/PROG12/PARAM/CONDITION 2.5"},
         "ERROR: /MACRO/PROG12/PARAM/CONDITION >>2.5<< should be >>4<<", "/MACRO/PROG12/PARAM/CONDITION 4"},
        {0, {"/MACRO/PROG8/PARAM/STEP1/CONDITION 2.5"},
         "ERROR: /MACRO/PROG8/PARAM/STEP1/CONDITION >>2.5<< should be >>4<<",
         "/MACRO/PROG8/PARAM/STEP1/CONDITION 4"},
        {0, {"/MACRO/PROG12/TYPE MEMO_FLAG", "/MACRO/PROG12/PARAM/INDEX 3", "/MACRO/PROG12/PARAM/INDEX 2.5"},
         "ERROR: /MACRO/PROG12/PARAM/INDEX >>2.5<< should be >>3<<", "/MACRO/PROG12/PARAM/INDEX 3"},
        {0, {"/MACRO/PROG9/PARAM/TYPE 3.5"}, "ERROR: /MACRO/PROG9/PARAM/TYPE >>3.5<< should be >>2<<",
         "/MACRO/PROG9/PARAM/TYPE 2"},
        // Common audio settings: a word, a level or an input beyond its range, a decimal comma, a
        // decimal where a whole number belongs; a value the device did not understand.
        {0, {"/AUDIO/MESSAGE_VOL abc"}, "ERROR: /AUDIO/MESSAGE_VOL >>abc<< should be >>-3.6<<",
         "/AUDIO/MESSAGE_VOL -3.6"},
        {0, {"/AUDIO/CHIME_VOL 9"}, "ERROR: /AUDIO/CHIME_VOL >>9<< should be >>6.0<<", "/AUDIO/CHIME_VOL 6.0"},
        {0, {"/AUDIO/PANIC_VOL -2,5"}, "ERROR: /AUDIO/PANIC_VOL >>-2,5<< should be >>0.0<<", "/AUDIO/PANIC_VOL 0.0"},
        {0, {"/AUDIO/EXT_ALARM_INP 0"}, "ERROR: /AUDIO/EXT_ALARM_INP >>0<< should be >>1<<", "/AUDIO/EXT_ALARM_INP 1"},
        {0, {"/AUDIO/EXT_MSG_INP 9"}, "ERROR: /AUDIO/EXT_MSG_INP >>9<< should be >>4<<", "/AUDIO/EXT_MSG_INP 4"},
        {0, {"/AUDIO/BACK_INP 2.5"}, "ERROR: /AUDIO/BACK_INP >>2.5<< should be >>4<<", "/AUDIO/BACK_INP 4"},
        {0, {"/AUDIO/BACK_ATT -20.7"}, "ERROR: /AUDIO/BACK_ATT >>-20.7<< should be >>-20<<", "/AUDIO/BACK_ATT -20"},
        {0, {"/AUDIO/CHIME_VOL 9 ? "}, "", "/AUDIO/CHIME_VOL -9.0"},
        // Power management: a priority beyond 0..255, a word, a decimal, a macro the directory
        // cannot hold, a word other than YES or NO; a value the device did not understand.
        {0, {"/POWER/BATT_PRIO 999"}, "ERROR: /POWER/BATT_PRIO >>999<< should be >>255<<", "/POWER/BATT_PRIO 255"},
        {0, {"/POWER/MAINS_PRIO abc"}, "ERROR: /POWER/MAINS_PRIO >>abc<< should be >>30<<", "/POWER/MAINS_PRIO 30"},
        {0, {"/POWER/SHUT_PRIO 2.5"}, "ERROR: /POWER/SHUT_PRIO >>2.5<< should be >>0<<", "/POWER/SHUT_PRIO 0"},
        {0, {"/POWER/BOOT_MAC 4294967296"}, "ERROR: /POWER/BOOT_MAC >>4294967296<< should be >>0<<",
         "/POWER/BOOT_MAC 0"},
        {0, {"/POWER/DROP_SHUT maybe"}, "ERROR: /POWER/DROP_SHUT >>maybe<< should be >>NO<<", "/POWER/DROP_SHUT NO"},
        {0, {"/POWER/BATT_PRIO 999 ? "}, "", "/POWER/BATT_PRIO 70"},
        // Pilot tone and the ready inputs' mask time.
        {0, {"/PILOT/FREQU 99999"}, "ERROR: /PILOT/FREQU >>99999<< should be >>23000.0<<", "/PILOT/FREQU 23000.0", 1},
        {0, {"/PILOT/VOL1 abc"}, "ERROR: /PILOT/VOL1 >>abc<< should be >>-150.0<<", "/PILOT/VOL1 -150.0", 1},
        {0, {"/PILOT/GEN on"}, "ERROR: /PILOT/GEN >>on<< should be >>OFF<<", "/PILOT/GEN OFF", 1},
        {0, {"/READYINP/MASKTIME abc"}, "ERROR: /READYINP/MASKTIME >>abc<< should be >>5.0<<",
         "/READYINP/MASKTIME 5.0"},
        // Monitor entry 6 (IN2): a channel, input and relay word its source cannot have, a
        // source word the project does not know; a value the device did not understand.
        {0, {"/MONI/TABLE6/SEL AMP_OUT", "/MONI/TABLE6/IDX 3", "/MONI/TABLE6/AMPCHAN 10"},
         "ERROR: /MONI/TABLE6/SEL >>AMP_OUT<< should be >>IN<<\r\nERROR: /MONI/TABLE6/IDX >>3<< should be >>2<<\r\n"
         "ERROR: /MONI/TABLE6/AMPCHAN >>10<< should be >>1<<",
         "/MONI/TABLE6/SEL IN\n/MONI/TABLE6/IDX 2\n/MONI/TABLE6/AMPCHAN 1"},
        {0, {"/MONI/TABLE6/IDX 99999"}, "ERROR: /MONI/TABLE6/IDX >>99999<< should be >>2<<", "/MONI/TABLE6/IDX 2"},
        {0, {"/MONI/TABLE6/SEL XYZ"}, "ERROR: /MONI/TABLE6/SEL >>XYZ<< should be >>IN<<", "/MONI/TABLE6/SEL IN"},
        {0, {"/MONI/RELAY2 abc"}, "ERROR: /MONI/RELAY2 >>abc<< should be >>0<<", "/MONI/RELAY2 0"},
        {0, {"/MONI/TABLE6/SEL XYZ ? "}, "", "/MONI/TABLE6/SEL IN"},
        // An entry that was off, given a source and then a number that is none: off, not "IN 0".
        {0, {"/MONI/TABLE7/SEL IN", "/MONI/TABLE7/IDX 1e2"},
         "ERROR: /MONI/TABLE7/SEL >>IN<< should be >>OFF<<\r\nERROR: /MONI/TABLE7/IDX >>1e2<< should be >>0<<",
         "/MONI/TABLE7/SEL OFF"},
        // A source with a number it cannot have, or a number after a source the project does not know: the
        // entry keeps its own source and number (never OUT2 or IN3, which neither side had), and the
        // difference file names both answers; a whole entry is taken.
        {0, {"/MONI/TABLE6/SEL OUT", "/MONI/TABLE6/IDX 9"},
         "ERROR: /MONI/TABLE6/SEL >>OUT<< should be >>IN<<\r\nERROR: /MONI/TABLE6/IDX >>9<< should be >>2<<",
         "/MONI/TABLE6/SEL IN\n/MONI/TABLE6/IDX 2"},
        {0, {"/MONI/TABLE6/SEL XYZ", "/MONI/TABLE6/IDX 3", "/MONI/TABLE6/AMPCHAN 1"},
         "ERROR: /MONI/TABLE6/SEL >>XYZ<< should be >>IN<<\r\nERROR: /MONI/TABLE6/IDX >>3<< should be >>2<<",
         "/MONI/TABLE6/SEL IN\n/MONI/TABLE6/IDX 2"},
        {0, {"/MONI/TABLE6/SEL AMP_IN", "/MONI/TABLE6/IDX 1a", "/MONI/TABLE6/AMPCHAN 9"},
         "ERROR: /MONI/TABLE6/SEL >>AMP_IN<< should be >>IN<<\r\nERROR: /MONI/TABLE6/IDX >>1a<< should be >>2<<\r\n"
         "ERROR: /MONI/TABLE6/AMPCHAN >>9<< should be >>1<<",
         "/MONI/TABLE6/SEL IN\n/MONI/TABLE6/IDX 2"},
        {0, {"/MONI/TABLE6/SEL OUT", "/MONI/TABLE6/IDX 3", "/MONI/TABLE6/AMPCHAN 1"}, "",
         "/MONI/TABLE6/SEL OUT\n/MONI/TABLE6/IDX 3"},
        {0, {"/MONI/TABLE6/SEL AMP_IN", "/MONI/TABLE6/IDX 1a", "/MONI/TABLE6/AMPCHAN 2"}, "",
         "/MONI/TABLE6/SEL AMP_IN\n/MONI/TABLE6/IDX 1a\n/MONI/TABLE6/AMPCHAN 2"},
        // The line data of zone 6 (positive tolerance 5) and the line-test settings.
        {0, {"/KVT/ZONE6/TEST/POSTOL 1e40"}, "ERROR: /KVT/ZONE6/TEST/POSTOL >>1e40<< should be >>5<<",
         "/KVT/ZONE6/TEST/POSTOL 5", 1},
        {0, {"/KVT/ZONE6/TEST/POSTOL abc"}, "ERROR: /KVT/ZONE6/TEST/POSTOL >>abc<< should be >>5<<",
         "/KVT/ZONE6/TEST/POSTOL 5", 1},
        {0, {"/KVT/ZONE6/TEST/NEGTOL 150"}, "ERROR: /KVT/ZONE6/TEST/NEGTOL >>150<< should be >>100<<",
         "/KVT/ZONE6/TEST/NEGTOL 100", 1},
        {0, {"/KVT/ZONE6/TESTVOL -12.5"}, "ERROR: /KVT/ZONE6/TESTVOL >>-12.5<< should be >>-20<<",
         "/KVT/ZONE6/TESTVOL -20", 1},
        {0, {"/KVT/ZONE6/TEST/POSTOL 1e40 ? "}, "", "/KVT/ZONE6/TEST/POSTOL 5", 1},
        {0, {"/SERVICE/ZONETEST/TEST/ADJMAX 7.5"}, "ERROR: /SERVICE/ZONETEST/TEST/ADJMAX >>7.5<< should be >>2<<",
         "/SERVICE/ZONETEST/TEST/ADJMAX 2", 1},
        {0, {"/SERVICE/ZONETEST/TEST/ADJMAX 99"}, "ERROR: /SERVICE/ZONETEST/TEST/ADJMAX >>99<< should be >>30<<",
         "/SERVICE/ZONETEST/TEST/ADJMAX 30", 1},
        {0, {"/FUSE/SLOT1/A/VALUE 7x"}, "ERROR: /FUSE/SLOT1/A/VALUE >>7x<< should be >>3<<", "/FUSE/SLOT1/A/VALUE 3"},
        // The event log's masks (none set): a word no category, audio or fault word is, a number beyond
        // the macro, ready-input or controller table, a decimal; masks the device holds as the project can.
        {0, {"/EVENT/LOG/MASK/ON POWER,LINETEST"}, "ERROR: /EVENT/LOG/MASK/ON >>POWER,LINETEST<< should be >>NONE<<",
         "/EVENT/LOG/MASK/ON NONE", 1},
        {0, {"/EVENT/LOG/MASK/AUDIO/ON 1,2"}, "ERROR: /EVENT/LOG/MASK/AUDIO/ON >>1,2<< should be >>NONE<<",
         "/EVENT/LOG/MASK/AUDIO/ON NONE", 1},
        {0, {"/EVENT/LOG/MASK/MACRO/ON 999"}, "ERROR: /EVENT/LOG/MASK/MACRO/ON >>999<< should be >>NONE<<",
         "/EVENT/LOG/MASK/MACRO/ON NONE", 1},
        {0, {"/EVENT/LOG/MASK/READYINP/ON 4,abc"}, "ERROR: /EVENT/LOG/MASK/READYINP/ON >>4,abc<< should be >>NONE<<",
         "/EVENT/LOG/MASK/READYINP/ON NONE", 1},
        {0, {"/EVENT/LOG/MASK/VIRTCTRL/ON 1-41"}, "ERROR: /EVENT/LOG/MASK/VIRTCTRL/ON >>1-41<< should be >>NONE<<",
         "/EVENT/LOG/MASK/VIRTCTRL/ON NONE", 1},
        {0, {"/EVENT/LOG/MASK/VIRTCTRL/ON 2,5"}, "", "/EVENT/LOG/MASK/VIRTCTRL/ON 2,5", 1},
        {0, {"/EVENT/LOG/MASK/MACRO/ON 3.5"}, "ERROR: /EVENT/LOG/MASK/MACRO/ON >>3.5<< should be >>NONE<<",
         "/EVENT/LOG/MASK/MACRO/ON NONE", 1},
        {0, {"/EVENT/LOG/MASK/FAULT/ON AMP,LAN", "/EVENT/LOG/MASK/MACRO/ON ALL"}, "", "/EVENT/LOG/MASK/FAULT/ON AMP,LAN", 1},
        // Numbers "%d" would wrap or cut short, and words where ON or OFF belongs, in the blocks.
        {condkind::Alarm, entry("ALARM", "4294967296"),
         "ERROR: /CONDITION/ENTRY5/INDEX >>4294967296<< should be >>3<<", "/CONDITION/ENTRY5/INDEX 3"},
        {condkind::Alarm, {"/CONDITION/ENTRY5/LEVEL maybe"},
         "ERROR: /CONDITION/ENTRY5/LEVEL >>maybe<< should be >>OFF<<",
         "/CONDITION/ENTRY5/LEVEL OFF"},
        // A function the device gives with an index that does not read: the entry keeps its own function with
        // the object it watches (not a key number 0 under the chime it shows), and both answers are named.
        {condkind::Chime, entry("TALK_KEY", "abc"),
         "ERROR: /CONDITION/ENTRY5/FUNCTION >>TALK_KEY<< should be >>CHIME<<\r\n"
         "ERROR: /CONDITION/ENTRY5/INDEX >>abc<< should be >>3<<",
         "/CONDITION/ENTRY5/FUNCTION CHIME\n/CONDITION/ENTRY5/INDEX 3"},
        {0, entry("ALARM", "4294967296"),
         "ERROR: /CONDITION/ENTRY5/FUNCTION >>ALARM<< should be >>OFF<<\r\n"
         "ERROR: /CONDITION/ENTRY5/INDEX >>4294967296<< should be >>0<<",
         "/CONDITION/ENTRY5/FUNCTION OFF"},
        {condkind::Chime, entry("TALK_KEY", "12"), "", "/CONDITION/ENTRY5/INDEX 12\n/CONDITION/ENTRY5/FUNCTION TALK_KEY"},
        // The same for a logic output's, a ready input's and a logic-output macro's function and contact, and
        // a spare amplifier's index and what it names (an amplifier channel or a ready input).
        {0, {"/LOGICOUT/ENTRY2/FUNCTION INP", "/LOGICOUT/ENTRY2/INDEX abc"},
         "ERROR: /LOGICOUT/ENTRY2/FUNCTION >>INP<< should be >>SLOT5_OUT<<\r\n"
         "ERROR: /LOGICOUT/ENTRY2/INDEX >>abc<< should be >>3<<",
         "/LOGICOUT/ENTRY2/FUNCTION SLOT5_OUT\n/LOGICOUT/ENTRY2/INDEX 3"},
        {0, {"/READYINP/ENTRY12/FUNCTION SLOT5_IN", "/READYINP/ENTRY12/INDEX 2.5"},
         "ERROR: /READYINP/ENTRY12/FUNCTION >>SLOT5_IN<< should be >>INP<<\r\n"
         "ERROR: /READYINP/ENTRY12/INDEX >>2.5<< should be >>2<<",
         "/READYINP/ENTRY12/FUNCTION INP\n/READYINP/ENTRY12/INDEX 2"},
        {0, {"/MACRO/PROG12/TYPE DIGIO", "/MACRO/PROG12/PARAM/TYPE 763", "/MACRO/PROG12/PARAM/OUT abc"},
         "ERROR: /MACRO/PROG12/PARAM/TYPE >>763<< should be >>INT<<\r\nERROR: /MACRO/PROG12/PARAM/OUT >>abc<< should be >>0<<",
         "/MACRO/PROG12/PARAM/TYPE INT\n/MACRO/PROG12/PARAM/OUT 0"},
        {0, {"/SPAREAMP/ENTRY2/INDEX 70000", "/SPAREAMP/ENTRY2/REMOTE NO"},
         "ERROR: /SPAREAMP/ENTRY2/INDEX >>70000<< should be >>0<<\r\nERROR: /SPAREAMP/ENTRY2/REMOTE >>NO<< should be >>YES<<",
         "/SPAREAMP/ENTRY2/INDEX 0"},
        {0, {"/SPAREAMP/ENTRY1/INDEX 5", "/SPAREAMP/ENTRY1/WATCH2/INDEX 3", "/SPAREAMP/ENTRY1/WATCH2/REMOTE maybe"},
         "ERROR: /SPAREAMP/ENTRY1/WATCH2/INDEX >>3<< should be >>0<<\r\n"
         "ERROR: /SPAREAMP/ENTRY1/WATCH2/REMOTE >>maybe<< should be >>YES<<",
         "/SPAREAMP/ENTRY1/INDEX 5\n/SPAREAMP/ENTRY1/WATCH2/INDEX 0\n!/SPAREAMP/ENTRY1/WATCH2/REMOTE"},
        {0, {"/SPAREAMP/ENTRY1/INDEX 5", "/SPAREAMP/ENTRY1/REMOTE NO"}, "",
         "/SPAREAMP/ENTRY1/INDEX 5\n/SPAREAMP/ENTRY1/REMOTE NO"},
        {0, {"/CONDITION/BUSY1/AUDIO ALARM", "/CONDITION/BUSY1/PRIO 3x"},
         "ERROR: /CONDITION/BUSY1/PRIO >>3x<< should be >>0<<", "/CONDITION/BUSY1/PRIO 0"},
        {0, {"/CONDITION/BUSY1/AUDIO ALARM", "/CONDITION/BUSY1/PRIO 999"},
         "ERROR: /CONDITION/BUSY1/PRIO >>999<< should be >>100<<", "/CONDITION/BUSY1/PRIO 100"},
        {0, {"/CONDITION/BUSY1/AUDIO ALARM", "/CONDITION/BUSY1/PRIO -5"},
         "ERROR: /CONDITION/BUSY1/PRIO >>-5<< should be >>0<<", "/CONDITION/BUSY1/PRIO 0"},
        {0, {"/CONDITION/BUSY1/AUDIO ALARM", "/CONDITION/BUSY1/PRIO 70"}, "", "/CONDITION/BUSY1/PRIO 70"},
        {0, {"/CONDITION/COMBINE2/COND1/IDX 4294967300"},
         "ERROR: /CONDITION/COMBINE2/COND1/IDX >>4294967300<< should be >>4<<", "/CONDITION/COMBINE2/COND1/IDX 4"},
        {0, {"/TRIGGER/ENTRY2/ON_MACRO 1e40"}, "ERROR: /TRIGGER/ENTRY2/ON_MACRO >>1e40<< should be >>10<<",
         "/TRIGGER/ENTRY2/ON_MACRO 10"},
        {0, {"/TRIGGER/ENTRY2/TIME 2,5"}, "ERROR: /TRIGGER/ENTRY2/TIME >>2,5<< should be >>0.0<<",
         "/TRIGGER/ENTRY2/TIME 0.0"},
        {0, {"/LOGICOUT/ENTRY2/INV maybe"}, "ERROR: /LOGICOUT/ENTRY2/INV >>maybe<< should be >>OFF<<",
         "/LOGICOUT/ENTRY2/INV OFF"},
        {0, {"/LOGICOUT/ENTRY2/COND 4x"}, "ERROR: /LOGICOUT/ENTRY2/COND >>4x<< should be >>4<<",
         "/LOGICOUT/ENTRY2/COND 4"},
        {0, {"/LOGICOUT/ENTRY2/FUNCTION FOO"}, "ERROR: /LOGICOUT/ENTRY2/FUNCTION >>FOO<< should be >>SLOT5_OUT<<",
         "/LOGICOUT/ENTRY2/FUNCTION SLOT5_OUT"},
        {0, {"/VIRTCTRL/ENTRY3/STEPS 2.5"}, "ERROR: /VIRTCTRL/ENTRY3/STEPS >>2.5<< should be >>0<<",
         "/VIRTCTRL/ENTRY3/STEPS 0"},
        // Steps and a curve beyond what a controller holds: held at the nearest end, which its dialog shows.
        {0, {"/VIRTCTRL/ENTRY3/STEPS 99999999"}, "ERROR: /VIRTCTRL/ENTRY3/STEPS >>99999999<< should be >>65535<<",
         "/VIRTCTRL/ENTRY3/STEPS 65535"},
        {0, {"/VIRTCTRL/ENTRY3/STEPS -5"}, "ERROR: /VIRTCTRL/ENTRY3/STEPS >>-5<< should be >>0<<",
         "/VIRTCTRL/ENTRY3/STEPS 0"},
        {0, {"/VIRTCTRL/ENTRY3/CURVE 500"}, "ERROR: /VIRTCTRL/ENTRY3/CURVE >>500<< should be >>127<<",
         "/VIRTCTRL/ENTRY3/CURVE 127"},
        {0, {"/VIRTCTRL/ENTRY7/CURVE -300"}, "ERROR: /VIRTCTRL/ENTRY7/CURVE >>-300<< should be >>-128<<",
         "/VIRTCTRL/ENTRY7/CURVE -128"},
        {0, {"/VIRTCTRL/ENTRY3/STEPS 65535", "/VIRTCTRL/ENTRY3/CURVE -128"}, "", "/VIRTCTRL/ENTRY3/CURVE -128"},
        // Console 1's settings (power-on priority 40, acknowledge tone on, the factory passwords): a
        // decimal, a number beyond the range, a word where ON or OFF belongs, no pair of passwords; a
        // value the device did not understand.
        {0, {"/CONS/ADR1/ON_PRIO 7,5"}, "ERROR: /CONS/ADR1/ON_PRIO >>7,5<< should be >>40<<", "/CONS/ADR1/ON_PRIO 40"},
        {0, {"/CONS/ADR1/ON_PRIO 99999"}, "ERROR: /CONS/ADR1/ON_PRIO >>99999<< should be >>40<<",
         "/CONS/ADR1/ON_PRIO 40"},
        {0, {"/CONS/ADR1/BUZZER WORT"}, "ERROR: /CONS/ADR1/BUZZER >>WORT<< should be >>ON<<", "/CONS/ADR1/BUZZER ON"},
        {0, {"/CONS/ADR1/PASSW 1,5"}, "ERROR: /CONS/ADR1/PASSW >>1,5<< should be >>815,4711<<",
         "/CONS/ADR1/PASSW 815,4711"},
        {0, {"/CONS/ADR1/ON_PRIO ? "}, "", "/CONS/ADR1/ON_PRIO 40"},
        {0, {"/CONS/ADR1/PASSW 321,9876", "/CONS/ADR1/PASSW ? "}, "", "/CONS/ADR1/PASSW 321,9876"},
        {0, {"/CONS/ADR1/ON_PRIO 70", "/CONS/ADR1/BUZZER OFF"}, "", "/CONS/ADR1/BUZZER OFF"},
        // Console 1's first key (disabled; zone 6 exists): a decimal, a number a byte would wrap onto zone 6,
        // a word where a number belongs, a tail that is no protect word; a key value it holds.
        {0, {"/CONS/ADR1/KEY1 SEL,6.5"}, "ERROR: /CONS/ADR1/KEY1 >>SEL,6.5<< should be >>DISABLED<<",
         "/CONS/ADR1/KEY1 DISABLED"},
        {0, {"/CONS/ADR1/KEY1 SEL,262"}, "ERROR: /CONS/ADR1/KEY1 >>SEL,262<< should be >>DISABLED<<",
         "/CONS/ADR1/KEY1 DISABLED"},
        {0, {"/CONS/ADR1/KEY1 SEL,WORT"}, "ERROR: /CONS/ADR1/KEY1 >>SEL,WORT<< should be >>DISABLED<<",
         "/CONS/ADR1/KEY1 DISABLED"},
        {0, {"/CONS/ADR1/KEY1 SEL,6,0,0,NEIN"}, "ERROR: /CONS/ADR1/KEY1 >>SEL,6,0,0,NEIN<< should be >>DISABLED<<",
         "/CONS/ADR1/KEY1 DISABLED"},
        {0, {"/CONS/ADR1/KEY1 SEL,6,0,0,UNPROT"}, "", "/CONS/ADR1/KEY1 SEL,6,0,0,UNPROT"},
        // The slave clock (not running, not inverted): a decimal and a word where ON or OFF belongs; a state
        // the device did not understand.
        {0, {"/CLOCK/SLAVE/RUN 1.5"}, "ERROR: /CLOCK/SLAVE/RUN >>1.5<< should be >>OFF<<", "/CLOCK/SLAVE/RUN OFF"},
        {0, {"/CLOCK/SLAVE/INVERT WORT"}, "ERROR: /CLOCK/SLAVE/INVERT >>WORT<< should be >>OFF<<",
         "/CLOCK/SLAVE/INVERT OFF"},
        {0, {"/CLOCK/SLAVE/RUN ON", "/CLOCK/SLAVE/RUN ? "}, "", "/CLOCK/SLAVE/RUN ON"},
        // LAN group 3 of the upgraded device (no members yet): a decimal and a word where a set of zones
        // belongs; members the device did not understand the query for.
        {0, {"/KVT/LANGRP3 3.5"}, "ERROR: /KVT/LANGRP3 >>3.5<< should be >>0<<", "/KVT/LANGRP3 0", 1},
        {0, {"/KVT/LANGRP3 WORT"}, "ERROR: /KVT/LANGRP3 >>WORT<< should be >>0<<", "/KVT/LANGRP3 0", 1},
        {0, {"/KVT/LANGRP3 1-4,7", "/KVT/LANGRP3 ? "}, "", "/KVT/LANGRP3 1-4,7", 1},
        // Collective call 2 (no zones yet): a number in another notation, a range beyond the 100 zones and a
        // word where a set of zones belongs take no zone; a set of zones is taken; zones the device did not
        // understand the query for are none.
        {0, {"/KVT/COLLCALL2/ZONES 1e2"}, "ERROR: /KVT/COLLCALL2/ZONES >>1e2<< should be >>0<<",
         "/KVT/COLLCALL2/ZONES 0"},
        {0, {"/KVT/COLLCALL2/ZONES 0x10"}, "ERROR: /KVT/COLLCALL2/ZONES >>0x10<< should be >>0<<",
         "/KVT/COLLCALL2/ZONES 0"},
        {0, {"/KVT/COLLCALL2/ZONES 6e1"}, "ERROR: /KVT/COLLCALL2/ZONES >>6e1<< should be >>0<<",
         "/KVT/COLLCALL2/ZONES 0"},
        {0, {"/KVT/COLLCALL2/ZONES 6,150"}, "ERROR: /KVT/COLLCALL2/ZONES >>6,150<< should be >>0<<",
         "/KVT/COLLCALL2/ZONES 0"},
        {0, {"/KVT/COLLCALL2/ZONES maybe"}, "ERROR: /KVT/COLLCALL2/ZONES >>maybe<< should be >>0<<",
         "/KVT/COLLCALL2/ZONES 0"},
        {0, {"/KVT/COLLCALL2/ZONES 6"}, "", "/KVT/COLLCALL2/ZONES 6"},
        {0, {"/KVT/COLLCALL2/ZONES 6", "/KVT/COLLCALL2/ZONES ? "}, "", "/KVT/COLLCALL2/ZONES 6"},
        // A switch answered with a word that is neither of its two ("maybe", "1", "on") after the device
        // had it on: the project keeps its own state, and the line names it.
        {condkind::Alarm, {"/CONDITION/ENTRY5/LEVEL ON", "/CONDITION/ENTRY5/LEVEL maybe"},
         "ERROR: /CONDITION/ENTRY5/LEVEL >>maybe<< should be >>ON<<", "/CONDITION/ENTRY5/LEVEL ON"},
        {condkind::Alarm, {"/CONDITION/ENTRY5/LEVEL ON", "/CONDITION/ENTRY5/LEVEL 1"},
         "ERROR: /CONDITION/ENTRY5/LEVEL >>1<< should be >>ON<<", "/CONDITION/ENTRY5/LEVEL ON"},
        {0, {"/CONDITION/COMBINE2/COND3/INV ON", "/CONDITION/COMBINE2/COND3/INV perhaps"},
         "ERROR: /CONDITION/COMBINE2/COND3/INV >>perhaps<< should be >>ON<<", "/CONDITION/COMBINE2/COND3/INV ON"},
        {0, {"/CONDITION/BUSY1/AUDIO ALARM", "/CONDITION/BUSY1/FULL ON", "/CONDITION/BUSY1/FULL on"},
         "ERROR: /CONDITION/BUSY1/FULL >>on<< should be >>ON<<", "/CONDITION/BUSY1/FULL ON"},
        {0, {"/LOGICOUT/ENTRY2/INV ON", "/LOGICOUT/ENTRY2/INV 1"}, "ERROR: /LOGICOUT/ENTRY2/INV >>1<< should be >>ON<<",
         "/LOGICOUT/ENTRY2/INV ON"},
        {0, {"/READYINP/ENTRY12/MASK ON", "/READYINP/ENTRY12/MASK maybe"},
         "ERROR: /READYINP/ENTRY12/MASK >>maybe<< should be >>ON<<", "/READYINP/ENTRY12/MASK ON"},
        {0, {"/CONS/ADR1/BUZZER 1"}, "ERROR: /CONS/ADR1/BUZZER >>1<< should be >>ON<<", "/CONS/ADR1/BUZZER ON"},
        {0, {"/CONS/ADR1/COMP ON", "/CONS/ADR1/COMP 0"}, "ERROR: /CONS/ADR1/COMP >>0<< should be >>ON<<",
         "/CONS/ADR1/COMP ON"},
        {0, {"/MACRO/PROG12/TYPE AMPMUTE", "/MACRO/PROG12/PARAM/MUTE ON", "/MACRO/PROG12/PARAM/MUTE 1"},
         "ERROR: /MACRO/PROG12/PARAM/MUTE >>1<< should be >>ON<<", "/MACRO/PROG12/PARAM/MUTE ON"},
        {0, {"/MACRO/PROG12/TYPE SLVCLK", "/MACRO/PROG12/PARAM/RUN ON", "/MACRO/PROG12/PARAM/RUN on"},
         "ERROR: /MACRO/PROG12/PARAM/RUN >>on<< should be >>ON<<", "/MACRO/PROG12/PARAM/RUN ON"},
        {0, {"/MACRO/PROG12/TYPE MEMO_FLAG", "/MACRO/PROG12/PARAM/SET TRUE", "/MACRO/PROG12/PARAM/SET 1"},
         "ERROR: /MACRO/PROG12/PARAM/SET >>1<< should be >>TRUE<<", "/MACRO/PROG12/PARAM/SET TRUE"},
        {0, {"/MACRO/PROG9/PARAM/SWITCH ON", "/MACRO/PROG9/PARAM/SWITCH 1"},
         "ERROR: /MACRO/PROG9/PARAM/SWITCH >>1<< should be >>ON<<", "/MACRO/PROG9/PARAM/SWITCH ON"},
        {0, {"/PILOT/GEN ON", "/PILOT/GEN maybe"}, "ERROR: /PILOT/GEN >>maybe<< should be >>ON<<", "/PILOT/GEN ON", 1},
        {0, {"/FAULT/LATCH ON", "/FAULT/LATCH maybe"}, "ERROR: /FAULT/LATCH >>maybe<< should be >>ON<<",
         "/FAULT/LATCH ON"},
        {0, {"/FAULT/MANUAL ON", "/FAULT/MANUAL 1"}, "ERROR: /FAULT/MANUAL >>1<< should be >>ON<<", "/FAULT/MANUAL ON"},
        // Fault sources with a word that names none; sources the device has, in its own order.
        {0, {"/FAULT/INCLUDE LMZ,maybe"}, "ERROR: /FAULT/INCLUDE >>LMZ,maybe<< should be >>NONE<<",
         "/FAULT/INCLUDE NONE"},
        {0, {"/FAULT/INCLUDE CONS,LMZ", "/FAULT/INCLUDE AMP,on"},
         "ERROR: /FAULT/INCLUDE >>AMP,on<< should be >>LMZ,CONS<<",
         "/FAULT/INCLUDE LMZ,CONS"},
        {0, {"/SERVICE/ZONETEST/TEST/SHORT_DIS ON", "/SERVICE/ZONETEST/TEST/SHORT_DIS on"},
         "ERROR: /SERVICE/ZONETEST/TEST/SHORT_DIS >>on<< should be >>ON<<", "/SERVICE/ZONETEST/TEST/SHORT_DIS ON", 1},
        {0, {"/SPAREAMP/ENTRY3/INDEX 7", "/SPAREAMP/ENTRY3/REMOTE NO", "/SPAREAMP/ENTRY3/REMOTE 1"},
         "ERROR: /SPAREAMP/ENTRY3/REMOTE >>1<< should be >>NO<<", "/SPAREAMP/ENTRY3/REMOTE NO"},
        {0, {"/AUDIO/IN1/FILTER2/BYPASS ON", "/AUDIO/IN1/FILTER2/BYPASS 1"},
         "ERROR: /AUDIO/IN1/FILTER2/BYPASS >>1<< should be >>ON<<", "/AUDIO/IN1/FILTER2/BYPASS ON"},
        // A filter type the filter does not offer: the first filter has no high shelving, the second no high cut.
        {0, {"/AUDIO/IN1/FILTER2/TYPE 3"}, "ERROR: /AUDIO/IN1/FILTER2/TYPE >>3<< should be >>PEQ<<",
         "/AUDIO/IN1/FILTER2/TYPE PEQ"},
        {0, {"/AUDIO/IN1/FILTER1/TYPE HISHELV"}, "ERROR: /AUDIO/IN1/FILTER1/TYPE >>HISHELV<< should be >>LOSHELV<<",
         "/AUDIO/IN1/FILTER1/TYPE LOSHELV"},
        {0, {"/AUDIO/IN4/FILTER3/TYPE HICUT", "/AUDIO/IN4/FILTER3/TYPE LOCUT"},
         "ERROR: /AUDIO/IN4/FILTER3/TYPE >>LOCUT<< should be >>HICUT<<", "/AUDIO/IN4/FILTER3/TYPE HICUT"},
        // A repeat interval or count beyond the repeat macro's, a console's word it does not offer, the limit
        // of an analog condition that watches no channel yet.
        {0, {"/MACRO/PROG12/TYPE REPEAT", "/MACRO/PROG12/PARAM/TIME 30", "/MACRO/PROG12/PARAM/TIME 99999"},
         "ERROR: /MACRO/PROG12/PARAM/TIME >>99999<< should be >>30<<", "/MACRO/PROG12/PARAM/TIME 30"},
        {0, {"/MACRO/PROG12/TYPE REPEAT", "/MACRO/PROG12/PARAM/COUNT 5", "/MACRO/PROG12/PARAM/COUNT 70000"},
         "ERROR: /MACRO/PROG12/PARAM/COUNT >>70000<< should be >>5<<", "/MACRO/PROG12/PARAM/COUNT 5"},
        {0, {"/CONS/ADR1/EXT XYZ"}, "ERROR: /CONS/ADR1/EXT >>XYZ<< should be >>OFF<<", "/CONS/ADR1/EXT OFF"},
        {0, {"/CONS/ADR1/PTTPRIO EXT", "/CONS/ADR1/PTTPRIO 7"}, "ERROR: /CONS/ADR1/PTTPRIO >>7<< should be >>EXT<<",
         "/CONS/ADR1/PTTPRIO EXT"},
        // A macro value its window's list does not offer (an input beyond IN4, a format, a recorder message
        // the project lacks, a display line, a table step or entry, a volume controller): the macro keeps
        // its own; what a list offers is taken.
        {0, {"/MACRO/PROG12/TYPE PAGE", "/MACRO/PROG12/PARAM/INPUT 9"},
         "ERROR: /MACRO/PROG12/PARAM/INPUT >>9<< should be >>0<<",
         "/MACRO/PROG12/PARAM/INPUT 0"},
        {0, {"/MACRO/PROG12/TYPE RECORD", "/MACRO/PROG12/PARAM/QUALITY 20KHZ LINEAR", "/MACRO/PROG12/PARAM/QUALITY XYZ"},
         "ERROR: /MACRO/PROG12/PARAM/QUALITY >>XYZ<< should be >>20KHZ LINEAR<<",
         "/MACRO/PROG12/PARAM/QUALITY 20KHZ LINEAR"},
        // A macro without a type that a trigger made by naming it, read back as the empty macro it is: it
        // stays, and the trigger keeps it.
        {0, {"/TRIGGER/ENTRY2/ON_MACRO 10", "/MACRO/PROG10/TYPE EMPTY"}, "", "/TRIGGER/ENTRY2/ON_MACRO 10"},
        // A new record macro's own format read back, before its view chose one, is no difference.
        {0, {"/MACRO/PROG12/TYPE RECORD", "/MACRO/PROG12/PARAM/QUALITY 0"}, "", "/MACRO/PROG12/PARAM/QUALITY 0"},
        {0, {"/MACRO/PROG12/TYPE RECORD", "/MACRO/PROG12/PARAM/FILE 30"},
         "ERROR: /MACRO/PROG12/PARAM/FILE >>30<< should be >>0<<",
         "/MACRO/PROG12/PARAM/FILE 0"},
        {0, {"/MACRO/PROG12/TYPE LCDTEXT", "/MACRO/PROG12/PARAM/LINE 3"},
         "ERROR: /MACRO/PROG12/PARAM/LINE >>3<< should be >>1<<",
         "/MACRO/PROG12/PARAM/LINE 1"},
        {0, {"/MACRO/PROG12/TYPE MONITOR", "/MACRO/PROG12/PARAM/NEXT 5"},
         "ERROR: /MACRO/PROG12/PARAM/NEXT >>5<< should be >>0<<",
         "/MACRO/PROG12/PARAM/NEXT 0"},
        {0, {"/MACRO/PROG12/TYPE MONITOR", "/MACRO/PROG12/PARAM/TABLE 999"},
         "ERROR: /MACRO/PROG12/PARAM/TABLE >>999<< should be >>0<<",
         "/MACRO/PROG12/PARAM/TABLE 0"},
        {0, {"/MACRO/PROG12/TYPE VOLUME", "/MACRO/PROG12/PARAM/SELECT IN2", "/MACRO/PROG12/PARAM/SELECT FOO"},
         "ERROR: /MACRO/PROG12/PARAM/SELECT >>FOO<< should be >>IN2<<", "/MACRO/PROG12/PARAM/SELECT IN2"},
        {0, {"/MACRO/PROG12/TYPE MONITOR", "/MACRO/PROG12/PARAM/NEXT -1", "/MACRO/PROG12/PARAM/TABLE 7"}, "",
         "/MACRO/PROG12/PARAM/TABLE 7"},
        {0, {"/MACRO/PROG12/TYPE PAGE", "/MACRO/PROG12/PARAM/INPUT 4"}, "", "/MACRO/PROG12/PARAM/INPUT 4"},
        {0, {"/MACRO/PROG12/TYPE INSEL", "/MACRO/PROG12/PARAM/INPUT 7"}, "", "/MACRO/PROG12/PARAM/INPUT 7"},
        {0, {"/MACRO/PROG12/TYPE PAGE", "/MACRO/PROG12/PARAM/PRIO 61", "/MACRO/PROG12/PARAM/PRIO 999"},
         "ERROR: /MACRO/PROG12/PARAM/PRIO >>999<< should be >>61<<", "/MACRO/PROG12/PARAM/PRIO 61"},
        {0, {"/MACRO/PROG12/TYPE STOP", "/MACRO/PROG12/PARAM/PRIO 50", "/MACRO/PROG12/PARAM/PRIO -5"},
         "ERROR: /MACRO/PROG12/PARAM/PRIO >>-5<< should be >>50<<", "/MACRO/PROG12/PARAM/PRIO 50"},
        {0, {"/MACRO/PROG12/TYPE PAGE", "/MACRO/PROG12/PARAM/PRIO 109"}, "", "/MACRO/PROG12/PARAM/PRIO 109"},
        // Console 1's group slot answered with a word where a set of zones belongs.
        {0, {"/CONS/ADR1/GROUP3 maybe"}, "ERROR: /CONS/ADR1/GROUP3 >>maybe<< should be >>0<<", "/CONS/ADR1/GROUP3 0"},
        {0, {"/CONDITION/ANALOG4/MIN abc"}, "ERROR: /CONDITION/ANALOG4/MIN >>abc<< should be >>2.5<<",
         "/CONDITION/ANALOG4/LMZ775 OFF"},
        {0, {"/CONDITION/ANALOG4/MAX 5,5"}, "ERROR: /CONDITION/ANALOG4/MAX >>5,5<< should be >>7.0<<",
         "/CONDITION/ANALOG4/LMZ775 OFF"},
        {0, {"/CONDITION/ANALOG4/MIN 0x10"}, "ERROR: /CONDITION/ANALOG4/MIN >>0x10<< should be >>2.5<<",
         "/CONDITION/ANALOG4/LMZ775 OFF"},
        // A number the device reports free whose object an entry the upload has read still names: the project
        // keeps the number there with a free placeholder, which its download sends as free, and names each
        // entry once ("~": the words that say so). A placeholder the project held so already is no
        // difference; an entry whose answer is still to come (the appointment) takes what the device holds.
        {0, {"/CONS/ADR1/KEY1 MACRO,10", "/TRIGGER/ENTRY2/ON_MACRO 10", "/MACRO/CLEAR 1-250"}, "",
         "/CONS/ADR1/KEY1 MACRO,10\n/TRIGGER/ENTRY2/ON_MACRO 10\n/MACRO/PROG10/TYPE EMPTY"},
        {0, {"/CONS/ADR1/KEY1 MACRO,9", "/TRIGGER/ENTRY2/ON_MACRO 9", "/MACRO/CLEAR 1-250"},
         "/CONS/ADR1/KEY1 : Makro 9 ~\r\n/TRIGGER/ENTRY2/ON_MACRO : Makro 9 ~",
         "/CONS/ADR1/KEY1 MACRO,9\n/TRIGGER/ENTRY2/ON_MACRO 9\n/MACRO/CLEAR ALL\n/MACRO/PROG9/TYPE EMPTY"},
        {0, {"/TRIGGER/ENTRY2/ON_MACRO 9", "/TRIGGER/ENTRY2/OFF_MACRO 9", "/MACRO/CLEAR 1-250"},
         "/TRIGGER/ENTRY2/ON_MACRO, /TRIGGER/ENTRY2/OFF_MACRO : Makro 9 ~",
         "/TRIGGER/ENTRY2/OFF_MACRO 9\n/MACRO/PROG9/TYPE EMPTY\n!/MACRO/PROG9/PARAM/"},
        {0, {"/TRIGGER/ENTRY2/ON_MACRO 10", "/CAL/APPOINT4/MACRO 10", "/MACRO/CLEAR 1-250"}, "",
         "/TRIGGER/ENTRY2/ON_MACRO 10\n/CAL/APPOINT4/MACRO 10\n/MACRO/PROG10/TYPE EMPTY"},
        {0, {"/MACRO/PROG12/TYPE REPEAT", "/MACRO/PROG12/PARAM/MACRO 9", "/MACRO/CLEAR 1-11,13-250"},
         "/MACRO/PROG12/PARAM/MACRO : Makro 9 ~",
         "/MACRO/PROG12/PARAM/MACRO 9\n/MACRO/PROG9/TYPE EMPTY"},
        {condkind::Alarm, {"/MACRO/PROG12/TYPE REPEAT", "/MACRO/PROG12/PARAM/CONDITION 5", "/CONDITION/CLEAR/ENTRY 1-250"},
         "/MACRO/PROG12/PARAM/CONDITION : Bedingung 5 ~",
         "/MACRO/PROG12/PARAM/CONDITION 5\n/CONDITION/ENTRY5/FUNCTION OFF\n!/CONDITION/ENTRY5/INDEX"},
        {0, {"/MACRO/PROG8/PARAM/STEP2/MACRO 9", "/MACRO/CLEAR 1-7,9-250"},
         "/MACRO/PROG8/PARAM/STEP2/MACRO : Makro 9 ~",
         "/MACRO/PROG8/PARAM/STEP2/MACRO 9\n/MACRO/PROG9/TYPE EMPTY"},
        {0, {"/CAL/DAYPROG2/ENTRY1/MACRO 9", "/MACRO/CLEAR 1-250"},
         "/CAL/DAYPROG2/ENTRY1/MACRO : Makro 9 ~",
         "/CAL/DAYPROG2/ENTRY1/MACRO 9\n/MACRO/PROG9/TYPE EMPTY"},
        {0, {"/CONDITION/COMBINE2/COND1/IDX 4", "/TRIGGER/ENTRY2/CONDITION 4", "/LOGICOUT/ENTRY2/COND 4",
             "/MACRO/PROG8/PARAM/STEP1/CONDITION 4", "/CONDITION/CLEAR/ENTRY 1-250"},
         "", "/MACRO/PROG8/PARAM/STEP1/CONDITION 4\n/TRIGGER/ENTRY2/CONDITION 4\n/CONDITION/ENTRY4/FUNCTION OFF"},
        {condkind::Alarm, {"/CONDITION/COMBINE2/COND1/IDX 5", "/TRIGGER/ENTRY2/CONDITION 5", "/LOGICOUT/ENTRY2/COND 5",
             "/MACRO/PROG8/PARAM/STEP1/CONDITION 5", "/CONDITION/CLEAR/ENTRY 1-250"},
         "/CONDITION/COMBINE2/COND1/IDX : Bedingung 5 ~\r\n/TRIGGER/ENTRY2/CONDITION : Bedingung 5 ~\r\n"
         "/LOGICOUT/ENTRY2/COND : Bedingung 5 ~\r\n/MACRO/PROG8/PARAM/STEP1/CONDITION : Bedingung 5 ~",
         "/CONDITION/COMBINE2/COND1/IDX 5\n/LOGICOUT/ENTRY2/COND 5\n/CONDITION/ENTRY5/FUNCTION OFF\n"
         "/MACRO/PROG8/PARAM/STEP1/CONDITION 5"},
        {0, {"/CAL/WEEK/MO 2", "/CAL/CLEAR/DAYPROG 1-20"},
         "/CAL/WEEK/MO : Tagesprogramm 2 ~",
         "/CAL/WEEK/MO 2\n/CAL/CLEAR/DAYPROG ALL\n/CAL/DAYPROG2/NAME \n/CAL/DAYPROG2/ENTRY1/TIME OFF"},
        {0, {"/CAL/HOLIDAY3/DAYPROG 2", "/CAL/CLEAR/DAYPROG 1-20"},
         "/CAL/HOLIDAY3/DAYPROG : Tagesprogramm 2 ~",
         "/CAL/HOLIDAY3/DAYPROG 2\n/CAL/DAYPROG2/NAME \n/CAL/DAYPROG2/ENTRY1/TIME OFF\n!/CAL/DAYPROG2/ENTRY1/MACRO"},
        // The free placeholder read back as the free entry it is adds nothing, and it stays.
        {0, {"/CAL/WEEK/MO 2", "/CAL/CLEAR/DAYPROG 1-20", "/CAL/DAYPROG2/NAME ", "/CAL/DAYPROG2/ENTRY1/TIME OFF"},
         "/CAL/WEEK/MO : Tagesprogramm 2 ~",
         "/CAL/WEEK/MO 2\n/CAL/DAYPROG2/NAME \n/CAL/DAYPROG2/ENTRY1/TIME OFF"},
        {condkind::Alarm, {"/TRIGGER/ENTRY2/CONDITION 5", "/CONDITION/CLEAR/ENTRY 1-4,6-250",
                           "/CONDITION/ENTRY5/FUNCTION OFF"},
         "/TRIGGER/ENTRY2/CONDITION : Bedingung 5 ~",
         "/TRIGGER/ENTRY2/CONDITION 5\n/CONDITION/ENTRY5/FUNCTION OFF"},
        // A reference to a number its table's free list gave before: the placeholder made for it is named too.
        {0, {"/MACRO/CLEAR 1-250", "/TRIGGER/ENTRY2/ON_MACRO 20"},
         "/TRIGGER/ENTRY2/ON_MACRO : Makro 20 ~",
         "/TRIGGER/ENTRY2/ON_MACRO 20\n/MACRO/PROG20/TYPE EMPTY"},
        {0, {"/CONDITION/CLEAR/ENTRY 1-250", "/MACRO/PROG8/PARAM/STEP3/CONDITION 7"},
         "/MACRO/PROG8/PARAM/STEP3/CONDITION : Bedingung 7 ~",
         "/MACRO/PROG8/PARAM/STEP3/CONDITION 7\n/CONDITION/ENTRY7/FUNCTION OFF"},
        {0, {"/CAL/CLEAR/DAYPROG 1-20", "/CAL/WEEK/TU 9"},
         "/CAL/WEEK/TU : Tagesprogramm 9 ~",
         "/CAL/WEEK/TU 9\n/CAL/DAYPROG9/NAME \n/CAL/DAYPROG9/ENTRY1/TIME OFF"},
        // A number the free list did not give is no free placeholder: a reference to it makes none.
        {0, {"/MACRO/CLEAR 1-29,31-250", "/TRIGGER/ENTRY2/ON_MACRO 30"}, "", "/TRIGGER/ENTRY2/ON_MACRO 30"},
        // A day programme the project made for a reference goes with the name it made up, so that the
        // device keeps no name of its own there; the device's names come back as they were sent.
        {0, {"/CAL/WEEK/TU 9"}, "", "/CAL/WEEK/TU 9\n/CAL/DAYPROG9/NAME 9 *\n/CAL/DAYPROG9/ENTRY1/TIME OFF"},
        {0, {"/CAL/WEEK/TU 9", "/CAL/DAYPROG9/NAME 9 *"}, "", "/CAL/DAYPROG9/NAME 9 *"},
        // A holiday over a period travels with an empty function word: read back, it is the period it was.
        {0, {"/CAL/HOLIDAY3/FUNCTION "}, "", "/CAL/HOLIDAY3/FUNCTION \n/CAL/HOLIDAY3/DAYPROG 2"},
        // Entries a free list gives as used beyond the numbers the project holds (the standard device's): one
        // line per table names them ("#": the words that say so, "$" after the limit); the download sends what
        // it did. Used numbers within the limit are no difference, and neither are numbers beyond the highest
        // free one: the list names none beyond the device's own table.
        {0, {"/CONDITION/CLEAR/ENTRY 1-119,121-149,151-250"}, "/CONDITION/ENTRY 120,150 : # 100$",
         "/CONDITION/CLEAR/ENTRY ALL"},
        {0, {"/CONDITION/CLEAR/ENTRY 1-99,101-250"}, "", "/CONDITION/CLEAR/ENTRY ALL\n/CONDITION/ENTRY100/FUNCTION OFF"},
        {0, {"/CONDITION/CLEAR/BUSY 1-6,8-50"}, "/CONDITION/BUSY 7 : # 5$", "/CONDITION/CLEAR/BUSY ALL"},
        {0, {"/CONDITION/CLEAR/ANALOG 1-29,31-50"}, "/CONDITION/ANALOG 30 : # 16$", "/CONDITION/CLEAR/ANALOG ALL"},
        {0, {"/CONDITION/CLEAR/COMBINE 1-10,12-49"}, "/CONDITION/COMBINE 11 : # 10$",
         "/CONDITION/CLEAR/COMBINE ALL"},
        {0, {"/MACRO/CLEAR 1-89,91-250"}, "/MACRO/PROG 90 : # 80$", "/MACRO/CLEAR ALL\n!/MACRO/PROG90/"},
        {0, {"/TRIGGER/CLEAR 1-59,61-800"}, "/TRIGGER/ENTRY 60 : # 50$", "/TRIGGER/CLEAR ALL\n!/TRIGGER/ENTRY60/"},
        {0, {"/LOGICOUT/CLEAR 1-39,41-250"}, "/LOGICOUT/ENTRY 40 : # 30$", "/LOGICOUT/CLEAR ALL"},
        {0, {"/VIRTCTRL/CLEAR 1-40,42-320"}, "/VIRTCTRL/ENTRY 41 : # 40$", "/VIRTCTRL/CLEAR ALL"},
        {0, {"/CAL/CLEAR/APPOINT 1-24,26-50"}, "/CAL/APPOINT 25 : # 20$", "/CAL/CLEAR/APPOINT ALL"},
        {0, {"/CAL/CLEAR/DAYPROG 1-12,15-20"}, "/CAL/DAYPROG 13-14 : # 10$", "/CAL/CLEAR/DAYPROG ALL"},
        {0, {"/TRIGGER/CLEAR 1-100"}, "", "/TRIGGER/CLEAR ALL"},
        {0, {"/CAL/CLEAR/HOLIDAY 1-20,22-50"}, "/CAL/HOLIDAY 21 : # 20$", "/CAL/CLEAR/HOLIDAY ALL"},
        {0, {"/SPAREAMP/CLEAR 1-8,10-64"}, "/SPAREAMP/ENTRY 9 : # 8$", "/SPAREAMP/CLEAR ALL"},
        {0, {"/MONI/CLEAR/TABLE 1-50,52-2000"}, "/MONI/TABLE 51 : # 50$", "/MONI/CLEAR/TABLE ALL"},
        {0, {"/MONI/CLEAR/RELAY 1-20,23-2000"}, "/MONI/RELAY 21-22 : # 20$", "/MONI/CLEAR/RELAY ALL"},
        // The consoles' FAULT set answered with a text that is no set of console numbers: the project keeps its
        // own and the line names it; one the device did not understand the query for is none.
        {0, {"/CONS/REFERENCE abc"}, "ERROR: /CONS/REFERENCE >>abc<< should be >>NONE<<", "/CONS/REFERENCE NONE"},
        {0, {"/CONS/REFERENCE 2,5", "/CONS/REFERENCE 1-99"}, "ERROR: /CONS/REFERENCE >>1-99<< should be >>2,5<<",
         "/CONS/REFERENCE 2,5"},
        {0, {"/CONS/REFERENCE 2,5", "/CONS/REFERENCE 1e2"}, "ERROR: /CONS/REFERENCE >>1e2<< should be >>2,5<<",
         "/CONS/REFERENCE 2,5"},
        {0, {"/CONS/REFERENCE 1-3", "/CONS/REFERENCE ? "}, "", "/CONS/REFERENCE 1-3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answers.back());
        Fixture f(row.variant);
        for (const char* flag :
             {"COND_CLR", "TRIGGER_CLR", "LOGICOUT_CLR", "READYINP_CLR", "MACRO_CLR", "CAL_CLR", "VIRTCTRL_CLR"})
            f.profile.Set(flag, 1);
        CBaseDevice* const blocks[] = {f.Add<CConditionObject>(CConditionObject::kKindId, CAT_AUDIO),
                                       f.Add<CMacroObject>(CMacroObject::kKindId, CAT_AUDIO),
                                       f.Add<CTriggerObject>(CTriggerObject::kKindId, CAT_DIGITAL_IO),
                                       f.Add<CCalObject>(CCalObject::kKindId, CAT_AUDIO),
                                       f.Add<CLogicOutObject>(CLogicOutObject::kKindId, CAT_AUDIO),
                                       f.Add<CGlobalReadyInput>(CGlobalReadyInput::kKindId, CAT_AUDIO),
                                       f.Add<CVirtCtrl>(CVirtCtrl::kKindId, CAT_AUDIO),
                                       f.Add<CSpareAmp>(34370, CAT_AUDIO),
                                       f.Slot<CAudioInputSlot>(33045, "Slot1", CAT_INPUT_SLOT),
                                       f.Slot<CAudioInputSlot>(33045, "Slot2", CAT_INPUT_SLOT),
                                       f.Slot<CAudioOutputSlot>(33014, "Slot3", CAT_OUTPUT_SLOT),
                                       f.Slot<CAudioOutputSlot>(33015, "Slot4", CAT_OUTPUT_SLOT),
                                       f.Add<CMiscAudio>(CMiscAudio::kKindId, CAT_AUDIO),
                                       f.Add<CInternalPowerManagement>(34557, CAT_AUDIO),
                                       f.Add<CInternalPilottoneGen>(34556, CAT_AUDIO),
                                       f.Add<CMonitor>(33086, CAT_DIGITAL_IO),
                                       f.Numbered<CZone>(CZone::kKind, 6, CAT_ZONE),
                                       f.Add<CZonetestObject>(34577, CAT_AUDIO),
                                       f.Add<CFuse>(33084, CAT_INTERFACE),
                                       f.Numbered<CConsole>(consmodel::WRN2271, 1, CAT_CONSOLE),
                                       f.Add<CClock>(CClock::kKindId, CAT_CALENDAR),
                                       f.Numbered<CLANGroup>(CLANGroup::kKind, 3, CAT_AUDIO),
                                       f.Add<CEventLog>(34588, CAT_AUDIO),
                                       f.Add<CFault>(34094, CAT_AUDIO),
                                       f.Numbered<CCollectionCall>(0, 2, CAT_RELAIS_TOPOLOGY),
                                       f.Add<CConsoleObject>(34063, CAT_AUDIO)};
        dynamic_cast<CMonitor*>(blocks[15])->SetValue(monitorsource::In | (5u << 16), 2);
        dynamic_cast<CZone*>(blocks[16])->SetAttribute(zoneattr::PosTol, 5);
        auto* console = dynamic_cast<CConsole*>(blocks[19]);
        console->GetProp().CreateFixedKeys(consmodel::WRN2271, console);
        // The design: each reference names condition 4 or macro 10.
        if (row.watching)
            f.Numbered<CCondition>(row.watching, 5)->SetValue(condkey::Object, 3);
        // Analog condition 4 watches no channel yet, within 2.5 .. 7.0.
        auto* analog = f.Numbered<CAnalogCondition>(CAnalogCondition::kKindId, 4);
        analog->SetLimit(1, 2.5f), analog->SetLimit(2, 7.0f);
        // Ready input 12 watches an interface input.
        f.Numbered<CReadyInput>(CReadyInput::kKindId, 12)
            ->SetValue(CReadyInput::Contact, f.Pad(padkind::InterfaceIn, OT_INTERFACE_SLOT, 3, false)->GetNumber());
        auto* combined = f.Numbered<CCombineCondition>(CCombineCondition::kKindId, 2);
        combined->ParseValue(0, "AND"), combined->SetValue(3, 4);
        auto* trigger = f.Numbered<CTrigger>(CTrigger::kKindId, 2);
        trigger->SetValue(triggerkey::Condition, 4), trigger->SetValue(triggerkey::OnMacro, 10);
        auto* out = f.Numbered<CLogicOut>(CLogicOut::kKindId, 2);
        out->SetValue(logicoutkey::Contact, f.Pad(padkind::SlotOut, OT_DIGITAL_SLOT, 2, true)->GetNumber());
        out->SetValue(logicoutkey::Condition, 4);
        f.Numbered<CMacro>(macrotype::Alarm, 9, CAT_MACRO)->SetParam(32, 2);
        f.Numbered<CMacro>(macrotype::Sequence, 8, CAT_MACRO)->SetParam(51, 4);
        auto* appointment = f.Numbered<CAppoint>(CAppoint::kKindId, 4, CAT_CALENDAR);
        appointment->SetParam(CAppoint::Function, IDS_CALFN_DAILY), appointment->SetParam(CAppoint::Macro, 10);
        f.Numbered<CDayprog>(CDayprog::kKindId, 2, CAT_CALENDAR)
            ->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(7, 5, 0));
        auto* holiday = f.Numbered<CHoliday>(CHoliday::kKindId, 3, CAT_CALENDAR);
        holiday->SetParam(CHoliday::Function, IDS_CALFN_ONETIME), holiday->SetParam(CHoliday::Dayprog, 2);
        auto* week = f.Numbered<CWeek>(CWeek::kKindId, 1, CAT_CALENDAR);
        week->SetDay(0, 2);
        auto* controllers = dynamic_cast<CVirtCtrl*>(blocks[6]);
        controllers->GetOrCreateItem(3)->SetFloat(CVirtCtrlItem::Max, 5.0f);
        controllers->SetLink(CVirtCtrl::Endpoint::AmpChannel, 12, 3);
        f.diffFile = testing::TempDir() + StrFormat("untaken-%d.err", static_cast<int>(getpid()));
        std::remove(f.diffFile.c_str());
        for (const std::string& line : row.answers)
            f.Answer(line);
        std::ifstream file(f.diffFile, std::ios::binary);
        // Lines of their own words ("ERROR: ", a reference to a free number) end as they are.
        std::string whole = row.diff;
        for (size_t at; (at = whole.find('~')) != std::string::npos;)
            whole.replace(at, 1,
                          "ist im Gerät frei; das Projekt hält die Nummer als freien Platzhalter und sendet sie so zurück");
        for (size_t at; (at = whole.find('#')) != std::string::npos;)
            whole.replace(at, 1, "im Gerät belegt, das Projekt hält nur die Nummern bis");
        for (size_t at; (at = whole.find('$')) != std::string::npos;)
            whole.replace(at, 1, "; nicht übernommen, ein Download schreibt sie nicht zurück");
        const std::string last = whole.substr(whole.rfind("\r\n") == std::string::npos ? 0 : whole.rfind("\r\n") + 2);
        const std::string diff = last.rfind("ERROR: ", 0) == 0 || whole.ends_with(" keins") || whole.ends_with(" zurück")
                                     ? whole
                                     : whole + " fehlt";
        EXPECT_EQ(*row.diff ? Utf8ToCp1252(diff) + "\r\n" : std::string(),
                  std::string(std::istreambuf_iterator<char>(file), {}));
        for (CBaseDevice* block : blocks)
            f.Walk(*block, 0);
        f.Walk(*week, 0);
        // Each line of `sent` is sent; one after "!" begins no line sent.
        const std::string sent = std::string(row.sent).substr(std::string(row.sent).rfind('\n') + 1);
        for (size_t at = 0, end; at <= std::string(row.sent).size(); at = end + 1) {
            end = std::string(row.sent).find('\n', at);
            const std::string line = std::string(row.sent).substr(at, end - at);
            if (line.starts_with("!"))
                EXPECT_TRUE(std::none_of(f.link.lines.begin(), f.link.lines.end(),
                                         [&](const std::string& l) { return l.starts_with(line.substr(1)); }))
                    << line;
            else
                EXPECT_NE(f.link.lines.end(), std::find(f.link.lines.begin(), f.link.lines.end(), line)) << line;
            if (end == std::string::npos)
                break;
        }
        // The condition's list shows the number it keeps for the device.
        if (auto* c = f.Get<CCondition>(OT_CONDITION, 5); c && !c->GetOutLinkAtKey(0) && sent.find("/INDEX ") != sent.npos) {
            EXPECT_EQ(sent.substr(sent.rfind(' ') + 1) + " *", c->GetText(condkey::Object));
        }
        // ... and the object it shows is the one whose number it sends.
        if (auto* c = f.Get<CCondition>(OT_CONDITION, 5);
            c && c->GetOutLinkAtKey(0) && sent.starts_with("/CONDITION/ENTRY5/INDEX ")) {
            EXPECT_EQ(sent.substr(sent.rfind(' ') + 1), StrFormat("%d", c->GetLinkedNumber(0)));
        }
        std::remove(f.diffFile.c_str());
    }
}
