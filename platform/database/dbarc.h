// A circular arc: centre, radius, plane normal and the start and end angles
// (counter-clockwise about the normal, from the plane's x axis). The centre
// is kept in the plane's coordinate system, as files give it; the accessors
// answer in world coordinates.
#pragma once

#include "database/dbcurve.h"
#include "database/dbkept.h"

class AcDbArc : public AcDbCurve {
    ACRX_DECLARE_MEMBERS(AcDbArc);

public:
    AcDbArc();
    AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle, double endAngle);

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const { assertReadEnabled(); return mRadius; }
    Acad::ErrorStatus setRadius(double radius);
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    double startAngle() const { assertReadEnabled(); return mStartAngle; }
    double endAngle() const { assertReadEnabled(); return mEndAngle; }
    Acad::ErrorStatus setStartAngle(double angle);
    Acad::ErrorStatus setEndAngle(double angle);
    double thickness() const { assertReadEnabled(); return mThickness; }
    // The angle swept from start to end, in (0, 2pi].
    double sweep() const;

    bool isPlanar() const override { return true; }
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest,
                                        bool extend = false) const override;

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
    AcGePoint3d pointAtAngle(double angle) const;
    // True when the angle lies on the arc.
    bool onArc(double angle) const;
    AcGePoint3d mCenter;  // in the plane's coordinate system
    double mRadius = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    double mThickness = 0.0;
    double mStartAngle = 0.0;
    double mEndAngle = 0.0;
    AcDbKeptGroups mKept;
};
