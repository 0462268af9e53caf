// A fresh project folder with a created project database per test, on
// each engine: an SQLite project file, or a database on the throwaway
// PostgreSQL cluster named by the project file.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "projectdb/ProjectDatabasePtr.h"
#include "projectdb/fieldlisthelpers.h"
#include "projectdb/projectfile.h"

enum class Engine { Sqlite, Postgres };

class ProjectDbTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    void TearDown() override;

    // A component instance opened on the project file.
    IProjectDatabasePtr open();
    // Two users read the global ELBOW RADIUS row; then the second changes
    // its number to 2.5, so the first user's copy is out of date.
    void bothReadThenTheyChange(IProjectDatabasePtr& mine, IProjectDatabasePtr& theirs) {
        _variant_t fields, updated;
        mine.SetTable(L"tblGlobal", L"sKey");
        ASSERT_TRUE(mine.Seek(L"ELBOW RADIUS", fields));
        theirs.SetTable(L"tblGlobal", L"sKey");
        ASSERT_TRUE(theirs.Seek(L"ELBOW RADIUS", fields));
        ASSERT_TRUE(theirs.Update(makeFieldList({{L"dNumber", 2.5}}), updated));
    }
    std::wstring widePath() const;
    bool onServer() const { return GetParam() == Engine::Postgres; }

    std::string folder;  // .../Tower
    std::string path;    // .../Tower/Tower_zk_hvac.zk
    std::string server;  // the project's server database (PostgreSQL only)
};

// A new empty server database's URI; the test is skipped when the server
// programs are not installed and fails when the cluster cannot start.
std::string newServerDatabase();

// Text of a field value, "" when absent or not text.
std::wstring textOf(const VARIANT* v);
// The first value of a SelectColumn result.
const VARIANT& firstValue(const _variant_t& values);
