// The drawing database: object registration, tables, header variables and
// the working database.
#include "database/dbdatabase.h"

#include <strings.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "database/dbclasses.h"
#include "database/dbclone.h"
#include "database/dbentity.h"
#include "database/dbentityfiling.h"

namespace {
AcDbDatabase::ReadHook gReadDwg = nullptr;
AcDbDatabase::WriteHook gWriteDwg = nullptr;
AcDbDatabase::ReadHook gReadDxf = nullptr;
AcDbDatabase::WriteHook gWriteDxf = nullptr;

template <class Table>
AcDbObjectId addTable(AcDbDatabase* db, AcDbObjectId owner) {
    AcDbObjectId id;
    auto* table = new Table;
    db->addAcDbObject(id, table);
    table->setOwnerId(owner);
    table->close();
    return id;
}

template <class Record>
AcDbObjectId addRecord(AcDbObjectId tableId, const char* name) {
    AcDbSymbolTable* table = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(table, tableId, AcDb::kForWrite) != Acad::eOk) return id;
    auto* record = new Record;
    record->setName(name);
    if (table->add(id, record) == Acad::eOk) record->close();
    else delete record;
    table->close();
    return id;
}

template <class Table>
Acad::ErrorStatus openTable(AcDbObjectId id, Table*& table, AcDb::OpenMode mode) {
    table = nullptr;
    return acdbOpenObject(table, id, mode);
}
} // namespace

AcDbDatabase::AcDbDatabase(bool buildDefault, bool) {
    AcDbHeaderValue scale;
    scale.type = RTREAL;
    scale.real = 1.0;
    mHeader["DIMSCALE"] = scale;
    if (buildDefault) buildDefaultDrawing();
}

AcDbDatabase::~AcDbDatabase() {
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    if (services->workingDatabase() == this) services->setWorkingDatabase(nullptr);
    clear();
}

void AcDbDatabase::clear() {
    for (size_t i = 0; i < mStubs.size(); ++i) {
        AcDbStub& stub = mStubs.at(i);
        delete stub.object;
        stub.object = nullptr;
        stub.database = nullptr;
    }
    mByHandle.clear();
    mCarried.clear();
    mWriteJournal.clear(); // its objects are gone
    mBlockTable = mLayerTable = mTextStyleTable = mLinetypeTable = mRegAppTable = mClayer = AcDbObjectId();
}

std::vector<AcDbObjectId> AcDbDatabase::takeWriteJournal() {
    mJournalKept = true;
    std::vector<AcDbObjectId> ids;
    ids.reserve(mWriteJournal.size());
    for (AcDbStub* stub : mWriteJournal) {
        if (stub->object) stub->object->setInWriteJournal(false);
        ids.emplace_back(stub);
    }
    mWriteJournal.clear();
    return ids;
}

void AcDbDatabase::noteOpenedForWrite(AcDbStub* stub) {
    if (!mJournalKept || !stub || !stub->object || stub->object->inWriteJournal()) return;
    stub->object->setInWriteJournal(true);
    mWriteJournal.push_back(stub);
}

void AcDbDatabase::buildDefaultDrawing() {
    mBlockTable = addTable<AcDbBlockTable>(this, {});
    mLayerTable = addTable<AcDbLayerTable>(this, {});
    mTextStyleTable = addTable<AcDbTextStyleTable>(this, {});
    mLinetypeTable = addTable<AcDbLinetypeTable>(this, {});
    mRegAppTable = addTable<AcDbRegAppTable>(this, {});
    addRecord<AcDbLinetypeTableRecord>(mLinetypeTable, "ByBlock");
    addRecord<AcDbLinetypeTableRecord>(mLinetypeTable, "ByLayer");
    AcDbObjectId continuous = addRecord<AcDbLinetypeTableRecord>(mLinetypeTable, "Continuous");
    AcDbObjectId zero = addRecord<AcDbLayerTableRecord>(mLayerTable, "0");
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, zero, AcDb::kForWrite) == Acad::eOk) {
        layer->setLinetypeObjectId(continuous);
        layer->close();
    }
    addRecord<AcDbTextStyleTableRecord>(mTextStyleTable, "Standard");
    addRecord<AcDbRegAppTableRecord>(mRegAppTable, "ACAD");
    addRecord<AcDbBlockTableRecord>(mBlockTable, ACDB_MODEL_SPACE);
    addRecord<AcDbBlockTableRecord>(mBlockTable, ACDB_PAPER_SPACE);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object) {
    while (mByHandle.contains(mHandseed.value())) ++mHandseed;
    Acad::ErrorStatus es = addAcDbObject(id, object, mHandseed);
    if (es == Acad::eOk) ++mHandseed;
    return es;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object, AcDbHandle handle) {
    id.setNull();
    if (!object) return Acad::eNullObjectPointer;
    if (!object->isNewObject()) return Acad::eAlreadyInDb;
    if (handle.isNull()) return Acad::eNullHandle;
    AcDbStub* slot = mByHandle.find(handle.value());
    if (slot && slot->object) return Acad::eHandleExists;
    if (!slot) slot = newStub(handle);
    slot->object = object;
    object->setStub(slot);
    object->setOpenState(AcDbObject::kOpenWrite);
    if (handle.value() >= mHandseed.value()) mHandseed = handle.value() + 1;
    id = AcDbObjectId(slot);
    return Acad::eOk;
}

AcDbStub* AcDbDatabase::newStub(AcDbHandle handle) {
    AcDbStub* stub = mStubs.allocate();
    stub->handle = handle.value();
    stub->database = this;
    mByHandle.insert(mStubs.size() - 1);
    return stub;
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool create, AcDbHandle handle) {
    id.setNull();
    if (handle.isNull()) return Acad::eNullHandle;
    AcDbStub* stub = mByHandle.find(handle.value());
    if (!stub && !create) return Acad::eUnknownHandle;
    id = AcDbObjectId(stub ? stub : newStub(handle));
    return Acad::eOk;
}

void AcDbDatabase::setTableIds(AcDbObjectId blocks, AcDbObjectId layers, AcDbObjectId styles, AcDbObjectId linetypes,
                               AcDbObjectId regApps) {
    mBlockTable = blocks;
    mLayerTable = layers;
    mTextStyleTable = styles;
    mLinetypeTable = linetypes;
    mRegAppTable = regApps;
}

Acad::ErrorStatus AcDbDatabase::addMissingSymbolTables() {
    AcDbObjectId* const ids[3] = {&mTextStyleTable, &mLinetypeTable, &mRegAppTable};
    for (int i = 0; i < 3; ++i) {
        if (!ids[i]->isNull()) continue;
        AcDbSymbolTable* table = i == 0   ? static_cast<AcDbSymbolTable*>(new AcDbTextStyleTable())
                                 : i == 1 ? static_cast<AcDbSymbolTable*>(new AcDbLinetypeTable())
                                          : static_cast<AcDbSymbolTable*>(new AcDbRegAppTable());
        if (Acad::ErrorStatus es = addAcDbObject(*ids[i], table); es != Acad::eOk) {
            delete table;
            return es;
        }
        table->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode m) const { return openTable(mBlockTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode m) const { return openTable(mLayerTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& t, AcDb::OpenMode m) const { return openTable(mTextStyleTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& t, AcDb::OpenMode m) const { return openTable(mLinetypeTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& t, AcDb::OpenMode m) const { return openTable(mRegAppTable, t, m); }

// Looks a name up without disturbing an opening the caller may hold.
AcDbObjectId AcDbDatabase::lookup(AcDbObjectId tableId, const std::string& name) const {
    AcDbStub* stub = tableId.stub();
    if (!stub || !stub->object) return {};
    auto* table = AcDbSymbolTable::cast(stub->object);
    if (!table) return {};
    const int state = table->openState();
    if (state == AcDbObject::kClosed) table->setOpenState(AcDbObject::kOpenRead);
    AcDbObjectId id;
    table->getAt(name, id);
    if (state == AcDbObject::kClosed) table->setOpenState(AcDbObject::kClosed);
    return id;
}

AcDbObjectId AcDbDatabase::layerId(const std::string& name) const { return lookup(mLayerTable, name); }
AcDbObjectId AcDbDatabase::linetypeId(const std::string& name) const { return lookup(mLinetypeTable, name); }
AcDbObjectId AcDbDatabase::textStyleId(const std::string& name) const { return lookup(mTextStyleTable, name); }
AcDbObjectId AcDbDatabase::blockId(const std::string& name) const { return lookup(mBlockTable, name); }
AcDbObjectId AcDbDatabase::modelSpaceId() const { return blockId(ACDB_MODEL_SPACE); }
AcDbObjectId AcDbDatabase::paperSpaceId() const { return blockId(ACDB_PAPER_SPACE); }
AcDbObjectId AcDbDatabase::layerZero() const { return layerId("0"); }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return linetypeId("Continuous"); }
AcDbObjectId AcDbDatabase::byLayerLinetype() const { return linetypeId("ByLayer"); }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return linetypeId("ByBlock"); }
AcDbObjectId AcDbDatabase::textstyle() const { return textStyleId("Standard"); }

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layer) {
    if (layer.database() != this || !layer.isValid()) return Acad::eInvalidLayer;
    mClayer = layer;
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::registerApp(const char* name) {
    if (!name || !*name) return {};
    AcDbObjectId id = lookup(mRegAppTable, name);
    if (id.isNull()) {
        AcDbStub* stub = mRegAppTable.stub();
        // The table may be open already (e.g. by a caller adding records).
        if (stub && stub->object && stub->object->openState() != AcDbObject::kClosed) return {};
        id = addRecord<AcDbRegAppTableRecord>(mRegAppTable, name);
    }
    return id;
}

double AcDbDatabase::dimscale() const {
    auto it = mHeader.find("DIMSCALE");
    return it == mHeader.end() ? 1.0 : it->second.real;
}

Acad::ErrorStatus AcDbDatabase::setDimscale(double scale) {
    if (!(scale >= 0.0)) return Acad::eInvalidInput;
    mHeader["DIMSCALE"].type = RTREAL;
    mHeader["DIMSCALE"].real = scale;
    return Acad::eOk;
}

namespace {
AcGeVector3d headerVector(const std::map<std::string, AcDbHeaderValue>& header, const char* name,
                          const AcGeVector3d& fallback) {
    auto it = header.find(name);
    if (it == header.end() || it->second.type != RT3DPOINT) return fallback;
    const double* p = it->second.point;
    return AcGeVector3d(p[0], p[1], p[2]);
}
} // namespace

AcGeVector3d AcDbDatabase::ucsxdir() const { return headerVector(mHeader, "UCSXDIR", AcGeVector3d::kXAxis); }
AcGeVector3d AcDbDatabase::ucsydir() const { return headerVector(mHeader, "UCSYDIR", AcGeVector3d::kYAxis); }

bool AcDbDatabase::getHeaderVar(const std::string& name, AcDbHeaderValue& value) const {
    std::string key = name;
    for (char& c : key) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    auto it = mHeader.find(key);
    if (it == mHeader.end()) return false;
    value = it->second;
    return true;
}

Acad::ErrorStatus AcDbDatabase::setHeaderVar(const std::string& name, const AcDbHeaderValue& value) {
    std::string key = name;
    for (char& c : key) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (key.empty()) return Acad::eInvalidInput;
    if (key == "DIMSCALE") return value.type == RTREAL ? setDimscale(value.real) : Acad::eInvalidInput;
    mHeader[key] = value;
    return Acad::eOk;
}

void AcDbDatabase::setFileHooks(ReadHook readDwg, WriteHook writeDwg, ReadHook readDxf, WriteHook writeDxf) {
    gReadDwg = readDwg;
    gWriteDwg = writeDwg;
    gReadDxf = readDxf;
    gWriteDxf = writeDxf;
}

Acad::ErrorStatus AcDbDatabase::readDwgFile(const char* path, int, bool) {
    if (!path) return Acad::eInvalidInput;
    if (!gReadDwg) return Acad::eNotImplementedYet;
    Acad::ErrorStatus es = gReadDwg(this, path);
    if (es == Acad::eOk) mFileName = path;
    return es;
}
Acad::ErrorStatus AcDbDatabase::saveAs(const char* path) {
    if (!path) return Acad::eInvalidInput;
    return gWriteDwg ? gWriteDwg(this, path) : Acad::eNotImplementedYet;
}
Acad::ErrorStatus AcDbDatabase::dxfIn(const char* path) {
    if (!path) return Acad::eInvalidInput;
    return gReadDxf ? gReadDxf(this, path) : Acad::eNotImplementedYet;
}
Acad::ErrorStatus AcDbDatabase::dxfOut(const char* path) {
    if (!path) return Acad::eInvalidInput;
    return gWriteDxf ? gWriteDxf(this, path) : Acad::eNotImplementedYet;
}

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    static const bool sysVars = (acdbRegisterSysVars(), true);
    (void)sysVars;
    return &services;
}

// Copies the source's model space entities into a new block. References to
// layers, linetypes and text styles are matched by name (created here when
// missing); references to blocks by name (null when missing).
Acad::ErrorStatus AcDbDatabase::insert(AcDbObjectId& blockId, const char* blockName, AcDbDatabase* source, bool) {
    blockId.setNull();
    if (!blockName || !*blockName || !source) return Acad::eInvalidInput;
    if (source == this) return Acad::eSelfReference;
    if (!this->blockId(blockName).isNull()) return Acad::eDuplicateRecordName;
    std::vector<AcDbObjectId> sourceIds;
    {
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, source->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return Acad::eNotInDatabase;
        sourceIds = space->entityIds();
        space->close();
    }
    AcDbBlockTable* blocks = nullptr;
    Acad::ErrorStatus es = getBlockTable(blocks, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    auto* record = new AcDbBlockTableRecord;
    record->setName(blockName);
    es = blocks->add(blockId, record);
    blocks->close();
    if (es != Acad::eOk) {
        delete record;
        return es;
    }
    auto byName = [&](AcDbObjectId src) -> AcDbObjectId {
        AcDbStub* stub = src.stub();
        if (!stub || !stub->object) return {};
        const AcDbObject* object = stub->object;
        const std::string name = AcDbEntityFiling::recordName(src);
        if (name.empty()) return {};
        if (AcDbLayerTableRecord::cast(object)) {
            AcDbObjectId id = layerId(name);
            return id.isNull() ? addRecord<AcDbLayerTableRecord>(mLayerTable, name.c_str()) : id;
        }
        if (AcDbLinetypeTableRecord::cast(object)) {
            AcDbObjectId id = linetypeId(name);
            return id.isNull() ? addRecord<AcDbLinetypeTableRecord>(mLinetypeTable, name.c_str()) : id;
        }
        if (AcDbTextStyleTableRecord::cast(object)) {
            AcDbObjectId id = textStyleId(name);
            return id.isNull() ? addRecord<AcDbTextStyleTableRecord>(mTextStyleTable, name.c_str()) : id;
        }
        if (AcDbBlockTableRecord::cast(object)) return this->blockId(name);
        return {};
    };
    for (AcDbObjectId id : sourceIds) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbEntity* copy = acdbCloneEntity(entity, this, byName);
        entity->close();
        if (!copy) continue;
        if (record->appendAcDbEntity(copy) == Acad::eOk) copy->close();
        else delete copy;
    }
    record->close();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHostApplicationServices::findFile(std::string& found, const char* name, AcDbDatabase* db) const {
    found.clear();
    if (!name || !*name) return Acad::eInvalidInput;
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> candidates{fs::path(name)};
    if (!db) db = mWorking;
    if (db && !db->filename().empty()) candidates.push_back(fs::path(db->filename()).parent_path() / name);
    if (const char* support = std::getenv("ORVANE_SUPPORT")) {
        std::string dirs = support;
        size_t start = 0;
        while (start <= dirs.size()) {
            size_t end = dirs.find(':', start);
            if (end == std::string::npos) end = dirs.size();
            if (end > start) candidates.push_back(fs::path(dirs.substr(start, end - start)) / name);
            start = end + 1;
        }
    }
    for (const fs::path& p : candidates)
        if (fs::is_regular_file(p, ec)) {
            found = p.string();
            return Acad::eOk;
        }
    return Acad::eFileNotFound;
}
