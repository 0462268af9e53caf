// zk_hvac-getPlinePoints: a smooth curve through the given points, sampled
// at equal arc lengths into at most 101 points.
#include <cmath>

#include "database/dbspline.h"
#include "geometry/AcGe.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"
#include "integration/ResultList.h"

namespace {

constexpr int kMaxIntervals = 100;

// Tangent at one end: the chord direction for -1, else the given angle.
AcGeVector3d endTangent(double angle, const AcGePoint3d& from, const AcGePoint3d& to) {
    if (angle == -1.0) return to - from;
    return AcGeVector3d(std::cos(angle), std::sin(angle), 0.0);
}

// An even number of intervals no longer than about `step`, at most 100.
int intervalCount(double length, double step) {
    const double whole = std::floor(length / step);
    if (!(whole < kMaxIntervals)) return kMaxIntervals;
    int n = static_cast<int>(whole) + 1;
    if (n % 2 != 0) n = static_cast<int>(whole) + 2;
    return n < kMaxIntervals ? n : kMaxIntervals;
}

} // namespace

LispStatus getPlinePoints() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    double step = 0.0, startAngle = 0.0, endAngle = 0.0;
    if (!argReal(cur, step) || !argReal(cur, startAngle) || !argReal(cur, endAngle)) return kLispWrongType;
    AcGePoint3dArray points;
    while (!cur.atEnd()) {
        AcGePoint3d point;
        if (!argPoint3d(cur, point)) return kLispWrongType;
        points.push_back(point);
    }
    if (points.size() < 2 || !(step > 0.0)) return kLispWrongType;

    const std::size_t last = points.size() - 1;
    const AcDbSpline spline(points, endTangent(startAngle, points[0], points[1]),
                            endTangent(endAngle, points[last - 1], points[last]), 4, 0.0);
    double endParam = 0.0, length = 0.0;
    AcGePoint3d endPoint;
    spline.getEndParam(endParam);
    spline.getDistAtParam(endParam, length);
    spline.getEndPoint(endPoint);

    const int n = intervalCount(length, step);
    ResultList result;
    result.begin();
    for (int i = 0; i < n; ++i) {
        AcGePoint3d p;
        spline.getPointAtDist(length / n * i, p);
        const double xyz[3] = {p.x, p.y, p.z};
        result.addPoint(xyz);
    }
    const double xyz[3] = {endPoint.x, endPoint.y, endPoint.z};
    result.addPoint(xyz);
    result.finish();
    return kLispOk;
}
