#include "platform/FiniteNumber.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(const std::string& s, size_t i)
{
    return i < s.size() && s[i] >= '0' && s[i] <= '9';
}
bool IsDecimalMark(const std::string& s, size_t i)
{
    return i < s.size() && (s[i] == '.' || s[i] == ',');
}
// "0x" at `i`: the start of a hexadecimal number, which a reader of "%f"
// would take as one.
bool IsHexPrefix(const std::string& s, size_t i)
{
    return i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X');
}
}  // namespace

std::optional<float> ScanFiniteFloat(const char* text)
{
    float v = 0.0f;
    if (!text || std::sscanf(text, "%f", &v) != 1 || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string TypedDecimalText(const std::string& typed)
{
    std::string text = typed;
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    // "0x10": a hexadecimal number, which no field takes (nor the 0 it starts with).
    if (IsHexPrefix(text, i))
        return std::string();
    const size_t whole = i;
    while (IsDigit(text, i))
        ++i;
    bool digits = i > whole;
    if (IsDecimalMark(text, i)) {
        const size_t mark = i++;
        const size_t fraction = i;
        while (IsDigit(text, i))
            ++i;
        if (!digits && i == fraction)
            return typed;  // a mark without a digit is no number
        text[mark] = '.';
        digits = true;
    }
    if (!digits)
        return typed;  // "nan", "inf", letters: the strict reader refuses them as ever
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t k = i + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            ++k;
        if (IsDigit(text, k))
            for (i = k; IsDigit(text, i);)
                ++i;
    }
    // "1.000,5": a thousands separator, which no field takes.
    if (IsDecimalMark(text, i))
        return std::string();
    // "25:61", "12/5": a time, date or fraction typed where a number belongs
    // is no number either, never the number it begins with.
    if (i < text.size() && (text[i] == ':' || text[i] == '/') && IsDigit(text, i + 1))
        return std::string();
    return text;
}

namespace {
// Blanks, then a sign: where the number's digits begin, and whether it is negative.
size_t NumberStart(const std::string& s, bool* negative)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    *negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    return i;
}

// Blanks only from `i` on.
bool OnlyBlanksFrom(const std::string& s, size_t i)
{
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return i == s.size();
}
}  // namespace

TypedWhole ScanTypedWhole(const std::string& typed)
{
    TypedWhole result;
    bool negative = false;
    size_t i = NumberStart(typed, &negative);
    if (IsHexPrefix(typed, i)) {
        // "0x10" is sixteen only to a programmer: no field takes it as that,
        // nor as the 0 it starts with.
        for (i += 2; i < typed.size() && std::isxdigit(static_cast<unsigned char>(typed[i]));)
            ++i;
        result.kind = TypedWhole::Decimal;
        result.alone = OnlyBlanksFrom(typed, i);
        return result;
    }
    const std::string text = TypedDecimalText(typed);
    i = NumberStart(text, &negative);
    const size_t first = i;
    while (IsDigit(text, i))
        ++i;
    const size_t digitsEnd = i;
    // No finite float is no number at all ("1e40" is not a huge whole
    // number), unless it is written in digits alone: 45 nines are a whole
    // number beyond every range, as 11 nines are.
    const bool digitsOnly = digitsEnd > first && !IsDecimalMark(text, i) &&
                            !(i < text.size() && (text[i] == 'e' || text[i] == 'E'));
    if (!digitsOnly && !ScanFiniteFloat(text))
        return result;
    bool notWhole = false;
    if (IsDecimalMark(text, i)) {
        // Any decimal mark makes a decimal, also "12,0" and "1.000" (which a
        // German reader might take for a thousand).
        for (++i; IsDigit(text, i);)
            ++i;
        notWhole = true;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        // "1e2" is a hundred written as a decimal is: no whole number as
        // typed, never the 1 it starts with (nor is "1e", begun, the 1
        // before it, so that the keys of "1e4" do not make 14).
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        while (IsDigit(text, i))
            ++i;
        notWhole = true;
    }
    result.alone = OnlyBlanksFrom(text, i);
    if (notWhole) {
        result.kind = TypedWhole::Decimal;
        return result;
    }
    // Decimal digits only, held inside a long long either way.
    constexpr long long kEnd = 9'200'000'000'000'000'000LL;
    long long value = 0;
    for (size_t d = first; d < digitsEnd; ++d) {
        const int digit = text[d] - '0';
        value = value > (kEnd - digit) / 10 ? kEnd : value * 10 + digit;
    }
    result.kind = TypedWhole::Whole;
    result.value = negative ? -value : value;
    return result;
}

std::optional<long long> ScanTypedWholeAlone(const std::string& typed)
{
    const TypedWhole whole = ScanTypedWhole(typed);
    if (whole.kind != TypedWhole::Whole || !whole.alone)
        return std::nullopt;
    return whole.value;
}

std::optional<std::array<int, 4>> ScanFourInts(const char* text, int limit)
{
    if (!text)
        return std::nullopt;
    std::array<int, 4> values{};
    const char* p = text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && *p++ != ',')
            return std::nullopt;
        char* end = nullptr;
        errno = 0;
        const long v = std::strtol(p, &end, 10);
        if (end == p || errno == ERANGE || v < -static_cast<long>(limit) || v > limit)
            return std::nullopt;
        values[i] = static_cast<int>(v);
        p = end;
    }
    return values;
}

std::optional<long> ScanWholeNumber(const std::string& text, long min, long max)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || v < min || v > max)
        return std::nullopt;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return std::nullopt;
    return v;
}

std::optional<float> ScanWholeFloat(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        return std::nullopt;  // one sign only
    // Read as the device and the files write numbers, whatever the process locale.
    double v = 0.0;
    const auto res = std::from_chars(text.data() + i, text.data() + text.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr == text.data() + i)
        return std::nullopt;
    for (const char* p = res.ptr; p != text.data() + text.size(); ++p)
        if (!IsBlank(*p))
            return std::nullopt;
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(negative ? -v : v);
}
