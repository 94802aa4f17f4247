#include <gtest/gtest.h>

#include "logic/VirtCtrlMath.h"

using namespace vcmath;

TEST(VirtCtrlMath, CurveTableAndHandle)
{
    const CurveTable linear = MakeCurveTable(0);
    EXPECT_EQ(0, linear[0]);
    EXPECT_EQ(101, linear[100]);
    EXPECT_EQ(25, linear[25]);
    EXPECT_EQ(51, linear[50]);
    EXPECT_EQ(76, linear[75]);
    EXPECT_EQ(36, MakeCurveTable(10)[50]);
    EXPECT_EQ(63, MakeCurveTable(-10)[50]);

    EXPECT_EQ(50, HandleIndex(linear));
    const Square h = HandleSquare(linear);
    EXPECT_TRUE(h.Contains(50, 50));
    EXPECT_EQ(48, h.left);
    EXPECT_EQ(54, h.right);
    // A downward curve meets the diagonal to the right of the middle.
    EXPECT_GT(HandleIndex(MakeCurveTable(40)), 50);
}

TEST(VirtCtrlMath, ClampsAndBending)
{
    EXPECT_EQ(127, ClampCurve(200));
    EXPECT_EQ(-128, ClampCurve(-300));
    EXPECT_EQ(65535, ClampSteps(70000));
    EXPECT_EQ(0, ClampSteps(-1));
    EXPECT_EQ(-128, CurveAtX(0));
    EXPECT_EQ(0, CurveAtX(50));
    EXPECT_EQ(127, CurveAtX(100));
    EXPECT_EQ(2, CurveAtX(51));  // 2.56 truncated
}

TEST(VirtCtrlMath, OutputNormalizedAndKnob)
{
    EXPECT_DOUBLE_EQ(5.0, OutputFromNormalized(0, 10, 0.5, 0));
    EXPECT_NEAR(0.3587, (OutputFromNormalized(2, 10, 0.5, 10) - 2.0) / 8.0, 5e-4);
    // Output and normalized value are inverse to each other on any curve.
    EXPECT_NEAR(0.3, NormalizedFromOutput(-5, 5, OutputFromNormalized(-5, 5, 0.3, -17), -17), 1e-12);

    const double clamped = ClampOutput(0, 10, 12.5);
    EXPECT_EQ(10.0, clamped);
    EXPECT_DOUBLE_EQ(1.0, NormalizedFromOutput(0, 10, clamped, 25));
    EXPECT_EQ(90, KnobFrameFromNormalized(1.0));
    // An empty range counts as 1.0 instead of dividing by zero.
    EXPECT_DOUBLE_EQ(0.0, NormalizedFromOutput(3, 3, 3, 0));

    EXPECT_EQ(45, KnobFrameAt(50, 50, 50, 10));
    EXPECT_FLOAT_EQ(45 * 0.011111111f, NormalizedFromKnobFrame(45));
    EXPECT_EQ(0, KnobFrameAt(50, 50, 10, 90));  // lower left
    EXPECT_EQ(0, KnobFrameAt(50, 50, 10, 100));   // beyond the stop
    EXPECT_EQ(90, KnobFrameAt(50, 50, 90, 100));
}
