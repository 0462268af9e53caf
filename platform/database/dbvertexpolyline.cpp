// Polylines with vertex entities: drawing (bulges as arcs), grips and
// snaps at the vertices, transforms through the vertices, filing.
#include "database/dbvertexpolyline.h"

#include <array>
#include <cmath>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/dbocs.h"
#include "database/dbopen.h"
#include "database/dbvertex.h"
#include "graphics/AcGiWorldDraw.h"

ACRX_HOST_CLASS_MEMBERS(AcDbVertexPolyline, AcDbCurve, nullptr, "")
static AcRxObject* make2dPolyline() { return new AcDb2dPolyline(); }
ACRX_HOST_CLASS_MEMBERS(AcDb2dPolyline, AcDbVertexPolyline, make2dPolyline, "POLYLINE")
static AcRxObject* make3dPolyline() { return new AcDb3dPolyline(); }
ACRX_HOST_CLASS_MEMBERS(AcDb3dPolyline, AcDbVertexPolyline, make3dPolyline, "POLYLINE")

template <>
struct AcDbFieldList<AcDb2dPolyline> {
    static std::span<const AcDbSubclassFields<AcDb2dPolyline>> parts() {
        static const std::array<AcDbField<AcDb2dPolyline>, 6> fields{{
            {"elevation", 10, &AcDb2dPolyline::mElevation, AcGePoint3d::kOrigin},
            {"thickness", 39, &AcDb2dPolyline::mThickness, 0.0},
            {"flags", 70, &AcDb2dPolyline::mFlags, Adesk::Int16(0)},
            {"startWidth", 40, &AcDb2dPolyline::mStartWidth, 0.0},
            {"endWidth", 41, &AcDb2dPolyline::mEndWidth, 0.0},
            {"normal", 210, &AcDb2dPolyline::mNormal, AcGeVector3d::kZAxis},
        }};
        static const std::array<AcDbSubclassFields<AcDb2dPolyline>, 1> list{{{"AcDb2dPolyline", fields}}};
        return list;
    }
};

template <>
struct AcDbFieldList<AcDb3dPolyline> {
    static std::span<const AcDbSubclassFields<AcDb3dPolyline>> parts() {
        static const std::array<AcDbField<AcDb3dPolyline>, 2> fields{{
            {"origin", 10, &AcDb3dPolyline::mOrigin, AcGePoint3d::kOrigin},
            {"flags", 70, &AcDb3dPolyline::mFlags, Adesk::Int16(8)},
        }};
        static const std::array<AcDbSubclassFields<AcDb3dPolyline>, 1> list{{{"AcDb3dPolyline", fields}}};
        return list;
    }
};

namespace {
constexpr int kArcSegments = 16;  // per bulged segment, for display
}

AcRxClass* polylineClassForFlags(int flags) {
    if (flags & (16 | 64)) return nullptr;  // polygon and polyface meshes
    return (flags & 8) ? AcDb3dPolyline::desc() : AcDb2dPolyline::desc();
}

// ---- shared: vertices ----

std::vector<AcDbVertexPolyline::Vertex> AcDbVertexPolyline::vertices() const {
    std::vector<Vertex> out;
    out.reserve(mVertices.size());
    const AcGeVector3d n = planeNormal();
    const double z = elevation();
    for (AcDbObjectId id : mVertices) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) continue;
        if (auto* v2 = AcDb2dVertex::cast(e)) {
            const AcGePoint3d p = v2->position();
            out.push_back({ocsToWorld(n, AcGePoint3d(p.x, p.y, z)), v2->bulge()});
        } else if (auto* v3 = AcDb3dPolylineVertex::cast(e)) {
            out.push_back({v3->position(), 0.0});
        }
        e->close();
    }
    return out;
}

std::vector<AcGePoint3d> AcDbVertexPolyline::worldVertices() const {
    assertReadEnabled();
    std::vector<AcGePoint3d> points;
    for (const Vertex& v : vertices()) points.push_back(v.world);
    return points;
}

void AcDbVertexPolyline::storeVertices(const std::vector<AcGePoint3d>& world, bool mirrored) {
    const AcGeVector3d n = planeNormal();
    size_t i = 0;
    for (AcDbObjectId id : mVertices) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForWrite) != Acad::eOk) continue;
        if (auto* v2 = AcDb2dVertex::cast(e); v2 && i < world.size()) {
            const AcGePoint3d local = worldToOcs(n, world[i++]);
            v2->setPosition(AcGePoint3d(local.x, local.y, v2->position().z));
            if (mirrored) v2->setBulge(-v2->bulge());
        } else if (auto* v3 = AcDb3dPolylineVertex::cast(e); v3 && i < world.size()) {
            v3->setPosition(world[i++]);
        }
        e->close();
    }
}

std::vector<AcGePoint3d> AcDbVertexPolyline::outline() const {
    const std::vector<Vertex> vs = vertices();
    std::vector<AcGePoint3d> points;
    if (vs.empty()) return points;
    const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(planeNormal());
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(planeNormal());
    const size_t segments = isClosed() ? vs.size() : vs.size() - 1;
    points.push_back(vs[0].world);
    for (size_t i = 0; i < segments; ++i) {
        const Vertex& a = vs[i];
        const Vertex& b = vs[(i + 1) % vs.size()];
        if (a.bulge != 0.0 && a.world.distanceTo(b.world) > 1e-12) {
            // The arc of the bulge in the plane: sweep 4 atan(bulge) about its centre.
            const AcGePoint3d pa = AcGePoint3d(a.world).transformBy(toPlane);
            const AcGePoint3d pb = AcGePoint3d(b.world).transformBy(toPlane);
            const double sweep = 4.0 * std::atan(a.bulge);
            const AcGeVector3d chord = pb - pa;
            const double c = chord.length();
            const double h = c / 2 * (1 - a.bulge * a.bulge) / (2 * a.bulge);  // centre's distance off the chord
            const AcGeVector3d left(-chord.y / c, chord.x / c, 0.0);
            const AcGePoint3d center = pa + chord / 2 + left * h;
            const double radius = center.distanceTo(pa);
            const double start = std::atan2(pa.y - center.y, pa.x - center.x);
            for (int k = 1; k <= kArcSegments; ++k) {
                const double t = start + sweep * k / kArcSegments;
                points.push_back(
                    AcGePoint3d(center.x + radius * std::cos(t), center.y + radius * std::sin(t), pa.z).transformBy(toWorld));
            }
        } else {
            points.push_back(b.world);
        }
    }
    return points;
}

bool AcDbVertexPolyline::subWorldDraw(AcGiWorldDraw* wd) {
    const std::vector<AcGePoint3d> points = outline();
    if (points.size() < 2) return true;
    const AcGeVector3d n = planeNormal();
    wd->geometry().polyline(static_cast<Adesk::UInt32>(points.size()), points.data(), &n);
    return true;
}

Acad::ErrorStatus AcDbVertexPolyline::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    for (const Vertex& v : vertices()) points.push_back(v.world);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbVertexPolyline::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    std::vector<AcGePoint3d> world = worldVertices();
    for (int i : indices)
        if (i >= 0 && static_cast<size_t>(i) < world.size()) world[i] += offset;
    storeVertices(world, false);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbVertexPolyline::subGetStretchPoints(AcGePoint3dArray& points) const {
    AcDbIntArray modes, ids;
    return subGetGripPoints(points, modes, ids);
}
Acad::ErrorStatus AcDbVertexPolyline::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return subMoveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbVertexPolyline::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                                        const AcGePoint3d&, const AcGeMatrix3d&,
                                                        AcGePoint3dArray& snaps, AcDbIntArray&) const {
    const std::vector<Vertex> vs = vertices();
    if (mode == AcDb::kOsModeEnd) {
        for (const Vertex& v : vs) snaps.push_back(v.world);
    } else if (mode == AcDb::kOsModeMid && vs.size() > 1) {
        const size_t segments = isClosed() ? vs.size() : vs.size() - 1;
        for (size_t i = 0; i < segments; ++i)
            if (vs[i].bulge == 0.0) snaps.push_back(vs[i].world + (vs[(i + 1) % vs.size()].world - vs[i].world) / 2);
    }
    return Acad::eOk;
}

// The vertices go through the transform in world coordinates and are filed
// again in the transformed plane; a mirror turns every bulge.
Acad::ErrorStatus AcDbVertexPolyline::subTransformBy(const AcGeMatrix3d& xform) {
    std::vector<AcGePoint3d> world = worldVertices();
    for (AcGePoint3d& p : world) p.transformBy(xform);
    const AcGeVector3d n = transformedNormal(xform, planeNormal());
    setPlane(n, world.empty() ? elevation() : worldToOcs(n, world.front()).z);
    storeVertices(world, xform.det() < 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbVertexPolyline::subGetGeomExtents(AcDbExtents& extents) const {
    for (const AcGePoint3d& p : outline()) extents.addPoint(p);
    return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

void AcDbVertexPolyline::subList() const {
    AcDbCurve::subList();
    acdbPrintf("              %s polyline, %d vertices\n", isClosed() ? "closed" : "open", static_cast<int>(mVertices.size()));
    for (const Vertex& v : vertices())
        acdbPrintf("                  at point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", v.world.x, v.world.y, v.world.z);
}

// ---- 2D ----

AcDb2dPolyline::AcDb2dPolyline() {}

AcRxClass* AcDb2dPolyline::followerClass(int flags) const {
    return (flags & (32 | 64 | 128)) ? nullptr : AcDb2dVertex::desc();
}

void AcDb2dPolyline::setPlane(const AcGeVector3d& normal, double z) {
    mNormal = normal;
    mElevation.z = z;
}

Acad::ErrorStatus AcDb2dPolyline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es == Acad::eOk) es = AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDb2dPolyline>::parts(), mKept, filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutFollowers(mVertices, mSequenceEnd, filer);
}
Acad::ErrorStatus AcDb2dPolyline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es == Acad::eOk) es = AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDb2dPolyline>::parts(), mKept, filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInFollowers(mVertices, mSequenceEnd, filer);
}
Acad::ErrorStatus AcDb2dPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDb2dPolyline>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb2dPolyline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDb2dPolyline>::parts(), mKept, filer);
    if (mNormal.isZeroLength()) mNormal = AcGeVector3d::kZAxis;
    return es;
}

// ---- 3D ----

AcDb3dPolyline::AcDb3dPolyline() {}

AcRxClass* AcDb3dPolyline::followerClass(int flags) const {
    return (flags & (64 | 128)) ? nullptr : AcDb3dPolylineVertex::desc();
}

Acad::ErrorStatus AcDb3dPolyline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es == Acad::eOk) es = AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDb3dPolyline>::parts(), mKept, filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutFollowers(mVertices, mSequenceEnd, filer);
}
Acad::ErrorStatus AcDb3dPolyline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es == Acad::eOk) es = AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDb3dPolyline>::parts(), mKept, filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInFollowers(mVertices, mSequenceEnd, filer);
}
Acad::ErrorStatus AcDb3dPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDb3dPolyline>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb3dPolyline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDb3dPolyline>::parts(), mKept, filer);
}
