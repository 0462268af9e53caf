// SVG elements for lines, circles, arcs and text, written in drawing
// coordinates with the y axis flipped.
#include "render/SvgCanvas.h"

#include "graphics/AcGiTextLayout.h"
#include "render/AciColor.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace {
constexpr std::size_t kFlushSize = 1 << 20;
// Text height is the capital height; SVG font size is the em size.
constexpr double kEmPerCapHeight = 1.0 / 0.7;
}  // namespace

SvgCanvas::SvgCanvas(std::FILE* out, SvgLayerColorFn layerColor)
    : mOut(out), mLayerColor(std::move(layerColor)) {
    for (int i = 0; i <= 256; ++i) std::snprintf(mColors[i], sizeof mColors[i], "#%06x", aciToRgb(i) & 0xFFFFFFu);
    mBuffer.reserve(kFlushSize + 4096);
    mMinX = mMinY = std::numeric_limits<double>::infinity();
    mMaxX = mMaxY = -std::numeric_limits<double>::infinity();
}

void SvgCanvas::flush() {
    if (!mBuffer.empty() && mOut) std::fwrite(mBuffer.data(), 1, mBuffer.size(), mOut);
    mBuffer.clear();
}

const char* SvgCanvas::strokeOf(const AcGiPrimitiveTraits& traits) {
    int index = traits.color;
    if (index == 256) {
        auto it = mLayerColors.find(traits.layer);
        if (it == mLayerColors.end()) {
            const int c = mLayerColor ? mLayerColor(traits.layer) : 7;
            it = mLayerColors.emplace(traits.layer, c).first;
        }
        index = it->second;
        if (index < 0) return nullptr;
    }
    if (index < 1 || index > 255) index = 7;
    return mColors[index];
}

void SvgCanvas::extend(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    mMinX = std::min(mMinX, x);
    mMaxX = std::max(mMaxX, x);
    mMinY = std::min(mMinY, y);
    mMaxY = std::max(mMaxY, y);
}

void SvgCanvas::number(double v) {
    if (!std::isfinite(v)) v = 0.0;
    if (std::fabs(v) < 1e-9) v = 0.0;
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
    mBuffer.append(buf, result.ptr);
}

void SvgCanvas::coordinate(double x, double y) {
    number(x);
    mBuffer += ',';
    number(-y);
}

void SvgCanvas::escaped(std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&': mBuffer += "&amp;"; break;
            case '<': mBuffer += "&lt;"; break;
            case '>': mBuffer += "&gt;"; break;
            case '"': mBuffer += "&quot;"; break;
            default:
                // Control characters are not allowed in XML 1.0.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') mBuffer += c;
                break;
        }
    }
}

void SvgCanvas::polyline(const AcGePoint3d* points, std::size_t count, bool closed,
                         const AcGiPrimitiveTraits& traits) {
    const char* color = strokeOf(traits);
    if (!color || count == 0) return;
    mBuffer += closed ? "<polygon points=\"" : "<polyline points=\"";
    for (std::size_t i = 0; i < count; ++i) {
        if (i) mBuffer += ' ';
        coordinate(points[i].x, points[i].y);
        extend(points[i].x, points[i].y);
    }
    if (count == 1) {
        mBuffer += ' ';
        coordinate(points[0].x, points[0].y);
    }
    mBuffer += "\" stroke=\"";
    mBuffer += color;
    mBuffer += "\"/>\n";
    ++mPrimitives;
    if (mBuffer.size() >= kFlushSize) flush();
}

void SvgCanvas::circle(const AcGePoint3d& center, double radius, const AcGeVector3d&,
                       const AcGiPrimitiveTraits& traits) {
    const char* color = strokeOf(traits);
    if (!color) return;
    mBuffer += "<circle cx=\"";
    number(center.x);
    mBuffer += "\" cy=\"";
    number(-center.y);
    mBuffer += "\" r=\"";
    number(radius);
    mBuffer += "\" stroke=\"";
    mBuffer += color;
    mBuffer += "\"/>\n";
    extend(center.x - radius, center.y - radius);
    extend(center.x + radius, center.y + radius);
    ++mPrimitives;
    if (mBuffer.size() >= kFlushSize) flush();
}

void SvgCanvas::arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                    const AcGeVector3d& startVector, double sweep, const AcGiPrimitiveTraits& traits) {
    if (std::fabs(sweep) >= 2 * std::numbers::pi - 1e-12) {
        circle(center, radius, normal, traits);
        return;
    }
    const char* color = strokeOf(traits);
    if (!color) return;
    // Seen from above (plan), a clockwise normal reverses the direction.
    const bool counterClockwise = (normal.z >= 0.0) == (sweep >= 0.0);
    const double start = startVector.convert2d().angle() * (normal.z >= 0.0 ? 1.0 : -1.0);
    const double end = start + (counterClockwise ? 1.0 : -1.0) * std::fabs(sweep);
    const double x0 = center.x + radius * std::cos(start), y0 = center.y + radius * std::sin(start);
    const double x1 = center.x + radius * std::cos(end), y1 = center.y + radius * std::sin(end);
    mBuffer += "<path d=\"M";
    coordinate(x0, y0);
    mBuffer += "A";
    number(radius);
    mBuffer += ',';
    number(radius);
    mBuffer += std::fabs(sweep) > std::numbers::pi ? " 0 1 " : " 0 0 ";
    // With y flipped, counter-clockwise in the drawing is the negative-angle
    // direction of SVG (sweep flag 0).
    mBuffer += counterClockwise ? "0 " : "1 ";
    coordinate(x1, y1);
    mBuffer += "\" stroke=\"";
    mBuffer += color;
    mBuffer += "\"/>\n";
    // Extents: both ends and every axis direction the arc passes.
    extend(x0, y0);
    extend(x1, y1);
    const double from = std::min(start, end), to = std::max(start, end);
    for (double a = std::ceil(from / (std::numbers::pi / 2)) * (std::numbers::pi / 2); a < to;
         a += std::numbers::pi / 2)
        extend(center.x + radius * std::cos(a), center.y + radius * std::sin(a));
    ++mPrimitives;
    if (mBuffer.size() >= kFlushSize) flush();
}

void SvgCanvas::textLine(const AcGePoint3d& at, const AcGeVector3d& direction, double height, double widthFactor,
                         std::string_view line, const char* color) {
    const double dx = direction.x, dy = direction.y;
    const double wf = widthFactor > 0.0 ? widthFactor : 1.0;
    // Text space (x along the direction, y down) to SVG space.
    mBuffer += "<text transform=\"matrix(";
    number(wf * dx);
    mBuffer += ' ';
    number(-wf * dy);
    mBuffer += ' ';
    number(dy);
    mBuffer += ' ';
    number(dx);
    mBuffer += ' ';
    number(at.x);
    mBuffer += ' ';
    number(-at.y);
    mBuffer += ")\" font-size=\"";
    number(height * kEmPerCapHeight);
    // The text is stretched to the width the text layout measures, so that
    // labels fit the frames drawn around them whatever font the viewer has.
    const double w = AcGiTextLayout::textWidth(line, height, wf);
    mBuffer += "\" textLength=\"";
    number(w / wf);
    mBuffer += "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"";
    mBuffer += color;
    mBuffer += "\">";
    escaped(line);
    mBuffer += "</text>\n";
    // Extents: the baseline and the top of the text box.
    const double ux = -dy, uy = dx;
    extend(at.x, at.y);
    extend(at.x + dx * w, at.y + dy * w);
    extend(at.x + ux * height, at.y + uy * height);
    extend(at.x + dx * w + ux * height, at.y + dy * w + uy * height);
}

void SvgCanvas::text(const AcGiCanvasText& text, const AcGiPrimitiveTraits& traits) {
    const char* color = strokeOf(traits);
    if (!color || text.string.empty()) return;
    const std::string plain = AcGiTextLayout::plainText(text.string);
    textLine(text.position, text.direction, text.height, text.widthFactor, plain, color);
    ++mPrimitives;
    if (mBuffer.size() >= kFlushSize) flush();
}

void SvgCanvas::mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits& traits) {
    const char* color = strokeOf(traits);
    if (!color || mtext.contents.empty()) return;
    const AcGeVector3d dir = mtext.direction.isZeroLength() ? AcGeVector3d::kXAxis : mtext.direction.normal();
    const AcGeVector3d up(-dir.y, dir.x, 0.0);
    const AcGiTextLayout::MTextBox box = AcGiTextLayout::layoutMText(mtext);
    for (std::size_t i = 0; i < box.lines.size(); ++i) {
        if (box.lines[i].empty()) continue;
        const AcGePoint3d at = mtext.location + dir * box.lineX[i] + up * box.lineY[i];
        textLine(at, dir, mtext.height, mtext.widthFactor, box.lines[i], color);
    }
    ++mPrimitives;
    if (mBuffer.size() >= kFlushSize) flush();
}
