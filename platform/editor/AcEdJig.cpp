// The drag loop of jigs over the editor's input queue.
#include "editor/AcEdJig.h"

#include "editor/EditorInput.h"
#include "graphics/AcGiRecordingContext.h"

AcEdJig::DragStatus AcEdJig::drag() {
    DragStatus status = sampler();
    if (status == kNormal) {
        update();
        // The preview the person would see while moving the cursor.
        if (AcDbEntity* shown = entity()) {
            AcGiRecordingContext preview;
            preview.draw(shown);
            ++mPreviews;
        }
    }
    return status == kNoChange ? kNormal : status;
}

// With ortho mode on, input governed by it runs horizontally or vertically
// from the last point entered.
AcEdJig::DragStatus AcEdJig::acquirePoint(AcGePoint3d& point) {
    ads_point none = {0, 0, 0};
    ads_point result;
    const AcGePoint3d previous = acedLastPoint();
    acedInitGet((mControls & kNullResponseAccepted) ? 0 : RSG_NONULL, nullptr);
    switch (acedGetPoint(none, mPrompt.c_str(), result)) {
    case RTNORM:
        point.set(result[0], result[1], result[2]);
        if ((mControls & kGovernedByOrthoMode) && acedOrthoMode()) {
            point = acedOrthoPoint(previous, point);
            acedSetLastPoint(point);
        }
        return kNormal;
    case RTNONE: return kNull;
    default: return kCancel;
    }
}

AcEdJig::DragStatus AcEdJig::acquirePoint(AcGePoint3d& point, const AcGePoint3d&) { return acquirePoint(point); }
