// AutoLISP functions of the load data store: add name/value pairs to a record, read it back, reset.
#include <string>
#include <unordered_map>

#include "ads/ads.h"
#include "integration/LispArgs.h"
#include "integration/ResultList.h"
#include "loads/LoadDataStore.h"
#include "loads/LoadFunctions.h"

namespace {

using hvac::LoadFieldType;

bool readKey(ArgCursor& cur, int32_t& key) {
    int32_t first = 0, second = 0, third = 0;
    if (!argInt(cur, first) || !argInt(cur, second) || !argInt(cur, third)) return false;
    key = hvac::loadDataKey(first, second, third);
    return true;
}

// Adds every (name value) pair of the remaining arguments to the record under the key.
template <typename Record>
LispStatus storeData(std::unordered_map<int32_t, Record>& map) {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t key = 0;
    if (!readKey(cur, key)) return kLispWrongType;
    Record& work = map[key];
    while (!cur.atEnd()) {
        std::string name;
        if (!argString(cur, name)) {
            argSkip(cur);
            continue;
        }
        const resbuf* before = cur.node();
        double value = 0;
        if (!argReal(cur, value)) continue;  // the non-number is the next name candidate
        if (cur.node() == before) cur.next(); // a group-code node is read but not consumed
        const int field = hvac::loadFieldIndex(Record::fields(), name);
        if (field >= 0) hvac::addToLoadField(work.values[field], Record::fields()[field].type, value);
    }
    return kLispOk;
}

// Returns the record under the key as ((name . value) ...), names with the suffix appended.
template <typename Record>
LispStatus getData(const std::unordered_map<int32_t, Record>& map, bool takesSuffix) {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t key = 0;
    if (!readKey(cur, key)) return kLispWrongType;
    std::string suffix;
    if (takesSuffix && !argString(cur, suffix)) suffix.clear();
    auto found = map.find(key);
    if (found == map.end()) return kLispOk;
    ResultList result;
    result.begin();
    for (size_t i = 0; i < Record::fields().size(); ++i) {
        const hvac::LoadField& f = Record::fields()[i];
        const std::string name = f.name + suffix;
        if (f.type == LoadFieldType::kInteger)
            result.addStringInt(name, static_cast<int32_t>(found->second.values[i]));
        else
            result.addStringReal(name, found->second.values[i]);
    }
    result.finish();
    return kLispOk;
}

template <typename Record>
LispStatus resetData(std::unordered_map<int32_t, Record>& map) {
    acedRetNil();
    map.clear();
    return kLispOk;
}

}  // namespace

LispStatus loadsStoreRoomData() { return storeData(hvac::roomDataMap()); }
LispStatus loadsGetRoomData() { return getData(hvac::roomDataMap(), true); }
LispStatus loadsResetRoomData() { return resetData(hvac::roomDataMap()); }
LispStatus loadsStoreWallData() { return storeData(hvac::wallDataMap()); }
LispStatus loadsGetWallData() { return getData(hvac::wallDataMap(), false); }
LispStatus loadsResetWallData() { return resetData(hvac::wallDataMap()); }
