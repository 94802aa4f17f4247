#include <gtest/gtest.h>

#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/CMemoFlag.h"
#include "logic/CGlobalReadyInput.h"
#include "logic/CLogicOutObject.h"
#include "logic/CTriggerObject.h"
#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
struct Expected {
    uint32_t type;
    int32_t category;
    const char* path;
};
constexpr Expected kBlocks[] = {
    {OT_CONDITION_OBJECT, CAT_AUDIO, "/CONDITION"},
    {OT_TRIGGER_OBJECT, CAT_DIGITAL_IO, "/TRIGGER"},
    {OT_LOGIC_OUT_OBJECT, CAT_AUDIO, "/LOGICOUT"},
    {OT_GLOBAL_READY_INPUT, CAT_AUDIO, "/READYINP"},
    {OT_VIRT_CTRL, CAT_AUDIO, "/VIRTCTRL"},
};

void ExpectBlocks(CQuillomerDoc& doc)
{
    for (const Expected& e : kBlocks) {
        CBaseDevice* obj = doc.GetIDManager().GetBaseDevice(1, e.type);
        ASSERT_NE(nullptr, obj) << e.type;
        EXPECT_EQ(e.category, obj->GetCategory()) << e.type;
        EXPECT_EQ(obj, doc.LookupPath(e.path)) << e.path;
        EXPECT_EQ(1, doc.GetIDManager().GetCount(e.type));
    }
}
}  // namespace

TEST(LogicDocument, NewProjectHoldsTheBlocksAndTheFileKeepsThem)
{
    Bytes file;
    {
        ActiveDoc d;
        ASSERT_TRUE(d.doc().OnNewDocument());
        ExpectBlocks(d.doc());
        CIDManager& dir = d.doc().GetIDManager();
        auto* gri = dynamic_cast<CGlobalReadyInput*>(dir.GetBaseDevice(1, OT_GLOBAL_READY_INPUT));
        auto* vc = dynamic_cast<CVirtCtrl*>(dir.GetBaseDevice(1, OT_VIRT_CTRL));
        ASSERT_NE(nullptr, gri);
        ASSERT_NE(nullptr, vc);
        gri->SetValue(CGlobalReadyInput::MaskTime, "12.5");
        gri->SetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 2), "Brandmelder");
        CVirtCtrlItem* item = vc->GetOrCreateItem(5);
        ASSERT_NE(nullptr, item);
        item->SetName("Saal");
        item->SetFloat(CVirtCtrlItem::Max, 8.0f);
        vc->SetLink(CVirtCtrl::Endpoint::Out, 3, 5);
        vc->SetLink(CVirtCtrl::Endpoint::Controller, 1, 5);
        file = d.doc().SaveToBytes();
    }
    ActiveDoc d;
    ASSERT_TRUE(d.doc().LoadFromBytes(file));
    ExpectBlocks(d.doc());
    CIDManager& dir = d.doc().GetIDManager();
    EXPECT_EQ("Bedingung", dir.GetBaseDevice(1, OT_CONDITION_OBJECT)->GetName());
    EXPECT_EQ("Trigger", dir.GetBaseDevice(1, OT_TRIGGER_OBJECT)->GetName());
    auto* gri = dynamic_cast<CGlobalReadyInput*>(dir.GetBaseDevice(1, OT_GLOBAL_READY_INPUT));
    auto* vc = dynamic_cast<CVirtCtrl*>(dir.GetBaseDevice(1, OT_VIRT_CTRL));
    ASSERT_NE(nullptr, gri);
    ASSERT_NE(nullptr, vc);
    EXPECT_EQ("12.5", gri->GetValue(CGlobalReadyInput::MaskTime));
    EXPECT_EQ("Brandmelder", gri->GetValue(CGlobalReadyInput::MakeKey(CGlobalReadyInput::FaultText, 2)));
    EXPECT_EQ(5, vc->GetLink(CVirtCtrl::Endpoint::Out, 3));
    // The controller-source links are not part of the file.
    EXPECT_EQ(0, vc->GetLink(CVirtCtrl::Endpoint::Controller, 1));
    auto* item = dynamic_cast<CVirtCtrlItem*>(dir.GetBaseDevice(5, OT_VIRT_CTRL_ITEM));
    ASSERT_NE(nullptr, item);
    EXPECT_EQ("Saal", item->GetName());
    EXPECT_EQ(8.0f, item->GetFloat(CVirtCtrlItem::Max));
}

TEST(LogicDocument, ClassTagsCarryTheFileSchemas)
{
    EXPECT_EQ(3, CGlobalReadyInput::classInfo.schema);
    EXPECT_EQ(3, CVirtCtrl::classInfo.schema);
    EXPECT_EQ(2, CVirtCtrlItem::classInfo.schema);
    EXPECT_EQ(&CVirtCtrl::classInfo, CClassRegistry::Find("CVirtCtrl"));
    EXPECT_EQ(39u, CVirtCtrl().GetType());
}

TEST(LogicDocument, ConditionTablesAndMemoFlagsSurviveTheFile)
{
    Bytes file;
    {
        ActiveDoc d;
        ASSERT_TRUE(d.doc().OnNewDocument());
        auto* cond = new CCondition;
        ASSERT_EQ(1, cond->Create(condkind::Memo, "Merker", 4, CAT_DIGITAL_IO, d.get()));
        d.doc().AddObject(cond, CAT_DIGITAL_IO);
        cond->SetValue(condkey::Object, 9);  // makes memo flag 9
        cond->SetValue(condkey::Level, 1);
        auto* comb = new CCombineCondition;
        ASSERT_EQ(1, comb->Create(CCombineCondition::kKindId, "K", 2, CAT_DIGITAL_IO, d.get()));
        d.doc().AddObject(comb, CAT_DIGITAL_IO);
        comb->ParseValue(0, "AND");
        comb->SetValue(3, 4);
        auto* analog = new CAnalogCondition;
        ASSERT_EQ(1, analog->Create(CAnalogCondition::kKindId, "A", 3, CAT_DIGITAL_IO, d.get()));
        d.doc().AddObject(analog, CAT_DIGITAL_IO);
        analog->SetLimit(2, 6.5f);
        auto* busy = new CBusyCondition;
        ASSERT_EQ(1, busy->Create(CBusyCondition::kKindId, "B", 5, CAT_DIGITAL_IO, d.get()));
        d.doc().AddObject(busy, CAT_DIGITAL_IO);
        busy->ParseValue(0, "CHIME,BPROG");
        file = d.doc().SaveToBytes();
    }
    ActiveDoc d;
    ASSERT_TRUE(d.doc().LoadFromBytes(file));
    CIDManager& dir = d.doc().GetIDManager();
    ASSERT_NE(nullptr, dynamic_cast<CMemoFlag*>(dir.GetBaseDevice(9, OT_MEMO_FLAG)));
    EXPECT_EQ("9 *", dir.GetBaseDevice(9, OT_MEMO_FLAG)->GetName());
    auto* cond = dynamic_cast<CCondition*>(dir.GetBaseDevice(4, OT_CONDITION));
    ASSERT_NE(nullptr, cond);
    EXPECT_EQ(9, cond->GetValue(condkey::Object));
    EXPECT_EQ(1u, cond->m_level);
    auto* comb = dynamic_cast<CCombineCondition*>(dir.GetBaseDevice(2, OT_COMBINE_CONDITION));
    ASSERT_NE(nullptr, comb);
    EXPECT_EQ(4, comb->GetValue(3));
    EXPECT_EQ("AND", comb->GetText(0));
    auto* analog = dynamic_cast<CAnalogCondition*>(dir.GetBaseDevice(3, OT_ANALOG_CONDITION));
    ASSERT_NE(nullptr, analog);
    EXPECT_EQ(6.5f, analog->m_max);
    auto* busy = dynamic_cast<CBusyCondition*>(dir.GetBaseDevice(5, OT_BUSY_CONDITION));
    ASSERT_NE(nullptr, busy);
    EXPECT_EQ(static_cast<uint32_t>(CBusyCondition::AudioChime | CBusyCondition::AudioBackground), busy->m_audio);
}
