// The editor's spatial index of model space: each entity's drawn plan
// extents in a multi-level grid per drawing, so that window, crossing and
// point queries look at a few cells instead of every entity. The index
// follows appends, erasures and edits (anything opened for write is
// re-measured at the next query) and lives and dies with its drawing.
#pragma once

#include <cstddef>
#include <vector>

#include "database/dbid.h"
#include "geometry/AcGePoint2d.h"

class AcDbDatabase;

// Model space entities of db (erased ones left out) whose drawn plan
// extents meet the box between the two corners, in model space order.
std::vector<AcDbObjectId> acedIndexedEntitiesIn(AcDbDatabase* db, const AcGePoint2d& corner1,
                                                const AcGePoint2d& corner2);
// A box holding every entity drawn in db's model space (it may be larger
// than the drawing after erasures); false when nothing is drawn.
bool acedIndexedExtents(AcDbDatabase* db, AcGePoint2d& low, AcGePoint2d& high);
// Entities the index of db holds (erased ones included until it resets).
size_t acedIndexedEntityCount(AcDbDatabase* db);
