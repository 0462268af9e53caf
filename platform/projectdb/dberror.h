// Maps database failures to the error numbers the component reports.
#pragma once

#include "com/comtypes.h"

namespace projectdb {

// 3043 for disk, network and locking failures; otherwise the SQLite
// extended result code itself.
LONG errorNumberForSqlite(int extendedCode);
// Whether the code means the file is damaged (not a database, corrupt).
bool isDamagedFile(int extendedCode);

}  // namespace projectdb
