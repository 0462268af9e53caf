// The primitives a drawable draws with: lines, circles, arcs, text, multiline
// text, block inserts and embedded drawables.
#pragma once

#include "database/dbid.h"
#include "geometry/AcGe.h"
#include "graphics/AcGiTextStyle.h"

#include <string_view>

class AcGiDrawable;

enum AcGiArcType { kAcGiArcSimple = 0, kAcGiArcSector, kAcGiArcChord };

// A multiline text for the mtext primitive. contents keeps the formatting
// codes ("\P" is a line break); attachment is 1 (top left) to 9 (bottom right).
struct AcGiMTextData {
    AcGePoint3d location;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d direction = AcGeVector3d::kXAxis;
    double height = 1.0;
    double width = 0.0;  // 0: no wrapping width
    int attachment = 1;
    double widthFactor = 1.0;
    std::string_view contents;
};

// A block reference for the insert primitive.
struct AcGiBlockInsertData {
    std::string_view blockName;
    AcDbObjectId blockId;
    AcGePoint3d position;
    double rotation = 0.0;
    AcGeScale3d scale;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    // Maps block coordinates to the reference's coordinates (position,
    // rotation, scale and the block's base point).
    AcGeMatrix3d blockTransform;
};

class AcGiGeometry {
public:
    virtual ~AcGiGeometry() = default;

    virtual bool polyline(Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                          const AcGeVector3d* pNormal = nullptr, Adesk::GsMarker lBaseSubEntMarker = -1) = 0;
    virtual bool polygon(Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) = 0;
    virtual bool circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal) = 0;
    // The circle through three points.
    virtual bool circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3);
    // Arc from startVector (from the centre), counter-clockwise about normal by sweepAngle.
    virtual bool circularArc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                             const AcGeVector3d& startVector, double sweepAngle,
                             AcGiArcType arcType = kAcGiArcSimple) = 0;
    // The arc from start through point to end.
    virtual bool circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                             AcGiArcType arcType = kAcGiArcSimple);
    virtual bool text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                      double height, double width, double oblique, const char* pMsg) = 0;
    // Styled text; length -1 means up to the terminating zero.
    virtual bool text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                      const char* pMsg, Adesk::Int32 length, Adesk::Boolean raw, const AcGiTextStyle& style);
    // Multiline text in one call; the context lays out the lines.
    virtual bool mtext(const AcGiMTextData& data) = 0;
    // A block reference. Returns true when the context keeps inserts as
    // references (it recorded this one); false asks the caller to draw the
    // block's entities itself, between pushModelTransform(blockTransform)
    // and popModelTransform, through draw().
    virtual bool blockInsert(const AcGiBlockInsertData& data) = 0;

    virtual bool pushModelTransform(const AcGeMatrix3d& xMat) = 0;
    // Pushes the plane-to-world transform of the arbitrary axis system of normal.
    virtual bool pushModelTransform(const AcGeVector3d& normal);
    virtual bool popModelTransform() = 0;
    virtual AcGeMatrix3d getModelToWorldTransform() const = 0;
    virtual AcGeMatrix3d getWorldToModelTransform() const { return getModelToWorldTransform().inverse(); }

    // Draws another drawable (an embedded entity) with its own attributes.
    virtual bool draw(AcGiDrawable* pDrawable) = 0;
};

class AcGiWorldGeometry : public virtual AcGiGeometry {};
class AcGiViewportGeometry : public virtual AcGiGeometry {};
