// Table metadata and index resolution from the database itself, so a
// database with extra columns or indexes is served as it stands.
#include "projectdb/tablestate.h"

#include <strings.h>

#include "projectdb/IProjectDatabase.h"

namespace projectdb {

int TableState::columnIndex(const std::string& column) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == column) return static_cast<int>(i);
    for (size_t i = 0; i < columns.size(); ++i)
        if (strcasecmp(columns[i].name.c_str(), column.c_str()) == 0) return static_cast<int>(i);
    return -1;
}

std::string TableState::orderBy(const SqlConnection& db, const IndexState& index) const
{
    // Nulls first on every engine, as the file format always sorted them.
    std::string order;
    for (int c : index.columns) order += db.identifier(columns[size_t(c)].name) + " NULLS FIRST, ";
    return order + rowKey;
}

std::unique_ptr<TableState> loadTableState(SqlConnection& db, const std::string& table)
{
    auto state = std::make_unique<TableState>();
    if (!db.tableColumns(table, state->columns)) return nullptr;
    state->name = table;
    state->quotedName = db.identifier(table);
    for (size_t i = 0; i < state->columns.size(); ++i) {
        ColumnInfo& c = state->columns[i];
        c.fieldName = SharedBstr(utf8ToWide(c.name));
        if (c.kind == ColumnKind::Key) state->keyColumn = static_cast<int>(i);
        state->selectList += (i ? ", " : "") + db.identifier(c.name);
    }
    state->version = db.rowVersion();
    state->rowKey = state->keyColumn >= 0 ? db.identifier(state->columns[size_t(state->keyColumn)].name)
                                          : db.implicitRowKey();
    if (state->rowKey.empty()) {
        db.setError(kDbErrBadIndex, "Table '" + table + "' has no row key column.");
        return nullptr;
    }
    return state;
}

std::unique_ptr<IndexState> resolveIndex(SqlConnection& db, const TableState& table, const std::string& index)
{
    auto state = std::make_unique<IndexState>();
    state->name = index;
    if (index.empty()) return state;
    if (table.keyColumn >= 0 && strcasecmp(table.columns[size_t(table.keyColumn)].name.c_str(), index.c_str()) == 0)
        return state;
    std::vector<std::string> names;
    if (db.indexColumns(table.name, index, names) && !names.empty()) {
        for (const std::string& name : names) {
            int c = table.columnIndex(name);
            if (c < 0) return nullptr;
            state->columns.push_back(c);
        }
        return state;
    }
    int column = table.columnIndex(index);
    if (column < 0) return nullptr;
    state->columns.push_back(column);
    return state;
}

}  // namespace projectdb
