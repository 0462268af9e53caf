// zk_hvacSolid: a duct solid of the sibling solid library
// (zk_zk-solid2015x64.dbx). Callers see only this header: every member is
// virtual or inline, so the library can be loaded at run time and a caller
// never links against it. Without the library desc() is null and create()
// answers null, so every solid function fails on its own.
#pragma once

#include <string>
#include <vector>

#include "database/dbentity.h"
#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeVector3d.h"
#include "runtime/rxobject.h"

// The three unit vectors of a duct end: along the duct, across it
// (horizontal) and up. Widths run along `side`, depths along `up`.
struct zkSolidFrame {
    AcGeVector3d direction;
    AcGeVector3d side;
    AcGeVector3d up;
};

// Work points the modeler hands back from a Prep call: the corners of a
// cross-section, eight per array.
using zkSolidWorkPoints = AcGePoint3d[8];

// Triangle mesh of a solid: three vertex indices per triangle.
struct zkSolidMesh {
    std::vector<AcGePoint3d> vertices;
    std::vector<AcGeVector3d> normals; // one per vertex
    std::vector<int> triangles;
};

struct zkSolidMassProps {
    double volume = 0;
    AcGePoint3d minPoint, maxPoint, centroid;
};

class zk_hvacSolid : public AcDbEntity {
public:
    // Flags of addSquareElbow.
    static constexpr int kTurningVanes = 1;

    static constexpr const char* kClassName = "zk_hvacSolid";
    // The class registered by the loaded library, or null.
    static AcRxClass* desc() { return static_cast<AcRxClass*>(acrxClassDictionary()->at(kClassName)); }
    static zk_hvacSolid* cast(const AcRxObject* object) {
        AcRxClass* cls = desc();
        return (object && cls && object->isKindOf(cls)) ? static_cast<zk_hvacSolid*>(const_cast<AcRxObject*>(object))
                                                        : nullptr;
    }
    // A new empty solid, or null when the library is not loaded.
    static zk_hvacSolid* create() {
        AcRxClass* cls = desc();
        return cls ? static_cast<zk_hvacSolid*>(cls->create()) : nullptr;
    }

    // Every builder replaces the body; false (body unchanged) on bad input.
    // A loft between two cross-sections (rectangular when rect, else round
    // of diameter width).
    virtual bool addTransition(const AcGePoint3d& a, bool rectA, double widthA, double depthA, const AcGePoint3d& b,
                               bool rectB, double widthB, double depthB, const zkSolidFrame& frameA,
                               const zkSolidFrame& frameB, int flags) = 0;
    // Finds where a square elbow between the two legs starts and ends (a and
    // b move there) and whether it can be built with these leg sizes: the
    // legs must agree across the turning plane.
    virtual bool addSquareElbowPrep(AcGePoint3d& a, double widthA, double depthA, AcGePoint3d& b, double widthB,
                                    double depthB, const zkSolidFrame& frameA, const zkSolidFrame& frameB, bool rect,
                                    zkSolidWorkPoints& work1, zkSolidWorkPoints& work2, zkSolidWorkPoints& work3,
                                    bool prepOnly, double vaneSpacing) = 0;
    // The square elbow between the points a Prep call answered. With
    // kTurningVanes in flags it is a sheet-metal shell with curved vanes
    // along its diagonal, spaced as the Prep call asked.
    virtual bool addSquareElbow(AcGePoint3d a, double widthA, double depthA, AcGePoint3d b, double widthB,
                                double depthB, const zkSolidFrame& frameA, const zkSolidFrame& frameB, bool rect,
                                zkSolidWorkPoints& work1, zkSolidWorkPoints& work2, zkSolidWorkPoints& work3,
                                int flags) = 0;
    // A swept elbow of centre-line radius ratio * width (turning plane);
    // a and b move to its ends. The lining lengths widen nothing here: the
    // caller already widened the sizes.
    virtual bool addRadiusElbow(AcGePoint3d& a, double widthA, double depthA, double lining, double exteriorLining,
                                AcGePoint3d& b, double widthB, double depthB, const zkSolidFrame& frameA,
                                const zkSolidFrame& frameB, bool rect, double ratio, bool moveEnds, int flags,
                                bool solid) = 0;
    // A wye: trunk ending at `junction`, two legs leaving it along their
    // frames. Prep moves a0, b1, b2 to the wye's ends.
    virtual bool addWyePrep(AcGePoint3d& a0, double w0, double d0, AcGePoint3d& b1, double w1, double d1,
                            AcGePoint3d& b2, double w2, double d2, const zkSolidFrame& frame0,
                            const zkSolidFrame& frame1, const zkSolidFrame& frame2, bool rect,
                            std::vector<AcGePoint3d>& work, bool prepOnly, double spacing) = 0;
    virtual bool addWye(const AcGePoint3d& a0, double w0, double d0, const AcGePoint3d& b1, double w1, double d1,
                        const AcGePoint3d& b2, double w2, double d2, const AcGePoint3d& junction,
                        const zkSolidFrame& frame0, const zkSolidFrame& frame1, const zkSolidFrame& frame2, bool rect,
                        std::vector<AcGePoint3d>& work, int flags) = 0;
    // A round sweep of the radius through the points (at least two).
    virtual bool addFlex(const std::vector<AcGePoint3d>& points, double radius, const AcGeVector3d& startDirection,
                         const AcGeVector3d& endDirection, int flags) = 0;
    // A ceiling diffuser: a neck of the connection size from the connection
    // point down to the diffuser point and a square face plate there.
    virtual bool addDiffuser(const AcGePoint3d& diffuser, const AcGePoint3d& connection, int kind, double neckWidth,
                             double neckDepth, double faceSize, bool rectNeck, const zkSolidFrame& frame,
                             int flags) = 0;
    // A sidewall grille: a plate of width by height facing along the frame.
    virtual bool addSidewallDiffuser(const AcGePoint3d& point, double width, double height,
                                     const zkSolidFrame& frame, int flags) = 0;
    // Unites the other solid's body into this one (the caller erases it).
    virtual bool doUnion(const zk_hvacSolid* other) = 0;
    // Cuts by the plane through p1, p2, p3: sliceFirst keeps the side p4 is
    // on, sliceLast the other side.
    virtual bool sliceFirst(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                            const AcGePoint3d& p4) = 0;
    virtual bool sliceLast(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                           const AcGePoint3d& p4) = 0;

    // What the body is: empty, volume and surface area, the kind of piece.
    virtual bool isNull() const = 0;
    virtual std::string kindName() const = 0;
    virtual bool getMassProps(zkSolidMassProps& props) const = 0;
    virtual double surfaceArea() const = 0;
    // The body's triangles at the chordal tolerance (0: from its size).
    virtual bool getMesh(zkSolidMesh& mesh, double tolerance = 0) const = 0;
    // The body as modeler text and back.
    virtual std::string brepText() const = 0;
    virtual bool setBrepText(const std::string& text) = 0;
    // Writes this solid and the others to one file: STEP (".step", ".stp")
    // or STL (".stl"), chosen by the name's ending.
    virtual bool writeSolids(const std::vector<const zk_hvacSolid*>& others, const std::string& path) const = 0;
};
