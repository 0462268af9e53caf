// Writes the final tables as the module's C++ source of constant data.
#pragma once

#include <string>

#include "TableModel.h"

namespace cltd {

// Full text of the generated source; empty with an error when a value does not fit its element type.
bool formatTableSource(const FinalTables& t, std::string& text, std::string& error);

// Writes text to path through a temporary file and a rename.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string& error);

}  // namespace cltd
