// Points and vectors: tolerance equality, angles in every quadrant, rotation.
#include "geometry/AcGe.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
}

TEST(Vector2dAngle, CoversEveryQuadrantInZeroToTwoPi) {
    EXPECT_DOUBLE_EQ(AcGeVector2d(1, 0).angle(), 0.0);
    EXPECT_DOUBLE_EQ(AcGeVector2d(1, 1).angle(), kPi / 4);
    EXPECT_DOUBLE_EQ(AcGeVector2d(0, 1).angle(), kPi / 2);
    EXPECT_DOUBLE_EQ(AcGeVector2d(-1, 1).angle(), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(AcGeVector2d(-1, 0).angle(), kPi);
    EXPECT_DOUBLE_EQ(AcGeVector2d(-1, -1).angle(), 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(AcGeVector2d(0, -1).angle(), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(AcGeVector2d(1, -1).angle(), 7 * kPi / 4);
}

TEST(Vector2dAngle, TinyNegativeYStaysBelowTwoPi) {
    const double a = AcGeVector2d(1, -1e-300).angle();
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 2 * kPi);
    EXPECT_EQ(AcGeVector2d(0, 0).angle(), 0.0);
}

TEST(Vector2dAngle, AngleToIsUnsigned) {
    EXPECT_DOUBLE_EQ(AcGeVector2d(1, 0).angleTo(AcGeVector2d(0, -1)), kPi / 2);
    EXPECT_DOUBLE_EQ(AcGeVector2d(1, 0).angleTo(AcGeVector2d(-1, 0)), kPi);
}

TEST(Vector3dAngle, AngleToWithReferenceIsCounterClockwise) {
    const AcGeVector3d x = AcGeVector3d::kXAxis;
    EXPECT_NEAR(x.angleTo(AcGeVector3d(0, -1, 0), AcGeVector3d::kZAxis), 3 * kPi / 2, 1e-12);
    EXPECT_NEAR(x.angleTo(AcGeVector3d(0, -1, 0), -AcGeVector3d::kZAxis), kPi / 2, 1e-12);
    EXPECT_NEAR(x.angleTo(AcGeVector3d(0, 1, 0)), kPi / 2, 1e-12);
}

TEST(Tolerance, EqualityUsesPointAndVectorTolerances) {
    const AcGePoint3d p(1, 2, 3);
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(1, 2, 3 + 1e-11)));
    EXPECT_FALSE(p.isEqualTo(AcGePoint3d(1, 2, 3 + 1e-6)));
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(1, 2, 3 + 1e-6), AcGeTol(1e-5, 1e-5)));
    EXPECT_TRUE(p == AcGePoint3d(1, 2, 3 + 1e-11));

    const AcGeTol saved = AcGeContext::gTol;
    AcGeContext::gTol.setEqualPoint(0.01);
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(1.005, 2, 3)));
    AcGeContext::gTol = saved;
    EXPECT_FALSE(p.isEqualTo(AcGePoint3d(1.005, 2, 3)));
}

TEST(Vector3d, NormalOfZeroVectorStaysZero) {
    EXPECT_TRUE(AcGeVector3d(0, 0, 0).normal().isZeroLength());
    EXPECT_TRUE(AcGeVector3d(0, 3, 4).normal().isEqualTo(AcGeVector3d(0, 0.6, 0.8)));
    AcGeVector3d v(10, 0, 0);
    v.normalize();
    EXPECT_TRUE(v.isUnitLength());
}

TEST(Vector3d, ParallelPerpendicularAndCodirectional) {
    const AcGeVector3d a(1, 1, 0);
    EXPECT_TRUE(a.isParallelTo(AcGeVector3d(-2, -2, 0)));
    EXPECT_FALSE(a.isCodirectionalTo(AcGeVector3d(-2, -2, 0)));
    EXPECT_TRUE(a.isCodirectionalTo(AcGeVector3d(3, 3, 0)));
    EXPECT_TRUE(a.isPerpendicularTo(AcGeVector3d(1, -1, 5)));
    // A zero vector is neither parallel nor perpendicular to anything.
    EXPECT_FALSE(a.isParallelTo(AcGeVector3d()));
    EXPECT_FALSE(a.isPerpendicularTo(AcGeVector3d()));
}

TEST(Vector3d, CrossProductIsRightHanded) {
    EXPECT_TRUE(AcGeVector3d::kXAxis.crossProduct(AcGeVector3d::kYAxis).isEqualTo(AcGeVector3d::kZAxis));
    EXPECT_DOUBLE_EQ(AcGeVector3d(1, 2, 3).dotProduct(AcGeVector3d(4, 5, 6)), 32.0);
}

TEST(Vector3d, PerpVectorFollowsArbitraryAxisRule) {
    // Normals near the z axis take the world y axis as helper: x axis stays x.
    EXPECT_TRUE(AcGeVector3d::kZAxis.perpVector().isEqualTo(AcGeVector3d::kXAxis));
    EXPECT_TRUE(AcGeVector3d(0, 0, -1).perpVector().isEqualTo(-AcGeVector3d::kXAxis));
    const AcGeVector3d n(1, 2, 3);
    EXPECT_TRUE(n.perpVector().isPerpendicularTo(n));
}

TEST(Points, ArithmeticAndRotation) {
    const AcGePoint3d a(1, 1, 0), b(4, 5, 0);
    EXPECT_DOUBLE_EQ(a.distanceTo(b), 5.0);
    EXPECT_TRUE((a + (b - a)).isEqualTo(b));
    EXPECT_TRUE(a.asVector().isEqualTo(AcGeVector3d(1, 1, 0)));

    AcGePoint2d p(2, 1);
    p.rotateBy(kPi / 2, AcGePoint2d(1, 1));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(1, 2)));

    AcGePoint3d q(2, 0, 5);
    q.rotateBy(kPi, AcGeVector3d::kZAxis, AcGePoint3d(1, 0, 0));
    EXPECT_TRUE(q.isEqualTo(AcGePoint3d(0, 0, 5)));

    AcGeVector2d v(1, 0);
    v.rotateBy(kPi / 2);
    EXPECT_TRUE(v.isEqualTo(AcGeVector2d(0, 1)));
}
