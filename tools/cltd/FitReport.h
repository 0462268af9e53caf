// Error figures of the model against the published rows (used by the fitter and the validation report).
#pragma once

#include <string>
#include <vector>

#include "TableModel.h"

namespace cltd {

struct RowFit {
    std::string label;
    double rms = 0;
    double maxAbs = 0;       // unrounded model against published
    int maxRoundedAbs = 0;   // rounded model against published
    int cells = 0;
};

RowFit fitOfRow(const ModelTables& model, const PublishedRow& p);

// Largest monthly clear-day maximum of the solar heat gain (Btu/h ft2).
double maxSolarHeatGain(const SolarData& solar, double inwardFraction, int month, double latitudeDeg, int exposure);

}  // namespace cltd
