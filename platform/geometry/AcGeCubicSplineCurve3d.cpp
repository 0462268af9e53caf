// Construction (clamped cubic interpolation), evaluation and arc length of
// AcGeCubicSplineCurve3d.
#include "geometry/AcGeCubicSplineCurve3d.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Sub-intervals per spline segment in the arc-length table.
constexpr int kPiecesPerSegment = 16;

// 5-point Gauss-Legendre nodes and weights on [-1, 1].
constexpr std::array<double, 5> kNodes = {0.0, -0.5384693101056831, 0.5384693101056831, -0.9061798459386640,
                                          0.9061798459386640};
constexpr std::array<double, 5> kWeights = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                            0.2369268850561891, 0.2369268850561891};
}  // namespace

AcGeCubicSplineCurve3d::AcGeCubicSplineCurve3d(const std::vector<AcGePoint3d>& fitPoints,
                                               const AcGeVector3d& startTangent, const AcGeVector3d& endTangent,
                                               const AcGeTol& tol) {
    // Points that are not finite, or so far apart that the chord length
    // overflows, cannot be interpolated: the curve ends before them.
    mKnots.push_back(0.0);
    for (const auto& p : fitPoints) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) break;
        if (mPoints.empty()) {
            mPoints.push_back(p);
            continue;
        }
        if (mPoints.back().isEqualTo(p, tol)) continue;
        const double knot = mKnots.back() + p.distanceTo(mPoints.back());
        if (!std::isfinite(knot)) break;
        mPoints.push_back(p);
        mKnots.push_back(knot);
    }
    const std::size_t n = mPoints.size();
    if (n == 0) {
        mKnots.clear();
        return;
    }
    mTangents.assign(n, AcGeVector3d());
    if (n == 1) {
        mPieceParams = {0.0};
        mCumulative = {0.0};
        return;
    }

    // Tridiagonal system for the derivatives m_i at the fit points:
    //   h_i m_{i-1} + 2 (h_{i-1} + h_i) m_i + h_{i-1} m_{i+1}
    //     = 3 (h_i d_{i-1} + h_{i-1} d_i),   d_i = (p_{i+1} - p_i) / h_i
    // with m_0, m_{n-1} fixed by the tangents (unit speed, as the parameter
    // is chord length) or, for a zero tangent, a free end 2 m_0 + m_1 = 3 d_0.
    std::vector<double> h(n - 1);
    std::vector<AcGeVector3d> d(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        h[i] = mKnots[i + 1] - mKnots[i];
        d[i] = (mPoints[i + 1] - mPoints[i]) / h[i];
    }
    std::vector<double> lower(n, 0.0), diag(n, 1.0), upper(n, 0.0);
    std::vector<AcGeVector3d> rhs(n);
    if (startTangent.isZeroLength(tol)) {
        diag[0] = 2.0;
        upper[0] = 1.0;
        rhs[0] = d[0] * 3.0;
    } else {
        rhs[0] = startTangent.normal();
    }
    if (endTangent.isZeroLength(tol)) {
        lower[n - 1] = 1.0;
        diag[n - 1] = 2.0;
        rhs[n - 1] = d[n - 2] * 3.0;
    } else {
        rhs[n - 1] = endTangent.normal();
    }
    for (std::size_t i = 1; i + 1 < n; ++i) {
        lower[i] = h[i];
        diag[i] = 2.0 * (h[i - 1] + h[i]);
        upper[i] = h[i - 1];
        rhs[i] = (d[i - 1] * h[i] + d[i] * h[i - 1]) * 3.0;
    }
    // Thomas algorithm; the matrix is diagonally dominant.
    for (std::size_t i = 1; i < n; ++i) {
        const double w = lower[i] / diag[i - 1];
        diag[i] -= w * upper[i - 1];
        rhs[i] -= rhs[i - 1] * w;
    }
    mTangents[n - 1] = rhs[n - 1] / diag[n - 1];
    for (std::size_t i = n - 1; i-- > 0;) mTangents[i] = (rhs[i] - mTangents[i + 1] * upper[i]) / diag[i];

    // Arc-length table.
    mPieceParams.reserve((n - 1) * kPiecesPerSegment + 1);
    mCumulative.reserve((n - 1) * kPiecesPerSegment + 1);
    mPieceParams.push_back(0.0);
    mCumulative.push_back(0.0);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (int k = 1; k <= kPiecesPerSegment; ++k) {
            const double a = mPieceParams.back();
            const double b = k == kPiecesPerSegment ? mKnots[i + 1] : mKnots[i] + h[i] * k / kPiecesPerSegment;
            mCumulative.push_back(mCumulative.back() + integrateSpeed(a, b));
            mPieceParams.push_back(b);
        }
    }
}

std::size_t AcGeCubicSplineCurve3d::segmentOf(double param) const {
    // Index i with knots[i] <= param < knots[i+1], the last segment for the end.
    const auto it = std::upper_bound(mKnots.begin(), mKnots.end(), param);
    std::size_t i = it == mKnots.begin() ? 0 : static_cast<std::size_t>(it - mKnots.begin()) - 1;
    return std::min(i, mKnots.size() - 2);
}

AcGePoint3d AcGeCubicSplineCurve3d::evalPoint(double param) const {
    if (mPoints.size() < 2) return startPoint();
    param = std::clamp(param, 0.0, endParam());
    const std::size_t i = segmentOf(param);
    const double h = mKnots[i + 1] - mKnots[i];
    const double s = (param - mKnots[i]) / h;
    const double s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    return AcGePoint3d::kOrigin + mPoints[i].asVector() * h00 + mTangents[i] * (h10 * h) +
           mPoints[i + 1].asVector() * h01 + mTangents[i + 1] * (h11 * h);
}

AcGeVector3d AcGeCubicSplineCurve3d::firstDeriv(double param) const {
    if (mPoints.size() < 2) return AcGeVector3d();
    param = std::clamp(param, 0.0, endParam());
    const std::size_t i = segmentOf(param);
    const double h = mKnots[i + 1] - mKnots[i];
    const double s = (param - mKnots[i]) / h;
    const double s2 = s * s;
    const double d00 = 6 * s2 - 6 * s, d10 = 3 * s2 - 4 * s + 1, d01 = -6 * s2 + 6 * s, d11 = 3 * s2 - 2 * s;
    return (mPoints[i].asVector() * d00 + mPoints[i + 1].asVector() * d01) / h + mTangents[i] * d10 +
           mTangents[i + 1] * d11;
}

double AcGeCubicSplineCurve3d::integrateSpeed(double a, double b) const {
    const double mid = (a + b) / 2, half = (b - a) / 2;
    double sum = 0.0;
    for (std::size_t k = 0; k < kNodes.size(); ++k) sum += kWeights[k] * speed(mid + half * kNodes[k]);
    return sum * half;
}

double AcGeCubicSplineCurve3d::distAtParam(double param) const {
    if (mPoints.size() < 2) return 0.0;
    param = std::clamp(param, 0.0, endParam());
    const auto it = std::upper_bound(mPieceParams.begin(), mPieceParams.end(), param);
    std::size_t k = it == mPieceParams.begin() ? 0 : static_cast<std::size_t>(it - mPieceParams.begin()) - 1;
    k = std::min(k, mPieceParams.size() - 1);
    return mCumulative[k] + integrateSpeed(mPieceParams[k], param);
}

double AcGeCubicSplineCurve3d::length(double fromParam, double toParam) const {
    return std::fabs(distAtParam(toParam) - distAtParam(fromParam));
}

double AcGeCubicSplineCurve3d::paramAtLength(double distance) const {
    if (mPoints.size() < 2 || mCumulative.size() < 2 || !(distance > 0.0)) return 0.0;
    // A curve whose length overflows (points far apart over a tiny knot
    // span) has no usable arc length: its end stands for every distance.
    const double total = length();
    if (!std::isfinite(total) || distance >= total) return endParam();
    const auto it = std::upper_bound(mCumulative.begin(), mCumulative.end(), distance);
    const std::size_t found = static_cast<std::size_t>(it - mCumulative.begin());
    const std::size_t k = std::min(found == 0 ? 0 : found - 1, mCumulative.size() - 2);
    const double a = mPieceParams[k], b = mPieceParams[k + 1];
    const double target = distance - mCumulative[k];
    const double pieceLength = mCumulative[k + 1] - mCumulative[k];
    double lo = a, hi = b;
    double t = pieceLength > 0.0 ? a + (b - a) * target / pieceLength : a;
    // Newton on s(t) = target, kept inside a shrinking bracket.
    for (int iteration = 0; iteration < 50; ++iteration) {
        const double f = integrateSpeed(a, t) - target;
        if (std::fabs(f) <= 1e-14 * std::max(1.0, length())) break;
        if (f > 0.0) hi = t;
        else lo = t;
        const double v = speed(t);
        double next = v > 0.0 ? t - f / v : (lo + hi) / 2;
        if (!(next > lo && next < hi)) next = (lo + hi) / 2;
        t = next;
    }
    return t;
}

std::vector<AcGePoint3d> AcGeCubicSplineCurve3d::samplePoints(int count) const {
    count = std::max(count, 2);
    std::vector<AcGePoint3d> out;
    out.reserve(static_cast<std::size_t>(count));
    const double total = length();
    if (!std::isfinite(total)) return mPoints;  // no arc length to space samples by: the fit points
    for (int i = 0; i < count - 1; ++i) out.push_back(pointAtLength(total * i / (count - 1)));
    out.push_back(endPoint());
    return out;
}
