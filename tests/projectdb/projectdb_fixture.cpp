// Project folder set-up and teardown for the component tests.
#include "projectdb_fixture.h"

#include <filesystem>

void ProjectDbTest::SetUp()
{
    char pattern[] = "/tmp/projectdb-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = std::string(pattern) + "/Tower";
    std::filesystem::create_directory(folder);
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
