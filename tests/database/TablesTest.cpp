// Symbol tables of a new drawing, adding and looking up records, header
// variables.
#include <gtest/gtest.h>

#include "database/dbdatabase.h"

namespace {

TEST(Tables, NewDrawingHasTheBuiltInRecords) {
    AcDbDatabase db;
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
    EXPECT_TRUE(layers->has("0"));
    layers->close();
    AcDbLinetypeTable* linetypes = nullptr;
    ASSERT_EQ(db.getSymbolTable(linetypes, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(linetypes->has("CONTINUOUS")); // names compare case-insensitively
    EXPECT_TRUE(linetypes->has("ByLayer"));
    EXPECT_TRUE(linetypes->has("ByBlock"));
    linetypes->close();
    EXPECT_FALSE(db.modelSpaceId().isNull());
    EXPECT_FALSE(db.paperSpaceId().isNull());
    EXPECT_FALSE(db.textstyle().isNull());
}

TEST(Tables, AddRejectsDuplicatesAndGetAtOpensRecords) {
    AcDbDatabase db;
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord;
    layer->setName("Ducts");
    layer->setColorIndex(5);
    layer->setIsPlottable(false);
    layer->setLineWeight(AcDb::kLnWt050);
    AcDbObjectId id;
    ASSERT_EQ(layers->add(id, layer), Acad::eOk);
    layer->close();
    auto* duplicate = new AcDbLayerTableRecord;
    duplicate->setName("DUCTS");
    EXPECT_EQ(layers->add(duplicate), Acad::eDuplicateRecordName);
    delete duplicate;
    layers->close();

    ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
    AcDbLayerTableRecord* found = nullptr;
    ASSERT_EQ(layers->getAt("ducts", found, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(found->objectId(), id);
    EXPECT_EQ(found->colorIndex(), 5);
    EXPECT_FALSE(found->isPlottable());
    EXPECT_EQ(found->lineWeight(), AcDb::kLnWt050);
    found->close();
    AcDbObjectId missing;
    EXPECT_EQ(layers->getAt("Pipes", missing), Acad::eKeyNotFound);
    layers->close();
}

TEST(Tables, IteratorVisitsRecordsInOrderAndRenameKeepsIndex) {
    AcDbDatabase db;
    AcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(db.getTextStyleTable(styles, AcDb::kForWrite), Acad::eOk);
    auto* style = new AcDbTextStyleTableRecord;
    style->setName("SIMPLEX");
    style->setFileName("SIMPLEX.shx");
    AcDbObjectId id;
    ASSERT_EQ(styles->add(id, style), Acad::eOk);
    EXPECT_EQ(style->setName("ROMANS"), Acad::eOk);
    EXPECT_EQ(style->setName("Standard"), Acad::eDuplicateRecordName);
    style->close();
    std::vector<std::string> names;
    AcDbSymbolTable::Iterator* it = nullptr;
    styles->newIterator(it);
    for (it->start(); !it->done(); it->step()) {
        AcDbTextStyleTableRecord* record = nullptr;
        ASSERT_EQ(it->getRecord(record, AcDb::kForRead), Acad::eOk);
        names.push_back(record->getName());
        record->close();
    }
    delete it;
    EXPECT_TRUE(styles->has("romans"));
    EXPECT_FALSE(styles->has("SIMPLEX"));
    styles->close();
    EXPECT_EQ(names, (std::vector<std::string>{"Standard", "ROMANS"}));
}

// The same name asked for again, as a file's entities do, answers what the
// table holds now: after an add, a rename and an erase in between.
TEST(Tables, RepeatedLookupsFollowAddsRenamesAndErases) {
    AcDbDatabase db;
    EXPECT_TRUE(db.layerId("Walls").isNull());
    EXPECT_TRUE(db.layerId("Walls").isNull());
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord;
    layer->setName("WALLS");
    AcDbObjectId id;
    ASSERT_EQ(layers->add(id, layer), Acad::eOk);
    layers->close();
    EXPECT_EQ(db.layerId("Walls"), id);
    EXPECT_EQ(db.layerId("walls"), id);
    EXPECT_EQ(layer->setName("Doors"), Acad::eOk);
    EXPECT_TRUE(db.layerId("walls").isNull());
    EXPECT_EQ(db.layerId("DOORS"), id);
    EXPECT_EQ(layer->erase(), Acad::eOk);
    layer->close();
    EXPECT_TRUE(db.layerId("DOORS").isNull());
    ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
    AcDbObjectId erased;
    EXPECT_EQ(layers->getAt("DOORS", erased, true), Acad::eOk);
    EXPECT_EQ(erased, id);
    layers->close();
}

TEST(Tables, BuiltInRecordsCannotBeErased) {
    AcDbDatabase db;
    AcDbLayerTableRecord* zero = nullptr;
    ASSERT_EQ(acdbOpenObject(zero, db.layerZero(), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(zero->erase(), Acad::eCannotBeErasedByCaller);
    zero->close();
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(ms->erase(), Acad::eCannotBeErasedByCaller);
    ms->close();
}

TEST(HeaderVariables, DrawingScaleDefaultsToOne) {
    AcDbDatabase db;
    EXPECT_DOUBLE_EQ(db.dimscale(), 1.0);
    EXPECT_EQ(db.setDimscale(48.0), Acad::eOk);
    AcDbHeaderValue value;
    ASSERT_TRUE(db.getHeaderVar("dimscale", value));
    EXPECT_DOUBLE_EQ(value.real, 48.0);
    value.type = RTSTR;
    EXPECT_EQ(db.setHeaderVar("DIMSCALE", value), Acad::eInvalidInput);
    EXPECT_EQ(db.setDimscale(-1.0), Acad::eInvalidInput);
}

TEST(WorkingDatabase, ClearedWhenTheDatabaseGoes) {
    auto* db = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(db);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), db);
    delete db;
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
}

} // namespace
