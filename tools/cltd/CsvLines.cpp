// Minimal CSV reading for the generator's data files.
#include "CsvLines.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace cltd {

bool readCsvRows(const std::string& path, std::vector<std::vector<std::string>>& rows, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    rows.clear();
    bool headerSeen = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (!headerSeen) {
            headerSeen = true;
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, ',')) fields.push_back(field);
        rows.push_back(std::move(fields));
    }
    return true;
}

bool parseDouble(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

bool parseInt(const std::string& text, int& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (!end || *end != '\0') return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace cltd
