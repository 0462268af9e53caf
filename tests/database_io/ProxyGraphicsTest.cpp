// Custom entities in DXF for programs without their class: the display as
// proxy graphics (read back by ezdxf), and the exploded export that holds
// only standard entities.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "DrawingFixture.h"
#include "database/dbcircle.h"
#include "database/dbpolyline.h"
#include "database/dbtext.h"
#include "database/io/DrawingFiles.h"
#include "database/io/ExplodeCustom.h"
#include "database/io/ProxyGraphics.h"

namespace {

std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
    return out;
}

AcDbObjectId addPipe(AcDbDatabase* db, const char* size) {
    registerTestClasses();
    auto* pipe = new TestPipe();
    pipe->start = AcGePoint3d(1, 2, 0);
    pipe->end = AcGePoint3d(11, 2, 0);
    pipe->sizeText = size;
    pipe->setLayer(addLayer(db, "PIPES", 4));
    return appendToModelSpace(db, pipe);
}

TEST(ProxyGraphics, CommandsAreSizedAndTheDataIsSplitIntoShortHexLines) {
    AcDbDatabase db;
    AcDbObjectId id = addPipe(&db, "Ø 200");
    AcDbEntityPointer pipe(id, AcDb::kForRead);
    const std::string bytes = orv::io::proxyGraphicsOf(pipe.object());
    ASSERT_GE(bytes.size(), 16u);
    uint32_t total = 0, count = 0;
    std::memcpy(&total, bytes.data(), 4);
    std::memcpy(&count, bytes.data() + 4, 4);
    EXPECT_EQ(total, bytes.size());
    // Walking the command sizes lands exactly on the end.
    size_t at = 8;
    uint32_t walked = 0;
    while (at + 8 <= bytes.size()) {
        uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at, 4);
        ASSERT_GE(size, 8u);
        EXPECT_EQ(size % 4, 0u);
        at += size;
        ++walked;
    }
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(walked, count);

    const std::string tags = orv::io::proxyGraphicsTags(bytes);
    EXPECT_EQ(tags.rfind(" 92\n" + std::to_string(bytes.size()) + "\n", 0), 0u);
    size_t hexChars = 0;
    for (size_t line = tags.find("310\n"); line != std::string::npos; line = tags.find("310\n", line + 4)) {
        const size_t begin = line + 4, end = tags.find('\n', begin);
        EXPECT_LE(end - begin, 254u);
        hexChars += end - begin;
    }
    EXPECT_EQ(hexChars, 2 * bytes.size());
}

TEST(ProxyGraphics, OtherProgramDrawsTheCustomEntity) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) GTEST_SKIP() << "ezdxf not installed";
    ScratchDir dir;
    AcDbDatabase db;
    addPipe(&db, "Ø 200");
    const std::string path = dir.path("pipes.dxf");
    std::string message;
    ASSERT_EQ(orv::io::saveDrawing(&db, path, &message), Acad::eOk) << message;
    EXPECT_EQ(run(std::string("/usr/bin/python3 ") + ORV_PROXY_GRAPHICS_CHECK + " " + path + " TESTPIPE"),
              "CIRCLE POLYLINE TEXT:Ø 200\n");
    // The class record names the application without quotes.
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\n  3\nTest Pipe|Tests|example.invalid\n"), std::string::npos);
}

TEST(ProxyGraphics, DamagedGraphicsInTheFileAreIgnoredByTheReader) {
    AcDbDatabase db;
    addPipe(&db, "X");
    std::string text, message;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, text, &message), Acad::eOk);
    const size_t data = text.find("310\n");
    ASSERT_NE(data, std::string::npos);
    text.replace(data + 4, 6, "ZZ\x01Q!");  // not hexadecimal
    AcDbDatabase back(false, true);
    EXPECT_EQ(orv::io::readDrawingFromString(&back, true, text, &message), Acad::eOk) << message;
    ASSERT_EQ(modelSpaceEntities(&back).size(), 1u);
}

TEST(ExplodedExport, OnlyStandardEntitiesRemainOnTheCustomEntitysLayer) {
    AcDbDatabase db;
    addPipe(&db, "DN 50");
    appendToModelSpace(&db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 3));
    std::string message;
    EXPECT_EQ(orv::io::explodeCustomEntities(&db, message), 1) << message;
    int lines = 0, circles = 0, texts = 0;
    for (AcDbObjectId id : modelSpaceEntities(&db)) {
        AcDbEntityPointer e(id, AcDb::kForRead);
        ASSERT_TRUE(e);
        EXPECT_EQ(TestPipe::cast(e.object()), nullptr);
        if (AcDbPolyline::cast(e.object())) ++lines;
        if (AcDbCircle::cast(e.object())) ++circles;
        if (auto* t = AcDbText::cast(e.object())) {
            ++texts;
            EXPECT_EQ(t->textString(), "DN 50");
        }
        if (!AcDbCircle::cast(e.object()) || AcDbCircle::cast(e.object())->radius() != 3) {
            EXPECT_EQ(e->layerId(), db.layerId("PIPES"));
        }
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(circles, 2);
    EXPECT_EQ(texts, 1);
    std::string text;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, text, &message), Acad::eOk);
    EXPECT_EQ(text.find("TESTPIPE"), std::string::npos);
}

}  // namespace
