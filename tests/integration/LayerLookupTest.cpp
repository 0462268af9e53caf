// Layer and text style lookup by key: the project's tables, the "DEFAULT"
// fallbacks, layer "0", locked layers and the height fallbacks.
#include "HostFixture.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "integration/DocData.h"
#include "integration/DrawingHelpers.h"
#include "project/ProjectData.h"

namespace {

class LayerLookup : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        gDocDataManager = new DocDataManager;
        ASSERT_TRUE(gDocDataManager->currentDocData()->project()->makeReady(true)) << output;
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    void sql(const wchar_t* statement) {
        gDocDataManager->currentDocData()->project()->database().connection().database().Execute(statement);
    }
    std::string layerName(AcDbObjectId id) {
        AcDbLayerTableRecord* layer = nullptr;
        if (acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk) return "?";
        std::string name = layer->getName();
        layer->close();
        return name;
    }
};

} // namespace

TEST_F(LayerLookup, KeyCreatesItsLayerFromTheProjectTable) {
    AcDbObjectId id;
    ASSERT_TRUE(getLayerByKey(gDocDataManager, "ROOM OUTLINES", false, 0, id));
    EXPECT_EQ(layerName(id), "HVAC-ROOM-OUTLINE");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(layer->colorIndex(), 8);
    EXPECT_TRUE(layer->isPlottable());
    layer->close();
    EXPECT_EQ(output, "");
}

TEST_F(LayerLookup, UnknownKeyFallsBackToDefaultSilently) {
    AcDbObjectId id;
    ASSERT_TRUE(getLayerByKey(gDocDataManager, "NO SUCH KEY", false, 0, id));
    EXPECT_EQ(layerName(id), "M-HVAC");
    EXPECT_EQ(output, "");
}

TEST_F(LayerLookup, KeyMissingEverywhereGivesLayerZeroWithMessage) {
    sql(L"DELETE FROM tblLayerKey WHERE sKey = 'DEFAULT'");
    AcDbObjectId id;
    ASSERT_TRUE(getLayerByKey(gDocDataManager, "NO SUCH KEY", true, 3, id));
    EXPECT_EQ(layerName(id), "0");
    EXPECT_EQ(output, "\nLayer key NO SUCH KEY:3 does not exist in the database.");
}

TEST_F(LayerLookup, MissingLayerRowGivesLayerZeroWithMessage) {
    sql(L"DELETE FROM tblLayer WHERE sName = 'HVAC-ROOM-LABEL'");
    AcDbObjectId id;
    ASSERT_TRUE(getLayerByKey(gDocDataManager, "ROOM LABELS", false, 0, id));
    EXPECT_EQ(layerName(id), "0");
    EXPECT_EQ(output, "\nLayer corresponding to layer key ROOM LABELS:0 does not exist in the database.");
}

TEST_F(LayerLookup, ExistingLockedLayerIsUnlocked) {
    AcDbObjectId id;
    ASSERT_TRUE(getLayerByKey(gDocDataManager, "ROOM LEADER", false, 0, id));
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();
    AcDbObjectId again;
    ASSERT_TRUE(getLayerByKey(gDocDataManager, "ROOM LEADER", false, 0, again));
    EXPECT_EQ(again, id);
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(layer->isLocked());
    layer->close();
}

TEST_F(LayerLookup, TextStyleHeightFallsBackAndScales) {
    doc->database()->setDimscale(48.0);
    sql(L"UPDATE tblTextStyle SET dHeight = NULL");
    AcDbObjectId style;
    double height = 0;
    ASSERT_TRUE(getTextStyleByKey(gDocDataManager, "ROOM LABELS", style, height));
    EXPECT_DOUBLE_EQ(height, 0.1 * 48.0);
    EXPECT_FALSE(style.isNull());
}

TEST_F(LayerLookup, GetLayerFromAutoLisp) {
    registerFunctionTableForTest();
    EXPECT_EQ(eval("(zk_hvac-getLayer \"ROOM LABELS\" nil)"), "\"HVAC-ROOM-LABEL\"");
    EXPECT_EQ(eval("(zk_hvac-getLayer \"ROOM LABELS\")"), "nil");
    EXPECT_EQ(eval("(zk_hvac-getLayer \"ROOM LABELS\" T)"), "nil");
    EXPECT_EQ(eval("(zk_hvac-getLayer 5 nil)"), "nil");
}
