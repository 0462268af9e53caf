// The arguments of zk_hvac-loadDetail: what the caller already knows about
// the room or zone whose load detail is shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "integration/LispArgs.h"

namespace hvac {

struct LoadDetailArgs {
    std::string title;                     // 1
    int32_t subject = 0;                   // 2: -n room n, n zone n
    bool showSystemTotals = false;         // 3
    std::string ventilationRule = "NO";    // 4: "YES" ASHRAE 62, "IMC", else plain
    double area = 0;                       // 5
    double people = 0;                     // 6
    int32_t summaryMonth = 0;              // 7
    int32_t summaryHour = 0;               // 8
    int32_t currentSupplyCfm = 0;          // 9
    int32_t requiredSupplyCfm = 0;         // 10
    int32_t supplyTemperature = 0;         // 11
    int32_t heatingDifference = 0;         // 12
    int32_t shareNumerator = 0;            // 13
    int32_t shareDenominator = 0;          // 14
    int32_t loadMonth = 0;                 // 15
    int32_t loadHour = 0;                  // 16
    bool heatingNotCalculated = false;     // 17
    bool coolingNotCalculated = false;     // 18
    bool hasPsychrometrics = false;        // 19 given as a list
    std::vector<std::string> psychrometrics;  // 8 strings per line, whole lines only

    bool isRoom() const { return subject < 0; }
    bool isZone() const { return subject >= 1; }
};

// Reads arguments 1 to 18 (false when one is missing or of the wrong type)
// and the optional list of argument 19.
bool readLoadDetailArgs(ArgCursor& cursor, LoadDetailArgs& args);

}  // namespace hvac
