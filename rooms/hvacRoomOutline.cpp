// hvacRoom outline measures: the enclosed area and the two-ray point test.
#include "database/dbpolyline.h"
#include "geometry/AcGeLinearEnt2d.h"
#include "rooms/hvacRoom.h"

// The host's area of a closed polyline through the vertices.
bool hvacRoom::area(double& result) const {
    assertReadEnabled();
    if (mPoints.empty()) return false;
    AcDbPolyline outline;
    for (size_t i = 0; i < mPoints.size(); ++i) outline.addVertexAt(static_cast<unsigned>(i), mPoints[i].point);
    outline.setClosed(true);
    return outline.getArea(result) == Acad::eOk;
}

// Casts a ray up and a ray right from p; each segment's hit counts unless it
// lies at the segment's excluded vertex (the end of Qi -> Qi+1, the first
// vertex for the closing segment), so a vertex counts for one segment only.
bool hvacRoom::containsPoint(const AcGePoint2d& p) const {
    assertReadEnabled();
    const size_t n = mPoints.size();
    if (n == 0) return false;
    const AcGeLine2d up(p, AcGeVector2d(0.0, 1.0));
    const AcGeLine2d right(p, AcGeVector2d(1.0, 0.0));
    int upCount = 0;
    int rightCount = 0;
    auto count = [&](const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& excluded) {
        const AcGeLineSeg2d segment(a, b);
        AcGePoint2d hit;
        if (up.intersectWith(segment, hit) && hit.y > p.y && hit.distanceTo(excluded) > 0.001) ++upCount;
        if (right.intersectWith(segment, hit) && hit.x > p.x && hit.distanceTo(excluded) > 0.001) ++rightCount;
    };
    for (size_t i = 0; i + 1 < n; ++i) count(mPoints[i].point, mPoints[i + 1].point, mPoints[i + 1].point);
    count(mPoints[0].point, mPoints[n - 1].point, mPoints[0].point);
    return (upCount % 2 == 1) && (rightCount % 2 == 1);
}
