// Name lookups the standard entities need when filing references by name.
#include "database/dbentityfiling.h"

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"

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

namespace AcDbEntityFiling {

Acad::ErrorStatus dwgOutFollowers(const std::vector<AcDbObjectId>& ids, AcDbObjectId end, AcDbDwgFiler* filer) {
    filer->writeUInt32(static_cast<Adesk::UInt32>(ids.size()));
    for (AcDbObjectId id : ids) filer->writeHardOwnershipId(id);
    return filer->writeHardOwnershipId(end);
}

Acad::ErrorStatus dwgInFollowers(std::vector<AcDbObjectId>& ids, AcDbObjectId& end, AcDbDwgFiler* filer) {
    ids.clear();
    Adesk::UInt32 count = 0;
    if (filer->readUInt32(&count) != Acad::eOk) return filer->filerStatus();
    for (Adesk::UInt32 i = 0; i < count; ++i) {
        AcDbObjectId id;
        Acad::ErrorStatus es = filer->readHardOwnershipId(&id);
        if (es == Acad::eNullHandle) {  // a follower that is gone
            filer->resetFilerStatus();
            continue;
        }
        if (es != Acad::eOk) return es;
        ids.push_back(id);
    }
    if (filer->readHardOwnershipId(&end) == Acad::eNullHandle) filer->resetFilerStatus();
    return filer->filerStatus();
}

void transformFollowers(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform) {
    for (AcDbObjectId id : ids) {
        AcDbEntity* follower = nullptr;
        if (acdbOpenObject(follower, id, AcDb::kForWrite) != Acad::eOk) continue;
        follower->transformBy(xform);
        follower->close();
    }
}

} // namespace AcDbEntityFiling
