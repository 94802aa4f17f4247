#include <gtest/gtest.h>

#include "ModelTestObjects.h"
#include "logic/CCondition.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"

namespace {

struct SequenceTest : ::testing::Test {
    SequenceTest() { doc.OnNewDocument(); }
    CControlPad* Pad(uint32_t kind, const char* name)
    {
        auto* pad = new CControlPad;
        EXPECT_TRUE(pad->Create(kind, 1, 1, std::string(name), 500, 500, 0, 0, CAT_DIGITAL_IO, 0, 3, &doc));
        doc.AddObject(pad, CAT_DIGITAL_IO);
        return pad;
    }
    MessageLog messages;
    ModelTestHost host;
    CQuillomerDoc doc;
};

TEST_F(SequenceTest, ConditionIsMadeOnceAndNamedAfterThePad)
{
    CControlPad* pad = Pad(padkind::InterfaceIn, "Rekorder");
    CBaseDevice* on = CQuillomerDoc::CreateSequenceCondition(&doc, pad, 1);
    ASSERT_NE(on, nullptr);
    EXPECT_EQ(on->GetType(), OT_CONDITION);
    EXPECT_EQ(on->GetCategory(), CAT_DIGITAL_IO);
    EXPECT_EQ(GetConditionText(on), "ON");
    EXPECT_EQ(on->GetKindId(), padkind::InterfaceIn) << "from the pad's keyword INP";
    ASSERT_NE(on->GetOutLinkAtKey(0), nullptr);
    EXPECT_EQ(on->GetOutLinkAtKey(0)->partner, pad);
    EXPECT_EQ(on->GetOutLinkAtKey(0)->partnerKey, 1);
    EXPECT_EQ(pad->GetInLinkAtKey(1)->partner, on);
    EXPECT_EQ(pad->FindLinkedByState(1), on);
    EXPECT_EQ(CQuillomerDoc::CreateSequenceCondition(&doc, pad, 1), on) << "an existing one is reused";
    CBaseDevice* off = CQuillomerDoc::CreateSequenceCondition(&doc, pad, 0);
    ASSERT_NE(off, nullptr);
    EXPECT_NE(off, on);
    EXPECT_EQ(GetConditionText(off), "OFF");
}

TEST_F(SequenceTest, ConditionOfAPadWithoutKeywordKeepsThePlainKind)
{
    CControlPad* pad = Pad(padkind::DcfReceiver, "DCF");
    CBaseDevice* c = CQuillomerDoc::CreateSequenceCondition(&doc, pad, 1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetKindId(), 34129u);
}

TEST_F(SequenceTest, MacroPairIsMadeAndNamed)
{
    CBaseDevice* first = nullptr;
    CBaseDevice* second = reinterpret_cast<CBaseDevice*>(1);  // a second macro is wanted
    ASSERT_EQ(CQuillomerDoc::CreateSequenceMacro(&doc, 34258, "Ansage", "_Start", "_Stop", &first, &second), 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, reinterpret_cast<CBaseDevice*>(1));
    EXPECT_EQ(first->GetName(), "Ansage_Start");
    EXPECT_EQ(second->GetName(), "Ansage_Stop");
    EXPECT_EQ(first->GetType(), OT_MACRO);
    EXPECT_EQ(first->GetKindId(), 34258u);
    EXPECT_EQ(doc.GetList(CAT_MACRO).size(), 2u);
    EXPECT_NE(first->GetNumber(), second->GetNumber());

    CBaseDevice* only = nullptr;
    CBaseDevice* none = nullptr;
    ASSERT_EQ(CQuillomerDoc::CreateSequenceMacro(&doc, 34258, "Ansage", "_Start", "_Stop", &only, &none), 1);
    EXPECT_EQ(none, nullptr) << "no second macro unless asked for";
    EXPECT_EQ(only->GetName(), "Ansage_Start_1");
    EXPECT_TRUE(messages.Contains("Ansage_Start_1"));
}

}  // namespace
