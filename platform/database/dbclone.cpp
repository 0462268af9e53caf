// Entity copies: write the source to a memory filer, read into a new instance.
#include "database/dbclone.h"

#include "database/dbdatabase.h"
#include "database/io/DwgMemoryFiler.h"

AcDbEntity* acdbCloneEntity(const AcDbEntity* source, AcDbDatabase* target, const AcDbIdMapper& mapId) {
    if (!source) return nullptr;
    AcDbDatabase* from = source->database();
    AcDbObject* made = dynamic_cast<AcDbObject*>(source->isA()->create());
    auto* copy = AcDbEntity::cast(made);
    if (!copy) {
        delete made;
        return nullptr;
    }
    AcDbDwgMemoryFiler out(AcDb::kCopyFiler, from);
    if (source->dwgOutFields(&out) != Acad::eOk) {
        delete copy;
        return nullptr;
    }
    auto resolve = [&](AcDbHandle handle) -> AcDbObjectId {
        AcDbObjectId id;
        if (!from || from->getAcDbObjectId(id, false, handle) != Acad::eOk) return {};
        return mapId ? mapId(id) : id;
    };
    AcDbDwgMemoryFiler in(out.data(), resolve, AcDb::kCopyFiler, target);
    if (copy->dwgInFields(&in) != Acad::eOk) {
        delete copy;
        return nullptr;
    }
    copy->setOwnerId(AcDbObjectId());
    return copy;
}
