// Point: fields, a dot for display, node snap, transforms.
#include "database/dbpoint.h"

#include <array>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/dbocs.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makePoint() { return new AcDbPoint(); }
ACRX_HOST_CLASS_MEMBERS(AcDbPoint, AcDbEntity, makePoint, "POINT")

template <>
struct AcDbFieldList<AcDbPoint> {
    static std::span<const AcDbSubclassFields<AcDbPoint>> parts() {
        static const std::array<AcDbField<AcDbPoint>, 4> fields{{
            {"position", 10, &AcDbPoint::mPosition, AcGePoint3d::kOrigin},
            {"thickness", 39, &AcDbPoint::mThickness, 0.0},
            {"normal", 210, &AcDbPoint::mNormal, AcGeVector3d::kZAxis},
            {"ecsRotation", 50, &AcDbPoint::mAngle, 0.0},
        }};
        static const std::array<AcDbSubclassFields<AcDbPoint>, 1> list{{{"AcDbPoint", fields}}};
        return list;
    }
};

AcDbPoint::AcDbPoint() {}
AcDbPoint::AcDbPoint(const AcGePoint3d& position) : mPosition(position) {}

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPosition = p; return Acad::eOk; }

// The default display: a dot (a line of no length, drawn with round ends).
bool AcDbPoint::subWorldDraw(AcGiWorldDraw* wd) {
    const AcGePoint3d dot[2] = {mPosition, mPosition};
    wd->geometry().polyline(2, dot, &mNormal);
    return true;
}

Acad::ErrorStatus AcDbPoint::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(mPosition);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPoint::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (!indices.empty() && indices.front() == 0) mPosition += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                               const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                               AcDbIntArray&) const {
    if (mode == AcDb::kOsModeNode || mode == AcDb::kOsModeNear) snaps.push_back(mPosition);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::subTransformBy(const AcGeMatrix3d& xform) {
    mPosition.transformBy(xform);
    mNormal = transformedNormal(xform, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::subGetGeomExtents(AcDbExtents& extents) const {
    extents.set(mPosition, mPosition);
    if (mThickness != 0.0) extents.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

void AcDbPoint::subList() const {
    AcDbEntity::subList();
    acdbPrintf("                at point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mPosition.x, mPosition.y, mPosition.z);
}

Acad::ErrorStatus AcDbPoint::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDbPoint>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbPoint::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDbPoint>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbPoint::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDbPoint>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbPoint::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDbPoint>::parts(), mKept, filer);
    if (mNormal.isZeroLength()) mNormal = AcGeVector3d::kZAxis;
    return es;
}
