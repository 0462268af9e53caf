// The indexed colour palette: nine named colours, 24 hues in five shades and
// two saturations, and six greys.
#include "render/AciColor.h"

#include <cmath>

namespace {
std::uint32_t rgb(double r, double g, double b) {
    auto c = [](double v) { return static_cast<std::uint32_t>(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255.0)); };
    return (c(r) << 16) | (c(g) << 8) | c(b);
}

// Hue in degrees, saturation and value in [0, 1].
std::uint32_t fromHsv(double hue, double saturation, double value) {
    const double h = std::fmod(hue, 360.0) / 60.0;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double p = value * (1 - saturation), q = value * (1 - saturation * f), t = value * (1 - saturation * (1 - f));
    switch (sector) {
        case 0: return rgb(value, t, p);
        case 1: return rgb(q, value, p);
        case 2: return rgb(p, value, t);
        case 3: return rgb(p, q, value);
        case 4: return rgb(t, p, value);
        default: return rgb(value, p, q);
    }
}
}  // namespace

std::uint32_t aciToRgb(int index) {
    static constexpr std::uint32_t kNamed[10] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                                 0x0000FF, 0xFF00FF, 0x000000, 0x808080, 0xC0C0C0};
    static constexpr std::uint32_t kGreys[6] = {0x333333, 0x505050, 0x696969, 0x828282, 0xBEBEBE, 0xFFFFFF};
    if (index >= 1 && index <= 9) return kNamed[index];
    if (index >= 250 && index <= 255) return kGreys[index - 250];
    if (index < 10 || index > 249) return 0x000000;
    // 10-249: hue in steps of 15 degrees; the last digit picks the shade
    // (pairs of full and half saturation, darker as the digit grows).
    static constexpr double kValues[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    const double hue = (index / 10 - 1) * 15.0;
    const int shade = index % 10;
    return fromHsv(hue, shade % 2 == 0 ? 1.0 : 0.5, kValues[shade / 2]);
}
