// Solid: fields, a filled outline, corner grips and snaps, transforms.
#include "database/dbsolid.h"

#include <array>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/dbocs.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeSolid() { return new AcDbSolid(); }
ACRX_HOST_CLASS_MEMBERS(AcDbSolid, AcDbEntity, makeSolid, "SOLID")

template <>
struct AcDbFieldList<AcDbSolid> {
    static std::span<const AcDbSubclassFields<AcDbSolid>> parts() {
        static const std::array<AcDbField<AcDbSolid>, 6> fields{{
            {"point0", 10, &AcDbSolid::mP0, AcGePoint3d::kOrigin},
            {"point1", 11, &AcDbSolid::mP1, AcGePoint3d::kOrigin},
            {"point2", 12, &AcDbSolid::mP2, AcGePoint3d::kOrigin},
            {"point3", 13, &AcDbSolid::mP3, AcGePoint3d::kOrigin},
            {"thickness", 39, &AcDbSolid::mThickness, 0.0},
            {"normal", 210, &AcDbSolid::mNormal, AcGeVector3d::kZAxis},
        }};
        static const std::array<AcDbSubclassFields<AcDbSolid>, 1> list{{{"AcDbTrace", fields}}};
        return list;
    }
};

AcDbSolid::AcDbSolid() {}
AcDbSolid::AcDbSolid(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3)
    : mP0(p0), mP1(p1), mP2(p2), mP3(p3) {}

AcGePoint3d AcDbSolid::corner(int i) const { return ocsToWorld(mNormal, ocsCorner(i)); }

Acad::ErrorStatus AcDbSolid::getPointAt(Adesk::UInt16 index, AcGePoint3d& point) const {
    assertReadEnabled();
    if (index > 3) return Acad::eInvalidIndex;
    point = corner(index);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSolid::setPointAt(Adesk::UInt16 index, const AcGePoint3d& point) {
    if (index > 3) return Acad::eInvalidIndex;
    assertWriteEnabled();
    ocsCorner(index) = worldToOcs(mNormal, point);
    return Acad::eOk;
}

// Filled in outline order 0, 1, 3, 2; a triangle repeats its last corner.
bool AcDbSolid::subWorldDraw(AcGiWorldDraw* wd) {
    AcGePoint3d outline[4] = {corner(0), corner(1), corner(3), corner(2)};
    const Adesk::UInt32 n = mP2.isEqualTo(mP3) ? 3 : 4;
    if (n == 3) outline[2] = corner(2);
    // A solid shows filled.
    wd->subEntityTraits().setFillType(kAcGiFillAlways);
    wd->geometry().polygon(n, outline);
    return true;
}

Acad::ErrorStatus AcDbSolid::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    for (int i = 0; i < 4; ++i) points.push_back(corner(i));
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSolid::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i >= 0 && i < 4) ocsCorner(i) = worldToOcs(mNormal, corner(i) + offset);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSolid::subGetStretchPoints(AcGePoint3dArray& points) const {
    AcDbIntArray modes, ids;
    return subGetGripPoints(points, modes, ids);
}
Acad::ErrorStatus AcDbSolid::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return subMoveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbSolid::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                               const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                               AcDbIntArray&) const {
    if (mode == AcDb::kOsModeEnd)
        for (int i = 0; i < 4; ++i) snaps.push_back(corner(i));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::subTransformBy(const AcGeMatrix3d& xform) {
    AcGePoint3d world[4];
    for (int i = 0; i < 4; ++i) world[i] = corner(i).transformBy(xform);
    mNormal = transformedNormal(xform, mNormal);
    for (int i = 0; i < 4; ++i) ocsCorner(i) = worldToOcs(mNormal, world[i]);
    if (xform.isUniScaledOrtho()) mThickness *= xform.scale();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::subGetGeomExtents(AcDbExtents& extents) const {
    for (int i = 0; i < 4; ++i) extents.addPoint(corner(i));
    if (mThickness != 0.0) extents.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

void AcDbSolid::subList() const {
    AcDbEntity::subList();
    for (int i = 0; i < 4; ++i) {
        const AcGePoint3d p = corner(i);
        acdbPrintf("           %s point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", i == 0 ? "  first" : i == 1 ? " second" : i == 2 ? "  third" : " fourth", p.x, p.y, p.z);
    }
}

Acad::ErrorStatus AcDbSolid::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDbSolid>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbSolid::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDbSolid>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbSolid::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDbSolid>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbSolid::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDbSolid>::parts(), mKept, filer);
    if (mNormal.isZeroLength()) mNormal = AcGeVector3d::kZAxis;
    return es;
}
