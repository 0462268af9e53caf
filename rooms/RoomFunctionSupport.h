// Shared pieces of the room functions: the project's room layers and label
// style, the creation arguments, room arguments, and list results.
#pragma once

#include <string>

#include "database/dbopen.h"
#include "integration/LispArgs.h"
#include "rooms/hvacRoom.h"

// The layers and label style of rooms in the current project.
struct RoomStyle {
    AcDbObjectId textStyle;
    double textHeight = 0.0;
    AcDbObjectId outlineLayer;
    AcDbObjectId labelLayer;
    AcDbObjectId leaderLayer;
};

// Looks up "ROOM LABELS" (text style), then the "ROOM OUTLINES", "ROOM
// LABELS" and "ROOM LEADER" layers. On the first failure prints why and
// answers false.
bool lookUpRoomStyle(RoomStyle& style);

// The arguments that both creation functions start with.
struct RoomCreateArgs {
    int32_t index = 0;
    std::string arrowBlock;
    double arrowSize = 0.0;
    std::string labelText;
    bool wrap = false;
    double labelWidth = 0.0;
};

// Reads index, arrow block name, arrow size and label text.
bool readRoomCreateArgs(ArgCursor& cur, RoomCreateArgs& args);
// The optional label width: a real is taken, any other value in its place
// is skipped.
void readOptionalLabelWidth(ArgCursor& cur, bool& wrap, double& width);
// Gives a new room its index, layers, label style, arrow and label.
void setUpNewRoom(hvacRoom* room, const RoomCreateArgs& args, const RoomStyle& style);

// Reads an entity name and opens it as a room; false when the argument is
// missing or not an entity name (the room may still fail to open: see
// the pointer's openStatus()).
bool readRoom(ArgCursor& cur, AcDbObjectPointer<hvacRoom>& room, AcDb::OpenMode mode);

// A list result built node by node (RTLB ... RTLE), returned with
// acedRetList.
class RoomResultList {
public:
    RoomResultList();
    ~RoomResultList();
    RoomResultList(const RoomResultList&) = delete;
    RoomResultList& operator=(const RoomResultList&) = delete;
    void addPoint2d(const AcGePoint2d& p);
    void addEntity(AcDbObjectId id);
    void addNil();
    size_t itemCount() const { return mItems; }
    // Returns the list (nil when empty and nilWhenEmpty).
    void finish(bool nilWhenEmpty = false);

private:
    resbuf* append(int type);
    resbuf* mHead;
    resbuf* mTail;
    size_t mItems = 0;
};
