// AutoLISP functions returning cooling load table values as (hour.month . value) pairs.
#include <string>

#include "ads/ads.h"
#include "integration/LispArgs.h"
#include "integration/ResultList.h"
#include "loads/CltdLookup.h"
#include "loads/LoadFunctions.h"

namespace {

// Reads the month arguments and appends 24 (slot + month / 100 . value) pairs for each; a month outside
// the tables is bad data and drops the partial list.
template <typename DayOf>
LispStatus returnMonths(ArgCursor& cur, DayOf dayOf) {
    ResultList result;
    result.begin();
    while (!cur.atEnd()) {
        const resbuf* before = cur.node();
        int32_t month = 0;
        if (!argInt(cur, month)) return kLispWrongType;
        if (cur.node() == before) cur.next();  // a group-code node is read but not consumed
        if (!hvac::monthInTables(month)) return kLispBadData;
        int32_t hours[24];
        dayOf(month, hours);
        for (int slot = 0; slot < 24; ++slot) result.addRealLong(slot + month / 100.0, hours[slot]);
    }
    result.finish();
    return kLispOk;
}

}  // namespace

LispStatus getRoofCLTDDxf() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t latitude = 0, roof = 0;
    if (!argInt(cur, latitude) || !argInt(cur, roof)) return kLispWrongType;
    if (!hvac::latitudeInTables(latitude)) return kLispBadData;
    return returnMonths(cur, [&](int32_t month, int32_t* hours) { hvac::roofDay(latitude, roof, month, hours); });
}

LispStatus getWallCLTDDxf() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t latitude = 0, wall = 0;
    std::string exposure;
    if (!argInt(cur, latitude) || !argInt(cur, wall) || !argString(cur, exposure)) return kLispWrongType;
    if (!hvac::latitudeInTables(latitude) || hvac::isHorizontalExposure(exposure)) return kLispBadData;
    return returnMonths(
        cur, [&](int32_t month, int32_t* hours) { hvac::wallDay(latitude, wall, exposure, month, hours); });
}

LispStatus getGlassCLTDDxf() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t latitude = 0;
    std::string zoneType, exposure;
    if (!argInt(cur, latitude) || !argString(cur, zoneType) || !argString(cur, exposure)) return kLispWrongType;
    if (!hvac::latitudeInTables(latitude)) return kLispBadData;
    return returnMonths(
        cur, [&](int32_t month, int32_t* hours) { hvac::glassDay(latitude, zoneType, exposure, month, hours); });
}
