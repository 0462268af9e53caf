// Drawings written by another program (the corpus script, run with ezdxf)
// read, saved in the binary format, read again and saved as DXF: nothing
// the DXF path keeps is lost on the way through the binary format, and
// the other program's audit accepts what comes out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "DrawingFixture.h"
#include "database/dbdictionary.h"
#include "database/io/DrawingFiles.h"
#include "database/io/DxfTags.h"
#include "database/io/FileProxyEntity.h"

#ifndef ORV_DXF_CORPUS
#error "ORV_DXF_CORPUS must name the corpus script"
#endif

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The tags of a DXF text's OBJECTS section, as "code value" lines.
std::vector<std::string> objectsTags(const std::string& text) {
    std::vector<orv::io::DxfTag> tags;
    std::string message;
    EXPECT_TRUE(orv::io::tokenizeDxf(text, tags, message)) << message;
    std::vector<std::string> out;
    bool inObjects = false;
    for (size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].code == 2 && tags[i].value == "OBJECTS" && i > 0 && tags[i - 1].value == "SECTION") {
            inObjects = true;
            continue;
        }
        if (inObjects && tags[i].code == 0 && tags[i].value == "ENDSEC") break;
        if (inObjects) out.push_back(std::to_string(tags[i].code) + " " + std::string(tags[i].value));
    }
    return out;
}

bool haveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0; }

class CorpusRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveEzdxf()) GTEST_SKIP() << "ezdxf not installed";
        const std::string command = std::string("/usr/bin/python3 ") + ORV_DXF_CORPUS + " " + dir.path("corpus");
        ASSERT_EQ(std::system(command.c_str()), 0);
        for (const auto& entry : std::filesystem::directory_iterator(dir.path("corpus")))
            files.push_back(entry.path().string());
        ASSERT_GE(files.size(), 3u);
    }

    // original -> host -> DXF text, and original -> host -> binary -> host -> DXF text.
    void throughBothFormats(const std::string& original, std::string& direct, std::string& viaBinary) {
        std::string message;
        AcDbDatabase db(false, true);
        ASSERT_EQ(orv::io::readDrawing(&db, original, &message), Acad::eOk) << original << ": " << message;
        ASSERT_EQ(orv::io::saveDrawingToString(&db, true, direct, &message), Acad::eOk) << message;
        std::string binary;
        ASSERT_EQ(orv::io::saveDrawingToString(&db, false, binary, &message), Acad::eOk) << message;
        AcDbDatabase back(false, true);
        ASSERT_EQ(orv::io::readDrawingFromString(&back, false, binary, &message), Acad::eOk) << message;
        ASSERT_EQ(orv::io::saveDrawingToString(&back, true, viaBinary, &message), Acad::eOk) << message;
    }

    ScratchDir dir;
    std::vector<std::string> files;
};

TEST_F(CorpusRoundTrip, BinaryFormatLosesNothingTheDxfKeeps) {
    for (const std::string& file : files) {
        std::string direct, viaBinary;
        throughBothFormats(file, direct, viaBinary);
        EXPECT_EQ(direct, viaBinary) << file;
        // The kinds the host does not model are there, with their data.
        for (const char* kept : {"\nARC\n", "\nHATCH\n", "\nDIMENSION\n", "\nATTRIB\n", "\nVERTEX\n", "\nSEQEND\n",
                                 "\nDIMSTYLE\n", "\nLAYOUT\n"}) {
            if (fileText(file).find(kept) != std::string::npos) {
                EXPECT_NE(viaBinary.find(kept), std::string::npos) << file << " lost" << kept;
            }
        }
    }
}

TEST_F(CorpusRoundTrip, OtherReaderAuditsTheResultWithoutErrors) {
    for (const std::string& file : files) {
        std::string direct, viaBinary;
        throughBothFormats(file, direct, viaBinary);
        const std::string out = file + ".out.dxf";
        std::ofstream(out, std::ios::binary) << viaBinary;
        const std::string command = std::string("/usr/bin/python3 ") + ORV_EZDXF_CHECK + " " + out;
        EXPECT_EQ(std::system(command.c_str()), 0) << file;
    }
}

// The architectural kinds come in as entities of their own classes; only
// kinds the host does not model are carried.
TEST_F(CorpusRoundTrip, ArchitecturalKindsAreModelledNotCarried) {
    const std::set<std::string> modelled = {"ARC",      "ELLIPSE", "POINT",  "SOLID",
                                            "POLYLINE", "VERTEX",  "SEQEND", "ATTDEF", "ATTRIB",
                                            "HATCH",    "DIMENSION"};
    for (const std::string& file : files) {
        std::string message;
        AcDbDatabase db(false, true);
        ASSERT_EQ(orv::io::readDrawing(&db, file, &message), Acad::eOk) << message;
        std::set<std::string> seen;
        std::vector<AcDbObjectId> entities;
        {
            AcDbObjectPointer<AcDbSymbolTable> blocks(db.blockTableId(), AcDb::kForRead);
            ASSERT_TRUE(blocks.object());
            for (AcDbObjectId blockId : blocks->recordIds()) {
                AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
                for (AcDbObjectId id : block->entityIds()) entities.push_back(id);
            }
        }
        for (AcDbObjectId id : entities) {
            AcDbEntityPointer e(id, AcDb::kForRead);
            ASSERT_TRUE(e.object());
            if (auto* proxy = AcDbFileProxyEntity::cast(e.object()))
                EXPECT_EQ(modelled.count(proxy->originalClass().dxfName), 0u) << file << ": " << proxy->originalClass().dxfName;
            else
                seen.insert(e->isA()->dxfName());
        }
        if (file.find("plan_") != std::string::npos) {
            for (const std::string& kind : modelled) EXPECT_EQ(seen.count(kind), 1u) << file << ": " << kind;
        }
    }
}

// The OBJECTS data is read as dictionaries and objects kept as their tags:
// saved again it is the same tags in the same order, with the same handles
// (so references between them, layouts and their blocks, stay intact), and
// new objects are numbered above them.
TEST_F(CorpusRoundTrip, CarriedObjectsKeepTheirTagsOrderAndHandles) {
    for (const std::string& file : files) {
        std::string message;
        AcDbDatabase db(false, true);
        ASSERT_EQ(orv::io::readDrawing(&db, file, &message), Acad::eOk) << message;
        EXPECT_TRUE(db.carriedDxf().objects.empty()) << file;
        std::string direct;
        ASSERT_EQ(orv::io::saveDrawingToString(&db, true, direct, &message), Acad::eOk);
        const std::string original = fileText(file);
        EXPECT_EQ(objectsTags(direct), objectsTags(original)) << file;
        const auto root = original.find("\nOBJECTS\n  0\nDICTIONARY\n  5\n");
        ASSERT_NE(root, std::string::npos);
        const std::string rootHandle = original.substr(root + 28, original.find('\n', root + 28) - root - 28);
        EXPECT_EQ(acdbNamedObjectsDictionary(&db, false).handle().asString(), rootHandle) << file;
        uint64_t rootValue = std::stoull(rootHandle, nullptr, 16);
        EXPECT_GT(db.handseed().value(), rootValue) << file;
    }
}

}  // namespace
