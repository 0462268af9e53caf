// Standard entities: editing protocol, geometry, filing round trips, block
// insert and explode, proxies and class lookup.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "database/dbblockref.h"
#include "database/dbcircle.h"
#include "database/dbclasses.h"
#include "database/dbclone.h"
#include "database/dbdatabase.h"
#include "database/dbface.h"
#include "database/dbleader.h"
#include "database/dbline.h"
#include "database/dbmtext.h"
#include "database/dbpolyline.h"
#include "database/dbspline.h"
#include "database/dbtext.h"
#include "database/io/DwgMemoryFiler.h"
#include "graphics/AcGiTextLayout.h"
#include "graphics/AcGiRecordingContext.h"

namespace {
const AcGeMatrix3d kIdentity;

// Writes an entity of db and reads it into a new instance of its class.
template <class T>
std::unique_ptr<T> roundTrip(const T& source, AcDbDatabase* db) {
    AcDbDwgMemoryFiler out(AcDb::kFileFiler, db);
    EXPECT_EQ(source.dwgOutFields(&out), Acad::eOk);
    auto copy = std::make_unique<T>();
    AcDbDwgMemoryFiler in(out.data(), [db](AcDbHandle h) {
        AcDbObjectId id;
        db->getAcDbObjectId(id, false, h);
        return id;
    }, AcDb::kFileFiler, db);
    EXPECT_EQ(copy->dwgInFields(&in), Acad::eOk);
    EXPECT_EQ(in.remaining(), 0u);
    return copy;
}
} // namespace

TEST(LineTest, GripsStretchSnapsExtentsTransform) {
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcGePoint3dArray grips;
    AcDbIntArray modes, ids;
    line.getGripPoints(grips, modes, ids);
    ASSERT_EQ(grips.size(), 3u);
    EXPECT_EQ(grips[1], AcGePoint3d(5, 0, 0));
    line.moveGripPointsAt({1}, AcGeVector3d(0, 2, 0)); // the middle grip moves the whole line
    EXPECT_EQ(line.startPoint(), AcGePoint3d(0, 2, 0));
    EXPECT_EQ(line.endPoint(), AcGePoint3d(10, 2, 0));
    line.moveStretchPointsAt({1}, AcGeVector3d(5, 0, 0));
    EXPECT_EQ(line.endPoint(), AcGePoint3d(15, 2, 0));

    AcGePoint3dArray snaps;
    line.getOsnapPoints(AcDb::kOsModeMid, 0, {}, {}, kIdentity, snaps, ids);
    EXPECT_EQ(snaps.at(0), AcGePoint3d(7.5, 2, 0));
    snaps.clear();
    // Perpendicular from a point beyond the end lands on the extension.
    line.getOsnapPoints(AcDb::kOsModePerp, 0, {}, AcGePoint3d(20, 7, 0), kIdentity, snaps, ids);
    EXPECT_EQ(snaps.at(0), AcGePoint3d(20, 2, 0));

    line.transformBy(AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis));
    AcDbExtents ext;
    ASSERT_EQ(line.getGeomExtents(ext), Acad::eOk);
    EXPECT_EQ(ext.minPoint(), AcGePoint3d(-2, 0, 0));
    EXPECT_EQ(ext.maxPoint(), AcGePoint3d(-2, 15, 0));
    double end = 0;
    line.getEndParam(end);
    EXPECT_DOUBLE_EQ(end, 15.0);
    AcGePoint3d p;
    EXPECT_EQ(line.getPointAtParam(16.0, p), Acad::eInvalidInput);
}

TEST(LineTest, IntersectionsWithExtendModesAndOnAPlane) {
    AcDbLine a(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcDbLine b(AcGePoint3d(15, -5, 0), AcGePoint3d(15, 5, 0));
    AcGePoint3dArray points;
    EXPECT_EQ(a.intersectWith(&b, AcDb::kOnBothOperands, points), Acad::eOk);
    EXPECT_TRUE(points.empty());
    a.intersectWith(&b, AcDb::kExtendArg, points);
    EXPECT_TRUE(points.empty());  // b extended does not reach a
    a.intersectWith(&b, AcDb::kExtendThis, points);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], AcGePoint3d(15, 0, 0));

    // Lines at different heights meet only in their projection.
    AcDbLine high(AcGePoint3d(5, -5, 3), AcGePoint3d(5, 5, 3));
    points.clear();
    a.intersectWith(&high, AcDb::kOnBothOperands, points);
    EXPECT_TRUE(points.empty());
    a.intersectWith(&high, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], AcGePoint3d(5, 0, 0));

    // Other entities are asked in turn; a circle does not answer yet.
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 2.0);
    EXPECT_EQ(a.intersectWith(&circle, AcDb::kOnBothOperands, points), Acad::eNotImplemented);
    EXPECT_EQ(a.intersectWith(nullptr, AcDb::kOnBothOperands, points), Acad::eNullEntityPointer);
}

TEST(DatabaseUcsTest, AxesDefaultToTheWorldAndFollowTheHeader) {
    AcDbDatabase db(true, true);
    EXPECT_EQ(db.ucsxdir(), AcGeVector3d::kXAxis);
    EXPECT_EQ(db.ucsydir(), AcGeVector3d::kYAxis);
    AcDbHeaderValue y;
    y.type = RT3DPOINT;
    y.point[2] = 1.0;
    ASSERT_EQ(db.setHeaderVar("ucsydir", y), Acad::eOk);
    EXPECT_EQ(db.ucsydir(), AcGeVector3d::kZAxis);
    AcDbHeaderValue wrong;  // a real is not an axis
    ASSERT_EQ(db.setHeaderVar("UCSXDIR", wrong), Acad::eOk);
    EXPECT_EQ(db.ucsxdir(), AcGeVector3d::kXAxis);
}

TEST(PolylineTest, AreaPositiveInBothOrientationsWithBulges) {
    auto square = [](bool ccw) {
        AcDbPolyline pl;
        const AcGePoint2d pts[4] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
        for (int i = 0; i < 4; ++i) pl.addVertexAt(i, pts[ccw ? i : 3 - i]);
        pl.setClosed(true);
        double a = 0;
        pl.getArea(a);
        return a;
    };
    EXPECT_DOUBLE_EQ(square(true), 16.0);
    EXPECT_DOUBLE_EQ(square(false), 16.0);

    // Two half circles: a full circle of radius 1, either direction.
    for (double b : {1.0, -1.0}) {
        AcDbPolyline circle;
        circle.addVertexAt(0, AcGePoint2d(0, 0), b);
        circle.addVertexAt(1, AcGePoint2d(2, 0), b);
        circle.setClosed(true);
        double a = 0;
        circle.getArea(a);
        EXPECT_NEAR(a, std::numbers::pi, 1e-12);
        double len = 0, endParam = 0;
        circle.getEndParam(endParam);
        circle.getDistAtParam(endParam, len);
        EXPECT_NEAR(len, 2 * std::numbers::pi, 1e-12);
    }
}

TEST(MTextTest, ActualSizeAndWrapping) {
    AcDbMText m;
    m.setTextHeight(2.0);
    m.setContents("ab\\Pabcd");
    EXPECT_DOUBLE_EQ(m.actualWidth(), AcGiTextLayout::textWidth("abcd", 2.0));
    EXPECT_NEAR(m.actualHeight(), 2.0 + 2.0 * 5.0 / 3.0, 1e-12);
    // Width 6 is too small for "aaa bbb" but holds "bbb": two lines.
    ASSERT_GT(AcGiTextLayout::textWidth("aaa bbb", 2.0), 6.0);
    ASSERT_LT(AcGiTextLayout::textWidth("bbb", 2.0), 6.0);
    m.setContents("aaa bbb");
    m.setWidth(6.0);
    ASSERT_EQ(m.wrappedLines().size(), 2u);
    EXPECT_DOUBLE_EQ(m.actualWidth(), AcGiTextLayout::textWidth("bbb", 2.0));
    // A single word wider than the width keeps its line.
    m.setContents("abcdefghij");
    EXPECT_EQ(m.wrappedLines().size(), 1u);
    AcDbVoidPtrArray parts;
    ASSERT_EQ(m.explode(parts), Acad::eOk);
    EXPECT_EQ(parts.size(), 1u);
    acdbDeleteEntities(parts);
}

TEST(SplineTest, ThroughFitPointsWithLengthAndPointAtDistance) {
    // Collinear fit points with tangents along the line: the spline is the segment.
    AcDbSpline spline({{0, 0, 0}, {5, 0, 0}, {10, 0, 0}}, AcGeVector3d(1, 0, 0), AcGeVector3d(1, 0, 0));
    EXPECT_NEAR(spline.length(), 10.0, 1e-6);
    AcGePoint3d p;
    ASSERT_EQ(spline.getPointAtDist(2.5, p), Acad::eOk);
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(2.5, 0, 0), AcGeTol(1e-6, 1e-6)));
    AcDbSpline curved({{0, 0, 0}, {5, 5, 0}, {10, 0, 0}}, AcGeVector3d(0, 1, 0), AcGeVector3d(0, -1, 0));
    double param = 0;
    ASSERT_EQ(curved.getParamAtPoint(AcGePoint3d(5, 5, 0), param), Acad::eOk);
    curved.getStartPoint(p);
    EXPECT_EQ(p, AcGePoint3d(0, 0, 0));
    EXPECT_GT(curved.length(), 2 * std::hypot(5.0, 5.0));
    EXPECT_EQ(curved.getPointAtDist(curved.length() + 1, p), Acad::eInvalidInput);
}

TEST(CircleTest, ExtentsAndSnaps) {
    AcDbCircle c(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, 3);
    AcDbExtents ext;
    c.getGeomExtents(ext);
    EXPECT_EQ(ext.minPoint(), AcGePoint3d(-2, -1, 0));
    EXPECT_EQ(ext.maxPoint(), AcGePoint3d(4, 5, 0));
    AcGePoint3dArray snaps;
    AcDbIntArray ids;
    c.getOsnapPoints(AcDb::kOsModeCen, 0, {}, {}, kIdentity, snaps, ids);
    EXPECT_EQ(snaps.at(0), AcGePoint3d(1, 2, 0));
    snaps.clear();
    c.getOsnapPoints(AcDb::kOsModeNear, 0, AcGePoint3d(10, 2, 0), {}, kIdentity, snaps, ids);
    EXPECT_EQ(snaps.at(0), AcGePoint3d(4, 2, 0));
    // A circle standing in the XZ plane has no extent along y.
    AcDbCircle upright(AcGePoint3d(0, 0, 0), AcGeVector3d::kYAxis, 1);
    upright.getGeomExtents(ext);
    EXPECT_NEAR(ext.maxPoint().y, 0.0, 1e-12);
    EXPECT_NEAR(ext.maxPoint().z, 1.0, 1e-12);
}

class DatabaseEntityTest : public ::testing::Test {
protected:
    void SetUp() override { acdbHostApplicationServices()->setWorkingDatabase(&db); }
    void TearDown() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    AcDbObjectId append(AcDbDatabase& d, AcDbEntity* e, AcDbObjectId space = {}) {
        AcDbBlockTableRecord* r = nullptr;
        EXPECT_EQ(acdbOpenObject(r, space.isNull() ? d.modelSpaceId() : space, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(r->appendAcDbEntity(id, e), Acad::eOk);
        e->close();
        r->close();
        return id;
    }
    AcDbDatabase db;
};

TEST_F(DatabaseEntityTest, BinaryRoundTripKeepsEveryField) {
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(1, 2), 0.5, 0.1, 0.2);
    pl.addVertexAt(1, AcGePoint2d(3, 4));
    pl.setClosed(true);
    pl.setElevation(7);
    auto pl2 = roundTrip(pl, &db);
    double b = 0, sw = 0, ew = 0;
    pl2->getBulgeAt(0, b);
    pl2->getWidthsAt(0, sw, ew);
    EXPECT_EQ(pl2->numVerts(), 2u);
    EXPECT_TRUE(pl2->isClosed());
    EXPECT_EQ(pl2->elevation(), 7);
    EXPECT_EQ(b, 0.5);
    EXPECT_EQ(ew, 0.2);

    AcDbMText m;
    m.setContents("x\\Py");
    m.setWidth(3);
    m.setTextHeight(0.5);
    m.setAttachment(AcDbMText::kMiddleCenter);
    m.setTextStyle(db.textstyle());
    m.setRotation(0.3);
    auto m2 = roundTrip(m, &db);
    EXPECT_EQ(m2->contents(), "x\\Py");
    EXPECT_EQ(m2->attachment(), AcDbMText::kMiddleCenter);
    EXPECT_EQ(m2->textStyle(), db.textstyle());
    EXPECT_NEAR(m2->rotation(), 0.3, 1e-12);

    AcDbText t(AcGePoint3d(1, 1, 0), "hi", db.textstyle(), 2.5, 0.2);
    auto t2 = roundTrip(t, &db);
    EXPECT_EQ(t2->textString(), "hi");
    EXPECT_EQ(t2->height(), 2.5);
    EXPECT_EQ(t2->textStyle(), db.textstyle());

    AcDbSpline s({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}}, AcGeVector3d(1, 0, 0), AcGeVector3d(1, 0, 0));
    auto s2 = roundTrip(s, &db);
    EXPECT_NEAR(s2->length(), s.length(), 1e-12);

    AcDbLeader leader;
    leader.appendVertex(AcGePoint3d(0, 0, 0));
    leader.appendVertex(AcGePoint3d(1, 1, 0));
    EXPECT_EQ(roundTrip(leader, &db)->lastVertex(), AcGePoint3d(1, 1, 0));

    AcDbFace face(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(0, 1, 1));
    face.makeEdgeInvisibleAt(2);
    auto f2 = roundTrip(face, &db);
    bool visible = true;
    f2->isEdgeVisibleAt(2, visible);
    EXPECT_FALSE(visible);
    AcGePoint3d corner;
    f2->getVertexAt(3, corner);
    EXPECT_EQ(corner, AcGePoint3d(0, 1, 1));

    AcDbCircle c(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 1, 0), 4);
    auto c2 = roundTrip(c, &db);
    EXPECT_EQ(c2->center(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(c2->normal(), AcGeVector3d(0, 1, 0));

    AcDbLine l(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6));
    EXPECT_EQ(roundTrip(l, &db)->endPoint(), AcGePoint3d(4, 5, 6));
}

TEST_F(DatabaseEntityTest, BlockReferenceExplodesAndDrawsRotatedAndScaled) {
    AcDbDatabase side;
    append(side, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    AcDbBlockTable* bt = nullptr;
    side.getBlockTable(bt);
    bt->close();
    AcDbObjectId blockId;
    ASSERT_EQ(db.insert(blockId, "ARROW", &side, true), Acad::eOk);
    EXPECT_EQ(db.blockId("ARROW"), blockId);
    EXPECT_EQ(db.insert(blockId, "ARROW", &side, true), Acad::eDuplicateRecordName);
    blockId = db.blockId("ARROW");

    auto* ref = new AcDbBlockReference(AcGePoint3d(10, 0, 0), blockId);
    ref->setRotation(std::numbers::pi / 2);
    ref->setScaleFactors(AcGeScale3d(2));
    AcDbObjectId refId = append(db, ref);

    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForRead), Acad::eOk);
    AcDbVoidPtrArray parts;
    ASSERT_EQ(open->explode(parts), Acad::eOk);
    ASSERT_EQ(parts.size(), 1u);
    auto* line = static_cast<AcDbLine*>(parts[0]);
    EXPECT_EQ(line->startPoint(), AcGePoint3d(10, 0, 0));
    EXPECT_EQ(line->endPoint(), AcGePoint3d(10, 2, 0));
    acdbDeleteEntities(parts);

    AcGiRecordingContext keep(true);
    keep.draw(open);
    EXPECT_EQ(keep.count("insert"), 1u);
    AcGiRecordingContext expand(false);
    expand.draw(open);
    ASSERT_EQ(expand.count("polyline"), 1u);
    EXPECT_EQ(expand.recordsOfKind("polyline")[0]->points[1], AcGePoint3d(10, 2, 0));
    AcDbExtents ext;
    open->getGeomExtents(ext);
    EXPECT_EQ(ext.maxPoint(), AcGePoint3d(10, 2, 0));
    open->close();
}

TEST_F(DatabaseEntityTest, InsertCreatesMissingLayersByName) {
    AcDbDatabase side;
    AcDbLayerTable* layers = nullptr;
    side.getLayerTable(layers, AcDb::kForWrite);
    auto* rec = new AcDbLayerTableRecord;
    rec->setName("DUCTS");
    layers->add(rec);
    rec->close();
    layers->close();
    auto* circle = new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1);
    circle->setDatabaseDefaults(&side);
    circle->setLayer(side.layerId("DUCTS"));
    append(side, circle);
    AcDbObjectId blockId;
    ASSERT_EQ(db.insert(blockId, "B", &side, true), Acad::eOk);
    ASSERT_FALSE(db.layerId("DUCTS").isNull());
    AcDbBlockTableRecord* block = nullptr;
    ASSERT_EQ(acdbOpenObject(block, blockId, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(block->entityIds().size(), 1u);
    AcDbEntity* copy = nullptr;
    ASSERT_EQ(acdbOpenObject(copy, block->entityIds()[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(copy->layerId(), db.layerId("DUCTS"));
    EXPECT_EQ(copy->database(), &db);
    copy->close();
    block->close();
}

TEST(EntityClassesTest, LookupByDxfName) {
    EXPECT_EQ(classForDxfName("LWPOLYLINE"), AcDbPolyline::desc());
    EXPECT_EQ(classForDxfName("insert"), AcDbBlockReference::desc());
    EXPECT_EQ(classForDxfName("3DFACE"), AcDbFace::desc());
    EXPECT_EQ(classForDxfName("NO_SUCH"), nullptr);
    AcRxObject* made = classForDxfName("MTEXT")->create();
    EXPECT_NE(AcDbMText::cast(made), nullptr);
    delete made;
}
