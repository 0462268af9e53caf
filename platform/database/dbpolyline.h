// Lightweight polyline: planar vertices with bulges and widths.
#pragma once

#include "database/dbcurve.h"
#include "database/dbpolylinevertices.h"

class AcDbPolyline : public AcDbCurve {
    ACRX_DECLARE_MEMBERS(AcDbPolyline);

public:
    AcDbPolyline();

    unsigned int numVerts() const { assertReadEnabled(); return static_cast<unsigned>(mVerts.size()); }
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge = 0.0,
                                  double startWidth = 0.0, double endWidth = 0.0);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& point) const;
    // The vertex in world coordinates (elevation and normal applied).
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& point) const;
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& point);
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    void setClosed(bool closed);
    bool isClosed() const override;
    double elevation() const { assertReadEnabled(); return mElevation; }
    void setElevation(double elevation) { assertWriteEnabled(); mElevation = elevation; }
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    // Curve protocol: vertex i is at parameter i; within a segment the
    // parameter runs linearly with the length.
    bool isPlanar() const override { return true; }
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getDistAtPoint(const AcGePoint3d& point, double& dist) const override;
    Acad::ErrorStatus getPointAtDist(double dist, AcGePoint3d& point) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest,
                                        bool extend = false) const override;
    // The enclosed area, positive whatever the vertex order.
    Acad::ErrorStatus getArea(double& area) const override;

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
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    using Vertex = AcDbPolylineVertex;
    unsigned numSegments() const;
    AcGePoint3d toWorld(const AcGePoint2d& p) const;
    // Point on segment i at fraction t (0..1) in the polyline's plane.
    AcGePoint2d segmentPoint(unsigned i, double t) const;
    double segmentLength(unsigned i) const;
    // Closest plane point of segment i and its fraction.
    double closestOnSegment(unsigned i, const AcGePoint2d& p, AcGePoint2d& closest) const;
    AcGePoint2d toPlane(const AcGePoint3d& p) const;

    AcDbPolylineVertices mVerts;
    double mElevation = 0.0;
    double mThickness = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    Adesk::Int16 mFlags = 0; // 1 closed
};
