// The module-wide list of legacy duct records read from version-3 ducts.
#include "ducts/ZkDuct.h"

namespace {

// The types of the 35 legacy fields after the key and the drawing name.
constexpr char kFieldTypes[] = "ISISSIISSDDSSSSSISDDDSIDDDDDDDDDSID";
static_assert(sizeof(kFieldTypes) - 1 == oldDuctFields::kFieldCount);

std::list<oldDuctFields> gOldDuctFields;

} // namespace

oldDuctFields::oldDuctFields() {
    fields.reserve(kFieldCount);
    for (size_t i = 0; i < kFieldCount; ++i) {
        switch (kFieldTypes[i]) {
        case 'I': fields.emplace_back(Adesk::Int32{0}); break;
        case 'D': fields.emplace_back(0.0); break;
        default: fields.emplace_back(std::string()); break;
        }
    }
}

std::list<oldDuctFields>& oldDuctFieldsList() { return gOldDuctFields; }

const oldDuctFields* findOldDuctFields(Adesk::Int32 key, const std::string& upperName) {
    for (const oldDuctFields& record : gOldDuctFields)
        if (record.ixDuct == key && record.drawingName == upperName) return &record;
    return nullptr;
}

void clearOldDuctFields() { gOldDuctFields.clear(); }
