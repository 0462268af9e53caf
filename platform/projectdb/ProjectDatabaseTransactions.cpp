// BeginTrans, CommitTrans and RollbackTrans: nested transactions of the
// connection, begun in the database only when a write needs them.
#include "projectdb/ProjectDatabaseImpl.h"

namespace projectdb {

namespace {
// The savepoint standing for transaction level n (n >= 2).
std::string savepointName(LONG n) { return "orv_level_" + std::to_string(n); }
}  // namespace

HRESULT ProjectDatabaseImpl::BeginTrans(LONG* level)
{
    if (!level) return E_POINTER;
    clearError();
    *level = 0;
    if (!mConn) return fail(kDbErrNotOpen, "No database is open.");
    *level = ++mTransLevels;
    return S_OK;
}

HRESULT ProjectDatabaseImpl::beginPendingLevels()
{
    if (mTransLevels == 0) return S_OK;
    noticeLostTransaction();  // a server connection lost since the last write
    if (!mTransLost.empty())
        return fail(mTransLostNumber, "The transaction was rolled back after an earlier failure: " + mTransLost);
    while (mTransBegun < mTransLevels) {
        const bool ok = mTransBegun == 0 ? mConn->begin() : runStatement(*mConn, "SAVEPOINT " + savepointName(mTransBegun + 1));
        if (!ok) return failDb();
        ++mTransBegun;
    }
    return S_OK;
}

void ProjectDatabaseImpl::noticeLostTransaction()
{
    if (mTransBegun == 0 || !mTransLost.empty() || (!mWriting && mConn->inTransaction())) return;
    // The engine rolled everything back with the failed statement (SQLite
    // does so on some disk failures; a server transaction is aborted by
    // any failure), or a write was refused: later writes must not run on
    // as single statements.
    const SqlError& error = mConn->error();
    mTransLostNumber = error.number ? error.number : kDbErrDiskOrNetwork;
    mTransLost = error.text.empty() ? "the database ended the transaction" : error.text;
    mConn->rollback();
    mTransBegun = 0;
}

void ProjectDatabaseImpl::abandonTransaction()
{
    if (mTransBegun > 0 && mConn) mConn->rollback();
    mTransLevels = mTransBegun = 0;
    mTransLost.clear();
    mTransLostNumber = 0;
}

HRESULT ProjectDatabaseImpl::CommitTrans()
{
    clearError();
    if (mTransLevels == 0)
        return fail(kDbErrNoTransaction, "You tried to commit or rollback a transaction without first beginning a transaction.");
    const LONG level = mTransLevels--;
    if (!mTransLost.empty()) {
        const LONG number = mTransLostNumber;
        const std::string text = mTransLost;
        if (mTransLevels == 0) abandonTransaction();
        return fail(number, "The transaction was rolled back: " + text);
    }
    if (mTransBegun < level) return S_OK;  // nothing was written at this level
    --mTransBegun;
    if (level > 1) {
        if (runStatement(*mConn, "RELEASE SAVEPOINT " + savepointName(level))) return S_OK;
        return failDb();
    }
    // The outermost commit stores everything; a failed commit leaves nothing.
    if (mConn->commit()) return S_OK;
    HRESULT hr = failDb();
    mConn->rollback();
    return hr;
}

HRESULT ProjectDatabaseImpl::RollbackTrans()
{
    // A pending error stays pending: a rollback usually follows a failure
    // that is still to be reported.
    if (mTransLevels == 0)
        return fail(kDbErrNoTransaction, "You tried to commit or rollback a transaction without first beginning a transaction.");
    const LONG level = mTransLevels--;
    // Rows read before may be gone or different now.
    resetCursor();
    if (mTransLevels == 0) {
        abandonTransaction();
        return S_OK;
    }
    if (mTransBegun < level) return S_OK;
    --mTransBegun;
    const std::string name = savepointName(level);
    if (runStatement(*mConn, "ROLLBACK TO SAVEPOINT " + name) && runStatement(*mConn, "RELEASE SAVEPOINT " + name))
        return S_OK;
    return failDb();
}

}  // namespace projectdb
