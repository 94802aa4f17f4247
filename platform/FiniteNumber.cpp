#include "platform/FiniteNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::optional<float> ScanFiniteFloat(const char* text)
{
    float v = 0.0f;
    if (!text || std::sscanf(text, "%f", &v) != 1 || !std::isfinite(v))
        return std::nullopt;
    return v;
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
