// The audio objects inside a document: the default system, saving and
// reopening, power-management links, monitor relays and amplifier sources.

#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "audio/CAlarmSignal.h"
#include "audio/CChimeSignal.h"
#include "audio/CInternalMessageRec.h"
#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMiscAudio.h"
#include "audio/CMonitor.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"

#include <algorithm>

using namespace audiotest;
namespace ms = monitorsource;

namespace {
constexpr uint32_t Key(uint32_t op, uint32_t index) { return op | (index << 16); }

template <class T>
T* Fixed(CQuillomerDoc& doc, uint32_t type)
{
    return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type));
}

// Stand-ins for the condition and macro classes while their folders do not
// provide them; the real classes win when they are registered.
template <uint32_t Type>
class StandIn : public CBaseDevice {
public:
    StandIn() { m_type = Type; }
    const CRuntimeClass* GetRuntimeClass() const override { return &info; }
    static CSerializable* Make() { return new StandIn; }
    static const CRuntimeClass info;
};
template <>
const CRuntimeClass StandIn<OT_CONDITION>::info = {"CCondition", 4, &StandIn<OT_CONDITION>::Make};
template <>
const CRuntimeClass StandIn<OT_MACRO>::info = {"CMacro", 15, &StandIn<OT_MACRO>::Make};

void EnsureConditionAndMacroClasses()
{
    if (!CClassRegistry::Find("CCondition"))
        CClassRegistry::Register(&StandIn<OT_CONDITION>::info);
    if (!CClassRegistry::Find("CMacro"))
        CClassRegistry::Register(&StandIn<OT_MACRO>::info);
}

int CountAt(const LinkList& links, int32_t key)
{
    int n = 0;
    for (const LinkRecord* r : links)
        n += r->ownKey == key;
    return n;
}

// Messages are recorded, not shown.
class AudioDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldHandler = SetMessageHandler([this](const std::string& text, uint32_t) {
            m_messages.push_back(text);
            return 1;
        });
        m_oldHook = SetActiveDocHook([this] { return m_active; });
    }
    void TearDown() override
    {
        SetActiveDocHook(m_oldHook);
        SetMessageHandler(m_oldHandler);
    }

    std::vector<std::string> m_messages;
    CQuillomerDoc* m_active = nullptr;

private:
    MessageHandler m_oldHandler;
    ActiveDocHook m_oldHook;
};
}  // namespace

TEST_F(AudioDocTest, NewDocumentHoldsTheAudioObjects)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const CIDManager& dir = doc.GetIDManager();

    DeviceList alarms;
    dir.GetBaseDeviceList(alarms, OT_ALARM_SIGNAL);
    ASSERT_EQ(alarms.size(), 17u);
    for (CBaseDevice* obj : alarms) {
        auto* sig = dynamic_cast<CAlarmSignal*>(obj);
        ASSERT_NE(sig, nullptr);
        EXPECT_EQ(sig->GetValue(1), "9");
        EXPECT_EQ(sig->GetPath(), "EVENT/ALARM");
        const LinkRecord* source = sig->GetInLinkAtKey(0);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->partner->GetType(), OT_ALARM);
    }
    DeviceList chimes;
    dir.GetBaseDeviceList(chimes, OT_CHIME_SIGNAL);
    ASSERT_EQ(chimes.size(), 6u);
    for (CBaseDevice* obj : chimes) {
        auto* sig = dynamic_cast<CChimeSignal*>(obj);
        ASSERT_NE(sig, nullptr);
        EXPECT_EQ(sig->GetPriority(), 7);
        ASSERT_NE(sig->GetInLinkAtKey(0), nullptr);
        EXPECT_EQ(sig->GetInLinkAtKey(0)->partner->GetType(), OT_GONG);
    }

    auto* misc = Fixed<CMiscAudio>(doc, OT_MISC_AUDIO);
    ASSERT_NE(misc, nullptr);
    EXPECT_EQ(misc->GetPath(), "AUDIO");
    EXPECT_EQ(misc->GetName(), "Allgemein");
    ASSERT_EQ(CMiscAudio::KeyOfKeyword().size(), 8u);
    EXPECT_EQ(CMiscAudio::KeyOfKeyword().at("BACK_INP"), 7u);
    EXPECT_EQ(CMiscAudio::KeywordOfKey().at(4), "BACK_ATT");

    auto* monitor = Fixed<CMonitor>(doc, OT_MONITOR);
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(monitor->GetName(), "Monitor");
    EXPECT_EQ(monitor->GetPath(), "/MONI");
    ASSERT_NE(Fixed<CInternalPilottoneGen>(doc, OT_INTERNAL_PILOTTONE_GEN), nullptr);
    EXPECT_EQ(Fixed<CInternalPilottoneGen>(doc, OT_INTERNAL_PILOTTONE_GEN)->GetPath(), "/PILOT");
    ASSERT_NE(Fixed<CInternalPowerManagement>(doc, OT_INTERNAL_POWER_MANAGEMENT), nullptr);
    EXPECT_EQ(Fixed<CInternalPowerManagement>(doc, OT_INTERNAL_POWER_MANAGEMENT)->GetPath(), "/POWER");
    ASSERT_NE(Fixed<CInternalMessageRec>(doc, OT_INTERNAL_MESSAGE_REC), nullptr);
}

TEST_F(AudioDocTest, SavingAndReopeningKeepsTheAudioValues)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    Fixed<CMiscAudio>(doc, OT_MISC_AUDIO)->SetValue(miscaudiokey::BackAtt, "-20");
    Fixed<CMonitor>(doc, OT_MONITOR)->SetValue(Key(ms::AmpIn, 2), 0x21 | (3 << 8));
    auto* pilot = Fixed<CInternalPilottoneGen>(doc, OT_INTERNAL_PILOTTONE_GEN);
    pilot->SetValue(pilotkey::On, 1);
    pilot->SetFloatValue(pilotkey::Frequency, 19000.0f);
    pilot->SetFloatValue(pilotkey::LevelKey(1), -30.0f);
    Fixed<CInternalMessageRec>(doc, OT_INTERNAL_MESSAGE_REC)->SetText(Key(recorderkey::MessageName, 2), "Evakuierung");
    Fixed<CInternalPowerManagement>(doc, OT_INTERNAL_POWER_MANAGEMENT)->SetValue(powerkey::ShutPrio, 99);
    auto* alarm3 = dynamic_cast<CAudioSignal*>(doc.GetIDManager().GetBaseDevice(3, OT_ALARM_SIGNAL));
    ASSERT_NE(alarm3, nullptr);
    alarm3->SetValue(1, "4");

    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(bytes)) << (m_messages.empty() ? "" : m_messages.front());

    EXPECT_EQ(Fixed<CMiscAudio>(reopened, OT_MISC_AUDIO)->GetValue(miscaudiokey::BackAtt), "-20");
    EXPECT_EQ(Fixed<CMiscAudio>(reopened, OT_MISC_AUDIO)->GetPath(), "AUDIO");
    auto* monitor = Fixed<CMonitor>(reopened, OT_MONITOR);
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(monitor->GetEntry(2), (MonitorEntry{"AMP_IN", 0x21, 0, 3}));
    EXPECT_EQ(monitor->GetName(), "Monitor");
    auto* pilot2 = Fixed<CInternalPilottoneGen>(reopened, OT_INTERNAL_PILOTTONE_GEN);
    EXPECT_EQ(pilot2->GetValueText(pilotkey::On), "OFF");
    EXPECT_EQ(pilot2->GetValueText(pilotkey::Frequency), "19000.0");
    EXPECT_EQ(pilot2->GetValueText(pilotkey::LevelKey(1)), "-30.0");
    std::vector<std::string> names;
    EXPECT_EQ(Fixed<CInternalMessageRec>(reopened, OT_INTERNAL_MESSAGE_REC)->GetMessageNames(1, &names), 25);
    EXPECT_EQ(names[2], "Evakuierung");
    EXPECT_EQ(Fixed<CInternalPowerManagement>(reopened, OT_INTERNAL_POWER_MANAGEMENT)->GetValue(powerkey::ShutPrio), 99);
    auto* alarm3b = dynamic_cast<CAudioSignal*>(reopened.GetIDManager().GetBaseDevice(3, OT_ALARM_SIGNAL));
    ASSERT_NE(alarm3b, nullptr);
    EXPECT_EQ(alarm3b->GetPriority(), 4);
    ASSERT_NE(alarm3b->GetInLinkAtKey(0), nullptr);
    EXPECT_EQ(alarm3b->GetInLinkAtKey(0)->partner->GetType(), OT_ALARM);
}

TEST_F(AudioDocTest, PowerManagementLinksConditionAndMacros)
{
    EnsureConditionAndMacroClasses();
    CQuillomerDoc doc;
    auto* power = new CInternalPowerManagement;
    ASSERT_TRUE(power->Create(CInternalPowerManagement::kKindId, "Power", 1, CAT_AUDIO, &doc));
    doc.AddObject(power, CAT_AUDIO);
    const size_t macrosBefore = doc.GetList(CAT_MACRO).size();

    // A macro number that no macro bears creates the macro "12 *".
    EXPECT_EQ(power->SetValue(powerkey::BootMacro, 12), 1);
    CBaseDevice* macro = doc.GetIDManager().GetBaseDevice(12, OT_MACRO);
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(macro->GetName(), "12 *");
    EXPECT_EQ(macro->GetKindId(), 14u);  // no step type yet
    EXPECT_EQ(macro->GetCategory(), CAT_MACRO);
    EXPECT_EQ(doc.GetList(CAT_MACRO).size(), macrosBefore + 1);
    EXPECT_EQ(doc.GetList(CAT_MACRO).back(), macro);
    EXPECT_EQ(power->GetValue(powerkey::BootMacro), 12);
    EXPECT_EQ(power->GetValueText(powerkey::BootMacro), "12 *");
    ASSERT_NE(macro->GetInLinkAtKey(0), nullptr);
    EXPECT_EQ(macro->GetInLinkAtKey(0)->partner, power);

    // The same number again changes nothing.
    power->SetValue(powerkey::BootMacro, 12);
    EXPECT_EQ(CountAt(power->m_outLinks, 1), 1);
    EXPECT_EQ(macro->m_inLinks.size(), 1u);
    EXPECT_EQ(doc.GetList(CAT_MACRO).size(), macrosBefore + 1);

    // The shutdown macro may be the same macro.
    power->SetValue(powerkey::ShutMacro, 12);
    EXPECT_EQ(power->GetValue(powerkey::ShutMacro), 12);
    EXPECT_EQ(macro->m_inLinks.size(), 2u);
    EXPECT_EQ(doc.GetList(CAT_MACRO).size(), macrosBefore + 1);

    // The mains condition: created as "5 *" among the digital I/O objects.
    power->SetValue(powerkey::MainsCond, 5);
    CBaseDevice* cond = doc.GetIDManager().GetBaseDevice(5, OT_CONDITION);
    ASSERT_NE(cond, nullptr);
    EXPECT_EQ(cond->GetName(), "5 *");
    EXPECT_EQ(cond->GetKindId(), 34129u);
    EXPECT_EQ(cond->GetCategory(), CAT_DIGITAL_IO);
    EXPECT_EQ(power->GetValueText(powerkey::MainsCond), "5 *");

    // 0 removes the link from both sides and creates nothing.
    const size_t condsBefore = doc.GetList(CAT_DIGITAL_IO).size();
    power->SetValue(powerkey::MainsCond, 0);
    EXPECT_EQ(power->GetValue(powerkey::MainsCond), 0);
    EXPECT_EQ(power->GetOutLinkAtKey(0), nullptr);
    EXPECT_TRUE(cond->m_inLinks.empty());
    EXPECT_EQ(doc.GetList(CAT_DIGITAL_IO).size(), condsBefore);

    // Relinking the boot macro drops the old link at its key only.
    power->SetValue(powerkey::BootMacro, 13);
    EXPECT_EQ(power->GetValue(powerkey::BootMacro), 13);
    EXPECT_EQ(power->GetValue(powerkey::ShutMacro), 12);
    EXPECT_EQ(macro->m_inLinks.size(), 1u);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(AudioDocTest, MonitorRelaysFromControlPads)
{
    const auto oldRelayFn = CControlPad::SetRelayNumberFn(nullptr);
    {
        CQuillomerDoc doc;
        auto* pad = new CControlPad;
        ASSERT_TRUE(pad->Create(padkind::LMZ764, std::string("LMZ764-3"), 7, CAT_DIGITAL_IO, &doc));
        doc.AddObject(pad, CAT_DIGITAL_IO);
        auto* relais = new CBaseDevice;  // the relay contact the pad stands for
        relais->m_type = OT_RELAIS;
        relais->m_number = 33;
        relais->m_category = CAT_RELAIS_TOPOLOGY;
        doc.AddObject(relais, CAT_RELAIS_TOPOLOGY);
        relais->LinkTo(0, pad, 0);
        ASSERT_EQ(pad->GetSignalIndex(), 33);

        auto* monitor = new CMonitor;
        ASSERT_TRUE(monitor->Create(CMonitor::kKindId, std::string("Monitor"), 1, CAT_DIGITAL_IO, &doc));
        doc.AddObject(monitor, CAT_DIGITAL_IO);

        EXPECT_EQ(monitor->SetValue(Key(ms::Relay, 2), 7), 1);
        EXPECT_EQ(monitor->GetRelayWord(2), 33u);
        EXPECT_EQ(monitor->GetValue(Key(ms::Relay, 2)), 33u);
        EXPECT_EQ(monitor->GetValueText(Key(ms::Relay, 2)), "LMZ764-3");
        EXPECT_EQ(monitor->GetValueText(ms::Code(ms::Rel, 3)), "LMZ764-3");
        // A pad without a relay has the index 0, like an empty relay word: no match.
        auto* unlinked = new CControlPad;
        ASSERT_TRUE(unlinked->Create(padkind::LMZ764, std::string("LMZ764-9"), 3, CAT_DIGITAL_IO, &doc));
        doc.AddObject(unlinked, CAT_DIGITAL_IO);
        ASSERT_EQ(unlinked->GetSignalIndex(), 0);
        EXPECT_EQ(monitor->GetValueText(ms::Code(ms::Rel, 4)), "0 *");
        EXPECT_EQ(monitor->GetValueText(Key(ms::Relay, 3)), "0 *");

        // Adding a relay takes the first free usable one.
        EXPECT_EQ(monitor->SetValue(ms::AddRelay, 7), 1);
        EXPECT_EQ(monitor->GetRelayWord(0), 33u);
        for (int i = 0; i < 18; ++i)
            ASSERT_EQ(monitor->SetValue(ms::AddRelay, 7), 1);
        EXPECT_EQ(monitor->SetValue(ms::AddRelay, 7), 0);  // 20 usable relays on the standard device
        EXPECT_EQ(monitor->GetRelayWord(20), 0u);

        // A pad number that names no pad clears the relay.
        EXPECT_EQ(monitor->SetValue(Key(ms::Relay, 2), 8), 0);
        EXPECT_EQ(monitor->GetRelayWord(2), 0u);
        EXPECT_EQ(monitor->SetValue(Key(ms::Relay, 3), 0), 0);
        EXPECT_EQ(monitor->GetRelayWord(3), 0u);

        std::vector<uint32_t> sources;
        monitor->GetSources(1, &sources);
        EXPECT_EQ(std::count(sources.begin(), sources.end(), ms::Code(ms::Rel, 3)), 0);
        EXPECT_EQ(std::count(sources.begin(), sources.end(), ms::Code(ms::Rel, 2)), 1);
        EXPECT_TRUE(m_messages.empty());
    }
    CControlPad::SetRelayNumberFn(oldRelayFn);
}

TEST_F(AudioDocTest, OldMonitorTurnsRelayLinksIntoRelayWords)
{
    const auto oldRelayFn = CControlPad::SetRelayNumberFn(nullptr);
    {
        CQuillomerDoc doc;
        auto* pad = new CControlPad;
        ASSERT_TRUE(pad->Create(padkind::LMZ764, std::string("LMZ764-5"), 9, CAT_DIGITAL_IO, &doc));
        doc.AddObject(pad, CAT_DIGITAL_IO);
        auto* relais = new CBaseDevice;
        relais->m_type = OT_RELAIS;
        relais->m_number = 45;
        doc.AddObject(relais, CAT_RELAIS_TOPOLOGY);
        relais->LinkTo(0, pad, 0);

        for (uint16_t schema : {3, 4}) {
            // A monitor loaded from a file of that schema, with a relay link at key 2.
            std::vector<uint8_t> bytes = Bytes().ClassTag("CMonitor", schema).Common(33086, "Mon", 12, 1).Get();
            for (int i = 0; i < 50; ++i)
                bytes.insert(bytes.end(), {3, 'O', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
            if (schema == 4)
                bytes.insert(bytes.end(), 80, 0);
            CArchive ar(bytes.data(), bytes.size());
            ar.m_pDocument = &doc;
            auto* monitor = dynamic_cast<CMonitor*>(ar.ReadObject());
            ASSERT_NE(monitor, nullptr);
            ASSERT_TRUE(ar.AtEnd());
            doc.AddObject(monitor, CAT_DIGITAL_IO);
            pad->AddOutLink(pad, 0, monitor, 2, CAT_DIGITAL_IO);
            monitor->AddInLink(monitor, 2, pad, 0, CAT_DIGITAL_IO);

            EXPECT_EQ(monitor->PostLoad(), 1);
            EXPECT_EQ(monitor->GetName(), "Monitor");
            if (schema == 3) {
                EXPECT_EQ(monitor->GetRelayWord(1), 45u);
                EXPECT_EQ(monitor->GetInLinkAtKey(2), nullptr);
                EXPECT_EQ(pad->GetOutLinkTo(monitor), nullptr);
            } else {
                EXPECT_EQ(monitor->GetRelayWord(1), 0u);
                EXPECT_NE(monitor->GetInLinkAtKey(2), nullptr);
                monitor->RemoveAllInLinks();
            }
            doc.RemoveObject(monitor);
            delete monitor;
        }
    }
    CControlPad::SetRelayNumberFn(oldRelayFn);
}

namespace {
// Amplifier facts for the test: address, channels and remote flag packed in the class value.
CIDManager::AmpInfo TestAmpInfo(const CBaseDevice* amp)
{
    const auto v = static_cast<uint32_t>(amp->m_classValue);
    return {(v >> 16) != 0, static_cast<int32_t>((v >> 8) & 0xFF), static_cast<int32_t>(v & 0xFF)};
}
}  // namespace

TEST_F(AudioDocTest, MonitorSourcesOfRemoteAmplifiers)
{
    const auto oldAmpFn = CIDManager::SetAmpInfoFn(&TestAmpInfo);
    {
        CQuillomerDoc doc;
        struct { int32_t number; const char* name; bool remote; int channels; int address; } amps[] = {
            {1, "V1", true, 4, 26}, {2, "V2", false, 2, 7}, {3, "V3", true, 2, 5}, {4, "V4", true, 1, 26},
        };
        for (const auto& a : amps) {
            auto* amp = new CBaseDevice;
            amp->m_type = OT_AMPLIFIER;
            amp->m_classValue = (a.remote ? 0x10000 : 0) | (a.channels << 8) | a.address;
            ASSERT_TRUE(amp->Create(0, std::string(a.name), a.number, CAT_AMPLIFIER, &doc));
            doc.AddObject(amp, CAT_AMPLIFIER);
        }
        auto* monitor = new CMonitor;
        ASSERT_TRUE(monitor->Create(CMonitor::kKindId, std::string("Monitor"), 1, CAT_DIGITAL_IO, &doc));
        doc.AddObject(monitor, CAT_DIGITAL_IO);

        std::vector<uint32_t> list;
        monitor->GetSources(1, &list);
        std::vector<uint32_t> amp(list.begin() + 9, list.end());
        const std::vector<uint32_t> expected = {
            ms::AmpCode(ms::AmpIn, 26, 1), ms::AmpCode(ms::AmpIn, 26, 2), ms::AmpCode(ms::AmpIn, 26, 3),
            ms::AmpCode(ms::AmpIn, 26, 4), ms::AmpCode(ms::AmpOut, 26, 1), ms::AmpCode(ms::AmpOut, 26, 2),
            ms::AmpCode(ms::AmpOut, 26, 3), ms::AmpCode(ms::AmpOut, 26, 4),
            ms::AmpCode(ms::AmpIn, 5, 1), ms::AmpCode(ms::AmpIn, 5, 2),
            ms::AmpCode(ms::AmpOut, 5, 1), ms::AmpCode(ms::AmpOut, 5, 2),
            ms::AmpCode(ms::AmpIn, 26, 1), ms::AmpCode(ms::AmpOut, 26, 1),
        };
        EXPECT_EQ(amp, expected);

        // Of two amplifiers at one address the one listed last by address wins.
        EXPECT_EQ(monitor->GetValueText(ms::AmpCode(ms::AmpIn, 26, 2)), "V4 - 2 IN");
        EXPECT_EQ(monitor->GetValueText(ms::AmpCode(ms::AmpOut, 5, 1)), "V3 - 1 OUT");
        EXPECT_EQ(monitor->GetValueText(ms::AmpCode(ms::AmpOut, 7, 1)), "7 * - 1 OUT");
    }
    CIDManager::SetAmpInfoFn(oldAmpFn);
}

TEST_F(AudioDocTest, UpgradedDeviceUsesTheWholeMonitorTable)
{
    CQuillomerDoc doc;
    doc.m_data.deviceVariant = 1;
    m_active = &doc;
    EXPECT_EQ(CMonitor::GetMaxEntries(), 250);
    EXPECT_EQ(CMonitor::GetMaxRelays(), 50);
    CMonitor m;
    for (int i = 0; i < 250; ++i)
        ASSERT_EQ(m.SetValue(ms::AddEntry, ms::Code(ms::Out, 1)), 1) << i;
    EXPECT_EQ(m.SetValue(ms::AddEntry, ms::Code(ms::Out, 1)), 0);
    EXPECT_EQ(m.GetValueText(ms::Code(ms::Rel, 60)), "60 *");
    EXPECT_EQ(m.GetValueText(ms::Code(ms::Rel, 50)), "0 *");

    doc.m_data.deviceVariant = 0;
    EXPECT_EQ(CMonitor::GetMaxEntries(), 50);
    EXPECT_EQ(CMonitor::GetMaxRelays(), 20);
}
