// The load data store's records: roomData (54 fields) and wallData (8 fields), named numeric fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hvac {

enum class LoadFieldType { kReal, kInteger };

struct LoadField {
    const char* name;
    LoadFieldType type;
};

constexpr int kRoomFieldCount = 54;
constexpr int kWallFieldCount = 8;

// Field names and types in the order of the get results.
extern const std::array<LoadField, kRoomFieldCount> kRoomFields;
extern const std::array<LoadField, kWallFieldCount> kWallFields;

// A record of N fields; integer fields hold whole numbers in the 32-bit range.
template <int N>
struct LoadRecord {
    std::array<double, N> values{};
};

struct roomData : LoadRecord<kRoomFieldCount> {
    static constexpr const std::array<LoadField, kRoomFieldCount>& fields() { return kRoomFields; }
};
struct wallData : LoadRecord<kWallFieldCount> {
    static constexpr const std::array<LoadField, kWallFieldCount>& fields() { return kWallFields; }
};

// Position of a field by exact, case-sensitive name; -1 when there is none.
// Each table is indexed by name on first use: the store functions look up
// every name of every call.
int loadFieldIndex(const LoadField* fields, size_t count, std::string_view name);
template <size_t N>
int loadFieldIndex(const std::array<LoadField, N>& fields, std::string_view name) {
    return loadFieldIndex(fields.data(), N, name);
}

// Adds value to a field: as is for a real field; truncated toward zero for an integer field, the sum
// held within the 32-bit range.
void addToLoadField(double& field, LoadFieldType type, double value);

}  // namespace hvac
