// Selection sets: the set table, spatial selection over what entities draw
// (through the editor's grid index) and the choice of entities by mode.
#include "editor/EditorSelection.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/EntityLists.h"
#include "editor/EditorInput.h"
#include "editor/EntityGridIndex.h"
#include "editor/EntityOutline.h"
#include "editor/EditorView.h"

namespace {

struct SelectionTable {
    std::map<int64_t, std::vector<AcDbObjectId>> sets;
    int64_t next = 1;
    std::vector<AcDbObjectId> previous;
    bool hasPrevious = false;
};

SelectionTable& table() {
    static SelectionTable selections;
    return selections;
}

std::vector<AcDbObjectId>* findSet(const ads_name ss) {
    if (!ss) return nullptr;
    auto found = table().sets.find(ss[0]);
    return found == table().sets.end() || ss[1] != 0 ? nullptr : &found->second;
}

int newSet(std::vector<AcDbObjectId> ids, ads_name ss) {
    int64_t number = table().next++;
    table().sets[number] = std::move(ids);
    ss[0] = number;
    ss[1] = 0;
    return RTNORM;
}

bool idOf(const ads_name entity, AcDbObjectId& id) {
    return entity && acdbGetObjectId(id, entity) == Acad::eOk && !id.isNull();
}

std::vector<AcDbObjectId> liveModelSpace() {
    std::vector<AcDbObjectId> ids;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return ids;
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
    if (!ms) return ids;
    for (const AcDbObjectId& id : ms->entityIds())
        if (!id.isErased()) ids.push_back(id);
    return ids;
}

// The working drawing's entities whose drawn extents meet the box.
std::vector<AcDbObjectId> indexed(const AcGePoint2d& low, const AcGePoint2d& high) {
    return acedIndexedEntitiesIn(acdbHostApplicationServices()->workingDatabase(), low, high);
}

EntityOutline outlineOf(AcDbObjectId id) {
    AcDbEntityPointer entity(id, AcDb::kForRead);
    return entity ? entityOutline(entity.object()) : EntityOutline{};
}

// The topmost (last drawn) entity whose drawing passes through the pick box
// around the point.
bool pickAt(const AcGePoint3d& point, AcDbObjectId& picked) {
    const double h = acedPickBoxHalfSize();
    const SelectionBox box{point.x - h, point.y - h, point.x + h, point.y + h};
    std::vector<AcDbObjectId> ids = indexed(AcGePoint2d(box.x0, box.y0), AcGePoint2d(box.x1, box.y1));
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        if (outlineCrosses(outlineOf(*it), box)) {
            picked = *it;
            return true;
        }
    }
    return false;
}

// The entity's extended data after a -3 marker, as a filter with (-3
// ("APP")) tests it.
void appendXDataGroups(resbuf* groups, AcDbObjectId id) {
    if (!groups) return;
    AcDbObject* object = nullptr;
    if (acdbOpenObject(object, id, AcDb::kForRead) != Acad::eOk) return;
    resbuf* xdata = object->xData();
    object->close();
    if (!xdata) return;
    resbuf* last = groups;
    while (last->rbnext) last = last->rbnext;
    last->rbnext = acutBuildList(-3, 0);
    last->rbnext->rbnext = xdata;
}

bool filterPasses(const resbuf* filter, AcDbObjectId id) {
    if (!filter) return true;
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return false;
    resbuf* groups = acdbEntGet(name);
    appendXDataGroups(groups, id);
    bool passes = groups && acedFilterMatches(filter, groups);
    acutRelRb(groups);
    return passes;
}

std::string modeName(const char* mode) {
    std::string text = mode ? mode : "";
    while (!text.empty() && (text[0] == '_' || text[0] == '.')) text.erase(0, 1);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool pointsOfList(const void* list, SelectionPolygon& polygon) {
    for (const resbuf* rb = static_cast<const resbuf*>(list); rb; rb = rb->rbnext) {
        if (rb->restype != RTPOINT && rb->restype != RT3DPOINT) return false;
        if (!std::isfinite(rb->resval.rpoint[0]) || !std::isfinite(rb->resval.rpoint[1])) return false;
        polygon.emplace_back(rb->resval.rpoint[0], rb->resval.rpoint[1]);
    }
    return polygon.size() >= 3;
}

// What a spatial mode asks of an entity's outline (empty for other modes).
using ShapeTest = std::function<bool(const EntityOutline&)>;

// The candidates of a mode before filtering; false for a bad mode or arguments.
bool candidates(const std::string& mode, const void* pt1, const void* pt2, std::vector<AcDbObjectId>& ids,
                ShapeTest& test) {
    if (mode == "X") {
        ids = liveModelSpace();
        return true;
    }
    if (mode == "L") {
        ads_name last;
        AcDbObjectId id;
        if (acdbEntLast(last) == RTNORM && idOf(last, id)) ids.push_back(id);
        return true;
    }
    if (mode == "P") {
        // The previous selection of this drawing: ids of a drawing closed
        // since (or of another open one) are left out.
        if (!table().hasPrevious) return true;
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        for (const AcDbObjectId& id : table().previous)
            if (AcDbStubStore::isLive(id.stub()) && id.database() == db && !id.isErased()) ids.push_back(id);
        return true;
    }
    if (mode == "W" || mode == "C") {
        if (!pt1 || !pt2) return false;
        const double* a = static_cast<const double*>(pt1);
        const double* b = static_cast<const double*>(pt2);
        const SelectionBox area{std::min(a[0], b[0]), std::min(a[1], b[1]), std::max(a[0], b[0]),
                                std::max(a[1], b[1])};
        if (!std::isfinite(area.x0) || !std::isfinite(area.y0) || !std::isfinite(area.x1) || !std::isfinite(area.y1))
            return false;
        ids = indexed(AcGePoint2d(area.x0, area.y0), AcGePoint2d(area.x1, area.y1));
        if (mode == "W") test = [area](const EntityOutline& o) { return outlineInside(o, area); };
        else test = [area](const EntityOutline& o) { return outlineCrosses(o, area); };
        return true;
    }
    if (mode == "WP" || mode == "CP") {
        SelectionPolygon polygon;
        if (!pointsOfList(pt1, polygon)) return false;
        AcGePoint2d low = polygon[0], high = polygon[0];
        for (const AcGePoint2d& p : polygon) {
            low.set(std::min(low.x, p.x), std::min(low.y, p.y));
            high.set(std::max(high.x, p.x), std::max(high.y, p.y));
        }
        ids = indexed(low, high);
        if (mode == "WP") test = [polygon](const EntityOutline& o) { return outlineInside(o, polygon); };
        else test = [polygon](const EntityOutline& o) { return outlineCrosses(o, polygon); };
        return true;
    }
    if (mode.empty()) {  // picks from the input queue until Enter
        for (;;) {
            ads_point p;
            acutPrintf("\nSelect objects: ");
            int status = acedGetPoint(nullptr, nullptr, p);
            if (status != RTNORM) return status == RTNONE;
            AcDbObjectId id;
            if (pickAt(AcGePoint3d(p[0], p[1], p[2]), id) && std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(id);
        }
    }
    return false;
}

}  // namespace

int acedSSGet(const char* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss) {
    if (!ss) return RTERROR;
    std::vector<AcDbObjectId> ids;
    ShapeTest test;
    if (!candidates(modeName(mode), pt1, pt2, ids, test)) return RTERROR;
    std::vector<AcDbObjectId> selected;
    for (const AcDbObjectId& id : ids)
        if (filterPasses(filter, id) && (!test || test(outlineOf(id)))) selected.push_back(id);
    if (selected.empty()) return RTERROR;
    table().previous = selected;
    table().hasPrevious = true;
    return newSet(std::move(selected), ss);
}

int acedSSFree(const ads_name ss) {
    if (!findSet(ss)) return RTERROR;
    table().sets.erase(ss[0]);
    return RTNORM;
}

int acedSSLength(const ads_name ss, int32_t* length) {
    auto* set = findSet(ss);
    if (!set || !length) return RTERROR;
    *length = static_cast<int32_t>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, int32_t index, ads_name entity) {
    auto* set = findSet(ss);
    if (!set || index < 0 || static_cast<size_t>(index) >= set->size()) return RTERROR;
    ads_name name;
    if (acdbGetAdsName(name, (*set)[static_cast<size_t>(index)]) != Acad::eOk) return RTERROR;
    entity[0] = name[0];
    entity[1] = name[1];
    return RTNORM;
}

int acedSSAdd(const ads_name entity, const ads_name ss, ads_name result) {
    AcDbObjectId id;
    bool haveEntity = entity && (entity[0] || entity[1]);
    if (haveEntity && !idOf(entity, id)) return RTERROR;
    bool haveSet = ss && (ss[0] || ss[1]);
    if (!haveSet) return newSet(haveEntity ? std::vector<AcDbObjectId>{id} : std::vector<AcDbObjectId>{}, result);
    auto* set = findSet(ss);
    if (!set) return RTERROR;
    if (haveEntity && std::find(set->begin(), set->end(), id) == set->end()) set->push_back(id);
    result[0] = ss[0];
    result[1] = ss[1];
    return RTNORM;
}

int acedSSDel(const ads_name entity, const ads_name ss) {
    auto* set = findSet(ss);
    AcDbObjectId id;
    if (!set || !idOf(entity, id)) return RTERROR;
    auto found = std::find(set->begin(), set->end(), id);
    if (found == set->end()) return RTERROR;
    set->erase(found);
    return RTNORM;
}

int acedSSMemb(const ads_name entity, const ads_name ss) {
    auto* set = findSet(ss);
    AcDbObjectId id;
    if (!set || !idOf(entity, id)) return RTERROR;
    return std::find(set->begin(), set->end(), id) != set->end() ? RTNORM : RTERROR;
}

int acedSSPrevious(ads_name ss) {
    if (!table().hasPrevious) return RTERROR;
    return newSet(table().previous, ss);
}
