#include "platform/FiniteNumber.h"

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
    return text;
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
