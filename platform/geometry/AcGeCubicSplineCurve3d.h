// A cubic spline through fit points with given end tangents (C2, chord-length
// parameters), with arc length and points at a distance along it.
#pragma once

#include "geometry/AcGePoint3d.h"

#include <vector>

class AcGeCubicSplineCurve3d {
public:
    AcGeCubicSplineCurve3d() = default;
    // Consecutive fit points closer than the point tolerance count once. Only
    // the directions of the tangents matter; a zero tangent leaves that end
    // free (zero curvature).
    AcGeCubicSplineCurve3d(const std::vector<AcGePoint3d>& fitPoints, const AcGeVector3d& startTangent,
                           const AcGeVector3d& endTangent, const AcGeTol& tol = AcGeContext::gTol);

    // At least one fit point.
    bool isValid() const { return !mPoints.empty(); }
    int numFitPoints() const { return static_cast<int>(mPoints.size()); }
    AcGePoint3d fitPointAt(int index) const { return mPoints.at(static_cast<std::size_t>(index)); }
    // Parameter of each fit point (cumulative chord length).
    double fitParamAt(int index) const { return mKnots.at(static_cast<std::size_t>(index)); }

    double startParam() const { return 0.0; }
    double endParam() const { return mKnots.empty() ? 0.0 : mKnots.back(); }
    AcGePoint3d startPoint() const { return isValid() ? mPoints.front() : AcGePoint3d::kOrigin; }
    AcGePoint3d endPoint() const { return isValid() ? mPoints.back() : AcGePoint3d::kOrigin; }
    // Parameters outside the curve are clamped to its ends.
    AcGePoint3d evalPoint(double param) const;
    AcGeVector3d firstDeriv(double param) const;

    double length() const { return mCumulative.empty() ? 0.0 : mCumulative.back(); }
    double length(double fromParam, double toParam) const;
    double distAtParam(double param) const;
    // Parameter at an arc length from the start (clamped to [0, length()]).
    double paramAtLength(double distance) const;
    AcGePoint3d pointAtLength(double distance) const { return evalPoint(paramAtLength(distance)); }

    // count points (at least 2) at equal arc-length steps from start to end.
    std::vector<AcGePoint3d> samplePoints(int count) const;

private:
    std::size_t segmentOf(double param) const;
    double speed(double param) const { return firstDeriv(param).length(); }
    double integrateSpeed(double a, double b) const;

    std::vector<AcGePoint3d> mPoints;
    std::vector<double> mKnots;          // parameter of each fit point
    std::vector<AcGeVector3d> mTangents;  // derivative at each fit point
    std::vector<double> mPieceParams;    // arc-length table: parameters ...
    std::vector<double> mCumulative;     // ... and the length up to each
};
