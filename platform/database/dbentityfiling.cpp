// Name lookups the standard entities need when filing references by name.
#include "database/dbentityfiling.h"

#include "database/dbdatabase.h"

namespace AcDbEntityFiling {

std::string recordName(AcDbObjectId id) {
    AcDbStub* stub = id.stub();
    if (!stub || !stub->object || stub->erased()) return {};
    auto* record = AcDbSymbolTableRecord::cast(stub->object);
    if (!record) return {};
    // Read the name whatever the record's open state (it may be open for write).
    const int state = record->openState();
    if (state == AcDbObject::kClosed) record->setOpenState(AcDbObject::kOpenRead);
    std::string name;
    record->getName(name);
    if (state == AcDbObject::kClosed) record->setOpenState(AcDbObject::kClosed);
    return name;
}

static AcDbDatabase* databaseOf(AcDbDxfFiler* filer) {
    AcDbDatabase* db = filer ? filer->database() : nullptr;
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}

AcDbObjectId textStyleByName(AcDbDxfFiler* filer, const char* name) {
    AcDbDatabase* db = databaseOf(filer);
    if (!db) return {};
    AcDbObjectId id = name && *name ? db->textStyleId(name) : AcDbObjectId();
    return id.isNull() ? db->textstyle() : id;
}

AcDbObjectId blockByName(AcDbDxfFiler* filer, const char* name) {
    AcDbDatabase* db = databaseOf(filer);
    return db && name && *name ? db->blockId(name) : AcDbObjectId();
}

} // namespace AcDbEntityFiling
