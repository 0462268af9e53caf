// The fit-point spline: interpolation, end tangents, arc length and points at
// a distance, degenerate input.
#include "geometry/AcGe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
const std::vector<AcGePoint3d> kWave = {{0, 0, 0}, {10, 5, 0}, {20, -5, 0}, {30, 0, 0}, {35, 10, 0}};
}

TEST(Spline, PassesThroughEveryFitPoint) {
    const AcGeCubicSplineCurve3d s(kWave, AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0));
    ASSERT_EQ(s.numFitPoints(), 5);
    for (int i = 0; i < s.numFitPoints(); ++i)
        EXPECT_TRUE(s.evalPoint(s.fitParamAt(i)).isEqualTo(kWave[static_cast<std::size_t>(i)], AcGeTol(1e-9, 1e-9)))
            << "fit point " << i;
    EXPECT_TRUE(s.startPoint().isEqualTo(kWave.front()));
    EXPECT_TRUE(s.endPoint().isEqualTo(kWave.back()));
}

TEST(Spline, RespectsEndTangentDirections) {
    const AcGeVector3d startDir(0, 1, 0), endDir(1, -1, 0);
    const AcGeCubicSplineCurve3d s(kWave, startDir * 7.0, endDir);
    EXPECT_TRUE(s.firstDeriv(s.startParam()).normal().isEqualTo(startDir.normal(), AcGeTol(1e-9, 1e-9)));
    EXPECT_TRUE(s.firstDeriv(s.endParam()).normal().isEqualTo(endDir.normal(), AcGeTol(1e-9, 1e-9)));
    // Only the direction counts: a longer tangent gives the same curve.
    const AcGeCubicSplineCurve3d same(kWave, startDir, endDir);
    EXPECT_NEAR(s.length(), same.length(), 1e-12);
}

TEST(Spline, StraightFitHasChordLength) {
    const std::vector<AcGePoint3d> line = {{0, 0, 0}, {1, 1, 1}, {4, 4, 4}, {10, 10, 10}};
    const AcGeVector3d dir(1, 1, 1);
    const AcGeCubicSplineCurve3d s(line, dir, dir);
    EXPECT_NEAR(s.length(), std::sqrt(300.0), 1e-9);
    // Arc-length points lie on the line at the right distance.
    const AcGePoint3d p = s.pointAtLength(std::sqrt(3.0) * 2);
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(2, 2, 2), AcGeTol(1e-9, 1e-9)));
}

TEST(Spline, TwoPointsWithTangentsAlongTheLineIsTheSegment) {
    const AcGeCubicSplineCurve3d s({{0, 0, 0}, {10, 0, 0}}, AcGeVector3d(1, 0, 0), AcGeVector3d(1, 0, 0));
    EXPECT_NEAR(s.length(), 10.0, 1e-12);
    EXPECT_TRUE(s.pointAtLength(5.0).isEqualTo(AcGePoint3d(5, 0, 0), AcGeTol(1e-9, 1e-9)));
}

TEST(Spline, QuarterTurnIsLongerThanItsChords) {
    const double r = 10.0;
    std::vector<AcGePoint3d> arc;
    for (int k = 0; k <= 8; ++k) {
        const double a = std::numbers::pi / 2 * k / 8;
        arc.emplace_back(r * std::cos(a), r * std::sin(a), 0);
    }
    const AcGeCubicSplineCurve3d s(arc, AcGeVector3d(0, 1, 0), AcGeVector3d(-1, 0, 0));
    // Close to the arc length of a quarter circle.
    EXPECT_NEAR(s.length(), std::numbers::pi * r / 2, 1e-3);
}

TEST(Spline, PointAtDistanceIsMonotoneAndExact) {
    const AcGeCubicSplineCurve3d s(kWave, AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0));
    const double total = s.length();
    double previousParam = -1.0;
    for (int i = 0; i <= 50; ++i) {
        const double d = total * i / 50;
        const double t = s.paramAtLength(d);
        EXPECT_GT(t, previousParam);
        previousParam = t;
        EXPECT_NEAR(s.distAtParam(t), d, 1e-9 * total);
    }
    EXPECT_DOUBLE_EQ(s.paramAtLength(-5.0), s.startParam());
    EXPECT_DOUBLE_EQ(s.paramAtLength(total + 5.0), s.endParam());
}

TEST(Spline, MiddleByLengthSplitsTheLengthInHalves) {
    // Three sample points: start, middle by length, end.
    const AcGeCubicSplineCurve3d s(kWave, AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0));
    const auto pts = s.samplePoints(3);
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_TRUE(pts[0].isEqualTo(kWave.front()));
    EXPECT_TRUE(pts[2].isEqualTo(kWave.back()));
    EXPECT_NEAR(s.distAtParam(s.paramAtLength(s.length() / 2)), s.length() / 2, 1e-9);
}

TEST(Spline, RepeatedFitPointsAndZeroTangentsAreHandled) {
    const AcGeCubicSplineCurve3d s({{0, 0, 0}, {0, 0, 0}, {5, 5, 0}, {5, 5, 0}, {10, 0, 0}}, AcGeVector3d(),
                                   AcGeVector3d());
    EXPECT_EQ(s.numFitPoints(), 3);
    EXPECT_TRUE(std::isfinite(s.length()));
    EXPECT_GT(s.length(), AcGePoint3d(0, 0, 0).distanceTo(AcGePoint3d(10, 0, 0)));

    const AcGeCubicSplineCurve3d single({{1, 2, 3}, {1, 2, 3}}, AcGeVector3d(), AcGeVector3d());
    EXPECT_TRUE(single.isValid());
    EXPECT_EQ(single.length(), 0.0);
    EXPECT_TRUE(single.pointAtLength(3.0).isEqualTo(AcGePoint3d(1, 2, 3)));

    const AcGeCubicSplineCurve3d empty({}, AcGeVector3d(), AcGeVector3d());
    EXPECT_FALSE(empty.isValid());
    EXPECT_EQ(empty.length(), 0.0);
}
