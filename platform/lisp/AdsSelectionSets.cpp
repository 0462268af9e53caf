// Selection sets: numbered lists of entity names that AutoLISP holds as
// picksets and applications read with acedSSLength / acedSSName.
#include <cstdint>
#include <map>
#include <vector>

#include "ads/acedss.h"

namespace {

struct Name {
    int64_t part[2];
};

std::map<int64_t, std::vector<Name>>& selectionSets() {
    static std::map<int64_t, std::vector<Name>> sets;
    return sets;
}

int64_t& lastSetNumber() {
    static int64_t number = 0;
    return number;
}

} // namespace

int acedSSAdd(const ads_name entity, const ads_name set, ads_name result) {
    int64_t number = set ? set[0] : 0;
    if (set && !selectionSets().count(number)) return RTERROR;
    if (!set) {
        number = ++lastSetNumber();
        selectionSets()[number];
    }
    if (entity) {
        std::vector<Name>& members = selectionSets()[number];
        bool present = false;
        for (const Name& member : members)
            present = present || (member.part[0] == entity[0] && member.part[1] == entity[1]);
        if (!present) members.push_back(Name{{entity[0], entity[1]}});
    }
    result[0] = number;
    result[1] = 0;
    return RTNORM;
}

int acedSSLength(const ads_name set, int32_t* length) {
    auto found = selectionSets().find(set[0]);
    if (found == selectionSets().end() || !length) return RTERROR;
    *length = static_cast<int32_t>(found->second.size());
    return RTNORM;
}

int acedSSName(const ads_name set, int32_t index, ads_name entity) {
    auto found = selectionSets().find(set[0]);
    if (found == selectionSets().end() || index < 0 || index >= static_cast<int32_t>(found->second.size()))
        return RTERROR;
    entity[0] = found->second[index].part[0];
    entity[1] = found->second[index].part[1];
    return RTNORM;
}

int acedSSFree(const ads_name set) { return selectionSets().erase(set[0]) ? RTNORM : RTERROR; }
