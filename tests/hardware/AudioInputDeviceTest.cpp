// Audio input devices: stored form, the special kinds (monitor, message
// recorder, power packs), the interface card's device commands, and the
// power pack's generated control objects: created, reused and removed.

#include <gtest/gtest.h>

#include <algorithm>

#include "SlotTestUtil.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CInterfaceSlot.h"
#include "logic/CCondition.h"
#include "logic/CLogicOut.h"
#include "logic/CTrigger.h"
#include "macros/CMacro.h"
#include "model/BlockWalk.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"

using namespace slottest;
using F = CAudioInputDevice::PowerPackField;

namespace {

class AudioInputDeviceTest : public ::testing::Test {
protected:
    CQuillomerDoc& Doc() { return doc.doc(); }

    CInterfaceSlot* Interface()
    {
        if (!m_iface) {
            m_iface = new CInterfaceSlot;
            EXPECT_EQ(1, m_iface->Create(1, 5, 3, std::string("Interface"), 1933, 2368, 2163, 2468, CAT_INTERFACE, 0,
                                         0, &Doc()));
            Doc().AddObject(m_iface, CAT_INTERFACE);
        }
        return m_iface;
    }
    // An interface input contact (INP1 or INP2).
    CControlPad* Contact(int32_t key, const std::string& name)
    {
        CInterfaceSlot* slot = Interface();
        slot->SetHoverConnectors(key, -1);
        auto* pad = dynamic_cast<CControlPad*>(slot->AttachPad());
        EXPECT_NE(nullptr, pad);
        pad->SetName(name);
        return pad;
    }
    CAudioInputDevice* PowerPack(uint32_t model = audiodevice::KindFJX3392)
    {
        CInterfaceSlot* slot = Interface();
        EXPECT_EQ(1, slot->OnCommand(model));
        const LinkRecord* r = slot->GetOutLinkAtKey(4);
        return r ? dynamic_cast<CAudioInputDevice*>(r->partner) : nullptr;
    }
    template <class T>
    T* Field(CAudioInputDevice* pack, int field, uint32_t type)
    {
        return dynamic_cast<T*>(Doc().GetIDManager().GetBaseDevice(pack->m_fields[field], type));
    }
    size_t CountNamed(const std::string& prefix)
    {
        size_t n = 0;
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (const CBaseDevice* o : Doc().GetList(c))
                n += o->GetName().rfind(prefix, 0) == 0;
        return n;
    }

    blocktest::ActiveDoc doc;
    MessageRecorder messages;
    CInterfaceSlot* m_iface = nullptr;
};

}  // namespace

TEST_F(AudioInputDeviceTest, StoresTheNineteenNumbersFromSchemaTwo)
{
    CAudioInputDevice* pack = PowerPack();
    ASSERT_NE(nullptr, pack);
    for (int i = 0; i < F::kFieldCount; ++i)
        pack->m_fields[i] = i + 1;
    blocktest::Bytes e;
    for (int i = 0; i < F::kFieldCount; ++i)
        blocktest::PutI32(e, i + 1);
    EXPECT_EQ(e, blocktest::StoreOwnData(*pack));
    EXPECT_EQ(2u, CAudioInputDevice::classInfo.schema);

    auto old = blocktest::LoadTagged("CAudioInputDevice", 1, blocktest::StoreCommon(*pack), nullptr);
    auto* device = dynamic_cast<CAudioInputDevice*>(old.get());
    ASSERT_NE(nullptr, device);
    for (int32_t v : device->m_fields)
        EXPECT_EQ(0, v);
    auto now = blocktest::LoadTagged("CAudioInputDevice", 2, blocktest::StoreData(*pack), nullptr);
    EXPECT_EQ(19, dynamic_cast<CAudioInputDevice*>(now.get())->m_fields[18]);
}

TEST_F(AudioInputDeviceTest, InterfaceCardCreatesPowerPackPcAndMonitor)
{
    CAudioInputDevice* pack = PowerPack(audiodevice::KindFJX3397);
    ASSERT_NE(nullptr, pack);
    EXPECT_EQ(static_cast<uint32_t>(audiodevice::KindFJX3397), pack->GetKindId());
    EXPECT_EQ("Netzteil", pack->GetName());
    EXPECT_EQ(10, pack->m_inputCount);
    EXPECT_EQ(CAT_AUDIO_DEVICE, pack->GetCategory());
    EXPECT_EQ(4, m_iface->m_hoverInput);
    EXPECT_EQ(static_cast<uint32_t>(linkmode::DrawInLinks), pack->m_linkMode);
    EXPECT_EQ(1, pack->m_moveLock);

    // PC: toggled on and off at the hovered input.
    m_iface->SetHoverConnectors(0, -1);
    m_iface->OnCommand(interfaceslot::CmdPc);
    const LinkRecord* pc = m_iface->GetOutLinkAtKey(0);
    ASSERT_NE(nullptr, pc);
    EXPECT_EQ("PC", pc->partner->GetName());
    EXPECT_EQ(0u, pc->partner->GetKindId());
    EXPECT_EQ(2u, Doc().GetList(CAT_AUDIO_DEVICE).size());
    m_iface->OnCommand(interfaceslot::CmdPc);
    EXPECT_EQ(nullptr, m_iface->GetOutLinkAtKey(0));
    EXPECT_EQ(1u, Doc().GetList(CAT_AUDIO_DEVICE).size());

    // Monitor: linked to the card's MONITOR output, drawn from its input.
    m_iface->SetHoverConnectors(-1, 1);
    m_iface->OnCommand(interfaceslot::CmdMonitor);
    const LinkRecord* mon = m_iface->GetInLinkAtKey(1);
    ASSERT_NE(nullptr, mon);
    auto* monitor = dynamic_cast<CAudioInputDevice*>(mon->partner);
    ASSERT_NE(nullptr, monitor);
    EXPECT_EQ(static_cast<uint32_t>(audiodevice::KindMonitor), monitor->GetKindId());
    EXPECT_EQ(static_cast<uint32_t>(linkmode::DrawOutLinks), monitor->m_linkMode);
    RecordingHost host;
    monitor->OnOpen(0, 0, 0);
    ASSERT_EQ(1u, host.windows.size());
    EXPECT_EQ(6, host.windows[0].first);
    m_iface->SetHoverConnectors(-1, 1);
    m_iface->OnCommand(interfaceslot::CmdMonitor);
    EXPECT_EQ(nullptr, m_iface->GetInLinkAtKey(1));
}

TEST_F(AudioInputDeviceTest, PowerPackFailsWithTheMemoryMessageWhenTheDirectoryIsFull)
{
    std::vector<CAudioInputDevice*> fillers;
    for (int i = 1; i <= 32; ++i) {
        auto* d = new CAudioInputDevice;
        ASSERT_EQ(1, d->Create(33059, "Mic", i, CAT_AUDIO_DEVICE, &Doc()));
        Doc().AddObject(d, CAT_AUDIO_DEVICE);
    }
    EXPECT_EQ(nullptr, PowerPack());
    EXPECT_EQ(1u, messages.Count("Out of Memory during creating power object!"));
}

TEST_F(AudioInputDeviceTest, MessageRecorderRefusesDeletionWhileItHasObjects)
{
    auto* rec = new CAudioInputDevice;
    ASSERT_EQ(1, rec->Create(audiodevice::KindRecorder, 1, 1, std::string("QTB8174"), 500, 500, 500, 500,
                             CAT_AUDIO_DEVICE, 0, 1, &Doc()));
    Doc().AddObject(rec, CAT_AUDIO_DEVICE);
    CControlPad* pad = Contact(2, "INP1");
    rec->LinkTo(0, pad, 3);
    CCmdUI del(objcmd::Delete);
    rec->OnUpdateCommand(del);
    EXPECT_FALSE(del.m_enabled);
    EXPECT_EQ(1, rec->OnCommand(objcmd::Delete));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_NE(std::string::npos, messages.messages[0].first.find("kann momentan nicht gelöscht werden"));
    EXPECT_EQ(1u, Doc().GetList(CAT_AUDIO_DEVICE).size());

    rec->RemoveAllOutLinks();
    rec->OnUpdateCommand(del);
    EXPECT_TRUE(del.m_enabled);
    rec->OnCommand(objcmd::Delete);
    EXPECT_TRUE(Doc().GetList(CAT_AUDIO_DEVICE).empty());
    EXPECT_TRUE(pad->m_inLinks.empty() || pad->GetInLinkAtKey(3) == nullptr);
}

TEST_F(AudioInputDeviceTest, PropertiesOpenTheDialogOfTheKind)
{
    static CAudioInputDevice* opened = nullptr;
    auto previous = CAudioInputDevice::SetDialogFn([](CAudioInputDevice* d) { opened = d; });
    CAudioInputDevice* pack = PowerPack();
    CCmdUI props(objcmd::Properties);
    pack->OnUpdateCommand(props);
    EXPECT_TRUE(props.m_enabled);
    pack->OnCommand(objcmd::Properties);
    EXPECT_EQ(pack, opened);
    opened = nullptr;
    pack->OnOpen(0, 0, 0);
    EXPECT_EQ(pack, opened);

    m_iface->SetHoverConnectors(0, -1);
    m_iface->OnCommand(interfaceslot::CmdPc);
    auto* pc = dynamic_cast<CAudioInputDevice*>(m_iface->GetOutLinkAtKey(0)->partner);
    opened = nullptr;
    pc->OnUpdateCommand(props);
    EXPECT_FALSE(props.m_enabled);
    pc->OnOpen(0, 0, 0);
    EXPECT_EQ(nullptr, opened);
    CAudioInputDevice::SetDialogFn(previous);
}

TEST_F(AudioInputDeviceTest, MainSetIsCreatedOnceAndOnlyRelinkedTheSecondTime)
{
    CControlPad* contact = Contact(2, "Netz");
    CAudioInputDevice* pack = PowerPack();
    ASSERT_NE(nullptr, pack);
    pack->CreateDefaultObjects(0, contact->GetNumber());

    for (int f : {F::CondContactOn, F::CondContactOff, F::CondSupplyOn, F::CondSupplyOff, F::MacroMainsOn,
                  F::MacroAmpOff, F::MacroOn, F::MacroOff, F::TriggerContact, F::TriggerSupply})
        EXPECT_NE(0, pack->m_fields[f]) << f;
    auto* on = Field<CCondition>(pack, F::CondContactOn, OT_CONDITION);
    auto* off = Field<CCondition>(pack, F::CondContactOff, OT_CONDITION);
    auto* supplyOn = Field<CCondition>(pack, F::CondSupplyOn, OT_CONDITION);
    ASSERT_TRUE(on && off && supplyOn);
    EXPECT_EQ(contact->GetNumber(), on->GetValue(condkey::Object));
    EXPECT_EQ(1, on->GetValue(condkey::Level));
    EXPECT_EQ(0, off->GetValue(condkey::Level));
    EXPECT_EQ(static_cast<uint32_t>(padkind::InterfaceIn), on->GetKindId());
    EXPECT_EQ("FJX Netz ON Bedingung", on->GetName());
    EXPECT_EQ("FJX Betriebsspannung ON", supplyOn->GetName());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Power), supplyOn->GetKindId());
    EXPECT_EQ(on, contact->FindLinkedByState(1));
    EXPECT_EQ(contact->GetNumber(), pack->GetItem(0));
    EXPECT_EQ(on->GetNumber(), pack->GetItem(13));

    auto* mains = Field<CMacro>(pack, F::MacroMainsOn, OT_MACRO);
    auto* ampOff = Field<CMacro>(pack, F::MacroAmpOff, OT_MACRO);
    auto* seqOn = Field<CMacro>(pack, F::MacroOn, OT_MACRO);
    auto* seqOff = Field<CMacro>(pack, F::MacroOff, OT_MACRO);
    ASSERT_TRUE(mains && ampOff && seqOn && seqOff);
    EXPECT_EQ("FJX Remote Amp. Mains ON", mains->GetName());
    EXPECT_EQ(static_cast<uint32_t>(macrotype::Amp), mains->GetKindId());
    EXPECT_EQ(1, mains->GetParam(3));
    EXPECT_EQ("MAINS,PLTGEN", mains->GetParamText(61));
    EXPECT_EQ("BATT", mains->GetParamText(62));
    EXPECT_EQ("ALL", mains->GetParamText(60));
    EXPECT_EQ(0, ampOff->GetParam(3));
    EXPECT_EQ("MAINS,BATT,PLTGEN", ampOff->GetParamText(62));
    EXPECT_EQ(on->GetNumber(), seqOn->GetParam(51));
    EXPECT_EQ(mains->GetNumber(), seqOn->GetParam(41));
    EXPECT_EQ(pack->m_fields[F::CondSupplyOff], seqOff->GetParam(51));
    EXPECT_EQ(ampOff->GetNumber(), seqOff->GetParam(41));
    EXPECT_EQ(supplyOn->GetNumber(), seqOff->GetParam(53));
    EXPECT_EQ(seqOn->GetNumber(), seqOff->GetParam(43));
    auto* trig = Field<CTrigger>(pack, F::TriggerContact, OT_TRIGGER);
    auto* trigSupply = Field<CTrigger>(pack, F::TriggerSupply, OT_TRIGGER);
    ASSERT_TRUE(trig && trigSupply);
    EXPECT_EQ(on->GetNumber(), trig->GetValue(triggerkey::Condition));
    EXPECT_EQ(seqOff->GetNumber(), trig->GetValue(triggerkey::OnMacro));
    EXPECT_EQ(seqOff->GetNumber(), trig->GetValue(triggerkey::OffMacro));
    EXPECT_EQ(supplyOn->GetNumber(), trigSupply->GetValue(triggerkey::Condition));
    EXPECT_EQ(0u, trig->GetName().rfind("FJX Trigger", 0));

    const size_t logic = Doc().GetList(CAT_DIGITAL_IO).size();
    const size_t macros = Doc().GetList(CAT_MACRO).size();
    int32_t before[F::kFieldCount];
    std::copy(std::begin(pack->m_fields), std::end(pack->m_fields), before);
    pack->CreateDefaultObjects(0, contact->GetNumber());
    EXPECT_EQ(logic, Doc().GetList(CAT_DIGITAL_IO).size());
    EXPECT_EQ(macros, Doc().GetList(CAT_MACRO).size());
    EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(pack->m_fields)));
    EXPECT_EQ(1u, on->m_outLinks.size());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(AudioInputDeviceTest, RemovingTheMainSetKeepsRenamedObjects)
{
    CControlPad* contact = Contact(2, "Netz");
    CAudioInputDevice* pack = PowerPack();
    pack->CreateDefaultObjects(0, contact->GetNumber());
    auto* mains = Field<CMacro>(pack, F::MacroMainsOn, OT_MACRO);
    ASSERT_NE(nullptr, mains);
    mains->SetName("Meine Versorgung");
    const int32_t mainsNumber = mains->GetNumber();

    pack->CreateDefaultObjects(0, 0);
    for (int f : {F::CondContactOn, F::CondContactOff, F::CondSupplyOn, F::CondSupplyOff, F::MacroMainsOn,
                  F::MacroAmpOff, F::MacroOn, F::MacroOff, F::TriggerContact, F::TriggerSupply})
        EXPECT_EQ(0, pack->m_fields[f]) << f;
    EXPECT_EQ(mains, Doc().GetIDManager().GetBaseDevice(mainsNumber, OT_MACRO));
    EXPECT_EQ(0u, CountNamed("FJX "));
    EXPECT_EQ(1u, Doc().GetList(CAT_MACRO).size());
    EXPECT_TRUE(contact->m_inLinks.empty() || contact->GetInLinkAtKey(1) == nullptr);
    EXPECT_EQ(0, pack->GetItem(0));
}

// An "FJX " object the user deletes in its own window is no longer the
// pack's: a later object given its number keeps its name, and the pack makes
// its own again when the item is set again.
TEST_F(AudioInputDeviceTest, ADeletedGeneratedObjectsNumberIsNotTakenUpAgain)
{
    const struct {
        const char* what;
        int field;
        uint32_t type;
        const char* className;
        int32_t category;
    } rows[] = {
        {"mains macro", F::MacroMainsOn, OT_MACRO, "CMacro", CAT_MACRO},
        {"sequence macro", F::MacroOff, OT_MACRO, "CMacro", CAT_MACRO},
        {"contact trigger", F::TriggerContact, OT_TRIGGER, "CTrigger", CAT_DIGITAL_IO},
        {"supply condition", F::CondSupplyOn, OT_CONDITION, "CCondition", CAT_DIGITAL_IO},
    };
    CControlPad* contact = Contact(2, "Netz");
    CAudioInputDevice* pack = PowerPack();
    ASSERT_NE(nullptr, pack);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        pack->CreateDefaultObjects(0, contact->GetNumber());
        const int32_t number = pack->m_fields[row.field];
        CBaseDevice* made = Doc().GetIDManager().GetBaseDevice(number, row.type);
        ASSERT_NE(nullptr, made);
        made->OnCommand(objcmd::Delete);
        EXPECT_EQ(0, pack->m_fields[row.field]);
        CBaseDevice* mine = CreateNumberedPlaceholder(&Doc(), row.className, row.type, 0, number, row.category);
        ASSERT_NE(nullptr, mine);
        mine->SetName("Mein Objekt");
        pack->CreateDefaultObjects(0, contact->GetNumber());
        EXPECT_EQ("Mein Objekt", mine->GetName());
        EXPECT_NE(number, pack->m_fields[row.field]);
        EXPECT_NE(0, pack->m_fields[row.field]);
        // Taking the set away leaves the user's object where it is.
        pack->CreateDefaultObjects(0, 0);
        EXPECT_EQ(mine, Doc().GetIDManager().GetBaseDevice(number, row.type));
        mine->OnCommand(objcmd::Delete);
    }
}

TEST_F(AudioInputDeviceTest, BatteryLogicOutputAndExternalSignal)
{
    CControlPad* contact = Contact(2, "Netz");
    CControlPad* ext = Contact(3, "Extern");
    CAudioInputDevice* pack = PowerPack();
    pack->CreateDefaultObjects(0, contact->GetNumber());
    auto* seqOn = Field<CMacro>(pack, F::MacroOn, OT_MACRO);
    ASSERT_NE(nullptr, seqOn);

    pack->CreateDefaultObjects(12, 1);
    auto* batt = Field<CMacro>(pack, F::MacroBattOn, OT_MACRO);
    ASSERT_NE(nullptr, batt);
    EXPECT_EQ("FJX Remote Amp. Batt. ON", batt->GetName());
    EXPECT_EQ("BATT,PLTGEN", batt->GetParamText(61));
    EXPECT_EQ(batt->GetNumber(), seqOn->GetParam(44));
    EXPECT_EQ(pack->m_fields[F::CondContactOff], seqOn->GetParam(54));
    pack->CreateDefaultObjects(12, 0);
    EXPECT_EQ(0, pack->m_fields[F::MacroBattOn]);
    EXPECT_EQ(0, seqOn->GetParam(44));
    EXPECT_EQ(0, seqOn->GetParam(54));

    // The logic output shows the supply condition on a contact.
    pack->CreateDefaultObjects(1, contact->GetNumber());
    auto* lo = Field<CLogicOut>(pack, F::LogicOut, OT_LOGIC_OUT);
    ASSERT_NE(nullptr, lo);
    EXPECT_EQ("FJX Logikzustand 1", lo->GetName());
    EXPECT_EQ(contact->GetNumber(), pack->GetItem(1));
    EXPECT_EQ(pack->m_fields[F::CondSupplyOn], lo->GetValue(logicoutkey::Condition));
    pack->CreateDefaultObjects(1, 0);
    EXPECT_EQ(0, pack->m_fields[F::LogicOut]);
    EXPECT_EQ(0, Doc().GetIDManager().GetCount(OT_LOGIC_OUT));

    pack->CreateDefaultObjects(2, ext->GetNumber());
    auto* extOn = Field<CCondition>(pack, F::CondExtOn, OT_CONDITION);
    auto* sigOn = Field<CMacro>(pack, F::MacroExtOn, OT_MACRO);
    auto* sigOff = Field<CMacro>(pack, F::MacroExtOff, OT_MACRO);
    auto* trig = Field<CTrigger>(pack, F::TriggerExt, OT_TRIGGER);
    ASSERT_TRUE(extOn && sigOn && sigOff && trig);
    EXPECT_EQ(ext->GetNumber(), pack->GetItem(2));
    EXPECT_EQ(static_cast<uint32_t>(macrotype::Power), sigOn->GetKindId());
    EXPECT_EQ(50, sigOn->GetParam(1));
    EXPECT_EQ(51, sigOff->GetParam(1));  // an OFF macro's multiple of ten moves up by one
    EXPECT_EQ(extOn->GetNumber(), trig->GetValue(triggerkey::Condition));
    EXPECT_EQ(sigOn->GetNumber(), trig->GetValue(triggerkey::OnMacro));
    EXPECT_EQ(sigOff->GetNumber(), trig->GetValue(triggerkey::OffMacro));
    const int32_t extNumber = extOn->GetNumber();
    pack->CreateDefaultObjects(2, 0);
    for (int f : {F::CondExtOn, F::MacroExtOn, F::MacroExtOff, F::TriggerExt})
        EXPECT_EQ(0, pack->m_fields[f]) << f;
    EXPECT_EQ(nullptr, Doc().GetIDManager().GetBaseDevice(extNumber, OT_CONDITION));

    // An external signal on the pack's own contact shares the ON condition,
    // which the main set keeps when the signal goes.
    pack->CreateDefaultObjects(2, contact->GetNumber());
    EXPECT_EQ(pack->m_fields[F::CondContactOn], pack->m_fields[F::CondExtOn]);
    pack->CreateDefaultObjects(2, 0);
    EXPECT_EQ(0, pack->m_fields[F::CondExtOn]);
    EXPECT_NE(nullptr, Field<CCondition>(pack, F::CondContactOn, OT_CONDITION));
}

TEST_F(AudioInputDeviceTest, LcdTextsAndTheirConsoleAndText)
{
    CControlPad* contact = Contact(2, "Netz");
    CAudioInputDevice* pack = PowerPack();
    pack->CreateDefaultObjects(0, contact->GetNumber());
    auto* seqOn = Field<CMacro>(pack, F::MacroOn, OT_MACRO);
    auto* seqOff = Field<CMacro>(pack, F::MacroOff, OT_MACRO);
    for (int n : {3, 4, 5})
        pack->CreateDefaultObjects(n, 1);
    auto* mains = Field<CMacro>(pack, F::LcdMains, OT_MACRO);
    auto* batt = Field<CMacro>(pack, F::LcdBatt, OT_MACRO);
    auto* standby = Field<CMacro>(pack, F::LcdStandby, OT_MACRO);
    ASSERT_TRUE(mains && batt && standby);
    EXPECT_EQ("FJX LCDText <Netzbetrieb>", mains->GetName());
    EXPECT_EQ("FJX LCDText <Anlage Standby>", standby->GetName());
    EXPECT_EQ(static_cast<uint32_t>(macrotype::LcdText), batt->GetKindId());
    EXPECT_EQ(mains->GetNumber(), pack->GetItem(3));
    EXPECT_EQ(mains->GetNumber(), seqOn->GetParam(42));
    EXPECT_EQ(pack->m_fields[F::CondContactOn], seqOn->GetParam(52));
    EXPECT_EQ(batt->GetNumber(), seqOn->GetParam(43));
    EXPECT_EQ(pack->m_fields[F::CondContactOff], seqOn->GetParam(53));
    EXPECT_EQ(standby->GetNumber(), seqOff->GetParam(42));
    EXPECT_EQ(pack->m_fields[F::CondSupplyOff], seqOff->GetParam(52));

    pack->SetMacroText(7, "Batterie!");
    EXPECT_EQ("Batterie!", pack->GetMacroText(7));
    EXPECT_EQ(2, batt->GetParam(20));
    EXPECT_EQ("5", batt->GetParamText(39));
    pack->SetMacroText(8, "Standby");
    EXPECT_EQ("0", standby->GetParamText(39));
    EXPECT_EQ("", pack->GetMacroText(5));
    pack->CreateDefaultObjects(10, 0);
    EXPECT_EQ(0, pack->GetItem(10));

    pack->CreateDefaultObjects(4, 0);
    EXPECT_EQ(0, pack->GetItem(4));
    EXPECT_EQ(0, seqOn->GetParam(43));
    EXPECT_EQ(0, seqOn->GetParam(53));
    EXPECT_EQ("", pack->GetMacroText(7));
}

TEST_F(AudioInputDeviceTest, NewDevicesAvoidOtherDevicesAndTheSheetEdges)
{
    auto* first = new CAudioInputDevice;
    ASSERT_EQ(1, first->Create(33059, 1, 1, std::string("Mic"), 600, 100, 700, 140, CAT_AUDIO_DEVICE, 0, 1, &Doc()));
    Doc().AddObject(first, CAT_AUDIO_DEVICE);
    EXPECT_EQ(600, first->GetRect().left);
    auto* second = new CAudioInputDevice;
    ASSERT_EQ(1, second->Create(33059, 1, 1, std::string("Mic/1"), 650, 100, 750, 140, CAT_AUDIO_DEVICE, 0, 1, &Doc()));
    Doc().AddObject(second, CAT_AUDIO_DEVICE);
    EXPECT_EQ(500, second->GetRect().left);  // moved left in steps of 10 until clear
    EXPECT_FALSE(second->GetRect().Intersects(first->GetRect()));
    auto* edge = new CAudioInputDevice;
    ASSERT_EQ(1, edge->Create(33059, 1, 1, std::string("Far"), 1900, 500, 2000, 540, CAT_AUDIO_DEVICE, 0, 1, &Doc()));
    Doc().AddObject(edge, CAT_AUDIO_DEVICE);
    EXPECT_EQ(1933, edge->GetRect().right);

    std::vector<std::string> texts;
    EXPECT_EQ(2, edge->GetListTexts(0, texts));
    EXPECT_EQ((std::vector<std::string>{"Far", "3"}), texts);
}

TEST_F(AudioInputDeviceTest, AudioInputSlotAttachesDevicesOfThisClass)
{
    auto* slot = new CAudioInputSlot;
    ASSERT_EQ(1, slot->Create(inputcard::Aux2, 2, 2, std::string("Slot1"), 1933, 100, 2163, 260, CAT_INPUT_SLOT, 0, 0, &Doc()));
    Doc().AddObject(slot, CAT_INPUT_SLOT);
    slot->SetHoverConnectors(0, -1);
    ASSERT_EQ(1, slot->AttachDevice(33066));
    const LinkRecord* r = slot->GetOutLinkAtKey(0);
    ASSERT_NE(nullptr, r);
    auto* device = dynamic_cast<CAudioInputDevice*>(r->partner);
    ASSERT_NE(nullptr, device);
    EXPECT_EQ("CD-Player", device->GetName());
    EXPECT_EQ(33066u, device->GetKindId());
    EXPECT_EQ(CAT_AUDIO_DEVICE, device->GetCategory());
}

TEST_F(AudioInputDeviceTest, GeneratedObjectsSurviveSavingAndReopening)
{
    CControlPad* contact = Contact(2, "Netz");
    CAudioInputDevice* pack = PowerPack();
    pack->CreateDefaultObjects(0, contact->GetNumber());
    pack->CreateDefaultObjects(3, 1);
    int32_t fields[F::kFieldCount];
    std::copy(std::begin(pack->m_fields), std::end(pack->m_fields), fields);
    const std::vector<uint8_t> bytes = Doc().SaveToBytes();

    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(bytes));
    CAudioInputDevice* back = nullptr;
    for (CBaseDevice* o : reopened.GetList(CAT_AUDIO_DEVICE))
        if (auto* d = dynamic_cast<CAudioInputDevice*>(o); d && d->IsPowerPack())
            back = d;
    ASSERT_NE(nullptr, back);
    EXPECT_TRUE(std::equal(std::begin(fields), std::end(fields), std::begin(back->m_fields)));
    auto* seqOn = dynamic_cast<CMacro*>(reopened.GetIDManager().GetBaseDevice(back->m_fields[F::MacroOn], OT_MACRO));
    auto* on = dynamic_cast<CCondition*>(reopened.GetIDManager().GetBaseDevice(back->m_fields[F::CondContactOn], OT_CONDITION));
    ASSERT_TRUE(seqOn && on);
    EXPECT_EQ(on->GetNumber(), seqOn->GetParam(51));
    EXPECT_EQ(back->m_fields[F::LcdMains], seqOn->GetParam(42));
    EXPECT_EQ("FJX Netz ON Bedingung", on->GetName());
    EXPECT_EQ(1, on->GetValue(condkey::Level));
    EXPECT_EQ(contact->GetNumber(), back->GetItem(0));
}
