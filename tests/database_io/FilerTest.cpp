// The concrete filers on their own: binary values and failure states, DXF
// tags, the ASCII tagged filer's item reading, the result-buffer filer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

#include "database/io/AsciiDxfFiler.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/io/DxfTags.h"
#include "geometry/AcGe.h"

namespace {

TEST(DwgMemoryFiler, ValuesReadBackInWriteOrder) {
    AcDbDwgMemoryFiler out(AcDb::kUndoFiler);
    EXPECT_EQ(out.filerType(), AcDb::kUndoFiler);
    out.writeInt32(-7);
    out.writeBool(true);
    out.writeString("Ra\xC3\xBCm 1");
    out.writePoint3d(AcGePoint3d(1.5, -2.25, 1e-300));
    out.writeInt16(-3);
    out.writeDouble(0.1);
    std::string bytes = out.data();

    AcDbDwgMemoryFiler in(bytes, nullptr);
    Adesk::Int32 i = 0;
    bool b = false;
    std::string s;
    AcGePoint3d p;
    Adesk::Int16 h = 0;
    double d = 0;
    in.readInt32(&i);
    in.readBool(&b);
    in.readString(&s);
    in.readPoint3d(&p);
    in.readInt16(&h);
    EXPECT_EQ(in.readDouble(&d), Acad::eOk);
    EXPECT_EQ(i, -7);
    EXPECT_TRUE(b);
    EXPECT_EQ(s, "Ra\xC3\xBCm 1");
    EXPECT_EQ(p.x, 1.5);
    EXPECT_EQ(p.z, 1e-300);
    EXPECT_EQ(h, -3);
    EXPECT_EQ(d, 0.1);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(DwgMemoryFiler, ReadingPastTheEndFailsAndStaysFailed) {
    AcDbDwgMemoryFiler out;
    out.writeInt32(5);
    std::string bytes = out.data().substr(0, 3);
    AcDbDwgMemoryFiler in(bytes, nullptr);
    Adesk::Int32 v = 42;
    EXPECT_NE(in.readInt32(&v), Acad::eOk);
    EXPECT_EQ(v, 42);  // untouched
    Adesk::Int8 c = 1;
    EXPECT_NE(in.readInt8(&c), Acad::eOk);  // even though a byte is left
}

TEST(DwgMemoryFiler, HugeStringLengthIsAFailureNotAnAllocation) {
    AcDbDwgMemoryFiler out;
    out.writeUInt32(0xFFFFFFF0u);
    std::string bytes = out.data() + "abc";
    AcDbDwgMemoryFiler in(bytes, nullptr);
    std::string s = "keep";
    EXPECT_NE(in.readString(&s), Acad::eOk);
    EXPECT_EQ(s, "keep");
}

TEST(DwgMemoryFiler, DanglingIdReadsNullHandleAndLaterFieldsStillRead) {
    AcDbDwgMemoryFiler out;
    out.writeHandle(AcDbHandle(0x99));
    out.writeInt32(11);
    std::string bytes = out.data();
    // Reading the handle as an id: the resolver knows no such object.
    AcDbDwgMemoryFiler in(bytes, [](AcDbHandle) { return AcDbObjectId(); });
    AcDbObjectId id;
    EXPECT_EQ(in.readHardPointerId(&id), Acad::eNullHandle);
    EXPECT_TRUE(id.isNull());
    Adesk::Int32 v = 0;
    in.readInt32(&v);
    EXPECT_EQ(v, 11);
}

TEST(DwgMemoryFiler, BoolOtherThanZeroOrOneIsCorrupt) {
    std::string bytes("\x02", 1);
    AcDbDwgMemoryFiler in(bytes, nullptr);
    bool b = false;
    EXPECT_EQ(in.readBool(&b), Acad::eFilerError);
}

TEST(DxfTags, NumbersRoundTripExactly) {
    for (double v : {0.1, -1e-17, 123456789.123456789, 1.0 / 3.0, 5.0, -0.0}) {
        double back = 1;
        ASSERT_TRUE(orv::io::parseDxfDouble(orv::io::formatDxfDouble(v), back));
        EXPECT_EQ(back, v);
    }
    EXPECT_EQ(orv::io::formatDxfDouble(5.0), "5.0");
}

TEST(DxfTags, TokenizerAcceptsCrLfAndReportsDamageWithLine) {
    std::vector<orv::io::DxfTag> tags;
    std::string msg;
    ASSERT_TRUE(orv::io::tokenizeDxf("  0\r\nSECTION\r\n  2\r\nHEADER\r\n", tags, msg));
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[1].value, "HEADER");
    EXPECT_EQ(tags[1].line, 3u);

    EXPECT_FALSE(orv::io::tokenizeDxf("  0\nSECTION\n  x2\nHEADER\n", tags, msg));
    EXPECT_NE(msg.find("line 3"), std::string::npos) << msg;
    EXPECT_FALSE(orv::io::tokenizeDxf("  0\nSECTION\n  2\n", tags, msg));
    EXPECT_NE(msg.find("truncated"), std::string::npos) << msg;
}

// Plain decimals take a shortcut past the general parser; both must give the
// same double for every text, and everything else must still be judged as before.
TEST(DxfTags, DecimalShortcutAgreesWithTheGeneralParser) {
    std::mt19937_64 random(17);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = static_cast<int>(random() % 23);
        const uint64_t digits = random() % 1000000000000000ull;  // up to 15 digits
        std::string text = std::to_string(digits);
        if (decimals > 0) {
            if (text.size() <= static_cast<size_t>(decimals))
                text.insert(0, static_cast<size_t>(decimals) - text.size() + 1, '0');
            text.insert(text.size() - static_cast<size_t>(decimals), ".");
        }
        if (random() % 2) text.insert(0, "-");
        double quick = 0;
        ASSERT_TRUE(orv::io::parseDxfDouble(text, quick)) << text;
        EXPECT_EQ(quick, std::strtod(text.c_str(), nullptr)) << text;
    }
    for (const char* text : {"12345678901234567", "0.1234567890123456789012345", "1e5", "-2.5E-3", "1.",
                             ".5", " 7.25\r", "+3", "-0"}) {
        double value = 99;
        ASSERT_TRUE(orv::io::parseDxfDouble(text, value)) << text;
        std::string plain(text);
        while (!plain.empty() && (plain.back() == '\r')) plain.pop_back();
        EXPECT_EQ(value, std::strtod(plain.c_str(), nullptr)) << text;
    }
    double negativeZero = 1;
    ASSERT_TRUE(orv::io::parseDxfDouble("-0.0", negativeZero));
    EXPECT_TRUE(std::signbit(negativeZero));
    for (const char* text : {"", ".", "-", "1.2.3", "--1", "1-", "12a", "nan", "1e999", "2e100"}) {
        double value = 99;
        EXPECT_FALSE(orv::io::parseDxfDouble(text, value)) << text;
        EXPECT_EQ(value, 99);
    }
}

TEST(DxfTags, TokenizerReadsUnusualGroupCodeLinesAndRefusesOthers) {
    std::vector<orv::io::DxfTag> tags;
    std::string msg;
    ASSERT_TRUE(orv::io::tokenizeDxf("-1\nx\n\t 8 \r\nLAYER\n+62\n5\n1071\nend\n\n", tags, msg)) << msg;
    ASSERT_EQ(tags.size(), 4u);
    EXPECT_EQ(tags[0].code, -1);
    EXPECT_EQ(tags[1].code, 8);
    EXPECT_EQ(tags[1].value, "LAYER");
    EXPECT_EQ(tags[2].code, 62);
    EXPECT_EQ(tags[3].code, 1071);
    EXPECT_EQ(tags[3].line, 7u);
    // The last value may end the file without a line end.
    ASSERT_TRUE(orv::io::tokenizeDxf("  0\nEOF", tags, msg));
    EXPECT_EQ(tags.back().value, "EOF");
    for (const char* bad : {"1072\nx\n", "10000\nx\n", "-6\nx\n"}) {
        EXPECT_FALSE(orv::io::tokenizeDxf(bad, tags, msg)) << bad;
        EXPECT_NE(msg.find("invalid group code"), std::string::npos) << msg;
    }
    EXPECT_FALSE(orv::io::tokenizeDxf("  0\nA\n  8", tags, msg));
    EXPECT_NE(msg.find("line 3 (truncated)"), std::string::npos) << msg;
}

TEST(DxfTags, WriterKeepsOneValuePerLine) {
    orv::io::DxfTagWriter w;
    w.string(1, "two\nlines");
    w.handle(5, 0x2AF);
    w.point(10, 1, 2, 3);
    EXPECT_EQ(w.data(), "  1\ntwo lines\n  5\n2AF\n 10\n1.0\n 20\n2.0\n 30\n3.0\n");
}

struct TagFixture {
    std::string text;
    std::vector<orv::io::DxfTag> tags;
    explicit TagFixture(std::string t) : text(std::move(t)) {
        std::string msg;
        EXPECT_TRUE(orv::io::tokenizeDxf(text, tags, msg)) << msg;
    }
};

TEST(AsciiDxfFiler, PointsMergeAndPushBackRereadsWholeItem) {
    TagFixture f("100\nZKLeader\n 10\n1\n 20\n2\n 30\n3\n 11\n4\n 21\n5\n 40\n0.5\n");
    AcDbAsciiDxfFiler filer(f.tags, nullptr, nullptr);
    EXPECT_FALSE(filer.atSubclassData("AcDbLine"));
    EXPECT_TRUE(filer.atSubclassData("ZKLeader"));
    resbuf rb{};
    ASSERT_EQ(filer.readItem(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 10);
    EXPECT_EQ(rb.resval.rpoint[2], 3.0);
    ASSERT_EQ(filer.pushBackItem(), Acad::eOk);
    ASSERT_EQ(filer.readItem(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.rpoint[1], 2.0);
    ASSERT_EQ(filer.readItem(&rb), Acad::eOk);  // 2D point: z is zero
    EXPECT_EQ(rb.restype, 11);
    EXPECT_EQ(rb.resval.rpoint[2], 0.0);
    ASSERT_EQ(filer.readItem(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.rreal, 0.5);
    EXPECT_TRUE(filer.atEndOfObject());
    EXPECT_EQ(filer.readItem(&rb), Acad::eEndOfObject);
}

TEST(AsciiDxfFiler, BadNumberNamesCodeAndLine) {
    TagFixture f(" 90\n12\n 40\nabc\n");
    AcDbAsciiDxfFiler filer(f.tags, nullptr, nullptr);
    resbuf rb{};
    ASSERT_EQ(filer.readItem(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.rlong, 12);
    EXPECT_EQ(filer.readItem(&rb), Acad::eInvalidDxfFile);
    EXPECT_NE(filer.errorMessage().find("line 3"), std::string::npos) << filer.errorMessage();
}

}  // namespace
