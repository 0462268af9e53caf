// BeginTrans, CommitTrans and RollbackTrans on both engines: all the writes
// of a transaction or none, nesting, the read-back inside, the conflict
// check, no lock for a transaction that only reads, and what another
// process sees while one commits.
#include <sys/wait.h>
#include <unistd.h>

#include "projectdb/ProjectDatabase.h"
#include "projectdb_fixture.h"

namespace {

// Ducts with AIRFLOW `tag`, counted by a SQL query on db.
int ductsTagged(IProjectDatabasePtr& db, const wchar_t* tag)
{
    _variant_t values;
    db.SelectColumn(std::wstring(L"select count(*) from tblDuct where AIRFLOW = '") + tag + L"'", values);
    return firstValue(values).lVal;
}

void addDuct(IProjectDatabasePtr& db, const wchar_t* tag, double cfm = 0)
{
    _variant_t stored;
    db.SetTable(L"tblDuct", L"ixDuct");
    ASSERT_TRUE(db.AddNew(makeFieldList({{L"AIRFLOW", tag}, {L"CFM", cfm}}), stored));
}

LONG lastError(IProjectDatabasePtr& db)
{
    _bstr_t text;
    return db.GetLastError(text);
}

struct ShortLockWait {
    ShortLockWait() { setProjectDatabaseBusyTimeout(200); }
    ~ShortLockWait() { setProjectDatabaseBusyTimeout(10000); }
};

}  // namespace

TEST_P(ProjectDbTest, CommittedTransactionStoresEveryWriteAndOthersSeeThemOnlyThen)
{
    IProjectDatabasePtr mine = open(), theirs = open();
    EXPECT_EQ(mine.BeginTrans(), 1);
    addDuct(mine, L"t1");
    addDuct(mine, L"t1");
    ASSERT_TRUE(mine.Execute(L"update tblGlobal set dNumber = 7 where sKey = 'ELBOW RADIUS'"));
    // Inside, the writes read back; outside, nothing shows yet.
    EXPECT_EQ(ductsTagged(mine, L"t1"), 2);
    EXPECT_EQ(ductsTagged(theirs, L"t1"), 0);
    mine.CommitTrans();
    EXPECT_EQ(ductsTagged(theirs, L"t1"), 2);
    _variant_t fields;
    theirs.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(theirs.Seek(L"ELBOW RADIUS", fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dNumber")->dblVal, 7);
}

TEST_P(ProjectDbTest, RolledBackTransactionLeavesNothingOfItsWrites)
{
    IProjectDatabasePtr db = open();
    db.BeginTrans();
    addDuct(db, L"t2");
    _variant_t fields, updated;
    db.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(db.Seek(L"ELBOW RADIUS", fields));
    ASSERT_TRUE(db.Update(makeFieldList({{L"dNumber", 9.0}}), updated));
    db.RollbackTrans();
    EXPECT_EQ(ductsTagged(db, L"t2"), 0);
    db.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(db.Seek(L"ELBOW RADIUS", fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dNumber")->dblVal, 1.0);
    // The connection writes on as before, each write stored at once.
    addDuct(db, L"t2");
    IProjectDatabasePtr other = open();
    EXPECT_EQ(ductsTagged(other, L"t2"), 1);
}

TEST_P(ProjectDbTest, NestedLevelsRollBackOnlyTheirOwnWritesAndOnlyTheOutermostCommitStores)
{
    IProjectDatabasePtr db = open(), other = open();
    EXPECT_EQ(db.BeginTrans(), 1);
    addDuct(db, L"outer");
    EXPECT_EQ(db.BeginTrans(), 2);
    addDuct(db, L"inner");
    db.RollbackTrans();
    EXPECT_EQ(ductsTagged(db, L"inner"), 0);
    EXPECT_EQ(ductsTagged(db, L"outer"), 1);
    EXPECT_EQ(db.BeginTrans(), 2);
    addDuct(db, L"kept");
    db.CommitTrans();
    EXPECT_EQ(ductsTagged(other, L"kept"), 0);  // an inner commit stores nothing yet
    // A level that wrote nothing begins nothing in the database.
    EXPECT_EQ(db.BeginTrans(), 2);
    EXPECT_EQ(db.BeginTrans(), 3);
    db.CommitTrans();
    db.RollbackTrans();
    db.CommitTrans();
    EXPECT_EQ(ductsTagged(other, L"outer"), 1);
    EXPECT_EQ(ductsTagged(other, L"kept"), 1);
    EXPECT_EQ(ductsTagged(other, L"inner"), 0);

    // An inner commit is undone by the outer rollback.
    db.BeginTrans();
    db.BeginTrans();
    addDuct(db, L"gone");
    db.CommitTrans();
    db.RollbackTrans();
    EXPECT_EQ(ductsTagged(other, L"gone"), 0);
}

TEST_P(ProjectDbTest, CommitOrRollbackWithoutATransactionIs3034)
{
    IProjectDatabasePtr db = open();
    EXPECT_THROW(db.CommitTrans(), _com_error);
    EXPECT_EQ(lastError(db), kDbErrNoTransaction);
    EXPECT_THROW(db.RollbackTrans(), _com_error);
    EXPECT_EQ(lastError(db), kDbErrNoTransaction);
    db.BeginTrans();
    db.CommitTrans();
    EXPECT_THROW(db.CommitTrans(), _com_error);  // one begin, one end
    IProjectDatabasePtr closed;
    ASSERT_EQ(closed.CreateInstance(), S_OK);
    EXPECT_THROW(closed.BeginTrans(), _com_error);
    EXPECT_EQ(lastError(closed), kDbErrNotOpen);
}

TEST_P(ProjectDbTest, ClosingOrReopeningRollsBackAnOpenTransaction)
{
    IProjectDatabasePtr db = open();
    db.BeginTrans();
    addDuct(db, L"closed");
    db.Close();
    bool readOnly = false;
    ASSERT_TRUE(db.OpenDatabase(widePath().c_str(), readOnly));
    EXPECT_EQ(ductsTagged(db, L"closed"), 0);
    EXPECT_THROW(db.CommitTrans(), _com_error);  // the reopened file has none open
    db.BeginTrans();
    addDuct(db, L"reopened");
    ASSERT_TRUE(db.OpenDatabase(widePath().c_str(), readOnly));
    EXPECT_EQ(ductsTagged(db, L"reopened"), 0);
}

TEST_P(ProjectDbTest, TransactionThatOnlyReadsLocksNothing)
{
    ShortLockWait wait;
    IProjectDatabasePtr reader = open(), writer = open();
    reader.BeginTrans();
    _variant_t fields, updated;
    reader.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(reader.Seek(L"ELBOW RADIUS", fields));
    EXPECT_EQ(ductsTagged(reader, L"sa"), 0);
    // Another user writes the same row meanwhile and is not kept waiting.
    writer.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(writer.Seek(L"ELBOW RADIUS", fields));
    EXPECT_TRUE(writer.Update(makeFieldList({{L"dNumber", 4.0}}), updated));
    addDuct(writer, L"sa");
    reader.CommitTrans();
}

TEST_P(ProjectDbTest, UpdateInsideATransactionStillRefusesAnotherUsersChange)
{
    IProjectDatabasePtr mine = open(), theirs = open();
    _variant_t fields, updated;
    ASSERT_NO_FATAL_FAILURE(bothReadThenTheyChange(mine, theirs));

    mine.BeginTrans();
    ASSERT_TRUE(mine.Execute(L"insert into tblDuct (AIRFLOW) values ('first')"));  // holds the write lock now
    EXPECT_THROW(mine.Update(makeFieldList({{L"dNumber", 3.0}}), updated), _com_error);
    EXPECT_EQ(lastError(mine), kDbErrRecordChanged);
    // Read again inside the transaction, the write goes through and reads back.
    ASSERT_TRUE(mine.Seek(L"ELBOW RADIUS", fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dNumber")->dblVal, 2.5);
    ASSERT_TRUE(mine.Update(makeFieldList({{L"dNumber", 3.0}}), updated));
    EXPECT_DOUBLE_EQ(fieldValue(updated, L"dNumber")->dblVal, 3.0);
    ASSERT_TRUE(mine.Update(makeFieldList({{L"sText", L"2"}}), updated));  // again, on its own write
    mine.CommitTrans();

    ASSERT_TRUE(theirs.Seek(L"ELBOW RADIUS", fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dNumber")->dblVal, 3.0);
    EXPECT_EQ(textOf(fieldValue(fields, L"sText")), L"2");
    EXPECT_EQ(ductsTagged(theirs, L"first"), 1);
}

TEST_P(ProjectDbTest, WriterInsideATransactionMakesOtherWritersWaitNotFail)
{
    // The child is forked before this process opens the file (SQLite's
    // locks must not be carried across fork); a pipe says when to write.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
        // Writes while the transaction holds the lock: waits (up to the
        // lock timeout) and then goes through.
        close(ready[1]);
        char go = 0;
        if (read(ready[0], &go, 1) != 1) _exit(5);
        IProjectDatabasePtr theirs;
        bool readOnly = false;
        if (FAILED(theirs.CreateInstance()) || !theirs.OpenDatabase(widePath().c_str(), readOnly)) _exit(2);
        try {
            theirs.Execute(L"insert into tblDuct (AIRFLOW) values ('waited')");
        } catch (const _com_error&) {
            _exit(3);
        }
        _exit(0);
    }
    close(ready[0]);
    IProjectDatabasePtr mine = open();
    mine.BeginTrans();
    addDuct(mine, L"held");
    ASSERT_EQ(write(ready[1], "g", 1), 1);
    close(ready[1]);
    usleep(200 * 1000);
    addDuct(mine, L"held");
    mine.CommitTrans();
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    IProjectDatabasePtr other = open();
    EXPECT_EQ(ductsTagged(other, L"held"), 2);
    EXPECT_EQ(ductsTagged(other, L"waited"), 1);
}

TEST_P(ProjectDbTest, AnotherProcessSeesAllRowsOfATransactionOrNone)
{
    constexpr int kRows = 5, kTransactions = 20;
    pid_t child = fork();
    if (child == 0) {
        // Counts the rows of each transaction while the parent commits
        // them; a count that is not a multiple of kRows is half a transaction.
        IProjectDatabasePtr theirs;
        bool readOnly = false;
        if (FAILED(theirs.CreateInstance()) || !theirs.OpenDatabase(widePath().c_str(), readOnly)) _exit(2);
        for (int seen = 0; seen < kRows * kTransactions;) {
            try {
                seen = ductsTagged(theirs, L"batch");
            } catch (const _com_error&) {
                _exit(3);
            }
            if (seen % kRows != 0) _exit(4);
        }
        _exit(0);
    }
    IProjectDatabasePtr mine = open();
    for (int t = 0; t < kTransactions; ++t) {
        mine.BeginTrans();
        for (int r = 0; r < kRows; ++r) addDuct(mine, L"batch", r);
        mine.CommitTrans();
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_P(ProjectDbTest, RefusedWriteEndsTheTransactionItsLaterWritesAndItsCommitFail)
{
    IProjectDatabasePtr db = open(), other = open();
    db.BeginTrans();
    addDuct(db, L"before");
    EXPECT_THROW(db.Execute(L"update tblNoSuchTable set x = 1"), _com_error);
    _variant_t stored;
    db.SetTable(L"tblDuct", L"ixDuct");
    EXPECT_THROW(db.AddNew(makeFieldList({{L"AIRFLOW", L"after"}}), stored), _com_error);
    _variant_t values;  // reads go on
    EXPECT_TRUE(db.SelectColumn(L"select count(*) from tblGlobal", values));
    EXPECT_THROW(db.CommitTrans(), _com_error);
    EXPECT_EQ(ductsTagged(other, L"before"), 0);
    EXPECT_EQ(ductsTagged(other, L"after"), 0);
    addDuct(db, L"after");  // the next transaction-free write works again
    EXPECT_EQ(ductsTagged(other, L"after"), 1);
}
