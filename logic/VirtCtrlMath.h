#pragma once
// The arithmetic of a virtual controller's response curve and of the knob of
// its properties dialog. A normalized position x in 0..1 maps to the output
// min + (max - min) * x^e with e = 1.04^k, k the curve value -128..127 (0 is
// linear, negative bends the curve upward, positive downward).

#include <array>

namespace vcmath {

constexpr int kCurveMin = -128;
constexpr int kCurveMax = 127;
constexpr int kStepsMax = 65535;
constexpr int kKnobFrames = 90;  // frames 0..90 over 270 degrees
constexpr int kCurvePoints = 101;

using CurveTable = std::array<int, kCurvePoints>;

struct Square {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

int ClampCurve(long k);
int ClampSteps(long steps);
double CurveExponent(int k);

// y[i] = (int)((i / 100)^e * 101 + 0.5): y[0] = 0, y[100] = 101.
CurveTable MakeCurveTable(int k);
// Where the curve, drawn upside down in a 101-pixel square, meets the rising
// diagonal (50 for k = 0).
int HandleIndex(const CurveTable& y);
// The square the user grabs to bend the curve.
Square HandleSquare(const CurveTable& y);
// The curve value for the handle dragged to x: x = 0 gives -128, 50 gives 0,
// 100 and beyond 127.
int CurveAtX(int x);

// min + (max - min) * x^e.
double OutputFromNormalized(double min, double max, double normalized, int k);
// The inverse for an output within min..max; a zero range counts as 1.0.
double NormalizedFromOutput(double min, double max, double output, int k);
double ClampOutput(double min, double max, double output);

int KnobFrameFromNormalized(double normalized);
float NormalizedFromKnobFrame(int frame);
// The knob frame for the mouse at (x, y) around the knob's centre (cx, cy):
// straight up is 45, lower left 0, lower right 90.
int KnobFrameAt(int cx, int cy, int x, int y);

}  // namespace vcmath
