// A fresh project folder with a created project database per test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "projectdb/ProjectDatabasePtr.h"
#include "projectdb/fieldlisthelpers.h"
#include "projectdb/projectfile.h"

class ProjectDbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A component instance opened on the project file.
    IProjectDatabasePtr open();
    std::wstring widePath() const;

    std::string folder;  // .../Tower
    std::string path;    // .../Tower/Tower_zk_hvac.zk
};

// Text of a field value, "" when absent or not text.
std::wstring textOf(const VARIANT* v);
