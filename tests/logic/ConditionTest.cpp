// Conditions: stored form and upgrades of older schemas, values by key,
// labels, entry lines and the hooks the document and control pads use.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <tuple>

#include "audio/CAlarmSignal.h"
#include "audio/CChimeSignal.h"
#include "audio/CInternalPowerManagement.h"
#include "hardware/CInterfaceSlot.h"
#include "logic/CCondition.h"
#include "logic/CMemoFlag.h"
#include "logic/CTrigger.h"
#include "macros/CMacro.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/DocObjectTest.h"

using namespace blocktest;

namespace {

class ConditionTest : public DocObjectTest {
protected:
    CCondition* NewCondition(uint32_t kind)
    {
        return NewPlacedIn<CCondition>(Doc(), kind, CAT_DIGITAL_IO, 3);
    }
    CControlPad* NewPad(uint32_t kind, const std::string& name)
    {
        auto* pad = new CControlPad;
        EXPECT_EQ(1, pad->Create(kind, 1, 1, name, 500, 500, 500, 500, CAT_DIGITAL_IO, 0, 9, &Doc()));
        Doc().AddObject(pad, CAT_DIGITAL_IO);
        return pad;
    }
    // Loads a condition of an older schema into the document.
    CCondition* LoadIntoDoc(uint16_t schema, const Bytes& data)
    {
        return LoadIntoDocument<CCondition>(Doc(), "CCondition", schema, data, CAT_DIGITAL_IO);
    }
    // The common part of a condition numbered `number`.
    Bytes Common(uint32_t kind, int32_t number)
    {
        CCondition proto;
        proto.m_kindId = kind;
        proto.m_name = "alt";
        proto.m_category = CAT_DIGITAL_IO;
        proto.m_inputCount = proto.m_outputCount = 1;
        proto.m_number = number;
        return StoreCommon(proto);
    }
    // A difference file's text ("" when there is none).
    static std::string FileText(const std::string& path)
    {
        std::string text;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            char buf[512] = {};
            text.assign(buf, std::fread(buf, 1, sizeof buf - 1, f));
            std::fclose(f);
        }
        return text;
    }
    static Bytes OldOwn(const std::string& keyword, int32_t index, const std::string& levelText)
    {
        Bytes b;
        PutText(b, keyword);
        PutI32(b, index);
        PutText(b, levelText);
        return b;
    }
};

}  // namespace

TEST_F(ConditionTest, StoresKeywordIndexLevelTextReservedAndLevel)
{
    CCondition* c = NewCondition(condkind::KvtErr);
    c->m_keyword = "KVT_ERR";
    c->m_levelText = "ON";
    c->m_index = -2;
    c->m_untakenIndex = 7;
    c->m_level = 1;
    Bytes expected;
    PutText(expected, "KVT_ERR");
    PutI32(expected, -2);
    PutText(expected, "ON");
    PutU32(expected, 7);
    PutU32(expected, 1);
    EXPECT_EQ(expected, StoreOwnData(*c));
    EXPECT_EQ(4u, CCondition::classInfo.schema);

    // Schema 4 comes back field by field and is not upgraded.
    auto back = LoadTagged("CCondition", 4, StoreData(*c), nullptr);
    auto* loaded = dynamic_cast<CCondition*>(back.get());
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ("KVT_ERR", loaded->m_keyword);
    EXPECT_EQ(-2, loaded->m_index);
    EXPECT_EQ("ON", loaded->m_levelText);
    EXPECT_EQ(7, loaded->m_untakenIndex);
    EXPECT_EQ(1u, loaded->m_level);
    EXPECT_EQ(1, loaded->PostLoad());
    EXPECT_EQ(static_cast<uint32_t>(condkind::KvtErr), loaded->GetKindId());
    EXPECT_EQ(-2, loaded->m_index);
}

TEST_F(ConditionTest, SchemaTwoReadsNoLevelAndTakesItFromTheKindUpgrade)
{
    auto* flag = NewNumbered<CAlarmSignal>(32822, 7, CAT_AUDIO);
    CCondition* c = LoadIntoDoc(2, Concat(Common(34129, 1), OldOwn("OFF", 0, "ON")));
    ASSERT_NE(nullptr, c);
    c->LinkTo(0, flag, 1);
    EXPECT_EQ(0u, c->m_level);
    EXPECT_EQ(1, c->PostLoad());
    EXPECT_EQ(1u, c->m_level);
    EXPECT_EQ(static_cast<uint32_t>(condkind::Alarm), c->GetKindId());
    EXPECT_EQ(7, c->m_index);
    EXPECT_EQ(flag, c->GetOutLinkAtKey(0)->partner);  // the link stays
    EXPECT_TRUE(messages.empty());
}

TEST_F(ConditionTest, KindUpgradeWithoutLinkGoesByKeyword)
{
    CCondition* talkKey = LoadIntoDoc(3, Concat(Common(34129, 1), Concat(OldOwn("TALK_KEY", 5, "OFF"), Bytes(8, 0))));
    CCondition* chime = LoadIntoDoc(3, Concat(Common(34129, 2), Concat(OldOwn("CHIME", 9, "ON"), Bytes(8, 0))));
    ASSERT_TRUE(talkKey && chime);
    talkKey->PostLoad();
    chime->PostLoad();
    EXPECT_EQ(static_cast<uint32_t>(condkind::TalkKey), talkKey->GetKindId());
    EXPECT_EQ(5, talkKey->m_index);
    EXPECT_EQ(static_cast<uint32_t>(condkind::Chime), chime->GetKindId());
    EXPECT_EQ(0, chime->m_index);
    EXPECT_EQ(1u, chime->m_level);
}

TEST_F(ConditionTest, KindUpgradeOfAnInterfaceInputContact)
{
    auto* slot = new CInterfaceSlot;
    ASSERT_EQ(1, slot->Create(1, 5, 3, std::string("Interface"), 1933, 2368, 2163, 2468, CAT_INTERFACE, 0, 0, &Doc()));
    Doc().AddObject(slot, CAT_INTERFACE);
    CControlPad* pad = NewPad(padkind::InterfaceIn, "INP1");
    slot->LinkTo(3, pad, 0);
    CCondition* c = LoadIntoDoc(2, Concat(Common(34129, 1), OldOwn("INP", 0, "OFF")));
    ASSERT_NE(nullptr, c);
    c->LinkTo(0, pad, 1);
    c->PostLoad();
    EXPECT_EQ(static_cast<uint32_t>(condkind::Inp), c->GetKindId());
    EXPECT_EQ(1, c->m_index);  // partner key 3 - 2
}

TEST_F(ConditionTest, LinkUpgradeLinksTheObjectOrSwitchesTheConditionOff)
{
    auto* alarm = NewNumbered<CAlarmSignal>(32822, 3, CAT_AUDIO);
    CCondition* found = LoadIntoDoc(1, Concat(Common(condkind::Alarm, 1), OldOwn("ALARM", 3, "OFF")));
    CCondition* missing = LoadIntoDoc(1, Concat(Common(condkind::Chime, 2), OldOwn("CHIME", 4, "OFF")));
    CCondition* any = LoadIntoDoc(1, Concat(Common(condkind::Alarm, 3), OldOwn("ALARM", 0, "OFF")));
    CCondition* ready = LoadIntoDoc(0, Concat(Common(condkind::Ready, 4), OldOwn("READY", 2, "OFF")));
    ASSERT_TRUE(found && missing && any && ready);
    for (CCondition* c : {found, missing, any, ready})
        c->PostLoad();

    ASSERT_NE(nullptr, found->GetOutLinkAtKey(0));
    EXPECT_EQ(alarm, found->GetOutLinkAtKey(0)->partner);
    EXPECT_EQ(1, found->GetOutLinkAtKey(0)->partnerKey);
    EXPECT_NE(nullptr, alarm->GetInLinkAtKey(1));

    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Object CHIME,4 nicht vorhanden !", messages[0]);
    EXPECT_EQ("OFF", missing->m_keyword);
    EXPECT_EQ(1, missing->m_index);
    EXPECT_EQ(nullptr, missing->GetOutLinkAtKey(0));

    EXPECT_EQ("ALARM", any->m_keyword);
    EXPECT_EQ(0, any->m_index);
    EXPECT_EQ(nullptr, any->GetOutLinkAtKey(0));

    EXPECT_EQ("OFF", ready->m_keyword);  // switched off without a message
    EXPECT_EQ(1, ready->m_index);
}

TEST_F(ConditionTest, LinkUpgradeFindsTheInterfaceInputByIndex)
{
    auto* slot = new CInterfaceSlot;
    ASSERT_EQ(1, slot->Create(1, 5, 3, std::string("Interface"), 1933, 2368, 2163, 2468, CAT_INTERFACE, 0, 0, &Doc()));
    Doc().AddObject(slot, CAT_INTERFACE);
    CControlPad* inp1 = NewPad(padkind::InterfaceIn, "INP1");
    CControlPad* inp2 = NewPad(padkind::InterfaceIn, "INP2");
    slot->LinkTo(2, inp1, 0);
    slot->LinkTo(3, inp2, 0);
    CCondition* c = LoadIntoDoc(1, Concat(Common(34129, 1), OldOwn("INP", 2, "OFF")));
    ASSERT_NE(nullptr, c);
    c->PostLoad();
    ASSERT_NE(nullptr, c->GetOutLinkAtKey(0));
    EXPECT_EQ(inp2, c->GetOutLinkAtKey(0)->partner);
    EXPECT_EQ(static_cast<uint32_t>(condkind::Inp), c->GetKindId());
    EXPECT_EQ("2", c->GetText(condkey::ProtocolIndex));
}

TEST_F(ConditionTest, NewConditionsAreNotUpgradedAfterALoad)
{
    // A condition made in this session has no stored schema: the after-load
    // pass must leave it alone.
    CCondition* c = NewCondition(condkind::Memo);
    c->m_keyword = "MEMO";
    c->m_index = 3;
    EXPECT_EQ(1, c->PostLoad());
    EXPECT_EQ("MEMO", c->m_keyword);
    EXPECT_EQ(3, c->m_index);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ConditionTest, EntryLinesAndQueries)
{
    CCondition* unused = NewCondition(condkind::None);
    std::vector<std::string> lines;
    EXPECT_EQ(1, unused->GetEntryLines(lines));
    EXPECT_EQ((std::vector<std::string>{"/FUNCTION OFF"}), lines);
    EXPECT_EQ(3, unused->GetEntryQueries(lines));
    EXPECT_EQ((std::vector<std::string>{"/FUNCTION ?", "/LEVEL ?", "/INDEX ?"}), lines);

    auto* alarm = NewNumbered<CAlarmSignal>(32822, 12, CAT_AUDIO);
    CCondition* c = NewCondition(condkind::Alarm);
    c->SetValue(condkey::Object, 12);
    c->SetValue(condkey::Level, 1);
    EXPECT_EQ(alarm, c->GetOutLinkAtKey(0)->partner);
    EXPECT_EQ(3, c->GetEntryLines(lines));
    EXPECT_EQ((std::vector<std::string>{"/FUNCTION ALARM", "/INDEX 12", "/LEVEL ON"}), lines);

    CCondition* kvt = NewCondition(condkind::KvtErr);
    kvt->SetValue(condkey::ProtocolIndex, 255);
    EXPECT_EQ("255", kvt->GetText(condkey::ProtocolIndex));
    EXPECT_EQ("bel. KVT Slot", kvt->GetText(condkey::Object));
    CCondition* bprog = NewCondition(condkind::BProg);
    bprog->SetValue(condkey::ProtocolIndex, 4);
    EXPECT_EQ(4, bprog->m_index);
    bprog->GetEntryLines(lines);
    EXPECT_EQ("/INDEX 0", lines[1]);
}

// The 24 V contact read back is the function the project offers: written
// again as it came, not switched off by the next download.
TEST_F(ConditionTest, ReadBack24VoltsIsTheOfferedKindThatWritesItAgain)
{
    CCondition* c = NewCondition(condkind::None);
    c->ParseValue(condkey::Keyword, "24VOLTS");
    EXPECT_EQ(static_cast<uint32_t>(condkind::Volts24), c->GetKindId());
    std::vector<std::string> lines;
    EXPECT_EQ(3, c->GetEntryLines(lines));
    EXPECT_EQ("/FUNCTION 24VOLTS", lines[0]);
    // The contact's own kind, as old files give it a condition, still writes nothing.
    CCondition* old = NewCondition(condkind::Volts24Sig);
    EXPECT_EQ(1, old->GetEntryLines(lines));
    EXPECT_EQ("/FUNCTION OFF", lines[0]);
    c->ParseValue(condkey::Keyword, "NOSUCH");
    EXPECT_EQ(static_cast<uint32_t>(condkind::Plain), c->GetKindId());
    EXPECT_EQ("NOSUCH", c->m_keyword);
    EXPECT_EQ("24VOLTS", CCondition::KeywordOfKind(condkind::Volts24));
}

TEST_F(ConditionTest, ObjectIndexCreatesSignalsAndRelabels)
{
    CCondition* c = NewCondition(condkind::Chime);
    c->SetValue(condkey::Object, 7);
    CBaseDevice* chime = Doc().GetIDManager().GetBaseDevice(7, OT_CHIME_SIGNAL);
    ASSERT_NE(nullptr, chime);
    EXPECT_EQ("7 *", chime->GetName());
    EXPECT_EQ(chime, c->GetOutLinkAtKey(0)->partner);
    EXPECT_EQ("7 * OFF Bedingung", c->GetName());
    const size_t before = Doc().GetList(CAT_AUDIO).size();
    c->SetValue(condkey::Object, 7);  // again: only the label
    EXPECT_EQ(before, Doc().GetList(CAT_AUDIO).size());
    EXPECT_EQ(1u, chime->m_inLinks.size());

    c->SetValue(condkey::Object, 0);
    EXPECT_EQ(nullptr, c->GetOutLinkAtKey(0));
    EXPECT_TRUE(chime->m_inLinks.empty());
    EXPECT_EQ(0, c->m_index);
    EXPECT_EQ("beliebiger Gong OFF Bedingung", c->GetName());
    EXPECT_NE(nullptr, Doc().GetIDManager().GetBaseDevice(7, OT_CHIME_SIGNAL));  // the signal stays

    c->SetValue(condkey::Level, 1);
    EXPECT_EQ("beliebiger Gong ON Bedingung", c->GetName());
    EXPECT_EQ(1, c->GetValue(condkey::Level));

    // A function watching a number read back in place of the linked chime:
    // named by the number the device holds, not by the one before.
    for (const auto& [keyword, index, name] : {std::tuple{"KVT_ERR", 255, "Fehler bel. KVT Slot ON Bedingung"},
                                               std::tuple{"LMZ_ERR", 0, "Fehler bel. LMZ752 ON Bedingung"}}) {
        c->ParseValue(condkey::Keyword, "CHIME");
        c->SetValue(condkey::Object, 7);
        c->ParseValue(condkey::Keyword, keyword);
        c->SetValue(condkey::ProtocolIndex, index);
        EXPECT_EQ(name, c->GetName());
    }
}

TEST_F(ConditionTest, MissingContactIsReportedNotCreated)
{
    const std::string diff = ::testing::TempDir() + "/condition_missing.err";
    std::remove(diff.c_str());
    CCondition* c = NewCondition(condkind::Inp);
    c->m_keyword = "INP";
    c->SetValue(condkey::ProtocolIndex, 2, &diff);
    c->SetValue(condkey::Object, 9, &diff);
    EXPECT_EQ(nullptr, c->GetOutLinkAtKey(0));
    EXPECT_EQ("Bedingung 1 : Interfaceeingang  2 fehlt\r\nBedingung 1 : Label Interfaceeingang 9 fehlt\r\n",
              FileText(diff));
}

// The index the device answers is the one the design wrote: a contact
// condition without a contact (written "0") and one with a contact both
// come back without a difference; a contact the device lacks still shows.
TEST_F(ConditionTest, ContactIndexAsWrittenIsNoDifference)
{
    const std::string diff = ::testing::TempDir() + "/condition_as_written.err";
    std::remove(diff.c_str());
    auto diffText = [&] { return FileText(diff); };
    auto* slot = new CInterfaceSlot;
    ASSERT_EQ(1, slot->Create(1, 5, 3, std::string("Interface"), 1933, 2368, 2163, 2468, CAT_INTERFACE, 0, 0, &Doc()));
    Doc().AddObject(slot, CAT_INTERFACE);
    CControlPad* pad = NewPad(padkind::InterfaceIn, "INP2");
    slot->LinkTo(3, pad, 0);

    CCondition* bare = NewCondition(condkind::Inp);
    bare->ParseValue(condkey::Keyword, "INP");
    ASSERT_EQ("0", bare->GetText(condkey::ProtocolIndex));
    bare->SetValue(condkey::ProtocolIndex, 0, &diff);
    EXPECT_EQ(nullptr, bare->GetOutLinkAtKey(0));

    CCondition* wired = NewCondition(condkind::Inp);
    wired->SetValue(condkey::Object, pad->GetNumber());
    wired->ParseValue(condkey::Keyword, "INP");
    ASSERT_EQ("2", wired->GetText(condkey::ProtocolIndex));
    wired->SetValue(condkey::ProtocolIndex, 2, &diff);
    EXPECT_EQ(pad->GetNumber(), wired->GetValue(condkey::Object));
    EXPECT_EQ("", diffText());

    // The device holds no contact where the design has one: reported, and
    // the design keeps its contact.
    wired->SetValue(condkey::ProtocolIndex, 0, &diff);
    EXPECT_EQ("Bedingung 2 : Interfaceeingang  0 fehlt\r\n", diffText());
    EXPECT_EQ(pad->GetNumber(), wired->GetValue(condkey::Object));
}

// An index read back makes an object only within its family's numbers for
// the project's device: the standard device has analog conditions 1..16.
TEST_F(ConditionTest, IndexBeyondTheFamilyMakesNoObject)
{
    Doc().m_data.deviceVariant = 0;
    CCondition* c = NewCondition(condkind::Analog);
    c->ParseValue(condkey::Keyword, "ANALOG");
    c->SetValue(condkey::ProtocolIndex, 17);
    EXPECT_EQ(0, Doc().GetIDManager().GetCount(OT_ANALOG_CONDITION));
    EXPECT_EQ(nullptr, c->GetOutLinkAtKey(0));
    c->SetValue(condkey::ProtocolIndex, 16);
    EXPECT_EQ(1, Doc().GetIDManager().GetCount(OT_ANALOG_CONDITION));
    EXPECT_EQ(16, c->GetValue(condkey::Object));
    Doc().m_data.deviceVariant = 1;
    c->SetValue(condkey::ProtocolIndex, 17);
    EXPECT_EQ(17, c->GetValue(condkey::Object));
    EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(ConditionTest, KindChangeDropsLinksBothWaysButNotFromThePlainKind)
{
    auto* alarm = NewNumbered<CAlarmSignal>(32822, 2, CAT_AUDIO);
    CCondition* c = NewCondition(condkind::Alarm);
    c->SetValue(condkey::Object, 2);
    auto* trigger = new CTrigger;
    ASSERT_EQ(1, trigger->Create(CTrigger::kKindId, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0,
                                 CAT_DIGITAL_IO, 0, 3, &Doc()));
    Doc().AddObject(trigger, CAT_DIGITAL_IO);
    trigger->SetValue(triggerkey::Condition, c->GetNumber());
    ASSERT_EQ(c->GetNumber(), trigger->GetValue(triggerkey::Condition));

    c->SetValue(condkey::Kind, condkind::Memo);
    EXPECT_EQ(static_cast<uint32_t>(condkind::Memo), c->GetKindId());
    EXPECT_TRUE(c->m_outLinks.empty());
    EXPECT_TRUE(c->m_inLinks.empty());
    EXPECT_TRUE(alarm->m_inLinks.empty());
    EXPECT_EQ(0, trigger->GetValue(triggerkey::Condition));
    EXPECT_EQ("MemoFlag OFF Bedingung", c->GetName());

    CCondition* plain = NewCondition(condkind::Plain);
    plain->SetValue(condkey::Kind, condkind::Memo);
    EXPECT_EQ(static_cast<uint32_t>(condkind::Plain), plain->GetKindId());
}

TEST_F(ConditionTest, ChoiceListDependsOnTheDeviceVariant)
{
    std::vector<uint32_t> ids;
    Doc().m_data.deviceVariant = 0;
    EXPECT_EQ(40, CCondition::GetChoiceIds(0, &ids));
    EXPECT_EQ(static_cast<uint32_t>(condkind::None), ids.front());
    EXPECT_EQ(static_cast<uint32_t>(condkind::GndFlt), ids.back());
    ids.clear();
    Doc().m_data.deviceVariant = 1;
    EXPECT_EQ(48, CCondition::GetChoiceIds(0, &ids));
    ids.clear();
    EXPECT_EQ(0, CCondition::GetChoiceIds(1, &ids));
    EXPECT_EQ(0, CCondition::GetChoiceIds(0, nullptr));
}

TEST_F(ConditionTest, ListTextsAndColumns)
{
    CCondition* c = NewCondition(condkind::TalkIn);
    c->SetValue(condkey::ProtocolIndex, 3);
    std::vector<std::string> texts;
    EXPECT_EQ(5, c->GetListTexts(1, texts));
    EXPECT_EQ((std::vector<std::string>{"Name", "ID", "Funktion", "Auswahl", "Pegel"}), texts);
    texts.clear();
    EXPECT_EQ(5, c->GetListTexts(0, texts));
    EXPECT_EQ("IN3 OFF Bedingung", texts[0]);
    EXPECT_EQ("IN3", texts[2]);
    EXPECT_EQ("3", texts[3]);
    EXPECT_EQ("OFF", texts[4]);
    std::vector<ListColumn> cols;
    c->GetListColumns(cols);
    ASSERT_EQ(5u, cols.size());
    EXPECT_EQ(110, cols[3].xMm);
}

TEST_F(ConditionTest, PadsFindTheirConditionsThroughTheLevelText)
{
    CControlPad* pad = NewPad(padkind::InterfaceIn, "Netz");
    CCondition* off = NewCondition(condkind::Inp);
    off->SetValue(condkey::Object, pad->GetNumber());
    CCondition* on = NewCondition(condkind::Inp);
    on->SetValue(condkey::Object, pad->GetNumber());
    on->SetValue(condkey::Level, 1);
    EXPECT_EQ(on, pad->FindLinkedByState(1));
    EXPECT_EQ(off, pad->FindLinkedByState(0));
    // A whole-word edit: a pad called "MONITOR" keeps its letters.
    pad->SetName("MONITOR");
    CCondition* c = NewCondition(condkind::Inp);
    c->SetValue(condkey::Object, pad->GetNumber());
    c->SetValue(condkey::Level, 1);
    EXPECT_EQ("MONITOR ON Bedingung", c->GetName());
    c->SetValue(condkey::Level, 0);
    EXPECT_EQ("MONITOR OFF Bedingung", c->GetName());
}

TEST_F(ConditionTest, DocumentSequenceServiceUsesTheRealCondition)
{
    CControlPad* pad = NewPad(padkind::InterfaceIn, "Rec");
    CBaseDevice* c = CQuillomerDoc::CreateSequenceCondition(&Doc(), pad, 1);
    auto* cond = dynamic_cast<CCondition*>(c);
    ASSERT_NE(nullptr, cond);
    EXPECT_EQ(1u, cond->m_level);
    EXPECT_EQ("Rec_ON", cond->GetName());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Inp), cond->GetKindId());
    EXPECT_EQ(c, CQuillomerDoc::CreateSequenceCondition(&Doc(), pad, 1));  // found again
}

TEST_F(ConditionTest, PowerManagementPlaceholdersAreRealConditionsAndMacros)
{
    auto* pm = new CInternalPowerManagement;
    ASSERT_EQ(1, pm->Create(34557, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_AUDIO, 0, 3, &Doc()));
    Doc().AddObject(pm, CAT_AUDIO);
    ASSERT_EQ(1, pm->SetValue(powerkey::MainsCond, 5));
    ASSERT_EQ(1, pm->SetValue(powerkey::BootMacro, 9));
    auto* cond = dynamic_cast<CCondition*>(Doc().GetIDManager().GetBaseDevice(5, OT_CONDITION));
    auto* macro = dynamic_cast<CMacro*>(Doc().GetIDManager().GetBaseDevice(9, OT_MACRO));
    ASSERT_NE(nullptr, cond);
    ASSERT_NE(nullptr, macro);
    EXPECT_EQ("5 *", cond->GetName());
    EXPECT_EQ("9 *", macro->GetName());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Plain), cond->GetKindId());
    EXPECT_EQ(5, pm->GetValue(powerkey::MainsCond));
    EXPECT_EQ(9, pm->GetValue(powerkey::BootMacro));
    std::vector<std::string> lines;
    EXPECT_EQ("EMPTY", macro->GetParamLines(lines));  // a macro without a type writes nothing
    EXPECT_TRUE(lines.empty());

    // Numbers beyond the standard device's conditions and macros make none,
    // and the condition and macro the design names stay: a download must not
    // send "none" in place of the device's.
    Doc().m_data.deviceVariant = 0;
    pm->SetValue(powerkey::MainsCond, 101);
    pm->SetValue(powerkey::BootMacro, 81);
    EXPECT_EQ(nullptr, Doc().GetIDManager().GetBaseDevice(101, OT_CONDITION));
    EXPECT_EQ(nullptr, Doc().GetIDManager().GetBaseDevice(81, OT_MACRO));
    EXPECT_EQ(5, pm->GetValue(powerkey::MainsCond));
    EXPECT_EQ(9, pm->GetValue(powerkey::BootMacro));
}

TEST_F(ConditionTest, OldestSchemasKeepTheLevelOfTheirText)
{
    NewNumbered<CMemoFlag>(34130, 3, CAT_DIGITAL_IO);
    CCondition* on = LoadIntoDoc(1, Concat(Common(condkind::Memo, 1), OldOwn("MEMO", 3, "ON")));
    CCondition* off = LoadIntoDoc(0, Concat(Common(condkind::Memo, 2), OldOwn("MEMO", 3, "OFF")));
    ASSERT_TRUE(on && off);
    on->PostLoad();
    off->PostLoad();
    EXPECT_EQ(1u, on->m_level);
    EXPECT_EQ(0u, off->m_level);
    EXPECT_EQ(3, on->GetValue(condkey::Object));
    EXPECT_EQ(static_cast<uint32_t>(condkind::Memo), on->GetKindId());
}
