// The live remote amplifier dialog against the device simulator when the
// device reports that no amplifier answers at the address: the dialog tells
// the user, stops polling, closes itself and gives the link back.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "hardware/windows/CRemoteAmpDlg.h"
#include "RemoteAmpSimFixture.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

using RemoteAmpMissingSim = RemoteAmpSimFixture;

TEST_F(RemoteAmpMissingSim, AmpNotAvailableClosesTheDialogAndFreesTheLink)
{
    {
        CCommLink link;
        link.SetHost(&host);
        ILineSender* previousSender = SetLineSender(&link);
        // The device knows no amplifier at 1f.
        ASSERT_TRUE(sim.Start({QStringLiteral("-e"), QStringLiteral("set /AMP/ADR1F/TYPE amp not available")}))
            << Simulator::Program().toStdString();
        link.OnConnect();
        ASSERT_TRUE(link.IsConnected());
        ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
        ASSERT_NE(0, IsDocConnected());
        messages.texts.clear();
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
            ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
            const size_t beforeClose = sim.Received().size();
            dlg.reject();
            EXPECT_EQ(linkstate::Online, link.GetLinkState());
            Pump(300);
            EXPECT_EQ(linkstate::Online, link.GetLinkState());
            EXPECT_EQ(beforeClose, sim.Received().size()) << sim.Received().substr(beforeClose);
        }
        EXPECT_EQ(1u, messages.texts.size());
        SetMessageHandler(recording);
        link.ClosePort();
        SetLineSender(previousSender);
    }
}
