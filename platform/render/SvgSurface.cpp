// SVG: elements in drawing units with the y axis flipped, widths and dashes
// per element, text as text with every glyph placed at its measured x so
// labels keep their width in any viewer.
#include "render/PlotSurface.h"

#include "graphics/AcGiFont.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {
constexpr std::size_t kFlushSize = 1 << 20;

class SvgSurface : public PlotSurface {
public:
    bool begin(std::FILE* out, const PlotView& view, std::string& error) override {
        mOut = out;
        mView = view;
        mBuffer.reserve(kFlushSize + 4096);
        const double width = view.maxX - view.minX, height = view.maxY - view.minY;
        // Stroke widths are in drawing units: one pixel is this much.
        mPixel = 1.0 / view.scale;
        mDefaultWidth = PlotView::lineWidthPixels(PlotPen{}) * mPixel;
        mBuffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                   "version=\"1.1\" viewBox=\"";
        number(view.minX);
        mBuffer += ' ';
        number(-view.maxY);
        mBuffer += ' ';
        number(width);
        mBuffer += ' ';
        number(height);
        mBuffer += "\" width=\"" + std::to_string(view.pixelWidth) + "\" height=\"" +
                   std::to_string(view.pixelHeight) + "\">\n<style>polyline,polygon,circle,path{fill:none;stroke-width:";
        number(mDefaultWidth);
        mBuffer += ";stroke-linecap:round;stroke-linejoin:round}"
                   "text{font-family:'DejaVu Sans',sans-serif;white-space:pre}</style>\n<rect x=\"";
        number(view.minX);
        mBuffer += "\" y=\"";
        number(-view.maxY);
        mBuffer += "\" width=\"";
        number(width);
        mBuffer += "\" height=\"";
        number(height);
        mBuffer += "\" fill=\"";
        color(view.background);
        mBuffer += "\"/>\n<g id=\"model\">\n";
        return flush(error);
    }

    void stroke(const AcGePoint2d* points, std::size_t count, bool closed, const PlotPen& pen) override {
        mBuffer += closed ? "<polygon points=\"" : "<polyline points=\"";
        for (std::size_t i = 0; i < count; ++i) {
            if (i) mBuffer += ' ';
            coordinate(points[i].x, points[i].y);
        }
        mBuffer += '"';
        penAttributes(pen);
        mBuffer += "/>\n";
        maybeFlush();
    }

    void fill(const AcGePoint2d* points, std::size_t count, const PlotPen& pen) override {
        mBuffer += "<polygon points=\"";
        for (std::size_t i = 0; i < count; ++i) {
            if (i) mBuffer += ' ';
            coordinate(points[i].x, points[i].y);
        }
        mBuffer += "\" style=\"fill:";
        color(pen.rgb);
        mBuffer += ";fill-rule:evenodd;stroke:none\"/>\n";
        maybeFlush();
    }

    void arc(const AcGePoint2d& c, double r, double a0, double a1, const PlotPen& pen) override {
        if (a1 - a0 >= 2 * std::numbers::pi - 1e-12) {
            mBuffer += "<circle cx=\"";
            number(c.x);
            mBuffer += "\" cy=\"";
            number(-c.y);
            mBuffer += "\" r=\"";
            number(r);
            mBuffer += '"';
        } else {
            mBuffer += "<path d=\"M";
            coordinate(c.x + r * std::cos(a0), c.y + r * std::sin(a0));
            mBuffer += "A";
            number(r);
            mBuffer += ',';
            number(r);
            // With y flipped, counter-clockwise in the drawing is SVG's
            // negative-angle direction (sweep flag 0).
            mBuffer += a1 - a0 > std::numbers::pi ? " 0 1 0 " : " 0 0 0 ";
            coordinate(c.x + r * std::cos(a1), c.y + r * std::sin(a1));
            mBuffer += '"';
        }
        penAttributes(pen);
        mBuffer += "/>\n";
        maybeFlush();
    }

    void text(const PlotText& t, const PlotPen& pen) override {
        // Text space (x along the direction, y down) to SVG space.
        const double dx = t.direction.x, dy = t.direction.y, wf = t.widthFactor, slant = std::tan(t.oblique);
        mBuffer += "<text transform=\"matrix(";
        number(dx * wf);
        mBuffer += ' ';
        number(-dy * wf);
        mBuffer += ' ';
        number(dy - dx * slant);
        mBuffer += ' ';
        number(dx + dy * slant);
        mBuffer += ' ';
        number(t.origin.x);
        mBuffer += ' ';
        number(-t.origin.y);
        mBuffer += ")\" font-size=\"";
        number(t.em);
        fallbackFamilies(t.run);
        mBuffer += "\" x=\"";
        for (std::size_t i = 0; i < t.run.offsets.size(); ++i) {
            if (i) mBuffer += ' ';
            number(t.run.offsets[i] * t.em);
        }
        mBuffer += "\" fill=\"";
        color(pen.rgb);
        mBuffer += "\">";
        escaped(t.run.codePoints);
        mBuffer += "</text>\n";
        maybeFlush();
    }

    bool end(std::string& error) override {
        mBuffer += "</g>\n</svg>\n";
        return flush(error);
    }

private:
    // Text with characters from fallback faces names those fonts after the
    // plot font, so viewers draw them with the font they were measured in.
    void fallbackFamilies(const AcGiGlyphRun& run) {
        std::vector<std::uint8_t> used;
        for (const std::uint8_t face : run.faces)
            if (face != 0 && std::find(used.begin(), used.end(), face) == used.end()) used.push_back(face);
        if (used.empty()) return;
        mBuffer += "\" font-family=\"'DejaVu Sans'";
        for (const std::uint8_t face : used) {
            std::string name = AcGiFont::plotFont().family(face);
            std::erase_if(name, [](char c) { return c == '\'' || c == '"' || c == '<' || c == '&' || c == '\\'; });
            if (!name.empty()) mBuffer += ",'" + name + "'";
        }
        mBuffer += ",sans-serif";
    }

    void penAttributes(const PlotPen& pen) {
        mBuffer += " stroke=\"";
        color(pen.rgb);
        mBuffer += '"';
        const double width = PlotView::lineWidthPixels(pen) * mPixel;
        if (std::fabs(width - mDefaultWidth) > 1e-9 * mDefaultWidth) {
            mBuffer += " stroke-width=\"";
            number(width);
            mBuffer += '"';
        }
        if (mView.showsDashes(pen)) {
            mBuffer += " stroke-dasharray=\"";
            for (std::size_t i = 0; i < pen.dashes.size(); ++i) {
                if (i) mBuffer += ',';
                number(pen.dashes[i]);
            }
            mBuffer += '"';
        }
    }

    void color(std::uint32_t rgb) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "#%06x", rgb & 0xFFFFFFu);
        mBuffer += buf;
    }

    void number(double v) {
        if (!std::isfinite(v) || std::fabs(v) < 1e-9) v = 0.0;
        char buf[32];
        const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
        mBuffer.append(buf, result.ptr);
    }

    void coordinate(double x, double y) {
        number(x);
        mBuffer += ',';
        number(-y);
    }

    // UTF-8 with XML's five characters escaped; characters XML 1.0 does
    // not allow are left out.
    void escaped(const std::u32string& text) {
        for (const char32_t c : text) {
            switch (c) {
                case U'&': mBuffer += "&amp;"; continue;
                case U'<': mBuffer += "&lt;"; continue;
                case U'>': mBuffer += "&gt;"; continue;
                case U'"': mBuffer += "&quot;"; continue;
                default: break;
            }
            if ((c < 0x20 && c != U'\t') || c == 0xFFFE || c == 0xFFFF) continue;
            AcGiTextLayout::appendUtf8(mBuffer, c);
        }
    }

    void maybeFlush() {
        if (mBuffer.size() >= kFlushSize) {
            std::string ignored;
            flush(ignored);
        }
    }

    bool flush(std::string& error) {
        if (!mBuffer.empty() && std::fwrite(mBuffer.data(), 1, mBuffer.size(), mOut) != mBuffer.size()) {
            error = std::strerror(errno);
            mBuffer.clear();
            return false;
        }
        mBuffer.clear();
        return true;
    }

    std::FILE* mOut = nullptr;
    PlotView mView;
    std::string mBuffer;
    double mPixel = 1.0;
    double mDefaultWidth = 1.0;
};
}  // namespace

std::unique_ptr<PlotSurface> makeSvgSurface() { return std::make_unique<SvgSurface>(); }
