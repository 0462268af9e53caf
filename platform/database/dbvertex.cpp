// Polyline vertices: their two DXF parts and kept groups.
#include "database/dbvertex.h"

#include <array>

#include "database/dbentityfiling.h"

static AcRxObject* make2dVertex() { return new AcDb2dVertex(); }
ACRX_HOST_CLASS_MEMBERS(AcDb2dVertex, AcDbEntity, make2dVertex, "VERTEX")
static AcRxObject* make3dVertex() { return new AcDb3dPolylineVertex(); }
ACRX_HOST_CLASS_MEMBERS(AcDb3dPolylineVertex, AcDbEntity, make3dVertex, "VERTEX")

template <>
struct AcDbFieldList<AcDb2dVertex> {
    static std::span<const AcDbSubclassFields<AcDb2dVertex>> parts() {
        static const std::array<AcDbField<AcDb2dVertex>, 5> fields{{
            {"position", 10, &AcDb2dVertex::mPosition, AcGePoint3d::kOrigin},
            {"startWidth", 40, &AcDb2dVertex::mStartWidth, 0.0},
            {"endWidth", 41, &AcDb2dVertex::mEndWidth, 0.0},
            {"bulge", 42, &AcDb2dVertex::mBulge, 0.0},
            {"flags", 70, &AcDb2dVertex::mFlags, Adesk::Int16(0)},
        }};
        static const std::array<AcDbSubclassFields<AcDb2dVertex>, 2> list{
            {{"AcDbVertex", {}}, {"AcDb2dVertex", fields}}};
        return list;
    }
};

template <>
struct AcDbFieldList<AcDb3dPolylineVertex> {
    static std::span<const AcDbSubclassFields<AcDb3dPolylineVertex>> parts() {
        static const std::array<AcDbField<AcDb3dPolylineVertex>, 2> fields{{
            {"position", 10, &AcDb3dPolylineVertex::mPosition, AcGePoint3d::kOrigin},
            {"flags", 70, &AcDb3dPolylineVertex::mFlags, Adesk::Int16(32)},
        }};
        static const std::array<AcDbSubclassFields<AcDb3dPolylineVertex>, 2> list{
            {{"AcDbVertex", {}}, {"AcDb3dPolylineVertex", fields}}};
        return list;
    }
};

AcDb2dVertex::AcDb2dVertex() {}
AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& position, double bulge) : mPosition(position), mBulge(bulge) {}
Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPosition = p; return Acad::eOk; }
Acad::ErrorStatus AcDb2dVertex::setBulge(double b) { assertWriteEnabled(); mBulge = b; return Acad::eOk; }

// A vertex moved on its own (its polyline moves its vertices through
// setPosition): the plane is the polyline's, here taken as the world's.
Acad::ErrorStatus AcDb2dVertex::subTransformBy(const AcGeMatrix3d& xform) {
    mPosition.transformBy(xform);
    if (xform.det() < 0.0) mBulge = -mBulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDb2dVertex>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb2dVertex::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDb2dVertex>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb2dVertex::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDb2dVertex>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb2dVertex::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDb2dVertex>::parts(), mKept, filer);
}

AcDb3dPolylineVertex::AcDb3dPolylineVertex() {}
AcDb3dPolylineVertex::AcDb3dPolylineVertex(const AcGePoint3d& position) : mPosition(position) {}
Acad::ErrorStatus AcDb3dPolylineVertex::setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPosition = p; return Acad::eOk; }

Acad::ErrorStatus AcDb3dPolylineVertex::subTransformBy(const AcGeMatrix3d& xform) {
    mPosition.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDb3dPolylineVertex>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb3dPolylineVertex::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDb3dPolylineVertex>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb3dPolylineVertex::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDb3dPolylineVertex>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDb3dPolylineVertex::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDb3dPolylineVertex>::parts(), mKept, filer);
}
