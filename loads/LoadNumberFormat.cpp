// Number formats of the load detail.
#include "loads/LoadNumberFormat.h"

#include <cmath>
#include <cstdio>

namespace hvac {

// Character 176 of the host's code page, written in UTF-8.
const char* const kDegreeSign = "\xC2\xB0";

std::string roundedNumber(double value) {
    if (!std::isfinite(value)) return "-";
    int divisions = 0;
    while (value > 1000) {
        value /= 10;
        ++divisions;
    }
    // Truncation toward zero after adding one half, as an integer cast does.
    double whole = std::trunc(value + 0.5) * std::pow(10.0, divisions);
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", whole == 0 ? 0.0 : whole);
    return text;
}

std::string percentage(double part, double whole) {
    if (whole == 0) return "-";
    double percent = std::round(part / whole * 100);
    if (!std::isfinite(percent)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%%", percent == 0 ? 0.0 : percent);
    return text;
}

std::string decimalNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string out = text;
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    if (out == "-0") out = "0";
    return out;
}

std::string kilowatts(double btuh) { return decimalNumber(btuh * 0.0002929973630237328) + " kW"; }
std::string tons(double btuh) { return decimalNumber(btuh * 8.333333333333333e-05) + " Tons"; }
std::string temperature(int degrees) { return std::to_string(degrees) + kDegreeSign + " F"; }
std::string temperatureDifference(int degrees) { return std::to_string(degrees) + kDegreeSign + " dT"; }

}  // namespace hvac
