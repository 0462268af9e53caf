// Drawing test helpers.
#include "DrawingFixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

ScratchDir::ScratchDir() {
    static int counter = 0;
    mDir = std::filesystem::temp_directory_path() /
           ("orv_dbio_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::remove_all(mDir);
    std::filesystem::create_directories(mDir);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(mDir, ec);
}

AcDbObjectId addLayer(AcDbDatabase* db, const std::string& name, int color) {
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    layer->setColorIndex(static_cast<Adesk::Int16>(color));
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, layer), Acad::eOk);
    layer->close();
    table->close();
    return id;
}

AcDbObjectId appendToModelSpace(AcDbDatabase* db, AcDbEntity* entity) {
    AcDbBlockTableRecord* ms = nullptr;
    EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(ms->appendAcDbEntity(id, entity), Acad::eOk);
    entity->close();
    ms->close();
    return id;
}

void fillTestDrawing(AcDbDatabase* db, int pipes) {
    registerTestClasses();
    AcDbObjectId ducts = addLayer(db, "DUCTS", 3);
    AcDbObjectId labels = addLayer(db, "ROOM LABELS", 5);
    db->setDimscale(48.0);
    for (int i = 0; i < pipes; ++i) {
        auto* p = new TestPipe();
        p->start.set(i * 10.5, -i / 3.0, 8.0 + i);
        p->end.set(i * 10.5 + 0.1, 7.25, 9.0);
        p->key = 100 + i;
        p->sizeText = i % 2 ? "12x8" : "10\xC3\x98";
        for (int k = 0; k < i; ++k) p->hangers.push_back(k * 1.1);
        p->reverse = i % 2 == 1;
        p->labelLayer = i % 3 == 0 ? labels : AcDbObjectId();
        p->setLayer(ducts);
        p->setColorIndex(static_cast<Adesk::UInt16>(i == 2 ? 1 : 256));
        appendToModelSpace(db, p);
    }
}

std::vector<AcDbObjectId> modelSpaceEntities(AcDbDatabase* db) {
    AcDbBlockTableRecord* ms = nullptr;
    std::vector<AcDbObjectId> ids;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return ids;
    for (AcDbObjectId id : ms->entityIds())
        if (!id.isErased()) ids.push_back(id);
    ms->close();
    return ids;
}

static std::string layerName(AcDbObjectId id) {
    if (id.isNull()) return "<none>";
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk) return "<bad>";
    std::string name = layer->getName();
    layer->close();
    return name;
}

void expectSamePipes(AcDbDatabase* a, AcDbDatabase* b) {
    auto ia = modelSpaceEntities(a), ib = modelSpaceEntities(b);
    ASSERT_EQ(ia.size(), ib.size());
    for (size_t i = 0; i < ia.size(); ++i) {
        AcDbObjectPointer<TestPipe> pa(ia[i], AcDb::kForRead), pb(ib[i], AcDb::kForRead);
        ASSERT_TRUE(pa && pb) << "entity " << i;
        EXPECT_EQ(pa->objectHandle(), pb->objectHandle());
        EXPECT_EQ(pa->start.x, pb->start.x);
        EXPECT_EQ(pa->start.y, pb->start.y);
        EXPECT_EQ(pa->start.z, pb->start.z);
        EXPECT_EQ(pa->end.y, pb->end.y);
        EXPECT_EQ(pa->key, pb->key);
        EXPECT_EQ(pa->sizeText, pb->sizeText);
        EXPECT_EQ(pa->hangers, pb->hangers);
        EXPECT_EQ(pa->reverse, pb->reverse);
        EXPECT_EQ(layerName(pa->labelLayer), layerName(pb->labelLayer));
        EXPECT_EQ(pa->layer(), pb->layer());
        EXPECT_EQ(pa->colorIndex(), pb->colorIndex());
    }
}
