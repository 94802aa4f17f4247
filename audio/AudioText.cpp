#include "audio/AudioText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace audiotext {

namespace {
std::optional<long long> ScanSigned(const std::string& text)
{
    const char* s = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*s)))
        ++s;
    const char* digits = s;
    if (*digits == '+' || *digits == '-')
        ++digits;
    if (!std::isdigit(static_cast<unsigned char>(*digits)))
        return std::nullopt;
    return std::strtoll(s, nullptr, 10);
}

int32_t Limit32(long long v)
{
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}
}  // namespace

int32_t LeadingInt(const std::string& text)
{
    auto v = ScanSigned(text);
    return v ? Limit32(*v) : 0;
}

std::optional<int32_t> ScanInt(const std::string& text)
{
    auto v = ScanSigned(text);
    if (!v)
        return std::nullopt;
    return Limit32(*v);
}

std::optional<double> ScanFloat(const std::string& text)
{
    const char* s = text.c_str();
    char* end = nullptr;
    double v = std::strtod(s, &end);
    if (end == s)
        return std::nullopt;
    return v;
}

float ToFloat(double v)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax)
        return std::numeric_limits<float>::max();
    if (v < -kMax)
        return -std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

float ClampFloat(double v, float lo, float hi, float fallback)
{
    if (std::isnan(v))
        return fallback;
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return static_cast<float>(v);
}

}  // namespace audiotext
