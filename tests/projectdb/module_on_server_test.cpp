// A project copied to a server answers the module's own record code (the
// connection, global settings, generic and duct records) exactly as the
// SQLite project it came from, before and after the same edits on both.
#include <gtest/gtest.h>

#include <filesystem>

#include "ducts/DuctDbRecord.h"
#include "pgcluster.h"
#include "project/DbConnection.h"
#include "project/DbRecord.h"
#include "project/GlobalSettings.h"
#include "projectdb/serverproject.h"

namespace {

// What the module reads from a project, as text, for comparing.
std::vector<std::wstring> moduleView(IProjectDatabasePtr& db, const std::vector<int32_t>& ducts)
{
    std::vector<std::wstring> view;
    for (const wchar_t* key : {L"TURNING VANES", L"ELBOW RADIUS", L"REVERSEARROWS", L"AUTOFIT-RC2", L"NO SUCH KEY"})
        view.push_back(key + (L"=" + globalText(db, key)));
    DbRecord layerKey(db, L"tblLayerKey", L"ixLayerKey");
    view.push_back(layerKey.read(L"isxLayerSystemKey", _variant_t(), L"sa")
                       ? L"sa layer " + std::to_wstring(layerKey.integer(L"ixLayer").value_or(-1))
                       : L"sa missing");
    DuctDbRecord record(db);
    for (int32_t key : ducts) {
        ZkDuctDbInfo duct = record.GetRecord(key);
        view.push_back(std::to_wstring(key) + L":" + utf8ToWide(duct.AIRFLOW) + L":" + std::to_wstring(duct.WIDTH) +
                       L":" + std::to_wstring(duct.CFM) + L":" + utf8ToWide(duct.SIZEFOR) + L":" +
                       (duct.bForceVertical ? L"vertical" : L"free"));
    }
    return view;
}

// The same edits through the module: a setting, a duct's size text, a new
// duct. Returns the new duct's key.
int32_t editThroughModule(IProjectDatabasePtr& db, int32_t ductKey)
{
    DbRecord setting(db, L"tblGlobal", L"ixGlobal");
    EXPECT_TRUE(setting.read(L"sKey", L"TURNING VANES"));
    setting.setText(L"sText", L"YES");
    EXPECT_TRUE(setting.save());
    DuctDbRecord record(db);
    EXPECT_TRUE(record.SetSizeFor(ductKey, "14x10"));
    record.BeginNew();
    record.SetAirflow("ea");
    record.SetWidth(8);
    record.SetBForceVertical(true);
    EXPECT_TRUE(record.Save());
    return record.GetIxDuct();
}

TEST(ModuleOnServer, CopiedProjectAnswersTheModuleAsItsOriginal)
{
    PgTestCluster* cluster = PgTestCluster::shared();
    if (!cluster && PgTestCluster::reason().find("not installed") != std::string::npos)
        GTEST_SKIP() << PgTestCluster::reason();
    ASSERT_NE(cluster, nullptr) << PgTestCluster::reason();
    char pattern[] = "/tmp/module-on-server-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string root = pattern;
    std::filesystem::create_directories(root + "/Local");
    std::filesystem::create_directories(root + "/Shared");

    auto local = projectdb::createProject(root + "/Local", "Tower");
    ASSERT_TRUE(local.ok) << local.message;
    DbConnection original;
    ASSERT_TRUE(original.connect(root + "/Local", "zk_hvac", false));
    std::vector<int32_t> ducts;
    {
        DuctDbRecord record(original.database());
        for (double width : {12.0, 16.0}) {
            record.BeginNew();
            record.SetAirflow("sa");
            record.SetWidth(width);
            record.SetCfm(400);
            ASSERT_TRUE(record.Save());
            ducts.push_back(record.GetIxDuct());
        }
    }
    original.database().Close();  // copied while nobody writes

    std::string server = cluster->createDatabase();
    auto copied = projectdb::copyProject(local.path, server);
    ASSERT_TRUE(copied.ok) << copied.message;
    ASSERT_TRUE(projectdb::createServerProject(root + "/Shared", "Tower", server).ok);
    DbConnection moved;
    ASSERT_TRUE(moved.connect(root + "/Shared", "zk_hvac", false));
    DbConnection reopened;
    ASSERT_TRUE(reopened.connect(root + "/Local", "zk_hvac", false));

    EXPECT_EQ(moduleView(moved.database(), ducts), moduleView(reopened.database(), ducts));
    int32_t onServer = editThroughModule(moved.database(), ducts[0]);
    int32_t inFile = editThroughModule(reopened.database(), ducts[0]);
    EXPECT_EQ(onServer, inFile);  // keys continue alike
    ducts.push_back(onServer);
    std::vector<std::wstring> serverView = moduleView(moved.database(), ducts);
    EXPECT_EQ(serverView, moduleView(reopened.database(), ducts));
    EXPECT_EQ(serverView[0], L"TURNING VANES=YES");
    EXPECT_EQ(serverView.back(), std::to_wstring(onServer) + L":ea:8.000000:0::vertical");

    moved.database().Close();
    reopened.database().Close();
    std::filesystem::remove_all(root);
}

}  // namespace
