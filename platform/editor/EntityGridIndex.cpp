// The grid behind acedIndexedEntitiesIn. Each entity sits at the level
// whose cell size first covers its extents, in at most four cells, so a
// query looks at a few cells per level in use. Model space is scanned only
// for entities appended since the last query; the database's write journal
// names the entities to re-measure.
#include "editor/EntityGridIndex.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbstub.h"
#include "editor/EntityOutline.h"

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
    size_t position = 0;  // place in model space
    bool placed = false;  // has a box in the grid
    bool dirty = false;   // waits in the re-measure list
    Box box;
    std::vector<CellKey> cells;
};

constexpr int kMinLevel = -40;
constexpr int kMaxLevel = 80;
constexpr const char* kServiceName = "editor.entityGrid";

double cellSize(int level) { return std::ldexp(1.0, level); }
int64_t cellOf(double v, int level) { return static_cast<int64_t>(std::floor(v / cellSize(level))); }

class GridIndex {
public:
    explicit GridIndex(AcDbDatabase* db) : mDb(db) {}
    void sync();
    std::vector<AcDbObjectId> entitiesIn(const Box& box) const;
    bool extents(Box& box) const {
        box = mBounds;
        return mHasBounds;
    }
    size_t size() const { return mEntries.size(); }

private:
    void reset();
    void markDirty(AcDbStub* stub);
    void unplace(AcDbStub* stub, Entry& e);
    // Measures the entity; false when it is open for write elsewhere (it is
    // then measured as it is now and again at the next query).
    bool place(AcDbStub* stub, Entry& e);
    void placeInCells(AcDbStub* stub, Entry& e, int level);

    AcDbDatabase* mDb;
    AcDbObjectId mModelSpace;
    size_t mScanned = 0;
    AcDbObjectId mLastScanned;
    std::unordered_map<AcDbStub*, Entry> mEntries;
    std::vector<AcDbStub*> mDirty;
    std::unordered_map<CellKey, std::vector<AcDbStub*>, CellKeyHash> mCells;
    std::map<int, size_t> mLevels;  // level -> entities placed there
    // Entities too far out for the grid's integer cells: always looked at.
    std::unordered_set<AcDbStub*> mOutsized;
    Box mBounds;
    bool mHasBounds = false;
};

void GridIndex::reset() {
    mEntries.clear();
    mDirty.clear();
    mCells.clear();
    mLevels.clear();
    mOutsized.clear();
    mScanned = 0;
    mLastScanned.setNull();
    mHasBounds = false;
}

void GridIndex::markDirty(AcDbStub* stub) {
    auto it = mEntries.find(stub);
    if (it == mEntries.end() || it->second.dirty) return;
    it->second.dirty = true;
    mDirty.push_back(stub);
}

void GridIndex::unplace(AcDbStub* stub, Entry& e) {
    if (!e.placed) return;
    mOutsized.erase(stub);
    for (const CellKey& key : e.cells) {
        auto it = mCells.find(key);
        if (it == mCells.end()) continue;
        std::vector<AcDbStub*>& stubs = it->second;
        auto found = std::find(stubs.begin(), stubs.end(), stub);
        if (found != stubs.end()) {
            *found = stubs.back();
            stubs.pop_back();
        }
        if (stubs.empty()) mCells.erase(it);
    }
    if (!e.cells.empty() && --mLevels[e.cells.front().level] == 0) mLevels.erase(e.cells.front().level);
    e.cells.clear();
    e.placed = false;
}

bool GridIndex::place(AcDbStub* stub, Entry& e) {
    unplace(stub, e);
    if (!stub->object || stub->erased()) return true;
    AcDbEntity* entity = nullptr;
    bool openedHere = false;
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbObject(object, AcDbObjectId(stub), AcDb::kForRead);
    if (es == Acad::eOk) {
        entity = AcDbEntity::cast(object);
        openedHere = true;
    } else if (es == Acad::eWasOpenForWrite) {
        entity = AcDbEntity::cast(stub->object);
    }
    const EntityOutline outline = entity ? entityOutline(entity) : EntityOutline{};
    if (openedHere) object->close();
    const bool settled = es != Acad::eWasOpenForWrite;
    if (outline.empty()) return settled;
    Box b{outline.minX, outline.minY, outline.maxX, outline.maxY};
    // Slightly widened, so that hits within the geometric tolerance of an
    // edge are kept.
    const double reach = std::max({std::fabs(b.minX), std::fabs(b.maxX), std::fabs(b.minY), std::fabs(b.maxY)});
    const double margin = 1e-6 * std::max(1.0, reach);
    b.minX -= margin, b.minY -= margin, b.maxX += margin, b.maxY += margin;
    if (!std::isfinite(b.minX) || !std::isfinite(b.minY) || !std::isfinite(b.maxX) || !std::isfinite(b.maxY))
        return settled;
    const double size = std::max(b.maxX - b.minX, b.maxY - b.minY);
    int level = static_cast<int>(std::clamp(std::ceil(std::log2(size)), double(kMinLevel), double(kMaxLevel)));
    // Coordinates too far out for the grid's integer cells go up a level.
    while (level < kMaxLevel &&
           std::max({std::fabs(b.minX), std::fabs(b.maxX), std::fabs(b.minY), std::fabs(b.maxY)}) / cellSize(level) >
               1e15)
        ++level;
    e.box = b;
    e.placed = true;
    if (reach * 1.5 / cellSize(level) > 1e15) {
        mOutsized.insert(stub);
    } else {
        placeInCells(stub, e, level);
    }
    if (!mHasBounds) mBounds = b;
    mBounds = {std::min(mBounds.minX, b.minX), std::min(mBounds.minY, b.minY), std::max(mBounds.maxX, b.maxX),
               std::max(mBounds.maxY, b.maxY)};
    mHasBounds = true;
    return settled;
}

void GridIndex::placeInCells(AcDbStub* stub, Entry& e, int level) {
    const Box& b = e.box;
    for (int64_t ix = cellOf(b.minX, level); ix <= cellOf(b.maxX, level); ++ix)
        for (int64_t iy = cellOf(b.minY, level); iy <= cellOf(b.maxY, level); ++iy) {
            CellKey key{level, ix, iy};
            mCells[key].push_back(stub);
            e.cells.push_back(key);
        }
    ++mLevels[level];
}

// Takes in the entities appended since the last query (or starts over
// when model space was rearranged), then re-measures what was opened for
// write.
void GridIndex::sync() {
    const std::vector<AcDbObjectId> written = mDb->takeWriteJournal();
    const AcDbObjectId ms = mDb->modelSpaceId();
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
    for (const AcDbObjectId& id : written) markDirty(id.stub());
    for (size_t i = mScanned; i < ids.size(); ++i) {
        AcDbStub* stub = ids[i].stub();
        if (!stub) continue;
        Entry& e = mEntries[stub];
        e.position = i;
        if (!e.dirty) {
            e.dirty = true;
            mDirty.push_back(stub);
        }
    }
    mScanned = ids.size();
    mLastScanned = ids.empty() ? AcDbObjectId() : ids.back();
    space->close();
    std::vector<AcDbStub*> dirty;
    dirty.swap(mDirty);
    for (AcDbStub* stub : dirty) {
        auto it = mEntries.find(stub);
        if (it == mEntries.end()) continue;
        it->second.dirty = false;
        if (!place(stub, it->second)) markDirty(stub);
    }
}

std::vector<AcDbObjectId> GridIndex::entitiesIn(const Box& box) const {
    std::vector<std::pair<size_t, AcDbStub*>> found;
    for (const auto& [level, count] : mLevels) {
        // A box larger than the cells in use (or beyond the grid's integer
        // cells): walk the entries of the level instead.
        const double reach =
            std::max({std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY), std::fabs(box.maxY)});
        const bool beyond = reach / cellSize(level) > 1e15;
        const int64_t x0 = beyond ? 0 : cellOf(box.minX, level), x1 = beyond ? 0 : cellOf(box.maxX, level);
        const int64_t y0 = beyond ? 0 : cellOf(box.minY, level), y1 = beyond ? 0 : cellOf(box.maxY, level);
        const double cells = (static_cast<double>(x1 - x0) + 1) * (static_cast<double>(y1 - y0) + 1);
        if (beyond || cells > static_cast<double>(2 * count + 16)) {
            for (const auto& [stub, e] : mEntries)
                if (e.placed && !e.cells.empty() && e.cells.front().level == level && e.box.meets(box) && !stub->erased())
                    found.emplace_back(e.position, stub);
            continue;
        }
        for (int64_t ix = x0; ix <= x1; ++ix)
            for (int64_t iy = y0; iy <= y1; ++iy) {
                auto it = mCells.find(CellKey{level, ix, iy});
                if (it == mCells.end()) continue;
                for (AcDbStub* stub : it->second) {
                    const Entry& e = mEntries.at(stub);
                    if (e.box.meets(box) && !stub->erased()) found.emplace_back(e.position, stub);
                }
            }
    }
    for (AcDbStub* stub : mOutsized) {
        const Entry& e = mEntries.at(stub);
        if (e.box.meets(box) && !stub->erased()) found.emplace_back(e.position, stub);
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::vector<AcDbObjectId> result;
    result.reserve(found.size());
    for (const auto& [position, stub] : found) result.emplace_back(stub);
    return result;
}

GridIndex* indexOf(AcDbDatabase* db) {
    if (!db) return nullptr;
    std::shared_ptr<void>& slot = db->service(kServiceName);
    if (!slot) slot = std::make_shared<GridIndex>(db);
    auto* index = static_cast<GridIndex*>(slot.get());
    index->sync();
    return index;
}

} // namespace

std::vector<AcDbObjectId> acedIndexedEntitiesIn(AcDbDatabase* db, const AcGePoint2d& corner1,
                                                const AcGePoint2d& corner2) {
    GridIndex* index = indexOf(db);
    if (!index) return {};
    const Box box{std::min(corner1.x, corner2.x), std::min(corner1.y, corner2.y), std::max(corner1.x, corner2.x),
                  std::max(corner1.y, corner2.y)};
    if (!std::isfinite(box.minX) || !std::isfinite(box.minY) || !std::isfinite(box.maxX) || !std::isfinite(box.maxY))
        return {};
    return index->entitiesIn(box);
}

bool acedIndexedExtents(AcDbDatabase* db, AcGePoint2d& low, AcGePoint2d& high) {
    GridIndex* index = indexOf(db);
    Box box;
    if (!index || !index->extents(box)) return false;
    low.set(box.minX, box.minY);
    high.set(box.maxX, box.maxY);
    return true;
}

size_t acedIndexedEntityCount(AcDbDatabase* db) {
    GridIndex* index = indexOf(db);
    return index ? index->size() : 0;
}
