// Table metadata and index resolution from the database itself, so a file
// with extra columns or indexes is served as it stands.
#include "projectdb/tablestate.h"

#include <strings.h>

#include "projectdb/schema.h"

namespace projectdb {

int TableState::columnIndex(const std::string& column) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == column) return static_cast<int>(i);
    for (size_t i = 0; i < columns.size(); ++i)
        if (strcasecmp(columns[i].name.c_str(), column.c_str()) == 0) return static_cast<int>(i);
    return -1;
}

std::string TableState::orderBy(const IndexState& index) const
{
    std::string order;
    for (int c : index.columns) order += quoteName(columns[size_t(c)].name) + ", ";
    return order + "rowid";
}

std::unique_ptr<TableState> loadTableState(sqlite3* db, const std::string& table, int* rc)
{
    Statement info;
    *rc = prepareStatement(db, "SELECT name, type, pk FROM pragma_table_info(?1)", info);
    if (*rc != SQLITE_OK) return nullptr;
    sqlite3_bind_text(info.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    auto state = std::make_unique<TableState>();
    state->name = table;
    int pkCount = 0;
    while ((*rc = sqlite3_step(info.get())) == SQLITE_ROW) {
        ColumnInfo column;
        column.name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0));
        auto type = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1));
        bool pk = sqlite3_column_int(info.get(), 2) != 0;
        pkCount += pk;
        column.kind = kindFromDeclaredType(type ? type : "", pk);
        column.wideName = utf8ToWide(column.name);
        if (column.kind == ColumnKind::Key) state->keyColumn = static_cast<int>(state->columns.size());
        state->columns.push_back(std::move(column));
    }
    if (*rc != SQLITE_DONE) return nullptr;
    *rc = SQLITE_OK;
    if (state->columns.empty()) return nullptr;
    if (pkCount > 1 && state->keyColumn >= 0) {
        state->columns[size_t(state->keyColumn)].kind = ColumnKind::Integer;
        state->keyColumn = -1;
    }
    for (const auto& c : state->columns) state->selectList += (state->selectList.empty() ? "" : ", ") + quoteName(c.name);
    return state;
}

std::unique_ptr<IndexState> resolveIndex(sqlite3* db, const TableState& table, const std::string& index)
{
    auto state = std::make_unique<IndexState>();
    state->name = index;
    if (index.empty()) return state;
    if (table.keyColumn >= 0 && strcasecmp(table.columns[size_t(table.keyColumn)].name.c_str(), index.c_str()) == 0)
        return state;
    Statement info;
    if (prepareStatement(db, "SELECT name FROM pragma_index_info(?1) ORDER BY seqno", info) == SQLITE_OK) {
        std::string sqlName = sqlIndexName(table.name, index);
        sqlite3_bind_text(info.get(), 1, sqlName.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(info.get()) == SQLITE_ROW) {
            auto name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0));
            int c = name ? table.columnIndex(name) : -1;
            if (c < 0) return nullptr;
            state->columns.push_back(c);
        }
        if (!state->columns.empty()) return state;
    }
    int column = table.columnIndex(index);
    if (column < 0) return nullptr;
    state->columns.push_back(column);
    return state;
}

}  // namespace projectdb
