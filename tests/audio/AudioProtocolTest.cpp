// Protocol of the audio objects of a new document: the lines each download
// and upload step sends, and what the device's answers change.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "audio/AudioIds.h"
#include "audio/CAlarmSignal.h"
#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
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

}  // namespace

TEST_F(AudioProtocol, Signals)
{
    auto* alarm = Get<CAlarmSignal>(OT_ALARM_SIGNAL, 2);
    const Lines off{"/EVENT/ALARM2/INTERN OFF", "/EVENT/ALARM2/MACRO_START OFF", "/EVENT/ALARM2/MACRO_STOP OFF"};
    EXPECT_EQ((Lines{"/EVENT/ALARM2/INTERN 2", off[1], off[2]}), Run(*alarm, 0));
    EXPECT_EQ("/EVENT/ALARM2/MACRO_STOP ?", Run(*alarm, 1).at(2));
    CBaseDevice* macro3 = Add("CMacro", macrotype::NoType, 3, CAT_MACRO);
    // A macro that plays the signal links in at the generator's key: it stays.
    CBaseDevice* player = Add("CMacro", macrotype::NoType, 4, CAT_MACRO);
    player->LinkTo(macrolink::Alarm, alarm, 0);

    for (const char* line : {"EVENT/ALARM2/INTERN 5", "EVENT/ALARM2/MACRO_START 3", "EVENT/ALARM2/MACRO_STOP 3",
                             // numbers without an object, or beyond the directory, change nothing
                             "EVENT/ALARM2/INTERN 40", "EVENT/ALARM2/MACRO_START 9", "EVENT/ALARM2/MACRO_STOP 9",
                             // unreadable answers are refused, a number with more after it too
                             "EVENT/ALARM2/INTERN x", "EVENT/ALARM2/VOLUME 3", "EVENT/GONG2/INTERN 1",
                             "EVENT/ALARM2/INTERN 7a", "EVENT/ALARM2/MACRO_START 1e40"})
        Answer(*alarm, line);
    EXPECT_EQ((Lines{"/EVENT/ALARM2/INTERN 5", "/EVENT/ALARM2/MACRO_START 3", "/EVENT/ALARM2/MACRO_STOP 3"}),
              Run(*alarm, 0));
    EXPECT_EQ(nullptr, Get<CBaseDevice>(OT_ALARM, 2)->GetOutLinkAtKey(0));
    EXPECT_EQ((Lines{"Basis-Signal 'ALARM' 40 nicht gefunden !", "Audiosignal Parser : Startmacro  9 nicht gefunden !\n",
                     "Audiosignal Parser : Stopmacro  9 nicht gefunden !\n", LoadStringId(audioid::ParserError),
                     LoadStringId(audioid::ParserError), LoadStringId(audioid::ParserError),
                     LoadStringId(audioid::ParserError), LoadStringId(audioid::ParserError)}),
              messages.texts);
    for (const std::string& line : off)
        Answer(*alarm, line.substr(1));
    EXPECT_EQ(off, Run(*alarm, 0));
    EXPECT_EQ(nullptr, macro3->GetInLinkAtKey(0));
    EXPECT_NE(nullptr, player->GetOutLinkAtKey(macrolink::Alarm));

    // A message signal sends its message number, 0 included.
    auto* message = Add("CMessageSignal", signalkind::Message, 4, CAT_AUDIO);
    EXPECT_EQ("/EVENT/MESSAGE4/INTERN 0", Run(*message, 0).at(0));
    Answer(*message, "EVENT/MESSAGE4/INTERN 17");
    EXPECT_EQ("/EVENT/MESSAGE4/INTERN 17", Run(*message, 0).at(0));
}

TEST_F(AudioProtocol, CommonSettings)
{
    auto* misc = Get<CMiscAudio>(OT_MISC_AUDIO);
    EXPECT_EQ((Lines{"/AUDIO/ALARM_VOL -14.8", "/AUDIO/CHIME_VOL -9.0", "/AUDIO/MESSAGE_VOL -3.6", "/AUDIO/PANIC_VOL 0.0",
                     "/AUDIO/BACK_ATT -127", "/AUDIO/EXT_ALARM_INP 3", "/AUDIO/EXT_MSG_INP 3", "/AUDIO/BACK_INP 4"}),
              Run(*misc, 0));
    EXPECT_EQ("/AUDIO/BACK_INP ?", Run(*misc, 1).at(7));
    misc->SetValue(miscaudiokey::ChimeVol, "-95");
    EXPECT_EQ("/AUDIO/CHIME_VOL -150.0", Run(*misc, 0).at(1));

    const std::pair<const char*, const char*> cases[] = {
        // answer, and the value the object then holds
        {"AUDIO/ALARM_VOL -150.0", "-80.0"}, {"AUDIO/CHIME_VOL 9", "6.0"},  {"AUDIO/BACK_ATT -20.7", "-20"},
        {"AUDIO/BACK_ATT -127", "-41"},      {"AUDIO/BACK_ATT 3", "0"},     {"AUDIO/BACK_ATT -45", "-41"},
        {"AUDIO/EXT_MSG_INP 4", "3"},        {"AUDIO/EXT_MSG_INP 0", "0"},  {"AUDIO/BACK_INP1 2", "1"},
    };
    for (const auto& [line, value] : cases) {
        Answer(*misc, line);
        const std::string word = std::string(line).substr(6, std::string(line).find_first_of("1 ") - 6);
        EXPECT_EQ(value, misc->GetValue(CMiscAudio::KeyOfKeyword().at(word))) << line;
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
    doc.m_data.deviceVariant = 0;
    EXPECT_TRUE(Run(*pilot, 0).empty());  // the standard device has none
    doc.m_data.deviceVariant = 1;
    EXPECT_EQ((Lines{"/PILOT/GEN OFF", "/PILOT/FREQU 10.0", "/PILOT/VOL1 -150.0", "/PILOT/VOL2 -150.0",
                     "/PILOT/VOL3 -150.0", "/PILOT/VOL4 -150.0"}),
              Run(*pilot, 0));
    EXPECT_EQ("/PILOT/VOL4 ?", Run(*pilot, 1).at(5));

    for (const char* line : {"PILOT/FREQU 30000", "PILOT/VOL2 3.5", "PILOT/VOL3 -200", "PILOT/VOL4 -12.5",
                             "PILOT/GEN ON", "PILOT/GEN ?", "PILOT/FREQU x"})
        Answer(*pilot, line);
    Answer(*pilot, "PILOT/FREQU 100", linkstate::Online);
    EXPECT_EQ((Lines{"/PILOT/GEN ON", "/PILOT/FREQU 23000.0", "/PILOT/VOL1 -150.0", "/PILOT/VOL2 0.0",
                     "/PILOT/VOL3 -150.0", "/PILOT/VOL4 -12.5"}),
              Run(*pilot, 0));
    Answer(*pilot, "PILOT/FREQU 5");
    Answer(*pilot, "PILOT/GEN on");  // no word of the switch: the generator stays on
    EXPECT_EQ("10.0 ON", pilot->GetValueText(pilotkey::Frequency) + " " + pilot->GetValueText(pilotkey::On));
}

TEST_F(AudioProtocol, PowerManagement)
{
    auto* power = Get<CInternalPowerManagement>(OT_INTERNAL_POWER_MANAGEMENT);
    EXPECT_EQ((Lines{"/POWER/BATT_PRIO 70", "/POWER/MAINS_PRIO 30", "/POWER/MAINS_COND 0", "/POWER/BOOT_MAC 0",
                     "/POWER/SHUT_MAC 0", "/POWER/DROP_SHUT NO", "/POWER/BATT_AVLBL NO", "/POWER/SHUT_PRIO 0"}),
              Run(*power, 0));
    EXPECT_EQ("/POWER/SHUT_PRIO ?", Run(*power, 1).at(7));

    for (const char* line : {"POWER/BATT_PRIO 300", "POWER/MAINS_PRIO ?", "POWER/SHUT_PRIO 12", "POWER/DROP_SHUT YES",
                             "POWER/BATT_AVLBL YES", "POWER/BOOT_MAC 12", "POWER/SHUT_MAC 7", "POWER/DROP_SHUT maybe"})
        Answer(*power, line);
    Answer(*power, "POWER/MAINS_PRIO 99", linkstate::Online);
    EXPECT_EQ((Lines{"/POWER/BATT_PRIO 255", "/POWER/MAINS_PRIO 30", "/POWER/MAINS_COND 0", "/POWER/BOOT_MAC 12",
                     "/POWER/SHUT_MAC 7", "/POWER/DROP_SHUT YES", "/POWER/BATT_AVLBL YES", "/POWER/SHUT_PRIO 12"}),
              Run(*power, 0));
    EXPECT_EQ("12 *", power->GetValueText(powerkey::BootMacro));

    // OFF drops a link; a number the directory cannot hold creates nothing.
    const size_t conditions = doc.GetList(CAT_DIGITAL_IO).size();
    Answer(*power, "POWER/BOOT_MAC OFF");
    Answer(*power, "POWER/MAINS_COND 5000");
    EXPECT_EQ(0, power->GetValue(powerkey::BootMacro) + power->GetValue(powerkey::MainsCond));
    EXPECT_EQ(conditions, doc.GetList(CAT_DIGITAL_IO).size());
}

TEST_F(AudioProtocol, MonitorDownload)
{
    auto* monitor = Get<CMonitor>(OT_MONITOR);
    monitor->SetValue(ms::AmpIn | (3u << 16), 26 | (2 << 8));
    doc.m_data.deviceVariant = 0;
    // Without the device's clear capability every usable entry and relay is sent.
    const Lines amp{"/MONI/TABLE4/SEL AMP_IN", "/MONI/TABLE4/IDX 1a", "/MONI/TABLE4/AMPCHAN 2"};
    Lines lines = Run(*monitor, 0);
    ASSERT_EQ(2u + 50 * 3 + 20, lines.size());
    EXPECT_EQ((Lines{"/MONI/CLEAR/TABLE ALL", "/MONI/CLEAR/RELAY ALL", "/MONI/TABLE1/SEL OFF", "/MONI/TABLE1/IDX 0",
                     "/MONI/TABLE1/AMPCHAN 1"}),
              Lines(lines.begin(), lines.begin() + 5));
    EXPECT_EQ(amp, Lines(lines.begin() + 11, lines.begin() + 14));
    EXPECT_EQ("/MONI/RELAY20 0", lines.back());

    // With it, free entries and relays are left out; an upload without it asks nothing.
    h.profile.Set("MONI_CLR", 1);
    doc.m_data.deviceVariant = 1;
    lines = Run(*monitor, 0);
    EXPECT_EQ((Lines{"/MONI/CLEAR/TABLE ALL", "/MONI/CLEAR/RELAY ALL", amp[0], amp[1], amp[2]}), lines);
    h.profile.Set("MONI_CLR", 0);
    EXPECT_TRUE(Run(*monitor, 1).empty());
}

TEST_F(AudioProtocol, MonitorUpload)
{
    const auto oldRelayFn = CControlPad::SetRelayNumberFn(nullptr);
    auto* monitor = Get<CMonitor>(OT_MONITOR);
    // An LMZ764 pad standing for relay contact 33.
    auto* pad = dynamic_cast<CControlPad*>(Add("CControlPad", padkind::LMZ764, 500, CAT_DIGITAL_IO));
    auto* relais = new CBaseDevice;
    relais->m_type = OT_RELAIS;
    relais->m_number = 33;
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
    // Answers repeated within the transfer ask nothing twice.
    for (int i = 0; i < 2; ++i) {
        Answer(*monitor, "MONI/CLEAR/TABLE 1-3,5-250");
        Answer(*monitor, "MONI/CLEAR/RELAY 3-50");
    }
    EXPECT_EQ(ms::Code(ms::Off, 0), monitor->GetValue(ms::AddEntry | (1u << 16)));
    EXPECT_EQ(2, monitor->GetDownloadLines(1, 1));
    for (int step = 2; step != CMonitor::kTransferEnd;)
        step = monitor->GetDownloadLines(1, step);
    EXPECT_EQ((Lines{"/MONI/CLEAR/TABLE ?", "/MONI/CLEAR/RELAY ?", "/MONI/TABLE4/SEL ?", "/MONI/TABLE4/IDX ?",
                     "/MONI/TABLE4/AMPCHAN ?", "/MONI/RELAY1 ?", "/MONI/RELAY2 ?"}),
              sender.lines);

    for (const char* line : {"MONI/TABLE4/SEL AMP_OUT", "MONI/TABLE4/IDX 1a", "MONI/TABLE4/AMPCHAN 2",
                             "MONI/TABLE251/SEL IN", "MONI/TABLE0/SEL IN", "MONI/RELAY1 33", "MONI/RELAY2 7",
                             "MONI/RELAY51 33", "MONI/RELAY3 x", "MONI/TABLE5/IDX -1", "MONI/TABLE5/AMPCHAN z"})
        Answer(*monitor, line);
    Answer(*monitor, "MONI/TABLE4/SEL IN", linkstate::Online);
    EXPECT_EQ((MonitorEntry{"AMP_OUT", 26, 0, 2}), monitor->GetEntry(3));
    EXPECT_EQ((std::vector<uint32_t>{33, 7, 0}),
              (std::vector<uint32_t>{monitor->GetRelayWord(0), monitor->GetRelayWord(1), monitor->GetRelayWord(2)}));
    ASSERT_NE(nullptr, monitor->GetInLinkAtKey(1));
    EXPECT_EQ(pad, monitor->GetInLinkAtKey(1)->partner);
    std::ifstream err(h.diffFile, std::ios::binary);
    // A number the project cannot read is named with what the entry keeps, its own.
    EXPECT_EQ("Monitor 1 : Label LMZ764-7 fehlt\r\nERROR: /MONI/RELAY3 >>x<< should be >>0<<\r\n"
              "ERROR: /MONI/TABLE5/IDX >>-1<< should be >>0<<\r\nERROR: /MONI/TABLE5/AMPCHAN >>z<< should be >>1<<\r\n",
              std::string(std::istreambuf_iterator<char>(err), {}));
    EXPECT_EQ((MonitorEntry{"OFF", 0, 0, 1}), monitor->GetEntry(4));
    std::filesystem::remove_all(dir);
    CControlPad::SetRelayNumberFn(oldRelayFn);
}
