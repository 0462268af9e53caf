// What other programs see of a drawing that went through the host: the
// corpus plan read, saved through the binary format and written as DXF is
// checked group by group against the original and read by ezdxf; angles,
// encodings, header codes, class records and extents at the file boundary.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DrawingFixture.h"
#include "database/dbline.h"
#include "database/dbtext.h"
#include "database/io/DrawingFiles.h"
#include "database/io/DxfEncoding.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool haveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0; }

std::string python(const char* script, const std::string& args) {
    return std::string("/usr/bin/python3 ") + script + " " + args;
}

class PlanFidelity : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (!haveEzdxf()) GTEST_SKIP() << "ezdxf not installed";
        ASSERT_EQ(std::system(python(ORV_DXF_CORPUS, dir.path("corpus")).c_str()), 0);
        original = dir.path("corpus") + "/" + GetParam();
        std::string message;
        AcDbDatabase db(false, true);
        ASSERT_EQ(orv::io::readDrawing(&db, original, &message), Acad::eOk) << message;
        std::string binary;
        ASSERT_EQ(orv::io::saveDrawingToString(&db, false, binary, &message), Acad::eOk) << message;
        AcDbDatabase back(false, true);
        ASSERT_EQ(orv::io::readDrawingFromString(&back, false, binary, &message), Acad::eOk) << message;
        written = dir.path("written.dxf");
        ASSERT_EQ(orv::io::saveDrawing(&back, written, &message), Acad::eOk) << message;
    }
    ScratchDir dir;
    std::string original, written;
};

TEST_P(PlanFidelity, EveryGroupComesBackOrIsADocumentedChange) {
    EXPECT_EQ(std::system(python(ORV_DXF_COMPARE, original + " " + written).c_str()), 0);
}

TEST_P(PlanFidelity, OtherProgramSeesTextsAnglesStylesAndAttributes) {
    EXPECT_EQ(std::system(python(ORV_DXF_EXPECT_PLAN, written).c_str()), 0);
    EXPECT_EQ(std::system(python(ORV_EZDXF_CHECK, written).c_str()), 0);
}

TEST_P(PlanFidelity, OnlyCustomClassesHaveClassRecordsAndTheVersionIsKept) {
    const std::string text = fileText(written);
    for (const char* standard : {"ARC", "HATCH", "DIMENSION", "ELLIPSE", "POLYLINE", "ATTRIB"})
        EXPECT_EQ(text.find(std::string("CLASS\n  1\n") + standard + "\n"), std::string::npos) << standard;
    const std::string version = std::string(GetParam()).find("r2018") != std::string::npos ? "AC1032" : "AC1015";
    EXPECT_NE(text.find("$ACADVER\n  1\n" + version + "\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Corpus, PlanFidelity, ::testing::Values("plan_r2000.dxf", "plan_r2018.dxf"));

// A drawing made in the host: angles are radians inside and degrees in the
// file, text outside code page 1252 is escaped in R2000, the extents and
// the header codes are right.
TEST(DxfBoundary, AnglesEncodingHeaderCodesAndExtents) {
    AcDbDatabase db;
    appendToModelSpace(&db, new AcDbLine(AcGePoint3d(-2, 1, 0), AcGePoint3d(10, 5, 0)));
    appendToModelSpace(&db, new AcDbText(AcGePoint3d(0, 0, 0), "BÜRO 20 m² Ωmega", AcDbObjectId(), 0.1, M_PI / 4));
    AcDbHeaderValue color;
    color.type = RTSHORT;
    color.integer = 3;
    ASSERT_EQ(db.setHeaderVar("CECOLOR", color), Acad::eOk);
    std::string text, message;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, text, &message), Acad::eOk) << message;
    EXPECT_NE(text.find("\n 50\n45.0\n"), std::string::npos);
    EXPECT_NE(text.find("B\xDCRO 20 m\xB2 \\U+03A9mega"), std::string::npos);
    EXPECT_NE(text.find("$DWGCODEPAGE\n  3\nANSI_1252\n"), std::string::npos);
    EXPECT_NE(text.find("$CECOLOR\n 62\n3\n"), std::string::npos);
    EXPECT_NE(text.find("$EXTMIN\n 10\n-2.0\n 20\n0.0\n"), std::string::npos);
    EXPECT_NE(text.find("$EXTMAX\n 10\n10.0\n 20\n5.0\n"), std::string::npos);

    AcDbDatabase back(false, true);
    ASSERT_EQ(orv::io::readDrawingFromString(&back, true, text, &message), Acad::eOk) << message;
    bool found = false;
    for (AcDbObjectId id : modelSpaceEntities(&back)) {
        AcDbObjectPointer<AcDbText> t(id, AcDb::kForRead);
        if (!t) continue;
        found = true;
        EXPECT_EQ(t->textString(), "BÜRO 20 m² Ωmega");
        EXPECT_NEAR(t->rotation(), M_PI / 4, 1e-12);
    }
    EXPECT_TRUE(found);
}

TEST(DxfEncoding, CodePageAndEscapesBecomeUtf8AndBack) {
    std::string out, message;
    bool changed = false;
    ASSERT_TRUE(orv::io::decodeDxfText("  1\nB\xDCRO \x80 \\U+6771\n", out, changed, message));
    EXPECT_TRUE(changed);
    EXPECT_EQ(out, "  1\nBÜRO € 東\n");
    EXPECT_EQ(orv::io::encodeDxfCodePage1252(out), "  1\nB\xDCRO \x80 \\U+6771\n");
    // An escape that is not one stays as it is.
    ASSERT_TRUE(orv::io::decodeDxfText("\\U+12G4 \\U+", out, changed, message));
    EXPECT_EQ(out, "\\U+12G4 \\U+");
    // Pure ASCII needs no copy.
    ASSERT_TRUE(orv::io::decodeDxfText("  0\nEOF\n", out, changed, message));
    EXPECT_FALSE(changed);
}

TEST(DxfEncoding, UnreadableTextIsRefusedWithWhereAndWhy) {
    std::string out, message;
    bool changed = false;
    const std::string utf8File = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1032\n  0\nENDSEC\n  1\nbad \xC3\x28 text\n";
    EXPECT_FALSE(orv::io::decodeDxfText(utf8File, out, changed, message));
    EXPECT_NE(message.find("not valid UTF-8 at line 12"), std::string::npos) << message;
    const std::string otherPage = "  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_936\n  1\n\xB6\xAB\xBE\xA9\n";
    EXPECT_FALSE(orv::io::decodeDxfText(otherPage, out, changed, message));
    EXPECT_NE(message.find("code page ANSI_936 is not supported"), std::string::npos) << message;
    // Through the drawing reader: a clear failure, no crash.
    AcDbDatabase db(false, true);
    EXPECT_NE(orv::io::readDrawingFromString(&db, true, utf8File, &message), Acad::eOk);
    EXPECT_NE(message.find("UTF-8"), std::string::npos) << message;
}

}  // namespace
