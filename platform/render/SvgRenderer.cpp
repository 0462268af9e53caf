// The SVG file around the canvas output: a header reserved up front and
// filled in with the viewBox once the extents are known, then an atomic rename.
#include "render/SvgRenderer.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

namespace {
// Bytes kept free at the start of the file for the header.
constexpr std::size_t kHeaderReserve = 1024;

std::string formatNumber(double v) {
    if (std::fabs(v) < 1e-9) v = 0.0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

bool isSafeColor(const std::string& color) {
    if (color.empty() || color.size() > 32) return false;
    for (const char c : color)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '#')) return false;
    return true;
}
}  // namespace

SvgRenderer::SvgRenderer(SvgLayerColorFn layerColor, SvgRenderOptions options)
    : mLayerColor(std::move(layerColor)), mOptions(std::move(options)) {
    if (!isSafeColor(mOptions.background)) mOptions.background = "#ffffff";
    if (mOptions.pixelWidth < 1) mOptions.pixelWidth = 1600;
    if (!(mOptions.marginRatio >= 0.0)) mOptions.marginRatio = 0.05;
}

SvgRenderer::~SvgRenderer() { abandon(); }

void SvgRenderer::abandon() {
    mContext.reset();
    mCanvas.reset();
    if (mFile) {
        std::fclose(mFile);
        mFile = nullptr;
        std::remove(mTempPath.c_str());
    }
}

bool SvgRenderer::begin(const std::string& path, std::string& error) {
    abandon();
    if (path.empty()) {
        error = "no output file given";
        return false;
    }
    mPath = path;
    mTempPath = path + ".tmp." + std::to_string(::getpid());
    mFile = std::fopen(mTempPath.c_str(), "wb");
    if (!mFile) {
        error = "cannot write " + mTempPath + ": " + std::strerror(errno);
        return false;
    }
    const std::string blank(kHeaderReserve, ' ');
    std::fwrite(blank.data(), 1, blank.size(), mFile);
    mCanvas = std::make_unique<SvgCanvas>(mFile, mLayerColor);
    mContext = std::make_unique<AcGiCanvasContext>(*mCanvas);
    mDrawables = 0;
    mPrimitives = 0;
    return true;
}

void SvgRenderer::draw(AcGiDrawable* drawable) {
    if (!mContext || !drawable) return;
    mContext->drawTopLevel(drawable);
    ++mDrawables;
}

std::string SvgRenderer::header() const {
    double minX = 0, minY = 0, width = 100, height = 100;
    if (mCanvas && mCanvas->hasExtents()) {
        const double w = mCanvas->maxX() - mCanvas->minX();
        const double h = mCanvas->maxY() - mCanvas->minY();
        double margin = mOptions.marginRatio * std::max(w, h);
        if (margin <= 0.0) margin = 1.0;
        minX = mCanvas->minX() - margin;
        minY = -(mCanvas->maxY() + margin);  // y flipped
        width = w + 2 * margin;
        height = h + 2 * margin;
    }
    const double pixelHeight = std::max(1.0, std::round(mOptions.pixelWidth * height / width));
    const std::string box =
        formatNumber(minX) + " " + formatNumber(minY) + " " + formatNumber(width) + " " + formatNumber(height);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"" + box + "\" width=\"" +
           std::to_string(mOptions.pixelWidth) + "\" height=\"" + formatNumber(pixelHeight) + "\">\n";
    // One pixel at the nominal size, for viewers without non-scaling strokes.
    const std::string strokeWidth = formatNumber(width / mOptions.pixelWidth);
    out += "<style>polyline,polygon,circle,path{fill:none;stroke-width:" + strokeWidth +
           ";stroke-linecap:round;stroke-linejoin:round}text{font-family:sans-serif;white-space:pre}</style>\n";
    out += "<rect x=\"" + formatNumber(minX) + "\" y=\"" + formatNumber(minY) + "\" width=\"" + formatNumber(width) +
           "\" height=\"" + formatNumber(height) + "\" fill=\"" + mOptions.background + "\"/>\n";
    out += "<g id=\"model\">\n";
    return out;
}

bool SvgRenderer::finish(std::string& error) {
    if (!mFile || !mCanvas) {
        error = "nothing to finish: begin was not called or failed";
        return false;
    }
    mCanvas->flush();
    static constexpr char kFooter[] = "</g>\n</svg>\n";
    std::fwrite(kFooter, 1, sizeof kFooter - 1, mFile);
    std::string head = header();
    if (head.size() > kHeaderReserve) {
        error = "SVG header too long";
        abandon();
        return false;
    }
    // Whitespace after the group's start tag fills the reserved bytes.
    head.append(kHeaderReserve - head.size(), ' ');
    const bool written = std::fseek(mFile, 0, SEEK_SET) == 0 &&
                         std::fwrite(head.data(), 1, head.size(), mFile) == head.size() &&
                         std::fflush(mFile) == 0 && !std::ferror(mFile);
    const int closed = std::fclose(mFile);
    mFile = nullptr;
    if (!written || closed != 0) {
        error = "cannot write " + mTempPath + ": " + std::strerror(errno);
        std::remove(mTempPath.c_str());
        abandon();
        return false;
    }
    if (std::rename(mTempPath.c_str(), mPath.c_str()) != 0) {
        error = "cannot rename " + mTempPath + " to " + mPath + ": " + std::strerror(errno);
        std::remove(mTempPath.c_str());
        abandon();
        return false;
    }
    const auto start = head.find("viewBox=\"") + 9;
    mViewBox = head.substr(start, head.find('"', start) - start);
    mPrimitives = mCanvas->primitiveCount();
    mContext.reset();
    mCanvas.reset();
    return true;
}

bool renderSvg(std::span<AcGiDrawable* const> drawables, const SvgLayerColorFn& layerColor, const std::string& path,
               std::string& error, const SvgRenderOptions& options) {
    SvgRenderer renderer(layerColor, options);
    if (!renderer.begin(path, error)) return false;
    for (AcGiDrawable* d : drawables) renderer.draw(d);
    return renderer.finish(error);
}
