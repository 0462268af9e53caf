// Lightweight polyline: segments with bulges, area, curve protocol, filing.
#include "database/dbpolyline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/dbline.h"
#include "graphics/AcGiWidePolyline.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makePolyline() { return new AcDbPolyline(); }
ACRX_HOST_CLASS_MEMBERS(AcDbPolyline, AcDbCurve, makePolyline, "LWPOLYLINE")

// The vertex list follows these fields (count, then each vertex).
template <>
struct AcDbFieldList<AcDbPolyline> {
    static std::span<const AcDbField<AcDbPolyline>> fields() {
        static const std::array<AcDbField<AcDbPolyline>, 4> list{{
            {"flags", 70, &AcDbPolyline::mFlags, Adesk::Int16(0)},
            {"elevation", 38, &AcDbPolyline::mElevation, 0.0},
            {"thickness", 39, &AcDbPolyline::mThickness, 0.0},
            {"normal", 210, &AcDbPolyline::mNormal, AcGeVector3d::kZAxis},
        }};
        return list;
    }
};

namespace {
// Arc of a bulged segment: centre, radius, start angle and signed sweep.
struct Arc {
    AcGePoint2d center;
    double radius = 0.0, start = 0.0, sweep = 0.0;
};
Arc arcOf(const AcGePoint2d& a, const AcGePoint2d& b, double bulge) {
    Arc arc;
    const AcGeVector2d chord = b - a;
    const double c = chord.length();
    const AcGeVector2d left(-chord.y / c, chord.x / c);
    const double offset = c / 2 * (1 - bulge * bulge) / (2 * bulge);
    arc.center = AcGePoint2d((a.x + b.x) / 2 + left.x * offset, (a.y + b.y) / 2 + left.y * offset);
    arc.radius = arc.center.distanceTo(a);
    arc.start = std::atan2(a.y - arc.center.y, a.x - arc.center.x);
    arc.sweep = 4 * std::atan(bulge);
    return arc;
}
bool isArc(const AcGePoint2d& a, const AcGePoint2d& b, double bulge) {
    return bulge != 0.0 && a.distanceTo(b) > 1e-12;
}
} // namespace

// Many thousands in a drawing: the vertices are one pointer here.
static_assert(sizeof(AcDbPolyline) <= 104, "the polyline's members have grown");

AcDbPolyline::AcDbPolyline() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbPolyline>::fields()); }

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned index, const AcGePoint2d& p, double bulge, double sw,
                                            double ew) {
    assertWriteEnabled();
    mVerts.insert(index, Vertex{p, bulge, sw, ew});
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned index) {
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVerts.erase(index);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned index, AcGePoint2d& p) const {
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    p = mVerts.point(index);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned index, AcGePoint3d& p) const {
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    p = toWorld(mVerts.point(index));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned index, const AcGePoint2d& p) {
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVerts.setPoint(index, p);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned index, double& bulge) const {
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    bulge = mVerts.bulge(index);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned index, double bulge) {
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVerts.setBulge(index, bulge);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned index, double& sw, double& ew) const {
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    sw = mVerts.startWidth(index);
    ew = mVerts.endWidth(index);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned index, double sw, double ew) {
    if (index >= mVerts.size() || sw < 0.0 || ew < 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mVerts.setWidths(index, sw, ew);
    return Acad::eOk;
}
void AcDbPolyline::setClosed(bool closed) {
    assertWriteEnabled();
    mFlags = static_cast<Adesk::Int16>(closed ? (mFlags | 1) : (mFlags & ~1));
}
bool AcDbPolyline::isClosed() const { assertReadEnabled(); return (mFlags & 1) != 0; }
Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& n) {
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

// ---- segment geometry ----

unsigned AcDbPolyline::numSegments() const {
    const unsigned n = static_cast<unsigned>(mVerts.size());
    if (n < 2) return 0;
    return (mFlags & 1) ? n : n - 1;
}

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& p) const {
    return AcGePoint3d::kOrigin + AcGeMatrix3d::planeToWorld(mNormal) * AcGeVector3d(p.x, p.y, mElevation);
}
AcGePoint2d AcDbPolyline::toPlane(const AcGePoint3d& p) const {
    const AcGeVector3d v = AcGeMatrix3d::worldToPlane(mNormal) * p.asVector();
    return {v.x, v.y};
}

AcGePoint2d AcDbPolyline::segmentPoint(unsigned i, double t) const {
    const Vertex v = mVerts[i];
    const AcGePoint2d& b = mVerts.point((i + 1) % mVerts.size());
    if (!isArc(v.point, b, v.bulge)) return v.point + (b - v.point) * t;
    const Arc arc = arcOf(v.point, b, v.bulge);
    const double a = arc.start + arc.sweep * t;
    return {arc.center.x + arc.radius * std::cos(a), arc.center.y + arc.radius * std::sin(a)};
}

double AcDbPolyline::segmentLength(unsigned i) const {
    const Vertex v = mVerts[i];
    const AcGePoint2d& b = mVerts.point((i + 1) % mVerts.size());
    if (!isArc(v.point, b, v.bulge)) return v.point.distanceTo(b);
    const Arc arc = arcOf(v.point, b, v.bulge);
    return arc.radius * std::fabs(arc.sweep);
}

double AcDbPolyline::closestOnSegment(unsigned i, const AcGePoint2d& p, AcGePoint2d& closest) const {
    const Vertex v = mVerts[i];
    const AcGePoint2d& b = mVerts.point((i + 1) % mVerts.size());
    double t = 0.0;
    if (!isArc(v.point, b, v.bulge)) {
        const AcGeVector2d d = b - v.point;
        const double len2 = d.x * d.x + d.y * d.y;
        t = len2 > 0.0 ? std::clamp(((p.x - v.point.x) * d.x + (p.y - v.point.y) * d.y) / len2, 0.0, 1.0) : 0.0;
    } else {
        const Arc arc = arcOf(v.point, b, v.bulge);
        double rel = std::atan2(p.y - arc.center.y, p.x - arc.center.x) - arc.start;
        if (arc.sweep < 0) rel = -rel;
        rel = std::fmod(rel + 4 * std::numbers::pi, 2 * std::numbers::pi);
        t = rel / std::fabs(arc.sweep);
        if (t > 1.0) t = p.distanceTo(v.point) < p.distanceTo(b) ? 0.0 : 1.0;
    }
    closest = segmentPoint(i, t);
    return t;
}

// ---- curve protocol ----

Acad::ErrorStatus AcDbPolyline::getStartParam(double& p) const { assertReadEnabled(); p = 0.0; return Acad::eOk; }
Acad::ErrorStatus AcDbPolyline::getEndParam(double& p) const {
    assertReadEnabled();
    if (mVerts.empty()) return Acad::eDegenerateGeometry;
    p = numSegments();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::getStartPoint(AcGePoint3d& p) const { return getPointAtParam(0.0, p); }
Acad::ErrorStatus AcDbPolyline::getEndPoint(AcGePoint3d& p) const {
    double end = 0.0;
    Acad::ErrorStatus es = getEndParam(end);
    return es == Acad::eOk ? getPointAtParam(end, p) : es;
}

Acad::ErrorStatus AcDbPolyline::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    if (mVerts.empty()) return Acad::eDegenerateGeometry;
    const unsigned n = numSegments();
    if (param < -1e-10 || param > n + 1e-10) return Acad::eInvalidInput;
    if (n == 0) {
        point = toWorld(mVerts.point(0));
        return Acad::eOk;
    }
    unsigned i = std::min(static_cast<unsigned>(std::max(param, 0.0)), n - 1);
    point = toWorld(segmentPoint(i, std::clamp(param - i, 0.0, 1.0)));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    assertReadEnabled();
    const AcGePoint2d p = toPlane(point);
    for (unsigned i = 0; i < numSegments(); ++i) {
        AcGePoint2d c;
        const double t = closestOnSegment(i, p, c);
        if (toWorld(c).isEqualTo(point)) {
            param = i + t;
            return Acad::eOk;
        }
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbPolyline::getDistAtParam(double param, double& dist) const {
    assertReadEnabled();
    const unsigned n = numSegments();
    if (param < -1e-10 || param > n + 1e-10) return Acad::eInvalidInput;
    dist = 0.0;
    for (unsigned i = 0; i < n && param > i; ++i) dist += segmentLength(i) * std::min(1.0, param - i);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtDist(double dist, double& param) const {
    assertReadEnabled();
    if (dist < -1e-10) return Acad::eInvalidInput;
    double walked = 0.0;
    const unsigned n = numSegments();
    for (unsigned i = 0; i < n; ++i) {
        const double len = segmentLength(i);
        if (dist <= walked + len + 1e-10) {
            param = i + (len > 0.0 ? std::clamp((dist - walked) / len, 0.0, 1.0) : 0.0);
            return Acad::eOk;
        }
        walked += len;
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbPolyline::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    return es == Acad::eOk ? getDistAtParam(param, dist) : es;
}
Acad::ErrorStatus AcDbPolyline::getPointAtDist(double dist, AcGePoint3d& point) const {
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtDist(dist, param);
    return es == Acad::eOk ? getPointAtParam(param, point) : es;
}

Acad::ErrorStatus AcDbPolyline::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest, bool) const {
    assertReadEnabled();
    if (mVerts.empty()) return Acad::eDegenerateGeometry;
    const AcGePoint2d p = toPlane(given);
    AcGePoint2d best = mVerts.point(0);
    for (unsigned i = 0; i < numSegments(); ++i) {
        AcGePoint2d c;
        closestOnSegment(i, p, c);
        if (c.distanceTo(p) < best.distanceTo(p)) best = c;
    }
    closest = toWorld(best);
    return Acad::eOk;
}

// Shoelace area of the vertices plus the circular segments of the bulges,
// each signed by its turning direction.
Acad::ErrorStatus AcDbPolyline::getArea(double& area) const {
    assertReadEnabled();
    const size_t n = mVerts.size();
    double twice = 0.0, segments = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const Vertex v = mVerts[i];
        const AcGePoint2d& b = mVerts.point((i + 1) % n);
        twice += v.point.x * b.y - b.x * v.point.y;
        const bool lastOpen = i + 1 == n && !(mFlags & 1);
        if (!lastOpen && isArc(v.point, b, v.bulge)) {
            const Arc arc = arcOf(v.point, b, v.bulge);
            const double theta = std::fabs(arc.sweep);
            segments += std::copysign(arc.radius * arc.radius * (theta - std::sin(theta)) / 2, v.bulge);
        }
    }
    area = std::fabs(twice / 2 + segments);
    return Acad::eOk;
}

// ---- drawing and editing ----

bool AcDbPolyline::subWorldDraw(AcGiWorldDraw* wd) {
    if (mVerts.empty()) return true;
    bool anyWidth = false;
    for (const Vertex& v : mVerts) anyWidth = anyWidth || v.startWidth > 0.0 || v.endWidth > 0.0;
    if (anyWidth) {
        // Wide segments show filled, as the display fills them.
        std::vector<AcGiPolylineVertex> vertices;
        vertices.reserve(mVerts.size());
        for (const Vertex& v : mVerts) vertices.push_back({v.point, v.bulge, v.startWidth, v.endWidth});
        const AcGeMatrix3d planeToWorld =
            AcGeMatrix3d::planeToWorld(mNormal) * AcGeMatrix3d::translation(AcGeVector3d(0, 0, mElevation));
        AcGiWidePolyline::draw(wd, vertices, (mFlags & 1) && mVerts.size() > 2, planeToWorld, mNormal);
        return true;
    }
    bool anyArc = false;
    for (const Vertex& v : mVerts) anyArc = anyArc || v.bulge != 0.0;
    if (!anyArc) {
        std::vector<AcGePoint3d> pts;
        pts.reserve(mVerts.size() + 1);
        for (const Vertex& v : mVerts) pts.push_back(toWorld(v.point));
        if ((mFlags & 1) && mVerts.size() > 2) pts.push_back(pts.front());
        wd->geometry().polyline(static_cast<Adesk::UInt32>(pts.size()), pts.data(), &mNormal);
        return true;
    }
    const AcGeMatrix3d toWorldDir = AcGeMatrix3d::planeToWorld(mNormal);
    for (unsigned i = 0; i < numSegments(); ++i) {
        const Vertex v = mVerts[i];
        const AcGePoint2d& b = mVerts.point((i + 1) % mVerts.size());
        if (!isArc(v.point, b, v.bulge)) {
            AcGePoint3d pts[2] = {toWorld(v.point), toWorld(b)};
            wd->geometry().polyline(2, pts, &mNormal);
            continue;
        }
        const Arc arc = arcOf(v.point, b, v.bulge);
        // Arcs are drawn counter-clockwise: a clockwise one starts at its end.
        const double start = arc.sweep >= 0 ? arc.start : arc.start + arc.sweep;
        wd->geometry().circularArc(toWorld(arc.center), arc.radius, mNormal,
                                   toWorldDir * AcGeVector3d(std::cos(start), std::sin(start), 0.0),
                                   std::fabs(arc.sweep));
    }
    return true;
}

Acad::ErrorStatus AcDbPolyline::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    for (const Vertex& v : mVerts) points.push_back(toWorld(v.point));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    const AcGeVector3d local = AcGeMatrix3d::worldToPlane(mNormal) * offset;
    for (int i : indices)
        if (i >= 0 && static_cast<size_t>(i) < mVerts.size()) mVerts.setPoint(i, mVerts.point(i) + AcGeVector2d(local.x, local.y));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d& pick,
                                                  const AcGePoint3d& last, const AcGeMatrix3d&,
                                                  AcGePoint3dArray& snaps, AcDbIntArray&) const {
    AcGePoint3d p;
    switch (mode) {
    case AcDb::kOsModeEnd:
        for (const Vertex& v : mVerts) snaps.push_back(toWorld(v.point));
        break;
    case AcDb::kOsModeMid:
        for (unsigned i = 0; i < numSegments(); ++i) snaps.push_back(toWorld(segmentPoint(i, 0.5)));
        break;
    case AcDb::kOsModeNear:
        if (getClosestPointTo(pick, p) == Acad::eOk) snaps.push_back(p);
        break;
    case AcDb::kOsModePerp:
        for (unsigned i = 0; i < numSegments(); ++i) {
            AcGePoint2d c;
            const double t = closestOnSegment(i, toPlane(last), c);
            if (t > 0.0 && t < 1.0) snaps.push_back(toWorld(c));
        }
        break;
    default: break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d n = xform * mNormal;
    if (n.isZeroLength()) return Acad::eNotApplicable;
    std::vector<AcGePoint3d> world;
    for (const Vertex& v : mVerts) world.push_back(xform * toWorld(v.point));
    const bool mirrored = xform.det() < 0.0;
    const double scale = xform.scale();
    mNormal = n.normal();
    for (unsigned i = 0; i < mVerts.size(); ++i) {
        const AcGeVector3d local = AcGeMatrix3d::worldToPlane(mNormal) * world[i].asVector();
        mVerts.setPoint(i, AcGePoint2d(local.x, local.y));
        if (i == 0) mElevation = local.z;
        if (mirrored) mVerts.setBulge(i, -mVerts.bulge(i));
        mVerts.setWidths(i, mVerts.startWidth(i) * scale, mVerts.endWidth(i) * scale);
    }
    mThickness *= scale;
    return Acad::eOk;
}

// Straight segments become lines; arc segments cannot be exploded here.
Acad::ErrorStatus AcDbPolyline::subExplode(AcDbVoidPtrArray& entitySet) const {
    for (const Vertex& v : mVerts)
        if (v.bulge != 0.0) return Acad::eNotApplicable;
    for (unsigned i = 0; i < numSegments(); ++i) {
        auto* line = new AcDbLine(toWorld(mVerts.point(i)), toWorld(mVerts.point((i + 1) % mVerts.size())));
        line->setNormal(mNormal);
        line->setPropertiesFrom(this);
        entitySet.push_back(line);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetGeomExtents(AcDbExtents& extents) const {
    if (mVerts.empty()) return Acad::eInvalidExtents;
    extents = AcDbExtents();
    for (const Vertex& v : mVerts) extents.addPoint(toWorld(v.point));
    for (unsigned i = 0; i < numSegments(); ++i)
        if (mVerts.bulge(i) != 0.0)
            for (int k = 1; k < 32; ++k) extents.addPoint(toWorld(segmentPoint(i, k / 32.0)));
    return Acad::eOk;
}

void AcDbPolyline::subList() const {
    AcDbCurve::subList();
    acdbPrintf("                %s\n", (mFlags & 1) ? "Closed" : "Open");
    acdbPrintf("        Constant width %10.4f\n", 0.0);
    double area = 0.0, length = 0.0;
    getArea(area);
    getDistAtParam(numSegments(), length);
    acdbPrintf("                  area %10.4f\n", area);
    acdbPrintf("                length %10.4f\n", length);
    for (const Vertex& v : mVerts) acdbPrintf("             at point  X=%10.4f  Y=%10.4f\n", v.point.x, v.point.y);
}

// ---- filing ----

Acad::ErrorStatus AcDbPolyline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es == Acad::eOk) es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbPolyline>::fields(), filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(static_cast<Adesk::Int32>(mVerts.size()));
    for (const Vertex& v : mVerts) {
        filer->writePoint2d(v.point);
        filer->writeDouble(v.bulge);
        filer->writeDouble(v.startWidth);
        filer->writeDouble(v.endWidth);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es == Acad::eOk) es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbPolyline>::fields(), filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk) return filer->filerStatus();
    if (count < 0 || count > (1 << 24)) return Acad::eDwgObjectImproperlyRead;
    mVerts.clear();
    mVerts.reserve(static_cast<unsigned>(std::min(count, Adesk::Int32(4096))));
    for (Adesk::Int32 i = 0; i < count; ++i) {
        Vertex v;
        filer->readPoint2d(&v.point);
        filer->readDouble(&v.bulge);
        filer->readDouble(&v.startWidth);
        if (filer->readDouble(&v.endWidth) != Acad::eOk) return filer->filerStatus();
        mVerts.append(v);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "AcDbPolyline");
    filer->writeInt32(90, static_cast<Adesk::Int32>(mVerts.size()));
    es = AcDbFieldWalk::dxfOut(*this, AcDbFieldList<AcDbPolyline>::fields(), filer);
    if (es != Acad::eOk) return es;
    // One width on every vertex is the constant width (43).
    const double constant = mVerts.empty() ? 0.0 : mVerts.startWidth(0);
    const bool isConstant = constant != 0.0 && std::all_of(mVerts.begin(), mVerts.end(), [&](const Vertex& v) {
        return v.startWidth == constant && v.endWidth == constant;
    });
    if (isConstant) filer->writeDouble(43, constant);
    for (const Vertex& v : mVerts) {
        filer->writePoint2d(10, v.point);
        if (!isConstant && (v.startWidth != 0.0 || v.endWidth != 0.0)) {
            filer->writeDouble(40, v.startWidth);
            filer->writeDouble(41, v.endWidth);
        }
        if (v.bulge != 0.0) filer->writeDouble(42, v.bulge);
    }
    return filer->filerStatus();
}

// Vertex groups apply to the vertex started by the last group 10.
Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mVerts.clear();
    double constant = 0.0;  // 43: the width of every vertex without its own
    es = AcDbEntityFiling::dxfInWithMarker(*this, "AcDbPolyline", filer, [&](const resbuf& rb) {
        const unsigned last = mVerts.size() - 1;  // wraps past the end while there is no vertex
        switch (rb.restype) {
        case 90:  // the vertex count: room for them all at once (a damaged count only costs memory)
            if (rb.resval.rlong > 0) mVerts.reserve(static_cast<unsigned>(std::min(rb.resval.rlong, int32_t(4096))));
            break;
        case 43: constant = rb.resval.rreal; break;
        case 10: mVerts.append(Vertex{AcGePoint2d(rb.resval.rpoint[0], rb.resval.rpoint[1]), 0.0, constant, constant}); break;
        case 40: if (last < mVerts.size()) mVerts.setWidths(last, rb.resval.rreal, mVerts.endWidth(last)); break;
        case 41: if (last < mVerts.size()) mVerts.setWidths(last, mVerts.startWidth(last), rb.resval.rreal); break;
        case 42: if (last < mVerts.size()) mVerts.setBulge(last, rb.resval.rreal); break;
        default: break;
        }
    });
    // The constant width may come after the vertices.
    if (constant != 0.0)
        for (unsigned i = 0; i < mVerts.size(); ++i)
            if (mVerts.startWidth(i) == 0.0 && mVerts.endWidth(i) == 0.0) mVerts.setWidths(i, constant, constant);
    return es;
}
