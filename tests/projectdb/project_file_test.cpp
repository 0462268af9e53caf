// Creating projects with their starting rows, and repairing damaged files.
#include <sqlite3.h>

#include <fstream>

#include "projectdb/serverproject.h"
#include "projectdb_fixture.h"


TEST_P(ProjectDbTest, NewProjectIsNamedAfterItsFolderAndNotOverwritten)
{
    EXPECT_EQ(path, folder + "/Tower_zk_hvac.zk");
    if (onServer()) {
        auto again = projectdb::createServerProject(folder, "", server);
        EXPECT_FALSE(again.ok);
        EXPECT_NE(again.message.find("already exists"), std::string::npos);
        // A second file naming the same database joins its project.
        auto joined = projectdb::createServerProject(folder + "/", "Annex", server);
        EXPECT_TRUE(joined.ok) << joined.message;
        EXPECT_NE(joined.message.find("Joined"), std::string::npos);
        auto secret = projectdb::createServerProject(folder, "Secret", "postgresql://orvane:secret@/x?host=/tmp");
        EXPECT_FALSE(secret.ok);
        EXPECT_NE(secret.message.find(".pgpass"), std::string::npos);
        EXPECT_FALSE(projectdb::createServerProject(folder + "/missing", "", server).ok);
        return;
    }
    auto again = projectdb::createProject(folder);
    EXPECT_FALSE(again.ok);
    EXPECT_NE(again.message.find("already exists"), std::string::npos);
    auto named = projectdb::createProject(folder + "/", "Annex");
    EXPECT_TRUE(named.ok);
    EXPECT_EQ(named.path, folder + "/Annex_zk_hvac.zk");
    EXPECT_FALSE(projectdb::createProject(folder + "/missing").ok);
}

TEST_P(ProjectDbTest, NewProjectHasLayerKeysStylesMonthsAndSettings)
{
    IProjectDatabasePtr db = open();
    _variant_t fields, layer;
    ASSERT_TRUE(db.SetTable(L"tblLayerKey", L"isxLayerSystemKey"));
    for (const wchar_t* key : {L"ROOM OUTLINES", L"ROOM LABELS", L"ROOM LEADER", L"sa", L"ra", L"oa", L"ea", L"DEFAULT"}) {
        ASSERT_TRUE(db.Seek2(_variant_t(), key, fields)) << key;
        _variant_t ixLayer(*fieldValue(fields, L"ixLayer"));
        ASSERT_TRUE(db.SetTable(L"tblLayer", L"ixLayer"));
        ASSERT_TRUE(db.Seek(ixLayer, layer));
        EXPECT_FALSE(textOf(fieldValue(layer, L"sName")).empty());
        EXPECT_EQ(fieldValue(layer, L"bPlot")->boolVal, VARIANT_TRUE);
        EXPECT_EQ(textOf(fieldValue(layer, L"sLinetype")), L"CONTINUOUS");
        db.SetTable(L"tblLayerKey", L"isxLayerSystemKey");
    }
    ASSERT_TRUE(db.SetTable(L"tblTextStyle", L"sKey"));
    EXPECT_TRUE(db.Seek(L"ROOM LABELS", fields));
    EXPECT_TRUE(db.Seek(L"DEFAULT", fields));

    _variant_t months;
    ASSERT_TRUE(db.SelectColumn(L"select iMonth from tblMonth where bDoCalculation = -1 order by iMonth", months));
    EXPECT_EQ(months.parray->rgsabound[0].cElements, 3u);
    _variant_t all;
    db.SelectColumn(L"select count(*) from tblMonth", all);
    EXPECT_EQ(static_cast<VARIANT*>(all.parray->pvData)[0].lVal, 12);

    ASSERT_TRUE(db.SetTable(L"tblGlobal", L"sKey"));
    for (const wchar_t* key : {L"TURNING VANES", L"ELBOW RADIUS", L"REVERSEARROWS", L"AUTOFIT-RC2", L"AUTOFIT-RD4"}) {
        ASSERT_TRUE(db.Seek(key, fields)) << key;
        EXPECT_FALSE(textOf(fieldValue(fields, L"sText")).empty()) << key;
    }
    db.Seek(L"ELBOW RADIUS", fields);
    EXPECT_EQ(fieldValue(fields, L"bNumeric")->boolVal, VARIANT_TRUE);
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dNumber")->dblVal, 1.0);
}

TEST_P(ProjectDbTest, ProjectWithDamagedHeaderAsksForRepairAndRepairRestoresIt)
{
    if (onServer()) GTEST_SKIP() << "a server database is kept whole by its server";
    {
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out << "this is not a project database at all, it is damaged";
    }
    IProjectDatabasePtr db;
    ASSERT_EQ(db.CreateInstance(), S_OK);
    EXPECT_EQ(db.OpenProject(widePath().c_str()).wide(), L"*REPAIR*");
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.HasError());  // a second "*REPAIR*" must be reportable
    db.Close();

    auto repaired = projectdb::repairProject(path);
    ASSERT_TRUE(repaired.ok) << repaired.message;
    std::wstring status = db.OpenProject(widePath().c_str()).wide();
    EXPECT_NE(status, L"*REPAIR*");
    EXPECT_NE(status, L"");
    _variant_t fields;
    db.SetTable(L"tblGlobal", L"sKey");
    EXPECT_TRUE(db.Seek(L"ELBOW RADIUS", fields));  // starting rows are back
    std::ifstream backup(path + ".damaged");
    EXPECT_TRUE(backup.good());
}

TEST_P(ProjectDbTest, RepairKeepsReadableRowsAndRestoresMissingTables)
{
    if (onServer()) GTEST_SKIP() << "a server database is kept whole by its server";
    {
        IProjectDatabasePtr db = open();
        db.Execute(L"insert into tblDuct (AIRFLOW, WIDTH) values ('ra', 14)");
        db.Execute(L"drop table tblMonth");
        db.Close();
    }
    auto repaired = projectdb::repairProject(path);
    ASSERT_TRUE(repaired.ok) << repaired.message;
    IProjectDatabasePtr db = open();
    _variant_t values;
    ASSERT_TRUE(db.SelectColumn(L"select WIDTH from tblDuct where AIRFLOW = 'ra'", values));
    EXPECT_DOUBLE_EQ(static_cast<VARIANT*>(values.parray->pvData)[0].dblVal, 14.0);
    ASSERT_TRUE(db.SelectColumn(L"select count(*) from tblMonth", values));
    EXPECT_EQ(static_cast<VARIANT*>(values.parray->pvData)[0].lVal, 12);
}

TEST(ProjectDbFile, MissingFileFailsWithEmptyStatus)
{
    IProjectDatabasePtr db;
    ASSERT_EQ(db.CreateInstance(), S_OK);
    EXPECT_EQ(db.OpenProject(L"/nonexistent/x_zk_hvac.zk").wide(), L"");
    EXPECT_TRUE(db.HasError());
    EXPECT_FALSE(projectdb::repairProject("/nonexistent/x_zk_hvac.zk").ok);
}
