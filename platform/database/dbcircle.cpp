// Circle: fields, drawing, quadrant grips, snaps and the curve protocol.
#include "database/dbcircle.h"

#include <array>
#include <cmath>
#include <numbers>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeCircle() { return new AcDbCircle(); }
ACRX_HOST_CLASS_MEMBERS(AcDbCircle, AcDbCurve, makeCircle, "CIRCLE")

template <>
struct AcDbFieldList<AcDbCircle> {
    static std::span<const AcDbField<AcDbCircle>> fields() {
        static const std::array<AcDbField<AcDbCircle>, 4> list{{
            {"thickness", 39, &AcDbCircle::mThickness, 0.0},
            {"center", 10, &AcDbCircle::mCenter, AcGePoint3d::kOrigin},
            {"radius", 40, &AcDbCircle::mRadius, 0.0},
            {"normal", 210, &AcDbCircle::mNormal, AcGeVector3d::kZAxis},
        }};
        return list;
    }
};

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
}

AcDbCircle::AcDbCircle() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbCircle>::fields()); }
AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius) : AcDbCircle() {
    mCenter = center;
    if (!normal.isZeroLength()) mNormal = normal.normal();
    mRadius = std::fabs(radius);
}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& c) { assertWriteEnabled(); mCenter = c; return Acad::eOk; }
Acad::ErrorStatus AcDbCircle::setRadius(double r) {
    if (!(r > 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = r;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& n) {
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbCircle::setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }

AcGePoint3d AcDbCircle::pointAtAngle(double angle) const {
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(mNormal);
    return mCenter + toWorld * AcGeVector3d(std::cos(angle), std::sin(angle), 0.0) * mRadius;
}

// ---- curve protocol ----

Acad::ErrorStatus AcDbCircle::getStartParam(double& p) const { assertReadEnabled(); p = 0.0; return Acad::eOk; }
Acad::ErrorStatus AcDbCircle::getEndParam(double& p) const { assertReadEnabled(); p = kTwoPi; return Acad::eOk; }
Acad::ErrorStatus AcDbCircle::getStartPoint(AcGePoint3d& p) const { assertReadEnabled(); p = pointAtAngle(0.0); return Acad::eOk; }
Acad::ErrorStatus AcDbCircle::getEndPoint(AcGePoint3d& p) const { return getStartPoint(p); }

Acad::ErrorStatus AcDbCircle::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    if (param < -1e-10 || param > kTwoPi + 1e-10) return Acad::eInvalidInput;
    point = pointAtAngle(param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    assertReadEnabled();
    const AcGeVector3d local = AcGeMatrix3d::worldToPlane(mNormal) * (point - mCenter);
    if (std::fabs(std::hypot(local.x, local.y) - mRadius) > AcGeContext::gTol.equalPoint() ||
        std::fabs(local.z) > AcGeContext::gTol.equalPoint())
        return Acad::eInvalidInput;
    param = std::atan2(local.y, local.x);
    if (param < 0.0) param += kTwoPi;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getDistAtParam(double param, double& dist) const {
    assertReadEnabled();
    if (param < -1e-10 || param > kTwoPi + 1e-10) return Acad::eInvalidInput;
    dist = param * mRadius;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbCircle::getParamAtDist(double dist, double& param) const {
    assertReadEnabled();
    if (mRadius <= 0.0 || dist < 0.0 || dist > kTwoPi * mRadius + 1e-10) return Acad::eInvalidInput;
    param = dist / mRadius;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbCircle::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    if (es == Acad::eOk) dist = param * mRadius;
    return es;
}
Acad::ErrorStatus AcDbCircle::getPointAtDist(double dist, AcGePoint3d& point) const {
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtDist(dist, param);
    if (es == Acad::eOk) point = pointAtAngle(param);
    return es;
}
Acad::ErrorStatus AcDbCircle::getFirstDeriv(double param, AcGeVector3d& deriv) const {
    assertReadEnabled();
    deriv = AcGeMatrix3d::planeToWorld(mNormal) * AcGeVector3d(-std::sin(param), std::cos(param), 0.0) * mRadius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest, bool) const {
    assertReadEnabled();
    AcGeVector3d v = given - mCenter;
    v -= mNormal * v.dotProduct(mNormal);
    if (v.isZeroLength()) closest = pointAtAngle(0.0);
    else closest = mCenter + v.normal() * mRadius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getArea(double& area) const {
    assertReadEnabled();
    area = std::numbers::pi * mRadius * mRadius;
    return Acad::eOk;
}

// ---- drawing and editing ----

bool AcDbCircle::subWorldDraw(AcGiWorldDraw* wd) {
    wd->geometry().circle(mCenter, mRadius, mNormal);
    return true;
}

// Grips: centre (moves the circle) and the four quadrants (change the radius).
Acad::ErrorStatus AcDbCircle::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(mCenter);
    for (int q = 0; q < 4; ++q) points.push_back(pointAtAngle(q * std::numbers::pi / 2));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices) {
        if (i == 0) {
            mCenter += offset;
            return Acad::eOk;
        }
    }
    for (int i : indices) {
        if (i < 1 || i > 4) continue;
        const double r = (pointAtAngle((i - 1) * std::numbers::pi / 2) + offset).distanceTo(mCenter);
        if (r > 0.0) mRadius = r;
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetStretchPoints(AcGePoint3dArray& points) const {
    points.push_back(mCenter);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (!indices.empty() && indices.front() == 0) mCenter += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d& pick,
                                                const AcGePoint3d& last, const AcGeMatrix3d&,
                                                AcGePoint3dArray& snaps, AcDbIntArray&) const {
    AcGePoint3d p;
    switch (mode) {
    case AcDb::kOsModeCen: snaps.push_back(mCenter); break;
    case AcDb::kOsModeQuad:
        for (int q = 0; q < 4; ++q) snaps.push_back(pointAtAngle(q * std::numbers::pi / 2));
        break;
    case AcDb::kOsModeNear:
        getClosestPointTo(pick, p);
        snaps.push_back(p);
        break;
    case AcDb::kOsModePerp: {
        // Both ends of the diameter through the last point; the nearer first.
        getClosestPointTo(last, p);
        snaps.push_back(p);
        snaps.push_back(mCenter + (mCenter - p));
        break;
    }
    default: break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subTransformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    mCenter.transformBy(xform);
    mRadius *= xform.scale();
    mThickness *= xform.scale();
    AcGeVector3d n = xform * mNormal;
    if (!n.isZeroLength()) mNormal = n.normal();
    return Acad::eOk;
}

// Exact box of a circle in any plane: along each axis the half extent is
// r * sqrt(1 - n_i^2).
Acad::ErrorStatus AcDbCircle::subGetGeomExtents(AcDbExtents& extents) const {
    AcGeVector3d half;
    for (unsigned i = 0; i < 3; ++i) half[i] = mRadius * std::sqrt(std::max(0.0, 1.0 - mNormal[i] * mNormal[i]));
    extents.set(mCenter - half, mCenter + half);
    if (mThickness != 0.0) extents.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

void AcDbCircle::subList() const {
    AcDbCurve::subList();
    acdbPrintf("            center point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mCenter.x, mCenter.y, mCenter.z);
    acdbPrintf("            radius %10.4f\n", mRadius);
    acdbPrintf("     circumference %10.4f\n", kTwoPi * mRadius);
    acdbPrintf("              area %10.4f\n", std::numbers::pi * mRadius * mRadius);
}

// ---- filing ----

Acad::ErrorStatus AcDbCircle::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbCircle>::fields(), filer);
}
Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbCircle>::fields(), filer);
}
Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutWithMarker(*this, "AcDbCircle", filer);
}
Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfInWithMarker(*this, "AcDbCircle", filer);
}
