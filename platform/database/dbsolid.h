// A filled triangle or quadrilateral of four corners in its plane's
// coordinate system (the third and fourth equal for a triangle). The
// corners go 0, 1, 3, 2 around the outline, as files order them.
#pragma once

#include "database/dbentity.h"
#include "database/dbkept.h"

class AcDbSolid : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbSolid);

public:
    AcDbSolid();
    AcDbSolid(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3);

    // A corner (0 to 3) in world coordinates.
    Acad::ErrorStatus getPointAt(Adesk::UInt16 index, AcGePoint3d& point) const;
    Acad::ErrorStatus setPointAt(Adesk::UInt16 index, const AcGePoint3d& point);
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    double thickness() const { assertReadEnabled(); return mThickness; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& points) const override;
    Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    // Corner i in the plane's coordinate system, as filed.
    AcGePoint3d& ocsCorner(int i) { return i == 0 ? mP0 : i == 1 ? mP1 : i == 2 ? mP2 : mP3; }
    const AcGePoint3d& ocsCorner(int i) const { return const_cast<AcDbSolid*>(this)->ocsCorner(i); }
    AcGePoint3d corner(int i) const;
    AcGePoint3d mP0, mP1, mP2, mP3;
    double mThickness = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    AcDbKeptGroups mKept;
};
