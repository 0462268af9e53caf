// Projects on a server: copying between a project file and a server
// database with rows and keys intact, connection files and their failures.
#include <filesystem>
#include <fstream>

#include "pgcluster.h"
#include "projectdb/serverproject.h"
#include "projectdb_fixture.h"

namespace {

class ServerProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/serverproject-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        server = newServerDatabase();
        if (server.empty() && !HasFailure()) GTEST_SKIP() << PgTestCluster::reason();
        ASSERT_FALSE(server.empty());
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    IProjectDatabasePtr openProject(const std::string& file)
    {
        IProjectDatabasePtr db;
        EXPECT_EQ(db.CreateInstance(), S_OK);
        EXPECT_NE(db.OpenProject(utf8ToWide(file).c_str()).wide(), L"");
        return db;
    }
    std::string makeFolder(const std::string& name)
    {
        std::filesystem::create_directories(root + "/" + name);
        return root + "/" + name;
    }

    std::string root;
    std::string server;
};

// Every duct row as "key:airflow:width" in key order.
std::vector<std::wstring> ductRows(IProjectDatabasePtr& db)
{
    std::vector<std::wstring> rows;
    _variant_t fields;
    db.SetTable(L"tblDuct", L"ixDuct");
    for (bool ok = db.MoveFirst(fields); ok && !db.IsEOF(); ok = db.MoveNext(1, fields))
        rows.push_back(std::to_wstring(fieldValue(fields, L"ixDuct")->lVal) + L":" +
                       textOf(fieldValue(fields, L"AIRFLOW")) + L":" +
                       std::to_wstring(fieldValue(fields, L"WIDTH")->dblVal));
    return rows;
}

LONG countOf(IProjectDatabasePtr& db, const wchar_t* table)
{
    _variant_t values;
    db.SelectColumn(std::wstring(L"select count(*) from ") + table, values);
    return firstValue(values).lVal;
}

}  // namespace

TEST_F(ServerProjectTest, CopyToServerAndBackKeepsRowsKeysAndSettings)
{
    auto original = projectdb::createProject(makeFolder("Local"));
    ASSERT_TRUE(original.ok) << original.message;
    std::vector<std::wstring> before;
    {
        IProjectDatabasePtr db = openProject(original.path);
        _variant_t stored;
        db.SetTable(L"tblDuct", L"ixDuct");
        for (int i = 1; i <= 5; ++i)
            db.AddNew(makeFieldList({{L"AIRFLOW", i % 2 ? L"sa" : L"ra"}, {L"WIDTH", 10.0 + i}}), stored);
        db.Execute(L"delete from tblDuct where ixDuct = 2");  // keys with a gap
        db.Execute(L"update tblGlobal set sText = 'YES' where sKey = 'TURNING VANES'");
        before = ductRows(db);
    }
    auto up = projectdb::copyProject(original.path, server);
    ASSERT_TRUE(up.ok) << up.message;
    // A project folder joins the copied project through its connection file.
    auto joined = projectdb::createServerProject(makeFolder("Shared"), "", server);
    ASSERT_TRUE(joined.ok) << joined.message;
    {
        IProjectDatabasePtr db = openProject(joined.path);
        EXPECT_EQ(ductRows(db), before);
        _variant_t fields, stored;
        db.SetTable(L"tblGlobal", L"sKey");
        ASSERT_TRUE(db.Seek(L"turning vanes", fields));
        EXPECT_EQ(textOf(fieldValue(fields, L"sText")), L"YES");
        EXPECT_EQ(countOf(db, L"tblGlobal"), 64);
        db.SetTable(L"tblDuct", L"ixDuct");
        ASSERT_TRUE(db.AddNew(makeFieldList({{L"AIRFLOW", L"ea"}}), stored));
        EXPECT_EQ(fieldValue(stored, L"ixDuct")->lVal, 6);  // after the copied keys
        before = ductRows(db);
    }
    std::string back = makeFolder("Back") + "/Back_zk_hvac.zk";
    auto down = projectdb::copyProject(joined.path, back);
    ASSERT_TRUE(down.ok) << down.message;
    IProjectDatabasePtr db = openProject(back);
    EXPECT_EQ(ductRows(db), before);
    EXPECT_EQ(countOf(db, L"tblLayerKey"), 8);
}

TEST_F(ServerProjectTest, CopyIntoAProjectWithRowsIsRefusedAndChangesNothing)
{
    auto local = projectdb::createProject(makeFolder("Local"));
    auto onServer = projectdb::createServerProject(makeFolder("Shared"), "", server);
    ASSERT_TRUE(local.ok && onServer.ok);
    auto refused = projectdb::copyProject(local.path, server);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("already holds"), std::string::npos) << refused.message;
    IProjectDatabasePtr db = openProject(onServer.path);
    EXPECT_EQ(countOf(db, L"tblGlobal"), 64);
    // A missing source leaves no target file behind.
    std::string target = root + "/Local/Copy_zk_hvac.zk";
    EXPECT_FALSE(projectdb::copyProject(root + "/nowhere.zk", target).ok);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(ServerProjectTest, UnreachableServerIs3043AndNeverAsksForRepair)
{
    std::string file = makeFolder("Gone") + "/Gone_zk_hvac.zk";
    std::ofstream(file) << "# the office server\npostgresql://orvane@/project?host=" << root << "/nosocket&port=1\n";
    IProjectDatabasePtr db;
    ASSERT_EQ(db.CreateInstance(), S_OK);
    EXPECT_EQ(db.OpenProject(utf8ToWide(file).c_str()).wide(), L"");
    _bstr_t text;
    EXPECT_EQ(db.GetLastError(text), kDbErrDiskOrNetwork);
    EXPECT_FALSE(text.wide().empty());
    // A repair asked for by hand leaves the connection file as it is.
    EXPECT_FALSE(projectdb::repairProject(file).ok);
    std::ifstream kept(file);
    std::string first;
    std::getline(kept, first);
    EXPECT_EQ(first, "# the office server");
}

TEST_F(ServerProjectTest, ConnectionFileHoldingAPasswordIsRefused)
{
    std::string file = makeFolder("Secret") + "/Secret_zk_hvac.zk";
    std::ofstream(file) << server.replace(server.find("orvane@"), 7, "orvane:secret@") << "\n";
    IProjectDatabasePtr db;
    ASSERT_EQ(db.CreateInstance(), S_OK);
    EXPECT_EQ(db.OpenProject(utf8ToWide(file).c_str()).wide(), L"");
    _bstr_t text;
    db.GetLastError(text);
    EXPECT_NE(text.wide().find(L".pgpass"), std::wstring::npos);
}

TEST_F(ServerProjectTest, LostConnectionFailsOnceWith3043ThenConnectsAgain)
{
    auto shared = projectdb::createServerProject(makeFolder("Shared"), "", server);
    ASSERT_TRUE(shared.ok) << shared.message;
    IProjectDatabasePtr db = openProject(shared.path);
    _variant_t fields, updated;
    db.SetTable(L"tblGlobal", L"sKey");
    ASSERT_TRUE(db.Seek(L"ELBOW RADIUS", fields));
    std::string database = server.substr(server.find("@/") + 2, server.find('?') - server.find("@/") - 2);
    ASSERT_EQ(PgTestCluster::shared()->run("postgres", "SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                                       "WHERE datname = '" + database + "'"),
              "");
    EXPECT_THROW(db.Seek(L"ELBOW RADIUS", fields), _com_error);
    _bstr_t text;
    EXPECT_EQ(db.GetLastError(text), kDbErrDiskOrNetwork);
    // The next call connects again and prepares its statements anew.
    ASSERT_TRUE(db.Seek(L"ELBOW RADIUS", fields));
    ASSERT_TRUE(db.Update(makeFieldList({{L"dNumber", 2.0}}), updated));
    EXPECT_DOUBLE_EQ(fieldValue(updated, L"dNumber")->dblVal, 2.0);
}
