#include "model/NumberSet.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace {
constexpr uint8_t kMask[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
// Positions are 16-bit; the highest one doubles as "none".
constexpr unsigned kMaxPosition = 65535;

char g_buffer[kRangeTextBufferSize];
// The last text given to SetRangeText did not fit: parsing it must fail.
bool g_bufferCut = false;

size_t BitCount(std::span<const uint8_t> set) { return set.size() * 8; }

// ---------------------------------------------------------------------------
// Reading numbers the way "%u-%u" / "%x-%x" reads them: blanks skipped before
// each number, an optional sign, "0x" accepted before hexadecimal digits.

enum { kEndOfText = -1 };

int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// 1: a number was read; 0: no number here; kEndOfText: only blanks were left.
int ScanNumber(const char*& p, bool hex, uint32_t& value)
{
    while (IsBlank(*p))
        ++p;
    if (*p == '\0')
        return kEndOfText;
    const char* q = p;
    bool negative = false;
    if (*q == '+' || *q == '-')
        negative = (*q++ == '-');
    if (hex && q[0] == '0' && (q[1] == 'x' || q[1] == 'X') && DigitValue(q[2], true) >= 0)
        q += 2;
    if (DigitValue(*q, hex) < 0)
        return 0;
    const uint64_t base = hex ? 16 : 10;
    uint64_t acc = 0;
    bool overflow = false;
    for (int d; (d = DigitValue(*q, hex)) >= 0; ++q) {
        if (acc > (UINT64_MAX - static_cast<uint64_t>(d)) / base)
            overflow = true;
        else
            acc = acc * base + static_cast<uint64_t>(d);
    }
    if (overflow)
        acc = UINT64_MAX;
    else if (negative)
        acc = 0 - acc;
    value = static_cast<uint32_t>(acc);
    p = q;
    return 1;
}

// The number of values of one item "a" or "a-b" (0, 1 or 2), or kEndOfText.
int ScanItem(const char* p, bool hex, uint32_t& a, uint32_t& b)
{
    const int first = ScanNumber(p, hex, a);
    if (first != 1)
        return first;
    if (*p != '-')
        return 1;
    ++p;
    return ScanNumber(p, hex, b) == 1 ? 2 : 1;
}

// Where the item after the one starting at `p` begins, or null.
const char* NextItem(const char* p)
{
    const char* comma = std::strchr(p, ',');
    return comma ? comma + 1 : nullptr;
}

// Parses the range text `text` (ended by its terminator); `cut`: the text is
// the kept part of a longer one, and the parse fails.
bool ParseText(const char* text, bool cut, std::span<uint8_t> set, unsigned max, bool hex)
{
    FillBits(set, 0, max, false);
    bool valueRead = false;
    bool firstItem = true;
    for (const char* p = text; p != nullptr; p = NextItem(p)) {
        uint32_t low = 0, high = 0;
        const int n = ScanItem(p, hex, low, high);
        if (n == kEndOfText)
            return false;  // an empty text, or nothing after a comma
        if (n == 0)
            break;         // not a number: the parse ends here
        if (n == 1)
            high = low;
        if (high < low)
            std::swap(low, high);
        valueRead = true;
        if (high > max)
            return false;
        if (low == 0)
            return firstItem && n == 1 && !cut;  // a leading "0" is the empty set
        FillBits(set, low - 1, high - low + 1, true);
        firstItem = false;
    }
    return valueRead && !cut;
}

bool ParseBuffer(std::span<uint8_t> set, unsigned max, bool hex)
{
    return ParseText(g_buffer, g_bufferCut, set, max, hex);
}

void AppendNumber(std::string& out, unsigned n, bool hex)
{
    char digits[16];
    const auto res = std::to_chars(digits, digits + sizeof digits, n, hex ? 16 : 10);
    out.append(digits, res.ptr);
}

std::string FormatRanges(std::span<const uint8_t> set, unsigned count, bool hex, bool cutShort)
{
    count = std::min(count, kMaxPosition);
    std::string text = ",0";
    size_t end = 0;  // the first piece replaces ",0"
    unsigned from = 0;
    while (count > 0) {
        const unsigned s = NextSetBit(set, from, count - 1);
        if (s == kNoBitPosition)
            break;
        unsigned e = (s + 1 <= count - 1) ? NextClearBit(set, s + 1, count - 1) : kNoBitPosition;
        if (e == kNoBitPosition)
            e = count;
        text.resize(end);
        text += ',';
        AppendNumber(text, s + 1, hex);
        if (e - s > 1) {
            text += '-';
            AppendNumber(text, e, hex);
        }
        end = text.size();
        if (cutShort && text.size() >= kRangeTextDisplayLimit) {
            text += ",...";
            break;
        }
        if (e >= count)
            break;
        from = e;
    }
    return text.substr(1);
}

size_t WriteBuffer(const std::string& text)
{
    // Display texts stay far below the buffer's size.
    std::memset(g_buffer, 0, sizeof g_buffer);
    const size_t len = std::min(text.size(), kRangeTextMaxLength);
    std::memcpy(g_buffer, text.data(), len);
    g_bufferCut = false;
    return len;
}
}  // namespace

// ---------------------------------------------------------------------------

size_t SetRangeText(std::string_view text)
{
    std::memset(g_buffer, 0, sizeof g_buffer);
    g_bufferCut = text.size() > kRangeTextMaxLength;
    size_t len = text.size();
    if (g_bufferCut) {
        // Keep only whole items: up to the last comma that fits.
        const std::string_view head = text.substr(0, kRangeTextMaxLength + 1);
        const size_t comma = head.rfind(',');
        len = comma == std::string_view::npos ? 0 : comma;
    }
    std::memcpy(g_buffer, text.data(), len);
    return len;
}

std::string GetRangeText() { return std::string(g_buffer); }

void SetBit(std::span<uint8_t> set, unsigned position, bool on)
{
    if (position >= BitCount(set))
        return;
    if (on)
        set[position / 8] |= kMask[position % 8];
    else
        set[position / 8] &= static_cast<uint8_t>(~kMask[position % 8]);
}

bool TestBit(std::span<const uint8_t> set, unsigned position)
{
    return position < BitCount(set) && (set[position / 8] & kMask[position % 8]) != 0;
}

void SetBitsFromValue(std::span<uint8_t> set, unsigned first, unsigned count, uint32_t value)
{
    for (unsigned i = 0; i < count; ++i) {
        const unsigned bit = count - 1 - i;  // the last position takes bit 0
        const bool on = bit < 32 && ((value >> bit) & 1u) != 0;
        const uint64_t position = static_cast<uint64_t>(first) + i;
        if (position >= BitCount(set))
            break;
        SetBit(set, static_cast<unsigned>(position), on);
    }
}

void FillBits(std::span<uint8_t> set, unsigned first, unsigned count, bool on)
{
    const uint64_t bits = BitCount(set);
    uint64_t p = first;
    const uint64_t end = std::min<uint64_t>(static_cast<uint64_t>(first) + count, bits);
    for (; p < end && p % 8 != 0; ++p)
        SetBit(set, static_cast<unsigned>(p), on);
    for (; p + 8 <= end; p += 8)
        set[p / 8] = on ? 0xFF : 0x00;
    for (; p < end; ++p)
        SetBit(set, static_cast<unsigned>(p), on);
}

unsigned NextClearBit(std::span<const uint8_t> set, unsigned from, unsigned to)
{
    to = std::min(to, kMaxPosition);
    for (unsigned p = from; p <= to; ++p) {
        if (!TestBit(set, p))
            return p;
    }
    return kNoBitPosition;
}

unsigned NextSetBit(std::span<const uint8_t> set, unsigned from, unsigned to)
{
    const size_t bits = BitCount(set);
    if (bits == 0)
        return kNoBitPosition;
    to = static_cast<unsigned>(std::min<size_t>(std::min(to, kMaxPosition), bits - 1));
    for (unsigned p = from; p <= to; ++p) {
        if (TestBit(set, p))
            return p;
    }
    return kNoBitPosition;
}

bool ParseRanges(std::span<uint8_t> set, unsigned max) { return ParseBuffer(set, max, false); }

bool ParseRangesHex(std::span<uint8_t> set, unsigned max) { return ParseBuffer(set, max, true); }

bool ParseRangesFmt(std::span<uint8_t> set, unsigned max, unsigned offset, char letter)
{
    FillBits(set, 0, max, false);
    bool hex;
    if (letter == 'u' || letter == 'd')
        hex = false;
    else if (letter == 'x' || letter == 'X')
        hex = true;
    else
        return false;

    bool firstItem = true;
    for (const char* p = g_buffer; p != nullptr; p = NextItem(p)) {
        uint32_t a = 0, b = 0;
        const int n = ScanItem(p, hex, a, b);
        if (firstItem ? n < 1 : n == kEndOfText)
            return false;
        if (n == 0)
            break;
        if (n == 1)
            b = a;
        uint16_t low = static_cast<uint16_t>(a - offset);
        uint16_t high = static_cast<uint16_t>(b - offset);
        if (high < low)
            std::swap(low, high);
        if (low >= max || high >= max)
            return false;
        FillBits(set, low, static_cast<unsigned>(high - low) + 1, true);
        firstItem = false;
    }
    return !g_bufferCut;
}

bool ParseRanges(std::span<uint8_t> set, unsigned max, std::string_view text)
{
    SetRangeText(text);
    return ParseRanges(set, max);
}

bool ParseDecimalRanges(std::span<uint8_t> set, unsigned max, std::string_view text)
{
    if (text.find_first_not_of("0123456789,-") != std::string_view::npos) {
        FillBits(set, 0, max, false);
        return false;
    }
    return ParseRanges(set, max, text);
}

bool ParseRangesHex(std::span<uint8_t> set, unsigned max, std::string_view text)
{
    SetRangeText(text);
    return ParseRangesHex(set, max);
}

bool ParseRangesString(std::span<uint8_t> set, unsigned max, std::string_view text)
{
    // The text stands alone, with its terminator: a NUL inside it ends it,
    // as it ends a text in the buffer.
    const std::string whole(text);
    return ParseText(whole.c_str(), false, set, max, false);
}

size_t RangesToText(std::span<const uint8_t> set, unsigned count)
{
    return WriteBuffer(FormatRanges(set, count, false, true));
}

size_t RangesToTextHex(std::span<const uint8_t> set, unsigned count)
{
    return WriteBuffer(FormatRanges(set, count, true, true));
}

std::string RangesToString(std::span<const uint8_t> set, unsigned count)
{
    return FormatRanges(set, count, false, false);
}

std::string RangesToStringHex(std::span<const uint8_t> set, unsigned count)
{
    return FormatRanges(set, count, true, false);
}

std::string GetSelectedNumbersText(std::span<const int> numbers)
{
    int highest = 0;
    for (int n : numbers)
        highest = std::max(highest, n);
    highest = std::min<int>(highest, static_cast<int>(kMaxPosition));
    std::vector<uint8_t> set((static_cast<size_t>(highest) + 7) / 8);
    for (int n : numbers) {
        if (n >= 1)
            SetBit(set, static_cast<unsigned>(n - 1), true);
    }
    std::string text = RangesToString(set, static_cast<unsigned>(highest));
    SetRangeText(text);
    return text;
}

std::string RangeTextWithout(const std::string& text, unsigned max, std::span<const int32_t> numbers)
{
    NumberSet set{};
    if (max > kNumberSetBits || text.size() > kRangeTextMaxLength || !ParseRanges(set, max, text))
        return text;
    bool changed = false;
    for (const int32_t n : numbers)
        if (n >= 1 && static_cast<unsigned>(n) <= max && TestBit(set, static_cast<unsigned>(n - 1))) {
            SetBit(set, static_cast<unsigned>(n - 1), false);
            changed = true;
        }
    return changed ? RangesToString(set, max) : text;
}
