// A picture format's writer: receives the display list's items in drawing
// units (y up) and maps them through the view onto its page.
#pragma once

#include "render/PlotDisplayList.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

// The part of the drawing shown and the picture's size. One pixel is 1/96
// inch, so widths given in millimetres on paper mean the same in every format.
struct PlotView {
    double minX = 0.0, minY = 0.0, maxX = 100.0, maxY = 100.0;  // drawing units
    double scale = 1.0;                                          // pixels per drawing unit
    int pixelWidth = 100, pixelHeight = 100;
    std::uint32_t background = 0xFFFFFF;

    static constexpr double kPixelsPerMm = 96.0 / 25.4;
    // A pen's line width in pixels; never thinner than one pixel.
    static double lineWidthPixels(const PlotPen& pen) { return std::fmax(1.0, pen.widthMm * kPixelsPerMm); }
    // Whether a pen's dashes are long enough to see (a pattern shorter than
    // three pixels plots as a continuous line).
    bool showsDashes(const PlotPen& pen) const;
};

class PlotSurface {
public:
    virtual ~PlotSurface() = default;
    // Starts the picture on out (an open temporary file).
    virtual bool begin(std::FILE* out, const PlotView& view, std::string& error) = 0;
    virtual void stroke(const AcGePoint2d* points, std::size_t count, bool closed, const PlotPen& pen) = 0;
    // Filled by the even-odd rule: a loop inside another is a hole.
    virtual void fill(const AcGePoint2d* points, std::size_t count, const PlotPen& pen) = 0;
    // Counter-clockwise from a0 to a1 (radians, a0 < a1).
    virtual void arc(const AcGePoint2d& center, double radius, double a0, double a1, const PlotPen& pen) = 0;
    virtual void text(const PlotText& text, const PlotPen& pen) = 0;
    // Completes the picture on out; false with a message.
    virtual bool end(std::string& error) = 0;
};

std::unique_ptr<PlotSurface> makeSvgSurface();
std::unique_ptr<PlotSurface> makePngSurface();
std::unique_ptr<PlotSurface> makePdfSurface();

// Sends every item of the list to the surface, in order.
void replay(const PlotDisplayList& list, PlotSurface& surface);
