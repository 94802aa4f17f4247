#include <gtest/gtest.h>

#include "macros/CMacroObject.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

TEST(MacroObject, IdentityAndStoredForm)
{
    CMacroObject obj;
    EXPECT_EQ(57u, obj.GetType());
    EXPECT_EQ(1, CMacroObject::classInfo.schema);
    obj.SetName("Makroobjekt 1");
    EXPECT_TRUE(StoreOwnData(obj).empty());
    auto loaded = LoadTagged("CMacroObject", 1, StoreData(obj));
    ASSERT_NE(nullptr, dynamic_cast<CMacroObject*>(loaded.get()));
    EXPECT_EQ("Makroobjekt 1", loaded->GetName());
    // Loaded, the block is named by the program, in the language in use.
    EXPECT_EQ(1, loaded->PostLoad());
    EXPECT_EQ("Makro", loaded->GetName());
    auto english = LoadTagged("CMacroObject", 1, StoreData(obj));
    const StringTranslator previous =
        SetStringTranslator([](uint32_t, const std::string& german) { return "English " + german; });
    EXPECT_EQ(1, english->PostLoad());
    SetStringTranslator(previous);
    EXPECT_EQ("English Makro", english->GetName());
}

TEST(MacroObject, CreationEntersTheBlockPathOnce)
{
    ActiveDoc d;
    auto* obj = new CMacroObject;
    ASSERT_EQ(1, obj->Create(CMacroObject::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, d.get()));
    d.doc().AddObject(obj, CAT_AUDIO);
    EXPECT_EQ(1, obj->GetNumber());
    EXPECT_EQ("/MACRO", obj->GetPath());
    EXPECT_EQ(obj, d.doc().LookupPath("/MACRO"));
    EXPECT_EQ(1u, d.doc().GetPathMap().count("/MACRO"));
    ASSERT_EQ(1, obj->InitObject());
    EXPECT_EQ(1u, d.doc().GetPathMap().count("/MACRO"));
    EXPECT_EQ(obj, d.doc().GetIDManager().GetBaseDevice(1, OT_MACRO_OBJECT));
}
