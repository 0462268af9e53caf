// Room display: outline segments and markers, the emphasised band, the
// label frame and label, the leader, the outline-only room and extents.
#include "RoomFixture.h"

namespace {

class RoomDisplay : public RoomFixture {};

std::vector<const AcGiRecord*> polylines(const std::vector<AcGiRecord>& records) {
    std::vector<const AcGiRecord*> lines;
    for (const AcGiRecord& r : records)
        if (r.kind == "polyline") lines.push_back(&r);
    return lines;
}

} // namespace

TEST_F(RoomDisplay, EmphasisedSegmentIsABandOfThirteenLinesOneUnitApart) {
    hvacRoom* room = makeRoom({{0, 0}, {100, 0}}, -1);
    RoomPoint first = room->pointAt(0);
    first.emphasised = true;
    room->setPointAt(0, first);
    const std::vector<AcGiRecord> records = drawingOf(room);
    std::vector<const AcGiRecord*> lines = polylines(records);
    ASSERT_EQ(lines.size(), 13u);
    std::vector<double> offsets;
    for (const AcGiRecord* line : lines) {
        ASSERT_EQ(line->points.size(), 2u);
        EXPECT_NEAR(line->points[0].y, line->points[1].y, 1e-6);
        EXPECT_NEAR(line->points[0].x, 0.0, 1e-6);
        EXPECT_NEAR(line->points[1].x, 100.0, 1e-6);
        offsets.push_back(line->points[0].y);
    }
    std::sort(offsets.begin(), offsets.end());
    for (int k = 0; k < 13; ++k) EXPECT_NEAR(offsets[static_cast<size_t>(k)], k - 6.0, 1e-6);
    delete room;
}

TEST_F(RoomDisplay, TwoVerticesDrawOneSegmentAndNoClosingOne) {
    hvacRoom* room = makeRoom({{0, 0}, {10, 0}}, -1);
    EXPECT_EQ(polylines(drawingOf(room)).size(), 1u);
    room->insertPoint(2, RoomPoint{AcGePoint2d(10, 10), false});
    const std::vector<AcGiRecord> records = drawingOf(room);
    std::vector<const AcGiRecord*> lines = polylines(records);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2]->points[0], AcGePoint3d(10, 10, 0));
    EXPECT_EQ(lines[2]->points[1], AcGePoint3d(0, 0, 0));
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i]->traits.marker, static_cast<Adesk::GsMarker>(i + 1));
    delete room;
}

TEST_F(RoomDisplay, RoomWithoutIndexShowsOnlyItsOutline) {
    hvacRoom* room = makeRoom(square(0, 0, 10), -1);
    room->setLeaderVisible(true);
    std::vector<AcGiRecord> records = drawingOf(room);
    EXPECT_EQ(records.size(), 4u);
    for (const AcGiRecord& r : records) EXPECT_EQ(r.kind, "polyline");
    delete room;
}

TEST_F(RoomDisplay, IndexedRoomDrawsLeaderFrameAndLabelOnTheirLayers) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    room->setLabelLayer(labelLayer);
    room->setLeaderLayer(leaderLayer);
    room->setLeaderArrow("ZKARROW", 1.0);
    room->setLeaderVisible(true);
    std::vector<AcGiRecord> records = drawingOf(room);
    // Four outline segments, two leader legs, the arrow, the frame, the label.
    ASSERT_EQ(records.size(), 9u);
    EXPECT_EQ(records[6].kind, "insert");
    EXPECT_EQ(records[7].kind, "polyline");
    EXPECT_EQ(records[7].points.size(), 5u);
    EXPECT_EQ(records[7].points[0], AcGePoint3d(19, 31, 0));
    EXPECT_EQ(records[8].kind, "mtext");
    EXPECT_EQ(records[8].text, "ROOM 7");
    EXPECT_DOUBLE_EQ(records[8].height, 2.0);
    EXPECT_EQ(records[8].traits.layer, labelLayer);
    EXPECT_EQ(records[4].traits.layer, leaderLayer);
    delete room;
}

TEST_F(RoomDisplay, ProxyGraphicsAreTheOutlineOnly) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    AcGiRecordingContext context;
    room->saveAs(&context.worldDraw(), AcDb::kR13Save);
    EXPECT_EQ(context.records().size(), 4u);
    delete room;
}

TEST_F(RoomDisplay, ExtentsCoverOutlineAndLabel) {
    hvacRoom* room = makeRoom(square(0, 0, 10));
    AcDbExtents extents;
    ASSERT_EQ(room->getGeomExtents(extents), Acad::eOk);
    EXPECT_DOUBLE_EQ(extents.minPoint().x, 0.0);
    EXPECT_DOUBLE_EQ(extents.minPoint().y, 0.0);
    EXPECT_GE(extents.maxPoint().x, 20.0 + room->label().actualWidth());
    EXPECT_GE(extents.maxPoint().y, 30.0);
    delete room;
}
