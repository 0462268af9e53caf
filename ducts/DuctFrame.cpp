// Centre points and frames of ducts, with the neighbour search that orients
// a vertical duct.
#include "ducts/DuctFrame.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "ducts/DuctCallbacks.h"
#include "ducts/DuctDbRecord.h"

namespace {

// Ducts whose frame is being computed, and ducts passed by the downstream
// search; each guards its recursion against loops of vertical ducts.
std::vector<int32_t> gFrameVisited;
std::vector<int32_t> gDownstreamVisited;
int gFrameDepth = 0;
int gDownstreamDepth = 0;

// Counts the nesting of a search; the outermost level clears its list.
class SearchLevel {
public:
    SearchLevel(int& depth, std::vector<int32_t>& visited) : mDepth(depth) {
        if (mDepth++ == 0) visited.clear();
    }
    ~SearchLevel() { --mDepth; }
    SearchLevel(const SearchLevel&) = delete;
    SearchLevel& operator=(const SearchLevel&) = delete;

private:
    int& mDepth;
};

bool contains(const std::vector<int32_t>& keys, int32_t key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// The first non-vertical duct downstream of `key`, passing through
// vertical ones.
std::optional<ZkDuctDbInfo> firstLevelDownstream(DuctDbRecord& db, int32_t key) {
    SearchLevel level(gDownstreamDepth, gDownstreamVisited);
    gDownstreamVisited.push_back(key);
    std::optional<ZkDuctDbInfo> found;
    for (int32_t next : nextDuctKeys(key)) {
        if (next == 0 || !db.Exists(next)) continue;
        ZkDuctDbInfo candidate = db;
        if (!isVerticalDuct(candidate)) {
            found = candidate;
            break;
        }
        if (contains(gDownstreamVisited, next)) continue;
        found = firstLevelDownstream(db, next);
        if (found) break;
    }
    return found;
}

// The neighbour whose frame orients vertical duct `key`.
std::optional<ZkDuctDbInfo> orientingNeighbour(DuctDbRecord& db, int32_t key) {
    int32_t previous = previousDuctKey(key);
    if (previous != 0 && db.Exists(previous)) return static_cast<const ZkDuctDbInfo&>(db);
    if (std::optional<ZkDuctDbInfo> level = firstLevelDownstream(db, key)) return level;
    for (int32_t next : nextDuctKeys(key)) {
        if (next != 0 && db.Exists(next) && !isVerticalDuct(db)) return static_cast<const ZkDuctDbInfo&>(db);
    }
    return std::nullopt;
}

AcGeVector3d defaultUp(const ZkDuctDbInfo& record, bool convert) {
    if (convert) return AcGeVector3d(1, 0, 0);
    double angle = convertProjectAngle(0.0, record.iAlignmentPointNumber1);
    return AcGeVector3d(std::cos(angle), std::sin(angle), 0);
}

DuctFrame frameOf(DuctDbRecord& db, const ZkDuctDbInfo& record, bool convert) {
    AcGePoint3d start = CentrePoint(record, true, nullptr, convert);
    AcGePoint3d end = CentrePoint(record, false, nullptr, convert);
    DuctFrame f;
    f.direction = end - start;
    if (!isVerticalDuct(record)) {
        double a = std::atan2(f.direction.y, f.direction.x);
        AcGeVector3d horizontal(std::cos(a + kDuctHalfPi), std::sin(a + kDuctHalfPi), 0);
        f.up = f.direction.crossProduct(horizontal);
    } else {
        std::optional<ZkDuctDbInfo> neighbour;
        if (!contains(gFrameVisited, record.ixDuct)) {
            gFrameVisited.push_back(record.ixDuct);
            neighbour = orientingNeighbour(db, record.ixDuct);
        }
        if (neighbour) {
            f.side = frameOf(db, *neighbour, convert).side;
            f.up = f.direction.crossProduct(f.side);
        } else {
            f.up = defaultUp(record, convert);
        }
    }
    f.side = f.up.crossProduct(f.direction);
    f.direction.normalize();
    f.side.normalize();
    f.up.normalize();
    return f;
}

} // namespace

AcGePoint3d CentrePoint(const ZkDuctDbInfo& r, bool start, const DuctFrame* frame, bool convert) {
    AcGePoint3d p = start ? AcGePoint3d(r.X1, r.Y1, r.Z1) : AcGePoint3d(r.X2, r.Y2, r.Z2);
    if (convert) {
        if (std::optional<AcGePoint3d> drawing = convertProjectToDrawing(p, r.iAlignmentPointNumber1)) p = *drawing;
    }
    if (!frame) return p;
    double halfDepth = std::fabs(r.DEPTH) / 2;
    double halfWidth = std::fabs(r.WIDTH) / 2;
    const std::string& vertical = r.VERTICALOFFSET;
    if (vertical == "t") p -= frame->up * halfDepth;
    else if (vertical == "h" && r.iHangerType != 0) p += frame->up * (halfDepth + r.dHangerDepth);
    else if (vertical == "b" || vertical == "h") p += frame->up * halfDepth;
    if (r.OFFSET == "r") p -= frame->side * halfWidth;
    else if (r.OFFSET == "l") p += frame->side * halfWidth;
    return p;
}

bool isVerticalDuct(const ZkDuctDbInfo& record) {
    AcGePoint3d start = CentrePoint(record, true, nullptr, false);
    AcGePoint3d end = CentrePoint(record, false, nullptr, false);
    return start.convert2d().isEqualTo(end.convert2d());
}

DuctFrame Frame(DuctDbRecord& db, ZkDuctDbInfo record, bool convert) {
    SearchLevel level(gFrameDepth, gFrameVisited);
    return frameOf(db, record, convert);
}
