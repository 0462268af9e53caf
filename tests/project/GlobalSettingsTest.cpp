// Connecting to a project folder's database and reading global texts.
#include <gtest/gtest.h>

#include <filesystem>

#include "project/DbConnection.h"
#include "project/GlobalSettings.h"
#include "projectdb/projectfile.h"

TEST(GlobalSettings, ConnectionReadsSettingsAndMissingKeyIsEmpty)
{
    char pattern[] = "/tmp/projectconn-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string folder = pattern;
    ASSERT_TRUE(projectdb::createProject(folder, "Tower").ok);

    DbConnection connection;
    EXPECT_TRUE(connection.connect(folder + "  ", "zk_hvac", false));
    EXPECT_TRUE(connection.isOpen());
    EXPECT_FALSE(connection.connect(folder, "zk_hvac", false));  // already open
    EXPECT_EQ(globalText(connection.database(), L"REVERSEARROWS"), L"NO");
    EXPECT_EQ(globalText(connection.database(), L"NO SUCH KEY"), L"");
    IProjectDatabasePtr none;
    EXPECT_EQ(globalText(none, L"REVERSEARROWS"), L"");
    EXPECT_FALSE(reportDatabaseError(connection.database()));

    DbConnection elsewhere;
    EXPECT_FALSE(elsewhere.connect(folder + "/missing", "zk_hvac", false));
    EXPECT_FALSE(elsewhere.isOpen());
    std::filesystem::remove_all(folder);
}
