// Room editing geometry: grips and stretch points for 0, 2 and 4 vertices,
// midpoint grips (the closing segment first), the label grip carrying the
// leader, the elbow rules, transformation and snaps.
#include "RoomFixture.h"
#include "geometry/AcGeMatrix3d.h"

namespace {

class RoomEditing : public RoomFixture {
protected:
    static AcGePoint3dArray grips(const hvacRoom* room) {
        AcGePoint3dArray points;
        AcDbIntArray modes, ids;
        EXPECT_EQ(room->getGripPoints(points, modes, ids), Acad::eOk);
        return points;
    }
};

} // namespace

TEST_F(RoomEditing, GripsFollowLabelLeaderVerticesClosingMidpointSegmentMidpoints) {
    hvacRoom* none = makeRoom({});
    EXPECT_EQ(grips(none).size(), 1u);
    delete none;

    hvacRoom* two = makeRoom({{0, 0}, {10, 0}});
    AcGePoint3dArray g = grips(two);
    ASSERT_EQ(g.size(), 5u);  // label, 2 vertices, closing midpoint, 1 segment midpoint
    EXPECT_EQ(g[0], AcGePoint3d(19, 31, 0));
    EXPECT_EQ(g[3], AcGePoint3d(5, 0, 0));
    EXPECT_EQ(g[4], AcGePoint3d(5, 0, 0));
    delete two;

    hvacRoom* four = makeRoom(square(0, 0, 10));
    four->setLeaderVisible(true);
    g = grips(four);
    ASSERT_EQ(g.size(), 3u + 4u + 1u + 3u);
    EXPECT_EQ(g[1], four->leader().endPoint());
    EXPECT_EQ(g[2], four->leader().middlePoint());
    EXPECT_EQ(g[3], AcGePoint3d(0, 0, 0));
    EXPECT_EQ(g[7], AcGePoint3d(0, 5, 0));   // closing segment (0,10) -> (0,0)
    EXPECT_EQ(g[8], AcGePoint3d(5, 0, 0));
    AcGePoint3dArray stretch;
    ASSERT_EQ(four->getStretchPoints(stretch), Acad::eOk);
    EXPECT_EQ(stretch.size(), g.size());
    delete four;
}

TEST_F(RoomEditing, MidpointGripsMoveBothVerticesButStretchIgnoresThem) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    // Without leader: vertices are 1..4, closing midpoint 5, segments 6..8.
    ASSERT_EQ(room->moveGripPointsAt({5}, AcGeVector3d(-2, 0, 0)), Acad::eOk);
    EXPECT_EQ(room->pointAt(0).point, AcGePoint2d(-2, 0));
    EXPECT_EQ(room->pointAt(3).point, AcGePoint2d(-2, 10));
    ASSERT_EQ(room->moveGripPointsAt({6}, AcGeVector3d(0, -1, 0)), Acad::eOk);
    EXPECT_EQ(room->pointAt(0).point, AcGePoint2d(-2, -1));
    EXPECT_EQ(room->pointAt(1).point, AcGePoint2d(10, -1));
    ASSERT_EQ(room->moveStretchPointsAt({2, 6}, AcGeVector3d(0, 1, 0)), Acad::eOk);
    EXPECT_EQ(room->pointAt(1).point, AcGePoint2d(10, 0));
    EXPECT_EQ(room->pointAt(0).point, AcGePoint2d(-2, -1));
    delete room;
}

TEST_F(RoomEditing, LabelGripCarriesLeaderStartAndElbowButNotTheArrow) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    room->setLeaderVisible(true);
    const AcGePoint3d start = room->leader().startPoint(), middle = room->leader().middlePoint(),
                      end = room->leader().endPoint();
    ASSERT_EQ(room->moveGripPointsAt({0}, AcGeVector3d(3, 4, 0)), Acad::eOk);
    EXPECT_EQ(room->labelLocation(), AcGePoint2d(23, 34));
    EXPECT_EQ(room->leader().startPoint(), start + AcGeVector3d(3, 4, 0));
    EXPECT_EQ(room->leader().middlePoint(), middle + AcGeVector3d(3, 4, 0));
    EXPECT_EQ(room->leader().endPoint(), end);
    delete room;
}

TEST_F(RoomEditing, ElbowDraggedBelowTheLabelStartsAtTheBottomWithAVerticalLeg) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    room->setLeaderVisible(true);
    room->setLeaderPoints(AcGePoint2d(5, 5), AcGePoint2d(30, 29));
    const std::vector<AcGePoint2d> mids = room->labelSideMidpoints();
    EXPECT_EQ(room->leader().startPoint().convert2d(), mids[0]);  // right side, horizontal leg
    EXPECT_DOUBLE_EQ(room->leader().middlePoint().y, mids[0].y);
    const AcGePoint3d elbow = room->leader().middlePoint();
    const AcGeVector3d down = AcGePoint3d(mids[3].x + 1, mids[3].y - 10, 0) - elbow;
    ASSERT_EQ(room->moveGripPointsAt({2}, down), Acad::eOk);
    EXPECT_EQ(room->leader().startPoint().convert2d(), mids[3]);
    EXPECT_DOUBLE_EQ(room->leader().middlePoint().x, mids[3].x);
    EXPECT_DOUBLE_EQ(room->leader().middlePoint().y, mids[3].y - 10);
    EXPECT_EQ(room->leader().endPoint(), AcGePoint3d(5, 5, 0));
    delete room;
}

TEST_F(RoomEditing, SideMidpointTiesGoToTheEarlierSide) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    const std::vector<AcGePoint2d> mids = room->labelSideMidpoints();
    // Equally far from the right and top midpoints: right wins.
    const AcGePoint2d corner(mids[0].x, mids[1].y);
    EXPECT_EQ(room->nearestSideMidpoint(corner), mids[0]);
    delete room;
}

TEST_F(RoomEditing, TransformMovesOutlineLabelAndRefitsTheLeader) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    room->setLabelText("A");
    room->setLeaderVisible(true);
    ASSERT_EQ(room->transformBy(AcGeMatrix3d::translation(AcGeVector3d(100, 50, 0))), Acad::eOk);
    EXPECT_EQ(room->pointAt(2).point, AcGePoint2d(110, 60));
    EXPECT_EQ(room->labelLocation(), AcGePoint2d(120, 80));
    const std::vector<AcGePoint2d> mids = room->labelSideMidpoints();
    EXPECT_TRUE(std::find(mids.begin(), mids.end(), room->leader().startPoint().convert2d()) != mids.end());
    delete room;
}

TEST_F(RoomEditing, EndSnapsIncludeTheClosingSegmentOfATwoVertexRoomAndTheFrame) {
    hvacRoom* room = makeRoom({{0, 0}, {10, 0}});
    AcGePoint3dArray snaps;
    AcDbIntArray ids;
    ASSERT_EQ(room->getOsnapPoints(AcDb::kOsModeMid, 0, AcGePoint3d(), AcGePoint3d(), AcGeMatrix3d::kIdentity,
                                   snaps, ids), Acad::eOk);
    ASSERT_EQ(snaps.size(), 2u + 4u);
    EXPECT_EQ(snaps[0], AcGePoint3d(5, 0, 0));
    EXPECT_EQ(snaps[1], AcGePoint3d(5, 0, 0));
    delete room;
}
