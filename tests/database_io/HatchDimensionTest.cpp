// Hatches and dimensions from files: the hatch's loops (polyline and edge
// paths, holes) are read for display, solid fills keep their holes open,
// pattern lines stay inside the boundary, a move rewrites every filed
// point, and a boundary that cannot be read stays a proxy; a dimension is
// drawn through its block and moves with it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DrawingFixture.h"
#include "database/dbdimension.h"
#include "database/dbhatch.h"
#include "database/io/DrawingFiles.h"
#include "database/io/FileProxyEntity.h"
#include "graphics/AcGiRecordingContext.h"

namespace {

std::string drawingWith(const std::string& entities) {
    AcDbDatabase db;
    std::string dxf;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, true, dxf), Acad::eOk);
    dxf.insert(dxf.find("ENTITIES\n") + 9, entities);
    return dxf;
}

std::string polylinePath(const std::vector<std::pair<double, double>>& points, int flags) {
    std::string s = " 92\n" + std::to_string(flags) + "\n 72\n0\n 73\n1\n 93\n" + std::to_string(points.size()) + "\n";
    for (auto [x, y] : points) s += " 10\n" + std::to_string(x) + "\n 20\n" + std::to_string(y) + "\n";
    return s + " 97\n0\n";
}

std::string hatch(bool solid, const std::string& paths, int count, const std::string& tail = "") {
    return std::string("  0\nHATCH\n100\nAcDbEntity\n  8\n0\n100\nAcDbHatch\n 10\n0.0\n 20\n0.0\n 30\n0.0\n") +
           "210\n0.0\n220\n0.0\n230\n1.0\n  2\n" + (solid ? "SOLID" : "ANSI31") + "\n 70\n" + (solid ? "1" : "0") +
           "\n 71\n0\n 91\n" + std::to_string(count) + "\n" + paths + " 75\n1\n 76\n1\n" + tail + " 98\n1\n 10\n5.0\n 20\n5.0\n";
}

const std::string kSquare = polylinePath({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 3);
const std::string kHole = polylinePath({{4, 4}, {6, 4}, {6, 6}, {4, 6}}, 16 | 2);
// One line family at 45 degrees, 1 apart.
const std::string kPattern = " 52\n0.0\n 41\n1.0\n 77\n0\n 78\n1\n 53\n45.0\n 43\n0.0\n 44\n0.0\n 45\n-0.7071067811865476\n"
                             " 46\n0.7071067811865476\n 79\n0\n";

AcDbObjectId onlyEntity(AcDbDatabase& db) {
    auto ids = modelSpaceEntities(&db);
    EXPECT_EQ(ids.size(), 1u);
    return ids.empty() ? AcDbObjectId() : ids[0];
}

std::string readAndSave(const std::string& dxf, AcDbDatabase& db) {
    std::string message, out;
    EXPECT_EQ(orv::io::readDrawingFromString(&db, true, dxf, &message), Acad::eOk) << message;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, true, out, &message), Acad::eOk) << message;
    return out;
}

}  // namespace

// Whether p is inside the polygon by the even-odd rule, as plots fill.
bool insideEvenOdd(const std::vector<AcGePoint3d>& polygon, double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const AcGePoint3d &p = polygon[i], &q = polygon[j];
        if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) inside = !inside;
    }
    return inside;
}

// A solid square with a square hole and an island in the hole is one filled
// polygon: the ring and the island are inside it, the hole is not.
TEST(Hatch, SolidFillKeepsItsHolesOpen) {
    const std::string island = polylinePath({{4.5, 4.5}, {5.5, 4.5}, {5.5, 5.5}, {4.5, 5.5}}, 16 | 2);
    AcDbDatabase db(false, true);
    readAndSave(drawingWith(hatch(true, kSquare + kHole + island, 3)), db);
    AcDbEntityPointer e(onlyEntity(db), AcDb::kForRead);
    auto* h = AcDbHatch::cast(e.object());
    ASSERT_TRUE(h);
    EXPECT_TRUE(h->isSolidFill());
    ASSERT_EQ(h->loops().size(), 3u);
    AcGiRecordingContext drawn(false);
    drawn.draw(h);
    ASSERT_EQ(drawn.count("polygon"), 1u);
    const AcGiRecord& fill = *drawn.recordsOfKind("polygon")[0];
    EXPECT_TRUE(fill.traits.filled);
    EXPECT_TRUE(insideEvenOdd(fill.points, 1, 1));        // the ring
    EXPECT_TRUE(insideEvenOdd(fill.points, 9, 5));
    EXPECT_FALSE(insideEvenOdd(fill.points, 4.2, 5));     // the hole
    EXPECT_FALSE(insideEvenOdd(fill.points, 5, 5.8));
    EXPECT_TRUE(insideEvenOdd(fill.points, 5, 5));        // the island in it
    EXPECT_FALSE(insideEvenOdd(fill.points, 11, 5));      // outside
}

// A dashed family (dash 2, gap 1, a dot, gap 1; period 4) whose lines are 1
// apart and shifted 0.5 along by each step: every dash lies on its line's
// pattern, lines start their pattern from the shifted base, dots are drawn.
TEST(Hatch, PatternDashesFollowTheirLine) {
    const std::string dashed = " 52\n0.0\n 41\n1.0\n 77\n0\n 78\n1\n 53\n0.0\n 43\n0.0\n 44\n0.5\n 45\n0.5\n"
                               " 46\n1.0\n 79\n4\n 49\n2.0\n 49\n-1.0\n 49\n0.0\n 49\n-1.0\n";
    AcDbDatabase db(false, true);
    readAndSave(drawingWith(hatch(false, kSquare, 1, dashed)), db);
    AcDbEntityPointer e(onlyEntity(db), AcDb::kForRead);
    AcGiRecordingContext drawn(false);
    drawn.draw(e.object());
    int dashes = 0, dots = 0;
    for (const AcGiRecord* r : drawn.recordsOfKind("polyline")) {
        const double y = r->points[0].y;
        const double k = y - 0.5;  // line k runs at y = 0.5 + k, its pattern starting at x = 0.5 k
        ASSERT_NEAR(k, std::round(k), 1e-9) << r->describe();
        const double phase = std::fmod(std::fmod(r->points[0].x - 0.5 * k, 4.0) + 4.0, 4.0);
        if (r->points.size() == 1) {
            ++dots;
            EXPECT_NEAR(phase, 3.0, 1e-9) << r->describe();
            continue;
        }
        ++dashes;
        const double length = r->points[1].x - r->points[0].x;
        EXPECT_GT(length, 0.0);
        EXPECT_LE(length, 2.0 + 1e-9);
        // A dash starts at its pattern's start, unless the boundary cut it.
        if (r->points[0].x > 1e-9) {
            EXPECT_NEAR(std::fmin(phase, 4.0 - phase), 0.0, 1e-9) << r->describe();
        }
        EXPECT_TRUE(r->points[1].x <= 10 + 1e-9);
    }
    EXPECT_GE(dashes, 25);  // ten lines of 10, about 2.5 dashes each
    EXPECT_GE(dots, 20);
}

TEST(Hatch, PatternLinesStayInsideTheBoundary) {
    AcDbDatabase db(false, true);
    readAndSave(drawingWith(hatch(false, kSquare + kHole, 2, kPattern)), db);
    AcDbEntityPointer e(onlyEntity(db), AcDb::kForRead);
    AcGiRecordingContext drawn(false);
    drawn.draw(e.object());
    const auto lines = drawn.recordsOfKind("polyline");
    EXPECT_GE(lines.size(), 14u);  // 1 apart across a 10 x 10 square, some split by the hole
    for (const AcGiRecord* line : lines)
        for (const AcGePoint3d& p : line->points) {
            EXPECT_TRUE(p.x >= -1e-9 && p.x <= 10 + 1e-9 && p.y >= -1e-9 && p.y <= 10 + 1e-9);
            EXPECT_FALSE(p.x > 4 + 1e-9 && p.x < 6 - 1e-9 && p.y > 4 + 1e-9 && p.y < 6 - 1e-9);  // not in the hole
        }
}

// Edge paths: a line and a half circle (centre (5,0), radius 5, 0 to 180).
TEST(Hatch, EdgePathsAreReadWithTheirArcs) {
    const std::string edges = " 92\n1\n 93\n2\n 72\n1\n 10\n0.0\n 20\n0.0\n 11\n10.0\n 21\n0.0\n"
                              " 72\n2\n 10\n5.0\n 20\n0.0\n 40\n5.0\n 50\n0.0\n 51\n180.0\n 73\n1\n 97\n0\n";
    AcDbDatabase db(false, true);
    readAndSave(drawingWith(hatch(true, edges, 1)), db);
    AcDbExtents box;
    AcDbEntityPointer e(onlyEntity(db), AcDb::kForRead);
    ASSERT_TRUE(AcDbHatch::cast(e.object()));
    ASSERT_EQ(e->getGeomExtents(box), Acad::eOk);
    EXPECT_NEAR(box.maxPoint().y, 5.0, 1e-9);
    EXPECT_NEAR(box.minPoint().x, 0.0, 1e-9);
    EXPECT_NEAR(box.maxPoint().x, 10.0, 1e-9);
}

// A move and a quarter turn rewrite the loops, the seed point and the
// pattern line's base, angle and offset.
TEST(Hatch, MoveRewritesEveryFiledPoint) {
    AcDbDatabase db(false, true);
    readAndSave(drawingWith(hatch(false, kSquare, 1, kPattern)), db);
    const AcDbObjectId id = onlyEntity(db);
    {
        AcDbEntityPointer e(id, AcDb::kForWrite);
        const AcGeMatrix3d turn = AcGeMatrix3d::translation(AcGeVector3d(100, 0, 0)) *
                                  AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis);
        ASSERT_EQ(e->transformBy(turn), Acad::eOk);
        AcDbExtents box;
        e->getGeomExtents(box);
        EXPECT_TRUE(box.minPoint().isEqualTo(AcGePoint3d(90, 0, 0)));
        EXPECT_TRUE(box.maxPoint().isEqualTo(AcGePoint3d(100, 10, 0)));
    }
    std::string out;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, out), Acad::eOk);
    const std::string record = out.substr(out.find("\nHATCH\n"), out.find("\n  0\n", out.find("\nHATCH\n")) - out.find("\nHATCH\n"));
    EXPECT_NE(record.find(" 53\n135.0\n"), std::string::npos) << record;       // the family's angle turned
    EXPECT_NE(record.find(" 43\n100.0\n 44\n0.0\n"), std::string::npos);     // its base moved
    EXPECT_NE(record.find(" 98\n1\n 10\n95.0\n 20\n5.0"), std::string::npos) << record;  // the seed point moved
}

// Edges of every curved kind, each way round, and a polyline loop with a
// bulge; a dashed pattern family at 30 degrees.
const std::string kCurvedEdges =
    " 92\n1\n 93\n5\n"
    " 72\n1\n 10\n0.0\n 20\n0.0\n 11\n10.0\n 21\n0.0\n"
    " 72\n2\n 10\n10.0\n 20\n5.0\n 40\n5.0\n 50\n-90.0\n 51\n90.0\n 73\n1\n"
    " 72\n2\n 10\n5.0\n 20\n10.0\n 40\n5.0\n 50\n0.0\n 51\n180.0\n 73\n0\n"
    " 72\n3\n 10\n0.0\n 20\n5.0\n 11\n0.0\n 21\n5.0\n 40\n0.4\n 50\n30.0\n 51\n200.0\n 73\n1\n"
    " 72\n3\n 10\n3.0\n 20\n3.0\n 11\n2.0\n 21\n1.0\n 40\n0.5\n 50\n10.0\n 51\n100.0\n 73\n0\n"
    " 97\n0\n";
const std::string kBulgedPolyline = " 92\n2\n 72\n1\n 73\n1\n 93\n3\n 10\n20.0\n 20\n0.0\n 42\n0.5\n"
                                    " 10\n30.0\n 20\n0.0\n 42\n-0.3\n 10\n25.0\n 20\n8.0\n 97\n0\n";
const std::string kDashedFamily = " 52\n30.0\n 41\n1.0\n 77\n0\n 78\n1\n 53\n30.0\n 43\n1.0\n 44\n2.0\n"
                                  " 45\n0.3\n 46\n1.2\n 79\n2\n 49\n1.5\n 49\n-0.5\n";

// A mirror (in a vertical line, and in a slanted one) and a rotation move
// every sampled boundary point exactly where the transform takes it, in
// the same order: arcs keep bulging their own way, ellipses keep their
// part, bulges flip; the pattern lines and their dashes are the
// transformed ones. A transform that tips the hatch out of its plane or
// scales it unevenly is still refused.
TEST(Hatch, MirrorAndRotationCarryEveryCurveAndThePattern) {
    const AcGeMatrix3d transforms[] = {
        AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(2, 0, 0), AcGeVector3d::kXAxis)),
        AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(1, 1, 0), AcGeVector3d(1, -2, 0))),
        AcGeMatrix3d::rotation(0.7, AcGeVector3d::kZAxis, AcGePoint3d(3, -1, 0)),
    };
    for (const AcGeMatrix3d& m : transforms) {
        AcDbDatabase db(false, true);
        readAndSave(drawingWith(hatch(false, kCurvedEdges + kBulgedPolyline, 2, kDashedFamily)), db);
        AcDbEntityPointer e(onlyEntity(db), AcDb::kForWrite);
        auto* h = AcDbHatch::cast(e.object());
        ASSERT_TRUE(h);
        std::vector<std::vector<AcGePoint3d>> expected = h->loops();
        for (auto& loop : expected)
            for (AcGePoint3d& p : loop) p.transformBy(m);
        // The pattern, drawn before and moved, against drawn after.
        AcDbDatabase copyDb(false, true);
        readAndSave(drawingWith(hatch(false, kCurvedEdges + kBulgedPolyline, 2, kDashedFamily)), copyDb);
        ASSERT_EQ(e->transformBy(m), Acad::eOk);
        const auto loops = h->loops();
        ASSERT_EQ(loops.size(), expected.size());
        for (size_t i = 0; i < loops.size(); ++i) {
            ASSERT_EQ(loops[i].size(), expected[i].size());
            for (size_t k = 0; k < loops[i].size(); ++k)
                ASSERT_TRUE(loops[i][k].isEqualTo(expected[i][k], AcGeTol(1e-9, 1e-9)))
                    << "loop " << i << " point " << k << ": " << loops[i][k].x << "," << loops[i][k].y << " expected "
                    << expected[i][k].x << "," << expected[i][k].y;
        }
        // Pattern lines are not transformed pointwise (they are clipped anew),
        // so compare the dash ends that lie well inside the boundary.
        AcDbEntityPointer before(onlyEntity(copyDb), AcDb::kForRead);
        AcGiRecordingContext drawnBefore(false), drawnAfter(false);
        drawnBefore.draw(before.object());
        drawnAfter.draw(h);
        size_t matched = 0, inner = 0;
        for (const AcGiRecord* r : drawnBefore.recordsOfKind("polyline")) {
            if (r->points.size() != 2) continue;
            AcGePoint3d a = r->points[0], b = r->points[1];
            if (std::fabs(a.distanceTo(b) - 1.5) > 1e-6) continue;  // a whole dash, not cut by the boundary
            ++inner;
            a.transformBy(m), b.transformBy(m);
            for (const AcGiRecord* q : drawnAfter.recordsOfKind("polyline"))
                if (q->points.size() == 2 &&
                    ((q->points[0].isEqualTo(a, AcGeTol(1e-6, 1e-6)) && q->points[1].isEqualTo(b, AcGeTol(1e-6, 1e-6))) ||
                     (q->points[0].isEqualTo(b, AcGeTol(1e-6, 1e-6)) && q->points[1].isEqualTo(a, AcGeTol(1e-6, 1e-6))))) {
                    ++matched;
                    break;
                }
        }
        EXPECT_GE(inner, 20u);
        EXPECT_EQ(matched, inner);
    }
    AcDbDatabase db(false, true);
    readAndSave(drawingWith(hatch(true, kSquare, 1)), db);
    AcDbEntityPointer e(onlyEntity(db), AcDb::kForWrite);
    EXPECT_EQ(e->transformBy(AcGeMatrix3d::rotation(0.5, AcGeVector3d::kXAxis)), Acad::eNotApplicable);
    AcGeMatrix3d stretch;
    stretch.entry[0][0] = 2;
    EXPECT_EQ(e->transformBy(stretch), Acad::eNotApplicable);
}

// Two loops announced, one given: the data is carried unchanged.
TEST(Hatch, UnreadableBoundaryStaysAProxy) {
    AcDbDatabase db(false, true);
    const std::string out = readAndSave(drawingWith(hatch(true, kSquare, 2)), db);
    AcDbEntityPointer e(onlyEntity(db), AcDb::kForRead);
    auto* proxy = AcDbFileProxyEntity::cast(e.object());
    ASSERT_TRUE(proxy);
    EXPECT_EQ(proxy->originalClass().dxfName, "HATCH");
    EXPECT_NE(out.find(" 91\n2\n" + kSquare + " 75\n1\n"), std::string::npos);
}

// The corpus plan's linear dimension: drawn from its block, and moved with
// its block and the points of its own part.
TEST(Dimension, DrawnThroughItsBlockAndMovedWithIt) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) GTEST_SKIP() << "ezdxf not installed";
    ScratchDir dir;
    ASSERT_EQ(std::system((std::string("/usr/bin/python3 ") + ORV_DXF_CORPUS + " " + dir.path("corpus")).c_str()), 0);
    AcDbDatabase db(false, true);
    std::string message;
    ASSERT_EQ(orv::io::readDrawing(&db, dir.path("corpus") + "/plan_r2000.dxf", &message), Acad::eOk) << message;
    AcDbObjectId dimension;
    for (AcDbObjectId id : modelSpaceEntities(&db)) {
        AcDbEntityPointer e(id, AcDb::kForRead);
        if (AcDbDimension::cast(e.object())) dimension = id;
    }
    ASSERT_FALSE(dimension.isNull());
    AcDbExtents before, after;
    {
        AcDbEntityPointer e(dimension, AcDb::kForRead);
        auto* d = AcDbDimension::cast(e.object());
        EXPECT_EQ(d->kind(), AcDbDimension::kRotated);
        EXPECT_FALSE(d->dimBlockId().isNull());
        AcGiRecordingContext drawn(false);
        drawn.draw(d);
        EXPECT_GE(drawn.count("polyline"), 3u);  // the dimension line and the extension lines at least
        e->getGeomExtents(before);
    }
    const AcGeVector3d v(0, 40, 0);
    {
        AcDbEntityPointer e(dimension, AcDb::kForWrite);
        ASSERT_EQ(e->transformBy(AcGeMatrix3d::translation(v)), Acad::eOk);
        e->getGeomExtents(after);
        EXPECT_TRUE(AcDbDimension::cast(e.object())->definitionPoint().isEqualTo(AcGePoint3d(0, 38, 0)));
    }
    EXPECT_TRUE(after.minPoint().isEqualTo(before.minPoint() + v));
    EXPECT_TRUE(after.maxPoint().isEqualTo(before.maxPoint() + v));
    std::string out;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, out), Acad::eOk);
    // The extension line origins of the aligned part moved too.
    EXPECT_NE(out.find("AcDbAlignedDimension\n 13\n0.0\n 23\n40.0\n"), std::string::npos);
}
