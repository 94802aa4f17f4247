#include <gtest/gtest.h>

#include "SlotTestUtil.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/IAudioOutputsDlg.h"
#include "model/CQuillomerDoc.h"

using namespace slottest;
using blocktest::PutI32;

namespace {

class AudioOutputSlotTest : public ::testing::Test {
protected:
    CAudioOutputSlot* MakeSlot(uint32_t kind, const std::string& name, int32_t top)
    {
        auto* slot = new CAudioOutputSlot;
        EXPECT_EQ(1, slot->Create(kind, 1, 2, name, 2107, top, 2163, top + 140, CAT_OUTPUT_SLOT, 0, 0, &doc.doc()));
        doc.doc().AddObject(slot, CAT_OUTPUT_SLOT);
        return slot;
    }

    blocktest::ActiveDoc doc;
    MessageRecorder messages;
};

}  // namespace

TEST_F(AudioOutputSlotTest, NewSlotsByKind)
{
    CAudioOutputSlot* s3 = MakeSlot(outputcard::Slot3, "Slot3", 2088);
    CAudioOutputSlot* s4 = MakeSlot(outputcard::Slot4, "Slot4", 2228);

    EXPECT_EQ(OT_AUDIO_OUTPUT_SLOT, s3->GetType());
    EXPECT_EQ(226u, s3->m_contextMenuId);
    EXPECT_EQ(1, s3->m_fixed);
    EXPECT_TRUE(s3->IsFitted());
    EXPECT_DOUBLE_EQ(0.0, s3->m_volume[0]);
    EXPECT_DOUBLE_EQ(0.0, s3->m_volume[1]);
    EXPECT_FALSE(s4->IsFitted());
    EXPECT_DOUBLE_EQ(-80.0, s4->m_volume[0]);
    EXPECT_DOUBLE_EQ(-80.0, s4->m_volume[1]);
    EXPECT_DOUBLE_EQ(0.0, s4->m_delay[1]);

    EXPECT_EQ("SLOT3", s3->GetPath());
    EXPECT_EQ("SLOT4", s4->GetPath());
    EXPECT_EQ(s4, doc.doc().FindSlotByPath("SLOT4"));
    EXPECT_EQ((std::vector<std::string>{"OUT1", "OUT2"}), s3->m_outputNames);
    EXPECT_EQ((std::vector<std::string>{"OUT3", "OUT4"}), s4->m_outputNames);

    const auto& keys = CAudioOutputSlot::GetPathToKeyTable();
    EXPECT_EQ(4u, keys.size());
    EXPECT_EQ(0u, keys.at("OUT1/VOL"));
    EXPECT_EQ(65537u, keys.at("OUT2/DELAY"));
    EXPECT_EQ("OUT2/VOL", CAudioOutputSlot::GetKeyToPathTable().at(1));
}

TEST_F(AudioOutputSlotTest, ValueTexts)
{
    CAudioOutputSlot* s = MakeSlot(outputcard::Slot3, "Slot3", 2088);
    EXPECT_EQ(1, s->SetValue(OPC_DELAY, 0, "20"));
    EXPECT_DOUBLE_EQ(0.02, s->m_delay[0]);
    EXPECT_EQ("20.000", s->GetValueText(OPC_DELAY, 0));
    s->SetValue(OPC_DELAY, 1, "5");
    EXPECT_DOUBLE_EQ(0.005, s->m_delay[1]);
    s->SetValue(OPC_VOL, 1, "10");
    EXPECT_DOUBLE_EQ(6.0, s->m_volume[1]);
    s->SetValue(OPC_VOL, 0, "-100");
    EXPECT_EQ("-80.0", s->GetValueText(OPC_VOL, 0));
    s->SetValue(OPC_VOL, 0, "-12.5");
    EXPECT_EQ("-12.5", s->GetValueText(OPC_VOL, 0));
    EXPECT_EQ(1, s->SetValue(OPC_UNIT, 0, "2"));
    EXPECT_EQ(2, CAudioOutputSlot::GetDelayUnit());
    EXPECT_EQ("2", s->GetValueText(OPC_UNIT, 1));
    EXPECT_EQ(0, s->SetValue(3, 0, "1"));
    EXPECT_EQ("", s->GetValueText(3, 0));
    s->SetValue(OPC_UNIT, 0, "0");
}

TEST_F(AudioOutputSlotTest, StoredBytesAndLoadingTakesTheUnit)
{
    CAudioOutputSlot* s = MakeSlot(outputcard::Slot3, "Slot3", 2088);
    s->SetValue(OPC_VOL, 0, "-3.5");
    s->SetValue(OPC_VOL, 1, "1");
    s->SetValue(OPC_DELAY, 0, "12.25");
    s->SetValue(OPC_UNIT, 0, "1");

    Bytes expected;
    PutF64(expected, -3.5);
    PutF64(expected, 1.0);
    PutF64(expected, 0.01225);
    PutF64(expected, 0.0);
    PutI32(expected, 1);
    EXPECT_EQ(expected, blocktest::StoreOwnData(*s));

    const Bytes data = blocktest::StoreData(*s);
    s->SetValue(OPC_UNIT, 0, "2");
    auto loaded = blocktest::LoadTagged("CAudioOutputSlot", 1, data, nullptr);
    auto* copy = dynamic_cast<CAudioOutputSlot*>(loaded.get());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(1, CAudioOutputSlot::GetDelayUnit());
    EXPECT_DOUBLE_EQ(-3.5, copy->m_volume[0]);
    EXPECT_DOUBLE_EQ(0.01225, copy->m_delay[0]);
    EXPECT_TRUE(copy->IsFitted());
    EXPECT_EQ(data, blocktest::StoreData(*copy));
    s->SetValue(OPC_UNIT, 0, "0");
}

TEST_F(AudioOutputSlotTest, StoringTakesTheOpenDialogsValuesFirst)
{
    struct Dlg : IAudioOutputsDlg {
        CAudioOutputSlot* slot = nullptr;
        int refreshed = -2;
        void StoreAll() override { slot->SetValue(OPC_VOL, 1, "-7"); }
        void Refresh(int index) override { refreshed = index; }
    } dlg;
    CAudioOutputSlot* s = MakeSlot(outputcard::Slot3, "Slot3", 2088);
    dlg.slot = s;
    SetAudioOutputsDlg(&dlg);
    blocktest::StoreData(*s);
    EXPECT_DOUBLE_EQ(-7.0, s->m_volume[1]);
    s->OnCommand(outputcard::NotFitted);
    SetAudioOutputsDlg(nullptr);
    EXPECT_EQ(-1, dlg.refreshed);
}

TEST_F(AudioOutputSlotTest, CardTypeCommands)
{
    CAudioOutputSlot* s = MakeSlot(outputcard::Slot3, "Slot3", 2088);
    s->SetValue(OPC_DELAY, 0, "30");
    s->SetHoverConnectors(-1, 1);
    EXPECT_EQ(1, s->OnCommand(outputcard::NotFitted));
    EXPECT_FALSE(s->IsFitted());
    EXPECT_DOUBLE_EQ(-80.0, s->m_volume[0]);
    EXPECT_DOUBLE_EQ(0.03, s->m_delay[0]);
    EXPECT_EQ(-1, s->m_hoverOutput);
    CCmdUI props(objcmd::Properties), empty(outputcard::NotFitted), amp(33007);
    s->OnUpdateCommand(props);
    s->OnUpdateCommand(empty);
    s->OnUpdateCommand(amp);
    EXPECT_FALSE(props.m_enabled);
    EXPECT_EQ(1, empty.m_checked);
    EXPECT_FALSE(amp.m_enabled);

    EXPECT_EQ(1, s->OnCommand(outputcard::LineModule));
    EXPECT_TRUE(s->IsFitted());
    EXPECT_DOUBLE_EQ(0.0, s->m_volume[1]);
    EXPECT_DOUBLE_EQ(0.03, s->m_delay[0]);

    // With an amplifier at an output the slot cannot be emptied.
    auto* ampObj = new CBaseDevice;
    doc.doc().AddObject(ampObj, CAT_AMPLIFIER);
    ampObj->LinkTo(0, s, 0);
    CCmdUI locked(outputcard::NotFitted), fitted(outputcard::LineModule), ampOk(33078);
    s->OnUpdateCommand(locked);
    s->OnUpdateCommand(fitted);
    s->OnUpdateCommand(ampOk);
    EXPECT_FALSE(locked.m_enabled);
    EXPECT_EQ(0, locked.m_checked);
    EXPECT_EQ(1, fitted.m_checked);
    EXPECT_TRUE(ampOk.m_enabled);
    EXPECT_EQ(0, s->OnCommand(outputcard::NotFitted));
    EXPECT_TRUE(s->IsFitted());

    EXPECT_EQ(0, s->OnCommand(objcmd::Delete));
    EXPECT_EQ(s, doc.doc().FindSlotByPath("SLOT3"));
}

TEST_F(AudioOutputSlotTest, LoadWarningFromTheTwentiethAmplifier)
{
    MakeSlot(outputcard::Slot3, "Slot3", 2088);
    CAudioOutputSlot* s = MakeSlot(outputcard::Slot4, "Slot4", 2228);
    s->OnCommand(outputcard::LineModule);
    for (int i = 0; i < 19; ++i) {
        auto* amp = new CBaseDevice;
        doc.doc().AddObject(amp, CAT_AMPLIFIER);
        amp->LinkTo(0, s, 1);
    }
    s->CheckOutputLoad(1);
    s->CheckOutputLoad(0);
    EXPECT_TRUE(messages.messages.empty());
    auto* amp = new CBaseDevice;
    doc.doc().AddObject(amp, CAT_AMPLIFIER);
    amp->LinkTo(0, s, 1);
    s->CheckOutputLoad(1);
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Achtung!\nOUT4 wird mit 20 Verstärkereingängen belastet", messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconInformation}, messages.messages[0].second);
    s->CheckOutputLoad(2);
    EXPECT_EQ(1u, messages.messages.size());
}

TEST_F(AudioOutputSlotTest, ListTexts)
{
    CAudioOutputSlot* s = MakeSlot(outputcard::Slot3, "Slot3", 2088);
    std::vector<std::string> texts;
    EXPECT_EQ(3, s->GetListTexts(0, texts));
    EXPECT_EQ((std::vector<std::string>{"Slot3", "1", "2-Kanal LINE Ausgangsmodul"}), texts);
    s->OnCommand(outputcard::NotFitted);
    texts.clear();
    s->GetListTexts(0, texts);
    EXPECT_EQ("Ausgangsmodul nicht bestückt", texts[2]);
    std::vector<ListColumn> cols;
    EXPECT_EQ(1, s->GetListColumns(cols));
    EXPECT_EQ(3u, cols.size());
    EXPECT_EQ(50, cols[2].xMm);

    const CAudioOutputSlot::AmpCommand* cmd = CAudioOutputSlot::FindAmpCommand(33080);
    ASSERT_NE(nullptr, cmd);
    EXPECT_EQ(3, cmd->channels);
    EXPECT_EQ(193u, cmd->bitmapId);
    EXPECT_EQ(nullptr, CAudioOutputSlot::FindAmpCommand(33008));
}
