// hvacRoom: a closed room outline with its numbered label and an optional
// leader from the label to the outline, all filed inside one entity.
#pragma once

#include "integration/ModuleLifetime.h"

#include <string>
#include <vector>

#include "database/dbentity.h"
#include "database/dbmtext.h"
#include "geometry/AcGe.h"
#include "leaders/ZKLeader.h"

// One outline vertex. When emphasised, the segment that starts here is drawn
// as a band of parallel lines.
struct RoomPoint {
    AcGePoint2d point;
    bool emphasised = false;
};

class hvacRoom : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(hvacRoom);

public:
    // Current DWG data version.
    static constexpr Adesk::Int32 kCurrentVersion = 2;

    hvacRoom();
    ~hvacRoom() override;
    // Removes the class description at unload.
    static void rxUninit();

    Adesk::Int32 index() const { assertReadEnabled(); return mIndex; }
    void setIndex(Adesk::Int32 index);

    int pointCount() const { assertReadEnabled(); return static_cast<int>(mPoints.size()); }
    RoomPoint pointAt(int i) const { assertReadEnabled(); return mPoints.at(static_cast<size_t>(i)); }
    const std::vector<RoomPoint>& points() const { assertReadEnabled(); return mPoints; }
    // Inserts before position i (i == pointCount() appends).
    void insertPoint(int i, const RoomPoint& point);
    void removePoint(int i);
    void clearPoints();
    void setPointAt(int i, const RoomPoint& point);

    // Label.
    const AcDbMText& label() const { assertReadEnabled(); return mLabel; }
    std::string labelText() const { assertReadEnabled(); return mLabel.contents(); }
    // Sets the text, then re-fits the leader to the new label frame.
    void setLabelText(const std::string& text);
    AcGePoint2d labelLocation() const;
    void setLabelLocation(const AcGePoint2d& location);
    // Wraps at width when wrap is true, else does not wrap (width 0).
    void setLabelWidth(bool wrap, double width);
    AcDbObjectId labelLayer() const { assertReadEnabled(); return mLabelLayerId; }
    void setLabelLayer(AcDbObjectId layerId);
    AcDbObjectId labelTextStyle() const { assertReadEnabled(); return mLabelTextStyleId; }
    void setLabelTextStyle(AcDbObjectId styleId);
    double labelTextHeight() const { assertReadEnabled(); return mLabelTextHeight; }
    void setLabelTextHeight(double height);

    // Leader.
    const ZKLeader& leader() const { assertReadEnabled(); return mLeader; }
    // Finds or loads the arrow block and sets the arrow size. False when the
    // block cannot be had (the size is set either way).
    bool setLeaderArrow(const std::string& blockName, double size);
    AcDbObjectId leaderLayer() const { assertReadEnabled(); return mLeaderLayerId; }
    void setLeaderLayer(AcDbObjectId layerId);
    bool leaderVisible() const { assertReadEnabled(); return mLeaderVisible; }
    // Showing the leader places it automatically first.
    void setLeaderVisible(bool visible);
    // Start at the side midpoint nearest the elbow, elbow, arrow; then fitted.
    void setLeaderPoints(const AcGePoint2d& arrow, const AcGePoint2d& elbow);
    // Sets the three leader points as given (file readers, tests).
    void setLeaderPointsRaw(const AcGePoint3d& start, const AcGePoint3d& middle, const AcGePoint3d& end);
    // Start to the side midpoint nearest the elbow; the first leg made
    // horizontal (right/left side) or vertical (top/bottom side).
    void fitLeaderToLabel();
    // Places the leader from the label to the outline point nearest the
    // label centre, with the elbow 0.1 x drawing scale out from the frame.
    void placeLeaderAutomatically();

    // Label frame: five points, the last equal to the first.
    std::vector<AcGePoint2d> labelBox() const;
    AcGePoint2d labelCenter() const;
    // Right, top, left, bottom.
    std::vector<AcGePoint2d> labelSideMidpoints() const;
    AcGePoint2d nearestSideMidpoint(const AcGePoint2d& p) const;

    // Enclosed area; false when there is no outline to measure.
    bool area(double& result) const;
    // Two-ray test: both the up and the right ray cross the outline an odd
    // number of times.
    bool containsPoint(const AcGePoint2d& p) const;

    Acad::ErrorStatus audit(AcDbAuditInfo* info) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void saveAs(AcGiWorldDraw* wd, AcDb::SaveType saveType) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& points) const override;
    Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;

private:
    ModuleObjectToken mLiveToken;  // refuses a module unload while the room exists
    // Width used for the frame: the wrap width, or the laid-out width.
    double labelFrameWidth() const;
    // Draws the outline (with emphasised bands); shared by display and saveAs.
    void drawOutline(AcGiWorldDraw* wd) const;
    // Grip and stretch moves; midpoint grips only for grips.
    void moveEditPoints(const AcDbIntArray& indices, const AcGeVector3d& offset, bool grips);
    Acad::ErrorStatus dwgInVersion2(AcDbDwgFiler* filer);
    Acad::ErrorStatus dwgInVersion1(AcDbDwgFiler* filer);
    Acad::ErrorStatus dwgInCommon(AcDbDwgFiler* filer);
    Acad::ErrorStatus dxfInRoomGroups(AcDbDxfFiler* filer);

    std::vector<RoomPoint> mPoints;
    Adesk::Int32 mIndex = -1;
    AcDbObjectId mLabelLayerId;
    AcDbObjectId mLabelTextStyleId;
    double mLabelTextHeight = 0.0;
    AcDbMText mLabel;
    ZKLeader mLeader;
    bool mLeaderVisible = false;
    AcDbObjectId mLeaderLayerId;
};
