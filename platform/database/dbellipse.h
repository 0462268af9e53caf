// An elliptical arc: centre, major axis (a vector from the centre), plane
// normal, the minor to major ratio and the start and end parameters
// (radians; 0 to 2pi is the whole ellipse). All in world coordinates.
#pragma once

#include "database/dbcurve.h"
#include "database/dbkept.h"

class AcDbEllipse : public AcDbCurve {
    ACRX_DECLARE_MEMBERS(AcDbEllipse);

public:
    AcDbEllipse();
    AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
                double radiusRatio, double startParam = 0.0, double endParam = 6.283185307179586);

    AcGePoint3d center() const { assertReadEnabled(); return mCenter; }
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    AcGeVector3d majorAxis() const { assertReadEnabled(); return mMajorAxis; }
    AcGeVector3d minorAxis() const;
    double radiusRatio() const { assertReadEnabled(); return mRatio; }
    double startParam() const { assertReadEnabled(); return mStartParam; }
    double endParam() const { assertReadEnabled(); return mEndParam; }

    bool isClosed() const override;
    bool isPlanar() const override { return true; }
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;

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
    AcGePoint3d pointAt(double param) const;
    double sweep() const;
    bool onCurve(double param) const;
    AcGePoint3d mCenter;
    AcGeVector3d mMajorAxis = AcGeVector3d::kXAxis;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    double mRatio = 1.0;
    double mStartParam = 0.0;
    double mEndParam = 6.283185307179586;
    AcDbKeptGroups mKept;
};
