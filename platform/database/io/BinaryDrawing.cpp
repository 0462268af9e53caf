// Writing and reading the binary drawing format. Every count and length is
// checked against the bytes left before it is used, and the checksum is
// verified first, so damaged files fail cleanly.
#include "database/io/BinaryDrawing.h"

#include <cstring>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "database/dbclasses.h"
#include "database/dbopen.h"
#include "database/dbstub.h"
#include "database/io/ByteBuffer.h"
#include "database/io/CarriedObjects.h"
#include "database/io/DrawingObjects.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/io/DxfEntityClass.h"
#include "database/io/FileProxyEntity.h"
#include "geometry/AcGeLimits.h"

namespace orv::io {

namespace {

uint64_t checksum(std::string_view bytes) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a, 64 bit
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

void writeHeaderVar(ByteWriter& w, const std::string& name, const AcDbHeaderValue& v) {
    w.str(name);
    w.u16(static_cast<uint16_t>(v.type));
    w.f64(v.real);
    for (double c : v.point) w.f64(c);
    w.u32(static_cast<uint32_t>(v.integer));
    w.str(v.text);
    w.u16(static_cast<uint16_t>(v.code));
}

// What a DXF file held that the database does not model (version 2 on).
void writeCarried(ByteWriter& w, const AcDbCarriedDxf& c) {
    for (const AcDbCarriedDxf::Named* named : {&c.classes, &c.tables}) {
        w.u32(static_cast<uint32_t>(named->size()));
        for (const auto& [name, text] : *named) {
            w.str(name);
            w.str(text);
        }
    }
    w.str(c.objects);
    w.u32(static_cast<uint32_t>(c.blocks.size()));
    for (const auto& [handle, markers] : c.blocks) {
        w.u64(handle);
        w.str(markers.name);
        w.str(markers.begin);
        w.str(markers.end);
    }
    w.str(c.acadVersion);
}

bool readCarried(ByteReader& in, AcDbCarriedDxf& c) {
    for (AcDbCarriedDxf::Named* named : {&c.classes, &c.tables}) {
        const uint32_t n = in.u32();
        if (!in.ok() || uint64_t(n) * 8 > in.remaining()) return false;
        for (uint32_t i = 0; i < n && in.ok(); ++i) {
            std::string name = in.str();
            named->emplace_back(std::move(name), in.str());
        }
    }
    c.objects = in.str();
    const uint32_t nBlocks = in.u32();
    if (!in.ok() || uint64_t(nBlocks) * 20 > in.remaining()) return false;
    for (uint32_t i = 0; i < nBlocks && in.ok(); ++i) {
        auto& markers = c.blocks[in.u64()];
        markers.name = in.str();
        markers.begin = in.str();
        markers.end = in.str();
    }
    c.acadVersion = in.str();
    return in.ok();
}

}  // namespace

void resealBinaryDrawing(std::string& bytes) {
    if (bytes.size() < 8) return;
    const uint64_t sum = checksum(std::string_view(bytes).substr(0, bytes.size() - 8));
    std::memcpy(bytes.data() + bytes.size() - 8, &sum, 8);
}

bool writeBinaryDrawing(AcDbDatabase* db, std::string& bytes, std::string& message) {
    ByteWriter w;
    w.reserve(db->numIds() * 160);
    w.bytes(kBinaryDrawingMagic, sizeof kBinaryDrawingMagic);
    w.u32(kBinaryDrawingVersion);
    w.u64(db->handseed().value());

    const auto& vars = db->headerVars();
    w.u32(static_cast<uint32_t>(vars.size()));
    for (const auto& [name, value] : vars) writeHeaderVar(w, name, value);

    // Objects first into their own buffer, collecting classes and handles.
    std::vector<FiledClass> classes;
    std::unordered_map<std::string, uint32_t> classIndex;
    std::vector<uint64_t> handles;
    ByteWriter objects;
    objects.reserve(db->numIds() * 150);
    AcDbDwgMemoryFiler filer(AcDb::kFileFiler, db);
    bool failed = false;
    forEachSavedObject(db, [&](AcDbObject* object) {
        if (failed) return;
        FiledClass fc = filedClassOf(object);
        std::string key = fc.className;
        if (fc.dxfTags) key += "\n";
        if (fc.dataFormat) key += "\n" + std::to_string(fc.dataFormat);
        auto [it, added] = classIndex.emplace(std::move(key), static_cast<uint32_t>(classes.size()));
        if (added) classes.push_back(fc);
        filer = AcDbDwgMemoryFiler(AcDb::kFileFiler, db);
        Acad::ErrorStatus es = object->dwgOut(&filer);
        if (es != Acad::eOk) {
            message = "cannot write object " + object->objectHandle().asString() + " (" + fc.className +
                      "): " + Acad::errorStatusText(es);
            failed = true;
            return;
        }
        handles.push_back(object->objectHandle().value());
        objects.u32(it->second);
        objects.str(filer.data());
    });
    if (failed) return false;

    w.u32(static_cast<uint32_t>(classes.size()));
    for (const FiledClass& c : classes) {
        w.str(c.className);
        w.str(c.dxfName);
        w.str(c.appName);
        w.u32(static_cast<uint32_t>(c.proxyFlags));
        w.u8((c.isEntity ? 1 : 0) | (c.dxfTags ? 2 : 0) | (c.dataFormat ? 4 : 0));
        if (c.dataFormat) w.u32(c.dataFormat);
    }
    w.u32(static_cast<uint32_t>(handles.size()));
    for (uint64_t h : handles) w.u64(h);
    w.bytes(objects.data().data(), objects.size());
    for (AcDbObjectId id : {db->blockTableId(), db->layerTableId(), db->textStyleTableId(), db->linetypeTableId(),
                            db->regAppTableId()})
        w.u64(id.isNull() ? 0 : id.handle().value());
    writeCarried(w, db->carriedDxf());
    w.u64(checksum(w.data()));
    bytes = std::move(w.data());
    return true;
}

namespace {

struct Reader {
    AcDbDatabase* db;
    ByteReader in;
    std::string& message;

    Acad::ErrorStatus fail(const std::string& what) {
        message = what;
        return Acad::eBadDwgHeader;
    }
    // A count that claims more items than the bytes left could hold.
    bool plausible(uint32_t count, size_t minItemSize) const {
        return in.ok() && static_cast<uint64_t>(count) * minItemSize <= in.remaining();
    }
};

// The database's table lookups rely on each table handle naming a table of
// its kind and on each table listing only records of its kind: a crafted
// file could point them anywhere. Answers why not, or "".
template <class Resolve>
std::string tablesOfTheirClasses(const uint64_t (&tables)[5], Resolve idOf) {
    struct Kind {
        const char* what;
        AcRxClass* table;
        AcRxClass* record;
    };
    const Kind kinds[5] = {{"block", AcDbBlockTable::desc(), AcDbBlockTableRecord::desc()},
                           {"layer", AcDbLayerTable::desc(), AcDbLayerTableRecord::desc()},
                           {"text style", AcDbTextStyleTable::desc(), AcDbTextStyleTableRecord::desc()},
                           {"linetype", AcDbLinetypeTable::desc(), AcDbLinetypeTableRecord::desc()},
                           {"registered application", AcDbRegAppTable::desc(), AcDbRegAppTableRecord::desc()}};
    std::unordered_set<AcDbStub*> listed;  // a record belongs to one table, once
    for (int i = 0; i < 5; ++i) {
        AcDbObjectId id = idOf(tables[i]);
        if (id.isNull()) continue;  // a missing table is reported later where it matters
        const std::string where = "the " + std::string(kinds[i].what) + " table (handle " +
                                  AcDbHandle(tables[i]).asString() + ")";
        AcDbSymbolTable* table = nullptr;
        if (acdbOpenObject(table, id, AcDb::kForRead) != Acad::eOk || !table->isKindOf(kinds[i].table)) {
            if (table) table->close();
            return where + " is not a " + kinds[i].what + " table";
        }
        std::vector<AcDbObjectId> records = table->recordIds(true);
        table->close();
        for (AcDbObjectId record : records) {
            AcDbStub* stub = record.stub();
            if (!stub || !stub->object || !stub->object->isKindOf(kinds[i].record))
                return where + " lists an object that is not one of its records";
            if (!listed.insert(stub).second)
                return where + " lists record " + record.handle().asString() + ", which is listed already";
        }
    }
    return {};
}

// Every entity belongs to one block, once: the writers walk the blocks'
// lists, so an entity listed twice would be written twice under one handle,
// and an object that is not an entity would be written as one. Answers why
// a block's list is damaged, or "".
std::string blocksListEachEntityOnce(AcDbDatabase* db) {
    AcDbBlockTable* blocks = nullptr;
    if (acdbOpenObject(blocks, db->blockTableId(), AcDb::kForRead) != Acad::eOk) return {};
    const std::vector<AcDbObjectId> records = blocks->recordIds(true);
    blocks->close();
    std::unordered_set<AcDbStub*> listed;
    for (AcDbObjectId recordId : records) {
        AcDbBlockTableRecord* record = nullptr;
        if (acdbOpenObject(record, recordId, AcDb::kForRead) != Acad::eOk) continue;
        const std::vector<AcDbObjectId> entities = record->entityIds(true);
        record->close();
        for (AcDbObjectId id : entities) {
            AcDbStub* stub = id.stub();
            const std::string which = "block record " + recordId.handle().asString() + " lists ";
            if (!stub || !stub->object || !stub->object->isKindOf(AcDbEntity::desc()))
                return which + "an object that is not an entity (handle " + id.handle().asString() + ")";
            if (!listed.insert(stub).second)
                return which + "entity " + id.handle().asString() + ", which is listed already";
        }
    }
    return {};
}

}  // namespace

Acad::ErrorStatus readBinaryDrawing(AcDbDatabase* db, std::string_view bytes, std::string& message) {
    if (bytes.size() >= 4 && bytes.substr(0, 4) == "AC10") {
        message = "this is a DWG file of another program, which cannot be read; save it as DXF there";
        return Acad::eBadDwgHeader;
    }
    if (bytes.size() < sizeof kBinaryDrawingMagic + 4 + 8 + 8 ||
        std::memcmp(bytes.data(), kBinaryDrawingMagic, sizeof kBinaryDrawingMagic) != 0) {
        message = "not a drawing file (unknown header)";
        return Acad::eBadDwgHeader;
    }
    const std::string_view body = bytes.substr(0, bytes.size() - 8);
    uint64_t stored = 0;
    std::memcpy(&stored, bytes.data() + body.size(), 8);
    Reader r{db, ByteReader(body), message};
    r.in.take(sizeof kBinaryDrawingMagic);
    const uint32_t version = r.in.u32();
    if (version > kBinaryDrawingVersion) {
        message = "the drawing was saved by a newer version (format " + std::to_string(version) + ")";
        return Acad::eBadDwgHeader;
    }
    if (stored != checksum(body)) {
        message = "the drawing file is damaged (checksum mismatch) or incomplete";
        return Acad::eDwgNeedsRecovery;
    }
    const uint64_t handseed = r.in.u64();

    // Header variables.
    uint32_t nVars = r.in.u32();
    if (!r.plausible(nVars, 46)) return r.fail("damaged header variables");
    std::vector<std::pair<std::string, AcDbHeaderValue>> vars;
    for (uint32_t i = 0; i < nVars && r.in.ok(); ++i) {
        std::string name = r.in.str();
        AcDbHeaderValue v;
        v.type = static_cast<short>(r.in.u16());
        v.real = r.in.f64();
        for (double& c : v.point) c = r.in.f64();
        v.integer = static_cast<int32_t>(r.in.u32());
        v.text = r.in.str();
        if (version >= 2) v.code = static_cast<short>(r.in.u16());
        bool usable = acgeIsUsableNumber(v.real);
        for (double c : v.point) usable = usable && acgeIsUsableNumber(c);
        if (r.in.ok() && !usable)
            return r.fail("header variable " + name + " holds a number that is not finite or beyond ±1e100");
        vars.emplace_back(std::move(name), std::move(v));
    }

    // Classes (the standard ones are registered on first use).
    registerFiledClasses();
    uint32_t nClasses = r.in.u32();
    if (!r.plausible(nClasses, 17)) return r.fail("damaged class table");
    std::vector<FiledClass> classes(nClasses);
    std::vector<AcRxClass*> runtime(nClasses, nullptr);
    for (uint32_t i = 0; i < nClasses && r.in.ok(); ++i) {
        FiledClass& c = classes[i];
        c.className = r.in.str();
        c.dxfName = r.in.str();
        c.appName = r.in.str();
        c.proxyFlags = static_cast<int>(r.in.u32());
        const uint8_t flags = r.in.u8();
        c.isEntity = (flags & 1) != 0;
        c.dxfTags = (flags & 2) != 0;
        if (flags & 4) {
            c.dataFormat = r.in.u32();
            if (r.in.ok() && (c.dataFormat == 0 || c.dataFormat > version))
                return r.fail("damaged class table: class " + c.className + " filed in format " +
                              std::to_string(c.dataFormat));
        }
        if (!c.dxfTags) runtime[i] = dynamic_cast<AcRxClass*>(acrxClassDictionary()->at(c.className));
        // An unknown class kept as a proxy is written back under its DXF
        // name; a name that a known class owns would then be read as that
        // class from data it never filed, so such a table is damaged.
        if (r.in.ok() && !c.dxfTags && runtime[i] == nullptr) {
            if (const AcRxClass* owner = classForDxfName(c.dxfName))
                return r.fail("damaged class table: the unknown class " + c.className + " takes the DXF name " +
                              c.dxfName + " of " + owner->name());
        }
    }

    // Handle index: every object of the file gets its id up front, so
    // references to later objects resolve, and references to objects that
    // are not in the file read as dangling.
    uint32_t nObjects = r.in.u32();
    if (!r.plausible(nObjects, 8 + 8)) return r.fail("damaged object index");
    std::unordered_map<uint64_t, AcDbObjectId> ids;
    ids.reserve(nObjects);
    std::vector<uint64_t> handles(nObjects);
    for (uint32_t i = 0; i < nObjects; ++i) {
        handles[i] = r.in.u64();
        AcDbObjectId id;
        if (handles[i] == 0 || db->getAcDbObjectId(id, true, AcDbHandle(handles[i])) != Acad::eOk ||
            !ids.emplace(handles[i], id).second)
            return r.fail("damaged object index (handle " + AcDbHandle(handles[i]).asString() + ")");
    }
    AcDbHandleResolver resolve = [&ids](AcDbHandle h) {
        auto it = ids.find(h.value());
        return it == ids.end() ? AcDbObjectId() : it->second;
    };

    std::optional<std::unordered_map<std::string, AcRxClass*>> byDxfName;  // made when first needed
    for (uint32_t i = 0; i < nObjects; ++i) {
        const uint32_t classNo = r.in.u32();
        const uint32_t length = r.in.u32();
        std::string_view data = r.in.take(length);
        if (!r.in.ok() || classNo >= nClasses) return r.fail("damaged object record " + std::to_string(i));
        const FiledClass& fc = classes[classNo];
        uint64_t handle = 0;
        if (data.size() >= 8) std::memcpy(&handle, data.data(), 8);
        if (handle != handles[i]) return r.fail("object record " + std::to_string(i) + " does not match the index");

        AcDbObject* object = createObjectOfClass(runtime[classNo]);
        bool asProxy = object == nullptr;
        if (asProxy && !fc.isEntity) {
            return r.fail("object " + AcDbHandle(handle).asString() + " is of the unknown class " + fc.className +
                          ", which is not an entity");
        }
        if (asProxy) object = new AcDbFileProxyEntity();  // given its class below
        AcDbObjectId id;
        Acad::ErrorStatus es = db->addAcDbObject(id, object, AcDbHandle(handle));
        if (es != Acad::eOk) {
            delete object;
            return r.fail("cannot place object " + AcDbHandle(handle).asString() + ": " + Acad::errorStatusText(es));
        }
        if (asProxy) {
            auto* proxy = static_cast<AcDbFileProxyEntity*>(object);
            proxy->setOriginalClass({fc.className, fc.dxfName, fc.appName, fc.proxyFlags});
            proxy->setKeepsDxfTags(fc.dxfTags);
        }
        AcDbDwgMemoryFiler filer(data, resolve, AcDb::kFileFiler, db);
        const uint32_t dataFormat = fc.dataFormat ? fc.dataFormat : version;
        filer.setFormatVersion(dataFormat);
        es = object->dwgIn(&filer);
        bool badNumber = false;
        if (es == Acad::eMakeMeProxy) {
            object = replaceWithProxy(object, fc);
            AcDbDwgMemoryFiler again(data, resolve, AcDb::kFileFiler, db);
            again.setFormatVersion(dataFormat);
            es = object->dwgIn(&again);
            badNumber = again.readBadNumber();
        } else {
            badNumber = filer.readBadNumber();
        }
        // Tags kept under a standard entity's DXF name go back to DXF as
        // that entity: they must be what the DXF reader reads it from.
        std::string unreadable;
        if (es == Acad::eOk && fc.dxfTags) {
            if (auto* proxy = AcDbFileProxyEntity::cast(object)) {
                if (!byDxfName) byDxfName = classesByDxfName();
                unreadable = whyKeptTagsDoNotReadBack(*proxy, resolve, *byDxfName);
            }
        }
        object->close();
        if (!unreadable.empty())
            return r.fail("object " + AcDbHandle(handle).asString() + " keeps DXF data of a " + fc.dxfName +
                          " that a " + fc.dxfName + " cannot be read from: " + unreadable);
        if (es != Acad::eOk && es != Acad::eNullHandle) {
            message = "cannot read object " + AcDbHandle(handle).asString() + " (" + fc.className +
                      "): " + (badNumber ? "a number in it is not finite or beyond ±1e100" : Acad::errorStatusText(es));
            return es == Acad::eEndOfFile ? Acad::eDwgObjectImproperlyRead : es;
        }
    }

    uint64_t tables[5];
    for (uint64_t& t : tables) t = r.in.u64();
    if (!r.in.ok()) return r.fail("damaged table section");
    AcDbCarriedDxf carried;
    if (version >= 2 && !readCarried(r.in, carried)) return r.fail("damaged section of data kept from DXF");
    if (!r.in.atEnd()) return r.fail("damaged table section");
    auto idOf = [&](uint64_t h) { return resolve(AcDbHandle(h)); };
    if (std::string why = tablesOfTheirClasses(tables, idOf); !why.empty()) return r.fail(why);
    db->setTableIds(idOf(tables[0]), idOf(tables[1]), idOf(tables[2]), idOf(tables[3]), idOf(tables[4]));
    if (db->blockTableId().isNull() || db->layerTableId().isNull())
        return r.fail("the drawing has no block or layer table");
    reindexTables(db);
    if (db->modelSpaceId().isNull()) return r.fail("the drawing has no model space");
    if (std::string why = blocksListEachEntityOnce(db); !why.empty()) return r.fail(why);
    for (auto& [name, value] : vars) db->setHeaderVar(name, value);
    db->carriedDxf() = std::move(carried);
    db->setHandseed(AcDbHandle(handseed));
    if (db->addMissingSymbolTables() != Acad::eOk) return r.fail("cannot make a missing symbol table");
    // Older drawings kept the OBJECTS data as one text.
    std::string why;
    if (!adoptCarriedObjectText(db, why)) return r.fail("damaged OBJECTS data: " + why);
    return Acad::eOk;
}

}  // namespace orv::io
