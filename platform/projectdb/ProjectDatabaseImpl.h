// The component implementation: one database connection (SQLite file or
// PostgreSQL server), the selected table and index, the current record and
// the pending error.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "projectdb/IProjectDatabase.h"
#include "projectdb/tablestate.h"

namespace projectdb {

// A write refused because the project was opened read-only (the number the
// file engine gives it, kept for every engine).
constexpr LONG kDbErrReadOnly = 8;
// SelectColumn of a text that returns no rows (the file engine's number).
constexpr LONG kDbErrNotAQuery = 1;

// A row's values as read, and the engine's change count at that moment
// (see SqlConnection::changeStamp).
struct RowImage {
    std::vector<SqlValue> values;
    std::optional<uint64_t> stamp;
};

// Marks the span of a write operation (see noticeLostTransaction).
struct WritingScope {
    explicit WritingScope(bool& flag) : flag(flag) { flag = true; }
    ~WritingScope() { flag = false; }
    bool& flag;
};

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
    HRESULT BeginTrans(LONG* level) override;
    HRESULT CommitTrans() override;
    HRESULT RollbackTrans() override;

private:
    ~ProjectDatabaseImpl();

    enum class OpenResult { Opened, Missing, Damaged, Failed };
    OpenResult openFile(const std::string& path);
    void closeFile();

    void clearError();
    HRESULT fail(LONG number, const std::string& text);
    // Reports the connection's last failure.
    HRESULT failDb();
    // Fails unless a database is open and a table selected.
    HRESULT requireTable();

    // Before a write inside BeginTrans: begins the levels not begun in the
    // database yet (the outermost takes the write lock). Fails when an
    // earlier failure ended the transaction.
    HRESULT beginPendingLevels();
    // After a failed statement: ends the transaction when the engine ended
    // it, or when the statement was a write (a transaction is all its
    // writes or none, on every engine); the writes of every level are then
    // gone and later writes fail until the outermost level ends.
    void noticeLostTransaction();
    // Ends every level without storing anything.
    void abandonTransaction();

    HRESULT seekKeys(const VARIANT* const* keys, size_t count, VARIANT* fields, VARIANT_BOOL* found);
    // Reads row `key` of the current table into *fields (may be null) and
    // its values into *image (may be null); *present false when missing.
    HRESULT readRow(int64_t key, VARIANT* fields, bool* present, RowImage* image = nullptr);
    // Makes `key` the current record as read with the values in image.
    void setCurrent(int64_t key, RowImage image);
    // Update when no values were read to compare with: plain rewrite.
    HRESULT writeUpdate(const std::vector<FieldValue>& fields, VARIANT* newFields, bool* written);
    // The UPDATE itself, comparing the row with the current image when
    // checked; the stored row goes to *stored and *image, handed back by the
    // write itself when returning, else read after it.
    HRESULT runUpdate(const std::vector<FieldValue>& fields, bool checked, bool returning, VARIANT* stored,
                      RowImage* image, bool* written);
    HRESULT loadKeyset();
    // Steps through the keyset from position pos to the first row still present.
    HRESULT moveTo(size_t pos, VARIANT* fields, VARIANT_BOOL* ok);
    // The cached write statement for cacheKey; the SQL is built only when
    // it is not cached yet.
    SqlStatement* writeStatement(const std::string& cacheKey, const std::function<std::string()>& sql);
    void resetCursor();

    std::atomic<ULONG> mRefs{1};
    std::unique_ptr<SqlConnection> mConn;
    bool mReadOnly = false;

    // BeginTrans levels open, and how many of them are begun in the
    // database (the outermost as a transaction, the others as savepoints).
    LONG mTransLevels = 0;
    LONG mTransBegun = 0;
    // Why the transaction ended before its CommitTrans ("" while it stands).
    std::string mTransLost;
    LONG mTransLostNumber = 0;
    bool mWriting = false;  // inside AddNew, Update or Execute

    bool mHasError = false;
    LONG mErrorNumber = 0;
    std::wstring mErrorText;

    std::map<std::string, std::unique_ptr<TableState>> mTables;
    TableState* mTable = nullptr;
    IndexState* mIndex = nullptr;

    std::optional<int64_t> mCurrent;  // key of the current record
    // The current record's values as last read; Update refuses to write
    // over a row whose values differ (another user changed it).
    std::optional<RowImage> mCurrentImage;
    bool mPositionKnown = false;  // false right after SetTable
    bool mEof = false;
    bool mBof = false;
    std::vector<int64_t> mKeyset;  // valid while mKeysetValid
    bool mKeysetValid = false;
    size_t mKeysetPos = 0;
};

}  // namespace projectdb
