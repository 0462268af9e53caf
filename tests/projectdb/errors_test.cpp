// Error numbers, texts and the raised _com_error; read-only projects.
#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "projectdb/ProjectDatabase.h"
#include "projectdb_fixture.h"

TEST_P(ProjectDbTest, UpdateWithoutCurrentRecordIs3021AndRaisesWithInterfaceId)
{
    IProjectDatabasePtr db = open();
    _variant_t fields, updated;
    db.SetTable(L"tblDuct", L"ixDuct");
    EXPECT_FALSE(db.Seek(_variant_t(999, VT_I4), fields));
    try {
        db.Update(makeFieldList({{L"WIDTH", 1.0}}), updated);
        FAIL() << "no error raised";
    } catch (const _com_error& e) {
        EXPECT_TRUE(FAILED(e.Error()));
        EXPECT_EQ(e.GUID(), IID_IProjectDatabase);
    }
    EXPECT_TRUE(db.HasError());
    _bstr_t text;
    EXPECT_EQ(db.GetLastError(text), 3021);
    EXPECT_TRUE(db.SetTable(L"tblDuct", L"ixDuct"));
    EXPECT_FALSE(db.HasError());  // the next call clears it
}

TEST_P(ProjectDbTest, OtherFailuresCarryTheDatabasesText)
{
    IProjectDatabasePtr db = open();
    EXPECT_THROW(db.Execute(L"delete from tblNope"), _com_error);
    _bstr_t text;
    db.GetLastError(text);
    EXPECT_EQ(text.wide(), onServer() ? L"relation \"tblnope\" does not exist" : L"no such table: tblNope");
    EXPECT_THROW(db.SetTable(L"tblNope", L""), _com_error);
    db.SetTable(L"tblDuct", L"ixDuct");
    _variant_t stored;
    EXPECT_THROW(db.AddNew(makeFieldList({{L"NOSUCHCOLUMN", 1}}), stored), _com_error);
    db.GetLastError(text);
    EXPECT_NE(text.wide().find(onServer() ? L"nosuchcolumn" : L"NOSUCHCOLUMN"), std::wstring::npos);
    _variant_t notAList(3);
    EXPECT_THROW(db.AddNew(notAList, stored), _com_error);
}

TEST_P(ProjectDbTest, LockHeldByAnotherWriterIsALockErrorNotADiskError)
{
    setProjectDatabaseBusyTimeout(50);
    IProjectDatabasePtr db = open();
    setProjectDatabaseBusyTimeout(10000);
    _bstr_t text;
    if (onServer()) {
        PGconn* other = PQconnectdb(server.c_str());
        ASSERT_EQ(PQstatus(other), CONNECTION_OK);
        PQclear(PQexec(other, "BEGIN; LOCK TABLE tblglobal IN ACCESS EXCLUSIVE MODE"));
        EXPECT_THROW(db.Execute(L"update tblGlobal set dNumber = 2 where sKey = 'ELBOW RADIUS'"), _com_error);
        EXPECT_EQ(db.GetLastError(text), 3218);
        EXPECT_NE(text.wide().find(L"locked by another user"), std::wstring::npos);
        PQclear(PQexec(other, "ROLLBACK"));
        PQfinish(other);
        EXPECT_TRUE(db.Execute(L"update tblGlobal set dNumber = 2 where sKey = 'ELBOW RADIUS'"));
        return;
    }
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_THROW(db.Execute(L"update tblGlobal set dNumber = 2 where sKey = 'ELBOW RADIUS'"), _com_error);
    EXPECT_EQ(db.GetLastError(text), 3218);
    EXPECT_NE(text.wide().find(L"locked by another user"), std::wstring::npos);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(db.Execute(L"update tblGlobal set dNumber = 2 where sKey = 'ELBOW RADIUS'"));
}

// A read-only file, or on a server a role that may only read.
TEST_P(ProjectDbTest, ReadOnlyProjectOpensReadOnlyAndRefusesWrites)
{
    std::string project = path;
    if (onServer()) {
        std::string database = server.substr(server.find("@/") + 2, server.find('?') - server.find("@/") - 2);
        std::string role = "viewer_" + database;
        std::string grant = "CREATE ROLE " + role + " LOGIN; GRANT SELECT ON ALL TABLES IN SCHEMA public TO " + role;
        PGconn* admin = PQconnectdb(server.c_str());
        PGresult* granted = PQexec(admin, grant.c_str());
        ASSERT_EQ(PQresultStatus(granted), PGRES_COMMAND_OK) << PQresultErrorMessage(granted);
        PQclear(granted);
        PQfinish(admin);
        project = folder + "/Viewer_zk_hvac.zk";
        std::ofstream(project) << "# read-only view\n" << std::string(server).replace(server.find("orvane@"), 6, role) << "\n";
    } else {
        chmod(path.c_str(), 0444);
    }
    IProjectDatabasePtr db;
    ASSERT_EQ(db.CreateInstance(), S_OK);
    bool readOnly = false;
    ASSERT_TRUE(db.OpenDatabase(utf8ToWide(project).c_str(), readOnly));
    EXPECT_TRUE(readOnly);
    _variant_t fields, stored;
    db.SetTable(L"tblGlobal", L"sKey");
    EXPECT_TRUE(db.Seek(L"ELBOW RADIUS", fields));
    EXPECT_THROW(db.AddNew(makeFieldList({{L"sKey", L"X"}}), stored), _com_error);
    EXPECT_THROW(db.Execute(L"delete from tblGlobal"), _com_error);
    chmod(path.c_str(), 0644);
}

TEST(ProjectDbPointer, NullInterfaceRaisesEPointer)
{
    IProjectDatabasePtr db;
    try {
        db.IsOpen();
        FAIL();
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
        EXPECT_EQ(e.GUID(), IID_IProjectDatabase);
    }
}

TEST(ProjectDbPointer, ClosedDatabaseRefusesTableWorkAndReleasesToZero)
{
    IProjectDatabase* raw = createProjectDatabase();
    VARIANT_BOOL flag = VARIANT_TRUE;
    BSTR table = SysAllocString(L"tblDuct");
    EXPECT_TRUE(FAILED(raw->SetTable(table, nullptr, &flag)));
    SysFreeString(table);
    LONG number = 0;
    BSTR text = nullptr;
    raw->GetLastError(&number, &text);
    EXPECT_EQ(number, kDbErrNotOpen);
    SysFreeString(text);
    EXPECT_EQ(raw->AddRef(), 2u);
    EXPECT_EQ(raw->Release(), 1u);
    EXPECT_EQ(raw->Release(), 0u);
}
