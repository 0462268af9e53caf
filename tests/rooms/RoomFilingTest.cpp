// Room filing: whole-drawing round trips in both formats, the stub of a room
// without index, erased references, older data and newer versions.
#include "RoomFixture.h"
#include "database/dbleader.h"
#include "database/io/DwgMemoryFiler.h"

namespace {

class RoomFiling : public RoomFixture {
protected:
    // Index 7, four vertices with the second emphasised, label on its own
    // layer and style, a visible leader with its arrow.
    AcDbObjectId appendFullRoom() {
        hvacRoom* room = makeRoom(square(0, 0, 10));
        RoomPoint second = room->pointAt(1);
        second.emphasised = true;
        room->setPointAt(1, second);
        room->setLabelLayer(labelLayer);
        room->setLabelTextStyle(db->textstyle());
        room->setLabelWidth(true, 12.5);
        room->setLabelText("OFFICE\\P101");
        room->setLeaderLayer(leaderLayer);
        room->setLeaderArrow("ZKARROW", 1.5);
        room->setLeaderVisible(true);
        room->setLeaderPoints(AcGePoint2d(2.5, 0), AcGePoint2d(15, 5));
        room->setLayer(outlineLayer);
        return append(room);
    }

    // Saves db, reads it into a new database and returns it.
    std::unique_ptr<AcDbDatabase> reopen(bool dxf) {
        std::string bytes, message;
        EXPECT_EQ(orv::io::saveDrawingToString(db, dxf, bytes, &message), Acad::eOk) << message;
        auto copy = std::make_unique<AcDbDatabase>(false);
        EXPECT_EQ(orv::io::readDrawingFromString(copy.get(), dxf, bytes, &message), Acad::eOk) << message;
        return copy;
    }

    static std::string nameOf(AcDbObjectId id) {
        AcDbObjectPointer<AcDbSymbolTableRecord> record(id, AcDb::kForRead);
        return record ? record->getName() : std::string("<none>");
    }

    // Every field, with references by name.
    static std::string describe(AcDbObjectId id) {
        AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
        if (!room) return "<not a room>";
        std::string s = "index " + std::to_string(room->index()) + " layer " + room->layer() + "\n";
        for (const RoomPoint& p : room->points())
            s += "v " + std::to_string(p.point.x) + "," + std::to_string(p.point.y) + (p.emphasised ? " E" : "") + "\n";
        const AcDbMText& label = room->label();
        s += "label " + label.contents() + " at " + std::to_string(label.location().x) + "," +
             std::to_string(label.location().y) + " w " + std::to_string(label.width()) + " h " +
             std::to_string(room->labelTextHeight()) + "/" + std::to_string(label.textHeight()) + " style " +
             nameOf(room->labelTextStyle()) + " layer " + nameOf(room->labelLayer()) + "\n";
        AcGePoint3d a, b, c;
        room->leader().getPoints(a, b, c);
        s += "leader " + std::string(room->leaderVisible() ? "shown " : "hidden ") + std::to_string(a.x) + "," +
             std::to_string(a.y) + " " + std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(c.x) +
             "," + std::to_string(c.y) + " size " + std::to_string(room->leader().size()) + " arrow " +
             nameOf(room->leader().arrowBlockId()) + " layer " + nameOf(room->leaderLayer()) + " own layer " +
             room->leader().layer() + "\n";
        return s;
    }
};

} // namespace

TEST_F(RoomFiling, RoomSurvivesBothFormatsWithEveryField) {
    AcDbObjectId id = appendFullRoom();
    const std::string before = describe(id);
    EXPECT_NE(before.find("v 10.000000,0.000000 E"), std::string::npos) << before;
    EXPECT_NE(before.find("leader shown"), std::string::npos) << before;
    EXPECT_NE(before.find("arrow ZKARROW layer ROOM-LEADER own layer ROOM-LEADER"), std::string::npos) << before;
    for (bool dxf : {false, true}) {
        std::unique_ptr<AcDbDatabase> copy = reopen(dxf);
        std::vector<AcDbObjectId> rooms = roomsOf(copy.get());
        ASSERT_EQ(rooms.size(), 1u) << (dxf ? "DXF" : "DWG");
        EXPECT_EQ(describe(rooms[0]), before) << (dxf ? "DXF" : "DWG");
    }
}

TEST_F(RoomFiling, DxfKeepsTheIndexFirstAfterTheCommonGroups) {
    appendFullRoom();
    std::string bytes;
    ASSERT_EQ(orv::io::saveDrawingToString(db, true, bytes), Acad::eOk);
    const size_t type = bytes.find("ZK_HVACROOM\n", bytes.find("ENTITIES"));
    ASSERT_NE(type, std::string::npos);
    const size_t layer = bytes.find("\n  8\nROOM-OUTLINES\n", type);
    ASSERT_NE(layer, std::string::npos);
    // The host's proxy graphics (92, 310 ...) belong to the common groups.
    size_t at = layer + std::string("\n  8\nROOM-OUTLINES").size();
    while (bytes.compare(at, 5, "\n 92\n") == 0 || bytes.compare(at, 5, "\n310\n") == 0)
        at = bytes.find('\n', at + 5);
    EXPECT_EQ(bytes.substr(at, 13), "\n 90\n7\n 91\n4\n");
}

TEST_F(RoomFiling, RoomWithoutIndexIsGoneAfterReopeningTheBinaryDrawing) {
    hvacRoom* room = makeRoom(square(0, 0, 10), -1);
    append(room);
    appendFullRoom();
    std::unique_ptr<AcDbDatabase> copy = reopen(false);
    std::vector<AcDbObjectId> rooms = roomsOf(copy.get());
    ASSERT_EQ(rooms.size(), 1u);
    AcDbObjectPointer<hvacRoom> kept(rooms[0], AcDb::kForRead);
    EXPECT_EQ(kept->index(), 7);
}

TEST_F(RoomFiling, StubHoldsOnlyVersionAndIndex) {
    hvacRoom* room = makeRoom(square(0, 0, 10), -1);
    AcDbDwgMemoryFiler out(AcDb::kFileFiler, db);
    ASSERT_EQ(room->dwgOutFields(&out), Acad::eOk);
    AcDbEntity plain;
    AcDbDwgMemoryFiler base(AcDb::kFileFiler, db);
    ASSERT_EQ(plain.dwgOutFields(&base), Acad::eOk);
    EXPECT_EQ(out.data().size(), base.data().size() + 8);
    delete room;
}

TEST_F(RoomFiling, ErasedLabelLayerIsWrittenAsAbsentAndReadsBackNull) {
    AcDbObjectId gone = addLayer("GONE");
    hvacRoom* room = makeRoom(square(0, 0, 10));
    room->setLabelLayer(gone);
    AcDbObjectId id = append(room);
    {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(gone, AcDb::kForWrite);
        ASSERT_EQ(layer->erase(), Acad::eOk);
    }
    std::unique_ptr<AcDbDatabase> copy = reopen(false);
    std::vector<AcDbObjectId> rooms = roomsOf(copy.get());
    ASSERT_EQ(rooms.size(), 1u);
    AcDbObjectPointer<hvacRoom> back(rooms[0], AcDb::kForRead);
    EXPECT_TRUE(back->labelLayer().isNull());
    (void)id;
}

TEST_F(RoomFiling, VersionOneLeaderRunsFromItsLastVertexToItsFirst) {
    // Older data: the room fields, then a host leader tip-first, then the
    // leader layer and one more reference that is read and dropped.
    hvacRoom* source = makeRoom(square(0, 0, 10), 4);
    AcDbDwgMemoryFiler out(AcDb::kFileFiler, db);
    ASSERT_EQ(source->AcDbEntity::dwgOutFields(&out), Acad::eOk);
    out.writeInt32(1);
    out.writeInt32(4);
    out.writeInt32(2);
    out.writePoint2d(AcGePoint2d(0, 0));
    out.writeBool(false);
    out.writePoint2d(AcGePoint2d(10, 0));
    out.writeBool(true);
    out.writeBool(false);  // label layer
    out.writeBool(false);  // text style
    out.writeDouble(2.5);
    ASSERT_EQ(source->label().dwgOutFields(&out), Acad::eOk);
    out.writeBool(true);   // leader visible
    AcDbLeader old;
    old.appendVertex(AcGePoint3d(1, 1, 0));
    old.appendVertex(AcGePoint3d(5, 8, 0));
    old.appendVertex(AcGePoint3d(9, 8, 0));
    ASSERT_EQ(old.dwgOutFields(&out), Acad::eOk);
    out.writeBool(true);
    out.writeHardPointerId(leaderLayer);
    out.writeBool(true);
    out.writeHardPointerId(labelLayer);
    delete source;

    const std::string bytes = out.data();
    AcDbDwgMemoryFiler in(bytes, [this](AcDbHandle h) {
        AcDbObjectId id;
        db->getAcDbObjectId(id, false, h);
        return id;
    }, AcDb::kFileFiler, db);
    hvacRoom room;
    ASSERT_EQ(room.dwgInFields(&in), Acad::eOk);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(room.index(), 4);
    ASSERT_EQ(room.pointCount(), 2);
    EXPECT_TRUE(room.pointAt(1).emphasised);
    EXPECT_DOUBLE_EQ(room.labelTextHeight(), 2.5);
    EXPECT_TRUE(room.leaderVisible());
    EXPECT_EQ(room.leader().startPoint(), AcGePoint3d(9, 8, 0));
    EXPECT_EQ(room.leader().middlePoint(), AcGePoint3d(5, 8, 0));
    EXPECT_EQ(room.leader().endPoint(), AcGePoint3d(1, 1, 0));
    EXPECT_EQ(room.leaderLayer(), leaderLayer);
}

TEST_F(RoomFiling, NewerVersionAsksForAProxyAndVersionZeroFails) {
    for (auto [version, expected] : {std::pair{3, Acad::eMakeMeProxy}, std::pair{0, Acad::eDwgObjectImproperlyRead}}) {
        AcDbEntity plain;
        AcDbDwgMemoryFiler out(AcDb::kFileFiler, db);
        ASSERT_EQ(plain.dwgOutFields(&out), Acad::eOk);
        out.writeInt32(version);
        out.writeInt32(1);
        const std::string bytes = out.data();
        AcDbDwgMemoryFiler in(bytes, [](AcDbHandle) { return AcDbObjectId(); }, AcDb::kFileFiler, db);
        hvacRoom room;
        EXPECT_EQ(room.dwgInFields(&in), expected) << version;
    }
}
