// Finding or loading the arrow block, and the sampled curve points function.
#include <fstream>

#include "LeaderFixture.h"
#include "integration/BlockLoader.h"
#include "integration/LispCall.h"
#include "integration/ModuleFunctions.h"

#ifndef ORV_SUPPORT_DIR
#error "ORV_SUPPORT_DIR must name examples/support"
#endif

namespace {

using ArrowBlock = LeaderFixture;

int plinePointsHandler() { return invokeLispFunction(getPlinePoints, nullptr); }

class PlinePoints : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        acedDefun("zk_hvac-getPlinePoints", 7);
        acedRegFunc(plinePointsHandler, 7);
    }
};

} // namespace

TEST_F(ArrowBlock, MissingFileAlertsTheProductAndKeepsThePreviousBlock) {
    interp.evalString("(setq missing nil) (defun zkBlock-alertMissing (name) (setq missing name))");
    AcDbObjectId previous = addBlock("ARROW");
    ZKLeader leader;
    ASSERT_TRUE(leader.setArrowBlock("ARROW"));
    EXPECT_FALSE(leader.setArrowBlock("NOSUCHARROW"));
    EXPECT_EQ(eval("missing"), "\"NOSUCHARROW\"");
    EXPECT_EQ(leader.arrowBlockId(), previous);
    EXPECT_EQ(leader.arrow().blockTableRecord(), previous);
}

TEST_F(ArrowBlock, BlockFileOnTheSupportPathIsInsertedOnce) {
    writeBlockDrawing("DOT");
    ZKLeader leader;
    ASSERT_TRUE(leader.setArrowBlock("DOT"));
    AcDbObjectId loaded = leader.arrowBlockId();
    EXPECT_EQ(loaded, db->blockId("DOT"));
    // The second time the drawing's own block is used, even with the file gone.
    std::filesystem::remove(supportDir / "DOT.dwg");
    ZKLeader other;
    ASSERT_TRUE(other.setArrowBlock("DOT"));
    EXPECT_EQ(other.arrowBlockId(), loaded);
}

TEST_F(ArrowBlock, UnreadableBlockFileFailsWithAMessage) {
    { std::ofstream(supportDir / "JUNK.dwg") << "not a drawing"; }
    AcDbObjectId id;
    EXPECT_FALSE(findOrLoadBlock("JUNK", id));
    EXPECT_TRUE(id.isNull());
    EXPECT_NE(output.find("JUNK.dwg"), std::string::npos);
    EXPECT_TRUE(db->blockId("JUNK").isNull());
}

TEST_F(ArrowBlock, ShippedSupportArrowLoads) {
    setenv("ORVANE_SUPPORT", ORV_SUPPORT_DIR, 1);
    ZKLeader leader;
    ASSERT_TRUE(leader.setArrowBlock("ZKARROW"));
    leader.setPoints(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(10, -5, 0));
    leader.setSize(1.0);
    AcDbVoidPtrArray parts;
    ASSERT_EQ(leader.explode(parts), Acad::eOk);
    EXPECT_GT(parts.size(), 2u);
    acdbDeleteEntities(parts);
}

TEST_F(PlinePoints, StepLongerThanTheCurveGivesStartMiddleAndEnd) {
    EXPECT_EQ(eval("(length (setq pts (zk_hvac-getPlinePoints 1000.0 -1 -1 '(0 0 0) '(10 0 0) '(20 0 0))))"), "3");
    EXPECT_EQ(eval("(car pts)"), "(0.0 0.0 0.0)");
    EXPECT_EQ(eval("(equal (cadr pts) '(10.0 0.0 0.0) 1e-6)"), "T");
    EXPECT_EQ(eval("(caddr pts)"), "(20.0 0.0 0.0)");
}

TEST_F(PlinePoints, TinyStepGivesAtMostOneHundredAndOnePoints) {
    EXPECT_EQ(eval("(length (zk_hvac-getPlinePoints 0.0001 0.0 -1 '(0 0) '(5 5) '(10 0)))"), "101");
}

TEST_F(PlinePoints, EvenIntervalCountNearTheStep) {
    // Length 10, step 3: 3 whole steps, 4 intervals, 5 points 2.5 apart.
    EXPECT_EQ(eval("(length (setq pts (zk_hvac-getPlinePoints 3 -1 -1 '(0 0 0) '(10 0 0))))"), "5");
    EXPECT_EQ(eval("(equal (nth 1 pts) '(2.5 0.0 0.0) 1e-6)"), "T");
}

TEST_F(PlinePoints, TooFewPointsOrNoStepAreWrongType) {
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-getPlinePoints 1.0 -1 -1 '(0 0 0))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-getPlinePoints 0 -1 -1 '(0 0 0) '(1 0 0))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-getPlinePoints -2.0 -1 -1 '(0 0 0) '(1 0 0))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-getPlinePoints \"x\" -1 -1 '(0 0 0) '(1 0 0))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-getPlinePoints 1.0 -1 -1 '(0 0 0) \"p\")"), "nil");
    size_t count = 0;
    for (size_t at = output.find("Wrong type"); at != std::string::npos; at = output.find("Wrong type", at + 1))
        ++count;
    EXPECT_EQ(count, 5u);
}
