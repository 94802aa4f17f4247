#include "hardware/EqResponse.h"

#include <cmath>
#include <vector>

namespace {

// The filter types of an audio input (same numbers as InputFilterType).
enum : int { kLoShelv = 0, kLoCut = 1, kPeq = 2, kHiCut = 3, kHiShelv = 4 };

constexpr double kSqrt2 = 1.414213562;
constexpr double kTwoSqrt2 = 2.828427124;
constexpr double kPiBy48k = 6.544984695833333e-05;         // 3.141592654 / 48000
constexpr double kTwoPiBy48k = 0.00013089969391666666;     // 2 * 3.141592654 / 48000

const std::array<double, EqResponse::kPoints>& FrequencyTable()
{
    static const std::array<double, EqResponse::kPoints> table = [] {
        std::array<double, EqResponse::kPoints> t{};
        for (int i = 0; i < EqResponse::kPoints; ++i)
            t[i] = std::round(20.0 * std::pow(10.0, i / 62.0) * 10.0) / 10.0;
        return t;
    }();
    return table;
}

const std::vector<double>& QTable()
{
    static const std::vector<double> table = [] {
        std::vector<double> t = {0.4, 0.5, 0.541, 0.6, 0.7, 0.7071, 0.8, 0.9};
        for (int tenths = 10; tenths <= 100; ++tenths) {
            t.push_back(tenths / 10.0);
            if (tenths == 13)
                t.push_back(1.3072);
        }
        for (int q = 11; q <= 20; ++q)
            t.push_back(q);
        return t;
    }();
    return table;
}

}  // namespace

EqResponse::EqResponse()
{
    for (int f = 0; f < kFilters; ++f)
        ClearResponse(f);
}

double EqResponse::FrequencyAt(int index)
{
    if (index < 0 || index >= kPoints)
        return 20.0;
    return FrequencyTable()[index];
}

int EqResponse::FrequencyIndex(double f)
{
    const auto& t = FrequencyTable();
    if (f < t.front())
        return -1;
    int index = 0;
    while (index + 1 < kPoints && t[index + 1] <= f)
        ++index;
    return index;
}

double EqResponse::QAt(int index)
{
    const auto& t = QTable();
    if (index < 0 || index >= static_cast<int>(t.size()))
        return 0.4;
    return t[index];
}

int EqResponse::QIndex(double q)
{
    const auto& t = QTable();
    if (q < t.front())
        return -1;
    int index = 0;
    while (index + 1 < static_cast<int>(t.size()) && t[index + 1] <= q)
        ++index;
    return index;
}

void EqResponse::ClearResponse(int filter)
{
    if (filter < 0 || filter >= kFilters)
        return;
    m_response[filter].fill(0.0);
}

double EqResponse::Response(int filter, int index) const
{
    if (filter < 0 || filter >= kFilters || index < 0 || index >= kPoints)
        return 0.0;
    return m_response[filter][index];
}

double EqResponse::Sum(int index) const
{
    return Response(0, index) + Response(1, index) + Response(2, index);
}

void EqResponse::ComputeResponse(int filter, int type, double f, double slopeOrQ, double gainDb)
{
    if (filter < 0 || filter >= kFilters)
        return;
    Design(type, f, slopeOrQ, gainDb);
    Evaluate(filter);
}

void EqResponse::Design(int type, double f, double slopeOrQ, double gainDb)
{
    const double k = std::tan(f * kPiBy48k);
    const double g = std::pow(10.0, gainDb * 0.05);
    const bool firstOrder = slopeOrQ == 6.0;
    Coefficients c;
    switch (type) {
    case kLoShelv:
        if (firstOrder) {
            const double kn = g >= 1.0 ? k : k * g;
            const double kd = g >= 1.0 ? k / g : k;
            c.b0 = (kn + 1.0) / (kd + 1.0);
            c.b1 = (kn - 1.0) / (kd + 1.0);
            c.a1 = (kd - 1.0) / (kd + 1.0);
        } else {
            const double r = std::sqrt(g);
            const double kn = g >= 1.0 ? k : k * r;
            const double kd = g >= 1.0 ? k / r : k;
            const double d = 1.0 + kSqrt2 * kd + kd * kd;
            c.b0 = (1.0 + kSqrt2 * kn + kn * kn) / d;
            c.b1 = 2.0 * (kn * kn - 1.0) / d;
            c.b2 = (1.0 - kSqrt2 * kn + kn * kn) / d;
            c.a1 = 2.0 * (kd * kd - 1.0) / d;
            c.a2 = (1.0 - kSqrt2 * kd + kd * kd) / d;
        }
        break;
    case kLoCut:
        if (firstOrder) {
            c.b0 = 1.0 / (k + 1.0);
            c.b1 = -c.b0;
            c.a1 = (k - 1.0) / (k + 1.0);
        } else {
            const double m = 1.0;
            const double d = kSqrt2 * k + m * k * k + 1.0;
            c.a1 = 2.0 * (m * k * k - 1.0) / d;
            c.a2 = (d - 2.0 * kSqrt2 * k) / d;
            c.b0 = (1.0 - c.a1 + c.a2) / 4.0;
            c.b1 = -2.0 * c.b0;
            c.b2 = c.b0;
        }
        break;
    case kPeq: {
        const double q = slopeOrQ;
        const double n = g >= 1.0 ? g / q : 1.0 / q;
        const double dd = g >= 1.0 ? 1.0 / q : 1.0 / (q * g);
        const double d = 1.0 + dd * k + k * k;
        c.b0 = (1.0 + n * k + k * k) / d;
        c.b1 = 2.0 * (k * k - 1.0) / d;
        c.b2 = (1.0 - n * k + k * k) / d;
        c.a1 = c.b1;
        c.a2 = (1.0 - dd * k + k * k) / d;
        break;
    }
    case kHiCut:
        if (firstOrder) {
            c.b0 = c.b1 = k / (1.0 + k);
            c.a1 = (k - 1.0) / (1.0 + k);
        } else {
            const double m = 1.0;
            const double d = kSqrt2 * k + k * k + m;
            c.a1 = 2.0 * (k * k - m) / d;
            c.a2 = (d - 2.0 * kSqrt2 * k) / d;
            c.b0 = (1.0 + c.a1 + c.a2) / 4.0;
            c.b1 = 2.0 * c.b0;
            c.b2 = c.b0;
        }
        break;
    case kHiShelv:
        if (firstOrder) {
            const double kn = g >= 1.0 ? k : k / g;
            const double kd = g >= 1.0 ? k * g : k;
            c.b0 = g * (kn + 1.0) / (kd + 1.0);
            c.b1 = g * (kn - 1.0) / (kd + 1.0);
            c.a1 = (kd - 1.0) / (kd + 1.0);
        } else {
            const double r = std::sqrt(g);
            const double kn = g >= 1.0 ? k : k / r;
            const double kd = g >= 1.0 ? r * k : k;
            const double d = 1.0 + kSqrt2 * kd + kd * kd;
            c.b0 = g * (1.0 + kSqrt2 * kn + kn * kn) / d;
            c.b1 = 2.0 * g * (kn * kn - 1.0) / d;
            c.b2 = g * (1.0 - kSqrt2 * kn + kn * kn) / d;
            c.a1 = 2.0 * (kd * kd - 1.0) / d;
            c.a2 = (d - kTwoSqrt2 * kd) / d;
        }
        break;
    default:
        return;  // unknown type: the previous design stays
    }
    m_coef = c;
}

void EqResponse::Evaluate(int filter)
{
    const Coefficients& c = m_coef;
    for (int i = 0; i < kPoints; ++i) {
        const double w = FrequencyAt(i) * kTwoPiBy48k;
        const double c1 = std::cos(w), c2 = std::cos(2.0 * w);
        const double s1 = std::sin(w), s2 = std::sin(2.0 * w);
        const double nRe = c.b0 * c2 + c.b1 * c1 + c.b2;
        const double nIm = c.b0 * s2 + c.b1 * s1;
        const double dRe = c2 + c.a1 * c1 + c.a2;
        const double dIm = s2 + c.a1 * s1;
        const double num = nRe * nRe + nIm * nIm;
        const double den = dRe * dRe + dIm * dIm;
        // A zero of the numerator (a cut filter at its stop point) would give
        // minus infinity; keep the curve finite far below the graph.
        double db = -200.0;
        if (num > 0.0 && den > 0.0)
            db = 10.0 * std::log10(num / den);
        m_response[filter][i] = db;
    }
}

int EqResponse::GridX(double frequency, int w)
{
    return static_cast<int>(std::trunc((std::log10(frequency) - std::log10(20.0)) * w / 3.0 + 0.5));
}

int EqResponse::CurveX(int index, int w)
{
    return static_cast<int>(std::trunc(index * static_cast<double>(w) / 186.0 + 0.5));
}

int EqResponse::CurveY(double db, int h)
{
    return static_cast<int>(std::trunc((15.0 - db) * h / 30.0 - 0.5));
}

std::vector<int> EqResponse::LevelGridRows(int h)
{
    std::vector<int> rows;
    const double step = h / 10.0;
    if (step <= 0.0)
        return rows;
    for (double y = step; y < h - 1; y += step)
        rows.push_back(static_cast<int>(std::trunc(y - 0.5)));
    return rows;
}
