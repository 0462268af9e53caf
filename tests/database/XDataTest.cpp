// Extended data: per-application replacement, removal and validation.
#include <gtest/gtest.h>

#include "database/dbdatabase.h"
#include "database/dbentity.h"

namespace {

int countItems(const resbuf* rb) {
    int n = 0;
    for (; rb; rb = rb->rbnext) ++n;
    return n;
}

TEST(XData, ReplacesPerApplicationAndRegistersIt) {
    AcDbDatabase db;
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    double point[3] = {1, 2, 3};
    resbuf* data = acutBuildList(1001, "ORV_HVAC", 1000, "project", 1040, 2.5, 1070, 7, 1010, point,
                                 1001, "OTHER", 1071, 99, 0);
    ASSERT_EQ(ms->setXData(data), Acad::eOk);
    acutRelRb(data);

    resbuf* mine = ms->xData("orv_hvac");
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(countItems(mine), 5);
    EXPECT_STREQ(mine->rbnext->resval.rstring, "project");
    EXPECT_DOUBLE_EQ(mine->rbnext->rbnext->resval.rreal, 2.5);
    EXPECT_EQ(mine->rbnext->rbnext->rbnext->resval.rint, 7);
    EXPECT_DOUBLE_EQ(mine->rbnext->rbnext->rbnext->rbnext->resval.rpoint[2], 3.0);
    acutRelRb(mine);

    // Giving only the name removes that application's data.
    resbuf* removal = acutBuildList(1001, "ORV_HVAC", 0);
    ASSERT_EQ(ms->setXData(removal), Acad::eOk);
    acutRelRb(removal);
    EXPECT_EQ(ms->xData("ORV_HVAC"), nullptr);
    resbuf* other = ms->xData();
    EXPECT_EQ(countItems(other), 2);
    acutRelRb(other);
    ms->close();
    EXPECT_FALSE(db.registerApp("ORV_HVAC").isNull());
}

// Extended data shares its rarely made block with the entity's linetype and
// scale: changing one kept there must leave the others alone.
TEST(XData, LinetypeScaleAndDataKeptTogetherChangeOneAtATime) {
    AcDbDatabase db;
    AcDbEntity entity;
    const AcDbObjectId dashed = db.continuousLinetype();
    ASSERT_EQ(entity.setLinetype(dashed), Acad::eOk);
    resbuf* data = acutBuildList(1001, "ACAD", 1000, "kept", 0);
    ASSERT_EQ(entity.setXData(data), Acad::eOk);
    acutRelRb(data);
    ASSERT_EQ(entity.setLinetypeScale(2.5), Acad::eOk);
    ASSERT_EQ(entity.setLinetype(AcDbObjectId()), Acad::eOk);  // ByLayer
    EXPECT_TRUE(entity.linetypeId().isNull());
    EXPECT_EQ(entity.linetypeScale(), 2.5);
    ASSERT_NE(entity.xDataItems(), nullptr);
    EXPECT_EQ(entity.xDataItems()->size(), 2u);
    resbuf* removal = acutBuildList(1001, "ACAD", 0);
    ASSERT_EQ(entity.setXData(removal), Acad::eOk);
    acutRelRb(removal);
    EXPECT_EQ(entity.xDataItems(), nullptr);
    EXPECT_EQ(entity.linetypeScale(), 2.5);
    ASSERT_EQ(entity.setLinetypeScale(1.0), Acad::eOk);
    ASSERT_EQ(entity.setLinetype(dashed), Acad::eOk);
    EXPECT_EQ(entity.linetypeId(), dashed);
    EXPECT_EQ(entity.linetypeScale(), 1.0);
    EXPECT_EQ(entity.xDataItems(), nullptr);
}

TEST(XData, RejectsItemsWithoutApplicationOrBadCodes) {
    AcDbEntity entity;
    resbuf* orphan = acutBuildList(1000, "x", 0);
    EXPECT_EQ(entity.setXData(orphan), Acad::eInvalidResBuf);
    acutRelRb(orphan);
    resbuf* badCode = acutBuildList(1001, "APP", 8, "layer", 0);
    EXPECT_EQ(entity.setXData(badCode), Acad::eInvalidResBuf);
    acutRelRb(badCode);
    EXPECT_EQ(entity.xData(), nullptr);
}

} // namespace
