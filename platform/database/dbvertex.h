// The vertices of the polylines that file each vertex as an entity of its
// own: a 2D vertex (in its polyline's plane coordinates, with bulge and
// widths) and a 3D polyline vertex (in world coordinates). They draw
// nothing; their polyline draws and moves them.
#pragma once

#include "database/dbentity.h"
#include "database/dbkept.h"

class AcDb2dVertex : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);

public:
    AcDb2dVertex();
    AcDb2dVertex(const AcGePoint3d& position, double bulge = 0.0);

    // In the plane coordinates of the polyline.
    AcGePoint3d position() const { assertReadEnabled(); return mPosition; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double bulge() const { assertReadEnabled(); return mBulge; }
    Acad::ErrorStatus setBulge(double bulge);
    double startWidth() const { assertReadEnabled(); return mStartWidth; }
    double endWidth() const { assertReadEnabled(); return mEndWidth; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw*) override { return true; }
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;

private:
    template <class> friend struct AcDbFieldList;
    AcGePoint3d mPosition;
    double mStartWidth = 0.0;
    double mEndWidth = 0.0;
    double mBulge = 0.0;
    Adesk::Int16 mFlags = 0;
    AcDbKeptGroups mKept;
};

class AcDb3dPolylineVertex : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDb3dPolylineVertex);

public:
    AcDb3dPolylineVertex();
    explicit AcDb3dPolylineVertex(const AcGePoint3d& position);

    AcGePoint3d position() const { assertReadEnabled(); return mPosition; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw*) override { return true; }
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;

private:
    template <class> friend struct AcDbFieldList;
    AcGePoint3d mPosition;
    Adesk::Int16 mFlags = 32;
    AcDbKeptGroups mKept;
};
