// Selection sets: the set table, spatial selection over entity extents and
// the choice of entities by mode.
#include "editor/EditorSelection.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/EntityLists.h"
#include "editor/EditorInput.h"

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

struct Box {
    double x0, y0, x1, y1;
};

bool extentsOf(AcDbObjectId id, Box& box) {
    AcDbEntityPointer entity(id, AcDb::kForRead);
    AcDbExtents extents;
    if (!entity || entity->getGeomExtents(extents) != Acad::eOk || extents.isEmpty()) return false;
    box = {extents.minPoint().x, extents.minPoint().y, extents.maxPoint().x, extents.maxPoint().y};
    return true;
}

using Polygon = std::vector<std::pair<double, double>>;

bool insidePolygon(const Polygon& polygon, double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        auto [xi, yi] = polygon[i];
        auto [xj, yj] = polygon[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

bool segmentsCross(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy) {
    auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
        double cross = (qx - px) * (ry - py) - (qy - py) * (rx - px);
        return (cross > 0) - (cross < 0);
    };
    int s1 = side(ax, ay, bx, by, cx, cy), s2 = side(ax, ay, bx, by, dx, dy);
    int s3 = side(cx, cy, dx, dy, ax, ay), s4 = side(cx, cy, dx, dy, bx, by);
    return s1 * s2 <= 0 && s3 * s4 <= 0 &&
           std::max(ax, bx) >= std::min(cx, dx) && std::max(cx, dx) >= std::min(ax, bx) &&
           std::max(ay, by) >= std::min(cy, dy) && std::max(cy, dy) >= std::min(ay, by);
}

bool boxInPolygon(const Polygon& polygon, const Box& b) {
    return insidePolygon(polygon, b.x0, b.y0) && insidePolygon(polygon, b.x1, b.y0) &&
           insidePolygon(polygon, b.x1, b.y1) && insidePolygon(polygon, b.x0, b.y1);
}

bool boxTouchesPolygon(const Polygon& polygon, const Box& b) {
    if (insidePolygon(polygon, b.x0, b.y0)) return true;
    for (auto [x, y] : polygon)
        if (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1) return true;
    const double corners[4][2] = {{b.x0, b.y0}, {b.x1, b.y0}, {b.x1, b.y1}, {b.x0, b.y1}};
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
        for (int k = 0; k < 4; ++k)
            if (segmentsCross(polygon[j].first, polygon[j].second, polygon[i].first, polygon[i].second,
                              corners[k][0], corners[k][1], corners[(k + 1) % 4][0], corners[(k + 1) % 4][1]))
                return true;
    return false;
}

// Half the pick box: how far from a picked point an entity's extents may be.
constexpr double kPickTolerance = 1e-6;

// The topmost (last drawn) entity whose extents hold the point.
bool pickAt(const AcGePoint3d& point, AcDbObjectId& picked) {
    std::vector<AcDbObjectId> ids = liveModelSpace();
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        Box b;
        if (extentsOf(*it, b) && point.x >= b.x0 - kPickTolerance && point.x <= b.x1 + kPickTolerance &&
            point.y >= b.y0 - kPickTolerance && point.y <= b.y1 + kPickTolerance) {
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

bool pointsOfList(const void* list, Polygon& polygon) {
    for (const resbuf* rb = static_cast<const resbuf*>(list); rb; rb = rb->rbnext) {
        if (rb->restype != RTPOINT && rb->restype != RT3DPOINT) return false;
        polygon.emplace_back(rb->resval.rpoint[0], rb->resval.rpoint[1]);
    }
    return polygon.size() >= 3;
}

// The candidates of a mode before filtering; false for a bad mode or arguments.
bool candidates(const std::string& mode, const void* pt1, const void* pt2, std::vector<AcDbObjectId>& ids) {
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
        Box area{std::min(a[0], b[0]), std::min(a[1], b[1]), std::max(a[0], b[0]), std::max(a[1], b[1])};
        for (const AcDbObjectId& id : liveModelSpace()) {
            Box e;
            if (!extentsOf(id, e)) continue;
            bool inside = e.x0 >= area.x0 && e.x1 <= area.x1 && e.y0 >= area.y0 && e.y1 <= area.y1;
            bool touches = e.x0 <= area.x1 && e.x1 >= area.x0 && e.y0 <= area.y1 && e.y1 >= area.y0;
            if (mode == "W" ? inside : touches) ids.push_back(id);
        }
        return true;
    }
    if (mode == "WP" || mode == "CP") {
        Polygon polygon;
        if (!pointsOfList(pt1, polygon)) return false;
        for (const AcDbObjectId& id : liveModelSpace()) {
            Box e;
            if (extentsOf(id, e) && (mode == "WP" ? boxInPolygon(polygon, e) : boxTouchesPolygon(polygon, e)))
                ids.push_back(id);
        }
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
    if (!candidates(modeName(mode), pt1, pt2, ids)) return RTERROR;
    std::vector<AcDbObjectId> selected;
    for (const AcDbObjectId& id : ids)
        if (filterPasses(filter, id)) selected.push_back(id);
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
