// Appending plot items and keeping the extents of everything appended.
#include "render/PlotDisplayList.h"

#include <cmath>
#include <limits>
#include <numbers>

PlotDisplayList::PlotDisplayList() {
    mMinX = mMinY = std::numeric_limits<double>::infinity();
    mMaxX = mMaxY = -std::numeric_limits<double>::infinity();
}

void PlotDisplayList::extend(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    mMinX = std::min(mMinX, x);
    mMaxX = std::max(mMaxX, x);
    mMinY = std::min(mMinY, y);
    mMaxY = std::max(mMaxY, y);
}

std::uint32_t PlotDisplayList::pen(const PlotPen& pen) {
    for (std::size_t i = 0; i < mPens.size(); ++i)
        if (mPens[i] == pen) return static_cast<std::uint32_t>(i);
    mPens.push_back(pen);
    return static_cast<std::uint32_t>(mPens.size() - 1);
}

void PlotDisplayList::stroke(const AcGePoint2d* points, std::size_t count, bool closed, std::uint32_t pen) {
    if (count == 0) return;
    mItems.push_back({PlotItemKind::kStroke, closed, pen, static_cast<std::uint32_t>(mPoints.size()),
                      static_cast<std::uint32_t>(count)});
    for (std::size_t i = 0; i < count; ++i) {
        mPoints.push_back(points[i]);
        extend(points[i].x, points[i].y);
    }
}

void PlotDisplayList::fill(const AcGePoint2d* points, std::size_t count, std::uint32_t pen) {
    if (count < 3) {
        stroke(points, count, false, pen);
        return;
    }
    mItems.push_back({PlotItemKind::kFill, true, pen, static_cast<std::uint32_t>(mPoints.size()),
                      static_cast<std::uint32_t>(count)});
    for (std::size_t i = 0; i < count; ++i) {
        mPoints.push_back(points[i]);
        extend(points[i].x, points[i].y);
    }
}

void PlotDisplayList::arc(const AcGePoint2d& center, double radius, double a0, double a1, std::uint32_t pen) {
    if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(a0) || !std::isfinite(a1)) return;
    if (a1 < a0) std::swap(a0, a1);
    mItems.push_back({PlotItemKind::kArc, false, pen, static_cast<std::uint32_t>(mPoints.size()), 3});
    mPoints.push_back(center);
    mPoints.emplace_back(radius, 0.0);
    mPoints.emplace_back(a0, a1);
    // Extents: both ends and every axis direction the arc passes.
    constexpr double kQuarter = std::numbers::pi / 2;
    extend(center.x + radius * std::cos(a0), center.y + radius * std::sin(a0));
    extend(center.x + radius * std::cos(a1), center.y + radius * std::sin(a1));
    const double last = std::min(a1, a0 + 2 * std::numbers::pi);
    for (double a = std::ceil(a0 / kQuarter) * kQuarter; a < last; a += kQuarter)
        extend(center.x + radius * std::cos(a), center.y + radius * std::sin(a));
}

void PlotDisplayList::text(PlotText text, std::uint32_t pen) {
    if (text.run.codePoints.empty() || !(text.em > 0.0) || !std::isfinite(text.em)) return;
    const double width = text.run.advance * text.em * text.widthFactor;
    const double height = text.em * AcGiFont::plotFont().capHeight();
    const AcGeVector2d& d = text.direction;
    const AcGeVector2d up(-d.y, d.x);
    // From the descenders' depth up to the capitals' height.
    const double depth = text.em * AcGiFont::plotFont().descent();
    const AcGePoint2d o = text.origin - up * depth;
    extend(o.x, o.y);
    extend(o.x + d.x * width, o.y + d.y * width);
    extend(o.x + up.x * (depth + height), o.y + up.y * (depth + height));
    extend(o.x + d.x * width + up.x * (depth + height), o.y + d.y * width + up.y * (depth + height));
    mItems.push_back({PlotItemKind::kText, false, pen, static_cast<std::uint32_t>(mTexts.size()), 0});
    mTexts.push_back(std::move(text));
}
