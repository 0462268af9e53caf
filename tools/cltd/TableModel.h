// The cooling load tables computed from the solar engine, sol-air temperatures and the fitted filters.
#pragma once

#include <cstdint>
#include <vector>

#include "FittedConstants.h"
#include "PublishedData.h"
#include "SolarData.h"
#include "TableLayout.h"

namespace cltd {

// Filter inputs for one month (0..11) and latitude band (0..6).
Day roofInput(const SolarData& solar, const FittedConstants& k, int month, int band);   // t_e - 78, horizontal
Day wallInput(const SolarData& solar, int month, int band, int exposure);               // t_e - 78, vertical
Day glassInput(const SolarData& solar, const FittedConstants& k, int month, int band, int exposure);  // SHG

// Construction filters: light and heavy members fitted, the rows between on the straight coefficient
// path, placed by construction number (roofs 1..14, walls 1..16).
Filter roofFilter(const FittedConstants& k, int row);
Filter wallFilter(const FittedConstants& k, int row);

// Unrounded model values in table layout.
struct ModelTables {
    std::vector<double> roof, wall, glass;
};
ModelTables computeModel(const SolarData& solar, const FittedConstants& k);

// Rounded values with the published values put in their cells.
struct FinalTables {
    std::vector<int> roof, wall, glass;
};
FinalTables finalTables(const ModelTables& model, const std::vector<PublishedRow>& published);

// Index of a published cell in its table, and the model value there.
size_t publishedIndex(const PublishedRow& p, int slot);
double modelValue(const ModelTables& model, const PublishedRow& p, int slot);

}  // namespace cltd
