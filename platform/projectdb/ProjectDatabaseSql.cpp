// Free SQL: single-column queries and action statements.
#include <strings.h>

#include <cstring>

#include <vector>

#include "projectdb/ProjectDatabaseImpl.h"

namespace projectdb {

// Whether any statement of the text changes the schema.
static bool changesSchema(const std::string& sql)
{
    size_t i = 0;
    while ((i = sql.find_first_not_of(" \t\r\n;", i)) != std::string::npos) {
        for (const char* word : {"CREATE", "ALTER", "DROP"})
            if (strncasecmp(sql.c_str() + i, word, strlen(word)) == 0) return true;
        i = sql.find(';', i);
    }
    return false;
}

HRESULT ProjectDatabaseImpl::SelectColumn(BSTR sql, VARIANT* values, VARIANT_BOOL* rows)
{
    if (!values || !rows) return E_POINTER;
    clearError();
    *rows = VARIANT_FALSE;
    VariantClear(values);
    if (!mConn) return fail(kDbErrNotOpen, "No database is open.");
    StatementPtr stmt = mConn->prepareCallerText(bstrToUtf8(sql));
    if (!stmt) return failDb();
    if (stmt->columnCount() == 0) return fail(kDbErrNotAQuery, "The text is not a query.");
    std::vector<VARIANT> collected;
    auto freeCollected = [&] {
        for (auto& v : collected) VariantClear(&v);
    };
    StepResult step;
    while ((step = stmt->step()) == StepResult::Row) {
        VARIANT v;
        resultToVariant(*stmt, 0, &v);
        collected.push_back(v);
    }
    if (step != StepResult::Done) {
        freeCollected();
        return failDb();
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
    if (!mConn) return fail(kDbErrNotOpen, "No database is open.");
    if (mReadOnly) return fail(kDbErrReadOnly, "attempt to write a readonly database");
    if (HRESULT hr = beginPendingLevels(); FAILED(hr)) return hr;
    WritingScope writing(mWriting);
    std::string text = bstrToUtf8(sql);
    bool done = mConn->executeCallerText(text);
    if (changesSchema(text)) {
        // Cached column lists may be stale now; tables are read again.
        resetCursor();
        mTable = nullptr;
        mIndex = nullptr;
        mTables.clear();
    }
    if (!done) return failDb();
    *ok = VARIANT_TRUE;
    return S_OK;
}

}  // namespace projectdb
