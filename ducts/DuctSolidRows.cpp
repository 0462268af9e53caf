// Rows, lengths and frames for the duct solid builders.
#include "ducts/DuctSolidRows.h"

#include <algorithm>
#include <cmath>

#include "database/dbid.h"
#include "ducts/DuctCallbacks.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/FittingRules.h"
#include "integration/DrawingHelpers.h"

std::optional<ZkDuctDbInfo> widenedRow(DuctDbRecord& db, int32_t key) {
    if (key == 0 || !db.Load(key)) return std::nullopt;
    ZkDuctDbInfo row = db;
    if (row.LINING != 0 || row.dExteriorLining != 0) {
        const double added = 2 * row.LINING + 2 * row.dExteriorLining;
        row.WIDTH = std::abs(row.WIDTH) + added;
        row.DEPTH = std::abs(row.DEPTH) + added;
    }
    return row;
}

namespace {
void setLength(DuctDbRecord& db, int32_t key, double length, bool head) {
    if (key == 0 || !db.Load(key)) return;
    db.BeginEdit();
    if (head) db.SetHeadLength3d(length);
    else db.SetTailLength3d(length);
    db.Save();
}
} // namespace

void setHeadLength3d(DuctDbRecord& db, int32_t key, double length) { setLength(db, key, length, true); }
void setTailLength3d(DuctDbRecord& db, int32_t key, double length) { setLength(db, key, length, false); }

std::optional<std::array<int32_t, 3>> nextDucts(int32_t key, bool transparent) {
    return answeredNextDuctKeys(key, transparent);
}

double defaultTransitionLength(double w1, double d1, bool rect1, double w2, double d2, bool rect2) {
    const double tan15 = std::tan(15 * kDuctPi / 180);
    double length = std::max(std::abs(w1 - w2), std::abs(d1 - d2)) / 2 / tan15;
    if (rect1 != rect2) length = std::max(length, std::max(w1, d1) / 2);
    return length;
}

zkSolidFrame solidFrame(const DuctFrame& frame) { return {frame.direction, frame.side, frame.up}; }

std::optional<DuctEnds> ductEnds(DuctDbRecord& db, int32_t key, bool convert) {
    std::optional<ZkDuctDbInfo> row = widenedRow(db, key);
    if (!row) return std::nullopt;
    DuctEnds ends;
    ends.row = *row;
    ends.frame = Frame(db, *row, convert);
    ends.start = CentrePoint(*row, true, &ends.frame, convert);
    ends.end = CentrePoint(*row, false, &ends.frame, convert);
    ends.width = std::abs(row->WIDTH);
    ends.depth = std::abs(row->DEPTH);
    ends.rect = IsRectangular(*row);
    return ends;
}

bool appendSolid(zk_hvacSolid* solid, AcDbObjectId& id) {
    if (!solid || !appendToModelSpace(solid)) return false;
    id = solid->objectId();
    solid->close();
    return true;
}
