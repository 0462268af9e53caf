// The room jig's sampling, updating and drag sequence.
#include "rooms/hvacRoomJig.h"

#include "editor/EditorInput.h"
#include "integration/DrawingHelpers.h"
#include "integration/LispResults.h"

hvacRoomJig::hvacRoomJig(Adesk::Int32 index) : mRoom(new hvacRoom()), mIndex(index) {}

hvacRoomJig::~hvacRoomJig() { delete mRoom; }

AcEdJig::DragStatus hvacRoomJig::sampler() {
    // Later vertices follow ortho mode; Enter is an answer everywhere.
    setUserInputControls(static_cast<UserInputControls>(
        (mDrawingOutline && !mFirstPoint) ? (kGovernedByOrthoMode | kNullResponseAccepted) : kNullResponseAccepted));
    AcGePoint3d sample;
    DragStatus status = acquirePoint(sample);
    if (status == kNormal && sample.convert2d().isEqualTo(mLastPoint)) return kNoChange;
    if (status == kNormal) mLastPoint = sample.convert2d();
    return status;
}

bool hvacRoomJig::update() {
    if (mDrawingOutline) {
        RoomPoint first = mRoom->pointAt(0);
        first.point = mLastPoint;
        mRoom->setPointAt(0, first);
    } else {
        mRoom->setLabelLocation(mLastPoint);
    }
    return true;
}

void hvacRoomJig::redraw() {
    ads_name none = {0, 0};
    acedRedraw(none, 1);
}

// Every new vertex goes in at position 0, so the outline runs in the
// reverse order of the clicks.
bool hvacRoomJig::run() {
    setDispPrompt("\nSpecify first room point:");
    for (;;) {
        mRoom->insertPoint(0, RoomPoint{AcGePoint2d(0.0, 0.0), false});
        DragStatus status = drag();
        if (status == kCancel) {
            redraw();
            return false;
        }
        if (status == kNull) break;
        mFirstPoint = false;
        setDispPrompt("\nSpecify next room point / <Finish>:");
    }
    if (mFirstPoint) {
        redraw();
        return false;
    }
    mRoom->removePoint(0);
    mRoom->setIndex(mIndex);
    mDrawingOutline = false;
    setDispPrompt("\nSpecify room info location:");
    if (drag() == kCancel) {
        redraw();
        return false;
    }
    mRoom->placeLeaderAutomatically();
    hvacRoom* finished = mRoom;
    mRoom = new hvacRoom();
    if (!appendToModelSpace(finished)) {
        redraw();
        return false;
    }
    retEntity(finished->objectId());
    finished->close();
    redraw();
    return true;
}
