// The audio inputs over the real device link, against the device simulator
// on a pseudo-terminal: a new document's input download byte for byte, the
// frequency edits of the audio inputs dialog with the path shorthand, and a
// LINE input through a download and an upload.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "comm/CommTestSupport.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "support/ModelTestHost.h"
#include "support/RecordingPainter.h"
#include "ui/CGridEdit.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

// The 20 lines of one input of a new document, in download order.
std::string NewInputLines(int input)
{
    const std::string p = "/AUDIO/IN" + std::to_string(input) + "/";
    std::string s = p + "VOL 0.0\r\n" + p + "AUX 1\r\n";
    const char* const types[3] = {"LOSHELV", "PEQ", "HISHELV"};
    const char* const freqs[3] = {"500.0", "1000.0", "2000.0"};
    for (int f = 0; f < 3; ++f) {
        const std::string q = p + "FILTER" + std::to_string(f + 1) + "/";
        s += q + "TYPE " + types[f] + "\r\n" + q + "F " + freqs[f] + "\r\n";
        for (const char* key : {"Q 1.0000", "V 0.0", "S 6", "BYPASS OFF"})
            s += q + key + "\r\n";
    }
    return s;
}

std::vector<CAudioInputSlot*> InputSlots(CQuillomerDoc& doc)
{
    std::vector<CAudioInputSlot*> inputSlots;
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (auto* s = dynamic_cast<CAudioInputSlot*>(obj))
            inputSlots.push_back(s);
    return inputSlots;
}

class AudioInputsSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override
    {
        Attach(0, QStringLiteral("Halle.qlx"));  // the simulator is a standard device
        doc.SetTitle("Halle");
        ASSERT_NO_FATAL_FAILURE(Connect());
        ASSERT_NE(0, IsDocConnected());
        inputSlots = InputSlots(doc);
        ASSERT_EQ(2u, inputSlots.size());
    }
    void TearDown() override
    {
        DeleteAudioInputsDlg();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Detach();
    }

    ModelTestHost modelHost;
    std::vector<CAudioInputSlot*> inputSlots;
};

}  // namespace

TEST_F(AudioInputsSim, NewDocumentDownloadIsThePinnedByteStream)
{
    host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {inputSlots[0], inputSlots[1]};
        return true;
    };
    const size_t mark = sim.Received().size();
    link.OnTransferParameters();
    std::string expected = "/MACRO/LOCK ON\r\n";
    for (int input = 1; input <= 4; ++input)
        expected += NewInputLines(input);
    expected += "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n";
    EXPECT_TRUE(sim.AwaitReceivedLine("/SERVICE/START FASTSAVE", mark));
    const std::string received = sim.Received().substr(mark);
    EXPECT_EQ(0u, received.find("/MACRO/LOCK ON\r\n/AUDIO/IN1/VOL 0.0\r\n/AUDIO/IN1/AUX 1\r\n")) << received;
    EXPECT_EQ(expected, received);
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    for (const std::string& t : messages.texts)
        ADD_FAILURE() << t;
}

TEST_F(AudioInputsSim, FrequencyEditsGoOutWholeThenShortened)
{
    inputSlots[0]->SetCardType(inputcard::MicLine2);
    ASSERT_EQ(1, OpenAudioInputsDlg(&doc, 1));
    CAudioInputsDlg* dlg = GetOpenAudioInputsDlg();
    ASSERT_NE(nullptr, dlg);
    auto* f1 = dlg->findChild<CGridEdit*>(QStringLiteral("1014"));
    ASSERT_NE(nullptr, f1);

    const size_t mark = sim.Received().size();
    for (const char* typed : {"1025", "1100"}) {
        f1->setText(typed);
        f1->setModified(true);  // as typing leaves it
        emit f1->FocusLost();
    }
    ASSERT_TRUE(commtest::AwaitDeviceHasAll(sim, link)) << sim.Received().substr(mark);
    // The second line repeats the path: only a blank and the value go out.
    EXPECT_EQ("/AUDIO/IN2/FILTER1/F 1025.0\r\n 1100.0\r\n", sim.Received().substr(mark));
    // The device took the shortened line under the same path.
    const size_t before = sim.Sent().size();
    AnswerSink sink;
    ASSERT_TRUE(link.SendBlock({"/AUDIO/IN2/FILTER1/F ?"}, true, 0, &sink, 0));
    ASSERT_TRUE(PumpUntil([&] { return sim.Sent().find("1100.0", before) != std::string::npos; }, kArrivalMs))
        << sim.Sent().substr(before);
    link.SetLinkState(linkstate::Online);
}

// The user switches input 2 to LINE with its box on the card, sends the card
// down (the device takes the AUX choice, "/AUDIO/IN2/AUX 1") and reads it
// back. The device holds no MIC/LINE choice: the input stays LINE, pressed
// as LINE, with the line sources offered and LINE in the saved file, while
// the values the device does hold come back from it.
TEST_F(AudioInputsSim, LineInputStaysLineThroughDownloadAndUpload)
{
    CAudioInputSlot* slot = inputSlots[0];
    ASSERT_EQ(1, slot->OnCommand(inputcard::MicLine2));
    const CRect line = slot->m_boxes[3];
    slot->HitTestLabel(CPoint{line.left + 2, line.top + 2});
    ASSERT_EQ(ICK_LINE, slot->GetChannelKind(1));
    auto transfer = [&](int direction) {
        host.paramSelect = [slot, direction](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = {slot};
            return true;
        };
        link.OnTransferParameters();
    };
    const size_t mark = sim.Received().size();
    transfer(1);
    ASSERT_TRUE(sim.AwaitReceivedLine("/SERVICE/START FASTSAVE", mark));
    EXPECT_NE(std::string::npos, sim.Received().find("/AUDIO/IN2/AUX 1\r\n", mark));

    // A volume changed in the design only: the upload brings the device's back.
    slot->SetValueText(MakeInputKey(IPC_VOL, 0), 1, "-20.0");
    transfer(0);
    EXPECT_EQ("0.0", slot->GetValueText(MakeInputKey(IPC_VOL, 0), 1));
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    EXPECT_EQ(0, slot->m_selectorFlag[1]);
    EXPECT_EQ(ICK_LINE, slot->GetChannelKind(1));
    RecordingPainter dc;
    slot->Draw(dc);
    const auto at = [](const CRect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    EXPECT_TRUE(dc.Has("sunken " + at(slot->m_boxes[3]))) << "LINE pressed";
    EXPECT_TRUE(dc.Has("raised " + at(slot->m_boxes[2])));
    slot->SetHoverConnectors(1, -1);
    InputSubmenu menu = InputSubmenu::Card;
    std::string text;
    ASSERT_TRUE(slot->GetContextPopup(menu, text));
    EXPECT_EQ(InputSubmenu::Lines, menu);
    EXPECT_EQ("LIN&E-Quelle hinzufügen", text);

    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
    const std::vector<CAudioInputSlot*> back = InputSlots(reopened);
    ASSERT_EQ(2u, back.size());
    EXPECT_EQ(0, back[0]->m_selectorFlag[1]);
    EXPECT_EQ(ICK_LINE, back[0]->GetChannelKind(1));
    for (const std::string& t : messages.texts)
        if (t.rfind("Upload beendet !", 0) != 0)
            ADD_FAILURE() << t;
}
