// Field tables of the load data store's records and the add rule for real and integer fields.
#include "loads/LoadRecords.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>
#include <vector>

namespace hvac {

namespace {
constexpr LoadFieldType R = LoadFieldType::kReal;
constexpr LoadFieldType I = LoadFieldType::kInteger;
}  // namespace

const std::array<LoadField, kRoomFieldCount> kRoomFields = {{
    {"dRoof", R}, {"dRoofPlenum", R}, {"dFloor", R}, {"dWall", R}, {"dWallPlenum", R}, {"dDoor", R},
    {"dGlass", R}, {"dWallPartition", R}, {"dWallPlenumPartition", R}, {"dDoorPartition", R},
    {"dGlassPartition", R}, {"dInfiltrationSensible", R}, {"dInfiltrationLatent", R},
    {"dVentilationSensible", R}, {"dVentilationLatent", R}, {"dVentilationSensiblePeople", R},
    {"dVentilationLatentPeople", R}, {"dVentilation62Sensible", R}, {"dVentilation62Latent", R},
    {"dVentilation62SensiblePeople", R}, {"dVentilation62LatentPeople", R}, {"dVentilationIMCSensible", R},
    {"dVentilationIMCLatent", R}, {"iCoolingCFM", I}, {"iCoolingCFM62", I}, {"iOSACFM", I}, {"iOSA62CFM", I},
    {"iOSAIMCCFM", I}, {"iOSAPeopleCFM", I}, {"iOSA62PeopleCFM", I}, {"dLights", R}, {"dLightsPlenum", R},
    {"dEquipmentLatent", R}, {"dEquipmentSensible", R}, {"dPeopleLatent", R}, {"dPeopleSensible", R},
    {"dRoomTemperature", R}, {"dRoomHumidity", R}, {"dRoomTotalSensible", R}, {"dRoomTotalLatent", R},
    {"dRoomTotal", R}, {"dPlenumTotal", R}, {"dSystemTotalSensible", R}, {"dSystemTotalLatent", R},
    {"dSystemTotal", R}, {"dSystem62TotalSensible", R}, {"dSystem62TotalLatent", R}, {"dSystem62Total", R},
    {"dSystemIMCTotalSensible", R}, {"dSystemIMCTotalLatent", R}, {"dSystemIMCTotal", R}, {"dArea", R},
    {"dPeople", R}, {"dPeopleRatio", R},
}};

const std::array<LoadField, kWallFieldCount> kWallFields = {{
    {"dWall", R}, {"dWallPlenum", R}, {"dDoor", R}, {"dGlass", R}, {"dWallPartition", R},
    {"dWallPlenumPartition", R}, {"dDoorPartition", R}, {"dGlassPartition", R},
}};

int loadFieldIndex(const LoadField* fields, size_t count, std::string_view name) {
    using NameIndex = std::unordered_map<std::string_view, int>;
    static std::vector<std::pair<const LoadField*, NameIndex>> indexes;  // one per table: a short list
    auto table = std::find_if(indexes.begin(), indexes.end(), [&](const auto& entry) { return entry.first == fields; });
    if (table == indexes.end()) table = indexes.insert(indexes.end(), {fields, NameIndex()});
    NameIndex& index = table->second;
    if (index.empty())
        for (size_t i = 0; i < count; ++i) index.emplace(fields[i].name, int(i));  // the first of a repeated name wins
    auto found = index.find(name);
    return found == index.end() ? -1 : found->second;
}

void addToLoadField(double& field, LoadFieldType type, double value) {
    if (type == LoadFieldType::kReal) {
        field += value;
        return;
    }
    if (std::isnan(value)) return;
    const double whole = std::trunc(std::clamp(value, double(INT32_MIN), double(INT32_MAX)));
    field = std::clamp(field + whole, double(INT32_MIN), double(INT32_MAX));
}

}  // namespace hvac
