// Tree lists read and written in both pair forms, the tree control's Ctrl and
// Shift selection, and the floor and zone trees' drop rules driven through
// the same drag a script asks for.
#include <gtest/gtest.h>

#include <sstream>

#include "lisp/AdsConvert.h"
#include "lisp/LispPrinter.h"
#include "lisp/LispReader.h"
#include "project/RoomTreeDialog.h"
#include "project/TreeList.h"

namespace {

using hvac::CDragDropTreeCtrl;
using hvac::CRoomTree;
using hvac::HTREEITEM;

// The nodes AutoLISP passes for the value written as text.
resbuf* nodesOf(const char* text) {
    std::istringstream in(text);
    lisp::Reader reader(in);
    lisp::Ref form;
    reader.read(form);
    return lisp::valueToResbufs(form);
}

std::string textOf(const resbuf* nodes) { return lisp::toText(lisp::resbufsToResult(nodes)); }

std::string roundTrip(const char* text) {
    resbuf* in = nodesOf(text);
    CDragDropTreeCtrl tree;
    hvac::readTreeList(in, tree);
    acutRelRb(in);
    resbuf* out = hvac::writeTreeList(tree);
    std::string written = textOf(out);
    acutRelRb(out);
    return written;
}

// The visible rows as the dialog prints them.
std::string rows(const CDragDropTreeCtrl& tree) {
    std::string text;
    for (int r = 0; r < tree.visibleRowCount(); ++r)
        text += std::string(size_t(2 * tree.visibleRowLevel(r)), ' ') + tree.visibleRowLabel(r) + "\n";
    return text;
}

std::vector<std::string> selectedTexts(const CDragDropTreeCtrl& tree) {
    std::vector<std::string> texts;
    for (HTREEITEM item : tree.selectedItems()) texts.push_back(item->text);
    return texts;
}

const char* kFloors =
    "(\"Building\" ((\"Floor 1\" . 1) ((\"Room 101\" . -101) (\"Room 102\" . -102) (\"Room 103\" . -103))"
    " (\"Floor 2\" . 2) ((\"Room 201\" . -201))))";

TEST(TreeList, ZeroDataIsABareStringOtherDataADottedPair) {
    EXPECT_EQ(roundTrip(kFloors), kFloors);
    EXPECT_EQ(roundTrip("((\"Main\" . 0) (\"Annex\" . 7))"), "(\"Main\" (\"Annex\" . 7))");
}

TEST(TreeList, AStringFollowedByAnIntegerIsAPairAndOtherElementsAreSkipped) {
    EXPECT_EQ(roundTrip("(\"Building\" (\"Floor 1\" 1 (\"Room\" -5 2.5 T)) 42 \"Roof\")"),
              "(\"Building\" ((\"Floor 1\" . 1) ((\"Room\" . -5))) \"Roof\")");
    // A nested list with no item before it has no parent: it is skipped.
    EXPECT_EQ(roundTrip("((\"Orphan\" \"list\") \"Kept\")"), "(\"Kept\")");
}

TEST(TreeList, ItemsWithChildrenAreExpandedAndNonListsGiveAnEmptyTree) {
    resbuf* in = nodesOf(kFloors);
    CDragDropTreeCtrl tree;
    hvac::readTreeList(in, tree);
    acutRelRb(in);
    EXPECT_EQ(rows(tree), "Building\n  Floor 1\n    Room 101\n    Room 102\n    Room 103\n  Floor 2\n    Room 201\n");
    EXPECT_EQ(roundTrip("\"just text\""), "nil");
    EXPECT_EQ(roundTrip("42"), "nil");
}

class FloorTree : public ::testing::Test {
protected:
    void SetUp() override {
        list = nodesOf(kFloors);
        dialog = std::make_unique<CRoomTree>(hvac::kFloorTreeKind, list);
        dialog->rebuild(list, 0);
    }
    void TearDown() override {
        dialog.reset();
        acutRelRb(list);
    }
    int row(const char* label) {
        for (int r = 0; r < tree().visibleRowCount(); ++r)
            if (tree().visibleRowLabel(r) == label) return r;
        return -1;
    }
    CDragDropTreeCtrl& tree() { return dialog->tree(); }
    std::string drag(std::vector<const char*> labels, const char* target, DragModifier key = DragModifier::kNone) {
        std::vector<int> dragged;
        for (const char* label : labels) dragged.push_back(row(label));
        return tree().userDrag(dragged, row(target), key);
    }
    resbuf* list = nullptr;
    std::unique_ptr<CRoomTree> dialog;
};

TEST_F(FloorTree, StartsWithTheItemOfDataZeroSelected) {
    ASSERT_NE(tree().GetSelectedItem(), nullptr);
    EXPECT_EQ(tree().GetSelectedItem()->text, "Building");
}

TEST_F(FloorTree, ARoomDroppedOnAnotherRoomMovesIntoThatRoomsParent) {
    EXPECT_EQ(drag({"Room 101"}, "Room 201"), "");
    EXPECT_EQ(rows(tree()), "Building\n  Floor 1\n    Room 102\n    Room 103\n  Floor 2\n    Room 201\n    Room 101\n");
    EXPECT_EQ(tree().GetSelectedItem()->text, "Room 101");
}

TEST_F(FloorTree, FloorsAndTheBuildingDoNotMove) {
    std::string before = rows(tree());
    EXPECT_NE(drag({"Floor 2"}, "Floor 1"), "");
    EXPECT_NE(drag({"Room 101"}, "Building"), "");
    EXPECT_EQ(rows(tree()), before);
}

TEST_F(FloorTree, DropsOntoTheOwnParentItselfOrASiblingAreRefused) {
    std::string before = rows(tree());
    EXPECT_NE(drag({"Room 101"}, "Floor 1"), "");
    EXPECT_NE(drag({"Room 101"}, "Room 101"), "");
    EXPECT_NE(drag({"Room 101"}, "Room 102"), "");
    EXPECT_EQ(rows(tree()), before);
}

TEST_F(FloorTree, CtrlAndShiftSelectSiblingsAndMoveThemTogether) {
    EXPECT_EQ(drag({"Room 101", "Room 103"}, "Floor 2", DragModifier::kCtrl), "");
    EXPECT_EQ(rows(tree()), "Building\n  Floor 1\n    Room 102\n  Floor 2\n    Room 201\n    Room 101\n    Room 103\n");
    EXPECT_EQ(selectedTexts(tree()), (std::vector<std::string>{"Room 101", "Room 103"}));

    EXPECT_EQ(drag({"Room 201", "Room 103"}, "Floor 1", DragModifier::kShift), "");
    EXPECT_EQ(rows(tree()), "Building\n  Floor 1\n    Room 102\n    Room 201\n    Room 101\n    Room 103\n  Floor 2\n");
}

TEST_F(FloorTree, CtrlClickOnAnItemOfAnotherParentLeavesTheSelection) {
    tree().OnLButtonDown(tree().visibleItems()[size_t(row("Room 101"))], hvac::TreeKey::kNone);
    tree().OnLButtonDown(tree().visibleItems()[size_t(row("Room 201"))], hvac::TreeKey::kCtrl);
    tree().OnLButtonDown(tree().visibleItems()[size_t(row("Room 102"))], hvac::TreeKey::kCtrl);
    EXPECT_EQ(selectedTexts(tree()), (std::vector<std::string>{"Room 101", "Room 102"}));
    // Ctrl on a selected item takes it out again.
    tree().OnLButtonDown(tree().visibleItems()[size_t(row("Room 101"))], hvac::TreeKey::kCtrl);
    EXPECT_EQ(selectedTexts(tree()), (std::vector<std::string>{"Room 102"}));
}

TEST_F(FloorTree, APlainClickWithoutDragCollapsesAMultiSelectionToTheAnchor) {
    auto item = [this](const char* label) { return tree().visibleItems()[size_t(row(label))]; };
    tree().OnLButtonDown(item("Room 103"), hvac::TreeKey::kNone);
    tree().OnLButtonDown(item("Room 101"), hvac::TreeKey::kShift);
    EXPECT_EQ(selectedTexts(tree()), (std::vector<std::string>{"Room 101", "Room 102", "Room 103"}));
    tree().OnLButtonDown(item("Room 102"), hvac::TreeKey::kNone);  // part of the selection: kept for a drag
    EXPECT_EQ(selectedTexts(tree()).size(), 3u);
    tree().OnLButtonUp(tree().pointOf(item("Room 102")), hvac::TreeKey::kNone);
    EXPECT_EQ(selectedTexts(tree()), (std::vector<std::string>{"Room 102"}));
}

TEST(ZoneTree, AZoneCanBeDraggedButNotIntoItsOwnSubtree) {
    resbuf* list = nodesOf("(\"Systems\" ((\"AHU-1\" . 0) ((\"East\" . 3) ((\"Room 1\" . -1)) (\"West\" . 4))"
                           " \"AHU-2\"))");
    CRoomTree dialog(hvac::kZoneTreeKind, list);
    dialog.rebuild(list, 4);
    CDragDropTreeCtrl& tree = dialog.tree();
    EXPECT_EQ(tree.GetSelectedItem()->text, "West");
    auto rowOf = [&tree](const char* label) {
        for (int r = 0; r < tree.visibleRowCount(); ++r)
            if (tree.visibleRowLabel(r) == label) return r;
        return -1;
    };
    EXPECT_NE(tree.userDrag({rowOf("AHU-1")}, rowOf("Room 1"), DragModifier::kNone), "");
    EXPECT_EQ(tree.userDrag({rowOf("East")}, rowOf("AHU-2"), DragModifier::kNone), "");
    EXPECT_EQ(rows(tree), "Systems\n  AHU-1\n    West\n  AHU-2\n    East\n      Room 1\n");
    resbuf* out = hvac::writeTreeList(tree);
    EXPECT_EQ(textOf(out), "(\"Systems\" (\"AHU-1\" ((\"West\" . 4)) \"AHU-2\" ((\"East\" . 3) ((\"Room 1\" . -1)))))");
    acutRelRb(out);
    acutRelRb(list);
}

} // namespace
