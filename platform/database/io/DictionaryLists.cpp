// Dictionary lists over the working database.
#include "database/io/DictionaryLists.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <unordered_map>

#include "database/dbdatabase.h"
#include "database/dbdictionary.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dxfcode.h"
#include "database/io/DrawingObjects.h"
#include "database/io/DxfTags.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

AcDbDatabase* workingDb() { return acdbHostApplicationServices()->workingDatabase(); }

bool idOf(const ads_name name, AcDbObjectId& id) { return acdbGetObjectId(id, name) == Acad::eOk && !id.isNull(); }

// Where acdbDictNext goes on in each dictionary: the index of the next entry.
std::unordered_map<AcDbStub*, size_t>& cursors() {
    static std::unordered_map<AcDbStub*, size_t> next;
    return next;
}

bool sameName(const std::string& a, const char* b) {
    const std::string other = b;
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

double real(const std::string& text) {
    double value = 0.0;
    orv::io::parseDxfDouble(text, value);
    return value;
}

int64_t integer(const std::string& text) {
    int64_t value = 0;
    orv::io::parseDxfInt(text, value);
    return value;
}

// Writes tags as list groups: a point's x, y and z tags become one point,
// references become entity names (a handle the drawing does not hold is
// left out, as no name can stand for it).
void writeTags(AcDbResbufDxfFiler& out, const std::vector<AcDbCarriedObject::Tag>& tags, AcDbDatabase* db) {
    for (size_t i = 0; i < tags.size(); ++i) {
        const auto& [code, value] = tags[i];
        switch (AcDb::dxfValueType(code)) {
        case AcDb::kDxfPoint: {
            AcGePoint3d p(real(value), 0.0, 0.0);
            if (i + 1 < tags.size() && tags[i + 1].first == code + 10) p.y = real(tags[++i].second);
            if (i + 1 < tags.size() && tags[i + 1].first == code + 20) p.z = real(tags[++i].second);
            out.writePoint3d(code, p);
            break;
        }
        case AcDb::kDxfReal: out.writeDouble(code, real(value)); break;
        case AcDb::kDxfInt16:
        case AcDb::kDxfBool: out.writeInt16(code, static_cast<Adesk::Int16>(integer(value))); break;
        case AcDb::kDxfInt32: out.writeInt32(code, static_cast<Adesk::Int32>(integer(value))); break;
        case AcDb::kDxfInt64: out.writeInt64(code, integer(value)); break;
        case AcDb::kDxfObjectId: {
            uint64_t h = 0;
            AcDbObjectId id;
            if (orv::io::parseDxfHandle(value, h) && h && db->getAcDbObjectId(id, false, AcDbHandle(h)) == Acad::eOk &&
                !id.isNull())
                out.writeObjectId(code, id);
            break;
        }
        default: out.writeString(code, value); break;
        }
    }
}

// The open dictionary a name stands for (read or write), or null.
template <AcDb::OpenMode Mode>
class DictionaryAccess {
public:
    explicit DictionaryAccess(const ads_name name) {
        if (idOf(name, mId)) mDict.open(mId, Mode);
    }
    AcDbDictionary* operator->() const { return mDict.object(); }
    explicit operator bool() const { return mDict.object() != nullptr; }
    AcDbObjectId id() const { return mId; }

private:
    AcDbObjectId mId;
    AcDbObjectPointer<AcDbDictionary> mDict;
};

}  // namespace

resbuf* acdbCarriedObjectGet(AcDbObjectId id) {
    AcDbObjectPointer<AcDbCarriedObject> object(id, AcDb::kForRead);
    if (!object) return nullptr;
    AcDbResbufDxfFiler out(id.database());
    resbuf head{};
    head.restype = -1;
    acdbGetAdsName(head.resval.rlname, id);
    out.append(head);
    out.writeString(0, object->dxfType());
    out.writeHandle(5, id.handle());
    std::vector<AcDbCarriedObject::Tag> tags;
    for (const auto& tag : object->tags())
        if (tag.first != 5) tags.push_back(tag);
    writeTags(out, tags, id.database());
    return out.takeList();
}

int acdbNamedObjDict(ads_name result) {
    AcDbObjectId root = acdbNamedObjectsDictionary(workingDb(), true);
    if (root.isNull()) return RTERROR;
    ads_name name;
    if (acdbGetAdsName(name, root) != Acad::eOk) return RTERROR;
    result[0] = name[0];
    result[1] = name[1];
    return RTNORM;
}

resbuf* acdbDictSearch(const ads_name dict, const char* name, int setNext) {
    DictionaryAccess<AcDb::kForRead> d(dict);
    if (!d || !name) return nullptr;
    const auto entries = d->entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!sameName(entries[i].first, name)) continue;
        if (setNext) cursors()[d.id().stub()] = i + 1;
        return acdbCarriedObjectGet(entries[i].second);
    }
    return nullptr;
}

resbuf* acdbDictNext(const ads_name dict, int rewind) {
    DictionaryAccess<AcDb::kForRead> d(dict);
    if (!d) return nullptr;
    size_t& next = cursors()[d.id().stub()];
    if (rewind) next = 0;
    const auto entries = d->entries();
    while (next < entries.size()) {
        if (resbuf* list = acdbCarriedObjectGet(entries[next++].second)) return list;
    }
    return nullptr;
}

int acdbDictAdd(const ads_name dict, const char* name, const ads_name object) {
    AcDbObjectId id;
    if (!name || !idOf(object, id)) return RTREJ;
    {
        AcDbObjectPointer<AcDbCarriedObject> added(id, AcDb::kForRead);
        if (!added) return RTREJ;  // entities and table records live elsewhere
    }
    AcDbObjectId dictId;
    {
        DictionaryAccess<AcDb::kForWrite> d(dict);
        if (!d || id == d.id() || d->setAt(name, id) != Acad::eOk) return RTREJ;
        dictId = d.id();
    }
    AcDbObjectPointer<AcDbCarriedObject> added(id, AcDb::kForWrite);
    if (added) added->setOwnerTag(dictId);
    return RTNORM;
}

int acdbObjectMake(const resbuf* groups, ads_name result) {
    AcDbDatabase* db = workingDb();
    if (!db) return RTERROR;
    std::string type;
    for (const resbuf* rb = groups; rb; rb = rb->rbnext)
        if (rb->restype == 0 && rb->resval.rstring) type = rb->resval.rstring;
    for (char& ch : type) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (type.empty() || orv::io::classesByDxfName().count(type)) return RTREJ;
    std::vector<AcDbCarriedObject::Tag> tags;
    for (const resbuf* rb = groups; rb && rb->restype != -3; rb = rb->rbnext) {
        const int code = rb->restype;
        if (code == -1 || code == 0 || code == 5) continue;
        switch (AcDb::dxfValueType(code)) {
        case AcDb::kDxfPoint:
            for (int i = 0; i < 3; ++i) tags.emplace_back(code + 10 * i, orv::io::formatDxfDouble(rb->resval.rpoint[i]));
            break;
        case AcDb::kDxfReal: tags.emplace_back(code, orv::io::formatDxfDouble(rb->resval.rreal)); break;
        case AcDb::kDxfInt16:
        case AcDb::kDxfBool: tags.emplace_back(code, std::to_string(rb->resval.rint)); break;
        case AcDb::kDxfInt32: tags.emplace_back(code, std::to_string(rb->resval.rlong)); break;
        case AcDb::kDxfInt64: tags.emplace_back(code, std::to_string(rb->resval.rlname[0])); break;
        case AcDb::kDxfObjectId: {
            AcDbObjectId ref;
            if (!idOf(rb->resval.rlname, ref) || ref.database() != db) return RTREJ;
            tags.emplace_back(code, ref.handle().asString());
            break;
        }
        default: tags.emplace_back(code, rb->resval.rstring ? rb->resval.rstring : ""); break;
        }
    }
    const bool dictionary = type == "DICTIONARY";
    if (dictionary && std::none_of(tags.begin(), tags.end(), [](const auto& t) { return t.first == 100; })) {
        tags.insert(tags.begin(), {100, "AcDbDictionary"});
        tags.insert(tags.begin() + 1, {281, "1"});
    }
    AcDbCarriedObject* object = dictionary ? new AcDbDictionary() : new AcDbCarriedObject();
    AcDbObjectId id;
    if (db->addAcDbObject(id, object) != Acad::eOk) {
        delete object;
        return RTERROR;
    }
    tags.insert(tags.begin(), {5, id.handle().asString()});
    object->setTags(type, std::move(tags));
    object->setOwnerTag(AcDbObjectId());
    object->close();
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return RTERROR;
    result[0] = name[0];
    result[1] = name[1];
    return RTNORM;
}

int acdbDictRemove(const ads_name dict, const char* name, ads_name removed) {
    DictionaryAccess<AcDb::kForWrite> d(dict);
    AcDbObjectId id;
    if (!d || !name || d->getAt(name, id) != Acad::eOk) return RTREJ;
    // Stepping on goes on after the removed entry, not past the one behind it.
    const auto entries = d->entries();
    size_t& next = cursors()[d.id().stub()];
    for (size_t i = 0; i < entries.size() && i < next; ++i)
        if (entries[i].second == id) {
            --next;
            break;
        }
    if (d->remove(name) != Acad::eOk) return RTREJ;
    ads_name gone = {0, 0};
    if (!id.isNull()) acdbGetAdsName(gone, id);
    removed[0] = gone[0];
    removed[1] = gone[1];
    return RTNORM;
}

int acdbDictRename(const ads_name dict, const char* oldName, const char* newName) {
    DictionaryAccess<AcDb::kForWrite> d(dict);
    if (!d || !oldName || !newName) return RTREJ;
    return d->setName(oldName, newName) == Acad::eOk ? RTNORM : RTREJ;
}
