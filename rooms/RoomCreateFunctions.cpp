// Room functions that create rooms or re-apply the project's room styles:
// zk_hvac-room-draw, zk_hvac-room-insert, zk_hvac-room-updateAttributes.
#include "ads/ads.h"
#include "database/dbsymtab.h"
#include "integration/DrawingHelpers.h"
#include "integration/LispResults.h"
#include "integration/ModuleFunctions.h"
#include "rooms/RoomFunctionSupport.h"
#include "rooms/hvacRoomJig.h"

namespace {

// The name of a layer that can be opened; empty when it cannot.
bool layerNamed(AcDbObjectId layerId, std::string& name) {
    AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
    if (!layer) return false;
    name = layer->getName();
    return true;
}

} // namespace

LispStatus roomDraw() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    RoomCreateArgs create;
    if (!readRoomCreateArgs(cur, create)) return kLispWrongType;
    readOptionalLabelWidth(cur, create.wrap, create.labelWidth);
    RoomStyle style;
    if (!lookUpRoomStyle(style)) return kLispOk;
    hvacRoomJig jig(create.index);
    setUpNewRoom(jig.room(), create, style);
    jig.run();
    return kLispOk;
}

LispStatus roomInsert() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    RoomCreateArgs create;
    if (!readRoomCreateArgs(cur, create)) return kLispWrongType;
    readOptionalLabelWidth(cur, create.wrap, create.labelWidth);
    AcGePoint3d location;
    if (!argPoint3d(cur, location)) return kLispWrongType;
    RoomStyle style;
    if (!lookUpRoomStyle(style)) return kLispOk;
    hvacRoom* room = new hvacRoom();
    setUpNewRoom(room, create, style);
    room->setLabelLocation(location.convert2d());
    if (!appendToModelSpace(room)) return kLispOk;
    retEntity(room->objectId());
    room->close();
    return kLispOk;
}

// Rooms, labels and leaders that were put on layer "0" keep it.
LispStatus roomUpdateAttributes() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectPointer<hvacRoom> room;
    if (!readRoom(cur, room, AcDb::kForWrite)) return kLispWrongType;
    std::string arrowBlock;
    double arrowSize = 0.0;
    if (!argString(cur, arrowBlock) || !argReal(cur, arrowSize)) return kLispWrongType;
    bool wrap = false;
    double width = 0.0;
    readOptionalLabelWidth(cur, wrap, width);
    if (!room) return kLispOk;
    RoomStyle style;
    if (!lookUpRoomStyle(style)) return kLispOk;
    std::string name;
    if (room->layer() != "0") room->setLayer(style.outlineLayer);
    if (layerNamed(room->labelLayer(), name) && name != "0") room->setLabelLayer(style.labelLayer);
    if (layerNamed(room->leaderLayer(), name) && name != "0") room->setLeaderLayer(style.leaderLayer);
    room->setLabelTextStyle(style.textStyle);
    room->setLabelTextHeight(style.textHeight);
    room->setLeaderArrow(arrowBlock, arrowSize);
    room->setLabelWidth(wrap, width);
    room->recordGraphicsModified();
    acedRetT();
    return kLispOk;
}
