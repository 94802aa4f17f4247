// The audio and service objects of a new document against the device
// simulator: a download sends what their step machines make, and an upload
// reads every value back into the project, with an empty difference file.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMiscAudio.h"
#include "audio/CMonitor.h"
#include "service/CEventLog.h"
#include "service/CFault.h"
#include "service/CFuse.h"
#include "service/CZonetestObject.h"
#include "support/BlockTestSupport.h"

using namespace commtest;
using serialtest::Pump;

namespace {

class Session {
public:
    Session()
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        previousHook = SetActiveDocHook([this] { return &doc; });
        doc.OnNewDocument();
        doc.SetTitle("Halle");
        doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
        doc.m_data.deviceVariant = 1;  // every object takes part
        link.SetHost(&host);
        previousSender = SetLineSender(&link);
    }
    ~Session()
    {
        if (link.IsConnected())
            link.ClosePort();
        SetLineSender(previousSender);
        SetActiveDocHook(previousHook);
        serialtest::SetDevicePath(kPort, {});
    }
    template <class T>
    T* Get(uint32_t type, int32_t number = 1)
    {
        return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(number, type));
    }
    void Transfer(const std::vector<CBaseDevice*>& objects, int direction)
    {
        host.paramSelect = [&](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = objects;
            return true;
        };
        link.OnTransferParameters();
        ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    }

    QTemporaryDir dir;
    Simulator sim;
    SettingsHost settings;
    CQuillomerDoc doc;
    TestHost host;
    CCommLink link;
    Messages messages;
    ActiveDocHook previousHook;
    ILineSender* previousSender = nullptr;
};

// What a download of the objects puts on the line: their step machines' lines,
// a repeated path sent as its value only where the object asks for it.
std::string DownloadText(const std::vector<CBaseDevice*>& objects)
{
    blocktest::RecordingSender rec;
    for (CBaseDevice* obj : objects) {
        const int end = obj->GetDownloadLines(0, -1);
        for (int step = 0; step < end;)
            step = obj->GetDownloadLines(0, step);
    }
    std::string text, lastPath;
    for (size_t i = 0; i < rec.lines.size(); ++i) {
        const std::string& line = rec.lines[i];
        const std::string path = line.substr(0, line.find(' '));
        text += (rec.shortenFlags[i] && path == lastPath ? line.substr(path.size()) : line) + "\r\n";
        lastPath = path;
    }
    return text;
}

// Two sets of settings: the design (`design` true) and another one.
void SetSettings(Session& s, bool design)
{
    s.Get<CMiscAudio>(OT_MISC_AUDIO)->SetValue(miscaudiokey::BackAtt, design ? "-12" : "-41");
    // The second alarm signal plays the fifth generator, or none.
    s.Get<CBaseDevice>(OT_ALARM_SIGNAL, 2)
        ->ParseUploadLines(design ? "EVENT/ALARM2/INTERN 5" : "EVENT/ALARM2/INTERN OFF", "", linkstate::Upload);
    s.Get<CMonitor>(OT_MONITOR)->SetValue((design ? monitorsource::AmpIn : monitorsource::Off) | (3u << 16), 0x21a);
    s.Get<CInternalPilottoneGen>(OT_INTERNAL_PILOTTONE_GEN)->SetFloatValue(pilotkey::LevelKey(1), design ? -20.5f : 0.f);
    auto* power = s.Get<CInternalPowerManagement>(OT_INTERNAL_POWER_MANAGEMENT);
    power->SetValue(powerkey::ShutPrio, design ? 5 : 0);
    power->SetValue(powerkey::DropShut, design);
    auto* fault = s.Get<CFault>(OT_FAULT);
    fault->SetFlags(CFault::Included, design ? faultsrc::Amp | faultsrc::SpareAmp : 0);
    fault->SetFlags(CFault::ManualFault, design);
    s.Get<CFuse>(OT_FUSE)->m_steps[2] = design ? 1 : 3;
    s.Get<CEventLog>(OT_EVENT_LOG)->SetMaskFromFlags(1, design ? 0x09 : 0);
    s.Get<CZonetestObject>(OT_ZONETEST_OBJECT)->SetValue(CZonetestObject::WipeCycles, design ? "OFF" : "5");
}

}  // namespace

TEST(AudioServiceTransfer, UploadReadsBackWhatTheDownloadSent)
{
    Session s;
    ASSERT_TRUE(s.sim.Start({})) << Simulator::Program().toStdString();
    s.link.OnConnect();
    ASSERT_TRUE(s.link.IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(s.sim, s.link));
    ASSERT_EQ(Profile(QStringLiteral("KVT7000/MONI_CLR")).toInt(), 1);

    std::vector<CBaseDevice*> objects = {s.Get<CBaseDevice>(OT_ALARM_SIGNAL, 1), s.Get<CBaseDevice>(OT_ALARM_SIGNAL, 2),
                                         s.Get<CBaseDevice>(OT_CHIME_SIGNAL, 1)};
    for (uint32_t type : {OT_MISC_AUDIO, OT_MONITOR, OT_INTERNAL_PILOTTONE_GEN, OT_INTERNAL_POWER_MANAGEMENT,
                          OT_INTERNAL_MESSAGE_REC, OT_FAULT, OT_FUSE, OT_ZONETEST_OBJECT})
        objects.push_back(s.Get<CBaseDevice>(type));
    for (CBaseDevice* obj : objects)
        ASSERT_NE(nullptr, obj);

    SetSettings(s, true);
    const std::string design = DownloadText(objects);
    size_t mark = s.sim.Received().size();
    s.Transfer(objects, 1);
    EXPECT_EQ(s.sim.Received().substr(mark),
              "/MACRO/LOCK ON\r\n" + design + "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n");

    SetSettings(s, false);
    ASSERT_NE(design, DownloadText(objects));
    s.messages.texts.clear();
    s.Transfer(objects, 0);
    EXPECT_EQ(ReadFile(s.dir.filePath(QStringLiteral("Halle.err"))), "");
    EXPECT_EQ(design, DownloadText(objects));
    ASSERT_EQ(1u, s.messages.texts.size()) << s.messages.texts.front();  // the end of the upload
    EXPECT_NE(s.messages.texts[0].find(".err"), std::string::npos);
}
