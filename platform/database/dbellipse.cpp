// Ellipse: fields, drawing as a fine polyline, grips, snaps, transforms.
#include "database/dbellipse.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/dbocs.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeEllipse() { return new AcDbEllipse(); }
ACRX_HOST_CLASS_MEMBERS(AcDbEllipse, AcDbCurve, makeEllipse, "ELLIPSE")

template <>
struct AcDbFieldList<AcDbEllipse> {
    static std::span<const AcDbSubclassFields<AcDbEllipse>> parts() {
        static const std::array<AcDbField<AcDbEllipse>, 6> fields{{
            {"center", 10, &AcDbEllipse::mCenter, AcGePoint3d::kOrigin},
            {"majorAxis", 11, &AcDbEllipse::mMajorAxis, AcGeVector3d::kXAxis},
            {"normal", 210, &AcDbEllipse::mNormal, AcGeVector3d::kZAxis},
            {"radiusRatio", 40, &AcDbEllipse::mRatio, 1.0},
            {"startParam", 41, &AcDbEllipse::mStartParam, 0.0},
            {"endParam", 42, &AcDbEllipse::mEndParam, 2.0 * std::numbers::pi},
        }};
        static const std::array<AcDbSubclassFields<AcDbEllipse>, 1> list{{{"AcDbEllipse", fields}}};
        return list;
    }
};

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kParamTol = 1e-10;
constexpr int kSegmentsPerTurn = 96;
}

AcDbEllipse::AcDbEllipse() {}
AcDbEllipse::AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
                         double ratio, double startParam, double endParam)
    : mCenter(center), mMajorAxis(majorAxis), mRatio(std::fabs(ratio)), mStartParam(startParam), mEndParam(endParam) {
    if (!normal.isZeroLength()) mNormal = normal.normal();
}

AcGeVector3d AcDbEllipse::minorAxis() const {
    assertReadEnabled();
    return mNormal.crossProduct(mMajorAxis) * mRatio;
}

double AcDbEllipse::sweep() const {
    const double s = normalizedAngle(mEndParam - mStartParam);
    return s < kParamTol ? kTwoPi : s;
}
bool AcDbEllipse::isClosed() const { assertReadEnabled(); return sweep() >= kTwoPi - kParamTol; }
bool AcDbEllipse::onCurve(double param) const { return normalizedAngle(param - mStartParam) <= sweep() + kParamTol; }

AcGePoint3d AcDbEllipse::pointAt(double t) const {
    const AcGeVector3d minor = mNormal.crossProduct(mMajorAxis) * mRatio;
    return mCenter + mMajorAxis * std::cos(t) + minor * std::sin(t);
}

Acad::ErrorStatus AcDbEllipse::getStartParam(double& p) const { assertReadEnabled(); p = mStartParam; return Acad::eOk; }
Acad::ErrorStatus AcDbEllipse::getEndParam(double& p) const { assertReadEnabled(); p = mStartParam + sweep(); return Acad::eOk; }
Acad::ErrorStatus AcDbEllipse::getStartPoint(AcGePoint3d& p) const { assertReadEnabled(); p = pointAt(mStartParam); return Acad::eOk; }
Acad::ErrorStatus AcDbEllipse::getEndPoint(AcGePoint3d& p) const { assertReadEnabled(); p = pointAt(mEndParam); return Acad::eOk; }
Acad::ErrorStatus AcDbEllipse::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    if (!onCurve(param)) return Acad::eInvalidInput;
    point = pointAt(param);
    return Acad::eOk;
}

bool AcDbEllipse::subWorldDraw(AcGiWorldDraw* wd) {
    const double s = sweep();
    const int n = std::max(8, static_cast<int>(std::ceil(kSegmentsPerTurn * s / kTwoPi)));
    std::vector<AcGePoint3d> points;
    points.reserve(n + 1);
    for (int i = 0; i <= n; ++i) points.push_back(pointAt(mStartParam + s * i / n));
    wd->geometry().polyline(static_cast<Adesk::UInt32>(points.size()), points.data(), &mNormal);
    return true;
}

// Grips: the centre (moves the ellipse) and the ends of both axes.
Acad::ErrorStatus AcDbEllipse::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(mCenter);
    for (int q = 0; q < 4; ++q) points.push_back(pointAt(q * std::numbers::pi / 2));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i == 0) {
            mCenter += offset;
            return Acad::eOk;
        }
    // An axis end moved along its axis changes that axis's length.
    for (int i : indices) {
        if (i < 1 || i > 4) continue;
        const bool major = i % 2 == 1;
        const AcGeVector3d axis = major ? mMajorAxis : mNormal.crossProduct(mMajorAxis) * mRatio;
        const double length = (pointAt((i - 1) * std::numbers::pi / 2) + offset - mCenter).dotProduct(axis.normal());
        if (std::fabs(length) < 1e-12) break;
        if (major) {
            const double minor = mRatio * mMajorAxis.length();
            mMajorAxis = mMajorAxis.normal() * std::fabs(length);
            mRatio = minor / std::fabs(length);
        } else {
            mRatio = std::fabs(length) / mMajorAxis.length();
        }
        // The major axis stays the longer one.
        if (mRatio > 1.0) {
            mMajorAxis = mNormal.crossProduct(mMajorAxis) * mRatio;
            mRatio = 1.0 / mRatio;
            mStartParam = normalizedAngle(mStartParam - std::numbers::pi / 2);
            mEndParam = normalizedAngle(mEndParam - std::numbers::pi / 2);
        }
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d& pick,
                                                 const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                                 AcDbIntArray&) const {
    switch (mode) {
    case AcDb::kOsModeCen: snaps.push_back(mCenter); break;
    case AcDb::kOsModeQuad:
        for (int q = 0; q < 4; ++q)
            if (onCurve(q * std::numbers::pi / 2)) snaps.push_back(pointAt(q * std::numbers::pi / 2));
        break;
    case AcDb::kOsModeEnd:
        if (sweep() < kTwoPi - kParamTol) {
            snaps.push_back(pointAt(mStartParam));
            snaps.push_back(pointAt(mEndParam));
        }
        break;
    case AcDb::kOsModeMid: snaps.push_back(pointAt(mStartParam + sweep() / 2)); break;
    case AcDb::kOsModeNear: {
        // The nearest of fine samples, refined once around the best.
        double best = mStartParam, bestDist = pick.distanceTo(pointAt(best));
        const double step = sweep() / 720;
        for (int i = 1; i <= 720; ++i) {
            const double t = mStartParam + step * i, d = pick.distanceTo(pointAt(t));
            if (d < bestDist) bestDist = d, best = t;
        }
        for (int i = -50; i <= 50; ++i) {
            const double t = best + step * i / 50, d = pick.distanceTo(pointAt(t));
            if (onCurve(t) && d < bestDist) bestDist = d, best = t;
        }
        snaps.push_back(pointAt(best));
        break;
    }
    default: break;
    }
    return Acad::eOk;
}

// A mirror reverses the direction of the parameter: [s, e] becomes [-e, -s].
Acad::ErrorStatus AcDbEllipse::subTransformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    mCenter.transformBy(xform);
    mMajorAxis = xform * mMajorAxis;
    mNormal = transformedNormal(xform, mNormal);
    if (xform.det() < 0.0) {
        const double s = mStartParam, e = mEndParam;
        const bool full = sweep() >= kTwoPi - kParamTol;
        mStartParam = full ? s : normalizedAngle(-e);
        mEndParam = full ? e : normalizedAngle(-s);
    }
    return Acad::eOk;
}

// Exact box: the end points, and along each world axis the curve's two
// extreme points where they lie on the arc.
Acad::ErrorStatus AcDbEllipse::subGetGeomExtents(AcDbExtents& extents) const {
    const AcGeVector3d minor = mNormal.crossProduct(mMajorAxis) * mRatio;
    extents.addPoint(pointAt(mStartParam));
    extents.addPoint(pointAt(mEndParam));
    for (unsigned i = 0; i < 3; ++i) {
        if (std::fabs(mMajorAxis[i]) < 1e-15 && std::fabs(minor[i]) < 1e-15) continue;
        const double t = std::atan2(minor[i], mMajorAxis[i]);
        for (double param : {t, t + std::numbers::pi})
            if (onCurve(param)) extents.addPoint(pointAt(param));
    }
    return Acad::eOk;
}

void AcDbEllipse::subList() const {
    AcDbCurve::subList();
    acdbPrintf("                  Center: X=%10.4f  Y=%10.4f  Z=%10.4f\n", mCenter.x, mCenter.y, mCenter.z);
    acdbPrintf("              Major Axis: X=%10.4f  Y=%10.4f  Z=%10.4f\n", mMajorAxis.x, mMajorAxis.y, mMajorAxis.z);
    acdbPrintf("            Radius Ratio: %10.4f\n", mRatio);
    acdbPrintf("             Start Angle: %10.4f\n", mStartParam * 180.0 / std::numbers::pi);
    acdbPrintf("               End Angle: %10.4f\n", mEndParam * 180.0 / std::numbers::pi);
}

Acad::ErrorStatus AcDbEllipse::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDbEllipse>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbEllipse::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDbEllipse>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbEllipse::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDbEllipse>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbEllipse::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDbEllipse>::parts(), mKept, filer);
    if (es != Acad::eOk) return es;
    // An ellipse without a major axis or a plane cannot be drawn: the file's
    // data stays as it is, in a proxy.
    if (mMajorAxis.isZeroLength() || mNormal.isZeroLength() || !(mRatio > 0.0) || mRatio > 1.0 + 1e-9)
        return Acad::eMakeMeProxy;
    mNormal = mNormal.normal();
    return Acad::eOk;
}
