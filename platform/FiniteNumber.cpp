#include "platform/FiniteNumber.h"

#include <cmath>
#include <cstdio>

std::optional<float> ScanFiniteFloat(const char* text)
{
    float v = 0.0f;
    if (!text || std::sscanf(text, "%f", &v) != 1 || !std::isfinite(v))
        return std::nullopt;
    return v;
}
