// Reads ASCII DXF into a database: the file is split into objects at each
// group 0, every object the database models is created under its handle,
// entities are appended to their blocks, unknown entity types are kept as
// proxies with their tags.
#include <algorithm>
#include <optional>
#include <cstring>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "database/dbdictionary.h"
#include "database/dbattribute.h"
#include "database/dbopen.h"
#include "database/dbsequence.h"
#include "database/dbsymtab.h"
#include "database/dxfcode.h"
#include "database/io/AsciiDxfFiler.h"
#include "database/io/CarriedObjects.h"
#include "database/io/DrawingObjects.h"
#include "database/io/DxfDrawing.h"
#include "database/io/DxfEncoding.h"
#include "database/io/DxfEntityClass.h"
#include "database/io/DxfTags.h"
#include "database/io/FileErrorText.h"
#include "database/io/FileProxyEntity.h"

namespace orv::io {

namespace {

enum class Section { None, Header, Classes, Tables, Blocks, Entities, Objects, Other };

// One object of the file: its "0 TYPE" tag and the tags up to the next 0.
struct FileObject {
    Section section = Section::None;
    std::string_view type;
    size_t begin = 0;  // first tag after "0 TYPE"
    size_t end = 0;
    uint64_t handle = 0;
};

class DxfDrawingReader {
public:
    DxfDrawingReader(AcDbDatabase* db, std::string& message) : mDb(db), mMessage(message) {}
    ~DxfDrawingReader() { closeOpenObjects(); }
    DxfDrawingReader(const DxfDrawingReader&) = delete;
    DxfDrawingReader& operator=(const DxfDrawingReader&) = delete;
    Acad::ErrorStatus read(std::string_view text);

private:
    Acad::ErrorStatus fail(Acad::ErrorStatus es, const std::string& what, size_t tag);
    Acad::ErrorStatus split();
    Acad::ErrorStatus readHeader(const FileObject& o);
    void readClass(const FileObject& o);
    Acad::ErrorStatus readTableObject(const FileObject& o);
    Acad::ErrorStatus readEntity(const FileObject& o, AcDbObjectId blockId);
    Acad::ErrorStatus readCarriedObject(const FileObject& o);
    // The class an entity of this type is made of where it stands (in or
    // out of a sequence); nullptr keeps it a proxy.
    AcRxClass* entityClass(const std::string& type, const FileObject& o);
    // owner: the entity just read when its own entities follow it (still open).
    Acad::ErrorStatus attachToSequence(const std::string& type, AcDbObjectId id, const FileObject& o,
                                       AcDbSequenceOwner* owner);
    // Fails when the entities of a polyline or insert do not end with SEQEND.
    Acad::ErrorStatus closeSequence(size_t tag);
    Acad::ErrorStatus placeObject(AcDbObject* object, const FileObject& o, AcDbObjectId& id);
    Acad::ErrorStatus fileIn(AcDbObject*& object, const FileObject& o, const FiledClass* original);
    std::span<const DxfTag> tagsOf(const FileObject& o) const { return {mTags.data() + o.begin, o.end - o.begin}; }
    AcDbObjectId resolve(AcDbHandle h);
    AcDbBlockTableRecord* openBlock(AcDbObjectId id);
    // The object as the owner of a sequence, or nullptr. Whether a class's
    // objects can be is asked once per class, not of every entity.
    AcDbSequenceOwner* sequenceOwner(AcDbObject* object);
    void closeOpenObjects();
    std::string tagText(const FileObject& o) const;

    AcDbDatabase* mDb;
    std::string& mMessage;
    std::vector<DxfTag> mTags;
    std::vector<FileObject> mObjects;
    std::unordered_set<uint64_t> mLoadable;  // handles of objects this reader creates
    std::unordered_map<std::string, AcRxClass*> mByDxfName;
    std::unordered_map<std::string, FiledClass> mFileClasses;  // CLASSES section, by DXF name
    std::unordered_map<AcDbStub*, AcDbBlockTableRecord*> mOpenBlocks;
    std::unordered_map<const AcRxClass*, bool> mOwnsSequences;  // by class: its objects own sequences
    AcDbHandleResolver mResolver;
    AcDbSymbolTable* mTable = nullptr;  // table whose records are being read
    std::string mTableName;             // its name, the type of its records
    std::string* mCarriedTable = nullptr;  // text of a table not modelled, while it is read
    AcDbObjectId mTableIds[5];  // block, layer, style, linetype, regapp
    uint64_t mHandseed = 0;
    uint64_t mMaxLoaded = 0;
    uint64_t mMaxHandle = 0;  // highest handle of the file
    std::vector<std::pair<std::string, AcDbHeaderValue>> mHeader;
    // The polyline or insert whose own entities are being read.
    struct Sequence {
        AcDbObjectId owner;
        std::string ownerType;
        std::string followerType;
        uint64_t handle = 0;
    };
    std::optional<Sequence> mSequence;
};

Acad::ErrorStatus DxfDrawingReader::fail(Acad::ErrorStatus es, const std::string& what, size_t tag) {
    mMessage = what;
    if (tag < mTags.size()) mMessage += " (line " + std::to_string(mTags[tag].line) + ")";
    return es;
}

AcDbObjectId DxfDrawingReader::resolve(AcDbHandle h) {
    if (!mLoadable.count(h.value())) return AcDbObjectId();
    AcDbObjectId id;
    mDb->getAcDbObjectId(id, true, h);
    return id;
}

static bool isTableType(std::string_view t) {
    return t == "LTYPE" || t == "LAYER" || t == "STYLE" || t == "APPID" || t == "BLOCK_RECORD";
}

std::string DxfDrawingReader::tagText(const FileObject& o) const {
    DxfTagWriter w;
    w.string(0, o.type);
    for (size_t k = o.begin; k < o.end; ++k) w.string(mTags[k].code, mTags[k].value);
    return std::move(w.data());
}

Acad::ErrorStatus DxfDrawingReader::split() {
    Section section = Section::None;
    bool sawEof = false;
    for (size_t i = 0; i < mTags.size();) {
        if (mTags[i].code != 0) {
            if (section == Section::None || i == 0)
                return fail(Acad::eInvalidDxfFile, "group code " + std::to_string(mTags[i].code) +
                                                       " outside of any section", i);
            return fail(Acad::eInvalidDxfFile, "expected group code 0", i);
        }
        FileObject o;
        o.type = mTags[i].value;
        o.begin = i + 1;
        size_t j = i + 1;
        while (j < mTags.size() && mTags[j].code != 0) ++j;
        o.end = j;
        if (o.type == "EOF") {
            sawEof = true;
            break;
        }
        if (o.type == "SECTION") {
            if (o.begin >= o.end || mTags[o.begin].code != 2)
                return fail(Acad::eInvalidDxfFile, "section without a name", i);
            std::string_view name = mTags[o.begin].value;
            section = name == "HEADER"     ? Section::Header
                      : name == "CLASSES"  ? Section::Classes
                      : name == "TABLES"   ? Section::Tables
                      : name == "BLOCKS"   ? Section::Blocks
                      : name == "ENTITIES" ? Section::Entities
                      : name == "OBJECTS"  ? Section::Objects
                                           : Section::Other;
        } else if (o.type == "ENDSEC") {
            section = Section::None;
        } else if (section == Section::None) {
            return fail(Acad::eInvalidDxfFile, "'" + std::string(o.type) + "' outside of any section", i);
        }
        o.section = section;
        if (section != Section::Header) {
            for (size_t k = o.begin; k < o.end; ++k) {
                if (mTags[k].code == 5 || mTags[k].code == 105) {
                    if (!parseDxfHandle(mTags[k].value, o.handle) || o.handle == 0)
                        return fail(Acad::eInvalidDxfFile, "invalid handle '" + std::string(mTags[k].value) + "'", k);
                    break;
                }
            }
        }
        mObjects.push_back(o);
        i = j;
    }
    if (!sawEof) return fail(Acad::eInvalidDxfFile, "the file ends without EOF (truncated)", mTags.size());
    if (section != Section::None) return fail(Acad::eInvalidDxfFile, "the last section is not closed", mTags.size());
    return Acad::eOk;
}

Acad::ErrorStatus DxfDrawingReader::readHeader(const FileObject& o) {
    // The HEADER section is one object: "9 $NAME" followed by value groups.
    for (size_t k = o.begin; k < o.end; ++k) {
        if (mTags[k].code != 9 || k + 1 >= o.end) continue;
        std::string name(mTags[k].value);
        if (!name.empty() && name[0] == '$') name.erase(0, 1);
        const DxfTag& v = mTags[k + 1];
        // A number no drawing holds (NaN, infinite, beyond the limit) is refused,
        // as in entities; other unreadable values are skipped.
        for (size_t g = k + 1; g < o.end && g <= k + 3 && mTags[g].code != 9; ++g) {
            AcDb::DxfValueType kind = AcDb::dxfValueType(mTags[g].code);
            if ((kind == AcDb::kDxfPoint || kind == AcDb::kDxfReal) && isUnusableDxfNumber(mTags[g].value))
                return fail(Acad::eInvalidDxfFile,
                            "header variable $" + name + ": invalid value '" +
                                std::string(mTags[g].value.substr(0, 40)) + "' for group code " +
                                std::to_string(mTags[g].code) + " (a number is needed, finite and within ±1e100)",
                            g);
        }
        AcDbHeaderValue value;
        if (name == "HANDSEED") {
            parseDxfHandle(v.value, mHandseed);
            continue;
        }
        if (name == "ACADVER") {
            mDb->carriedDxf().acadVersion.assign(v.value);
            continue;
        }
        int64_t i = 0;
        switch (AcDb::dxfValueType(v.code)) {
        case AcDb::kDxfPoint:
            value.type = RTPOINT;  // 2D unless a z follows
            parseDxfDouble(v.value, value.point[0]);
            if (k + 2 < o.end && mTags[k + 2].code == v.code + 10) parseDxfDouble(mTags[k + 2].value, value.point[1]);
            if (k + 3 < o.end && mTags[k + 3].code == v.code + 20) {
                parseDxfDouble(mTags[k + 3].value, value.point[2]);
                value.type = RT3DPOINT;
            }
            break;
        case AcDb::kDxfReal:
            value.type = RTREAL;
            if (!parseDxfDouble(v.value, value.real)) continue;
            break;
        case AcDb::kDxfInt16:
        case AcDb::kDxfBool:
            value.type = RTSHORT;
            if (!parseDxfInt(v.value, i)) continue;
            value.integer = static_cast<int32_t>(i);
            break;
        case AcDb::kDxfInt32:
        case AcDb::kDxfInt64:
            value.type = RTLONG;
            if (!parseDxfInt(v.value, i)) continue;
            value.integer = static_cast<int32_t>(i);
            break;
        default:
            value.type = RTSTR;
            value.text.assign(v.value);
            break;
        }
        value.code = static_cast<short>(v.code);
        mHeader.emplace_back(std::move(name), std::move(value));
    }
    return Acad::eOk;
}

void DxfDrawingReader::readClass(const FileObject& o) {
    FiledClass c;
    c.isCustom = true;
    for (size_t k = o.begin; k < o.end; ++k) {
        int64_t i = 0;
        switch (mTags[k].code) {
        case 1: c.dxfName.assign(mTags[k].value); break;
        case 2: c.className.assign(mTags[k].value); break;
        case 3: c.appName.assign(mTags[k].value); break;
        case 90: if (parseDxfInt(mTags[k].value, i)) c.proxyFlags = static_cast<int>(i); break;
        case 281: if (parseDxfInt(mTags[k].value, i)) c.isEntity = i != 0; break;
        default: break;
        }
    }
    if (c.dxfName.empty()) return;
    mFileClasses[c.dxfName] = c;
    mDb->carriedDxf().classes.emplace_back(c.dxfName, tagText(o));
}

Acad::ErrorStatus DxfDrawingReader::placeObject(AcDbObject* object, const FileObject& o, AcDbObjectId& id) {
    Acad::ErrorStatus es = o.handle ? mDb->addAcDbObject(id, object, AcDbHandle(o.handle)) : mDb->addAcDbObject(id, object);
    if (es != Acad::eOk) {
        delete object;
        return fail(es, "cannot place " + std::string(o.type) + " " + AcDbHandle(o.handle).asString() + ": " +
                            fileErrorText(es), o.begin - 1);
    }
    mMaxLoaded = std::max(mMaxLoaded, id.handle().value());
    return Acad::eOk;
}

Acad::ErrorStatus DxfDrawingReader::fileIn(AcDbObject*& object, const FileObject& o, const FiledClass* original) {
    AcDbAsciiDxfFiler filer(tagsOf(o), mResolver, mDb);
    Acad::ErrorStatus es = object->dxfIn(&filer);
    if (es == Acad::eMakeMeProxy && original) {
        object = replaceWithProxy(object, *original);
        AcDbAsciiDxfFiler again(tagsOf(o), mResolver, mDb);
        es = object->dxfIn(&again);
    }
    if (es == Acad::eNullHandle || es == Acad::eEndOfObject) es = Acad::eOk;
    if (es != Acad::eOk) {
        std::string why = filer.errorMessage().empty() ? fileErrorText(es) : filer.errorMessage();
        object->close();
        return fail(es == Acad::eBadDxfSequence ? es : Acad::eInvalidDxfFile,
                    "cannot read " + std::string(o.type) + " " + AcDbHandle(o.handle).asString() + ": " + why,
                    filer.errorMessage().empty() ? o.begin - 1 : mTags.size());
    }
    return Acad::eOk;
}

Acad::ErrorStatus DxfDrawingReader::readTableObject(const FileObject& o) {
    if (o.type == "TABLE") {
        // A table whose ENDTAB is missing ends where the next one begins:
        // its records are not taken into the carried text or left open.
        mCarriedTable = nullptr;
        if (mTable) {
            reindexTable(mTable);
            mTable->close();
            mTable = nullptr;
        }
        if (o.begin >= o.end || mTags[o.begin].code != 2) return fail(Acad::eInvalidDxfFile, "table without a name", o.begin - 1);
        std::string_view name = mTags[o.begin].value;
        AcDbSymbolTable* table = nullptr;
        int slot = -1;
        if (name == "BLOCK_RECORD") table = new AcDbBlockTable(), slot = 0;
        else if (name == "LAYER") table = new AcDbLayerTable(), slot = 1;
        else if (name == "STYLE") table = new AcDbTextStyleTable(), slot = 2;
        else if (name == "LTYPE") table = new AcDbLinetypeTable(), slot = 3;
        else if (name == "APPID") table = new AcDbRegAppTable(), slot = 4;
        if (!table) {  // VPORT, VIEW, UCS, DIMSTYLE: not modelled, carried as text
            auto& carried = mDb->carriedDxf().tables;
            carried.emplace_back(std::string(name), tagText(o));
            mCarriedTable = &carried.back().second;
            return Acad::eOk;
        }
        if (!mTableIds[slot].isNull()) {
            delete table;
            return fail(Acad::eInvalidDxfFile, "second " + std::string(name) + " table", o.begin);
        }
        AcDbObjectId id;
        if (Acad::ErrorStatus es = placeObject(table, o, id); es != Acad::eOk) return es;
        FileObject rest = o;
        rest.begin += 1;  // after "2 NAME"
        AcDbObject* object = table;
        if (Acad::ErrorStatus es = fileIn(object, rest, nullptr); es != Acad::eOk) return es;
        mTableIds[slot] = id;
        mTable = table;  // stays open for the records that follow
        mTableName = name;
        return Acad::eOk;
    }
    if (mCarriedTable) {
        *mCarriedTable += tagText(o);
        if (o.type == "ENDTAB") mCarriedTable = nullptr;
        return Acad::eOk;
    }
    if (o.type == "ENDTAB") {
        if (mTable) {
            reindexTable(mTable);
            mTable->close();
            mTable = nullptr;
        }
        return Acad::eOk;
    }
    if (!mTable || !isTableType(o.type)) return Acad::eOk;
    // A record filed in another kind's table would be written back under
    // that table's name with fields it cannot read.
    if (o.type != mTableName)
        return fail(Acad::eInvalidDxfFile, "the " + mTableName + " table holds a " + std::string(o.type) + " record",
                    o.begin - 1);
    AcDbObject* record = nullptr;
    if (o.type == "LAYER") record = new AcDbLayerTableRecord();
    else if (o.type == "LTYPE") record = new AcDbLinetypeTableRecord();
    else if (o.type == "STYLE") record = new AcDbTextStyleTableRecord();
    else if (o.type == "APPID") record = new AcDbRegAppTableRecord();
    else record = new AcDbBlockTableRecord();
    AcDbObjectId id;
    if (Acad::ErrorStatus es = placeObject(record, o, id); es != Acad::eOk) return es;
    if (Acad::ErrorStatus es = fileIn(record, o, nullptr); es != Acad::eOk) return es;
    if (record->ownerId().isNull()) record->setOwnerId(mTable->objectId());
    // A layer names its linetype (group 6); the linetypes are read by now.
    if (auto* layer = AcDbLayerTableRecord::cast(record)) {
        for (size_t k = o.begin; k < o.end; ++k)
            if (mTags[k].code == 6) layer->setLinetypeObjectId(mDb->linetypeId(std::string(mTags[k].value)));
    }
    mTable->appendRecordId(id);  // indexes the name: the record is still open
    record->close();
    return Acad::eOk;
}

void DxfDrawingReader::closeOpenObjects() {
    for (auto& [stub, btr] : mOpenBlocks) btr->close();
    mOpenBlocks.clear();
    if (mTable) {
        reindexTable(mTable);
        mTable->close();
        mTable = nullptr;
    }
}

AcDbBlockTableRecord* DxfDrawingReader::openBlock(AcDbObjectId id) {
    auto it = mOpenBlocks.find(id.stub());
    if (it != mOpenBlocks.end()) return it->second;
    AcDbBlockTableRecord* btr = nullptr;
    if (acdbOpenObject(btr, id, AcDb::kForWrite) != Acad::eOk) return nullptr;
    mOpenBlocks.emplace(id.stub(), btr);
    return btr;
}

// An object of the OBJECTS section: a dictionary or an object kept as its
// tags.
Acad::ErrorStatus DxfDrawingReader::readCarriedObject(const FileObject& o) {
    std::vector<AcDbCarriedObject::Tag> tags;
    tags.reserve(o.end - o.begin);
    for (const DxfTag& t : tagsOf(o)) tags.emplace_back(t.code, std::string(t.value));
    AcDbObjectId id;
    Acad::ErrorStatus es = placeCarriedObject(mDb, std::string(o.type), std::move(tags), o.handle, mMaxHandle, mResolver, id);
    if (es != Acad::eOk) return fail(es, "cannot place " + std::string(o.type) + ": " + fileErrorText(es), o.begin - 1);
    mMaxLoaded = std::max(mMaxLoaded, id.handle().value());
    return Acad::eOk;
}


AcRxClass* DxfDrawingReader::entityClass(const std::string& type, const FileObject& o) {
    if (mSequence && type == mSequence->followerType) {
        AcDbObject* owner = nullptr;
        AcRxClass* cls = nullptr;
        if (acdbOpenObject(owner, mSequence->owner, AcDb::kForRead) == Acad::eOk) {
            if (auto* seq = dynamic_cast<AcDbSequenceOwner*>(owner)) cls = seq->followerClass(dxfEntityFlags(tagsOf(o)));
            owner->close();
        }
        return cls;
    }
    if (mSequence && type == "SEQEND") return AcDbSequenceEnd::desc();
    return dxfEntityClassOutsideSequence(type, tagsOf(o), mByDxfName);
}

Acad::ErrorStatus DxfDrawingReader::closeSequence(size_t tag) {
    if (!mSequence) return Acad::eOk;
    const Sequence s = *mSequence;
    mSequence.reset();
    return fail(Acad::eInvalidDxfFile,
                s.ownerType + " " + AcDbHandle(s.handle).asString() + ": its " + s.followerType +
                    " entities do not end with SEQEND",
                tag);
}

Acad::ErrorStatus DxfDrawingReader::attachToSequence(const std::string& type, AcDbObjectId id, const FileObject& o,
                                                     AcDbSequenceOwner* owner) {
    if (mSequence && (type == mSequence->followerType || type == "SEQEND")) {
        AcDbObject* owner = nullptr;
        if (acdbOpenObject(owner, mSequence->owner, AcDb::kForWrite) == Acad::eOk) {
            if (auto* seq = dynamic_cast<AcDbSequenceOwner*>(owner)) {
                if (type == "SEQEND") seq->attachSequenceEnd(id);
                else seq->attachFollower(id);
            }
            owner->close();
        }
        if (type == "SEQEND") mSequence.reset();
        return Acad::eOk;
    }
    if (mSequence) return closeSequence(o.begin - 1);
    if (owner) mSequence = Sequence{id, type, owner->followerType(), o.handle};
    return Acad::eOk;
}

AcDbSequenceOwner* DxfDrawingReader::sequenceOwner(AcDbObject* object) {
    auto [known, added] = mOwnsSequences.try_emplace(object->isA(), false);
    if (added) known->second = dynamic_cast<AcDbSequenceOwner*>(object) != nullptr;
    return known->second ? dynamic_cast<AcDbSequenceOwner*>(object) : nullptr;
}

Acad::ErrorStatus DxfDrawingReader::readEntity(const FileObject& o, AcDbObjectId blockId) {
    std::string type(o.type);
    for (char& ch : type) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    auto known = mByDxfName.find(type);
    // An entity other than the followers ends a sequence without SEQEND.
    if (mSequence && type != mSequence->followerType && type != "SEQEND") return closeSequence(o.begin - 1);
    AcDbObject* object = createObjectOfClass(entityClass(type, o));
    FiledClass original;
    if (auto fc = mFileClasses.find(std::string(o.type)); fc != mFileClasses.end()) original = fc->second;
    else {
        original.dxfName = o.type;
        original.className = known == mByDxfName.end() ? std::string(o.type) : known->second->name();
        original.isEntity = true;
    }
    original.isEntity = true;
    // A proxy: of a class unknown here, or one the file wrote as a proxy.
    if (!object) object = new AcDbFileProxyEntity();
    if (auto* proxy = AcDbFileProxyEntity::cast(object))
        proxy->setOriginalClass({original.className, original.dxfName, original.appName, original.proxyFlags});
    AcDbObjectId id;
    if (Acad::ErrorStatus es = placeObject(object, o, id); es != Acad::eOk) return es;
    if (Acad::ErrorStatus es = fileIn(object, o, &original); es != Acad::eOk) return es;
    // The owner named in the file wins; paper space entities say so with 67.
    AcDbObjectId owner = object->ownerId();
    AcDbBlockTableRecord* btr = owner.isNull() ? nullptr : openBlock(owner);
    if (!btr) {
        owner = blockId;
        btr = openBlock(owner);
    }
    if (!btr) {
        object->close();
        return fail(Acad::eInvalidDxfFile, "entity " + AcDbHandle(o.handle).asString() + " has no block", o.begin - 1);
    }
    object->setOwnerId(owner);
    auto* sequence = sequenceOwner(object);
    if (sequence && !sequence->hasFollowers()) sequence = nullptr;
    const bool attached = attachToSequence(type, id, o, sequence) == Acad::eOk;
    object->close();
    btr->appendEntityId(id);
    return attached ? Acad::eOk : Acad::eInvalidDxfFile;
}

Acad::ErrorStatus DxfDrawingReader::read(std::string_view text) {
    mDb->carriedDxf().clear();
    if (!tokenizeDxf(text, mTags, mMessage)) return Acad::eInvalidDxfFile;
    if (Acad::ErrorStatus es = split(); es != Acad::eOk) return es;
    mByDxfName = classesByDxfName();
    bool needsNewHandles = false;
    for (const FileObject& o : mObjects) {
        const bool structural = o.type == "SECTION" || o.type == "ENDSEC" || o.type == "ENDTAB";
        const bool modelled = !structural &&
                              ((o.section == Section::Tables && (isTableType(o.type) || o.type == "TABLE")) ||
                               (o.section == Section::Blocks && o.type != "BLOCK" && o.type != "ENDBLK") ||
                               o.section == Section::Entities || o.section == Section::Objects);
        if (modelled && o.handle) mLoadable.insert(o.handle);
        if (modelled && !o.handle) needsNewHandles = true;
        mMaxHandle = std::max(mMaxHandle, o.handle);
    }
    // Objects without a handle get new ones above every handle of the file.
    if (needsNewHandles) mDb->setHandseed(AcDbHandle(mMaxHandle + 1));
    mResolver = [this](AcDbHandle h) { return resolve(h); };

    Acad::ErrorStatus es = Acad::eOk;
    AcDbObjectId currentBlock;  // inside BLOCK ... ENDBLK
    for (const FileObject& o : mObjects) {
        if (o.type == "ENDSEC" && mSequence) return closeSequence(o.begin - 1);
        switch (o.section) {
        case Section::Header:
            if (o.type == "SECTION") es = readHeader(o);
            break;
        case Section::Classes:
            if (o.type == "CLASS") readClass(o);
            break;
        case Section::Tables:
            if (o.type != "SECTION" && o.type != "ENDSEC") es = readTableObject(o);
            break;
        case Section::Blocks:
            if (o.type == "BLOCK") {
                currentBlock = AcDbObjectId();
                std::string name;
                AcGePoint3d origin;
                for (size_t k = o.begin; k < o.end; ++k) {
                    const DxfTag& t = mTags[k];
                    uint64_t h = 0;
                    if (t.code == 330 && parseDxfHandle(t.value, h)) currentBlock = resolve(AcDbHandle(h));
                    else if (t.code == 2) name.assign(t.value);
                    else if ((t.code == 10 || t.code == 20 || t.code == 30) && isUnusableDxfNumber(t.value))
                        return fail(Acad::eInvalidDxfFile,
                                    "BLOCK: invalid value '" + std::string(t.value.substr(0, 40)) + "' for group code " +
                                        std::to_string(t.code) + " (a number is needed, finite and within ±1e100)",
                                    k);
                    else if (t.code == 10) parseDxfDouble(t.value, origin.x);
                    else if (t.code == 20) parseDxfDouble(t.value, origin.y);
                    else if (t.code == 30) parseDxfDouble(t.value, origin.z);
                }
                if (currentBlock.isNull() && !mTableIds[0].isNull()) currentBlock = mDb->blockId(name);
                if (AcDbBlockTableRecord* btr = currentBlock.isNull() ? nullptr : openBlock(currentBlock)) {
                    btr->setOrigin(origin);
                    auto& markers = mDb->carriedDxf().blocks[currentBlock.handle().value()];
                    markers.name = name;
                    markers.begin = tagText(o);
                }
            } else if (o.type == "ENDBLK") {
                if (Acad::ErrorStatus open = closeSequence(o.begin - 1); open != Acad::eOk) return open;
                if (!currentBlock.isNull())
                    mDb->carriedDxf().blocks[currentBlock.handle().value()].end = tagText(o);
                currentBlock = AcDbObjectId();
            } else if (o.type != "SECTION" && o.type != "ENDSEC") {
                if (currentBlock.isNull())
                    return fail(Acad::eInvalidDxfFile, "entity outside of a block definition", o.begin - 1);
                es = readEntity(o, currentBlock);
            }
            break;
        case Section::Entities:
            if (o.type != "SECTION" && o.type != "ENDSEC") {
                if (mTableIds[0].isNull()) {
                    mDb->setTableIds(mTableIds[0], mTableIds[1], mTableIds[2], mTableIds[3], mTableIds[4]);
                }
                bool paper = false;
                for (size_t k = o.begin; k < o.end; ++k)
                    if (mTags[k].code == 67 && mTags[k].value.find('1') != std::string_view::npos) paper = true;
                es = readEntity(o, paper ? mDb->paperSpaceId() : mDb->modelSpaceId());
            }
            break;
        case Section::Objects:
            if (o.type != "SECTION" && o.type != "ENDSEC") es = readCarriedObject(o);
            break;
        default:
            break;
        }
        if (es != Acad::eOk) return es;
        // Records are looked up by name once their table is complete.
        if (o.type == "ENDTAB")
            mDb->setTableIds(mTableIds[0], mTableIds[1], mTableIds[2], mTableIds[3], mTableIds[4]);
    }
    closeOpenObjects();
    mDb->setTableIds(mTableIds[0], mTableIds[1], mTableIds[2], mTableIds[3], mTableIds[4]);
    if (mTableIds[0].isNull() || mTableIds[1].isNull() || mDb->modelSpaceId().isNull())
        return fail(Acad::eInvalidDxfFile, "the drawing has no block table, layer table or model space", mTags.size());
    for (auto& [name, value] : mHeader) mDb->setHeaderVar(name, value);
    // The objects carried as text keep their handles: new objects get
    // handles above every handle of the file.
    mDb->setHandseed(AcDbHandle(std::max({mHandseed, mMaxLoaded + 1, mMaxHandle + 1})));
    if (Acad::ErrorStatus es = mDb->addMissingSymbolTables(); es != Acad::eOk)
        return fail(es, "cannot make a missing symbol table", mTags.size());
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus readDxfDrawing(AcDbDatabase* db, std::string_view text, std::string& message) {
    std::string decoded;
    bool changed = false;
    if (!decodeDxfText(text, decoded, changed, message)) return Acad::eInvalidDxfFile;
    DxfDrawingReader reader(db, message);
    return reader.read(changed ? std::string_view(decoded) : text);
}

}  // namespace orv::io
