// AutoLISP functions returning cooling load table values as (hour.month . value) pairs.
#include <string>

#include "ads/ads.h"
#include "host/LispArgs.h"
#include "host/ResultList.h"
#include "loads/CltdLookup.h"
#include "loads/LoadFunctions.h"

namespace {

// Reads the month arguments and appends 24 (slot + month / 100 . value) pairs for each.
template <typename ValueOfSlot>
LispStatus returnMonths(ArgCursor& cur, ValueOfSlot valueOf) {
    ResultList result;
    result.begin();
    while (!cur.atEnd()) {
        const resbuf* before = cur.node();
        int32_t month = 0;
        if (!argInt(cur, month)) return kLispWrongType;
        if (cur.node() == before) cur.next();  // a group-code node is read but not consumed
        if (!hvac::monthInTables(month)) return kLispBadData;
        for (int slot = 0; slot < 24; ++slot) result.addRealLong(slot + month / 100.0, valueOf(month, slot));
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
    return returnMonths(cur, [&](int32_t month, int slot) { return hvac::roofValue(latitude, roof, month, slot); });
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
        cur, [&](int32_t month, int slot) { return hvac::wallValue(latitude, wall, exposure, month, slot); });
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
        cur, [&](int32_t month, int slot) { return hvac::glassValue(latitude, zoneType, exposure, month, slot); });
}
