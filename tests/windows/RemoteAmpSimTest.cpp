// The live remote amplifier dialog over the real device link, against the
// device simulator on a pseudo-terminal: a document with the central device
// and one amplifier at address 1f. The dialog asks, polls, sets and gives the
// link back; when the device reports that no amplifier answers at the
// address, the dialog tells the user, stops polling, closes itself and gives
// the link back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "comm/CommTestSupport.h"
#include "hardware/CAmplifier.h"
#include "hardware/CInfoSlot.h"
#include "hardware/windows/CRemoteAmpDlg.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
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
