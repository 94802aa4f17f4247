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

// What keeps a text from being saved and sent as it is shown, and the
// character named for it: the first one the code page lacks (a broken
// sequence as U+FFFD), the first control character (C1 controls too), or a
// value the device would read as a query. Several lines (a description) may
// break and read "?".
TEST(Cp1252, CheckTextNamesWhatCannotBeSavedAndSentAsShown)
{
    const struct {
        const char* text;
        bool severalLines;
        TextFault fault;
        const char* character;
        char32_t codePoint;
    } rows[] = {
        {"äöüß€é", false, TextFault::None, "", 0},
        {"Ω", false, TextFault::NotInCodePage, "Ω", 0x3A9},
        {"ΩX漢Y", false, TextFault::NotInCodePage, "Ω", 0x3A9},
        {"Makro漢字", false, TextFault::NotInCodePage, "漢", 0x6F22},
        {"a\xE2\x82", false, TextFault::NotInCodePage, "\xEF\xBF\xBD", 0xFFFD},
        {"A\tB", false, TextFault::ControlChar, "\t", 9},
        {"X\xC2\x85", false, TextFault::NotInCodePage, "\xC2\x85", 0x85},
        {"X\xC2\x81", false, TextFault::ControlChar, "\xC2\x81", 0x81},
        {"?", false, TextFault::ReadsAsQuery, "", 0},
        {"Wert ?", false, TextFault::ReadsAsQuery, "", 0},
        {"  ?  ", false, TextFault::ReadsAsQuery, "", 0},
        {"Wert?", false, TextFault::None, "", 0},
        {"? Wert", false, TextFault::None, "", 0},
        {"Zeile 1\r\nZeile 2\t?", true, TextFault::None, "", 0},
        {"Zeile Ω", true, TextFault::NotInCodePage, "Ω", 0x3A9},
        {"Zeile\x01", true, TextFault::ControlChar, "\x01", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const TextCheck check = CheckText(row.text, row.severalLines);
        EXPECT_EQ(row.fault, check.fault);
        EXPECT_EQ(row.character, check.character);
        EXPECT_EQ(row.codePoint, check.codePoint);
    }
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
