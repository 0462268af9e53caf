// The room jig: click the outline's vertices with a rubber band, Enter to
// finish, then place the label; the room gets its leader and is appended.
#pragma once

#include "editor/AcEdJig.h"
#include "rooms/hvacRoom.h"

class hvacRoomJig : public AcEdJig {
public:
    explicit hvacRoomJig(Adesk::Int32 index);
    ~hvacRoomJig() override;

    // The room being drawn (prepared by the caller before run).
    hvacRoom* room() const { return mRoom; }
    // True when a room was appended (its entity name is the AutoLISP
    // result), false when cancelled.
    bool run();

    DragStatus sampler() override;
    bool update() override;
    AcDbEntity* entity() const override { return mRoom; }

private:
    void redraw();

    hvacRoom* mRoom;
    Adesk::Int32 mIndex;
    AcGePoint2d mLastPoint;
    bool mDrawingOutline = true;
    bool mFirstPoint = true;
};
