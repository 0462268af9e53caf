// The module-wide load data store: integer-keyed maps of roomData and wallData records.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "loads/LoadRecords.h"

namespace hvac {

// first * 10000 + second * 100 + third, in wrapping 32-bit arithmetic.
int32_t loadDataKey(int32_t first, int32_t second, int32_t third);

// The two maps; they live as long as the module and are emptied only by the reset functions.
std::unordered_map<int32_t, roomData>& roomDataMap();
std::unordered_map<int32_t, wallData>& wallDataMap();

}  // namespace hvac
