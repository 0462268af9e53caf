// How a plot shows a primitive: its colour, line width and dash pattern from
// the entity's own properties, ByLayer and ByBlock values, the layer's state
// and the background rule for colour 7.
#pragma once

#include "database/dbid.h"
#include "graphics/AcGiCanvas.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// What a plot needs of one layer.
struct PlotLayer {
    int color = 7;         // 1-255
    int lineWeight = -3;   // hundredths of a millimetre, -3 the default
    AcDbObjectId lineType;
    bool off = false;
    bool frozen = false;
    bool plottable = true;
};

// What a plot needs of one linetype.
struct PlotLinetype {
    enum Kind { kContinuous, kByLayer, kByBlock, kPattern };
    Kind kind = kContinuous;
    // Dash lengths in drawing units: positive a dash, negative a gap, zero a dot.
    std::vector<double> dashes;
};

// The drawing's tables as a plot sees them; missing functions mean every
// layer is plain (colour 7, shown) and every linetype continuous.
struct PlotTables {
    std::function<PlotLayer(AcDbObjectId)> layer;
    std::function<PlotLinetype(AcDbObjectId)> linetype;
    // Entities on this layer inside a block take the insert's layer ("0").
    AcDbObjectId inheritingLayer;
    double linetypeScale = 1.0;   // the drawing's global linetype scale
    int defaultLineWeight = 25;   // what "default" means, in hundredths of a mm
};

// A resolved pen: colour, width on paper and dashes in drawing units
// (alternating on and off lengths starting with on, all non-negative).
struct PlotPen {
    std::uint32_t rgb = 0;
    double widthMm = 0.25;
    std::vector<double> dashes;
    bool operator==(const PlotPen&) const = default;
};

// Parses "white", "black" or "#rrggbb"; false for anything else.
bool parsePlotBackground(const std::string& text, std::uint32_t& rgb);

// 0xRRGGBB of a colour index on the given background: 7 is black on a light
// background and white on a dark one, as a plot shows it.
std::uint32_t plotColor(int colorIndex, std::uint32_t background);

// CAD dash lengths (sign for dash or gap, zero a dot) as on/off lengths
// starting with a dash, scaled; empty when there is nothing to dash.
std::vector<double> plotDashes(const std::vector<double>& pattern, double scale);

class PlotStyleResolver {
public:
    // Pens are added to pens (shared with a display list), each once.
    PlotStyleResolver(PlotTables tables, std::uint32_t background, std::vector<PlotPen>& pens);

    // The index in pens of a primitive's pen, or -1 when its layer hides it
    // (off, frozen, not plottable, or the top-level entity's layer frozen).
    int penOf(const AcGiPrimitiveTraits& traits);
    const PlotTables& tables() const { return mTables; }

private:
    const PlotLayer& layerOf(AcDbObjectId id);
    const PlotLinetype& linetypeOf(AcDbObjectId id);
    std::vector<double> dashesOf(const AcGiPrimitiveTraits& traits, const PlotLayer& layer);

    struct Key {
        AcDbObjectId layer, lineType, blockLineType, topLayer;
        int color, lineWeight;
        double lineTypeScale;
        int depthIsTop;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };

    PlotTables mTables;
    std::uint32_t mBackground;
    std::unordered_map<AcDbObjectId, PlotLayer> mLayers;
    std::unordered_map<AcDbObjectId, PlotLinetype> mLinetypes;
    std::unordered_map<Key, int, KeyHash> mPenIndex;  // -1: hidden
    std::vector<PlotPen>& mPens;
};
