// Ready inputs: stored form of every schema, values, and the document's
// creation of one for the message-device set-up.

#include <gtest/gtest.h>

#include "logic/CReadyInput.h"
#include "model/CControlPad.h"
#include "support/DocObjectTest.h"

using namespace blocktest;

namespace {
class ReadyInputTest : public DocObjectTest {};

Bytes OwnData(int schema, const std::string& level, const std::string& mask)
{
    Bytes b;
    PutText(b, "SLOT5_IN");
    PutU32(b, 9);
    PutText(b, level);
    PutText(b, level);
    PutText(b, mask);
    PutText(b, "");
    PutI32(b, 12);  // device number
    if (schema >= 2)
        PutI32(b, 4);  // text number
    if (schema >= 3) {
        PutI32(b, 0);  // level
        PutI32(b, 1);  // masked
    }
    return b;
}
}  // namespace

TEST_F(ReadyInputTest, StoredFormOfEverySchema)
{
    CReadyInput proto;
    proto.m_kindId = CReadyInput::kKindId;
    proto.m_number = 3;
    const Bytes common = StoreCommon(proto);
    proto.m_keyword = "SLOT5_IN";
    proto.m_untakenIndex = 9;
    proto.m_levelText = proto.m_maskText = "ON";
    proto.m_deviceNumber = 12;
    proto.m_textNumber = 4;
    proto.m_masked = 1;
    EXPECT_EQ(OwnData(3, "ON", "ON"), StoreOwnData(proto));
    EXPECT_EQ(3, CReadyInput::classInfo.schema);

    struct Case {
        uint16_t schema;
        int32_t text, level, masked;
    };
    for (const Case& c : {Case{1, 1, 1, 0}, Case{2, 4, 1, 0}, Case{3, 4, 0, 1}}) {
        auto loaded = LoadTagged("CReadyInput", c.schema, Concat(common, OwnData(c.schema, "ON", "OFF")));
        auto& ri = dynamic_cast<CReadyInput&>(*loaded);
        EXPECT_EQ(c.text, ri.m_textNumber) << c.schema;
        EXPECT_EQ(c.level, ri.m_level) << c.schema;
        EXPECT_EQ(c.masked, ri.m_masked) << c.schema;
        EXPECT_EQ(12, ri.m_deviceNumber);
        EXPECT_EQ("SLOT5_IN", ri.m_keyword);
    }
}

TEST_F(ReadyInputTest, TypedValuesAreLimitedAndTextsWithoutContact)
{
    auto* ri = NewNumbered<CReadyInput>(CReadyInput::kKindId, 1, CAT_DIGITAL_IO);
    EXPECT_EQ("OFF", ri->GetValueText(CReadyInput::Function));
    EXPECT_EQ("1", ri->GetValueText(CReadyInput::Index));
    for (auto [text, want] : {std::pair{"0", 1}, {"19", 18}, {"x", 18}}) {
        ri->SetValueText(CReadyInput::TextNumber, text);
        EXPECT_EQ(want, ri->m_textNumber) << text;
    }
    ri->SetValueText(CReadyInput::DeviceNumber, "300");
    EXPECT_EQ(255, ri->m_deviceNumber);
    EXPECT_EQ("/READYINP/ENTRY1", ri->GetPath());
    EXPECT_EQ(nullptr, Doc().LookupPath("/READYINP/ENTRY1"));
}

TEST_F(ReadyInputTest, DocumentCreatesTheSequenceReadyInput)
{
    auto* pad = new CControlPad;
    ASSERT_EQ(1, pad->Create(padkind::SlotIn, 1, 1, std::string("IN1"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &Doc()));
    Doc().AddObject(pad, CAT_DIGITAL_IO);
    CBaseDevice* made = Doc().CreateSequenceReadyInput(pad, "Ansage");
    auto* ri = dynamic_cast<CReadyInput*>(made);
    ASSERT_NE(nullptr, ri);
    EXPECT_EQ("READYINP-1 Ansage", ri->GetName());
    EXPECT_EQ(pad->GetNumber(), ri->GetLinkedNumber(0));
    EXPECT_EQ(2, ri->GetOutLinkAtKey(0)->partnerKey);

    // The file keeps it.
    const Bytes file = Doc().SaveToBytes();
    ActiveDoc other;
    ASSERT_TRUE(other.doc().LoadFromBytes(file));
    auto* back = dynamic_cast<CReadyInput*>(other.doc().GetIDManager().GetBaseDevice(1, OT_READY_INPUT));
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(1, back->GetLinkedNumber(0));
}
