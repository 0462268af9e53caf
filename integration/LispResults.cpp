// Single-value results.
#include "integration/LispResults.h"

#include "ads/ads.h"
#include "database/dbid.h"

int retIntOrReal(int32_t value) {
    if (value >= -32768 && value <= 32767) return acedRetInt(value);
    return acedRetReal(value);
}

int retEntity(const AcDbObjectId& id) {
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return acedRetNil();
    return acedRetName(name, RTENAME);
}
