// Composition, inversion and the standard transformations of AcGeMatrix2d.
#include "geometry/AcGeMatrix2d.h"

#include <algorithm>

const AcGeMatrix2d AcGeMatrix2d::kIdentity;

AcGeMatrix2d& AcGeMatrix2d::setToIdentity() {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToProduct(const AcGeMatrix2d& m1, const AcGeMatrix2d& m2) {
    double result[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k) sum += m1.entry[r][k] * m2.entry[k][c];
            result[r][c] = sum;
        }
    std::copy(&result[0][0], &result[0][0] + 9, &entry[0][0]);
    return *this;
}

AcGeMatrix2d AcGeMatrix2d::operator*(const AcGeMatrix2d& m) const {
    AcGeMatrix2d r;
    return r.setToProduct(*this, m);
}

double AcGeMatrix2d::det() const {
    const auto& e = entry;
    return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) - e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
           e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

AcGeMatrix2d AcGeMatrix2d::inverse() const {
    const double d = det();
    AcGeMatrix2d r;
    if (d == 0.0) return r;
    const auto& e = entry;
    // Adjugate divided by the determinant.
    r.entry[0][0] = (e[1][1] * e[2][2] - e[1][2] * e[2][1]) / d;
    r.entry[0][1] = (e[0][2] * e[2][1] - e[0][1] * e[2][2]) / d;
    r.entry[0][2] = (e[0][1] * e[1][2] - e[0][2] * e[1][1]) / d;
    r.entry[1][0] = (e[1][2] * e[2][0] - e[1][0] * e[2][2]) / d;
    r.entry[1][1] = (e[0][0] * e[2][2] - e[0][2] * e[2][0]) / d;
    r.entry[1][2] = (e[0][2] * e[1][0] - e[0][0] * e[1][2]) / d;
    r.entry[2][0] = (e[1][0] * e[2][1] - e[1][1] * e[2][0]) / d;
    r.entry[2][1] = (e[0][1] * e[2][0] - e[0][0] * e[2][1]) / d;
    r.entry[2][2] = (e[0][0] * e[1][1] - e[0][1] * e[1][0]) / d;
    return r;
}

bool AcGeMatrix2d::isEqualTo(const AcGeMatrix2d& m, const AcGeTol& tol) const {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (std::fabs(entry[r][c] - m.entry[r][c]) > tol.equalVector()) return false;
    return true;
}

AcGeMatrix2d AcGeMatrix2d::translation(const AcGeVector2d& v) {
    AcGeMatrix2d m;
    m.entry[0][2] = v.x;
    m.entry[1][2] = v.y;
    return m;
}

AcGeMatrix2d AcGeMatrix2d::rotation(double angle, const AcGePoint2d& center) {
    AcGeMatrix2d m;
    const double c = std::cos(angle), s = std::sin(angle);
    m.entry[0][0] = c;
    m.entry[0][1] = -s;
    m.entry[1][0] = s;
    m.entry[1][1] = c;
    m.entry[0][2] = center.x - (c * center.x - s * center.y);
    m.entry[1][2] = center.y - (s * center.x + c * center.y);
    return m;
}

AcGeMatrix2d AcGeMatrix2d::scaling(double factor, const AcGePoint2d& center) {
    AcGeMatrix2d m;
    m.entry[0][0] = factor;
    m.entry[1][1] = factor;
    m.entry[0][2] = (1.0 - factor) * center.x;
    m.entry[1][2] = (1.0 - factor) * center.y;
    return m;
}
