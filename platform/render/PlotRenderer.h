// Renders drawables (model space entities) through their own worldDraw into
// a picture file whose format its name's extension picks (SVG, PNG, PDF),
// written atomically.
#pragma once

#include "graphics/AcGiCanvasContext.h"
#include "render/PlotCanvas.h"
#include "render/PlotSurface.h"

#include <memory>
#include <span>
#include <string>

// One picture format: its extension (with the dot, lower case) and writer.
struct PlotFormat {
    const char* extension;
    const char* description;
    std::unique_ptr<PlotSurface> (*makeSurface)();
};
// The format of a file name, or nullptr.
const PlotFormat* plotFormatFor(const std::string& path);
// "svg, png, pdf": the extensions render understands.
std::string plotExtensions();

struct PlotOptions {
    // Margin around the drawn extents, as a fraction of the larger side.
    double marginRatio = 0.05;
    // Width of the picture in pixels; the height follows the aspect ratio.
    int pixelWidth = 1600;
    // Pixels per drawing unit; when positive it decides the size instead.
    double scale = 0.0;
    std::string background = "white";
};

// The largest picture side in pixels.
constexpr int kMaxPlotPixels = 32767;

class PlotRenderer {
public:
    explicit PlotRenderer(PlotTables tables = {}, PlotOptions options = {});
    ~PlotRenderer();
    PlotRenderer(const PlotRenderer&) = delete;
    PlotRenderer& operator=(const PlotRenderer&) = delete;

    // Checks the output name and the options. False with a message.
    bool begin(const std::string& path, std::string& error);
    // Draws one top-level drawable (ignored before begin).
    void draw(AcGiDrawable* drawable);
    // What is drawn so far, for pictures made without drawables.
    PlotDisplayList& displayList() { return mList; }
    // Writes the picture to a temporary file beside the path and renames it.
    bool finish(std::string& error);

    std::size_t drawableCount() const { return mDrawables; }
    std::size_t primitiveCount() const { return mCanvas ? mCanvas->primitiveCount() : 0; }
    // The view finish used.
    const PlotView& view() const { return mView; }

private:
    bool computeView(std::string& error);

    PlotTables mTables;
    PlotOptions mOptions;
    const PlotFormat* mFormat = nullptr;
    std::string mPath;
    std::uint32_t mBackground = 0xFFFFFF;
    PlotDisplayList mList;
    std::unique_ptr<PlotCanvas> mCanvas;
    std::unique_ptr<AcGiCanvasContext> mContext;
    std::size_t mDrawables = 0;
    PlotView mView;
};

// Renders all drawables into path; false with a message on failure.
bool renderPlot(std::span<AcGiDrawable* const> drawables, const PlotTables& tables, const std::string& path,
                std::string& error, const PlotOptions& options = {});
