// Axis-aligned boxes in the plane and in space that grow to enclose points.
#pragma once

#include "geometry/AcGePoint3d.h"

#include <algorithm>
#include <limits>

class AcGeBoundBlock2d {
public:
    AcGeBoundBlock2d() = default;
    AcGeBoundBlock2d(const AcGePoint2d& p1, const AcGePoint2d& p2) { set(p1, p2); }

    AcGeBoundBlock2d& set(const AcGePoint2d& p1, const AcGePoint2d& p2) {
        mMin.set(std::min(p1.x, p2.x), std::min(p1.y, p2.y));
        mMax.set(std::max(p1.x, p2.x), std::max(p1.y, p2.y));
        return *this;
    }
    AcGeBoundBlock2d& extend(const AcGePoint2d& p) {
        mMin.set(std::min(mMin.x, p.x), std::min(mMin.y, p.y));
        mMax.set(std::max(mMax.x, p.x), std::max(mMax.y, p.y));
        return *this;
    }
    // No point added yet.
    bool isEmpty() const { return mMin.x > mMax.x; }
    void getMinMaxPoints(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const { minPoint = mMin; maxPoint = mMax; }
    AcGePoint2d minPoint() const { return mMin; }
    AcGePoint2d maxPoint() const { return mMax; }
    bool contains(const AcGePoint2d& p) const {
        return p.x >= mMin.x && p.x <= mMax.x && p.y >= mMin.y && p.y <= mMax.y;
    }

private:
    static constexpr double kInf = std::numeric_limits<double>::infinity();
    AcGePoint2d mMin{kInf, kInf};
    AcGePoint2d mMax{-kInf, -kInf};
};

class AcGeBoundBlock3d {
public:
    AcGeBoundBlock3d() = default;
    AcGeBoundBlock3d(const AcGePoint3d& p1, const AcGePoint3d& p2) { set(p1, p2); }

    AcGeBoundBlock3d& set(const AcGePoint3d& p1, const AcGePoint3d& p2) {
        mMin.set(std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::min(p1.z, p2.z));
        mMax.set(std::max(p1.x, p2.x), std::max(p1.y, p2.y), std::max(p1.z, p2.z));
        return *this;
    }
    AcGeBoundBlock3d& extend(const AcGePoint3d& p) {
        mMin.set(std::min(mMin.x, p.x), std::min(mMin.y, p.y), std::min(mMin.z, p.z));
        mMax.set(std::max(mMax.x, p.x), std::max(mMax.y, p.y), std::max(mMax.z, p.z));
        return *this;
    }
    AcGeBoundBlock3d& extend(const AcGeBoundBlock3d& other) {
        if (!other.isEmpty()) extend(other.mMin).extend(other.mMax);
        return *this;
    }
    bool isEmpty() const { return mMin.x > mMax.x; }
    void getMinMaxPoints(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const { minPoint = mMin; maxPoint = mMax; }
    AcGePoint3d minPoint() const { return mMin; }
    AcGePoint3d maxPoint() const { return mMax; }
    bool contains(const AcGePoint3d& p) const {
        return p.x >= mMin.x && p.x <= mMax.x && p.y >= mMin.y && p.y <= mMax.y && p.z >= mMin.z && p.z <= mMax.z;
    }
    bool isDisjoint(const AcGeBoundBlock3d& o) const {
        return isEmpty() || o.isEmpty() || o.mMin.x > mMax.x || o.mMax.x < mMin.x || o.mMin.y > mMax.y ||
               o.mMax.y < mMin.y || o.mMin.z > mMax.z || o.mMax.z < mMin.z;
    }

private:
    static constexpr double kInf = std::numeric_limits<double>::infinity();
    AcGePoint3d mMin{kInf, kInf, kInf};
    AcGePoint3d mMax{-kInf, -kInf, -kInf};
};
