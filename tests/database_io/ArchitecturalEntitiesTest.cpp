// The entities of an architect's plan (arcs, ellipses, points, solids):
// made from a file they are real entities, not carried data; they move,
// mirror and measure as their geometry says; groups they do not hold come
// back from both formats; data they cannot be made from stays a proxy.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>

#include "DrawingFixture.h"
#include "database/dbarc.h"
#include "database/dbellipse.h"
#include "database/dbpoint.h"
#include "database/dbsolid.h"
#include "database/io/DrawingFiles.h"
#include "database/io/EntityLists.h"
#include "database/io/FileProxyEntity.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

constexpr double kPi = std::numbers::pi;

void expectNear(const AcGePoint3d& a, const AcGePoint3d& b, const std::string& what) {
    EXPECT_NEAR(a.x, b.x, 1e-9) << what;
    EXPECT_NEAR(a.y, b.y, 1e-9) << what;
    EXPECT_NEAR(a.z, b.z, 1e-9) << what;
}

AcGePoint3dArray gripsOf(AcDbEntity* e) {
    AcGePoint3dArray points;
    AcDbIntArray modes, ids;
    e->getGripPoints(points, modes, ids);
    return points;
}

// A drawing saved by the host with extra entity text at the start of its
// ENTITIES section.
std::string drawingWith(const std::string& entities) {
    AcDbDatabase db;
    std::string dxf;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, true, dxf), Acad::eOk);
    const size_t at = dxf.find("ENTITIES\n");
    EXPECT_NE(at, std::string::npos);
    dxf.insert(at + 9, entities);
    return dxf;
}

// DXF text -> host -> binary -> host -> DXF text.
std::string throughBinary(const std::string& dxf, AcDbDatabase& back) {
    AcDbDatabase db(false, true);
    std::string message, binary, out;
    EXPECT_EQ(orv::io::readDrawingFromString(&db, true, dxf, &message), Acad::eOk) << message;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, false, binary, &message), Acad::eOk) << message;
    EXPECT_EQ(orv::io::readDrawingFromString(&back, false, binary, &message), Acad::eOk) << message;
    EXPECT_EQ(orv::io::saveDrawingToString(&back, true, out, &message), Acad::eOk) << message;
    return out;
}

}  // namespace

TEST(ArchitecturalEntities, MovingTakesEveryGripAlong) {
    const AcGeVector3d v(3, -2, 1);
    AcDbArc arc(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 2.0, 0.25, 2.0);
    AcDbEllipse ellipse(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, AcGeVector3d(2, 1, 0), 0.5, 0.5, 4.0);
    AcDbPoint point(AcGePoint3d(7, 8, 9));
    AcDbSolid solid(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0));
    for (AcDbEntity* e : std::initializer_list<AcDbEntity*>{&arc, &ellipse, &point, &solid}) {
        const AcGePoint3dArray before = gripsOf(e);
        ASSERT_EQ(e->transformBy(AcGeMatrix3d::translation(v)), Acad::eOk) << e->isA()->name();
        const AcGePoint3dArray after = gripsOf(e);
        ASSERT_EQ(before.size(), after.size());
        for (size_t i = 0; i < before.size(); ++i) expectNear(after[i], before[i] + v, e->isA()->name());
    }
}

// A mirror turns the direction of travel: the arc and the elliptical arc
// still cover the mirrored points, not the rest of their circle.
TEST(ArchitecturalEntities, MirroredArcsCoverTheMirroredPoints) {
    const AcGeMatrix3d mirror = AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis));
    AcDbArc arc(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0, 0.0, kPi / 2);
    ASSERT_EQ(arc.transformBy(mirror), Acad::eOk);
    AcGePoint3d s, e;
    arc.getStartPoint(s);
    arc.getEndPoint(e);
    expectNear(s, AcGePoint3d(0, 1, 0), "arc start");
    expectNear(e, AcGePoint3d(-1, 0, 0), "arc end");
    AcGePoint3dArray mid;
    AcDbIntArray none;
    arc.getOsnapPoints(AcDb::kOsModeMid, 0, {}, {}, AcGeMatrix3d::kIdentity, mid, none);
    ASSERT_EQ(mid.size(), 1u);
    expectNear(mid[0], AcGePoint3d(-std::sqrt(0.5), std::sqrt(0.5), 0), "arc middle");

    AcDbEllipse half(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d(2, 0, 0), 0.5, 0.0, kPi / 2);
    ASSERT_EQ(half.transformBy(mirror), Acad::eOk);
    half.getStartPoint(s);
    half.getEndPoint(e);
    expectNear(s, AcGePoint3d(0, 1, 0), "ellipse start");
    expectNear(e, AcGePoint3d(-2, 0, 0), "ellipse end");
}

TEST(ArchitecturalEntities, ExtentsFollowTheSweepNotTheWholeCircle) {
    AcDbArc quarter(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 2.0, 0.0, kPi / 2);
    AcDbExtents box;
    ASSERT_EQ(quarter.getGeomExtents(box), Acad::eOk);
    expectNear(box.minPoint(), AcGePoint3d(1, 1, 0), "quarter min");
    expectNear(box.maxPoint(), AcGePoint3d(3, 3, 0), "quarter max");
    // Crossing the x axis: from 270 to 90 degrees passes through 0.
    AcDbArc right(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0, 1.5 * kPi, kPi / 2);
    AcDbExtents rightBox;
    right.getGeomExtents(rightBox);
    expectNear(rightBox.minPoint(), AcGePoint3d(0, -1, 0), "right min");
    expectNear(rightBox.maxPoint(), AcGePoint3d(1, 1, 0), "right max");
    AcDbEllipse rotated(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d(0, 3, 0), 0.5);
    AcDbExtents ellipseBox;
    rotated.getGeomExtents(ellipseBox);
    expectNear(ellipseBox.minPoint(), AcGePoint3d(-1.5, -3, 0), "ellipse min");
    expectNear(ellipseBox.maxPoint(), AcGePoint3d(1.5, 3, 0), "ellipse max");
}

// Files give planar entities in their plane's coordinates: an arc seen from
// below (normal -Z) with its centre at x 5 lies at world x -5.
TEST(ArchitecturalEntities, PlaneCoordinatesOfTheFileBecomeWorldPoints) {
    const std::string dxf = drawingWith(
        "  0\nARC\n100\nAcDbEntity\n  8\n0\n100\nAcDbCircle\n 10\n5.0\n 20\n0.0\n 30\n0.0\n 40\n1.0\n"
        "210\n0.0\n220\n0.0\n230\n-1.0\n100\nAcDbArc\n 50\n0.0\n 51\n90.0\n"
        "  0\nSOLID\n100\nAcDbEntity\n  8\n0\n100\nAcDbTrace\n 10\n1.0\n 20\n0.0\n 30\n2.0\n 11\n2.0\n 21\n0.0\n"
        " 31\n2.0\n 12\n1.0\n 22\n1.0\n 32\n2.0\n 13\n1.0\n 23\n1.0\n 33\n2.0\n210\n0.0\n220\n0.0\n230\n-1.0\n");
    AcDbDatabase db(false, true);
    std::string message;
    ASSERT_EQ(orv::io::readDrawingFromString(&db, true, dxf, &message), Acad::eOk) << message;
    auto ids = modelSpaceEntities(&db);
    ASSERT_EQ(ids.size(), 2u);
    AcDbEntityPointer arc(ids[0], AcDb::kForRead), solid(ids[1], AcDb::kForRead);
    ASSERT_TRUE(AcDbArc::cast(arc.object()));
    ASSERT_TRUE(AcDbSolid::cast(solid.object()));
    expectNear(AcDbArc::cast(arc.object())->center(), AcGePoint3d(-5, 0, 0), "arc centre");
    AcGePoint3d start;
    AcDbArc::cast(arc.object())->getStartPoint(start);
    expectNear(start, AcGePoint3d(-6, 0, 0), "arc start");
    AcGePoint3d corner;
    AcDbSolid::cast(solid.object())->getPointAt(1, corner);
    expectNear(corner, AcGePoint3d(-2, 0, -2), "solid corner");
}

// Groups the classes do not hold (here a 90 inside the arc's data and an
// unknown subclass after the point's) reach the next DXF through the
// binary format, in their subclass.
TEST(ArchitecturalEntities, GroupsTheClassDoesNotHoldComeBackFromBothFormats) {
    const std::string dxf = drawingWith(
        "  0\nARC\n100\nAcDbEntity\n  8\n0\n100\nAcDbCircle\n 10\n1.0\n 20\n2.0\n 30\n0.0\n 40\n3.0\n"
        "100\nAcDbArc\n 90\n7\n 50\n30.0\n 51\n120.0\n"
        "  0\nPOINT\n100\nAcDbEntity\n  8\n0\n100\nAcDbPoint\n 10\n4.0\n 20\n5.0\n 30\n0.0\n"
        "100\nAcDbFuturePoint\n  1\nkeep me\n");
    AcDbDatabase back(false, true);
    const std::string out = throughBinary(dxf, back);
    EXPECT_NE(out.find("100\nAcDbArc\n 50\n30.0\n 51\n120.0\n 90\n7\n"), std::string::npos) << out;
    EXPECT_NE(out.find("100\nAcDbFuturePoint\n  1\nkeep me\n"), std::string::npos);
    auto ids = modelSpaceEntities(&back);
    ASSERT_EQ(ids.size(), 2u);
    AcDbEntityPointer arc(ids[0], AcDb::kForRead);
    ASSERT_TRUE(AcDbArc::cast(arc.object()));
    EXPECT_NEAR(AcDbArc::cast(arc.object())->startAngle(), kPi / 6, 1e-12);
}

// Data no ellipse can be made of (no major axis) is carried unchanged as
// a proxy of its kind; the drawing still opens.
TEST(ArchitecturalEntities, EllipseWithoutAnAxisStaysAProxy) {
    const std::string dxf = drawingWith(
        "  0\nELLIPSE\n100\nAcDbEntity\n  8\n0\n100\nAcDbEllipse\n 10\n1.0\n 20\n2.0\n 30\n0.0\n"
        " 11\n0.0\n 21\n0.0\n 31\n0.0\n 40\n0.5\n 41\n0.0\n 42\n3.0\n");
    AcDbDatabase back(false, true);
    const std::string out = throughBinary(dxf, back);
    auto ids = modelSpaceEntities(&back);
    ASSERT_EQ(ids.size(), 1u);
    AcDbEntityPointer e(ids[0], AcDb::kForRead);
    auto* proxy = AcDbFileProxyEntity::cast(e.object());
    ASSERT_TRUE(proxy);
    EXPECT_EQ(proxy->originalClass().dxfName, "ELLIPSE");
    EXPECT_NE(out.find(" 11\n0.0\n 21\n0.0\n 31\n0.0\n 40\n0.5\n 41\n0.0\n 42\n3.0\n"), std::string::npos);
}

TEST(ArchitecturalEntities, EntGetListsAnglesInRadiansBehindTheMarkers) {
    AcDbDatabase db;
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    resbuf *list = nullptr, *tail = nullptr;
    auto add = [&](int code) {
        auto* rb = static_cast<resbuf*>(calloc(1, sizeof(resbuf)));
        rb->restype = static_cast<short>(code);
        (tail ? tail->rbnext : list) = rb;
        tail = rb;
        return rb;
    };
    add(0)->resval.rstring = orvDupResbufString("ARC");
    resbuf* center = add(10);
    center->resval.rpoint[0] = 1, center->resval.rpoint[1] = 2;
    add(40)->resval.rreal = 2.0;
    add(50)->resval.rreal = kPi / 2;
    add(51)->resval.rreal = kPi;
    EXPECT_EQ(acdbEntMake(list), RTNORM);
    orvReleaseResbufs(list);
    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    resbuf* got = acdbEntGet(last);
    std::vector<std::pair<int, double>> reals;
    bool marker = false;
    for (resbuf* rb = got; rb; rb = rb->rbnext) {
        if (rb->restype == 100 && std::string(rb->resval.rstring) == "AcDbArc") marker = true;
        if (rb->restype == 40 || rb->restype == 50 || rb->restype == 51) reals.emplace_back(rb->restype, rb->resval.rreal);
    }
    orvReleaseResbufs(got);
    acdbHostApplicationServices()->setWorkingDatabase(previous);
    EXPECT_TRUE(marker);
    EXPECT_EQ(reals, (std::vector<std::pair<int, double>>{{40, 2.0}, {50, kPi / 2}, {51, kPi}}));
}

// The plan the demo starts from: every entity of it is modelled, and what
// comes out through both formats is the file's groups (documented changes
// only) and passes the other program's audit.
TEST(ArchitecturalEntities, BundledPlanIsModelledAndComesBackWhole) {
    AcDbDatabase db(false, true);
    std::string message;
    ASSERT_EQ(orv::io::readDrawing(&db, ORV_ARCHITECT_PLAN, &message), Acad::eOk) << message;
    for (AcDbObjectId id : modelSpaceEntities(&db)) {
        AcDbEntityPointer e(id, AcDb::kForRead);
        auto* proxy = AcDbFileProxyEntity::cast(e.object());
        EXPECT_FALSE(proxy) << (proxy ? proxy->originalClass().dxfName : "");
    }
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) GTEST_SKIP() << "ezdxf not installed";
    std::ifstream in(ORV_ARCHITECT_PLAN, std::ios::binary);
    const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    AcDbDatabase back(false, true);
    const std::string out = throughBinary(original, back);
    ScratchDir dir;
    std::ofstream(dir.path("plan.dxf"), std::ios::binary) << out;
    const std::string python = "/usr/bin/python3 ";
    EXPECT_EQ(std::system((python + ORV_DXF_COMPARE + " " + ORV_ARCHITECT_PLAN + " " + dir.path("plan.dxf")).c_str()), 0);
    EXPECT_EQ(std::system((python + ORV_EZDXF_CHECK + " " + dir.path("plan.dxf")).c_str()), 0);
}
