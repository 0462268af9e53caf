// Duct display through the world and the viewport path: risers, runs, lock
// markers (world only), hangers, size text, continuation labels, regen rules.
#include <algorithm>
#include <memory>

#include "DuctEntityFixture.h"
#include "graphics/AcGiRecordingContext.h"

namespace {

class DuctDisplay : public DuctEntityFixture {
protected:
    // Drawing scale 20: symbol size s = 1, riser and hanger size r = 2.5.
    void SetUp() override {
        DuctEntityFixture::SetUp();
        db->setDimscale(20.0);
    }
    static ZkDuct* makeRun(double length) {
        auto* duct = new ZkDuct;
        duct->setStartPoint(AcGePoint3d(0, 0, 8));
        duct->setEndPoint(AcGePoint3d(length, 0, 8));
        return duct;
    }
    static ZkDuct* makeRiser(double z1, double z2) {
        auto* duct = new ZkDuct;
        duct->setStartPoint(AcGePoint3d(3, 4, z1));
        duct->setEndPoint(AcGePoint3d(3, 4, z2));
        return duct;
    }
    std::vector<AcGiRecord> world(ZkDuct& duct) {
        AcGiRecordingContext rec;
        EXPECT_TRUE(duct.worldDraw(&rec.worldDraw()));
        return rec.records();
    }
    std::vector<AcGiRecord> viewport(ZkDuct& duct) {
        AcGiRecordingContext rec;
        duct.viewportDraw(&rec.viewportDraw());
        return rec.records();
    }
    static size_t polylinesOf(const std::vector<AcGiRecord>& records, size_t points) {
        return std::count_if(records.begin(), records.end(),
                             [&](const AcGiRecord& r) { return r.kind == "polyline" && r.points.size() == points; });
    }
    static std::vector<std::string> texts(const std::vector<AcGiRecord>& records, const char* kind = "text") {
        std::vector<std::string> found;
        for (const AcGiRecord& r : records)
            if (r.kind == kind) found.push_back(r.text);
        return found;
    }
};

} // namespace

TEST_F(DuctDisplay, SecondDisplayFlagFalseDrawsNothing) {
    std::unique_ptr<ZkDuct> run(makeRun(50)), riser(makeRiser(0, 10));
    for (ZkDuct* duct : {run.get(), riser.get()}) {
        duct->setSizeFor("12x8");
        duct->setLockWidth(true);
        duct->setHangerDistances({5.0});
        duct->setSecondDisplayFlag(false);
        EXPECT_TRUE(world(*duct).empty());
        EXPECT_TRUE(viewport(*duct).empty());
    }
}

TEST_F(DuctDisplay, EndsWithinOneThousandthInPlanMakeARiser) {
    std::unique_ptr<ZkDuct> duct(makeRiser(0, 10));
    duct->setEndPoint(AcGePoint3d(3.0009, 4, 10));
    const auto riser = world(*duct);
    EXPECT_GE(polylinesOf(riser, 13), 2u);  // the circle figures at both ends
    duct->setEndPoint(AcGePoint3d(3.0011, 4, 10));
    const auto run = world(*duct);
    EXPECT_EQ(polylinesOf(run, 13), 0u);
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(run.front().points.size(), 2u);  // the run itself
}

TEST_F(DuctDisplay, RiserSymbolShowsTheFlowDirection) {
    db->setDimscale(48.0);  // r = 6, s = 2.4
    std::unique_ptr<ZkDuct> up(makeRiser(0, 10)), down(makeRiser(10, 0));

    // Up with no size text: circles of radius 6 at both ends, then concentric
    // circles of radius 2 and 1.
    auto records = world(*up);
    ASSERT_EQ(polylinesOf(records, 13), 4u);
    EXPECT_NEAR(records[0].points[0].x - 3.0, 6.0, 1e-9);
    EXPECT_NEAR(records[2].points[0].x - 3.0, 2.0, 1e-9);
    EXPECT_NEAR(records[3].points[0].x - 3.0, 1.0, 1e-9);
    EXPECT_TRUE(texts(records).empty());

    // Down: a cross of four lines from radius r in to 0.75 s (s = 0.01 for "X").
    records = world(*down);
    EXPECT_EQ(polylinesOf(records, 13), 2u);
    ASSERT_EQ(polylinesOf(records, 2), 4u);
    EXPECT_NEAR(records[2].points[0].distanceTo(AcGePoint3d(3, 4, 10)), 6.0, 1e-9);
    EXPECT_NEAR(records[2].points[1].distanceTo(AcGePoint3d(3, 4, 10)), 0.0075, 1e-9);
    EXPECT_GT(records[2].points[0].x, 3.0);  // first at pi/4
    EXPECT_LT(records[3].points[0].x, 3.0);  // then 5pi/4

    // Reversed arrows swap the two pictures; a size text adds a circle of
    // radius s and the text.
    down->setReverseArrows(true);
    down->setSizeFor("10");
    records = world(*down);
    EXPECT_EQ(polylinesOf(records, 13), 3u);
    EXPECT_NEAR(records[2].points[0].x - 3.0, 2.4, 1e-9);
    EXPECT_EQ(texts(records), std::vector<std::string>{"10"});
}

TEST_F(DuctDisplay, LockMarkersAreDrawnForTheWorldOnlyInWidthDepthShapeOrder) {
    std::unique_ptr<ZkDuct> duct(makeRun(10));
    duct->setLockShape(true);
    duct->setLockWidth(true);
    duct->setLockDepth(true);
    const auto inWorld = world(*duct);
    const auto inViewport = viewport(*duct);
    EXPECT_EQ(texts(inWorld, "mtext"), std::vector<std::string>{"\\PW\\PD\\PS"});
    EXPECT_TRUE(texts(inViewport, "mtext").empty());
    // One mark per symbol size along the run.
    EXPECT_EQ(inWorld.size() - inViewport.size(), 1u + 10u);

    duct->setLockWidth(false);
    duct->setLockShape(false);
    const auto depthOnly = world(*duct);
    const auto mtext = std::find_if(depthOnly.begin(), depthOnly.end(), [](auto& r) { return r.kind == "mtext"; });
    ASSERT_NE(mtext, depthOnly.end());
    EXPECT_EQ(mtext->text, "\\PD");
    EXPECT_EQ(mtext->attachment, 5);
    EXPECT_DOUBLE_EQ(mtext->height, 0.5);
}

TEST_F(DuctDisplay, LockMarksAreCappedAtTwentyAndAtLeastOne) {
    std::unique_ptr<ZkDuct> longRun(makeRun(1000)), shortRun(makeRun(0.5));
    for (ZkDuct* duct : {longRun.get(), shortRun.get()}) duct->setLockWidth(true);
    EXPECT_EQ(world(*longRun).size() - viewport(*longRun).size(), 1u + 20u);
    EXPECT_EQ(world(*shortRun).size() - viewport(*shortRun).size(), 1u + 1u);
}

TEST_F(DuctDisplay, LockTextReadsLeftToRight) {
    std::unique_ptr<ZkDuct> duct(makeRun(10));
    duct->setLockWidth(true);
    duct->setEndPoint(AcGePoint3d(-10, 0.0, 8));  // runs to the left
    auto mtextOf = [&](ZkDuct& d) {
        for (const AcGiRecord& r : world(d))
            if (r.kind == "mtext") return r;
        return AcGiRecord{};
    };
    EXPECT_GT(mtextOf(*duct).direction.x, 0.99);
    duct->setEndPoint(AcGePoint3d(0, -10, 8));  // straight down: 3pi/2 is still turned
    EXPECT_GT(mtextOf(*duct).direction.y, 0.99);
    duct->setEndPoint(AcGePoint3d(0, 10, 8));  // straight up: pi/2 is not
    EXPECT_GT(mtextOf(*duct).direction.y, 0.99);
    duct->setEndPoint(AcGePoint3d(10, 0, 8));
    EXPECT_GT(mtextOf(*duct).direction.x, 0.99);
}

TEST_F(DuctDisplay, HangersPlainAndCrossedAndThoseBeyondTheEndSkipped) {
    std::unique_ptr<ZkDuct> duct(makeRun(50));
    const size_t bare = world(*duct).size();
    duct->setHangerDistances({10.0, -20.0, 50.0, 75.0, -60.0});
    const auto records = world(*duct);
    ASSERT_EQ(records.size(), bare + 3);
    // The plain hanger at 10 crosses the run, 0.25 r = 0.625 each side.
    const AcGiRecord& plain = records[bare];
    EXPECT_NEAR(plain.points[0].distanceTo({10, 0.625, 8}), 0.0, 1e-6);
    EXPECT_NEAR(plain.points[1].distanceTo({10, -0.625, 8}), 0.0, 1e-6);
    // The crossed one at 20 leans both ways by 0.025 r.
    EXPECT_NEAR(records[bare + 1].points[0].distanceTo({20.0625, 0.625, 8}), 0.0, 1e-6);
    EXPECT_NEAR(records[bare + 1].points[1].distanceTo({19.9375, -0.625, 8}), 0.0, 1e-6);
    EXPECT_NEAR(records[bare + 2].points[0].distanceTo({19.9375, 0.625, 8}), 0.0, 1e-6);
}

TEST_F(DuctDisplay, FlowArrowsPointWithTheFlowOrBackWhenReversed) {
    std::unique_ptr<ZkDuct> duct(makeRun(100));
    auto wingsPointBack = [&](bool reversed) {
        duct->setReverseArrows(reversed);
        const auto records = world(*duct);
        int back = 0, forward = 0;
        for (size_t i = 1; i < records.size(); ++i) {  // after the run line
            const auto& p = records[i].points;
            (p[1].x < p[0].x ? back : forward)++;
        }
        EXPECT_GT(back + forward, 0);
        return back > 0 && forward == 0;
    };
    EXPECT_TRUE(wingsPointBack(false));
    EXPECT_FALSE(wingsPointBack(true));
}

TEST_F(DuctDisplay, SizeTextInItsCircleUnlessX) {
    std::unique_ptr<ZkDuct> duct(makeRun(50));
    EXPECT_TRUE(texts(world(*duct)).empty());
    duct->setSizeFor("12x8");
    const auto records = world(*duct);
    ASSERT_EQ(polylinesOf(records, 13), 1u);
    const auto circle = std::find_if(records.begin(), records.end(), [](auto& r) { return r.points.size() == 13; });
    EXPECT_EQ(circle->points[0], AcGePoint3d(2, 0, 8));  // centre (1,0), radius s = 1
    const auto text = std::find_if(records.begin(), records.end(), [](auto& r) { return r.kind == "text"; });
    ASSERT_NE(text, records.end());
    EXPECT_EQ(text->text, "12x8");
    EXPECT_EQ(text->position, AcGePoint3d(0.75, -0.5, 8));
    EXPECT_DOUBLE_EQ(text->height, 0.8);

    duct->setSizeFor("V");  // a wider offset
    for (const AcGiRecord& r : world(*duct)) {
        if (r.kind == "text") {
            EXPECT_EQ(r.position, AcGePoint3d(0.6, -0.5, 8));
        }
    }
}

TEST_F(DuctDisplay, ContinuationLabelSaysToWhenTheStartIsElsewhere) {
    std::unique_ptr<ZkDuct> duct(makeRun(50));
    duct->setDuctKey(7);
    duct->setDrawingName("Level2.dwg");
    EXPECT_TRUE(texts(world(*duct)).empty());
    duct->setEndsInOtherDrawing(true);
    EXPECT_EQ(texts(world(*duct)), std::vector<std::string>{"From Level2.dwg (7)"});
    duct->setStartsInOtherDrawing(true);
    EXPECT_EQ(texts(world(*duct)), std::vector<std::string>{"To Level2.dwg (7)"});
}

TEST_F(DuctDisplay, BothPathsDrawTheSamePictureWithoutLocks) {
    std::unique_ptr<ZkDuct> run(makeRun(40)), riser(makeRiser(0, 5));
    for (ZkDuct* duct : {run.get(), riser.get()}) {
        duct->setSizeFor("8");
        duct->setHangerDistances({4, -8});
        duct->setEndsInOtherDrawing(true);
        AcGiRecordingContext a, b;
        duct->worldDraw(&a.worldDraw());
        duct->viewportDraw(&b.viewportDraw());
        EXPECT_EQ(a.describe(), b.describe());
        EXPECT_FALSE(a.records().empty());
    }
}

TEST_F(DuctDisplay, HideShadeAndRenderAskForTheViewportDrawing) {
    std::unique_ptr<ZkDuct> duct(makeRun(40));
    duct->setLockWidth(true);
    for (AcGiRegenType type : {kAcGiHideOrShadeCommand, kAcGiRenderCommand}) {
        AcGiRecordingContext rec;
        rec.context().setRegenType(type);
        EXPECT_FALSE(duct->worldDraw(&rec.worldDraw()));
        EXPECT_TRUE(rec.records().empty());
        EXPECT_FALSE(rec.draw(duct.get()));  // the context then draws the viewport picture
        EXPECT_EQ(rec.count("mtext"), 0u);
        EXPECT_GT(rec.count("polyline"), 0u);
    }
}

TEST_F(DuctDisplay, ProxyGraphicsAreTheLineFromStartToEnd) {
    std::unique_ptr<ZkDuct> duct(makeRiser(0, 5));
    duct->setSizeFor("8");
    AcGiRecordingContext rec;
    duct->saveAs(&rec.worldDraw(), AcDb::kR13Save);
    ASSERT_EQ(rec.records().size(), 1u);
    EXPECT_EQ(rec.records()[0].points, (std::vector<AcGePoint3d>{{3, 4, 0}, {3, 4, 5}}));
}

TEST_F(DuctDisplay, AbsurdSizesStayBounded) {
    std::unique_ptr<ZkDuct> run(makeRun(1e12));
    run->setLockWidth(true);
    EXPECT_LT(world(*run).size(), 500u);  // arrows, lock marks and the rest
    db->setDimscale(1e7);  // concentric rings of radius r/3, r/3 - 1, ...
    std::unique_ptr<ZkDuct> riser(makeRiser(0, 10));
    EXPECT_LE(polylinesOf(world(*riser), 13), 102u);
}
