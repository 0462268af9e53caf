// What a plot draws, in plan and in drawing units, with resolved pens: the
// one description every picture format is written from.
#pragma once

#include "geometry/AcGe.h"
#include "graphics/AcGiFont.h"
#include "render/PlotStyle.h"

#include <cstdint>
#include <string>
#include <vector>

// One line of text: the baseline start, its unit direction, the em size the
// font is set at, and the glyphs placed by the font's advances.
struct PlotText {
    AcGePoint2d origin;
    AcGeVector2d direction = AcGeVector2d(1, 0);
    double em = 1.0;
    double widthFactor = 1.0;
    double oblique = 0.0;  // radians, slanting the glyphs to the right
    std::string utf8;
    AcGiGlyphRun run;
};

enum class PlotItemKind : std::uint8_t { kStroke, kFill, kArc, kText };

struct PlotItem {
    PlotItemKind kind;
    bool closed;         // strokes: back to the first point
    std::uint32_t pen;   // index in pens
    std::uint32_t first; // points (strokes, fills, arcs) or texts index
    std::uint32_t count; // number of points
};

class PlotDisplayList {
public:
    PlotDisplayList();

    // An arc runs counter-clockwise from angle a0 to a1 (a0 < a1; a full
    // circle is a1 - a0 >= 2 pi).
    void stroke(const AcGePoint2d* points, std::size_t count, bool closed, std::uint32_t pen);
    void fill(const AcGePoint2d* points, std::size_t count, std::uint32_t pen);
    void arc(const AcGePoint2d& center, double radius, double a0, double a1, std::uint32_t pen);
    void text(PlotText text, std::uint32_t pen);
    // The index of a pen, added when new.
    std::uint32_t pen(const PlotPen& pen);

    std::vector<PlotPen>& pens() { return mPens; }
    const std::vector<PlotPen>& pens() const { return mPens; }
    const std::vector<PlotItem>& items() const { return mItems; }
    const std::vector<AcGePoint2d>& points() const { return mPoints; }
    const std::vector<PlotText>& texts() const { return mTexts; }

    bool hasExtents() const { return mMinX <= mMaxX; }
    double minX() const { return mMinX; }
    double minY() const { return mMinY; }
    double maxX() const { return mMaxX; }
    double maxY() const { return mMaxY; }

private:
    void extend(double x, double y);
    std::vector<PlotPen> mPens;
    std::vector<PlotItem> mItems;
    std::vector<AcGePoint2d> mPoints;
    std::vector<PlotText> mTexts;
    double mMinX, mMinY, mMaxX, mMaxY;
};
