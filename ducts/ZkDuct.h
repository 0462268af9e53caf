// ZkDuct: one straight duct run from a start to an end point. It carries the
// key of its tblDuct row and the few display data copied into it (size-for
// text, drawing-continuation labels, locks, arrows, hangers); it draws from
// these alone and never reads the project database.
#pragma once

#include <list>
#include <string>
#include <variant>
#include <vector>

#include "database/dbcurve.h"
#include "geometry/AcGe.h"

class AcGiViewportDraw;

class ZkDuct : public AcDbCurve {
    ACRX_DECLARE_MEMBERS(ZkDuct);

public:
    // The binary data version every save writes.
    static constexpr Adesk::Int32 kCurrentVersion = 6;
    // A save files at most this many hanger distances.
    static constexpr size_t kMaxFiledHangers = 100;

    ZkDuct();
    ~ZkDuct() override;
    // Removes the class description at unload.
    static void rxUninit();

    // Start and end points. The full form sets x, y and z (duct functions,
    // tagged-file input); the plan form sets x and y and keeps the stored
    // elevation (every edit made through the editor).
    AcGePoint3d startPoint() const { assertReadEnabled(); return mStart; }
    AcGePoint3d endPoint() const { assertReadEnabled(); return mEnd; }
    void setStartPoint(const AcGePoint3d& point);
    void setEndPoint(const AcGePoint3d& point);
    void setStartPointPlan(const AcGePoint3d& point);
    void setEndPointPlan(const AcGePoint3d& point);
    // Elevation of one end alone (x and y kept).
    void setStartZ(double z);
    void setEndZ(double z);

    // Key of the duct's tblDuct row.
    Adesk::Int32 ductKey() const { assertReadEnabled(); return mDuctKey; }
    void setDuctKey(Adesk::Int32 key);

    // The size text shown for the duct ("X": none), copied from the row.
    const std::string& sizeFor() const { assertReadEnabled(); return mSizeFor; }
    void setSizeFor(const std::string& text);
    // Name of the other drawing the duct continues into.
    const std::string& drawingName() const { assertReadEnabled(); return mDrawingName; }
    void setDrawingName(const std::string& name);
    bool startsInOtherDrawing() const { assertReadEnabled(); return mStartsInOtherDrawing; }
    void setStartsInOtherDrawing(bool value);
    bool endsInOtherDrawing() const { assertReadEnabled(); return mEndsInOtherDrawing; }
    void setEndsInOtherDrawing(bool value);

    bool lockWidth() const { assertReadEnabled(); return mLockWidth; }
    void setLockWidth(bool value);
    bool lockDepth() const { assertReadEnabled(); return mLockDepth; }
    void setLockDepth(bool value);
    bool lockShape() const { assertReadEnabled(); return mLockShape; }
    void setLockShape(bool value);

    // Flow arrows drawn from the end towards the start.
    bool reverseArrows() const { assertReadEnabled(); return mReverseArrows; }
    void setReverseArrows(bool value);

    // Hanger positions along the run from the start; a negative distance
    // marks a crossed hanger at its absolute value.
    const std::vector<double>& hangerDistances() const { assertReadEnabled(); return mHangerDistances; }
    void setHangerDistances(const std::vector<double>& distances);
    void clearHangerDistances();
    void appendHangerDistance(double distance);

    // Filed data that the module's functions never set (file readers and
    // tests use the setters). Only the second display flag is drawn from:
    // when false the duct draws nothing.
    AcGePoint3d thirdPoint() const { assertReadEnabled(); return mThirdPoint; }
    void setThirdPoint(const AcGePoint3d& point);
    bool firstDisplayFlag() const { assertReadEnabled(); return mFirstDisplayFlag; }
    void setFirstDisplayFlag(bool value);
    bool secondDisplayFlag() const { assertReadEnabled(); return mSecondDisplayFlag; }
    void setSecondDisplayFlag(bool value);

    // True when the ends coincide in plan within 0.001 (a riser).
    bool isVerticalInPlan() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    // Readers without the duct class see the line from start to end.
    void saveAs(AcGiWorldDraw* wd, AcDb::SaveType saveType) override;

    // Curve protocol: the segment S -> E, parameter = distance from S.
    bool isClosed() const override { return false; }
    bool isPeriodic() const override { return false; }
    bool isPlanar() const override { return true; }
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
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& deriv) const override;
    Acad::ErrorStatus getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& deriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest,
                                        bool extend = false) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, const AcGeVector3d& direction,
                                        AcGePoint3d& closest, bool extend = false) const override;
    Acad::ErrorStatus extend(double newParam) override;
    Acad::ErrorStatus extend(bool extendStart, const AcGePoint3d& toPoint) override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    void subViewportDraw(AcGiViewportDraw* vd) override;
    void subList() const override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& points) const override;
    Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType,
                                       AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                       Adesk::GsMarker otherGsMarker) const override;
    Acad::ErrorStatus subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType,
                                       const AcGePlane& projPlane, AcGePoint3dArray& points,
                                       Adesk::GsMarker thisGsMarker, Adesk::GsMarker otherGsMarker) const override;

public:
    // The end points whatever the open state (the spatial index measures
    // ducts it has not opened).
    AcGePoint3d planStart() const { return mStart; }
    AcGePoint3d planEnd() const { return mEnd; }

private:
    friend class ZkDuctDisplay;
    Acad::ErrorStatus dwgInVersion(AcDbDwgFiler* filer, Adesk::Int32 version);
    Acad::ErrorStatus dwgInLegacyBlock(AcDbDwgFiler* filer);

    std::string mSizeFor = "X";
    std::string mDrawingName;
    bool mLockWidth = false;
    bool mLockDepth = false;
    bool mLockShape = false;
    AcGePoint3d mStart;
    AcGePoint3d mEnd;
    Adesk::Int32 mDuctKey = 0;
    AcGePoint3d mThirdPoint;
    bool mFirstDisplayFlag = true;
    bool mSecondDisplayFlag = true;
    bool mReverseArrows = false;
    bool mStartsInOtherDrawing = false;
    bool mEndsInOtherDrawing = false;
    std::vector<double> mHangerDistances;
};

// Legacy duct data found in version-3 drawings, one record per duct read.
// `fields` holds the 35 values after the key and the drawing name, in their
// declared order and types (int32, string or double); zk_hvac-getOldDuctInfo
// returns the key, the name, then these.
struct oldDuctFields {
    using Value = std::variant<Adesk::Int32, std::string, double>;
    static constexpr size_t kFieldCount = 35;

    Adesk::Int32 ixDuct = 0;
    std::string drawingName;  // upper case
    std::vector<Value> fields;

    oldDuctFields();
};

// The module-wide list of legacy records, in the order they were read.
std::list<oldDuctFields>& oldDuctFieldsList();
// The first record with this key whose drawing name equals upperName
// exactly; null when none.
const oldDuctFields* findOldDuctFields(Adesk::Int32 key, const std::string& upperName);
// Empties the list (module unload).
void clearOldDuctFields();
