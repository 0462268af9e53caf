// Rows a new project starts with: layer keys, layers, text styles, months
// and the global settings.
#pragma once

#include <sqlite3.h>

#include <string>

#include "projectdb/sqlconnection.h"

namespace projectdb {

// Fills the named table (one of tblLayer, tblLayerKey, tblTextStyle,
// tblMonth, tblGlobal) with its starting rows; other tables have none.
// tblLayerKey refers to the layers by name, so tblLayer goes first.
// False at the first failure (db.error() says why).
bool seedTable(SqlConnection& db, const std::string& table);
// Seeds every table, in the order their references need.
bool seedAllTables(SqlConnection& db);
// The same on an SQLite handle; returns the SQLite code of the first failure.
int seedTable(sqlite3* db, const std::string& table);
int seedAllTables(sqlite3* db);

}  // namespace projectdb
