// The construction methods: volumes of the pieces, the ends the elbow and
// wye calls hand back, and degenerate input failing without a body.
#include <cmath>

#include "SolidFixture.h"

namespace {

using SolidBuilders = SolidFixture;

TEST_F(SolidBuilders, TransitionOf12By8To10By8OverItsDefaultLengthHasTheKnownVolume) {
    const double length = 1 / std::tan(15 * 3.14159265 / 180);
    auto solid = newSolid();
    ASSERT_TRUE(solid->addTransition(AcGePoint3d(0, 0, 0), true, 12, 8, AcGePoint3d(length, 0, 0), true, 10, 8,
                                     alongX(), alongX(), 0));
    EXPECT_NEAR(volumeOf(*solid), 328.4, 0.05);
    zkSolidMassProps props;
    ASSERT_TRUE(solid->getMassProps(props));
    EXPECT_NEAR(props.minPoint.y, -6, 1e-6);
    EXPECT_NEAR(props.maxPoint.z, 4, 1e-6);
    EXPECT_NEAR(props.maxPoint.x, length, 1e-6);
    EXPECT_GT(props.centroid.x, 0);
    EXPECT_LT(props.centroid.x, length / 2); // the wider end holds more
    EXPECT_EQ(solid->kindName(), "transition");
}

TEST_F(SolidBuilders, RectangularToRoundTransitionLiesBetweenItsEndSections) {
    auto solid = newSolid();
    ASSERT_TRUE(solid->addTransition(AcGePoint3d(0, 0, 0), true, 12, 12, AcGePoint3d(10, 0, 0), false, 12, 12,
                                     alongX(), alongX(), 0));
    const double circle = 3.14159265 * 36;
    EXPECT_GT(volumeOf(*solid), circle * 10);
    EXPECT_LT(volumeOf(*solid), 144 * 10);
}

TEST_F(SolidBuilders, DegenerateInputFailsAndLeavesNoBody) {
    auto solid = newSolid();
    const AcGePoint3d o(0, 0, 0), b(10, 0, 0);
    EXPECT_FALSE(solid->addTransition(o, true, 0, 8, b, true, 10, 8, alongX(), alongX(), 0));
    EXPECT_FALSE(solid->addTransition(o, true, 10, 8, o, true, 10, 8, alongX(), alongX(), 0));
    EXPECT_FALSE(solid->addTransition(o, true, 10, -8, b, true, 10, 8, alongX(), alongX(), 0));
    zkSolidFrame flat{AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 2, 0)};
    EXPECT_FALSE(solid->addTransition(o, true, 10, 8, b, true, 10, 8, flat, alongX(), 0));
    EXPECT_FALSE(solid->addTransition(AcGePoint3d(NAN, 0, 0), true, 10, 8, b, true, 10, 8, alongX(), alongX(), 0));
    EXPECT_FALSE(solid->addFlex({o, o}, 4, AcGeVector3d(), AcGeVector3d(), 0));
    EXPECT_FALSE(solid->addFlex({o}, 4, AcGeVector3d(), AcGeVector3d(), 0));
    EXPECT_FALSE(solid->addSidewallDiffuser(o, 0, 6, alongX(), 0));
    EXPECT_FALSE(solid->addDiffuser(o, o, 0, 8, 8, 24, false, alongX(), 0));
    EXPECT_TRUE(solid->isNull());
    zkSolidMassProps props;
    EXPECT_FALSE(solid->getMassProps(props));
}

TEST_F(SolidBuilders, RoundRadiusElbowSweepsAQuarterTorusAndMovesItsEnds) {
    // Legs along X then Y meeting at (100, 0, 0); diameter 10, ratio 1.5:
    // centre-line radius 15, so the ends sit 15 before and after the corner.
    AcGePoint3d a(0, 0, 0), b(100, 100, 0);
    auto solid = newSolid();
    ASSERT_TRUE(solid->addRadiusElbow(a, 10, 10, 0, 0, b, 10, 10, alongX(), alongY(), false, 1.5, true, 0, true));
    EXPECT_NEAR(a.x, 85, 1e-6);
    EXPECT_NEAR(b.y, 15, 1e-6);
    const double quarterTorus = 3.14159265 * 25 * (3.14159265 / 2 * 15);
    EXPECT_NEAR(volumeOf(*solid), quarterTorus, quarterTorus * 0.02);
}

TEST_F(SolidBuilders, ElbowFailsForParallelLegsOrAnElbowLargerThanItsDucts) {
    AcGePoint3d a(0, 0, 0), b(100, 0, 0);
    auto solid = newSolid();
    EXPECT_FALSE(solid->addRadiusElbow(a, 10, 10, 0, 0, b, 10, 10, alongX(), alongX(), true, 1.5, true, 0, true));
    AcGePoint3d shortA(95, 0, 0), farB(100, 100, 0);
    EXPECT_FALSE(
        solid->addRadiusElbow(shortA, 10, 10, 0, 0, farB, 10, 10, alongX(), alongY(), true, 1.5, true, 0, true));
    EXPECT_EQ(shortA.x, 95); // not moved on failure
    EXPECT_TRUE(solid->isNull());
}

TEST_F(SolidBuilders, SquareElbowPrepRefusesADepthChangeButTakesAWidthChange) {
    zkSolidWorkPoints w1, w2, w3;
    AcGePoint3d a(0, 0, 0), b(100, 100, 0);
    auto solid = newSolid();
    EXPECT_FALSE(solid->addSquareElbowPrep(a, 12, 8, b, 12, 10, alongX(), alongY(), true, w1, w2, w3, true, 3.0));
    EXPECT_EQ(a.x, 0);
    ASSERT_TRUE(solid->addSquareElbowPrep(a, 12, 8, b, 10, 8, alongX(), alongY(), true, w1, w2, w3, true, 3.0));
    // The elbow starts half the other leg's width before the corner.
    EXPECT_NEAR(a.x, 95, 1e-9);
    EXPECT_NEAR(b.y, 6, 1e-9);
    ASSERT_TRUE(solid->addSquareElbow(a, 12, 8, b, 10, 8, alongX(), alongY(), true, w1, w2, w3, 0));
    // Both legs run through the corner to the other's far wall: each is the
    // corner block x 95..105, y -6..6, 8 deep.
    EXPECT_NEAR(volumeOf(*solid), 10 * 12 * 8, 1e-6);
    EXPECT_EQ(solid->kindName(), "square elbow");
}

TEST_F(SolidBuilders, WyeJoinsATrunkAndTwoLegs) {
    // Trunk along X to the junction at (50, 0, 0); legs along +Y and +X.
    AcGePoint3d a0(0, 0, 0), b1(50, 80, 0), b2(130, 0, 0);
    std::vector<AcGePoint3d> work;
    auto solid = newSolid();
    ASSERT_TRUE(solid->addWyePrep(a0, 12, 8, b1, 10, 8, b2, 12, 8, alongX(), alongY(), alongX(), true, work, true,
                                  3.0));
    EXPECT_NEAR(a0.x, 44, 1e-6);
    EXPECT_NEAR(b1.y, 12, 1e-6);
    EXPECT_NEAR(b2.x, 62, 1e-6);
    ASSERT_TRUE(solid->addWye(a0, 12, 8, b1, 10, 8, b2, 12, 8, AcGePoint3d(50, 0, 0), alongX(), alongY(), alongX(),
                              true, work, 0));
    EXPECT_EQ(solid->kindName(), "wye");
    // Trunk and straight leg: 12 by 8 from x 44 to 62; the side leg adds
    // its 10 by 8 from the trunk's wall (y 6) to y 12.
    EXPECT_NEAR(volumeOf(*solid), 18 * 12 * 8 + 6 * 10 * 8, 1e-6);
}

TEST_F(SolidBuilders, WyeRefusesALegTurningBackIntoTheTrunk) {
    AcGePoint3d a0(0, 0, 0), b1(-50, 0, 0), b2(130, 0, 0);
    zkSolidFrame back{AcGeVector3d(-1, 0, 0), AcGeVector3d(0, -1, 0), AcGeVector3d(0, 0, 1)};
    std::vector<AcGePoint3d> work;
    auto solid = newSolid();
    EXPECT_FALSE(solid->addWyePrep(a0, 12, 8, b1, 10, 8, b2, 12, 8, alongX(), back, alongX(), true, work, true, 3));
}

TEST_F(SolidBuilders, FlexThroughPointsIsARoundSweep) {
    auto solid = newSolid();
    ASSERT_TRUE(solid->addFlex({AcGePoint3d(0, 0, 0), AcGePoint3d(50, 0, 0), AcGePoint3d(100, 0, 0)}, 4,
                               AcGeVector3d(), AcGeVector3d(), 0));
    EXPECT_NEAR(volumeOf(*solid), 3.14159265 * 16 * 100, 1.0);
}

TEST_F(SolidBuilders, DiffusersBuildANeckAndPlate) {
    auto ceiling = newSolid();
    zkSolidFrame down{AcGeVector3d(0, 0, -1), AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0)};
    ASSERT_TRUE(ceiling->addDiffuser(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 12), 0, 8, 8, 24, true, down, 0));
    EXPECT_NEAR(volumeOf(*ceiling), 8 * 8 * 12 + 24 * 24 * 2.4, 1e-6);
    auto sidewall = newSolid();
    ASSERT_TRUE(sidewall->addSidewallDiffuser(AcGePoint3d(0, 0, 0), 20, 10, alongX(), 0));
    EXPECT_NEAR(volumeOf(*sidewall), 20 * 10 * 2, 1e-6);
}

} // namespace
