// Reads the monthly clear-sky solar constants.
#include "SolarData.h"

#include <vector>

#include "CsvLines.h"

namespace cltd {

bool readSolarData(const std::string& path, SolarData& out, std::string& error) {
    std::vector<std::vector<std::string>> rows;
    if (!readCsvRows(path, rows, error)) return false;
    if (rows.size() != 12) {
        error = path + ": expected 12 months, found " + std::to_string(rows.size());
        return false;
    }
    for (const auto& r : rows) {
        int month = 0;
        MonthSun s;
        // month,day,A_btu_h_ft2,A_W_m2,B,C,ET_min,decl_deg
        if (r.size() < 8 || !parseInt(r[0], month) || month < 1 || month > 12 || !parseDouble(r[2], s.A) ||
            !parseDouble(r[4], s.B) || !parseDouble(r[5], s.C) || !parseDouble(r[7], s.declinationDeg)) {
            error = path + ": bad row";
            return false;
        }
        out[month - 1] = s;
    }
    return true;
}

}  // namespace cltd
