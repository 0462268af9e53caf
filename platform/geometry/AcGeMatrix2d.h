// A 3x3 affine transformation of the plane (column vectors: p' = M * p).
#pragma once

#include "geometry/AcGePoint2d.h"

class AcGeMatrix2d {
public:
    double entry[3][3];

    static const AcGeMatrix2d kIdentity;

    constexpr AcGeMatrix2d() : entry{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}} {}

    AcGeMatrix2d& setToIdentity();
    AcGeMatrix2d& setToProduct(const AcGeMatrix2d& m1, const AcGeMatrix2d& m2);
    AcGeMatrix2d operator*(const AcGeMatrix2d& m) const;
    double det() const;
    AcGeMatrix2d inverse() const;
    bool isEqualTo(const AcGeMatrix2d& m, const AcGeTol& tol = AcGeContext::gTol) const;

    static AcGeMatrix2d translation(const AcGeVector2d& v);
    static AcGeMatrix2d rotation(double angle, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    static AcGeMatrix2d scaling(double factor, const AcGePoint2d& center = AcGePoint2d::kOrigin);

    double operator()(unsigned row, unsigned column) const { return entry[row][column]; }
    double& operator()(unsigned row, unsigned column) { return entry[row][column]; }
};
