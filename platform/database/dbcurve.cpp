// Curve protocol defaults: every query is unsupported until a class answers.
#include "database/dbcurve.h"

#include "geometry/AcGe.h"

ACRX_HOST_CLASS_MEMBERS(AcDbCurve, AcDbEntity, nullptr, "")

Acad::ErrorStatus AcDbCurve::getStartParam(double&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getEndParam(double&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getPointAtParam(double, AcGePoint3d&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d&, double&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getDistAtParam(double, double&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getParamAtDist(double, double&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getDistAtPoint(const AcGePoint3d&, double&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getPointAtDist(double, AcGePoint3d&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getFirstDeriv(double, AcGeVector3d&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getFirstDeriv(const AcGePoint3d&, AcGeVector3d&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getSecondDeriv(double, AcGeVector3d&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d&, AcGePoint3d&, bool) const {
    return Acad::eNotImplemented;
}
Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d&, const AcGeVector3d&, AcGePoint3d&, bool) const {
    return Acad::eNotImplemented;
}
Acad::ErrorStatus AcDbCurve::extend(double) { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::extend(bool, const AcGePoint3d&) { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getArea(double&) const { return Acad::eNotImplemented; }
Acad::ErrorStatus AcDbCurve::getPlane(AcGePlane&, AcDb::Planarity& planarity) const {
    planarity = AcDb::kNonPlanar;
    return Acad::eNotImplemented;
}
