// Model space access and rendering.
#include "app/ModelSpace.h"

#include <strings.h>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"

std::vector<AcDbObjectId> modelSpaceEntities(AcDbDatabase* db) {
    if (!db) return {};
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return {};
    std::vector<AcDbObjectId> ids = space->entityIds(false);
    space->close();
    return ids;
}

namespace {
double headerReal(AcDbDatabase* db, const char* name, double fallback) {
    AcDbHeaderValue value;
    if (!db->getHeaderVar(name, value)) return fallback;
    if (value.type == RTREAL) return value.real;
    if (value.type == RTSHORT || value.type == RTLONG) return value.integer;
    return fallback;
}
}  // namespace

PlotTables plotTablesOf(AcDbDatabase* db) {
    PlotTables tables;
    tables.inheritingLayer = db->layerZero();
    tables.linetypeScale = headerReal(db, "LTSCALE", 1.0);
    tables.defaultLineWeight = static_cast<int>(headerReal(db, "LWDEFAULT", 25));
    tables.layer = [](AcDbObjectId id) {
        PlotLayer layer;
        AcDbLayerTableRecord* record = nullptr;
        if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) return layer;
        layer.color = record->colorIndex();
        layer.lineWeight = record->lineWeight();
        layer.lineType = record->linetypeObjectId();
        // A negative colour is how files mark a layer that is off.
        layer.off = record->isOff() || layer.color < 0;
        layer.frozen = record->isFrozen();
        layer.plottable = record->isPlottable();
        record->close();
        return layer;
    };
    tables.linetype = [](AcDbObjectId id) {
        PlotLinetype type;
        AcDbLinetypeTableRecord* record = nullptr;
        if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) return type;
        const char* name = record->name();
        if (strcasecmp(name, "ByLayer") == 0) type.kind = PlotLinetype::kByLayer;
        else if (strcasecmp(name, "ByBlock") == 0) type.kind = PlotLinetype::kByBlock;
        else if (record->numDashes() > 0) type.kind = PlotLinetype::kPattern;
        for (int i = 0; type.kind == PlotLinetype::kPattern && i < record->numDashes(); ++i)
            type.dashes.push_back(record->dashLengthAt(i));
        record->close();
        return type;
    };
    return tables;
}

bool renderModelSpace(AcDbDatabase* db, const std::string& path, const PlotOptions& options, std::string& error) {
    PlotRenderer renderer(plotTablesOf(db), options);
    if (!renderer.begin(path, error)) return false;
    for (AcDbObjectId id : modelSpaceEntities(db)) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        if (entity->visibility() == AcDb::kVisible) renderer.draw(entity);
        entity->close();
    }
    return renderer.finish(error);
}
