// Every standard entity kind, made from DXF groups, comes back from both
// formats with all fields equal (its binary filing compares byte for byte).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "DrawingFixture.h"
#include "database/io/DrawingFiles.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/io/EntityLists.h"
#include "database/dxfcode.h"
#include "database/io/FileProxyEntity.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

// One entity list per kind, as (group code, value text) pairs.
struct Kind {
    const char* type;
    std::vector<std::pair<int, std::string>> groups;
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> list = {
        {"LINE", {{10, "1 2 0"}, {11, "4.5 -6 1"}}},
        {"LWPOLYLINE", {{90, "3"}, {70, "1"}, {10, "0 0 0"}, {10, "10 0 0"}, {42, "0.5"}, {10, "10 5 0"}}},
        {"MTEXT", {{10, "3 4 0"}, {40, "2.5"}, {41, "30"}, {1, "Room 12\\PKitchen"}}},
        {"TEXT", {{10, "3 4 0"}, {40, "1.5"}, {1, "label"}, {50, "0.5"}}},
        {"CIRCLE", {{10, "7 8 0"}, {40, "2.25"}}},
        {"3DFACE", {{10, "0 0 0"}, {11, "1 0 0"}, {12, "1 1 0"}, {13, "0 1 0"}}},
        {"LEADER", {{10, "0 0 0"}, {10, "5 5 0"}, {10, "9 5 0"}}},
        {"SPLINE", {{11, "0 0 0"}, {11, "3 4 0"}, {11, "6 0 0"}}},
        {"ARC", {{10, "1 2 0"}, {40, "3"}, {50, "0.5"}, {51, "2.5"}}},
        {"ELLIPSE", {{10, "1 2 0"}, {11, "4 0 0"}, {40, "0.25"}, {41, "1"}, {42, "3"}}},
        {"POINT", {{10, "7 8 9"}}},
        {"SOLID", {{10, "0 0 0"}, {11, "2 0 0"}, {12, "0 2 0"}, {13, "2 2 0"}}},
    };
    return list;
}

resbuf* listOf(const Kind& kind) {
    resbuf *head = nullptr, *tail = nullptr;
    auto add = [&](int code) {
        auto* rb = static_cast<resbuf*>(calloc(1, sizeof(resbuf)));
        rb->restype = static_cast<short>(code);
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
        return rb;
    };
    add(0)->resval.rstring = orvDupResbufString(kind.type);
    add(8)->resval.rstring = orvDupResbufString("DUCTS");
    for (const auto& [code, text] : kind.groups) {
        resbuf* rb = add(code);
        switch (AcDb::dxfValueType(code)) {
        case AcDb::kDxfPoint: sscanf(text.c_str(), "%lf %lf %lf", &rb->resval.rpoint[0], &rb->resval.rpoint[1], &rb->resval.rpoint[2]); break;
        case AcDb::kDxfReal: rb->resval.rreal = std::stod(text); break;
        case AcDb::kDxfInt16: rb->resval.rint = static_cast<short>(std::stoi(text)); break;
        case AcDb::kDxfInt32: rb->resval.rlong = std::stoi(text); break;
        default: rb->resval.rstring = orvDupResbufString(text); break;
        }
    }
    return head;
}

std::string filing(AcDbObjectId id) {
    AcDbEntityPointer e(id, AcDb::kForRead);
    if (!e) return "<cannot open>";
    if (AcDbFileProxyEntity::cast(e.object())) return "<proxy>";
    AcDbDwgMemoryFiler filer(AcDb::kFileFiler, id.database());
    e->dwgOutFields(&filer);
    return filer.data().substr(8 + 8);  // after handle and owner
}

class StandardEntities : public ::testing::TestWithParam<bool> {};

TEST_P(StandardEntities, EveryKindRoundTrips) {
    AcDbDatabase db;
    addLayer(&db, "DUCTS", 3);
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    for (const Kind& kind : kinds()) {
        resbuf* list = listOf(kind);
        EXPECT_EQ(acdbEntMake(list), RTNORM) << kind.type;
        orvReleaseResbufs(list);
    }
    acdbHostApplicationServices()->setWorkingDatabase(previous);

    std::string bytes, message;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, GetParam(), bytes, &message), Acad::eOk) << message;
    AcDbDatabase back(false, true);
    ASSERT_EQ(orv::io::readDrawingFromString(&back, GetParam(), bytes, &message), Acad::eOk) << message;
    if (GetParam() && std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0) {
        ScratchDir dir;
        std::ofstream(dir.path("kinds.dxf"), std::ios::binary) << bytes;
        const std::string command = std::string("/usr/bin/python3 ") + ORV_EZDXF_CHECK + " " + dir.path("kinds.dxf");
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    auto before = modelSpaceEntities(&db), after = modelSpaceEntities(&back);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(filing(before[i]), filing(after[i])) << kinds()[i].type;
}

INSTANTIATE_TEST_SUITE_P(Formats, StandardEntities, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dxf" : "Binary"; });

}  // namespace
