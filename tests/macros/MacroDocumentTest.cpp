#include <gtest/gtest.h>

#include "macros/CMacroObject.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

TEST(MacroDocument, NewProjectHoldsTheMacroBlockAndTheFileKeepsIt)
{
    Bytes file;
    {
        ActiveDoc d;
        ASSERT_TRUE(d.doc().OnNewDocument());
        auto* obj = dynamic_cast<CMacroObject*>(d.doc().GetIDManager().GetBaseDevice(1, OT_MACRO_OBJECT));
        ASSERT_NE(nullptr, obj);
        EXPECT_EQ(CAT_AUDIO, obj->GetCategory());
        EXPECT_EQ(obj, d.doc().LookupPath("/MACRO"));
        file = d.doc().SaveToBytes();
    }
    ActiveDoc d;
    ASSERT_TRUE(d.doc().LoadFromBytes(file));
    auto* obj = dynamic_cast<CMacroObject*>(d.doc().GetIDManager().GetBaseDevice(1, OT_MACRO_OBJECT));
    ASSERT_NE(nullptr, obj);
    EXPECT_EQ("Makro", obj->GetName());
    EXPECT_EQ(obj, d.doc().LookupPath("/MACRO"));
    EXPECT_EQ(1, d.doc().GetIDManager().GetCount(OT_MACRO_OBJECT));
}
