// Repair never loses a project: it refuses files that are not projects and
// files locked by another user, keeps every damaged copy, and a connection
// left open on the replaced file fails with an error instead of writing
// where nobody reads. (Project files only: a server keeps its database whole.)
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "projectdb/ProjectDatabase.h"
#include "projectdb_fixture.h"

namespace {
std::string contentsOf(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
}

double number(IProjectDatabasePtr& db, const std::wstring& sql)
{
    _variant_t values;
    if (!db.SelectColumn(sql.c_str(), values)) return -1;
    const VARIANT& v = static_cast<VARIANT*>(values.parray->pvData)[0];
    return v.vt == VT_R8 ? v.dblVal : v.vt == VT_I4 ? v.lVal : -2;
}

// Lowers the busy timeout for one test.
struct ShortBusyTimeout {
    ShortBusyTimeout() { setProjectDatabaseBusyTimeout(50); }
    ~ShortBusyTimeout() { setProjectDatabaseBusyTimeout(10000); }
};
}  // namespace

TEST_P(ProjectDbTest, RepairRefusesAFileLockedByAnotherWriterAndChangesNothing)
{
    if (onServer()) GTEST_SKIP() << "a server database is kept whole by its server";
    {
        IProjectDatabasePtr db = open();
        db.Execute(L"insert into tblDuct (AIRFLOW) values ('sa')");
        db.Execute(L"insert into tblDuct (AIRFLOW) values ('ra')");
        db.Execute(L"update tblGlobal set dNumber = 99 where sKey = 'ELBOW RADIUS'");
    }
    std::string before = contentsOf(path);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; insert into tblDuct (AIRFLOW) values ('oa')", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    {
        ShortBusyTimeout timeout;
        auto repaired = projectdb::repairProject(path);
        EXPECT_FALSE(repaired.ok);
        EXPECT_NE(repaired.message.find("locked"), std::string::npos) << repaired.message;
    }
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
    EXPECT_EQ(contentsOf(path), before);
    ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);  // the writer goes on
    sqlite3_close(other);

    IProjectDatabasePtr db = open();
    EXPECT_EQ(number(db, L"select count(*) from tblDuct"), 3);
    EXPECT_EQ(number(db, L"select dNumber from tblGlobal where sKey = 'ELBOW RADIUS'"), 99);
}

TEST_P(ProjectDbTest, RepairKeepsEveryEarlierDamagedCopy)
{
    if (onServer()) GTEST_SKIP() << "a server database is kept whole by its server";
    writeFile(path, "");
    ASSERT_TRUE(projectdb::repairProject(path).ok);
    std::string first = contentsOf(path + ".damaged");
    auto second = projectdb::repairProject(path);
    ASSERT_TRUE(second.ok) << second.message;
    EXPECT_NE(second.message.find(".damaged-2"), std::string::npos) << second.message;
    EXPECT_EQ(contentsOf(path + ".damaged"), first);
    EXPECT_TRUE(std::filesystem::exists(path + ".damaged-2"));
    ASSERT_TRUE(projectdb::repairProject(path).ok);
    EXPECT_TRUE(std::filesystem::exists(path + ".damaged-3"));
}

TEST_P(ProjectDbTest, RepairRefusesFilesThatAreNotProjectDatabases)
{
    if (onServer()) GTEST_SKIP() << "a server database is kept whole by its server";
    const std::string script = "(princ \"hello\")\n(setq a 1)\n";
    writeFile(path, script);
    auto refused = projectdb::repairProject(path);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("not a project database"), std::string::npos) << refused.message;
    EXPECT_EQ(contentsOf(path), script);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));

    std::string other = folder + "/notes_zk_hvac.zk";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(other.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "create table notes (t text); insert into notes values ('keep me')", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::string foreign = contentsOf(other);
    auto refusedDb = projectdb::repairProject(other);
    EXPECT_FALSE(refusedDb.ok);
    EXPECT_NE(refusedDb.message.find("not a project database"), std::string::npos) << refusedDb.message;
    EXPECT_EQ(contentsOf(other), foreign);
}

TEST_P(ProjectDbTest, ZeroByteProjectFileIsDamagedAndRepairGivesStartingRows)
{
    if (onServer()) GTEST_SKIP() << "a server database is kept whole by its server";
    writeFile(path, "");
    IProjectDatabasePtr db;
    ASSERT_EQ(db.CreateInstance(), S_OK);
    EXPECT_EQ(db.OpenProject(widePath().c_str()).wide(), L"*REPAIR*");
    EXPECT_EQ(std::filesystem::file_size(path), 0u);  // opening did not write tables into it
    db.Close();
    ASSERT_TRUE(projectdb::repairProject(path).ok);
    IProjectDatabasePtr repaired = open();
    EXPECT_EQ(number(repaired, L"select count(*) from tblMonth"), 12);
    EXPECT_EQ(number(repaired, L"select dNumber from tblGlobal where sKey = 'ELBOW RADIUS'"), 1);
}

TEST_P(ProjectDbTest, ConnectionOpenDuringRepairFailsWithAnErrorInsteadOfWritingToTheOldFile)
{
    if (onServer()) GTEST_SKIP() << "a server database is kept whole by its server";
    IProjectDatabasePtr writer = open();
    ASSERT_TRUE(writer.Execute(L"insert into tblDuct (AIRFLOW) values ('sa')"));
    ASSERT_TRUE(projectdb::repairProject(path).ok);
    EXPECT_THROW(writer.Execute(L"insert into tblDuct (AIRFLOW) values ('ra')"), _com_error);
    _bstr_t text;
    writer.GetLastError(text);
    EXPECT_NE(text.wide().find(L"replaced"), std::wstring::npos) << text.utf8();
    IProjectDatabasePtr db = open();
    EXPECT_EQ(number(db, L"select count(*) from tblDuct"), 1);
}
