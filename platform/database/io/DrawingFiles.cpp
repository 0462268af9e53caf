// Format choice, atomic saving and error reporting for whole drawings, and
// the database's file hooks.
#include "database/io/DrawingFiles.h"

#include <strings.h>

#include <new>
#include <stdexcept>

#include "database/io/AtomicFile.h"
#include "database/io/BinaryDrawing.h"
#include "database/io/DxfDrawing.h"

namespace orv::io {

namespace {

std::string& lastError() {
    static std::string text;
    return text;
}

void setMessage(std::string* out, const std::string& text) {
    lastError() = text;
    if (out) *out = text;
}

}  // namespace

const std::string& lastDrawingFileError() { return lastError(); }

bool isDxfPath(const std::string& path) {
    return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".dxf") == 0;
}

Acad::ErrorStatus saveDrawingToString(AcDbDatabase* db, bool dxf, std::string& bytes, std::string* message) {
    if (!db) {
        setMessage(message, "no database to save");
        return Acad::eNoDatabase;
    }
    std::string why;
    bool ok = false;
    try {
        ok = dxf ? writeDxfDrawing(db, bytes, why) : writeBinaryDrawing(db, bytes, why);
    } catch (const std::bad_alloc&) {
        why = "out of memory while writing the drawing";
    }
    if (!ok) {
        setMessage(message, why);
        return Acad::eFilerError;
    }
    lastError().clear();
    return Acad::eOk;
}

Acad::ErrorStatus readDrawingFromString(AcDbDatabase* db, bool dxf, const std::string& bytes, std::string* message) {
    if (!db) {
        setMessage(message, "no database to read into");
        return Acad::eNoDatabase;
    }
    db->clear();
    std::string why;
    Acad::ErrorStatus es = Acad::eOk;
    try {
        if (dxf && bytes.rfind("AutoCAD Binary DXF", 0) == 0) {
            why = "binary DXF files are not supported; save the drawing as ASCII DXF";
            es = Acad::eInvalidDxfFile;
        } else {
            es = dxf ? readDxfDrawing(db, bytes, why) : readBinaryDrawing(db, bytes, why);
        }
    } catch (const std::bad_alloc&) {
        why = "the drawing is damaged (it asks for more memory than there is)";
        es = Acad::eOutOfMemory;
    } catch (const std::exception& e) {
        why = std::string("the drawing is damaged: ") + e.what();
        es = Acad::eDwgNeedsRecovery;
    }
    if (es != Acad::eOk) {
        db->clear();
        setMessage(message, why);
        return es;
    }
    lastError().clear();
    return Acad::eOk;
}

namespace {

Acad::ErrorStatus saveDrawingAs(AcDbDatabase* db, const std::string& path, bool dxf, std::string* message) {
    std::string bytes;
    Acad::ErrorStatus es = saveDrawingToString(db, dxf, bytes, message);
    if (es != Acad::eOk) {
        if (message) *message = "cannot save '" + path + "': " + *message;
        lastError() = "cannot save '" + path + "': " + lastError();
        return es;
    }
    std::string why;
    if (!writeFileAtomically(path, bytes, why)) {
        setMessage(message, why);
        return Acad::eFileAccessErr;
    }
    db->setFilename(path);
    return Acad::eOk;
}

Acad::ErrorStatus readDrawingAs(AcDbDatabase* db, const std::string& path, bool dxf, std::string* message) {
    std::string bytes, why;
    if (!readWholeFile(path, bytes, why)) {
        if (db) db->clear();
        setMessage(message, why);
        return Acad::eFileNotFound;
    }
    Acad::ErrorStatus es = readDrawingFromString(db, dxf, bytes, &why);
    if (es != Acad::eOk) {
        setMessage(message, "cannot read '" + path + "': " + why);
        return es;
    }
    db->setFilename(path);
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus saveDrawing(AcDbDatabase* db, const std::string& path, std::string* message) {
    return saveDrawingAs(db, path, isDxfPath(path), message);
}

Acad::ErrorStatus readDrawing(AcDbDatabase* db, const std::string& path, std::string* message) {
    return readDrawingAs(db, path, isDxfPath(path), message);
}

AcDbDatabase* readSideDatabase(const std::string& path, std::string* message) {
    auto* db = new AcDbDatabase(false, true);
    if (readDrawing(db, path, message) != Acad::eOk) {
        delete db;
        return nullptr;
    }
    return db;
}

namespace {

Acad::ErrorStatus readHook(AcDbDatabase* db, const char* path) { return readDrawing(db, path ? path : ""); }
Acad::ErrorStatus writeHook(AcDbDatabase* db, const char* path) { return saveDrawing(db, path ? path : ""); }
Acad::ErrorStatus readDxfHook(AcDbDatabase* db, const char* path) { return readDrawingAs(db, path ? path : "", true, nullptr); }
Acad::ErrorStatus writeDxfHook(AcDbDatabase* db, const char* path) { return saveDrawingAs(db, path ? path : "", true, nullptr); }

// The database's file calls route here once this library is loaded.
const bool gHooksInstalled = [] {
    AcDbDatabase::setFileHooks(readHook, writeHook, readDxfHook, writeDxfHook);
    return true;
}();

}  // namespace

}  // namespace orv::io
