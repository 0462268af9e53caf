// What the component knows about one open table: its columns, resolved
// indexes and the prepared statements kept for them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "projectdb/fieldlist.h"
#include "projectdb/sqlconnection.h"

namespace projectdb {

using StatementPtr = std::unique_ptr<SqlStatement>;

// Resets a statement when the scope ends, so no read outlives the call that
// stepped it.
class StatementUse {
public:
    explicit StatementUse(SqlStatement& stmt) : mStmt(stmt) {}
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    ~StatementUse() { mStmt.reset(); }
    SqlStatement* operator->() const { return &mStmt; }
    SqlStatement& operator*() const { return mStmt; }

private:
    SqlStatement& mStmt;
};

struct IndexState {
    std::string name;
    std::vector<int> columns;  // empty: row key order
    // Seek statements by key count and which keys are null.
    std::map<unsigned, StatementPtr> seeks;
    StatementPtr keyset;  // row keys in index order
};

struct TableState {
    std::string name;
    std::vector<ColumnInfo> columns;
    int keyColumn = -1;
    std::string quotedName;
    std::string rowKey;      // SQL naming the row identity
    std::string selectList;  // quoted column names
    std::string version;     // the row version expression, "" when none
    // The columns, then the row version when the engine has one.
    std::string readList() const { return version.empty() ? selectList : selectList + ", " + version; }
    StatementPtr rowByKey;
    StatementPtr anyRow;
    std::map<std::string, std::unique_ptr<IndexState>> indexes;
    std::map<std::string, StatementPtr> writes;  // insert/update by field names

    int columnIndex(const std::string& column) const;
    // The SQL text of the order clause for an index.
    std::string orderBy(const SqlConnection& db, const IndexState& index) const;
};

// Reads the table's columns. Null when it does not exist or has no row
// identity (db.error() set when the lookup failed).
std::unique_ptr<TableState> loadTableState(SqlConnection& db, const std::string& table);
// Resolves an index name: "" or the key column means row key order, then
// a database index named <table>_<index>, then a column of that name.
// Null when none of these exists.
std::unique_ptr<IndexState> resolveIndex(SqlConnection& db, const TableState& table, const std::string& index);

}  // namespace projectdb
