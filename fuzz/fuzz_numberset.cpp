// Fuzzes the range-text parsers of number sets.
//
// Input: two control bytes (the set size and the parser), then the text.
// Besides the sanitizers' checks, a text that parses must come back from
// RangesToString as a text that parses to the same set, and nothing may
// ever be set outside the set's size.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "model/NumberSet.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    __builtin_trap();
    (void)what;
}

bool SameBits(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, unsigned count)
{
    for (unsigned p = 0; p < count; ++p)
        if (TestBit(a, p) != TestBit(b, p))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The sizes in use: zones, groups, relays, amplifier channels, inputs...
    static constexpr unsigned kMaxes[] = {1, 7, 8, 16, 64, 100, 255, 256, 960, 2048};
    const unsigned max = kMaxes[data[0] % (sizeof kMaxes / sizeof kMaxes[0])];
    const unsigned mode = data[1] % 4;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    // Exactly the bytes the set needs, so ASan sees any write past it.
    std::vector<uint8_t> set((max + 7) / 8, 0);
    bool ok = false;
    switch (mode) {
    case 0: ok = ParseRanges(set, max, text); break;
    case 1: ok = ParseRangesHex(set, max, text); break;
    case 2:
        SetRangeText(text);
        ok = ParseRangesFmt(set, max, 1, 'u');
        break;
    default:
        SetRangeText(text);
        ok = ParseRangesFmt(set, max, 0, 'x');
        break;
    }
    // Positions past max inside the last byte stay clear.
    for (unsigned p = max; p < set.size() * 8; ++p)
        if (TestBit(set, p))
            Fail("bit set past the set's size");

    // The display text never runs past the buffer.
    const size_t shown = mode == 1 || mode == 3 ? RangesToTextHex(set, max) : RangesToText(set, max);
    if (shown > kRangeTextMaxLength || GetRangeText().size() != shown)
        Fail("display text longer than the buffer");

    if (!ok || mode >= 2)
        return 0;
    // Round trip: the full text of a parsed set parses to the same set.
    const std::string full = mode == 1 ? RangesToStringHex(set, max) : RangesToString(set, max);
    if (full.size() > kRangeTextMaxLength)
        return 0;  // too long for the one buffer the parsers read
    std::vector<uint8_t> again((max + 7) / 8, 0xFF);
    const bool ok2 = mode == 1 ? ParseRangesHex(again, max, full) : ParseRanges(again, max, full);
    if (!ok2)
        Fail("written range text does not parse");
    if (!SameBits(set, again, max))
        Fail("range text round trip changed the set");

    // The selected-rows text of the members covers exactly the members.
    if (mode == 0) {
        std::vector<int> numbers;
        for (unsigned p = 0; p < max; ++p)
            if (TestBit(set, p))
                numbers.push_back(static_cast<int>(p + 1));
        const std::string sel = GetSelectedNumbersText(numbers);
        if (sel.size() <= kRangeTextMaxLength) {
            std::vector<uint8_t> third((max + 7) / 8, 0);
            if (!ParseRanges(third, max, sel) || !SameBits(set, third, max))
                Fail("selected-numbers text does not give the members back");
        }
    }
    return 0;
}
