// Arc: fields, drawing, grips, snaps, transforms and exact extents.
#include "database/dbarc.h"

#include <array>
#include <cmath>
#include <numbers>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/dbocs.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeArc() { return new AcDbArc(); }
ACRX_HOST_CLASS_MEMBERS(AcDbArc, AcDbCurve, makeArc, "ARC")

template <>
struct AcDbFieldList<AcDbArc> {
    static std::span<const AcDbSubclassFields<AcDbArc>> parts() {
        static const std::array<AcDbField<AcDbArc>, 4> circle{{
            {"thickness", 39, &AcDbArc::mThickness, 0.0},
            {"center", 10, &AcDbArc::mCenter, AcGePoint3d::kOrigin},
            {"radius", 40, &AcDbArc::mRadius, 0.0},
            {"normal", 210, &AcDbArc::mNormal, AcGeVector3d::kZAxis},
        }};
        static const std::array<AcDbField<AcDbArc>, 2> arc{{
            {"startAngle", 50, &AcDbArc::mStartAngle, 0.0},
            {"endAngle", 51, &AcDbArc::mEndAngle, 0.0},
        }};
        static const std::array<AcDbSubclassFields<AcDbArc>, 2> list{{{"AcDbCircle", circle}, {"AcDbArc", arc}}};
        return list;
    }
};

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kAngleTol = 1e-10;
}

AcDbArc::AcDbArc() {}
AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
                 double endAngle) {
    if (!normal.isZeroLength()) mNormal = normal.normal();
    mCenter = worldToOcs(mNormal, center);
    mRadius = std::fabs(radius);
    mStartAngle = normalizedAngle(startAngle);
    mEndAngle = normalizedAngle(endAngle);
}

AcGePoint3d AcDbArc::center() const { assertReadEnabled(); return ocsToWorld(mNormal, mCenter); }
Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& c) {
    assertWriteEnabled();
    mCenter = worldToOcs(mNormal, c);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbArc::setRadius(double r) {
    if (!(r > 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = r;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbArc::setStartAngle(double a) { assertWriteEnabled(); mStartAngle = normalizedAngle(a); return Acad::eOk; }
Acad::ErrorStatus AcDbArc::setEndAngle(double a) { assertWriteEnabled(); mEndAngle = normalizedAngle(a); return Acad::eOk; }

double AcDbArc::sweep() const {
    assertReadEnabled();
    const double s = normalizedAngle(mEndAngle - mStartAngle);
    return s < kAngleTol ? kTwoPi : s;
}

bool AcDbArc::onArc(double angle) const { return normalizedAngle(angle - mStartAngle) <= sweep() + kAngleTol; }

AcGePoint3d AcDbArc::pointAtAngle(double angle) const {
    return ocsToWorld(mNormal, mCenter + AcGeVector3d(std::cos(angle), std::sin(angle), 0.0) * mRadius);
}

// ---- curve protocol: the parameter is the angle ----

Acad::ErrorStatus AcDbArc::getStartParam(double& p) const { assertReadEnabled(); p = mStartAngle; return Acad::eOk; }
Acad::ErrorStatus AcDbArc::getEndParam(double& p) const { assertReadEnabled(); p = mStartAngle + sweep(); return Acad::eOk; }
Acad::ErrorStatus AcDbArc::getStartPoint(AcGePoint3d& p) const { assertReadEnabled(); p = pointAtAngle(mStartAngle); return Acad::eOk; }
Acad::ErrorStatus AcDbArc::getEndPoint(AcGePoint3d& p) const { assertReadEnabled(); p = pointAtAngle(mEndAngle); return Acad::eOk; }
Acad::ErrorStatus AcDbArc::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    if (!onArc(param)) return Acad::eInvalidInput;
    point = pointAtAngle(param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest, bool extend) const {
    assertReadEnabled();
    const AcGePoint3d local = worldToOcs(mNormal, given);
    const double angle = std::atan2(local.y - mCenter.y, local.x - mCenter.x);
    if (extend || onArc(angle)) {
        closest = pointAtAngle(angle);
        return Acad::eOk;
    }
    const AcGePoint3d s = pointAtAngle(mStartAngle), e = pointAtAngle(mEndAngle);
    closest = given.distanceTo(s) <= given.distanceTo(e) ? s : e;
    return Acad::eOk;
}

// ---- drawing and editing ----

bool AcDbArc::subWorldDraw(AcGiWorldDraw* wd) {
    const AcGePoint3d c = ocsToWorld(mNormal, mCenter);
    wd->geometry().circularArc(c, mRadius, mNormal, pointAtAngle(mStartAngle) - c, sweep());
    return true;
}

// Grips: centre (moves the arc), start, end (change the angle) and middle
// (changes the radius).
Acad::ErrorStatus AcDbArc::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(ocsToWorld(mNormal, mCenter));
    points.push_back(pointAtAngle(mStartAngle));
    points.push_back(pointAtAngle(mEndAngle));
    points.push_back(pointAtAngle(mStartAngle + sweep() / 2));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices) {
        const AcGePoint3d c = ocsToWorld(mNormal, mCenter);
        if (i == 0) {
            mCenter = worldToOcs(mNormal, c + offset);
            return Acad::eOk;
        }
        const AcGePoint3d moved = worldToOcs(mNormal, (i == 1   ? pointAtAngle(mStartAngle)
                                                       : i == 2 ? pointAtAngle(mEndAngle)
                                                                : pointAtAngle(mStartAngle + sweep() / 2)) +
                                                          offset);
        const double angle = normalizedAngle(std::atan2(moved.y - mCenter.y, moved.x - mCenter.x));
        if (i == 1) mStartAngle = angle;
        else if (i == 2) mEndAngle = angle;
        else if (i == 3) {
            const double r = std::hypot(moved.x - mCenter.x, moved.y - mCenter.y);
            if (r > 0.0) mRadius = r;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subGetStretchPoints(AcGePoint3dArray& points) const {
    points.push_back(ocsToWorld(mNormal, mCenter));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (!indices.empty() && indices.front() == 0) mCenter = worldToOcs(mNormal, ocsToWorld(mNormal, mCenter) + offset);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d& pick,
                                             const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                             AcDbIntArray&) const {
    AcGePoint3d p;
    switch (mode) {
    case AcDb::kOsModeEnd:
        snaps.push_back(pointAtAngle(mStartAngle));
        snaps.push_back(pointAtAngle(mEndAngle));
        break;
    case AcDb::kOsModeMid: snaps.push_back(pointAtAngle(mStartAngle + sweep() / 2)); break;
    case AcDb::kOsModeCen: snaps.push_back(ocsToWorld(mNormal, mCenter)); break;
    case AcDb::kOsModeQuad:
        for (int q = 0; q < 4; ++q)
            if (onArc(q * std::numbers::pi / 2)) snaps.push_back(pointAtAngle(q * std::numbers::pi / 2));
        break;
    case AcDb::kOsModeNear:
        getClosestPointTo(pick, p);
        snaps.push_back(p);
        break;
    default: break;
    }
    return Acad::eOk;
}

// The end points and the centre go through the transform; the angles are
// measured again in the new plane. A mirror reverses the direction.
Acad::ErrorStatus AcDbArc::subTransformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    AcGePoint3d c = ocsToWorld(mNormal, mCenter), s = pointAtAngle(mStartAngle), e = pointAtAngle(mEndAngle);
    c.transformBy(xform);
    s.transformBy(xform);
    e.transformBy(xform);
    mNormal = transformedNormal(xform, mNormal);
    if (xform.det() < 0.0) std::swap(s, e);
    mCenter = worldToOcs(mNormal, c);
    const AcGePoint3d ls = worldToOcs(mNormal, s), le = worldToOcs(mNormal, e);
    const bool full = sweep() >= kTwoPi - kAngleTol;
    mStartAngle = normalizedAngle(std::atan2(ls.y - mCenter.y, ls.x - mCenter.x));
    mEndAngle = full ? mStartAngle : normalizedAngle(std::atan2(le.y - mCenter.y, le.x - mCenter.x));
    mRadius *= xform.scale();
    mThickness *= xform.scale();
    return Acad::eOk;
}

// Exact box: the end points, and along each world axis the two extreme
// points of the circle where they lie on the arc.
Acad::ErrorStatus AcDbArc::subGetGeomExtents(AcDbExtents& extents) const {
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(mNormal);
    const AcGeVector3d x = toWorld * AcGeVector3d::kXAxis, y = toWorld * AcGeVector3d::kYAxis;
    extents.addPoint(pointAtAngle(mStartAngle));
    extents.addPoint(pointAtAngle(mEndAngle));
    for (unsigned i = 0; i < 3; ++i) {
        if (std::fabs(x[i]) < 1e-15 && std::fabs(y[i]) < 1e-15) continue;
        const double a = std::atan2(y[i], x[i]);
        for (double angle : {a, a + std::numbers::pi})
            if (onArc(angle)) extents.addPoint(pointAtAngle(angle));
    }
    if (mThickness != 0.0) extents.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

void AcDbArc::subList() const {
    AcDbCurve::subList();
    const AcGePoint3d c = ocsToWorld(mNormal, mCenter);
    acdbPrintf("            center point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", c.x, c.y, c.z);
    acdbPrintf("            radius %10.4f\n", mRadius);
    acdbPrintf("       start angle %10.4f\n", mStartAngle * 180.0 / std::numbers::pi);
    acdbPrintf("         end angle %10.4f\n", mEndAngle * 180.0 / std::numbers::pi);
    acdbPrintf("            length %10.4f\n", mRadius * sweep());
}

// ---- filing ----

Acad::ErrorStatus AcDbArc::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDbArc>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbArc::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDbArc>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDbArc>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDbArc>::parts(), mKept, filer);
    if (!mNormal.isZeroLength()) mNormal = mNormal.normal();
    else mNormal = AcGeVector3d::kZAxis;
    return es;
}
