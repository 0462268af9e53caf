// A host document with the room and leader classes registered, the room
// layers, text style and an arrow block, and helpers to make rooms.
#pragma once

#include <string>
#include <vector>

#include "database/dbline.h"
#include "database/dbsymtab.h"
#include "database/io/DrawingFiles.h"
#include "graphics/AcGiRecordingContext.h"
#include "leaders/ZKLeader.h"
#include "rooms/hvacRoom.h"
#include "tests/integration/HostFixture.h"

class RoomFixture : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        if (!ZKLeader::desc()) ZKLeader::rxInit();
        if (!hvacRoom::desc()) hvacRoom::rxInit();
        db = doc->database();
        labelLayer = addLayer("ROOM-LABELS");
        leaderLayer = addLayer("ROOM-LEADER");
        outlineLayer = addLayer("ROOM-OUTLINES");
        arrowBlock = addBlock("ZKARROW");
    }



    // A room not in any drawing: the given outline, a one-line label of
    // height 2 at (20, 30) and the arrow block.
    static hvacRoom* makeRoom(const std::vector<AcGePoint2d>& outline, int index = 7) {
        auto* room = new hvacRoom();
        room->setIndex(index);
        for (const AcGePoint2d& p : outline) room->insertPoint(room->pointCount(), RoomPoint{p, false});
        room->setLabelTextHeight(2.0);
        room->setLabelText("ROOM 7");
        room->setLabelLocation(AcGePoint2d(20, 30));
        return room;
    }

    static std::vector<AcGePoint2d> square(double x, double y, double size) {
        return {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}};
    }

    // Appends to model space and closes; the room's id.
    AcDbObjectId append(hvacRoom* room) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, room), Acad::eOk);
        room->close();
        space->close();
        return id;
    }

    // The rooms of a database's model space, in order.
    static std::vector<AcDbObjectId> roomsOf(AcDbDatabase* database) {
        std::vector<AcDbObjectId> rooms;
        AcDbObjectPointer<AcDbBlockTableRecord> space(database->modelSpaceId(), AcDb::kForRead);
        for (AcDbObjectId id : space->entityIds()) {
            AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
            if (room && !id.isErased()) rooms.push_back(id);
        }
        return rooms;
    }

    static std::vector<AcGiRecord> drawingOf(hvacRoom* room) {
        AcGiRecordingContext context;
        context.draw(room);
        return context.records();
    }

    AcDbDatabase* db = nullptr;
    AcDbObjectId labelLayer, leaderLayer, outlineLayer, arrowBlock;
};
