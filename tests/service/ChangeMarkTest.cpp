// The mark of a project with changes not saved, as the objects' setters set
// it: a setter that changes what the project holds marks it, with " *" in
// the title; the value the object holds already marks nothing, and neither
// does loading or reading back the project's own values from the device.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "audio/CInternalPilottoneGen.h"
#include "calendar/CDayprog.h"
#include "logic/CBusyCondition.h"
#include "logic/CCondition.h"
#include "logic/CMemoFlag.h"
#include "logic/CReadyInput.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "paging/CGroup.h"
#include "paging/CZone.h"
#include "support/ZoneTestSupport.h"
#include "model/CControlPad.h"
#include "audio/CInternalPowerManagement.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CDigitalSlot.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/ConsoleIds.h"
#include "service/CFuse.h"
#include "service/CZonetestObject.h"
#include "support/ModelTestHost.h"

namespace {

class ChangeMark : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetPathName("/tmp/Halle.qlx");
        doc.SetModifiedFlag(false);
    }
    // An object made as the windows make one: the next free number.
    template <class T>
    T* Place(uint32_t kind, int32_t category, const char* name = nullptr)
    {
        auto* obj = new T;
        if (!obj->Create(kind, 1, 1, name, 0, 0, 0, 0, category, 0, 3, &doc)) {
            delete obj;
            ADD_FAILURE() << "no object of kind " << kind;
            return nullptr;
        }
        doc.AddObject(obj, category);
        return obj;
    }
    template <class T>
    T* Get(uint32_t type)
    {
        auto* obj = dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type));
        EXPECT_NE(nullptr, obj);
        return obj;
    }

    ModelTestHost host;
    MessageLog messages;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
};

struct SetterCase {
    const char* what;
    std::function<void(CQuillomerDoc&)> same;    // sets what the project holds
    std::function<void(CQuillomerDoc&)> change;  // sets something else
};

template <class T>
T* Obj(CQuillomerDoc& doc, uint32_t type)
{
    return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type));
}

}  // namespace

TEST_F(ChangeMark, ASetterMarksTheProjectOnlyWhenItChangesIt)
{
    const std::vector<SetterCase> cases = {
        {"fuse step", [](CQuillomerDoc& d) { Obj<CFuse>(d, OT_FUSE)->SetStep(CFuse::Slot1A, 3); },
         [](CQuillomerDoc& d) { Obj<CFuse>(d, OT_FUSE)->SetStep(CFuse::Slot1A, 1); }},
        {"zone test maximum adjustment",
         [](CQuillomerDoc& d) {
             auto* z = Obj<CZonetestObject>(d, OT_ZONETEST_OBJECT);
             z->SetValue(CZonetestObject::MaxAdjust, z->GetValue(CZonetestObject::MaxAdjust));
         },
         [](CQuillomerDoc& d) {
             auto* z = Obj<CZonetestObject>(d, OT_ZONETEST_OBJECT);
             z->SetValue(CZonetestObject::MaxAdjust, z->GetValue(CZonetestObject::MaxAdjust) == "9" ? "7" : "9");
         }},
        {"battery boot priority",
         [](CQuillomerDoc& d) { Obj<CInternalPowerManagement>(d, OT_INTERNAL_POWER_MANAGEMENT)->SetValue(0, 70, 0); },
         [](CQuillomerDoc& d) { Obj<CInternalPowerManagement>(d, OT_INTERNAL_POWER_MANAGEMENT)->SetValue(0, 80, 0); }},
        {"drop to standby, clamped the same",
         [](CQuillomerDoc& d) { Obj<CInternalPowerManagement>(d, OT_INTERNAL_POWER_MANAGEMENT)->SetValue(7, 0, 0); },
         [](CQuillomerDoc& d) { Obj<CInternalPowerManagement>(d, OT_INTERNAL_POWER_MANAGEMENT)->SetValue(7, 42, 0); }},
        {"pilot tone frequency",
         [](CQuillomerDoc& d) { Obj<CInternalPilottoneGen>(d, OT_INTERNAL_PILOTTONE_GEN)->SetFloatValue(0, 5.0f); },
         [](CQuillomerDoc& d) { Obj<CInternalPilottoneGen>(d, OT_INTERNAL_PILOTTONE_GEN)->SetFloatValue(0, 440.0f); }},
        {"digital card fitted",
         [](CQuillomerDoc& d) {
             auto* card = Obj<CDigitalSlot>(d, OT_DIGITAL_SLOT);
             card->OnCommand(card->IsFitted() ? digitalslot::CmdFitted : digitalslot::CmdNotFitted);
         },
         [](CQuillomerDoc& d) {
             auto* card = Obj<CDigitalSlot>(d, OT_DIGITAL_SLOT);
             card->OnCommand(card->IsFitted() ? digitalslot::CmdNotFitted : digitalslot::CmdFitted);
         }},
    };
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(c.what);
        doc.SetModifiedFlag(false);
        ASSERT_EQ("Halle", doc.GetTitle());
        const std::vector<uint8_t> before = doc.SaveToBytes();
        c.same(doc);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ("Halle", doc.GetTitle());
        c.change(doc);
        ASSERT_NE(before, doc.SaveToBytes()) << "the case's change did not reach the project";
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ("Halle *", doc.GetTitle());
    }
    // The mark goes with the flag.
    doc.SetModifiedFlag(false);
    EXPECT_EQ("Halle", doc.GetTitle());
}

TEST_F(ChangeMark, LoadingAndReadingBackTheProjectsOwnValuesMarksNothing)
{
    auto* power = Get<CInternalPowerManagement>(OT_INTERNAL_POWER_MANAGEMENT);
    auto* fuse = Get<CFuse>(OT_FUSE);
    ASSERT_TRUE(power && fuse);
    power->SetValue(1, 40, 0);
    fuse->SetStep(CFuse::Amp485, 2);
    // A console on the first input card, with its keys' defaults.
    auto* slot = dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().GetBaseDevice(1, OT_AUDIO_INPUT_SLOT));
    ASSERT_NE(nullptr, slot);
    slot->SetCardType(inputcard::Console2);
    slot->SetHoverConnectors(0, -1);
    ASSERT_EQ(1, slot->AddConsole(consmodel::WRN2271));
    // As the logic windows make them: a condition on memo flag 1, a ready
    // input on the third input of the digital slot, a busy condition on
    // alarms without zones or outputs, a day programme.
    auto* memo = Place<CMemoFlag>(CMemoFlag::kKindId, CAT_DIGITAL_IO);
    auto* onMemo = Place<CCondition>(condkind::Memo, CAT_DIGITAL_IO);
    onMemo->SetValue(condkey::Object, 0);
    onMemo->SetValue(condkey::Object, memo->GetNumber());
    onMemo->SetValue(condkey::Level, 1);
    auto* input = Place<CControlPad>(padkind::SlotIn, CAT_DIGITAL_IO, "Tür");
    Get<CDigitalSlot>(OT_DIGITAL_SLOT)->LinkTo(2, input, 0);
    Place<CReadyInput>(CReadyInput::kKindId, CAT_DIGITAL_IO)->SetValue(CReadyInput::Contact, input->GetNumber());
    auto* busy = Place<CBusyCondition>(CBusyCondition::kKindId, CAT_DIGITAL_IO);
    busy->SetValue(0, CBusyCondition::AudioAlarm);
    Place<CDayprog>(CDayprog::kKindId, CAT_CALENDAR, "Werktag");
    // A page macro on zone 1 and on a group of zones 3 and 4; a channel
    // selection without an input of its own.
    ASSERT_NE(nullptr, AddOneInN(doc, 4));
    std::vector<CBaseDevice*> zones;
    for (int32_t n = 1; n <= 4; ++n)
        zones.push_back(doc.GetIDManager().GetBaseDevice(n, OT_ZONE));
    ASSERT_TRUE(zones[0] && zones[2] && zones[3]);
    auto* group = Place<CGroup>(0, CAT_GROUP);
    group->LinkTo(0, zones[2], 0);
    group->LinkTo(0, zones[3], 0);
    Place<CMacro>(macrotype::Page, CAT_MACRO)->SetZones({zones[0], group});
    Place<CMacro>(macrotype::AuxSelect, CAT_MACRO);
    // A file as the program writes it once opened: the fixed blocks take
    // their names on loading, so a new project's first save differs in them.
    std::vector<uint8_t> saved;
    {
        CQuillomerDoc first;
        ActiveDocScope activeFirst{&first};
        ASSERT_TRUE(first.LoadFromBytes(doc.SaveToBytes()));
        saved = first.SaveToBytes();
    }

    CQuillomerDoc loaded;
    ActiveDocScope activeLoaded{&loaded};
    ASSERT_TRUE(loaded.LoadFromBytes(saved));
    EXPECT_FALSE(loaded.IsModified());
    const std::vector<uint8_t> opened = loaded.SaveToBytes();
    EXPECT_EQ(saved, opened);
    auto* power2 = dynamic_cast<CInternalPowerManagement*>(loaded.GetIDManager().GetBaseDevice(1, OT_INTERNAL_POWER_MANAGEMENT));
    ASSERT_NE(nullptr, power2);
    const std::string err = "/tmp/Halle.err";
    loaded.BeginUploadRound();  // as the link starts an upload
    for (const char* answer : {
             "/POWER/MAINS_PRIO 40", "/FUSE/AMP485/VALUE 2", "/POWER/BOOT_MAC 0",
             // Keys on a group, on a chime and on an alarm signal, as the console holds them.
             "/CONS/ADR1/KEY101 SEL,0", "/CONS/ADR1/KEY106 CHIME,0,4,80", "/CONS/ADR1/KEY109 ALARM,0,1,90,UNPROT",
             // The function and the flag the condition watches.
             "/CONDITION/ENTRY1/FUNCTION MEMO", "/CONDITION/ENTRY1/INDEX 1", "/CONDITION/ENTRY1/LEVEL ON",
             // The function of the ready input's contact, and its index.
             "/READYINP/ENTRY1/FUNCTION SLOT5_IN", "/READYINP/ENTRY1/INDEX 3",
             // No zone and no output, in the device's word for none.
             "/CONDITION/BUSY1/AUDIO ALARM", "/CONDITION/BUSY1/OUTPUTS NONE", "/CONDITION/BUSY1/ZONES NONE",
             // The name the day programme bears.
             "/CAL/DAYPROG1/NAME Werktag",
             // The zones the page macro reaches, its group's among them.
             "/MACRO/PROG1/PARAM/ZONES 1,3-4",
             // The input a selection without one writes.
             "/MACRO/PROG2/PARAM/INPUT 1"}) {
        loaded.DispatchAnswerLine(answer, err, linkstate::Upload);
        EXPECT_FALSE(loaded.IsModified()) << answer << ": the device's copy of the project's own value";
        EXPECT_EQ(opened, loaded.SaveToBytes()) << answer;
    }
    loaded.DispatchAnswerLine("/POWER/MAINS_PRIO 50", err, linkstate::Upload);
    EXPECT_EQ(50, power2->GetValue(1));
    EXPECT_TRUE(loaded.IsModified()) << "a value the device holds otherwise is a change of the project";
}
