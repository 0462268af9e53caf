// hvacRoom label geometry (frame, centre, side midpoints) and the leader
// rules that tie the leader to the label frame and the outline.
#include <cmath>

#include "integration/DrawingHelpers.h"
#include "rooms/hvacRoom.h"

namespace {
AcGePoint3d at0(const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, 0.0); }
} // namespace

double hvacRoom::labelFrameWidth() const {
    double w = mLabel.width();
    return w != 0.0 ? w : mLabel.actualWidth();
}

std::vector<AcGePoint2d> hvacRoom::labelBox() const {
    assertReadEnabled();
    const double m = mLabelTextHeight / 2.0;
    const AcGePoint2d L = labelLocation();
    const double w = labelFrameWidth();
    const double h = mLabel.actualHeight();
    AcGePoint2d p0(L.x - m, L.y + m);
    AcGePoint2d p1 = p0 + AcGeVector2d(w + 2 * m, 0.0);
    AcGePoint2d p2 = p1 + AcGeVector2d(0.0, -(h + 2 * m));
    AcGePoint2d p3 = p2 + AcGeVector2d(-(w + 2 * m), 0.0);
    return {p0, p1, p2, p3, p0};
}

AcGePoint2d hvacRoom::labelCenter() const {
    assertReadEnabled();
    const AcGePoint2d L = labelLocation();
    return AcGePoint2d(L.x + labelFrameWidth() / 2.0, L.y - mLabel.actualHeight() / 2.0);
}

std::vector<AcGePoint2d> hvacRoom::labelSideMidpoints() const {
    assertReadEnabled();
    const double m = mLabelTextHeight / 2.0;
    const double w = labelFrameWidth();
    const double h = mLabel.actualHeight();
    const AcGePoint2d c = labelCenter();
    return {AcGePoint2d(c.x + w / 2 + m, c.y), AcGePoint2d(c.x, c.y + h / 2 + m),
            AcGePoint2d(c.x - w / 2 - m, c.y), AcGePoint2d(c.x, c.y - h / 2 - m)};
}

AcGePoint2d hvacRoom::nearestSideMidpoint(const AcGePoint2d& p) const {
    const std::vector<AcGePoint2d> mids = labelSideMidpoints();
    size_t best = 0;
    for (size_t i = 1; i < mids.size(); ++i)
        if (mids[i].distanceTo(p) < mids[best].distanceTo(p)) best = i;
    return mids[best];
}

void hvacRoom::setLeaderPoints(const AcGePoint2d& arrow, const AcGePoint2d& elbow) {
    assertWriteEnabled();
    mLeader.setPoints(at0(nearestSideMidpoint(elbow)), at0(elbow), at0(arrow));
    fitLeaderToLabel();
}

void hvacRoom::setLeaderPointsRaw(const AcGePoint3d& start, const AcGePoint3d& middle, const AcGePoint3d& end) {
    assertWriteEnabled();
    mLeader.setPoints(start, middle, end);
}

void hvacRoom::fitLeaderToLabel() {
    assertWriteEnabled();
    const std::vector<AcGePoint2d> mids = labelSideMidpoints();
    AcGePoint3d start, middle, end;
    mLeader.getPoints(start, middle, end);
    const AcGePoint2d elbow = middle.convert2d();
    size_t side = 0;
    for (size_t i = 1; i < mids.size(); ++i)
        if (mids[i].distanceTo(elbow) < mids[side].distanceTo(elbow)) side = i;
    const AcGePoint2d s = mids[side];
    // Right and left sides start with a horizontal leg, top and bottom with
    // a vertical one.
    if (side == 0 || side == 2) middle.y = s.y;
    else middle.x = s.x;
    mLeader.setPoints(at0(s), middle, end);
}

void hvacRoom::placeLeaderAutomatically() {
    assertWriteEnabled();
    mLeaderVisible = true;
    const AcGePoint2d c = labelCenter();
    // Candidates a quarter of the way along each segment, the closing one
    // (from the first vertex toward the last) first.
    AcGePoint2d arrow = c;
    const size_t n = mPoints.size();
    if (n > 0) {
        auto quarter = [](const AcGePoint2d& a, const AcGePoint2d& b) { return a + (b - a) * 0.25; };
        arrow = quarter(mPoints[0].point, mPoints[n - 1].point);
        double best = arrow.distanceTo(c);
        for (size_t i = 0; i + 1 < n; ++i) {
            AcGePoint2d q = quarter(mPoints[i].point, mPoints[i + 1].point);
            double d = q.distanceTo(c);
            if (d < best) {
                best = d;
                arrow = q;
            }
        }
    }
    const AcGePoint2d s = nearestSideMidpoint(arrow);
    AcGeVector2d out = s - c;
    const double len = out.length();
    out = len > 0.0 ? out / len : AcGeVector2d(0.0, 0.0);
    const AcGePoint2d elbow = s + out * (0.1 * drawingScaleFactor());
    mLeader.setPoints(at0(s), at0(elbow), at0(arrow));
}
