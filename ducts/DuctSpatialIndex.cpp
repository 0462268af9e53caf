// Duct extents index: a multi-level grid per drawing. Each duct sits at the
// level whose cell size first covers its plan extents, in at most four
// cells, so a box query looks at a few cells per level in use. Model space
// is scanned only for entities appended since the last query; edited ducts
// are re-measured lazily.
#include "ducts/DuctSpatialIndex.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>

#include "database/dbdatabase.h"
#include "database/dbstub.h"
#include "database/dbsymtab.h"
#include "ducts/ZkDuct.h"

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
    bool meets(const Box& o) const { return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY; }
};

struct Entry {
    AcDbObjectId id;
    size_t position = 0;
    bool placed = false;
    bool dirty = false;
    Box box;
    std::vector<CellKey> cells;
};

// Ducts shorter than a cell of this level share it: a query box of a few
// units then looks at a handful of cells per level.
constexpr int kMinLevel = 3;
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
    std::vector<AcDbObjectId> candidatesIn(const Box& box) const;
    void markDirty(const ZkDuct* duct);
    void remove(const ZkDuct* duct);

private:
    void reset();
    void unplace(const ZkDuct* duct, Entry& e);
    void place(const ZkDuct* duct, Entry& e);

    AcDbDatabase* mDb;
    AcDbObjectId mModelSpace;
    size_t mScanned = 0;
    AcDbObjectId mLastScanned;
    std::unordered_map<const ZkDuct*, Entry> mEntries;
    std::vector<const ZkDuct*> mDirty;
    std::unordered_map<CellKey, std::vector<const ZkDuct*>, CellKeyHash> mCells;
    std::map<int, size_t> mLevels;
};

using IndexMap = std::unordered_map<AcDbDatabase*, std::unique_ptr<DatabaseIndex>>;
using OwnerMap = std::unordered_map<const ZkDuct*, DatabaseIndex*>;
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
    for (auto& [duct, entry] : mEntries) owners().erase(duct);
    mEntries.clear();
    mDirty.clear();
    mCells.clear();
    mLevels.clear();
    mScanned = 0;
    mLastScanned.setNull();
}

void DatabaseIndex::unplace(const ZkDuct* duct, Entry& e) {
    if (!e.placed) return;
    for (const CellKey& key : e.cells) {
        auto it = mCells.find(key);
        if (it == mCells.end()) continue;
        auto& ducts = it->second;
        auto found = std::find(ducts.begin(), ducts.end(), duct);
        if (found != ducts.end()) {
            *found = ducts.back();
            ducts.pop_back();
        }
        if (ducts.empty()) mCells.erase(it);
    }
    if (!e.cells.empty() && --mLevels[e.cells.front().level] == 0) mLevels.erase(e.cells.front().level);
    e.cells.clear();
    e.placed = false;
}

// Files the plan extents of the duct's line, slightly widened so that
// points within the geometric tolerance of an end are kept.
void DatabaseIndex::place(const ZkDuct* duct, Entry& e) {
    unplace(duct, e);
    const AcGePoint3d s = duct->planStart(), t = duct->planEnd();
    Box b{std::min(s.x, t.x), std::min(s.y, t.y), std::max(s.x, t.x), std::max(s.y, t.y)};
    if (!std::isfinite(b.minX) || !std::isfinite(b.minY) || !std::isfinite(b.maxX) || !std::isfinite(b.maxY)) return;
    const double margin =
        1e-6 * std::max({1.0, std::fabs(b.minX), std::fabs(b.maxX), std::fabs(b.minY), std::fabs(b.maxY)});
    b.minX -= margin, b.minY -= margin, b.maxX += margin, b.maxY += margin;
    const double size = std::max(b.maxX - b.minX, b.maxY - b.minY);
    int level = std::clamp(static_cast<int>(std::ceil(std::log2(size))), kMinLevel, kMaxLevel);
    while (level < kMaxLevel &&
           std::max({std::fabs(b.minX), std::fabs(b.maxX), std::fabs(b.minY), std::fabs(b.maxY)}) / cellSize(level) >
               1e15)
        ++level;
    e.box = b;
    for (int64_t ix = cellOf(b.minX, level); ix <= cellOf(b.maxX, level); ++ix)
        for (int64_t iy = cellOf(b.minY, level); iy <= cellOf(b.maxY, level); ++iy) {
            CellKey key{level, ix, iy};
            mCells[key].push_back(duct);
            e.cells.push_back(key);
        }
    ++mLevels[level];
    e.placed = true;
}

void DatabaseIndex::markDirty(const ZkDuct* duct) {
    auto it = mEntries.find(duct);
    if (it == mEntries.end() || it->second.dirty) return;
    it->second.dirty = true;
    mDirty.push_back(duct);
}

void DatabaseIndex::remove(const ZkDuct* duct) {
    auto it = mEntries.find(duct);
    if (it == mEntries.end()) return;
    unplace(duct, it->second);
    std::erase(mDirty, duct);
    mEntries.erase(it);
}

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
    for (size_t i = mScanned; i < ids.size(); ++i) {
        AcDbStub* stub = ids[i].stub();
        const ZkDuct* duct = stub ? ZkDuct::cast(stub->object) : nullptr;
        if (!duct) continue;
        Entry& e = mEntries[duct];
        e.id = ids[i];
        e.position = i;
        owners()[duct] = this;
        if (!e.dirty) {
            e.dirty = true;
            mDirty.push_back(duct);
        }
    }
    mScanned = ids.size();
    mLastScanned = ids.empty() ? AcDbObjectId() : ids.back();
    space->close();
    for (const ZkDuct* duct : mDirty) {
        auto it = mEntries.find(duct);
        if (it == mEntries.end()) continue;
        it->second.dirty = false;
        place(duct, it->second);
    }
    mDirty.clear();
}

std::vector<AcDbObjectId> DatabaseIndex::candidatesIn(const Box& box) const {
    std::vector<const Entry*> found;
    for (const auto& [level, count] : mLevels) {
        const int64_t x0 = cellOf(box.minX, level), x1 = cellOf(box.maxX, level);
        const int64_t y0 = cellOf(box.minY, level), y1 = cellOf(box.maxY, level);
        for (int64_t ix = x0; ix <= x1; ++ix)
            for (int64_t iy = y0; iy <= y1; ++iy) {
                auto it = mCells.find(CellKey{level, ix, iy});
                if (it == mCells.end()) continue;
                for (const ZkDuct* duct : it->second) {
                    const Entry& e = mEntries.at(duct);
                    if (e.box.meets(box) && !e.id.isErased()) found.push_back(&e);
                }
            }
    }
    std::sort(found.begin(), found.end(), [](const Entry* a, const Entry* b) { return a->position < b->position; });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::vector<AcDbObjectId> result;
    result.reserve(found.size());
    for (const Entry* e : found) result.push_back(e->id);
    return result;
}

void dropIfEmpty(DatabaseIndex* index) {
    if (index->empty()) indexes().erase(index->database());
}

} // namespace

std::vector<AcDbObjectId> DuctSpatialIndex::candidatesIn(AcDbDatabase* db, const AcGePoint2d& low,
                                                         const AcGePoint2d& high) {
    if (!db) return {};
    std::unique_ptr<DatabaseIndex>& slot = indexes()[db];
    if (!slot) slot = std::make_unique<DatabaseIndex>(db);
    DatabaseIndex* index = slot.get();
    index->sync();
    const Box box{std::min(low.x, high.x), std::min(low.y, high.y), std::max(low.x, high.x), std::max(low.y, high.y)};
    std::vector<AcDbObjectId> result = index->candidatesIn(box);
    dropIfEmpty(index);
    return result;
}

void DuctSpatialIndex::noteChanged(const ZkDuct* duct) {
    if (!gOwners) return;
    auto it = owners().find(duct);
    if (it != owners().end()) it->second->markDirty(duct);
}

void DuctSpatialIndex::forget(const ZkDuct* duct) {
    if (!gOwners) return;
    auto it = owners().find(duct);
    if (it == owners().end()) return;
    DatabaseIndex* index = it->second;
    owners().erase(it);
    index->remove(duct);
    dropIfEmpty(index);
}

size_t DuctSpatialIndex::indexedDuctCount(AcDbDatabase* db) {
    if (!gIndexes) return 0;
    auto it = indexes().find(db);
    return it == indexes().end() ? 0 : it->second->size();
}

void DuctSpatialIndex::releaseIfUnused() {
    if ((gIndexes && !gIndexes->empty()) || (gOwners && !gOwners->empty())) return;
    delete gIndexes;
    gIndexes = nullptr;
    delete gOwners;
    gOwners = nullptr;
}
