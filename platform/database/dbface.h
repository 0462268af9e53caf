// A three- or four-sided face in space (3D face) with per-edge visibility.
#pragma once

#include "database/dbentity.h"

class AcDbFace : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbFace);

public:
    AcDbFace();
    // A triangle repeats its third corner as the fourth.
    AcDbFace(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3);

    // Corners 0..3.
    Acad::ErrorStatus getVertexAt(Adesk::UInt16 index, AcGePoint3d& point) const;
    Acad::ErrorStatus setVertexAt(Adesk::UInt16 index, const AcGePoint3d& point);
    // Edge i runs from corner i to corner i+1 (mod 4).
    Acad::ErrorStatus isEdgeVisibleAt(Adesk::UInt16 index, bool& visible) const;
    Acad::ErrorStatus makeEdgeInvisibleAt(Adesk::UInt16 index);
    Acad::ErrorStatus makeEdgeVisibleAt(Adesk::UInt16 index);

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
    AcGePoint3d& corner(int i) { return i == 0 ? mP0 : i == 1 ? mP1 : i == 2 ? mP2 : mP3; }
    const AcGePoint3d& corner(int i) const { return i == 0 ? mP0 : i == 1 ? mP1 : i == 2 ? mP2 : mP3; }
    AcGePoint3d mP0, mP1, mP2, mP3;
    Adesk::Int16 mInvisibleEdges = 0; // bit i: edge i hidden
};
