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

namespace {

class TablesAndBlocks : public ::testing::TestWithParam<bool> {};

// Layer properties, a user block with an origin and its own entities, a
// paper space entity and extended data all survive either format.
TEST_P(TablesAndBlocks, Survive) {
    const bool dxf = GetParam();
    registerTestClasses();
    AcDbDatabase db;
    AcDbObjectId layer = addLayer(&db, "HIDDEN WORK", 9);
    {
        AcDbObjectPointer<AcDbLayerTableRecord> l(layer, AcDb::kForWrite);
        l->setIsLocked(true);
        l->setIsFrozen(true);
        l->setLinetypeObjectId(db.continuousLinetype());
    }
    AcDbObjectId blockId;
    {
        AcDbBlockTable* bt = nullptr;
        ASSERT_EQ(db.getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
        auto* block = new AcDbBlockTableRecord();
        block->setName("ARROW");
        ASSERT_EQ(bt->add(blockId, block), Acad::eOk);
        block->setOrigin(AcGePoint3d(1, 2, 0));
        auto* inBlock = new TestPipe();
        inBlock->key = 77;
        ASSERT_EQ(block->appendAcDbEntity(inBlock), Acad::eOk);
        inBlock->close();
        block->close();
        bt->close();
    }
    {
        AcDbBlockTableRecord* ps = nullptr;
        ASSERT_EQ(acdbOpenObject(ps, db.paperSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* onPaper = new TestPipe();
        onPaper->key = 88;
        ASSERT_EQ(ps->appendAcDbEntity(onPaper), Acad::eOk);
        onPaper->close();
        ps->close();
    }
    auto* marked = new TestPipe();
    marked->key = 5;
    db.registerApp("ORV_MARK");
    resbuf* xd = acutBuildList(1001, "ORV_MARK", 1000, "project folder", 1070, 3, 0);
    ASSERT_EQ(marked->setXData(xd), Acad::eOk);
    acutRelRb(xd);
    appendToModelSpace(&db, marked);

    std::string bytes, message;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, dxf, bytes, &message), Acad::eOk) << message;
    AcDbDatabase back(false, true);
    ASSERT_EQ(orv::io::readDrawingFromString(&back, dxf, bytes, &message), Acad::eOk) << message;
    if (dxf && std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0) {
        ScratchDir dir;
        std::ofstream(dir.path("blocks.dxf"), std::ios::binary) << bytes;
        const std::string command = std::string("/usr/bin/python3 ") + ORV_EZDXF_CHECK + " " + dir.path("blocks.dxf");
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    AcDbObjectPointer<AcDbLayerTableRecord> l(back.layerId("HIDDEN WORK"), AcDb::kForRead);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->colorIndex(), 9);
    EXPECT_TRUE(l->isLocked());
    EXPECT_TRUE(l->isFrozen());
    EXPECT_EQ(l->linetypeObjectId(), back.continuousLinetype());

    AcDbObjectPointer<AcDbBlockTableRecord> block(back.blockId("ARROW"), AcDb::kForRead);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->origin().y, 2.0);
    ASSERT_EQ(block->entityIds().size(), 1u);
    AcDbObjectPointer<TestPipe> inBlock(block->entityIds()[0], AcDb::kForRead);
    ASSERT_TRUE(inBlock);
    EXPECT_EQ(inBlock->key, 77);
    EXPECT_EQ(inBlock->ownerId(), back.blockId("ARROW"));

    AcDbObjectPointer<AcDbBlockTableRecord> ps(back.paperSpaceId(), AcDb::kForRead);
    ASSERT_TRUE(ps);
    ASSERT_EQ(ps->entityIds().size(), 1u);
    AcDbObjectPointer<TestPipe> onPaper(ps->entityIds()[0], AcDb::kForRead);
    ASSERT_TRUE(onPaper);
    EXPECT_EQ(onPaper->key, 88);

    auto ms = modelSpaceEntities(&back);
    ASSERT_EQ(ms.size(), 1u);
    AcDbObjectPointer<TestPipe> m(ms[0], AcDb::kForRead);
    resbuf* data = m->xData("ORV_MARK");
    ASSERT_NE(data, nullptr);
    ASSERT_NE(data->rbnext, nullptr);
    EXPECT_STREQ(data->rbnext->resval.rstring, "project folder");
    ASSERT_NE(data->rbnext->rbnext, nullptr);
    EXPECT_EQ(data->rbnext->rbnext->resval.rint, 3);
    acutRelRb(data);
}

INSTANTIATE_TEST_SUITE_P(Formats, TablesAndBlocks, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dxf" : "Binary"; });

}  // namespace
