// Error figures of the model against the published rows.
#include "FitReport.h"

#include <algorithm>
#include <cmath>

#include "GlassModel.h"

namespace cltd {

RowFit fitOfRow(const ModelTables& model, const PublishedRow& p) {
    RowFit f;
    f.label = p.label;
    double sq = 0;
    for (size_t i = 0; i < p.values.size(); ++i) {
        const double v = modelValue(model, p, p.firstSlot + int(i));
        const double e = v - p.values[i];
        sq += e * e;
        f.maxAbs = std::max(f.maxAbs, std::fabs(e));
        f.maxRoundedAbs = std::max(f.maxRoundedAbs, int(std::abs(std::lround(v) - p.values[i])));
    }
    f.cells = int(p.values.size());
    f.rms = f.cells ? std::sqrt(sq / f.cells) : 0.0;
    return f;
}

double maxSolarHeatGain(const SolarData& solar, double inwardFraction, int month, double latitudeDeg, int exposure) {
    double best = 0;
    for (int h = 1; h <= 24; ++h)
        best = std::max(best, solarHeatGain(surfaceIrradiance(solar[month], latitudeDeg, exposure, h), inwardFraction));
    return best;
}

}  // namespace cltd
