// Duct curve protocol and editing: parameters, closest points, editor edits
// that never change elevations, a riser's single stretch point, snaps,
// intersections through a line, the listing and the class registration.
#include <cmath>

#include "DuctEntityFixture.h"
#include "database/dbcircle.h"
#include "database/dbline.h"

namespace {

class DuctEditing : public DuctEntityFixture {
protected:
    // A run from (0,0,10) to (30,40,20): length in plan 50.
    void SetUp() override {
        DuctEntityFixture::SetUp();
        run.setStartPoint(AcGePoint3d(0, 0, 10));
        run.setEndPoint(AcGePoint3d(30, 40, 20));
        riser.setStartPoint(AcGePoint3d(5, 5, 0));
        riser.setEndPoint(AcGePoint3d(5.0005, 5, 12));
    }
    ZkDuct run;
    ZkDuct riser;
};

} // namespace

TEST_F(DuctEditing, ParametersAreDistancesAlongTheSegment) {
    double param = -1;
    ASSERT_EQ(run.getEndParam(param), Acad::eOk);
    const double length = std::sqrt(50.0 * 50.0 + 10.0 * 10.0);
    EXPECT_DOUBLE_EQ(param, length);
    AcGePoint3d p;
    run.getPointAtParam(length / 2, p);
    EXPECT_EQ(p, AcGePoint3d(15, 20, 15));
    run.getParamAtPoint(AcGePoint3d(15, 20, 15), param);
    EXPECT_NEAR(param, length / 2, 1e-9);
    run.getDistAtPoint(AcGePoint3d(30, 40, 10), param);
    EXPECT_DOUBLE_EQ(param, 50.0);
    AcGeVector3d v;
    run.getFirstDeriv(3.0, v);
    EXPECT_EQ(v, AcGeVector3d(30, 40, 10));
    run.getSecondDeriv(3.0, v);
    EXPECT_TRUE(v.isZeroLength());
    AcDb::Planarity planarity = AcDb::kNonPlanar;
    AcGePlane plane;
    ASSERT_EQ(run.getPlane(plane, planarity), Acad::eOk);
    EXPECT_EQ(planarity, AcDb::kLinear);
    EXPECT_EQ(plane.pointOnPlane(), AcGePoint3d(0, 0, 10));
    EXPECT_EQ(plane.normal(), AcGeVector3d::kZAxis);
}

// The plane and the intersection line take the normal of the current UCS.
TEST_F(DuctEditing, PlaneFollowsTheCurrentUcs) {
    AcDbHeaderValue x, y;
    x.type = y.type = RT3DPOINT;
    x.point[0] = 1.0;
    y.point[2] = 1.0;
    ASSERT_EQ(db->setHeaderVar("UCSXDIR", x), Acad::eOk);
    ASSERT_EQ(db->setHeaderVar("UCSYDIR", y), Acad::eOk);
    AcGePlane plane;
    AcDb::Planarity planarity;
    run.getPlane(plane, planarity);
    EXPECT_EQ(plane.normal(), AcGeVector3d(0, -1, 0));
}

TEST_F(DuctEditing, ClosestPointIsClampedUnlessExtendIsAsked) {
    ZkDuct flat;
    flat.setEndPoint(AcGePoint3d(10, 0, 0));
    AcGePoint3d p;
    flat.getClosestPointTo(AcGePoint3d(4, 3, 0), p);
    EXPECT_EQ(p, AcGePoint3d(4, 0, 0));
    flat.getClosestPointTo(AcGePoint3d(-4, 3, 0), p);
    EXPECT_EQ(p, AcGePoint3d(0, 0, 0));
    flat.getClosestPointTo(AcGePoint3d(14, 3, 0), p);
    EXPECT_EQ(p, AcGePoint3d(10, 0, 0));
    flat.getClosestPointTo(AcGePoint3d(14, 3, 0), p, true);
    EXPECT_EQ(p, AcGePoint3d(14, 0, 0));
}

// Seen along z, the sloped run's point under (15, 20, 99) is its midpoint.
TEST_F(DuctEditing, ClosestPointAlongADirectionWorksOnTheProjection) {
    AcGePoint3d p;
    ASSERT_EQ(run.getClosestPointTo(AcGePoint3d(15, 20, 99), AcGeVector3d::kZAxis, p), Acad::eOk);
    EXPECT_EQ(p, AcGePoint3d(15, 20, 15));
    run.getClosestPointTo(AcGePoint3d(60, 80, 0), AcGeVector3d::kZAxis, p);
    EXPECT_EQ(p, AcGePoint3d(30, 40, 20));
    run.getClosestPointTo(AcGePoint3d(60, 80, 0), AcGeVector3d::kZAxis, p, true);
    EXPECT_EQ(p, AcGePoint3d(60, 80, 30));
    riser.setEndPoint(AcGePoint3d(5, 5, 12));
    riser.getClosestPointTo(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, p);
    EXPECT_EQ(p, AcGePoint3d(5, 5, 0));
}

TEST_F(DuctEditing, EditorEditsMoveXAndYButNeverZ) {
    AcDbIntArray start{0}, middle{1}, end{2};
    const AcGeVector3d offset(1, 2, 3);
    run.moveGripPointsAt(start, offset);
    EXPECT_EQ(run.startPoint(), AcGePoint3d(1, 2, 10));
    run.moveGripPointsAt(middle, offset);
    EXPECT_EQ(run.startPoint(), AcGePoint3d(2, 4, 10));
    EXPECT_EQ(run.endPoint(), AcGePoint3d(31, 42, 20));
    run.moveGripPointsAt(end, offset);
    EXPECT_EQ(run.endPoint(), AcGePoint3d(32, 44, 20));

    AcDbIntArray second{1};
    run.moveStretchPointsAt(second, AcGeVector3d(-2, -4, 7));
    EXPECT_EQ(run.endPoint(), AcGePoint3d(30, 40, 20));
    EXPECT_EQ(run.startPoint(), AcGePoint3d(2, 4, 10));

    AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(10, 0, 50));
    run.transformBy(move);
    EXPECT_EQ(run.startPoint(), AcGePoint3d(12, 4, 10));
    EXPECT_EQ(run.endPoint(), AcGePoint3d(40, 40, 20));

    run.extend(true, AcGePoint3d(0, 0, 99));
    EXPECT_EQ(run.startPoint(), AcGePoint3d(0, 0, 10));
    run.extend(false, AcGePoint3d(60, 80, -5));
    EXPECT_EQ(run.endPoint(), AcGePoint3d(60, 80, 20));
}

TEST_F(DuctEditing, ExtendByParameterMovesTheNearerEndInPlan) {
    ZkDuct flat;
    flat.setStartPoint(AcGePoint3d(0, 0, 1));
    flat.setEndPoint(AcGePoint3d(10, 0, 1));
    flat.extend(-5.0);
    EXPECT_EQ(flat.startPoint(), AcGePoint3d(-5, 0, 1));
    flat.extend(20.0);  // measured from the new start
    EXPECT_EQ(flat.endPoint(), AcGePoint3d(15, 0, 1));
}

TEST_F(DuctEditing, GripsAreStartMiddleEndAndStretchPointsLieAtZeroElevation) {
    AcGePoint3dArray grips, stretch;
    AcDbIntArray modes, ids;
    run.getGripPoints(grips, modes, ids);
    ASSERT_EQ(grips.size(), 3u);
    EXPECT_EQ(grips[1], AcGePoint3d(15, 20, 15));
    run.getStretchPoints(stretch);
    ASSERT_EQ(stretch.size(), 2u);
    EXPECT_EQ(stretch[0], AcGePoint3d(0, 0, 0));
    EXPECT_EQ(stretch[1], AcGePoint3d(30, 40, 0));
}

TEST_F(DuctEditing, ARiserHasOneStretchPointThatMovesBothEnds) {
    AcGePoint3dArray stretch;
    riser.getStretchPoints(stretch);
    ASSERT_EQ(stretch.size(), 1u);
    EXPECT_EQ(stretch[0], AcGePoint3d(5, 5, 0));
    AcDbIntArray first{0};
    riser.moveStretchPointsAt(first, AcGeVector3d(1, 1, 1));
    EXPECT_EQ(riser.startPoint(), AcGePoint3d(6, 6, 0));
    EXPECT_EQ(riser.endPoint(), AcGePoint3d(6.0005, 6, 12));
}

TEST_F(DuctEditing, SnapsOfARunAndOfARiser) {
    const AcGeMatrix3d view;
    AcDbIntArray ids;
    auto snaps = [&](const ZkDuct& duct, AcDb::OsnapMode mode, const AcGePoint3d& pick, const AcGePoint3d& last) {
        AcGePoint3dArray points;
        duct.getOsnapPoints(mode, 0, pick, last, view, points, ids);
        return points;
    };
    EXPECT_EQ(snaps(run, AcDb::kOsModeEnd, {}, {}).size(), 2u);
    EXPECT_EQ(snaps(run, AcDb::kOsModeMid, {}, {}).at(0), AcGePoint3d(15, 20, 15));
    EXPECT_TRUE(snaps(run, AcDb::kOsModeCen, {}, {}).empty());
    EXPECT_EQ(snaps(riser, AcDb::kOsModeCen, {}, {}).size(), 2u);
    EXPECT_TRUE(snaps(run, AcDb::kOsModeQuad, {}, {}).empty());

    ZkDuct flat;
    flat.setEndPoint(AcGePoint3d(10, 0, 0));
    EXPECT_EQ(snaps(flat, AcDb::kOsModePerp, {}, AcGePoint3d(14, 5, 0)).at(0), AcGePoint3d(14, 0, 0));
    EXPECT_EQ(snaps(flat, AcDb::kOsModeNear, AcGePoint3d(14, 5, 0), {}).at(0), AcGePoint3d(10, 0, 0));
}

TEST_F(DuctEditing, ExtentsLeaveOutTheEndOfARiserAndExplodeIsRefused) {
    AcDbExtents extents;
    ASSERT_EQ(run.getGeomExtents(extents), Acad::eOk);
    EXPECT_EQ(extents.maxPoint(), AcGePoint3d(30, 40, 20));
    riser.setEndPoint(AcGePoint3d(5, 5, 12));
    AcDbExtents riserExtents;
    riser.getGeomExtents(riserExtents);
    EXPECT_EQ(riserExtents.maxPoint(), AcGePoint3d(5, 5, 0));
    AcDbVoidPtrArray pieces;
    EXPECT_EQ(run.explode(pieces), Acad::eNotApplicable);
    EXPECT_TRUE(pieces.empty());
}

TEST_F(DuctEditing, IntersectionsGoThroughALineWithTheExtendModesSwapped) {
    ZkDuct a, b;
    a.setEndPoint(AcGePoint3d(10, 0, 0));
    b.setStartPoint(AcGePoint3d(15, -5, 0));
    b.setEndPoint(AcGePoint3d(15, 5, 0));
    AcGePoint3dArray points;
    ASSERT_EQ(a.intersectWith(&b, AcDb::kOnBothOperands, points), Acad::eOk);
    EXPECT_TRUE(points.empty());
    ASSERT_EQ(a.intersectWith(&b, AcDb::kExtendThis, points), Acad::eOk);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], AcGePoint3d(15, 0, 0));
    points.clear();
    b.intersectWith(&a, AcDb::kExtendThis, points);
    EXPECT_TRUE(points.empty());  // extending b does not reach a
    b.intersectWith(&a, AcDb::kExtendArg, points);
    EXPECT_EQ(points.size(), 1u);

    // Ducts at different elevations meet in the projection on a plane.
    AcDbLine high(AcGePoint3d(5, -5, 9), AcGePoint3d(5, 5, 9));
    points.clear();
    a.intersectWith(&high, AcDb::kOnBothOperands, points);
    EXPECT_TRUE(points.empty());
    a.intersectWith(&high, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].convert2d(), AcGePoint2d(5, 0));
}

TEST_F(DuctEditing, ListingPrintsKeyAndElevationsWithTwoDecimals) {
    ZkDuct duct;
    duct.setDuctKey(12);
    duct.setStartPoint(AcGePoint3d(0, 0, 10));
    duct.setEndPoint(AcGePoint3d(5, 0, 12.5));
    output.clear();
    duct.list();
    EXPECT_NE(output.find("ZkDuct"), std::string::npos);
    EXPECT_NE(output.find("                   Duct ID = 12\n"
                          "                   Starting elevation = 10.00\n"
                          "                   Ending elevation = 12.50\n"),
              std::string::npos)
        << output;
}

TEST_F(DuctEditing, ClassIsRegisteredAsACurveUnderItsTaggedName) {
    AcRxClass* cls = ZkDuct::desc();
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->dxfName(), "ZKDUCT");
    EXPECT_EQ(cls->myParent(), AcDbCurve::desc());
    EXPECT_EQ(cls->proxyFlags(), 1);
    EXPECT_EQ(cls->appName().front(), '"');
    EXPECT_EQ(cls->appName().rfind("\"Orvane Duct|", 0), 0u);
    AcRxObject* made = cls->create();
    ASSERT_NE(ZkDuct::cast(made), nullptr);
    EXPECT_EQ(ZkDuct::cast(made)->sizeFor(), "X");
    delete made;
    ZkDuct::rxInit();  // again: nothing changes
    EXPECT_EQ(ZkDuct::desc(), cls);
}
