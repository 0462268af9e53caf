// An axis-aligned box in world coordinates (empty until a point is added).
#pragma once

#include <algorithm>

#include "geometry/AcGe.h"

class AcDbExtents {
public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& a, const AcGePoint3d& b) { addPoint(a); addPoint(b); }

    bool isEmpty() const { return mEmpty; }
    const AcGePoint3d& minPoint() const { return mMin; }
    const AcGePoint3d& maxPoint() const { return mMax; }
    void set(const AcGePoint3d& a, const AcGePoint3d& b) { mEmpty = true; addPoint(a); addPoint(b); }
    void addPoint(const AcGePoint3d& p) {
        if (mEmpty) {
            mMin = mMax = p;
            mEmpty = false;
            return;
        }
        mMin.set(std::min(mMin.x, p.x), std::min(mMin.y, p.y), std::min(mMin.z, p.z));
        mMax.set(std::max(mMax.x, p.x), std::max(mMax.y, p.y), std::max(mMax.z, p.z));
    }
    void addExt(const AcDbExtents& other) {
        if (other.mEmpty) return;
        addPoint(other.mMin);
        addPoint(other.mMax);
    }
    void expandBy(const AcGeVector3d& v) {
        if (mEmpty) return;
        addPoint(mMin + v);
        addPoint(mMax + v);
    }
    // The box around the eight transformed corners.
    void transformBy(const AcGeMatrix3d& m) {
        if (mEmpty) return;
        const AcGePoint3d a = mMin, b = mMax;
        mEmpty = true;
        for (int i = 0; i < 8; ++i)
            addPoint(m * AcGePoint3d(i & 1 ? b.x : a.x, i & 2 ? b.y : a.y, i & 4 ? b.z : a.z));
    }

private:
    AcGePoint3d mMin, mMax;
    bool mEmpty = true;
};
