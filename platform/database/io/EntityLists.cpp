// Entity lists through the result-buffer filer. Lists written by hand
// usually leave out the subclass markers; entmake puts them back in the
// order the class writes them, taken from a fresh instance's own output.
#include "database/io/EntityLists.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/DictionaryLists.h"
#include "database/io/DrawingObjects.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

AcDbDatabase* workingDb() { return acdbHostApplicationServices()->workingDatabase(); }

bool entityOf(const ads_name name, AcDbObjectId& id) {
    return acdbGetObjectId(id, name) == Acad::eOk && !id.isNull();
}

// Groups the entity base reads before its class's own marker.
bool isCommonEntityGroup(int code) {
    return code == 8 || code == 6 || code == 62 || code == 48 || code == 60 || code == 370 || code == 67;
}

std::vector<std::string> subclassMarkers(AcDbEntity* sample) {
    std::vector<std::string> markers;
    AcDbResbufDxfFiler out(nullptr);
    sample->dxfOutFields(&out);
    resbuf* list = out.takeList();
    for (resbuf* rb = list; rb; rb = rb->rbnext)
        if (rb->restype == 100 && rb->resval.rstring) markers.emplace_back(rb->resval.rstring);
    orvReleaseResbufs(list);
    return markers;
}

}  // namespace

resbuf* acdbEntGet(const ads_name entity) {
    AcDbObjectId id;
    if (!entityOf(entity, id)) return nullptr;
    AcDbEntityPointer e(id, AcDb::kForRead);
    if (!e) return acdbCarriedObjectGet(id);  // a dictionary or another object of the OBJECTS data
    AcDbResbufDxfFiler filer(id.database());
    resbuf head{};
    head.restype = -1;
    std::memcpy(head.resval.rlname, entity, sizeof(ads_name));
    filer.append(head);
    std::string type = orv::io::filedClassOf(e.object()).dxfName;
    head.restype = 0;
    head.resval.rstring = type.data();
    filer.append(head);
    if (e->dxfOutFields(&filer) != Acad::eOk) return nullptr;
    return filer.takeList();
}

int acdbEntMake(const resbuf* groups) {
    AcDbDatabase* db = workingDb();
    if (!db) return RTERROR;
    std::string type;
    bool hasMarkers = false;
    for (const resbuf* rb = groups; rb; rb = rb->rbnext) {
        if (rb->restype == 0 && rb->resval.rstring) type = rb->resval.rstring;
        if (rb->restype == 100) hasMarkers = true;
    }
    for (char& ch : type) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const auto classes = orv::io::classesByDxfName();
    auto found = classes.find(type);
    if (found == classes.end()) return RTREJ;
    AcDbObjectPointer<AcDbEntity> entity;
    {
        AcDbEntity* made = AcDbEntity::cast(orv::io::createObjectOfClass(found->second));
        if (!made) return RTREJ;
        entity.acquire(made);
    }

    // The list the class reads: no name, type, handle or owner; markers put
    // back where missing; extended data (after -3) at the end.
    AcDbResbufDxfFiler canonical(nullptr);
    std::vector<const resbuf*> common, own, xdata;
    bool inXData = false;
    for (const resbuf* rb = groups; rb; rb = rb->rbnext) {
        if (rb->restype == -3) {
            inXData = true;
            continue;
        }
        if (inXData) xdata.push_back(rb);
        else if (rb->restype == -1 || rb->restype == 0 || rb->restype == 5 || rb->restype == 330) continue;
        else if (!hasMarkers && isCommonEntityGroup(rb->restype)) common.push_back(rb);
        else own.push_back(rb);
    }
    if (!hasMarkers) {
        std::vector<std::string> markers = subclassMarkers(entity.object());
        resbuf marker{};
        marker.restype = 100;
        if (!markers.empty()) {
            marker.resval.rstring = markers[0].data();
            canonical.append(marker);
        }
        for (const resbuf* rb : common) canonical.append(*rb);
        for (size_t i = 1; i < markers.size(); ++i) {
            marker.resval.rstring = markers[i].data();
            canonical.append(marker);
        }
    }
    for (const resbuf* rb : own) canonical.append(*rb);
    for (const resbuf* rb : xdata) canonical.append(*rb);
    resbuf* list = canonical.takeList();

    AcDbResbufDxfFiler in(list, db, false);
    entity->setDatabaseDefaults(db);
    Acad::ErrorStatus es = entity->dxfIn(&in);
    orvReleaseResbufs(list);
    if (es != Acad::eOk && es != Acad::eEndOfObject) return RTREJ;

    AcDbBlockTableRecord* ms = nullptr;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return RTERROR;
    AcDbEntity* raw = entity.detach();
    es = ms->appendAcDbEntity(raw);
    ms->close();
    if (es != Acad::eOk) {
        delete raw;
        return RTREJ;
    }
    raw->close();
    return RTNORM;
}

namespace {

int nameOf(AcDbObjectId id, int64_t* result) {
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return RTERROR;
    result[0] = name[0];
    result[1] = name[1];
    return RTNORM;
}

std::vector<AcDbObjectId> modelSpaceIds(AcDbDatabase* db) {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
    if (!ms) return {};
    return ms->entityIds();
}

}  // namespace

int acdbEntLast(ads_name result) {
    AcDbDatabase* db = workingDb();
    if (!db) return RTERROR;
    std::vector<AcDbObjectId> ids = modelSpaceIds(db);
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        if (!it->isErased()) return nameOf(*it, result);
    }
    return RTERROR;
}

int acdbEntNext(const ads_name entity, ads_name result) {
    AcDbDatabase* db = workingDb();
    if (!db) return RTERROR;
    std::vector<AcDbObjectId> ids = modelSpaceIds(db);
    size_t start = 0;
    if (entity[0] != 0 || entity[1] != 0) {
        AcDbObjectId id;
        if (!entityOf(entity, id)) return RTERROR;
        auto it = std::find(ids.begin(), ids.end(), id);
        if (it == ids.end()) return RTERROR;
        start = static_cast<size_t>(it - ids.begin()) + 1;
    }
    for (size_t i = start; i < ids.size(); ++i) {
        if (!ids[i].isErased()) return nameOf(ids[i], result);
    }
    return RTERROR;
}

int acdbEntDel(const ads_name entity) {
    AcDbObjectId id;
    if (!entityOf(entity, id)) return RTERROR;
    const bool erased = id.isErased();
    AcDbEntity* e = nullptr;
    if (acdbOpenObject(e, id, AcDb::kForWrite, true) != Acad::eOk) return RTERROR;
    Acad::ErrorStatus es = e->erase(!erased);
    e->close();
    return es == Acad::eOk ? RTNORM : RTERROR;
}
