// Open, close, erase and id rules of database objects.
#include <gtest/gtest.h>

#include "database/dbdatabase.h"
#include "database/dbentity.h"

namespace {

class DbFixture : public ::testing::Test {
protected:
    void SetUp() override { acdbResetAssertViolations(); }
    // Appends a plain entity to model space and closes it.
    AcDbObjectId appendEntity() {
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* entity = new AcDbEntity;
        AcDbObjectId id;
        EXPECT_EQ(ms->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        ms->close();
        return id;
    }
    AcDbDatabase db;
};

TEST_F(DbFixture, AppendedEntityGetsIdOwnerDatabaseAndHandle) {
    AcDbObjectId id = appendEntity();
    ASSERT_TRUE(id.isValid());
    EXPECT_EQ(id.database(), &db);
    EXPECT_FALSE(id.handle().isNull());
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->ownerId(), db.modelSpaceId());
    EXPECT_EQ(entity->layerId(), db.layerZero());
    EXPECT_EQ(entity->objectId(), id);
    entity->close();
    AcDbObjectId byHandle;
    EXPECT_EQ(db.getAcDbObjectId(byHandle, false, id.handle()), Acad::eOk);
    EXPECT_EQ(byHandle, id);
}

TEST_F(DbFixture, ReadersShareWritersExclude) {
    AcDbObjectId id = appendEntity();
    AcDbEntity *a = nullptr, *b = nullptr, *w = nullptr;
    ASSERT_EQ(acdbOpenObject(a, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(b, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(a->upgradeOpen(), Acad::eWasOpenForRead); // two readers
    b->close();
    EXPECT_EQ(a->upgradeOpen(), Acad::eOk);
    EXPECT_EQ(acdbOpenObject(b, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    EXPECT_EQ(a->downgradeOpen(), Acad::eOk);
    a->close();
    EXPECT_EQ(a->close(), Acad::eNotOpenForRead);
    EXPECT_EQ(acdbAssertViolationCount(), 1);
}

TEST_F(DbFixture, WritingAnObjectOpenForReadIsReportedNotFatal) {
    AcDbObjectId id = appendEntity();
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForRead), Acad::eOk);
    entity->setColorIndex(1);
    EXPECT_EQ(acdbAssertViolationCount(), 1);
    EXPECT_EQ(entity->erase(), Acad::eNotOpenForWrite);
    entity->close();
    entity->colorIndex(); // closed: reading is a violation too
    EXPECT_EQ(acdbAssertViolationCount(), 3);
}

TEST_F(DbFixture, ErasedObjectsOpenOnlyWhenAsked) {
    AcDbObjectId id = appendEntity();
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(entity->erase(), Acad::eOk);
    EXPECT_EQ(entity->erase(), Acad::eWasErased);
    entity->close();
    EXPECT_TRUE(id.isErased());
    EXPECT_EQ(acdbOpenObject(entity, id, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(entity->erase(false), Acad::eOk);
    entity->close();
    EXPECT_FALSE(id.isErased());
}

TEST_F(DbFixture, ErasedEntitiesAreSkippedByBlockIteration) {
    AcDbObjectId first = appendEntity(), second = appendEntity(), third = appendEntity();
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, second, AcDb::kForWrite), Acad::eOk);
    entity->erase();
    entity->close();
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    std::vector<AcDbObjectId> seen;
    for (it->start(); !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        seen.push_back(id);
    }
    delete it;
    ms->close();
    EXPECT_EQ(seen, (std::vector<AcDbObjectId>{first, third}));
}

TEST_F(DbFixture, WrongClassOpenFailsAndLeavesObjectClosed) {
    AcDbObjectId id = appendEntity();
    AcDbLayerTableRecord* layer = nullptr;
    EXPECT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eNotThatKindOfClass);
    AcDbEntity* entity = nullptr;
    EXPECT_EQ(acdbOpenObject(entity, id, AcDb::kForWrite), Acad::eOk);
    entity->close();
    EXPECT_EQ(acdbOpenObject(entity, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);
}

TEST_F(DbFixture, SmartPointerClosesAndDeletesUnappendedObjects) {
    AcDbObjectId id = appendEntity();
    {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
        ASSERT_EQ(entity.openStatus(), Acad::eOk);
        entity->setColorIndex(3);
    }
    AcDbEntityPointer again(id, AcDb::kForWrite);
    ASSERT_EQ(again.openStatus(), Acad::eOk);
    EXPECT_EQ(again->colorIndex(), 3);
    AcDbObjectPointer<AcDbEntity> loose;
    AcDbEntity* fresh = new AcDbEntity;
    loose.acquire(fresh); // deleted by the pointer (ASan checks)
}

TEST(AdsNames, RoundTripAndRejectForeignNames) {
    AcDbDatabase db;
    AcDbObjectId ms = db.modelSpaceId();
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, ms), Acad::eOk);
    AcDbObjectId back;
    ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
    EXPECT_EQ(back, ms);
    ads_name bogus = {12345, 0};
    EXPECT_EQ(acdbGetObjectId(back, bogus), Acad::eInvalidAdsName);
    EXPECT_TRUE(back.isNull());
}

TEST(Handles, HexTextAndPlaceholderIds) {
    EXPECT_EQ(AcDbHandle(0x2AF).asString(), "2AF");
    EXPECT_EQ(AcDbHandle("2af").value(), 0x2AFu);
    EXPECT_TRUE(AcDbHandle("zz").isNull());
    AcDbDatabase db(false);
    AcDbObjectId forward;
    ASSERT_EQ(db.getAcDbObjectId(forward, true, AcDbHandle(0x500)), Acad::eOk);
    EXPECT_FALSE(forward.isValid());
    AcDbObjectId filled;
    auto* entity = new AcDbEntity;
    ASSERT_EQ(db.addAcDbObject(filled, entity, AcDbHandle(0x500)), Acad::eOk);
    EXPECT_EQ(filled, forward);
    EXPECT_TRUE(forward.isValid());
    entity->close();
    EXPECT_GT(db.handseed().value(), 0x500u);
    AcDbObjectId clash;
    auto* other = new AcDbEntity;
    EXPECT_EQ(db.addAcDbObject(clash, other, AcDbHandle(0x500)), Acad::eHandleExists);
    delete other;
}

} // namespace
