// Primitives to plot items: plan projection, arcs as angle ranges, text as
// glyph runs in the plot font.
#include "render/PlotCanvas.h"

#include "graphics/AcGiTextLayout.h"

#include <cmath>
#include <numbers>

PlotCanvas::PlotCanvas(PlotDisplayList& list, PlotTables tables, std::uint32_t background)
    : mList(list), mResolver(std::move(tables), background, list.pens()) {}

void PlotCanvas::polyline(const AcGePoint3d* points, std::size_t count, bool closed,
                          const AcGiPrimitiveTraits& traits) {
    const int pen = mResolver.penOf(traits);
    if (pen < 0 || count == 0) return;
    mScratch.resize(count);
    for (std::size_t i = 0; i < count; ++i) mScratch[i] = AcGePoint2d(points[i].x, points[i].y);
    // A single point shows as a dot: a stroke of zero length.
    if (count == 1) mScratch.push_back(mScratch.front());
    const auto p = static_cast<std::uint32_t>(pen);
    if (closed && traits.filled) mList.fill(mScratch.data(), mScratch.size(), p);
    else mList.stroke(mScratch.data(), mScratch.size(), closed, p);
    ++mPrimitives;
}

void PlotCanvas::circle(const AcGePoint3d& center, double radius, const AcGeVector3d&,
                        const AcGiPrimitiveTraits& traits) {
    const int pen = mResolver.penOf(traits);
    if (pen < 0) return;
    mList.arc(AcGePoint2d(center.x, center.y), radius, 0.0, 2 * std::numbers::pi, static_cast<std::uint32_t>(pen));
    ++mPrimitives;
}

void PlotCanvas::arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                     const AcGeVector3d& startVector, double sweep, const AcGiPrimitiveTraits& traits) {
    const int pen = mResolver.penOf(traits);
    if (pen < 0) return;
    // Seen from above (plan), a clockwise normal reverses the direction.
    const bool counterClockwise = (normal.z >= 0.0) == (sweep >= 0.0);
    const double start = std::atan2(startVector.y, startVector.x);
    const double span = std::fmin(std::fabs(sweep), 2 * std::numbers::pi);
    const double a0 = counterClockwise ? start : start - span;
    mList.arc(AcGePoint2d(center.x, center.y), radius, a0, a0 + span, static_cast<std::uint32_t>(pen));
    ++mPrimitives;
}

void PlotCanvas::textLine(const AcGePoint3d& at, const AcGeVector3d& direction, double height, double widthFactor,
                          double oblique, std::string_view line, std::uint32_t pen) {
    PlotText t;
    t.origin = AcGePoint2d(at.x, at.y);
    const double length = std::hypot(direction.x, direction.y);
    t.direction = length > 0.0 ? AcGeVector2d(direction.x / length, direction.y / length) : AcGeVector2d(1, 0);
    t.em = AcGiTextLayout::emSize(height);
    t.widthFactor = widthFactor > 0.0 && std::isfinite(widthFactor) ? widthFactor : 1.0;
    // Slants past 85 degrees either way are not text any more.
    t.oblique = std::isfinite(oblique) ? std::fmax(-1.48, std::fmin(1.48, oblique)) : 0.0;
    t.utf8 = std::string(line);
    t.run = AcGiTextLayout::glyphRun(line);
    mList.text(std::move(t), pen);
}

void PlotCanvas::text(const AcGiCanvasText& text, const AcGiPrimitiveTraits& traits) {
    const int pen = mResolver.penOf(traits);
    if (pen < 0 || text.string.empty()) return;
    textLine(text.position, text.direction, text.height, text.widthFactor, text.oblique,
             AcGiTextLayout::plainText(text.string), static_cast<std::uint32_t>(pen));
    ++mPrimitives;
}

void PlotCanvas::mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits& traits) {
    const int pen = mResolver.penOf(traits);
    if (pen < 0 || mtext.contents.empty()) return;
    const AcGeVector3d dir = mtext.direction.isZeroLength() ? AcGeVector3d::kXAxis : mtext.direction.normal();
    const AcGeVector3d up(-dir.y, dir.x, 0.0);
    const AcGiTextLayout::MTextBox box = AcGiTextLayout::layoutMText(mtext);
    for (std::size_t i = 0; i < box.lines.size(); ++i) {
        if (box.lines[i].empty()) continue;
        const AcGePoint3d at = mtext.location + dir * box.lineX[i] + up * box.lineY[i];
        textLine(at, dir, mtext.height, mtext.widthFactor, 0.0, box.lines[i], static_cast<std::uint32_t>(pen));
    }
    ++mPrimitives;
}
