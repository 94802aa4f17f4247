// Triggers: stored form of schemas 1 to 3, time limits, references that
// create missing conditions and macros, and the after-load repairs.

#include <gtest/gtest.h>

#include "logic/CCondition.h"
#include "logic/CTrigger.h"
#include "macros/CMacro.h"
#include "model/CQuillomerDoc.h"
#include "support/BlockTestSupport.h"
#include "support/DocObjectTest.h"

using namespace blocktest;

namespace {

class TriggerTest : public ::testing::Test {
protected:
    CQuillomerDoc& Doc() { return doc.doc(); }
    CTrigger* NewTrigger()
    {
        return NewPlacedIn<CTrigger>(Doc(), CTrigger::kKindId, CAT_DIGITAL_IO, 3);
    }
    static Bytes Common(int32_t number)
    {
        CTrigger proto;
        proto.m_kindId = CTrigger::kKindId;
        proto.m_name = "T";
        proto.m_category = CAT_DIGITAL_IO;
        proto.m_inputCount = proto.m_outputCount = 1;
        proto.m_number = number;
        return StoreCommon(proto);
    }
    CTrigger* LoadIntoDoc(uint16_t schema, const Bytes& own, int32_t number)
    {
        return LoadIntoDocument<CTrigger>(Doc(), "CTrigger", schema, Concat(Common(number), own), CAT_DIGITAL_IO);
    }
    static Bytes Schema2(const std::string& timeText)
    {
        Bytes b;
        PutText(b, "a");
        PutText(b, "b");
        PutText(b, "c");
        PutText(b, timeText);
        return b;
    }

    ActiveDoc doc;
};

}  // namespace

TEST_F(TriggerTest, StoresThreeTextsTimeTextAndTime)
{
    CTrigger* t = NewTrigger();
    EXPECT_EQ("Trigger 1", t->GetName());
    t->m_text2 = "x";
    t->m_timeText = "2.5";
    t->SetTime(triggerkey::Time, 2.5f);
    Bytes e;
    PutText(e, "");
    PutText(e, "x");
    PutText(e, "");
    PutText(e, "2.5");
    PutF32(e, 2.5f);
    EXPECT_EQ(e, StoreOwnData(*t));
    EXPECT_EQ(3u, CTrigger::classInfo.schema);
    auto back = LoadTagged("CTrigger", 3, StoreData(*t), nullptr);
    EXPECT_EQ(2.5f, dynamic_cast<CTrigger*>(back.get())->GetTime());
}

TEST_F(TriggerTest, OlderSchemasTakeTheTimeFromTheText)
{
    CTrigger* high = LoadIntoDoc(2, Schema2("30"), 1);
    CTrigger* low = LoadIntoDoc(2, Schema2("-1"), 2);
    CTrigger* text = LoadIntoDoc(2, Schema2("abc"), 3);
    Bytes one;
    PutText(one, "a");
    PutText(one, "b");
    PutU32(one, 0xDEADBEEF);  // read and dropped
    PutText(one, "4.5");
    CTrigger* s1 = LoadIntoDoc(1, one, 4);
    ASSERT_TRUE(high && low && text && s1);
    EXPECT_EQ(25.0f, high->GetTime());
    EXPECT_EQ(0.0f, low->GetTime());
    EXPECT_EQ(0.0f, text->GetTime());
    EXPECT_EQ(4.5f, s1->GetTime());
    EXPECT_EQ("a", s1->m_text1);
    EXPECT_EQ("", s1->m_text3);
}

TEST_F(TriggerTest, EmptyOldTriggersDeleteThemselvesAfterLoading)
{
    CTrigger* empty = LoadIntoDoc(2, Schema2("0"), 1);
    CTrigger* timed = LoadIntoDoc(2, Schema2("3"), 2);
    ASSERT_TRUE(empty && timed);
    CTrigger* fresh = NewTrigger();  // made now: never an old file's trigger
    EXPECT_EQ(1, empty->PostLoad());
    EXPECT_EQ(1, timed->PostLoad());
    EXPECT_EQ(1, fresh->PostLoad());
    EXPECT_EQ(nullptr, Doc().GetIDManager().GetBaseDevice(1, OT_TRIGGER));
    EXPECT_EQ(timed, Doc().GetIDManager().GetBaseDevice(2, OT_TRIGGER));
    EXPECT_EQ(fresh, Doc().GetIDManager().GetBaseDevice(fresh->GetNumber(), OT_TRIGGER));
    EXPECT_EQ(2u, Doc().GetList(CAT_DIGITAL_IO).size());
}

TEST_F(TriggerTest, ValuesLinkAndCreateMissingObjects)
{
    CTrigger* t = NewTrigger();
    t->SetValue(triggerkey::OnMacro, 7);
    auto* macro = dynamic_cast<CMacro*>(Doc().GetIDManager().GetBaseDevice(7, OT_MACRO));
    ASSERT_NE(nullptr, macro);
    EXPECT_EQ("7 *", macro->GetName());
    EXPECT_EQ(7, t->GetValue(triggerkey::OnMacro));
    ASSERT_NE(nullptr, t->GetOutLinkAtKey(0));
    EXPECT_EQ(0, t->GetOutLinkAtKey(0)->partnerKey);
    ASSERT_NE(nullptr, macro->GetInLinkAtKey(0));

    t->SetValue(triggerkey::OffMacro, 7);  // the same macro at both keys
    t->SetValue(triggerkey::Condition, 4);
    auto* cond = dynamic_cast<CCondition*>(Doc().GetIDManager().GetBaseDevice(4, OT_CONDITION));
    ASSERT_NE(nullptr, cond);
    EXPECT_EQ("4 *", cond->GetName());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Plain), cond->GetKindId());
    EXPECT_EQ(4, t->GetValue(triggerkey::Condition));
    EXPECT_EQ("4 *", t->GetValueText(triggerkey::Condition));
    t->SetTime(triggerkey::Time, 1.25f);
    EXPECT_EQ("1.2", t->GetValueText(triggerkey::Time).substr(0, 3));

    t->SetValue(triggerkey::OnMacro, 0);
    EXPECT_EQ(0, t->GetValue(triggerkey::OnMacro));
    EXPECT_EQ(7, t->GetValue(triggerkey::OffMacro));
    EXPECT_EQ(1u, macro->m_inLinks.size());

    std::vector<std::string> texts;
    EXPECT_EQ(6, t->GetListTexts(1, texts));
    EXPECT_EQ((std::vector<std::string>{"Name", "ID", "Bedingung", "Zeit", "ON Makro", "OFF Makro"}), texts);
    texts.clear();
    t->GetListTexts(0, texts);
    EXPECT_EQ((std::vector<std::string>{"Trigger 1", "1", "4 *", t->GetValueText(1), "", "7 *"}), texts);
    std::vector<ListColumn> cols;
    EXPECT_EQ(1, t->GetListColumns(cols));
    ASSERT_EQ(6u, cols.size());
    EXPECT_EQ(95, cols[4].xMm);
}

TEST_F(TriggerTest, DuplicateLinksOfAFileAreReducedToOnePerKey)
{
    CTrigger* t = LoadIntoDoc(3, Concat(Schema2("1"), Bytes{0, 0, 0x80, 0x3F}), 1);
    ASSERT_NE(nullptr, t);
    auto* m = new CMacro;
    ASSERT_EQ(1, m->Create(macrotype::Page, "m", 5, CAT_MACRO, &Doc()));
    Doc().AddObject(m, CAT_MACRO);
    for (int i = 0; i < 2; ++i) {
        t->LinkTo(0, m, 0);
        t->LinkTo(1, m, 0);
    }
    ASSERT_EQ(4u, t->m_outLinks.size());
    t->PostLoad();
    EXPECT_EQ(2u, t->m_outLinks.size());
    EXPECT_EQ(2u, m->m_inLinks.size());
    EXPECT_EQ(5, t->GetValue(triggerkey::OnMacro));
    EXPECT_EQ(5, t->GetValue(triggerkey::OffMacro));
}
