// Project folder set-up and teardown for the component tests, and the
// instantiation of every engine-parameterised test on both engines.
#include "projectdb_fixture.h"

#include <filesystem>

#include "pgcluster.h"
#include "projectdb/serverproject.h"

INSTANTIATE_TEST_SUITE_P(Engines, ProjectDbTest, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         [](const ::testing::TestParamInfo<Engine>& info) {
                             return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
                         });

std::string newServerDatabase()
{
    PgTestCluster* cluster = PgTestCluster::shared();
    if (!cluster) {
        if (PgTestCluster::reason().find("not installed") != std::string::npos) return {};
        ADD_FAILURE() << PgTestCluster::reason();
        return {};
    }
    std::string uri = cluster->createDatabase();
    EXPECT_FALSE(uri.empty()) << "cannot create a database on the test cluster";
    return uri;
}

void ProjectDbTest::SetUp()
{
    char pattern[] = "/tmp/projectdb-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = std::string(pattern) + "/Tower";
    std::filesystem::create_directory(folder);
    if (onServer()) {
        server = newServerDatabase();
        if (server.empty() && !HasFailure()) GTEST_SKIP() << PgTestCluster::reason();
        ASSERT_FALSE(server.empty());
        auto created = projectdb::createServerProject(folder, "", server);
        ASSERT_TRUE(created.ok) << created.message;
        path = created.path;
        return;
    }
    auto created = projectdb::createProject(folder);
    ASSERT_TRUE(created.ok) << created.message;
    path = created.path;
}

void ProjectDbTest::TearDown()
{
    std::filesystem::remove_all(std::filesystem::path(folder).parent_path());
}

std::wstring ProjectDbTest::widePath() const { return utf8ToWide(path); }

IProjectDatabasePtr ProjectDbTest::open()
{
    IProjectDatabasePtr db;
    EXPECT_EQ(db.CreateInstance(), S_OK);
    bool readOnly = true;
    EXPECT_TRUE(db.OpenDatabase(widePath().c_str(), readOnly));
    return db;
}

std::wstring textOf(const VARIANT* v)
{
    return v && v->vt == VT_BSTR ? std::wstring(v->bstrVal, SysStringLen(v->bstrVal)) : L"";
}

const VARIANT& firstValue(const _variant_t& values) { return static_cast<const VARIANT*>(values.parray->pvData)[0]; }
