// A point: a position, the normal of its plane, a thickness and the angle
// of the x axis its display symbol is drawn with.
#pragma once

#include "database/dbentity.h"
#include "database/dbkept.h"

class AcDbPoint : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbPoint);

public:
    AcDbPoint();
    explicit AcDbPoint(const AcGePoint3d& position);

    AcGePoint3d position() const { assertReadEnabled(); return mPosition; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    double ecsRotation() const { assertReadEnabled(); return mAngle; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    AcGePoint3d mPosition;
    double mThickness = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    double mAngle = 0.0;
    AcDbKeptGroups mKept;
};
