// Text encodings of DXF files. Inside the host every string is UTF-8.
// Files before R2007 are in a code page ($DWGCODEPAGE; the host writes
// ANSI_1252) with characters outside it as \U+XXXX escapes; R2007 and
// later files are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace orv::io {

// Whether a $ACADVER value ("AC1021", ...) is of a UTF-8 file.
bool isUtf8DxfVersion(std::string_view acadver);

// Turns the text of a DXF file into UTF-8 with \U+XXXX escapes resolved.
// Returns false with a message for text it cannot read (invalid UTF-8 in
// a UTF-8 file, a code page other than 1252 with non-ASCII text). When
// nothing needs changing, out stays empty and changed is false.
bool decodeDxfText(std::string_view text, std::string& out, bool& changed, std::string& message);

// Encodes UTF-8 DXF text for a file before R2007: code page 1252, and
// \U+XXXX for every character outside it.
std::string encodeDxfCodePage1252(std::string_view utf8);

}  // namespace orv::io
