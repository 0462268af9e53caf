// Unit conversion built-ins: angtos angtof distof cvunit.
#include "ads/ads.h"
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace lisp {

namespace {

constexpr double kPi = 3.14159265358979323846;

int32_t intSysVarOr(const char* name, int32_t fallback) {
    resbuf value{};
    if (acedGetVar(name, &value) != RTNORM) return fallback;
    if (value.restype == RTSHORT) return value.resval.rint;
    if (value.restype == RTLONG) return value.resval.rlong;
    if (value.restype == RTSTR) std::free(value.resval.rstring);
    return fallback;
}

int32_t optionalInt(Args a, size_t index, const char* sysVar, int32_t fallback) {
    return a.size() > index && a[index] ? intArg(a[index]) : intSysVarOr(sysVar, fallback);
}

std::string fixed(double value, int precision) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    return buffer;
}

// Degrees as 45d30'15": precision 0 shows degrees, 1-2 minutes, 3-4 seconds,
// beyond that decimals of seconds.
std::string degreesMinutesSeconds(double degrees, int precision) {
    if (precision == 0) return fixed(std::round(degrees), 0) + "d";
    int secondsDecimals = precision > 4 ? precision - 4 : 0;
    double scale = std::pow(10.0, secondsDecimals);
    double totalSeconds = std::round(degrees * 3600.0 * (precision >= 3 ? scale : 1.0 / 60.0));
    if (precision < 3) {
        long long minutes = static_cast<long long>(totalSeconds);
        return std::to_string(minutes / 60) + "d" + std::to_string(minutes % 60) + "'";
    }
    double seconds = std::fmod(totalSeconds, 60.0 * scale) / scale;
    long long wholeMinutes = static_cast<long long>(totalSeconds / scale) / 60;
    return std::to_string(wholeMinutes / 60) + "d" + std::to_string(wholeMinutes % 60) + "'" +
           fixed(seconds, secondsDecimals) + "\"";
}

std::string surveyor(double radians, int precision) {
    double degrees = radians * 180.0 / kPi;
    if (std::fabs(degrees) < 1e-12) return "E";
    if (std::fabs(degrees - 90) < 1e-12) return "N";
    if (std::fabs(degrees - 180) < 1e-12) return "W";
    if (std::fabs(degrees - 270) < 1e-12) return "S";
    if (degrees < 90) return "N " + degreesMinutesSeconds(90 - degrees, precision) + " E";
    if (degrees < 180) return "N " + degreesMinutesSeconds(degrees - 90, precision) + " W";
    if (degrees < 270) return "S " + degreesMinutesSeconds(270 - degrees, precision) + " W";
    return "S " + degreesMinutesSeconds(degrees - 270, precision) + " E";
}

Ref angtos(Args a) {
    double radians = std::fmod(numberArg(a[0]), 2 * kPi);
    if (radians < 0) radians += 2 * kPi;
    int32_t mode = optionalInt(a, 1, "AUNITS", 0);
    int32_t precision = optionalInt(a, 2, "AUPREC", 0);
    if (mode < 0 || mode > 4) raiseError("bad argument value: angtos mode " + std::to_string(mode));
    if (precision < 0 || precision > 8) raiseError("bad argument value: angtos precision " + std::to_string(precision));
    switch (mode) {
    case 0: return makeString(fixed(radians * 180.0 / kPi, precision));
    case 1: return makeString(degreesMinutesSeconds(radians * 180.0 / kPi, precision));
    case 2: return makeString(fixed(radians * 200.0 / kPi, precision) + "g");
    case 3: return makeString(fixed(radians, precision) + "r");
    default: return makeString(surveyor(radians, precision));
    }
}

// A plain decimal number filling the whole text.
bool wholeNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

// 45d30'15" (any part may be missing) as degrees.
bool parseDms(const std::string& text, double& degrees) {
    if (wholeNumber(text, degrees)) return true;
    double parts[3] = {0, 0, 0};
    const char marks[3] = {'d', '\'', '"'};
    size_t pos = 0;
    bool any = false;
    for (int i = 0; i < 3 && pos < text.size(); ++i) {
        size_t mark = text.find(marks[i], pos);
        if (i == 0 && mark == std::string::npos) mark = text.find('D', pos);
        if (mark == std::string::npos) continue;
        if (!wholeNumber(text.substr(pos, mark - pos), parts[i])) return false;
        pos = mark + 1;
        any = true;
    }
    if (!any || pos != text.size()) return false;
    degrees = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    return true;
}

bool parseAngle(std::string text, int mode, double& radians) {
    double value = 0;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    if (mode == 4) {
        if (text == "N" || text == "n") return radians = kPi / 2, true;
        if (text == "S" || text == "s") return radians = 3 * kPi / 2, true;
        if (text == "E" || text == "e") return radians = 0, true;
        if (text == "W" || text == "w") return radians = kPi, true;
        if (text.size() < 3) return false;
        char ns = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
        char ew = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
        std::string middle = text.substr(1, text.size() - 2);
        while (!middle.empty() && middle.front() == ' ') middle.erase(0, 1);
        while (!middle.empty() && middle.back() == ' ') middle.pop_back();
        if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W') || !parseDms(middle, value)) return false;
        double degrees = ns == 'N' ? (ew == 'E' ? 90 - value : 90 + value) : (ew == 'W' ? 270 - value : 270 + value);
        radians = degrees * kPi / 180.0;
        return true;
    }
    if (mode == 2 && !text.empty() && (text.back() == 'g' || text.back() == 'G')) text.pop_back();
    if (mode == 3 && !text.empty() && (text.back() == 'r' || text.back() == 'R')) text.pop_back();
    if (mode == 1 || mode == 0) {
        if (!parseDms(text, value)) return false;
        radians = value * kPi / 180.0;
        return true;
    }
    if (!wholeNumber(text, value)) return false;
    radians = mode == 2 ? value * kPi / 200.0 : value;
    return true;
}

// Inches, with an optional fraction "1/2" or "3 1/2".
bool parseInches(const std::string& text, double& inches) {
    if (wholeNumber(text, inches)) return true;
    size_t slash = text.find('/');
    if (slash == std::string::npos) return false;
    size_t space = text.find_first_of(" -");
    double whole = 0, numerator = 0, denominator = 0;
    std::string fraction = text;
    if (space != std::string::npos && space < slash) {
        if (!wholeNumber(text.substr(0, space), whole)) return false;
        fraction = text.substr(space + 1);
        slash = fraction.find('/');
    }
    if (!wholeNumber(fraction.substr(0, slash), numerator) || !wholeNumber(fraction.substr(slash + 1), denominator) ||
        denominator == 0)
        return false;
    inches = whole + (whole < 0 ? -1 : 1) * numerator / denominator;
    return true;
}

// Decimal and scientific text, or feet and inches (1'-3", 1'3-1/2", 3 1/2).
bool parseDistance(std::string text, int mode, double& value) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.erase(0, 1);
    if (wholeNumber(text, value)) return true;
    if (mode < 3) return false;
    double feet = 0, inches = 0;
    size_t foot = text.find('\'');
    std::string rest = text;
    if (foot != std::string::npos) {
        if (!wholeNumber(text.substr(0, foot), feet)) return false;
        rest = text.substr(foot + 1);
        if (!rest.empty() && rest.front() == '-') rest.erase(0, 1);
    }
    if (!rest.empty() && rest.back() == '"') rest.pop_back();
    if (!rest.empty() && !parseInches(rest, inches)) return false;
    value = feet * 12.0 + (feet < 0 ? -inches : inches);
    return true;
}

struct Unit {
    int dimension;  // 0 length, 1 angle, 2 time, 3 mass, 4 area
    double factor;  // in the dimension's base unit
};

const std::map<std::string, Unit>& units() {
    static const std::map<std::string, Unit> table{
        {"INCH", {0, 1}}, {"INCHES", {0, 1}}, {"IN", {0, 1}},
        {"FOOT", {0, 12}}, {"FEET", {0, 12}}, {"FT", {0, 12}},
        {"YARD", {0, 36}}, {"YARDS", {0, 36}}, {"YD", {0, 36}},
        {"MILE", {0, 63360}}, {"MILES", {0, 63360}}, {"MI", {0, 63360}},
        {"MILLIMETER", {0, 1 / 25.4}}, {"MILLIMETERS", {0, 1 / 25.4}}, {"MM", {0, 1 / 25.4}},
        {"CENTIMETER", {0, 1 / 2.54}}, {"CENTIMETERS", {0, 1 / 2.54}}, {"CM", {0, 1 / 2.54}},
        {"METER", {0, 1000 / 25.4}}, {"METERS", {0, 1000 / 25.4}}, {"M", {0, 1000 / 25.4}},
        {"KILOMETER", {0, 1e6 / 25.4}}, {"KILOMETERS", {0, 1e6 / 25.4}}, {"KM", {0, 1e6 / 25.4}},
        {"RADIAN", {1, 1}}, {"RADIANS", {1, 1}}, {"RAD", {1, 1}},
        {"DEGREE", {1, kPi / 180}}, {"DEGREES", {1, kPi / 180}}, {"DEG", {1, kPi / 180}},
        {"GRAD", {1, kPi / 200}}, {"GRADS", {1, kPi / 200}},
        {"SECOND", {2, 1}}, {"SECONDS", {2, 1}}, {"SEC", {2, 1}},
        {"MINUTE", {2, 60}}, {"MINUTES", {2, 60}}, {"MIN", {2, 60}},
        {"HOUR", {2, 3600}}, {"HOURS", {2, 3600}}, {"HR", {2, 3600}},
        {"DAY", {2, 86400}}, {"DAYS", {2, 86400}},
        {"GRAM", {3, 1}}, {"GRAMS", {3, 1}}, {"G", {3, 1}},
        {"KILOGRAM", {3, 1000}}, {"KILOGRAMS", {3, 1000}}, {"KG", {3, 1000}},
        {"POUND", {3, 453.59237}}, {"POUNDS", {3, 453.59237}}, {"LB", {3, 453.59237}},
        {"SQ INCH", {4, 1}}, {"SQ FOOT", {4, 144}}, {"SQ FEET", {4, 144}},
        {"SQ METER", {4, 1e6 / 645.16}}, {"SQ MM", {4, 1 / 645.16}},
    };
    return table;
}

const Unit* findUnit(const std::string& name) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto found = units().find(upper);
    return found == units().end() ? nullptr : &found->second;
}

Ref cvunit(Args a) {
    const Unit* from = findUnit(stringArg(a[1]));
    const Unit* to = findUnit(stringArg(a[2]));
    bool isPoint = isCons(a[0]);
    std::vector<Ref> values = isPoint ? listItems(a[0]) : std::vector<Ref>{a[0]};
    for (const Ref& v : values) numberArg(v);
    if (!from || !to || from->dimension != to->dimension) return nullptr;
    std::vector<Ref> converted;
    for (const Ref& v : values) converted.push_back(makeReal(numberValue(v) * from->factor / to->factor));
    return isPoint ? makeList(converted) : converted[0];
}

}  // namespace

void registerUnitBuiltins() {
    defineSubr("angtos", angtos, 1, 3);
    defineSubr("angtof", [](Args a) -> Ref {
        double radians = 0;
        const std::string& text = stringArg(a[0]);
        int32_t mode = optionalInt(a, 1, "AUNITS", 0);
        if (mode < 0 || mode > 4) raiseError("bad argument value: angtof mode " + std::to_string(mode));
        if (!parseAngle(text, mode, radians)) return nullptr;
        return makeReal(radians);
    }, 1, 2);
    defineSubr("distof", [](Args a) -> Ref {
        double value = 0;
        const std::string& text = stringArg(a[0]);
        int32_t mode = optionalInt(a, 1, "LUNITS", 2);
        if (mode < 1 || mode > 5) raiseError("bad argument value: distof mode " + std::to_string(mode));
        if (!parseDistance(text, mode, value)) return nullptr;
        return makeReal(value);
    }, 1, 2);
    defineSubr("cvunit", cvunit, 3, 3);
}

}  // namespace lisp
