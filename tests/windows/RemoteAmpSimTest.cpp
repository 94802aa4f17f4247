// The live remote amplifier dialog over the real device link, against the
// device simulator on a pseudo-terminal: a document with the central device
// and one amplifier at address 1f. The dialog asks, polls, sets and gives the
// link back; when the device reports that no amplifier answers at the
// address, the dialog tells the user, stops polling, closes itself and gives
// the link back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include "comm/CommTestSupport.h"
#include "support/qt/UserControls.h"
#include "hardware/CAmplifier.h"
#include "hardware/CInfoSlot.h"
#include "hardware/windows/CRemoteAmpDlg.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
// The lines the connection of the amplifier's document puts on the line.
constexpr size_t kAmpConnectionLines = 21;

// A document with the central device and one amplifier at address 1f, the
// active one, sending through a link to the device simulator.
class RemoteAmpSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override
    {
        previousHook = SetActiveDocHook([this] { return &doc; });
        previousSender = SetLineSender(&link);
        link.SetHost(&host);
        // The dialog's exchanges are checked block by block: the device takes
        // each block whole (at the line rate it answers the first query of a
        // block before it has read the rest).
        sim.lineRate = false;
        doc.SetTitle("Halle");
        doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
        auto* info = new CInfoSlot;
        ASSERT_EQ(1, info->Create(1, 1, 1, "KVT 7000", 0, 0, 230, 36, CAT_INFO, 0, 0, &doc));
        doc.AddObject(info, CAT_INFO);
        amp = new CAmplifier;
        ASSERT_EQ(1, amp->Create(33074, 4, 4, nullptr, 0, 0, 0, 0, CAT_AMPLIFIER, 0, 0, &doc));
        doc.AddObject(amp, CAT_AMPLIFIER);
        amp->SetAddress(0x1f);
    }
    void TearDown() override { Detach(); }

    CAmplifier* amp = nullptr;  // owned by doc
};
using RemoteAmpMissingSim = RemoteAmpSim;
}  // namespace

TEST_F(RemoteAmpSim, AsksPollsSetsAndGivesTheLinkBack)
{
    ASSERT_NO_FATAL_FAILURE(ConnectWith({QStringLiteral("set /AMP/ADR1F/TYPE HBE6683"),
                                         QStringLiteral("set /AMP/ADR1F/CHANMAP 4"),
                                         QStringLiteral("set /AMP/ADR1F/CHAN1/VOL -20")}));
    ASSERT_NE(0, IsDocConnected());

    {
        CRemoteAmpDlg dlg(amp, nullptr);
        EXPECT_EQ(linkstate::BlockRequest, link.GetLinkState());
        auto* type = dlg.findChild<QLabel*>(QStringLiteral("1592"));
        ASSERT_TRUE(PumpUntil([&] { return !type->text().isEmpty(); }, kArrivalMs));
        EXPECT_EQ("HBE6683", type->text().toStdString());
        EXPECT_EQ("4", dlg.findChild<QLabel*>(QStringLiteral("1596"))->text().toStdString());
        // The status poll brings the channel's volume.
        auto* volume = dlg.findChild<QSlider*>(QStringLiteral("1591"));
        EXPECT_TRUE(PumpUntil([&] { return volume->value() == -58; }, kArrivalMs));

        // A setter reaches the device.
        auto* name = dlg.findChild<QLineEdit*>(QStringLiteral("1594"));
        name->setText("Foyer");
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(name, &out);
        EXPECT_TRUE(PumpUntil([&] { return sim.Received().find("/AMP/ADR1f/NAME Foyer\r\n") != std::string::npos; },
                              kArrivalMs));
        dlg.accept();
    }
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    EXPECT_NE(sim.Received().find("/AMP/ADR1f/TYPE ?\r\n/AMP/ADR1f/NAME ?\r\n"), std::string::npos);

    // At an address without letters the device's echo of the reset reads like
    // its report: the button stays as the device reports it, and a path the
    // device does not know (answered "? ") shows nothing.
    amp->SetAddress(2);
    {
        CRemoteAmpDlg dlg(amp, nullptr);
        dlg.show();
        auto* reset = dlg.findChild<QPushButton*>(QStringLiteral("1605"));
        ASSERT_TRUE(PumpUntil([&] { return sim.Sent().find("/AMP/ADR2/763 ? ") != std::string::npos; }, kArrivalMs));
        QTest::mouseClick(reset, Qt::LeftButton);
        EXPECT_TRUE(PumpUntil([&] { return sim.Sent().find("/AMP/ADR2/FLTRES ON\r\n") != std::string::npos; },
                              kArrivalMs));
        Pump(300);
        EXPECT_FALSE(reset->isChecked());
        EXPECT_EQ("", dlg.findChild<QLabel*>(QStringLiteral("1593"))->text().toStdString());
        EXPECT_FALSE(dlg.findChild<QLabel*>(QStringLiteral("1617"))->isEnabled());
        dlg.accept();
    }
}

TEST_F(RemoteAmpMissingSim, AmpNotAvailableClosesTheDialogAndFreesTheLink)
{
    // The device knows no amplifier at 1f.
    ASSERT_NO_FATAL_FAILURE(ConnectWith({QStringLiteral("set /AMP/ADR1F/TYPE amp not available")}));
    ASSERT_NE(0, IsDocConnected());
    std::vector<int> statesAtMessage;
    const MessageHandler recording = SetMessageHandler([&](const std::string& text, uint32_t) {
        messages.texts.push_back(text);
        statesAtMessage.push_back(link.GetLinkState());
        return static_cast<int>(mb::IdOk);
    });

    const size_t mark = sim.Received().size();
    {
        CRemoteAmpDlg dlg(amp, nullptr);
        dlg.open();
        // The first block goes out under the lower-case address.
        ASSERT_TRUE(PumpUntil([&] { return !messages.texts.empty(); }, kArrivalMs)) << sim.Received().substr(mark);
        EXPECT_EQ(0u, sim.Received().find("/AMP/ADR1f/TYPE ?\r\n/AMP/ADR1f/NAME ?\r\n/AMP/ADR1f/VER ?\r\n"
                                          "/AMP/ADR1f/CHANMAP ?\r\n/AMP/ADR1f/RETROFIT/PILOT ?\r\n"
                                          "/AMP/ADR1f/RETROFIT/GNDFLT ?\r\n/AMP/ADR1f/763 ?\r\n",
                                          mark) - mark)
            << sim.Received().substr(mark);
        EXPECT_EQ((std::vector<std::string>{"Verstärker mit Adresse 1f nicht vorhanden!"}), messages.texts);
        EXPECT_EQ((std::vector<int>{linkstate::Online}), statesAtMessage);
        EXPECT_EQ(linkstate::Online, link.GetLinkState());
        EXPECT_FALSE(dlg.IsPolling());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 2000));
        EXPECT_EQ(QDialog::Rejected, dlg.result());
        // No poll follows.
        const size_t after = sim.Received().size();
        Pump(2500);
        EXPECT_EQ(after, sim.Received().size()) << sim.Received().substr(after);
        EXPECT_EQ(1u, messages.texts.size());
    }
    // Nothing was set on the missing amplifier, not even by the closing window.
    const std::string sent = sim.Received().substr(mark);
    const size_t query = sent.find("/AMP/ADR1f/NAME ?\r\n");
    EXPECT_NE(std::string::npos, query) << sent;
    EXPECT_EQ(std::string::npos, sent.find("/AMP/ADR1f/NAME", query + 1)) << sent;
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // A dialog for an amplifier that answers hands the link back on closing.
    {
        amp->SetAddress(2);
        CRemoteAmpDlg dlg(amp, nullptr);
        dlg.open();
        EXPECT_EQ(linkstate::BlockRequest, link.GetLinkState());
        ASSERT_TRUE(commtest::AwaitDeviceHasAll(sim, link));
        const size_t beforeClose = sim.Received().size();
        dlg.reject();
        EXPECT_EQ(linkstate::Online, link.GetLinkState());
        Pump(300);
        EXPECT_EQ(linkstate::Online, link.GetLinkState());
        EXPECT_EQ(beforeClose, sim.Received().size()) << sim.Received().substr(beforeClose);
    }
    EXPECT_EQ(1u, messages.texts.size());
    SetMessageHandler(recording);
}

// The dialog's controls changed twice in quick succession on a device that
// reads slowly (as over a modem), and a setter the device does not take:
// the dialog (also opened again) and the device hold the last value set, or,
// refused, what the device holds, told once.
TEST_F(RemoteAmpSim, TheLastOfTwoQuickChangesStandsAndARefusalTurnsBack)
{
    const struct Row {
        const char* what;
        const char* path;
        std::function<void(CRemoteAmpDlg&)> change;
        std::function<std::string(CRemoteAmpDlg&)> shown;  // in the device's words
        const char* unknown;  // a key the device does not have
    } rows[] = {
        {"Mute clicked twice", "/AMP/ADR1F/CHAN1/MUTE",
         [](CRemoteAmpDlg& d) {
             auto* mute = d.findChild<QCheckBox*>(QStringLiteral("1616"));
             QTest::mouseClick(mute, Qt::LeftButton, {}, QPoint(4, mute->height() / 2));
             QTest::mouseClick(mute, Qt::LeftButton, {}, QPoint(4, mute->height() / 2));
         },
         [](CRemoteAmpDlg& d) {
             return std::string(d.findChild<QCheckBox*>(QStringLiteral("1616"))->isChecked() ? "ON" : "OFF");
         },
         nullptr},
        {"volume dragged", "/AMP/ADR1F/CHAN1/VOL",
         [](CRemoteAmpDlg& d) { DragSlider(d.findChild<QSlider*>(QStringLiteral("1591")), 8); },
         [](CRemoteAmpDlg& d) {
             return std::to_string(CRemoteAmpDlg::VolumeOfPosition(d.findChild<QSlider*>(QStringLiteral("1591"))->value()));
         },
         nullptr},
        {"name typed twice", "/AMP/ADR1F/NAME",
         [](CRemoteAmpDlg& d) {
             auto* name = d.findChild<QLineEdit*>(QStringLiteral("1594"));
             for (const char* typed : {"Foyer", "Halle"}) {
                 QTest::mouseClick(name, Qt::LeftButton);
                 QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClicks(name, typed);
                 QTest::keyClick(name, Qt::Key_Tab);
             }
         },
         [](CRemoteAmpDlg& d) { return d.findChild<QLineEdit*>(QStringLiteral("1594"))->text().toStdString(); }, nullptr},
        {"pilot tone generator the device does not take", "/AMP/ADR1F/PLTGEN",
         [](CRemoteAmpDlg& d) { QTest::mouseClick(d.findChild<QCheckBox*>(QStringLiteral("1604")), Qt::LeftButton, {}, QPoint(4, 4)); },
         [](CRemoteAmpDlg& d) {
             return std::string(d.findChild<QCheckBox*>(QStringLiteral("1604"))->isChecked() ? "ON" : "OFF");
         },
         "/AMP/ADR1F/PLTGEN"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QStringList directives {QStringLiteral("set /AMP/ADR1F/TYPE HBE6683"), QStringLiteral("set /AMP/ADR1F/CHANMAP 1"),
                                QStringLiteral("set /AMP/ADR1F/CHAN1/VOL -20"), QStringLiteral("set /AMP/ADR1F/CHAN1/MUTE ON"),
                                QStringLiteral("set /AMP/ADR1F/NAME Saal"), QStringLiteral("set /AMP/ADR1F/POWER BOTH")};
        if (row.unknown)
            directives << QStringLiteral("unknown ") + row.unknown;
        else
            directives << QStringLiteral("set /AMP/ADR1F/PLTGEN OFF");
        ASSERT_NO_FATAL_FAILURE(ConnectSlow(kAmpConnectionLines, directives, 60));
        std::string shown;
        std::string before;
        {
            const size_t mark = sim.Received().size();
            CRemoteAmpDlg dlg(amp, nullptr);
            dlg.show();
            dlg.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
            // The amplifier's facts and its first status have come.
            ASSERT_TRUE(PumpUntil([&] { return sim.Received().find("/AMP/ADR1f/CHAN1/MEAS ?\r\n", mark) != std::string::npos; },
                                  4 * kArrivalMs));
            ASSERT_TRUE(AwaitAllEchoed());
            before = row.shown(dlg);
            ASSERT_NO_FATAL_FAILURE(row.change(dlg));
            if (row.unknown)
                ASSERT_TRUE(PumpUntil([&] { return !messages.texts.empty(); }, 4 * kArrivalMs)) << "told";
            ASSERT_TRUE(AwaitAllEchoed());
            shown = row.shown(dlg);
            if (row.unknown)
                EXPECT_EQ(before, shown) << "turned back";
            dlg.accept();
        }
        {
            const size_t mark = sim.Received().size();
            CRemoteAmpDlg dlg(amp, nullptr);
            dlg.show();
            // Its next status has come.
            ASSERT_TRUE(PumpUntil([&] { return sim.Received().find("/AMP/ADR1f/CHAN1/MEAS ?\r\n", mark) != std::string::npos; },
                                  4 * kArrivalMs));
            ASSERT_TRUE(AwaitAllEchoed());
            EXPECT_EQ(shown, row.shown(dlg)) << "opened again";
            dlg.accept();
        }
        EXPECT_EQ(row.unknown ? "" : shown, HeldValue(EndSlowDevice(), row.path));
        std::vector<std::string> told;
        if (row.unknown)
            told.push_back("Das Gerät hat '/AMP/ADR1f/PLTGEN ON' nicht angenommen. Das Fenster zeigt wieder, was das "
                           "Gerät hält.");
        EXPECT_EQ(told, messages.texts);
        messages.texts.clear();
    }
}
