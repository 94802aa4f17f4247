#include "platform/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, GermanTextRoundTripsToSingleBytes)
{
    const std::string utf8 = "Verstärker Größe Übertragung €";
    const std::string bytes = Utf8ToCp1252(utf8);
    EXPECT_EQ(bytes, std::string("Verst\xE4rker Gr\xF6\xDF" "e \xDC" "bertragung \x80"));
    EXPECT_EQ(Cp1252ToUtf8(bytes), utf8);
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, UnrepresentableAndBrokenInputBecomesQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x82"), "a??");       // cut sequence
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");      // CJK character
    EXPECT_EQ(Utf8ToCp1252("\x80x"), "?x");            // stray continuation byte
}

// What the code page cannot hold is named, each character once, in order;
// what it holds (the 0x80..0x9F characters and the C1 controls that stand
// for its undefined bytes included) is not.
TEST(Cp1252, LacksNamesEachCharacterItCannotHoldOnce)
{
    const struct {
        const char* text;
        const char* lacks;
    } rows[] = {
        {"äöüß€é Š„…™ \xC2\x81", ""},
        {"/ZONE/NAME2 漢", "漢"},
        {"ΩaΩ漢Ω", "Ω漢"},
        {"a\xE2\x82", "\xEF\xBF\xBD"},  // a cut character goes out as '?'
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.lacks, Cp1252Lacks(row.text)) << row.text;
}
