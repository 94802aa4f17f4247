// The audio inputs over the real device link, against the device simulator
// on a pseudo-terminal: a new document's input download byte for byte, and
// the frequency edits of the audio inputs dialog with the path shorthand.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "comm/CommTestSupport.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "support/ModelTestHost.h"
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
    f1->setText("1025");
    emit f1->FocusLost();
    f1->setText("1100");
    emit f1->FocusLost();
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
