// What the duct solid builders read and write on tblDuct rows: rows
// widened by their lining, the 3D head and tail lengths, the default
// transition length, and the frames handed to the solid library.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "ducts/DuctFrame.h"
#include "ducts/ZkDuctDbInfo.h"
#include "solid/zk_hvacSolid.h"

class DuctDbRecord;
class AcDbObjectId;

// Row `key` with WIDTH and DEPTH widened by twice each lining (absolute
// sizes) when either lining is set; nothing when the row cannot be read.
std::optional<ZkDuctDbInfo> widenedRow(DuctDbRecord& db, int32_t key);
// Row `key`'s HEADLENGTH3D / TAILLENGTH3D; keys of 0 and missing rows are
// skipped.
void setHeadLength3d(DuctDbRecord& db, int32_t key, double length);
void setTailLength3d(DuctDbRecord& db, int32_t key, double length);
// The next ducts of `key` (transparent form or not); nothing when the
// product cannot answer.
std::optional<std::array<int32_t, 3>> nextDucts(int32_t key, bool transparent);
// Length of a transition between two sections at 15 degrees a side; at
// least half the larger of the first section's sizes when the family
// changes.
double defaultTransitionLength(double w1, double d1, bool rect1, double w2, double d2, bool rect2);
zkSolidFrame solidFrame(const DuctFrame& frame);

// One duct end as the builders use it: the row, its frame, its centre
// points and sizes.
struct DuctEnds {
    ZkDuctDbInfo row;
    DuctFrame frame;
    AcGePoint3d start, end;
    double width = 0, depth = 0;
    bool rect = true;
};
// Row `key` widened, with its frame and centre points (convert as given).
std::optional<DuctEnds> ductEnds(DuctDbRecord& db, int32_t key, bool convert);

// Appends a built solid to model space and closes it; false (and the
// solid deleted) when it cannot be appended.
bool appendSolid(zk_hvacSolid* solid, AcDbObjectId& id);
