// Wide polyline outlines: constant and tapering widths, mitred joints, arcs,
// thin segments left to lines, and what reaches the drawing context.
#include "graphics/AcGiWidePolyline.h"

#include "TestDrawables.h"
#include "graphics/AcGiRecordingContext.h"

#include <gtest/gtest.h>

#include <cmath>

using AcGiWidePolyline::segmentOutlines;

namespace {
::testing::AssertionResult samePoints(const std::vector<AcGePoint2d>& actual,
                                      const std::vector<AcGePoint2d>& expected) {
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << actual.size() << " points, expected " << expected.size();
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (std::fabs(actual[i].x - expected[i].x) > 1e-9 || std::fabs(actual[i].y - expected[i].y) > 1e-9)
            return ::testing::AssertionFailure() << "point " << i << " is (" << actual[i].x << ", " << actual[i].y
                                                 << "), expected (" << expected[i].x << ", " << expected[i].y << ")";
    return ::testing::AssertionSuccess();
}
}  // namespace

TEST(WidePolyline, ConstantWidthIsARectangleAndATaperATriangle) {
    const auto band = segmentOutlines({{{0, 0}, 0, 2, 2}, {{10, 0}, 0, 2, 2}}, false);
    ASSERT_EQ(band.size(), 1u);
    EXPECT_TRUE(samePoints(band[0], {{0, 1}, {10, 1}, {10, -1}, {0, -1}}));
    // The arrowhead of a leader: a third of its length wide at the tail, a point at the tip.
    const auto arrow = segmentOutlines({{{-1, 0}, 0, 1.0 / 3, 0}, {{0, 0}, 0, 0, 0}}, false);
    ASSERT_EQ(arrow.size(), 1u);
    EXPECT_TRUE(samePoints(arrow[0], {{-1, 1.0 / 6}, {0, 0}, {0, 0}, {-1, -1.0 / 6}}));
}

TEST(WidePolyline, WideNeighboursMeetAtAMitreAndThinSegmentsHaveNoOutline) {
    // Right angle: along x, then up y, width 2; then a thin segment.
    const std::vector<AcGiPolylineVertex> vertices = {
        {{0, 0}, 0, 2, 2}, {{10, 0}, 0, 2, 2}, {{10, 10}, 0, 0, 0}, {{0, 10}, 0, 0, 0}};
    const auto outlines = segmentOutlines(vertices, false);
    ASSERT_EQ(outlines.size(), 3u);
    // The outer corner of the joint is (11, -1), the inner (9, 1).
    EXPECT_TRUE(samePoints(outlines[0], {{0, 1}, {9, 1}, {11, -1}, {0, -1}}));
    EXPECT_TRUE(samePoints(outlines[1], {{9, 1}, {9, 10}, {11, 10}, {11, -1}}));
    EXPECT_TRUE(outlines[2].empty());
    // Closed, the last wide segment also mitres into the first.
    const auto square = segmentOutlines(
        {{{0, 0}, 0, 2, 2}, {{10, 0}, 0, 2, 2}, {{10, 10}, 0, 2, 2}, {{0, 10}, 0, 2, 2}}, true);
    ASSERT_EQ(square.size(), 4u);
    EXPECT_TRUE(samePoints(square[0], {{1, 1}, {9, 1}, {11, -1}, {-1, -1}}));
    // Going straight on, the joint is plain; folding back, the mitre is cut.
    const auto straight = segmentOutlines({{{0, 0}, 0, 2, 2}, {{5, 0}, 0, 2, 2}, {{10, 0}, 0, 0, 0}}, false);
    EXPECT_TRUE(samePoints(straight[0], {{0, 1}, {5, 1}, {5, -1}, {0, -1}}));
    const auto back = segmentOutlines({{{0, 0}, 0, 2, 2}, {{5, 0}, 0, 2, 2}, {{0, 0.001}, 0, 0, 0}}, false);
    for (const AcGePoint2d& p : back[0]) {
        EXPECT_LE(std::fabs(p.y), 1.0 + 1e-9);
        EXPECT_LE(p.x, 6.0 + 1e-9);
    }
}

TEST(WidePolyline, ArcSegmentsKeepTheirWidthAroundTheCurve) {
    // A half circle of radius 5 counter-clockwise from (5,0) to (-5,0), width 1.
    const auto outlines = segmentOutlines({{{5, 0}, 1.0, 1, 1}, {{-5, 0}, 0, 0, 0}}, false);
    ASSERT_EQ(outlines.size(), 1u);
    const std::vector<AcGePoint2d>& o = outlines[0];
    ASSERT_GE(o.size(), 34u);
    // Left of the direction of travel is inside: radius 4.5; the way back 5.5.
    for (std::size_t i = 0; i < o.size() / 2; ++i) EXPECT_NEAR(std::hypot(o[i].x, o[i].y), 4.5, 1e-9);
    for (std::size_t i = o.size() / 2; i < o.size(); ++i) EXPECT_NEAR(std::hypot(o[i].x, o[i].y), 5.5, 1e-9);
    // It passes over the top, not under.
    EXPECT_NEAR(o[o.size() / 4].y, 4.5, 0.1);
    // Clockwise (negative bulge) it passes under.
    const auto under = segmentOutlines({{{5, 0}, -1.0, 1, 1}, {{-5, 0}, 0, 0, 0}}, false);
    EXPECT_NEAR(under[0][under[0].size() / 4].y, -5.5, 0.1);
}

TEST(WidePolyline, DrawsWideSegmentsFilledAndRestoresTheFillType) {
    ScriptedDrawable pline;
    pline.world = [](AcGiWorldDraw* wd) {
        AcGiWidePolyline::draw(wd, {{{0, 0}, 0, 1, 1}, {{10, 0}, 0, 0, 0}, {{10, 10}, 0.5, 0, 0}, {{0, 10}, 0, 0, 0}},
                               false, AcGeMatrix3d::translation(AcGeVector3d(0, 0, 3)), AcGeVector3d::kZAxis);
        const AcGePoint3d after[2] = {{0, 0, 0}, {1, 1, 0}};
        wd->geometry().polyline(2, after);
        return true;
    };
    AcGiRecordingContext recording(false);
    ASSERT_TRUE(recording.draw(&pline));
    const auto& records = recording.records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].kind, "polygon");
    EXPECT_TRUE(records[0].traits.filled);
    EXPECT_DOUBLE_EQ(records[0].points[0].z, 3.0);  // through the plane's transform
    EXPECT_EQ(records[1].kind, "polyline");
    EXPECT_EQ(records[2].kind, "arc");
    EXPECT_FALSE(records[3].traits.filled);
}
