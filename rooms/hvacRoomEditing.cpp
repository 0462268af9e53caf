// hvacRoom editing geometry: grips and stretch points with their moves,
// transformation and object snaps.
#include <algorithm>

#include "database/dbline.h"
#include "rooms/hvacRoom.h"

namespace {
AcGePoint3d at0(const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, 0.0); }
AcGePoint2d midpoint(const AcGePoint2d& a, const AcGePoint2d& b) { return a + (b - a) * 0.5; }
} // namespace

// Label grip, leader tip and elbow (when shown), the vertices, the closing
// segment's midpoint, then each segment's midpoint.
Acad::ErrorStatus hvacRoom::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    assertReadEnabled();
    points.push_back(at0(labelBox()[0]));
    if (mLeaderVisible) {
        points.push_back(mLeader.endPoint());
        points.push_back(mLeader.middlePoint());
    }
    const size_t n = mPoints.size();
    for (const RoomPoint& p : mPoints) points.push_back(at0(p.point));
    if (n > 0) points.push_back(at0(midpoint(mPoints[n - 1].point, mPoints[0].point)));
    for (size_t i = 0; i + 1 < n; ++i) points.push_back(at0(midpoint(mPoints[i].point, mPoints[i + 1].point)));
    return Acad::eOk;
}

Acad::ErrorStatus hvacRoom::subGetStretchPoints(AcGePoint3dArray& points) const {
    AcDbIntArray modes, ids;
    return subGetGripPoints(points, modes, ids);
}

Acad::ErrorStatus hvacRoom::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    moveEditPoints(indices, offset, true);
    return Acad::eOk;
}

Acad::ErrorStatus hvacRoom::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    moveEditPoints(indices, offset, false);
    return Acad::eOk;
}

void hvacRoom::moveEditPoints(const AcDbIntArray& indices, const AcGeVector3d& offset, bool grips) {
    assertWriteEnabled();
    const AcGeVector2d d(offset.x, offset.y);
    const AcGeVector3d flat(offset.x, offset.y, 0.0);
    const int count = pointCount();
    for (int index : indices) {
        if (index < 0) continue;
        if (index == 0) {
            mLabel.setLocation(mLabel.location() + flat);
            if (mLeaderVisible) {
                mLeader.setStart(mLeader.startPoint() + flat);
                mLeader.setMiddle(mLeader.middlePoint() + flat);
            }
            continue;
        }
        if (mLeaderVisible && index == 1) {
            mLeader.setEnd(mLeader.endPoint() + flat);
            continue;
        }
        if (mLeaderVisible && index == 2) {
            mLeader.setMiddle(mLeader.middlePoint() + flat);
            fitLeaderToLabel();
            continue;
        }
        const int k = index - (mLeaderVisible ? 3 : 1);
        if (k < count) {
            mPoints[static_cast<size_t>(k)].point += d;
            continue;
        }
        if (!grips || count == 0) continue;
        // Segment midpoint j moves vertices j and j - 1; j = 0 is the
        // closing segment (the last vertex and the first).
        const int j = k - count;
        if (j >= count) continue;
        const int before = j == 0 ? count - 1 : j - 1;
        mPoints[static_cast<size_t>(j)].point += d;
        if (before != j) mPoints[static_cast<size_t>(before)].point += d;
    }
}

Acad::ErrorStatus hvacRoom::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    for (RoomPoint& p : mPoints) {
        AcGePoint3d q = at0(p.point);
        q.transformBy(xform);
        p.point.set(q.x, q.y);
    }
    AcGePoint3d location = mLabel.location();
    mLabel.setLocation(location.transformBy(xform));
    if (mLeaderVisible) {
        mLeader.transformBy(xform);
        fitLeaderToLabel();
    }
    return Acad::eOk;
}

// Snaps of each outline segment (the closing one whenever there is a
// vertex), then of the four sides of the label frame.
Acad::ErrorStatus hvacRoom::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                              const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                              const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                              AcDbIntArray& geomIds) const {
    assertReadEnabled();
    auto snapsOf = [&](const AcGePoint2d& a, const AcGePoint2d& b) {
        AcDbLine line(at0(a), at0(b));
        return line.getOsnapPoints(mode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
    };
    const size_t n = mPoints.size();
    Acad::ErrorStatus es;
    for (size_t i = 0; i + 1 < n; ++i)
        if ((es = snapsOf(mPoints[i].point, mPoints[i + 1].point)) != Acad::eOk) return es;
    if (n > 0 && (es = snapsOf(mPoints[n - 1].point, mPoints[0].point)) != Acad::eOk) return es;
    const std::vector<AcGePoint2d> box = labelBox();
    for (size_t i = 0; i + 1 < box.size(); ++i)
        if ((es = snapsOf(box[i], box[i + 1])) != Acad::eOk) return es;
    return Acad::eOk;
}
