// Drawing attributes (colour, layer, linetype, selection marker) that apply to
// the primitives drawn after they are set.
#pragma once

#include "database/dbid.h"
#include "geometry/adesk.h"

enum AcGiFillType { kAcGiFillAlways = 1, kAcGiFillNever = 2 };

// Colour index values with a special meaning.
namespace AcGiColor {
constexpr Adesk::UInt16 kByBlock = 0;
constexpr Adesk::UInt16 kByLayer = 256;
}  // namespace AcGiColor

class AcGiSubEntityTraits {
public:
    virtual ~AcGiSubEntityTraits() = default;

    virtual void setColor(Adesk::UInt16 colorIndex) = 0;
    virtual void setLayer(AcDbObjectId layerId) = 0;
    virtual void setLineType(AcDbObjectId lineTypeId) = 0;
    virtual void setSelectionMarker(Adesk::GsMarker marker) = 0;
    virtual void setFillType(AcGiFillType fillType) = 0;
    virtual void setLineTypeScale(double scale) = 0;
    virtual void setThickness(double thickness) = 0;
    virtual void setLineWeight(int lineWeight) = 0;

    virtual Adesk::UInt16 color() const = 0;
    virtual AcDbObjectId layerId() const = 0;
    virtual AcDbObjectId lineTypeId() const = 0;
    virtual AcGiFillType fillType() const = 0;
    virtual double lineTypeScale() const = 0;
    virtual double thickness() const = 0;
    virtual int lineWeight() const = 0;
};

// The traits a drawable sets on itself in setAttributes.
class AcGiDrawableTraits : public AcGiSubEntityTraits {};

// Plain-value traits, used by the graphics contexts of this library.
class AcGiBasicTraits : public AcGiDrawableTraits {
public:
    void setColor(Adesk::UInt16 colorIndex) override { mColor = colorIndex; }
    void setLayer(AcDbObjectId layerId) override { mLayer = layerId; }
    void setLineType(AcDbObjectId lineTypeId) override { mLineType = lineTypeId; }
    void setSelectionMarker(Adesk::GsMarker marker) override { mMarker = marker; }
    void setFillType(AcGiFillType fillType) override { mFill = fillType; }
    void setLineTypeScale(double scale) override { mLineTypeScale = scale; }
    void setThickness(double thickness) override { mThickness = thickness; }
    void setLineWeight(int lineWeight) override { mLineWeight = lineWeight; }

    Adesk::UInt16 color() const override { return mColor; }
    AcDbObjectId layerId() const override { return mLayer; }
    AcDbObjectId lineTypeId() const override { return mLineType; }
    AcGiFillType fillType() const override { return mFill; }
    double lineTypeScale() const override { return mLineTypeScale; }
    double thickness() const override { return mThickness; }
    int lineWeight() const override { return mLineWeight; }
    Adesk::GsMarker selectionMarker() const { return mMarker; }

private:
    Adesk::UInt16 mColor = AcGiColor::kByLayer;
    AcDbObjectId mLayer;
    AcDbObjectId mLineType;
    Adesk::GsMarker mMarker = 0;
    AcGiFillType mFill = kAcGiFillNever;
    double mLineTypeScale = 1.0;
    double mThickness = 0.0;
    int mLineWeight = -1;
};
