// The format table, the view around what was drawn, and writing the picture
// through a temporary file.
#include "render/PlotRenderer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

#include "runtime/ExtensionTable.h"

namespace {
const PlotFormat kFormats[] = {
    {".svg", "SVG", makeSvgSurface},
    {".png", "PNG", makePngSurface},
    {".pdf", "PDF", makePdfSurface},
};
}  // namespace

const PlotFormat* plotFormatFor(const std::string& path) { return entryForExtension(kFormats, path); }

std::string plotExtensions() { return extensionList(kFormats); }

PlotRenderer::PlotRenderer(PlotTables tables, PlotOptions options)
    : mTables(std::move(tables)), mOptions(std::move(options)) {}

PlotRenderer::~PlotRenderer() = default;

bool PlotRenderer::begin(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "no output file given";
        return false;
    }
    mFormat = plotFormatFor(path);
    if (!mFormat) {
        error = "the name must end in one of " + plotExtensions();
        return false;
    }
    if (!parsePlotBackground(mOptions.background, mBackground)) {
        error = "unknown background " + mOptions.background + " (white, black or #rrggbb)";
        return false;
    }
    if (mOptions.scale != 0.0 && !(mOptions.scale > 0.0 && std::isfinite(mOptions.scale))) {
        error = "the scale must be a positive number of pixels per drawing unit";
        return false;
    }
    if (mOptions.scale == 0.0 && (mOptions.pixelWidth < 1 || mOptions.pixelWidth > kMaxPlotPixels)) {
        error = "the width must be 1 to " + std::to_string(kMaxPlotPixels) + " pixels";
        return false;
    }
    if (!(mOptions.marginRatio >= 0.0) || !std::isfinite(mOptions.marginRatio)) mOptions.marginRatio = 0.05;
    mPath = path;
    mList = PlotDisplayList();
    mCanvas = std::make_unique<PlotCanvas>(mList, mTables, mBackground);
    mContext = std::make_unique<AcGiCanvasContext>(*mCanvas);
    mContext->setInheritingLayer(mTables.inheritingLayer);
    mDrawables = 0;
    return true;
}

void PlotRenderer::draw(AcGiDrawable* drawable) {
    if (!mContext || !drawable) return;
    mContext->drawTopLevel(drawable);
    ++mDrawables;
}

bool PlotRenderer::computeView(std::string& error) {
    PlotView view;
    view.background = mBackground;
    double minX = 0, minY = 0, maxX = 100, maxY = 100;
    if (mList.hasExtents()) {
        const double w = mList.maxX() - mList.minX(), h = mList.maxY() - mList.minY();
        // A single point still gets room around it.
        const double margin = std::max(w, h) > 0.0 ? mOptions.marginRatio * std::max(w, h) : 1.0;
        minX = mList.minX() - margin;
        maxX = mList.maxX() + margin;
        minY = mList.minY() - margin;
        maxY = mList.maxY() + margin;
    }
    const double width = maxX - minX, height = maxY - minY;
    if (!std::isfinite(width) || !std::isfinite(height)) {
        error = "the drawing's extents are not finite";
        return false;
    }
    view.minX = minX;
    view.minY = minY;
    view.maxX = maxX;
    view.maxY = maxY;
    const double pixelWidth = mOptions.scale > 0.0 ? std::ceil(width * mOptions.scale) : mOptions.pixelWidth;
    view.scale = mOptions.scale > 0.0 ? mOptions.scale : pixelWidth / width;
    const double pixelHeight = std::max(1.0, std::round(height * view.scale));
    if (!(pixelWidth <= kMaxPlotPixels) || !(pixelHeight <= kMaxPlotPixels)) {
        char size[64];
        std::snprintf(size, sizeof size, "%.0f x %.0f", pixelWidth, pixelHeight);
        error = std::string("the picture would be ") + size + " pixels; the most is " +
                std::to_string(kMaxPlotPixels) + " on a side (use a smaller --width or --scale)";
        return false;
    }
    view.pixelWidth = std::max(1, static_cast<int>(pixelWidth));
    view.pixelHeight = static_cast<int>(pixelHeight);
    mView = view;
    return true;
}

bool PlotRenderer::finish(std::string& error) {
    if (!mFormat || !mContext) {
        error = "nothing to finish: begin was not called or failed";
        return false;
    }
    mContext.reset();
    if (!computeView(error)) return false;
    const std::string temp = mPath + ".tmp." + std::to_string(::getpid());
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) {
        error = "cannot write " + temp + ": " + std::strerror(errno);
        return false;
    }
    std::unique_ptr<PlotSurface> surface = mFormat->makeSurface();
    bool ok = surface->begin(out, mView, error);
    if (ok) {
        replay(mList, *surface);
        ok = surface->end(error);
    }
    surface.reset();
    const bool written = ok && std::fflush(out) == 0 && !std::ferror(out);
    if (ok && !written) error = "cannot write " + temp + ": " + std::strerror(errno);
    if (std::fclose(out) != 0 && written) {
        error = "cannot write " + temp + ": " + std::strerror(errno);
        ok = false;
    }
    if (!ok || !written) {
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), mPath.c_str()) != 0) {
        error = "cannot rename " + temp + " to " + mPath + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool renderPlot(std::span<AcGiDrawable* const> drawables, const PlotTables& tables, const std::string& path,
                std::string& error, const PlotOptions& options) {
    PlotRenderer renderer(tables, options);
    if (!renderer.begin(path, error)) return false;
    for (AcGiDrawable* d : drawables) renderer.draw(d);
    return renderer.finish(error);
}
