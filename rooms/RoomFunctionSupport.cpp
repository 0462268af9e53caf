// Shared pieces of the room functions.
#include "rooms/RoomFunctionSupport.h"

#include "ads/ads.h"
#include "integration/DocData.h"
#include "integration/DrawingHelpers.h"

bool lookUpRoomStyle(RoomStyle& style) {
    if (!getTextStyleByKey(gDocDataManager, "ROOM LABELS", style.textStyle, style.textHeight)) {
        acutPrintf("\nCould not find ROOM LABELS text style.");
        return false;
    }
    if (!getLayerByKey(gDocDataManager, "ROOM OUTLINES", false, 0, style.outlineLayer)) {
        acutPrintf("\nCould not find ROOM OUTLINES layer definition.");
        return false;
    }
    if (!getLayerByKey(gDocDataManager, "ROOM LABELS", false, 0, style.labelLayer)) {
        acutPrintf("\nCould not find ROOM LABELS layer definition.");
        return false;
    }
    if (!getLayerByKey(gDocDataManager, "ROOM LEADER", false, 0, style.leaderLayer)) {
        acutPrintf("\nCould not find ROOM LEADER layer definition.");
        return false;
    }
    return true;
}

bool readRoomCreateArgs(ArgCursor& cur, RoomCreateArgs& args) {
    return argInt(cur, args.index) && argString(cur, args.arrowBlock) && argReal(cur, args.arrowSize) &&
           argString(cur, args.labelText);
}

void readOptionalLabelWidth(ArgCursor& cur, bool& wrap, double& width) {
    wrap = false;
    if (cur.atEnd()) return;
    if (argRealOnly(cur, width)) wrap = true;
    else argSkip(cur);
}

void setUpNewRoom(hvacRoom* room, const RoomCreateArgs& args, const RoomStyle& style) {
    room->setIndex(args.index);
    room->setLayer(style.outlineLayer);
    room->setLabelLayer(style.labelLayer);
    room->setLabelTextStyle(style.textStyle);
    room->setLabelTextHeight(style.textHeight);
    room->setLeaderLayer(style.leaderLayer);
    room->setLeaderArrow(args.arrowBlock, args.arrowSize);
    room->setLabelText(args.labelText);
    room->setLabelWidth(args.wrap, args.labelWidth);
}

bool readRoom(ArgCursor& cur, AcDbObjectPointer<hvacRoom>& room, AcDb::OpenMode mode) {
    AcDbObjectId id;
    if (!argEntity(cur, id)) return false;
    room.open(id, mode);
    return true;
}

RoomResultList::RoomResultList() : mHead(acutNewRb(RTLB)), mTail(mHead) {}

RoomResultList::~RoomResultList() { acutRelRb(mHead); }

resbuf* RoomResultList::append(int type) {
    resbuf* node = acutNewRb(type);
    mTail->rbnext = node;
    mTail = node;
    ++mItems;
    return node;
}

void RoomResultList::addPoint2d(const AcGePoint2d& p) {
    resbuf* node = append(RTPOINT);
    node->resval.rpoint[0] = p.x;
    node->resval.rpoint[1] = p.y;
}

void RoomResultList::addEntity(AcDbObjectId id) {
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return;
    resbuf* node = append(RTENAME);
    node->resval.rlname[0] = name[0];
    node->resval.rlname[1] = name[1];
}

void RoomResultList::addNil() { append(RTNIL); }

void RoomResultList::finish(bool nilWhenEmpty) {
    if (nilWhenEmpty && mItems == 0) {
        acedRetNil();
        return;
    }
    append(RTLE);
    acedRetList(mHead);
}
