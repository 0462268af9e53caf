// Room functions on the outline: get and set the vertices, insert and
// remove one, set a vertex's emphasis, and the area.
#include "ads/ads.h"
#include "integration/ModuleFunctions.h"
#include "rooms/RoomFunctionSupport.h"

LispStatus roomGetPoints() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    if (!readRoom(cur, room, AcDb::kForRead)) return kLispWrongType;
    if (!room) return kLispOk;
    RoomResultList list;
    for (const RoomPoint& p : room->points()) list.addPoint2d(p.point);
    list.finish(true);
    return kLispOk;
}

// (room (p1 f1 p2 f2 ...)): the outline is replaced pair by pair; a flag
// missing at the end counts as false.
LispStatus roomSetPoints() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!argListBegin(cur)) return kLispWrongType;
    if (!room) return kLispOk;
    room->clearPoints();
    room->recordGraphicsModified();
    while (!argListEnd(cur)) {
        RoomPoint p;
        if (!argPoint2d(cur, p.point) || !argBool(cur, p.emphasised)) return kLispWrongType;
        room->insertPoint(room->pointCount(), p);
    }
    return kLispOk;
}

// A new vertex takes the flag of the vertex before it (for position 0 the
// last one); a position past the end appends.
LispStatus roomInsertPoint() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    int32_t position = 0;
    RoomPoint p;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!argInt(cur, position) || !argPoint2d(cur, p.point)) return kLispWrongType;
    if (!room) return kLispBadData;
    if (position < 0) return kLispOk;
    const int count = room->pointCount();
    if (position < count) {
        p.emphasised = room->pointAt(position == 0 ? count - 1 : position - 1).emphasised;
        room->insertPoint(position, p);
    } else {
        p.emphasised = count > 0 && room->pointAt(count - 1).emphasised;
        room->insertPoint(count, p);
    }
    room->recordGraphicsModified();
    return kLispOk;
}

// A position past the end removes the first vertex.
LispStatus roomRemovePoint() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    int32_t position = 0;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!argInt(cur, position)) return kLispWrongType;
    if (!room) return kLispBadData;
    if (position < 0 || room->pointCount() == 0) return kLispOk;
    room->removePoint(position < room->pointCount() ? position : 0);
    room->recordGraphicsModified();
    return kLispOk;
}

LispStatus roomSetPointInfo() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    int32_t position = 0;
    bool emphasised = false;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    if (!argInt(cur, position) || !argBool(cur, emphasised)) return kLispWrongType;
    if (!room || position < 0 || position >= room->pointCount()) return kLispOk;
    RoomPoint p = room->pointAt(position);
    p.emphasised = emphasised;
    room->setPointAt(position, p);
    room->recordGraphicsModified();
    acedRetT();
    return kLispOk;
}

LispStatus roomGetArea() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    if (!readRoom(cur, room, AcDb::kForRead)) return kLispWrongType;
    double area = 0.0;
    if (room && room->area(area)) acedRetReal(area);
    return kLispOk;
}
