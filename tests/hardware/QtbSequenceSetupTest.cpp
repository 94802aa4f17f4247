// The message device's sequences and the power pack's dialog settings,
// headless: each set-up is applied, re-applied, changed and removed, and the
// document must hold exactly the objects the set-up needs, no leftovers.

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "audio/CAudioSignal.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CQTBSequence.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/CPowerSupplySetup.h"
#include "hardware/CQtbSequenceSetup.h"
#include "macros/CMacro.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"

namespace {

using Snapshot = std::set<std::tuple<uint32_t, int32_t, std::string>>;

struct QtbSetupTest : ::testing::Test {
    QtbSetupTest()
    {
        doc.OnNewDocument();
        device = new CAudioInputDevice;
        EXPECT_EQ(1, device->Create(audiodevice::KindRecorder, 1, 1, std::string("QTB8174 1"), 500, 500, 500, 500,
                                    CAT_AUDIO_DEVICE, 0, 0, &doc));
        doc.AddObject(device, CAT_AUDIO_DEVICE);
        in1 = Pad(padkind::SlotIn, "IN1");
        in2 = Pad(padkind::SlotIn, "IN2");
        out1 = Pad(padkind::SlotOut, "OUT1");
    }
    CControlPad* Pad(uint32_t kind, const char* name)
    {
        auto* pad = new CControlPad;
        EXPECT_TRUE(pad->Create(kind, 1, 1, std::string(name), 500, 500, 0, 0, CAT_DIGITAL_IO, 0, 3, &doc));
        doc.AddObject(pad, CAT_DIGITAL_IO);
        return pad;
    }
    // Every control object and signal: type, number, name.
    Snapshot Objects() const
    {
        Snapshot s;
        for (int32_t cat : {CAT_DIGITAL_IO, CAT_MACRO, CAT_AUDIO})
            for (const CBaseDevice* o : doc.GetList(cat))
                s.insert({o->GetType(), o->GetNumber(), o->GetName()});
        return s;
    }
    size_t Count(uint32_t type) const
    {
        DeviceList list;
        doc.GetIDManager().GetBaseDeviceList(list, type);
        return list.size();
    }
    CMacro* MacroNamed(const std::string& name) const
    {
        for (CBaseDevice* o : doc.GetList(CAT_MACRO))
            if (o->GetName() == name)
                return dynamic_cast<CMacro*>(o);
        return nullptr;
    }

    MessageLog messages;
    ModelTestHost host;
    CQuillomerDoc doc;
    CAudioInputDevice* device = nullptr;
    CControlPad *in1 = nullptr, *in2 = nullptr, *out1 = nullptr;
    CQtbSequenceSetup setup{&doc, nullptr};
};

TEST_F(QtbSetupTest, EachSetUpIsBuiltOnceChangedAndRemovedWithoutLeftovers)
{
    struct Case {
        const char* what;
        void (*choose)(QtbSequenceSettings&, QtbSetupTest&);
        size_t macros, triggers, conditions;
    };
    const Case cases[] = {
        {"start/stop", [](QtbSequenceSettings& s, QtbSetupTest& t) { s.startStop = QtbChoice::Of(t.out1); }, 2, 0, 0},
        {"running", [](QtbSequenceSettings& s, QtbSetupTest& t) { s.running = QtbChoice::Of(t.in1); }, 2, 1, 1},
        {"running + lcd",
         [](QtbSequenceSettings& s, QtbSetupTest& t) {
             s.running = QtbChoice::Of(t.in1);
             s.lcd = true;
             s.console = QtbChoice::Of(nullptr);
             s.lcdText = "Ansage";
         },
         4, 2, 2},
        {"running + external start",
         [](QtbSequenceSettings& s, QtbSetupTest& t) {
             s.running = QtbChoice::Of(t.in1);
             s.externalStart = true;
             s.condition = QtbChoice::Of(nullptr);
         },
         2, 2, 1},
        {"everything",
         [](QtbSequenceSettings& s, QtbSetupTest& t) {
             s.startStop = QtbChoice::Of(t.out1);
             s.running = QtbChoice::Of(t.in1);
             s.lcd = true;
             s.console = QtbChoice::Of(nullptr);
             s.externalStart = true;
             s.condition = QtbChoice::Of(nullptr);
         },
         6, 3, 2},
    };
    CQtbSequenceSetup qtb(&doc, device);
    const Snapshot empty = Objects();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CBaseDevice* seq = qtb.NewSequence(qtbkind::Alarm);
        ASSERT_NE(seq, nullptr);
        const Snapshot bare = Objects();
        QtbSequenceSettings s;
        s.priority = 3;
        c.choose(s, *this);
        ASSERT_TRUE(qtb.Apply(seq, s));
        EXPECT_EQ(Count(OT_MACRO), c.macros);
        EXPECT_EQ(Count(OT_TRIGGER), c.triggers);
        EXPECT_EQ(Count(OT_CONDITION), c.conditions);
        const Snapshot once = Objects();
        QtbSequenceSettings again = qtb.Read(seq);
        EXPECT_EQ(again.running.object, s.running.object);
        EXPECT_EQ(again.lcd, s.lcd);
        EXPECT_EQ(again.externalStart, s.externalStart);
        ASSERT_TRUE(qtb.Apply(seq, again));
        EXPECT_EQ(Objects(), once) << "applying unchanged settings again creates nothing";

        // Everything switched off: back to the bare sequence.
        QtbSequenceSettings off;
        off.startStop = off.running = off.condition = QtbChoice::Of(nullptr);
        off.priority = 3;
        ASSERT_TRUE(qtb.Apply(seq, off));
        EXPECT_EQ(Objects(), bare);

        c.choose(s, *this);
        s.priorityChanged = true;  // rebuilds the running set-up
        ASSERT_TRUE(qtb.Apply(seq, s));
        qtb.DeleteSequence(seq, s.condition);
        EXPECT_EQ(Objects(), empty);
        EXPECT_TRUE(messages.texts.empty());
    }
}

TEST_F(QtbSetupTest, RunningAlarmMacrosCarryThePriorityAndExternalStartTakesTheAudioMacro)
{
    CQtbSequenceSetup qtb(&doc, device);
    CBaseDevice* seq = qtb.NewSequence(qtbkind::Alarm);
    QtbSequenceSettings s;
    s.priority = 3;
    s.priorityChanged = true;
    s.running = QtbChoice::Of(in1);
    s.externalStart = true;
    s.condition = QtbChoice::Of(nullptr);
    ASSERT_TRUE(qtb.Apply(seq, s));
    CMacro* audio = MacroNamed("QTB-QTB8174 1 Audio");
    CMacro* stop = MacroNamed("QTB-QTB8174 1 Audio Stop");
    ASSERT_TRUE(audio && stop);
    EXPECT_EQ(audio->GetParam(1), 30);
    EXPECT_EQ(stop->GetParam(1), 31);
    EXPECT_EQ(audio->GetKindId(), 34253u);
    EXPECT_EQ(audio->GetOutLinkAtKey(macrolink::Alarm)->partner, CQtbSequenceSetup::SignalOf(seq));
    EXPECT_EQ(dynamic_cast<CAudioSignal*>(CQtbSequenceSetup::SignalOf(seq))->GetPriority(), 3);
    const CBaseDevice* external = seq->GetOutLinkAtKey(1)->partner;
    EXPECT_EQ(external->GetOutLinkAtKey(0)->partner, audio);
    EXPECT_EQ(external->GetOutLinkAtKey(2), nullptr) << "\"OFF\": no condition";
    EXPECT_FALSE(s.priorityChanged);
}

TEST_F(QtbSetupTest, FailedLcdApplyLeavesNoMacrosAndRemovesCleanly)
{
    CQtbSequenceSetup qtb(&doc, device);
    CBaseDevice* seq = qtb.NewSequence(qtbkind::Text);
    const Snapshot bare = Objects();
    QtbSequenceSettings s;
    s.running = QtbChoice::Of(nullptr);
    s.lcd = true;
    s.console = QtbChoice::Of(nullptr);
    for (int pass = 0; pass < 2; ++pass)
        EXPECT_FALSE(qtb.Apply(seq, s));
    EXPECT_TRUE(messages.Contains("Error : No available condition for lcd trigger !"));
    EXPECT_EQ(Count(OT_MACRO), 0u) << "repeated failures leave no orphan macros";
    qtb.DeleteSequence(seq, s.condition);
    EXPECT_EQ(Objects().size(), bare.size() - 2);
}

TEST_F(QtbSetupTest, SequencesShareConditionsAndTheFaultInputBelongsToTheDevice)
{
    CQtbSequenceSetup qtb(&doc, device);
    CBaseDevice* first = qtb.NewSequence(qtbkind::Text);
    CBaseDevice* second = qtb.NewSequence(qtbkind::Text);
    EXPECT_EQ(CQtbSequenceSetup::RowText(first), "QTB-QTB8174 1");
    EXPECT_EQ(CQtbSequenceSetup::RowText(second), "QTB-QTB8174 2");
    EXPECT_EQ(dynamic_cast<CAudioSignal*>(CQtbSequenceSetup::SignalOf(first))->GetPriority(), 6);
    QtbSequenceSettings s;
    s.fault = QtbChoice::Of(in2);
    s.running = QtbChoice::Of(in1);
    ASSERT_TRUE(qtb.Apply(first, s));
    ASSERT_TRUE(qtb.Apply(second, s));
    EXPECT_EQ(Count(OT_CONDITION), 1u);
    EXPECT_EQ(Count(OT_READY_INPUT), 1u);
    ASSERT_NE(device->GetOutLinkAtKey(-2), nullptr);
    qtb.DeleteSequence(first, s.condition);
    EXPECT_EQ(Count(OT_CONDITION), 1u) << "the other sequence still uses it";
    qtb.DeleteSequence(second, s.condition);
    EXPECT_EQ(Count(OT_CONDITION), 0u);
    EXPECT_EQ(Count(OT_READY_INPUT), 1u) << "the fault input survives its sequences";

    s.fault = QtbChoice::Of(nullptr);
    ASSERT_TRUE(qtb.Apply(nullptr, s));
    EXPECT_EQ(Count(OT_READY_INPUT), 0u);
    EXPECT_EQ(device->GetOutLinkAtKey(-1), nullptr);
}

TEST_F(QtbSetupTest, PowerSupplyPrioritiesAndLcdTexts)
{
    auto* pm = dynamic_cast<CInternalPowerManagement*>(doc.GetIDManager().GetBaseDevice(1, OT_INTERNAL_POWER_MANAGEMENT));
    ASSERT_NE(pm, nullptr);
    auto* pack = new CAudioInputDevice;
    ASSERT_EQ(1, pack->Create(audiodevice::KindFJX3392, 1, 1, std::string("FJX3392"), 300, 500, 300, 500,
                              CAT_AUDIO_DEVICE, 0, 0, &doc));
    doc.AddObject(pack, CAT_AUDIO_DEVICE);
    CPowerSupplySetup power(&doc, pack);
    for (auto [stored, slider, written] : {std::tuple{70, 7, 70}, {75, 7, 70}, {200, 10, 100}}) {
        pm->SetValue(powerkey::MainsPrio, stored);
        pm->SetValue(powerkey::BattPrio, 30);
        PowerSupplySettings s = power.Read();
        EXPECT_EQ(s.mainsPriority, slider);
        EXPECT_EQ(s.batteryPriority, 3);
        power.Apply(s);
        EXPECT_EQ(pm->GetValue(powerkey::MainsPrio), written);
        EXPECT_EQ(pm->GetValue(powerkey::BattPrio), 30);
    }
    PowerSupplySettings s = power.Read();
    EXPECT_EQ(s.lcd[PowerSupplySettings::Mains].position, 0);
    EXPECT_EQ(s.lcd[PowerSupplySettings::Mains].text, "<Netzbetrieb>");
    s.lcd[PowerSupplySettings::Mains] = {1, "Netz"};
    s.battery = true;
    power.Apply(s);
    EXPECT_EQ(pack->GetItem(9), 0) << "all consoles";
    EXPECT_NE(pack->GetField(CAudioInputDevice::MacroBattOn), 0);
    EXPECT_EQ(pm->GetValue(powerkey::BattAvail), 1);
    PowerSupplySettings back = power.Read();
    EXPECT_EQ(back.lcd[PowerSupplySettings::Mains].position, 1);
    EXPECT_EQ(back.lcd[PowerSupplySettings::Mains].text, "Netz");
    s.lcd[PowerSupplySettings::Mains].position = 0;
    power.Apply(s);
    EXPECT_EQ(pack->GetItem(3), 0);
}

}  // namespace
