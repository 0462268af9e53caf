// An index of the plan extents of the ducts in a drawing's model space, kept
// current as ducts change, so that the crossing selection at a point does
// not walk every entity.
#pragma once

#include <cstddef>
#include <vector>

#include "database/dbid.h"
#include "geometry/AcGePoint2d.h"

class AcDbDatabase;
class ZkDuct;

class DuctSpatialIndex {
public:
    // Model space ducts (erased ones left out) whose plan extents meet the
    // box from `low` to `high`, in model space order.
    static std::vector<AcDbObjectId> candidatesIn(AcDbDatabase* db, const AcGePoint2d& low, const AcGePoint2d& high);
    // The duct's end points changed (a no-op for ducts not indexed).
    static void noteChanged(const ZkDuct* duct);
    // The duct is being deleted.
    static void forget(const ZkDuct* duct);
    // Ducts indexed for db (tests).
    static size_t indexedDuctCount(AcDbDatabase* db);
    // Frees the index tables when no duct is indexed (at module unload).
    static void releaseIfUnused();
};
