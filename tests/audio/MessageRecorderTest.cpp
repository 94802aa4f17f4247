// Message recorder: its 25 message names, value texts and limits, stored form
// with the quality in the Windows code page, and files with short name lists.

#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "audio/CInternalMessageRec.h"
#include "platform/StringTable.h"

using namespace audiotest;

namespace {
constexpr uint32_t Slot(uint32_t low, uint32_t index) { return low | (index << 16); }
}

TEST(MessageRecorder, NewRecorderValues)
{
    CInternalMessageRec r;
    EXPECT_EQ(r.GetType(), 63u);
    EXPECT_EQ(r.GetValue(Slot(1, 0)), "Textwiedergabe 1");
    EXPECT_EQ(r.GetValue(Slot(1, 24)), "Textwiedergabe 25");
    EXPECT_EQ(r.GetValue(Slot(1, 25)), "");
    EXPECT_EQ(r.GetValue(0), "IN1");
    EXPECT_EQ(r.GetValue(2), "1");
    EXPECT_EQ(r.GetValue(3), "20KHZ LINEAR");
    EXPECT_EQ(r.GetValue(4), "0.0");
    EXPECT_EQ(r.GetValue(5), "");
    EXPECT_EQ(r.GetInt(0), 1);
    EXPECT_EQ(r.GetInt(1), 1);
    EXPECT_EQ(r.GetInt(2), 1);
    EXPECT_EQ(r.GetInt(3), 0);
}

TEST(MessageRecorder, QualityTakesOnlyTheTwoQualityTexts)
{
    CInternalMessageRec r;
    r.SetText(3, "");
    EXPECT_EQ(r.GetValue(3), "20KHZ LINEAR");
    r.SetText(3, "10KHZ \u00B5-LAW");
    EXPECT_EQ(r.GetValue(3), "10KHZ \u00B5-LAW");
    r.SetText(3, "10khz \u00B5-law");
    r.SetText(3, "20KHZ LINEAR ");
    EXPECT_EQ(r.GetValue(3), "10KHZ \u00B5-LAW");
    r.SetText(3, "20KHZ LINEAR");
    EXPECT_EQ(r.GetValue(3), "20KHZ LINEAR");
}

TEST(MessageRecorder, RecordingTimeAndIntegers)
{
    CInternalMessageRec r;
    r.SetFloat(4, 400.0f);
    EXPECT_FLOAT_EQ(r.GetFloat(4), 360.4f);
    EXPECT_EQ(r.GetValue(4), "360.4");
    r.SetFloat(4, -1.0f);
    EXPECT_EQ(r.GetFloat(4), 0.0f);
    r.SetFloat(4, 12.25f);
    EXPECT_EQ(r.GetValue(4), "12.2");
    r.SetFloat(3, 5.0f);
    EXPECT_EQ(r.GetFloat(3), 0.0f);
    EXPECT_FLOAT_EQ(r.GetFloat(4), 12.25f);

    // Integers are kept as given, without a range check.
    r.SetInt(0, 7);
    r.SetInt(1, 30);
    r.SetInt(2, 0);
    r.SetInt(4, 9);
    EXPECT_EQ(r.GetValue(0), "IN7");
    EXPECT_EQ(r.GetInt(1), 30);
    EXPECT_EQ(r.GetValue(2), "0");
    EXPECT_EQ(r.GetInt(4), 0);
}

TEST(MessageRecorder, RenamingSlotsAndListingNames)
{
    CInternalMessageRec r;
    r.SetText(Slot(5, 3), "Feueralarm");
    r.SetText(Slot(5, 25), "nirgends");
    EXPECT_EQ(r.GetValue(Slot(1, 3)), "Feueralarm");

    EXPECT_EQ(r.GetMessageNames(1, nullptr), 0);
    std::vector<std::string> list{"OFF"};
    EXPECT_EQ(r.GetMessageNames(1, &list), 26);
    EXPECT_EQ(list[4], "Feueralarm");
    EXPECT_EQ(list[25], "Textwiedergabe 25");
    EXPECT_EQ(r.GetMessageNames(2, &list), 26);
}

TEST(MessageRecorder, StoredBytes)
{
    CInternalMessageRec r;
    SetIdentity(r, 34555, "Rec", 16, 1);
    r.SetText(Slot(5, 0), "B\u00FCro");
    r.SetInt(0, 2);
    r.SetInt(2, 4);
    r.SetInt(1, 11);
    r.SetFloat(4, 30.5f);
    r.SetText(3, "10KHZ \u00B5-LAW");

    Bytes expected;
    expected.ClassTag("CInternalMessageRec", 2).Common(34555, "Rec", 16, 1);
    expected.U16(25).Text("B\xFCro");
    for (int i = 2; i <= 25; ++i)
        expected.Text("Textwiedergabe " + std::to_string(i));
    expected.I32(2).I32(4).I32(11).F32(30.5f).Text("10KHZ \xB5-LAW");
    EXPECT_EQ(Store(r), expected.Get());

    auto loaded = Load<CInternalMessageRec>(expected.Get());
    ASSERT_TRUE(loaded);
    std::vector<std::string> names;
    EXPECT_EQ(loaded->GetMessageNames(1, &names), 25);
    EXPECT_EQ(names[0], "B\u00FCro");
    EXPECT_EQ(loaded->GetValue(0), "IN2");
    EXPECT_EQ(loaded->GetInt(2), 4);
    EXPECT_EQ(loaded->GetInt(1), 11);
    EXPECT_FLOAT_EQ(loaded->GetFloat(4), 30.5f);
    EXPECT_EQ(loaded->GetValue(3), "10KHZ \u00B5-LAW");
}

TEST(MessageRecorder, ShortNameListIsFilledUpToTwentyFive)
{
    Bytes b;
    b.ClassTag("CInternalMessageRec", 2).Common(34555, "Rec", 16, 1);
    b.U16(10);
    for (int i = 1; i <= 10; ++i)
        b.Text("Name " + std::to_string(i));
    b.I32(3).I32(0).I32(5).F32(0.0f).Text("20KHZ LINEAR");
    auto loaded = Load<CInternalMessageRec>(b.Get());
    ASSERT_TRUE(loaded);
    std::vector<std::string> names;
    ASSERT_EQ(loaded->GetMessageNames(1, &names), 25);
    EXPECT_EQ(names[9], "Name 10");
    EXPECT_EQ(names[10], "Textwiedergabe 11");
    EXPECT_EQ(names[24], "Textwiedergabe 25");
    // Saved again it holds exactly 25 names.
    const auto again = Store(*loaded);
    auto reloaded = Load<CInternalMessageRec>(again);
    ASSERT_TRUE(reloaded);
    names.clear();
    EXPECT_EQ(reloaded->GetMessageNames(1, &names), 25);
    EXPECT_EQ(names[10], "Textwiedergabe 11");
}

TEST(MessageRecorder, SchemaOneKeepsTheDefaults)
{
    const auto old = Bytes().ClassTag("CInternalMessageRec", 1).Common(34555, "Rec", 16, 1).Get();
    auto loaded = Load<CInternalMessageRec>(old);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetValue(Slot(1, 24)), "Textwiedergabe 25");
    EXPECT_EQ(loaded->GetValue(3), "20KHZ LINEAR");
    EXPECT_EQ(loaded->GetValue(0), "IN1");
}

TEST(MessageRecorder, NoDownloadAndUploadChangesNothing)
{
    CInternalMessageRec r;
    for (int mode : {0, 1})
        EXPECT_EQ(r.GetDownloadLines(mode, -1), 0);
    r.ParseUploadLines("RECORDER/INPUT 3", "", 7);
    r.ParseUploadLines("RECORDER/QUALITY 10KHZ \xB5-LAW", "", 7);
    EXPECT_EQ(r.GetValue(0), "IN1");
    EXPECT_EQ(r.GetValue(3), "20KHZ LINEAR");
}
