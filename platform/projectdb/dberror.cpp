// Classification of SQLite result codes.
#include "projectdb/dberror.h"

#include <sqlite3.h>

#include "projectdb/IProjectDatabase.h"

namespace projectdb {

LONG errorNumberForSqlite(int extendedCode)
{
    switch (extendedCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_PROTOCOL:
    case SQLITE_NOLFS: return kDbErrDiskOrNetwork;
    default: return extendedCode;
    }
}

bool isDamagedFile(int extendedCode)
{
    int primary = extendedCode & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

}  // namespace projectdb
