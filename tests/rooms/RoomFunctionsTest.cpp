// The room functions through the interpreter and the call wrapper:
// creation, outline and label edits, leader placement, find and selection.
#include "RoomFixture.h"
#include "integration/DocData.h"
#include "integration/FunctionTable.h"

namespace {

class RoomFunctions : public RoomFixture {
protected:
    void SetUp() override {
        RoomFixture::SetUp();
        gDocDataManager = new DocDataManager;
        registerFunctionTableForTest();
        ASSERT_EQ(eval("(setq r (zk_hvac-room-insert 3 \"ZKARROW\" 1.0 \"LAB\" nil '(20 30 0)))").substr(0, 7),
                  "<Entity") << output;
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        RoomFixture::TearDown();
    }
};

} // namespace

TEST_F(RoomFunctions, SetPointsTakesPairsAndAMissingLastFlag) {
    EXPECT_EQ(eval("(zk_hvac-room-setPoints r '((0 0) T (10 0) nil (10 10)))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-room-getPoints r)"), "((0.0 0.0) (10.0 0.0) (10.0 10.0))");
    EXPECT_EQ(eval("(zk_hvac-room-setPointInfo r 2 T)"), "T");
    EXPECT_EQ(eval("(zk_hvac-room-setPointInfo r 3 T)"), "nil");
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-room-setPoints r '((5 5) T \"x\"))"), "nil");
    EXPECT_EQ(output, "\nWrong type of arguments passed.\n");
    EXPECT_EQ(eval("(zk_hvac-room-getPoints r)"), "((5.0 5.0))");
}

TEST_F(RoomFunctions, InsertTakesTheFlagBeforeAndRemovePastTheEndTakesTheFirst) {
    eval("(zk_hvac-room-setPoints r '((0 0) nil (10 0) T (10 10) nil))");
    eval("(zk_hvac-room-insertPoint r 2 '(12 5))");   // after the emphasised vertex
    eval("(zk_hvac-room-insertPoint r 0 '(0 -1))");   // the last vertex's flag (nil)
    eval("(zk_hvac-room-insertPoint r 99 '(0 10))");  // appended with the last flag
    EXPECT_EQ(eval("(zk_hvac-room-getPoints r)"),
              "((0.0 -1.0) (0.0 0.0) (10.0 0.0) (12.0 5.0) (10.0 10.0) (0.0 10.0))");
    {
        AcDbObjectId id = roomsOf(db)[0];
        AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
        EXPECT_TRUE(room->pointAt(3).emphasised);
        EXPECT_FALSE(room->pointAt(0).emphasised);
    }
    eval("(zk_hvac-room-removePoint r 99)");
    EXPECT_EQ(eval("(car (zk_hvac-room-getPoints r))"), "(0.0 0.0)");
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-room-removePoint \"r\" 0)"), "nil");
    EXPECT_EQ(output, "\nWrong type of arguments passed.\n");
    {
        AcDbObjectPointer<hvacRoom> room(roomsOf(db)[0], AcDb::kForWrite);
        room->erase();
    }
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-room-removePoint r 0)"), "nil");
    EXPECT_EQ(output, "\nBad data passed .\n");
}

TEST_F(RoomFunctions, AreaOfARectangleEitherWay) {
    eval("(zk_hvac-room-setPoints r '((0 0) nil (10 0) nil (10 20) nil (0 20) nil))");
    EXPECT_EQ(eval("(zk_hvac-room-getArea r)"), "200.0");
    eval("(zk_hvac-room-setPoints r '((0 20) nil (10 20) nil (10 0) nil (0 0) nil))");
    EXPECT_EQ(eval("(zk_hvac-room-getArea r)"), "200.0");
}

TEST_F(RoomFunctions, LeaderShowsAutomaticallyAndFollowsGivenPoints) {
    eval("(zk_hvac-room-setPoints r '((0 0) nil (40 0) nil (40 40) nil (0 40) nil))");
    EXPECT_EQ(eval("(cadr (zk_hvac-room-getLeaderPoints r))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-room-toggleLeader r)"), "T");
    // The quarter point of the closing segment (0,0)->(0,40) is (0,10);
    // of the top edge (40,40)->(0,40) it is (30,40), the nearest to the label.
    EXPECT_EQ(eval("(cadr (zk_hvac-room-getLeaderPoints r))"), "(30.0 40.0)");
    eval("(zk_hvac-room-setLeaderLocation r T '(40 20) '(60 20))");
    EXPECT_EQ(eval("(cadr (zk_hvac-room-getLeaderPoints r))"), "(40.0 20.0)");
    EXPECT_EQ(eval("(car (caddr (zk_hvac-room-getLeaderPoints r)))"), "60.0");
    {
        AcDbObjectPointer<hvacRoom> room(roomsOf(db)[0], AcDb::kForRead);
        EXPECT_EQ(room->leader().startPoint().convert2d(), room->labelSideMidpoints()[0]);
        EXPECT_DOUBLE_EQ(room->leader().middlePoint().y, room->labelSideMidpoints()[0].y);
    }
    eval("(zk_hvac-room-setLeaderLocation r nil)");
    EXPECT_EQ(eval("(cdr (zk_hvac-room-getLeaderPoints r))"), "(nil nil)");
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-room-setLeaderLocation r T '(1 1))"), "nil");
    EXPECT_EQ(output, "\nWrong type of arguments passed.\n");
}

TEST_F(RoomFunctions, FindTakesTheFirstRoomInModelSpaceOrder) {
    eval("(zk_hvac-room-setPoints r '((0 0) nil (10 0) nil (10 10) nil (0 10) nil))");
    eval("(setq r2 (zk_hvac-room-insert 5 \"ZKARROW\" 1.0 \"B\" nil '(0 0 0)))");
    eval("(zk_hvac-room-setPoints r2 '((5 5) nil (20 5) nil (20 20) nil (5 20) nil))");
    EXPECT_EQ(eval("(zk_hvac-room-find '(7 7))"), "3");
    EXPECT_EQ(eval("(zk_hvac-room-find '(7 7) 5)"), "5");
    EXPECT_EQ(eval("(zk_hvac-room-find '(15 15))"), "5");
    EXPECT_EQ(eval("(zk_hvac-room-find '(30 30))"), "nil");
    eval("(zk_hvac-room-updateIndex r 70000)");
    EXPECT_EQ(eval("(zk_hvac-room-find '(2 2))"), "70000.0");
    EXPECT_EQ(eval("(length (ssgetx-room))"), "2");
    EXPECT_EQ(eval("(equal (ssgetx-room 5) (list r2))"), "T");
    EXPECT_EQ(eval("(ssgetx-room 9)"), "nil");
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-room-find)"), "nil");
    EXPECT_EQ(output, "\nWrong type of arguments passed.\n");
}

TEST_F(RoomFunctions, UpdateAttributesLeavesLayerZeroAlone) {
    AcDbObjectId id = roomsOf(db)[0];
    {
        AcDbObjectPointer<hvacRoom> room(id, AcDb::kForWrite);
        room->setLayer(db->layerZero());
        room->setLabelTextHeight(9.0);
    }
    EXPECT_EQ(eval("(zk_hvac-room-updateAttributes r \"ZKARROW\" 2.5 30.0)"), "T");
    AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
    EXPECT_EQ(room->layer(), "0");
    EXPECT_NE(room->labelTextHeight(), 9.0);
    EXPECT_DOUBLE_EQ(room->leader().size(), 2.5);
    EXPECT_DOUBLE_EQ(room->label().width(), 30.0);
}

TEST_F(RoomFunctions, UpdateLabelRefitsAndInsertWrapsWhenGivenAWidth) {
    EXPECT_EQ(eval("(zk_hvac-room-updateLabel r \"NEW NAME\")"), "T");
    eval("(setq w (zk_hvac-room-insert 4 \"ZKARROW\" 1.0 \"W\" 25.0 '(0 0)))");
    AcDbObjectPointer<hvacRoom> first(roomsOf(db)[0], AcDb::kForRead);
    EXPECT_EQ(first->labelText(), "NEW NAME");
    EXPECT_DOUBLE_EQ(first->label().width(), 0.0);
    AcDbObjectPointer<hvacRoom> wrapped(roomsOf(db)[1], AcDb::kForRead);
    EXPECT_DOUBLE_EQ(wrapped->label().width(), 25.0);
    EXPECT_EQ(wrapped->index(), 4);
}
