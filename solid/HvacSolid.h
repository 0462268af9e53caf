// The library's implementation of zk_hvacSolid: the body is an OpenCASCADE
// shape. Only the library's own .cpp files include this header.
#pragma once

#include <TopoDS_Shape.hxx>

#include <vector>

#include "solid/zk_hvacSolid.h"

class HvacSolid : public zk_hvacSolid {
public:
    static AcRxClass* gpDesc;
    static void rxInit();
    static void rxUninit();
    AcRxClass* isA() const override { return gpDesc; }

    bool addTransition(const AcGePoint3d& a, bool rectA, double widthA, double depthA, const AcGePoint3d& b,
                       bool rectB, double widthB, double depthB, const zkSolidFrame& frameA,
                       const zkSolidFrame& frameB, int flags) override;
    bool addSquareElbowPrep(AcGePoint3d& a, double widthA, double depthA, AcGePoint3d& b, double widthB,
                            double depthB, const zkSolidFrame& frameA, const zkSolidFrame& frameB, bool rect,
                            zkSolidWorkPoints& work1, zkSolidWorkPoints& work2, zkSolidWorkPoints& work3,
                            bool prepOnly, double vaneSpacing) override;
    bool addSquareElbow(AcGePoint3d a, double widthA, double depthA, AcGePoint3d b, double widthB, double depthB,
                        const zkSolidFrame& frameA, const zkSolidFrame& frameB, bool rect, zkSolidWorkPoints& work1,
                        zkSolidWorkPoints& work2, zkSolidWorkPoints& work3, int flags) override;
    bool addRadiusElbow(AcGePoint3d& a, double widthA, double depthA, double lining, double exteriorLining,
                        AcGePoint3d& b, double widthB, double depthB, const zkSolidFrame& frameA,
                        const zkSolidFrame& frameB, bool rect, double ratio, bool moveEnds, int flags,
                        bool solid) override;
    bool addWyePrep(AcGePoint3d& a0, double w0, double d0, AcGePoint3d& b1, double w1, double d1, AcGePoint3d& b2,
                    double w2, double d2, const zkSolidFrame& frame0, const zkSolidFrame& frame1,
                    const zkSolidFrame& frame2, bool rect, std::vector<AcGePoint3d>& work, bool prepOnly,
                    double spacing) override;
    bool addWye(const AcGePoint3d& a0, double w0, double d0, const AcGePoint3d& b1, double w1, double d1,
                const AcGePoint3d& b2, double w2, double d2, const AcGePoint3d& junction, const zkSolidFrame& frame0,
                const zkSolidFrame& frame1, const zkSolidFrame& frame2, bool rect, std::vector<AcGePoint3d>& work,
                int flags) override;
    bool addFlex(const std::vector<AcGePoint3d>& points, double radius, const AcGeVector3d& startDirection,
                 const AcGeVector3d& endDirection, int flags) override;
    bool addDiffuser(const AcGePoint3d& diffuser, const AcGePoint3d& connection, int kind, double neckWidth,
                     double neckDepth, double faceSize, bool rectNeck, const zkSolidFrame& frame,
                     int flags) override;
    bool addSidewallDiffuser(const AcGePoint3d& point, double width, double height, const zkSolidFrame& frame,
                             int flags) override;
    bool doUnion(const zk_hvacSolid* other) override;
    bool sliceFirst(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                    const AcGePoint3d& p4) override;
    bool sliceLast(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                   const AcGePoint3d& p4) override;

    bool isNull() const override;
    std::string kindName() const override;
    bool getMassProps(zkSolidMassProps& props) const override;
    double surfaceArea() const override;
    bool getMesh(zkSolidMesh& mesh, double tolerance = 0) const override;
    std::string brepText() const override;
    bool setBrepText(const std::string& text) override;
    bool writeSolids(const std::vector<const zk_hvacSolid*>& others, const std::string& path) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    // Readers without this class see the solid's triangles as faces.
    void saveAs(AcGiWorldDraw* wd, AcDb::SaveType saveType) override;

    const TopoDS_Shape& shape() const { return mShape; }

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    void subList() const override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;

private:
    enum Kind { kNone, kTransition, kSquareElbow, kRadiusElbow, kWye, kFlex, kDiffuser, kSidewall, kSliced, kUnion };
    // Takes a freshly built shape when it is a valid solid; false otherwise.
    bool accept(const TopoDS_Shape& shape, Kind kind);
    bool slice(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3, const AcGePoint3d& p4,
               bool keepP4Side);
    // Edge polylines for display, made when the body changes.
    const std::vector<std::vector<AcGePoint3d>>& edgePolylines() const;

    TopoDS_Shape mShape;
    int mKind = kNone;
    // Distance between turning vanes along an elbow's diagonal, as the last
    // square elbow Prep call gave it (not filed: only used while building).
    double mVaneSpacing = 3.0;
    mutable std::vector<std::vector<AcGePoint3d>> mEdges;
    mutable bool mEdgesValid = false;
};
