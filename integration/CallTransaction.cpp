// The per-call transaction and the entities the call added.
#include "integration/CallTransaction.h"

#include "database/dbentity.h"
#include "database/dbopen.h"
#include "project/DbConnection.h"

namespace {
// The innermost call under way (calls run on the host's one thread).
CallTransaction* gCurrent = nullptr;
}  // namespace

CallTransaction::CallTransaction(IProjectDatabasePtr db) : mDb(std::move(db)), mOuter(gCurrent) {
    gCurrent = this;
    try {
        if (mDb) {
            mDb.BeginTrans();
            mOpen = true;
        }
    } catch (const _com_error&) {
    }
}

CallTransaction::~CallTransaction() {
    if (mOpen) rollback();
    gCurrent = mOuter;
}

void CallTransaction::end() {
    mOpen = false;
    if (gCurrent == this) gCurrent = mOuter;
}

bool CallTransaction::commit() {
    if (!mOpen) {
        end();
        return true;
    }
    end();
    try {
        mDb.CommitTrans();
    } catch (const _com_error&) {
        _bstr_t text;
        // The connection was closed or reopened during the call: that
        // already rolled its writes back, and the call has said so.
        if (mDb.HasError() && mDb.GetLastError(text) == kDbErrNoTransaction) return true;
        reportDatabaseError(mDb);
        eraseNewEntities();
        return false;
    }
    // Rows committed at an inner level go with the outer call's.
    if (mOuter) mOuter->mNewEntities.insert(mOuter->mNewEntities.end(), mNewEntities.begin(), mNewEntities.end());
    return true;
}

void CallTransaction::rollback() {
    if (!mOpen) return;
    end();
    try {
        mDb.RollbackTrans();
    } catch (const _com_error&) {
    }
    eraseNewEntities();
}

void CallTransaction::eraseNewEntities() {
    for (const AcDbObjectId& id : mNewEntities) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
        if (entity && !entity->isErased()) entity->erase();
    }
    mNewEntities.clear();
}

void CallTransaction::noteNewEntity(const AcDbObjectId& id) {
    if (gCurrent && gCurrent->mOpen) gCurrent->mNewEntities.push_back(id);
}
