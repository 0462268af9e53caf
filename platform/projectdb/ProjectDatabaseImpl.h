// The component implementation: one SQLite connection, the selected table
// and index, the current record and the pending error.
#pragma once

#include <sqlite3.h>

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "projectdb/IProjectDatabase.h"
#include "projectdb/tablestate.h"

namespace projectdb {

class ProjectDatabaseImpl final : public IProjectDatabase {
public:
    ProjectDatabaseImpl() = default;
    ProjectDatabaseImpl(const ProjectDatabaseImpl&) = delete;
    ProjectDatabaseImpl& operator=(const ProjectDatabaseImpl&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT OpenProject(BSTR path, SHORT flag1, SHORT flag2, BSTR* status) override;
    HRESULT SetTable(BSTR table, BSTR index, VARIANT_BOOL* ready) override;
    HRESULT MoveFirst(VARIANT* fields, VARIANT_BOOL* ok) override;
    HRESULT MoveNext(LONG count, VARIANT* fields, VARIANT_BOOL* ok) override;
    HRESULT IsOpen(VARIANT_BOOL* open) override;
    HRESULT AddNew(const VARIANT& fields, const VARIANT& unused, VARIANT* newFields, VARIANT_BOOL* ok) override;
    HRESULT ResetSession(VARIANT* ignored) override;
    HRESULT Close(VARIANT* ignored) override;
    HRESULT GetLastError(LONG* number, BSTR* text) override;
    HRESULT HasError(VARIANT_BOOL* pending) override;
    HRESULT Update(const VARIANT& fields, VARIANT* newFields, VARIANT_BOOL* ok) override;
    HRESULT Seek(const VARIANT& key1, VARIANT* fields, VARIANT_BOOL* found) override;
    HRESULT Seek2(const VARIANT& key1, const VARIANT& key2, VARIANT* fields, VARIANT_BOOL* found) override;
    HRESULT Seek3(const VARIANT& key1, const VARIANT& key2, const VARIANT& key3, VARIANT* fields,
                  VARIANT_BOOL* found) override;
    HRESULT SelectColumn(BSTR sql, VARIANT* values, VARIANT_BOOL* rows) override;
    HRESULT Execute(BSTR sql, VARIANT_BOOL* ok) override;
    HRESULT OpenDatabase(BSTR path, VARIANT_BOOL* readOnly, VARIANT_BOOL* opened) override;
    HRESULT IsEOF(VARIANT_BOOL* eof) override;
    HRESULT IsBOF(VARIANT_BOOL* bof) override;

private:
    ~ProjectDatabaseImpl();

    enum class OpenResult { Opened, Missing, Damaged, Failed };
    OpenResult openFile(const std::string& path);
    void closeFile();

    void clearError();
    HRESULT fail(LONG number, const std::string& text);
    HRESULT failSqlite(int rc);
    // Fails unless a database is open and a table selected.
    HRESULT requireTable();

    HRESULT seekKeys(const VARIANT* const* keys, size_t count, VARIANT* fields, VARIANT_BOOL* found);
    // Reads row `key` of the current table into *fields; false when missing.
    HRESULT readRow(sqlite3_int64 key, VARIANT* fields, bool* present);
    HRESULT loadKeyset();
    // Steps through the keyset from position pos to the first row still present.
    HRESULT moveTo(size_t pos, VARIANT* fields, VARIANT_BOOL* ok);
    Statement* writeStatement(const std::string& cacheKey, const std::string& sql, int* rc);
    void resetCursor();

    std::atomic<ULONG> mRefs{1};
    sqlite3* mDb = nullptr;
    bool mReadOnly = false;
    int mBusyTimeoutMs = 0;

    bool mHasError = false;
    LONG mErrorNumber = 0;
    std::wstring mErrorText;

    std::map<std::string, std::unique_ptr<TableState>> mTables;
    TableState* mTable = nullptr;
    IndexState* mIndex = nullptr;

    std::optional<sqlite3_int64> mCurrent;  // key of the current record
    bool mPositionKnown = false;  // false right after SetTable
    bool mEof = false;
    bool mBof = false;
    std::vector<sqlite3_int64> mKeyset;  // valid while mKeysetValid
    bool mKeysetValid = false;
    size_t mKeysetPos = 0;
};

}  // namespace projectdb
