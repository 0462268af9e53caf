// Resolving pens from primitive traits and the drawing's tables, with a
// cache per distinct set of traits.
#include "render/PlotStyle.h"

#include "render/AciColor.h"

#include <cctype>
#include <cmath>

namespace {
constexpr int kLineWeightByLayer = -1;
constexpr int kLineWeightByBlock = -2;
constexpr int kLineWeightDefault = -3;
constexpr int kColorByBlock = 0;
constexpr int kColorByLayer = 256;

bool isDark(std::uint32_t rgb) {
    const double r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return 0.299 * r + 0.587 * g + 0.114 * b < 128.0;
}
}  // namespace

bool parsePlotBackground(const std::string& text, std::uint32_t& rgb) {
    if (text == "white") { rgb = 0xFFFFFF; return true; }
    if (text == "black") { rgb = 0x000000; return true; }
    if (text.size() != 7 || text[0] != '#') return false;
    std::uint32_t value = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isxdigit(c)) return false;
        value = value * 16 + static_cast<std::uint32_t>(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    rgb = value;
    return true;
}

std::uint32_t plotColor(int colorIndex, std::uint32_t background) {
    if (colorIndex < 1 || colorIndex > 255 || colorIndex == 7) return isDark(background) ? 0xFFFFFF : 0x000000;
    return aciToRgb(colorIndex);
}

std::vector<double> plotDashes(const std::vector<double>& pattern, double scale) {
    // Merge runs of the same kind into alternating on/off lengths.
    std::vector<double> onOff;
    bool lastOn = false;
    bool anyGap = false;
    for (const double d : pattern) {
        if (!std::isfinite(d)) return {};
        const bool on = d >= 0.0;
        anyGap = anyGap || !on;
        const double length = std::fabs(d) * scale;
        if (!onOff.empty() && on == lastOn) onOff.back() += length;
        else onOff.push_back(length);
        lastOn = on;
    }
    if (!anyGap || onOff.empty()) return {};
    // Start with a dash: a leading gap moves to the end (a shift of phase).
    if (pattern.front() < 0.0) {
        if (lastOn) {
            onOff.push_back(onOff.front());
            onOff.erase(onOff.begin());
        } else {
            onOff.back() += onOff.front();
            onOff.erase(onOff.begin());
        }
    } else if (lastOn && onOff.size() > 1) {
        // A trailing dash continues into the leading one.
        onOff.front() += onOff.back();
        onOff.pop_back();
    }
    if (onOff.size() % 2 != 0) onOff.push_back(0.0);
    double total = 0.0;
    for (const double d : onOff) total += d;
    if (!(total > 0.0) || !std::isfinite(total)) return {};
    return onOff;
}

std::size_t PlotStyleResolver::KeyHash::operator()(const Key& k) const {
    std::size_t h = std::hash<AcDbObjectId>()(k.layer);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
    mix(std::hash<AcDbObjectId>()(k.lineType));
    mix(std::hash<AcDbObjectId>()(k.blockLineType));
    mix(std::hash<AcDbObjectId>()(k.topLayer));
    mix(static_cast<std::size_t>(k.color) * 1000 + static_cast<std::size_t>(k.lineWeight + 10));
    mix(std::hash<double>()(k.lineTypeScale));
    mix(static_cast<std::size_t>(k.depthIsTop));
    return h;
}

PlotStyleResolver::PlotStyleResolver(PlotTables tables, std::uint32_t background, std::vector<PlotPen>& pens)
    : mTables(std::move(tables)), mBackground(background), mPens(pens) {
    if (!(mTables.linetypeScale > 0.0) || !std::isfinite(mTables.linetypeScale)) mTables.linetypeScale = 1.0;
    if (mTables.defaultLineWeight < 0) mTables.defaultLineWeight = 25;
}

const PlotLayer& PlotStyleResolver::layerOf(AcDbObjectId id) {
    auto it = mLayers.find(id);
    if (it == mLayers.end()) it = mLayers.emplace(id, mTables.layer ? mTables.layer(id) : PlotLayer{}).first;
    return it->second;
}

const PlotLinetype& PlotStyleResolver::linetypeOf(AcDbObjectId id) {
    auto it = mLinetypes.find(id);
    if (it == mLinetypes.end()) {
        PlotLinetype type;
        if (id.isNull()) type.kind = PlotLinetype::kByLayer;
        else if (mTables.linetype) type = mTables.linetype(id);
        it = mLinetypes.emplace(id, std::move(type)).first;
    }
    return it->second;
}

std::vector<double> PlotStyleResolver::dashesOf(const AcGiPrimitiveTraits& traits, const PlotLayer& layer) {
    const PlotLinetype* type = &linetypeOf(traits.lineType);
    // ByBlock: the insert's linetype; at the top level, continuous.
    if (type->kind == PlotLinetype::kByBlock)
        type = traits.depth > 0 ? &linetypeOf(traits.blockLineType) : nullptr;
    if (type && type->kind == PlotLinetype::kByLayer) {
        type = &linetypeOf(layer.lineType);
        if (type->kind != PlotLinetype::kPattern) type = nullptr;
    }
    if (!type || type->kind != PlotLinetype::kPattern) return {};
    const double scale = mTables.linetypeScale * (traits.lineTypeScale > 0.0 ? traits.lineTypeScale : 1.0);
    return plotDashes(type->dashes, scale);
}

int PlotStyleResolver::penOf(const AcGiPrimitiveTraits& traits) {
    const Key key{traits.layer, traits.lineType, traits.depth > 0 ? traits.blockLineType : AcDbObjectId(),
                  traits.depth > 0 ? traits.topLayer : AcDbObjectId(), traits.color, traits.lineWeight,
                  traits.lineTypeScale, traits.depth > 0 ? 1 : 0};
    auto found = mPenIndex.find(key);
    if (found == mPenIndex.end()) {
        int index = -1;
        const PlotLayer layer = layerOf(traits.layer);
        bool hidden = layer.off || layer.frozen || !layer.plottable;
        // A frozen insert hides everything in it, whatever their layers.
        if (traits.depth > 0 && !traits.topLayer.isNull() && layerOf(traits.topLayer).frozen) hidden = true;
        if (!hidden) {
            PlotPen pen;
            int color = traits.color;
            if (color == kColorByLayer) color = std::abs(layer.color);
            else if (color == kColorByBlock) color = 7;
            pen.rgb = plotColor(color, mBackground);
            int weight = traits.lineWeight;
            if (weight == kLineWeightByLayer) weight = layer.lineWeight;
            if (weight == kLineWeightByBlock || weight == kLineWeightDefault || weight < 0)
                weight = mTables.defaultLineWeight;
            pen.widthMm = std::min(weight, 211) / 100.0;
            pen.dashes = dashesOf(traits, layer);
            for (std::size_t i = 0; i < mPens.size() && index < 0; ++i)
                if (mPens[i] == pen) index = static_cast<int>(i);
            if (index < 0) {
                index = static_cast<int>(mPens.size());
                mPens.push_back(std::move(pen));
            }
        }
        found = mPenIndex.emplace(key, index).first;
    }
    return found->second;
}
