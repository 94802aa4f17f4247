// The audio windows over the real device link, against the device simulator:
// each window sends exactly its own lines and takes the device's answers back
// into the project and onto its controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <functional>
#include <vector>

#include "audio/CInternalMessageRec.h"
#include "audio/CInternalPilottoneGen.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMiscAudio.h"
#include "audio/CMonitor.h"
#include "audio/windows/CAudioEditor.h"
#include "audio/windows/CBackgroundPage.h"
#include "audio/windows/CMonitorDlgFrm.h"
#include "audio/windows/CMonitorDlgListView.h"
#include "audio/windows/CMonitorLiveDlg.h"
#include "audio/windows/CPilotFrm.h"
#include "audio/windows/CPilotView.h"
#include "audio/windows/CPowerFrm.h"
#include "audio/windows/CPowerView.h"
#include "audio/windows/CRecorderFrm.h"
#include "audio/windows/CRecorderView.h"
#include "audio/windows/CVolumeFrm.h"
#include "audio/windows/CVolumeView.h"
#include "comm/CommTestSupport.h"
#include "support/qt/TypeAsKeyboard.h"
#include "support/qt/UserControls.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/windows/CAudioOutputsDlg.h"
#include "model/CIDManager.h"
#include "platform/StringTable.h"
#include "ui/CGridEdit.h"
#include "ui/CValueEdit.h"
#include "ui/CWholeSpinBox.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
// The lines a connection of an upgraded device's project puts on the line,
// the device's last plain answers among them.
constexpr int kConnectionLines = 21;

class AudioWindowsSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override
    {
        Attach(1, QStringLiteral("Audio.qlx"));
        Connect();
    }
    void TearDown() override { Detach(); }
    template <class T>
    T* Object(uint32_t type)
    {
        return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type));
    }
    // Where the simulator's log stands once what was sent before has arrived.
    size_t Settled()
    {
        AwaitDeviceHasAll();
        return sim.Received().size();
    }
    // The device is told `held` first, as if set there; then `upload` runs,
    // and this returns once the answer `last` (a line of `held`) has come
    // back to the window after the echo of its own line.
    void UploadWhileDeviceHolds(const std::vector<const char*>& held, const std::function<void()>& upload,
                                const std::string& last)
    {
        for (const char* line : held)
            link.SendLine(line, nullptr);
        Settled();
        upload();
        ASSERT_TRUE(PumpUntil([&] { return CountOf(host.monitor, last + "\r") >= 2; }, kArrivalMs)) << last;
        QApplication::processEvents();
    }
    // What the simulator received since `mark`, once `expected` has arrived.
    std::string ReceivedAfter(size_t mark, const std::string& expected)
    {
        PumpUntil([&] { return sim.Received().find(expected, mark) != std::string::npos; }, kArrivalMs);
        return sim.Received().substr(mark);
    }
};
}  // namespace

TEST_F(AudioWindowsSim, TransfersSendTheirBlocksAndTakeTheAnswersBack)
{
    // Power management: the download block, then the upload brings the values back.
    auto* power = Object<CInternalPowerManagement>(OT_INTERNAL_POWER_MANAGEMENT);
    power->SetValue(powerkey::BattPrio, 40);
    power->SetValue(powerkey::BattAvail, 1);
    size_t mark = Settled();
    {
        CPowerFrm frame;
        ASSERT_TRUE(frame.GetAction(CPowerFrm::kDownload)->isEnabled());
        frame.OnCommand(CPowerFrm::kDownload);
        const std::string block = "/POWER/MAINS_COND 0\r\n/POWER/MAINS_PRIO 30\r\n/POWER/BOOT_MAC 0\r\n"
                                  "/POWER/BATT_PRIO 40\r\n/POWER/SHUT_MAC 0\r\n/POWER/DROP_SHUT NO\r\n"
                                  "/POWER/BATT_AVLBL YES\r\n/POWER/SHUT_PRIO 0\r\n";
        EXPECT_EQ(block, ReceivedAfter(mark, "SHUT_PRIO 0\r\n"));
        power->SetValue(powerkey::BattPrio, 7);
        power->SetValue(powerkey::BattAvail, 0);
        CPowerView* view = frame.GetView();
        view->m_battPrio->setText(QStringLiteral("7"));
        view->m_battAvail->setChecked(false);
        frame.OnCommand(CPowerFrm::kUpload);  // returns once the device has answered
        EXPECT_TRUE(PumpUntil([&] { return view->m_battPrio->text() == QLatin1String("40"); }, kArrivalMs));
        EXPECT_TRUE(PumpUntil([&] { return view->m_battAvail->isChecked(); }, kArrivalMs));
        EXPECT_EQ(40, power->GetValue(powerkey::BattPrio));
        EXPECT_EQ(1, power->GetValue(powerkey::BattAvail));
        EXPECT_TRUE(view->m_dropShut->isEnabled());

        // Answers the object cannot hold as the device gave them are read as
        // the whole upload reads them: no decimal becomes a whole number, no
        // word a flag, a priority beyond 0..255 is held at its limit; each is
        // named in the window's own difference file.
        const struct {
            const char* device;  // what the device holds
            uint32_t key;
            int held;
            const char* named;  // its line in the difference file
        } kept[] = {
            {"/POWER/BATT_PRIO 1,5", powerkey::BattPrio, 40, "ERROR: /POWER/BATT_PRIO >>1,5<< should be >>40<<"},
            {"/POWER/MAINS_PRIO 999", powerkey::MainsPrio, 255, "ERROR: /POWER/MAINS_PRIO >>999<< should be >>255<<"},
            {"/POWER/SHUT_PRIO 12.5", powerkey::ShutPrio, 0, "ERROR: /POWER/SHUT_PRIO >>12.5<< should be >>0<<"},
            {"/POWER/SHUT_MAC 3.5", powerkey::ShutMacro, 0, "ERROR: /POWER/SHUT_MAC >>3.5<< should be >>0<<"},
            {"/POWER/BOOT_MAC abc", powerkey::BootMacro, 0, "ERROR: /POWER/BOOT_MAC >>abc<< should be >>0<<"},
            {"/POWER/BATT_AVLBL MAYBE", powerkey::BattAvail, 1, "ERROR: /POWER/BATT_AVLBL >>MAYBE<< should be >>YES<<"},
            {"/POWER/DROP_SHUT yes", powerkey::DropShut, 1, "ERROR: /POWER/DROP_SHUT >>yes<< should be >>YES<<"},
        };
        power->SetValue(powerkey::DropShut, 1);
        const size_t macros = doc.GetList(CAT_MACRO).size();
        std::vector<const char*> held;
        for (const auto& row : kept)
            held.push_back(row.device);
        UploadWhileDeviceHolds(held, [&] { frame.OnCommand(CPowerFrm::kUpload); }, "/POWER/SHUT_PRIO 12.5");
        const std::string named = ReadFile(dir.filePath(QStringLiteral("Audio.err")));
        for (const auto& row : kept) {
            SCOPED_TRACE(row.device);
            EXPECT_EQ(row.held, power->GetValue(row.key));
            EXPECT_NE(std::string::npos, named.find(std::string(row.named) + "\r\n")) << named;
        }
        EXPECT_EQ(macros, doc.GetList(CAT_MACRO).size()) << "no macro 3 made for \"3.5\"";
        EXPECT_EQ(QLatin1String("40"), view->m_battPrio->text());
        EXPECT_EQ(QLatin1String("255"), view->m_mainsPrio->text());
        EXPECT_TRUE(view->m_battAvail->isChecked());
    }
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // Pilot tone: six decimals down, the levels back into the object and the form.
    auto* pilot = Object<CInternalPilottoneGen>(OT_INTERNAL_PILOTTONE_GEN);
    pilot->SetFloatValue(pilotkey::Frequency, 1000.0f);
    pilot->SetFloatValue(pilotkey::LevelKey(1), -20.0f);
    mark = Settled();
    {
        CPilotFrm frame;
        frame.OnCommand(CPilotFrm::kDownload);
        EXPECT_EQ("/PILOT/FREQU 1000.000000\r\n/PILOT/VOL1 -150.000000\r\n/PILOT/VOL2 -20.000000\r\n"
                  "/PILOT/VOL3 -150.000000\r\n/PILOT/VOL4 -150.000000\r\n",
                  ReceivedAfter(mark, "VOL4 -150.000000\r\n"));
        pilot->SetFloatValue(pilotkey::LevelKey(1), -90.0f);
        frame.OnCommand(CPilotFrm::kUpload);
        CPilotView* view = frame.GetView();
        EXPECT_TRUE(PumpUntil([&] { return pilot->GetFloatValue(pilotkey::LevelKey(1)) == -20.0f; }, kArrivalMs));
        EXPECT_TRUE(sim.AwaitReceivedLine("/PILOT/VOL4 ?", mark));
        // The rest of the answers.
        EXPECT_TRUE(PumpUntil([&] { return view->m_levels[1]->text() == QLatin1String("-20.0"); }, kArrivalMs))
            << view->m_levels[1]->text().toStdString();
        EXPECT_TRUE(PumpUntil([&] { return view->m_meters[1]->value() == 130; }, kArrivalMs)) << view->m_meters[1]->value();
        // Answers the generator cannot hold as the device gave them are read
        // as the whole upload reads them: a word or a text that is no number
        // leaves the project's value, one beyond the range is held at its
        // limit; each is named in the window's own difference file.
        const struct {
            const char* device;  // what the device holds
            uint32_t key;
            float held;
            const char* named;  // its line in the difference file
        } kept[] = {
            {"/PILOT/FREQU 30000", pilotkey::Frequency, 23000.0f, "ERROR: /PILOT/FREQU >>30000<< should be >>23000.0<<"},
            {"/PILOT/VOL1 abc", pilotkey::LevelKey(0), -150.0f, "ERROR: /PILOT/VOL1 >>abc<< should be >>-150.0<<"},
            {"/PILOT/VOL2 3.5", pilotkey::LevelKey(1), 0.0f, "ERROR: /PILOT/VOL2 >>3.5<< should be >>0.0<<"},
            {"/PILOT/VOL3 -12,5", pilotkey::LevelKey(2), -150.0f, "ERROR: /PILOT/VOL3 >>-12,5<< should be >>-150.0<<"},
            {"/PILOT/VOL4 1e40", pilotkey::LevelKey(3), -150.0f, "ERROR: /PILOT/VOL4 >>1e40<< should be >>-150.0<<"},
        };
        pilot->SetValue(pilotkey::On, 1);
        view->m_on->setChecked(true);
        std::vector<const char*> held{"/PILOT/GEN on"};  // no state of the generator
        for (const auto& row : kept)
            held.push_back(row.device);
        UploadWhileDeviceHolds(held, [&] { frame.OnCommand(CPilotFrm::kUpload); }, "/PILOT/VOL4 1e40");
        const std::string named = ReadFile(dir.filePath(QStringLiteral("Audio.err")));
        for (const auto& row : kept) {
            SCOPED_TRACE(row.device);
            EXPECT_EQ(row.held, pilot->GetFloatValue(row.key));
            EXPECT_NE(std::string::npos, named.find(std::string(row.named) + "\r\n")) << named;
        }
        EXPECT_EQ(QLatin1String("23000.0"), view->m_frequency->text());
        EXPECT_EQ(QLatin1String("0.0"), view->m_levels[1]->text());
        EXPECT_EQ(QLatin1String("-150.0"), view->m_levels[2]->text());
        // The poll of the generator's state hears the word, and keeps it on.
        const size_t heard = CountOf(host.monitor, "/PILOT/GEN on\r");
        ASSERT_TRUE(PumpUntil([&] { return CountOf(host.monitor, "/PILOT/GEN on\r") > heard; }, 2 * kArrivalMs));
        QApplication::processEvents();
        EXPECT_EQ(1, pilot->GetValue(pilotkey::On));
        EXPECT_TRUE(view->m_on->isChecked());
        // The level slider moves only the chosen output, and sends its line at once.
        view->SelectOutput(2);
        mark = Settled();
        view->m_levelSlider->setValue(-150);  // the top: 0 dB
        EXPECT_NE(ReceivedAfter(mark, "VOL3 0.0\r\n").find("/PILOT/VOL3 0.0\r\n"), std::string::npos);
        EXPECT_EQ(0.0f, pilot->GetFloatValue(pilotkey::LevelKey(2)));
    }

    // Monitor matrix: the frame runs the monitor's own block and refills after an upload.
    auto* monitor = Object<CMonitor>(OT_MONITOR);
    monitor->SetValue(monitorsource::AddEntry, monitorsource::Code(monitorsource::In, 2));
    monitor->SetValue(monitorsource::AddEntry, monitorsource::Code(monitorsource::Out, 3));
    mark = Settled();
    {
        CMonitorDlgFrm frame;
        EXPECT_EQ(2, frame.GetEntryList()->GetItemCount());
        frame.OnCommand(32945);  // "Monitoreintrag downloaden"
        const std::string down = sim.Received().substr(mark);
        EXPECT_NE(down.find("/MACRO/LOCK ON\r\n"), std::string::npos);
        EXPECT_NE(down.find("/MONI/TABLE1/SEL IN\r\n"), std::string::npos) << down;
        EXPECT_NE(down.find("/MONI/TABLE2/SEL OUT\r\n"), std::string::npos) << down;
        EXPECT_EQ(std::string::npos, down.find("/PILOT/")) << "only the monitor's lines";
        monitor->SetValue(monitorsource::Off | (1u << 16), 0);
        frame.Refill();
        EXPECT_EQ(1, frame.GetEntryList()->GetItemCount());
        frame.OnCommand(32944);  // "Monitoreintrag uploaden"
        EXPECT_EQ(2, frame.GetEntryList()->GetItemCount());
        EXPECT_EQ("OUT", monitor->GetEntry(1).source);
    }
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

TEST_F(AudioWindowsSim, LiveWindowsShowTheDevicesValuesAndSendChanges)
{
    link.SendLine("/AUDIO/IN2/VOL -12.5", nullptr);
    link.SendLine("/RECORDER/FORMAT 1-2", nullptr);
    link.SendLine("/RECORDER/TIME 12", nullptr);
    AwaitDeviceHasAll();

    // Volumes: the device's level of input 2 reaches the field, the slider and input card 1.
    {
        CVolumeFrm frame;
        CVolumeView* view = frame.GetView();
        EXPECT_TRUE(PumpUntil([&] { return view->m_fields[CVolumeView::In2]->text() == QLatin1String("-12.5"); }, kArrivalMs));
        EXPECT_EQ(-138, view->m_sliders[CVolumeView::In2]->value());
        auto* card = dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().GetBaseDevice(1, OT_AUDIO_INPUT_SLOT));
        EXPECT_EQ("-12.5", card->GetValueText(0, 1));
        // A chime level above 0 dB is shown, sent and kept as 0 dB.
        const size_t mark = Settled();
        view->m_fields[CVolumeView::Chime]->setText(QStringLiteral("10"));
        view->Commit(CVolumeView::Chime);
        EXPECT_NE(ReceivedAfter(mark, "CHIME_VOL 0.0\r\n").find("/AUDIO/CHIME_VOL 0.0\r\n"), std::string::npos);
        EXPECT_EQ("0.0", Object<CMiscAudio>(OT_MISC_AUDIO)->GetValue(miscaudiokey::ChimeVol).substr(0, 3));
        // Dragged to the bottom, the chime stops at the profile's minimum (-40 dB by default).
        view->m_sliders[CVolumeView::Chime]->triggerAction(QAbstractSlider::SliderToMaximum);
        EXPECT_EQ(QLatin1String("-40.0"), view->m_fields[CVolumeView::Chime]->text());
    }

    // The editor's common levels go to the device as they change, once: the
    // user's Enter both ends the field and presses OK, which leaves it again.
    // A field left as it was, or Enter on the level it shows, sends nothing.
    const auto enterChime = [&](const QString& typed, bool tabFirst) {
        CAudioEditor editor(&doc);
        editor.show();
        editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
        QTabBar* tabs = editor.findChild<QTabWidget*>()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QLineEdit* chime = editor.m_background->m_values[1];
        QTest::mouseClick(chime, Qt::LeftButton);
        if (tabFirst) {
            QTest::keyClick(chime, Qt::Key_Tab);
            QTest::mouseClick(chime, Qt::LeftButton);
        }
        QTest::keyClick(chime, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(chime, typed);
        QTest::keyClick(chime, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_FALSE(editor.isVisible()) << "Enter is OK";
    };
    {
        const size_t mark = Settled();
        enterChime(QStringLiteral("-10"), true);
        const std::string sent = ReceivedAfter(mark, "CHIME_VOL -10.0\r\n");
        EXPECT_NE(std::string::npos, sent.find("/AUDIO/CHIME_VOL -10.0\r\n")) << sent;
        Settled();
        EXPECT_EQ(sent.find("CHIME_VOL"), sim.Received().substr(mark).rfind("CHIME_VOL")) << sim.Received().substr(mark);
    }
    {
        const size_t mark = Settled();
        enterChime(QStringLiteral("-10.0"), true);
        EXPECT_EQ(mark, Settled()) << sim.Received().substr(mark);
    }
    {
        const size_t mark = Settled();
        enterChime(QStringLiteral("-12,5"), false);
        // The line continues the path of the one before.
        EXPECT_NE(std::string::npos, ReceivedAfter(mark, " -12.5\r\n").find(" -12.5\r\n"));
    }

    // Live monitor: a chosen source goes to the device and comes back with the other three values.
    {
        CMonitorLiveDlg dlg;
        size_t mark = Settled();
        dlg.m_source->setCurrentIndex(6);
        emit dlg.m_source->activated(6);
        EXPECT_TRUE(sim.AwaitReceivedLine("/MONI/SEL AMP_OUT", mark));
        EXPECT_EQ(6, dlg.m_source->currentIndex());
        mark = Settled();
        dlg.m_index->setText(QStringLiteral("1a"));
        emit dlg.m_index->editingFinished();
        EXPECT_TRUE(sim.AwaitReceivedLine("/MONI/IDX 1a", mark));
        EXPECT_EQ(QLatin1String("1a"), dlg.m_index->text());
        // Typed as no whole number standing alone, an index or an entry goes
        // nowhere, and the field shows what it showed before.
        mark = Settled();
        link.SendLine("/MONI/TABSLCT 3", nullptr);
        dlg.Refresh();
        ASSERT_TRUE(sim.AwaitReceivedLine("/MONI/TABSLCT ?", mark));
        ASSERT_EQ(QLatin1String("3"), dlg.m_entry->text());
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        const struct {
            QLineEdit* field;
            const char* typed;
        } refused[] = {{dlg.m_index, "25:61"}, {dlg.m_index, "3.5,5"}, {dlg.m_entry, "12abc"}, {dlg.m_entry, "25:61"}};
        for (const auto& row : refused) {
            SCOPED_TRACE(row.typed);
            QTest::mouseClick(row.field, Qt::LeftButton);
            const QString before = row.field->text();
            ASSERT_FALSE(before.isEmpty());
            mark = Settled();
            QTest::keyClick(row.field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(row.field, QString::fromLatin1(row.typed));
            QTest::keyClick(row.field, Qt::Key_Tab);
            EXPECT_EQ(before, row.field->text());
            EXPECT_EQ(mark, Settled()) << sim.Received().substr(mark);
        }
        EXPECT_FALSE(dlg.ApplyAnswers({"/MONI/VOL -3", "/MONI/SEL XYZ", "/MONI/IDX 2"}));
        EXPECT_TRUE(dlg.ApplyAnswers({"/MONI/VOL -3", "/MONI/SEL XYZ", "/MONI/IDX 2", "/MONI/TABSLCT 4"}));
        EXPECT_EQ(6, dlg.m_source->currentIndex()) << "an unknown word leaves the selection";
        EXPECT_EQ(-3, dlg.m_volume->value());
        // What the device did not understand leaves the fields as they were.
        EXPECT_TRUE(dlg.ApplyAnswers({"/MONI/VOL ? ", "/MONI/SEL ? ", "/MONI/IDX ? ", "/MONI/TABSLCT 4 ? "}));
        EXPECT_EQ(-3, dlg.m_volume->value());
        EXPECT_EQ(QLatin1String("-3"), dlg.m_volumeText->text());
        EXPECT_EQ(QLatin1String("2"), dlg.m_index->text());
        EXPECT_EQ(QLatin1String("4"), dlg.m_entry->text());
    }
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    // Closed, it hands the link back online from any state its exchanges met,
    // not only from a block request.
    link.SetLinkState(linkstate::Terminal);
    {
        CMonitorLiveDlg dlg;
    }
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // Recorder: the reported chips and time; only chosen, enabled chips are formatted.
    {
        CRecorderFrm frame;
        CRecorderView* view = frame.GetView();
        EXPECT_TRUE(PumpUntil([&] { return view->m_chips[1]->isEnabled(); }, kArrivalMs));
        EXPECT_FALSE(view->m_chips[2]->isEnabled());
        EXPECT_TRUE(PumpUntil([&] { return frame.GetPaneText(2) == QLatin1String("12 s"); }, kArrivalMs));
        view->m_chips[1]->setChecked(false);
        const size_t mark = Settled();
        view->OnFormat();
        const std::string sent = ReceivedAfter(mark, "FORMAT 1\r\n");
        EXPECT_NE(sent.find("/RECORDER/FORMAT 1\r\n"), std::string::npos) << sent;
        view->m_output->setCurrentIndex(0);
        emit view->m_output->activated(0);
        EXPECT_NE(ReceivedAfter(mark, "OUTPUT NONE\r\n").find("/RECORDER/OUTPUT NONE\r\n"), std::string::npos);
    }
}

// The volumes window as the user moves a level without holding the handle:
// a wheel turn over a slider and the arrow and page keys on the focused one
// each go to the device at once and into the project, Up and the wheel away
// from the user being louder.
TEST_F(AudioWindowsSim, WheelAndKeysOnAVolumeSliderSendAndStoreTheLevel)
{
    const uint64_t echoed = link.GetCharsReceived();
    std::string preset;
    for (const char* line : {"/AUDIO/IN1/VOL -20.0", "/AUDIO/IN2/VOL nan" /* no level */,
                             "/AUDIO/IN3/VOL abc" /* no level either */, "/AUDIO/CHIME_VOL 99" /* beyond the scale */,
                             "/AUDIO/MESSAGE_VOL -200" /* below it */, "/AUDIO/IN4/VOL -30.0"}) {
        link.SendLine(line, nullptr);
        preset += std::string(line) + "\r\n";
    }
    AwaitDeviceHasAll();
    // Their echo reaches the project too; once it is read, the project's
    // levels of inputs 2 and 4 differ from the device's, so that only the
    // window's answers can bring the device's.
    ASSERT_TRUE(PumpUntil([&] { return link.GetCharsReceived() >= echoed + preset.size(); }, kArrivalMs));
    auto* card = dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().GetBaseDevice(1, OT_AUDIO_INPUT_SLOT));
    auto* card2 = dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().GetBaseDevice(2, OT_AUDIO_INPUT_SLOT));
    ASSERT_NE(nullptr, card);
    ASSERT_NE(nullptr, card2);
    card->SetValueText(0, 1, "-12.0");
    card2->SetValueText(0, 0, "-7.0");
    card2->SetValueText(0, 1, "-1.0");
    auto* levels = Object<CMiscAudio>(OT_MISC_AUDIO);
    ASSERT_NE(nullptr, levels);
    levels->SetValue(miscaudiokey::ChimeVol, "-9.0");
    levels->SetValue(miscaudiokey::MessageVol, "-3.6");
    CVolumeFrm frame;
    CVolumeView* view = frame.GetView();
    CValueEdit* field = view->m_fields[CVolumeView::In1];
    ASSERT_EQ(QLatin1String("-12.0"), view->m_fields[CVolumeView::In2]->text());
    const int in2Position = view->m_sliders[CVolumeView::In2]->value();
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    // Input 4's answer is the last of the window's question.
    ASSERT_TRUE(PumpUntil([&] { return view->m_fields[CVolumeView::In4]->text() == QLatin1String("-30.0"); }, kArrivalMs));
    ASSERT_EQ(QLatin1String("-20.0"), field->text());
    // The device's "nan" and "abc" are neither shown nor kept.
    EXPECT_EQ(QLatin1String("-12.0"), view->m_fields[CVolumeView::In2]->text());
    EXPECT_EQ(in2Position, view->m_sliders[CVolumeView::In2]->value());
    EXPECT_EQ("-12.0", card->GetValueText(0, 1));
    EXPECT_EQ(QLatin1String("-7.0"), view->m_fields[CVolumeView::In3]->text());
    EXPECT_EQ("-7.0", card2->GetValueText(0, 0));
    // Nor are levels beyond the sliders' scale, which the project would keep
    // as its own highest or lowest level.
    EXPECT_EQ(QLatin1String("-9.0"), view->m_fields[CVolumeView::Chime]->text());
    EXPECT_EQ("-9.0", levels->GetValue(miscaudiokey::ChimeVol));
    EXPECT_EQ(QLatin1String("-3.6"), view->m_fields[CVolumeView::Messages]->text());
    EXPECT_EQ("-3.6", levels->GetValue(miscaudiokey::MessageVol));
    size_t mark = Settled();
    doc.SetModifiedFlag(false);

    // One move: the line the device gets, the field, the project and the
    // saved file (which keeps an input's level within -80..+6 dB).
    auto move = [&](const std::function<void()>& act, const char* level, const char* kept = nullptr) {
        kept = kept ? kept : level;
        const uint64_t read = link.GetCharsReceived();
        act();
        const std::string line = std::string("/AUDIO/IN1/VOL ") + level + "\r\n";
        size_t at = std::string::npos;
        ASSERT_TRUE(PumpUntil([&] { return (at = sim.Received().find(line, mark)) != std::string::npos; }, kArrivalMs))
            << "no " << line << "in " << sim.Received().substr(mark);
        mark = at + line.size();
        // The device echoes the line, and the window takes the echo as an
        // answer: the next move starts once the link has read it back whole
        // (the line end of the one before may come with it).
        EXPECT_TRUE(PumpUntil([&] { return link.GetCharsReceived() >= read + line.size(); }, kArrivalMs));
        EXPECT_EQ(QLatin1String(level), field->text());
        EXPECT_EQ(kept, card->GetValueText(0, 0));
        EXPECT_TRUE(doc.IsModified());
        doc.SetModifiedFlag(false);
        CQuillomerDoc reopened;
        ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
        auto* stored = dynamic_cast<CAudioInputSlot*>(reopened.GetIDManager().GetBaseDevice(1, OT_AUDIO_INPUT_SLOT));
        ASSERT_NE(nullptr, stored);
        EXPECT_EQ(kept, stored->GetValueText(0, 0));
    };

    QSlider* slider = view->m_sliders[CVolumeView::In1];
    const QPoint at = slider->rect().center();
    QTest::mouseMove(slider, at);
    const QPoint global = slider->mapToGlobal(at);
    ASSERT_EQ(slider, frame.childAt(frame.mapFromGlobal(global))) << "the mouse is over the slider";
    auto wheel = [&](int notches) {
        return [&, notches] {
            QWheelEvent event(QPointF(at), QPointF(global), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(slider, &event);
        };
    };
    auto key = [&](Qt::Key k) { return [&, k] { QTest::keyClick(slider, k); }; };
    // One notch moves as many steps as the desktop scrolls lines.
    ASSERT_LT(QApplication::wheelScrollLines(), 10);
    const QByteArray up = QByteArray::number(-20 + QApplication::wheelScrollLines()) + ".0";
    move(wheel(1), up.constData());
    move(wheel(-1), "-20.0");

    slider->setFocus(Qt::TabFocusReason);
    move(key(Qt::Key_Up), "-19.0");
    move(key(Qt::Key_PageUp), "-9.0");
    move(key(Qt::Key_Down), "-10.0");
    move(key(Qt::Key_PageUp), "0.0");  // the top: the loudest level
    move(key(Qt::Key_End), "-150.0", "-80.0");  // the bottom: the quietest
    move(key(Qt::Key_Home), "0.0");

    // Typed into the field and left with Tab: a text that is no finite
    // number is refused: the field shows the level again, the slider stays,
    // the project is not marked and the device hears nothing, so the next
    // line it gets is the next level taken.
    auto type = [&](const char* text) {
        return [&, text] {
            field->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            if (*text)
                QTest::keyClicks(field, QString::fromLatin1(text));
            else
                QTest::keyClick(field, Qt::Key_Backspace);
            QTest::keyClick(field, Qt::Key_Tab);
        };
    };
    move(type("-12.5"), "-12.5");
    const size_t refusedFrom = mark;
    for (const char* text : {"nan", "inf", "-inf", "1e40", "", "abc", "-3.5,5"}) {
        SCOPED_TRACE(text);
        type(text)();
        EXPECT_EQ(QLatin1String("-12.5"), field->text());
        EXPECT_EQ(-138, slider->value());
        EXPECT_FALSE(doc.IsModified());
    }
    // A decimal comma, as German is written.
    move(type("-7,5"), "-7.5");
    const std::string heard = sim.Received().substr(refusedFrom);
    EXPECT_EQ(heard.find("/AUDIO/IN1/VOL "), heard.rfind("/AUDIO/IN1/VOL ")) << heard;
}

// The audio outputs dialog over the real link: what the user types reaches
// the device, which then holds what the dialog shows; the project keeps it
// through saving.
TEST_F(AudioWindowsSim, OutputsDialogTypedValuesReachTheDevice)
{
    ASSERT_EQ(1, OpenAudioOutputsDlg(&doc));
    CAudioOutputsDlg* dlg = GetOpenAudioOutputsDlg();
    ASSERT_NE(nullptr, dlg);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    const size_t mark = Settled();
    const auto type = [&](int id, const QString& text, const std::string& line) {
        auto* edit = dlg->findChild<CGridEdit*>(QString::number(id));
        ASSERT_NE(nullptr, edit);
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_NE(std::string::npos, ReceivedAfter(mark, line).find(line)) << line;
    };
    type(1062, QStringLiteral("-12.5"), "/AUDIO/OUT2/VOL -12.5\r\n");  // volume of OUT2
    type(1062, QStringLiteral("-7,5"), "/AUDIO/OUT2/VOL -7.5\r\n");  // a decimal comma
    type(1062, QStringLiteral("-10"), "/AUDIO/OUT2/VOL -10.0\r\n");
    type(1080, QStringLiteral("20"), "/AUDIO/OUT1/DELAY 20.000\r\n");  // delay of OUT1
    Settled();
    EXPECT_EQ("-10.0", link.QueryValue("/AUDIO/OUT2/VOL", 2000));
    EXPECT_EQ("20.000", link.QueryValue("/AUDIO/OUT1/DELAY", 2000));
    EXPECT_TRUE(doc.IsModified());

    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
    for (CBaseDevice* obj : reopened.GetList(CAT_OUTPUT_SLOT))
        if (auto* card = dynamic_cast<CAudioOutputSlot*>(obj); card && card->GetKindId() == outputcard::Slot3) {
            EXPECT_EQ("-10.0", card->GetValueText(OPC_VOL, 1));
            EXPECT_EQ("20.000", card->GetValueText(OPC_DELAY, 0));
        }
    DeleteAudioOutputsDlg();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {
// A device that answers late once the project is connected, so that the
// answers to the recorder window's opening questions come after the user's
// first choices; it does not understand the recorder's function commands.
class RecorderWindowSim : public AudioWindowsSim {
protected:
    void SetUp() override
    {
        Attach(1, QStringLiteral("Recorder.qlx"));
        ConnectWith({QStringLiteral("at %1 delay 1500").arg(kConnectionLines + 1), QStringLiteral("set /RECORDER/OUTPUT 4"),
                     QStringLiteral("set /RECORDER/FORMAT 1-2"), QStringLiteral("unknown /RECORDER/FUNCTION")});
        ASSERT_EQ(static_cast<size_t>(kConnectionLines), CountOf(sim.Received(), "\n")) << "the connection's own lines";
    }
};
}  // namespace

TEST_F(RecorderWindowSim, TheUsersLastOutputStandsAgainstALateAnswerToTheOpeningQuestion)
{
    doc.SetModifiedFlag(false);
    CRecorderFrm frame;
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CRecorderView* view = frame.GetView();
    const size_t mark = sim.Received().size();
    // Before the device has answered: from the project's "OUT1" to "OUT2",
    // then at once to "OUT3", by keys.
    view->m_output->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(1, view->m_output->currentIndex());
    QTest::keyClick(view->m_output, Qt::Key_Down);
    QTest::keyClick(view->m_output, Qt::Key_Down);
    ASSERT_FALSE(view->m_chips[1]->isEnabled()) << "the device answered before the choices were made";
    // The answer to the last opening question has come and been read.
    ASSERT_TRUE(PumpUntil([&] { return view->m_chips[1]->isEnabled(); }, kArrivalMs));
    EXPECT_TRUE(sim.AwaitReceivedLine("/RECORDER/OUTPUT 2", mark));
    EXPECT_TRUE(sim.AwaitReceivedLine("/RECORDER/OUTPUT 3", mark));
    Pump(200);
    auto* recorder = Object<CInternalMessageRec>(OT_INTERNAL_MESSAGE_REC);
    EXPECT_EQ(3, view->m_output->currentIndex());
    EXPECT_EQ(3, recorder->GetInt(recorderkey::Output));
    EXPECT_TRUE(doc.IsModified());
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
    auto* stored = dynamic_cast<CInternalMessageRec*>(reopened.GetIDManager().GetBaseDevice(1, OT_INTERNAL_MESSAGE_REC));
    ASSERT_NE(nullptr, stored);
    EXPECT_EQ(3, stored->GetInt(recorderkey::Output));

    // "Wiedergabe" the device does not understand: its refusal is no state
    // of the recorder.
    QTest::mouseClick(view->m_play, Qt::LeftButton);
    // The link has split the refusal off once its line end has come in.
    ASSERT_TRUE(PumpUntil([&] { return host.monitor.find("/RECORDER/FUNCTION PLAY ? \r") != std::string::npos; },
                          kArrivalMs));
    QApplication::processEvents();
    EXPECT_EQ(std::string::npos, frame.GetPaneText(1).toStdString().find('?')) << frame.GetPaneText(1).toStdString();
}

namespace {
// One control of a live window changed as the user does: twice in quick
// succession, or once where the device does not take it.
struct LiveRow {
    const char* what;
    const char* path;  // the device's key
    std::function<QWidget*()> open;
    std::function<void(QWidget&)> change;
    // The value the window shows, and the project holds (null: the project
    // has none), in the device's words.
    std::function<std::string(QWidget&)> shown;
    std::function<std::string(CQuillomerDoc&)> kept;
    bool saved;  // the project's value is saved with it
    // The line the device refuses (its key unknown to it; null: it takes
    // every line) and whether the window polls that key.
    const char* refused = nullptr;
    bool polls = false;
};

// The live audio windows against a device that reads slowly once the
// connection is up: each row connects afresh, changes one control, waits
// until the device has read every line, and then compares what the window
// shows (also opened again), what the project holds (also saved and
// reopened) and what the device holds when it ends: all hold the last value
// set, or, where the device refused it, the value before, and the user was
// told once.
class SlowAudioWindowsSim : public AudioWindowsSim {
protected:
    void SetUp() override { Attach(1, QStringLiteral("Langsam.qlx")); }
    void CheckLiveRows(const std::vector<LiveRow>& rows);
    std::vector<LiveRow> CommonRows();
    std::vector<LiveRow> OtherRows();
    static CAudioEditor& ShowTab(QWidget& editor, int tab)
    {
        QTabBar* tabs = editor.findChild<QTabWidget*>()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        return static_cast<CAudioEditor&>(editor);
    }
    // The "Allgemein" page, shown again.
    static CBackgroundPage& Common(QWidget& editor)
    {
        ShowTab(editor, 0);
        return *ShowTab(editor, 3).m_background;
    }
    static void TypeAndTab(QLineEdit* field, const char* text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(field, QString::fromLatin1(text));
        QTest::keyClick(field, Qt::Key_Tab);
    }
};

CPilotView* PilotView(QWidget& w) { return static_cast<CPilotFrm&>(w).GetView(); }
CPowerView* PowerView(QWidget& w) { return static_cast<CPowerFrm&>(w).GetView(); }
CRecorderView* RecorderView(QWidget& w) { return static_cast<CRecorderFrm&>(w).GetView(); }
CVolumeView* VolumeView(QWidget& w) { return static_cast<CVolumeFrm&>(w).GetView(); }
CInternalPilottoneGen* PilotOf(CQuillomerDoc& d)
{
    return dynamic_cast<CInternalPilottoneGen*>(d.GetIDManager().GetBaseDevice(1, OT_INTERNAL_PILOTTONE_GEN));
}
CInternalMessageRec* RecorderOf(CQuillomerDoc& d)
{
    return dynamic_cast<CInternalMessageRec*>(d.GetIDManager().GetBaseDevice(1, OT_INTERNAL_MESSAGE_REC));
}
CMiscAudio* LevelsOf(CQuillomerDoc& d)
{
    return dynamic_cast<CMiscAudio*>(d.GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
}
std::string OnOff(const QAbstractButton* b) { return b->isChecked() ? "ON" : "OFF"; }
std::string Text(const QLineEdit* field) { return field->text().trimmed().toStdString(); }
QWidget* NewEditor(CQuillomerDoc* doc) { return new CAudioEditor(doc); }
}  // namespace

void SlowAudioWindowsSim::CheckLiveRows(const std::vector<LiveRow>& rows)
{
    for (const LiveRow& row : rows) {
        SCOPED_TRACE(row.what);
        // The device holds what the project does, so that only the user's
        // changes differ; where the slow reading does not matter it reads
        // ten times faster.
        QStringList directives {QStringLiteral("set /POWER/STATE OFF"), QStringLiteral("set /PILOT/GEN OFF")};
        if (row.refused)
            directives = {QStringLiteral("unknown ") + row.path};
        ASSERT_NO_FATAL_FAILURE(ConnectSlow(kConnectionLines, directives, row.refused ? 200 : 20));
        std::string shown;
        {
            std::unique_ptr<QWidget> window(row.open());
            window->show();
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
            // The window's opening questions have been answered.
            ASSERT_TRUE(AwaitAllEchoed());
            const std::string before = row.shown(*window);
            ASSERT_NO_FATAL_FAILURE(row.change(*window));
            if (row.refused)
                ASSERT_TRUE(PumpUntil([&] { return !messages.texts.empty(); }, 4 * kArrivalMs)) << "told";
            ASSERT_TRUE(AwaitAllEchoed());
            if (row.polls) {
                // The window's next poll: the device refuses it the same way.
                const uint64_t refused = link.GetRefusedCount();
                ASSERT_TRUE(PumpUntil([&] { return link.GetRefusedCount() > refused; }, 4 * kArrivalMs));
                ASSERT_TRUE(AwaitAllEchoed());
            }
            shown = row.shown(*window);
            if (row.refused)
                EXPECT_EQ(before, shown) << "turned back";
            else if (std::string(row.what).find("clicked twice") == std::string::npos)
                EXPECT_NE(before, shown) << "the control moved";  // a switch clicked twice is back
            if (row.kept)
                EXPECT_EQ(shown, row.kept(doc)) << "the project";
        }
        {
            std::unique_ptr<QWidget> window(row.open());
            window->show();
            // Opened again, after its first poll or opening questions.
            EXPECT_TRUE(PumpUntil([&] { return row.shown(*window) == shown; }, kArrivalMs))
                << "opened again: " << row.shown(*window);
            ASSERT_TRUE(AwaitAllEchoed());
            EXPECT_EQ(shown, row.shown(*window)) << "opened again, answered";
        }
        if (row.kept && row.saved) {
            CQuillomerDoc reopened;
            ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
            EXPECT_EQ(shown, row.kept(reopened)) << "saved";
        }
        const std::string held = HeldValue(EndSlowDevice(), row.path);
        if (row.refused)
            EXPECT_EQ("", held);
        else
            EXPECT_EQ(shown == "0" && std::string(row.path) == "/RECORDER/OUTPUT" ? "NONE" : shown, held) << row.path;
        if (row.refused) {
            // Told once, naming the line (the first of a drag).
            const std::string lead = "Das Gerät hat '" + std::string(row.refused);
            const std::string tail = "' nicht angenommen. Das Fenster zeigt wieder, was das Gerät hält.";
            ASSERT_EQ(1u, messages.texts.size()) << (messages.texts.empty() ? std::string() : messages.texts[1]);
            EXPECT_EQ(lead, messages.texts[0].substr(0, lead.size()));
            EXPECT_EQ(tail, messages.texts[0].substr(messages.texts[0].size() - std::min(tail.size(), messages.texts[0].size())));
        } else {
            for (const std::string& text : messages.texts)
                ADD_FAILURE() << text;
        }
        messages.texts.clear();
    }
}

// The common settings ("Allgemein"): each kind of control.
std::vector<LiveRow> SlowAudioWindowsSim::CommonRows()
{
    const auto open = [this] { return NewEditor(&doc); };
    const auto level = [](uint32_t key) {
        return [key](QWidget& w) {
            return Text(key == miscaudiokey::BackAtt ? Common(w).m_attenuation : Common(w).m_values[key]);
        };
    };
    const auto kept = [](uint32_t key) { return [key](CQuillomerDoc& d) { return LevelsOf(d)->GetValue(key); }; };
    return {
        {"alarm typed -10, Tab, -20, Tab", "/AUDIO/ALARM_VOL", open,
         [](QWidget& w) {
             TypeAndTab(Common(w).m_values[0], "-10");
             TypeAndTab(Common(w).m_values[0], "-20");
         },
         level(miscaudiokey::AlarmVol), kept(miscaudiokey::AlarmVol), true},
        {"chime spin arrow clicked twice quickly", "/AUDIO/CHIME_VOL", open,
         [](QWidget& w) {
             ClickSpinArrow(Common(w).m_spins[1], false);
             ClickSpinArrow(Common(w).m_spins[1], false);
         },
         level(miscaudiokey::ChimeVol), kept(miscaudiokey::ChimeVol), true},
        {"message spin arrow held", "/AUDIO/MESSAGE_VOL", open,
         [](QWidget& w) {
             QSpinBox* spin = Common(w).m_spins[2];
             const int from = spin->value();
             ASSERT_TRUE(HoldSpinArrow(spin, false, [&] { return spin->value() <= from - 4; }, kArrivalMs));
         },
         level(miscaudiokey::MessageVol), kept(miscaudiokey::MessageVol), true},
        {"panic slider dragged", "/AUDIO/PANIC_VOL", open, [](QWidget& w) { DragSlider(Common(w).m_sliders[3], 8); },
         level(miscaudiokey::PanicVol), kept(miscaudiokey::PanicVol), true},
        {"background attenuation typed -10, Tab, -20, Tab", "/AUDIO/BACK_ATT", open,
         [](QWidget& w) {
             TypeAndTab(Common(w).m_attenuation, "-10");
             TypeAndTab(Common(w).m_attenuation, "-20");
         },
         level(miscaudiokey::BackAtt), kept(miscaudiokey::BackAtt), true},
        {"alarm the device does not take", "/AUDIO/ALARM_VOL", open,
         [](QWidget& w) { TypeAndTab(Common(w).m_values[0], "-30"); }, level(miscaudiokey::AlarmVol),
         kept(miscaudiokey::AlarmVol), true, "/AUDIO/ALARM_VOL -30.0"},
    };
}

TEST_F(SlowAudioWindowsSim, CommonLevelsTypedOrSpunHoldTheLastValueSet)
{
    const std::vector<LiveRow> rows = CommonRows();
    CheckLiveRows({rows.begin(), rows.begin() + 3});
}

TEST_F(SlowAudioWindowsSim, CommonSliderAttenuationAndRefusalHoldTheLastValueSet)
{
    const std::vector<LiveRow> rows = CommonRows();
    CheckLiveRows({rows.begin() + 3, rows.end()});
}

// The pilot tone window: each kind of control.
TEST_F(SlowAudioWindowsSim, PilotToneHoldsTheLastValueSet)
{
    const auto open = [] { return new CPilotFrm; };
    const auto on = [](QWidget& w) { return OnOff(PilotView(w)->m_on); };
    const auto keptOn = [](CQuillomerDoc& d) { return PilotOf(d)->GetValueText(pilotkey::On); };
    const auto frequency = [](QWidget& w) { return Text(PilotView(w)->m_frequency); };
    const auto keptFrequency = [](CQuillomerDoc& d) { return PilotOf(d)->GetValueText(pilotkey::Frequency); };
    const auto level = [](int n) { return [n](QWidget& w) { return Text(PilotView(w)->m_levels[n]); }; };
    const auto keptLevel = [](int n) {
        return [n](CQuillomerDoc& d) { return PilotOf(d)->GetValueText(pilotkey::LevelKey(n)); };
    };
    const auto dragLevel = [](int n) {
        return [n](QWidget& w) {
            QTest::mouseClick(PilotView(w)->m_outputs[n], Qt::LeftButton);
            DragSlider(PilotView(w)->m_levelSlider, -6);  // up: louder
        };
    };
    const auto clickOn = [](QWidget& w) { QTest::mouseClick(PilotView(w)->m_on, Qt::LeftButton); };
    CheckLiveRows({
        {"Ein clicked twice", "/PILOT/GEN", open,
         [&](QWidget& w) {
             clickOn(w);
             clickOn(w);
         },
         on, keptOn, false},
        {"frequency typed 1500, Tab, then 3000", "/PILOT/FREQU", open,
         [](QWidget& w) {
             TypeAndTab(PilotView(w)->m_frequency, "1500");
             TypeAndTab(PilotView(w)->m_frequency, "3000");
             EXPECT_EQ(QLatin1String("3000.0"), PilotView(w)->m_frequency->text());
         },
         frequency, keptFrequency, true},
        {"frequency slider dragged", "/PILOT/FREQU", open,
         [](QWidget& w) { DragSlider(PilotView(w)->m_frequencySlider, 6); }, frequency, keptFrequency, true},
        {"level of OUT2 dragged", "/PILOT/VOL2", open, dragLevel(1), level(1), keptLevel(1), true},
        {"Ein the device does not take", "/PILOT/GEN", open, clickOn, on, keptOn, false, "/PILOT/GEN ON", true},
        {"frequency the device does not take", "/PILOT/FREQU", open,
         [](QWidget& w) { TypeAndTab(PilotView(w)->m_frequency, "1500"); }, frequency, keptFrequency, true,
         "/PILOT/FREQU 1500.0"},
        // Every position of the drag is refused: the user hears of it once.
        {"level of OUT1 dragged the device does not take", "/PILOT/VOL1", open, dragLevel(0), level(0),
         keptLevel(0), true, "/PILOT/VOL1 "},
    });
}

// The power, recorder and volumes windows.
std::vector<LiveRow> SlowAudioWindowsSim::OtherRows()
{
    const auto power = [] { return new CPowerFrm; };
    const auto recorder = [] { return new CRecorderFrm; };
    const auto volumes = [] { return new CVolumeFrm; };
    const auto on = [](QWidget& w) { return OnOff(PowerView(w)->m_on); };
    const auto clickOn = [](QWidget& w) { QTest::mouseClick(PowerView(w)->m_on, Qt::LeftButton); };
    const auto output = [](QWidget& w) { return std::to_string(RecorderView(w)->m_output->currentIndex()); };
    const auto keptOutput = [](CQuillomerDoc& d) { return std::to_string(RecorderOf(d)->GetInt(recorderkey::Output)); };
    const auto down = [](int times) {
        return [times](QWidget& w) {
            QComboBox* box = RecorderView(w)->m_output;
            box->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < times; ++i)
                QTest::keyClick(box, Qt::Key_Down);
        };
    };
    const auto chime = [](QWidget& w) { return Text(VolumeView(w)->m_fields[CVolumeView::Chime]); };
    const auto keptChime = [](CQuillomerDoc& d) { return LevelsOf(d)->GetValue(miscaudiokey::ChimeVol); };
    return {
        {"power Ein clicked twice", "/POWER/STATE", power,
         [&](QWidget& w) {
             clickOn(w);
             clickOn(w);
         },
         on, nullptr, false},
        {"recorder Aufnahmezeit typed 10, Tab, then 20", "/RECORDER/MAXTIME", recorder,
         [](QWidget& w) {
             TypeAndTab(RecorderView(w)->m_maxTime, "10");
             TypeAndTab(RecorderView(w)->m_maxTime, "20");
         },
         [](QWidget& w) { return Text(RecorderView(w)->m_maxTime); },
         [](CQuillomerDoc& d) {
             return StrFormat("%.1f", static_cast<double>(RecorderOf(d)->GetFloat(recorderkey::MaxTime)));
         },
         true},
        {"recorder output chosen twice by keys", "/RECORDER/OUTPUT", recorder, down(2), output, keptOutput, true},
        {"volumes chime typed -10, Tab, then -20", "/AUDIO/CHIME_VOL", volumes,
         [](QWidget& w) {
             TypeAndTab(VolumeView(w)->m_fields[CVolumeView::Chime], "-10");
             TypeAndTab(VolumeView(w)->m_fields[CVolumeView::Chime], "-20");
         },
         chime, keptChime, true},
        {"power Ein the device does not take", "/POWER/STATE", power, clickOn, on, nullptr, false, "/POWER/STATE ON",
         true},
        {"recorder output the device does not take", "/RECORDER/OUTPUT", recorder, down(1), output, keptOutput, true,
         "/RECORDER/OUTPUT "},
        {"volumes chime the device does not take", "/AUDIO/CHIME_VOL", volumes,
         [](QWidget& w) { TypeAndTab(VolumeView(w)->m_fields[CVolumeView::Chime], "-25"); }, chime, keptChime, true,
         "/AUDIO/CHIME_VOL -25.0"},
    };
}

TEST_F(SlowAudioWindowsSim, PowerRecorderAndVolumesHoldTheLastValueSet)
{
    const std::vector<LiveRow> rows = OtherRows();
    CheckLiveRows({rows.begin(), rows.begin() + 4});
}

TEST_F(SlowAudioWindowsSim, PowerRecorderAndVolumesTurnBackWhatTheDeviceRefuses)
{
    const std::vector<LiveRow> rows = OtherRows();
    CheckLiveRows({rows.begin() + 4, rows.end()});
}
