// The project tables: columns with their kinds and defaults, the named
// indexes, and the statements that create them.
#pragma once

#include <string>
#include <vector>

namespace projectdb {

enum class ColumnKind { Key, Integer, Real, Text, Boolean };

struct ColumnDef {
    std::string name;
    ColumnKind kind;
    bool nullable;  // no default value: a column left out of an insert is null
    std::string defaultValue;  // SQL literal, used when not nullable
};

struct IndexDef {
    std::string name;  // as callers name it in SetTable
    std::vector<std::string> columns;
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;  // the first is the row key
    std::vector<IndexDef> indexes;
};

const std::vector<TableDef>& projectTables();
const TableDef* findTableDef(const std::string& name);

// Name of the database index that stands for a table's named index.
std::string sqlIndexName(const std::string& table, const std::string& index);
// CREATE TABLE / CREATE INDEX statements for one table (IF NOT EXISTS).
std::vector<std::string> createStatements(const TableDef& table);
// Declared SQL type of a column kind; read back to tell booleans from integers.
const char* declaredType(ColumnKind kind);
ColumnKind kindFromDeclaredType(const std::string& declared, bool primaryKey);

}  // namespace projectdb
