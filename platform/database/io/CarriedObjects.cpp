// OBJECTS data placed as dictionaries and carried objects.
#include "database/io/CarriedObjects.h"

#include <algorithm>

#include "database/dbdatabase.h"
#include "database/io/DxfTags.h"

namespace orv::io {

Acad::ErrorStatus placeCarriedObject(AcDbDatabase* db, std::string type, std::vector<AcDbCarriedObject::Tag> tags,
                                     uint64_t handle, uint64_t maxHandle, const AcDbHandleResolver& resolve,
                                     AcDbObjectId& id) {
    AcDbCarriedObject* object = type == "DICTIONARY" ? new AcDbDictionary() : new AcDbCarriedObject();
    // A handle given twice keeps its tags under a new handle rather than
    // failing the read.
    Acad::ErrorStatus es = handle ? db->addAcDbObject(id, object, AcDbHandle(handle)) : Acad::eNullHandle;
    if (es != Acad::eOk) {
        db->setHandseed(AcDbHandle(maxHandle + 1));
        es = db->addAcDbObject(id, object);
    }
    if (es != Acad::eOk) {
        delete object;
        return es;
    }
    bool inGroup = false;
    for (const auto& [code, value] : tags) {
        if (code == 102) inGroup = !value.empty() && value[0] == '{';
        uint64_t owner = 0;
        if (code == 330 && !inGroup && parseDxfHandle(value, owner)) {
            object->setOwnerId(owner ? resolve(AcDbHandle(owner)) : AcDbObjectId());
            break;
        }
    }
    object->setTags(std::move(type), std::move(tags));
    object->close();
    return Acad::eOk;
}

bool adoptCarriedObjectText(AcDbDatabase* db, std::string& message) {
    std::string& text = db->carriedDxf().objects;
    if (text.empty()) return true;
    std::vector<DxfTag> tags;
    if (!tokenizeDxf(text, tags, message)) return false;
    uint64_t maxHandle = db->handseed().value();
    for (const DxfTag& t : tags) {
        uint64_t h = 0;
        if (t.code == 5 && parseDxfHandle(t.value, h)) maxHandle = std::max(maxHandle, h);
    }
    AcDbHandleResolver resolve = [db](AcDbHandle h) {
        AcDbObjectId id;
        db->getAcDbObjectId(id, true, h);
        return id;
    };
    for (size_t i = 0; i < tags.size();) {
        if (tags[i].code != 0) {
            message = "OBJECTS data does not start with a 0 group";
            return false;
        }
        std::string type(tags[i].value);
        std::vector<AcDbCarriedObject::Tag> own;
        uint64_t handle = 0;
        for (++i; i < tags.size() && tags[i].code != 0; ++i) {
            if (tags[i].code == 5 && !handle) parseDxfHandle(tags[i].value, handle);
            own.emplace_back(tags[i].code, std::string(tags[i].value));
        }
        AcDbObjectId id;
        if (Acad::ErrorStatus es = placeCarriedObject(db, type, std::move(own), handle, maxHandle, resolve, id);
            es != Acad::eOk) {
            message = "cannot place " + type + ": " + Acad::errorStatusText(es);
            return false;
        }
    }
    text.clear();
    db->setHandseed(AcDbHandle(maxHandle + 1));
    return true;
}

}  // namespace orv::io
