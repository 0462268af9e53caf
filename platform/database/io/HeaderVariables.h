// The DXF group code each header variable is written with, for variables
// whose code the database does not know from the file they came from.
#pragma once

#include <string_view>

namespace orv::io {

// The usual group code of the header variable name (without '$'), or 0
// when the variable is not one of the known ones.
int headerVariableCode(std::string_view name);

}  // namespace orv::io
