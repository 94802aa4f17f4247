// The audio inputs over the real device link, against the device simulator
// on a pseudo-terminal: a new document's input download byte for byte, the
// frequency edits of the audio inputs dialog with the path shorthand, and a
// LINE input through a download and an upload.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <functional>

#include "comm/CommTestSupport.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "support/ModelTestHost.h"
#include "support/RecordingPainter.h"
#include "support/qt/TypeAsKeyboard.h"
#include "support/qt/UserControls.h"
#include "ui/CGridEdit.h"
#include "ui/CSpinArrows.h"

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

namespace {
// The lines a connection of the standard device's project puts on the line.
constexpr size_t kConnectionLines = 21;

// The audio inputs dialog against a device that reads slowly once the
// connection is up; each row connects afresh and ends the device, which
// then writes what it holds.
class SlowAudioInputsSim : public AudioInputsSim {
protected:
    void SetUp() override
    {
        Attach(0, QStringLiteral("Halle.qlx"));
        doc.SetTitle("Halle");
        inputSlots = InputSlots(doc);
        ASSERT_EQ(2u, inputSlots.size());
        inputSlots[0]->SetCardType(inputcard::MicLine2);
    }
    // The dialog on input 1, shown and active.
    CAudioInputsDlg* Open()
    {
        EXPECT_EQ(1, OpenAudioInputsDlg(&doc, 0));
        CAudioInputsDlg* dlg = GetOpenAudioInputsDlg();
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg));
        return dlg;
    }
    void Close()
    {
        DeleteAudioInputsDlg();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class T>
    static T* Control(CAudioInputsDlg* dlg, int id)
    {
        return dlg->findChild<T*>(QString::number(id));
    }
    static void TypeAndTab(CGridEdit* edit, const char* text)
    {
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        TypeAsKeyboard(edit, QString::fromLatin1(text));
        QTest::keyClick(edit, Qt::Key_Tab);
    }
};
}  // namespace

// Input 1's volume and filter gain changed twice (or more) in quick
// succession, and a volume the device does not take: the dialog (also opened
// again), the project (also saved and reopened) and the device hold the last
// value the user set, or, refused, what the device holds, told once.
TEST_F(SlowAudioInputsSim, TheLastOfQuickChangesStandsEverywhere)
{
    const struct Row {
        const char* what;
        const char* path;
        uint32_t key;  // of the card, channel A of "Slot1"
        int field;     // the edit that shows it
        std::function<void(CAudioInputsDlg*)> change;
        const char* shown;    // in the end (null: where the control got to)
        const char* unknown;  // a key the device does not have
    } rows[] = {
        {"volume typed -10, Tab, -20, Tab", "/AUDIO/IN1/VOL", MakeInputKey(IPC_VOL, 0), 1059,
         [](CAudioInputsDlg* dlg) {
             TypeAndTab(Control<CGridEdit>(dlg, 1059), "-10");
             TypeAndTab(Control<CGridEdit>(dlg, 1059), "-20");
         },
         "-20.0", nullptr},
        {"filter gain spin up three times", "/AUDIO/IN1/FILTER1/V", MakeInputKey(IPC_V, 0), 1017,
         [](CAudioInputsDlg* dlg) {
             auto* arrows = Control<CSpinArrows>(dlg, 1041);
             for (int i = 0; i < 3; ++i)
                 QTest::mouseClick(arrows->Up(), Qt::LeftButton);
         },
         "1.5", nullptr},
        {"volume slider dragged", "/AUDIO/IN1/VOL", MakeInputKey(IPC_VOL, 0), 1059,
         [](CAudioInputsDlg* dlg) { EXPECT_NE(DragSlider(Control<QSlider>(dlg, 1052), 8), 0); }, nullptr, nullptr},
        {"volume the device does not take", "/AUDIO/IN1/VOL", MakeInputKey(IPC_VOL, 0), 1059,
         [](CAudioInputsDlg* dlg) { TypeAndTab(Control<CGridEdit>(dlg, 1059), "-20"); }, nullptr, "/AUDIO/IN1/VOL"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_NO_FATAL_FAILURE(
            ConnectSlow(kConnectionLines, row.unknown ? QStringList {QStringLiteral("unknown ") + row.unknown} : QStringList {}));
        // The project holds what the fresh device is given.
        inputSlots[0]->SetValueText(MakeInputKey(IPC_VOL, 0), 0, "0.0");
        inputSlots[0]->SetValueText(MakeInputKey(IPC_V, 0), 0, "0.0");
        const std::string before = inputSlots[0]->GetValueText(row.key, 0);
        QString shown;
        {
            CAudioInputsDlg* dlg = Open();
            ASSERT_NE(nullptr, dlg);
            ASSERT_NO_FATAL_FAILURE(row.change(dlg));
            if (row.unknown)
                ASSERT_TRUE(PumpUntil([&] { return !messages.texts.empty(); }, 4 * kArrivalMs)) << "told";
            ASSERT_TRUE(AwaitAllEchoed());
            shown = Control<CGridEdit>(dlg, row.field)->text();
            if (row.shown)
                EXPECT_EQ(QLatin1String(row.shown), shown);
            else if (row.unknown)
                EXPECT_EQ(before, shown.toStdString()) << "turned back";
            else
                EXPECT_NE(before, shown.toStdString()) << "the control moved";
            EXPECT_EQ(shown.toStdString(), inputSlots[0]->GetValueText(row.key, 0)) << "the project";
            Close();
        }
        {
            CAudioInputsDlg* dlg = Open();
            EXPECT_EQ(shown, Control<CGridEdit>(dlg, row.field)->text()) << "opened again";
            Close();
        }
        CQuillomerDoc reopened;
        ASSERT_TRUE(reopened.LoadFromBytes(doc.SaveToBytes()));
        EXPECT_EQ(shown.toStdString(), InputSlots(reopened)[0]->GetValueText(row.key, 0)) << "saved";
        EXPECT_EQ(row.unknown ? "" : shown.toStdString(), HeldValue(EndSlowDevice(), row.path));
        std::vector<std::string> told;
        if (row.unknown)
            told.push_back("Das Gerät hat '/AUDIO/IN1/VOL -20.0' nicht angenommen. Das Fenster zeigt wieder, was das "
                           "Gerät hält.");
        EXPECT_EQ(told, messages.texts);
        messages.texts.clear();
    }
}
