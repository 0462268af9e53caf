// The diffuser connection: the diffuser a duct feeds (the product's
// "duct-getIxDiffL", its tblDiffL placement, its tblDiffS schedule and the
// block's shape) becomes a neck from the duct's end to the diffuser with a
// face plate there, or a grille plate for a sidewall diffuser.
#include "ducts/DuctSolidBuilders.h"

#include <cmath>
#include <memory>

#include "com/comutil.h"
#include "ducts/DuctCallbacks.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/DuctSolidRows.h"
#include "project/DiffuserRecords.h"

namespace {

constexpr int kSidewallShape = 3;
constexpr int kRoundShape = 1;

// The first of the values that is a usable size, else 0.
double firstSize(std::initializer_list<double> values) {
    for (double v : values)
        if (std::isfinite(v) && v > 0) return v;
    return 0;
}

// What the builder needs of the diffuser: where it stands, its shape code
// and sizes (0 where the schedule gives none).
struct DiffuserData {
    DiffuserPlacement placement;
    int shape = kRoundShape;
    double neckWidth = 0, neckDepth = 0, faceWidth = 0, faceLength = 0;
};

// Reads the placed diffuser `ixDiffL` and its schedule; false when the
// placement row does not exist. Database failures raise _com_error.
bool readDiffuser(DuctDbRecord& db, int32_t ixDiffL, bool convert, DiffuserData& out) {
    DiffuserRecord placed(db.database(), DiffuserRecord::Table::kPlacement);
    if (!placed.read(ixDiffL)) return false;
    out.placement = diffuserPlacement(placed, convert);
    DiffuserRecord schedule(db.database(), DiffuserRecord::Table::kSchedule);
    if (schedule.read(placed.integer(L"ixDiffS"))) {
        out.shape = blockShapeCode(db.database(), schedule.integer(L"ixDwgDiff"));
        out.neckWidth = schedule.real(L"NECK");
        out.neckDepth = schedule.real(L"NECK2");
        out.faceWidth = schedule.real(L"WIDTH");
        out.faceLength = schedule.real(L"LENGTH");
    }
    return true;
}

} // namespace

bool buildDiffuserConnection(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out) {
    std::optional<DuctEnds> duct = ductEnds(db, key, convert);
    if (!duct) return false;
    const int32_t ixDiffL = ductDiffuserKey(key);
    if (ixDiffL == 0) return false;
    DiffuserData diffuser;
    try {
        if (!readDiffuser(db, ixDiffL, convert, diffuser)) return false;
    } catch (const _com_error&) {
        return false;
    }
    const DiffuserPlacement& at = diffuser.placement;
    const zkSolidFrame frame{at.xAxis, at.yAxis, at.zAxis};
    std::unique_ptr<zk_hvacSolid> solid(zk_hvacSolid::create());
    if (!solid) return false;
    // Sizes the schedule leaves out come from the duct that feeds it.
    if (diffuser.shape == kSidewallShape) {
        const double width = firstSize({diffuser.faceWidth, diffuser.neckWidth, duct->width});
        const double height = firstSize({diffuser.faceLength, diffuser.neckDepth, duct->depth});
        if (!solid->addSidewallDiffuser(at.position, width, height, frame, passThrough)) return false;
    } else {
        const bool round = diffuser.shape == kRoundShape;
        const double neckWidth = firstSize({diffuser.neckWidth, duct->width});
        const double neckDepth = round ? neckWidth : firstSize({diffuser.neckDepth, diffuser.neckWidth, duct->depth});
        const double face = firstSize({diffuser.faceWidth, 2 * neckWidth});
        if (!solid->addDiffuser(at.position, duct->end, diffuser.shape, neckWidth, neckDepth, face, !round, frame,
                                passThrough))
            return false;
    }
    if (!appendSolid(solid.release(), out.solid)) return false;
    // The neck starts where the duct ends: it takes nothing from the duct.
    setHeadLength3d(db, key, 0);
    return true;
}
