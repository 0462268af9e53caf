// The SQLite back end: a project file opened read-write, or read-only when
// the file or its folder cannot be written.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>

#include "projectdb/sqlconnection.h"

namespace projectdb {

enum class SqliteOpen { Opened, Damaged, Failed };

// Opens a project file; a lock held by another process is waited for up to
// busyTimeoutMs. The structure is checked first unless checkStructure is
// false (short calls of host tools). On failure *error says why and the
// result is null.
std::unique_ptr<SqlConnection> openSqliteProject(const std::string& path, int busyTimeoutMs, SqliteOpen* outcome,
                                                 SqlError* error, bool checkStructure = true);
// Serves an already open handle without taking it over (file creation and
// repair build files with SQLite directly).
std::unique_ptr<SqlConnection> borrowSqlite(sqlite3* db);

}  // namespace projectdb
