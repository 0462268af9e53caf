// Lightweight polylines with and without bulges and widths come back from
// both formats with every vertex value, and the DXF names only what is set.
#include <gtest/gtest.h>

#include "DrawingFixture.h"
#include "database/dbpolyline.h"
#include "database/io/DrawingFiles.h"

namespace {

struct Shape {
    const char* name;
    std::vector<AcDbPolylineVertex> vertices;
};

const std::vector<Shape>& shapes() {
    static const std::vector<Shape> list = {
        {"plain", {{AcGePoint2d(0, 0)}, {AcGePoint2d(4, 0)}, {AcGePoint2d(4, 3)}}},
        {"bulges", {{AcGePoint2d(0, 0), 0.5}, {AcGePoint2d(4, 0)}, {AcGePoint2d(4, 3), -1.0}}},
        {"widths", {{AcGePoint2d(0, 0), 0, 0.25, 0.5}, {AcGePoint2d(4, 0)}, {AcGePoint2d(4, 3), 0, 1.0, 0.0}}},
        {"constant width", {{AcGePoint2d(0, 0), 0, 0.3, 0.3}, {AcGePoint2d(4, 0), 0, 0.3, 0.3}}},
        {"both", {{AcGePoint2d(0, 0), 0.25, 0, 2.0}, {AcGePoint2d(4, 0), 0, 1.0, 1.0}, {AcGePoint2d(4, 3), 1.0}}},
    };
    return list;
}

std::vector<AcDbObjectId> addShapes(AcDbDatabase* db) {
    std::vector<AcDbObjectId> ids;
    for (const Shape& shape : shapes()) {
        auto* polyline = new AcDbPolyline();
        for (const AcDbPolylineVertex& v : shape.vertices)
            polyline->addVertexAt(polyline->numVerts(), v.point, v.bulge, v.startWidth, v.endWidth);
        ids.push_back(appendToModelSpace(db, polyline));
    }
    return ids;
}

void expectShapes(AcDbDatabase* db) {
    const std::vector<AcDbObjectId> ids = modelSpaceEntities(db);
    ASSERT_EQ(ids.size(), shapes().size());
    for (size_t k = 0; k < ids.size(); ++k) {
        const Shape& shape = shapes()[k];
        AcDbPolyline* polyline = nullptr;
        ASSERT_EQ(acdbOpenObject(polyline, ids[k], AcDb::kForRead), Acad::eOk) << shape.name;
        ASSERT_EQ(polyline->numVerts(), shape.vertices.size()) << shape.name;
        for (unsigned i = 0; i < polyline->numVerts(); ++i) {
            AcGePoint2d p;
            double bulge = -9, start = -9, end = -9;
            polyline->getPointAt(i, p);
            polyline->getBulgeAt(i, bulge);
            polyline->getWidthsAt(i, start, end);
            const AcDbPolylineVertex& v = shape.vertices[i];
            EXPECT_TRUE(p.x == v.point.x && p.y == v.point.y) << shape.name << " vertex " << i;
            EXPECT_EQ(bulge, v.bulge) << shape.name << " vertex " << i;
            EXPECT_EQ(start, v.startWidth) << shape.name << " vertex " << i;
            EXPECT_EQ(end, v.endWidth) << shape.name << " vertex " << i;
        }
        polyline->close();
    }
}

class PolylineVertexFiling : public ::testing::TestWithParam<bool> {};

TEST_P(PolylineVertexFiling, EveryVertexValueComesBack) {
    AcDbDatabase db;
    addShapes(&db);
    expectShapes(&db);
    std::string bytes, message;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, GetParam(), bytes, &message), Acad::eOk) << message;
    AcDbDatabase back(false, true);
    ASSERT_EQ(orv::io::readDrawingFromString(&back, GetParam(), bytes, &message), Acad::eOk) << message;
    expectShapes(&back);
}

INSTANTIATE_TEST_SUITE_P(Formats, PolylineVertexFiling, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dxf" : "Binary"; });

// Counts a group code's lines in the DXF text of one LWPOLYLINE.
int groups(const std::string& entity, const char* code) {
    int n = 0;
    for (size_t at = entity.find(code); at != std::string::npos; at = entity.find(code, at + 1)) ++n;
    return n;
}

TEST(PolylineVertexFiling, DxfNamesOnlyTheBulgesAndWidthsThatAreSet) {
    AcDbDatabase db;
    addShapes(&db);
    std::string dxf, message;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, dxf, &message), Acad::eOk) << message;
    std::vector<std::string> entities;
    for (size_t at = dxf.find("LWPOLYLINE\n"); at != std::string::npos; at = dxf.find("LWPOLYLINE\n", at + 1))
        entities.push_back(dxf.substr(at, dxf.find("\n  0\n", at) - at));
    ASSERT_EQ(entities.size(), shapes().size());
    EXPECT_EQ(groups(entities[0], "\n 42\n") + groups(entities[0], "\n 40\n") + groups(entities[0], "\n 43\n"), 0);
    EXPECT_EQ(groups(entities[1], "\n 42\n"), 2);
    EXPECT_EQ(groups(entities[1], "\n 40\n"), 0);
    EXPECT_EQ(groups(entities[2], "\n 40\n"), 2);
    EXPECT_EQ(groups(entities[2], "\n 42\n"), 0);
    EXPECT_EQ(groups(entities[3], "\n 43\n"), 1);
    EXPECT_EQ(groups(entities[3], "\n 40\n"), 0);
    EXPECT_EQ(groups(entities[4], "\n 42\n"), 2);
    EXPECT_EQ(groups(entities[4], "\n 41\n"), 2);
}

}  // namespace
