// A leader line through vertices, with an optional arrowhead at the first.
#pragma once

#include <string>
#include <vector>

#include "database/dbcurve.h"

class AcDbLeader : public AcDbCurve {
    ACRX_DECLARE_MEMBERS(AcDbLeader);

public:
    AcDbLeader();

    int numVertices() const { assertReadEnabled(); return static_cast<int>(mVertices.size()); }
    bool appendVertex(const AcGePoint3d& point);
    void removeLastVertex();
    AcGePoint3d firstVertex() const;
    AcGePoint3d lastVertex() const;
    AcGePoint3d vertexAt(int index) const;
    bool setVertexAt(int index, const AcGePoint3d& point);
    bool hasArrowHead() const { assertReadEnabled(); return mArrowHead != 0; }
    void enableArrowHead() { assertWriteEnabled(); mArrowHead = 1; }
    void disableArrowHead() { assertWriteEnabled(); mArrowHead = 0; }

    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;

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
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;

private:
    template <class> friend struct AcDbFieldList;
    std::vector<AcGePoint3d> mVertices;
    std::string mDimStyle;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    Adesk::Int16 mArrowHead = 1;
    Adesk::Int16 mPathType = 0;       // straight segments
    Adesk::Int16 mAnnotationType = 3; // no annotation
};
