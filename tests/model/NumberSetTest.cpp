#include "model/NumberSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {
using Bits = std::vector<uint8_t>;  // exact-size heap sets, so a write past the end is caught

// The numbers (position + 1) whose bits are set.
std::set<unsigned> Members(std::span<const uint8_t> set)
{
    std::set<unsigned> out;
    for (unsigned p = 0; p < set.size() * 8; ++p) {
        if (TestBit(set, p))
            out.insert(p + 1);
    }
    return out;
}

std::set<unsigned> Range(unsigned from, unsigned to)
{
    std::set<unsigned> out;
    for (unsigned n = from; n <= to; ++n)
        out.insert(n);
    return out;
}

Bits WithNumbers(size_t bytes, std::initializer_list<unsigned> numbers)
{
    Bits set(bytes);
    for (unsigned n : numbers)
        SetBit(set, n - 1, true);
    return set;
}
}  // namespace

TEST(NumberSet, BitLayoutIsHighBitFirst)
{
    Bits set(2);
    SetBit(set, 0, true);  // number 1
    EXPECT_EQ(set[0], 0x80);
    SetBit(set, 8, true);  // number 9
    EXPECT_EQ(set[1], 0x80);
    SetBit(set, 7, true);
    EXPECT_EQ(set[0], 0x81);
    SetBit(set, 0, false);
    EXPECT_EQ(set[0], 0x01);
    EXPECT_TRUE(TestBit(set, 7));
    EXPECT_FALSE(TestBit(set, 6));
}

TEST(NumberSet, PositionsOutsideTheSetAreIgnored)
{
    Bits set(2, 0);
    SetBit(set, 16, true);
    SetBit(set, 65535, true);
    EXPECT_FALSE(TestBit(set, 16));
    FillBits(set, 10, 100, true);
    EXPECT_EQ(Members(set), Range(11, 16));
    SetBitsFromValue(set, 14, 8, 0xFF);
    EXPECT_EQ(set, Bits({0x00, 0x3F}));
    EXPECT_TRUE(ParseRanges(set, 100, "5,20-30"));  // numbers beyond 16 bits are dropped
    EXPECT_EQ(Members(set), std::set<unsigned>{5});
    Bits empty;
    SetBit(empty, 0, true);
    FillBits(empty, 0, 8, true);
    EXPECT_FALSE(TestBit(empty, 0));
    EXPECT_EQ(NextSetBit(empty, 0, 10), kNoBitPosition);
    EXPECT_EQ(RangesToString(empty, 10), "0");
}

TEST(NumberSet, SetBitsFromValueReadsHighBitFirst)
{
    Bits set(2, 0);
    SetBitsFromValue(set, 3, 5, 0b10110);
    EXPECT_EQ(set[0], 0b00010110);
    SetBitsFromValue(set, 6, 4, 0b1001);  // across the byte boundary, clearing too
    EXPECT_EQ(set[0], 0b00010110 | 0b10);
    EXPECT_EQ(set[1], 0b01000000);
    SetBitsFromValue(set, 0, 3, 0xFFFFFFF8);  // only the low 3 bits count
    EXPECT_EQ(set[0] & 0xE0, 0);
}

TEST(NumberSet, FillBitsPartialAndWholeBytes)
{
    Bits set(4, 0);
    FillBits(set, 5, 20, true);
    EXPECT_EQ(set, Bits({0x07, 0xFF, 0xFF, 0x80}));
    FillBits(set, 7, 10, false);
    EXPECT_EQ(set, Bits({0x06, 0x00, 0x7F, 0x80}));
}

TEST(NumberSet, SearchesForSetAndClearBits)
{
    const Bits set = WithNumbers(2, {3, 4, 5, 16});
    EXPECT_EQ(NextSetBit(set, 0, 15), 2u);
    EXPECT_EQ(NextSetBit(set, 5, 15), 15u);
    EXPECT_EQ(NextSetBit(set, 5, 14), kNoBitPosition);
    EXPECT_EQ(NextSetBit(set, 10, 5), kNoBitPosition);
    EXPECT_EQ(NextClearBit(set, 2, 15), 5u);
    EXPECT_EQ(NextClearBit(set, 2, 4), kNoBitPosition);
    EXPECT_EQ(NextClearBit(set, 10, 5), kNoBitPosition);
    EXPECT_EQ(NextClearBit(set, 15, 100), 16u);  // beyond the set nothing is set
}

TEST(NumberSet, ParseRangesDecimal)
{
    Bits set(4);
    EXPECT_TRUE(ParseRanges(set, 10, "1-5,7"));
    EXPECT_EQ(Members(set), (std::set<unsigned>{1, 2, 3, 4, 5, 7}));
    Bits fresh(4);
    EXPECT_FALSE(ParseRanges(fresh, 6, "1-5,7"));
    EXPECT_EQ(Members(fresh), Range(1, 5));  // what came before the fault stays

    Bits reversed(4);
    EXPECT_TRUE(ParseRanges(reversed, 10, "5-1"));
    EXPECT_EQ(Members(reversed), Range(1, 5));
    EXPECT_TRUE(ParseRanges(set, 10, "7-3"));
    EXPECT_EQ(Members(set), Range(3, 7));

    EXPECT_TRUE(ParseRanges(set, 10, "1-10"));  // a range reaching max
    EXPECT_FALSE(ParseRanges(set, 10, "1-11"));
    EXPECT_FALSE(ParseRanges(set, 10, "11"));

    // Decimal numbers only: another notation or a word is no set at all.
    for (const char* text : {"1e2", "0x2", "6,maybe", "2 "}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(ParseRanges(set, 10, "1-10"));
        EXPECT_FALSE(ParseDecimalRanges(set, 10, text));
        EXPECT_TRUE(Members(set).empty());
    }
    EXPECT_TRUE(ParseDecimalRanges(set, 10, "2,4-5"));
    EXPECT_EQ(Members(set), (std::set<unsigned>{2, 4, 5}));
}

TEST(NumberSet, ParseRangesZeroEmptyAndEndings)
{
    Bits set(4, 0xFF);
    EXPECT_TRUE(ParseRanges(set, 32, "0"));
    EXPECT_TRUE(Members(set).empty());
    EXPECT_TRUE(ParseRanges(set, 32, "0,3"));  // stops at the leading 0
    EXPECT_TRUE(Members(set).empty());
    EXPECT_FALSE(ParseRanges(set, 32, "3,0"));
    EXPECT_EQ(Members(set), std::set<unsigned>{3});
    EXPECT_FALSE(ParseRanges(set, 32, "0-3"));
    EXPECT_FALSE(ParseRanges(set, 32, ""));
    EXPECT_FALSE(ParseRanges(set, 32, "1-3,"));
    EXPECT_EQ(Members(set), Range(1, 3));
    EXPECT_TRUE(ParseRanges(set, 32, "1-3,x"));
    EXPECT_EQ(Members(set), Range(1, 3));
    EXPECT_FALSE(ParseRanges(set, 32, "x"));
    EXPECT_FALSE(ParseRanges(set, 32, "NONE"));
    EXPECT_FALSE(ParseRanges(set, 32, "-3"));  // a negative number is out of range
}

TEST(NumberSet, ParseRangesClearsOnlyUpToMax)
{
    Bits set(4, 0xFF);
    EXPECT_TRUE(ParseRanges(set, 16, "2"));
    EXPECT_EQ(Members(set), [] {
        auto s = Range(17, 32);
        s.insert(2);
        return s;
    }());
}

TEST(NumberSet, ParseRangesHex)
{
    Bits set(8);
    EXPECT_TRUE(ParseRangesHex(set, 64, "a-c,1f,3F"));
    EXPECT_EQ(Members(set), (std::set<unsigned>{10, 11, 12, 31, 63}));
    EXPECT_FALSE(ParseRangesHex(set, 0x20, "21"));
}

TEST(NumberSet, ParseRangesFmtWithOffset)
{
    Bits set(4, 0);
    SetRangeText("0-3,10");
    EXPECT_TRUE(ParseRangesFmt(set, 32, 0, 'x'));  // 0 is an ordinary number here
    EXPECT_EQ(Members(set), (std::set<unsigned>{1, 2, 3, 4, 17}));

    SetRangeText("3-1,8");
    EXPECT_TRUE(ParseRangesFmt(set, 8, 1, 'u'));  // clears positions below max only
    EXPECT_EQ(Members(set), (std::set<unsigned>{1, 2, 3, 8, 17}));
    std::fill(set.begin(), set.end(), 0);

    SetRangeText("9");
    EXPECT_FALSE(ParseRangesFmt(set, 8, 1, 'u'));  // position 8 is not below max
    SetRangeText("0");
    EXPECT_FALSE(ParseRangesFmt(set, 8, 1, 'u'));  // 0 - 1 is 65535 as a 16-bit value
    SetRangeText("x");
    EXPECT_FALSE(ParseRangesFmt(set, 8, 0, 'u'));
    SetRangeText("");
    EXPECT_FALSE(ParseRangesFmt(set, 8, 0, 'u'));
    SetRangeText("1,x");
    EXPECT_TRUE(ParseRangesFmt(set, 8, 0, 'u'));
    EXPECT_EQ(Members(set), std::set<unsigned>{2});
    SetRangeText("1,");
    EXPECT_FALSE(ParseRangesFmt(set, 8, 0, 'u'));
    SetRangeText("1");
    EXPECT_FALSE(ParseRangesFmt(set, 8, 0, 's'));
}

TEST(NumberSet, RangesToTextForms)
{
    EXPECT_EQ(RangesToText(WithNumbers(2, {1, 2, 3, 5}), 10), 5u);
    EXPECT_EQ(GetRangeText(), "1-3,5");
    RangesToText(Bits(2), 10);
    EXPECT_EQ(GetRangeText(), "0");
    Bits hex(4);
    FillBits(hex, 15, 16, true);  // numbers 16..31
    RangesToTextHex(hex, 32);
    EXPECT_EQ(GetRangeText(), "10-1f");
    EXPECT_EQ(RangesToString(WithNumbers(2, {8, 9, 10}), 10), "8-10");  // a run to the end
    EXPECT_EQ(RangesToString(WithNumbers(2, {8, 9, 10, 11}), 10), "8-10");  // count bounds the text
    EXPECT_EQ(RangesToString(WithNumbers(2, {1, 16}), 16), "1,16");
    EXPECT_EQ(RangesToStringHex(WithNumbers(2, {10, 12, 13}), 16), "a,c-d");
}

TEST(NumberSet, DisplayTextIsCutButTheStoredFormIsComplete)
{
    Bits set(50);
    for (unsigned n = 1; n <= 400; n += 2)
        SetBit(set, n - 1, true);

    RangesToText(set, 400);
    const std::string shown = GetRangeText();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 4), ",...");
    const std::string body = "," + shown.substr(0, shown.size() - 4);
    EXPECT_GE(body.size(), kRangeTextDisplayLimit);
    EXPECT_LT(body.substr(0, body.rfind(',')).size(), kRangeTextDisplayLimit);

    const std::string full = RangesToString(set, 400);
    EXPECT_EQ(full.find("..."), std::string::npos);
    EXPECT_EQ(full.substr(full.size() - 8), ",397,399");
    Bits back(50);
    // Through the shared buffer the text is too long: refused, but every
    // whole item that fitted is kept and no number is made from half a one.
    EXPECT_FALSE(ParseRanges(back, 400, full));
    const std::string kept = GetRangeText();
    EXPECT_LE(kept.size(), kRangeTextMaxLength);
    EXPECT_EQ(full.compare(0, kept.size() + 1, kept + ","), 0);
    std::set<unsigned> expected;
    for (unsigned n = 1; n <= 400 && expected.size() < Members(back).size(); n += 2)
        expected.insert(n);
    EXPECT_EQ(Members(back), expected);
    EXPECT_GT(expected.size(), 100u);
    // Read on its own the stored form comes back whole, by the same rules,
    // and the buffer keeps what it held.
    Bits whole(50);
    EXPECT_TRUE(ParseRangesString(whole, 400, full));
    std::set<unsigned> odd;
    for (unsigned n = 1; n <= 400; n += 2)
        odd.insert(n);
    EXPECT_EQ(Members(whole), odd);
    EXPECT_EQ(GetRangeText(), kept);
    EXPECT_FALSE(ParseRangesString(whole, 398, full));
    EXPECT_FALSE(ParseRangesString(whole, 400, full + ","));
    EXPECT_TRUE(ParseRangesString(whole, 400, "0"));
    EXPECT_TRUE(Members(whole).empty());
}

TEST(NumberSet, RelayAndChannelNumbersFitTheStandardSet)
{
    NumberSet set{};
    EXPECT_TRUE(ParseRanges(set, 960, "1,255,900-960"));
    EXPECT_TRUE(TestBit(set, 959));
    EXPECT_EQ(RangesToString(set, 960), "1,255,900-960");
    EXPECT_EQ(RangesToString(set, kNumberSetBits), "1,255,900-960");
    EXPECT_GE(kNumberSetBits, 2048u);
}

TEST(NumberSet, RangeTextBufferHolds499Characters)
{
    EXPECT_EQ(SetRangeText("1-3"), 3u);
    EXPECT_EQ(GetRangeText(), "1-3");
    std::string exact(kRangeTextMaxLength, '1');
    EXPECT_EQ(SetRangeText(exact), kRangeTextMaxLength);
    EXPECT_EQ(GetRangeText(), exact);
    EXPECT_EQ(SetRangeText("5"), 1u);  // zero-filled: nothing of the old text is left
    EXPECT_EQ(GetRangeText(), "5");
    // One item longer than the buffer: nothing is kept, the parse fails.
    EXPECT_EQ(SetRangeText(std::string(600, '7')), 0u);
    Bits set(2);
    EXPECT_FALSE(ParseRanges(set, 16));
    // A buffer filled by a writer parses again.
    RangesToText(WithNumbers(2, {2, 3}), 16);
    EXPECT_TRUE(ParseRanges(set, 16));
    EXPECT_EQ(Members(set), (std::set<unsigned>{2, 3}));
}

TEST(NumberSet, SelectedNumbersCoverTheWholeRange)
{
    const std::vector<int> numbers = {250, 2, 5, 153, 154, 0, -1, 4};
    EXPECT_EQ(GetSelectedNumbersText(numbers), "2,4-5,153-154,250");
    EXPECT_EQ(GetRangeText(), "2,4-5,153-154,250");
    EXPECT_EQ(GetSelectedNumbersText(std::vector<int>{}), "0");
    EXPECT_EQ(GetSelectedNumbersText(std::vector<int>{0}), "0");

    std::vector<int> relays;
    for (int n = 2; n <= 960; n += 2)
        relays.push_back(n);
    const std::string text = GetSelectedNumbersText(relays);
    EXPECT_EQ(text.find("..."), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 8), ",958,960");
}
