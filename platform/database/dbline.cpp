// Line segment: fields, drawing, editing and the curve protocol.
#include "database/dbline.h"

#include <array>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeLine() { return new AcDbLine(); }
ACRX_HOST_CLASS_MEMBERS(AcDbLine, AcDbCurve, makeLine, "LINE")

template <>
struct AcDbFieldList<AcDbLine> {
    static std::span<const AcDbField<AcDbLine>> fields() {
        static const std::array<AcDbField<AcDbLine>, 4> list{{
            {"thickness", 39, &AcDbLine::mThickness, 0.0},
            {"start", 10, &AcDbLine::mStart, AcGePoint3d::kOrigin},
            {"end", 11, &AcDbLine::mEnd, AcGePoint3d::kOrigin},
            {"normal", 210, &AcDbLine::mNormal, AcGeVector3d::kZAxis},
        }};
        return list;
    }
};

AcDbLine::AcDbLine() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbLine>::fields()); }
AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : AcDbLine() {
    mStart = start;
    mEnd = end;
}

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) { assertWriteEnabled(); mStart = p; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) { assertWriteEnabled(); mEnd = p; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& n) {
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

// ---- curve protocol ----

namespace {
AcGeVector3d unitDir(const AcGePoint3d& a, const AcGePoint3d& b) {
    AcGeVector3d d = b - a;
    return d.isZeroLength() ? AcGeVector3d() : d.normal();
}
} // namespace

Acad::ErrorStatus AcDbLine::getStartParam(double& p) const { assertReadEnabled(); p = 0.0; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::getEndParam(double& p) const { assertReadEnabled(); p = mStart.distanceTo(mEnd); return Acad::eOk; }
Acad::ErrorStatus AcDbLine::getStartPoint(AcGePoint3d& p) const { assertReadEnabled(); p = mStart; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::getEndPoint(AcGePoint3d& p) const { assertReadEnabled(); p = mEnd; return Acad::eOk; }

Acad::ErrorStatus AcDbLine::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    const double len = mStart.distanceTo(mEnd);
    if (param < -AcGeContext::gTol.equalPoint() || param > len + AcGeContext::gTol.equalPoint())
        return Acad::eInvalidInput;
    point = mStart + unitDir(mStart, mEnd) * param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    assertReadEnabled();
    AcGePoint3d closest;
    getClosestPointTo(point, closest);
    if (!closest.isEqualTo(point)) return Acad::eInvalidInput;
    param = mStart.distanceTo(closest);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getDistAtParam(double param, double& dist) const {
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es == Acad::eOk) dist = param;
    return es;
}
Acad::ErrorStatus AcDbLine::getParamAtDist(double dist, double& param) const {
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(dist, p);
    if (es == Acad::eOk) param = dist;
    return es;
}
Acad::ErrorStatus AcDbLine::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    return getParamAtPoint(point, dist);
}
Acad::ErrorStatus AcDbLine::getPointAtDist(double dist, AcGePoint3d& point) const { return getPointAtParam(dist, point); }
Acad::ErrorStatus AcDbLine::getFirstDeriv(double, AcGeVector3d& deriv) const {
    assertReadEnabled();
    deriv = unitDir(mStart, mEnd);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLine::getSecondDeriv(double, AcGeVector3d& deriv) const {
    assertReadEnabled();
    deriv = AcGeVector3d();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest, bool ext) const {
    assertReadEnabled();
    const AcGeVector3d d = mEnd - mStart;
    const double len2 = d.lengthSqrd();
    if (len2 == 0.0) {
        closest = mStart;
        return Acad::eOk;
    }
    double t = (given - mStart).dotProduct(d) / len2;
    if (!ext) t = std::clamp(t, 0.0, 1.0);
    closest = mStart + d * t;
    return Acad::eOk;
}

// A new parameter before the start moves the start; past the end, the end.
Acad::ErrorStatus AcDbLine::extend(double newParam) {
    assertWriteEnabled();
    const double len = mStart.distanceTo(mEnd);
    const AcGeVector3d dir = unitDir(mStart, mEnd);
    if (dir.isZeroLength()) return Acad::eDegenerateGeometry;
    if (newParam < 0.0) mStart = mStart + dir * newParam;
    else if (newParam > len) mEnd = mStart + dir * newParam;
    else return Acad::eInvalidInput;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::extend(bool extendStart, const AcGePoint3d& toPoint) {
    assertWriteEnabled();
    AcGePoint3d onLine;
    getClosestPointTo(toPoint, onLine, true);
    if (!onLine.isEqualTo(toPoint)) return Acad::eInvalidInput;
    (extendStart ? mStart : mEnd) = toPoint;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getArea(double& area) const {
    assertReadEnabled();
    area = 0.0;
    return Acad::eOk;
}

// ---- drawing and editing ----

bool AcDbLine::subWorldDraw(AcGiWorldDraw* wd) {
    AcGePoint3d pts[2] = {mStart, mEnd};
    wd->geometry().polyline(2, pts, &mNormal);
    return true;
}

// Grips: start, middle (moves the whole line), end.
Acad::ErrorStatus AcDbLine::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(mStart);
    points.push_back(mStart + (mEnd - mStart) * 0.5);
    points.push_back(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    bool moveStart = false, moveEnd = false;
    for (int i : indices) {
        if (i == 0 || i == 1) moveStart = true;
        if (i == 2 || i == 1) moveEnd = true;
    }
    if (moveStart) mStart += offset;
    if (moveEnd) mEnd += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetStretchPoints(AcGePoint3dArray& points) const {
    points.push_back(mStart);
    points.push_back(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices) {
        if (i == 0) mStart += offset;
        else if (i == 1) mEnd += offset;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d& pick,
                                              const AcGePoint3d& last, const AcGeMatrix3d&,
                                              AcGePoint3dArray& snaps, AcDbIntArray&) const {
    AcGePoint3d p;
    switch (mode) {
    case AcDb::kOsModeEnd:
        snaps.push_back(mStart);
        snaps.push_back(mEnd);
        break;
    case AcDb::kOsModeMid: snaps.push_back(mStart + (mEnd - mStart) * 0.5); break;
    case AcDb::kOsModeNear:
        getClosestPointTo(pick, p);
        snaps.push_back(p);
        break;
    case AcDb::kOsModePerp:
        // The foot of the perpendicular from the last point, on the line's extension too.
        getClosestPointTo(last, p, true);
        snaps.push_back(p);
        break;
    default: break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subTransformBy(const AcGeMatrix3d& xform) {
    mStart.transformBy(xform);
    mEnd.transformBy(xform);
    AcGeVector3d n = xform * mNormal;
    if (!n.isZeroLength()) mNormal = n.normal();
    mThickness *= xform.scale();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetGeomExtents(AcDbExtents& extents) const {
    extents.set(mStart, mEnd);
    if (mThickness != 0.0) extents.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

namespace {
AcDb::Intersect swappedSides(AcDb::Intersect mode) {
    if (mode == AcDb::kExtendThis) return AcDb::kExtendArg;
    if (mode == AcDb::kExtendArg) return AcDb::kExtendThis;
    return mode;
}
} // namespace

Acad::ErrorStatus AcDbLine::subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType,
                                             AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                             Adesk::GsMarker otherGsMarker) const {
    if (!other) return Acad::eNullEntityPointer;
    const AcDbLine* line = AcDbLine::cast(other);
    if (!line) return other->intersectWith(this, swappedSides(intType), points, otherGsMarker, thisGsMarker);
    AcGePoint3d hit;
    if (AcGeLineSeg3d(mStart, mEnd).intersectWith(AcGeLineSeg3d(line->mStart, line->mEnd), hit,
                                                  static_cast<AcGe::Intersect>(intType)))
        points.push_back(hit);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType,
                                             const AcGePlane& projPlane, AcGePoint3dArray& points,
                                             Adesk::GsMarker thisGsMarker, Adesk::GsMarker otherGsMarker) const {
    if (!other) return Acad::eNullEntityPointer;
    const AcDbLine* line = AcDbLine::cast(other);
    if (!line)
        return other->intersectWith(this, swappedSides(intType), projPlane, points, otherGsMarker, thisGsMarker);
    AcGePoint3d hit;
    if (AcGeLineSeg3d(mStart, mEnd).projIntersectWith(AcGeLineSeg3d(line->mStart, line->mEnd), projPlane, hit,
                                                      static_cast<AcGe::Intersect>(intType)))
        points.push_back(hit);
    return Acad::eOk;
}

void AcDbLine::subList() const {
    AcDbCurve::subList();
    acdbPrintf("              from point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mStart.x, mStart.y, mStart.z);
    acdbPrintf("                to point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mEnd.x, mEnd.y, mEnd.z);
    acdbPrintf("                  Length =%10.4f\n", mStart.distanceTo(mEnd));
}

// ---- filing ----

Acad::ErrorStatus AcDbLine::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbLine>::fields(), filer);
}
Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbLine>::fields(), filer);
}
Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutWithMarker(*this, "AcDbLine", filer);
}
Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfInWithMarker(*this, "AcDbLine", filer);
}
