#include <gtest/gtest.h>

#include "logic/CConditionObject.h"
#include "logic/CLogicOutObject.h"
#include "logic/CReadyInpObject.h"
#include "logic/CTriggerObject.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

TEST(LogicBlocks, TypeCodesAndClassSchemas)
{
    EXPECT_EQ(52u, CConditionObject().GetType());
    EXPECT_EQ(50u, CTriggerObject().GetType());
    EXPECT_EQ(56u, CLogicOutObject().GetType());
    EXPECT_EQ(58u, CReadyInpObject().GetType());
    EXPECT_EQ(0, CConditionObject::classInfo.schema);
    EXPECT_EQ(1, CTriggerObject::classInfo.schema);
    EXPECT_EQ(0, CLogicOutObject::classInfo.schema);
    EXPECT_EQ(0, CReadyInpObject::classInfo.schema);
}

TEST(LogicBlocks, StoreNothingBeyondTheCommonPart)
{
    CConditionObject cond;
    CTriggerObject trig;
    CLogicOutObject lout;
    CReadyInpObject rio;
    for (CBaseDevice* obj : std::initializer_list<CBaseDevice*>{&cond, &trig, &lout, &rio}) {
        obj->SetName("Block");
        obj->m_kindId = 4711;
        EXPECT_TRUE(StoreOwnData(*obj).empty());
        auto loaded = LoadTagged(obj->GetRuntimeClass()->className, obj->GetRuntimeClass()->schema, StoreData(*obj));
        ASSERT_NE(nullptr, loaded);
        EXPECT_EQ(obj->GetRuntimeClass(), loaded->GetRuntimeClass());
        EXPECT_EQ("Block", loaded->GetName());
        EXPECT_EQ(4711u, loaded->GetKindId());
    }
}

TEST(LogicBlocks, PostLoadNames)
{
    CConditionObject cond;
    EXPECT_EQ(1, cond.PostLoad());
    EXPECT_EQ("Bedingung", cond.GetName());
    CTriggerObject trig;
    EXPECT_EQ(1, trig.PostLoad());
    EXPECT_EQ("Trigger", trig.GetName());
    CLogicOutObject lout;
    lout.SetName("Logik");
    EXPECT_EQ(1, lout.PostLoad());
    EXPECT_EQ("Logik", lout.GetName());
}

TEST(LogicBlocks, PathsFromCreation)
{
    ActiveDoc d;
    auto* cond = new CConditionObject;
    ASSERT_EQ(1, cond->Create(CConditionObject::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, d.get()));
    d.doc().AddObject(cond, CAT_AUDIO);
    auto* trig = new CTriggerObject;
    ASSERT_EQ(1, trig->Create(CTriggerObject::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, d.get()));
    d.doc().AddObject(trig, CAT_DIGITAL_IO);
    auto* lout = new CLogicOutObject;
    ASSERT_EQ(1, lout->Create(CLogicOutObject::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, d.get()));
    d.doc().AddObject(lout, CAT_AUDIO);
    EXPECT_EQ(cond, d.doc().LookupPath("/CONDITION"));
    EXPECT_EQ(trig, d.doc().LookupPath("/TRIGGER"));
    EXPECT_EQ(lout, d.doc().LookupPath("/LOGICOUT"));
    EXPECT_EQ(1, cond->GetNumber());
    EXPECT_EQ(1, trig->GetNumber());
    EXPECT_EQ(1, lout->GetNumber());
}
