// Copies of entities made through binary filing (explode, block insert).
#pragma once

#include <functional>

#include "database/dbentity.h"

// Maps a reference of the source's database to an id of the target's.
using AcDbIdMapper = std::function<AcDbObjectId(AcDbObjectId sourceId)>;

// A new entity (not in a database) with the fields of source; references are
// passed through mapId (identity when empty). Null when the class cannot be
// created or its data does not read back.
AcDbEntity* acdbCloneEntity(const AcDbEntity* source, AcDbDatabase* target, const AcDbIdMapper& mapId = {});
