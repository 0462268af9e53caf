#include "DrawingRoundTrip.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "FuzzHost.h"
#include "database/dbdatabase.h"
#include "database/io/DrawingFiles.h"

namespace {

std::unique_ptr<AcDbDatabase> emptyDrawing() { return std::make_unique<AcDbDatabase>(false, true); }

[[noreturn]] void fail(const char* step, bool dxf, const std::string& message) {
    std::fprintf(stderr, "a drawing that was read %s (%s): %s\n", step, dxf ? "DXF" : "binary", message.c_str());
    std::abort();
}

} // namespace

void readAndRoundTrip(const std::string& bytes, bool dxf) {
    fuzzHost();  // the module's entity classes
    auto db = emptyDrawing();
    std::string message;
    if (orv::io::readDrawingFromString(db.get(), dxf, bytes, &message) != Acad::eOk) return;
    for (bool asDxf : {true, false}) {
        std::string saved;
        if (orv::io::saveDrawingToString(db.get(), asDxf, saved, &message) != Acad::eOk)
            fail("did not save", asDxf, message);
        auto again = emptyDrawing();
        if (orv::io::readDrawingFromString(again.get(), asDxf, saved, &message) != Acad::eOk)
            fail("saved but did not read back", asDxf, message);
    }
}
