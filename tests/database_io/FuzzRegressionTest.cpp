// Inputs the fuzz programs found faults with (fuzz/regressions/): each is
// read as the fuzz program reads it, refused or read cleanly, and a drawing
// that was read saves in both formats and reads back. The sanitizers of CI
// report the leaks and overflows these inputs once caused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "database/dbdatabase.h"
#include "database/io/BinaryDrawing.h"
#include "database/io/DrawingFiles.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Reads every reproducer of one reader; answers the refusal messages by file.
std::map<std::string, std::string> readAll(const std::string& reader, bool dxf) {
    std::map<std::string, std::string> refusals;
    for (const auto& entry : fs::directory_iterator(fs::path(ORV_FUZZ_REGRESSIONS) / reader)) {
        std::string bytes = contents(entry.path());
        if (!dxf) orv::io::resealBinaryDrawing(bytes);  // as the fuzz program does
        const std::string name = entry.path().filename().string();
        AcDbDatabase db(false, true);
        std::string message;
        if (orv::io::readDrawingFromString(&db, dxf, bytes, &message) != Acad::eOk) {
            EXPECT_FALSE(message.empty()) << name;
            refusals[name] = message;
            continue;
        }
        for (bool asDxf : {true, false}) {
            std::string saved;
            EXPECT_EQ(orv::io::saveDrawingToString(&db, asDxf, saved, &message), Acad::eOk) << name << ": " << message;
            AcDbDatabase again(false, true);
            EXPECT_EQ(orv::io::readDrawingFromString(&again, asDxf, saved, &message), Acad::eOk)
                << name << " saved as " << (asDxf ? "DXF" : "binary") << ": " << message;
        }
    }
    return refusals;
}

} // namespace

TEST(FuzzRegressions, DxfReader) {
    auto refusals = readAll("dxf_reader", true);
    // A second LTYPE table was refused but the table object made for it leaked.
    EXPECT_NE(refusals["second-table-leaked.dxf"].find("second LTYPE table"), std::string::npos)
        << refusals["second-table-leaked.dxf"];
    // A file without an APPID table was read into a drawing that could not
    // be saved; it reads, with an empty table, and so takes the round trip.
    EXPECT_FALSE(refusals.count("no-appid-table.dxf")) << refusals["no-appid-table.dxf"];
    // A STYLE record inside the LAYER table was read as a record of that
    // table and written back as a LAYER holding text style fields.
    EXPECT_NE(refusals["style-record-in-layer-table.dxf"].find("the LAYER table holds a STYLE record"),
              std::string::npos)
        << refusals["style-record-in-layer-table.dxf"];
    // A DIMSTYLE table without its ENDTAB took the BLOCK_RECORD table that
    // followed into its carried text: the blocks were never read, and the
    // saved file named blocks it did not hold. The next TABLE ends it now.
    EXPECT_FALSE(refusals.count("table-without-endtab.dxf")) << refusals["table-without-endtab.dxf"];
    // A spline whose fit points lie far apart over a tiny knot span has an
    // arc length that overflows; sampling it for the extents on save read
    // past the end of its piece table (found by AddressSanitizer).
    EXPECT_FALSE(refusals.count("spline-length-overflows.dxf")) << refusals["spline-length-overflows.dxf"];
    // Extended data group 1009: the DXF reader kept it as text, the binary
    // reader refused what the binary writer made of it. Codes 1006-1009 are
    // strings by the DXF reference's ranges, in every reader now.
    EXPECT_FALSE(refusals.count("xdata-code-1009.dxf")) << refusals["xdata-code-1009.dxf"];
}

TEST(FuzzRegressions, BinaryReader) {
    auto refusals = readAll("binary_reader", false);
    // A block record claiming two billion entities made the reader reserve
    // 13 GB before reading the first one.
    EXPECT_TRUE(refusals.count("huge-entity-count.dwg"));
    // A drawing whose linetype table handle named no object read
    // without linetypes and could not be saved as DXF; both readers now give
    // such a drawing empty tables, so it takes the round trip.
    EXPECT_FALSE(refusals.count("no-linetype-table.dwg")) << refusals["no-linetype-table.dwg"];
    // An unknown class filed under the DXF name MTEXT became a proxy that
    // was saved as an MTEXT without its text groups, which no reader takes
    // back; the class table is refused as damaged instead.
    EXPECT_NE(refusals["unknown-class-with-mtext-name.dwg"].find("takes the DXF name MTEXT"), std::string::npos)
        << refusals["unknown-class-with-mtext-name.dwg"];
    // A block listing one entity twice was saved with two objects under one
    // handle, which no reader takes back.
    EXPECT_NE(refusals["entity-listed-twice.dwg"].find("which is listed already"), std::string::npos)
        << refusals["entity-listed-twice.dwg"];
    // A room leader whose data is newer than its class became a proxy that
    // went to DXF under its own name without its data, unreadable where
    // the class is known; it now goes as a proxy entity (the round trip
    // above, and the fuzz program that loads the module, check it).
    EXPECT_FALSE(refusals.count("module-entity-newer-data.dwg")) << refusals["module-entity-newer-data.dwg"];
    // Room data from a drawing of an older format became a proxy whose
    // bytes were then saved as if in the current format, where the room
    // class misread them; they keep their format now (the fuzz program, with
    // the module, reads this input again on every run).
    EXPECT_FALSE(refusals.count("room-data-from-older-format.dwg")) << refusals["room-data-from-older-format.dwg"];
    // A linetype listed twice by its table was saved as two records under
    // one handle, which no reader takes back.
    EXPECT_NE(refusals["table-record-listed-twice.dwg"].find("which is listed already"), std::string::npos)
        << refusals["table-record-listed-twice.dwg"];
    // An entity scaled far out gave extents beyond the numbers a drawing
    // may hold; written as $EXTMAX they made the saved DXF unreadable.
    EXPECT_FALSE(refusals.count("extents-beyond-limits.dwg")) << refusals["extents-beyond-limits.dwg"];
    // Tags kept as a proxy under the DXF name LINE, without the line's own
    // groups, went to DXF as a LINE that the DXF reader refuses; the binary
    // reader now reads such tags as the DXF reader would, and refuses them.
    EXPECT_NE(refusals["standard-name-tags-proxy.dwg"].find("keeps DXF data of a LINE that a LINE cannot be read"),
              std::string::npos)
        << refusals["standard-name-tags-proxy.dwg"];
}
