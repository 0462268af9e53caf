// AutoLISP functions that answer duct data from elsewhere than the entity:
// zk_hvac-getOldDuctInfo (the legacy records of old drawings) and
// zk_hvac-getDuctCoord (the frame of a tblDuct row).
#include <algorithm>
#include <cctype>
#include <variant>

#include "ads/ads.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/DuctFrame.h"
#include "ducts/ZkDuct.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"
#include "integration/ResultList.h"
#include "runtime/docman.h"

namespace {

void addKey(ResultList& list, int32_t key) {
    if (key >= -32768 && key <= 32767) list.addInt(key);
    else list.addReal(key);
}

void addVector(ResultList& list, const AcGeVector3d& v) {
    const double xyz[3] = {v.x, v.y, v.z};
    list.addPoint(xyz);
}

} // namespace

LispStatus getOldDuctInfo() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t key = 0;
    std::string name;
    if (!argInt(cur, key) || !argString(cur, name)) return kLispWrongType;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    const oldDuctFields* found = findOldDuctFields(key, name);
    if (!found) return kLispOk;
    ResultList list;
    list.begin();
    addKey(list, found->ixDuct);
    list.addString(found->drawingName);
    for (const oldDuctFields::Value& value : found->fields) {
        if (const auto* n = std::get_if<Adesk::Int32>(&value)) list.addInt(*n);
        else if (const auto* text = std::get_if<std::string>(&value)) list.addString(*text);
        else list.addReal(std::get<double>(value));
    }
    list.finish();
    return kLispOk;
}

LispStatus getDuctCoord() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t key = 0;
    if (!argInt(cur, key)) return kLispWrongType;
    DuctDbRecord* db = currentDuctRecord();
    if (!db && gDocDataManager) {
        gDocDataManager->addDocument(acDocManager->curDocument());
        db = currentDuctRecord();
    }
    if (!db || !db->Load(key)) return kLispOk;
    DuctFrame frame = Frame(*db, *db, true);  // the record is copied before neighbours load
    ResultList list;
    list.begin();
    addVector(list, frame.direction);
    addVector(list, frame.side);
    addVector(list, frame.up);
    list.finish();
    return kLispOk;
}
