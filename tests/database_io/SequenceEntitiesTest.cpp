// Entities that a file follows with entities of their own: polylines with
// their VERTEX entities and inserts with their attributes, up to SEQEND.
// They come back linked from both formats, move their followers, and a
// broken sequence is refused or carried, never half read.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DrawingFixture.h"
#include "database/dbattribute.h"
#include "database/dbblockref.h"
#include "database/dbvertexpolyline.h"
#include "database/io/DrawingFiles.h"
#include "database/io/DxfTags.h"
#include "database/io/FileProxyEntity.h"

namespace {

std::string drawingWith(const std::string& entities) {
    AcDbDatabase db;
    std::string dxf;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, true, dxf), Acad::eOk);
    const size_t at = dxf.find("ENTITIES\n");
    EXPECT_NE(at, std::string::npos);
    dxf.insert(at + 9, entities);
    return dxf;
}

std::string vertex(double x, double y, double bulge = 0.0) {
    return "  0\nVERTEX\n100\nAcDbEntity\n  8\n0\n100\nAcDbVertex\n100\nAcDb2dVertex\n 10\n" + std::to_string(x) +
           "\n 20\n" + std::to_string(y) + "\n 30\n0.0\n 42\n" + std::to_string(bulge) + "\n 70\n0\n";
}
const std::string kPolyline2d = "  0\nPOLYLINE\n100\nAcDbEntity\n  8\n0\n100\nAcDb2dPolyline\n 66\n1\n"
                                " 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n0\n";
const std::string kSeqEnd = "  0\nSEQEND\n100\nAcDbEntity\n  8\n0\n";
const std::string kLine = "  0\nLINE\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
                          " 11\n1.0\n 21\n1.0\n 31\n0.0\n";

// Reads DXF text, then goes through the binary format into back.
void readThroughBinary(const std::string& dxf, AcDbDatabase& back) {
    AcDbDatabase db(false, true);
    std::string message, binary;
    ASSERT_EQ(orv::io::readDrawingFromString(&db, true, dxf, &message), Acad::eOk) << message;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, false, binary, &message), Acad::eOk) << message;
    ASSERT_EQ(orv::io::readDrawingFromString(&back, false, binary, &message), Acad::eOk) << message;
}

std::string refusal(const std::string& dxf) {
    AcDbDatabase db(false, true);
    std::string message;
    EXPECT_NE(orv::io::readDrawingFromString(&db, true, dxf, &message), Acad::eOk);
    return message;
}

AcDbExtents extentsOf(AcDbObjectId id) {
    AcDbEntityPointer e(id, AcDb::kForRead);
    AcDbExtents box;
    if (e) e->getGeomExtents(box);
    return box;
}

}  // namespace

// A bulge of 1 is a half circle to the right of the way from one vertex to
// the next; after the binary format the polyline still has its vertices,
// draws the arc, and a mirror turns it to the other side.
TEST(SequenceEntities, BulgedPolylineKeepsItsVerticesAndMirrors) {
    AcDbDatabase db(false, true);
    readThroughBinary(drawingWith(kPolyline2d + vertex(0, 0, 1.0) + vertex(2, 0) + kSeqEnd), db);
    auto ids = modelSpaceEntities(&db);
    ASSERT_EQ(ids.size(), 4u);  // the polyline, two vertices, the sequence end
    {
        AcDbEntityPointer e(ids[0], AcDb::kForRead);
        auto* polyline = AcDb2dPolyline::cast(e.object());
        ASSERT_TRUE(polyline);
        EXPECT_EQ(polyline->vertexIds(), (std::vector<AcDbObjectId>{ids[1], ids[2]}));
    }
    AcDbExtents box = extentsOf(ids[0]);
    EXPECT_NEAR(box.minPoint().y, -1.0, 1e-9);
    EXPECT_NEAR(box.maxPoint().y, 0.0, 1e-9);
    {
        AcDbEntityPointer e(ids[0], AcDb::kForWrite);
        ASSERT_EQ(e->transformBy(AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kYAxis))),
                  Acad::eOk);
    }
    box = extentsOf(ids[0]);
    EXPECT_NEAR(box.minPoint().y, 0.0, 1e-9);
    EXPECT_NEAR(box.maxPoint().y, 1.0, 1e-9);
    {
        AcDbEntityPointer e(ids[0], AcDb::kForWrite);
        ASSERT_EQ(e->transformBy(AcGeMatrix3d::translation(AcGeVector3d(10, 5, 0))), Acad::eOk);
        EXPECT_EQ(AcDb2dPolyline::cast(e.object())->worldVertices(),
                  (std::vector<AcGePoint3d>{AcGePoint3d(10, 5, 0), AcGePoint3d(12, 5, 0)}));
    }
}

TEST(SequenceEntities, ThreeDimensionalPolylineRotatesInSpace) {
    const std::string dxf = drawingWith(
        "  0\nPOLYLINE\n100\nAcDbEntity\n  8\n0\n100\nAcDb3dPolyline\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n8\n"
        "  0\nVERTEX\n100\nAcDbEntity\n  8\n0\n100\nAcDbVertex\n100\nAcDb3dPolylineVertex\n 10\n1.0\n 20\n0.0\n 30\n2.0\n 70\n32\n"
        "  0\nVERTEX\n100\nAcDbEntity\n  8\n0\n100\nAcDbVertex\n100\nAcDb3dPolylineVertex\n 10\n0.0\n 20\n1.0\n 30\n3.0\n 70\n32\n" +
        kSeqEnd);
    AcDbDatabase db(false, true);
    readThroughBinary(dxf, db);
    auto ids = modelSpaceEntities(&db);
    ASSERT_FALSE(ids.empty());
    AcDbEntityPointer e(ids[0], AcDb::kForWrite);
    auto* polyline = AcDb3dPolyline::cast(e.object());
    ASSERT_TRUE(polyline);
    ASSERT_EQ(e->transformBy(AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kXAxis)), Acad::eOk);
    const auto points = polyline->worldVertices();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(1, -2, 0)));
    EXPECT_TRUE(points[1].isEqualTo(AcGePoint3d(0, -3, 1)));
}

TEST(SequenceEntities, BrokenSequencesAreRefusedByName) {
    // The next entity comes before SEQEND.
    std::string message = refusal(drawingWith(kPolyline2d + vertex(0, 0) + vertex(1, 1) + kLine));
    EXPECT_NE(message.find("POLYLINE"), std::string::npos) << message;
    EXPECT_NE(message.find("do not end with SEQEND"), std::string::npos) << message;
    // The section ends before SEQEND.
    message = refusal(drawingWith(kPolyline2d + vertex(0, 0)));
    EXPECT_NE(message.find("do not end with SEQEND"), std::string::npos) << message;
}

// Followers without their owner, and the followers of a mesh (not
// modelled), are carried as they are.
TEST(SequenceEntities, StrayFollowersAndMeshesStayProxies) {
    const std::string mesh =
        "  0\nPOLYLINE\n100\nAcDbEntity\n  8\n0\n100\nAcDbPolyFaceMesh\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n64\n"
        " 71\n3\n 72\n1\n"
        "  0\nVERTEX\n100\nAcDbEntity\n  8\n0\n100\nAcDbVertex\n100\nAcDbPolyFaceMeshVertex\n 10\n1.0\n 20\n0.0\n"
        " 30\n0.0\n 70\n192\n" +
        kSeqEnd;
    AcDbDatabase db(false, true);
    readThroughBinary(drawingWith(vertex(5, 5) + kSeqEnd + mesh + kLine), db);
    std::vector<std::string> kinds;
    for (AcDbObjectId id : modelSpaceEntities(&db)) {
        AcDbEntityPointer e(id, AcDb::kForRead);
        auto* proxy = AcDbFileProxyEntity::cast(e.object());
        kinds.push_back(proxy ? "proxy " + proxy->originalClass().dxfName : e->isA()->name());
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"proxy VERTEX", "proxy SEQEND", "proxy POLYLINE", "proxy VERTEX",
                                               "proxy SEQEND", "AcDbLine"}));
    std::string out;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, out), Acad::eOk);
    EXPECT_NE(out.find("AcDbPolyFaceMeshVertex\n 10\n1.0\n 20\n0.0\n 30\n0.0\n 70\n192\n"), std::string::npos);
}

// The corpus plan's title block: the insert carries its two attributes,
// and moving it takes them along (in the host and in the file).
TEST(SequenceEntities, AttributesFollowTheirInsert) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) GTEST_SKIP() << "ezdxf not installed";
    ScratchDir dir;
    ASSERT_EQ(std::system((std::string("/usr/bin/python3 ") + ORV_DXF_CORPUS + " " + dir.path("corpus")).c_str()), 0);
    AcDbDatabase db(false, true);
    std::string message;
    // The R2018 file repeats each attribute's alignment point in its attribute part.
    ASSERT_EQ(orv::io::readDrawing(&db, dir.path("corpus") + "/plan_r2018.dxf", &message), Acad::eOk) << message;
    AcDbObjectId insert;
    for (AcDbObjectId id : modelSpaceEntities(&db)) {
        AcDbEntityPointer e(id, AcDb::kForRead);
        if (AcDbBlockReference::cast(e.object())) insert = id;
    }
    ASSERT_FALSE(insert.isNull());
    std::vector<AcDbObjectId> attributes;
    {
        AcDbEntityPointer e(insert, AcDb::kForRead);
        attributes = AcDbBlockReference::cast(e.object())->attributeIds();
    }
    ASSERT_EQ(attributes.size(), 2u);
    std::vector<AcGePoint3d> before;
    std::vector<std::string> tags;
    for (AcDbObjectId id : attributes) {
        AcDbEntityPointer e(id, AcDb::kForRead);
        auto* attribute = AcDbAttribute::cast(e.object());
        ASSERT_TRUE(attribute);
        before.push_back(attribute->position());
        tags.push_back(attribute->tag());
    }
    EXPECT_EQ(tags, (std::vector<std::string>{"DRAWN", "TITLE"}));
    const AcGeVector3d v(100, 50, 0);
    {
        AcDbEntityPointer e(insert, AcDb::kForWrite);
        ASSERT_EQ(e->transformBy(AcGeMatrix3d::translation(v)), Acad::eOk);
    }
    for (size_t i = 0; i < attributes.size(); ++i) {
        AcDbEntityPointer e(attributes[i], AcDb::kForRead);
        EXPECT_TRUE(AcDbAttribute::cast(e.object())->position().isEqualTo(before[i] + v));
    }
    // Both alignment points of each attribute (the text's and the one the
    // other program repeats in the attribute part) moved in the file.
    std::string out;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, out), Acad::eOk);
    const size_t attrib = out.find("\nATTRIB\n");
    ASSERT_NE(attrib, std::string::npos);
    const std::string record = out.substr(attrib, out.find("\n  0\n", attrib) - attrib);
    const std::string movedX = orv::io::formatDxfDouble(before[0].x + v.x);
    size_t count = 0;
    for (size_t at = record.find(" 11\n" + movedX + "\n"); at != std::string::npos;
         at = record.find(" 11\n" + movedX + "\n", at + 1))
        ++count;
    EXPECT_EQ(count, 2u) << record;
}
