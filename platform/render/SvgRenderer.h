// Renders drawables (model space entities) through their own worldDraw into
// an SVG file, written atomically.
#pragma once

#include "render/SvgCanvas.h"

#include "graphics/AcGiCanvasContext.h"

#include <memory>
#include <span>
#include <string>

struct SvgRenderOptions {
    // Margin around the drawn extents, as a fraction of the larger side.
    double marginRatio = 0.05;
    // Width of the picture in pixels; the height follows the aspect ratio.
    int pixelWidth = 1600;
    std::string background = "#ffffff";
};

class SvgRenderer {
public:
    explicit SvgRenderer(SvgLayerColorFn layerColor, SvgRenderOptions options = {});
    ~SvgRenderer();
    SvgRenderer(const SvgRenderer&) = delete;
    SvgRenderer& operator=(const SvgRenderer&) = delete;

    // Opens a temporary file beside path. False with a message on failure.
    bool begin(const std::string& path, std::string& error);
    // Draws one top-level drawable (ignored before begin or after finish).
    void draw(AcGiDrawable* drawable);
    // Completes the file and renames it to the path given to begin.
    bool finish(std::string& error);

    std::size_t drawableCount() const { return mDrawables; }
    std::size_t primitiveCount() const { return mCanvas ? mCanvas->primitiveCount() : mPrimitives; }
    // The viewBox written by finish ("minX minY width height", y flipped).
    const std::string& viewBox() const { return mViewBox; }

private:
    std::string header() const;
    void abandon();

    SvgLayerColorFn mLayerColor;
    SvgRenderOptions mOptions;
    std::string mPath;
    std::string mTempPath;
    std::FILE* mFile = nullptr;
    std::unique_ptr<SvgCanvas> mCanvas;
    std::unique_ptr<AcGiCanvasContext> mContext;
    std::size_t mHeaderSize = 0;
    std::size_t mDrawables = 0;
    std::size_t mPrimitives = 0;
    std::string mViewBox;
};

// Renders all drawables into path; false with a message on failure.
bool renderSvg(std::span<AcGiDrawable* const> drawables, const SvgLayerColorFn& layerColor,
               const std::string& path, std::string& error, const SvgRenderOptions& options = {});
