// ZKLeader: a two-leg leader curve (start -> elbow -> tip) whose arrowhead is
// an embedded insert of an arrow block, scaled to the leader's size.
#pragma once

#include <string>

#include "database/dbblockref.h"
#include "database/dbcurve.h"
#include "geometry/AcGe.h"
#include "integration/ModuleLifetime.h"

class ZKLeader : public AcDbCurve {
    ACRX_DECLARE_MEMBERS(ZKLeader);

public:
    // Current DWG data version.
    static constexpr Adesk::Int32 kVersion = 2;

    ZKLeader();
    ~ZKLeader() override;
    // Removes the class registered by rxInit (module unload).
    static void rxUninit();

    // Points: start (at the label), middle (the elbow), end (the arrow tip).
    void getPoints(AcGePoint3d& start, AcGePoint3d& middle, AcGePoint3d& end) const;
    AcGePoint3d startPoint() const { assertReadEnabled(); return mStart; }
    AcGePoint3d middlePoint() const { assertReadEnabled(); return mMiddle; }
    AcGePoint3d endPoint() const { assertReadEnabled(); return mEnd; }
    // Each setter stores the point(s) and re-aims the arrow.
    void setStart(const AcGePoint3d& point);
    void setMiddle(const AcGePoint3d& point);
    void setEnd(const AcGePoint3d& point);
    void setPoints(const AcGePoint3d& start, const AcGePoint3d& middle, const AcGePoint3d& end);
    // Where the second leg stops: `size` short of the tip, toward the elbow.
    AcGePoint3d arrowBase() const;

    // Arrow size: the insert's uniform scale and the gap before the tip.
    double size() const { assertReadEnabled(); return mSize; }
    void setSize(double size);

    // Finds the block in the working drawing or loads it from "<name>.dwg".
    // False (nothing changed) when it can be had neither way.
    bool setArrowBlock(const std::string& name);
    AcDbObjectId arrowBlockId() const { assertReadEnabled(); return mArrowBlockId; }
    // Points the arrow at a block definition already in the drawing.
    void setArrowBlockId(AcDbObjectId blockId);
    // The arrowhead insert (position end, rotation of middle -> end, scale size).
    const AcDbBlockReference& arrow() const { return mArrow; }

    // Sets the leader's layer; with doSubents the arrow insert's too.
    using AcDbEntity::setLayer;
    Acad::ErrorStatus setLayer(AcDbObjectId layerId, bool doSubents = true) override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    // Curve protocol: the straight segment start -> end, parameter = distance.
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getDistAtPoint(const AcGePoint3d& point, double& dist) const override;
    Acad::ErrorStatus getPointAtDist(double dist, AcGePoint3d& point) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    void subList() const override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& points) const override;
    Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;

private:
    ModuleObjectToken mLiveToken;  // refuses a module unload while the leader exists
    // Places the arrow insert at the tip, turned along middle -> end.
    void updateArrow();
    Acad::ErrorStatus readVersion(AcDbDwgFiler* filer, Adesk::Int32 version);

    AcGePoint3d mStart;
    AcGePoint3d mMiddle;
    AcGePoint3d mEnd;
    AcDbObjectId mArrowBlockId;
    AcDbBlockReference mArrow;
    double mSize = 0.0;
};
