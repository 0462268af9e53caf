// The module-wide load data store.
#include "loads/LoadDataStore.h"

namespace hvac {

int32_t loadDataKey(int32_t first, int32_t second, int32_t third) {
    const uint32_t key = uint32_t(first) * 10000u + uint32_t(second) * 100u + uint32_t(third);
    return static_cast<int32_t>(key);
}

std::unordered_map<int32_t, roomData>& roomDataMap() {
    static std::unordered_map<int32_t, roomData> map;
    return map;
}

std::unordered_map<int32_t, wallData>& wallDataMap() {
    static std::unordered_map<int32_t, wallData> map;
    return map;
}

}  // namespace hvac
