// Computes the cooling load tables from physics and the fitted filters.
#include "TableModel.h"

#include <cmath>

#include "GlassModel.h"
#include "SolAir.h"

namespace cltd {

Day roofInput(const SolarData& solar, const FittedConstants& k, int month, int band) {
    Day u{};
    for (int h = 0; h < kSlots; ++h) {
        const Irradiance irr = surfaceIrradiance(solar[month], bandLatitude(band), kHorizontal, h + 1);
        u[h] = solAirTemperature(h + 1, irr.total(), k.roofLongWave) - kIndoorTemperature;
    }
    return u;
}

Day wallInput(const SolarData& solar, int month, int band, int exposure) {
    Day u{};
    for (int h = 0; h < kSlots; ++h) {
        const Irradiance irr = surfaceIrradiance(solar[month], bandLatitude(band), exposure, h + 1);
        u[h] = solAirTemperature(h + 1, irr.total(), 0.0) - kIndoorTemperature;
    }
    return u;
}

Day glassInput(const SolarData& solar, const FittedConstants& k, int month, int band, int exposure) {
    Day u{};
    const double scale = exposure == kHorizontal ? k.glassHorizontalFactor : 1.0;
    for (int h = 0; h < kSlots; ++h)
        u[h] = scale * solarHeatGain(surfaceIrradiance(solar[month], bandLatitude(band), exposure, h + 1),
                                     k.inwardFraction);
    return u;
}

Filter roofFilter(const FittedConstants& k, int row) {
    return blend(k.roofLight, k.roofHeavy, (roofNumberOfRow(row) - 1) / 13.0);
}

Filter wallFilter(const FittedConstants& k, int row) {
    return blend(k.wallLight, k.wallHeavy, (wallNumberOfRow(row) - 1) / 15.0);
}

ModelTables computeModel(const SolarData& solar, const FittedConstants& k) {
    ModelTables t;
    t.roof.resize(kRoofCount);
    t.wall.resize(kWallCount);
    t.glass.resize(kGlassCount);
    for (int m = 0; m < kMonths; ++m) {
        for (int b = 0; b < kBands; ++b) {
            const Day roofU = roofInput(solar, k, m, b);
            for (int r = 0; r < kRoofRows; ++r) {
                const Day y = periodicResponse(roofFilter(k, r), roofU);
                for (int h = 0; h < kSlots; ++h) t.roof[roofIndex(m, b, r, h)] = y[h];
            }
            for (int e = 0; e < kWallExposures; ++e) {
                const Day wallU = wallInput(solar, m, b, e);
                for (int r = 0; r < kWallRows; ++r) {
                    const Day y = periodicResponse(wallFilter(k, r), wallU);
                    for (int h = 0; h < kSlots; ++h) t.wall[wallIndex(m, b, r, e, h)] = y[h];
                }
            }
            for (int e = 0; e < kGlassExposures; ++e) {
                const Day glassU = glassInput(solar, k, m, b, e);
                for (int z = 0; z < kZones; ++z) {
                    const Day y = periodicResponse(k.glassZone[z], glassU);
                    for (int h = 0; h < kSlots; ++h) t.glass[glassIndex(m, b, z, e, h)] = y[h];
                }
            }
        }
    }
    return t;
}

size_t publishedIndex(const PublishedRow& p, int slot) {
    switch (p.table) {
        case TableKind::kRoof: return roofIndex(p.month, p.band, p.row, slot);
        case TableKind::kWall: return wallIndex(p.month, p.band, p.row, p.exposure, slot);
        case TableKind::kGlass: break;
    }
    return glassIndex(p.month, p.band, p.row, p.exposure, slot);
}

double modelValue(const ModelTables& model, const PublishedRow& p, int slot) {
    const std::vector<double>& t = p.table == TableKind::kRoof ? model.roof
                                   : p.table == TableKind::kWall ? model.wall
                                                                  : model.glass;
    return t[publishedIndex(p, slot)];
}

FinalTables finalTables(const ModelTables& model, const std::vector<PublishedRow>& published) {
    auto roundAll = [](const std::vector<double>& v) {
        std::vector<int> out(v.size());
        for (size_t i = 0; i < v.size(); ++i) out[i] = static_cast<int>(std::lround(v[i]));
        return out;
    };
    FinalTables f{roundAll(model.roof), roundAll(model.wall), roundAll(model.glass)};
    for (const PublishedRow& p : published) {
        std::vector<int>& t = p.table == TableKind::kRoof ? f.roof : p.table == TableKind::kWall ? f.wall : f.glass;
        for (size_t i = 0; i < p.values.size(); ++i) t[publishedIndex(p, p.firstSlot + int(i))] = p.values[i];
    }
    return f;
}

}  // namespace cltd
