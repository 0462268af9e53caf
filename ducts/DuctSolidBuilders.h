// The fitting and duct builders that turn duct rows into solids of the
// sibling solid library, and the dispatch on the fitting kind.
#pragma once

#include <cstdint>
#include <string>

#include "database/dbid.h"

class DuctDbRecord;

// The solids one builder made (null ids for pieces it did not need).
struct DuctSolids {
    AcDbObjectId solid, transition1, transition2;
    // A kind that is not built in 3D and goes back to the caller by name.
    std::string answer;
};

// The fitting solid at the downstream end of duct `key`: kind from the
// override, else the row's FITTING and FIT1, else AutoFit. False when
// nothing could be built for a reason worth failing (missing rows, failed
// neighbour queries, the solid library refusing the shape).
bool buildFittingSolid(DuctDbRecord& db, int32_t key, bool convert, int passThrough, const std::string& kindOverride,
                       DuctSolids& out);
// The straight solid of duct `key` between what its fittings take from it.
bool buildDuctSolid(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out);

// The individual builders (kind's parameter text as given).
bool buildTransition(DuctDbRecord& db, int32_t key, const std::string& parameter, bool convert, int passThrough,
                     DuctSolids& out);
bool buildElbow(DuctDbRecord& db, int32_t key, bool square, const std::string& parameter, bool convert,
                int passThrough, DuctSolids& out);
bool buildWye(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out);
bool buildOffset(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out);
// The diffuser the duct feeds: a neck from the duct's end to a ceiling
// diffuser with its face plate, or a sidewall grille (the placed
// diffuser's tblDiffL row, its schedule and its block's shape).
bool buildDiffuserConnection(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out);
