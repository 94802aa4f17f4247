// The digital, interface, information and internal slots of the central device.

#include <gtest/gtest.h>

#include "SlotTestUtil.h"
#include "hardware/CDigitalSlot.h"
#include "hardware/CInfoSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "hardware/CInternalSlot.h"
#include "hardware/IServiceAnswerSink.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"

using namespace slottest;

namespace {

class CentralSlotsTest : public ::testing::Test {
protected:
    template <class T>
    T* Make(uint32_t kind, int32_t in, int32_t out, const std::string& name, CRect r, int32_t category)
    {
        auto* obj = new T;
        EXPECT_EQ(1, obj->Create(kind, in, out, name, r.left, r.top, r.right, r.bottom, category, 0, 0, &doc.doc()));
        doc.doc().AddObject(obj, category);
        return obj;
    }
    CDigitalSlot* MakeDigital()
    {
        return Make<CDigitalSlot>(1, 8, 8, "8 I/O Kontrollmodul", CRect(1933, 2468, 2163, 2628), CAT_DIGITAL_SLOT);
    }
    CInterfaceSlot* MakeInterface(int32_t inputs = 5)
    {
        return Make<CInterfaceSlot>(1, inputs, 3, "Interface", CRect(1933, 2368, 2163, 2468), CAT_INTERFACE);
    }

    blocktest::ActiveDoc doc;
    MessageRecorder messages;
};

}  // namespace

TEST_F(CentralSlotsTest, DigitalSlotConnectorsAndNoOwnData)
{
    CDigitalSlot* slot = MakeDigital();
    EXPECT_EQ(OT_DIGITAL_SLOT, slot->GetType());
    EXPECT_EQ(228u, slot->m_contextMenuId);
    EXPECT_EQ(1, slot->m_fixed);
    EXPECT_EQ((std::vector<std::string>{"IN1", "IN2", "IN3", "IN4", "IN5", "IN6", "IN7", "IN8"}), slot->m_inputNames);
    EXPECT_EQ((std::vector<std::string>{"NU", "OUT2", "OUT3", "OUT4", "OUT5", "OUT6", "OUT7", "OUT8"}),
              slot->m_outputNames);
    EXPECT_TRUE(blocktest::StoreOwnData(*slot).empty());

    std::vector<std::string> texts;
    EXPECT_EQ(3, slot->GetListTexts(0, texts));
    EXPECT_EQ((std::vector<std::string>{"8 I/O Kontrollmodul", "1", "Slot5"}), texts);
    std::vector<ListColumn> cols;
    slot->GetListColumns(cols);
    ASSERT_EQ(3u, cols.size());
    EXPECT_EQ(30, cols[2].xMm);
}

TEST_F(CentralSlotsTest, DigitalSlotOfSchemaOneMovesTwentyDown)
{
    CDigitalSlot* slot = MakeDigital();
    const Bytes data = blocktest::StoreData(*slot);
    for (uint16_t schema : {1, 2}) {
        auto loaded = blocktest::LoadTagged("CDigitalSlot", schema, data, nullptr);
        ASSERT_NE(nullptr, dynamic_cast<CDigitalSlot*>(loaded.get()));
        ASSERT_EQ(1, loaded->PostLoad());
        EXPECT_EQ(schema == 1 ? 2488 : 2468, loaded->GetRect().top) << schema;
        EXPECT_EQ(schema == 1 ? 2648 : 2628, loaded->GetRect().bottom) << schema;
    }
}

TEST_F(CentralSlotsTest, SlotsMadeWhileLoadingAreNotUpgraded)
{
    // A slot the loader itself creates has no stored schema: PostLoad leaves it.
    CDigitalSlot* digital = MakeDigital();
    CInterfaceSlot* iface = MakeInterface(4);
    ASSERT_EQ(1, digital->PostLoad());
    ASSERT_EQ(1, iface->PostLoad());
    EXPECT_EQ(2468, digital->GetRect().top);
    EXPECT_EQ(4, iface->m_inputCount);
    EXPECT_EQ(2468, iface->GetRect().bottom);
}

TEST_F(CentralSlotsTest, DigitalSlotAttachesPads)
{
    CDigitalSlot* slot = MakeDigital();

    slot->SetHoverConnectors(-1, -1);
    EXPECT_EQ(nullptr, slot->AttachPad(true));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Wählen Sie bitte zunächst einen Ausgang !", messages.messages[0].first);

    slot->SetHoverConnectors(-1, 0);
    slot->OnCommand(digitalslot::CmdOutput);
    ASSERT_EQ(1u, doc.doc().GetList(CAT_DIGITAL_IO).size());
    CBaseDevice* clocks = doc.doc().GetList(CAT_DIGITAL_IO).back();
    EXPECT_EQ("Nebenuhren", clocks->GetName());
    EXPECT_EQ(uint32_t{padkind::SlaveClocks}, clocks->GetKindId());
    const LinkRecord* in = slot->GetInLinkAtKey(0);
    ASSERT_NE(nullptr, in);
    EXPECT_EQ(clocks, in->partner);
    EXPECT_EQ(0, in->partnerKey);
    ASSERT_NE(nullptr, clocks->GetOutLinkAtKey(0));
    EXPECT_EQ(slot, clocks->GetOutLinkAtKey(0)->partner);

    slot->SetHoverConnectors(-1, 1);
    CBaseDevice* out2 = slot->AttachPad(true);
    ASSERT_NE(nullptr, out2);
    EXPECT_EQ("Output2", out2->GetName());
    EXPECT_EQ(uint32_t{padkind::SlotOut}, out2->GetKindId());

    // The input command makes an input pad even with an output hovered too.
    slot->SetHoverConnectors(7, 2);
    slot->OnCommand(digitalslot::CmdInput);
    CBaseDevice* in8 = doc.doc().GetList(CAT_DIGITAL_IO).back();
    ASSERT_NE(nullptr, in8);
    EXPECT_EQ("Input8", in8->GetName());
    EXPECT_EQ(uint32_t{padkind::SlotIn}, in8->GetKindId());
    const LinkRecord* out = slot->GetOutLinkAtKey(7);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(in8, out->partner);
    EXPECT_EQ(CAT_DIGITAL_IO, out->partnerCategory);
    ASSERT_NE(nullptr, in8->GetInLinkAtKey(0));
    EXPECT_EQ(slot, in8->GetInLinkAtKey(0)->partner);

    // Taken connectors and attached pads lock their menu entries.
    CCmdUI input(digitalslot::CmdInput), empty(digitalslot::CmdNotFitted), output(digitalslot::CmdOutput);
    slot->OnUpdateCommand(input);
    slot->OnUpdateCommand(empty);
    slot->OnUpdateCommand(output);
    EXPECT_FALSE(input.m_enabled);
    EXPECT_FALSE(empty.m_enabled);
    EXPECT_TRUE(output.m_enabled);  // output 8 of the hovered -1 has no link
    EXPECT_EQ(0, slot->OnCommand(digitalslot::CmdNotFitted));
    EXPECT_TRUE(slot->IsFitted());
}

TEST_F(CentralSlotsTest, DigitalSlotFittedCommands)
{
    CDigitalSlot* slot = MakeDigital();
    slot->SetHoverConnectors(2, 3);
    EXPECT_EQ(1, slot->OnCommand(digitalslot::CmdNotFitted));
    EXPECT_FALSE(slot->IsFitted());
    EXPECT_EQ(-1, slot->m_hoverInput);
    EXPECT_EQ(-1, slot->m_hoverOutput);
    CCmdUI props(objcmd::Properties), empty(digitalslot::CmdNotFitted), input(digitalslot::CmdInput);
    slot->OnUpdateCommand(props);
    slot->OnUpdateCommand(empty);
    slot->OnUpdateCommand(input);
    EXPECT_FALSE(props.m_enabled);
    EXPECT_EQ(1, empty.m_checked);
    EXPECT_FALSE(input.m_enabled);
    EXPECT_EQ(1, slot->OnCommand(digitalslot::CmdFitted));
    EXPECT_TRUE(slot->IsFitted());
    EXPECT_EQ(0, slot->OnCommand(objcmd::Delete));
    EXPECT_EQ(1u, doc.doc().GetList(CAT_DIGITAL_SLOT).size());
}

TEST_F(CentralSlotsTest, InterfaceSlotConnectorNames)
{
    CInterfaceSlot* slot = MakeInterface();
    EXPECT_EQ(OT_INTERFACE_SLOT, slot->GetType());
    EXPECT_EQ(230u, slot->m_contextMenuId);
    EXPECT_EQ((std::vector<std::string>{"RS232", "DCF 77", "INP1", "INP2", "POWER 24V"}), slot->m_inputNames);
    EXPECT_EQ((std::vector<std::string>{"READY", "MONITOR", "REMOTE"}), slot->m_outputNames);
    EXPECT_TRUE(blocktest::StoreOwnData(*slot).empty());
}

TEST_F(CentralSlotsTest, InterfaceSlotOfSchemaOneGainsThePowerInput)
{
    CInterfaceSlot* old = MakeInterface(4);
    ASSERT_EQ(4, old->m_inputCount);
    EXPECT_EQ((std::vector<std::string>{"RS232", "DCF 77", "INP1", "INP2"}), old->m_inputNames);
    const Bytes data = blocktest::StoreData(*old);

    auto loaded = blocktest::LoadTagged("CInterfaceSlot", 1, data, nullptr);
    ASSERT_EQ(1, loaded->InitObject());
    ASSERT_EQ(1, loaded->PostLoad());
    EXPECT_EQ(5, loaded->m_inputCount);
    EXPECT_EQ(2488, loaded->GetRect().bottom);
    EXPECT_EQ((std::vector<std::string>{"RS232", "DCF 77", "INP1", "INP2", "POWER 24V"}), loaded->m_inputNames);
    ASSERT_EQ(5u, loaded->m_inputPoints.size());
    EXPECT_EQ(2368 + 24 / 2, loaded->m_inputPoints[0].y);  // 120 high, five inputs 24 apart
    EXPECT_EQ(2368 + 4 * 24 + 12, loaded->m_inputPoints[4].y);
    EXPECT_EQ(loaded->m_inputPoints[4], loaded->m_inputRoutes[4].pt[0]);

    // The same record under the current schema is left as it is.
    auto current = blocktest::LoadTagged("CInterfaceSlot", 2, data, nullptr);
    current->InitObject();
    current->PostLoad();
    EXPECT_EQ(2468, current->GetRect().bottom);
    EXPECT_EQ(4, current->m_inputCount);
}

TEST_F(CentralSlotsTest, InterfaceSlotAttachesPads)
{
    CInterfaceSlot* slot = MakeInterface();
    slot->SetHoverConnectors(-1, 0);
    slot->OnCommand(interfaceslot::CmdReady);
    ASSERT_EQ(1u, doc.doc().GetList(CAT_DIGITAL_IO).size());
    CBaseDevice* ready = doc.doc().GetList(CAT_DIGITAL_IO).back();
    EXPECT_EQ("READY", ready->GetName());
    EXPECT_EQ(uint32_t{padkind::Ready}, ready->GetKindId());
    ASSERT_NE(nullptr, slot->GetInLinkAtKey(0));
    EXPECT_EQ(ready, slot->GetInLinkAtKey(0)->partner);

    slot->SetHoverConnectors(1, -1);
    CBaseDevice* dcf = slot->AttachPad();
    ASSERT_NE(nullptr, dcf);
    EXPECT_EQ("DCF77 Receiver", dcf->GetName());
    EXPECT_EQ(uint32_t{padkind::DcfReceiver}, dcf->GetKindId());
    EXPECT_EQ(dcf, slot->GetOutLinkAtKey(1)->partner);

    slot->SetHoverConnectors(3, -1);
    CBaseDevice* inp2 = slot->AttachPad();
    ASSERT_NE(nullptr, inp2);
    EXPECT_EQ("INP2", inp2->GetName());
    EXPECT_EQ(uint32_t{padkind::InterfaceIn}, inp2->GetKindId());

    slot->SetHoverConnectors(0, -1);
    EXPECT_EQ(nullptr, slot->AttachPad());

    CCmdUI inp(interfaceslot::CmdInp2), pc(interfaceslot::CmdPc), remote(interfaceslot::CmdRemote),
        readyUi(interfaceslot::CmdReady), monitor(interfaceslot::CmdMonitor);
    slot->SetHoverConnectors(3, 0);
    slot->OnUpdateCommand(inp);
    slot->OnUpdateCommand(pc);
    slot->OnUpdateCommand(remote);
    slot->OnUpdateCommand(readyUi);
    slot->OnUpdateCommand(monitor);
    EXPECT_FALSE(inp.m_enabled);
    EXPECT_EQ(1, pc.m_checked);
    EXPECT_FALSE(remote.m_enabled);
    EXPECT_FALSE(readyUi.m_enabled);
    EXPECT_EQ(1, monitor.m_checked);
}

TEST_F(CentralSlotsTest, InfoSlotConnectedFlag)
{
    RecordingHost host;
    auto* info = Make<CInfoSlot>(1, 1, 1, "KVT 7000", CRect(1933, 2052, 2163, 2088), CAT_INFO);
    EXPECT_EQ(OT_INFO_SLOT, info->GetType());
    EXPECT_EQ(0, info->IsConnected());
    EXPECT_EQ(0, doc.doc().GetConnectedFlag());
    doc.doc().SetConnected(1);
    EXPECT_EQ(1, info->IsConnected());
    EXPECT_EQ(1, doc.doc().IsConnected());
    info->SetShowIcon(0);
    EXPECT_EQ(0, doc.doc().GetConnectedFlag());

    // The flag is not stored.
    info->SetShowIcon(1);
    EXPECT_TRUE(blocktest::StoreOwnData(*info).empty());
    auto loaded = blocktest::LoadTagged("CInfoSlot", 1, blocktest::StoreData(*info), nullptr);
    EXPECT_EQ(0, static_cast<CInfoSlot*>(loaded.get())->IsConnected());

    CCmdUI props(objcmd::Properties), del(objcmd::Delete);
    info->OnUpdateCommand(props);
    info->OnUpdateCommand(del);
    EXPECT_TRUE(props.m_enabled);
    EXPECT_FALSE(del.m_enabled);
    EXPECT_EQ(0, info->OnCommand(objcmd::Delete));
    EXPECT_EQ(1u, doc.doc().GetList(CAT_INFO).size());
    info->OnCommand(objcmd::Properties);
    EXPECT_EQ((std::vector<uint32_t>{32876}), host.posted);
}

TEST_F(CentralSlotsTest, InternalSlotsOpenTheirWindows)
{
    RecordingHost host;
    auto* macro = Make<CInternalSlot>(internalslot::Macro, 1, 1, "Makro", CRect(1989, 2134, 2107, 2181),
                                      CAT_INTERNAL_SLOT);
    auto* service = Make<CInternalSlot>(internalslot::Service, 1, 1, "Service", CRect(1989, 2088, 2107, 2158),
                                        CAT_INTERNAL_SLOT);
    EXPECT_EQ(OT_INTERNAL_SLOT, macro->GetType());
    EXPECT_EQ(1, macro->m_fixed);
    macro->OnOpen(0, 0, 0);
    service->OnOpen(0, 0, 0);
    macro->OnCommand(objcmd::Properties);
    EXPECT_EQ((std::vector<std::pair<int, bool>>{{7, true}, {7, true}}), host.windows);
    EXPECT_EQ(27, CInternalSlot::GetWindowKind(internalslot::Fuse));
    EXPECT_EQ(26, CInternalSlot::GetWindowKind(internalslot::Audio));
    EXPECT_EQ(336u, CInternalSlot::GetIconId(internalslot::Audio));
    EXPECT_EQ(0u, CInternalSlot::GetIconId(internalslot::Monitor));
    EXPECT_TRUE(CInternalSlot::IsInvisible(internalslot::Monitor));
    EXPECT_FALSE(CInternalSlot::IsInvisible(internalslot::System));

    CCmdUI props(objcmd::Properties), del(objcmd::Delete);
    macro->OnUpdateCommand(props);
    macro->OnUpdateCommand(del);
    EXPECT_TRUE(props.m_enabled);
    EXPECT_FALSE(del.m_enabled);
    EXPECT_EQ(0, macro->OnCommand(objcmd::Delete));
    EXPECT_EQ(2u, doc.doc().GetList(CAT_INTERNAL_SLOT).size());
    EXPECT_TRUE(blocktest::StoreOwnData(*macro).empty());
}

TEST_F(CentralSlotsTest, ServiceAnswersReachOnlyTheOpenServiceDialog)
{
    struct Sink : IServiceAnswerSink {
        std::vector<std::string> lines;
        void ParseAnswer(const std::string& line) override { lines.push_back(line); }
    } sink;
    auto* service = Make<CInternalSlot>(internalslot::Service, 1, 1, "Service", CRect(1989, 2088, 2107, 2158),
                                        CAT_INTERNAL_SLOT);
    auto* audio = Make<CInternalSlot>(internalslot::Audio, 1, 1, "Audio", CRect(1989, 2088, 2107, 2134),
                                      CAT_INTERNAL_SLOT);
    EXPECT_EQ("/SERVICE", service->GetPath());
    service->ParseUploadLines("SERVICE/TEST 1", "", 4);  // no dialog: dropped
    service->m_openDialog = &sink;
    audio->m_openDialog = &sink;
    service->ParseUploadLines("SERVICE/TEST 2", "", 4);
    audio->ParseUploadLines("SERVICE/TEST 3", "", 4);
    EXPECT_EQ((std::vector<std::string>{"SERVICE/TEST 2"}), sink.lines);

    // Opening runs the service dialog, which receives answers only while it runs.
    auto previous = CInternalSlot::SetServiceDialogRunner([&](CInternalSlot* slot) {
        slot->m_openDialog = &sink;
        slot->ParseUploadLines("SERVICE/TEST 4", "", 4);
    });
    service->OnCommand(objcmd::Properties);
    CInternalSlot::SetServiceDialogRunner(previous);
    service->ParseUploadLines("SERVICE/TEST 5", "", 4);
    EXPECT_EQ((std::vector<std::string>{"SERVICE/TEST 2", "SERVICE/TEST 4"}), sink.lines);
}

TEST_F(CentralSlotsTest, CardDialogsConfirmNamesAsPads)
{
    // Digital card: pads at IN 1 and OUT 3; OK renames one, deletes the other
    // (with both link records) and attaches a new one at IN 2.
    CDigitalSlot* digital = MakeDigital();
    digital->SetHoverConnectors(0, -1);
    digital->OnCommand(digitalslot::CmdInput);
    digital->SetHoverConnectors(-1, 2);
    digital->OnCommand(digitalslot::CmdOutput);
    CBaseDevice* out3 = digital->GetInLinkAtKey(2)->partner;
    EXPECT_EQ("Input1", digital->PadName(false, 0));
    EXPECT_EQ("Output3", digital->PadName(true, 2));
    std::vector<std::string> in(8), out(8);
    in[0] = "Taster";
    in[1] = "Input 2";
    digital->ApplyPadNames(in, out);
    EXPECT_EQ("Taster", digital->PadName(false, 0));
    EXPECT_EQ("Input 2", digital->PadName(false, 1));
    EXPECT_EQ(nullptr, digital->GetInLinkAtKey(2));
    EXPECT_EQ(2u, doc.doc().GetList(CAT_DIGITAL_IO).size());
    for (CBaseDevice* pad : doc.doc().GetList(CAT_DIGITAL_IO))
        EXPECT_NE(out3, pad);

    // Interface card: PC and READY attached by name, REMOTE discarded; a
    // second OK with the other power pack model changes the pack's kind.
    CInterfaceSlot* slot = MakeInterface();
    std::vector<std::string> inputs{"Leitstand", "", "", ""}, outputs{"READY", "", "Fern", ""};
    EXPECT_EQ(uint32_t{interfaceslot::CmdFJX3392}, slot->ApplyDialog(inputs, outputs, 0));
    EXPECT_EQ("Leitstand", slot->AttachedName(false, 0));
    EXPECT_EQ("READY", slot->AttachedName(true, 0));
    EXPECT_EQ("", slot->AttachedName(true, 2));
    slot->OnCommand(interfaceslot::CmdFJX3392);
    CBaseDevice* pack = slot->GetOutLinkAtKey(4)->partner;
    const size_t devices = doc.doc().GetList(CAT_AUDIO_DEVICE).size();
    EXPECT_EQ(0u, slot->ApplyDialog(inputs, outputs, 1));
    EXPECT_EQ(uint32_t{interfaceslot::CmdFJX3397}, pack->GetKindId());
    EXPECT_EQ(devices, doc.doc().GetList(CAT_AUDIO_DEVICE).size());
    // Emptying the PC's name deletes it through the normal delete.
    inputs[0].clear();
    slot->ApplyDialog(inputs, outputs, -1);
    EXPECT_EQ(nullptr, slot->GetOutLinkAtKey(0));
    EXPECT_EQ(devices - 1, doc.doc().GetList(CAT_AUDIO_DEVICE).size());

    // Blanks for the DCF77 receiver are no name: the pad attached keeps the
    // receiver's own, the user is told, and a second try changes nothing.
    const std::string noName = "Sie müssen einen Namen der mindestens 1 Zeichen lang ist, eingeben !\n";
    inputs[1] = "   ";
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        slot->ApplyDialog(inputs, outputs, -1);
        EXPECT_EQ("DCF77 Receiver", slot->AttachedName(false, 1));
        EXPECT_EQ(static_cast<size_t>(attempt + 1), messages.Count(noName));
    }
}
