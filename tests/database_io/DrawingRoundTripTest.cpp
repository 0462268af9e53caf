// Whole drawings through both formats: contents survive, saving again
// gives the same bytes, and the DXF is accepted by another DXF reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "DrawingFixture.h"
#include "database/io/DrawingFiles.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class DrawingRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(DrawingRoundTrip, ContentsSurviveAndSecondSaveIsIdentical) {
    ScratchDir dir;
    const std::string first = dir.path(std::string("a") + GetParam());
    const std::string second = dir.path(std::string("b") + GetParam());
    AcDbDatabase original;
    fillTestDrawing(&original);
    std::string message;
    ASSERT_EQ(orv::io::saveDrawing(&original, first, &message), Acad::eOk) << message;

    AcDbDatabase loaded(false, true);
    ASSERT_EQ(orv::io::readDrawing(&loaded, first, &message), Acad::eOk) << message;
    expectSamePipes(&original, &loaded);
    EXPECT_EQ(loaded.dimscale(), 48.0);
    EXPECT_FALSE(loaded.layerId("ROOM LABELS").isNull());

    ASSERT_EQ(orv::io::saveDrawing(&loaded, second, &message), Acad::eOk) << message;
    EXPECT_EQ(fileText(first), fileText(second));
}

INSTANTIATE_TEST_SUITE_P(Formats, DrawingRoundTrip, ::testing::Values(".dwg", ".dxf", ".DXF"));

TEST(DrawingFormat, ChosenByExtensionCaseInsensitively) {
    ScratchDir dir;
    AcDbDatabase db;
    ASSERT_EQ(orv::io::saveDrawing(&db, dir.path("x.DxF")), Acad::eOk);
    ASSERT_EQ(orv::io::saveDrawing(&db, dir.path("x.drawing")), Acad::eOk);
    EXPECT_EQ(fileText(dir.path("x.DxF")).substr(0, 12), "  0\nSECTION\n");
    EXPECT_EQ(fileText(dir.path("x.drawing")).substr(0, 7), "ORVDRAW");
}

TEST(DrawingFormat, ForeignDwgIsRefusedWithMessage) {
    ScratchDir dir;
    std::ofstream(dir.path("v.dwg"), std::ios::binary) << "AC1027" << std::string(200, '\0');
    AcDbDatabase db;
    std::string message;
    EXPECT_NE(orv::io::readDrawing(&db, dir.path("v.dwg"), &message), Acad::eOk);
    EXPECT_NE(message.find("another program"), std::string::npos) << message;
}

TEST(DrawingFormat, DatabaseFileCallsUseTheseFormats) {
    ScratchDir dir;
    AcDbDatabase db;
    fillTestDrawing(&db, 2);
    ASSERT_EQ(db.saveAs(dir.path("d.dwg").c_str()), Acad::eOk);
    ASSERT_EQ(db.dxfOut(dir.path("d.txt").c_str()), Acad::eOk);  // DXF whatever the name
    AcDbDatabase side(false, true);
    ASSERT_EQ(side.readDwgFile(dir.path("d.dwg").c_str()), Acad::eOk);
    expectSamePipes(&db, &side);
    AcDbDatabase fromDxf(false, true);
    ASSERT_EQ(fromDxf.dxfIn(dir.path("d.txt").c_str()), Acad::eOk);
    expectSamePipes(&db, &fromDxf);
}

TEST(DxfOutput, OtherDxfReaderAuditsWithoutErrors) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) GTEST_SKIP() << "ezdxf not installed";
    ScratchDir dir;
    AcDbDatabase db;
    fillTestDrawing(&db, 20);
    const std::string path = dir.path("audit.dxf");
    ASSERT_EQ(orv::io::saveDrawing(&db, path), Acad::eOk);
    const std::string command = std::string("/usr/bin/python3 ") + ORV_EZDXF_CHECK + " " + path;
    EXPECT_EQ(std::system(command.c_str()), 0) << fileText(path).substr(0, 2000);
}

}  // namespace
