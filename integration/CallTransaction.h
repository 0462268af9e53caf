// One project database transaction per AutoLISP call: the rows a call writes
// are stored together when it ends well, or none of them. The call wrapper
// opens one around every function that needs the project; a call made from
// inside another (through a callback into AutoLISP) nests in it.
#pragma once

#include <vector>

#include "database/dbid.h"
#include "projectdb/ProjectDatabasePtr.h"

class CallTransaction {
public:
    // Begins a transaction on db. The component takes the write lock only
    // at the first write, so a call that only reads locks nothing. When no
    // transaction can be begun the call runs with its writes stored one by one.
    explicit CallTransaction(IProjectDatabasePtr db);
    // Rolls back unless committed.
    ~CallTransaction();
    CallTransaction(const CallTransaction&) = delete;
    CallTransaction& operator=(const CallTransaction&) = delete;

    // Stores the call's writes. When the commit fails nothing of the call
    // is stored: the database error is reported (the AutoLISP result
    // becomes nil), the call's new entities are erased, and false is answered.
    bool commit();
    // Undoes the call's writes and erases the entities it added to the drawing.
    void rollback();

    // Called for every entity the module adds to a drawing: erased again
    // when the current call's writes are rolled back, so no entity stays
    // without its row.
    static void noteNewEntity(const AcDbObjectId& id);

private:
    void end();
    void eraseNewEntities();

    IProjectDatabasePtr mDb;
    bool mOpen = false;
    CallTransaction* mOuter;
    std::vector<AcDbObjectId> mNewEntities;
};
