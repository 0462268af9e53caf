// The grid model: tree levels and collapse, merged cells, row insertion,
// swap and delete, column keys.
#include <gtest/gtest.h>

#include "grid/GridModel.h"

namespace {

// Diffusers
//   Group A
//     Callout 1
//   Group B
// Ducts
GridModel tree() {
    GridModel m;
    m.setColumnCount(3);
    m.appendRow("Diffusers", 1);
    m.appendRow("Group A", 2);
    m.appendRow("Callout 1", 3);
    m.appendRow("Group B", 2);
    m.appendRow("Ducts", 1);
    return m;
}

std::vector<std::string> labels(const GridModel& m) {
    std::vector<std::string> out;
    for (int r : m.visibleRows()) out.push_back(m.text(r, 0));
    return out;
}

} // namespace

TEST(GridTree, CollapsedRowsHideTheirWholeSubtreeOnly) {
    GridModel m = tree();
    EXPECT_EQ(m.parentRow(2), 1);
    EXPECT_EQ(m.parentRow(3), 0);
    EXPECT_EQ(m.parentRow(4), -1);
    EXPECT_EQ(m.subtreeEnd(0), 4);
    EXPECT_TRUE(m.hasChildren(1));
    EXPECT_FALSE(m.hasChildren(3));

    m.setExpanded(1, false);
    EXPECT_EQ(labels(m), (std::vector<std::string>{"Diffusers", "Group A", "Group B", "Ducts"}));
    EXPECT_FALSE(m.rowVisible(2));

    // Collapsing the parent hides the child too; expanding it again keeps the
    // inner row collapsed.
    m.setExpanded(0, false);
    EXPECT_EQ(labels(m), (std::vector<std::string>{"Diffusers", "Ducts"}));
    m.setExpanded(0, true);
    EXPECT_EQ(labels(m), (std::vector<std::string>{"Diffusers", "Group A", "Group B", "Ducts"}));
}

TEST(GridTree, RowsInsertedAfterARowBecomeItsChildrenByLevel) {
    GridModel m = tree();
    int placeholder = m.insertRowAfter(3, "Callout 2", 3);
    EXPECT_EQ(placeholder, 4);
    EXPECT_EQ(m.parentRow(4), 3);
    EXPECT_TRUE(m.hasChildren(3));
    EXPECT_EQ(m.insertRowAfter(-1, "Top", 0), 0);
    EXPECT_EQ(m.text(0, 0), "Top");
    EXPECT_EQ(m.rowCount(), 7);
}

TEST(GridRows, SwapAndDeleteMoveWholeRowsAndKeepTheFocusOnItsRow) {
    GridModel m;
    m.setColumnCount(3);
    for (const char* name : {"a", "b", "c", "d"}) m.appendRow(name);
    m.cell(1, 2).bold = true;
    m.mergeCells(1, 0, 1);
    EXPECT_TRUE(m.swapRows(1, 2));
    EXPECT_EQ(m.text(1, 0), "c");
    EXPECT_EQ(m.text(2, 0), "b");
    EXPECT_TRUE(m.cell(2, 2).bold);
    EXPECT_EQ(m.ownerColumn(2, 1), 0);  // the merge travels with the row
    EXPECT_FALSE(m.swapRows(3, 4));

    m.setFocusCell({3, 1});
    m.setSelectedRange({2, 0, 3, 2});
    EXPECT_TRUE(m.deleteRow(0));
    EXPECT_EQ(m.focusCell(), (GridCellRef{2, 1}));
    EXPECT_EQ(m.selectedRange().firstRow, 1);
    EXPECT_EQ(m.selectedRange().lastRow, 2);
    EXPECT_TRUE(m.deleteRow(2));
    EXPECT_FALSE(m.focusCell().valid());
    EXPECT_EQ(m.selectedRange().lastRow, 1);
    EXPECT_FALSE(m.deleteRow(5));
    EXPECT_EQ(m.rowCount(), 2);
}

TEST(GridCells, MergesCoverTheirColumnsAndCannotOverlap) {
    GridModel m;
    m.setColumnCount(8);
    int row = m.appendRow("Title");
    EXPECT_TRUE(m.mergeCells(row, 0, 7));
    EXPECT_EQ(m.cell(row, 0).mergeSpan, 8);
    EXPECT_EQ(m.ownerColumn(row, 5), 0);
    EXPECT_FALSE(m.mergeCells(row, 2, 3));
    EXPECT_FALSE(m.mergeCells(row, 0, 8));  // past the last column

    int other = m.appendRow("x");
    EXPECT_TRUE(m.mergeCells(other, 2, 3));
    EXPECT_FALSE(m.mergeCells(other, 1, 2));
    EXPECT_EQ(m.ownerColumn(other, 1), 1);

    m.setColumnCount(3);  // a merge cut by fewer columns ends at the edge
    EXPECT_EQ(m.cell(row, 0).mergeSpan, 3);
}

TEST(GridColumns, KeysAddressRowAttributesInHiddenColumns) {
    GridModel m;
    m.setColumnCount(10);
    const char* keys[] = {"sValue", "devType", "level", "ixGroup", "ixSch", "ixList", "dwg", "bExpanded",
                          "bIsCallout", "rowType"};
    for (int c = 0; c < 10; ++c) m.setColumnKey(c, keys[c]);
    for (int c = 1; c <= 8; ++c) m.setColumnWidth(c, 0);
    int row = m.appendRow("Diffusers", 1);
    m.setAttribute(row, "devType", "2");
    m.setAttribute(row, "rowType", "header");
    m.setAttribute(row, "noSuchKey", "x");
    EXPECT_EQ(m.attribute(row, "devType"), "2");
    EXPECT_EQ(m.text(row, 1), "2");
    EXPECT_EQ(m.attribute(row, "rowType"), "header");
    EXPECT_EQ(m.attribute(row, "noSuchKey"), "");
    EXPECT_TRUE(m.columnHidden(4));
    EXPECT_FALSE(m.columnHidden(9));
}

TEST(GridCells, IndexesOutOfRangeReachABlankScratchCell) {
    GridModel m;
    m.setColumnCount(2);
    m.appendRow("a");
    m.cell(5, 0).text = "lost";
    m.row(-1).level = 4;
    EXPECT_EQ(m.cell(5, 0).text, "");
    EXPECT_EQ(m.text(5, 0), "");
    EXPECT_EQ(m.row(3).level, 0);
    EXPECT_FALSE(m.expanded(7));
    EXPECT_EQ(m.rowCount(), 1);
}
