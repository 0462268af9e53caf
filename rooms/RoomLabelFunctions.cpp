// Room functions on the index, the label and the leader.
#include "ads/ads.h"
#include "integration/ModuleFunctions.h"
#include "rooms/RoomFunctionSupport.h"

LispStatus roomUpdateIndex() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    int32_t index = 0;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!argInt(cur, index)) return kLispWrongType;
    if (!room) return kLispOk;
    room->setIndex(index);
    room->recordGraphicsModified();
    return kLispOk;
}

LispStatus roomUpdateLabel() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    std::string text;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!argString(cur, text)) return kLispWrongType;
    if (!room) return kLispOk;
    room->setLabelText(text);
    room->recordGraphicsModified();
    acedRetT();
    return kLispOk;
}

// (label grip, arrow, elbow), with nil for the leader points when hidden.
LispStatus roomGetLeaderPoints() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    if (!readRoom(cur, room, AcDb::kForRead)) return kLispWrongType;
    if (!room) return kLispOk;
    RoomResultList list;
    list.addPoint2d(room->labelBox()[0]);
    if (room->leaderVisible()) {
        list.addPoint2d(room->leader().endPoint().convert2d());
        list.addPoint2d(room->leader().middlePoint().convert2d());
    } else {
        list.addNil();
        list.addNil();
    }
    list.finish();
    return kLispOk;
}

LispStatus roomSetLeaderLocation() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    bool visible = false;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!argBool(cur, visible)) return kLispWrongType;
    AcGePoint2d arrow, elbow;
    if (visible && (!argPoint2d(cur, arrow) || !argPoint2d(cur, elbow))) return kLispWrongType;
    if (!room) return kLispOk;
    room->setLeaderVisible(visible);
    if (visible) room->setLeaderPoints(arrow, elbow);
    room->recordGraphicsModified();
    return kLispOk;
}

LispStatus roomToggleLeader() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!room) return kLispOk;
    room->setLeaderVisible(!room->leaderVisible());
    room->recordGraphicsModified();
    acedRetT();
    return kLispOk;
}
