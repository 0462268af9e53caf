// Damaged drawings: every truncation and many corruptions of a saved file
// give a clear error (or, where the damage still reads, a usable drawing),
// never a crash, a hang or a leak.
#include <gtest/gtest.h>

#include <random>

#include "DrawingFixture.h"
#include "database/io/BinaryDrawing.h"
#include "database/io/DrawingFiles.h"

namespace {

std::string savedDrawing(bool dxf) {
    AcDbDatabase db;
    fillTestDrawing(&db, 6);
    std::string bytes;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, dxf, bytes), Acad::eOk);
    return bytes;
}

// Reads bytes; a failure must come with a message, success with a drawing
// that has its model space.
void expectCleanOutcome(bool dxf, const std::string& bytes, const std::string& what) {
    AcDbDatabase db(false, true);
    std::string message;
    Acad::ErrorStatus es = orv::io::readDrawingFromString(&db, dxf, bytes, &message);
    if (es != Acad::eOk) EXPECT_FALSE(message.empty()) << what;
    else EXPECT_FALSE(db.modelSpaceId().isNull()) << what;
}

class DamagedFile : public ::testing::TestWithParam<bool> {};

TEST_P(DamagedFile, EveryTruncationFailsWithAMessage) {
    const bool dxf = GetParam();
    const std::string full = savedDrawing(dxf);
    const size_t step = std::max<size_t>(1, full.size() / 400);
    for (size_t n = 0; n < full.size(); n += step) {
        AcDbDatabase db(false, true);
        std::string message;
        Acad::ErrorStatus es = orv::io::readDrawingFromString(&db, dxf, full.substr(0, n), &message);
        EXPECT_NE(es, Acad::eOk) << "truncated at " << n;
        EXPECT_FALSE(message.empty()) << "truncated at " << n;
    }
}

TEST_P(DamagedFile, CorruptedBytesNeverCrash) {
    const bool dxf = GetParam();
    const std::string full = savedDrawing(dxf);
    std::mt19937 random(7);
    const char replacements[] = {'\0', '\n', '9', '-', 'x', '\xff', ' ', '0'};
    for (int round = 0; round < 600; ++round) {
        std::string damaged = full;
        const int edits = 1 + round % 3;
        for (int e = 0; e < edits; ++e) {
            size_t at = random() % damaged.size();
            damaged[at] = dxf ? replacements[random() % sizeof replacements]
                              : static_cast<char>(damaged[at] ^ (1 + random() % 255));
        }
        // Binary damage is caught by the checksum; reseal half of the cases
        // so the object reader itself meets the damage.
        if (!dxf && round % 2 == 0) orv::io::resealBinaryDrawing(damaged);
        expectCleanOutcome(dxf, damaged, "round " + std::to_string(round));
    }
}

TEST_P(DamagedFile, EmptyAndForeignInputIsRefused) {
    const bool dxf = GetParam();
    for (const std::string& junk : {std::string(), std::string("hello\n"), std::string(1000, '\0'),
                                    std::string("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n")}) {
        AcDbDatabase db(false, true);
        std::string message;
        EXPECT_NE(orv::io::readDrawingFromString(&db, dxf, junk, &message), Acad::eOk);
        EXPECT_FALSE(message.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, DamagedFile, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dxf" : "Binary"; });

}  // namespace
