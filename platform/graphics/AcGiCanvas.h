// A back-end that receives primitives in world coordinates with their traits
// (recording for tests, SVG output, ...). Fed by AcGiCanvasContext.
#pragma once

#include "graphics/AcGiGeometry.h"

#include <cstddef>

// The traits in force when a primitive was drawn. color and lineWeight are
// already resolved for ByBlock (the enclosing insert's) but may still be
// ByLayer (256, -1); inside a block, the inheriting layer (see
// AcGiCanvasContext::setInheritingLayer) is replaced by the insert's layer.
struct AcGiPrimitiveTraits {
    Adesk::UInt16 color = 256;
    AcDbObjectId layer;
    AcDbObjectId lineType;
    // The linetype of the enclosing insert, for a ByBlock linetype.
    AcDbObjectId blockLineType;
    // The layer of the top-level drawable this primitive belongs to.
    AcDbObjectId topLayer;
    Adesk::GsMarker marker = 0;
    int lineWeight = -1;  // hundredths of a millimetre; -1 ByLayer, -3 default
    double lineTypeScale = 1.0;
    bool filled = false;  // closed shapes are filled (fill type always)
    int depth = 0;  // nesting level of draw() calls, 0 for the top drawable
};

struct AcGiCanvasText {
    AcGePoint3d position;    // baseline start
    AcGeVector3d direction;  // unit, world
    AcGeVector3d normal;     // unit, world
    double height = 1.0;
    double widthFactor = 1.0;
    double oblique = 0.0;
    std::string_view string;
};

class AcGiCanvas {
public:
    virtual ~AcGiCanvas() = default;
    virtual void polyline(const AcGePoint3d* points, std::size_t count, bool closed,
                          const AcGiPrimitiveTraits& traits) = 0;
    virtual void circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                        const AcGiPrimitiveTraits& traits) = 0;
    // Counter-clockwise about normal from startVector (unit) by sweep radians.
    virtual void arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                     const AcGeVector3d& startVector, double sweep, const AcGiPrimitiveTraits& traits) = 0;
    virtual void text(const AcGiCanvasText& text, const AcGiPrimitiveTraits& traits) = 0;
    // location, direction and normal already in world coordinates.
    virtual void mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits& traits) = 0;
    // Canvases that keep block references whole return true; others get the
    // block's content drawn instead.
    virtual bool keepsInserts() const { return false; }
    // position in world coordinates; rotation and scale as the reference has them.
    virtual void insert(const AcGiBlockInsertData&, const AcGiPrimitiveTraits&) {}
};
