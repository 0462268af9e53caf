// Component lifetime, opening and closing project files, and the pending
// error.
#include "projectdb/ProjectDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <atomic>

#include "com/cocreate.h"
#include "projectdb/ProjectDatabaseImpl.h"
#include "projectdb/connectionfile.h"
#include "projectdb/pgconnection.h"
#include "projectdb/sqliteconnection.h"

const IID IID_IProjectDatabase = *guidFromString("{2C4ED17D-80E4-4416-BF2B-2C8D9F117E44}");
const CLSID CLSID_ProjectDatabase = *guidFromString("{4D6FDF05-A48B-43B0-B640-64B299548BC4}");

namespace {
std::atomic<int> gBusyTimeoutMs{10000};
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

HRESULT ProjectDatabaseImpl::failDb()
{
    const SqlError& error = mConn->error();
    HRESULT hr = fail(error.number, error.text);
    noticeLostTransaction();
    return hr;
}

void ProjectDatabaseImpl::resetCursor()
{
    mCurrent.reset();
    mCurrentImage.reset();
    mPositionKnown = false;
    mEof = mBof = false;
    mKeyset.clear();
    mKeysetValid = false;
    mKeysetPos = 0;
}

void ProjectDatabaseImpl::closeFile()
{
    abandonTransaction();
    resetCursor();
    mTable = nullptr;
    mIndex = nullptr;
    mTables.clear();  // finalizes every cached statement before the close
    mConn.reset();
    mReadOnly = false;
}

ProjectDatabaseImpl::OpenResult ProjectDatabaseImpl::openFile(const std::string& path)
{
    closeFile();
    struct stat st{};
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        fail(3024, "Could not find file '" + path + "'.");
        return OpenResult::Missing;
    }
    SqlError error;
    std::string connection;
    if (readConnectionFile(path, connection, error.text)) {
        // A project kept on a database server; the file names the server.
        mConn = openPgProject(connection, projectDatabaseBusyTimeout(), &error);
        if (!mConn) {
            fail(error.number, error.text);
            return OpenResult::Failed;
        }
    } else if (!error.text.empty()) {
        fail(kDbErrDiskOrNetwork, error.text);
        return OpenResult::Failed;
    } else if (st.st_size == 0) {
        // SQLite would take it as an empty database and the project would
        // open with no starting rows: it is a save that never happened.
        fail(SQLITE_NOTADB, "The project database file '" + path + "' is empty (0 bytes).");
        return OpenResult::Damaged;
    } else {
        SqliteOpen outcome;
        mConn = openSqliteProject(path, projectDatabaseBusyTimeout(), &outcome, &error);
        if (!mConn) {
            fail(error.number, error.text);
            return outcome == SqliteOpen::Damaged ? OpenResult::Damaged : OpenResult::Failed;
        }
    }
    mReadOnly = mConn->readOnly();
    if (!mReadOnly && !ensureSchema(*mConn)) {
        bool damaged = mConn->error().damaged;
        failDb();
        mConn.reset();
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
    *open = mConn ? VARIANT_TRUE : VARIANT_FALSE;
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
