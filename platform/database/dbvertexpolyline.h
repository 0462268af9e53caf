// Polylines whose vertices are entities of their own (files write POLYLINE,
// VERTEX ..., SEQEND): the 2D polyline, in its plane with an elevation,
// bulges and widths, and the 3D polyline through world points. Both draw,
// snap and move through their vertices. Polygon and polyface meshes are
// not modelled: files keep them as proxies.
#pragma once

#include <vector>

#include "database/dbcurve.h"
#include "database/dbkept.h"
#include "database/dbsequence.h"

class AcDbVertexPolyline : public AcDbCurve, public AcDbSequenceOwner {
    ACRX_DECLARE_MEMBERS(AcDbVertexPolyline);

public:
    const std::vector<AcDbObjectId>& vertexIds() const { assertReadEnabled(); return mVertices; }
    bool isClosed() const override { assertReadEnabled(); return (flags() & 1) != 0; }
    // The vertices in world coordinates, in order.
    std::vector<AcGePoint3d> worldVertices() const;

    bool hasFollowers() const override { return true; }
    const char* followerType() const override { return "VERTEX"; }
    void attachFollower(AcDbObjectId id) override { mVertices.push_back(id); }
    void attachSequenceEnd(AcDbObjectId id) override { mSequenceEnd = id; }

protected:
    struct Vertex {
        AcGePoint3d world;
        double bulge = 0.0;
    };
    std::vector<Vertex> vertices() const;
    // Puts world points back into the vertices (same count), negating the
    // bulges when mirrored.
    void storeVertices(const std::vector<AcGePoint3d>& world, bool mirrored);
    virtual Adesk::Int16 flags() const = 0;
    // The plane the vertices are filed in and its elevation (the world for 3D).
    virtual AcGeVector3d planeNormal() const = 0;
    virtual double elevation() const = 0;
    virtual void setPlane(const AcGeVector3d& normal, double elevation) = 0;

    bool subWorldDraw(AcGiWorldDraw* wd) override;
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
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    void subList() const override;

    std::vector<AcDbObjectId> mVertices;
    AcDbObjectId mSequenceEnd;
    AcDbKeptGroups mKept;

private:
    // The outline as drawn: bulged segments as fine arcs.
    std::vector<AcGePoint3d> outline() const;
};

class AcDb2dPolyline : public AcDbVertexPolyline {
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);

public:
    AcDb2dPolyline();
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    double thickness() const { assertReadEnabled(); return mThickness; }
    AcRxClass* followerClass(int flags) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    Adesk::Int16 flags() const override { return mFlags; }
    AcGeVector3d planeNormal() const override { return mNormal; }
    double elevation() const override { return mElevation.z; }
    void setPlane(const AcGeVector3d& normal, double elevation) override;

private:
    template <class> friend struct AcDbFieldList;
    AcGePoint3d mElevation;  // (0, 0, elevation) as filed
    double mThickness = 0.0;
    Adesk::Int16 mFlags = 0;
    double mStartWidth = 0.0;
    double mEndWidth = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
};

class AcDb3dPolyline : public AcDbVertexPolyline {
    ACRX_DECLARE_MEMBERS(AcDb3dPolyline);

public:
    AcDb3dPolyline();
    AcRxClass* followerClass(int flags) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    Adesk::Int16 flags() const override { return mFlags; }
    AcGeVector3d planeNormal() const override { return AcGeVector3d::kZAxis; }
    double elevation() const override { return 0.0; }
    void setPlane(const AcGeVector3d&, double) override {}

private:
    template <class> friend struct AcDbFieldList;
    AcGePoint3d mOrigin;  // (0, 0, 0) as filed
    Adesk::Int16 mFlags = 8;
};

// The class a POLYLINE of these flags (group 70) is made of: nullptr for
// the meshes, which stay proxies.
AcRxClass* polylineClassForFlags(int flags);
