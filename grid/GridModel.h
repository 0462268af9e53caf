// The grid's model: rows of cells, each row with a tree level, a height and
// an expanded flag; columns with widths and optional keys; fixed rows; the
// current cell and the selected range. Views (the text picture, the HTML
// print) and the control only read it and change it through its operations.
// A row's children are the rows after it with a greater level, up to the
// next row whose level is not greater; a collapsed row hides them.
#pragma once

#include <string>
#include <vector>

#include "grid/GridCell.h"

struct GridRow {
    std::vector<GridCell> cells;
    int level = 0;
    int height = 0;  // 0: the grid's default height
    bool expanded = true;
};

struct GridCellRef {
    int row = -1;
    int column = -1;
    bool valid() const { return row >= 0 && column >= 0; }
    bool operator==(const GridCellRef&) const = default;
};

struct GridRange {
    int firstRow = -1, firstColumn = -1, lastRow = -1, lastColumn = -1;
    bool valid() const { return firstRow >= 0 && firstColumn >= 0 && lastRow >= firstRow && lastColumn >= firstColumn; }
};

class GridModel {
public:
    static constexpr int kDefaultRowHeight = 20;
    static constexpr int kDefaultColumnWidth = 80;

    // Columns: changing the count keeps the cells that still fit.
    void setColumnCount(int count);
    int columnCount() const { return int(mWidths.size()); }
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    bool columnHidden(int column) const { return columnWidth(column) == 0; }
    // Keys name columns (row attributes kept in hidden columns).
    void setColumnKey(int column, const std::string& key);
    int columnOfKey(const std::string& key) const;  // -1 when unknown
    void setFixedRowCount(int count) { mFixedRows = count; }
    int fixedRowCount() const { return mFixedRows; }

    // Rows: each new row has columnCount() read-only, empty cells.
    int rowCount() const { return int(mRows.size()); }
    int appendRow(const std::string& label = "", int level = 0);
    // Inserts after row (-1: at the top); returns the new row's index.
    int insertRowAfter(int row, const std::string& label = "", int level = 0);
    bool deleteRow(int row);
    void deleteAllRows();
    bool swapRows(int a, int b);

    bool validCell(int row, int column) const;
    // Cells and rows by index; an index out of range gives a blank scratch
    // cell or row whose changes are lost.
    GridCell& cell(int row, int column);
    const GridCell& cell(int row, int column) const;
    GridRow& row(int row);
    const GridRow& row(int row) const;
    const std::string& text(int row, int column) const;
    void setText(int row, int column, const std::string& text);
    // Row attributes by column key: "" for an unknown key.
    std::string attribute(int row, const std::string& key) const;
    void setAttribute(int row, const std::string& key, const std::string& text);

    // Merges columns first..last of a row into one cell shown with the first
    // cell's text and roles; a row has at most one cell covering each column.
    bool mergeCells(int row, int firstColumn, int lastColumn);
    // The cell a person sees at (row, column): the merged cell covering it.
    int ownerColumn(int row, int column) const;

    // Tree.
    int level(int row) const { return row >= 0 && row < rowCount() ? mRows[size_t(row)].level : 0; }
    bool hasChildren(int row) const { return row + 1 < rowCount() && level(row + 1) > level(row); }
    int parentRow(int row) const;  // -1 for a top-level row
    // One past the last row of row's subtree.
    int subtreeEnd(int row) const;
    void setExpanded(int row, bool expanded);
    bool expanded(int row) const;
    bool rowVisible(int row) const;
    std::vector<int> visibleRows() const;

    // Current cell and selection.
    void setFocusCell(GridCellRef cell) { mFocus = cell; }
    GridCellRef focusCell() const { return mFocus; }
    void setSelectedRange(GridRange range) { mSelection = range; }
    GridRange selectedRange() const { return mSelection; }

    // Whole-grid roles.
    int defaultRowHeight() const { return kDefaultRowHeight; }
    int rowHeight(int row) const;

private:
    GridRow makeRow(const std::string& label, int level) const;
    std::vector<GridRow> mRows;
    std::vector<int> mWidths;
    std::vector<std::string> mKeys;
    int mFixedRows = 0;
    GridCellRef mFocus;
    GridRange mSelection;
    mutable GridCell mScratchCell;
    mutable GridRow mScratchRow;
};
