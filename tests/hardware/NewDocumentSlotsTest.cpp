// The slots of the central device in a new document, saved and loaded again.

#include <gtest/gtest.h>

#include "SlotTestUtil.h"
#include "hardware/CAmp.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CDigitalSlot.h"
#include "hardware/CInfoSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "hardware/CInternalSlot.h"
#include "hardware/CSpareAmp.h"
#include "model/CQuillomerDoc.h"

using namespace slottest;

namespace {

template <class T>
std::vector<T*> ObjectsOf(CQuillomerDoc& doc, int32_t category)
{
    std::vector<T*> out;
    for (CBaseDevice* obj : doc.GetList(category))
        if (auto* t = dynamic_cast<T*>(obj))
            out.push_back(t);
    return out;
}

}  // namespace

TEST(NewDocumentSlotsTest, NewDocumentHoldsTheCentralDeviceSlots)
{
    MessageRecorder messages;
    blocktest::ActiveDoc active;
    CQuillomerDoc& doc = active.doc();
    ASSERT_TRUE(doc.OnNewDocument());

    auto inputs = ObjectsOf<CAudioInputSlot>(doc, CAT_INPUT_SLOT);
    ASSERT_EQ(2u, inputs.size());
    EXPECT_EQ("SLOT1", inputs[0]->GetPath());
    EXPECT_EQ("SLOT2", inputs[1]->GetPath());
    EXPECT_FALSE(inputs[0]->IsFitted());
    auto outputs = ObjectsOf<CAudioOutputSlot>(doc, CAT_OUTPUT_SLOT);
    ASSERT_EQ(2u, outputs.size());
    EXPECT_TRUE(outputs[0]->IsFitted());
    EXPECT_DOUBLE_EQ(0.0, outputs[0]->m_volume[0]);
    EXPECT_FALSE(outputs[1]->IsFitted());
    EXPECT_DOUBLE_EQ(-80.0, outputs[1]->m_volume[1]);
    EXPECT_EQ((std::vector<std::string>{"OUT3", "OUT4"}), outputs[1]->m_outputNames);
    EXPECT_EQ(9u, ObjectsOf<CInternalSlot>(doc, CAT_INTERNAL_SLOT).size());
    EXPECT_EQ(1u, ObjectsOf<CInfoSlot>(doc, CAT_INFO).size());
    EXPECT_EQ(1u, ObjectsOf<CInterfaceSlot>(doc, CAT_INTERFACE).size());
    ASSERT_EQ(1u, ObjectsOf<CDigitalSlot>(doc, CAT_DIGITAL_SLOT).size());
    EXPECT_EQ(1u, ObjectsOf<CSpareAmp>(doc, CAT_AUDIO).size());
    EXPECT_EQ(1u, ObjectsOf<CAmp>(doc, CAT_AUDIO).size());
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(1, OT_SPARE_AMP), ObjectsOf<CSpareAmp>(doc, CAT_AUDIO)[0]);
}

TEST(NewDocumentSlotsTest, SlotSettingsSurviveSavingAndLoading)
{
    MessageRecorder messages;
    blocktest::ActiveDoc active;
    CQuillomerDoc& doc = active.doc();
    ASSERT_TRUE(doc.OnNewDocument());
    auto* in2 = ObjectsOf<CAudioInputSlot>(doc, CAT_INPUT_SLOT).at(1);
    in2->SetCardType(inputcard::MicLine2);
    in2->SetValueText(IPC_VOL, 1, "-4.5");
    in2->SetValueText(MakeInputKey(IPC_F, 1), 0, "1234.5");
    auto* out4 = ObjectsOf<CAudioOutputSlot>(doc, CAT_OUTPUT_SLOT).at(1);
    out4->OnCommand(outputcard::LineModule);
    out4->SetValue(OPC_DELAY, 1, "15");
    auto* spare = ObjectsOf<CSpareAmp>(doc, CAT_AUDIO).at(0);
    spare->SetEntry(3, "Havarie D", true, 38, 2, 0);
    auto* amp = ObjectsOf<CAmp>(doc, CAT_AUDIO).at(0);
    amp->m_records[10].text2 = "Halle";

    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    ASSERT_FALSE(bytes.empty());
    CQuillomerDoc other;
    ASSERT_TRUE(other.LoadFromBytes(bytes));

    auto* in2b = ObjectsOf<CAudioInputSlot>(other, CAT_INPUT_SLOT).at(1);
    EXPECT_EQ(inputcard::MicLine2, in2b->GetKindId());
    EXPECT_EQ(2, in2b->m_inputCount);
    EXPECT_EQ("SLOT2", in2b->GetPath());
    EXPECT_DOUBLE_EQ(-4.5, in2b->m_volume[1]);
    EXPECT_DOUBLE_EQ(1234.5, in2b->m_filters[0][1].f);
    auto* out4b = ObjectsOf<CAudioOutputSlot>(other, CAT_OUTPUT_SLOT).at(1);
    EXPECT_TRUE(out4b->IsFitted());
    EXPECT_DOUBLE_EQ(0.015, out4b->m_delay[1]);
    EXPECT_EQ(out4b, other.FindSlotByPath("SLOT4"));
    auto* spareb = ObjectsOf<CSpareAmp>(other, CAT_AUDIO).at(0);
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    EXPECT_TRUE(spareb->GetEntry(3, name, kind, index));
    EXPECT_EQ("Havarie D", name);
    EXPECT_EQ("Halle", ObjectsOf<CAmp>(other, CAT_AUDIO).at(0)->m_records[10].text2);
    auto* digital = ObjectsOf<CDigitalSlot>(other, CAT_DIGITAL_SLOT).at(0);
    EXPECT_EQ(2468, digital->GetRect().top);  // current schema: not moved
    EXPECT_EQ(5, ObjectsOf<CInterfaceSlot>(other, CAT_INTERFACE).at(0)->m_inputCount);
}
