// The recording context: primitives with their traits, embedded drawables,
// inserts kept or exploded, model transforms and defensive limits.
#include "TestDrawables.h"

#include "graphics/AcGiRecordingContext.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
const AcGeTol kTol(1e-9, 1e-9);
}  // namespace

TEST(RecordingContext, RecordsPrimitivesWithTraitsAndMarkers) {
    ScriptedDrawable d;
    d.layer = fakeId(1);
    d.world = [](AcGiWorldDraw* wd) {
        const AcGePoint3d seg[2] = {{0, 0, 0}, {10, 0, 0}};
        wd->subEntityTraits().setSelectionMarker(1);
        wd->geometry().polyline(2, seg);
        wd->subEntityTraits().setSelectionMarker(0);
        wd->subEntityTraits().setColor(1);
        wd->subEntityTraits().setLayer(fakeId(2));
        wd->geometry().circle(AcGePoint3d(5, 5, 0), 2.0, AcGeVector3d::kZAxis);
        wd->geometry().text(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 1, 0), 0.8, 1.0, 0.0, "V");
        return true;
    };
    AcGiRecordingContext rc;
    EXPECT_TRUE(rc.draw(&d));
    ASSERT_EQ(rc.records().size(), 3u);
    const AcGiRecord& line = rc.records()[0];
    EXPECT_EQ(line.kind, "polyline");
    EXPECT_EQ(line.traits.marker, 1);
    EXPECT_EQ(line.traits.layer, fakeId(1));
    EXPECT_EQ(line.traits.color, AcGiColor::kByLayer);
    const AcGiRecord& circle = rc.records()[1];
    EXPECT_EQ(circle.traits.marker, 0);
    EXPECT_EQ(circle.traits.color, 1);
    EXPECT_EQ(circle.traits.layer, fakeId(2));
    EXPECT_DOUBLE_EQ(circle.radius, 2.0);
    const AcGiRecord& text = rc.records()[2];
    EXPECT_EQ(text.text, "V");
    EXPECT_DOUBLE_EQ(text.height, 0.8);
    EXPECT_NEAR(text.rotation, kPi / 2, 1e-12);
    EXPECT_EQ(rc.describe(),
              "polyline (0,0,0) (10,0,0)\ncircle (5,5,0) 2\ntext (1,1,0) 0.8 \"V\"\n");
}

TEST(RecordingContext, EmbeddedDrawableUsesItsOwnAttributesThenRestoresTraits) {
    TestMText label;
    label.layer = fakeId(7);
    label.location = AcGePoint3d(3, 4, 0);
    label.contents = "101\\POffice";
    ScriptedDrawable room;
    room.layer = fakeId(1);
    room.world = [&](AcGiWorldDraw* wd) {
        wd->subEntityTraits().setLayer(fakeId(5));
        wd->geometry().draw(&label);
        const AcGePoint3d seg[2] = {{0, 0, 0}, {1, 0, 0}};
        wd->geometry().polyline(2, seg);
        return true;
    };
    AcGiRecordingContext rc;
    rc.draw(&room);
    ASSERT_EQ(rc.records().size(), 2u);
    EXPECT_EQ(rc.records()[0].kind, "mtext");
    EXPECT_EQ(rc.records()[0].text, "101\\POffice");
    EXPECT_EQ(rc.records()[0].traits.layer, fakeId(7));
    EXPECT_EQ(rc.records()[0].traits.depth, 1);
    EXPECT_TRUE(rc.records()[0].position.isEqualTo(AcGePoint3d(3, 4, 0)));
    // Back in the room, the layer it set before the embedded draw holds again.
    EXPECT_EQ(rc.records()[1].traits.layer, fakeId(5));
    EXPECT_EQ(rc.records()[1].traits.depth, 0);
}

TEST(RecordingContext, InsertsAreKeptOrExploded) {
    TestLine tick(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    tick.color = AcGiColor::kByBlock;
    TestBlockRef arrow;
    arrow.blockName = "ARROW";
    arrow.position = AcGePoint3d(10, -5, 0);
    arrow.rotation = 3 * kPi / 2;
    arrow.scale = 2.0;
    arrow.color = 3;
    arrow.content = {&tick};

    AcGiRecordingContext keep(true);
    keep.draw(&arrow);
    ASSERT_EQ(keep.records().size(), 1u);
    const AcGiRecord& insert = keep.records()[0];
    EXPECT_EQ(insert.kind, "insert");
    EXPECT_EQ(insert.text, "ARROW");
    EXPECT_TRUE(insert.position.isEqualTo(AcGePoint3d(10, -5, 0)));
    EXPECT_DOUBLE_EQ(insert.rotation, 3 * kPi / 2);
    EXPECT_TRUE(insert.scale.isEqualTo(AcGeScale3d(2.0)));
    EXPECT_EQ(insert.describe(), "insert \"ARROW\" (10,-5,0) 4.71238898 (2,2,2)");

    AcGiRecordingContext explode(false);
    explode.draw(&arrow);
    ASSERT_EQ(explode.count("polyline"), 1u);
    const AcGiRecord& line = explode.records()[0];
    // The unit tick, turned by 270 degrees, doubled and moved to the insert point.
    EXPECT_TRUE(line.points[0].isEqualTo(AcGePoint3d(10, -5, 0), kTol));
    EXPECT_TRUE(line.points[1].isEqualTo(AcGePoint3d(10, -7, 0), kTol));
    // ByBlock takes the reference's colour.
    EXPECT_EQ(line.traits.color, 3);
}

TEST(RecordingContext, NestedTransformsCompose) {
    TestLine unit(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    TestBlockRef inner;
    inner.position = AcGePoint3d(1, 0, 0);
    inner.rotation = kPi / 2;
    inner.content = {&unit};
    TestBlockRef outer;
    outer.position = AcGePoint3d(100, 0, 0);
    outer.scale = 10.0;
    outer.content = {&inner};
    AcGiRecordingContext rc(false);
    rc.draw(&outer);
    ASSERT_EQ(rc.records().size(), 1u);
    EXPECT_TRUE(rc.records()[0].points[0].isEqualTo(AcGePoint3d(110, 0, 0), kTol));
    EXPECT_TRUE(rc.records()[0].points[1].isEqualTo(AcGePoint3d(110, 10, 0), kTol));
    EXPECT_EQ(rc.records()[0].traits.depth, 2);
}

TEST(RecordingContext, CirclesAndTextScaleWithTheTransform) {
    ScriptedDrawable d;
    d.world = [](AcGiWorldDraw* wd) {
        wd->geometry().pushModelTransform(AcGeMatrix3d::scaling(3.0));
        wd->geometry().circle(AcGePoint3d(1, 0, 0), 1.0, AcGeVector3d::kZAxis);
        wd->geometry().text(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 0.5, 1.0, 0.0, "A");
        wd->geometry().popModelTransform();
        return true;
    };
    AcGiRecordingContext rc;
    rc.draw(&d);
    ASSERT_EQ(rc.records().size(), 2u);
    EXPECT_TRUE(rc.records()[0].position.isEqualTo(AcGePoint3d(3, 0, 0)));
    EXPECT_DOUBLE_EQ(rc.records()[0].radius, 3.0);
    EXPECT_DOUBLE_EQ(rc.records()[1].height, 1.5);
}

TEST(RecordingContext, SelfReferencingBlockStopsAtTheDepthLimit) {
    TestBlockRef loop;
    loop.content = {&loop};
    TestLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    loop.content.push_back(&line);
    AcGiRecordingContext rc(false);
    rc.context().setMaxDepth(5);
    rc.draw(&loop);
    EXPECT_EQ(rc.count("polyline"), 5u);
}

TEST(RecordingContext, UnbalancedTransformsDoNotLeakToSiblings) {
    ScriptedDrawable sloppy;
    sloppy.world = [](AcGiWorldDraw* wd) {
        wd->geometry().pushModelTransform(AcGeMatrix3d::translation(AcGeVector3d(50, 0, 0)));
        return true;
    };
    TestLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    ScriptedDrawable parent;
    parent.world = [&](AcGiWorldDraw* wd) {
        wd->geometry().draw(&sloppy);
        wd->geometry().draw(&line);
        EXPECT_FALSE(wd->geometry().popModelTransform());
        return true;
    };
    AcGiRecordingContext rc;
    rc.draw(&parent);
    ASSERT_EQ(rc.records().size(), 1u);
    EXPECT_TRUE(rc.records()[0].points[0].isEqualTo(AcGePoint3d(0, 0, 0)));
}

TEST(RecordingContext, ViewportDrawRunsOnlyWhenWorldDrawAsksForIt) {
    int viewportCalls = 0;
    ScriptedDrawable d;
    d.world = [](AcGiWorldDraw* wd) {
        EXPECT_EQ(wd->regenType(), kAcGiStandardDisplay);
        EXPECT_FALSE(wd->isDragging());
        return false;
    };
    d.viewport = [&](AcGiViewportDraw* vd) {
        ++viewportCalls;
        const AcGePoint3d seg[2] = {{0, 0, 0}, {0, 1, 0}};
        vd->geometry().polyline(2, seg);
    };
    AcGiRecordingContext rc;
    EXPECT_FALSE(rc.draw(&d));
    EXPECT_EQ(viewportCalls, 1);
    EXPECT_EQ(rc.count("polyline"), 1u);

    d.world = [](AcGiWorldDraw*) { return true; };
    rc.draw(&d);
    EXPECT_EQ(viewportCalls, 1);
}

TEST(RecordingContext, DerivedPrimitivesAndBadInput) {
    ScriptedDrawable d;
    d.world = [](AcGiWorldDraw* wd) {
        auto& g = wd->geometry();
        EXPECT_TRUE(g.circle(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0)));
        EXPECT_TRUE(g.circularArc(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0)));
        EXPECT_FALSE(g.circle(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0)));
        EXPECT_FALSE(g.circle(AcGePoint3d(0, 0, 0), -1.0, AcGeVector3d::kZAxis));
        EXPECT_FALSE(g.polyline(0, nullptr));
        EXPECT_FALSE(g.text(AcGePoint3d(), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1, 1, 0, nullptr));
        EXPECT_FALSE(g.draw(nullptr));
        const AcGiTextStyle style("simplex.shx", 2.0, 0.8, 0.0);
        EXPECT_TRUE(g.text(AcGePoint3d(), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, "ABCDEF", 3, false, style));
        return true;
    };
    AcGiRecordingContext rc;
    rc.draw(&d);
    ASSERT_EQ(rc.records().size(), 3u);
    EXPECT_TRUE(rc.records()[0].position.isEqualTo(AcGePoint3d(0, 0, 0), kTol));
    EXPECT_NEAR(rc.records()[0].radius, 1.0, 1e-12);
    EXPECT_EQ(rc.records()[1].kind, "arc");
    EXPECT_NEAR(rc.records()[1].sweep, kPi, 1e-12);
    EXPECT_EQ(rc.records()[2].text, "ABC");
    EXPECT_DOUBLE_EQ(rc.records()[2].height, 2.0);
}
