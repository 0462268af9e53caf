// ZKLeader: data, arrow placement, drawing and the editing protocol.
#include "leaders/ZKLeader.h"

#include <cmath>
#include <numbers>

#include "ads/ads.h"
#include "database/dbline.h"
#include "graphics/AcGiWorldDraw.h"
#include "integration/BlockLoader.h"

namespace {

// Angle of a vector in the drawing plane, in [0, 2pi).
double planAngle(const AcGeVector3d& v) {
    double a = std::atan2(v.y, v.x);
    if (a < 0.0) a += 2.0 * std::numbers::pi;
    return a;
}

// Unit vector from a to b; the zero vector when they coincide.
AcGeVector3d unitFrom(const AcGePoint3d& a, const AcGePoint3d& b) {
    AcGeVector3d v = b - a;
    const double length = v.length();
    return length > 0.0 ? v / length : AcGeVector3d();
}

} // namespace

ZKLeader::ZKLeader() = default;
ZKLeader::~ZKLeader() = default;

void ZKLeader::getPoints(AcGePoint3d& start, AcGePoint3d& middle, AcGePoint3d& end) const {
    assertReadEnabled();
    start = mStart;
    middle = mMiddle;
    end = mEnd;
}

void ZKLeader::setStart(const AcGePoint3d& point) {
    assertWriteEnabled();
    mStart = point;
    updateArrow();
}

void ZKLeader::setMiddle(const AcGePoint3d& point) {
    assertWriteEnabled();
    mMiddle = point;
    updateArrow();
}

void ZKLeader::setEnd(const AcGePoint3d& point) {
    assertWriteEnabled();
    mEnd = point;
    updateArrow();
}

void ZKLeader::setPoints(const AcGePoint3d& start, const AcGePoint3d& middle, const AcGePoint3d& end) {
    assertWriteEnabled();
    mStart = start;
    mMiddle = middle;
    mEnd = end;
    updateArrow();
}

AcGePoint3d ZKLeader::arrowBase() const {
    assertReadEnabled();
    const double a = planAngle(mMiddle - mEnd);
    return mEnd + AcGeVector3d(std::cos(a), std::sin(a), 0.0) * mSize;
}

void ZKLeader::setSize(double size) {
    assertWriteEnabled();
    mSize = size;
    mArrow.setScaleFactors(AcGeScale3d(size, size, size));
}

bool ZKLeader::setArrowBlock(const std::string& name) {
    AcDbObjectId blockId;
    if (!findOrLoadBlock(name, blockId)) return false;
    setArrowBlockId(blockId);
    return true;
}

void ZKLeader::setArrowBlockId(AcDbObjectId blockId) {
    assertWriteEnabled();
    mArrowBlockId = blockId;
    mArrow.setBlockTableRecord(blockId);
}

void ZKLeader::updateArrow() {
    mArrow.setPosition(mEnd);
    mArrow.setRotation(planAngle(mEnd - mMiddle));
}

Acad::ErrorStatus ZKLeader::setLayer(AcDbObjectId layerId, bool doSubents) {
    const Acad::ErrorStatus es = AcDbCurve::setLayer(layerId, doSubents);
    if (es != Acad::eOk || !doSubents) return es;
    return mArrow.setLayer(layerId, doSubents);
}

// ---- display and editing ----

bool ZKLeader::subWorldDraw(AcGiWorldDraw* wd) {
    assertReadEnabled();
    const AcGePoint3d firstLeg[2] = {mStart, mMiddle};
    const AcGePoint3d secondLeg[2] = {mMiddle, arrowBase()};
    wd->geometry().polyline(2, firstLeg);
    wd->geometry().polyline(2, secondLeg);
    // The insert sets its own layer; the traits go back to the leader's.
    const AcDbObjectId layer = wd->subEntityTraits().layerId();
    wd->geometry().draw(&mArrow);
    wd->subEntityTraits().setLayer(layer);
    return true;
}

Acad::ErrorStatus ZKLeader::subExplode(AcDbVoidPtrArray& entitySet) const {
    assertReadEnabled();
    auto* first = new AcDbLine(mStart, mMiddle);
    auto* second = new AcDbLine(mMiddle, arrowBase());
    first->setPropertiesFrom(this);
    second->setPropertiesFrom(this);
    entitySet.push_back(first);
    entitySet.push_back(second);
    // A leader without an arrow block explodes into its two lines only.
    if (!mArrowBlockId.isNull()) mArrow.explode(entitySet);
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::subGetGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    extents.addPoint(mStart);
    extents.addPoint(mMiddle);
    extents.addPoint(arrowBase());
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                              const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                              const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                              AcDbIntArray& geomIds) const {
    assertReadEnabled();
    const AcDbLine firstLeg(mStart, mMiddle);
    Acad::ErrorStatus es =
        firstLeg.getOsnapPoints(mode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
    if (es != Acad::eOk) return es;
    const AcDbLine secondLeg(mMiddle, arrowBase());
    es = secondLeg.getOsnapPoints(mode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
    if (es != Acad::eOk) return es;
    return mArrow.getOsnapPoints(mode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus ZKLeader::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    return subGetStretchPoints(points);
}

Acad::ErrorStatus ZKLeader::subGetStretchPoints(AcGePoint3dArray& points) const {
    assertReadEnabled();
    points.push_back(mStart);
    points.push_back(mMiddle);
    points.push_back(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return subMoveStretchPointsAt(indices, offset);
}

Acad::ErrorStatus ZKLeader::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    assertWriteEnabled();
    bool moved[3] = {false, false, false};
    for (int index : indices)
        if (index >= 0 && index < 3) moved[index] = true;
    if (moved[0]) mStart += offset;
    if (moved[1]) mMiddle += offset;
    if (moved[2]) mEnd += offset;
    updateArrow();
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    mStart.transformBy(xform);
    mMiddle.transformBy(xform);
    mEnd.transformBy(xform);
    updateArrow();
    return Acad::eOk;
}

void ZKLeader::subList() const {
    assertReadEnabled();
    AcDbCurve::subList();
    acutPrintf("                   Starting point = %f, %f, %f\n", mStart.x, mStart.y, mStart.z);
    acutPrintf("                   Middle point = %f, %f, %f\n", mMiddle.x, mMiddle.y, mMiddle.z);
    acutPrintf("                   End point = %f, %f, %f\n", mEnd.x, mEnd.y, mEnd.z);
}

// ---- curve protocol: the chord start -> end, parameter = distance ----

Acad::ErrorStatus ZKLeader::getStartParam(double& param) const {
    assertReadEnabled();
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getEndParam(double& param) const {
    assertReadEnabled();
    param = mStart.distanceTo(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getStartPoint(AcGePoint3d& point) const {
    assertReadEnabled();
    point = mStart;
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getEndPoint(AcGePoint3d& point) const {
    assertReadEnabled();
    point = mEnd;
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    point = mStart + unitFrom(mStart, mEnd) * param;
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    assertReadEnabled();
    param = (point - mStart).dotProduct(unitFrom(mStart, mEnd));
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getDistAtParam(double param, double& dist) const {
    assertReadEnabled();
    dist = param;
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getParamAtDist(double dist, double& param) const {
    assertReadEnabled();
    param = dist;
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    assertReadEnabled();
    dist = point.distanceTo(mStart);
    return Acad::eOk;
}

Acad::ErrorStatus ZKLeader::getPointAtDist(double dist, AcGePoint3d& point) const {
    return getPointAtParam(dist, point);
}
