// Analog, busy and combined conditions: stored forms of every schema, values
// and limits, and the lines of one entry.

#include <gtest/gtest.h>

#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CMemoFlag.h"
#include "paging/CGroup.h"
#include "paging/CZone.h"
#include "support/DocObjectTest.h"

using namespace blocktest;
using Lines = std::vector<std::string>;

namespace {
class ConditionTables : public DocObjectTest {};
}  // namespace

TEST_F(ConditionTables, AnalogBoundsAndLines)
{
    auto* a = NewNumbered<CAnalogCondition>(34358, 1, CAT_DIGITAL_IO);
    Lines lines;
    EXPECT_EQ(1, a->GetEntryLines(lines));
    EXPECT_EQ(Lines{"/LMZ775 OFF"}, lines);
    a->ParseValue(1, "12.5");
    EXPECT_EQ(10.0f, a->m_min);
    a->ParseValue(1, "-1");
    EXPECT_EQ(0.0f, a->m_min);
    a->ParseValue(2, "4.25");
    a->ParseValue(2, "abc");
    EXPECT_EQ(4.25f, a->m_max);
    EXPECT_EQ("4.2", a->GetText(2).substr(0, 3));

    // A signal index that names no pad is reported, the condition stays unlinked.
    const std::string err = testing::TempDir() + "analog.err";
    std::remove(err.c_str());
    a->SetValue(3, 9, &err);
    EXPECT_EQ(nullptr, a->GetOutLinkAtKey(0));
    FILE* f = std::fopen(err.c_str(), "rb");
    ASSERT_NE(nullptr, f);
    char buf[200] = {};
    std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    EXPECT_EQ("Bereichspr\xFC" "fung 1 : LMZ775 Eingang 9 fehlt\r\n", std::string(buf));
}

TEST_F(ConditionTables, BusyTextsLinesAndZones)
{
    auto* b = NewNumbered<CBusyCondition>(34456, 1, CAT_DIGITAL_IO);
    b->SetValue(0, CBusyCondition::AudioAlarm | CBusyCondition::AudioPage1);
    b->ParseValue(3, "7");
    b->m_outputs = "1-4";
    EXPECT_EQ("ALARM,Durchsage 1", b->GetText(0));
    EXPECT_EQ("7", b->GetText(3));
    EXPECT_EQ("Alle", b->GetText(6));
    Lines lines;
    EXPECT_EQ(5, b->GetEntryLines(lines));
    EXPECT_EQ((Lines{"/AUDIO ALARM,PAGE1", "/OUTPUTS 1-4", "/ZONES NONE", "/FULL OFF", "/PRIO 70"}), lines);
    b->ParseValue(3, "15");
    EXPECT_EQ(100, b->m_priority);
    b->ParseValue(0, "NONE");
    EXPECT_EQ(0u, b->m_audio);

    // "ALL" goes out as the zones reached through the links, never as the word.
    auto* z2 = NewNumbered<CZone>(34457, 2, CAT_ZONE);
    auto* z5 = NewNumbered<CZone>(34457, 5, CAT_ZONE);
    auto* z6 = NewNumbered<CZone>(34457, 6, CAT_ZONE);
    auto* all = NewNumbered<CGroup>(34462, 0, CAT_GROUP);
    auto* inner = NewNumbered<CGroup>(34462, 3, CAT_GROUP);
    all->LinkTo(0, inner, 0);
    inner->LinkTo(0, z5, 0);
    inner->LinkTo(1, z6, 0);
    b->SetZones({z2, all});
    EXPECT_EQ("ALL", b->m_zones);
    EXPECT_EQ("Alle", b->GetText(4));
    b->GetEntryLines(lines);
    EXPECT_EQ("/ZONES 2,5-6", lines[2]);
    b->SetZones({z2});
    EXPECT_EQ("2", b->m_zones);
    DeviceList linked;
    b->GetZonesAndGroups(linked);
    EXPECT_EQ(DeviceList{z2}, linked);

    // Read back: the zones named are linked, those linked before stay.
    b->ParseValue(1, "5,9");
    EXPECT_EQ("5,9", b->m_zones);
    EXPECT_NE(nullptr, b->GetOutLinkTo(z5));
    EXPECT_NE(nullptr, b->GetOutLinkTo(z2));
}

TEST_F(ConditionTables, CombineInputsAndLines)
{
    auto* c = NewNumbered<CCombineCondition>(34359, 1, CAT_DIGITAL_IO);
    c->SetValue(5, 17);
    c->SetValue(4, 1);
    Lines lines;
    EXPECT_EQ(1, c->GetEntryLines(lines));  // logic OFF: one line even with inputs
    auto* made = dynamic_cast<CCondition*>(Doc().GetIDManager().GetBaseDevice(17, OT_CONDITION));
    ASSERT_NE(nullptr, made);
    EXPECT_EQ("17 *", made->GetName());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Plain), made->GetKindId());
    EXPECT_EQ("17 *", c->GetText(5));
    EXPECT_EQ("NOT", c->GetText(4));

    c->ParseValue(0, "XOR");
    c->ParseValue(0, "NAND");
    EXPECT_EQ("XOR", c->GetText(0));
    EXPECT_EQ(9, c->GetEntryLines(lines));
    EXPECT_EQ((Lines{"/LOGIC XOR", "/COND1/INV OFF", "/COND1/IDX 0", "/COND2/INV ON", "/COND2/IDX 17",
                     "/COND3/INV OFF", "/COND3/IDX 0", "/COND4/INV OFF", "/COND4/IDX 0"}),
              lines);
    c->SetValue(5, 0);
    EXPECT_EQ(0, c->GetValue(5));
    EXPECT_NE(nullptr, Doc().GetIDManager().GetBaseDevice(17, OT_CONDITION));  // the input stays
}

TEST_F(ConditionTables, StoredFormsRoundTripAndOlderSchemasLoad)
{
    auto* a = NewNumbered<CAnalogCondition>(34358, 1, CAT_DIGITAL_IO);
    a->SetLimit(1, 1.5f);
    a->SetLimit(2, 9.0f);
    auto* b = NewNumbered<CBusyCondition>(34456, 1, CAT_DIGITAL_IO);
    b->m_audio = 6;
    b->m_zones = "1-3";
    b->m_full = 1;
    b->m_priority = 40;
    b->m_outputs = "2";
    auto* c = NewNumbered<CCombineCondition>(34359, 1, CAT_DIGITAL_IO);
    c->m_logic = 34469;
    c->m_invert[3] = 1;

    Bytes expectA, expectB, expectC;
    PutF32(expectA, 1.5f);
    PutF32(expectA, 9.0f);
    PutU32(expectB, 6);
    PutText(expectB, "1-3");
    PutU32(expectB, 1);
    PutU32(expectB, 40);
    PutText(expectB, "2");
    for (uint32_t v : {34469u, 0u, 0u, 0u, 1u})
        PutU32(expectC, v);
    EXPECT_EQ(expectA, StoreOwnData(*a));
    EXPECT_EQ(expectB, StoreOwnData(*b));
    EXPECT_EQ(expectC, StoreOwnData(*c));

    auto la = LoadTagged("CAnalogCondition", 4, StoreData(*a));
    auto lb = LoadTagged("CBusyCondition", 3, StoreData(*b));
    auto lc = LoadTagged("CCombineCondition", 4, StoreData(*c));
    EXPECT_EQ(9.0f, dynamic_cast<CAnalogCondition&>(*la).m_max);
    EXPECT_EQ("2", dynamic_cast<CBusyCondition&>(*lb).m_outputs);
    EXPECT_EQ(40, dynamic_cast<CBusyCondition&>(*lb).m_priority);
    EXPECT_EQ(1u, dynamic_cast<CCombineCondition&>(*lc).m_invert[3]);

    // Older schemas: no bounds / logic before 4; the busy audio word held one kind id before 3.
    for (uint16_t schema : {0, 1, 2, 3}) {
        auto oa = LoadTagged("CAnalogCondition", schema, StoreCommon(*a));
        EXPECT_EQ(0.0f, dynamic_cast<CAnalogCondition&>(*oa).m_max);
        auto oc = LoadTagged("CCombineCondition", schema, StoreCommon(*c));
        EXPECT_EQ(34235u, dynamic_cast<CCombineCondition&>(*oc).m_logic);
    }
    EXPECT_EQ("0", dynamic_cast<CBusyCondition&>(*LoadTagged("CBusyCondition", 1, StoreCommon(*b))).m_zones);
    Bytes old;
    PutU32(old, 34259);
    PutText(old, "4");
    PutU32(old, 0);
    PutU32(old, 30);
    auto ob = LoadTagged("CBusyCondition", 2, Concat(StoreCommon(*b), old));
    auto& busy2 = dynamic_cast<CBusyCondition&>(*ob);
    EXPECT_EQ(4u, busy2.m_audio);
    EXPECT_EQ("0", busy2.m_outputs);
    EXPECT_EQ("4", busy2.m_zones);
}
