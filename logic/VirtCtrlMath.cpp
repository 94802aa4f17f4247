#include "logic/VirtCtrlMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vcmath {

int ClampCurve(long k)
{
    return static_cast<int>(std::clamp<long>(k, kCurveMin, kCurveMax));
}

int ClampSteps(long steps)
{
    return static_cast<int>(std::clamp<long>(steps, 0, kStepsMax));
}

double CurveExponent(int k)
{
    return std::pow(1.04, k);
}

CurveTable MakeCurveTable(int k)
{
    const double e = CurveExponent(k);
    CurveTable y{};
    for (int i = 0; i < kCurvePoints; ++i)
        y[i] = static_cast<int>(std::pow(i * 0.01, e) * 101.0 + 0.5);
    return y;
}

int HandleIndex(const CurveTable& y)
{
    // The first index closest to the diagonal; once the curve has crossed it
    // the signed distance stays below every later one.
    int best = 101;
    int h = 0;
    for (int i = 0; i < kCurvePoints; ++i) {
        const int d = (101 - y[i]) - i;
        if (best >= std::abs(d)) {
            h = i;
            best = d;
        }
    }
    return h;
}

Square HandleSquare(const CurveTable& y)
{
    const int h = HandleIndex(y);
    const int top = 101 - y[h];
    return {h - 2, top - 2, h + 4, top + 4};
}

int CurveAtX(int x)
{
    return ClampCurve(static_cast<long>((x - 50) * 2.56));
}

double OutputFromNormalized(double min, double max, double normalized, int k)
{
    return min + (max - min) * std::pow(normalized, CurveExponent(k));
}

double NormalizedFromOutput(double min, double max, double output, int k)
{
    double range = max - min;
    if (range == 0.0)
        range = 1.0;
    return std::pow((output - min) / range, 1.0 / CurveExponent(k));
}

double ClampOutput(double min, double max, double output)
{
    if (output < min)
        return min;
    if (output > max)
        return max;
    return output;
}

int KnobFrameFromNormalized(double normalized)
{
    return static_cast<int>(normalized * 90.0);
}

float NormalizedFromKnobFrame(int frame)
{
    return static_cast<float>(frame) * 0.011111111f;
}

int KnobFrameAt(int cx, int cy, int x, int y)
{
    const double angle = std::atan2(static_cast<double>(cx - x), static_cast<double>(cy - y)) * 57.29577951307855;
    const int frame = static_cast<int>((135.0 - angle) * (1.0 / 3.0));
    return std::clamp(frame, 0, kKnobFrames);
}

}  // namespace vcmath
