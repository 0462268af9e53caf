// hvacRoom display: the outline with its emphasised bands, the leader, the
// label frame and the label; proxy graphics; geometric extents.
#include <cmath>

#include "graphics/AcGiWorldDraw.h"
#include "rooms/hvacRoom.h"

namespace {

// The angle constants of the room graphics use pi to eight decimals.
constexpr double kPi = 3.14159265;
constexpr int kBandLinesPerSide = 6;

AcGePoint3d at0(const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, 0.0); }

AcGePoint2d polar(const AcGePoint2d& from, double angle, double distance) {
    return AcGePoint2d(from.x + distance * std::cos(angle), from.y + distance * std::sin(angle));
}

// One outline segment; an emphasised one adds six offset lines on each side,
// one drawing unit apart.
void drawSegment(AcGiWorldDraw* wd, const AcGePoint2d& a, const AcGePoint2d& b, bool emphasised) {
    AcGePoint3d line[2] = {at0(a), at0(b)};
    wd->geometry().polyline(2, line);
    if (!emphasised) return;
    const double side = std::atan2(b.y - a.y, b.x - a.x) + kPi / 2.0;
    for (int k = 1; k <= kBandLinesPerSide; ++k) {
        for (double angle : {side, side + kPi}) {
            AcGePoint3d offset[2] = {at0(polar(a, angle, k)), at0(polar(b, angle, k))};
            wd->geometry().polyline(2, offset);
        }
    }
}

} // namespace

void hvacRoom::drawOutline(AcGiWorldDraw* wd) const {
    const size_t n = mPoints.size();
    Adesk::GsMarker marker = 0;
    for (size_t i = 0; i + 1 < n; ++i) {
        wd->subEntityTraits().setSelectionMarker(++marker);
        drawSegment(wd, mPoints[i].point, mPoints[i + 1].point, mPoints[i].emphasised);
    }
    if (n > 2) {
        wd->subEntityTraits().setSelectionMarker(++marker);
        drawSegment(wd, mPoints[n - 1].point, mPoints[0].point, mPoints[n - 1].emphasised);
    }
    wd->subEntityTraits().setSelectionMarker(0);
}

bool hvacRoom::subWorldDraw(AcGiWorldDraw* wd) {
    assertReadEnabled();
    drawOutline(wd);
    // A room without index shows only its outline.
    if (mIndex == -1) return true;
    if (mLeaderVisible) {
        if (mLeaderLayerId.isValid()) wd->subEntityTraits().setLayer(mLeaderLayerId);
        wd->geometry().draw(&mLeader);
    }
    if (mLabelLayerId.isValid()) wd->subEntityTraits().setLayer(mLabelLayerId);
    std::vector<AcGePoint3d> frame;
    for (const AcGePoint2d& p : labelBox()) frame.push_back(at0(p));
    wd->geometry().polyline(static_cast<Adesk::UInt32>(frame.size()), frame.data());
    if (mLabelTextStyleId.isValid()) mLabel.setTextStyle(mLabelTextStyleId);
    if (mLabelTextHeight != 0.0) mLabel.setTextHeight(mLabelTextHeight);
    mLabel.setDirection(AcGeVector3d(1.0, 0.0, 0.0));
    mLabel.setColorIndex(256);
    if (mLabelLayerId.isValid()) mLabel.setLayer(mLabelLayerId);
    wd->geometry().draw(&mLabel);
    return true;
}

// Readers without the room class see the outline only.
void hvacRoom::saveAs(AcGiWorldDraw* wd, AcDb::SaveType) {
    assertReadEnabled();
    drawOutline(wd);
}

// The outline, the label and its frame; the leader is left out.
Acad::ErrorStatus hvacRoom::subGetGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    for (const RoomPoint& p : mPoints) extents.addPoint(at0(p.point));
    AcDbExtents labelExtents;
    if (mLabel.getGeomExtents(labelExtents) == Acad::eOk) extents.addExt(labelExtents);
    for (const AcGePoint2d& p : labelBox()) extents.addPoint(at0(p));
    return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}
