// A test fixture with a new project file in a temporary folder, open through
// the project database component as `db`; closed and removed after the test.
// Fixtures that add rows or dialogs call SetUp first and stop when it failed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "projectdb/ProjectDatabasePtr.h"
#include "projectdb/projectfile.h"

class OpenProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orv-project-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        auto created = projectdb::createProject(dir, "job");
        ASSERT_TRUE(created.ok) << created.message;
        projectPath = created.path;
        ASSERT_TRUE(SUCCEEDED(db.CreateInstance()));
        ASSERT_GT(db.OpenProject(projectPath.c_str()).length(), 0u);
    }
    void TearDown() override {
        if (db) {
            db.Close();
            db.Release();
        }
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }

    std::string dir;
    std::string projectPath;
    IProjectDatabasePtr db;
};
