#include "hardware/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace numtext {

namespace {
size_t SkipBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    return i;
}
}  // namespace

std::string Fixed(double value, int precision)
{
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    if (res.ec != std::errc())
        return "0";
    return std::string(buf, res.ptr);
}

double ToDouble(std::string_view text)
{
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // from_chars takes no sign of its own after ours.
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        return 0.0;
    double value = 0.0;
    const auto res = std::from_chars(text.data() + i, text.data() + text.size(), value);
    // No number, or one beyond the range of a double: 0.
    if (res.ec != std::errc())
        return 0.0;
    if (!std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

int ToInt(std::string_view text)
{
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        any = true;
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (text[i] - '0');
    }
    if (!any)
        return 0;
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool StartsWithDigit(std::string_view text)
{
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

bool SameNumber(std::string_view text, std::string_view shown)
{
    size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    bool digit = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            digit = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    const size_t dot = shown.find('.');
    const int decimals = dot == std::string_view::npos ? 0 : static_cast<int>(shown.size() - dot - 1);
    return digit && Fixed(ToDouble(text), decimals) == Fixed(ToDouble(shown), decimals);
}

}  // namespace numtext
