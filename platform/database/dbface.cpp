// 3D face: four corners, visible edges, grips and snaps.
#include "database/dbface.h"

#include <array>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeFace() { return new AcDbFace(); }
ACRX_HOST_CLASS_MEMBERS(AcDbFace, AcDbEntity, makeFace, "3DFACE")

template <>
struct AcDbFieldList<AcDbFace> {
    static std::span<const AcDbField<AcDbFace>> fields() {
        static const std::array<AcDbField<AcDbFace>, 5> list{{
            {"corner0", 10, &AcDbFace::mP0, AcGePoint3d::kOrigin},
            {"corner1", 11, &AcDbFace::mP1, AcGePoint3d::kOrigin},
            {"corner2", 12, &AcDbFace::mP2, AcGePoint3d::kOrigin},
            {"corner3", 13, &AcDbFace::mP3, AcGePoint3d::kOrigin},
            {"invisibleEdges", 70, &AcDbFace::mInvisibleEdges, Adesk::Int16(0)},
        }};
        return list;
    }
};

AcDbFace::AcDbFace() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbFace>::fields()); }
AcDbFace::AcDbFace(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3)
    : AcDbFace() {
    mP0 = p0;
    mP1 = p1;
    mP2 = p2;
    mP3 = p3;
}

Acad::ErrorStatus AcDbFace::getVertexAt(Adesk::UInt16 index, AcGePoint3d& point) const {
    assertReadEnabled();
    if (index > 3) return Acad::eInvalidIndex;
    point = corner(index);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbFace::setVertexAt(Adesk::UInt16 index, const AcGePoint3d& point) {
    if (index > 3) return Acad::eInvalidIndex;
    assertWriteEnabled();
    corner(index) = point;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbFace::isEdgeVisibleAt(Adesk::UInt16 index, bool& visible) const {
    assertReadEnabled();
    if (index > 3) return Acad::eInvalidIndex;
    visible = (mInvisibleEdges & (1 << index)) == 0;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbFace::makeEdgeInvisibleAt(Adesk::UInt16 index) {
    if (index > 3) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mInvisibleEdges = static_cast<Adesk::Int16>(mInvisibleEdges | (1 << index));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbFace::makeEdgeVisibleAt(Adesk::UInt16 index) {
    if (index > 3) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mInvisibleEdges = static_cast<Adesk::Int16>(mInvisibleEdges & ~(1 << index));
    return Acad::eOk;
}

// Visible edges only, each as its own segment.
bool AcDbFace::subWorldDraw(AcGiWorldDraw* wd) {
    if (mInvisibleEdges == 0) {
        AcGePoint3d pts[5] = {mP0, mP1, mP2, mP3, mP0};
        wd->geometry().polyline(5, pts);
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        if (mInvisibleEdges & (1 << i)) continue;
        AcGePoint3d pts[2] = {corner(i), corner((i + 1) % 4)};
        wd->geometry().polyline(2, pts);
    }
    return true;
}

Acad::ErrorStatus AcDbFace::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    for (int i = 0; i < 4; ++i) points.push_back(corner(i));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i >= 0 && i < 4) corner(i) += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                              const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                              AcDbIntArray&) const {
    if (mode == AcDb::kOsModeEnd)
        for (int i = 0; i < 4; ++i) snaps.push_back(corner(i));
    if (mode == AcDb::kOsModeMid)
        for (int i = 0; i < 4; ++i) snaps.push_back(corner(i) + (corner((i + 1) % 4) - corner(i)) * 0.5);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subTransformBy(const AcGeMatrix3d& xform) {
    for (int i = 0; i < 4; ++i) corner(i).transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::subGetGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    for (int i = 0; i < 4; ++i) extents.addPoint(corner(i));
    return Acad::eOk;
}

void AcDbFace::subList() const {
    AcDbEntity::subList();
    for (int i = 0; i < 4; ++i)
        acdbPrintf("             corner %d, X=%10.4f  Y=%10.4f  Z=%10.4f\n", i + 1, corner(i).x, corner(i).y,
                   corner(i).z);
}

Acad::ErrorStatus AcDbFace::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbFace>::fields(), filer);
}
Acad::ErrorStatus AcDbFace::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbFace>::fields(), filer);
}
Acad::ErrorStatus AcDbFace::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutWithMarker(*this, "AcDbFace", filer);
}
Acad::ErrorStatus AcDbFace::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfInWithMarker(*this, "AcDbFace", filer);
}
