// What the component knows about one open table: its columns, resolved
// indexes and the prepared statements kept for them.
#pragma once

#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "projectdb/fieldlist.h"
#include "projectdb/statement.h"

namespace projectdb {

struct IndexState {
    std::string name;
    std::vector<int> columns;  // empty: row key order
    std::map<size_t, Statement> seekByKeyCount;
    Statement keyset;  // row keys in index order
};

struct TableState {
    std::string name;
    std::vector<ColumnInfo> columns;
    int keyColumn = -1;
    std::string selectList;  // quoted column names
    Statement rowByKey;
    Statement anyRow;
    std::map<std::string, std::unique_ptr<IndexState>> indexes;
    std::map<std::string, Statement> writes;  // insert/update by field names

    int columnIndex(const std::string& column) const;
    // The SQL text of the where/order clauses for an index.
    std::string orderBy(const IndexState& index) const;
};

// Reads the table's columns. Null with *rc set when it does not exist.
std::unique_ptr<TableState> loadTableState(sqlite3* db, const std::string& table, int* rc);
// Resolves an index name: "" or the key column means row key order, then
// a database index named <table>_<index>, then a column of that name.
// Null when none of these exists.
std::unique_ptr<IndexState> resolveIndex(sqlite3* db, const TableState& table, const std::string& index);

}  // namespace projectdb
