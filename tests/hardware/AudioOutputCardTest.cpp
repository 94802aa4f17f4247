// The audio output card of a new project: amplifiers added at the hovered
// output (links, placement, numbering, the load warning), the download lines,
// the upload answers, the dialog hooks, and that
// nothing of one open project reaches another.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "SlotTestUtil.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/IAudioOutputsDlg.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"
#include "support/RecordingPainter.h"

using slottest::MessageRecorder;

namespace {

std::vector<CAudioOutputSlot*> Cards(CQuillomerDoc& doc)
{
    std::vector<CAudioOutputSlot*> out;
    for (CBaseDevice* obj : doc.GetList(CAT_OUTPUT_SLOT))
        if (auto* c = dynamic_cast<CAudioOutputSlot*>(obj))
            out.push_back(c);
    return out;
}

std::vector<CAmplifier*> Amps(CQuillomerDoc& doc)
{
    std::vector<CAmplifier*> out;
    for (CBaseDevice* obj : doc.GetList(CAT_AMPLIFIER))
        if (auto* a = dynamic_cast<CAmplifier*>(obj))
            out.push_back(a);
    return out;
}

// A dialog as the cards see it: records what they ask of it.
struct RecordingDlg : IAudioOutputsDlg {
    explicit RecordingDlg(CQuillomerDoc* doc)
    {
        SetAudioOutputsDlg(this);
        SetAudioOutputsDlgDocument(doc);
    }
    ~RecordingDlg() override { SetAudioOutputsDlg(nullptr); }
    void StoreAll() override { ++stores; }
    void Refresh(int index) override { refreshed.push_back(index); }
    int stores = 0;
    std::vector<int> refreshed;
};

class AudioOutputCardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.bitmaps[150] = CSize(40, 30);
        host.bitmaps[456] = CSize(40, 50);
        host.bitmaps[193] = CSize(60, 80);
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetModifiedFlag(false);
        const auto cards = Cards(doc);
        ASSERT_EQ(2u, cards.size());
        slot3 = cards[0];
        slot4 = cards[1];
    }
    void TearDown() override
    {
        if (!errFile.empty())
            std::remove(errFile.c_str());
    }
    // Adds an amplifier through the card's menu command at an output.
    CAmplifier* AddAt(CAudioOutputSlot* card, int output, uint32_t model)
    {
        const size_t before = Amps(doc).size();
        card->SetHoverConnectors(-1, output);
        EXPECT_EQ(1, card->OnCommand(model));
        const auto amps = Amps(doc);
        return amps.size() == before + 1 ? amps.back() : nullptr;
    }
    std::string TempErrFile()
    {
        errFile = (std::filesystem::temp_directory_path() /
                   ("outputs_" + std::to_string(reinterpret_cast<uintptr_t>(this)) + ".err"))
                      .string();
        std::remove(errFile.c_str());
        return errFile;
    }

    ModelTestHost host;
    CQuillomerDoc doc;
    ActiveDocScope active{&doc};
    blocktest::RecordingSender sender;
    MessageRecorder messages;
    CAudioOutputSlot* slot3 = nullptr;
    CAudioOutputSlot* slot4 = nullptr;
    std::string errFile;
};

}  // namespace

TEST_F(AudioOutputCardTest, NewProjectCardsHaveOutputsOnly)
{
    for (CAudioOutputSlot* card : {slot3, slot4}) {
        EXPECT_EQ(0, card->m_inputCount) << card->GetName();
        EXPECT_TRUE(card->m_inputPoints.empty());
        ASSERT_EQ(2u, card->m_outputPoints.size());
        EXPECT_EQ(card->GetRect().right, card->m_outputPoints[0].x);
    }
    EXPECT_EQ(1, slot3->GetNumber());
    EXPECT_EQ(2, slot4->GetNumber());
    // The input side of a hot card hovers nothing: there is no input.
    slot3->SetHoverConnectors(0, -1);
    EXPECT_EQ(-1, slot3->m_hoverInput);
}

TEST_F(AudioOutputCardTest, AmplifierAtTheHoveredOutputIsLinkedAtBothEndsAndPlaced)
{
    CAmplifier* amp = AddAt(slot3, 1, 33007);  // "HBE 6631"
    ASSERT_NE(nullptr, amp);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(33007u, amp->GetKindId());
    EXPECT_EQ(1, amp->m_inputCount);
    EXPECT_EQ(1, amp->m_outputCount);
    EXPECT_EQ(150u, amp->m_bitmapId);
    EXPECT_EQ(1, amp->GetNumber());
    EXPECT_EQ("Verstärker 1", amp->GetName());
    EXPECT_EQ(CAT_AMPLIFIER, amp->GetCategory());
    EXPECT_EQ("/AMP1", amp->GetPath());

    // One link, amplifier key 0 → card output 1, recorded at both ends.
    ASSERT_EQ(1u, amp->m_outLinks.size());
    const LinkRecord* out = amp->m_outLinks.front();
    EXPECT_EQ((LinkRecord{slot3, 1, amp, 0, CAT_OUTPUT_SLOT}), *out);
    ASSERT_EQ(1u, slot3->m_inLinks.size());
    EXPECT_EQ((LinkRecord{amp, 0, slot3, 1, CAT_AMPLIFIER}), *slot3->m_inLinks.front());
    EXPECT_TRUE(slot4->m_inLinks.empty());

    // The output number (card 1, second output) is also the lane of the line.
    EXPECT_EQ(2, amp->m_lanes[0]);
    // Right of the central device, its input level with the card's output.
    const CPoint feed = slot3->m_outputPoints[1];
    EXPECT_EQ(feed.x + 270, amp->GetRect().left);
    ASSERT_EQ(1u, amp->m_inputPoints.size());
    EXPECT_EQ(feed.y, amp->m_inputPoints[0].y);
    EXPECT_FALSE(amp->GetRect().IsRectEmpty());
    EXPECT_TRUE(doc.IsModified());

    // The same output again: a second, numbered after the first, clear of it.
    CAmplifier* second = AddAt(slot3, 1, 33099);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(2, second->GetNumber());
    EXPECT_EQ("Verstärker 2", second->GetName());
    EXPECT_FALSE(amp->GetRect().Intersects(second->GetRect()));
    EXPECT_EQ(2u, slot3->m_inLinks.size());
    EXPECT_EQ(2, second->m_lanes[0]);
}

TEST_F(AudioOutputCardTest, MultiChannelModelsTakeTheirChannelsAndLinkChannelOneOnly)
{
    slot4->OnCommand(outputcard::LineModule);
    CAmplifier* quad = AddAt(slot4, 0, 33074);  // "HBE 6683 (4x1)"
    ASSERT_NE(nullptr, quad);
    EXPECT_EQ(4, quad->m_inputCount);
    EXPECT_EQ(4, quad->m_outputCount);
    EXPECT_EQ(193u, quad->m_bitmapId);
    EXPECT_EQ(3, quad->m_lanes[0]);  // OUT3
    EXPECT_EQ(0, quad->m_lanes[1]);
    ASSERT_EQ(1u, quad->m_outLinks.size());
    EXPECT_EQ((LinkRecord{slot4, 0, quad, 0, CAT_OUTPUT_SLOT}), *quad->m_outLinks.front());
    // A remote-capable model gets the first free bus address.
    EXPECT_EQ(0, quad->GetAddress());

    CAmplifier* three = AddAt(slot4, 1, 33081);  // HBE 6682 three channels
    ASSERT_NE(nullptr, three);
    EXPECT_EQ(3, three->m_inputCount);
    EXPECT_EQ(4, three->m_lanes[0]);  // OUT4
    EXPECT_EQ(-1, three->GetAddress());
    CAmplifier* two = AddAt(slot3, 0, 33035);
    ASSERT_NE(nullptr, two);
    EXPECT_EQ(2, two->m_inputCount);
    EXPECT_EQ(456u, two->m_bitmapId);
    EXPECT_EQ(1, two->m_lanes[0]);  // OUT1
}

TEST_F(AudioOutputCardTest, WithoutAHoveredOutputNothingIsAdded)
{
    slot3->SetHoverConnectors(-1, -1);
    EXPECT_EQ(1, slot3->OnCommand(33007));
    EXPECT_TRUE(Amps(doc).empty());
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Wählen Sie bitte zunächst einen Ausgang !", messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconInformation}, messages.messages[0].second);
    EXPECT_TRUE(slot3->m_inLinks.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(AudioOutputCardTest, AnEmptySlotFeedsNoAmplifier)
{
    ASSERT_FALSE(slot4->IsFitted());
    slot4->SetHoverConnectors(-1, 0);
    EXPECT_EQ(1, slot4->OnCommand(33007));
    EXPECT_TRUE(Amps(doc).empty());
    EXPECT_TRUE(messages.messages.empty());
    CCmdUI ui(33007);
    slot4->OnUpdateCommand(ui);
    EXPECT_FALSE(ui.m_enabled);
}

TEST_F(AudioOutputCardTest, TheTwentiethAmplifierInputOnAnOutputWarnsAndIsAddedAllTheSame)
{
    for (int i = 0; i < 19; ++i)
        ASSERT_NE(nullptr, AddAt(slot3, 0, 33099)) << i;
    EXPECT_TRUE(messages.messages.empty());
    // Another output's load is its own.
    ASSERT_NE(nullptr, AddAt(slot3, 1, 33099));
    EXPECT_TRUE(messages.messages.empty());

    ASSERT_NE(nullptr, AddAt(slot3, 0, 33099));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Achtung!\nOUT1 wird mit 20 Verstärkereingängen belastet", messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconInformation}, messages.messages[0].second);
    EXPECT_EQ(21u, Amps(doc).size());

    ASSERT_NE(nullptr, AddAt(slot3, 0, 33099));
    ASSERT_EQ(2u, messages.messages.size());
    EXPECT_EQ("Achtung!\nOUT1 wird mit 21 Verstärkereingängen belastet", messages.messages[1].first);
}

TEST_F(AudioOutputCardTest, CardTwoWarnsWithItsOwnOutputNumber)
{
    slot4->OnCommand(outputcard::LineModule);
    for (int i = 0; i < 20; ++i)
        ASSERT_NE(nullptr, AddAt(slot4, 1, 33099));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Achtung!\nOUT4 wird mit 20 Verstärkereingängen belastet", messages.messages[0].first);
}

TEST_F(AudioOutputCardTest, AFullAmplifierDirectoryLeavesTheCardUnchanged)
{
    slot4->OnCommand(outputcard::LineModule);
    // The directory holds 64 amplifiers; spread over the four outputs they
    // stay below the load warning.
    for (int i = 0; i < 64; ++i)
        ASSERT_NE(nullptr, AddAt(i % 2 ? slot4 : slot3, i / 2 % 2, 33099)) << i;
    ASSERT_TRUE(messages.messages.empty());
    const size_t links3 = slot3->m_inLinks.size();
    slot3->SetHoverConnectors(-1, 0);
    EXPECT_EQ(1, slot3->OnCommand(33099));
    EXPECT_EQ(64u, Amps(doc).size());
    EXPECT_EQ(links3, slot3->m_inLinks.size());
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_NE(std::string::npos, messages.messages[0].first.find("Das Gerät kann nicht mehr erzeugt werden"));
}

TEST_F(AudioOutputCardTest, AddedAmplifiersSurviveSavingAndLoading)
{
    AddAt(slot3, 1, 33007);
    slot4->OnCommand(outputcard::LineModule);
    AddAt(slot4, 0, 33078);
    const std::vector<uint8_t> bytes = doc.SaveToBytes();

    CQuillomerDoc other;
    ActiveDocScope otherActive(&other);
    ASSERT_TRUE(other.LoadFromBytes(bytes));
    const auto cards = Cards(other);
    const auto amps = Amps(other);
    ASSERT_EQ(2u, cards.size());
    ASSERT_EQ(2u, amps.size());
    EXPECT_EQ(0, cards[0]->m_inputCount);
    ASSERT_EQ(1u, cards[0]->m_inLinks.size());
    EXPECT_EQ((LinkRecord{amps[0], 0, cards[0], 1, CAT_AMPLIFIER}), *cards[0]->m_inLinks.front());
    EXPECT_EQ((LinkRecord{cards[1], 0, amps[1], 0, CAT_OUTPUT_SLOT}), *amps[1]->m_outLinks.front());
    EXPECT_EQ(2, amps[0]->m_lanes[0]);
    EXPECT_EQ(3, amps[1]->m_lanes[0]);
    EXPECT_TRUE(cards[1]->IsFitted());
    // A fitted card with amplifiers cannot be emptied.
    CCmdUI ui(outputcard::NotFitted);
    cards[1]->OnUpdateCommand(ui);
    EXPECT_FALSE(ui.m_enabled);
}

TEST_F(AudioOutputCardTest, DownloadLinesOfANewProject)
{
    for (CAudioOutputSlot* card : {slot3, slot4}) {
        const size_t before = sender.lines.size();
        const int steps = card->GetDownloadLines(0, -1);
        ASSERT_EQ(2, steps);
        EXPECT_EQ(before, sender.lines.size());
        for (int step = 0; step < steps;)
            step = card->GetDownloadLines(0, step);
    }
    EXPECT_EQ((std::vector<std::string>{"/AUDIO/OUT1/VOL 0.0", "/AUDIO/OUT2/VOL 0.0", "/AUDIO/OUT1/DELAY 0.000",
                                        "/AUDIO/OUT2/DELAY 0.000", "/AUDIO/OUT3/VOL -80.0", "/AUDIO/OUT4/VOL -80.0",
                                        "/AUDIO/OUT3/DELAY 0.000", "/AUDIO/OUT4/DELAY 0.000"}),
              sender.lines);
    for (size_t i = 0; i < sender.lines.size(); ++i) {
        EXPECT_TRUE(sender.shortenFlags[i]) << i;
        EXPECT_EQ(&doc, sender.docs[i]) << i;
    }
}

TEST_F(AudioOutputCardTest, DownloadValuesQueriesAndHoldingBack)
{
    slot4->SetValue(OPC_VOL, 0, "-12.5");
    slot4->SetValue(OPC_DELAY, 1, "20");
    EXPECT_EQ(1, slot4->GetDownloadLines(0, 0));
    EXPECT_EQ(2, slot4->GetDownloadLines(0, 1));
    EXPECT_EQ((std::vector<std::string>{"/AUDIO/OUT3/VOL -12.5", "/AUDIO/OUT4/VOL -80.0", "/AUDIO/OUT3/DELAY 0.000",
                                        "/AUDIO/OUT4/DELAY 20.000"}),
              sender.lines);
    sender.lines.clear();

    // Queries read the same values back.
    EXPECT_EQ(1, slot3->GetDownloadLines(1, 0));
    EXPECT_EQ(2, slot3->GetDownloadLines(1, 1));
    EXPECT_EQ((std::vector<std::string>{"/AUDIO/OUT1/VOL ?", "/AUDIO/OUT2/VOL ?", "/AUDIO/OUT1/DELAY ?",
                                        "/AUDIO/OUT2/DELAY ?"}),
              sender.lines);
    sender.lines.clear();

    // A full output buffer: the step comes back unchanged, nothing is sent.
    sender.outBufferCount = 512;
    EXPECT_EQ(0, slot3->GetDownloadLines(0, 0));
    EXPECT_EQ(1, slot3->GetDownloadLines(0, 1));
    sender.outBufferCount = 511;
    EXPECT_EQ(1, slot3->GetDownloadLines(0, 0));
    EXPECT_EQ(2u, sender.lines.size());
    sender.lines.clear();
    // Past the last step nothing more is sent.
    EXPECT_EQ(2, slot3->GetDownloadLines(0, 2));
    EXPECT_EQ(2, slot3->GetDownloadLines(0, 7));
    EXPECT_TRUE(sender.lines.empty());
    // The delay unit has no protocol key.
    EXPECT_EQ("", slot3->BuildLine(OPC_UNIT, 0, true, false));
    EXPECT_TRUE(sender.lines.empty());
    EXPECT_EQ("/AUDIO/OUT2/DELAY 0.000", slot3->BuildLine(OPC_DELAY, 1, false, false));
    EXPECT_FALSE(sender.shortenFlags.back());
}

TEST_F(AudioOutputCardTest, UploadStoresTheDeviceValuesWithoutListingDifferences)
{
    const std::string err = TempErrFile();
    doc.DispatchAnswerLine("/AUDIO/OUT2/VOL 10", err, linkstate::Upload);
    EXPECT_DOUBLE_EQ(6.0, slot3->m_volume[1]);
    EXPECT_DOUBLE_EQ(0.0, slot3->m_volume[0]);
    doc.DispatchAnswerLine("/AUDIO/OUT4/DELAY 5", err, linkstate::Upload);
    EXPECT_DOUBLE_EQ(0.005, slot4->m_delay[1]);
    EXPECT_DOUBLE_EQ(0.0, slot4->m_delay[0]);
    doc.DispatchAnswerLine("/AUDIO/OUT1/VOL 0", err, linkstate::Upload);
    doc.DispatchAnswerLine("/AUDIO/OUT3/VOL -80.0\r", err, linkstate::Upload);
    EXPECT_DOUBLE_EQ(-80.0, slot4->m_volume[0]);
    // An echoed query stores nothing.
    doc.DispatchAnswerLine("/AUDIO/OUT3/VOL ?", err, linkstate::Upload);
    EXPECT_DOUBLE_EQ(-80.0, slot4->m_volume[0]);
    doc.DispatchAnswerLine("/AUDIO/OUT3/VOL -95", err, linkstate::Upload);
    EXPECT_DOUBLE_EQ(-80.0, slot4->m_volume[0]);
    EXPECT_TRUE(messages.messages.empty());
    // The card compares nothing: its differences never reach the file; the
    // volumes it clamped are named with what it holds instead.
    std::ifstream file(err, std::ios::binary);
    EXPECT_EQ("ERROR: /AUDIO/OUT2/VOL >>10<< should be >>6.0<<\r\n"
              "ERROR: /AUDIO/OUT3/VOL >>-95<< should be >>-80.0<<\r\n",
              std::string(std::istreambuf_iterator<char>(file), {}));
}

TEST_F(AudioOutputCardTest, UploadOfAnUnknownKeyIsAParserError)
{
    const std::string err = TempErrFile();
    slot3->ParseUploadLines("AUDIO/OUT1/GAIN 3", err, linkstate::Upload);
    // A line for an output of the other card is not this card's either.
    slot3->ParseUploadLines("AUDIO/OUT3/VOL -3", err, linkstate::Upload);
    ASSERT_EQ(2u, messages.messages.size());
    EXPECT_EQ("Parser-Fehler !\n\rUnbekannte Parameterauswahl !", messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconExclamation}, messages.messages[0].second);
    EXPECT_DOUBLE_EQ(0.0, slot3->m_volume[0]);
    EXPECT_DOUBLE_EQ(0.0, slot3->m_volume[1]);
    EXPECT_DOUBLE_EQ(-80.0, slot4->m_volume[0]);
    EXPECT_FALSE(std::filesystem::exists(err));
}

TEST_F(AudioOutputCardTest, UploadRefreshesTheOpenDialogOfItsDocumentOnly)
{
    {
        RecordingDlg dlg(&doc);
        doc.DispatchAnswerLine("/AUDIO/OUT4/VOL -3", "", linkstate::Upload);
        doc.DispatchAnswerLine("/AUDIO/OUT1/DELAY 1", "", linkstate::Upload);
        EXPECT_EQ((std::vector<int>{3, 0}), dlg.refreshed);
    }
    {
        // A difference file that cannot be written (a file stands where its
        // folder would be) still leaves the dialog showing what came.
        RecordingDlg dlg(&doc);
        std::ofstream(TempErrFile()) << "";
        EXPECT_ANY_THROW(doc.DispatchAnswerLine("/AUDIO/OUT3/VOL 10", errFile + "/x.err", linkstate::Upload));
        EXPECT_DOUBLE_EQ(6.0, slot4->m_volume[0]);
        EXPECT_EQ((std::vector<int>{2}), dlg.refreshed);
        std::remove(errFile.c_str());
    }
    CQuillomerDoc other;
    RecordingDlg dlg(&other);
    doc.DispatchAnswerLine("/AUDIO/OUT2/VOL -3", "", linkstate::Upload);
    EXPECT_DOUBLE_EQ(-3.0, slot3->m_volume[1]);
    slot4->OnCommand(outputcard::LineModule);
    doc.SaveToBytes();
    EXPECT_TRUE(dlg.refreshed.empty());
    EXPECT_EQ(0, dlg.stores);
}

TEST_F(AudioOutputCardTest, OpenDialogOfTheDocumentTakesItsValuesBeforeSaving)
{
    RecordingDlg dlg(&doc);
    doc.SaveToBytes();
    EXPECT_EQ(2, dlg.stores);  // once per card
    slot4->OnCommand(outputcard::LineModule);
    EXPECT_EQ((std::vector<int>{-1}), dlg.refreshed);
}

TEST_F(AudioOutputCardTest, EachProjectKeepsItsOwnDelayUnit)
{
    CQuillomerDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    CAudioOutputSlot* otherSlot3 = Cards(other).at(0);
    slot3->SetValue(OPC_UNIT, 0, "1");
    otherSlot3->SetValue(OPC_UNIT, 0, "2");
    EXPECT_EQ(1, CAudioOutputSlot::GetDelayUnit(&doc));
    EXPECT_EQ(2, CAudioOutputSlot::GetDelayUnit(&other));
    EXPECT_EQ("1", slot4->GetValueText(OPC_UNIT, 0));
    EXPECT_EQ("2", Cards(other).at(1)->GetValueText(OPC_UNIT, 0));

    // Opening a saved project sets that project's unit, not the others'.
    const std::vector<uint8_t> bytes = other.SaveToBytes();
    CQuillomerDoc third;
    ASSERT_TRUE(third.LoadFromBytes(bytes));
    EXPECT_EQ(2, CAudioOutputSlot::GetDelayUnit(&third));
    EXPECT_EQ(1, CAudioOutputSlot::GetDelayUnit(&doc));
    // Saving the first project writes its own unit into every card record.
    CQuillomerDoc fourth;
    ASSERT_TRUE(fourth.LoadFromBytes(doc.SaveToBytes()));
    EXPECT_EQ(1, CAudioOutputSlot::GetDelayUnit(&fourth));
    EXPECT_EQ("1", Cards(fourth).at(1)->GetValueText(OPC_UNIT, 0));
}

TEST_F(AudioOutputCardTest, PropertiesOpenTheOutputsDialogOnTheCardsDocument)
{
    static CQuillomerDoc* opened = nullptr;
    static int answer = 1;
    const AudioOutputsDlgOpener previous = SetAudioOutputsDlgOpener([](CQuillomerDoc* d) {
        opened = d;
        return answer;
    });
    CCmdUI ui(objcmd::Properties);
    slot3->OnUpdateCommand(ui);
    EXPECT_TRUE(ui.m_enabled);
    EXPECT_EQ(1, slot3->OnCommand(objcmd::Properties));
    EXPECT_EQ(&doc, opened);
    EXPECT_TRUE(messages.messages.empty());

    // A card of a project that is not the active one opens its own project.
    CQuillomerDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    Cards(other).at(0)->OnOpen(0, 0, 0);
    EXPECT_EQ(&other, opened);

    answer = 0;
    slot3->OnOpen(0, 0, 0);
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Zu wenig Speicher !", messages.messages[0].first);
    EXPECT_EQ(uint32_t{mb::IconExclamation}, messages.messages[0].second);
    SetAudioOutputsDlgOpener(previous);
}

TEST_F(AudioOutputCardTest, CardTypeChangesMarkTheProjectModified)
{
    slot4->OnCommand(outputcard::LineModule);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_DOUBLE_EQ(0.0, slot4->m_volume[1]);
}

// The neighbouring input card of the central device: on a hot card the
// connector names stay readable in front of the selector boxes.
TEST_F(AudioOutputCardTest, HotInputCardKeepsItsConnectorNamesInFrontOfTheBoxes)
{
    CAudioInputSlot* slot1 = nullptr;
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (obj->GetName() == "Slot1")
            slot1 = dynamic_cast<CAudioInputSlot*>(obj);
    ASSERT_NE(nullptr, slot1);
    slot1->SetCardType(inputcard::AuxMicLine);
    slot1->m_hot = 1;
    RecordingPainter dc;
    slot1->Draw(dc);

    const auto last = [&dc](const std::string& prefix) {
        int at = -1;
        for (size_t i = 0; i < dc.calls.size(); ++i)
            if (dc.calls[i].rfind(prefix, 0) == 0)
                at = static_cast<int>(i);
        return at;
    };
    const CRect r = slot1->GetRect();
    // The four boxes where the card puts them: 18 to 52 units right of the edge.
    int boxes = 0;
    for (const std::string& c : dc.calls)
        boxes += (c.rfind("raised ", 0) == 0 || c.rfind("sunken ", 0) == 0) &&
                 c.find(" " + std::to_string(r.left + 18) + ",") != std::string::npos;
    EXPECT_EQ(4, boxes);
    const int lastBox = std::max(last("raised " + std::to_string(r.left + 18)),
                                 last("sunken " + std::to_string(r.left + 18)));
    ASSERT_GE(lastBox, 0);
    for (size_t i = 0; i < slot1->m_inputNames.size(); ++i) {
        const CPoint p = slot1->m_inputPoints[i];
        const std::string name = slot1->m_inputNames[i];
        const int at = last("textout \"" + name + "\" " + std::to_string(p.x + 4) + ",");
        EXPECT_GT(at, lastBox) << name;
    }
    // A card that is not hot shows no connector names.
    slot1->m_hot = 0;
    RecordingPainter cold;
    slot1->Draw(cold);
    EXPECT_FALSE(cold.Has("textout \"A1:\""));
    EXPECT_TRUE(cold.Has("textout \"AUX1\""));
}
