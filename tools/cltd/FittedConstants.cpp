// Reads and writes the fitted constants file: "name value..." lines, '#' comments.
#include "FittedConstants.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace cltd {

namespace {

struct Entry {
    const char* name;
    Filter FittedConstants::*filter;
};

const Entry kFilters[] = {
    {"roof_light", &FittedConstants::roofLight}, {"roof_heavy", &FittedConstants::roofHeavy},
    {"wall_light", &FittedConstants::wallLight}, {"wall_heavy", &FittedConstants::wallHeavy},
};

std::string fmt(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

}  // namespace

bool readFittedConstants(const std::string& path, FittedConstants& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::map<std::string, std::vector<double>> values;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream ss(line);
        std::string name;
        ss >> name;
        std::vector<double> v;
        double x;
        while (ss >> x) v.push_back(x);
        values[name] = v;
    }
    auto scalar = [&](const char* name, double& dst) {
        auto it = values.find(name);
        if (it == values.end() || it->second.size() != 1) return false;
        dst = it->second[0];
        return true;
    };
    auto filter = [&](const std::string& name, Filter& f) {
        auto it = values.find(name);
        if (it == values.end() || it->second.size() != 5) return false;
        const auto& v = it->second;
        f = Filter{v[0], v[1], v[2], v[3], v[4]};
        return isStable(f);
    };
    bool ok = scalar("inward_fraction", out.inwardFraction) && scalar("roof_longwave", out.roofLongWave) &&
              scalar("glass_horizontal_factor", out.glassHorizontalFactor);
    for (const Entry& e : kFilters) ok = ok && filter(e.name, out.*(e.filter));
    for (int z = 0; z < 4; ++z) ok = ok && filter(std::string("glass_") + char('A' + z), out.glassZone[z]);
    if (!ok) error = path + ": missing, malformed or unstable constant";
    return ok;
}

std::string formatFittedConstants(const FittedConstants& k, const std::string& provenance) {
    std::string s = provenance;
    s += "inward_fraction " + fmt(k.inwardFraction) + "\n";
    s += "roof_longwave " + fmt(k.roofLongWave) + "\n";
    s += "glass_horizontal_factor " + fmt(k.glassHorizontalFactor) + "\n";
    s += "# filters: b0 b1 b2 d1 d2\n";
    auto line = [&](const std::string& name, const Filter& f) {
        s += name + " " + fmt(f.b0) + " " + fmt(f.b1) + " " + fmt(f.b2) + " " + fmt(f.d1) + " " + fmt(f.d2) + "\n";
    };
    for (const Entry& e : kFilters) line(e.name, k.*(e.filter));
    for (int z = 0; z < 4; ++z) line(std::string("glass_") + char('A' + z), k.glassZone[z]);
    return s;
}

}  // namespace cltd
