// Table selection, seeking, navigation and record writes.
#include "projectdb/ProjectDatabaseImpl.h"

namespace projectdb {

namespace {
// A write statement cache entry per distinct field-name set; bounded so an
// unusual caller cannot grow it without end.
constexpr size_t kMaxWriteStatements = 64;

void setFlag(VARIANT_BOOL* flag, bool value)
{
    if (flag) *flag = value ? VARIANT_TRUE : VARIANT_FALSE;
}

// What tells whether the current row (its columns from result column
// `first`, read with the table's readList()) was written since: the row
// version where the engine keeps one, else every column's value.
std::vector<SqlValue> rowImage(const SqlStatement& stmt, int first, const TableState& table)
{
    std::vector<SqlValue> image;
    if (!table.version.empty()) {
        image.push_back(stmt.value(first + int(table.columns.size())));
        return image;
    }
    image.reserve(table.columns.size());
    for (size_t c = 0; c < table.columns.size(); ++c) image.push_back(stmt.value(first + int(c)));
    return image;
}

// The current row's field list (when fields is not null) and its image
// values, each column read from the engine once where the image holds them all.
HRESULT readRecord(const SqlStatement& stmt, int first, const TableState& table, VARIANT* fields,
                   std::vector<SqlValue>& image)
{
    if (!fields || !table.version.empty()) {
        image = rowImage(stmt, first, table);
        return fields ? rowToFieldList(stmt, first, table.columns, fields) : S_OK;
    }
    return rowToFieldList(stmt, first, table.columns, fields, &image);
}

std::string param(size_t n) { return "?" + std::to_string(n); }
}  // namespace

void ProjectDatabaseImpl::setCurrent(int64_t key, RowImage image)
{
    mCurrent = key;
    mCurrentImage = std::move(image);
}

HRESULT ProjectDatabaseImpl::requireTable()
{
    if (!mConn) return fail(kDbErrNotOpen, "No database is open.");
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
    if (!mConn) return fail(kDbErrNotOpen, "No database is open.");
    std::string tableName = bstrToUtf8(table);
    std::string indexName = bstrToUtf8(index);
    auto found = mTables.find(tableName);
    if (found == mTables.end()) {
        mConn->setError(0, {});
        auto state = loadTableState(*mConn, tableName);
        if (!state) return mConn->error().number ? failDb() : fail(kDbErrNoTable, "no such table: " + tableName);
        found = mTables.emplace(tableName, std::move(state)).first;
    }
    TableState& t = *found->second;
    auto ix = t.indexes.find(indexName);
    if (ix == t.indexes.end()) {
        auto state = resolveIndex(*mConn, t, indexName);
        if (!state) return fail(kDbErrBadIndex, "'" + indexName + "' isn't an index in this table.");
        ix = t.indexes.emplace(indexName, std::move(state)).first;
    }
    mTable = &t;
    mIndex = ix->second.get();
    *ready = VARIANT_TRUE;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::readRow(int64_t key, VARIANT* fields, bool* present, RowImage* image)
{
    *present = false;
    if (!mTable->rowByKey) {
        mTable->rowByKey = mConn->prepare("SELECT " + mTable->readList() + " FROM " + mTable->quotedName + " WHERE " +
                                          mTable->rowKey + " = ?1");
        if (!mTable->rowByKey) return failDb();
    }
    StatementUse use(*mTable->rowByKey);
    use->bind(1, SqlValue::ofInteger(key));
    StepResult step = use->step();
    if (step == StepResult::Done) return S_OK;
    if (step != StepResult::Row) return failDb();
    *present = true;
    if (!image) return fields ? rowToFieldList(*use, 0, mTable->columns, fields) : S_OK;
    image->stamp = mConn->changeStamp();
    return readRecord(*use, 0, *mTable, fields, image->values);
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
    SqlValue values[3];
    unsigned nulls = 0;
    for (size_t k = 0; k < count; ++k) {
        if (!keyToValue(*keys[k], values[k]))
            return fail(kDbErrBadFieldList, "A key value has a type that cannot be compared.");
        if (values[k].type == SqlType::Null) nulls |= 1u << k;
    }
    // A null key is its own statement ("IS NULL"), so a key column compared
    // with a value can use the database index.
    StatementPtr& stmt = index.seeks[unsigned(count) << 8 | nulls];
    if (!stmt) {
        std::string where;
        size_t params = 0;
        for (size_t k = 0; k < count; ++k) {
            std::string column = index.columns.empty() ? mTable->rowKey
                                                       : mConn->identifier(mTable->columns[size_t(index.columns[k])].name);
            where += (k ? " AND " : "") + column + (nulls & (1u << k) ? " IS NULL" : " = " + param(++params));
        }
        stmt = mConn->prepare("SELECT " + mTable->rowKey + ", " + mTable->readList() + " FROM " + mTable->quotedName +
                              " WHERE " + where + " ORDER BY " + mTable->orderBy(*mConn, index) + " LIMIT 1");
        if (!stmt) {
            HRESULT hr = failDb();
            index.seeks.erase(unsigned(count) << 8 | nulls);
            return hr;
        }
    }
    StatementUse use(*stmt);
    int next = 1;
    for (size_t k = 0; k < count; ++k)
        if (!(nulls & (1u << k))) use->bind(next++, values[k]);
    StepResult step = use->step();
    mKeysetValid = false;
    mPositionKnown = true;
    mEof = mBof = false;
    if (step == StepResult::Done) {
        mCurrent.reset();
        mCurrentImage.reset();
        return S_OK;
    }
    if (step != StepResult::Row) return failDb();
    // The row's columns follow the leading row key.
    RowImage image{{}, mConn->changeStamp()};
    HRESULT hr = readRecord(*use, 1, *mTable, fields, image.values);
    setCurrent(use->integer(0), std::move(image));
    if (FAILED(hr)) return hr;
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
        index.keyset = mConn->prepare("SELECT " + mTable->rowKey + " FROM " + mTable->quotedName + " ORDER BY " +
                                      mTable->orderBy(*mConn, index));
        if (!index.keyset) return failDb();
    }
    StatementUse use(*index.keyset);
    mKeyset.clear();
    StepResult step;
    while ((step = use->step()) == StepResult::Row) mKeyset.push_back(use->integer(0));
    if (step != StepResult::Done) return failDb();
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
        RowImage image;
        if (HRESULT hr = readRow(mKeyset[pos], fields, &present, &image); FAILED(hr)) return hr;
        if (present) {  // rows deleted since the keyset was read are passed over
            mKeysetPos = pos;
            setCurrent(mKeyset[pos], std::move(image));
            mEof = false;
            *ok = VARIANT_TRUE;
            return S_OK;
        }
    }
    mKeysetPos = mKeyset.size();
    mCurrent.reset();
    mCurrentImage.reset();
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
        std::optional<int64_t> current = mCurrent;
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
        if (!mTable->anyRow) {
            mTable->anyRow = mConn->prepare("SELECT " + mTable->rowKey + " FROM " + mTable->quotedName + " LIMIT 1");
            if (!mTable->anyRow) return failDb();
        }
        StatementUse use(*mTable->anyRow);
        StepResult step = use->step();
        if (step == StepResult::Failed) return failDb();
        mEof = mBof = step == StepResult::Done;
        if (step == StepResult::Row) {
            mCurrent = use->integer(0);
            mCurrentImage.reset();  // not read: an Update writes without a check
        }
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

SqlStatement* ProjectDatabaseImpl::writeStatement(const std::string& cacheKey, const std::function<std::string()>& sql)
{
    auto it = mTable->writes.find(cacheKey);
    if (it != mTable->writes.end()) return it->second.get();
    if (mTable->writes.size() >= kMaxWriteStatements) mTable->writes.clear();
    StatementPtr stmt = mConn->prepare(sql());
    if (!stmt) return nullptr;
    return mTable->writes.emplace(cacheKey, std::move(stmt)).first->second.get();
}

// Binds the field values after their column kinds; unknown names bind as
// their own type (the statement then fails to prepare anyway).
static bool bindFields(SqlStatement& stmt, const TableState& table, const std::vector<FieldValue>& fields)
{
    int param = 1;
    for (const FieldValue& f : fields) {
        int c = table.columnIndex(f.name);
        ColumnKind kind = c >= 0 ? table.columns[size_t(c)].kind : ColumnKind::Text;
        SqlValue value;
        if (!variantToValue(*f.value, kind, value)) return false;
        stmt.bind(param++, value);
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

// The column name as the table spells it (callers' case may differ).
static std::string columnName(const TableState& table, const std::string& name)
{
    int c = table.columnIndex(name);
    return c >= 0 ? table.columns[size_t(c)].name : name;
}

HRESULT ProjectDatabaseImpl::AddNew(const VARIANT& fieldList, const VARIANT&, VARIANT* newFields, VARIANT_BOOL* ok)
{
    if (!newFields || !ok) return E_POINTER;
    clearError();
    *ok = VARIANT_FALSE;
    if (HRESULT hr = requireTable(); FAILED(hr)) return hr;
    if (mReadOnly) return fail(kDbErrReadOnly, "attempt to write a readonly database");
    std::vector<FieldValue> fields;
    std::string message;
    if (!parseFieldList(fieldList, fields, message)) return fail(kDbErrBadFieldList, message);
    fields = withoutKey(*mTable, std::move(fields));
    if (HRESULT hr = beginPendingLevels(); FAILED(hr)) return hr;
    WritingScope writing(mWriting);
    std::string cacheKey = "I";
    for (const FieldValue& f : fields) (cacheKey += '\x1f') += f.name;
    // The stored row comes back from the insert itself: one round trip.
    auto sql = [&] {
        std::string names, values;
        for (size_t i = 0; i < fields.size(); ++i) {
            names += (i ? ", " : "") + mConn->identifier(columnName(*mTable, fields[i].name));
            values += (i ? ", " : "") + param(i + 1);
        }
        return "INSERT INTO " + mTable->quotedName +
               (fields.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + values + ")") + " RETURNING " +
               mTable->rowKey + ", " + mTable->readList();
    };
    SqlStatement* stmt = writeStatement(cacheKey, sql);
    if (!stmt) return failDb();
    StatementUse use(*stmt);
    if (!bindFields(*use, *mTable, fields)) return fail(kDbErrBadFieldList, "A field value has an unusable type.");
    if (use->step() != StepResult::Row) return failDb();
    const int64_t key = use->integer(0);
    std::vector<SqlValue> image;
    VARIANT stored;
    VariantInit(&stored);
    if (HRESULT hr = readRecord(*use, 1, *mTable, &stored, image); FAILED(hr)) return hr;
    // The statement commits when it finishes: a failure there (a full disk,
    // a lost lock) means nothing was stored and must be reported.
    if (use->step() != StepResult::Done) {
        VariantClear(&stored);
        return failDb();
    }
    setCurrent(key, {std::move(image), mConn->changeStamp()});
    VariantClear(newFields);
    *newFields = stored;
    mKeysetValid = false;
    mPositionKnown = true;
    mEof = mBof = false;
    setFlag(ok, true);
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
    if (mReadOnly) return fail(kDbErrReadOnly, "attempt to write a readonly database");
    std::vector<FieldValue> fields;
    std::string message;
    if (!parseFieldList(fieldList, fields, message)) return fail(kDbErrBadFieldList, message);
    fields = withoutKey(*mTable, std::move(fields));
    if (HRESULT hr = beginPendingLevels(); FAILED(hr)) return hr;
    WritingScope writing(mWriting);
    bool written = false;
    if (HRESULT hr = writeUpdate(fields, newFields, &written); FAILED(hr)) return hr;
    if (!written) {
        // Nothing matched: the row is gone, or another user changed it
        // since it was read here.
        bool present = false;
        if (HRESULT hr = readRow(*mCurrent, nullptr, &present); FAILED(hr)) return hr;
        if (!present) return fail(kDbErrNoCurrentRecord, "No current record.");
        return fail(kDbErrRecordChanged, "the record was changed by another user");
    }
    setFlag(ok, true);
    return S_OK;
}

// One statement writes the fields only where the row still holds the values
// it was read with, and hands back the row as stored: the check and the
// write cannot be separated by another user's change on any engine. Where
// the engine counts its changes and none happened since the read, the write
// takes the lock first, sees the count stand and skips the comparison.
HRESULT ProjectDatabaseImpl::writeUpdate(const std::vector<FieldValue>& fields, VARIANT* newFields, bool* written)
{
    *written = false;
    bool checked = mCurrentImage.has_value();
    const bool stampable = checked && mTable->version.empty() && mCurrentImage->stamp;
    // Inside BeginTrans the write lock is already held; a caller's own SQL
    // transaction gets the full comparison.
    const bool lockHeld = mTransBegun > 0;
    const bool stamped = stampable && !lockHeld && !mConn->inTransaction();
    if (stamped && !mConn->begin()) return failDb();
    if ((stamped || (stampable && lockHeld)) && mConn->changeStamp() == mCurrentImage->stamp) checked = false;
    RowImage image;
    VARIANT stored;
    VariantInit(&stored);
    // Inside the transaction the stored row is read back by key, which costs
    // the engine less than handing it back from the write.
    HRESULT hr = runUpdate(fields, checked, !stamped && !lockHeld, &stored, &image, written);
    if (stamped && (FAILED(hr) || !*written)) mConn->rollback();
    // The change is stored only once the transaction commits.
    if (stamped && SUCCEEDED(hr) && *written && !mConn->commit()) {
        *written = false;
        hr = failDb();
    }
    if (FAILED(hr) || !*written) {
        VariantClear(&stored);
        return hr;
    }
    image.stamp = mConn->changeStamp();
    mCurrentImage = std::move(image);
    VariantClear(newFields);
    *newFields = stored;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::runUpdate(const std::vector<FieldValue>& fields, bool checked, bool returning,
                                       VARIANT* stored, RowImage* image, bool* written)
{
    std::string cacheKey = std::string(checked ? "C" : "U") + (returning ? "R" : "");
    for (const FieldValue& f : fields) (cacheKey += '\x1f') += f.name;
    auto sql = [&] {
        std::string sets;
        size_t n = 0;
        for (const FieldValue& f : fields) {
            sets += (n ? ", " : "") + mConn->identifier(columnName(*mTable, f.name)) + " = " + param(n + 1);
            ++n;
        }
        // With no field to change the key is set to itself, so the row is
        // still checked and returned.
        if (fields.empty()) sets = mTable->rowKey + " = " + mTable->rowKey;
        std::string where = mTable->rowKey + " = " + param(++n);
        if (checked && !mTable->version.empty())
            where += " AND " + mTable->version + " = " + param(++n);
        else if (checked)
            for (const ColumnInfo& c : mTable->columns)
                where += " AND " + mConn->identifier(c.name) + " IS NOT DISTINCT FROM " + param(++n);
        return "UPDATE " + mTable->quotedName + " SET " + sets + " WHERE " + where +
               (returning ? " RETURNING " + mTable->readList() : std::string());
    };
    SqlStatement* stmt = writeStatement(cacheKey, sql);
    if (!stmt) return failDb();
    StatementUse use(*stmt);
    if (!bindFields(*use, *mTable, fields)) return fail(kDbErrBadFieldList, "A field value has an unusable type.");
    int p = int(fields.size()) + 1;
    use->bind(p++, SqlValue::ofInteger(*mCurrent));
    if (checked)
        for (const SqlValue& v : mCurrentImage->values) use->bind(p++, v);
    StepResult step = use->step();
    if (step == StepResult::Failed) return failDb();
    if (!returning) {
        if (step != StepResult::Done || use->changes() == 0) return S_OK;
        bool present = false;
        if (HRESULT hr = readRow(*mCurrent, stored, &present, image); FAILED(hr)) return hr;
        *written = present;
        return S_OK;
    }
    if (step == StepResult::Done) return S_OK;
    if (HRESULT hr = readRecord(*use, 0, *mTable, stored, image->values); FAILED(hr)) return hr;
    // The statement commits when it finishes (outside a transaction): a
    // failure there means nothing was stored and must be reported.
    if (use->step() != StepResult::Done) return failDb();
    *written = true;
    return S_OK;
}

}  // namespace projectdb
