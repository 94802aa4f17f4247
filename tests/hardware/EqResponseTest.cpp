#include <gtest/gtest.h>

#include "hardware/CAudioInputSlot.h"
#include "hardware/EqResponse.h"

namespace {

constexpr double kTol = 1e-3;
constexpr int k20Hz = 0, k200Hz = 62, k987Hz = 105, k2kHz = 124, k20kHz = 186;

struct Point {
    int index;
    double db;
};

void ExpectCurve(const EqResponse& eq, int filter, std::initializer_list<Point> points)
{
    for (const Point& p : points)
        EXPECT_NEAR(p.db, eq.Response(filter, p.index), kTol) << "index " << p.index;
}

}  // namespace

TEST(EqResponseTest, FrequencyAndQTables)
{
    EXPECT_DOUBLE_EQ(20.0, EqResponse::FrequencyAt(0));
    EXPECT_DOUBLE_EQ(200.0, EqResponse::FrequencyAt(62));
    EXPECT_DOUBLE_EQ(987.6, EqResponse::FrequencyAt(105));
    EXPECT_DOUBLE_EQ(1025.0, EqResponse::FrequencyAt(106));
    EXPECT_DOUBLE_EQ(2000.0, EqResponse::FrequencyAt(124));
    EXPECT_DOUBLE_EQ(20000.0, EqResponse::FrequencyAt(186));
    EXPECT_DOUBLE_EQ(20.0, EqResponse::FrequencyAt(187));
    EXPECT_DOUBLE_EQ(20.0, EqResponse::FrequencyAt(200));
    EXPECT_DOUBLE_EQ(20.0, EqResponse::FrequencyAt(-1));

    EXPECT_EQ(105, EqResponse::FrequencyIndex(1000.0));
    EXPECT_EQ(106, EqResponse::FrequencyIndex(1025.0));
    EXPECT_EQ(0, EqResponse::FrequencyIndex(20.0));
    EXPECT_EQ(-1, EqResponse::FrequencyIndex(19.9));
    EXPECT_EQ(186, EqResponse::FrequencyIndex(20000.0));
    EXPECT_EQ(186, EqResponse::FrequencyIndex(30000.0));
    // Every entry finds itself, and the table rises strictly.
    for (int i = 0; i < EqResponse::kPoints; ++i) {
        EXPECT_EQ(i, EqResponse::FrequencyIndex(EqResponse::FrequencyAt(i))) << i;
        if (i > 0) {
            EXPECT_LT(EqResponse::FrequencyAt(i - 1), EqResponse::FrequencyAt(i)) << i;
        }
    }

    EXPECT_DOUBLE_EQ(0.4, EqResponse::QAt(0));
    EXPECT_DOUBLE_EQ(0.541, EqResponse::QAt(2));
    EXPECT_DOUBLE_EQ(0.7071, EqResponse::QAt(5));
    EXPECT_DOUBLE_EQ(1.0, EqResponse::QAt(8));
    EXPECT_DOUBLE_EQ(1.3, EqResponse::QAt(11));
    EXPECT_DOUBLE_EQ(1.3072, EqResponse::QAt(12));
    EXPECT_DOUBLE_EQ(1.4, EqResponse::QAt(13));
    EXPECT_DOUBLE_EQ(10.0, EqResponse::QAt(99));
    EXPECT_DOUBLE_EQ(11.0, EqResponse::QAt(100));
    EXPECT_DOUBLE_EQ(20.0, EqResponse::QAt(109));
    EXPECT_DOUBLE_EQ(0.4, EqResponse::QAt(110));
    EXPECT_DOUBLE_EQ(0.4, EqResponse::QAt(200));
    EXPECT_EQ(12, EqResponse::QIndex(1.3072));
    EXPECT_EQ(11, EqResponse::QIndex(1.305));
    EXPECT_EQ(-1, EqResponse::QIndex(0.39));
    EXPECT_EQ(0, EqResponse::QIndex(0.4));
    EXPECT_EQ(109, EqResponse::QIndex(25.0));
    for (int i = 0; i < EqResponse::kQSteps; ++i)
        EXPECT_EQ(i, EqResponse::QIndex(EqResponse::QAt(i))) << i;
}

TEST(EqResponseTest, CutFiltersAreThreeDecibelsDownAtTheirCorner)
{
    EqResponse eq;
    eq.ComputeResponse(0, IFT_LOCUT, 20.0, 12.0, 5.0);  // the gain does not matter to a cut
    ExpectCurve(eq, 0, {{k20Hz, -3.0103}, {k200Hz, -0.0004}, {k20kHz, 0.0}});
    eq.ComputeResponse(0, IFT_LOCUT, 200.0, 6.0, 0.0);
    ExpectCurve(eq, 0, {{k20Hz, -20.0437}, {k200Hz, -3.0103}, {k987Hz, -0.1741}, {k20kHz, -0.0001}});

    eq.ComputeResponse(2, IFT_HICUT, 20000.0, 6.0, 0.0);
    ExpectCurve(eq, 2, {{k20Hz, 0.0}, {k2kHz, -0.0054}, {k20kHz, -3.0103}});
    eq.ComputeResponse(2, IFT_HICUT, 2000.0, 12.0, -7.0);
    ExpectCurve(eq, 2, {{k987Hz, -0.2466}, {k2kHz, -3.0103}, {k20kHz, -58.1007}});
}

TEST(EqResponseTest, ShelvingFilters)
{
    EqResponse eq;
    eq.ComputeResponse(0, IFT_LOSHELV, 200.0, 6.0, 12.0);
    ExpectCurve(eq, 0, {{k20Hz, 11.4044}, {k200Hz, 2.7446}, {k987Hz, 0.1629}, {k20kHz, 0.0001}});
    eq.ComputeResponse(0, IFT_LOSHELV, 200.0, 12.0, 12.0);
    ExpectCurve(eq, 0, {{k20Hz, 11.9936}, {k200Hz, 2.7446}, {k987Hz, 0.0068}, {k20kHz, 0.0}});

    eq.ComputeResponse(1, IFT_HISHELV, 2000.0, 6.0, 6.0);
    ExpectCurve(eq, 1, {{k20Hz, 0.0003}, {k987Hz, 0.6843}, {k2kHz, 2.0371}, {k20kHz, 5.9839}});
    eq.ComputeResponse(1, IFT_HISHELV, 2000.0, 12.0, 6.0);
    ExpectCurve(eq, 1, {{k987Hz, 0.1834}, {k2kHz, 2.0371}, {k20kHz, 6.0}});
}

TEST(EqResponseTest, PeakFilterReachesItsGainAtTheCentre)
{
    EqResponse eq;
    eq.ComputeResponse(1, IFT_PEQ, 2000.0, 1.0, 12.0);
    ExpectCurve(eq, 1, {{k20Hz, 0.0064}, {k200Hz, 0.6004}, {k987Hz, 7.3199}, {k2kHz, 12.0}, {k20kHz, 0.0796}});
    eq.ComputeResponse(1, IFT_PEQ, 2000.0, 4.0, -9.0);
    ExpectCurve(eq, 1, {{k987Hz, -0.7106}, {k2kHz, -9.0}, {k20kHz, -0.0024}});
    // 1000 Hz lies between two table points; the nearer one is 987.6 Hz.
    eq.ComputeResponse(1, IFT_PEQ, 1000.0, 1.0, 12.0);
    ExpectCurve(eq, 1, {{k987Hz, 11.9975}, {k2kHz, 7.4223}});
}

TEST(EqResponseTest, CutAndBoostMirrorEachOther)
{
    struct Case {
        int type;
        double f, slopeOrQ;
    } cases[] = {{IFT_LOSHELV, 300.0, 6.0},  {IFT_LOSHELV, 300.0, 12.0}, {IFT_PEQ, 800.0, 2.5},
                 {IFT_HISHELV, 4000.0, 6.0}, {IFT_HISHELV, 4000.0, 12.0}};
    for (const Case& c : cases) {
        EqResponse eq;
        eq.ComputeResponse(0, c.type, c.f, c.slopeOrQ, 9.0);
        eq.ComputeResponse(1, c.type, c.f, c.slopeOrQ, -9.0);
        for (int i = 0; i < EqResponse::kPoints; ++i)
            ASSERT_NEAR(0.0, eq.Response(0, i) + eq.Response(1, i), 1e-9) << c.type << " at " << i;
    }
}

TEST(EqResponseTest, FlatFiltersSumAndClear)
{
    EqResponse eq;
    for (int i = 0; i < EqResponse::kPoints; ++i)
        ASSERT_EQ(0.0, eq.Sum(i));
    // No gain on shelves and PEQ: flat.
    eq.ComputeResponse(0, IFT_LOSHELV, 500.0, 6.0, 0.0);
    eq.ComputeResponse(1, IFT_PEQ, 1000.0, 1.0, 0.0);
    eq.ComputeResponse(2, IFT_HISHELV, 2000.0, 6.0, 0.0);
    for (int i = 0; i < EqResponse::kPoints; ++i)
        ASSERT_NEAR(0.0, eq.Sum(i), 1e-9) << i;

    eq.ComputeResponse(0, IFT_PEQ, 2000.0, 1.0, 12.0);
    eq.ComputeResponse(1, IFT_PEQ, 2000.0, 1.0, -3.0);
    EXPECT_NEAR(9.0, eq.Sum(k2kHz), kTol);
    eq.ClearResponse(0);
    EXPECT_NEAR(-3.0, eq.Sum(k2kHz), kTol);
    EXPECT_EQ(0.0, eq.Response(0, k2kHz));

    // An unknown type keeps the previous design: filter 2 gets filter 1's curve.
    eq.ComputeResponse(2, 9, 100.0, 1.0, 12.0);
    for (int i = 0; i < EqResponse::kPoints; ++i)
        ASSERT_DOUBLE_EQ(eq.Response(1, i), eq.Response(2, i)) << i;
    // Bad filter and index numbers are ignored.
    eq.ComputeResponse(3, IFT_PEQ, 100.0, 1.0, 12.0);
    eq.ClearResponse(-1);
    EXPECT_EQ(0.0, eq.Response(3, 0));
    EXPECT_EQ(0.0, eq.Response(0, 187));
}

TEST(EqResponseTest, GraphGeometry)
{
    // 300 x 200 pixels: a decade is 100 pixels, 30 dB are 200 pixels.
    EXPECT_EQ(0, EqResponse::GridX(20.0, 300));
    EXPECT_EQ(100, EqResponse::GridX(200.0, 300));
    EXPECT_EQ(40, EqResponse::GridX(50.0, 300));
    EXPECT_EQ(300, EqResponse::GridX(20000.0, 300));
    EXPECT_EQ(0, EqResponse::CurveX(0, 300));
    EXPECT_EQ(300, EqResponse::CurveX(186, 300));
    EXPECT_EQ(150, EqResponse::CurveX(93, 300));
    EXPECT_EQ(99, EqResponse::CurveY(0.0, 200));   // mid height
    EXPECT_EQ(19, EqResponse::CurveY(12.0, 200));  // the top grid line
    EXPECT_EQ(0, EqResponse::CurveY(15.0, 200));  // trunc(-0.5) is 0
    EXPECT_EQ(199, EqResponse::CurveY(-15.0, 200));
    const std::vector<int> rows = EqResponse::LevelGridRows(200);
    EXPECT_EQ((std::vector<int>{19, 39, 59, 79, 99, 119, 139, 159, 179}), rows);
    // The +12 dB line is where a +12 dB peak is drawn.
    EXPECT_EQ(rows.front(), EqResponse::CurveY(12.0, 200));
    EXPECT_TRUE(EqResponse::LevelGridRows(0).empty());
}
