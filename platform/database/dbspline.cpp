// Fit-point spline: the geometry spline behind the curve protocol, drawing
// by sampling, and filing of the fit data.
#include "database/dbspline.h"

#include <array>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeSpline() { return new AcDbSpline(); }
ACRX_HOST_CLASS_MEMBERS(AcDbSpline, AcDbCurve, makeSpline, "SPLINE")

// The fit points follow these fields (count, then each point).
template <>
struct AcDbFieldList<AcDbSpline> {
    static std::span<const AcDbField<AcDbSpline>> fields() {
        static const std::array<AcDbField<AcDbSpline>, 6> list{{
            {"normal", 210, &AcDbSpline::mNormal, AcGeVector3d::kZAxis},
            {"flags", 70, &AcDbSpline::mFlags, Adesk::Int16(8)},
            {"degree", 71, &AcDbSpline::mDegree, Adesk::Int16(3)},
            {"fitTolerance", 44, &AcDbSpline::mFitTolerance, 0.0},
            {"startTangent", 12, &AcDbSpline::mStartTangent, AcGeVector3d()},
            {"endTangent", 13, &AcDbSpline::mEndTangent, AcGeVector3d()},
        }};
        return list;
    }
};

AcDbSpline::AcDbSpline() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbSpline>::fields()); }
AcDbSpline::AcDbSpline(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                       const AcGeVector3d& endTangent, int, double)
    : AcDbSpline() {
    mFitPoints = fitPoints;
    mStartTangent = startTangent;
    mEndTangent = endTangent;
}
AcDbSpline::~AcDbSpline() = default;

const AcGeCubicSplineCurve3d& AcDbSpline::curve() const {
    if (!mCurve) mCurve = std::make_unique<AcGeCubicSplineCurve3d>(mFitPoints, mStartTangent, mEndTangent);
    return *mCurve;
}

Acad::ErrorStatus AcDbSpline::getFitPointAt(int index, AcGePoint3d& point) const {
    assertReadEnabled();
    if (index < 0 || static_cast<size_t>(index) >= mFitPoints.size()) return Acad::eInvalidIndex;
    point = mFitPoints[index];
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::setFitPointAt(int index, const AcGePoint3d& point) {
    if (index < 0 || static_cast<size_t>(index) >= mFitPoints.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mFitPoints[index] = point;
    invalidate();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                         bool& tangentsExist, AcGeVector3d& startTangent,
                                         AcGeVector3d& endTangent) const {
    assertReadEnabled();
    fitPoints = mFitPoints;
    degree = mDegree;
    fitTolerance = mFitTolerance;
    tangentsExist = !mStartTangent.isZeroLength() || !mEndTangent.isZeroLength();
    startTangent = mStartTangent;
    endTangent = mEndTangent;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                         const AcGeVector3d& startTangent, const AcGeVector3d& endTangent) {
    if (degree != 3 || fitTolerance != 0.0 || fitPoints.empty()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mFitPoints = fitPoints;
    mStartTangent = startTangent;
    mEndTangent = endTangent;
    invalidate();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getFitTangents(AcGeVector3d& s, AcGeVector3d& e) const {
    assertReadEnabled();
    s = mStartTangent;
    e = mEndTangent;
    return Acad::eOk;
}

// ---- curve protocol ----

namespace {
bool inRange(const AcGeCubicSplineCurve3d& c, double param) {
    return param >= c.startParam() - 1e-10 && param <= c.endParam() + 1e-10;
}
} // namespace

Acad::ErrorStatus AcDbSpline::getStartParam(double& p) const { assertReadEnabled(); p = curve().startParam(); return Acad::eOk; }
Acad::ErrorStatus AcDbSpline::getEndParam(double& p) const { assertReadEnabled(); p = curve().endParam(); return Acad::eOk; }
Acad::ErrorStatus AcDbSpline::getStartPoint(AcGePoint3d& p) const {
    assertReadEnabled();
    if (!curve().isValid()) return Acad::eDegenerateGeometry;
    p = curve().startPoint();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getEndPoint(AcGePoint3d& p) const {
    assertReadEnabled();
    if (!curve().isValid()) return Acad::eDegenerateGeometry;
    p = curve().endPoint();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getPointAtParam(double param, AcGePoint3d& p) const {
    assertReadEnabled();
    if (!curve().isValid() || !inRange(curve(), param)) return Acad::eInvalidInput;
    p = curve().evalPoint(param);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    AcGePoint3d closest;
    Acad::ErrorStatus es = getClosestPointTo(point, closest);
    if (es != Acad::eOk) return es;
    if (!closest.isEqualTo(point, AcGeTol(1e-6, 1e-6))) return Acad::eInvalidInput;
    // Refine the parameter of the closest sample by bisection on distance.
    const AcGeCubicSplineCurve3d& c = curve();
    double lo = c.startParam(), hi = c.endParam();
    const int n = 256;
    double best = lo, bestDist = 1e300;
    for (int i = 0; i <= n; ++i) {
        const double t = lo + (hi - lo) * i / n;
        const double d = c.evalPoint(t).distanceTo(point);
        if (d < bestDist) { bestDist = d; best = t; }
    }
    double a = std::max(lo, best - (hi - lo) / n), b = std::min(hi, best + (hi - lo) / n);
    for (int k = 0; k < 60; ++k) {
        const double m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
        if (c.evalPoint(m1).distanceTo(point) < c.evalPoint(m2).distanceTo(point)) b = m2;
        else a = m1;
    }
    param = (a + b) / 2;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getDistAtParam(double param, double& dist) const {
    assertReadEnabled();
    if (!curve().isValid() || !inRange(curve(), param)) return Acad::eInvalidInput;
    dist = curve().distAtParam(param);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getParamAtDist(double dist, double& param) const {
    assertReadEnabled();
    if (!curve().isValid() || dist < -1e-10 || dist > curve().length() + 1e-9) return Acad::eInvalidInput;
    param = curve().paramAtLength(dist);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    return es == Acad::eOk ? getDistAtParam(param, dist) : es;
}
Acad::ErrorStatus AcDbSpline::getPointAtDist(double dist, AcGePoint3d& point) const {
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtDist(dist, param);
    if (es == Acad::eOk) point = curve().evalPoint(param);
    return es;
}
Acad::ErrorStatus AcDbSpline::getFirstDeriv(double param, AcGeVector3d& deriv) const {
    assertReadEnabled();
    if (!curve().isValid() || !inRange(curve(), param)) return Acad::eInvalidInput;
    deriv = curve().firstDeriv(param);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest, bool) const {
    assertReadEnabled();
    const AcGeCubicSplineCurve3d& c = curve();
    if (!c.isValid()) return Acad::eDegenerateGeometry;
    const int n = 256;
    double best = 1e300;
    double bestT = c.startParam();
    for (int i = 0; i <= n; ++i) {
        const double t = c.startParam() + (c.endParam() - c.startParam()) * i / n;
        const double d = c.evalPoint(t).distanceTo(given);
        if (d < best) { best = d; bestT = t; }
    }
    const double step = (c.endParam() - c.startParam()) / n;
    double a = std::max(c.startParam(), bestT - step), b = std::min(c.endParam(), bestT + step);
    for (int k = 0; k < 60; ++k) {
        const double m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
        if (c.evalPoint(m1).distanceTo(given) < c.evalPoint(m2).distanceTo(given)) b = m2;
        else a = m1;
    }
    closest = c.evalPoint((a + b) / 2);
    return Acad::eOk;
}
double AcDbSpline::length() const { assertReadEnabled(); return curve().length(); }

// ---- drawing and editing ----

bool AcDbSpline::subWorldDraw(AcGiWorldDraw* wd) {
    if (!curve().isValid()) return true;
    const std::vector<AcGePoint3d> pts = curve().samplePoints(std::max(16, 8 * static_cast<int>(mFitPoints.size())));
    wd->geometry().polyline(static_cast<Adesk::UInt32>(pts.size()), pts.data());
    return true;
}

Acad::ErrorStatus AcDbSpline::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.insert(points.end(), mFitPoints.begin(), mFitPoints.end());
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i >= 0 && static_cast<size_t>(i) < mFitPoints.size()) mFitPoints[i] += offset;
    invalidate();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d& pick,
                                                const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                                AcDbIntArray&) const {
    if (!curve().isValid()) return Acad::eOk;
    AcGePoint3d p;
    if (mode == AcDb::kOsModeEnd) {
        snaps.push_back(curve().startPoint());
        snaps.push_back(curve().endPoint());
    } else if (mode == AcDb::kOsModeNode) {
        snaps.insert(snaps.end(), mFitPoints.begin(), mFitPoints.end());
    } else if (mode == AcDb::kOsModeNear && getClosestPointTo(pick, p) == Acad::eOk) {
        snaps.push_back(p);
    }
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::subTransformBy(const AcGeMatrix3d& xform) {
    for (AcGePoint3d& p : mFitPoints) p.transformBy(xform);
    mStartTangent = xform * mStartTangent;
    mEndTangent = xform * mEndTangent;
    AcGeVector3d n = xform * mNormal;
    if (!n.isZeroLength()) mNormal = n.normal();
    invalidate();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSpline::subGetGeomExtents(AcDbExtents& extents) const {
    if (!curve().isValid()) return Acad::eInvalidExtents;
    extents = AcDbExtents();
    for (const AcGePoint3d& p : curve().samplePoints(std::max(32, 16 * static_cast<int>(mFitPoints.size()))))
        extents.addPoint(p);
    return Acad::eOk;
}
void AcDbSpline::subList() const {
    AcDbCurve::subList();
    acdbPrintf("                  Degree: 3\n");
    acdbPrintf("     Number of fit points: %d\n", static_cast<int>(mFitPoints.size()));
    for (const AcGePoint3d& p : mFitPoints) acdbPrintf("      fit point X=%10.4f  Y=%10.4f  Z=%10.4f\n", p.x, p.y, p.z);
}

// ---- filing ----

Acad::ErrorStatus AcDbSpline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es == Acad::eOk) es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbSpline>::fields(), filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(static_cast<Adesk::Int32>(mFitPoints.size()));
    for (const AcGePoint3d& p : mFitPoints) filer->writePoint3d(p);
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbSpline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es == Acad::eOk) es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbSpline>::fields(), filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk) return filer->filerStatus();
    if (count < 0 || count > (1 << 24)) return Acad::eDwgObjectImproperlyRead;
    mFitPoints.assign(static_cast<size_t>(count), AcGePoint3d());
    for (AcGePoint3d& p : mFitPoints)
        if (filer->readPoint3d(&p) != Acad::eOk) return filer->filerStatus();
    invalidate();
    return filer->filerStatus();
}
// Fit data only: no knots and no control points (groups 72 and 73 are 0).
Acad::ErrorStatus AcDbSpline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbEntityFiling::dxfOutWithMarker(*this, "AcDbSpline", filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(72, 0);
    filer->writeInt16(73, 0);
    filer->writeInt16(74, static_cast<Adesk::Int16>(mFitPoints.size()));
    for (const AcGePoint3d& p : mFitPoints) filer->writePoint3d(11, p);
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbSpline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mFitPoints.clear();
    es = AcDbEntityFiling::dxfInWithMarker(*this, "AcDbSpline", filer, [&](const resbuf& rb) {
        if (rb.restype == 11) mFitPoints.emplace_back(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    });
    invalidate();
    return es;
}
