// The grid control: each cell kind's edit rules, the dialog's veto, the
// notifications, tree buttons and drops, in model and in visible rows.
#include <gtest/gtest.h>

#include "grid/GridControl.h"

namespace {

class Control : public ::testing::Test {
protected:
    void SetUp() override {
        GridModel& m = grid.model();
        m.setColumnCount(3);
        m.appendRow("Heading", 1);
        readOnly = m.appendRow("Read only", 2);
        edit = m.appendRow("Edit", 2);
        m.cell(edit, 1).kind = GridCellKind::kEdit;
        list = m.appendRow("List", 2);
        m.cell(list, 1).kind = GridCellKind::kDropList;
        m.cell(list, 1).entries = {{"Rectangular", 0}, {"Round", 1}, {"Slot", 3}};
        combo = m.appendRow("Combo", 2);
        m.cell(combo, 1).kind = GridCellKind::kCombo;
        m.cell(combo, 1).entries = {{"_DOT", 5}, {"Browse. . .", 9}};
        button = m.appendRow("Button", 2);
        m.cell(button, 1).kind = GridCellKind::kButton;
        grid.handlers().endEdit = [this](int row, int column) { ended.push_back({row, column}); };
        grid.handlers().selectionChanged = [this](int row, int column) { selected.push_back({row, column}); };
    }
    GridControl grid;
    int readOnly, edit, list, combo, button;
    std::vector<GridCellRef> ended, selected;
};

} // namespace

TEST_F(Control, EachCellKindTakesTheTextsItShould) {
    EXPECT_EQ(grid.editCell(readOnly, 1, "x"), "the cell is read-only");
    EXPECT_EQ(grid.editCell(button, 1, "x"), "the cell is a button");
    EXPECT_EQ(grid.editCell(edit, 1, "typed"), "");
    EXPECT_EQ(grid.model().text(edit, 1), "typed");

    EXPECT_NE(grid.editCell(list, 1, "Oval"), "");
    EXPECT_EQ(grid.model().text(list, 1), "");
    EXPECT_EQ(grid.editCell(list, 1, "Slot"), "");
    EXPECT_EQ(grid.model().cell(list, 1).itemData, 3);

    EXPECT_EQ(grid.editCell(combo, 1, "MYARROW"), "");  // typed text kept, data unchanged
    EXPECT_EQ(grid.model().cell(combo, 1).itemData, 0);
    EXPECT_EQ(grid.editCell(combo, 1, "_DOT"), "");
    EXPECT_EQ(grid.model().cell(combo, 1).itemData, 5);

    // Only accepted edits notify, and each makes its cell current.
    EXPECT_EQ(ended, (std::vector<GridCellRef>{{edit, 1}, {list, 1}, {combo, 1}, {combo, 1}}));
    EXPECT_EQ(grid.model().focusCell(), (GridCellRef{combo, 1}));
}

TEST_F(Control, TheDialogsVetoRefusesAnEditBeforeTheKindIsChecked) {
    grid.handlers().canEdit = [this](int row, int) { return row != list; };
    EXPECT_EQ(grid.editCell(list, 1, "Round"), "the dialog does not let this cell be edited");
    EXPECT_EQ(grid.editCell(edit, 1, "ok"), "");
    EXPECT_EQ(ended.size(), 1u);
}

TEST_F(Control, FixedRowsAndMissingOrHiddenCellsAreNotEdited) {
    grid.model().setFixedRowCount(1);
    grid.model().cell(0, 1).kind = GridCellKind::kEdit;
    EXPECT_EQ(grid.editCell(0, 1, "x"), "the cell is a fixed cell");
    EXPECT_EQ(grid.editCell(99, 1, "x"), "there is no such cell");
    grid.model().setColumnWidth(2, 0);
    grid.model().cell(edit, 2).kind = GridCellKind::kEdit;
    EXPECT_EQ(grid.editCell(edit, 2, "x"), "the cell is hidden");
}

TEST_F(Control, SelectingAMergedCellSelectsItsFirstCellAndAButtonClicks) {
    grid.model().mergeCells(0, 0, 2);
    std::vector<GridCellRef> clicked;
    grid.handlers().buttonClicked = [&](int row, int column) { clicked.push_back({row, column}); };
    EXPECT_EQ(grid.selectCell(0, 2), "");
    EXPECT_EQ(grid.selectCell(button, 1), "");
    EXPECT_EQ(selected, (std::vector<GridCellRef>{{0, 0}, {button, 1}}));
    EXPECT_EQ(clicked, (std::vector<GridCellRef>{{button, 1}}));
    EXPECT_EQ(grid.model().selectedRange().firstRow, button);
}

TEST_F(Control, TreeButtonsCollapseAndVisibleRowsFollow) {
    EXPECT_EQ(grid.visibleRowCount(), 6);
    EXPECT_EQ(grid.clickTreeButton(readOnly), "the row has no tree button");
    EXPECT_EQ(grid.userExpand(0), "");
    EXPECT_EQ(grid.visibleRowCount(), 1);
    EXPECT_EQ(grid.userSetText(1, 1, "x"), "there is no row 1");
    EXPECT_EQ(grid.clickTreeButton(edit), "there is no such row");  // hidden

    // A dialog that loads children on the click gets the click on a leaf.
    std::vector<int> clicked;
    grid.handlers().expandClicked = [&](int row) { clicked.push_back(row); };
    EXPECT_EQ(grid.userExpand(0), "");
    EXPECT_EQ(grid.clickTreeButton(readOnly), "");
    EXPECT_EQ(clicked, (std::vector<int>{0, readOnly}));
    EXPECT_EQ(grid.visibleRowLevel(1), 2);
    EXPECT_EQ(grid.visibleRowLabel(2), "Edit");
}

TEST_F(Control, VisibleRowsMapToModelRowsForEdits) {
    grid.model().insertRowAfter(0, "Sub", 2);
    grid.model().insertRowAfter(1, "Leaf", 3);
    grid.model().setExpanded(1, false);  // hides "Leaf"
    // Visible row 3 is "Edit" (model row 4).
    EXPECT_EQ(grid.visibleRowLabel(3), "Edit");
    EXPECT_EQ(grid.userSetText(3, 1, "via picture"), "");
    EXPECT_EQ(grid.model().text(4, 1), "via picture");
}

TEST_F(Control, DragsNeedADropHandler) {
    EXPECT_EQ(grid.userDrag({1, 2}, 0, DragModifier::kNone), "rows cannot be dragged in this grid");
    std::vector<int> dropped;
    int target = -1;
    grid.handlers().drop = [&](const std::vector<int>& rows, int t, DragModifier modifier) {
        dropped = rows;
        target = t;
        return modifier == DragModifier::kCtrl ? std::string() : std::string("needs ctrl");
    };
    EXPECT_EQ(grid.userDrag({1, 2}, 0, DragModifier::kShift), "needs ctrl");
    EXPECT_EQ(grid.userDrag({1, 2}, 0, DragModifier::kCtrl), "");
    EXPECT_EQ(dropped, (std::vector<int>{1, 2}));
    EXPECT_EQ(target, 0);
    EXPECT_EQ(grid.userDrag({1, 40}, 0, DragModifier::kNone), "there is no row 40");
}
