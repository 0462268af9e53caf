// Reads the published table values we hold.
#include "PublishedData.h"

#include "CsvLines.h"
#include "SolarEngine.h"
#include "TableLayout.h"

namespace cltd {

namespace {

int zoneOfLetter(const std::string& s) { return s.size() == 1 && s[0] >= 'A' && s[0] <= 'D' ? s[0] - 'A' : -1; }

bool readTellingRows(const std::string& path, std::vector<PublishedRow>& out, std::string& error) {
    std::vector<std::vector<std::string>> rows;
    if (!readCsvRows(path, rows, error)) return false;
    for (const auto& r : rows) {
        PublishedRow p;
        int number = 0;
        bool ok = r.size() == 28 && parseInt(r[3], p.month) && p.month >= 0 && p.month < kMonths;
        if (ok && r[0] == "roof") {
            p.table = TableKind::kRoof;
            ok = parseInt(r[1], number) && (p.row = roofRowOfNumber(number)) >= 0;
        } else if (ok && r[0] == "wall") {
            p.table = TableKind::kWall;
            p.exposure = exposureFromName(r[2]);
            ok = parseInt(r[1], number) && (p.row = wallRowOfNumber(number)) >= 0 && p.exposure >= 0 &&
                 p.exposure < kWallExposures;
        } else if (ok && r[0] == "glass") {
            p.table = TableKind::kGlass;
            p.exposure = exposureFromName(r[2]);
            ok = (p.row = zoneOfLetter(r[1])) >= 0 && p.exposure >= 0;
        } else {
            ok = false;
        }
        for (size_t i = 4; ok && i < r.size(); ++i) {
            int v = 0;
            ok = parseInt(r[i], v);
            p.values.push_back(v);
        }
        if (!ok) {
            error = path + ": bad row";
            return false;
        }
        p.label = r[0] + " " + r[1] + (r[0] == "roof" ? "" : " " + r[2]) + (p.month == 6 ? "" : " month " + r[3]);
        out.push_back(std::move(p));
    }
    return true;
}

bool readPartialScl(const std::string& path, std::vector<PublishedRow>& out, std::string& error) {
    std::vector<std::vector<std::string>> rows;
    if (!readCsvRows(path, rows, error)) return false;
    for (const auto& r : rows) {
        PublishedRow p;
        p.table = TableKind::kGlass;
        bool ok = r.size() >= 3 && (p.row = zoneOfLetter(r[0])) >= 0 && (p.exposure = exposureFromName(r[1])) >= 0;
        for (size_t i = 2; ok && i < r.size(); ++i) {
            int v = 0;
            ok = parseInt(r[i], v);
            p.values.push_back(v);
        }
        if (!ok || p.values.size() > size_t(kSlots)) {
            error = path + ": bad row";
            return false;
        }
        p.label = "SCL " + r[0] + " " + r[1] + " (hours 1-" + std::to_string(p.values.size()) + ")";
        out.push_back(std::move(p));
    }
    return true;
}

}  // namespace

bool readPublished(const std::string& dataDir, std::vector<PublishedRow>& rows, std::string& error) {
    rows.clear();
    return readTellingRows(dataDir + "/published-rows.csv", rows, error) &&
           readPartialScl(dataDir + "/scl-july-40n-partial.csv", rows, error);
}

}  // namespace cltd
