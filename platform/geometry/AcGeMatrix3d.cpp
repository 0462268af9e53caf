// Composition, inversion and the standard transformations of AcGeMatrix3d.
#include "geometry/AcGeMatrix3d.h"

#include "geometry/AcGePlane.h"

#include <algorithm>
#include <utility>

const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToProduct(const AcGeMatrix3d& m1, const AcGeMatrix3d& m2) {
    double result[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += m1.entry[r][k] * m2.entry[k][c];
            result[r][c] = sum;
        }
    std::copy(&result[0][0], &result[0][0] + 16, &entry[0][0]);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left) { return setToProduct(left, *this); }
AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right) { return setToProduct(*this, right); }

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
    AcGeMatrix3d r;
    return r.setToProduct(*this, m);
}

double AcGeMatrix3d::det() const {
    // Gaussian elimination with partial pivoting on a copy.
    double a[4][4];
    std::copy(&entry[0][0], &entry[0][0] + 16, &a[0][0]);
    double d = 1.0;
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (a[pivot][c] == 0.0) return 0.0;
        if (pivot != c) {
            for (int k = 0; k < 4; ++k) std::swap(a[pivot][k], a[c][k]);
            d = -d;
        }
        d *= a[c][c];
        for (int r = c + 1; r < 4; ++r) {
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < 4; ++k) a[r][k] -= f * a[c][k];
        }
    }
    return d;
}

bool AcGeMatrix3d::inverse(AcGeMatrix3d& result, double tol) const {
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = entry[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (std::fabs(a[pivot][c]) <= tol) return false;
        if (pivot != c)
            for (int k = 0; k < 8; ++k) std::swap(a[pivot][k], a[c][k]);
        const double p = a[c][c];
        for (int k = 0; k < 8; ++k) a[c][k] /= p;
        for (int r = 0; r < 4; ++r) {
            if (r == c || a[r][c] == 0.0) continue;
            const double f = a[r][c];
            for (int k = 0; k < 8; ++k) a[r][k] -= f * a[c][k];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) result.entry[r][c] = a[r][c + 4];
    return true;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    AcGeMatrix3d r;
    if (!inverse(r, 0.0)) r.setToIdentity();
    return r;
}

AcGeMatrix3d& AcGeMatrix3d::invert() { return *this = inverse(); }

AcGeMatrix3d AcGeMatrix3d::transpose() const {
    AcGeMatrix3d t;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) t.entry[r][c] = entry[c][r];
    return t;
}

AcGeMatrix3d& AcGeMatrix3d::transposeIt() { return *this = transpose(); }

bool AcGeMatrix3d::isSingular(const AcGeTol& tol) const { return std::fabs(det()) <= tol.equalVector(); }

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(entry[r][c] - m.entry[r][c]) > tol.equalVector()) return false;
    return true;
}

double AcGeMatrix3d::scale() const {
    double s = 0.0;
    for (int c = 0; c < 3; ++c)
        s = std::max(s, AcGeVector3d(entry[0][c], entry[1][c], entry[2][c]).length());
    return s;
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const {
    const AcGeVector3d x(entry[0][0], entry[1][0], entry[2][0]);
    const AcGeVector3d y(entry[0][1], entry[1][1], entry[2][1]);
    const AcGeVector3d z(entry[0][2], entry[1][2], entry[2][2]);
    const double s = x.length();
    return std::fabs(y.length() - s) <= tol.equalVector() && std::fabs(z.length() - s) <= tol.equalVector() &&
           std::fabs(x.dotProduct(y)) <= tol.equalVector() && std::fabs(y.dotProduct(z)) <= tol.equalVector() &&
           std::fabs(z.dotProduct(x)) <= tol.equalVector();
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v) {
    setToIdentity();
    entry[0][3] = v.x;
    entry[1][3] = v.y;
    entry[2][3] = v.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center) {
    setToIdentity();
    const AcGeVector3d u = axis.normal();
    if (u.isZeroLength()) return *this;
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    // Rodrigues' rotation formula.
    entry[0][0] = t * u.x * u.x + c;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.x * u.y + s * u.z;
    entry[1][1] = t * u.y * u.y + c;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.x * u.z - s * u.y;
    entry[2][1] = t * u.y * u.z + s * u.x;
    entry[2][2] = t * u.z * u.z + c;
    // Keep the centre fixed: p' = R (p - c) + c.
    const AcGeVector3d cv = center.asVector();
    const AcGeVector3d rc = AcGeVector3d(cv).transformBy(*this);
    entry[0][3] = cv.x - rc.x;
    entry[1][3] = cv.y - rc.y;
    entry[2][3] = cv.z - rc.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double factor, const AcGePoint3d& center) {
    setToIdentity();
    for (int i = 0; i < 3; ++i) {
        entry[i][i] = factor;
        entry[i][3] = (1.0 - factor) * center[static_cast<unsigned>(i)];
    }
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlane& plane) {
    // p' = p - 2 n (n.(p - o))
    setToIdentity();
    const AcGeVector3d n = plane.normal();
    const double d = plane.pointOnPlane().asVector().dotProduct(n);
    for (unsigned r = 0; r < 3; ++r) {
        for (unsigned c = 0; c < 3; ++c) entry[r][c] -= 2.0 * n[r] * n[c];
        entry[r][3] = 2.0 * d * n[r];
    }
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& point) {
    setToScaling(-1.0, point);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis) {
    setToIdentity();
    for (unsigned r = 0; r < 3; ++r) {
        entry[r][0] = xAxis[r];
        entry[r][1] = yAxis[r];
        entry[r][2] = zAxis[r];
        entry[r][3] = origin[r];
    }
    return *this;
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const {
    for (unsigned r = 0; r < 3; ++r) {
        xAxis[r] = entry[r][0];
        yAxis[r] = entry[r][1];
        zAxis[r] = entry[r][2];
        origin[r] = entry[r][3];
    }
}

AcGeMatrix3d& AcGeMatrix3d::setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                               const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                               const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                               const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis) {
    AcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return setToProduct(to, from.inverse());
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGeVector3d& normal) {
    const AcGeVector3d n = normal.normal();
    const AcGeVector3d xAxis = n.perpVector();
    const AcGeVector3d yAxis = n.crossProduct(xAxis).normal();
    return setCoordSystem(AcGePoint3d::kOrigin, xAxis, yAxis, n);
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGeVector3d& normal) {
    setToPlaneToWorld(normal);
    // The linear part is orthonormal: its inverse is its transpose.
    return transposeIt();
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& v) { return AcGeMatrix3d().setToTranslation(v); }
AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center) {
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}
AcGeMatrix3d AcGeMatrix3d::scaling(double factor, const AcGePoint3d& center) {
    return AcGeMatrix3d().setToScaling(factor, center);
}
AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePlane& plane) { return AcGeMatrix3d().setToMirroring(plane); }
AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePoint3d& point) { return AcGeMatrix3d().setToMirroring(point); }
AcGeMatrix3d AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                         const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                         const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                         const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis) {
    return AcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin, toXAxis,
                                             toYAxis, toZAxis);
}
AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToWorldToPlane(normal);
}
AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToPlaneToWorld(normal);
}
