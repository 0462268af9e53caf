// Hostile drawing files: numbers that are not finite (or absurdly large)
// and binary files whose checksum is valid but whose table handles point at
// objects of another class are refused with a message, never read into a
// drawing the rest of the host would then trip over.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "DrawingFixture.h"
#include "database/dbline.h"
#include "database/dbspline.h"
#include "database/io/BinaryDrawing.h"
#include "database/io/DrawingFiles.h"
#include "geometry/AcGeCubicSplineCurve3d.h"

namespace {

constexpr double kMarker = 12345.5;  // a coordinate easy to find in the saved bytes

std::string savedLineDrawing(bool dxf) {
    AcDbDatabase db;
    appendToModelSpace(&db, new AcDbLine(AcGePoint3d(kMarker, 1, 0), AcGePoint3d(2, 3, 0)));
    std::string bytes;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, dxf, bytes), Acad::eOk);
    return bytes;
}

// Reads bytes; answers the message of the expected failure.
std::string refusal(bool dxf, const std::string& bytes) {
    AcDbDatabase db(false, true);
    std::string message;
    Acad::ErrorStatus es = orv::io::readDrawingFromString(&db, dxf, bytes, &message);
    EXPECT_NE(es, Acad::eOk);
    EXPECT_TRUE(db.modelSpaceId().isNull());  // nothing half read is left
    return message;
}

}  // namespace

TEST(HostileInput, DxfNumbersThatAreNotFiniteOrAbsurdlyLargeAreRefused) {
    const std::string dxf = savedLineDrawing(true);
    // The marker is first in the header's extents, last in the line itself.
    const size_t inHeader = dxf.find("12345.5"), inLine = dxf.rfind("12345.5");
    ASSERT_NE(inHeader, std::string::npos);
    ASSERT_NE(inHeader, inLine);
    for (size_t at : {inHeader, inLine}) {
        for (const char* bad : {"nan", "NaN", "inf", "-inf", "1e308", "-1e308", "1e101", "1e400"}) {
            std::string hostile = dxf;
            hostile.replace(at, 7, bad);
            std::string message = refusal(true, hostile);
            EXPECT_NE(message.find("finite"), std::string::npos) << bad << ": " << message;
            EXPECT_NE(message.find("group code 10"), std::string::npos) << message;
        }
        std::string limit = dxf;  // the limit itself is still a drawing
        limit.replace(at, 7, "1e100");
        AcDbDatabase db(false, true);
        EXPECT_EQ(orv::io::readDrawingFromString(&db, true, limit, nullptr), Acad::eOk);
    }
}

TEST(HostileInput, BinaryNumbersThatAreNotFiniteOrAbsurdlyLargeAreRefused) {
    const std::string bin = savedLineDrawing(false);
    char marker[8];
    std::memcpy(marker, &kMarker, 8);
    const size_t at = bin.find(std::string(marker, 8));
    ASSERT_NE(at, std::string::npos);
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e308}) {
        std::string hostile = bin;
        std::memcpy(hostile.data() + at, &bad, 8);
        orv::io::resealBinaryDrawing(hostile);
        std::string message = refusal(false, hostile);
        EXPECT_NE(message.find("not finite"), std::string::npos) << bad << ": " << message;
        EXPECT_NE(message.find("AcDbLine"), std::string::npos) << message;
    }
}

TEST(HostileInput, BinaryTableHandlesMustNameTablesOfTheirKind) {
    const std::string bin = savedLineDrawing(false);
    // The five table handles (block, layer, text style, linetype,
    // application) follow the objects; find them by their values.
    AcDbDatabase read;
    ASSERT_EQ(orv::io::readDrawingFromString(&read, false, bin, nullptr), Acad::eOk);
    uint64_t known[2] = {read.blockTableId().handle().value(), read.layerTableId().handle().value()};
    const size_t tables = bin.rfind(std::string(reinterpret_cast<const char*>(known), 16));
    ASSERT_NE(tables, std::string::npos);
    auto swapped = [&](int a, int b) {
        std::string hostile = bin;
        std::memcpy(hostile.data() + tables + 8 * a, bin.data() + tables + 8 * b, 8);
        std::memcpy(hostile.data() + tables + 8 * b, bin.data() + tables + 8 * a, 8);
        orv::io::resealBinaryDrawing(hostile);
        return hostile;
    };
    std::string message = refusal(false, swapped(0, 1));
    EXPECT_NE(message.find("is not a block table"), std::string::npos) << message;
    message = refusal(false, swapped(2, 4));
    EXPECT_NE(message.find("is not a text style table"), std::string::npos) << message;

    // A table handle naming an entity.
    std::string hostile = bin;
    AcDbDatabase db;
    ASSERT_EQ(orv::io::readDrawingFromString(&db, false, bin, nullptr), Acad::eOk);
    std::vector<AcDbObjectId> entities = modelSpaceEntities(&db);
    ASSERT_EQ(entities.size(), 1u);
    uint64_t line = entities[0].handle().value();
    std::memcpy(hostile.data() + tables + 8, &line, 8);
    orv::io::resealBinaryDrawing(hostile);
    message = refusal(false, hostile);
    EXPECT_NE(message.find("is not a layer table"), std::string::npos) << message;
}

TEST(HostileInput, SplineFitPointsThatAreNotFiniteOrOverflowEndTheCurve) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const AcGePoint3d& bad : {AcGePoint3d(nan, 0, 0), AcGePoint3d(1e308, 0, 0), AcGePoint3d(0, -1e308, 0)}) {
        AcGeCubicSplineCurve3d curve({AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(-1e308, 0, 0), bad,
                                      AcGePoint3d(5, 5, 0)},
                                     AcGeVector3d(), AcGeVector3d());
        EXPECT_LE(curve.numFitPoints(), 3);
        EXPECT_TRUE(std::isfinite(curve.length()));
        for (const AcGePoint3d& p : curve.samplePoints(32)) EXPECT_FALSE(std::isnan(p.x));
    }
    AcGeCubicSplineCurve3d none({AcGePoint3d(nan, nan, nan)}, AcGeVector3d(), AcGeVector3d());
    EXPECT_FALSE(none.isValid());
    EXPECT_TRUE(none.samplePoints(8).empty() || none.samplePoints(8)[0] == AcGePoint3d::kOrigin);
}
