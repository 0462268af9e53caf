// Room extents index: a multi-level grid per drawing. Each room sits at the
// level whose cell size first covers its extents, in at most four cells, so
// a query looks at one cell per level in use. Model space is scanned only
// for entities appended since the last query; edited rooms are re-measured
// lazily. Entities are read only while opened for read; one that is open
// for write elsewhere at a query is looked at by a later one and meanwhile
// is a candidate everywhere (the caller opens candidates and checks them).
#include "rooms/RoomSpatialIndex.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "rooms/hvacRoom.h"

namespace {

struct CellKey {
    int level;
    int64_t ix, iy;
    bool operator==(const CellKey&) const = default;
};

struct CellKeyHash {
    size_t operator()(const CellKey& k) const noexcept {
        uint64_t h = static_cast<uint64_t>(k.ix) * 0x9E3779B97F4A7C15ull;
        h ^= static_cast<uint64_t>(k.iy) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
        return static_cast<size_t>(h ^ static_cast<uint64_t>(k.level + 64) * 0xC2B2AE3D27D4EB4Full);
    }
};

struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool contains(const AcGePoint2d& p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
};

struct Entry {
    AcDbObjectId id;
    size_t position = 0; // place in model space
    bool placed = false; // has a box in the grid
    bool dirty = false;  // waits in the re-measure list
    Box box;
    std::vector<CellKey> cells;
};

constexpr int kMinLevel = -40;
constexpr int kMaxLevel = 80;

double cellSize(int level) { return std::ldexp(1.0, level); }

int64_t cellOf(double v, int level) { return static_cast<int64_t>(std::floor(v / cellSize(level))); }

class DatabaseIndex {
public:
    explicit DatabaseIndex(AcDbDatabase* db) : mDb(db) {}
    AcDbDatabase* database() const { return mDb; }
    bool empty() const { return mEntries.empty(); }
    size_t size() const { return mEntries.size(); }

    void sync();
    std::vector<AcDbObjectId> candidatesAt(const AcGePoint2d& p) const;
    void markDirty(const hvacRoom* room);
    void remove(const hvacRoom* room);

private:
    void reset();
    void unplace(const hvacRoom* room, Entry& e);
    void place(const hvacRoom* room, Entry& e);
    void measure(const hvacRoom* room, Entry& e);

    AcDbDatabase* mDb;
    AcDbObjectId mModelSpace;
    size_t mScanned = 0;
    AcDbObjectId mLastScanned;
    std::unordered_map<const hvacRoom*, Entry> mEntries;
    // Rooms to re-measure (a list: clearing it must not cost the size of
    // the drawing).
    std::vector<const hvacRoom*> mDirty;
    std::unordered_map<CellKey, std::vector<const hvacRoom*>, CellKeyHash> mCells;
    std::map<int, size_t> mLevels; // level -> rooms placed there
    std::vector<const hvacRoom*> mUnmeasured;
    std::vector<std::pair<size_t, AcDbObjectId>> mUnopened; // model space place, id
};

// The indexes by drawing, and which index holds each room. Made on first
// use and kept while any room is indexed, so rooms of drawings deleted late
// still find them; released with the class when the module unloads.
using IndexMap = std::unordered_map<AcDbDatabase*, std::unique_ptr<DatabaseIndex>>;
using OwnerMap = std::unordered_map<const hvacRoom*, DatabaseIndex*>;
IndexMap* gIndexes = nullptr;
OwnerMap* gOwners = nullptr;

IndexMap& indexes() {
    if (!gIndexes) gIndexes = new IndexMap;
    return *gIndexes;
}
OwnerMap& owners() {
    if (!gOwners) gOwners = new OwnerMap;
    return *gOwners;
}

void DatabaseIndex::reset() {
    for (auto& [room, entry] : mEntries) owners().erase(room);
    mEntries.clear();
    mDirty.clear();
    mCells.clear();
    mLevels.clear();
    mUnmeasured.clear();
    mUnopened.clear();
    mScanned = 0;
    mLastScanned.setNull();
}

void DatabaseIndex::unplace(const hvacRoom* room, Entry& e) {
    if (!e.placed) return;
    for (const CellKey& key : e.cells) {
        auto it = mCells.find(key);
        if (it == mCells.end()) continue;
        std::vector<const hvacRoom*>& rooms = it->second;
        auto found = std::find(rooms.begin(), rooms.end(), room);
        if (found != rooms.end()) {
            *found = rooms.back();
            rooms.pop_back();
        }
        if (rooms.empty()) mCells.erase(it);
    }
    if (!e.cells.empty() && --mLevels[e.cells.front().level] == 0) mLevels.erase(e.cells.front().level);
    e.cells.clear();
    e.placed = false;
}

// Measures the outline (slightly widened, so that hits within the
// geometric tolerance of an edge are kept) and files it in the grid.
void DatabaseIndex::place(const hvacRoom* room, Entry& e) {
    unplace(room, e);
    const std::vector<RoomPoint>& points = room->points();
    if (points.empty()) return;
    Box b{points[0].point.x, points[0].point.y, points[0].point.x, points[0].point.y};
    for (const RoomPoint& p : points) {
        b.minX = std::min(b.minX, p.point.x);
        b.minY = std::min(b.minY, p.point.y);
        b.maxX = std::max(b.maxX, p.point.x);
        b.maxY = std::max(b.maxY, p.point.y);
    }
    const double span = std::max(b.maxX - b.minX, b.maxY - b.minY);
    const double margin = 1e-6 * std::max({1.0, span, std::fabs(b.minX), std::fabs(b.maxX), std::fabs(b.minY),
                                           std::fabs(b.maxY)});
    b.minX -= margin;
    b.minY -= margin;
    b.maxX += margin;
    b.maxY += margin;
    if (!std::isfinite(b.minX) || !std::isfinite(b.minY) || !std::isfinite(b.maxX) || !std::isfinite(b.maxY)) return;
    const double size = std::max(b.maxX - b.minX, b.maxY - b.minY);
    int level = static_cast<int>(std::ceil(std::log2(size)));
    level = std::clamp(level, kMinLevel, kMaxLevel);
    // Coordinates too far out for the grid's integer cells go to the top level.
    while (level < kMaxLevel && std::max({std::fabs(b.minX), std::fabs(b.maxX), std::fabs(b.minY),
                                          std::fabs(b.maxY)}) / cellSize(level) > 1e15)
        ++level;
    e.box = b;
    const int64_t x0 = cellOf(b.minX, level), x1 = cellOf(b.maxX, level);
    const int64_t y0 = cellOf(b.minY, level), y1 = cellOf(b.maxY, level);
    for (int64_t ix = x0; ix <= x1; ++ix)
        for (int64_t iy = y0; iy <= y1; ++iy) {
            CellKey key{level, ix, iy};
            mCells[key].push_back(room);
            e.cells.push_back(key);
        }
    ++mLevels[level];
    e.placed = true;
}

void DatabaseIndex::markDirty(const hvacRoom* room) {
    auto it = mEntries.find(room);
    if (it == mEntries.end() || it->second.dirty) return;
    it->second.dirty = true;
    mDirty.push_back(room);
}

void DatabaseIndex::remove(const hvacRoom* room) {
    auto it = mEntries.find(room);
    if (it == mEntries.end()) return;
    unplace(room, it->second);
    std::erase(mDirty, room);
    std::erase(mUnmeasured, room);
    mEntries.erase(it);
}

// Takes in the entities appended to model space since the last query (or
// starts over when model space was rearranged), then re-measures the rooms
// that changed.
void DatabaseIndex::sync() {
    AcDbObjectId ms = mDb->modelSpaceId();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, ms, AcDb::kForRead) != Acad::eOk) {
        reset();
        return;
    }
    const std::vector<AcDbObjectId>& ids = space->entityIds();
    if (ms != mModelSpace || ids.size() < mScanned || (mScanned > 0 && ids[mScanned - 1] != mLastScanned)) {
        reset();
        mModelSpace = ms;
    }
    std::vector<std::pair<size_t, AcDbObjectId>> toOpen;
    toOpen.swap(mUnopened);
    for (size_t i = mScanned; i < ids.size(); ++i) toOpen.emplace_back(i, ids[i]);
    for (const auto& [i, id] : toOpen) {
        hvacRoom* room = nullptr;
        const Acad::ErrorStatus es = acdbOpenObject(room, id, AcDb::kForRead, true);
        if (es == Acad::eWasOpenForWrite) mUnopened.emplace_back(i, id);
        if (es != Acad::eOk) continue;
        room->close();
        Entry& e = mEntries[room];
        e.id = id;
        e.position = i;
        owners()[room] = this;
        if (!e.dirty) {
            e.dirty = true;
            mDirty.push_back(room);
        }
    }
    mScanned = ids.size();
    mLastScanned = ids.empty() ? AcDbObjectId() : ids.back();
    space->close();
    std::vector<const hvacRoom*> dirty;
    dirty.swap(mDirty);
    dirty.insert(dirty.end(), mUnmeasured.begin(), mUnmeasured.end());
    mUnmeasured.clear();
    std::sort(dirty.begin(), dirty.end());
    dirty.erase(std::unique(dirty.begin(), dirty.end()), dirty.end());
    for (const hvacRoom* room : dirty) {
        auto it = mEntries.find(room);
        if (it == mEntries.end()) continue;
        it->second.dirty = false;
        measure(room, it->second);
    }
}

// Opens the room for read to place it; a room open for write elsewhere is
// left for the next query.
void DatabaseIndex::measure(const hvacRoom* room, Entry& e) {
    hvacRoom* opened = nullptr;
    if (acdbOpenObject(opened, e.id, AcDb::kForRead, true) != Acad::eOk || opened != room) {
        unplace(room, e);
        mUnmeasured.push_back(room);
        return;
    }
    place(room, e);
    opened->close();
}

std::vector<AcDbObjectId> DatabaseIndex::candidatesAt(const AcGePoint2d& p) const {
    std::vector<const Entry*> found;
    for (const hvacRoom* room : mUnmeasured) {
        const Entry& e = mEntries.at(room);
        if (!e.id.isErased()) found.push_back(&e);
    }
    for (const auto& [level, count] : mLevels) {
        auto it = mCells.find(CellKey{level, cellOf(p.x, level), cellOf(p.y, level)});
        if (it == mCells.end()) continue;
        for (const hvacRoom* room : it->second) {
            const Entry& e = mEntries.at(room);
            if (e.box.contains(p) && !e.id.isErased()) found.push_back(&e);
        }
    }
    std::vector<std::pair<size_t, AcDbObjectId>> placed;
    placed.reserve(found.size() + mUnopened.size());
    for (const Entry* e : found) placed.emplace_back(e->position, e->id);
    for (const auto& [position, id] : mUnopened)
        if (!id.isErased()) placed.emplace_back(position, id);
    std::sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<AcDbObjectId> result;
    result.reserve(placed.size());
    for (const auto& [position, id] : placed) result.push_back(id);
    return result;
}

void dropIfEmpty(DatabaseIndex* index) {
    if (index->empty()) indexes().erase(index->database());
}

} // namespace

std::vector<AcDbObjectId> RoomSpatialIndex::candidatesAt(AcDbDatabase* db, const AcGePoint2d& p) {
    if (!db) return {};
    std::unique_ptr<DatabaseIndex>& slot = indexes()[db];
    if (!slot) slot = std::make_unique<DatabaseIndex>(db);
    DatabaseIndex* index = slot.get();
    index->sync();
    std::vector<AcDbObjectId> result = index->candidatesAt(p);
    // An index without rooms is not kept: nothing would tell it when its
    // drawing goes away.
    dropIfEmpty(index);
    return result;
}

void RoomSpatialIndex::noteChanged(const hvacRoom* room) {
    auto it = owners().find(room);
    if (it != owners().end()) it->second->markDirty(room);
}

void RoomSpatialIndex::forget(const hvacRoom* room) {
    auto it = owners().find(room);
    if (it == owners().end()) return;
    DatabaseIndex* index = it->second;
    owners().erase(it);
    index->remove(room);
    dropIfEmpty(index);
}

size_t RoomSpatialIndex::indexedRoomCount(AcDbDatabase* db) {
    auto it = indexes().find(db);
    return it == indexes().end() ? 0 : it->second->size();
}

size_t RoomSpatialIndex::indexCount() { return indexes().size(); }

void RoomSpatialIndex::releaseIfUnused() {
    if ((gIndexes && !gIndexes->empty()) || (gOwners && !gOwners->empty())) return;
    delete gIndexes;
    gIndexes = nullptr;
    delete gOwners;
    gOwners = nullptr;
}
