// The room jig through zk_hvac-room-draw: vertex order, the label click,
// the leader, Enter at the first prompt, Escape at the label, running out.
#include "RoomFixture.h"
#include "editor/EditorInput.h"
#include "integration/DocData.h"

namespace {

class RoomJig : public RoomFixture {
protected:
    void SetUp() override {
        RoomFixture::SetUp();
        gDocDataManager = new DocDataManager;
        registerFunctionTableForTest();
        acedClearInput();
        output.clear();
    }
    void TearDown() override {
        acedClearInput();
        delete gDocDataManager;
        gDocDataManager = nullptr;
        RoomFixture::TearDown();
    }
    void queuePoint(double x, double y) { acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(x, y, 0))); }
    void queueText(const char* text) { acedQueueInput(AcEdInputItem::makeText(text)); }
    std::string draw() { return eval("(zk_hvac-room-draw 12 \"ZKARROW\" 1.0 \"JIG\")"); }
};

} // namespace

TEST_F(RoomJig, ClickedVerticesComeOutReversedWithLabelAndLeader) {
    queuePoint(0, 0);
    queuePoint(10, 0);
    queuePoint(10, 10);
    queueText("");
    queuePoint(3, 4);
    EXPECT_EQ(draw().substr(0, 7), "<Entity");
    EXPECT_EQ(output,
              "\nSpecify first room point:\nSpecify next room point / <Finish>:"
              "\nSpecify next room point / <Finish>:\nSpecify next room point / <Finish>:"
              "\nSpecify room info location:");
    std::vector<AcDbObjectId> rooms = roomsOf(db);
    ASSERT_EQ(rooms.size(), 1u);
    AcDbObjectPointer<hvacRoom> room(rooms[0], AcDb::kForRead);
    ASSERT_EQ(room->pointCount(), 3);
    EXPECT_EQ(room->pointAt(0).point, AcGePoint2d(10, 10));
    EXPECT_EQ(room->pointAt(1).point, AcGePoint2d(10, 0));
    EXPECT_EQ(room->pointAt(2).point, AcGePoint2d(0, 0));
    EXPECT_EQ(room->index(), 12);
    EXPECT_EQ(room->labelLocation(), AcGePoint2d(3, 4));
    EXPECT_EQ(room->labelText(), "JIG");
    EXPECT_TRUE(room->leaderVisible());
    EXPECT_EQ(acedPendingInput(), 0u);
}

TEST_F(RoomJig, OrthoModeSquaresLaterVerticesButNotTheLabel) {
    acedSetOrthoMode(true);
    queuePoint(0, 0);
    queuePoint(10, 1);
    queuePoint(9, 10);
    queueText("");
    queuePoint(3, 4);
    EXPECT_EQ(draw().substr(0, 7), "<Entity");
    acedSetOrthoMode(false);
    AcDbObjectPointer<hvacRoom> room(roomsOf(db)[0], AcDb::kForRead);
    ASSERT_EQ(room->pointCount(), 3);
    EXPECT_EQ(room->pointAt(0).point, AcGePoint2d(10, 10));
    EXPECT_EQ(room->pointAt(1).point, AcGePoint2d(10, 0));
    EXPECT_EQ(room->labelLocation(), AcGePoint2d(3, 4));
}

TEST_F(RoomJig, EnterAtTheFirstPromptCreatesNothing) {
    queueText("");
    EXPECT_EQ(draw(), "nil");
    EXPECT_TRUE(roomsOf(db).empty());
}

TEST_F(RoomJig, EscapeAtTheLabelDiscardsTheOutline) {
    queuePoint(0, 0);
    queuePoint(10, 0);
    queueText("");
    queueText("*Cancel*");
    EXPECT_EQ(draw(), "nil");
    EXPECT_TRUE(roomsOf(db).empty());
}

TEST_F(RoomJig, RunningOutOfInputIsEscape) {
    queuePoint(0, 0);
    EXPECT_EQ(draw(), "nil");
    EXPECT_TRUE(roomsOf(db).empty());
    EXPECT_NE(output.find("*Cancel*"), std::string::npos);
}
