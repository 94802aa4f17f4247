#include <gtest/gtest.h>

#include "logic/CMemoFlag.h"
#include "macros/CMacro.h"
#include "support/BlockTestSupport.h"
#include "support/DocObjectTest.h"

using namespace blocktest;

namespace {
class MemoFlagTest : public DocObjectTest {
protected:
    CMemoFlag* Flag(int n)
    {
        return dynamic_cast<CMemoFlag*>(Doc().GetIDManager().GetBaseDevice(n, OT_MEMO_FLAG));
    }
};
}  // namespace

TEST_F(MemoFlagTest, StoresOnlyTheCommonPart)
{
    CMemoFlag flag;
    EXPECT_EQ(34u, flag.GetType());
    EXPECT_EQ(1u, CMemoFlag::classInfo.schema);
    flag.SetName("Nachtbetrieb");
    EXPECT_TRUE(StoreOwnData(flag).empty());
    auto loaded = LoadTagged("CMemoFlag", 1, StoreData(flag));
    ASSERT_NE(nullptr, dynamic_cast<CMemoFlag*>(loaded.get()));
    EXPECT_EQ("Nachtbetrieb", loaded->GetName());
}

TEST_F(MemoFlagTest, MemoMacroCreatesTheFlagItNamesAndReadsItBack)
{
    auto* macro = NewPlacedIn<CMacro>(Doc(), macrotype::MemoFlag, CAT_MACRO, 9);
    macro->SetParam(12, 7);
    CMemoFlag* seven = Flag(7);
    ASSERT_NE(nullptr, seven);
    EXPECT_EQ("7 *", seven->GetName());
    EXPECT_EQ(CAT_DIGITAL_IO, seven->GetCategory());
    EXPECT_EQ(seven, Doc().LookupPath("/MEMO7"));
    EXPECT_EQ(7, macro->GetParam(40));

    macro->SetParam(12, 8);  // the new flag replaces the old one
    EXPECT_EQ(8, macro->GetParam(40));
    EXPECT_TRUE(seven->m_inLinks.empty());
    EXPECT_EQ(2, Doc().GetIDManager().GetCount(OT_MEMO_FLAG));

    std::vector<std::string> texts;
    EXPECT_EQ(2, Flag(8)->GetListTexts(1, texts));
    EXPECT_EQ(4, Flag(8)->GetListTexts(0, texts));
    EXPECT_EQ((std::vector<std::string>{"Name", "ID", "8 *", "8"}), texts);
    std::vector<ListColumn> cols;
    ASSERT_EQ(2, Flag(8)->GetListColumns(cols));
    EXPECT_EQ(30, cols[1].xMm);
    EXPECT_EQ(0, cols[1].line);
}
