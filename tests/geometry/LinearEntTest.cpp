// Lines and segments: intersections under each extend mode, parallel and
// overlapping cases, closest points, plane crossings.
#include "geometry/AcGe.h"

#include <gtest/gtest.h>

TEST(LineSegIntersect, CrossingSegmentsMeetInside) {
    const AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(10, 10));
    const AcGeLineSeg2d b(AcGePoint2d(0, 10), AcGePoint2d(10, 0));
    AcGePoint2d p;
    ASSERT_TRUE(a.intersectWith(b, p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(5, 5)));
}

TEST(LineSegIntersect, ExtendModesDecideWhichOperandMayGrow) {
    // a ends short of the crossing point (5,0); b reaches it.
    const AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(3, 0));
    const AcGeLineSeg2d b(AcGePoint2d(5, -1), AcGePoint2d(5, 1));
    AcGePoint2d p;
    EXPECT_FALSE(a.intersectWith(b, p, AcGe::kOnBothOperands));
    EXPECT_FALSE(a.intersectWith(b, p, AcGe::kExtendArg));
    ASSERT_TRUE(a.intersectWith(b, p, AcGe::kExtendThis));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(5, 0)));
    // Seen from b, it is the argument that must grow.
    EXPECT_FALSE(b.intersectWith(a, p, AcGe::kExtendThis));
    EXPECT_TRUE(b.intersectWith(a, p, AcGe::kExtendArg));
    EXPECT_TRUE(b.intersectWith(a, p, AcGe::kExtendBoth));

    // Both short: only kExtendBoth finds the point.
    const AcGeLineSeg2d c(AcGePoint2d(5, 2), AcGePoint2d(5, 4));
    EXPECT_FALSE(a.intersectWith(c, p, AcGe::kExtendThis));
    EXPECT_FALSE(a.intersectWith(c, p, AcGe::kExtendArg));
    ASSERT_TRUE(a.intersectWith(c, p, AcGe::kExtendBoth));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(5, 0)));
}

TEST(LineSegIntersect, TouchingEndpointsCountWithinTolerance) {
    const AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(5, 0));
    const AcGeLineSeg2d b(AcGePoint2d(5, 0), AcGePoint2d(5, 5));
    AcGePoint2d p;
    ASSERT_TRUE(a.intersectWith(b, p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(5, 0)));
    const AcGeLineSeg2d nearMiss(AcGePoint2d(5 + 1e-6, 0.1), AcGePoint2d(5 + 1e-6, 5));
    EXPECT_FALSE(a.intersectWith(nearMiss, p));
    EXPECT_TRUE(a.intersectWith(nearMiss, p, AcGe::kExtendBoth));
    EXPECT_TRUE(a.intersectWith(AcGeLineSeg2d(AcGePoint2d(5 + 1e-6, 0), AcGePoint2d(5 + 1e-6, 5)), p,
                                AcGeTol(1e-5, 1e-10)));
}

TEST(LineSegIntersect, ParallelAndOverlappingHaveNoSinglePoint) {
    const AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    AcGePoint2d p;
    EXPECT_FALSE(a.intersectWith(AcGeLineSeg2d(AcGePoint2d(0, 1), AcGePoint2d(10, 1)), p, AcGe::kExtendBoth));
    EXPECT_FALSE(a.intersectWith(AcGeLineSeg2d(AcGePoint2d(5, 0), AcGePoint2d(15, 0)), p, AcGe::kExtendBoth));
    EXPECT_TRUE(a.isColinearTo(AcGeLineSeg2d(AcGePoint2d(20, 0), AcGePoint2d(30, 0))));
    EXPECT_FALSE(a.isColinearTo(AcGeLineSeg2d(AcGePoint2d(20, 1), AcGePoint2d(30, 1))));
    // Degenerate segments never intersect.
    EXPECT_FALSE(a.intersectWith(AcGeLineSeg2d(AcGePoint2d(3, 0), AcGePoint2d(3, 0)), p, AcGe::kExtendBoth));
}

TEST(LineIntersect, UnboundedLinesAlwaysExtend) {
    const AcGeLine2d a(AcGePoint2d(0, 0), AcGeVector2d(1, 0));
    const AcGeLineSeg2d b(AcGePoint2d(100, 5), AcGePoint2d(100, 10));
    AcGePoint2d p;
    EXPECT_FALSE(a.intersectWith(b, p));  // b is a segment that does not reach y = 0
    ASSERT_TRUE(a.intersectWith(b, p, AcGe::kExtendArg));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(100, 0)));
    ASSERT_TRUE(a.intersectWith(AcGeLine2d(AcGePoint2d(-7, 3), AcGePoint2d(-7, 4)), p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(-7, 0)));
}

TEST(LinearEnt, ClosestPointClampsOnlySegments) {
    const AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    EXPECT_TRUE(seg.closestPointTo(AcGePoint2d(15, 3)).isEqualTo(AcGePoint2d(10, 0)));
    EXPECT_TRUE(seg.closestPointTo(AcGePoint2d(4, 3)).isEqualTo(AcGePoint2d(4, 0)));
    EXPECT_DOUBLE_EQ(seg.distanceTo(AcGePoint2d(-3, 4)), 5.0);
    const AcGeLine2d line(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    EXPECT_TRUE(line.closestPointTo(AcGePoint2d(15, 3)).isEqualTo(AcGePoint2d(15, 0)));
    EXPECT_TRUE(seg.midPoint().isEqualTo(AcGePoint2d(5, 0)));
    EXPECT_DOUBLE_EQ(seg.paramOf(AcGePoint2d(2.5, 9)), 0.25);
}

TEST(LineSeg3d, SkewSegmentsDoNotMeetCrossingOnesDo) {
    const AcGeLineSeg3d a(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcGePoint3d p;
    EXPECT_FALSE(a.intersectWith(AcGeLineSeg3d(AcGePoint3d(5, -5, 1), AcGePoint3d(5, 5, 1)), p, AcGe::kExtendBoth));
    ASSERT_TRUE(a.intersectWith(AcGeLineSeg3d(AcGePoint3d(5, -5, 0), AcGePoint3d(5, 5, 0)), p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(5, 0, 0)));
    // Projected on the xy plane the skew segments cross.
    ASSERT_TRUE(a.projIntersectWith(AcGeLineSeg3d(AcGePoint3d(5, -5, 1), AcGePoint3d(5, 5, 1)), AcGePlane::kXYPlane,
                                    p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(5, 0, 0)));
}

TEST(LineSeg3d, CrossingAPlane) {
    const AcGeLineSeg3d seg(AcGePoint3d(0, 0, -1), AcGePoint3d(0, 0, 3));
    AcGePoint3d p;
    ASSERT_TRUE(seg.intersectWith(AcGePlane(AcGePoint3d(0, 0, 2), AcGeVector3d::kZAxis), p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(0, 0, 2)));
    EXPECT_FALSE(seg.intersectWith(AcGePlane(AcGePoint3d(0, 0, 5), AcGeVector3d::kZAxis), p));
    EXPECT_FALSE(seg.intersectWith(AcGePlane(AcGePoint3d(1, 0, 0), AcGeVector3d::kXAxis), p));
}

TEST(BoundBlock, GrowsFromEmpty) {
    AcGeBoundBlock3d box;
    EXPECT_TRUE(box.isEmpty());
    box.extend(AcGePoint3d(1, 5, 0)).extend(AcGePoint3d(-2, 3, 4));
    EXPECT_FALSE(box.isEmpty());
    EXPECT_TRUE(box.minPoint().isEqualTo(AcGePoint3d(-2, 3, 0)));
    EXPECT_TRUE(box.maxPoint().isEqualTo(AcGePoint3d(1, 5, 4)));
    EXPECT_TRUE(box.contains(AcGePoint3d(0, 4, 2)));
    EXPECT_TRUE(box.isDisjoint(AcGeBoundBlock3d(AcGePoint3d(2, 0, 0), AcGePoint3d(3, 1, 1))));
}
