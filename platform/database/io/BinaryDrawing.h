// The host's own binary drawing format: a magic header, the header
// variables, the classes used, an index of handles, then every object as
// its binary filing, closed by a checksum.
#pragma once

#include <string>
#include <string_view>

#include "database/dbdatabase.h"
#include "database/io/DwgMemoryFiler.h"

namespace orv::io {

inline constexpr char kBinaryDrawingMagic[8] = {'O', 'R', 'V', 'D', 'R', 'A', 'W', '\x1a'};
inline constexpr uint32_t kBinaryDrawingVersion = AcDbDwgMemoryFiler::kCurrentFormatVersion;

// Recomputes the closing checksum of a binary drawing in place (tools and
// tests that edit drawings byte-wise).
void resealBinaryDrawing(std::string& bytes);

// Serialises db; false with message when an object fails to file.
bool writeBinaryDrawing(AcDbDatabase* db, std::string& bytes, std::string& message);
// Fills db (which must be empty) from bytes; on failure returns the status,
// sets message, and leaves db cleared.
Acad::ErrorStatus readBinaryDrawing(AcDbDatabase* db, std::string_view bytes, std::string& message);

}  // namespace orv::io
