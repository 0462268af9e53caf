// Model space access and rendering.
#include "app/ModelSpace.h"

#include <memory>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "render/SvgRenderer.h"

std::vector<AcDbObjectId> modelSpaceEntities(AcDbDatabase* db) {
    if (!db) return {};
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return {};
    std::vector<AcDbObjectId> ids = space->entityIds(false);
    space->close();
    return ids;
}

bool renderModelSpace(AcDbDatabase* db, const std::string& path, std::string& error) {
    auto layerColor = [](AcDbObjectId layerId) -> int {
        AcDbLayerTableRecord* layer = nullptr;
        if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk) return 7;
        int color = layer->colorIndex();
        layer->close();
        return color;
    };
    SvgRenderer renderer(layerColor);
    if (!renderer.begin(path, error)) return false;
    for (AcDbObjectId id : modelSpaceEntities(db)) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        renderer.draw(entity);
        entity->close();
    }
    return renderer.finish(error);
}
