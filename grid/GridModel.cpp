// The grid model's structure operations.
#include "grid/GridModel.h"

#include <utility>

namespace {
const std::string kNoText;
} // namespace

void GridModel::setColumnCount(int count) {
    if (count < 0) count = 0;
    mWidths.resize(size_t(count), kDefaultColumnWidth);
    mKeys.resize(size_t(count));
    for (GridRow& row : mRows) {
        row.cells.resize(size_t(count));
        // A merge cut by the new edge ends at it.
        for (int c = 0; c < count; ++c) {
            GridCell& cell = row.cells[size_t(c)];
            if (cell.mergeSpan > count - c) cell.mergeSpan = count - c;
        }
    }
}

void GridModel::setColumnWidth(int column, int width) {
    if (column >= 0 && column < columnCount()) mWidths[size_t(column)] = width < 0 ? 0 : width;
}

int GridModel::columnWidth(int column) const {
    return column >= 0 && column < columnCount() ? mWidths[size_t(column)] : 0;
}

void GridModel::setColumnKey(int column, const std::string& key) {
    if (column >= 0 && column < columnCount()) mKeys[size_t(column)] = key;
}

int GridModel::columnOfKey(const std::string& key) const {
    for (size_t c = 0; c < mKeys.size(); ++c)
        if (!key.empty() && mKeys[c] == key) return int(c);
    return -1;
}

GridRow GridModel::makeRow(const std::string& label, int level) const {
    GridRow row;
    row.cells.resize(size_t(columnCount()));
    if (!row.cells.empty()) row.cells[0].text = label;
    row.level = level;
    return row;
}

int GridModel::appendRow(const std::string& label, int level) {
    mRows.push_back(makeRow(label, level));
    return rowCount() - 1;
}

int GridModel::insertRowAfter(int row, const std::string& label, int level) {
    int at = row < 0 ? 0 : row + 1 > rowCount() ? rowCount() : row + 1;
    mRows.insert(mRows.begin() + at, makeRow(label, level));
    if (mFocus.valid() && mFocus.row >= at) ++mFocus.row;
    if (mSelection.valid() && mSelection.firstRow >= at) ++mSelection.firstRow, ++mSelection.lastRow;
    return at;
}

bool GridModel::deleteRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    mRows.erase(mRows.begin() + row);
    if (mFocus.row == row) mFocus = {};
    else if (mFocus.row > row) --mFocus.row;
    if (mSelection.valid() && row <= mSelection.lastRow) {
        if (row < mSelection.firstRow) --mSelection.firstRow;
        --mSelection.lastRow;
        if (mSelection.lastRow < mSelection.firstRow) mSelection = {};
    }
    return true;
}

void GridModel::deleteAllRows() {
    mRows.clear();
    mFocus = {};
    mSelection = {};
}

bool GridModel::swapRows(int a, int b) {
    if (a < 0 || b < 0 || a >= rowCount() || b >= rowCount()) return false;
    std::swap(mRows[size_t(a)], mRows[size_t(b)]);
    return true;
}

bool GridModel::validCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

GridCell& GridModel::cell(int row, int column) {
    if (validCell(row, column)) return mRows[size_t(row)].cells[size_t(column)];
    mScratchCell = GridCell();
    return mScratchCell;
}

const GridCell& GridModel::cell(int row, int column) const {
    if (validCell(row, column)) return mRows[size_t(row)].cells[size_t(column)];
    mScratchCell = GridCell();
    return mScratchCell;
}

GridRow& GridModel::row(int row) {
    if (row >= 0 && row < rowCount()) return mRows[size_t(row)];
    mScratchRow = GridRow();
    return mScratchRow;
}

const GridRow& GridModel::row(int row) const {
    if (row >= 0 && row < rowCount()) return mRows[size_t(row)];
    mScratchRow = GridRow();
    return mScratchRow;
}

const std::string& GridModel::text(int row, int column) const {
    return validCell(row, column) ? mRows[size_t(row)].cells[size_t(column)].text : kNoText;
}

void GridModel::setText(int row, int column, const std::string& text) {
    if (validCell(row, column)) mRows[size_t(row)].cells[size_t(column)].text = text;
}

std::string GridModel::attribute(int row, const std::string& key) const { return text(row, columnOfKey(key)); }

void GridModel::setAttribute(int row, const std::string& key, const std::string& text) {
    setText(row, columnOfKey(key), text);
}

bool GridModel::mergeCells(int row, int firstColumn, int lastColumn) {
    if (!validCell(row, firstColumn) || !validCell(row, lastColumn) || lastColumn < firstColumn) return false;
    std::vector<GridCell>& cells = mRows[size_t(row)].cells;
    for (int c = firstColumn; c <= lastColumn; ++c)
        if (cells[size_t(c)].coveredBy >= 0 || (c > firstColumn && cells[size_t(c)].mergeSpan > 1)) return false;
    cells[size_t(firstColumn)].mergeSpan = lastColumn - firstColumn + 1;
    for (int c = firstColumn + 1; c <= lastColumn; ++c) cells[size_t(c)].coveredBy = firstColumn;
    return true;
}

int GridModel::ownerColumn(int row, int column) const {
    if (!validCell(row, column)) return column;
    int owner = mRows[size_t(row)].cells[size_t(column)].coveredBy;
    return owner >= 0 ? owner : column;
}

int GridModel::parentRow(int row) const {
    int own = level(row);
    for (int r = row - 1; r >= 0; --r)
        if (level(r) < own) return r;
    return -1;
}

int GridModel::subtreeEnd(int row) const {
    int end = row + 1;
    while (end < rowCount() && level(end) > level(row)) ++end;
    return end;
}

void GridModel::setExpanded(int row, bool expanded) {
    if (row >= 0 && row < rowCount()) mRows[size_t(row)].expanded = expanded;
}

bool GridModel::expanded(int row) const { return row >= 0 && row < rowCount() && mRows[size_t(row)].expanded; }

bool GridModel::rowVisible(int row) const {
    if (row < 0 || row >= rowCount()) return false;
    for (int parent = parentRow(row); parent >= 0; parent = parentRow(parent))
        if (!mRows[size_t(parent)].expanded) return false;
    return true;
}

std::vector<int> GridModel::visibleRows() const {
    std::vector<int> rows;
    for (int r = 0; r < rowCount();) {
        rows.push_back(r);
        r = mRows[size_t(r)].expanded ? r + 1 : subtreeEnd(r);
    }
    return rows;
}

int GridModel::rowHeight(int row) const {
    if (row < 0 || row >= rowCount()) return 0;
    int height = mRows[size_t(row)].height;
    return height > 0 ? height : kDefaultRowHeight;
}
