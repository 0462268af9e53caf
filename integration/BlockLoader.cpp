// Find-or-load of block definitions shared by the module's block users.
#include "integration/BlockLoader.h"

#include <memory>

#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "database/dbsymtab.h"
#include "integration/LispCallbacks.h"

namespace {

bool lookUpBlock(AcDbDatabase* db, const std::string& name, AcDbObjectId& blockId) {
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return false;
    AcDbObjectId id;
    const bool found = table->getAt(name, id) == Acad::eOk;
    table->close();
    if (found) blockId = id;
    return found;
}

} // namespace

bool findOrLoadBlock(const std::string& name, AcDbObjectId& blockId) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || name.empty()) return false;
    if (lookUpBlock(db, name, blockId)) return true;

    std::string path;
    if (acdbHostApplicationServices()->findFile(path, (name + ".dwg").c_str(), db) != Acad::eOk) {
        invokeLispIgnoringResult("zkBlock-alertMissing", acutBuildList(RTSTR, name.c_str(), 0));
        return false;
    }
    auto side = std::make_unique<AcDbDatabase>(false, true);
    if (side->readDwgFile(path.c_str()) != Acad::eOk) {
        acutPrintf("\nCannot read the block drawing %s: it is damaged or not a drawing.", path.c_str());
        return false;
    }
    AcDbObjectId id;
    const Acad::ErrorStatus es = db->insert(id, name.c_str(), side.get());
    if (es != Acad::eOk) {
        acutPrintf("\nCannot insert the block drawing %s (error %d).", path.c_str(), static_cast<int>(es));
        return false;
    }
    blockId = id;
    return true;
}
