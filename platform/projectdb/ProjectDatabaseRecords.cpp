// Table selection, seeking, navigation and record writes.
#include "projectdb/ProjectDatabaseImpl.h"
#include "projectdb/dberror.h"

namespace projectdb {

namespace {
// A write statement cache entry per distinct field-name set; bounded so an
// unusual caller cannot grow it without end.
constexpr size_t kMaxWriteStatements = 64;

void setFlag(VARIANT_BOOL* flag, bool value)
{
    if (flag) *flag = value ? VARIANT_TRUE : VARIANT_FALSE;
}
}  // namespace

HRESULT ProjectDatabaseImpl::requireTable()
{
    if (!mDb) return fail(kDbErrNotOpen, "No database is open.");
    if (!mTable) return fail(kDbErrNoTable, "No table is selected.");
    return S_OK;
}

HRESULT ProjectDatabaseImpl::SetTable(BSTR table, BSTR index, VARIANT_BOOL* ready)
{
    if (!ready) return E_POINTER;
    clearError();
    *ready = VARIANT_FALSE;
    resetCursor();
    mTable = nullptr;
    mIndex = nullptr;
    if (!mDb) return fail(kDbErrNotOpen, "No database is open.");
    std::string tableName = bstrToUtf8(table);
    std::string indexName = bstrToUtf8(index);
    auto found = mTables.find(tableName);
    if (found == mTables.end()) {
        int rc = SQLITE_OK;
        auto state = loadTableState(mDb, tableName, &rc);
        if (!state) return rc != SQLITE_OK ? failSqlite(rc) : fail(SQLITE_ERROR, "no such table: " + tableName);
        found = mTables.emplace(tableName, std::move(state)).first;
    }
    TableState& t = *found->second;
    auto ix = t.indexes.find(indexName);
    if (ix == t.indexes.end()) {
        auto state = resolveIndex(mDb, t, indexName);
        if (!state) return fail(kDbErrBadIndex, "'" + indexName + "' isn't an index in this table.");
        ix = t.indexes.emplace(indexName, std::move(state)).first;
    }
    mTable = &t;
    mIndex = ix->second.get();
    *ready = VARIANT_TRUE;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::readRow(sqlite3_int64 key, VARIANT* fields, bool* present)
{
    *present = false;
    if (!mTable->rowByKey) {
        int rc = prepareStatement(mDb, "SELECT " + mTable->selectList + " FROM " + quoteName(mTable->name) +
                                           " WHERE rowid = ?1", mTable->rowByKey);
        if (rc != SQLITE_OK) return failSqlite(rc);
    }
    StatementUse use(mTable->rowByKey.get());
    sqlite3_bind_int64(use.get(), 1, key);
    int rc = sqlite3_step(use.get());
    if (rc == SQLITE_DONE) return S_OK;
    if (rc != SQLITE_ROW) return failSqlite(rc);
    *present = true;
    return fields ? rowToFieldList(use.get(), mTable->columns, fields) : S_OK;
}

HRESULT ProjectDatabaseImpl::seekKeys(const VARIANT* const* keys, size_t count, VARIANT* fields, VARIANT_BOOL* found)
{
    if (!fields || !found) return E_POINTER;
    clearError();
    *found = VARIANT_FALSE;
    if (HRESULT hr = requireTable(); FAILED(hr)) return hr;
    IndexState& index = *mIndex;
    size_t columns = index.columns.empty() ? 1 : index.columns.size();
    if (count > columns) return fail(kDbErrBadIndex, "Too many key values for index '" + index.name + "'.");
    Statement& stmt = index.seekByKeyCount[count];
    if (!stmt) {
        std::string where;
        for (size_t k = 0; k < count; ++k) {
            std::string column = index.columns.empty() ? "rowid" : quoteName(mTable->columns[size_t(index.columns[k])].name);
            where += (k ? " AND " : "") + column + " IS ?" + std::to_string(k + 1);
        }
        int rc = prepareStatement(mDb, "SELECT rowid, " + mTable->selectList + " FROM " + quoteName(mTable->name) +
                                           " WHERE " + where + " ORDER BY " + mTable->orderBy(index) + " LIMIT 1",
                                  stmt);
        if (rc != SQLITE_OK) {
            HRESULT hr = failSqlite(rc);
            index.seekByKeyCount.erase(count);
            return hr;
        }
    }
    StatementUse use(stmt.get());
    for (size_t k = 0; k < count; ++k)
        if (bindKey(use.get(), int(k) + 1, *keys[k]) != SQLITE_OK)
            return fail(kDbErrBadFieldList, "A key value has a type that cannot be compared.");
    int rc = sqlite3_step(use.get());
    mKeysetValid = false;
    mPositionKnown = true;
    mEof = mBof = false;
    if (rc == SQLITE_DONE) {
        mCurrent.reset();
        return S_OK;
    }
    if (rc != SQLITE_ROW) return failSqlite(rc);
    mCurrent = sqlite3_column_int64(use.get(), 0);
    // The row's columns follow the leading row key.
    auto count2 = static_cast<ULONG>(mTable->columns.size() * 2);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, count2);
    if (!array) return E_OUTOFMEMORY;
    auto* items = static_cast<VARIANT*>(array->pvData);
    for (size_t c = 0; c < mTable->columns.size(); ++c) {
        const ColumnInfo& column = mTable->columns[c];
        items[2 * c].vt = VT_BSTR;
        items[2 * c].bstrVal = SysAllocStringLen(column.wideName.data(), unsigned(column.wideName.size()));
        columnToVariant(use.get(), int(c) + 1, column.kind, &items[2 * c + 1]);
    }
    VariantClear(fields);
    fields->vt = VT_ARRAY | VT_VARIANT;
    fields->parray = array;
    *found = VARIANT_TRUE;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::Seek(const VARIANT& key1, VARIANT* fields, VARIANT_BOOL* found)
{
    const VARIANT* keys[] = {&key1};
    return seekKeys(keys, 1, fields, found);
}

HRESULT ProjectDatabaseImpl::Seek2(const VARIANT& key1, const VARIANT& key2, VARIANT* fields, VARIANT_BOOL* found)
{
    const VARIANT* keys[] = {&key1, &key2};
    return seekKeys(keys, 2, fields, found);
}

HRESULT ProjectDatabaseImpl::Seek3(const VARIANT& key1, const VARIANT& key2, const VARIANT& key3, VARIANT* fields,
                                   VARIANT_BOOL* found)
{
    const VARIANT* keys[] = {&key1, &key2, &key3};
    return seekKeys(keys, 3, fields, found);
}

HRESULT ProjectDatabaseImpl::loadKeyset()
{
    IndexState& index = *mIndex;
    if (!index.keyset) {
        int rc = prepareStatement(mDb, "SELECT rowid FROM " + quoteName(mTable->name) + " ORDER BY " +
                                           mTable->orderBy(index), index.keyset);
        if (rc != SQLITE_OK) return failSqlite(rc);
    }
    StatementUse use(index.keyset.get());
    mKeyset.clear();
    int rc;
    while ((rc = sqlite3_step(use.get())) == SQLITE_ROW) mKeyset.push_back(sqlite3_column_int64(use.get(), 0));
    if (rc != SQLITE_DONE) return failSqlite(rc);
    mKeysetValid = true;
    mKeysetPos = 0;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::moveTo(size_t pos, VARIANT* fields, VARIANT_BOOL* ok)
{
    mPositionKnown = true;
    mBof = mKeyset.empty();
    for (; pos < mKeyset.size(); ++pos) {
        bool present = false;
        if (HRESULT hr = readRow(mKeyset[pos], fields, &present); FAILED(hr)) return hr;
        if (present) {  // rows deleted since the keyset was read are passed over
            mKeysetPos = pos;
            mCurrent = mKeyset[pos];
            mEof = false;
            *ok = VARIANT_TRUE;
            return S_OK;
        }
    }
    mKeysetPos = mKeyset.size();
    mCurrent.reset();
    mEof = true;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::MoveFirst(VARIANT* fields, VARIANT_BOOL* ok)
{
    if (!fields || !ok) return E_POINTER;
    clearError();
    *ok = VARIANT_FALSE;
    if (HRESULT hr = requireTable(); FAILED(hr)) return hr;
    if (HRESULT hr = loadKeyset(); FAILED(hr)) return hr;
    return moveTo(0, fields, ok);
}

HRESULT ProjectDatabaseImpl::MoveNext(LONG count, VARIANT* fields, VARIANT_BOOL* ok)
{
    if (!fields || !ok) return E_POINTER;
    clearError();
    *ok = VARIANT_FALSE;
    if (HRESULT hr = requireTable(); FAILED(hr)) return hr;
    if (count < 1) return fail(kDbErrBadFieldList, "MoveNext needs a positive count.");
    if (!mKeysetValid) {
        // After a seek or an insert: continue from the current record's place.
        std::optional<sqlite3_int64> current = mCurrent;
        if (HRESULT hr = loadKeyset(); FAILED(hr)) return hr;
        if (!current) {
            if (mPositionKnown) return fail(kDbErrNoCurrentRecord, "No current record.");
            return moveTo(static_cast<size_t>(count), fields, ok);  // SetTable left us on the first record
        }
        size_t pos = 0;
        while (pos < mKeyset.size() && mKeyset[pos] != *current) ++pos;
        if (pos == mKeyset.size()) return fail(kDbErrNoCurrentRecord, "No current record.");
        mKeysetPos = pos;
    }
    if (mEof) return fail(kDbErrNoCurrentRecord, "No current record.");
    return moveTo(mKeysetPos + static_cast<size_t>(count), fields, ok);
}

HRESULT ProjectDatabaseImpl::IsEOF(VARIANT_BOOL* eof)
{
    if (!eof) return E_POINTER;
    if (mTable && !mPositionKnown) {
        // Right after SetTable the first record is current; none means empty.
        if (!mTable->anyRow &&
            prepareStatement(mDb, "SELECT rowid FROM " + quoteName(mTable->name) + " LIMIT 1", mTable->anyRow) !=
                SQLITE_OK)
            return failSqlite(sqlite3_errcode(mDb));
        StatementUse use(mTable->anyRow.get());
        int rc = sqlite3_step(use.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) return failSqlite(rc);
        mEof = mBof = rc == SQLITE_DONE;
        if (rc == SQLITE_ROW) mCurrent = sqlite3_column_int64(use.get(), 0);
        mPositionKnown = true;
    }
    *eof = mEof || !mTable ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::IsBOF(VARIANT_BOOL* bof)
{
    if (!bof) return E_POINTER;
    VARIANT_BOOL eof;
    if (HRESULT hr = IsEOF(&eof); FAILED(hr)) return hr;
    *bof = mBof || !mTable ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

Statement* ProjectDatabaseImpl::writeStatement(const std::string& cacheKey, const std::string& sql, int* rc)
{
    *rc = SQLITE_OK;
    auto it = mTable->writes.find(cacheKey);
    if (it != mTable->writes.end()) return &it->second;
    if (mTable->writes.size() >= kMaxWriteStatements) mTable->writes.clear();
    Statement stmt;
    *rc = prepareStatement(mDb, sql, stmt);
    if (*rc != SQLITE_OK) return nullptr;
    return &mTable->writes.emplace(cacheKey, std::move(stmt)).first->second;
}

// Binds the field values after their column kinds; unknown names bind as
// their own type (the statement then fails to prepare anyway).
static bool bindFields(sqlite3_stmt* stmt, const TableState& table, const std::vector<FieldValue>& fields)
{
    int param = 1;
    for (const FieldValue& f : fields) {
        int c = table.columnIndex(f.name);
        ColumnKind kind = c >= 0 ? table.columns[size_t(c)].kind : ColumnKind::Text;
        if (bindVariant(stmt, param++, *f.value, kind) != SQLITE_OK) return false;
    }
    return true;
}

// Drops the row key from a field list: the database assigns and keeps it.
static std::vector<FieldValue> withoutKey(const TableState& table, std::vector<FieldValue> fields)
{
    if (table.keyColumn < 0) return fields;
    const std::string& key = table.columns[size_t(table.keyColumn)].name;
    std::erase_if(fields, [&](const FieldValue& f) { return table.columnIndex(f.name) == table.keyColumn || f.name == key; });
    return fields;
}

HRESULT ProjectDatabaseImpl::AddNew(const VARIANT& fieldList, const VARIANT&, VARIANT* newFields, VARIANT_BOOL* ok)
{
    if (!newFields || !ok) return E_POINTER;
    clearError();
    *ok = VARIANT_FALSE;
    if (HRESULT hr = requireTable(); FAILED(hr)) return hr;
    if (mReadOnly) return fail(SQLITE_READONLY, "attempt to write a readonly database");
    std::vector<FieldValue> fields;
    std::string message;
    if (!parseFieldList(fieldList, fields, message)) return fail(kDbErrBadFieldList, message);
    fields = withoutKey(*mTable, std::move(fields));
    std::string names, cacheKey = "I";
    std::string values;
    for (size_t i = 0; i < fields.size(); ++i) {
        names += (i ? ", " : "") + quoteName(fields[i].name);
        values += (i ? ", ?" : "?") + std::to_string(i + 1);
        cacheKey += "\x1f" + fields[i].name;
    }
    std::string sql = "INSERT INTO " + quoteName(mTable->name) +
                      (fields.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + values + ")");
    int rc;
    Statement* stmt = writeStatement(cacheKey, sql, &rc);
    if (!stmt) return failSqlite(rc);
    {
        StatementUse use(stmt->get());
        if (!bindFields(use.get(), *mTable, fields)) return fail(kDbErrBadFieldList, "A field value has an unusable type.");
        rc = sqlite3_step(use.get());
        if (rc != SQLITE_DONE) return failSqlite(rc);
    }
    sqlite3_int64 key = sqlite3_last_insert_rowid(mDb);
    bool present = false;
    if (HRESULT hr = readRow(key, newFields, &present); FAILED(hr)) return hr;
    mCurrent = key;
    mKeysetValid = false;
    mPositionKnown = true;
    mEof = mBof = false;
    setFlag(ok, present);
    return S_OK;
}

HRESULT ProjectDatabaseImpl::Update(const VARIANT& fieldList, VARIANT* newFields, VARIANT_BOOL* ok)
{
    if (!newFields || !ok) return E_POINTER;
    clearError();
    *ok = VARIANT_FALSE;
    if (HRESULT hr = requireTable(); FAILED(hr)) return hr;
    if (!mCurrent && !mPositionKnown) {
        VARIANT_BOOL eof;  // right after SetTable the first record is current
        if (HRESULT hr = IsEOF(&eof); FAILED(hr)) return hr;
    }
    if (!mCurrent) return fail(kDbErrNoCurrentRecord, "No current record.");
    if (mReadOnly) return fail(SQLITE_READONLY, "attempt to write a readonly database");
    std::vector<FieldValue> fields;
    std::string message;
    if (!parseFieldList(fieldList, fields, message)) return fail(kDbErrBadFieldList, message);
    fields = withoutKey(*mTable, std::move(fields));
    if (!fields.empty()) {
        std::string sets, cacheKey = "U";
        for (size_t i = 0; i < fields.size(); ++i) {
            sets += (i ? ", " : "") + quoteName(fields[i].name) + " = ?" + std::to_string(i + 1);
            cacheKey += "\x1f" + fields[i].name;
        }
        std::string sql = "UPDATE " + quoteName(mTable->name) + " SET " + sets + " WHERE rowid = ?" +
                          std::to_string(fields.size() + 1);
        int rc;
        Statement* stmt = writeStatement(cacheKey, sql, &rc);
        if (!stmt) return failSqlite(rc);
        StatementUse use(stmt->get());
        if (!bindFields(use.get(), *mTable, fields)) return fail(kDbErrBadFieldList, "A field value has an unusable type.");
        sqlite3_bind_int64(use.get(), int(fields.size()) + 1, *mCurrent);
        rc = sqlite3_step(use.get());
        if (rc != SQLITE_DONE) return failSqlite(rc);
        if (sqlite3_changes(mDb) == 0) return fail(kDbErrNoCurrentRecord, "No current record.");
    }
    bool present = false;
    if (HRESULT hr = readRow(*mCurrent, newFields, &present); FAILED(hr)) return hr;
    if (!present) return fail(kDbErrNoCurrentRecord, "No current record.");
    setFlag(ok, true);
    return S_OK;
}

}  // namespace projectdb
