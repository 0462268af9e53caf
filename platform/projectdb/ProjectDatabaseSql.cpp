// Free SQL: single-column queries and action statements.
#include <strings.h>

#include <cstring>

#include <vector>

#include "projectdb/ProjectDatabaseImpl.h"

namespace projectdb {

// Whether the text starts with a statement that changes the schema.
static bool changesSchema(const std::string& sql)
{
    size_t i = sql.find_first_not_of(" \t\r\n");
    if (i == std::string::npos) return false;
    for (const char* word : {"CREATE", "ALTER", "DROP"})
        if (strncasecmp(sql.c_str() + i, word, strlen(word)) == 0) return true;
    return false;
}

HRESULT ProjectDatabaseImpl::SelectColumn(BSTR sql, VARIANT* values, VARIANT_BOOL* rows)
{
    if (!values || !rows) return E_POINTER;
    clearError();
    *rows = VARIANT_FALSE;
    VariantClear(values);
    if (!mDb) return fail(kDbErrNotOpen, "No database is open.");
    std::string text = bstrToUtf8(sql);
    Statement stmt;
    int rc = prepareStatement(mDb, text, stmt);
    if (rc != SQLITE_OK) return failSqlite(rc);
    if (!stmt || sqlite3_column_count(stmt.get()) == 0) return fail(SQLITE_ERROR, "The text is not a query.");
    std::vector<VARIANT> collected;
    auto freeCollected = [&] {
        for (auto& v : collected) VariantClear(&v);
    };
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        VARIANT v;
        resultToVariant(stmt.get(), 0, &v);
        collected.push_back(v);
    }
    if (rc != SQLITE_DONE) {
        freeCollected();
        return failSqlite(rc);
    }
    if (collected.empty()) return S_OK;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(collected.size()));
    if (!array) {
        freeCollected();
        return E_OUTOFMEMORY;
    }
    // The values move into the array without a copy.
    auto* items = static_cast<VARIANT*>(array->pvData);
    for (size_t i = 0; i < collected.size(); ++i) items[i] = collected[i];
    values->vt = VT_ARRAY | VT_VARIANT;
    values->parray = array;
    *rows = VARIANT_TRUE;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::Execute(BSTR sql, VARIANT_BOOL* ok)
{
    if (!ok) return E_POINTER;
    clearError();
    *ok = VARIANT_FALSE;
    if (!mDb) return fail(kDbErrNotOpen, "No database is open.");
    std::string text = bstrToUtf8(sql);
    const char* next = text.c_str();
    bool schemaChanged = false;
    // Runs every statement of the text in turn; the first failure stops.
    while (next && *next) {
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(mDb, next, -1, &raw, &tail);
        Statement stmt(raw);
        if (rc != SQLITE_OK) return failSqlite(rc);
        if (raw) {
            schemaChanged = schemaChanged || changesSchema(sqlite3_sql(raw));
            while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            }
            if (rc != SQLITE_DONE) return failSqlite(rc);
        }
        next = tail;
    }
    if (schemaChanged) {
        // Cached column lists may be stale now; tables are read again.
        resetCursor();
        mTable = nullptr;
        mIndex = nullptr;
        mTables.clear();
    }
    *ok = VARIANT_TRUE;
    return S_OK;
}

}  // namespace projectdb
