// Classification of SQLite result codes.
#include "projectdb/dberror.h"

#include <sqlite3.h>

#include "projectdb/IProjectDatabase.h"

namespace projectdb {

LONG errorNumberForSqlite(int extendedCode)
{
    switch (extendedCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return kDbErrLocked;
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

const char* messageForSqlite(int extendedCode, const char* sqliteText)
{
    switch (extendedCode) {
    case SQLITE_READONLY_DBMOVED:
        return "The project database file was replaced (repaired or moved) while it was open; reconnect to "
               "it and repeat the change.";
    default: break;
    }
    switch (extendedCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kLockedByAnotherUser;
    case SQLITE_FULL: return "The disk holding the project database is full.";
    case SQLITE_IOERR: return "The project database file could not be read or written (disk or network error).";
    default: return sqliteText;
    }
}

}  // namespace projectdb
