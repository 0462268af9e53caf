// The leader's drawing, grips, snaps, explode, extents, transform, listing
// and curve protocol.
#include <cmath>
#include <numbers>

#include "LeaderFixture.h"
#include "graphics/AcGiRecordingContext.h"

namespace {

constexpr double kTol = 1e-9;

void expectPoint(const AcGePoint3d& p, double x, double y, double z = 0.0) {
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
    EXPECT_NEAR(p.z, z, kTol);
}

class LeaderGeometry : public LeaderFixture {
protected:
    void SetUp() override {
        LeaderFixture::SetUp();
        arrowId = addBlock("ARROW");
        leader.setPoints(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(10, -5, 0));
        leader.setSize(1.0);
        ASSERT_TRUE(leader.setArrowBlock("ARROW"));
    }
    AcDbObjectId arrowId;
    ZKLeader leader;
};

} // namespace

TEST_F(LeaderGeometry, DrawsTwoLegsAndTheArrowTurnedAlongTheLastLeg) {
    AcGiRecordingContext context(true);
    context.draw(&leader);
    auto lines = context.recordsOfKind("polyline");
    ASSERT_EQ(lines.size(), 2u);
    expectPoint(lines[0]->points.at(0), 0, 0);
    expectPoint(lines[0]->points.at(1), 10, 0);
    expectPoint(lines[1]->points.at(0), 10, 0);
    expectPoint(lines[1]->points.at(1), 10, -4);
    auto inserts = context.recordsOfKind("insert");
    ASSERT_EQ(inserts.size(), 1u);
    expectPoint(inserts[0]->position, 10, -5);
    EXPECT_NEAR(inserts[0]->rotation, 3 * std::numbers::pi / 2, 1e-7);
    EXPECT_DOUBLE_EQ(inserts[0]->scale.sx, 1.0);
    EXPECT_EQ(inserts[0]->text, "ARROW");
    EXPECT_EQ(inserts[0]->blockId, arrowId);
}

TEST_F(LeaderGeometry, SetLayerReachesTheArrowOnlyWithSubEntities) {
    AcDbObjectId layerZero = db->layerId("0");
    ASSERT_EQ(leader.setLayer(layerZero, false), Acad::eOk);
    EXPECT_TRUE(leader.arrow().layerId().isNull());
    ASSERT_EQ(leader.setLayer(layerZero, true), Acad::eOk);
    EXPECT_EQ(leader.arrow().layerId(), layerZero);
    EXPECT_NE(leader.setLayer(AcDbObjectId(), true), Acad::eOk);
}

TEST_F(LeaderGeometry, MovingTheElbowAloneReaimsTheArrow) {
    AcGePoint3dArray grips;
    AcDbIntArray modes, ids;
    ASSERT_EQ(leader.getGripPoints(grips, modes, ids), Acad::eOk);
    ASSERT_EQ(grips.size(), 3u);
    expectPoint(grips[1], 10, 0);

    // The same index twice moves the elbow once.
    ASSERT_EQ(leader.moveGripPointsAt({1, 1}, AcGeVector3d(5, -5, 0)), Acad::eOk);
    AcGePoint3d s, m, e;
    leader.getPoints(s, m, e);
    expectPoint(s, 0, 0);
    expectPoint(m, 15, -5);
    expectPoint(e, 10, -5);
    expectPoint(leader.arrow().position(), 10, -5);
    EXPECT_NEAR(leader.arrow().rotation(), std::numbers::pi, 1e-12);
    expectPoint(leader.arrowBase(), 11, -5);

    ASSERT_EQ(leader.moveStretchPointsAt({0, 2, 7}, AcGeVector3d(1, 1, 0)), Acad::eOk);
    leader.getPoints(s, m, e);
    expectPoint(s, 1, 1);
    expectPoint(m, 15, -5);
    expectPoint(e, 11, -4);
    expectPoint(leader.arrow().position(), 11, -4);
}

TEST_F(LeaderGeometry, SnapsExplodeAndExtentsUseTheShortenedSecondLeg) {
    AcGePoint3dArray snaps;
    AcDbIntArray ids;
    ASSERT_EQ(leader.getOsnapPoints(AcDb::kOsModeEnd, 0, AcGePoint3d(), AcGePoint3d(), AcGeMatrix3d(), snaps, ids),
              Acad::eOk);
    ASSERT_GE(snaps.size(), 4u);
    expectPoint(snaps[0], 0, 0);
    expectPoint(snaps[1], 10, 0);
    expectPoint(snaps[2], 10, 0);
    expectPoint(snaps[3], 10, -4);

    AcDbVoidPtrArray parts;
    ASSERT_EQ(leader.explode(parts), Acad::eOk);
    ASSERT_EQ(parts.size(), 3u);  // two legs and the arrow block's one line
    auto* second = AcDbLine::cast(static_cast<AcDbEntity*>(parts[1]));
    ASSERT_NE(second, nullptr);
    expectPoint(second->endPoint(), 10, -4);
    auto* arrowLine = AcDbLine::cast(static_cast<AcDbEntity*>(parts[2]));
    ASSERT_NE(arrowLine, nullptr);
    expectPoint(arrowLine->startPoint(), 10, -5);
    expectPoint(arrowLine->endPoint(), 10, -4);  // (-1,0) turned by 270 degrees
    acdbDeleteEntities(parts);

    AcDbExtents extents;
    ASSERT_EQ(leader.getGeomExtents(extents), Acad::eOk);
    expectPoint(extents.minPoint(), 0, -4);
    expectPoint(extents.maxPoint(), 10, 0);
}

TEST_F(LeaderGeometry, TransformMovesThePointsAndTheArrow) {
    AcGeMatrix3d turn = AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis, AcGePoint3d::kOrigin);
    ASSERT_EQ(leader.transformBy(turn), Acad::eOk);
    AcGePoint3d s, m, e;
    leader.getPoints(s, m, e);
    expectPoint(m, 0, 10);
    expectPoint(e, 5, 10);
    expectPoint(leader.arrow().position(), 5, 10);
    EXPECT_NEAR(leader.arrow().rotation(), 0.0, 1e-9);
}

TEST_F(LeaderGeometry, ListsThePointsAfterTheCommonLines) {
    output.clear();
    leader.list();
    EXPECT_NE(output.find("ZKLeader"), std::string::npos);
    EXPECT_NE(output.find("                   Starting point = 0.000000, 0.000000, 0.000000\n"), std::string::npos);
    EXPECT_NE(output.find("                   Middle point = 10.000000, 0.000000, 0.000000\n"), std::string::npos);
    EXPECT_NE(output.find("                   End point = 10.000000, -5.000000, 0.000000\n"), std::string::npos);
}

TEST_F(LeaderGeometry, CurveProtocolIsTheChordFromStartToEnd) {
    leader.setPoints(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(3, 4, 0));
    double param = 0;
    ASSERT_EQ(leader.getEndParam(param), Acad::eOk);
    EXPECT_DOUBLE_EQ(param, 5.0);
    AcGePoint3d p;
    leader.getPointAtParam(2.5, p);
    expectPoint(p, 1.5, 2.0);
    leader.getPointAtDist(5.0, p);
    expectPoint(p, 3, 4);
    leader.getParamAtPoint(AcGePoint3d(3, 0, 0), param);  // projection onto the chord
    EXPECT_NEAR(param, 1.8, kTol);
    double dist = 0;
    leader.getDistAtPoint(AcGePoint3d(3, 0, 0), dist);
    EXPECT_NEAR(dist, 3.0, kTol);
    // A leader folded back onto its start has a zero chord: no division by zero.
    leader.setEnd(AcGePoint3d(0, 0, 0));
    leader.getPointAtParam(1.0, p);
    expectPoint(p, 0, 0);
}
