// Room functions that search model space: the room at a point and the
// selection of rooms by index.
#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "integration/LispResults.h"
#include "integration/ModuleFunctions.h"
#include "rooms/RoomFunctionSupport.h"
#include "editor/EntityGridIndex.h"

// The index of the first room in model space order that contains the point
// (and has the wanted index, unless that is 0). Only entities drawn around
// the point (the editor's index) are opened.
LispStatus roomFind() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcGePoint2d p;
    if (!argPoint2d(cur, p)) return kLispWrongType;
    int32_t wanted = 0;
    if (!argInt(cur, wanted)) wanted = 0;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    for (AcDbObjectId id : acedIndexedEntitiesIn(db, p, p)) {
        AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
        if (!room) continue;
        if (wanted != 0 && room->index() != wanted) continue;
        if (!room->containsPoint(p)) continue;
        retIntOrReal(room->index());
        return kLispOk;
    }
    return kLispOk;
}

LispStatus ssgetxRoom() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t wanted = -1;
    if (!argInt(cur, wanted)) wanted = -1;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return kLispOk;
    AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForRead);
    if (!space) return kLispOk;
    RoomResultList list;
    for (AcDbObjectId id : space->entityIds()) {
        if (id.isErased()) continue;
        AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
        if (!room) continue;
        if (wanted == -1 || room->index() == wanted) list.addEntity(id);
    }
    list.finish(true);
    return kLispOk;
}
