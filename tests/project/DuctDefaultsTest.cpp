// The duct defaults the project data holds: read once per connection, seen
// again after the options dialog saves, dropped on disconnect, and the
// first settings a new duct takes before the product's answer.
#include "tests/integration/HostFixture.h"

#include "ducts/DuctAccess.h"
#include "ducts/DuctSettings.h"
#include "integration/DocData.h"
#include "project/ProjectData.h"
#include "ui/DialogActions.h"

namespace {

class DuctDefaultsTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        uiClearDialogActions();
        gDocDataManager = new DocDataManager;
        ASSERT_TRUE(project().makeReady(true)) << output;
        eval("(defun duct-getSettings (x) '((\"SHAPE\" . \"r\") (\"WIDTH\" . 12.0)))");
    }
    void TearDown() override {
        uiClearDialogActions();
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    ProjectDatabaseData& project() { return gDocDataManager->currentDocData()->project()->database(); }
    // Changes a numeric setting behind the project data's back.
    void storeNumber(const std::string& key, double value) {
        ASSERT_TRUE(project().connection().database().Execute(
            ("update tblGlobal set dNumber = " + std::to_string(value) + " where sKey = '" + key + "'").c_str()));
    }
    static void queueSet(const std::string& label, const std::string& text) {
        DialogAction a;
        a.kind = DialogAction::Kind::kSet;
        a.rows.emplace_back();
        a.rows.back().ref = label;
        a.column = 1;
        a.text = text;
        uiQueueDialogAction(a);
    }
    static void queuePress(const std::string& caption) {
        DialogAction a;
        a.kind = DialogAction::Kind::kPress;
        a.text = caption;
        uiQueueDialogAction(a);
    }
};

TEST_F(DuctDefaultsTest, ReadOnceAndHeldUntilRefreshed) {
    // The seeded project: interior 1, exterior 1.5.
    EXPECT_EQ(project().ductDefaults().interiorLining, 1.0);
    EXPECT_EQ(project().ductDefaults().exteriorLining, 1.5);
    storeNumber("LINING WIDTH", 3.0);
    EXPECT_EQ(project().ductDefaults().interiorLining, 1.0);  // held, not read again
    project().refreshDuctDefaults();
    EXPECT_EQ(project().ductDefaults().interiorLining, 3.0);
}

TEST_F(DuctDefaultsTest, ANewDuctStartsFromTheDefaultsAndTheProductOverridesThem) {
    ASSERT_TRUE(GetSettings());
    const DuctSettings* s = currentDuctSettings();
    EXPECT_EQ(s->LINING, 1.0);
    EXPECT_EQ(s->dExteriorLining, 1.5);
    EXPECT_EQ(s->SHAPE.str(), "r");
    eval("(defun duct-getSettings (x) '((\"LINING\" . 0.5) (\"dExteriorLining\" . \"thick\")))");
    ASSERT_TRUE(GetSettings());
    EXPECT_EQ(s->LINING, 0.5);
    EXPECT_EQ(s->dExteriorLining, 1.5);  // a text value keeps the default
}

TEST_F(DuctDefaultsTest, OptionsOkRefreshesTheDefaultsAndCancelKeepsThem) {
    registerFunctionTableForTest();
    ASSERT_EQ(project().ductDefaults().interiorLining, 1.0);
    queueSet("Default interior lining width (in)", "2.25");
    queuePress("&Cancel");
    eval("(zk_hvac-options \"" + projectDir + "/\")");
    EXPECT_EQ(project().ductDefaults().interiorLining, 1.0);

    queueSet("Default interior lining width (in)", "2.25");
    queueSet("Default exterior lining width (in)", "0");
    queuePress("&OK");
    EXPECT_EQ(eval("(zk_hvac-options \"" + projectDir + "/\" \"LINING WIDTH\")"), "(\"LINING WIDTH\")");
    EXPECT_EQ(project().ductDefaults().interiorLining, 2.25);
    EXPECT_EQ(project().ductDefaults().exteriorLining, 0.0);
    ASSERT_TRUE(GetSettings());
    EXPECT_EQ(currentDuctSettings()->LINING, 2.25);
}

TEST_F(DuctDefaultsTest, DisconnectResetsTheDefaultsAndTheNextConnectionReadsItsOwn) {
    ASSERT_EQ(project().ductDefaults().interiorLining, 1.0);
    storeNumber("LINING WIDTH", 4.0);
    project().disconnect();
    EXPECT_EQ(project().ductDefaults().interiorLining, 0.0);  // nothing held without a connection
    // Another project's database takes the folder's place.
    std::filesystem::rename(projectDir, root + "/old");
    std::filesystem::create_directories(projectDir);
    ASSERT_TRUE(projectdb::createProject(projectDir, "beta").ok);
    ASSERT_TRUE(project().makeReady(false)) << output;
    storeNumber("EXTERIOR LINING WIDTH", 2.0);
    EXPECT_EQ(project().ductDefaults().interiorLining, 1.0);
    EXPECT_EQ(project().ductDefaults().exteriorLining, 2.0);
}

TEST_F(DuctDefaultsTest, AMissingOrTextSettingReadsAsANumber) {
    IProjectDatabasePtr& db = project().connection().database();
    ASSERT_TRUE(db.Execute("delete from tblGlobal where sKey = 'LINING WIDTH'"));
    ASSERT_TRUE(db.Execute("update tblGlobal set bNumeric = 0, dNumber = null, sText = '0.75' "
                           "where sKey = 'EXTERIOR LINING WIDTH'"));
    project().refreshDuctDefaults();
    EXPECT_EQ(project().ductDefaults().interiorLining, 0.0);
    EXPECT_EQ(project().ductDefaults().exteriorLining, 0.75);
}

}  // namespace
