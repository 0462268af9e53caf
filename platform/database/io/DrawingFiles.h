// Saving and reading whole drawings by file name: ".dxf" (any case) is
// ASCII DXF, any other name the host's binary drawing format. Saves are
// atomic. These also serve AcDbDatabase::saveAs/readDwgFile/dxfIn/dxfOut.
#pragma once

#include <string>

#include "database/dbdatabase.h"

namespace orv::io {

bool isDxfPath(const std::string& path);

// Writes db to path. On failure the old file is untouched, the status is
// returned and message (if given) says why.
Acad::ErrorStatus saveDrawing(AcDbDatabase* db, const std::string& path, std::string* message = nullptr);
// Replaces the contents of db by the drawing in path. On failure db is
// left empty (cleared), the status is returned and message says why.
Acad::ErrorStatus readDrawing(AcDbDatabase* db, const std::string& path, std::string* message = nullptr);
// The same from/to memory, format given.
Acad::ErrorStatus saveDrawingToString(AcDbDatabase* db, bool dxf, std::string& bytes, std::string* message = nullptr);
Acad::ErrorStatus readDrawingFromString(AcDbDatabase* db, bool dxf, const std::string& bytes,
                                        std::string* message = nullptr);

// A drawing read from a file into a new database (the side database of
// "find or load block"); null on failure, with message set.
AcDbDatabase* readSideDatabase(const std::string& path, std::string* message = nullptr);

// Why the last save or read through the database's file calls failed.
const std::string& lastDrawingFileError();

}  // namespace orv::io
