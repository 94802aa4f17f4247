// The live remote amplifier dialog over the real device link, against the
// device simulator on a pseudo-terminal.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "hardware/windows/CRemoteAmpDlg.h"
#include "RemoteAmpSimFixture.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

using RemoteAmpSim = RemoteAmpSimFixture;

TEST_F(RemoteAmpSim, AsksPollsSetsAndGivesTheLinkBack)
{
    {
        CCommLink link;
        link.SetHost(&host);
        ILineSender* previousSender = SetLineSender(&link);
        ASSERT_TRUE(sim.Start({QStringLiteral("-e"), QStringLiteral("set /AMP/ADR1F/TYPE HBE6683"),
                               QStringLiteral("-e"), QStringLiteral("set /AMP/ADR1F/CHANMAP 4"),
                               QStringLiteral("-e"), QStringLiteral("set /AMP/ADR1F/CHAN1/VOL -20")}))
            << Simulator::Program().toStdString();
        link.OnConnect();
        ASSERT_TRUE(link.IsConnected());
        ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
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
        link.ClosePort();
        SetLineSender(previousSender);
    }
}
