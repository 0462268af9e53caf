// Dictionaries and the other objects of the OBJECTS data, kept as tags.
#include "database/dbdictionary.h"

#include <algorithm>
#include <cctype>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/io/DxfTags.h"

static AcRxObject* makeCarriedObject() { return new AcDbCarriedObject(); }
ACRX_HOST_CLASS_MEMBERS(AcDbCarriedObject, AcDbObject, makeCarriedObject, "")
static AcRxObject* makeDictionary() { return new AcDbDictionary(); }
ACRX_HOST_CLASS_MEMBERS(AcDbDictionary, AcDbCarriedObject, makeDictionary, "DICTIONARY")

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

bool isEntryReference(int code) { return code == 350 || code == 360; }

uint64_t gNextSequence = 1;

}  // namespace

AcDbCarriedObject::AcDbCarriedObject() : mSequence(gNextSequence++) {}

void AcDbCarriedObject::setTags(std::string type, std::vector<Tag> tags) {
    assertWriteEnabled();
    mType = std::move(type);
    mTags = std::move(tags);
}

void AcDbCarriedObject::setOwnerTag(AcDbObjectId owner) {
    assertWriteEnabled();
    setOwnerId(owner);
    const std::string handle = owner.isNull() ? "0" : owner.handle().asString();
    bool inGroup = false;
    for (auto& [code, value] : mTags) {
        if (code == 102) inGroup = !value.empty() && value[0] == '{';
        if (code == 330 && !inGroup) {
            value = handle;
            return;
        }
    }
    // No owner group yet: it follows the handle and the 102 groups.
    size_t at = 0;
    for (bool open = false; at < mTags.size(); ++at) {
        const auto& [code, value] = mTags[at];
        if (code == 102) open = !value.empty() && value[0] == '{';
        else if (code != 5 && !open) break;
    }
    mTags.insert(mTags.begin() + static_cast<std::ptrdiff_t>(at), {330, handle});
}

std::string AcDbCarriedObject::dxfText() const {
    orv::io::DxfTagWriter w;
    w.string(0, mType);
    for (const auto& [code, value] : mTags) w.string(code, value);
    return std::move(w.data());
}

// Binary: the common fields, then the type and the tags as text.
Acad::ErrorStatus AcDbCarriedObject::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt64(static_cast<Adesk::Int64>(mSequence));
    filer->writeString(mType);
    filer->writeUInt32(static_cast<Adesk::UInt32>(mTags.size()));
    for (const auto& [code, value] : mTags) {
        filer->writeInt16(static_cast<Adesk::Int16>(code));
        filer->writeString(value);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbCarriedObject::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::UInt32 count = 0;
    Adesk::Int64 sequence = 0;
    if (filer->readInt64(&sequence) != Acad::eOk || filer->readString(&mType) != Acad::eOk ||
        filer->readUInt32(&count) != Acad::eOk)
        return filer->filerStatus();
    // Objects read keep their places; objects made afterwards come after.
    mSequence = static_cast<uint64_t>(sequence);
    gNextSequence = std::max(gNextSequence, mSequence + 1);
    mTags.clear();
    for (Adesk::UInt32 i = 0; i < count; ++i) {
        Adesk::Int16 code = 0;
        std::string value;
        if (filer->readInt16(&code) != Acad::eOk || filer->readString(&value) != Acad::eOk)
            return filer->filerStatus();
        mTags.emplace_back(code, std::move(value));
    }
    return Acad::eOk;
}

AcDbDictionary::AcDbDictionary() {
    mType = "DICTIONARY";
    mTags = {{100, "AcDbDictionary"}, {281, "1"}};
}

size_t AcDbDictionary::find(const std::string& name) const {
    for (size_t i = 0; i + 1 < mTags.size(); ++i)
        if (mTags[i].first == 3 && isEntryReference(mTags[i + 1].first) && sameName(mTags[i].second, name)) return i;
    return std::string::npos;
}

std::vector<std::pair<std::string, AcDbObjectId>> AcDbDictionary::entries() const {
    assertReadEnabled();
    std::vector<std::pair<std::string, AcDbObjectId>> out;
    AcDbDatabase* db = database();
    for (size_t i = 0; i + 1 < mTags.size(); ++i) {
        if (mTags[i].first != 3 || !isEntryReference(mTags[i + 1].first)) continue;
        AcDbObjectId id;
        if (db) db->getAcDbObjectId(id, false, AcDbHandle(mTags[i + 1].second.c_str()));
        out.emplace_back(mTags[i].second, id);
        ++i;
    }
    return out;
}

uint32_t AcDbDictionary::numEntries() const { return static_cast<uint32_t>(entries().size()); }

bool AcDbDictionary::has(const std::string& name) const {
    assertReadEnabled();
    return find(name) != std::string::npos;
}

Acad::ErrorStatus AcDbDictionary::getAt(const std::string& name, AcDbObjectId& id) const {
    assertReadEnabled();
    id.setNull();
    const size_t at = find(name);
    if (at == std::string::npos) return Acad::eKeyNotFound;
    if (AcDbDatabase* db = database()) db->getAcDbObjectId(id, false, AcDbHandle(mTags[at + 1].second.c_str()));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::setAt(const std::string& name, AcDbObjectId id) {
    assertWriteEnabled();
    if (name.empty()) return Acad::eInvalidKey;
    if (id.isNull() || id.database() != database()) return Acad::eNotInDatabase;
    if (find(name) != std::string::npos) return Acad::eDuplicateKey;
    mTags.emplace_back(3, name);
    mTags.emplace_back(350, id.handle().asString());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const std::string& name) {
    assertWriteEnabled();
    const size_t at = find(name);
    if (at == std::string::npos) return Acad::eKeyNotFound;
    mTags.erase(mTags.begin() + static_cast<std::ptrdiff_t>(at), mTags.begin() + static_cast<std::ptrdiff_t>(at) + 2);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::setName(const std::string& oldName, const std::string& newName) {
    assertWriteEnabled();
    const size_t at = find(oldName);
    if (at == std::string::npos) return Acad::eKeyNotFound;
    if (newName.empty()) return Acad::eInvalidKey;
    const size_t taken = find(newName);
    if (taken != std::string::npos && taken != at) return Acad::eDuplicateKey;
    mTags[at].second = newName;
    return Acad::eOk;
}

namespace {

// Adds a new dictionary owned by owner (null: the root); it stays open.
AcDbDictionary* addDictionary(AcDbDatabase* db, AcDbObjectId owner, AcDbObjectId& id) {
    auto* dict = new AcDbDictionary();
    if (db->addAcDbObject(id, dict) != Acad::eOk) {
        delete dict;
        return nullptr;
    }
    dict->setOwnerId(owner);
    dict->setTags("DICTIONARY", {{5, id.handle().asString()},
                                 {330, owner.isNull() ? "0" : owner.handle().asString()},
                                 {100, "AcDbDictionary"},
                                 {281, "1"}});
    return dict;
}

}  // namespace

AcDbObjectId acdbNamedObjectsDictionary(AcDbDatabase* db, bool create) {
    if (!db) return AcDbObjectId();
    bool unreadable = false;  // an object open for write may be the root
    for (size_t i = 0; i < db->numIds(); ++i) {
        AcDbObjectId id = db->idAt(i);
        if (id.isErased() || !id.isResident()) continue;
        AcDbObjectPointer<AcDbDictionary> dict(id, AcDb::kForRead);
        if (dict && dict->ownerId().isNull()) return id;
        unreadable = unreadable || (dict.openStatus() != Acad::eOk && dict.openStatus() != Acad::eNotThatKindOfClass);
    }
    if (!create || unreadable) return AcDbObjectId();
    AcDbObjectId rootId;
    AcDbDictionary* root = addDictionary(db, AcDbObjectId(), rootId);
    if (!root) return AcDbObjectId();
    for (const char* name : {"ACAD_GROUP", "ACAD_LAYOUT"}) {
        AcDbObjectId childId;
        if (AcDbDictionary* child = addDictionary(db, rootId, childId)) {
            child->close();
            root->setAt(name, childId);
        }
    }
    root->close();
    return rootId;
}
