// Generates the module's cooling load table source from the data files and the fitted constants.
// Usage: cltd_gen <data dir> <output .cpp>
#include <cstdio>
#include <string>

#include "TableSource.h"

using namespace cltd;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cltd_gen <data dir> <output source file>\n");
        return 2;
    }
    const std::string dataDir = argv[1];
    std::string error, text;
    SolarData solar;
    FittedConstants k;
    std::vector<PublishedRow> published;
    if (!readSolarData(dataDir + "/solar-constants.csv", solar, error) ||
        !readFittedConstants(dataDir + "/fitted-constants.txt", k, error) || !readPublished(dataDir, published, error) ||
        !formatTableSource(finalTables(computeModel(solar, k), published), text, error) ||
        !writeFileAtomically(argv[2], text, error)) {
        std::fprintf(stderr, "cltd_gen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
