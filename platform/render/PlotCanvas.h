// The canvas every plot format draws through: resolves each primitive's pen,
// projects it to plan, lays text out in the plot font and appends it all to
// a display list.
#pragma once

#include "graphics/AcGiCanvas.h"
#include "render/PlotDisplayList.h"
#include "render/PlotStyle.h"

class PlotCanvas : public AcGiCanvas {
public:
    PlotCanvas(PlotDisplayList& list, PlotTables tables, std::uint32_t background);

    void polyline(const AcGePoint3d* points, std::size_t count, bool closed,
                  const AcGiPrimitiveTraits& traits) override;
    void circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                const AcGiPrimitiveTraits& traits) override;
    void arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal, const AcGeVector3d& startVector,
             double sweep, const AcGiPrimitiveTraits& traits) override;
    void text(const AcGiCanvasText& text, const AcGiPrimitiveTraits& traits) override;
    void mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits& traits) override;

    std::size_t primitiveCount() const { return mPrimitives; }
    const PlotTables& tables() const { return mResolver.tables(); }

private:
    void textLine(const AcGePoint3d& at, const AcGeVector3d& direction, double height, double widthFactor,
                  double oblique, std::string_view line, std::uint32_t pen);

    PlotDisplayList& mList;
    PlotStyleResolver mResolver;
    std::vector<AcGePoint2d> mScratch;
    std::size_t mPrimitives = 0;
};
