// A graphics canvas that writes primitives as SVG elements (y axis flipped)
// and keeps the extents of what it drew.
#pragma once

#include "graphics/AcGiCanvas.h"

#include <cstdio>
#include <functional>
#include <string>
#include <unordered_map>

// The colour index of a layer; a negative value means the layer is off and
// its primitives are not drawn.
using SvgLayerColorFn = std::function<int(AcDbObjectId layer)>;

class SvgCanvas : public AcGiCanvas {
public:
    // Elements are appended to an internal buffer that is flushed to out
    // whenever it grows past a megabyte, and by flush().
    SvgCanvas(std::FILE* out, SvgLayerColorFn layerColor);

    void polyline(const AcGePoint3d* points, std::size_t count, bool closed,
                  const AcGiPrimitiveTraits& traits) override;
    void circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                const AcGiPrimitiveTraits& traits) override;
    void arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal, const AcGeVector3d& startVector,
             double sweep, const AcGiPrimitiveTraits& traits) override;
    void text(const AcGiCanvasText& text, const AcGiPrimitiveTraits& traits) override;
    void mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits& traits) override;

    void flush();
    std::size_t primitiveCount() const { return mPrimitives; }
    bool hasExtents() const { return mMinX <= mMaxX; }
    // Extents in drawing coordinates (y up).
    double minX() const { return mMinX; }
    double minY() const { return mMinY; }
    double maxX() const { return mMaxX; }
    double maxY() const { return mMaxY; }

private:
    // The colour as "#rrggbb", or nullptr when the primitive is hidden.
    const char* strokeOf(const AcGiPrimitiveTraits& traits);
    void extend(double x, double y);
    void number(double v);
    void coordinate(double x, double y);  // "x,y" with y flipped
    void escaped(std::string_view text);
    void textLine(const AcGePoint3d& at, const AcGeVector3d& direction, double height, double widthFactor,
                  std::string_view line, const char* color);

    std::FILE* mOut;
    SvgLayerColorFn mLayerColor;
    std::unordered_map<AcDbObjectId, int> mLayerColors;
    char mColors[257][8];
    std::string mBuffer;
    std::size_t mPrimitives = 0;
    double mMinX, mMinY, mMaxX, mMaxY;
};
