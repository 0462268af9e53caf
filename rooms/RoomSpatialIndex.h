// An index of the outline extents of the rooms in a drawing's model space,
// kept current as rooms change, so that finding the room at a point does not
// walk every room.
#pragma once

#include <cstddef>
#include <vector>

#include "database/dbid.h"
#include "geometry/AcGePoint2d.h"

class AcDbDatabase;
class hvacRoom;

class RoomSpatialIndex {
public:
    // Model space rooms (erased ones left out) whose outline extents hold p,
    // in model space order. Every room whose outline contains p is among them.
    static std::vector<AcDbObjectId> candidatesAt(AcDbDatabase* db, const AcGePoint2d& p);
    // The room's outline or index changed (a no-op for rooms not indexed).
    static void noteChanged(const hvacRoom* room);
    // The room is being deleted.
    static void forget(const hvacRoom* room);
    // Rooms indexed for db (tests).
    static size_t indexedRoomCount(AcDbDatabase* db);
    // Drawings with an index (tests: indexes go away with their rooms).
    static size_t indexCount();
    // Frees the index tables when no room is indexed (at module unload).
    static void releaseIfUnused();
};
