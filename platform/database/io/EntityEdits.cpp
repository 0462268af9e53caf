// entmod through the entity's own DXF input, entupd and handent.
#include "database/io/EntityEdits.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/io/DrawingObjects.h"
#include "database/io/EntityLists.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

bool liveEntity(const ads_name name, AcDbObjectId& id) {
    return acdbGetObjectId(id, name) == Acad::eOk && !id.isNull() && !id.isErased();
}

bool isFiledOnly(int code) { return code == -1 || code == 0 || code == 5 || code == 330; }

// Groups every entity has, read in its AcDbEntity section.
bool isCommonEntityGroup(int code) {
    return code == 8 || code == 6 || code == 62 || code == 48 || code == 60 || code == 370 || code == 67;
}

// Where a group missing from the entity's list goes: common groups at the
// end of the AcDbEntity section (before the second subclass marker), the
// rest at the end.
size_t insertPosition(const std::vector<resbuf>& groups, int code) {
    if (!isCommonEntityGroup(code)) return groups.size();
    int markers = 0;
    for (size_t i = 0; i < groups.size(); ++i)
        if (groups[i].restype == 100 && ++markers == 2) return i;
    return groups.size();
}

// The entity's current groups with the given ones put in: each given group
// replaces the first not yet replaced group of the same code, or is added
// before the extended data; a given -3 section replaces the extended data.
resbuf* mergedList(const resbuf* current, const resbuf* given) {
    std::vector<resbuf> groups, xdata;
    bool inXData = false;
    for (const resbuf* rb = current; rb; rb = rb->rbnext) {
        if (rb->restype == -3) inXData = true;
        else if (inXData) xdata.push_back(*rb);
        else if (!isFiledOnly(rb->restype)) groups.push_back(*rb);
    }
    std::vector<bool> replaced(groups.size(), false);
    std::vector<resbuf> newXData;
    bool givenXData = false;
    for (const resbuf* rb = given; rb; rb = rb->rbnext) {
        if (rb->restype == -3) {
            givenXData = true;
            continue;
        }
        if (givenXData) {
            newXData.push_back(*rb);
            continue;
        }
        if (isFiledOnly(rb->restype)) continue;
        bool done = false;
        for (size_t i = 0; i < groups.size() && !done; ++i) {
            if (groups[i].restype == rb->restype && !replaced[i]) {
                groups[i] = *rb;
                replaced[i] = done = true;
            }
        }
        if (!done) {
            size_t at = insertPosition(groups, rb->restype);
            groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(at), *rb);
            replaced.insert(replaced.begin() + static_cast<std::ptrdiff_t>(at), true);
        }
    }
    AcDbResbufDxfFiler out(nullptr);
    for (const resbuf& g : groups) {
        resbuf copy = g;
        copy.rbnext = nullptr;
        out.append(copy);
    }
    const std::vector<resbuf>& finalXData = givenXData ? newXData : xdata;
    if (!finalXData.empty()) {
        resbuf marker{};
        marker.restype = -3;
        out.append(marker);
        for (const resbuf& g : finalXData) {
            resbuf copy = g;
            copy.rbnext = nullptr;
            out.append(copy);
        }
    }
    return out.takeList();
}

std::string typeOf(const resbuf* list) {
    for (const resbuf* rb = list; rb; rb = rb->rbnext)
        if (rb->restype == 0 && rb->resval.rstring) {
            std::string type = rb->resval.rstring;
            for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return type;
        }
    return {};
}

}  // namespace

int acdbEntMod(const resbuf* groups) {
    const resbuf* nameGroup = groups;
    while (nameGroup && nameGroup->restype != -1) nameGroup = nameGroup->rbnext;
    AcDbObjectId id;
    if (!nameGroup || !liveEntity(nameGroup->resval.rlname, id)) return RTERROR;
    resbuf* current = acdbEntGet(nameGroup->resval.rlname);
    if (!current) return RTERROR;
    std::string type = typeOf(current), wanted = typeOf(groups);
    resbuf* merged = mergedList(current, groups);
    orvReleaseResbufs(current);
    if (!wanted.empty() && wanted != type) {
        orvReleaseResbufs(merged);
        return RTREJ;
    }

    // A scratch instance of the class must accept the list first.
    const auto classes = orv::io::classesByDxfName();
    auto found = classes.find(type);
    AcDbDatabase* db = id.database();
    bool accepted = false;
    if (found != classes.end()) {
        AcDbObjectPointer<AcDbEntity> scratch;
        if (AcDbEntity* made = AcDbEntity::cast(orv::io::createObjectOfClass(found->second))) {
            scratch.acquire(made);
            AcDbResbufDxfFiler trial(merged, db, false);
            Acad::ErrorStatus es = scratch->dxfIn(&trial);
            accepted = es == Acad::eOk || es == Acad::eEndOfObject;
        }
    }
    int status = RTREJ;
    if (accepted) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForWrite) == Acad::eOk) {
            AcDbResbufDxfFiler in(merged, db, false);
            Acad::ErrorStatus es = entity->dxfIn(&in);
            entity->close();
            status = es == Acad::eOk || es == Acad::eEndOfObject ? RTNORM : RTREJ;
        } else {
            status = RTERROR;
        }
    }
    orvReleaseResbufs(merged);
    return status;
}

int acdbEntUpd(const ads_name entity) {
    AcDbObjectId id;
    return liveEntity(entity, id) ? RTNORM : RTERROR;
}

int acdbHandEnt(const char* handle, ads_name result) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !handle || !*handle) return RTERROR;
    for (const char* p = handle; *p; ++p)
        if (!std::isxdigit(static_cast<unsigned char>(*p))) return RTERROR;
    AcDbHandle value(handle);
    AcDbObjectId id;
    if (value.isNull() || db->getAcDbObjectId(id, false, value) != Acad::eOk || id.isNull() || id.isErased())
        return RTERROR;
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return RTERROR;
    result[0] = name[0];
    result[1] = name[1];
    return RTNORM;
}
