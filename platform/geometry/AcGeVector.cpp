// Vector and point operations that need more than one line or another class.
#include "geometry/AcGeMatrix2d.h"
#include "geometry/AcGeMatrix3d.h"
#include "geometry/AcGePlane.h"
#include "geometry/AcGeScale3d.h"

#include <algorithm>
#include <numbers>

AcGeTol AcGeContext::gTol;

const AcGeVector2d AcGeVector2d::kIdentity{0.0, 0.0};
const AcGeVector2d AcGeVector2d::kXAxis{1.0, 0.0};
const AcGeVector2d AcGeVector2d::kYAxis{0.0, 1.0};
const AcGePoint2d AcGePoint2d::kOrigin{0.0, 0.0};
const AcGeVector3d AcGeVector3d::kIdentity{0.0, 0.0, 0.0};
const AcGeVector3d AcGeVector3d::kXAxis{1.0, 0.0, 0.0};
const AcGeVector3d AcGeVector3d::kYAxis{0.0, 1.0, 0.0};
const AcGeVector3d AcGeVector3d::kZAxis{0.0, 0.0, 1.0};
const AcGePoint3d AcGePoint3d::kOrigin{0.0, 0.0, 0.0};
const AcGeScale3d AcGeScale3d::kIdentity{1.0, 1.0, 1.0};

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
}  // namespace

// ---- AcGeVector2d

double AcGeVector2d::angle() const {
    if (x == 0.0 && y == 0.0) return 0.0;
    double a = std::atan2(y, x);
    if (a < 0.0) a += kTwoPi;
    // atan2 of a tiny negative y rounds up to exactly 2pi after the addition.
    if (a >= kTwoPi) a = 0.0;
    return a;
}

double AcGeVector2d::angleTo(const AcGeVector2d& v) const {
    return std::fabs(std::atan2(crossProduct(v), dotProduct(v)));
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const {
    AcGeVector2d v = *this;
    return v.normalize(tol);
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol) {
    const double len = length();
    if (len > tol.equalVector()) {
        x /= len;
        y /= len;
    }
    return *this;
}

AcGeVector2d& AcGeVector2d::rotateBy(double a) {
    const double c = std::cos(a), s = std::sin(a);
    const double nx = c * x - s * y;
    y = s * x + c * y;
    x = nx;
    return *this;
}

AcGeVector2d& AcGeVector2d::transformBy(const AcGeMatrix2d& m) {
    const double nx = m.entry[0][0] * x + m.entry[0][1] * y;
    y = m.entry[1][0] * x + m.entry[1][1] * y;
    x = nx;
    return *this;
}

bool AcGeVector2d::isParallelTo(const AcGeVector2d& v, const AcGeTol& tol) const {
    const double la = length(), lb = v.length();
    if (la <= tol.equalVector() || lb <= tol.equalVector()) return false;
    return std::fabs(crossProduct(v)) / (la * lb) <= tol.equalVector();
}

bool AcGeVector2d::isCodirectionalTo(const AcGeVector2d& v, const AcGeTol& tol) const {
    return isParallelTo(v, tol) && dotProduct(v) > 0.0;
}

bool AcGeVector2d::isPerpendicularTo(const AcGeVector2d& v, const AcGeTol& tol) const {
    const double la = length(), lb = v.length();
    if (la <= tol.equalVector() || lb <= tol.equalVector()) return false;
    return std::fabs(dotProduct(v)) / (la * lb) <= tol.equalVector();
}

// ---- AcGePoint2d

AcGePoint2d& AcGePoint2d::rotateBy(double a, const AcGePoint2d& wrtPoint) {
    AcGeVector2d v = *this - wrtPoint;
    v.rotateBy(a);
    return *this = wrtPoint + v;
}

AcGePoint2d& AcGePoint2d::scaleBy(double factor, const AcGePoint2d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint) * factor;
}

AcGePoint2d& AcGePoint2d::transformBy(const AcGeMatrix2d& m) {
    const double nx = m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2];
    y = m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2];
    x = nx;
    return *this;
}

// ---- AcGeVector3d

double AcGeVector3d::angleTo(const AcGeVector3d& v) const {
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double AcGeVector3d::angleTo(const AcGeVector3d& v, const AcGeVector3d& reference) const {
    const double a = angleTo(v);
    if (crossProduct(v).dotProduct(reference) < 0.0) {
        const double r = kTwoPi - a;
        return r >= kTwoPi ? 0.0 : r;
    }
    return a;
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const {
    AcGeVector3d v = *this;
    return v.normalize(tol);
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol) {
    const double len = length();
    if (len > tol.equalVector()) *this /= len;
    return *this;
}

AcGeVector3d AcGeVector3d::perpVector() const {
    const AcGeVector3d n = normal();
    const AcGeVector3d helper = (std::fabs(n.x) < 1.0 / 64.0 && std::fabs(n.y) < 1.0 / 64.0) ? kYAxis : kZAxis;
    return helper.crossProduct(n).normal();
}

AcGeVector3d& AcGeVector3d::rotateBy(double a, const AcGeVector3d& axis) {
    return transformBy(AcGeMatrix3d::rotation(a, axis));
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
    const auto& e = m.entry;
    const AcGeVector3d v = *this;
    x = e[0][0] * v.x + e[0][1] * v.y + e[0][2] * v.z;
    y = e[1][0] * v.x + e[1][1] * v.y + e[1][2] * v.z;
    z = e[2][0] * v.x + e[2][1] * v.y + e[2][2] * v.z;
    return *this;
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    const double la = length(), lb = v.length();
    if (la <= tol.equalVector() || lb <= tol.equalVector()) return false;
    return crossProduct(v).length() / (la * lb) <= tol.equalVector();
}

bool AcGeVector3d::isCodirectionalTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    return isParallelTo(v, tol) && dotProduct(v) > 0.0;
}

bool AcGeVector3d::isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    const double la = length(), lb = v.length();
    if (la <= tol.equalVector() || lb <= tol.equalVector()) return false;
    return std::fabs(dotProduct(v)) / (la * lb) <= tol.equalVector();
}

AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v) {
    AcGeVector3d r = v;
    return r.transformBy(m);
}

// ---- AcGePoint3d

AcGePoint3d& AcGePoint3d::setToProduct(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    const auto& e = m.entry;
    x = e[0][0] * p.x + e[0][1] * p.y + e[0][2] * p.z + e[0][3];
    y = e[1][0] * p.x + e[1][1] * p.y + e[1][2] * p.z + e[1][3];
    z = e[2][0] * p.x + e[2][1] * p.y + e[2][2] * p.z + e[2][3];
    return *this;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
    const AcGePoint3d p = *this;
    return setToProduct(m, p);
}

AcGePoint3d& AcGePoint3d::rotateBy(double a, const AcGeVector3d& axis, const AcGePoint3d& wrtPoint) {
    return transformBy(AcGeMatrix3d::rotation(a, axis, wrtPoint));
}

AcGePoint3d& AcGePoint3d::scaleBy(double factor, const AcGePoint3d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint) * factor;
}

AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    AcGePoint3d r;
    return r.setToProduct(m, p);
}
