// Whole drawings as ASCII DXF (R2000, AC1015): HEADER, CLASSES, TABLES,
// BLOCKS, ENTITIES and OBJECTS sections that other DXF readers accept.
#pragma once

#include <string>
#include <string_view>

#include "database/dbdatabase.h"

namespace orv::io {

bool writeDxfDrawing(AcDbDatabase* db, std::string& text, std::string& message);
// Fills db (which must be empty); on failure returns the status and sets
// message (with the line where reading stopped).
Acad::ErrorStatus readDxfDrawing(AcDbDatabase* db, std::string_view text, std::string& message);

}  // namespace orv::io
