// Room outline measures and the extents index: area in both vertex orders,
// the two-ray test at vertices, and the index answering like a full walk.
#include <random>

#include "RoomFixture.h"
#include "editor/EntityGridIndex.h"

namespace {

class RoomOutline : public RoomFixture {
protected:
    // The first room in model space order containing p, walking everything.
    AcDbObjectId firstContainingByWalk(const AcGePoint2d& p) {
        for (AcDbObjectId id : roomsOf(db)) {
            AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
            if (room->containsPoint(p)) return id;
        }
        return AcDbObjectId();
    }
    AcDbObjectId firstContainingByIndex(const AcGePoint2d& p) {
        for (AcDbObjectId id : acedIndexedEntitiesIn(db, p, p)) {
            AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
            if (room && room->containsPoint(p)) return id;
        }
        return AcDbObjectId();
    }
};

} // namespace

TEST_F(RoomOutline, AreaIsPositiveWhicheverWayTheVerticesRun) {
    hvacRoom* room = makeRoom({{0, 0}, {10, 0}, {10, 20}, {0, 20}});
    double area = 0;
    ASSERT_TRUE(room->area(area));
    EXPECT_DOUBLE_EQ(area, 200.0);
    hvacRoom* reversed = makeRoom({{0, 20}, {10, 20}, {10, 0}, {0, 0}});
    ASSERT_TRUE(reversed->area(area));
    EXPECT_DOUBLE_EQ(area, 200.0);
    hvacRoom* empty = makeRoom({});
    EXPECT_FALSE(empty->area(area));
    delete room;
    delete reversed;
    delete empty;
}

TEST_F(RoomOutline, RayThroughAVertexCountsItOnce) {
    // A diamond: from (5,5) the up ray passes through the top vertex and the
    // right ray through the right vertex.
    hvacRoom* diamond = makeRoom({{5, 0}, {10, 5}, {5, 10}, {0, 5}});
    EXPECT_TRUE(diamond->containsPoint(AcGePoint2d(5, 5)));
    EXPECT_TRUE(diamond->containsPoint(AcGePoint2d(5, 2)));
    EXPECT_FALSE(diamond->containsPoint(AcGePoint2d(5, -1)));
    EXPECT_FALSE(diamond->containsPoint(AcGePoint2d(9, 9)));
    // The same with the vertices the other way round.
    hvacRoom* back = makeRoom({{0, 5}, {5, 10}, {10, 5}, {5, 0}});
    EXPECT_TRUE(back->containsPoint(AcGePoint2d(5, 5)));
    EXPECT_FALSE(back->containsPoint(AcGePoint2d(-1, 5)));
    delete diamond;
    delete back;
}

TEST_F(RoomOutline, ConcaveRoomExcludesItsNotch) {
    hvacRoom* u = makeRoom({{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}});
    EXPECT_TRUE(u->containsPoint(AcGePoint2d(5, 15)));
    EXPECT_FALSE(u->containsPoint(AcGePoint2d(15, 15)));
    EXPECT_TRUE(u->containsPoint(AcGePoint2d(15, 5)));
    delete u;
}

TEST_F(RoomOutline, IndexAnswersLikeAWalkThroughEditsErasuresAndOverlaps) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(0, 500), size(1, 80);
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < 200; ++i) ids.push_back(append(makeRoom(square(at(random), at(random), size(random)), i + 1)));
    auto compare = [&](const char* stage) {
        for (int k = 0; k < 300; ++k) {
            AcGePoint2d p(at(random), at(random));
            ASSERT_EQ(firstContainingByIndex(p), firstContainingByWalk(p)) << stage << " at " << p.x << "," << p.y;
        }
    };
    compare("appended");
    for (int i = 0; i < 200; i += 3) {
        AcDbObjectPointer<hvacRoom> room(ids[static_cast<size_t>(i)], AcDb::kForWrite);
        room->transformBy(AcGeMatrix3d::translation(AcGeVector3d(at(random) - 250, at(random) - 250, 0)));
    }
    compare("moved");
    for (int i = 1; i < 200; i += 5) {
        AcDbObjectPointer<hvacRoom> room(ids[static_cast<size_t>(i)], AcDb::kForWrite);
        room->erase();
    }
    compare("erased");
    {
        AcDbObjectPointer<hvacRoom> room(ids[2], AcDb::kForWrite);
        room->clearPoints();
        room->insertPoint(0, RoomPoint{AcGePoint2d(-1000, -1000), false});
        room->insertPoint(1, RoomPoint{AcGePoint2d(2000, -1000), false});
        room->insertPoint(2, RoomPoint{AcGePoint2d(0, 2000), false});
    }
    compare("grown");
    EXPECT_EQ(acedIndexedEntityCount(db), 200u);
}

// Rooms open for write elsewhere during a query (new, or being moved) are
// measured as they are at that moment, and again at a later query. The rooms
// have index -1: they draw only their outlines, no label or leader.
TEST_F(RoomOutline, RoomsOpenForWriteDuringAQueryAreMeasuredAsTheyAre) {
    auto at = [&](double x, double y) { return acedIndexedEntitiesIn(db, AcGePoint2d(x, y), AcGePoint2d(x, y)); };
    const AcDbObjectId far = append(makeRoom(square(100, 100, 10), -1));
    ASSERT_TRUE(at(5, 5).empty());

    // A new room still open for write.
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    hvacRoom* fresh = makeRoom(square(0, 0, 10), -1);
    AcDbObjectId freshId;
    ASSERT_EQ(space->appendAcDbEntity(freshId, fresh), Acad::eOk);
    space->close();
    EXPECT_EQ(at(5, 5), std::vector<AcDbObjectId>{freshId});
    fresh->close();
    EXPECT_EQ(at(5, 5), std::vector<AcDbObjectId>{freshId});
    EXPECT_TRUE(at(50, 50).empty());

    // A known room moved while open, then moved again before it closes.
    hvacRoom* moving = nullptr;
    ASSERT_EQ(acdbOpenObject(moving, far, AcDb::kForWrite), Acad::eOk);
    moving->clearPoints();
    for (const AcGePoint2d& p : square(40, 40, 20)) moving->insertPoint(moving->pointCount(), RoomPoint{p, false});
    EXPECT_EQ(at(50, 50), std::vector<AcDbObjectId>{far});
    EXPECT_TRUE(at(105, 105).empty());
    moving->transformBy(AcGeMatrix3d::translation(AcGeVector3d(200, 0, 0)));
    moving->close();
    EXPECT_TRUE(at(50, 50).empty());
    EXPECT_EQ(at(250, 50), std::vector<AcDbObjectId>{far});
    EXPECT_EQ(acedIndexedEntityCount(db), 2u);
}
