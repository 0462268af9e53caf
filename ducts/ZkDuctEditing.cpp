// ZkDuct editing through the editor: grips, stretch, snaps, transformation,
// extents, intersection, listing. Every edit keeps the elevations (z) of the
// ends: they change only through the duct functions.
#include <cstdio>

#include "ads/ads.h"
#include "database/dbline.h"
#include "ducts/DuctPlanGeometry.h"
#include "ducts/ZkDuct.h"

namespace {

AcGePoint3d atZeroZ(const AcGePoint3d& p) { return AcGePoint3d(p.x, p.y, 0.0); }

bool contains(const AcDbIntArray& indices, int wanted) {
    for (int index : indices)
        if (index == wanted) return true;
    return false;
}

// The other entity is asked to intersect with this duct's line, so the
// extend modes swap sides.
AcDb::Intersect swapped(AcDb::Intersect mode) {
    if (mode == AcDb::kExtendThis) return AcDb::kExtendArg;
    if (mode == AcDb::kExtendArg) return AcDb::kExtendThis;
    return mode;
}

std::string twoDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

bool ZkDuct::isVerticalInPlan() const {
    assertReadEnabled();
    return duct_geometry::planDistance(mStart, mEnd) < duct_geometry::kRiserTolerance;
}

Acad::ErrorStatus ZkDuct::subGetGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    extents.addPoint(mStart);
    if (mEnd.convert2d() != mStart.convert2d()) extents.addPoint(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    assertReadEnabled();
    points.push_back(mStart);
    points.push_back(mStart + (mEnd - mStart) / 2.0);
    points.push_back(mEnd);
    return Acad::eOk;
}

// Grip 0 is the start, 1 the midpoint (moves the whole duct), 2 the end.
Acad::ErrorStatus ZkDuct::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    assertWriteEnabled();
    const AcGeVector3d planOffset(offset.x, offset.y, 0.0);
    const bool whole = contains(indices, 1);
    if (whole || contains(indices, 0)) setStartPointPlan(mStart + planOffset);
    if (whole || contains(indices, 2)) setEndPointPlan(mEnd + planOffset);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::subGetStretchPoints(AcGePoint3dArray& points) const {
    assertReadEnabled();
    points.push_back(atZeroZ(mStart));
    if (!isVerticalInPlan()) points.push_back(atZeroZ(mEnd));
    return Acad::eOk;
}

// A riser has one stretch point, which carries both ends.
Acad::ErrorStatus ZkDuct::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    assertWriteEnabled();
    const bool riser = isVerticalInPlan();
    const bool moveStart = contains(indices, 0);
    const bool moveEnd = riser ? moveStart : contains(indices, 1);
    if (moveStart) setStartPointPlan(mStart + offset);
    if (moveEnd) setEndPointPlan(mEnd + offset);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d& pickPoint,
                                            const AcGePoint3d& lastPoint, const AcGeMatrix3d&,
                                            AcGePoint3dArray& snapPoints, AcDbIntArray&) const {
    assertReadEnabled();
    AcGePoint3d p;
    switch (mode) {
    case AcDb::kOsModeEnd:
        snapPoints.push_back(mStart);
        snapPoints.push_back(mEnd);
        break;
    case AcDb::kOsModeMid: snapPoints.push_back(mStart + (mEnd - mStart) / 2.0); break;
    case AcDb::kOsModeCen:
        if (isVerticalInPlan()) {
            snapPoints.push_back(mStart);
            snapPoints.push_back(mEnd);
        }
        break;
    case AcDb::kOsModePerp:
        getClosestPointTo(lastPoint, p, true);
        snapPoints.push_back(p);
        break;
    case AcDb::kOsModeNear:
        getClosestPointTo(pickPoint, p);
        snapPoints.push_back(p);
        break;
    default: break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    setStartPointPlan(xform * mStart);
    setEndPointPlan(xform * mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::subExplode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus ZkDuct::subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType, AcGePoint3dArray& points,
                                           Adesk::GsMarker thisGsMarker, Adesk::GsMarker otherGsMarker) const {
    assertReadEnabled();
    if (!other) return Acad::eNullEntityPointer;
    AcDbLine line(mStart, mEnd);
    line.setNormal(duct_geometry::currentUcsNormal());
    return other->intersectWith(&line, swapped(intType), points, otherGsMarker, thisGsMarker);
}

Acad::ErrorStatus ZkDuct::subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType,
                                           const AcGePlane& projPlane, AcGePoint3dArray& points,
                                           Adesk::GsMarker thisGsMarker, Adesk::GsMarker otherGsMarker) const {
    assertReadEnabled();
    if (!other) return Acad::eNullEntityPointer;
    AcDbLine line(mStart, mEnd);
    line.setNormal(duct_geometry::currentUcsNormal());
    return other->intersectWith(&line, swapped(intType), projPlane, points, otherGsMarker, thisGsMarker);
}

void ZkDuct::subList() const {
    assertReadEnabled();
    AcDbCurve::subList();
    acutPrintf("                   Duct ID = %d\n", mDuctKey);
    acutPrintf("                   Starting elevation = %s\n", twoDecimals(mStart.z).c_str());
    acutPrintf("                   Ending elevation = %s\n", twoDecimals(mEnd.z).c_str());
}
