// Symbol tables: records by name and in order, and the records' filing.
#include "database/dbsymtab.h"

#include <algorithm>
#include <cctype>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbfields.h"
#include "database/io/DwgMemoryFiler.h"

ACRX_HOST_CLASS_MEMBERS(AcDbSymbolTableRecord, AcDbObject, nullptr, "")
ACRX_HOST_CLASS_MEMBERS(AcDbSymbolTable, AcDbObject, nullptr, "")
ACRX_HOST_CLASS_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord, [] { return static_cast<AcRxObject*>(new AcDbBlockTableRecord); }, "BLOCK_RECORD")
ACRX_HOST_CLASS_MEMBERS(AcDbBlockTable, AcDbSymbolTable, [] { return static_cast<AcRxObject*>(new AcDbBlockTable); }, "TABLE")
ACRX_HOST_CLASS_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord, [] { return static_cast<AcRxObject*>(new AcDbLayerTableRecord); }, "LAYER")
ACRX_HOST_CLASS_MEMBERS(AcDbLayerTable, AcDbSymbolTable, [] { return static_cast<AcRxObject*>(new AcDbLayerTable); }, "TABLE")
ACRX_HOST_CLASS_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, [] { return static_cast<AcRxObject*>(new AcDbTextStyleTableRecord); }, "STYLE")
ACRX_HOST_CLASS_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable, [] { return static_cast<AcRxObject*>(new AcDbTextStyleTable); }, "TABLE")
ACRX_HOST_CLASS_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, [] { return static_cast<AcRxObject*>(new AcDbLinetypeTableRecord); }, "LTYPE")
ACRX_HOST_CLASS_MEMBERS(AcDbLinetypeTable, AcDbSymbolTable, [] { return static_cast<AcRxObject*>(new AcDbLinetypeTable); }, "TABLE")
ACRX_HOST_CLASS_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, [] { return static_cast<AcRxObject*>(new AcDbRegAppTableRecord); }, "APPID")
ACRX_HOST_CLASS_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, [] { return static_cast<AcRxObject*>(new AcDbRegAppTable); }, "TABLE")

namespace {
std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// Reads tagged items until the next subclass marker, handing each to take.
template <class Take>
Acad::ErrorStatus readGroups(AcDbDxfFiler* filer, Take take) {
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        if (rb.restype == 100 || rb.restype >= 1000) {
            filer->pushBackItem();
            break;
        }
        take(rb);
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}
} // namespace

// ---- records ----

Acad::ErrorStatus AcDbSymbolTableRecord::getName(std::string& name) const {
    assertReadEnabled();
    name = mName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const std::string& name) {
    if (name.empty() || name.find_first_of("<>/\\\":;?,|=`") != std::string::npos) return Acad::eInvalidSymbolTableName;
    // The owning table is used in place: the caller may hold it open.
    AcDbStub* tableStub = ownerId().stub();
    auto* table = tableStub ? AcDbSymbolTable::cast(tableStub->object) : nullptr;
    if (table) {
        const int state = table->openState();
        if (state == AcDbObject::kClosed) table->setOpenState(AcDbObject::kOpenRead);
        AcDbObjectId existing;
        const bool taken = table->getAt(name, existing, false) == Acad::eOk && existing != objectId();
        if (state == AcDbObject::kClosed) table->setOpenState(AcDbObject::kClosed);
        if (taken) return Acad::eDuplicateRecordName;
    }
    assertWriteEnabled();
    mName = name;
    if (table) table->reindex();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return filer->writeString(mName);
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return filer->readString(&mName);
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "AcDbSymbolTableRecord");
    filer->writeString(100, dxfRecordClass());
    return filer->writeString(2, mName);
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("AcDbSymbolTableRecord") || !filer->atSubclassData(dxfRecordClass()))
        return Acad::eBadDxfSequence;
    // The name comes first; the rest is read by the subclass.
    resbuf rb{};
    if (filer->readItem(&rb) != Acad::eOk) return filer->filerStatus();
    if (rb.restype != 2) return Acad::eBadDxfSequence;
    mName = rb.resval.rstring ? rb.resval.rstring : "";
    return Acad::eOk;
}

// ---- tables ----

AcDbSymbolTable::~AcDbSymbolTable() = default;

bool AcDbSymbolTable::has(const std::string& name) const {
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    assertReadEnabled();
    return !id.isErased() && std::find(mRecords.begin(), mRecords.end(), id) != mRecords.end();
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const std::string& name, AcDbObjectId& id, bool getErased) const {
    assertReadEnabled();
    id.setNull();
    if (!mLastValid || name != mLastName) {
        auto it = mByName.find(upper(name));
        mLastFound = it == mByName.end() ? AcDbObjectId() : it->second;
        mLastName = name;
        mLastValid = true;
    }
    if (mLastFound.isNull() || (mLastFound.isErased() && !getErased)) return Acad::eKeyNotFound;
    id = mLastFound;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* record) {
    id.setNull();
    if (!record) return Acad::eNullObjectPointer;
    if (!record->isKindOf(recordClass())) return Acad::eWrongObjectType;
    if (!record->isNewObject()) return Acad::eAlreadyInDb;
    AcDbDatabase* db = database();
    if (!db) return Acad::eNoDatabase;
    assertWriteEnabled();
    const std::string key = upper(record->getName());
    if (key.empty()) return Acad::eInvalidSymbolTableName;
    auto it = mByName.find(key);
    if (it != mByName.end() && !it->second.isErased()) return Acad::eDuplicateRecordName;
    Acad::ErrorStatus es = db->addAcDbObject(id, record);
    if (es != Acad::eOk) return es;
    record->setOwnerId(objectId());
    mRecords.push_back(id);
    mByName[key] = id;
    mLastValid = false;
    return Acad::eOk;
}

void AcDbSymbolTable::appendRecordId(AcDbObjectId id) {
    mRecords.push_back(id);
    mLastValid = false;
    if (AcDbStub* stub = id.stub(); stub && stub->object)
        if (auto* record = AcDbSymbolTableRecord::cast(stub->object))
            mByName[upper(record->getName())] = id;
}

void AcDbSymbolTable::reindex() {
    mByName.clear();
    mLastValid = false;
    for (AcDbObjectId id : mRecords) {
        AcDbStub* stub = id.stub();
        if (!stub || !stub->object) continue;
        auto* record = AcDbSymbolTableRecord::cast(stub->object);
        if (!record) continue;
        std::string key = upper(record->getName());
        auto it = mByName.find(key);
        // A live record wins over an erased one of the same name.
        if (it == mByName.end() || it->second.isErased()) mByName[key] = id;
    }
}

std::vector<AcDbObjectId> AcDbSymbolTable::recordIds(bool includeErased) const {
    assertReadEnabled();
    std::vector<AcDbObjectId> ids;
    for (AcDbObjectId id : mRecords)
        if (includeErased || !id.isErased()) ids.push_back(id);
    return ids;
}

AcDbSymbolTable::Iterator::Iterator(const AcDbSymbolTable* table, bool skipErased)
    : mTable(table), mSkipErased(skipErased) {
    skip();
}

void AcDbSymbolTable::Iterator::skip() {
    while (mSkipErased && !done() && mTable->mRecords[mIndex].isErased()) ++mIndex;
}

Acad::ErrorStatus AcDbSymbolTable::Iterator::getRecordId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = mTable->mRecords[mIndex];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(Iterator*& iterator, bool atBeginning, bool skipErased) const {
    assertReadEnabled();
    iterator = new Iterator(this, skipErased);
    if (!atBeginning)
        while (!iterator->done()) iterator->step();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(static_cast<Adesk::Int32>(mRecords.size()));
    for (AcDbObjectId id : mRecords) filer->writeSoftOwnershipId(id);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk) return filer->filerStatus();
    if (count < 0) return Acad::eDwgObjectImproperlyRead;
    mRecords.clear();
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbObjectId id;
        if (filer->readSoftOwnershipId(&id) != Acad::eOk) {
            if (filer->filerStatus() != Acad::eNullHandle) return filer->filerStatus();
            filer->resetFilerStatus();
            continue;
        }
        mRecords.push_back(id);
    }
    reindex();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "AcDbSymbolTable");
    return filer->writeInt16(70, static_cast<Adesk::Int16>(recordIds().size()));
}

// ---- block table records ----

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity) {
    id.setNull();
    if (!entity) return Acad::eNullEntityPointer;
    if (!entity->isNewObject()) return Acad::eAlreadyInDb;
    AcDbDatabase* db = database();
    if (!db) return Acad::eNoDatabase;
    assertWriteEnabled();
    // An entity made before a database was current takes layer "0".
    if (entity->layerId().isNull() || entity->layerId().database() != db) entity->setDatabaseDefaults(db);
    Acad::ErrorStatus es = db->addAcDbObject(id, entity);
    if (es != Acad::eOk) return es;
    entity->setOwnerId(objectId());
    mEntities.push_back(id);
    return Acad::eOk;
}

std::vector<AcDbObjectId> AcDbBlockTableRecord::entityIds(bool includeErased) const {
    assertReadEnabled();
    std::vector<AcDbObjectId> ids;
    ids.reserve(mEntities.size());
    for (AcDbObjectId id : mEntities)
        if (includeErased || !id.isErased()) ids.push_back(id);
    return ids;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning,
                                                    bool skipDeleted) const {
    assertReadEnabled();
    iterator = new AcDbBlockTableRecordIterator(this, skipDeleted);
    if (!atBeginning)
        while (!iterator->done()) iterator->step();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& origin) {
    assertWriteEnabled();
    mOrigin = origin;
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isLayout() const {
    assertReadEnabled();
    return !mName.empty() && mName[0] == '*' && (upper(mName).rfind("*MODEL_SPACE", 0) == 0 ||
                                                 upper(mName).rfind("*PAPER_SPACE", 0) == 0);
}

Acad::ErrorStatus AcDbBlockTableRecord::subErase(bool erasing) {
    if (erasing && isLayout()) return Acad::eCannotBeErasedByCaller;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writePoint3d(mOrigin);
    filer->writeInt32(static_cast<Adesk::Int32>(mEntities.size()));
    for (AcDbObjectId id : mEntities) filer->writeHardOwnershipId(id);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 count = 0;
    filer->readPoint3d(&mOrigin);
    if (filer->readInt32(&count) != Acad::eOk) return filer->filerStatus();
    if (count < 0) return Acad::eDwgObjectImproperlyRead;
    mEntities.clear();
    // The count comes from the file: reserve no more than a damaged one
    // could make us allocate for nothing.
    mEntities.reserve(std::min<size_t>(static_cast<size_t>(count), 4096));
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbObjectId id;
        if (filer->readHardOwnershipId(&id) != Acad::eOk) {
            if (filer->filerStatus() != Acad::eNullHandle) return filer->filerStatus();
            filer->resetFilerStatus();
            continue;
        }
        mEntities.push_back(id);
    }
    return filer->filerStatus();
}

// The tagged form holds the record only; the entities and the origin are
// written by the file writer in the BLOCK section.
Acad::ErrorStatus AcDbBlockTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    return AcDbSymbolTableRecord::dxfOutFields(filer);
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return readGroups(filer, [](const resbuf&) {});
}

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record, bool skipDeleted)
    : mIds(record->entityIds(true)), mSkipDeleted(skipDeleted) {
    skip();
}

void AcDbBlockTableRecordIterator::skip() {
    while (mSkipDeleted && !done() && mIds[mIndex].isErased()) ++mIndex;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = mIds[mIndex];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErased) const {
    entity = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(entity, mIds[mIndex], mode, openErased);
}

// ---- layers, text styles, linetypes: described once, walked by both filers ----

template <>
struct AcDbFieldList<AcDbLayerTableRecord> {
    using T = AcDbLayerTableRecord;
    static std::span<const AcDbField<T>> fields() {
        static const AcDbField<T> list[] = {
            {"color", 62, &T::mColorIndex, Adesk::Int16(7)},
            {"linetype", 6, &T::mLinetypeId, AcDbObjectId()},
            {"plottable", 290, &T::mPlottable, true},
            {"lineWeight", 370, &T::mLineWeight, Adesk::Int16(AcDb::kLnWtByLwDefault)},
            {"plotStyleName", 390, &T::mPlotStyleName, std::string()},
            {"locked", -1, &T::mLocked, false},
            {"frozen", -1, &T::mFrozen, false},
            {"off", -1, &T::mOff, false},
        };
        return list;
    }
};

template <>
struct AcDbFieldList<AcDbTextStyleTableRecord> {
    using T = AcDbTextStyleTableRecord;
    static std::span<const AcDbField<T>> fields() {
        static const AcDbField<T> list[] = {
            {"fileName", 3, &T::mFileName, std::string("txt")},
            {"textSize", 40, &T::mTextSize, 0.0},
            {"xScale", 41, &T::mXScale, 1.0},
        };
        return list;
    }
};

template <>
struct AcDbFieldList<AcDbLinetypeTableRecord> {
    using T = AcDbLinetypeTableRecord;
    static std::span<const AcDbField<T>> fields() {
        static const AcDbField<T> list[] = {
            {"comments", 3, &T::mComments, std::string()},
            {"patternLength", 40, &T::mPatternLength, 0.0},
        };
        return list;
    }
};

namespace {
template <class T>
Acad::ErrorStatus recordDwgOut(const T& record, AcDbDwgFiler* filer, Acad::ErrorStatus es) {
    return es != Acad::eOk ? es : AcDbFieldWalk::dwgOut<T>(record, AcDbFieldList<T>::fields(), filer);
}
template <class T>
Acad::ErrorStatus recordDwgIn(T& record, AcDbDwgFiler* filer, Acad::ErrorStatus es) {
    return es != Acad::eOk ? es : AcDbFieldWalk::dwgIn<T>(record, AcDbFieldList<T>::fields(), filer);
}
template <class T>
Acad::ErrorStatus recordDxfOut(const T& record, AcDbDxfFiler* filer, Acad::ErrorStatus es) {
    return es != Acad::eOk ? es : AcDbFieldWalk::dxfOut<T>(record, AcDbFieldList<T>::fields(), filer);
}
template <class T>
Acad::ErrorStatus recordDxfIn(T& record, AcDbDxfFiler* filer, Acad::ErrorStatus es) {
    if (es != Acad::eOk) return es;
    return readGroups(filer, [&](const resbuf& rb) { AcDbFieldWalk::dxfInItem<T>(record, AcDbFieldList<T>::fields(), rb); });
}
} // namespace

AcDbLayerTableRecord::AcDbLayerTableRecord() = default;
Acad::ErrorStatus AcDbLayerTableRecord::dwgOutFields(AcDbDwgFiler* f) const { return recordDwgOut(*this, f, AcDbSymbolTableRecord::dwgOutFields(f)); }
Acad::ErrorStatus AcDbLayerTableRecord::dwgInFields(AcDbDwgFiler* f) { return recordDwgIn(*this, f, AcDbSymbolTableRecord::dwgInFields(f)); }
Acad::ErrorStatus AcDbLayerTableRecord::dxfOutFields(AcDbDxfFiler* f) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(f);
    if (es != Acad::eOk) return es;
    // Flags group: 1 frozen, 4 locked; a layer that is off has a negative colour.
    f->writeInt16(70, static_cast<Adesk::Int16>((mFrozen ? 1 : 0) | (mLocked ? 4 : 0)));
    es = recordDxfOut(*this, f, Acad::eOk);
    return es;
}
Acad::ErrorStatus AcDbLayerTableRecord::dxfInFields(AcDbDxfFiler* f) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(f);
    if (es != Acad::eOk) return es;
    return readGroups(f, [&](const resbuf& rb) {
        if (rb.restype == 70) {
            mFrozen = (rb.resval.rint & 1) != 0;
            mLocked = (rb.resval.rint & 4) != 0;
        } else {
            AcDbFieldWalk::dxfInItem<AcDbLayerTableRecord>(*this, AcDbFieldList<AcDbLayerTableRecord>::fields(), rb);
        }
    });
}
Acad::ErrorStatus AcDbLayerTableRecord::subErase(bool erasing) {
    if (erasing && upper(mName) == "0") return Acad::eCannotBeErasedByCaller;
    return Acad::eOk;
}

AcDbTextStyleTableRecord::AcDbTextStyleTableRecord() = default;
Acad::ErrorStatus AcDbTextStyleTableRecord::dwgOutFields(AcDbDwgFiler* f) const {
    Acad::ErrorStatus es = recordDwgOut(*this, f, AcDbSymbolTableRecord::dwgOutFields(f));
    if (es != Acad::eOk) return es;
    f->writeInt16(mFlags);
    f->writeInt16(mGeneration);
    f->writeDouble(mOblique);
    f->writeDouble(mLastHeight);
    return f->writeString(mBigFont);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::dwgInFields(AcDbDwgFiler* f) {
    Acad::ErrorStatus es = recordDwgIn(*this, f, AcDbSymbolTableRecord::dwgInFields(f));
    if (es != Acad::eOk || !filerHasFormat(f, 3)) return es;
    f->readInt16(&mFlags);
    f->readInt16(&mGeneration);
    f->readDouble(&mOblique);
    f->readDouble(&mLastHeight);
    return f->readString(&mBigFont);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::dxfOutFields(AcDbDxfFiler* f) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(f);
    if (es != Acad::eOk) return es;
    f->writeInt16(70, mFlags);
    es = recordDxfOut(*this, f, Acad::eOk);
    if (es != Acad::eOk) return es;
    f->writeDouble(50, mOblique);
    f->writeInt16(71, mGeneration);
    f->writeDouble(42, mLastHeight);
    return f->writeString(4, mBigFont);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::dxfInFields(AcDbDxfFiler* f) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(f);
    if (es != Acad::eOk) return es;
    return readGroups(f, [&](const resbuf& rb) {
        switch (rb.restype) {
        case 70: mFlags = rb.resval.rint; break;
        case 71: mGeneration = rb.resval.rint; break;
        case 50: mOblique = rb.resval.rreal; break;
        case 42: mLastHeight = rb.resval.rreal; break;
        case 4: mBigFont = rb.resval.rstring ? rb.resval.rstring : ""; break;
        default: AcDbFieldWalk::dxfInItem<AcDbTextStyleTableRecord>(*this, AcDbFieldList<AcDbTextStyleTableRecord>::fields(), rb);
        }
    });
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgOutFields(AcDbDwgFiler* f) const {
    Acad::ErrorStatus es = recordDwgOut(*this, f, AcDbSymbolTableRecord::dwgOutFields(f));
    if (es != Acad::eOk) return es;
    f->writeInt32(static_cast<Adesk::Int32>(mDashes.size()));
    for (size_t i = 0; i < mDashes.size(); ++i) {
        f->writeDouble(mDashes[i]);
        f->writeInt16(mDashFlags[i]);
    }
    return f->filerStatus();
}
Acad::ErrorStatus AcDbLinetypeTableRecord::dwgInFields(AcDbDwgFiler* f) {
    Acad::ErrorStatus es = recordDwgIn(*this, f, AcDbSymbolTableRecord::dwgInFields(f));
    if (es != Acad::eOk || !filerHasFormat(f, 3)) return es;
    Adesk::Int32 count = 0;
    if (f->readInt32(&count) != Acad::eOk) return f->filerStatus();
    if (count < 0 || count > 1000) return Acad::eDwgObjectImproperlyRead;
    mDashes.assign(static_cast<size_t>(count), 0.0);
    mDashFlags.assign(static_cast<size_t>(count), 0);
    for (Adesk::Int32 i = 0; i < count; ++i) {
        f->readDouble(&mDashes[static_cast<size_t>(i)]);
        f->readInt16(&mDashFlags[static_cast<size_t>(i)]);
    }
    return f->filerStatus();
}
Acad::ErrorStatus AcDbLinetypeTableRecord::dxfOutFields(AcDbDxfFiler* f) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(f);
    if (es != Acad::eOk) return es;
    f->writeInt16(70, 0);
    f->writeString(3, mComments);
    f->writeInt16(72, 65);  // alignment 'A'
    f->writeInt16(73, static_cast<Adesk::Int16>(mDashes.size()));
    f->writeDouble(40, mPatternLength);
    for (size_t i = 0; i < mDashes.size(); ++i) {
        f->writeDouble(49, mDashes[i]);
        // Shape and text elements are not kept: every element goes out as a plain dash.
        f->writeInt16(74, 0);
    }
    return f->filerStatus();
}
Acad::ErrorStatus AcDbLinetypeTableRecord::dxfInFields(AcDbDxfFiler* f) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(f);
    if (es != Acad::eOk) return es;
    mDashes.clear();
    mDashFlags.clear();
    return readGroups(f, [&](const resbuf& rb) {
        if (rb.restype == 49 && mDashes.size() < 1000) {
            mDashes.push_back(rb.resval.rreal);
            mDashFlags.push_back(0);
        } else if (rb.restype == 74 && !mDashFlags.empty()) {
            mDashFlags.back() = rb.resval.rint;
        } else {
            AcDbFieldWalk::dxfInItem<AcDbLinetypeTableRecord>(*this, AcDbFieldList<AcDbLinetypeTableRecord>::fields(), rb);
        }
    });
}

Acad::ErrorStatus AcDbRegAppTableRecord::dxfOutFields(AcDbDxfFiler* f) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(f);
    if (es != Acad::eOk) return es;
    return f->writeInt16(70, 0);
}
Acad::ErrorStatus AcDbLinetypeTableRecord::subErase(bool erasing) {
    const std::string name = upper(mName);
    if (erasing && (name == "CONTINUOUS" || name == "BYLAYER" || name == "BYBLOCK")) return Acad::eCannotBeErasedByCaller;
    return Acad::eOk;
}
