// Protocol side of the audio input slots: download and query lines, upload
// answers, the attenuation and ramp shared per document, the selector boxes
// and the devices attached to the inputs.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SlotTestUtil.h"
#include "audio/CMiscAudio.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/IAudioInputsDlg.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "support/ModelTestHost.h"
#include "support/RecordingPainter.h"

using namespace slottest;

namespace {

// Records what the slots ask of the open audio inputs dialog.
struct RecordingDlg : IAudioInputsDlg {
    RecordingDlg(CQuillomerDoc* doc)
    {
        SetAudioInputsDlg(this);
        SetAudioInputsDlgDocument(doc);
    }
    ~RecordingDlg() override { SetAudioInputsDlg(nullptr); }
    void StoreEdits() override { calls.push_back("store"); }
    void RefreshInput(int input) override { calls.push_back("refresh " + std::to_string(input)); }
    std::vector<std::string> calls;
};

std::vector<CAudioInputSlot*> InputSlots(CQuillomerDoc& doc)
{
    std::vector<CAudioInputSlot*> slots;
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (auto* s = dynamic_cast<CAudioInputSlot*>(obj))
            slots.push_back(s);
    return slots;
}

// Runs a slot's step machine to its end and returns the step count.
int RunSteps(CBaseDevice& obj, int mode)
{
    const int count = obj.GetDownloadLines(mode, -1);
    for (int step = 0; step < count;) {
        const int next = obj.GetDownloadLines(mode, step);
        EXPECT_EQ(step + 1, next);
        step = next;
    }
    return count;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& l : lines)
        s += l + "\r\n";
    return s;
}

class AudioInputProtocolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        auto slots = InputSlots(doc);
        ASSERT_EQ(2u, slots.size());
        slot1 = slots[0];
        slot2 = slots[1];
        ASSERT_EQ("Slot1", slot1->GetName());
        ASSERT_EQ("Slot2", slot2->GetName());
    }

    ModelTestHost host;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
    blocktest::RecordingSender sender;
    MessageRecorder messages;
    CAudioInputSlot* slot1 = nullptr;
    CAudioInputSlot* slot2 = nullptr;
};

const char* const kNewDocumentDownload =
    "/AUDIO/IN1/VOL 0.0\r\n"
    "/AUDIO/IN1/AUX 1\r\n"
    "/AUDIO/IN1/FILTER1/TYPE LOSHELV\r\n"
    "/AUDIO/IN1/FILTER1/F 500.0\r\n"
    "/AUDIO/IN1/FILTER1/Q 1.0000\r\n"
    "/AUDIO/IN1/FILTER1/V 0.0\r\n"
    "/AUDIO/IN1/FILTER1/S 6\r\n"
    "/AUDIO/IN1/FILTER1/BYPASS OFF\r\n"
    "/AUDIO/IN1/FILTER2/TYPE PEQ\r\n"
    "/AUDIO/IN1/FILTER2/F 1000.0\r\n"
    "/AUDIO/IN1/FILTER2/Q 1.0000\r\n"
    "/AUDIO/IN1/FILTER2/V 0.0\r\n"
    "/AUDIO/IN1/FILTER2/S 6\r\n"
    "/AUDIO/IN1/FILTER2/BYPASS OFF\r\n"
    "/AUDIO/IN1/FILTER3/TYPE HISHELV\r\n"
    "/AUDIO/IN1/FILTER3/F 2000.0\r\n"
    "/AUDIO/IN1/FILTER3/Q 1.0000\r\n"
    "/AUDIO/IN1/FILTER3/V 0.0\r\n"
    "/AUDIO/IN1/FILTER3/S 6\r\n"
    "/AUDIO/IN1/FILTER3/BYPASS OFF\r\n"
    "/AUDIO/IN2/VOL 0.0\r\n"
    "/AUDIO/IN2/AUX 1\r\n"
    "/AUDIO/IN2/FILTER1/TYPE LOSHELV\r\n"
    "/AUDIO/IN2/FILTER1/F 500.0\r\n"
    "/AUDIO/IN2/FILTER1/Q 1.0000\r\n"
    "/AUDIO/IN2/FILTER1/V 0.0\r\n"
    "/AUDIO/IN2/FILTER1/S 6\r\n"
    "/AUDIO/IN2/FILTER1/BYPASS OFF\r\n"
    "/AUDIO/IN2/FILTER2/TYPE PEQ\r\n"
    "/AUDIO/IN2/FILTER2/F 1000.0\r\n"
    "/AUDIO/IN2/FILTER2/Q 1.0000\r\n"
    "/AUDIO/IN2/FILTER2/V 0.0\r\n"
    "/AUDIO/IN2/FILTER2/S 6\r\n"
    "/AUDIO/IN2/FILTER2/BYPASS OFF\r\n"
    "/AUDIO/IN2/FILTER3/TYPE HISHELV\r\n"
    "/AUDIO/IN2/FILTER3/F 2000.0\r\n"
    "/AUDIO/IN2/FILTER3/Q 1.0000\r\n"
    "/AUDIO/IN2/FILTER3/V 0.0\r\n"
    "/AUDIO/IN2/FILTER3/S 6\r\n"
    "/AUDIO/IN2/FILTER3/BYPASS OFF\r\n"
    "/AUDIO/IN3/VOL 0.0\r\n"
    "/AUDIO/IN3/AUX 1\r\n"
    "/AUDIO/IN3/FILTER1/TYPE LOSHELV\r\n"
    "/AUDIO/IN3/FILTER1/F 500.0\r\n"
    "/AUDIO/IN3/FILTER1/Q 1.0000\r\n"
    "/AUDIO/IN3/FILTER1/V 0.0\r\n"
    "/AUDIO/IN3/FILTER1/S 6\r\n"
    "/AUDIO/IN3/FILTER1/BYPASS OFF\r\n"
    "/AUDIO/IN3/FILTER2/TYPE PEQ\r\n"
    "/AUDIO/IN3/FILTER2/F 1000.0\r\n"
    "/AUDIO/IN3/FILTER2/Q 1.0000\r\n"
    "/AUDIO/IN3/FILTER2/V 0.0\r\n"
    "/AUDIO/IN3/FILTER2/S 6\r\n"
    "/AUDIO/IN3/FILTER2/BYPASS OFF\r\n"
    "/AUDIO/IN3/FILTER3/TYPE HISHELV\r\n"
    "/AUDIO/IN3/FILTER3/F 2000.0\r\n"
    "/AUDIO/IN3/FILTER3/Q 1.0000\r\n"
    "/AUDIO/IN3/FILTER3/V 0.0\r\n"
    "/AUDIO/IN3/FILTER3/S 6\r\n"
    "/AUDIO/IN3/FILTER3/BYPASS OFF\r\n"
    "/AUDIO/IN4/VOL 0.0\r\n"
    "/AUDIO/IN4/AUX 1\r\n"
    "/AUDIO/IN4/FILTER1/TYPE LOSHELV\r\n"
    "/AUDIO/IN4/FILTER1/F 500.0\r\n"
    "/AUDIO/IN4/FILTER1/Q 1.0000\r\n"
    "/AUDIO/IN4/FILTER1/V 0.0\r\n"
    "/AUDIO/IN4/FILTER1/S 6\r\n"
    "/AUDIO/IN4/FILTER1/BYPASS OFF\r\n"
    "/AUDIO/IN4/FILTER2/TYPE PEQ\r\n"
    "/AUDIO/IN4/FILTER2/F 1000.0\r\n"
    "/AUDIO/IN4/FILTER2/Q 1.0000\r\n"
    "/AUDIO/IN4/FILTER2/V 0.0\r\n"
    "/AUDIO/IN4/FILTER2/S 6\r\n"
    "/AUDIO/IN4/FILTER2/BYPASS OFF\r\n"
    "/AUDIO/IN4/FILTER3/TYPE HISHELV\r\n"
    "/AUDIO/IN4/FILTER3/F 2000.0\r\n"
    "/AUDIO/IN4/FILTER3/Q 1.0000\r\n"
    "/AUDIO/IN4/FILTER3/V 0.0\r\n"
    "/AUDIO/IN4/FILTER3/S 6\r\n"
    "/AUDIO/IN4/FILTER3/BYPASS OFF\r\n";

}  // namespace

TEST_F(AudioInputProtocolTest, NewDocumentDownloadsEightyLines)
{
    EXPECT_EQ(40, RunSteps(*slot1, 0));
    EXPECT_EQ(40, RunSteps(*slot2, 0));
    EXPECT_EQ(kNewDocumentDownload, Joined(sender.lines));
    ASSERT_EQ(80u, sender.lines.size());
    for (size_t i = 0; i < sender.lines.size(); ++i) {
        EXPECT_EQ(&doc, sender.docs[i]) << i;
        EXPECT_TRUE(sender.shortenFlags[i]) << i;
    }
}

TEST_F(AudioInputProtocolTest, QueriesAskForTheSameValues)
{
    slot2->SetValueText(IPC_VOL, 1, "-10");
    EXPECT_EQ(40, RunSteps(*slot2, 1));
    ASSERT_EQ(40u, sender.lines.size());
    EXPECT_EQ("/AUDIO/IN3/VOL ?", sender.lines[0]);
    EXPECT_EQ("/AUDIO/IN3/FILTER1/F ?", sender.lines[3]);
    EXPECT_EQ("/AUDIO/IN3/FILTER2/TYPE ?", sender.lines[8]);
    EXPECT_EQ("/AUDIO/IN4/VOL ?", sender.lines[20]);
    EXPECT_EQ("/AUDIO/IN4/FILTER3/BYPASS ?", sender.lines[39]);
}

TEST_F(AudioInputProtocolTest, StepMachineEdges)
{
    EXPECT_EQ(40, slot1->GetDownloadLines(0, -1));
    EXPECT_TRUE(sender.lines.empty());

    // Step 39 is the second input's filter 3 bypass.
    slot1->m_filters[1][2].bypass = 1;
    EXPECT_EQ(40, slot1->GetDownloadLines(0, 39));
    ASSERT_EQ(1u, sender.lines.size());
    EXPECT_EQ("/AUDIO/IN2/FILTER3/BYPASS ON", sender.lines[0]);

    // A full output buffer holds the step back.
    sender.outBufferCount = 512;
    EXPECT_EQ(7, slot1->GetDownloadLines(0, 7));
    sender.outBufferCount = 511;
    EXPECT_EQ(8, slot1->GetDownloadLines(0, 7));
    ASSERT_EQ(2u, sender.lines.size());
    EXPECT_EQ("/AUDIO/IN1/FILTER1/BYPASS OFF", sender.lines[1]);
    // Steps beyond the end send nothing and report the end.
    EXPECT_EQ(40, slot1->GetDownloadLines(0, 41));
    EXPECT_EQ(0, slot1->GetDownloadLines(0, -2));
    EXPECT_EQ(2u, sender.lines.size());

    // A slot that stands in no numbered place has no input numbers to send.
    CAudioInputSlot loose;
    loose.SetName("Karte");
    EXPECT_EQ(0, loose.GetDownloadLines(0, -1));
    EXPECT_EQ("", loose.TransmitParameter(IPC_VOL, 0, true, false));
    EXPECT_EQ(2u, sender.lines.size());

    // Card values go out without the leading blanks of their fixed-width formats.
    slot1->m_filters[0][0].f = 20.0;
    EXPECT_EQ("/AUDIO/IN1/FILTER1/F 20.0", slot1->TransmitParameter(IPC_F, 0, false, false));
}

TEST_F(AudioInputProtocolTest, ValueWordsOfTheLines)
{
    slot2->SetValueText(MakeInputKey(IPC_TYPE, 0), 0, "LOCUT");
    slot2->SetValueText(MakeInputKey(IPC_F, 0), 1, "1025");
    slot2->SetValueText(MakeInputKey(IPC_Q, 1), 0, "0.7071");
    slot2->SetValueText(MakeInputKey(IPC_V, 2), 1, "-3.5");
    slot2->SetValueText(MakeInputKey(IPC_S, 2), 1, "12");
    slot2->SetValueText(IPC_AUX, 1, "2");
    slot2->SetValueText(IPC_VOL, 0, "-80");
    EXPECT_EQ("/AUDIO/IN3/FILTER1/TYPE LOCUT", slot2->TransmitParameter(IPC_TYPE, 0x000, true, false));
    EXPECT_EQ("/AUDIO/IN4/FILTER1/F 1025.0", slot2->TransmitParameter(IPC_F, 0x100, true, false));
    EXPECT_EQ("/AUDIO/IN3/FILTER2/Q 0.7071", slot2->TransmitParameter(IPC_Q, 0x001, true, false));
    EXPECT_EQ("/AUDIO/IN4/FILTER3/V -3.5", slot2->TransmitParameter(IPC_V, 0x102, true, false));
    EXPECT_EQ("/AUDIO/IN4/FILTER3/S 12", slot2->TransmitParameter(IPC_S, 0x102, false, false));
    EXPECT_EQ("/AUDIO/IN4/AUX 2", slot2->TransmitParameter(IPC_AUX, 0x100, true, false));
    EXPECT_EQ("/AUDIO/IN3/VOL -80.0", slot2->TransmitParameter(IPC_VOL, 0x000, true, false));
    EXPECT_FALSE(sender.shortenFlags[4]);
    // Attenuation, ramp and bypass-all stay in the program.
    EXPECT_EQ("", slot2->TransmitParameter(IPC_ATTENUATION, 0, true, false));
    EXPECT_EQ("", slot2->TransmitParameter(IPC_RAMP, 0x100, true, false));
    EXPECT_EQ("", slot2->TransmitParameter(IPC_BYPASS_ALL, 0, true, false));
    EXPECT_EQ(7u, sender.lines.size());
    EXPECT_EQ("-80.0", slot2->GetValueText(IPC_VOL, 0));
    EXPECT_EQ("300.0", slot2->GetValueText(IPC_RAMP, 1));
    EXPECT_EQ("-6.0", slot2->GetValueText(IPC_ATTENUATION, 1));
    EXPECT_EQ("0", slot2->GetValueText(IPC_BYPASS_ALL, 1));
}

TEST_F(AudioInputProtocolTest, UploadAnswersAreStored)
{
    RecordingDlg dlg(&doc);
    slot2->ParseUploadLines("AUDIO/IN4/VOL 9.5", "", linkstate::Upload);
    EXPECT_DOUBLE_EQ(6.0, slot2->m_volume[1]);
    slot1->ParseUploadLines("AUDIO/IN1/VOL -90", "", linkstate::Upload);
    EXPECT_DOUBLE_EQ(-80.0, slot1->m_volume[0]);
    // A word the card does not know leaves the type as it is.
    const int typeBefore = slot1->m_filters[0][0].type;
    slot1->ParseUploadLines("AUDIO/IN1/FILTER1/TYPE XYZ", "", linkstate::Upload);
    EXPECT_EQ(typeBefore, slot1->m_filters[0][0].type);
    EXPECT_NE(IFT_PEQ, typeBefore);
    slot1->ParseUploadLines("AUDIO/IN1/FILTER1/TYPE 1", "", linkstate::Upload);
    EXPECT_EQ(IFT_LOCUT, slot1->m_filters[0][0].type);
    slot2->ParseUploadLines("AUDIO/IN3/FILTER3/BYPASS ON", "", linkstate::Upload);
    EXPECT_EQ(1, slot2->m_filters[0][2].bypass);
    slot2->ParseUploadLines("AUDIO/IN4/AUX 2", "", linkstate::Upload);
    EXPECT_EQ(1, slot2->m_auxSource[1]);
    EXPECT_EQ(0, slot2->m_selectorFlag[1]);
    // The dialog shows each input again, without taking its edits first; the
    // refused word changed nothing and is not shown again.
    EXPECT_EQ((std::vector<std::string>{"refresh 3", "refresh 0", "refresh 0", "refresh 2",
                                        "refresh 3"}),
              dlg.calls);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(sender.lines.empty());

    // Echoed queries and lines without a value change nothing.
    slot1->ParseUploadLines("AUDIO/IN1/VOL ?", "", linkstate::Upload);
    slot1->ParseUploadLines("AUDIO/IN1/VOL", "", linkstate::Upload);
    EXPECT_DOUBLE_EQ(-80.0, slot1->m_volume[0]);

    // Unknown keys, and inputs of the other slot, are reported and dropped.
    slot1->ParseUploadLines("AUDIO/IN1/FILTER4/TYPE PEQ", "", linkstate::Upload);
    slot1->ParseUploadLines("AUDIO/IN3/VOL -3", "", linkstate::Upload);
    ASSERT_EQ(2u, messages.messages.size());
    EXPECT_EQ(LoadStringId(34029), messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconExclamation}, messages.messages[0].second);
    EXPECT_DOUBLE_EQ(-80.0, slot1->m_volume[0]);
    EXPECT_DOUBLE_EQ(0.0, slot2->m_volume[0]);

    // The device holds no MIC/LINE choice: a LINE channel stays LINE.
    slot1->SetCardType(inputcard::MicLine2);
    slot1->m_selectorFlag[1] = 0;
    slot1->InitObject();
    slot1->ParseUploadLines("AUDIO/IN2/AUX 1", "", linkstate::Upload);
    EXPECT_EQ(0, slot1->m_selectorFlag[1]);
    EXPECT_EQ(ICK_LINE, slot1->GetChannelKind(1));

    // A difference file that cannot be written (a file stands where its folder
    // would be) still leaves the dialog showing what came.
    const auto blocker = std::filesystem::temp_directory_path() / ("ql_inputs_blocker_" + std::to_string(::getpid()));
    std::ofstream(blocker) << "";
    dlg.calls.clear();
    EXPECT_ANY_THROW(slot2->ParseUploadLines("AUDIO/IN3/VOL 9.5", (blocker / "x.err").string(), linkstate::Upload));
    EXPECT_DOUBLE_EQ(6.0, slot2->m_volume[0]);
    EXPECT_EQ((std::vector<std::string>{"refresh 2"}), dlg.calls);
    std::filesystem::remove(blocker);
}

TEST_F(AudioInputProtocolTest, UploadTakesTheDeviceValuesWithoutListingDifferences)
{
    const auto dir = std::filesystem::temp_directory_path() / ("ql_inputs_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string err = (dir / "Projekt.err").string();
    std::filesystem::remove(err);

    slot1->ParseUploadLines("AUDIO/IN2/FILTER2/TYPE HISHELV", err, linkstate::Upload);
    slot1->ParseUploadLines("AUDIO/IN1/FILTER3/BYPASS ON", err, linkstate::Upload);
    slot1->ParseUploadLines("AUDIO/IN2/FILTER1/F 600", err, linkstate::Upload);
    // The card compares nothing: its differences never reach the file.
    EXPECT_FALSE(std::filesystem::exists(err));
    EXPECT_EQ(IFT_HISHELV, slot1->m_filters[1][1].type);
    EXPECT_EQ(1, slot1->m_filters[0][2].bypass);
    EXPECT_DOUBLE_EQ(600.0, slot1->m_filters[1][0].f);
    std::filesystem::remove_all(dir);
}

TEST_F(AudioInputProtocolTest, AttenuationAndRampAreSharedWithinOneDocument)
{
    slot1->SetCardType(inputcard::MicLine2);
    slot1->SetValueText(IPC_ATTENUATION, 0, "-20");
    slot2->SetValueText(IPC_RAMP, 1, "120");
    EXPECT_DOUBLE_EQ(-20.0, slot2->GetSharedAttenuation());
    EXPECT_DOUBLE_EQ(120.0, slot1->GetSharedRamp());

    // Storing writes the shared values into all four channel records.
    for (CAudioInputSlot* s : {slot1, slot2}) {
        const Bytes own = blocktest::StoreOwnData(*s);
        for (size_t offset : {16u + 4 + 8, 16u + 140 + 4 + 8}) {  // attenuation of channel A, B
            double att = 0.0, ramp = 0.0;
            std::memcpy(&att, &own[offset], 8);
            std::memcpy(&ramp, &own[offset + 8], 8);
            EXPECT_DOUBLE_EQ(-20.0, att) << s->GetName() << " " << offset;
            EXPECT_DOUBLE_EQ(120.0, ramp) << s->GetName() << " " << offset;
        }
    }

    // Another open document keeps its own values, for saving and for new slots.
    CQuillomerDoc other;
    other.OnNewDocument();
    CAudioInputSlot* otherSlot = InputSlots(other).at(0);
    EXPECT_DOUBLE_EQ(-6.0, otherSlot->GetSharedAttenuation());
    EXPECT_DOUBLE_EQ(-6.0, otherSlot->m_attenuation[1]);
    EXPECT_DOUBLE_EQ(300.0, otherSlot->m_ramp[0]);
    otherSlot->SetValueText(IPC_ATTENUATION, 1, "-33");
    EXPECT_DOUBLE_EQ(-20.0, slot1->GetSharedAttenuation());

    // Loading a record into the other document changes only that document.
    Bytes record = blocktest::StoreData(*slot2);
    auto loaded = blocktest::LoadTagged("CAudioInputSlot", 1, record, &other);
    EXPECT_DOUBLE_EQ(-20.0, otherSlot->GetSharedAttenuation());  // the last record loaded wins
    EXPECT_DOUBLE_EQ(120.0, otherSlot->GetSharedRamp());
    slot1->SetValueText(IPC_ATTENUATION, 0, "-7");
    EXPECT_DOUBLE_EQ(-20.0, static_cast<CAudioInputSlot*>(loaded.get())->GetSharedAttenuation());
    EXPECT_DOUBLE_EQ(-7.0, slot2->GetSharedAttenuation());
}

TEST_F(AudioInputProtocolTest, SavedProjectsKeepTheirOwnAttenuation)
{
    CQuillomerDoc second;
    second.OnNewDocument();
    InputSlots(second).at(1)->SetValueText(IPC_ATTENUATION, 0, "-30");
    slot1->SetValueText(IPC_ATTENUATION, 1, "-12");
    slot1->SetValueText(IPC_RAMP, 1, "50");

    const std::vector<uint8_t> firstBytes = doc.SaveToBytes();
    const std::vector<uint8_t> secondBytes = second.SaveToBytes();

    CQuillomerDoc reloaded;
    ASSERT_TRUE(reloaded.LoadFromBytes(secondBytes));
    // Loading the second project leaves the first one's values alone.
    EXPECT_EQ(firstBytes, doc.SaveToBytes());
    for (CAudioInputSlot* s : InputSlots(reloaded)) {
        EXPECT_DOUBLE_EQ(-30.0, s->m_attenuation[0]);
        EXPECT_DOUBLE_EQ(-30.0, s->m_attenuation[1]);
        EXPECT_DOUBLE_EQ(300.0, s->m_ramp[1]);
    }
    CQuillomerDoc first;
    ASSERT_TRUE(first.LoadFromBytes(firstBytes));
    for (CAudioInputSlot* s : InputSlots(first)) {
        EXPECT_DOUBLE_EQ(-12.0, s->GetSharedAttenuation());
        EXPECT_DOUBLE_EQ(50.0, s->m_ramp[0]);
    }
}

TEST_F(AudioInputProtocolTest, AuxBoxTogglesTheSourceAndSendsIt)
{
    slot1->SetCardType(inputcard::Aux2);
    RecordingDlg dlg(&doc);
    slot1->SetHoverConnectors(0, -1);
    const CRect box1 = slot1->m_boxes[1];
    EXPECT_FALSE(slot1->HitTestLabel(CPoint{box1.left + 3, box1.top + 3}));
    EXPECT_EQ(1, slot1->m_auxSource[0]);
    EXPECT_EQ(0, slot1->m_selectorFlag[0]);
    ASSERT_EQ(1u, sender.lines.size());
    EXPECT_EQ("/AUDIO/IN1/AUX 2", sender.lines[0]);
    EXPECT_EQ(&doc, sender.docs[0]);
    EXPECT_EQ((std::vector<std::string>{"store", "refresh 0", "store", "refresh 0"}), dlg.calls);
    EXPECT_TRUE(doc.IsModified());

    // Either box of the pair toggles back; channel B is untouched.
    const CRect box0 = slot1->m_boxes[0];
    slot1->HitTestLabel(CPoint{box0.left + 1, box0.top + 1});
    EXPECT_EQ(0, slot1->m_auxSource[0]);
    EXPECT_EQ(1, slot1->m_selectorFlag[0]);
    EXPECT_EQ("/AUDIO/IN1/AUX 1", sender.lines.at(1));
    EXPECT_EQ(0, slot1->m_auxSource[1]);

    // Outside the boxes nothing happens.
    slot1->HitTestLabel(CPoint{slot1->m_rect.right - 1, slot1->m_rect.top + 1});
    EXPECT_EQ(2u, sender.lines.size());
}

TEST_F(AudioInputProtocolTest, SwitchingMicToLineAsksBeforeDeletingTheMicrophone)
{
    slot1->SetCardType(inputcard::MicLine2);
    auto* mic = new CAudioInputDevice;
    mic->Create(33059, 1, 1, std::string("Mic"), 1700, 2100, 1700, 2100, CAT_AUDIO_DEVICE, 0, 0, &doc);
    doc.AddObject(mic, CAT_AUDIO_DEVICE);
    slot1->LinkTo(0, mic, 0);
    slot1->SetHoverConnectors(0, -1);
    doc.SetModifiedFlag(false);

    const CRect line = slot1->m_boxes[1];
    messages.answer = mb::IdNo;
    slot1->HitTestLabel(CPoint{line.left + 2, line.top + 2});
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ(LoadStringId(34025), messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::YesNo | mb::IconQuestion}, messages.messages[0].second);
    EXPECT_EQ(1, slot1->m_selectorFlag[0]);
    EXPECT_EQ(ICK_MIC, slot1->GetChannelKind(0));
    EXPECT_NE(nullptr, slot1->GetOutLinkTo(mic));
    EXPECT_FALSE(doc.IsModified());

    messages.answer = mb::IdYes;
    slot1->HitTestLabel(CPoint{line.left + 2, line.top + 2});
    EXPECT_EQ(0, slot1->m_selectorFlag[0]);
    EXPECT_EQ(ICK_LINE, slot1->GetChannelKind(0));
    EXPECT_FALSE(slot1->HasAttachedDevice());
    EXPECT_TRUE(doc.GetList(CAT_AUDIO_DEVICE).empty());
    EXPECT_TRUE(sender.lines.empty());

    // Nothing attached: switching back asks nothing.
    slot1->HitTestLabel(CPoint{line.left + 2, line.top + 2});
    EXPECT_EQ(ICK_MIC, slot1->GetChannelKind(0));
    EXPECT_EQ(ICK_MIC, slot1->GetChannelKind(1));
    EXPECT_EQ(2u, messages.messages.size());
}

TEST_F(AudioInputProtocolTest, SelectorBoxesAreDrawnPressedAndRaised)
{
    slot1->SetCardType(inputcard::AuxMicLine);
    slot1->m_selectorFlag[1] = 0;
    RecordingPainter dc;
    slot1->Draw(dc);
    const auto rect = [](const CRect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    const CRect* b = slot1->m_boxes;
    EXPECT_TRUE(dc.Has("fill " + rect(b[0])));
    EXPECT_TRUE(dc.Has("sunken " + rect(b[0])));
    EXPECT_TRUE(dc.Has("raised " + rect(b[1])));
    EXPECT_TRUE(dc.Has("raised " + rect(b[2])));
    EXPECT_TRUE(dc.Has("sunken " + rect(b[3])));
    EXPECT_FALSE(dc.Has("fill " + rect(b[2])));
    EXPECT_TRUE(dc.Has("textout \"AUX1\" " + std::to_string(b[0].left + 5) + "," + std::to_string(b[0].top + 4)));
    EXPECT_TRUE(dc.Has("textout \"AUX2\" " + std::to_string(b[1].left + 4) + "," + std::to_string(b[1].top + 3)));
    EXPECT_TRUE(dc.Has("textout \"LINE\" " + std::to_string(b[3].left + 5) + "," + std::to_string(b[3].top + 4)));

    // Console channels and unfitted cards show no boxes.
    slot1->SetCardType(inputcard::ConsoleMicLine);
    RecordingPainter console;
    slot1->Draw(console);
    EXPECT_FALSE(console.Has(" " + rect(b[0])));
    EXPECT_FALSE(console.Has(" " + rect(b[1])));
    EXPECT_TRUE(console.Has("raised " + rect(b[2])));
    EXPECT_TRUE(console.Has("sunken " + rect(b[3])));  // LINE stays selected
    EXPECT_EQ(ICK_LINE, slot1->GetChannelKind(1));
    const CRect micBox = b[2];
    slot1->SetCardType(inputcard::Console2);
    RecordingPainter none;
    slot1->Draw(none);
    EXPECT_FALSE(none.Has(" " + rect(micBox)));
    EXPECT_FALSE(none.Has("textout \"MIC\""));
}

TEST_F(AudioInputProtocolTest, HoveredConnectorFollowsTheMouseBands)
{
    slot1->SetCardType(inputcard::Aux2);
    RecordingPainter dc;
    const auto& pts = slot1->m_inputPoints;
    ASSERT_EQ(4u, pts.size());
    const int32_t x = slot1->m_rect.left;
    EXPECT_EQ(1, slot1->TrackConnector(dc, CPoint{x, slot1->m_rect.top}));
    EXPECT_EQ(0, slot1->m_hoverInput);
    EXPECT_EQ(0, slot1->TrackConnector(dc, CPoint{x, pts[0].y}));  // same connector: nothing to draw
    // Each band reaches half-way to the neighbours.
    EXPECT_EQ(1, slot1->TrackConnector(dc, CPoint{x, (pts[1].y + pts[2].y) / 2}));
    EXPECT_EQ(2, slot1->m_hoverInput);
    slot1->TrackConnector(dc, CPoint{x, (pts[1].y + pts[2].y) / 2 - 1});
    EXPECT_EQ(1, slot1->m_hoverInput);
    EXPECT_EQ(1, slot1->TrackConnector(dc, CPoint{x, slot1->m_rect.bottom - 1}));
    EXPECT_EQ(3, slot1->m_hoverInput);
    // Right of the symbol, or below it: the hover stays.
    EXPECT_EQ(0, slot1->TrackConnector(dc, CPoint{slot1->m_rect.right, pts[0].y}));
    EXPECT_EQ(0, slot1->TrackConnector(dc, CPoint{x, slot1->m_rect.bottom + 5}));
    EXPECT_EQ(3, slot1->m_hoverInput);
    slot2->SetCardType(inputcard::NotFitted);
    EXPECT_EQ(0, slot2->TrackConnector(dc, CPoint{slot2->m_rect.left, slot2->m_rect.top + 5}));
    EXPECT_EQ(-1, slot2->m_hoverInput);
}

TEST_F(AudioInputProtocolTest, ContextPopupFollowsTheHoveredChannel)
{
    InputSubmenu menu = InputSubmenu::Card;
    std::string text;
    EXPECT_FALSE(slot1->GetContextPopup(menu, text));  // not fitted
    slot1->SetCardType(inputcard::ConsoleMicLine);
    slot1->SetHoverConnectors(0, -1);
    ASSERT_TRUE(slot1->GetContextPopup(menu, text));
    EXPECT_EQ(InputSubmenu::Consoles, menu);
    EXPECT_EQ("S&prechstelle hinzufügen", text);
    slot1->SetHoverConnectors(1, -1);
    ASSERT_TRUE(slot1->GetContextPopup(menu, text));
    EXPECT_EQ(InputSubmenu::Microphones, menu);
    EXPECT_EQ("Mi&krofon hinzufügen", text);
    slot1->m_channelKind[1] = ICK_LINE;
    slot1->GetContextPopup(menu, text);
    EXPECT_EQ(InputSubmenu::Lines, menu);
    slot1->SetCardType(inputcard::AuxMicLine);
    slot1->SetHoverConnectors(1, -1);
    slot1->GetContextPopup(menu, text);
    EXPECT_EQ(InputSubmenu::Aux, menu);
    EXPECT_EQ("AU&X-Quelle hinzufügen", text);
}

TEST_F(AudioInputProtocolTest, AttachedDevicesAreNamedPlacedAndLinked)
{
    host.bitmaps[141] = CSize{32, 24};
    slot2->SetCardType(inputcard::Aux2);
    slot2->SetHoverConnectors(2, -1);
    ASSERT_EQ(1, slot2->OnCommand(33066));  // CD player
    ASSERT_EQ(1u, doc.GetList(CAT_AUDIO_DEVICE).size());
    CBaseDevice* cd = doc.GetList(CAT_AUDIO_DEVICE).back();
    EXPECT_EQ("CD-Player", cd->GetName());
    EXPECT_EQ(33066u, cd->GetKindId());
    EXPECT_EQ(CAT_AUDIO_DEVICE, cd->GetCategory());
    EXPECT_EQ(141u, cd->m_bitmapId);
    EXPECT_EQ(OT_AUDIO_INPUT_DEVICE, cd->GetType());
    EXPECT_LT(cd->GetRect().right, slot2->m_inputPoints[2].x);
    const LinkRecord* out = slot2->GetOutLinkAtKey(2);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(cd, out->partner);
    EXPECT_EQ(0, out->partnerKey);
    EXPECT_EQ(CAT_AUDIO_DEVICE, out->partnerCategory);
    const LinkRecord* in = cd->GetInLinkAtKey(0);
    ASSERT_NE(nullptr, in);
    EXPECT_EQ(slot2, in->partner);
    EXPECT_EQ(2, in->partnerKey);

    // A name in use gets a counter.
    slot2->SetHoverConnectors(3, -1);
    ASSERT_EQ(1, slot2->OnCommand(33066));
    EXPECT_EQ("CD-Player/1", doc.GetList(CAT_AUDIO_DEVICE).back()->GetName());

    // The message device sets the external alarm and message inputs.
    slot2->SetHoverConnectors(0, -1);
    ASSERT_EQ(1, slot2->OnCommand(33064));
    EXPECT_EQ("QTB8174", doc.GetList(CAT_AUDIO_DEVICE).back()->GetName());
    auto* misc = dynamic_cast<CMiscAudio*>(doc.GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
    ASSERT_NE(nullptr, misc);
    EXPECT_EQ(2, misc->GetInt(5));
    EXPECT_EQ(2, misc->GetInt(6));
    // ... and only one of it may exist.
    slot1->SetCardType(inputcard::Aux2);
    slot1->SetHoverConnectors(1, -1);
    CCmdUI qtb(33064), cdEntry(33066);
    slot1->OnUpdateCommand(qtb);
    slot1->OnUpdateCommand(cdEntry);
    EXPECT_FALSE(qtb.m_enabled);
    EXPECT_TRUE(cdEntry.m_enabled);
    EXPECT_TRUE(messages.messages.empty());

    // Without a hovered input nothing is made, and the user is told.
    slot1->SetHoverConnectors(-1, -1);
    EXPECT_EQ(1, slot1->OnCommand(33059));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ(LoadStringId(34027), messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconStop}, messages.messages[0].second);
    EXPECT_EQ(3u, doc.GetList(CAT_AUDIO_DEVICE).size());
}

TEST_F(AudioInputProtocolTest, PropertiesOpenTheDialogOnTheHoveredInput)
{
    static std::vector<std::pair<CQuillomerDoc*, int>> opened;
    static int result = 1;
    opened.clear();
    const AudioInputsDlgOpener previous = SetAudioInputsDlgOpener([](CQuillomerDoc* d, int input) {
        opened.emplace_back(d, input);
        return result;
    });
    slot2->SetCardType(inputcard::MicLine2);
    slot2->SetHoverConnectors(1, -1);
    EXPECT_EQ(1, slot2->OnCommand(objcmd::Properties));
    slot2->SetHoverConnectors(-1, -1);
    slot2->OnOpen(0, 0, 0);
    ASSERT_EQ(2u, opened.size());
    EXPECT_EQ(std::make_pair(&doc, 3), opened[0]);
    EXPECT_EQ(std::make_pair(&doc, 2), opened[1]);
    EXPECT_TRUE(messages.messages.empty());
    result = 0;
    slot2->OnOpen(0, 0, 0);
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ(LoadStringId(34026), messages.messages[0].first);
    SetAudioInputsDlgOpener(previous);
}
