// Matrices: composition order, inverse, determinant, standard transformations.
#include "geometry/AcGe.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
}

TEST(Matrix3d, ProductAppliesRightOperandFirst) {
    const AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(10, 0, 0));
    const AcGeMatrix3d turn = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    const AcGePoint3d p(1, 0, 0);
    // Rotate, then move.
    EXPECT_TRUE((move * turn * p).isEqualTo(AcGePoint3d(10, 1, 0)));
    // Move, then rotate.
    EXPECT_TRUE((turn * move * p).isEqualTo(AcGePoint3d(0, 11, 0)));

    AcGeMatrix3d m;
    m.setToProduct(move, turn);
    EXPECT_TRUE(m.isEqualTo(move * turn));
    AcGeMatrix3d pre = turn;
    pre.preMultBy(move);
    EXPECT_TRUE(pre.isEqualTo(m));
    AcGeMatrix3d post = move;
    post.postMultBy(turn);
    EXPECT_TRUE(post.isEqualTo(m));
}

TEST(Matrix3d, RotationKeepsItsCentre) {
    const AcGePoint3d c(5, 5, 0);
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, c);
    EXPECT_TRUE((r * c).isEqualTo(c));
    EXPECT_TRUE((r * AcGePoint3d(6, 5, 0)).isEqualTo(AcGePoint3d(5, 6, 0)));
    // Vectors ignore the translation part.
    EXPECT_TRUE((r * AcGeVector3d(1, 0, 0)).isEqualTo(AcGeVector3d(0, 1, 0)));
}

TEST(Matrix3d, ScalingAboutCentre) {
    const AcGeMatrix3d s = AcGeMatrix3d::scaling(2.0, AcGePoint3d(1, 1, 1));
    EXPECT_TRUE((s * AcGePoint3d(2, 1, 1)).isEqualTo(AcGePoint3d(3, 1, 1)));
    EXPECT_DOUBLE_EQ(s.det(), 8.0);
    EXPECT_DOUBLE_EQ(s.scale(), 2.0);
}

TEST(Matrix3d, InverseUndoesComposition) {
    const AcGeMatrix3d m = AcGeMatrix3d::translation(AcGeVector3d(3, -2, 7)) *
                           AcGeMatrix3d::rotation(0.7, AcGeVector3d(1, 2, 3), AcGePoint3d(1, 1, 1)) *
                           AcGeMatrix3d::scaling(2.5);
    EXPECT_TRUE((m * m.inverse()).isEqualTo(AcGeMatrix3d::kIdentity, AcGeTol(1e-9, 1e-9)));
    const AcGePoint3d p(4, 5, 6);
    EXPECT_TRUE((m.inverse() * (m * p)).isEqualTo(p, AcGeTol(1e-9, 1e-9)));
    EXPECT_NEAR(m.det(), 2.5 * 2.5 * 2.5, 1e-9);
}

TEST(Matrix3d, SingularMatrixHasNoInverse) {
    const AcGeMatrix3d flat = AcGeMatrix3d::scaling(0.0);
    EXPECT_TRUE(flat.isSingular());
    AcGeMatrix3d out;
    EXPECT_FALSE(flat.inverse(out, 1e-12));
    EXPECT_TRUE(flat.inverse().isEqualTo(AcGeMatrix3d::kIdentity));
}

TEST(Matrix3d, MirroringHasNegativeDeterminant) {
    const AcGeMatrix3d m = AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(2, 0, 0), AcGeVector3d::kXAxis));
    EXPECT_TRUE((m * AcGePoint3d(3, 1, 0)).isEqualTo(AcGePoint3d(1, 1, 0)));
    EXPECT_NEAR(m.det(), -1.0, 1e-12);
}

TEST(Matrix3d, PlaneToWorldAndBackAreInverse) {
    const AcGeVector3d n(0.3, -0.4, 0.866);
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(n);
    EXPECT_TRUE((toWorld * AcGeVector3d::kZAxis).isEqualTo(n.normal()));
    EXPECT_TRUE((AcGeMatrix3d::worldToPlane(n) * toWorld).isEqualTo(AcGeMatrix3d::kIdentity));
    // The z-axis plane is the world itself.
    EXPECT_TRUE(AcGeMatrix3d::planeToWorld(AcGeVector3d::kZAxis).isEqualTo(AcGeMatrix3d::kIdentity));
}

TEST(Matrix3d, AlignCoordSysMapsOneFrameOntoAnother) {
    const AcGeMatrix3d m = AcGeMatrix3d::alignCoordSys(
        AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis,
        AcGePoint3d(10, 0, 0), AcGeVector3d::kYAxis, -AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
    EXPECT_TRUE((m * AcGePoint3d(1, 0, 0)).isEqualTo(AcGePoint3d(10, 1, 0)));
}

TEST(Matrix2d, RotationInverseAndDeterminant) {
    const AcGeMatrix2d r = AcGeMatrix2d::rotation(kPi / 2, AcGePoint2d(1, 1));
    AcGePoint2d p(2, 1);
    p.transformBy(r);
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(1, 2)));
    EXPECT_NEAR(r.det(), 1.0, 1e-12);
    EXPECT_TRUE((r * r.inverse()).isEqualTo(AcGeMatrix2d::kIdentity));
}

TEST(Scale3d, MatrixIsDiagonal) {
    const AcGeScale3d s(2, 3, 4);
    EXPECT_TRUE((s.getMatrix() * AcGePoint3d(1, 1, 1)).isEqualTo(AcGePoint3d(2, 3, 4)));
    EXPECT_TRUE((s * AcGeScale3d(0.5)).isEqualTo(AcGeScale3d(1, 1.5, 2)));
}

TEST(Plane, ProjectionAndCoordinates) {
    const AcGePlane plane(AcGePoint3d(0, 0, 5), AcGeVector3d::kZAxis);
    EXPECT_DOUBLE_EQ(plane.signedDistanceTo(AcGePoint3d(1, 2, 8)), 3.0);
    EXPECT_TRUE(plane.closestPointTo(AcGePoint3d(1, 2, 8)).isEqualTo(AcGePoint3d(1, 2, 5)));
    const AcGePoint2d uv = plane.paramOf(AcGePoint3d(1, 2, 8));
    EXPECT_TRUE(plane.evalPoint(uv).isEqualTo(AcGePoint3d(1, 2, 5)));
    double a, b, c, d;
    plane.getCoefficients(a, b, c, d);
    EXPECT_DOUBLE_EQ(d, -5.0);
    EXPECT_TRUE(AcGePlane(a, b, c, d).isCoplanarTo(plane));
}
