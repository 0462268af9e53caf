// Reading the load detail's arguments.
#include "loads/LoadDetailArgs.h"

namespace hvac {

bool readLoadDetailArgs(ArgCursor& cur, LoadDetailArgs& a) {
    bool ok = argString(cur, a.title) && argInt(cur, a.subject) && argBool(cur, a.showSystemTotals) &&
              argString(cur, a.ventilationRule) && argReal(cur, a.area) && argReal(cur, a.people) &&
              argInt(cur, a.summaryMonth) && argInt(cur, a.summaryHour) && argInt(cur, a.currentSupplyCfm) &&
              argInt(cur, a.requiredSupplyCfm) && argInt(cur, a.supplyTemperature) &&
              argInt(cur, a.heatingDifference) && argInt(cur, a.shareNumerator) && argInt(cur, a.shareDenominator) &&
              argInt(cur, a.loadMonth) && argInt(cur, a.loadHour) && argBool(cur, a.heatingNotCalculated) &&
              argBool(cur, a.coolingNotCalculated);
    if (!ok) return false;
    a.hasPsychrometrics = argListBegin(cur);
    if (!a.hasPsychrometrics) return true;
    std::vector<std::string> strings;
    std::string text;
    while (!argListEnd(cur) && argString(cur, text)) strings.push_back(text);
    strings.resize(strings.size() / 8 * 8);  // an incomplete last line is dropped
    a.psychrometrics = std::move(strings);
    return true;
}

}  // namespace hvac
