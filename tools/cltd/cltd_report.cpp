// Writes the validation report of the cooling load tables (docs/load-tables.md).
// Usage: cltd_report <data dir> <output .md>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "FitReport.h"
#include "SolarEngine.h"
#include "TableSource.h"

using namespace cltd;

namespace {

std::string num(double v, int decimals) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string monthHeader(const char* corner) {
    std::string s = std::string("| ") + corner + " |";
    for (const char* m : kMonthNames) s += std::string(" ") + m + " |";
    s += "\n|---|";
    for (int m = 0; m < 12; ++m) s += "---|";
    return s + "\n";
}

// A month x latitude table of one figure per cell.
template <typename Cell>
std::string monthByBand(const char* corner, Cell cell) {
    std::string s = monthHeader(corner);
    for (int b = 0; b < kBands; ++b) {
        s += "| " + std::to_string(bandLatitude(b)) + " N |";
        for (int m = 0; m < kMonths; ++m) s += " " + cell(m, b) + " |";
        s += "\n";
    }
    return s;
}

int daySumOf(const std::vector<int>& t, size_t first) {
    int s = 0;
    for (int h = 0; h < kSlots; ++h) s += t[first + h];
    return s;
}

struct Spread {
    double model = 0;  // largest difference of unrounded day sums
    int table = 0;     // largest difference of stored day sums
};

Spread roofSpread(const ModelTables& model, const FinalTables& t, int m, int b) {
    Spread s;
    double lo = 1e300, hi = -1e300;
    int ilo = 1 << 30, ihi = -(1 << 30);
    for (int r = 0; r < kRoofRows; ++r) {
        double sum = 0;
        for (int h = 0; h < kSlots; ++h) sum += model.roof[roofIndex(m, b, r, h)];
        lo = std::min(lo, sum), hi = std::max(hi, sum);
        const int is = daySumOf(t.roof, roofIndex(m, b, r, 0));
        ilo = std::min(ilo, is), ihi = std::max(ihi, is);
    }
    s.model = hi - lo;
    s.table = ihi - ilo;
    return s;
}

Spread wallSpread(const ModelTables& model, const FinalTables& t, int m, int b) {
    Spread s;
    for (int e = 0; e < kWallExposures; ++e) {
        double lo = 1e300, hi = -1e300;
        int ilo = 1 << 30, ihi = -(1 << 30);
        for (int r = 0; r < kWallRows; ++r) {
            double sum = 0;
            for (int h = 0; h < kSlots; ++h) sum += model.wall[wallIndex(m, b, r, e, h)];
            lo = std::min(lo, sum), hi = std::max(hi, sum);
            const int is = daySumOf(t.wall, wallIndex(m, b, r, e, 0));
            ilo = std::min(ilo, is), ihi = std::max(ihi, is);
        }
        s.model = std::max(s.model, hi - lo);
        s.table = std::max(s.table, ihi - ilo);
    }
    return s;
}

std::string report(const SolarData& solar, const FittedConstants& k, const std::vector<PublishedRow>& published) {
    const ModelTables model = computeModel(solar, k);
    const FinalTables t = finalTables(model, published);
    std::string s;
    s += "# Cooling load tables: generation and validation\n\n";
    s += "The roof CLTD, wall CLTD and glass SCL tables of `loads/CltdTableData.cpp` (12 months x 7 latitude bands,\n"
         "334,656 values) are computed by `tools/cltd` from physics: the clear-sky solar engine on the 21st of each\n"
         "month, the DSA reference glass, sol-air temperatures of dark surfaces on the 95 F / 21 F design day with\n"
         "78 F indoors, and one periodic two-pole, three-zero filter with unity steady gain per roof row, wall row and\n"
         "glass zone type. The published values we hold (the seven July 40 N rows of the design and the partial July\n"
         "40 N SCL table) replace the computed values in their cells; everything else is the generator's output.\n\n";
    s += "This file is written by `cltd_report`; do not edit it by hand.\n\n";
    s += "## Regenerating\n\n"
         "One command rewrites the fitted constants, the table source and this report:\n\n"
         "    cmake --build build --target cltd_regenerate\n\n"
         "The ctest `loads.table_source_is_regenerated` runs the generator into a temporary file and fails unless it\n"
         "equals the checked-in `loads/CltdTableData.cpp` byte for byte (the engine is built with\n"
         "`-ffp-contract=off` so optimised, debug and sanitizer builds compute the same bits).\n\n";
    s += "Inputs (all in `tools/cltd/data/`): `solar-constants.csv` (A, B, C and declination of the 21st day),\n"
         "`published-rows.csv` (the telling rows), `scl-july-40n-partial.csv` (SCL July 40 N, zones A to C, solar\n"
         "hours 1 to 15) and `fitted-constants.txt` (written by `cltd_fit`, each constant with where it came from).\n\n";

    s += "## Fitted constants\n\n| constant | value | fitted on |\n|---|---|---|\n";
    s += "| inward fraction N_i | " + num(k.inwardFraction, 4) + " | the three published maximum solar heat gains |\n";
    s += "| roof long-wave term | " + num(k.roofLongWave, 3) +
         " F | day mean of the July 40 N roof rows (sum 772); standard value 7 F |\n";
    s += "| horizontal glass factor | " + num(k.glassHorizontalFactor, 4) +
         " | day sum of the July 40 N zone D horizontal row (2240) |\n";
    s += "| roof filters | roof 1, roof 14 | July 40 N rows; roofs 2 to 13 on the coefficient path by roof number |\n";
    s += "| wall filters | wall 1, wall 16 | July 40 N west and south rows; walls 2 to 15 on the path by wall number |\n";
    s += "| glass filters | zones A to D | partial SCL table (A to C), zone A east and January south, zone D horizontal |\n\n";
    s += "Rows without published values take the filter `(1 - s) light + s heavy` (coefficient-wise) with\n"
         "s = (number - 1) / 13 for roofs and (number - 1) / 15 for walls. Both unity gain and stability carry over to\n"
         "every blend (the stable region of the denominator is convex). Along that path the hour of the peak never\n"
         "moves earlier (tested), and the daily swing falls monotonically for roofs; for walls 14 to 16 the swing\n"
         "rises again by a few degrees (see the table below). Per-group conduction transfer functions would replace\n"
         "this interpolation if they become available.\n\n";

    s += "## Solar engine against the published maximum solar heat gains\n\n"
         "| case | published | engine |\n|---|---|---|\n";
    s += "| July 40 N east | 216 | " + num(maxSolarHeatGain(solar, k.inwardFraction, 6, 40, kE), 1) + " |\n";
    s += "| July 40 N horizontal | 262 | " + num(maxSolarHeatGain(solar, k.inwardFraction, 6, 40, kHorizontal), 1) + " |\n";
    s += "| January 40 N south | 254 | " + num(maxSolarHeatGain(solar, k.inwardFraction, 0, 40, kS), 1) + " |\n\n";

    s += "## Fit on every published row\n\n"
         "Unrounded generator output against the published values (the table stores the published values).\n\n"
         "| row | cells | RMS | max error | max error after rounding |\n|---|---|---|---|---|\n";
    for (const PublishedRow& p : published) {
        const RowFit f = fitOfRow(model, p);
        s += "| " + f.label + " | " + std::to_string(f.cells) + " | " + num(f.rms, 2) + " | " + num(f.maxAbs, 2) +
             " | " + std::to_string(f.maxRoundedAbs) + " |\n";
    }
    s += "\nRoofs and walls reproduce the published rows within 1 after rounding. The glass rows do not: one\n"
         "filter per zone type fed with the engine's heat gain leaves errors of up to 4 Btu/h ft2 (largest on the\n"
         "north, west and January south rows), so the SCL values outside the published cells carry that uncertainty.\n\n";

    s += "## Day-sum invariant\n\n"
         "Every row of one exposure filters the same input with unity gain, so all roof rows of a month and\n"
         "latitude, and all wall rows of one exposure, have the same day sum. Below, for every month and latitude:\n"
         "the largest difference between day sums of the unrounded model (over all exposures), then the largest\n"
         "difference between the stored (rounded, published-substituted) rows.\n\n";
    double worstModel = 0;
    for (int m = 0; m < kMonths; ++m)
        for (int b = 0; b < kBands; ++b)
            worstModel = std::max({worstModel, roofSpread(model, t, m, b).model, wallSpread(model, t, m, b).model});
    s += "Largest unrounded difference over all months, latitudes, exposures and rows: " +
         num(worstModel * 1e9, 3) + " x 1e-9 F h.\n\n";
    s += "Stored roof rows, largest difference of day sums (F h):\n\n";
    s += monthByBand("lat", [&](int m, int b) { return std::to_string(roofSpread(model, t, m, b).table); });
    s += "\nStored wall rows, largest difference of day sums over the eight exposures (F h):\n\n";
    s += monthByBand("lat", [&](int m, int b) { return std::to_string(wallSpread(model, t, m, b).table); });
    s += "\nThe stored differences come from rounding 24 values (at most 12) and, in July at 40 N, from the published\n"
         "rows. Glass: the SCL day sum follows the heat gain day sum for every zone type in the same way.\n\n";

    s += "## How the values move with month and latitude\n\n";
    auto peakOf = [](const std::vector<int>& v, size_t first) {
        return *std::max_element(v.begin() + long(first), v.begin() + long(first) + kSlots);
    };
    s += "Roof 1, peak CLTD (F):\n\n";
    s += monthByBand("lat", [&](int m, int b) { return std::to_string(peakOf(t.roof, roofIndex(m, b, 0, 0))); });
    s += "\nWall 1 south, peak CLTD (F):\n\n";
    s += monthByBand("lat", [&](int m, int b) { return std::to_string(peakOf(t.wall, wallIndex(m, b, 0, kS, 0))); });
    s += "\nGlass zone A south, peak SCL (Btu/h ft2):\n\n";
    s += monthByBand("lat", [&](int m, int b) { return std::to_string(peakOf(t.glass, glassIndex(m, b, 0, kS, 0))); });
    s += "\nGlass zone A horizontal, peak SCL (Btu/h ft2):\n\n";
    s += monthByBand("lat",
                     [&](int m, int b) { return std::to_string(peakOf(t.glass, glassIndex(m, b, 0, kHorizontal, 0))); });

    s += "\n## Construction rows, July 40 N\n\nPeak slot (0 = 1 am) and daily swing of each row.\n\n"
         "| row | roof peak | roof swing | wall W peak | wall W swing | wall S peak | wall S swing |\n"
         "|---|---|---|---|---|---|---|\n";
    auto stats = [&](const std::vector<int>& v, size_t first) {
        const auto b = v.begin() + long(first), e = b + kSlots;
        return std::make_pair(int(std::max_element(b, e) - b), *std::max_element(b, e) - *std::min_element(b, e));
    };
    for (int r = 0; r < kWallRows; ++r) {
        std::string roofCells = "| - | - ";
        if (r < kRoofRows) {
            const auto p = stats(t.roof, roofIndex(6, 3, r, 0));
            roofCells = "| roof " + std::to_string(roofNumberOfRow(r)) + ": " + std::to_string(p.first) + " | " +
                        std::to_string(p.second) + " ";
        }
        const auto w = stats(t.wall, wallIndex(6, 3, r, kW, 0));
        const auto so = stats(t.wall, wallIndex(6, 3, r, kS, 0));
        s += "| " + std::to_string(r) + " (wall " + std::to_string(wallNumberOfRow(r)) + ") " + roofCells + "| " +
             std::to_string(w.first) + " | " + std::to_string(w.second) + " | " + std::to_string(so.first) + " | " +
             std::to_string(so.second) + " |\n";
    }
    s += "\n## Sources\n\n"
         "- ASHRAE Handbook of Fundamentals 1997, chapter 28 (CLTD/SCL/CLF method); 2001, chapter 30, table 7.\n"
         "- Spitler, McQuiston, Lindsey, \"The CLTD/SCL/CLF Cooling Load Calculation Method\", ASHRAE Transactions\n"
         "  99(1), 1993.\n"
         "- Wang, Handbook of Air Conditioning and Refrigeration, 2nd ed., 2000, table 6.6 (partial SCL table).\n";
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cltd_report <data dir> <output .md>\n");
        return 2;
    }
    const std::string dataDir = argv[1];
    std::string error;
    SolarData solar;
    FittedConstants k;
    std::vector<PublishedRow> published;
    if (!readSolarData(dataDir + "/solar-constants.csv", solar, error) ||
        !readFittedConstants(dataDir + "/fitted-constants.txt", k, error) || !readPublished(dataDir, published, error) ||
        !writeFileAtomically(argv[2], report(solar, k, published), error)) {
        std::fprintf(stderr, "cltd_report: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
