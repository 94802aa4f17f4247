#include <gtest/gtest.h>

#include <cstring>

#include "ModelTestObjects.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"

namespace {

std::string TestConditionText(const CBaseDevice* c)
{
    return c->m_classValue == 1 ? "ON" : "OFF";
}

struct ControlPadTest : ::testing::Test {
    ControlPadTest() { m_oldCond = SetConditionTextFn(&TestConditionText); }
    ~ControlPadTest() override { SetConditionTextFn(m_oldCond); }

    CControlPad* MakePad(uint32_t kind, int32_t x = 500, int32_t y = 500, const char* name = "Pad")
    {
        auto* pad = new CControlPad;
        EXPECT_TRUE(pad->Create(kind, 1, 1, std::string(name), x, y, 0, 0, CAT_DIGITAL_IO, 0, 3, &doc));
        doc.AddObject(pad, CAT_DIGITAL_IO);
        return pad;
    }

    MessageLog messages;
    ModelTestHost host;
    CQuillomerDoc doc;
    ConditionTextFn m_oldCond;
};

TEST_F(ControlPadTest, SignalIndexFollowsTheContactLink)
{
    TestDevice* card1 = MakeDevice(doc, OT_LMZ771, CAT_DIGITAL_IO);
    TestDevice* card2 = MakeDevice(doc, OT_LMZ771, CAT_DIGITAL_IO);
    TestDevice* card3 = MakeDevice(doc, OT_LMZ771, CAT_DIGITAL_IO);
    ASSERT_EQ(card3->GetNumber(), 3);
    CControlPad* pad = MakePad(padkind::LMZ771);
    card3->LinkTo(4, pad, 0);
    EXPECT_EQ(pad->GetSignalIndex(), 4 + 36 - 11);
    EXPECT_EQ(pad->GetKeyword(), "LMZ771");

    TestDevice* card775 = MakeDevice(doc, OT_LMZ775, CAT_DIGITAL_IO);
    CControlPad* out = MakePad(padkind::LMZ775Out);
    out->LinkTo(0, card775, 103);
    EXPECT_EQ(out->GetSignalIndex(), 4);
    CControlPad* in = MakePad(padkind::LMZ775In);
    card775->LinkTo(2, in, 0);
    EXPECT_EQ(in->GetSignalIndex(), 2 + 8 - 7);

    CControlPad* lonely = MakePad(padkind::SlotIn);
    EXPECT_EQ(lonely->GetSignalIndex(), 0);
    (void)card1;
    (void)card2;
}

TEST_F(ControlPadTest, RelayContactsTakeTheRelayNumber)
{
    TestDevice* relay = MakeDevice(doc, OT_RELAIS, CAT_DIGITAL_IO);
    CControlPad* pad = MakePad(padkind::LMZ763);
    relay->LinkTo(0, pad, 0);
    EXPECT_EQ(pad->GetSignalIndex(), relay->GetNumber());
    auto old = CControlPad::SetRelayNumberFn([](const CBaseDevice*) { return int32_t{317}; });
    EXPECT_EQ(pad->GetSignalIndex(), 317);
    EXPECT_TRUE(pad->MatchesKeyword("LMZ763", 317));
    CControlPad::SetRelayNumberFn(old);
}

TEST_F(ControlPadTest, MatchesKeywordNeedsTextAndIndex)
{
    TestDevice* slot = MakeDevice(doc, OT_DIGITAL_SLOT, CAT_DIGITAL_SLOT, "D", CRect(0, 0, 50, 80), 8, 8);
    CControlPad* pad = MakePad(padkind::SlotIn);
    slot->LinkTo(1, pad, 0);
    EXPECT_TRUE(pad->MatchesKeyword("SLOT5_IN", 2));
    EXPECT_FALSE(pad->MatchesKeyword("SLOT5_IN", 1));
    EXPECT_FALSE(pad->MatchesKeyword("slot5_in", 2));
    EXPECT_EQ(doc.GetIDManager().FindControlPadByKeyword("SLOT5_IN", 2), pad);
    EXPECT_EQ(doc.GetIDManager().FindControlPadByKeyword("SLOT5_IN", 3), nullptr);
    CControlPad* ready = MakePad(padkind::Ready);
    EXPECT_TRUE(ready->MatchesKeyword("READY", 0));
    CControlPad* dcf = MakePad(padkind::DcfReceiver);
    EXPECT_FALSE(dcf->MatchesKeyword("", 0)) << "kinds without a keyword never match";
    CControlPad* volts = MakePad(padkind::Volts24);
    EXPECT_EQ(volts->GetKeyword(), "");
}

TEST_F(ControlPadTest, OutputKindsSitRightOfTheContactPoint)
{
    CControlPad* out = MakePad(padkind::SlotOut, 300, 200);
    EXPECT_EQ(out->m_linkMode, linkmode::DrawOutLinks);
    // The connector lies on the contact point.
    EXPECT_EQ(out->GetRect(), CRect(300, 192, 420, 208));
    EXPECT_EQ(out->m_inputPoints[0], CPoint(300, 200));
    CControlPad* in = MakePad(padkind::InterfaceIn, 300, 200);
    EXPECT_EQ(in->m_linkMode, linkmode::DrawInLinks);
    EXPECT_EQ(in->GetRect(), CRect(160, 192, 280, 208));
    EXPECT_EQ(in->m_outputPoints[0], CPoint(280, 200));
}

TEST_F(ControlPadTest, PadBitmapWidensTheSymbol)
{
    host.bitmaps[455] = CSize{12, 14};
    CControlPad* in = MakePad(padkind::SlotIn, 300, 200);
    EXPECT_EQ(in->m_bitmapId, 455u);
    EXPECT_EQ(in->GetRect().left, 160 - 12 - 3);
    CControlPad* out = MakePad(padkind::SlotOut, 300, 200);
    EXPECT_EQ(out->GetRect().right, 420 + 12 + 3);
}

TEST_F(ControlPadTest, FindLinkedByStateAndRenaming)
{
    CControlPad* pad = MakePad(padkind::Ready, 300, 200, "READY");
    TestDevice* on = MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, "c-on");
    TestDevice* off = MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, "c-off");
    on->m_classValue = 1;
    off->LinkTo(0, pad, 1);
    on->LinkTo(0, pad, 1);
    EXPECT_EQ(pad->FindLinkedByState(1), on);
    EXPECT_EQ(pad->FindLinkedByState(0), off);
    EXPECT_EQ(pad->FindLinkedByState(2), nullptr);
    std::string name = "Bereit";
    pad->SetNameUnique(name, false);
    EXPECT_EQ(off->GetName(), "OFF Bereit") << "the first condition at key 1 follows the pad's name";
}

TEST_F(ControlPadTest, DeletingIsOfferedOnlyWhenNothingDependsOnThePad)
{
    CControlPad* ready = MakePad(padkind::Ready);
    TestDevice* slot = MakeDevice(doc, OT_INTERFACE_SLOT, CAT_INTERFACE);
    ready->LinkTo(0, slot, 0);  // an output kind's own contact link
    CCmdUI del(objcmd::Delete);
    ready->OnUpdateCommand(del);
    EXPECT_TRUE(del.m_enabled);
    TestDevice* cond = MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO);
    cond->LinkTo(0, ready, 1);
    CCmdUI del2(objcmd::Delete);
    ready->OnUpdateCommand(del2);
    EXPECT_FALSE(del2.m_enabled);
    CCmdUI props(objcmd::Properties);
    ready->OnUpdateCommand(props);
    EXPECT_FALSE(props.m_enabled);
    CControlPad* in = MakePad(padkind::InterfaceIn);
    CCmdUI props2(objcmd::Properties);
    in->OnUpdateCommand(props2);
    EXPECT_TRUE(props2.m_enabled);
    in->OnCommand(objcmd::Properties);
    EXPECT_EQ(host.featureWindows, std::vector<int>{12});
}

// Replaces the schema number of a class tag in stored bytes.
void SetClassSchema(std::vector<uint8_t>& bytes, const std::string& cls, uint16_t schema)
{
    for (size_t i = 6; i + cls.size() <= bytes.size(); ++i) {
        if (std::memcmp(bytes.data() + i, cls.data(), cls.size()) == 0 && bytes[i - 2] == cls.size() &&
            bytes[i - 6] == 0xFF && bytes[i - 5] == 0xFF) {
            bytes[i - 4] = static_cast<uint8_t>(schema);
            bytes[i - 3] = static_cast<uint8_t>(schema >> 8);
            return;
        }
    }
    FAIL() << "class tag not found";
}

TEST_F(ControlPadTest, SchemaOneSlaveClockOutputIsUpgraded)
{
    TestDevice* slot = MakeDevice(doc, OT_DIGITAL_SLOT, CAT_DIGITAL_SLOT, "D", CRect(0, 0, 50, 80), 8, 8);
    CControlPad* pad = MakePad(padkind::SlotOut, 300, 200, "Uhrenausgang");
    pad->LinkTo(0, slot, 0);
    std::vector<uint8_t> bytes = doc.SaveToBytes();
    SetClassSchema(bytes, "CControlPad", 1);

    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    CControlPad* found = nullptr;
    for (CBaseDevice* o : loaded.GetList(CAT_DIGITAL_IO))
        if (o->GetName() == "Uhrenausgang")
            found = dynamic_cast<CControlPad*>(o);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetKindId(), padkind::SlaveClocks);
    EXPECT_EQ(found->GetRect(), CRect(300, 212, 420, 228)) << "20 units lower";
}

TEST_F(ControlPadTest, OldInputKindsAreRenamedOnLoading)
{
    CControlPad* pad = MakePad(padkind::SlotIn, 300, 200, "Alt");
    pad->m_kindId = padkind::OldInput;
    std::vector<uint8_t> bytes = doc.SaveToBytes();
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    bool seen = false;
    for (CBaseDevice* o : loaded.GetList(CAT_DIGITAL_IO))
        if (o->GetName() == "Alt") {
            seen = true;
            EXPECT_EQ(o->GetKindId(), padkind::SlotIn);
        }
    EXPECT_TRUE(seen);
}

}  // namespace
