// Published table values we hold: the telling rows and the partial July 40 N solar cooling load table.
#pragma once

#include <string>
#include <vector>

namespace cltd {

enum class TableKind { kRoof, kWall, kGlass };

struct PublishedRow {
    TableKind table = TableKind::kRoof;
    int row = 0;       // construction row (roof, wall) or zone type (glass)
    int exposure = 0;  // exposure row; 0 for roofs
    int month = 6;
    int band = 3;      // 40 N
    int firstSlot = 0;
    std::vector<int> values;
    std::string label;
};

// Reads published-rows.csv and scl-july-40n-partial.csv from dataDir.
bool readPublished(const std::string& dataDir, std::vector<PublishedRow>& rows, std::string& error);

}  // namespace cltd
