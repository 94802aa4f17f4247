// The zone list of the line-test window over the real device link, against
// the device simulator: the line data of all its zones go as one transfer;
// and the step machine that joins the zones, on its own.

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "comm/CommTestSupport.h"
#include "hardware/CAmplifier.h"
#include "paging/CRelaisTopology.h"
#include "support/ZoneTestSupport.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "paging/windows/CZoneLineTransfer.h"
#include "paging/windows/CZoneListView.h"
#include "service/windows/CZonetestFrm.h"
#include "support/BlockTestSupport.h"
#include "ui/CTransferWatch.h"

#include <csignal>

using namespace commtest;
using serialtest::PumpUntil;

namespace {
class ZoneListSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override
    {
        previousDialog = CRelaisTopology::SetDialog(nullptr);
        Attach(1, QStringLiteral("Linien.qlx"));
    }
    void TearDown() override
    {
        Detach();
        CRelaisTopology::SetDialog(previousDialog);
    }
    // An amplifier on the first output card with a 1-in-N topology of that
    // many zones.
    CRelaisTopology* AddOneInN(int zones) { return ::AddOneInN(doc, zones); }

    CRelaisTopology::DialogFn previousDialog = nullptr;
};
}  // namespace

TEST_F(ZoneListSim, LineDataGoAsOneTransferAndTheUploadKeepsEveryZonesDifference)
{
    CRelaisTopology* topology = AddOneInN(3);
    ASSERT_NE(topology, nullptr);
    Connect();
    // The window transfers through the program's link: a link an earlier test
    // of this process left behind would take its place.
    ASSERT_EQ(&link, GetCommLink());

    CZonetestFrm frame;
    CZoneListView* list = frame.GetZoneList();
    ASSERT_EQ(3, list->GetItemCount());
    ASSERT_TRUE(frame.GetAction(CZonetestFrm::kDownload)->isEnabled());

    // Down: every zone's lines and the line-test settings between one lock
    // pair; the bar counts the rows.
    int barMaximum = -1;
    int barValue = -1;
    QTimer watchBar;
    QObject::connect(&watchBar, &QTimer::timeout, &frame, [&] {
        if (auto* bar = frame.findChild<QProgressBar*>()) {
            barMaximum = std::max(barMaximum, bar->maximum());
            barValue = std::max(barValue, bar->value());
        }
    });
    watchBar.start(10);
    size_t mark = sim.Received().size();
    frame.OnCommand(CZonetestFrm::kDownload);
    watchBar.stop();
    EXPECT_EQ(3, barMaximum);
    EXPECT_EQ(3, barValue) << "the settings follow the last row";
    ASSERT_TRUE(sim.AwaitReceivedLine("/MACRO/LOCK OFF", mark)) << sim.Received().substr(mark);
    const std::string down = sim.Received().substr(mark);
    EXPECT_EQ(1u, CountOf(down, "/MACRO/LOCK ON\r\n"));
    EXPECT_EQ(1u, CountOf(down, "/MACRO/LOCK OFF\r\n"));
    const size_t first = down.find("/KVT/ZONE1/OUTPUT ");
    const size_t last = down.find("/KVT/ZONE3/TESTVOL ");
    const size_t settings = down.find("/SERVICE/ZONETEST/");
    EXPECT_LT(down.find("/MACRO/LOCK ON"), first);
    EXPECT_LT(first, last);
    EXPECT_LT(last, settings);
    EXPECT_LT(settings, down.find("/MACRO/LOCK OFF"));

    // The device's amplifier channels of zones 1 and 3 now differ from the design.
    SendCommand("/KVT/ZONE1/AMPCHAN 61", &doc, false);
    SendCommand("/KVT/ZONE3/AMPCHAN 63", &doc, false);
    // and zone 2's test volume and tolerance, which the upload takes.
    SendCommand("/KVT/ZONE2/TESTVOL -30", &doc, false);
    SendCommand("/KVT/ZONE2/TEST/POSTOL 250", &doc, false);
    AwaitDeviceHasAll();

    // Up: one difference file with both zones' differences, shown once; the
    // commands that would start another transfer wait while it runs.
    bool heldDuring = false;
    bool nestedIgnored = false;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(300, &scope, [&] {
        // The window counts its list's transfer as its own (its host stays open meanwhile).
        heldDuring = list->IsTransferring() && frame.IsTransferring() && !frame.GetAction(CZonetestFrm::kUpload)->isEnabled() &&
                     !frame.GetAction(CZonetestFrm::kDownload)->isEnabled() &&
                     !frame.GetAction(CZonetestFrm::kRefresh)->isEnabled();
        QElapsedTimer nested;
        nested.start();
        const size_t before = sim.Received().size();
        list->SelectAll();
        list->TransferSelected(false);
        // A transfer that did start would take at least the second of silence
        // that ends it; a refused one returns at once.
        nestedIgnored = nested.elapsed() < 1000 && sim.Received().find("/MACRO/LOCK ON", before) == std::string::npos;
    });
    mark = sim.Received().size();
    frame.OnCommand(CZonetestFrm::kUpload);
    EXPECT_TRUE(heldDuring);
    EXPECT_TRUE(nestedIgnored);
    EXPECT_FALSE(list->IsTransferring());
    EXPECT_TRUE(frame.GetAction(CZonetestFrm::kUpload)->isEnabled());
    EXPECT_TRUE(frame.GetAction(CZonetestFrm::kRefresh)->isEnabled());
    const std::string up = sim.Received().substr(mark);
    EXPECT_NE(std::string::npos, up.find("/KVT/ZONE1/AMPCHAN ?"));
    EXPECT_NE(std::string::npos, up.find("/KVT/ZONE3/AMPCHAN ?"));
    EXPECT_EQ(0u, CountOf(up, "/MACRO/LOCK"));
    const std::string err = ReadFile(dir.filePath(QStringLiteral("Linien.err")));
    EXPECT_NE(std::string::npos, err.find("Linie 1 : 61 fehlt")) << err;
    EXPECT_NE(std::string::npos, err.find("Linie 3 : 63 fehlt")) << err;
    EXPECT_EQ(2u, CountOf(err, "fehlt")) << err;
    // The rows show what the project took, not what it held before.
    EXPECT_EQ(QStringLiteral("-30"), list->GetItemText(1, 3));
    EXPECT_EQ(QStringLiteral("100"), list->GetItemText(1, 5));
    EXPECT_EQ(QStringLiteral("-20"), list->GetItemText(0, 3));
    EXPECT_EQ(1u, host.editorFiles.size());
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

// "Anzeige aktualisieren" of a line-test window opened before the
// connection: greyed until the project connects, then a click sends the
// rows' queries at the line rate, the button comes back when the last answer
// is in, and a round cut off by the end of the connection leaves nothing
// greyed for the next one.
TEST_F(ZoneListSim, RefreshWaitsForTheConnectionAndARoundCutOffHoldsNothing)
{
    ASSERT_NE(AddOneInN(2), nullptr);

    CZonetestFrm frame;
    ASSERT_EQ(2, frame.GetZoneList()->GetItemCount());
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QAction* refresh = frame.GetAction(CZonetestFrm::kRefresh);
    QWidget* button = frame.GetCommandBar()->widgetForAction(refresh);
    ASSERT_NE(nullptr, button);
    EXPECT_FALSE(refresh->isEnabled());

    Connect();
    ASSERT_EQ(&link, GetCommLink());
    ASSERT_TRUE(PumpUntil([&] { return refresh->isEnabled(); }, 2000));
    size_t mark = sim.Received().size();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(refresh->isEnabled());
    const std::string lastQuery = "/KVT/ZONE2/IMP/REF ?\r\n";
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().find(lastQuery, mark) != std::string::npos; }, 10000));
    EXPECT_NE(std::string::npos, sim.Received().find("/KVT/ZONE1/TEST/MEAS ?\r\n", mark));
    EXPECT_TRUE(PumpUntil([&] { return refresh->isEnabled(); }, 5000)) << "the last answer ends the round";

    // Cut off: the user disconnects while the first zone's answers are on their way.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(refresh->isEnabled());
    link.OnDisconnect();
    ASSERT_FALSE(doc.GetConnectedFlag());
    EXPECT_TRUE(PumpUntil([&] { return !frame.GetZoneList()->AreCommandsHeld(); }, 2000));
    EXPECT_FALSE(refresh->isEnabled());
    link.OnConnect();
    ASSERT_TRUE(link.IsConnected());
    ASSERT_TRUE(PumpUntil([&] { return refresh->isEnabled(); }, 2000));
    mark = sim.Received().size();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().find(lastQuery, mark) != std::string::npos; }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return refresh->isEnabled(); }, 5000));

    // The device falls silent (it neither reads nor answers): the round ends
    // after the link's silence time-out, says so and gives the commands back
    // (the transfers too, in a window opened online);
    // the answers the device gives once it talks again start no round.
    const auto device = static_cast<pid_t>(sim.process.processId());
    ASSERT_EQ(0, ::kill(device, SIGSTOP));
    messages.texts.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(refresh->isEnabled());
    EXPECT_TRUE(frame.GetZoneList()->AreCommandsHeld());
    const bool ended = PumpUntil([&] { return refresh->isEnabled(); }, CTransferWatch::kAnswerWaitMs + 3000);
    if (!ended)
        ::kill(device, SIGCONT);
    ASSERT_TRUE(ended) << "the round waits for a device fallen silent";
    EXPECT_FALSE(frame.GetZoneList()->AreCommandsHeld()) << "the transfers stay greyed";
    EXPECT_EQ(std::vector<std::string> {"Die Übertragung 'Anzeige aktualisieren' ist nicht vollständig (Schritt 0 von 2): "
                                        "keine Antwort vom Gerät.\nDie übrigen Einträge wurden nicht übertragen."},
              messages.texts);
    serialtest::Pump(1500);  // the window polls the device again meanwhile
    mark = sim.Received().size();
    const size_t said = sim.Sent().size();
    ASSERT_EQ(0, ::kill(device, SIGCONT));
    // Its echo and its answer.
    ASSERT_TRUE(PumpUntil([&] { return CountOf(sim.Sent().substr(said), "/KVT/ZONE1/IMP/REF") >= 2; }, kArrivalMs))
        << "the device answered the round's queries";
    serialtest::Pump(500);
    AwaitDeviceHasAll();
    EXPECT_EQ(std::string::npos, sim.Received().find("/KVT/ZONE2/", mark)) << "a late answer went on with the round";
    EXPECT_TRUE(refresh->isEnabled());
}

TEST(ZoneLineTransfer, RunsItsZonesInTurnAndPassesOverOneThatWent)
{
    blocktest::ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    d.doc().m_data.deviceVariant = 0;  // six lines a zone
    blocktest::RecordingSender sender;
    for (int n = 1; n <= 3; ++n) {
        auto* z = new CZone;
        ASSERT_EQ(1, z->CBaseDevice::Create(CZone::kKind, "Linie " + std::to_string(n), n, CAT_ZONE, d.get()));
        d.doc().AddObject(z, CAT_ZONE);
    }
    CZoneLineTransfer steps(d.get());
    EXPECT_EQ("Linien", steps.GetName());
    for (int n = 1; n <= 3; ++n)
        steps.Add(OT_ZONE, n);
    const int end = steps.GetDownloadLines(1, -1);
    ASSERT_EQ(18, end);
    int step = 0;
    for (int calls = 0; step < 6 && calls < 100; ++calls)
        step = steps.GetDownloadLines(1, step);
    ASSERT_EQ(6, step);
    // A full output buffer holds the sequence back where it is.
    sender.outBufferCount = kOutBufferHoldBack;
    EXPECT_EQ(6, steps.GetDownloadLines(1, 6));
    sender.outBufferCount = 0;
    d.doc().GetIDManager().GetBaseDevice(2, OT_ZONE)->OnCommand(objcmd::Delete);
    EXPECT_EQ(12, steps.GetDownloadLines(1, 6));
    for (int calls = 0; step < end && calls < 100; ++calls)
        step = steps.GetDownloadLines(1, step);
    EXPECT_EQ(end, step);
    ASSERT_EQ(12u, sender.lines.size());
    EXPECT_EQ("/KVT/ZONE1/OUTPUT ?", sender.lines.front());
    EXPECT_EQ("/KVT/ZONE3/OUTPUT ?", sender.lines[6]);
    for (const std::string& line : sender.lines)
        EXPECT_EQ(std::string::npos, line.find("/KVT/ZONE2/")) << line;
}

TEST(ZoneLineTransfer, EveryStepBelongsToItsZonesRow)
{
    blocktest::ActiveDoc d;
    ASSERT_TRUE(d.doc().OnNewDocument());
    d.doc().m_data.deviceVariant = 0;  // six lines a zone
    for (int n : {4, 7}) {
        auto* z = new CZone;
        ASSERT_EQ(1, z->CBaseDevice::Create(CZone::kKind, "Linie " + std::to_string(n), n, CAT_ZONE, d.get()));
        d.doc().AddObject(z, CAT_ZONE);
    }
    CZoneLineTransfer steps(d.get());
    // Rows 1 and 3 of a list; zone 9 is not in the project and has no steps.
    steps.Add(OT_ZONE, 4, 1);
    steps.Add(OT_ZONE, 9, 2);
    steps.Add(OT_ZONE, 7, 3);
    ASSERT_EQ(12, steps.GetDownloadLines(0, -1));
    EXPECT_EQ(1, steps.RowAt(0));
    EXPECT_EQ(1, steps.RowAt(5));
    EXPECT_EQ(3, steps.RowAt(6));
    EXPECT_EQ(3, steps.RowAt(11));
    EXPECT_EQ(3, steps.RowAt(12)) << "through: the last row";
}
