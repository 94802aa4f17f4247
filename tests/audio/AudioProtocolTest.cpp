// Protocol of the audio objects of a new document: the lines each download
// and upload step sends, and what the device's answers change.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "audio/AudioIds.h"
#include "audio/CAlarmSignal.h"
#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMessageSignal.h"
#include "audio/CMiscAudio.h"
#include "audio/CMonitor.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"

namespace ms = monitorsource;
using Lines = std::vector<std::string>;

namespace {

class AudioProtocol : public ::testing::Test {
protected:
    void SetUp() override { doc.OnNewDocument(); }

    template <class T>
    T* Get(uint32_t type, int32_t number = 1)
    {
        return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(number, type));
    }
    // A numbered object of a registered class, added to the document.
    CBaseDevice* Add(const char* cls, uint32_t kind, int32_t number, int32_t category)
    {
        auto* obj = dynamic_cast<CBaseDevice*>(CClassRegistry::Find(cls)->create());
        EXPECT_EQ(1, obj->Create(kind, StrFormat("%s %d", cls, number), number, category, &doc));
        doc.AddObject(obj, category);
        return obj;
    }
    // Runs a step machine as the transfer does; the lines it sent.
    Lines Run(CBaseDevice& obj, int mode)
    {
        sender.lines.clear();
        h.Walk(obj, mode);
        return sender.lines;
    }
    void Answer(CBaseDevice& obj, const std::string& line, int state = linkstate::Upload)
    {
        obj.ParseUploadLines(line, h.diffFile, state);
    }

    blocktest::BlockHarness h;
    CQuillomerDoc& doc = h.doc();
    blocktest::RecordingSender& sender = h.link;
    MessageLog messages;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

TEST_F(AudioProtocol, SignalLines)
{
    auto* alarm = Get<CAlarmSignal>(OT_ALARM_SIGNAL, 2);
    ASSERT_NE(nullptr, alarm);
    EXPECT_EQ((Lines{"/EVENT/ALARM2/INTERN 2", "/EVENT/ALARM2/MACRO_START OFF", "/EVENT/ALARM2/MACRO_STOP OFF"}),
              Run(*alarm, 0));
    EXPECT_EQ((std::vector<bool>{false, false, false}), sender.shortenFlags);
    EXPECT_EQ((Lines{"/EVENT/ALARM2/INTERN ?", "/EVENT/ALARM2/MACRO_START ?", "/EVENT/ALARM2/MACRO_STOP ?"}),
              Run(*alarm, 1));

    // A message signal sends its message number, 0 included.
    auto* message = dynamic_cast<CMessageSignal*>(Add("CMessageSignal", signalkind::Message, 4, CAT_AUDIO));
    EXPECT_EQ("/EVENT/MESSAGE4/INTERN 0", Run(*message, 0).at(0));
    message->SetValue(signalkey::MessageNumber, "17");
    EXPECT_EQ("/EVENT/MESSAGE4/INTERN 17", Run(*message, 0).at(0));

    sender.outBufferCount = 512;
    EXPECT_EQ(1, alarm->GetDownloadLines(0, 1));
    EXPECT_EQ(3u, sender.lines.size());
}

TEST_F(AudioProtocol, SignalAnswers)
{
    auto* alarm = Get<CAlarmSignal>(OT_ALARM_SIGNAL, 2);
    CBaseDevice* macro3 = Add("CMacro", macrotype::NoType, 3, CAT_MACRO);
    // A macro that plays the signal links in at the generator's key.
    CBaseDevice* player = Add("CMacro", macrotype::NoType, 4, CAT_MACRO);
    player->LinkTo(macrolink::Alarm, alarm, 0);

    Answer(*alarm, "EVENT/ALARM2/INTERN 5a");
    Answer(*alarm, "EVENT/ALARM2/MACRO_START 3");
    Answer(*alarm, "EVENT/ALARM2/MACRO_STOP 3");
    EXPECT_EQ((Lines{"/EVENT/ALARM2/INTERN 5", "/EVENT/ALARM2/MACRO_START 3", "/EVENT/ALARM2/MACRO_STOP 3"}),
              Run(*alarm, 0));
    EXPECT_NE(nullptr, macro3->GetInLinkAtKey(0));
    EXPECT_EQ(nullptr, Get<CBaseDevice>(OT_ALARM, 2)->GetOutLinkAtKey(0));
    EXPECT_NE(nullptr, player->GetOutLinkAtKey(macrolink::Alarm));
    EXPECT_TRUE(messages.texts.empty());

    // Numbers without an object (or beyond what the directory holds) change nothing.
    Answer(*alarm, "EVENT/ALARM2/INTERN 40");
    Answer(*alarm, "EVENT/ALARM2/MACRO_START 9");
    Answer(*alarm, "EVENT/ALARM2/MACRO_STOP 9");
    EXPECT_EQ((Lines{"Basis-Signal 'ALARM' 40 nicht gefunden !", "Audiosignal Parser : Startmacro  9 nicht gefunden !\n",
                     "Audiosignal Parser : Stopmacro  9 nicht gefunden !\n"}),
              messages.texts);
    // Unreadable answers are refused.
    messages.texts.clear();
    for (const char* bad : {"EVENT/ALARM2/INTERN x", "EVENT/ALARM2/VOLUME 3", "EVENT/GONG2/INTERN 1", "EVENT"})
        Answer(*alarm, bad);
    EXPECT_EQ(Lines(4, LoadStringId(audioid::ParserError)), messages.texts);
    EXPECT_EQ("/EVENT/ALARM2/INTERN 5", Run(*alarm, 0).at(0));

    for (const char* off : {"EVENT/ALARM2/INTERN OFF", "EVENT/ALARM2/MACRO_START OFF", "EVENT/ALARM2/MACRO_STOP OFF"})
        Answer(*alarm, off);
    EXPECT_EQ((Lines{"/EVENT/ALARM2/INTERN OFF", "/EVENT/ALARM2/MACRO_START OFF", "/EVENT/ALARM2/MACRO_STOP OFF"}),
              Run(*alarm, 0));
    EXPECT_EQ(nullptr, macro3->GetInLinkAtKey(0));
    EXPECT_NE(nullptr, player->GetOutLinkAtKey(macrolink::Alarm));

    auto* message = dynamic_cast<CMessageSignal*>(Add("CMessageSignal", signalkind::Message, 4, CAT_AUDIO));
    Answer(*message, "EVENT/MESSAGE4/INTERN 12");
    EXPECT_EQ(12, message->GetMessageNumber());
    Answer(*message, "EVENT/MESSAGE4/INTERN OFF");
    EXPECT_EQ(0, message->GetMessageNumber());
}

TEST_F(AudioProtocol, CommonSettingsLines)
{
    auto* misc = Get<CMiscAudio>(OT_MISC_AUDIO);
    ASSERT_NE(nullptr, misc);
    EXPECT_EQ((Lines{"/AUDIO/ALARM_VOL -14.8", "/AUDIO/CHIME_VOL -9.0", "/AUDIO/MESSAGE_VOL -3.6", "/AUDIO/PANIC_VOL 0.0",
                     "/AUDIO/BACK_ATT -127", "/AUDIO/EXT_ALARM_INP 3", "/AUDIO/EXT_MSG_INP 3", "/AUDIO/BACK_INP 4"}),
              Run(*misc, 0));
    const Lines queries = Run(*misc, 1);
    ASSERT_EQ(8u, queries.size());
    EXPECT_EQ("/AUDIO/BACK_INP ?", queries[7]);

    misc->SetValue(miscaudiokey::ChimeVol, "-95");
    misc->SetValue(miscaudiokey::ExtMsgInp, "0");
    misc->SetValue(miscaudiokey::BackAtt, "-12");
    const Lines lines = Run(*misc, 0);
    EXPECT_EQ("/AUDIO/CHIME_VOL -150.0", lines[1]);
    EXPECT_EQ("/AUDIO/BACK_ATT -12", lines[4]);
    EXPECT_EQ("/AUDIO/EXT_MSG_INP 1", lines[6]);
}

TEST_F(AudioProtocol, CommonSettingsAnswers)
{
    auto* misc = Get<CMiscAudio>(OT_MISC_AUDIO);
    const struct {
        const char* line;
        uint32_t key;
        const char* value;
    } cases[] = {
        {"AUDIO/ALARM_VOL -150.0", miscaudiokey::AlarmVol, "-80.0"},
        {"AUDIO/CHIME_VOL 9", miscaudiokey::ChimeVol, "6.0"},
        {"AUDIO/PANIC_VOL -20.5", miscaudiokey::PanicVol, "-20.5"},
        {"AUDIO/BACK_ATT -20.7", miscaudiokey::BackAtt, "-20"},
        {"AUDIO/BACK_ATT -127", miscaudiokey::BackAtt, "-41"},
        {"AUDIO/BACK_ATT 3", miscaudiokey::BackAtt, "0"},
        {"AUDIO/BACK_ATT -45", miscaudiokey::BackAtt, "-41"},
        {"AUDIO/EXT_MSG_INP 4", miscaudiokey::ExtMsgInp, "3"},
        {"AUDIO/EXT_ALARM_INP 0", miscaudiokey::ExtAlarmInp, "0"},
        {"AUDIO/BACK_INP1 2", miscaudiokey::BackInp, "1"},  // digits after the key word are dropped
    };
    for (const auto& c : cases) {
        Answer(*misc, c.line);
        EXPECT_EQ(c.value, misc->GetValue(c.key)) << c.line;
    }
    EXPECT_TRUE(messages.texts.empty());
    for (const char* bad : {"AUDIO/TREBLE 3", "AUDIO/BACK_INP x"})
        Answer(*misc, bad);
    EXPECT_EQ(Lines(2, LoadStringId(audioid::ParserError)), messages.texts);
    EXPECT_EQ("1", misc->GetValue(miscaudiokey::BackInp));
}

TEST_F(AudioProtocol, PilotTone)
{
    auto* pilot = Get<CInternalPilottoneGen>(OT_INTERNAL_PILOTTONE_GEN);
    ASSERT_NE(nullptr, pilot);
    doc.m_data.deviceVariant = 0;
    EXPECT_TRUE(Run(*pilot, 0).empty());  // the standard device has none
    doc.m_data.deviceVariant = 1;
    EXPECT_EQ((Lines{"/PILOT/GEN OFF", "/PILOT/FREQU 10.0", "/PILOT/VOL1 -150.0", "/PILOT/VOL2 -150.0",
                     "/PILOT/VOL3 -150.0", "/PILOT/VOL4 -150.0"}),
              Run(*pilot, 0));
    EXPECT_EQ("/PILOT/VOL4 ?", Run(*pilot, 1).at(5));

    const struct {
        const char* line;
        uint32_t key;
        const char* text;
    } cases[] = {
        {"PILOT/FREQU 5", pilotkey::Frequency, "10.0"},
        {"PILOT/FREQU 30000", pilotkey::Frequency, "23000.0"},
        {"PILOT/FREQU 440", pilotkey::Frequency, "440.0"},
        {"PILOT/FREQU x", pilotkey::Frequency, "440.0"},
        {"PILOT/VOL2 3.5", pilotkey::LevelKey(1), "0.0"},
        {"PILOT/VOL3 -200", pilotkey::LevelKey(2), "-150.0"},
        {"PILOT/VOL4 -12.5", pilotkey::LevelKey(3), "-12.5"},
        {"PILOT/GEN ON", pilotkey::On, "ON"},
        {"PILOT/GEN ?", pilotkey::On, "ON"},
        {"PILOT/GEN on", pilotkey::On, "OFF"},
    };
    for (const auto& c : cases) {
        Answer(*pilot, c.line);
        EXPECT_EQ(c.text, pilot->GetValueText(c.key)) << c.line;
    }
    Answer(*pilot, "PILOT/FREQU 100", linkstate::Online);
    EXPECT_EQ("440.0", pilot->GetValueText(pilotkey::Frequency));
}

TEST_F(AudioProtocol, PowerManagement)
{
    auto* power = Get<CInternalPowerManagement>(OT_INTERNAL_POWER_MANAGEMENT);
    ASSERT_NE(nullptr, power);
    EXPECT_EQ((Lines{"/POWER/BATT_PRIO 70", "/POWER/MAINS_PRIO 30", "/POWER/MAINS_COND 0", "/POWER/BOOT_MAC 0",
                     "/POWER/SHUT_MAC 0", "/POWER/DROP_SHUT NO", "/POWER/BATT_AVLBL NO", "/POWER/SHUT_PRIO 0"}),
              Run(*power, 0));
    EXPECT_EQ("/POWER/SHUT_PRIO ?", Run(*power, 1).at(7));

    for (const char* line : {"POWER/BATT_PRIO 300", "POWER/MAINS_PRIO ?", "POWER/SHUT_PRIO 12", "POWER/DROP_SHUT YES",
                             "POWER/BATT_AVLBL YES", "POWER/BOOT_MAC 12", "POWER/SHUT_MAC 7"})
        Answer(*power, line);
    Answer(*power, "POWER/MAINS_PRIO 99", linkstate::Online);
    EXPECT_EQ((Lines{"/POWER/BATT_PRIO 255", "/POWER/MAINS_PRIO 30", "/POWER/MAINS_COND 0", "/POWER/BOOT_MAC 12",
                     "/POWER/SHUT_MAC 7", "/POWER/DROP_SHUT YES", "/POWER/BATT_AVLBL YES", "/POWER/SHUT_PRIO 12"}),
              Run(*power, 0));
    EXPECT_EQ("12 *", power->GetValueText(powerkey::BootMacro));

    // OFF drops a link; a number the directory cannot hold creates nothing.
    const size_t conditions = doc.GetList(CAT_DIGITAL_IO).size();
    for (const char* line : {"POWER/BOOT_MAC OFF", "POWER/MAINS_COND 5000", "POWER/DROP_SHUT maybe"})
        Answer(*power, line);
    EXPECT_EQ(0, power->GetValue(powerkey::BootMacro));
    EXPECT_EQ(0, power->GetValue(powerkey::MainsCond));
    EXPECT_EQ(1, power->GetValue(powerkey::DropShut));
    EXPECT_EQ(conditions, doc.GetList(CAT_DIGITAL_IO).size());
}

TEST_F(AudioProtocol, MonitorDownload)
{
    auto* monitor = Get<CMonitor>(OT_MONITOR);
    ASSERT_NE(nullptr, monitor);
    monitor->SetValue(ms::AmpIn | (3u << 16), 26 | (2 << 8));
    doc.m_data.deviceVariant = 0;
    // Without the device's clear capability every usable entry and relay is sent.
    Lines lines = Run(*monitor, 0);
    ASSERT_EQ(2u + 50 * 3 + 20, lines.size());
    EXPECT_EQ((Lines{"/MONI/CLEAR/TABLE ALL", "/MONI/CLEAR/RELAY ALL", "/MONI/TABLE1/SEL OFF", "/MONI/TABLE1/IDX 0",
                     "/MONI/TABLE1/AMPCHAN 1"}),
              Lines(lines.begin(), lines.begin() + 5));
    EXPECT_EQ((Lines{"/MONI/TABLE4/SEL AMP_IN", "/MONI/TABLE4/IDX 1a", "/MONI/TABLE4/AMPCHAN 2"}),
              Lines(lines.begin() + 11, lines.begin() + 14));
    EXPECT_EQ("/MONI/RELAY3 0", lines[2 + 150 + 2]);
    EXPECT_EQ("/MONI/RELAY20 0", lines.back());

    // With it, free entries and relays are left out.
    h.profile.Set("MONI_CLR", 1);
    doc.m_data.deviceVariant = 1;
    EXPECT_EQ((Lines{"/MONI/CLEAR/TABLE ALL", "/MONI/CLEAR/RELAY ALL", "/MONI/TABLE4/SEL AMP_IN", "/MONI/TABLE4/IDX 1a",
                     "/MONI/TABLE4/AMPCHAN 2"}),
              Run(*monitor, 0));
    // An upload without it asks nothing.
    h.profile.Set("MONI_CLR", 0);
    EXPECT_TRUE(Run(*monitor, 1).empty());
}

TEST_F(AudioProtocol, MonitorUpload)
{
    const auto oldRelayFn = CControlPad::SetRelayNumberFn(nullptr);
    auto* monitor = Get<CMonitor>(OT_MONITOR);
    auto* pad = dynamic_cast<CControlPad*>(Add("CControlPad", padkind::LMZ764, 500, CAT_DIGITAL_IO));
    auto* relais = new CBaseDevice;  // the contact the pad stands for
    relais->m_type = OT_RELAIS;
    relais->m_number = 33;
    relais->m_category = CAT_RELAIS_TOPOLOGY;
    doc.AddObject(relais, CAT_RELAIS_TOPOLOGY);
    relais->LinkTo(0, pad, 0);
    const auto dir = std::filesystem::temp_directory_path() / ("ql_moni_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    h.diffFile = (dir / "Projekt.err").string();
    monitor->SetValue(ms::In | (1u << 16), 2);

    h.profile.Set("MONI_CLR", 1);
    ASSERT_EQ(CMonitor::kTransferEnd, monitor->GetDownloadLines(1, -1));
    EXPECT_EQ(1, monitor->GetDownloadLines(1, 0));
    EXPECT_EQ(1, monitor->GetDownloadLines(1, 1));
    EXPECT_EQ(1, monitor->GetDownloadLines(1, 1));  // waits for the free relays
    EXPECT_EQ((Lines{"/MONI/CLEAR/TABLE ?", "/MONI/CLEAR/RELAY ?"}), sender.lines);

    Answer(*monitor, "MONI/CLEAR/TABLE 1-3,5-250");
    Answer(*monitor, "MONI/CLEAR/RELAY 3-50");
    EXPECT_EQ(ms::Code(ms::Off, 0), monitor->GetValue(ms::AddEntry | (1u << 16)));
    EXPECT_EQ(2, monitor->GetDownloadLines(1, 1));
    sender.lines.clear();
    for (int step = 2; step != CMonitor::kTransferEnd;)
        step = monitor->GetDownloadLines(1, step);
    EXPECT_EQ((Lines{"/MONI/TABLE4/SEL ?", "/MONI/TABLE4/IDX ?", "/MONI/TABLE4/AMPCHAN ?", "/MONI/RELAY1 ?",
                     "/MONI/RELAY2 ?"}),
              sender.lines);

    for (const char* line : {"MONI/TABLE4/SEL AMP_OUT", "MONI/TABLE4/IDX 1a", "MONI/TABLE4/AMPCHAN 2",
                             "MONI/TABLE251/SEL IN", "MONI/TABLE0/SEL IN", "MONI/RELAY1 33", "MONI/RELAY2 7",
                             "MONI/RELAY51 33", "MONI/RELAY3 x"})
        Answer(*monitor, line);
    EXPECT_EQ((MonitorEntry{"AMP_OUT", 26, 0, 2}), monitor->GetEntry(3));
    EXPECT_EQ(33u, monitor->GetRelayWord(0));
    EXPECT_EQ(7u, monitor->GetRelayWord(1));
    EXPECT_EQ(0u, monitor->GetRelayWord(2));
    const LinkRecord* link = monitor->GetInLinkAtKey(1);
    ASSERT_NE(nullptr, link);
    EXPECT_EQ(pad, link->partner);
    EXPECT_EQ("Monitor 1 : Label LMZ764-7 fehlt\r\n", ReadFile(h.diffFile));

    // Outside an upload nothing is taken.
    Answer(*monitor, "MONI/TABLE4/SEL IN", linkstate::Online);
    EXPECT_EQ("AMP_OUT", monitor->GetEntry(3).source);
    std::filesystem::remove_all(dir);
    CControlPad::SetRelayNumberFn(oldRelayFn);
}
