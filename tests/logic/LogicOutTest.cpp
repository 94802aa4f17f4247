// Logic outputs: stored form of schemas 1 and 2, the contact found from a
// keyword and index, and the condition reference.

#include <gtest/gtest.h>

#include <cstdio>

#include "hardware/CDigitalSlot.h"
#include "logic/CCondition.h"
#include "logic/CLogicOut.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/DocObjectTest.h"

using namespace blocktest;

namespace {

class LogicOutTest : public ::testing::Test {
protected:
    CQuillomerDoc& Doc() { return doc.doc(); }
    CLogicOut* NewLogicOut()
    {
        return NewPlacedIn<CLogicOut>(Doc(), CLogicOut::kKindId, CAT_DIGITAL_IO, 3);
    }
    // A digital slot output pad at slot key `key` (signal index key + 1).
    CControlPad* SlotOutput(int32_t key)
    {
        if (!m_slot) {
            m_slot = new CDigitalSlot;
            EXPECT_EQ(1, m_slot->Create(1, 8, 8, std::string("Slot5"), 1933, 2468, 2163, 2628, CAT_DIGITAL_SLOT, 0, 0,
                                        &Doc()));
            Doc().AddObject(m_slot, CAT_DIGITAL_SLOT);
        }
        auto* pad = new CControlPad;
        EXPECT_EQ(1, pad->Create(padkind::SlotOut, 1, 1, StrFormat("OUT%d", key + 1), 2200, 2500, 0, 0,
                                 CAT_DIGITAL_IO, 0, 9, &Doc()));
        Doc().AddObject(pad, CAT_DIGITAL_IO);
        pad->LinkTo(0, m_slot, key);
        return pad;
    }

    ActiveDoc doc;
    CDigitalSlot* m_slot = nullptr;
};

}  // namespace

TEST_F(LogicOutTest, StoresTheInvertFlagAndSkipsTheOldTable)
{
    CLogicOut* lo = NewLogicOut();
    EXPECT_EQ("Logikzustand 1", lo->GetName());
    lo->SetValue(logicoutkey::Invert, 1);
    Bytes e;
    PutU32(e, 1);
    EXPECT_EQ(e, StoreOwnData(*lo));
    EXPECT_EQ(2u, CLogicOut::classInfo.schema);

    const Bytes common = StoreCommon(*lo);
    auto old = LoadTagged("CLogicOut", 1, Concat(common, Bytes(240, 0xAB)), nullptr);
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(0, dynamic_cast<CLogicOut*>(old.get())->GetValue(logicoutkey::Invert));
    auto now = LoadTagged("CLogicOut", 2, StoreData(*lo), nullptr);
    EXPECT_EQ(1, dynamic_cast<CLogicOut*>(now.get())->GetValue(logicoutkey::Invert));
}

TEST_F(LogicOutTest, WithoutContactTheTextsReadOffAndOne)
{
    CLogicOut* lo = NewLogicOut();
    EXPECT_EQ("OFF", lo->GetValueText(logicoutkey::Function));
    EXPECT_EQ("1", lo->GetValueText(logicoutkey::Index));
    EXPECT_EQ(1, lo->GetValue(logicoutkey::Index));
    EXPECT_EQ("OFF", lo->GetValueText(logicoutkey::Invert));
    EXPECT_EQ("", lo->GetValueText(logicoutkey::Contact));
}

TEST_F(LogicOutTest, IndexFindsTheContactOfTheStoredKeyword)
{
    SlotOutput(1);
    CControlPad* out3 = SlotOutput(2);
    CLogicOut* lo = NewLogicOut();
    lo->SetValueText(logicoutkey::Function, "SLOT5_OUT");
    lo->SetValue(logicoutkey::Index, 3);
    EXPECT_EQ(out3->GetNumber(), lo->GetValue(logicoutkey::Contact));
    EXPECT_EQ("SLOT5_OUT", lo->GetValueText(logicoutkey::Function));
    EXPECT_EQ("3", lo->GetValueText(logicoutkey::Index));
    EXPECT_EQ("OUT3", lo->GetValueText(logicoutkey::Contact));
    ASSERT_NE(nullptr, out3->GetInLinkAtKey(0));

    // An index no contact carries leaves the link and reports the mismatch.
    const std::string diff = ::testing::TempDir() + "/logicout.err";
    std::remove(diff.c_str());
    lo->SetValue(logicoutkey::Index, 9, &diff);
    EXPECT_EQ(out3->GetNumber(), lo->GetValue(logicoutkey::Contact));
    FILE* f = std::fopen(diff.c_str(), "rb");
    ASSERT_NE(nullptr, f);
    char buf[256] = {};
    const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    EXPECT_EQ("Logikzustand 1 : Label SLOT5_OUT 9 fehlt\r\n", std::string(buf, n));

    lo->SetValue(logicoutkey::Contact, 0);
    EXPECT_EQ(0, lo->GetValue(logicoutkey::Contact));
    EXPECT_EQ(nullptr, out3->GetInLinkAtKey(0));
}

TEST_F(LogicOutTest, ConditionReferenceCreatesAMissingCondition)
{
    CLogicOut* lo = NewLogicOut();
    lo->SetValue(logicoutkey::Condition, 7);
    auto* cond = dynamic_cast<CCondition*>(Doc().GetIDManager().GetBaseDevice(7, OT_CONDITION));
    ASSERT_NE(nullptr, cond);
    EXPECT_EQ("7 *", cond->GetName());
    EXPECT_EQ(7, lo->GetValue(logicoutkey::Condition));
    EXPECT_EQ("7 *", lo->GetValueText(logicoutkey::Condition));
    ASSERT_NE(nullptr, lo->GetOutLinkAtKey(1));
    EXPECT_EQ(0, lo->GetOutLinkAtKey(1)->partnerKey);
    lo->SetValue(logicoutkey::Condition, 0);
    EXPECT_TRUE(cond->m_inLinks.empty());
    EXPECT_NE(nullptr, Doc().GetIDManager().GetBaseDevice(7, OT_CONDITION));  // stays

    std::vector<std::string> texts;
    EXPECT_EQ(5, lo->GetListTexts(1, texts));
    EXPECT_EQ((std::vector<std::string>{"Name", "ID", "Output", "Bedingung", "Inv."}), texts);
    std::vector<ListColumn> cols;
    EXPECT_EQ(1, lo->GetListColumns(cols));
    EXPECT_EQ(5u, cols.size());
}
