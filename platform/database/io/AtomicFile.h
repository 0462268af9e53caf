// Whole-file reading and atomic replacement (temp file in the same folder,
// then rename), so a failed save leaves the previous file intact.
#pragma once

#include <string>
#include <string_view>

namespace orv::io {

// Writes bytes to path atomically. On failure returns false, sets message
// and leaves any existing file at path untouched. A symbolic link is
// followed (its target is replaced); an existing file keeps its mode; a
// read-only file is refused; temporary files left by killed saves of the
// same file are removed.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& message);
// Reads a whole file; false with message when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& message);

}  // namespace orv::io
