// A new project with a condition of every kind (plain, analog, busy,
// combined), a zone on an amplifier without the remote module and buzzer
// macros with and without a pattern goes down
// to the device simulator and comes back up unchanged: the upload says
// nothing but that it ended, its difference file stays empty, and the
// document holds the same objects with the same values as before.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include <map>

#include "comm/ParameterGroups.h"
#include "hardware/CAmplifier.h"
#include "hardware/CLMZ.h"
#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "model/CControlPad.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "platform/StringTable.h"
#include "support/ZoneTestSupport.h"

using namespace commtest;
using serialtest::Pump;

namespace {

constexpr uint32_t kAllObjectGroups = 0x1F;  // every group but the text file

// Every object of the document by list and name, with its number.
std::map<std::string, int32_t> Inventory(CQuillomerDoc& doc)
{
    std::map<std::string, int32_t> all;
    for (int32_t category = 1; category <= 16; ++category)
        for (CBaseDevice* obj : doc.GetList(category))
            all[StrFormat("%d/%u/", category, obj->GetType()) + obj->GetName()] = obj->GetNumber();
    return all;
}

template <class T>
T* AddNumbered(CQuillomerDoc& doc, uint32_t kind, int32_t category)
{
    auto* o = new T;
    EXPECT_EQ(1, o->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, category, 0, 3, &doc));
    doc.AddObject(o, category);
    return o;
}

CCondition* AddCondition(CQuillomerDoc& doc, uint32_t kind)
{
    return AddNumbered<CCondition>(doc, kind, CAT_DIGITAL_IO);
}

}  // namespace

TEST(RoundTripSim, NewProjectWithEveryConditionKindAndALocalAmplifierZoneComesBackUnchanged)
{
    serialtest::UsePrivateSettings();
    SetProfile(QStringLiteral("COMSECTION/PORT"), {});
    SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
    SetProfile(QStringLiteral("Configuration/StayOnline"), {});
    SetProfile(QStringLiteral("Settings/WorkDirectory"), {});
    QTemporaryDir dir;
    Simulator sim;
    // The timing is not what is tested here: a line far faster than the real one.
    sim.lineRate = false;
    CQuillomerDoc doc;
    ActiveDocHook previousHook = SetActiveDocHook([&doc] { return &doc; });
    auto previousDialog = CRelaisTopology::SetDialog(nullptr);
    TestHost host;
    CCommLink link;
    Messages messages;
    // The blocks read the device's clear capability from the profile, where
    // the connection set-up stores it, as in the program.
    SettingsHost settings;
    link.SetHost(&host);
    ILineSender* previousSender = SetLineSender(&link);
    doc.OnNewDocument();
    doc.SetTitle("Halle");
    doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());

    // A plain condition: an interface input, level OFF, no contact chosen.
    CCondition* plain = AddCondition(doc, condkind::Inp);
    // An analog condition on the third AD channel of an LMZ775 card.
    CLMZ* card = CLMZ::NewCard(&doc, lmzkind::Analog775);
    ASSERT_NE(nullptr, card);
    auto* adc = new CControlPad;
    ASSERT_EQ(1, adc->Create(padkind::LMZ775In, 1, 1, std::string("AD3"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &doc));
    doc.AddObject(adc, CAT_DIGITAL_IO);
    card->LinkTo(2, adc, 0);
    CCondition* analogCond = AddCondition(doc, condkind::Analog);
    analogCond->SetValue(condkey::Object, 2);
    auto* analog = dynamic_cast<CAnalogCondition*>(doc.GetIDManager().GetBaseDevice(2, OT_ANALOG_CONDITION));
    ASSERT_NE(nullptr, analog);
    analog->SetValue(0, adc->GetNumber());
    analog->SetLimit(1, 1.5f);
    analog->SetLimit(2, 4.5f);
    // A busy condition on alarms and the second page input.
    CCondition* busyCond = AddCondition(doc, condkind::Busy);
    busyCond->SetValue(condkey::Object, 1);
    busyCond->SetValue(condkey::Level, 1);
    auto* busy = dynamic_cast<CBusyCondition*>(doc.GetIDManager().GetBaseDevice(1, OT_BUSY_CONDITION));
    ASSERT_NE(nullptr, busy);
    busy->ParseValue(0, "ALARM,PAGE2");
    busy->ParseValue(3, "3");
    // A combined condition over the plain one.
    CCondition* combineCond = AddCondition(doc, condkind::Combine);
    combineCond->SetValue(condkey::Object, 3);
    auto* combine = dynamic_cast<CCombineCondition*>(doc.GetIDManager().GetBaseDevice(3, OT_COMBINE_CONDITION));
    ASSERT_NE(nullptr, combine);
    combine->ParseValue(0, "OR");
    combine->SetValue(3, plain->GetNumber());

    // Two zones on an amplifier without the remote module: no amplifier channel.
    const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(33079);
    ASSERT_NE(nullptr, row);
    ASSERT_EQ(0, row->remote);
    CRelaisTopology* topology = AddOneInN(doc, 2, 33079);
    ASSERT_NE(nullptr, topology);
    ASSERT_FALSE(topology->GetZones().empty());
    CZone* zone = topology->GetZones()[0];
    ASSERT_EQ(0, zone->GetAmpChannel());

    // Console buzzers: one with a pattern, one without.
    auto* buzzer = AddNumbered<CMacro>(doc, macrotype::Buzzer, CAT_MACRO);
    buzzer->SetParamText(73, "--..--..");
    buzzer->SetParam(74, 5);
    auto* plainBuzzer = AddNumbered<CMacro>(doc, macrotype::Buzzer, CAT_MACRO);

    const std::map<std::string, int32_t> before = Inventory(doc);
    const std::string plainName = plain->GetName();

    ASSERT_TRUE(sim.Start({}))
        << Simulator::Program().toStdString();
    link.OnConnect();
    ASSERT_TRUE(link.IsConnected());
    ASSERT_TRUE(sim.AwaitReceivedEnd("/COMM/ECHO ON\r\n"));
    ASSERT_TRUE(link.SetSettings(QStringLiteral("921600,n,8,1")));
    auto transfer = [&](int direction) {
        host.paramSelect = [&doc, direction](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = CollectParameterGroupObjects(doc, kAllObjectGroups);
            return true;
        };
        link.OnTransferParameters();
        ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    };
    messages.texts.clear();
    transfer(1);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    ASSERT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n"));
    const std::string down = sim.Received();
    const std::string zonePath = StrFormat("/KVT/ZONE%d/AMPCHAN", zone->GetNumber());
    for (const std::string& line :
         {StrFormat("/CONDITION/ENTRY%d/FUNCTION INP\r\n", plain->GetNumber()),
          StrFormat("/CONDITION/ENTRY%d/INDEX 0\r\n", plain->GetNumber()), std::string("/CONDITION/ANALOG2/MIN 1.5"),
          std::string("/CONDITION/BUSY1/AUDIO ALARM,PAGE2\r\n"), zonePath + " \r\n",
          StrFormat("/MACRO/PROG%d/PARAM/PATTERN --..--..\r\n", buzzer->GetNumber()),
          StrFormat("/MACRO/PROG%d/PARAM/PATTERN \r\n", plainBuzzer->GetNumber())})
        EXPECT_NE(std::string::npos, down.find(line)) << line;

    transfer(0);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string> {"Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""}));
    EXPECT_EQ("", ReadFile(dir.filePath(QStringLiteral("Halle.err"))));
    EXPECT_TRUE(host.editorFiles.empty());
    // The device answered the empty amplifier channel as it holds it.
    EXPECT_NE(std::string::npos, sim.Sent().find(zonePath + " \r\n"));
    EXPECT_EQ(std::string::npos, sim.Sent().find(zonePath + " ? "));

    // Nothing made, nothing deleted, nothing renamed; the values as designed.
    EXPECT_EQ(before, Inventory(doc));
    EXPECT_EQ(plainName, plain->GetName());
    EXPECT_EQ(static_cast<uint32_t>(condkind::Inp), plain->GetKindId());
    EXPECT_EQ(nullptr, plain->GetOutLinkAtKey(0));
    EXPECT_EQ(2, analogCond->GetValue(condkey::Object));
    EXPECT_EQ(3, analog->GetValue(0));
    EXPECT_EQ(1.5f, analog->m_min);
    EXPECT_EQ(4.5f, analog->m_max);
    EXPECT_EQ(1, busyCond->GetValue(condkey::Object));
    EXPECT_EQ(1, busyCond->GetValue(condkey::Level));
    EXPECT_EQ(static_cast<uint32_t>(CBusyCondition::AudioAlarm | CBusyCondition::AudioPage2), busy->m_audio);
    EXPECT_EQ(3, combineCond->GetValue(condkey::Object));
    EXPECT_EQ(plain->GetNumber(), combine->GetValue(3));
    EXPECT_EQ(0, zone->GetAmpChannel());
    EXPECT_EQ("--..--..", buzzer->GetParamText(73));
    EXPECT_EQ(5, buzzer->GetParam(74));
    EXPECT_EQ("", plainBuzzer->GetParamText(73));

    link.ClosePort();
    SetLineSender(previousSender);
    CRelaisTopology::SetDialog(previousDialog);
    SetActiveDocHook(previousHook);
    serialtest::SetDevicePath(kPort, {});
}
