// Duct geometry derived from a record: the centre-line end points and the
// duct's local frame (direction, side, up).
#pragma once

#include "ducts/ZkDuctDbInfo.h"
#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeVector3d.h"

class DuctDbRecord;

// pi as the product has always written it, and the angles made from it.
inline constexpr double kDuctPi = 3.14159265;
inline constexpr double kDuctHalfPi = kDuctPi / 2;

struct DuctFrame {
    AcGeVector3d direction; // along the duct, start to end
    AcGeVector3d side;      // horizontal, across the duct
    AcGeVector3d up;        // across the duct, vertical for a level duct
};

// A stored end point (start or end), converted to drawing coordinates when
// asked, and shifted by the record's VERTICALOFFSET along the frame's up
// vector and its OFFSET along the side vector when a frame is given.
AcGePoint3d CentrePoint(const ZkDuctDbInfo& record, bool start, const DuctFrame* frame, bool convert);
// Start and end equal in plan: a riser.
bool isVerticalDuct(const ZkDuctDbInfo& record);
// The frame of the duct. A vertical duct takes its side vector from a
// neighbour (loaded through `db`, which is left holding another row).
DuctFrame Frame(DuctDbRecord& db, ZkDuctDbInfo record, bool convert);
