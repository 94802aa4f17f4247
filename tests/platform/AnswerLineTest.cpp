// Answer lines read back on an upload, and counted lists in the archive.
#include "platform/AnswerLine.h"
#include "platform/ArchiveList.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

TEST(AnswerLine, KeyIsThePathBehindTheSkippedElements)
{
    std::string key, value;
    ASSERT_TRUE(ReadAnswerLine("FUSE/SLOT2/A/VALUE 1", 1, key, value));
    EXPECT_EQ(key, "/SLOT2/A/VALUE");
    EXPECT_EQ(value, "1");
    ASSERT_TRUE(ReadAnswerLine("SERVICE/ZONETEST/TEST/FREQU 66.0 Hz", 2, key, value));
    EXPECT_EQ(key, "/TEST/FREQU");
    EXPECT_EQ(value, "66.0 Hz");  // everything behind the first blank
    ASSERT_TRUE(ReadAnswerLine("CONS/REFERENCE", 1, key, value));
    EXPECT_EQ(key, "/REFERENCE");
    EXPECT_EQ(value, "");  // no blank: no value
}

TEST(AnswerLine, EchoedQueriesAndShortPathsAreNotRead)
{
    std::string key = "kept", value = "kept";
    EXPECT_FALSE(ReadAnswerLine("FUSE/SLOT2/A/VALUE ?", 1, key, value));
    EXPECT_FALSE(ReadAnswerLine("KVT/ZONE5/TEST/IGNORE ? ", 2, key, value));  // a key the device does not know
    EXPECT_FALSE(ReadAnswerLine("AUDIO/IN4/VOL 0.0 ? ", 1, key, value));      // a line it did not understand
    EXPECT_FALSE(ReadAnswerLine("RECORDER/FUNCTION PLAY ?\r", 1, key, value));
    EXPECT_FALSE(ReadAnswerLine("FUSE 1", 1, key, value));
    EXPECT_FALSE(ReadAnswerLine("SERVICE/ZONETEST 1", 2, key, value));
    EXPECT_FALSE(ReadAnswerLine("", 1, key, value));
    EXPECT_EQ(key, "kept");
    EXPECT_EQ(value, "kept");
    // "?" only as the whole value marks an echo.
    ASSERT_TRUE(ReadAnswerLine("FUSE/A ??", 1, key, value));
    EXPECT_EQ(value, "??");
}

// A switch reads as one of its two words, written as the device writes
// them; any other text is no value, never the other state.
TEST(AnswerLine, FlagsAreTheirTwoWordsAndNothingElse)
{
    const struct {
        const char* value;
        const char* on;
        const char* off;
        std::optional<bool> read;
    } rows[] = {
        {"ON", "ON", "OFF", true},       {"OFF", "ON", "OFF", false},     {" ON\r", "ON", "OFF", true},
        {"YES", "YES", "NO", true},      {"NO", "YES", "NO", false},      {"FALSE", "TRUE", "FALSE", false},
        {"maybe", "ON", "OFF", {}},      {"1", "ON", "OFF", {}},          {"0", "ON", "OFF", {}},
        {"on", "ON", "OFF", {}},         {"perhaps", "YES", "NO", {}},    {"ON OFF", "ON", "OFF", {}},
        {"ONE", "ON", "OFF", {}},        {"", "ON", "OFF", {}},           {"YES", "ON", "OFF", {}},
        {"no", "YES", "NO", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(row.read, ReadFlagWord(row.value, row.on, row.off));
    }
}

TEST(ArchiveList, CountedListsReplaceTheContentsAndStopAtDamagedCounts)
{
    std::vector<uint8_t> bytes;
    {
        CArchive out(bytes);
        out.WriteCount(3);
        for (uint32_t w : {7u, 0xFFFFFFFFu, 0u})
            out << w;
        out.WriteCount(2);
        out << std::string("Gong") << std::string("Ansage Süd");
    }
    CArchive in(bytes.data(), bytes.size());
    std::vector<uint32_t> words = {1, 2, 3, 4, 5};
    std::vector<std::string> texts = {"old"};
    ReadCountedList(in, words);
    ReadCountedList(in, texts);
    EXPECT_EQ(words, (std::vector<uint32_t> {7u, 0xFFFFFFFFu, 0u}));
    EXPECT_EQ(texts, (std::vector<std::string> {"Gong", "Ansage Süd"}));
    EXPECT_TRUE(in.AtEnd());

    // A count larger than the data left is refused before anything is reserved.
    const std::vector<uint8_t> damaged = {0xFE, 0xFF, 0x01, 0x00};
    CArchive bad(damaged.data(), damaged.size());
    EXPECT_THROW(ReadCountedList(bad, words), CArchiveException);
}
