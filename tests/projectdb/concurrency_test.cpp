// Several users of one project: a record changed by another user since it
// was read is not overwritten (3197), and two processes writing at once
// lose nothing.
#include <sys/wait.h>
#include <unistd.h>

#include "projectdb_fixture.h"

namespace {
// One writer process: inserts rows and increments a shared counter.
int writer(const std::wstring& path, int rounds)
{
    IProjectDatabasePtr db;
    bool readOnly = false;
    if (FAILED(db.CreateInstance()) || !db.OpenDatabase(path.c_str(), readOnly)) return 2;
    try {
        _variant_t stored;
        for (int i = 0; i < rounds; ++i) {
            db.SetTable(L"tblDuct", L"ixDuct");
            if (!db.AddNew(makeFieldList({{L"AIRFLOW", L"sa"}, {L"CFM", double(i)}}), stored)) return 3;
            db.Execute(L"update tblGlobal set dNumber = dNumber + 1 where sKey = 'DCONN-FLEXLENGTH'");
        }
    } catch (const _com_error&) {
        return 4;
    }
    return 0;
}

// One editor process: reads a setting, adds one, writes it back; when
// another user changed it meanwhile (3197), reads it again and retries.
int editor(const std::wstring& path, int rounds)
{
    IProjectDatabasePtr db;
    bool readOnly = false;
    if (FAILED(db.CreateInstance()) || !db.OpenDatabase(path.c_str(), readOnly)) return 2;
    _variant_t fields, updated;
    for (int i = 0; i < rounds;) {
        try {
            db.SetTable(L"tblGlobal", L"sKey");
            if (!db.Seek(L"DCONN-FLEXLENGTH", fields)) return 3;
            double next = fieldValue(fields, L"dNumber")->dblVal + 1;
            db.Update(makeFieldList({{L"dNumber", next}}), updated);
            ++i;
        } catch (const _com_error&) {
            _bstr_t text;
            if (db.GetLastError(text) != kDbErrRecordChanged) return 4;
        }
    }
    return 0;
}

void expectChildrenSucceed(pid_t* children, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        int status = 0;
        waitpid(children[i], &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
}
}  // namespace

TEST_P(ProjectDbTest, UpdateOverAnotherUsersChangeIs3197AndKeepsTheirValue)
{
    IProjectDatabasePtr mine = open(), theirs = open();
    _variant_t fields, updated;
    ASSERT_NO_FATAL_FAILURE(bothReadThenTheyChange(mine, theirs));

    EXPECT_THROW(mine.Update(makeFieldList({{L"sText", L"3"}}), updated), _com_error);
    _bstr_t text;
    EXPECT_EQ(mine.GetLastError(text), kDbErrRecordChanged);
    ASSERT_TRUE(mine.Seek(L"ELBOW RADIUS", fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dNumber")->dblVal, 2.5);
    EXPECT_EQ(textOf(fieldValue(fields, L"sText")), L"1");

    // Read again, the change goes through, and my own writes never conflict.
    ASSERT_TRUE(mine.Update(makeFieldList({{L"sText", L"3"}}), updated));
    ASSERT_TRUE(mine.Update(makeFieldList({{L"dNumber", 3.0}}), updated));
    EXPECT_EQ(textOf(fieldValue(updated, L"sText")), L"3");
    // A row deleted by another user is no current record.
    theirs.Execute(L"delete from tblGlobal where sKey = 'ELBOW RADIUS'");
    EXPECT_THROW(mine.Update(makeFieldList({{L"dNumber", 4.0}}), updated), _com_error);
    EXPECT_EQ(mine.GetLastError(text), kDbErrNoCurrentRecord);
}

// Whatever changed since the read decides, not who changed it or where:
// my own SQL on the row conflicts, another user's write to another row
// does not, and a change made after my last write is seen again.
TEST_P(ProjectDbTest, UpdateChecksEveryChangeSinceTheReadWhateverItsSource)
{
    IProjectDatabasePtr mine = open(), theirs = open();
    _variant_t fields, updated;
    _bstr_t text;
    mine.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(mine.Seek(L"ELBOW RADIUS", fields));
    ASSERT_TRUE(mine.Execute(L"update tblGlobal set dNumber = 9 where sKey = 'ELBOW RADIUS'"));
    EXPECT_THROW(mine.Update(makeFieldList({{L"sText", L"2"}}), updated), _com_error);
    EXPECT_EQ(mine.GetLastError(text), kDbErrRecordChanged);

    ASSERT_TRUE(mine.Seek(L"ELBOW RADIUS", fields));
    ASSERT_TRUE(theirs.Execute(L"update tblGlobal set dNumber = 7 where sKey <> 'ELBOW RADIUS'"));
    ASSERT_TRUE(mine.Update(makeFieldList({{L"sText", L"2"}}), updated));
    EXPECT_DOUBLE_EQ(fieldValue(updated, L"dNumber")->dblVal, 9.0);

    theirs.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(theirs.Seek(L"ELBOW RADIUS", fields));
    ASSERT_TRUE(theirs.Update(makeFieldList({{L"dNumber", 5.0}}), updated));
    EXPECT_THROW(mine.Update(makeFieldList({{L"sText", L"4"}}), updated), _com_error);
    EXPECT_EQ(mine.GetLastError(text), kDbErrRecordChanged);
    ASSERT_TRUE(mine.Seek(L"ELBOW RADIUS", fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dNumber")->dblVal, 5.0);
    EXPECT_EQ(textOf(fieldValue(fields, L"sText")), L"2");
}

TEST_P(ProjectDbTest, TwoEditorsReadingAndWritingOneRecordLoseNoIncrement)
{
    constexpr int kRounds = 30;
    pid_t children[2];
    for (pid_t& child : children) {
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(editor(widePath(), kRounds));
    }
    expectChildrenSucceed(children, 2);
    IProjectDatabasePtr db = open();
    _variant_t values;
    ASSERT_TRUE(db.SelectColumn(L"select dNumber from tblGlobal where sKey = 'DCONN-FLEXLENGTH'", values));
    EXPECT_DOUBLE_EQ(firstValue(values).dblVal, 60.0 + 2 * kRounds);
}

TEST_P(ProjectDbTest, TwoProcessesWritingAtOnceLoseNoUpdate)
{
    constexpr int kRounds = 40;
    pid_t children[2];
    for (pid_t& child : children) {
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(writer(widePath(), kRounds));
    }
    expectChildrenSucceed(children, 2);
    IProjectDatabasePtr db = open();
    _variant_t values;
    ASSERT_TRUE(db.SelectColumn(L"select count(*) from tblDuct", values));
    EXPECT_EQ(static_cast<VARIANT*>(values.parray->pvData)[0].lVal, 2 * kRounds);
    ASSERT_TRUE(db.SelectColumn(L"select dNumber from tblGlobal where sKey = 'DCONN-FLEXLENGTH'", values));
    EXPECT_DOUBLE_EQ(static_cast<VARIANT*>(values.parray->pvData)[0].dblVal, 60.0 + 2 * kRounds);
}
