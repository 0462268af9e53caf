// Maps database failures to the error numbers the component reports.
#pragma once

#include "com/comtypes.h"

namespace projectdb {

// 3218 for a lock held by another user past the busy timeout, 3043 for disk
// and network failures; otherwise the SQLite extended result code itself.
LONG errorNumberForSqlite(int extendedCode);
// Whether the code means the file is damaged (not a database, corrupt).
bool isDamagedFile(int extendedCode);
// The message of error 3218, on every engine.
inline constexpr const char* kLockedByAnotherUser =
    "The project database is locked by another user; try again when they have finished.";
// The message reported for a failure, in words where SQLite's own text is
// terse or misleading; otherwise SQLite's text.
const char* messageForSqlite(int extendedCode, const char* sqliteText);

}  // namespace projectdb
