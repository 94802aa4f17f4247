#include <gtest/gtest.h>

#include "SlotTestUtil.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/IAudioInputsDlg.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"

using namespace slottest;
using blocktest::PutI32;

namespace {

class AudioInputSlotTest : public ::testing::Test {
protected:
    CAudioInputSlot* MakeSlot(const std::string& name, uint32_t kind, int32_t top = 2088)
    {
        auto* slot = new CAudioInputSlot;
        EXPECT_EQ(1, slot->Create(inputcard::NotFitted, 2, 1, name, 1933, top, 1989, top + 140, CAT_INPUT_SLOT, 0, 0,
                                  &doc.doc()));
        doc.doc().AddObject(slot, CAT_INPUT_SLOT);
        if (kind != inputcard::NotFitted)
            slot->SetCardType(kind);
        return slot;
    }

    blocktest::ActiveDoc doc;
    MessageRecorder messages;
};

// The bytes a slot writes after the common part, built field by field.
Bytes ExpectedOwnData(const CAudioInputSlot& s, double att, double ramp)
{
    Bytes b;
    PutI32(b, s.m_channelKind[0]);
    PutI32(b, s.m_channelKind[1]);
    PutI32(b, s.m_selectorFlag[0]);
    PutI32(b, s.m_selectorFlag[1]);
    for (int c = 0; c < 2; ++c) {
        PutI32(b, s.m_auxSource[c]);
        PutF64(b, s.m_volume[c]);
        PutF64(b, att);
        PutF64(b, ramp);
        PutI32(b, s.m_bypassAll[c]);
        for (const InputFilter& f : s.m_filters[c]) {
            PutI32(b, f.type);
            PutF64(b, f.f);
            PutF64(b, f.v);
            PutI32(b, f.s);
            PutF64(b, f.q);
            PutI32(b, f.bypass);
        }
    }
    return b;
}

}  // namespace

TEST_F(AudioInputSlotTest, NewSlotHasDefaultsAndItsPathFromTheName)
{
    CAudioInputSlot* slot1 = MakeSlot("Slot1", inputcard::NotFitted);
    CAudioInputSlot* other = MakeSlot("Karte", inputcard::NotFitted, 2400);

    EXPECT_EQ(OT_AUDIO_INPUT_SLOT, slot1->GetType());
    EXPECT_EQ(141u, slot1->m_contextMenuId);
    EXPECT_EQ(1, slot1->m_fixed);
    EXPECT_EQ(1, slot1->GetSlotNumber());
    EXPECT_EQ("SLOT1", slot1->GetPath());
    EXPECT_EQ(0, other->GetSlotNumber());
    EXPECT_EQ("", other->GetPath());
    EXPECT_EQ(slot1, doc.doc().FindSlotByPath("SLOT1"));

    // Not fitted: no connectors, names hidden.
    EXPECT_EQ(0, slot1->m_inputCount);
    EXPECT_EQ(0, slot1->m_outputCount);
    EXPECT_EQ(0, slot1->m_showConnectorNames);

    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(ICK_NONE, slot1->GetChannelKind(c));
        EXPECT_EQ(1, slot1->m_selectorFlag[c]);
        EXPECT_DOUBLE_EQ(0.0, slot1->m_volume[c]);
        EXPECT_DOUBLE_EQ(-6.0, slot1->m_attenuation[c]);
        EXPECT_DOUBLE_EQ(300.0, slot1->m_ramp[c]);
        EXPECT_EQ(IFT_LOSHELV, slot1->m_filters[c][0].type);
        EXPECT_DOUBLE_EQ(500.0, slot1->m_filters[c][0].f);
        EXPECT_EQ(IFT_PEQ, slot1->m_filters[c][1].type);
        EXPECT_DOUBLE_EQ(1000.0, slot1->m_filters[c][1].f);
        EXPECT_EQ(IFT_HISHELV, slot1->m_filters[c][2].type);
        EXPECT_DOUBLE_EQ(2000.0, slot1->m_filters[c][2].f);
        for (const InputFilter& f : slot1->m_filters[c]) {
            EXPECT_DOUBLE_EQ(1.0, f.q);
            EXPECT_DOUBLE_EQ(0.0, f.v);
            EXPECT_EQ(0, f.s);
            EXPECT_EQ(0, f.bypass);
        }
    }
}

TEST_F(AudioInputSlotTest, CardTypesSetConnectorsKindsAndSelectorBoxes)
{
    CAudioInputSlot* slot = MakeSlot("Slot1", inputcard::Aux2);
    ASSERT_EQ(4, slot->m_inputCount);
    EXPECT_EQ(0, slot->m_outputCount);
    EXPECT_EQ(1, slot->m_showConnectorNames);
    EXPECT_EQ(ICK_AUX, slot->GetChannelKind(0));
    EXPECT_EQ(ICK_AUX, slot->GetChannelKind(1));
    EXPECT_EQ((std::vector<std::string>{"A1", "A2", "B1", "B2"}), slot->m_inputNames);
    const int32_t y0 = slot->m_inputPoints[0].y - 10;
    const int32_t aux[4] = {0, 32, 74, 106};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CRect(1933 + 18, y0 + aux[i], 1933 + 52, y0 + aux[i] + 18), slot->m_boxes[i]) << i;
    EXPECT_EQ("AUX2", slot->m_selectorNames[3]);

    slot->SetCardType(inputcard::MicLine2);
    ASSERT_EQ(2, slot->m_inputCount);
    EXPECT_EQ(ICK_MIC, slot->GetChannelKind(0));
    EXPECT_EQ((std::vector<std::string>{"A:", "B:"}), slot->m_inputNames);
    const int32_t d = slot->m_inputPoints[1].y - slot->m_inputPoints[0].y;
    const int32_t ym = slot->m_inputPoints[0].y - 18;
    const int32_t mic[4] = {0, 19, d, d + 19};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CRect(1951, ym + mic[i], 1985, ym + mic[i] + 18), slot->m_boxes[i]) << i;
    EXPECT_EQ("LINE", slot->m_selectorNames[1]);

    // AUX + MIC/LINE: the first two connectors move up by 8 and 20.
    slot->SetCardType(inputcard::AuxMicLine);
    ASSERT_EQ(3, slot->m_inputCount);
    const int32_t step = 140 / 3;
    EXPECT_EQ(2088 + step / 2 - 8, slot->m_inputPoints[0].y);
    EXPECT_EQ(2088 + step + step / 2 - 20, slot->m_inputPoints[1].y);
    EXPECT_EQ(slot->m_inputPoints[1].y, slot->m_inputRoutes[1].pt[0].y);
    EXPECT_EQ(2088 + 2 * step + step / 2, slot->m_inputPoints[2].y);
    EXPECT_EQ((std::vector<std::string>{"A1:", "A2:", "B:"}), slot->m_inputNames);
    EXPECT_EQ(ICK_AUX, slot->GetChannelKind(0));
    EXPECT_EQ(ICK_MIC, slot->GetChannelKind(1));
    EXPECT_EQ(slot->m_inputPoints[0].y - 10 + 92, slot->m_boxes[2].top);

    slot->SetCardType(inputcard::ConsoleMicLine);
    EXPECT_EQ((std::vector<std::string>{"A : CONS", "B:"}), slot->m_inputNames);
    EXPECT_EQ(ICK_CONSOLE, slot->GetChannelKind(0));
    EXPECT_EQ(ICK_MIC, slot->GetChannelKind(7));  // any channel but 0 is B
    EXPECT_EQ("MIC", slot->m_selectorNames[2]);
    EXPECT_EQ("", slot->m_selectorNames[0]);

    slot->SetCardType(inputcard::Console2);
    EXPECT_EQ((std::vector<std::string>{"A : CONS", "B : CONS"}), slot->m_inputNames);
    EXPECT_TRUE(slot->m_boxes[0].IsRectEmpty());

    slot->SetCardType(inputcard::NotFitted);
    EXPECT_EQ(0, slot->m_inputCount);
    EXPECT_EQ(0, slot->m_showConnectorNames);
    EXPECT_EQ(-1, slot->m_hoverInput);
}

TEST_F(AudioInputSlotTest, KeyTablesHoldTheFortySubPaths)
{
    MakeSlot("Slot1", inputcard::NotFitted);
    const auto& toKey = CAudioInputSlot::GetPathToKeyTable();
    const auto& toPath = CAudioInputSlot::GetKeyToPathTable();
    EXPECT_EQ(40u, toKey.size());
    EXPECT_EQ(40u, toPath.size());
    EXPECT_EQ(0x00000u, toKey.at("IN1/VOL"));
    EXPECT_EQ(1u, toKey.at("IN2/VOL"));
    EXPECT_EQ(196608u, toKey.at("IN1/AUX"));
    EXPECT_EQ(0x50101u, toKey.at("IN2/FILTER2/TYPE"));
    EXPECT_EQ(0xA0002u, toKey.at("IN1/FILTER3/BYPASS"));
    EXPECT_EQ(655618u, toKey.at("IN2/FILTER3/BYPASS"));
    EXPECT_EQ("IN1/FILTER2/Q", toPath.at((7u << 16) + 1));
    EXPECT_EQ(4, CAudioInputSlot::GetFilterTypeTable().at("HISHELV"));
    EXPECT_EQ("LOCUT", CAudioInputSlot::GetFilterTypeName(1));
    EXPECT_EQ("", CAudioInputSlot::GetFilterTypeName(5));
}

TEST_F(AudioInputSlotTest, SetValueTextClampsAndReadsWords)
{
    CAudioInputSlot* slot = MakeSlot("Slot2", inputcard::Aux2);
    const uint32_t f1 = 0, f2 = 1;

    EXPECT_EQ(1, slot->SetValueText(IPC_VOL, 1, "9.5"));
    EXPECT_DOUBLE_EQ(6.0, slot->m_volume[1]);
    slot->SetValueText(IPC_VOL, 0, "-90");
    EXPECT_DOUBLE_EQ(-80.0, slot->m_volume[0]);
    slot->SetValueText(IPC_VOL, 0, "-10");
    EXPECT_EQ("-10.0", slot->GetValueText(IPC_VOL, 0));
    slot->SetValueText(IPC_VOL, 0, "abc");
    EXPECT_DOUBLE_EQ(0.0, slot->m_volume[0]);

    slot->SetValueText(MakeInputKey(IPC_TYPE, f1), 0, "XYZ");
    EXPECT_EQ(IFT_PEQ, slot->m_filters[0][0].type);
    slot->SetValueText(MakeInputKey(IPC_TYPE, f1), 0, "3");
    EXPECT_EQ(IFT_HICUT, slot->m_filters[0][0].type);
    slot->SetValueText(MakeInputKey(IPC_TYPE, f2), 1, "LOCUT");
    EXPECT_EQ(IFT_LOCUT, slot->m_filters[1][1].type);
    EXPECT_EQ("1", slot->GetValueText(MakeInputKey(IPC_TYPE, f2), 1));

    const uint32_t bypass = MakeInputKey(IPC_BYPASS, f1);
    slot->SetValueText(bypass, 0, "ON");
    EXPECT_EQ(1, slot->m_filters[0][0].bypass);
    slot->SetValueText(bypass, 0, "on");
    EXPECT_EQ(0, slot->m_filters[0][0].bypass);
    slot->SetValueText(bypass, 0, "5");
    EXPECT_EQ(1, slot->m_filters[0][0].bypass);
    slot->SetValueText(bypass, 0, "-3");
    EXPECT_EQ(0, slot->m_filters[0][0].bypass);

    const uint32_t s = MakeInputKey(IPC_S, f2);
    slot->SetValueText(s, 1, "12");
    EXPECT_EQ(1, slot->m_filters[1][1].s);
    EXPECT_EQ("12", slot->GetValueText(s, 1));
    slot->SetValueText(s, 1, "8");
    EXPECT_EQ(0, slot->m_filters[1][1].s);
    EXPECT_EQ("6", slot->GetValueText(s, 1));

    slot->SetValueText(MakeInputKey(IPC_F, 2), 0, "25000");
    EXPECT_EQ("20000.0", slot->GetValueText(MakeInputKey(IPC_F, 2), 0));
    slot->SetValueText(MakeInputKey(IPC_F, 2), 0, "5");
    EXPECT_DOUBLE_EQ(20.0, slot->m_filters[0][2].f);
    slot->SetValueText(MakeInputKey(IPC_Q, 2), 0, "0.1");
    EXPECT_EQ("0.4000", slot->GetValueText(MakeInputKey(IPC_Q, 2), 0));
    slot->SetValueText(MakeInputKey(IPC_V, 2), 0, "-13");
    EXPECT_EQ("-12.0", slot->GetValueText(MakeInputKey(IPC_V, 2), 0));

    slot->SetValueText(IPC_AUX, 0, "2");
    EXPECT_EQ(1, slot->m_auxSource[0]);
    EXPECT_EQ(0, slot->m_selectorFlag[0]);
    slot->SetValueText(IPC_AUX, 0, "1");
    EXPECT_EQ(0, slot->m_auxSource[0]);
    EXPECT_EQ(1, slot->m_selectorFlag[0]);
    EXPECT_EQ("1", slot->GetValueText(IPC_AUX, 0));

    slot->SetValueText(IPC_BYPASS_ALL, 1, "1");
    EXPECT_EQ(1, slot->m_bypassAll[1]);
    for (const InputFilter& f : slot->m_filters[1])
        EXPECT_EQ(1, f.bypass);
    EXPECT_EQ(0, slot->m_filters[0][1].bypass);

    slot->SetValueText(IPC_RAMP, 0, "450.7");
    EXPECT_DOUBLE_EQ(450.0, slot->m_ramp[0]);
    EXPECT_DOUBLE_EQ(450.0, slot->GetSharedRamp());
    EXPECT_EQ("450.0", slot->GetValueText(IPC_RAMP, 0));

    EXPECT_EQ(0, slot->SetValueText(11, 0, "1"));
    EXPECT_EQ("", slot->GetValueText(11, 0));
    EXPECT_EQ(0, slot->SetValueText(MakeInputKey(IPC_F, 3), 0, "100"));
}

TEST_F(AudioInputSlotTest, StoredBytesAndRoundTrip)
{
    CAudioInputSlot* slot = MakeSlot("Slot1", inputcard::AuxMicLine);
    slot->SetValueText(IPC_VOL, 0, "-12.5");
    slot->SetValueText(IPC_AUX, 0, "2");
    slot->SetValueText(MakeInputKey(IPC_Q, 1), 1, "2.5");
    slot->SetValueText(MakeInputKey(IPC_V, 0), 1, "-3");
    slot->SetValueText(MakeInputKey(IPC_S, 0), 0, "12");
    slot->SetValueText(MakeInputKey(IPC_BYPASS, 2), 1, "ON");
    slot->SetValueText(IPC_ATTENUATION, 1, "-9.5");
    slot->SetValueText(IPC_RAMP, 0, "120");

    const Bytes own = blocktest::StoreOwnData(*slot);
    EXPECT_EQ(ExpectedOwnData(*slot, -9.5, 120.0), own);
    EXPECT_EQ(16u + 2 * (4 + 8 * 3 + 4 + 3 * (4 + 8 + 8 + 4 + 8 + 4)), own.size());

    const Bytes data = blocktest::StoreData(*slot);
    auto loaded = blocktest::LoadTagged("CAudioInputSlot", 1, data, nullptr);
    auto* copy = dynamic_cast<CAudioInputSlot*>(loaded.get());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(1u, copy->m_loadedSchema);
    EXPECT_EQ(inputcard::AuxMicLine, copy->GetKindId());
    EXPECT_EQ(data, blocktest::StoreData(*copy));
    EXPECT_DOUBLE_EQ(-12.5, copy->m_volume[0]);
    EXPECT_EQ(1, copy->m_auxSource[0]);
    EXPECT_DOUBLE_EQ(2.5, copy->m_filters[1][1].q);
    EXPECT_DOUBLE_EQ(-3.0, copy->m_filters[1][0].v);
    EXPECT_EQ(1, copy->m_filters[0][0].s);
    EXPECT_EQ(1, copy->m_filters[1][2].bypass);
    EXPECT_DOUBLE_EQ(-9.5, copy->m_attenuation[0]);
    EXPECT_DOUBLE_EQ(120.0, copy->m_ramp[1]);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(AudioInputSlotTest, SharedAttenuationGoesIntoEveryChannelRecord)
{
    CAudioInputSlot* slot1 = MakeSlot("Slot1", inputcard::MicLine2);
    CAudioInputSlot* slot2 = MakeSlot("Slot2", inputcard::MicLine2, 2228);
    slot1->SetValueText(IPC_ATTENUATION, 0, "-20");
    EXPECT_DOUBLE_EQ(-6.0, slot2->m_attenuation[0]);

    // Both channel records of the other card carry the new value.
    const Bytes own = blocktest::StoreOwnData(*slot2);
    EXPECT_EQ(ExpectedOwnData(*slot2, -20.0, 300.0), own);

    // Loading sets the channel copies and the shared value.
    const Bytes stored = blocktest::StoreData(*slot2);
    slot1->SetValueText(IPC_ATTENUATION, 0, "-1");
    auto loaded = blocktest::LoadTagged("CAudioInputSlot", 1, stored, nullptr);
    auto* copy = static_cast<CAudioInputSlot*>(loaded.get());
    EXPECT_DOUBLE_EQ(-20.0, copy->m_attenuation[0]);
    EXPECT_DOUBLE_EQ(-20.0, copy->m_attenuation[1]);
    EXPECT_DOUBLE_EQ(-20.0, copy->GetSharedAttenuation());
}

TEST_F(AudioInputSlotTest, HighShelvingWithTwelveDecibelsLoadsWithSix)
{
    CAudioInputSlot* slot = MakeSlot("Slot1", inputcard::MicLine2);
    // Filter 3 of both channels is HISHELV; give both the 12 dB slope, and a PEQ one too.
    slot->m_filters[0][2].s = 1;
    slot->m_filters[1][2].s = 1;
    slot->m_filters[1][1].s = 1;
    auto loaded = blocktest::LoadTagged("CAudioInputSlot", 1, blocktest::StoreData(*slot), nullptr);
    auto* copy = static_cast<CAudioInputSlot*>(loaded.get());
    EXPECT_EQ(0, copy->m_filters[0][2].s);
    EXPECT_EQ(0, copy->m_filters[1][2].s);
    EXPECT_EQ(1, copy->m_filters[1][1].s);
    ASSERT_EQ(2u, messages.messages.size());
    EXPECT_EQ(LoadStringId(34275), messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconExclamation}, messages.messages[0].second);
}

TEST_F(AudioInputSlotTest, LoadedLineSelectionKeepsItsChannelKind)
{
    CAudioInputSlot* slot = MakeSlot("Slot1", inputcard::MicLine2);
    slot->m_selectorFlag[1] = 0;
    slot->m_channelKind[1] = ICK_LINE;
    auto loaded = blocktest::LoadTagged("CAudioInputSlot", 1, blocktest::StoreData(*slot), &doc.doc());
    auto* copy = static_cast<CAudioInputSlot*>(loaded.get());
    copy->m_number = 2;  // a number of its own in the directory
    ASSERT_EQ(1, copy->InitObject());
    EXPECT_EQ(ICK_MIC, copy->GetChannelKind(0));
    EXPECT_EQ(ICK_LINE, copy->GetChannelKind(1));
}

TEST_F(AudioInputSlotTest, StoringTakesTheOpenDialogsEditsFirst)
{
    struct Dlg : IAudioInputsDlg {
        CAudioInputSlot* slot = nullptr;
        void StoreEdits() override { slot->SetValueText(IPC_VOL, 0, "-33"); }
        void RefreshInput(int) override {}
    } dlg;
    CAudioInputSlot* slot = MakeSlot("Slot1", inputcard::MicLine2);
    dlg.slot = slot;
    SetAudioInputsDlg(&dlg);
    SetAudioInputsDlgDocument(&doc.doc());
    const Bytes data = blocktest::StoreData(*slot);
    SetAudioInputsDlg(nullptr);
    EXPECT_DOUBLE_EQ(-33.0, slot->m_volume[0]);
    auto loaded = blocktest::LoadTagged("CAudioInputSlot", 1, data, nullptr);
    EXPECT_DOUBLE_EQ(-33.0, static_cast<CAudioInputSlot*>(loaded.get())->m_volume[0]);
}

TEST_F(AudioInputSlotTest, ListTextsAndColumns)
{
    CAudioInputSlot* slot = MakeSlot("Slot2", inputcard::Aux2, 2228);
    std::vector<std::string> texts;
    EXPECT_EQ(3, slot->GetListTexts(1, texts));
    EXPECT_EQ((std::vector<std::string>{"Name", "ID", "Typ"}), texts);
    EXPECT_EQ(2, slot->GetSlotNumber());
    EXPECT_EQ("SLOT2", slot->GetPath());
    EXPECT_EQ(6, slot->GetListTexts(0, texts));
    EXPECT_EQ("Slot2", texts[3]);
    EXPECT_EQ(std::to_string(slot->GetNumber()), texts[4]);
    EXPECT_EQ("2-Kanal AUX -Modul", texts[5]);

    slot->SetCardType(inputcard::NotFitted);
    texts.clear();
    slot->GetListTexts(0, texts);
    EXPECT_EQ("Eingangsslot nicht bestückt", texts[2]);

    std::vector<ListColumn> cols;
    EXPECT_EQ(1, slot->GetListColumns(cols));
    ASSERT_EQ(3u, cols.size());
    EXPECT_EQ(2, cols[0].xMm);
    EXPECT_EQ(30, cols[1].xMm);
    EXPECT_EQ(50, cols[2].xMm);
}

TEST_F(AudioInputSlotTest, CardMenuFollowsAttachedDevicesAndTheDialog)
{
    CAudioInputSlot* slot = MakeSlot("Slot1", inputcard::MicLine2);
    CCmdUI aux(inputcard::Aux2), current(inputcard::MicLine2), props(objcmd::Properties);
    slot->OnUpdateCommand(aux);
    slot->OnUpdateCommand(current);
    slot->OnUpdateCommand(props);
    EXPECT_TRUE(aux.m_enabled);
    EXPECT_EQ(0, aux.m_checked);
    EXPECT_EQ(1, current.m_checked);
    EXPECT_TRUE(props.m_enabled);

    // A device at input 0 locks the card model.
    auto* mic = new CBaseDevice;  // any object will do as the attached partner
    doc.doc().AddObject(mic, CAT_AUDIO_DEVICE);
    slot->LinkTo(0, mic, 0);
    CCmdUI locked(inputcard::Aux2);
    slot->OnUpdateCommand(locked);
    EXPECT_FALSE(locked.m_enabled);
    slot->SetHoverConnectors(0, -1);
    CCmdUI micEntry(33059), console(33049);
    slot->OnUpdateCommand(micEntry);
    slot->OnUpdateCommand(console);
    EXPECT_FALSE(micEntry.m_enabled);
    EXPECT_TRUE(console.m_enabled);
    slot->SetHoverConnectors(1, -1);
    CCmdUI micFree(33059);
    slot->OnUpdateCommand(micFree);
    EXPECT_TRUE(micFree.m_enabled);

    // The open inputs dialog locks it as well.
    slot->RemoveAllOutLinks();
    struct Dlg : IAudioInputsDlg {
        void StoreEdits() override {}
        void RefreshInput(int) override {}
    } dlg;
    SetAudioInputsDlg(&dlg);
    CCmdUI whileOpen(inputcard::Aux2);
    slot->OnUpdateCommand(whileOpen);
    SetAudioInputsDlg(nullptr);
    EXPECT_FALSE(whileOpen.m_enabled);

    // The card command changes the model; deleting is not offered.
    EXPECT_EQ(1, slot->OnCommand(inputcard::Aux2));
    EXPECT_EQ(inputcard::Aux2, slot->GetKindId());
    EXPECT_EQ(0, slot->OnCommand(objcmd::Delete));
    EXPECT_EQ(slot, doc.doc().FindSlotByPath("SLOT1"));
    slot->SetCardType(inputcard::NotFitted);
    CCmdUI propsEmpty(objcmd::Properties);
    slot->OnUpdateCommand(propsEmpty);
    EXPECT_FALSE(propsEmpty.m_enabled);
}

TEST_F(AudioInputSlotTest, DialogInputOfTheHoveredConnector)
{
    CAudioInputSlot* slot = MakeSlot("Slot2", inputcard::AuxMicLine, 2228);
    slot->SetHoverConnectors(0, -1);
    EXPECT_EQ(2, slot->GetDialogInput());
    slot->SetHoverConnectors(1, -1);
    EXPECT_EQ(2, slot->GetDialogInput());  // channel A is AUX: two connectors
    slot->SetHoverConnectors(2, -1);
    EXPECT_EQ(3, slot->GetDialogInput());
    slot->SetCardType(inputcard::MicLine2);
    slot->SetHoverConnectors(1, -1);
    EXPECT_EQ(3, slot->GetDialogInput());
}
