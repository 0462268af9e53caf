// Which file of a project folder is its database.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/ProjectDbFile.h"

namespace fs = std::filesystem;

class ProjectFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/projectfolder-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }
    void touch(const std::string& name) { std::ofstream(folder + "/" + name) << "x"; }

    std::string folder;
};

TEST_F(ProjectFolder, OneCandidateIsFoundAndExcludedNamesAreIgnored)
{
    touch("Tower_zk_hvac.zk");
    touch("52-ZK_zk_hvac.zk");
    touch("Tower_MASTER_zk_hvac.zk");
    touch("office_standards_zk_hvac.zk");
    EXPECT_EQ(findProjectDatabaseFile(folder, "zk_hvac"), folder + "/Tower_zk_hvac.zk");
}

TEST_F(ProjectFolder, TwoCandidatesFindNothing)
{
    touch("A_zk_hvac.zk");
    touch("B_zk_hvac.zk");
    EXPECT_EQ(findProjectDatabaseFile(folder, "zk_hvac"), "");
}

TEST_F(ProjectFolder, MdbIsUsedOnlyWithoutZkCandidate)
{
    touch("Old_zk_hvac.mdb");
    touch("Tower_zk_elec.zk");
    EXPECT_EQ(findProjectDatabaseFile(folder, "zk_hvac"), folder + "/Old_zk_hvac.mdb");
    touch("Tower_zk_hvac.zk");
    EXPECT_EQ(findProjectDatabaseFile(folder, "zk_hvac"), folder + "/Tower_zk_hvac.zk");
    EXPECT_EQ(findProjectDatabaseFile(folder + "/missing", "zk_hvac"), "");
}
