// Component lifetime, opening and closing project files, and the pending
// error.
#include "projectdb/ProjectDatabase.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <set>

#include "com/cocreate.h"
#include "projectdb/ProjectDatabaseImpl.h"
#include "projectdb/dberror.h"
#include "projectdb/schema.h"

const IID IID_IProjectDatabase = *guidFromString("{2C4ED17D-80E4-4416-BF2B-2C8D9F117E44}");
const CLSID CLSID_ProjectDatabase = *guidFromString("{4D6FDF05-A48B-43B0-B640-64B299548BC4}");

namespace {
std::atomic<int> gBusyTimeoutMs{10000};

// A file is opened read-only when it or its folder cannot be written (the
// rollback journal is created beside the file). Mode bits are checked too so
// a privileged user still honours a read-only file.
bool isWritable(const std::string& path)
{
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

// Waits for another process's lock in short steps: the default handler's
// growing sleeps leave the file idle long after the lock is gone.
int waitForLock(void* timeoutMs, int attempt)
{
    long waited = attempt < 20 ? attempt : 20 + (attempt - 20) * 5;
    if (waited >= *static_cast<int*>(timeoutMs)) return 0;
    usleep(attempt < 20 ? 1000 : 5000);
    return 1;
}

std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

void setProjectDatabaseBusyTimeout(int milliseconds) { gBusyTimeoutMs = milliseconds < 0 ? 0 : milliseconds; }
int projectDatabaseBusyTimeout() { return gBusyTimeoutMs; }

IProjectDatabase* createProjectDatabase() { return new projectdb::ProjectDatabaseImpl(); }

void registerProjectDatabaseClass()
{
    CoRegisterClassFactory(CLSID_ProjectDatabase, [](REFIID iid, void** object) -> HRESULT {
        IProjectDatabase* db = createProjectDatabase();
        HRESULT hr = db->QueryInterface(iid, object);
        db->Release();
        return hr;
    });
}

namespace projectdb {

ProjectDatabaseImpl::~ProjectDatabaseImpl() { closeFile(); }

HRESULT ProjectDatabaseImpl::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IProjectDatabase) {
        *object = static_cast<IProjectDatabase*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ProjectDatabaseImpl::AddRef() { return ++mRefs; }

ULONG ProjectDatabaseImpl::Release()
{
    ULONG left = --mRefs;
    if (left == 0) delete this;
    return left;
}

void ProjectDatabaseImpl::clearError()
{
    mHasError = false;
    mErrorNumber = 0;
    mErrorText.clear();
}

HRESULT ProjectDatabaseImpl::fail(LONG number, const std::string& text)
{
    mHasError = true;
    mErrorNumber = number;
    mErrorText = utf8ToWide(text);
    return E_FAIL;
}

HRESULT ProjectDatabaseImpl::failSqlite(int rc)
{
    int code = mDb ? sqlite3_extended_errcode(mDb) : rc;
    if (code == SQLITE_OK || (code & 0xFF) != (rc & 0xFF)) code = rc;
    const char* text = mDb && sqlite3_errcode(mDb) != SQLITE_OK ? sqlite3_errmsg(mDb) : sqlite3_errstr(rc);
    return fail(errorNumberForSqlite(code), text);
}

void ProjectDatabaseImpl::resetCursor()
{
    mCurrent.reset();
    mPositionKnown = false;
    mEof = mBof = false;
    mKeyset.clear();
    mKeysetValid = false;
    mKeysetPos = 0;
}

void ProjectDatabaseImpl::closeFile()
{
    resetCursor();
    mTable = nullptr;
    mIndex = nullptr;
    mTables.clear();  // finalizes every cached statement before the close
    if (mDb) sqlite3_close_v2(mDb);
    mDb = nullptr;
    mReadOnly = false;
}

// Creates the tables and indexes a project needs that the file lacks.
static int ensureSchema(sqlite3* db)
{
    std::set<std::string> present;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type IN ('table', 'index')", -1, &stmt,
                                nullptr);
    if (rc != SQLITE_OK) return rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        present.insert(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) return rc;
    bool complete = true;
    for (const TableDef& t : projectTables()) {
        complete = complete && present.count(t.name);
        for (const IndexDef& ix : t.indexes) complete = complete && present.count(sqlIndexName(t.name, ix.name));
    }
    if (complete) return SQLITE_OK;
    rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (const TableDef& t : projectTables())
        for (const std::string& sql : createStatements(t))
            if (rc == SQLITE_OK) rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    int failed = sqlite3_extended_errcode(db);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return failed;
}

ProjectDatabaseImpl::OpenResult ProjectDatabaseImpl::openFile(const std::string& path)
{
    closeFile();
    struct stat st{};
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        fail(3024, "Could not find file '" + path + "'.");
        return OpenResult::Missing;
    }
    mReadOnly = !isWritable(path) || !isWritable(folderOf(path));
    int flags = (mReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(path.c_str(), &mDb, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(mDb, 1);
        mBusyTimeoutMs = gBusyTimeoutMs;
        sqlite3_busy_handler(mDb, waitForLock, &mBusyTimeoutMs);
        // SQL texts of the product quote string literals with double quotes.
        sqlite3_db_config(mDb, SQLITE_DBCONFIG_DQS_DML, 1, nullptr);
        sqlite3_db_config(mDb, SQLITE_DBCONFIG_DQS_DDL, 1, nullptr);
        // Integrity check of the structure; damage shows here, not later.
        sqlite3_stmt* check = nullptr;
        bool structureDamaged = false;
        rc = sqlite3_prepare_v2(mDb, "PRAGMA quick_check(1)", -1, &check, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(check);
            if (rc == SQLITE_ROW) {
                auto result = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
                structureDamaged = !result || std::string(result) != "ok";
                rc = SQLITE_OK;
            }
            sqlite3_finalize(check);
        }
        if (structureDamaged) {
            fail(SQLITE_CORRUPT, "database disk image is malformed");
            sqlite3_close_v2(mDb);
            mDb = nullptr;
            return OpenResult::Damaged;
        }
    }
    if (rc == SQLITE_OK && !mReadOnly) {
        // Rollback journal: safe on network shares (see docs/project-database.md).
        rc = sqlite3_exec(mDb, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = ensureSchema(mDb);
    }
    if (rc != SQLITE_OK) {
        bool damaged = isDamagedFile(rc) || (mDb && isDamagedFile(sqlite3_extended_errcode(mDb)));
        failSqlite(rc);
        sqlite3_close_v2(mDb);
        mDb = nullptr;
        mReadOnly = false;
        return damaged ? OpenResult::Damaged : OpenResult::Failed;
    }
    return OpenResult::Opened;
}

HRESULT ProjectDatabaseImpl::OpenProject(BSTR path, SHORT, SHORT, BSTR* status)
{
    if (!status) return E_POINTER;
    clearError();
    std::string file = bstrToUtf8(path);
    OpenResult result = openFile(file);
    const wchar_t* text = result == OpenResult::Opened ? nullptr : result == OpenResult::Damaged ? L"*REPAIR*" : L"";
    *status = text ? SysAllocString(text) : SysAllocStringLen(path, SysStringLen(path));
    return *status ? S_OK : E_OUTOFMEMORY;
}

HRESULT ProjectDatabaseImpl::OpenDatabase(BSTR path, VARIANT_BOOL* readOnly, VARIANT_BOOL* opened)
{
    if (!readOnly || !opened) return E_POINTER;
    clearError();
    bool ok = openFile(bstrToUtf8(path)) == OpenResult::Opened;
    *opened = ok ? VARIANT_TRUE : VARIANT_FALSE;
    *readOnly = ok && mReadOnly ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::IsOpen(VARIANT_BOOL* open)
{
    if (!open) return E_POINTER;
    *open = mDb ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::Close(VARIANT* ignored)
{
    clearError();
    closeFile();
    if (ignored) VariantClear(ignored);
    return S_OK;
}

HRESULT ProjectDatabaseImpl::ResetSession(VARIANT* ignored)
{
    clearError();
    resetCursor();
    mTable = nullptr;
    mIndex = nullptr;
    if (ignored) VariantClear(ignored);
    return S_OK;
}

HRESULT ProjectDatabaseImpl::GetLastError(LONG* number, BSTR* text)
{
    if (!number || !text) return E_POINTER;
    *number = mErrorNumber;
    *text = SysAllocStringLen(mErrorText.data(), static_cast<unsigned>(mErrorText.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT ProjectDatabaseImpl::HasError(VARIANT_BOOL* pending)
{
    if (!pending) return E_POINTER;
    *pending = mHasError ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

}  // namespace projectdb
