// Object enumeration, class lookup and proxy replacement for the drawing
// files.
#include "database/io/DrawingObjects.h"

#include <cctype>
#include <memory>
#include <unordered_set>
#include <vector>

#include "database/dbclasses.h"
#include "database/dbdictionary.h"
#include "database/dbopen.h"
#include "database/dbstub.h"
#include "database/dbsymtab.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/io/FileProxyEntity.h"

namespace orv::io {

static bool isHostClassName(const std::string& name) { return name.rfind("AcDb", 0) == 0; }

bool isStandardEntityName(const std::string& dxfName) {
    static const std::unordered_set<std::string> names = {
        "3DFACE", "3DSOLID", "ARC", "ATTDEF", "ATTRIB", "BODY", "CIRCLE", "DIMENSION", "ELLIPSE", "HATCH",
        "INSERT", "LEADER", "LINE", "LWPOLYLINE", "MLINE", "MTEXT", "OLE2FRAME", "OLEFRAME", "POINT",
        "POLYLINE", "RAY", "REGION", "SEQEND", "SHAPE", "SOLID", "SPLINE", "TEXT", "TOLERANCE", "TRACE",
        "VERTEX", "VIEWPORT", "XLINE", "ACAD_PROXY_ENTITY"};
    return names.count(dxfName) != 0;
}

FiledClass filedClassOf(const AcDbObject* object) {
    FiledClass c;
    if (const auto* proxy = AcDbFileProxyEntity::cast(object)) {
        const auto& o = proxy->originalClass();
        c.className = o.className;
        c.dxfName = o.dxfName;
        c.appName = o.appName;
        c.proxyFlags = o.proxyFlags;
        c.isEntity = true;
        c.dxfTags = proxy->keepsDxfTags();
        if (!c.dxfTags && proxy->dataFormat() < AcDbDwgMemoryFiler::kCurrentFormatVersion)
            c.dataFormat = proxy->dataFormat();
        c.isCustom = !isHostClassName(o.className) && !isStandardEntityName(o.dxfName);
        return c;
    }
    const AcRxClass* cls = object->isA();
    c.className = cls->name();
    c.dxfName = cls->dxfName();
    c.appName = cls->appName();
    c.proxyFlags = cls->proxyFlags();
    c.isEntity = object->isKindOf(AcDbEntity::desc());
    c.isCustom = !isHostClassName(c.className);
    if (c.dxfName.empty()) {
        c.dxfName = c.className;
        for (char& ch : c.dxfName) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    return c;
}

ReadAccess::ReadAccess(AcDbObjectId id) {
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, id, AcDb::kForRead) == Acad::eOk) {
        mObject = object;
        mOpened = true;
    } else if (AcDbStub* stub = id.stub(); stub && stub->object && !stub->erased()) {
        mObject = stub->object;  // already open (for write): readable as it is
    }
}

ReadAccess::~ReadAccess() {
    if (mOpened) mObject->close();
}

void forEachSavedObject(AcDbDatabase* db, const std::function<void(AcDbObject*)>& visit) {
    const size_t n = db->numIds();
    for (size_t i = 0; i < n; ++i) {
        AcDbObjectId id = db->idAt(i);
        AcDbStub* stub = id.stub();
        if (!stub->object || stub->erased()) continue;
        ReadAccess access(id);
        if (access.object()) visit(access.object());
    }
}

void reindexTable(AcDbSymbolTable* table) {
    std::vector<std::unique_ptr<ReadAccess>> open;
    for (AcDbObjectId id : table->recordIds(true)) open.push_back(std::make_unique<ReadAccess>(id));
    table->reindex();
}

void reindexTables(AcDbDatabase* db) {
    for (AcDbObjectId id : {db->blockTableId(), db->layerTableId(), db->textStyleTableId(), db->linetypeTableId(),
                            db->regAppTableId()}) {
        AcDbSymbolTable* table = nullptr;
        if (acdbOpenObject(table, id, AcDb::kForWrite) != Acad::eOk) continue;
        reindexTable(table);
        table->close();
    }
}

void registerFiledClasses() {
    AcDbBlockTable::desc();
    AcDbBlockTableRecord::desc();
    AcDbLayerTable::desc();
    AcDbLayerTableRecord::desc();
    AcDbTextStyleTable::desc();
    AcDbTextStyleTableRecord::desc();
    AcDbLinetypeTable::desc();
    AcDbLinetypeTableRecord::desc();
    AcDbRegAppTable::desc();
    AcDbRegAppTableRecord::desc();
    AcDbFileProxyEntity::desc();
    AcDbCarriedObject::desc();
    AcDbDictionary::desc();
    acdbRegisterEntityClasses();
}

std::unordered_map<std::string, AcRxClass*> classesByDxfName() {
    registerFiledClasses();
    std::unordered_map<std::string, AcRxClass*> map;
    for (const auto& [name, entry] : acrxClassDictionary()->entries()) {
        auto* cls = dynamic_cast<AcRxClass*>(entry);
        if (!cls || cls->dxfName().empty() || !cls->isDerivedFrom(AcDbEntity::desc())) continue;
        std::string key = cls->dxfName();
        for (char& ch : key) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        map.emplace(key, cls);
    }
    return map;
}

AcDbObject* createObjectOfClass(const AcRxClass* cls) {
    if (!cls) return nullptr;
    AcRxObject* made = cls->create();
    if (!made) return nullptr;
    // The class tree answers without a dynamic cast (one per entity read).
    AcDbObject* object = AcDbObject::cast(made);
    if (!object) delete made;
    return object;
}

AcDbFileProxyEntity* replaceWithProxy(AcDbObject* object, const FiledClass& original) {
    auto* proxy = new AcDbFileProxyEntity();
    AcDbFileProxyEntity::OriginalClass o{original.className, original.dxfName, original.appName,
                                         original.proxyFlags};
    proxy->setOriginalClass(std::move(o));
    AcDbStub* stub = object->stub();
    proxy->setStub(stub);
    proxy->setOpenState(AcDbObject::kOpenWrite);
    stub->object = proxy;
    object->setStub(nullptr);
    delete object;
    return proxy;
}

}  // namespace orv::io
