// The grid control's interaction rules and its host view.
#include "grid/GridControl.h"

#include "grid/GridViews.h"
#include "ui/PrintPage.h"

std::string GridControl::cellProblem(int row, int column) const {
    if (!mModel.validCell(row, column)) return "there is no such cell";
    if (mModel.columnHidden(mModel.ownerColumn(row, column))) return "the cell is hidden";
    if (!mModel.rowVisible(row)) return "the row is hidden";
    return "";
}

std::string GridControl::selectCell(int row, int column) {
    if (std::string problem = cellProblem(row, column); !problem.empty()) return problem;
    column = mModel.ownerColumn(row, column);
    mModel.setFocusCell({row, column});
    mModel.setSelectedRange({row, column, row, column});
    if (mHandlers.selectionChanged) mHandlers.selectionChanged(row, column);
    if (mModel.cell(row, column).kind == GridCellKind::kButton && mHandlers.buttonClicked)
        mHandlers.buttonClicked(row, column);
    return "";
}

std::string GridControl::editCell(int row, int column, const std::string& text) {
    if (std::string problem = cellProblem(row, column); !problem.empty()) return problem;
    column = mModel.ownerColumn(row, column);
    GridCell& cell = mModel.cell(row, column);
    if (row < mModel.fixedRowCount()) return "the cell is a fixed cell";
    switch (cell.kind) {
    case GridCellKind::kReadOnly: return "the cell is read-only";
    case GridCellKind::kButton: return "the cell is a button";
    default: break;
    }
    if (mHandlers.canEdit && !mHandlers.canEdit(row, column))
        return "the dialog does not let this cell be edited";
    int32_t data = cell.itemData;
    if (cell.kind == GridCellKind::kDropList || cell.kind == GridCellKind::kCombo) {
        const GridEntry* chosen = nullptr;
        for (const GridEntry& entry : cell.entries)
            if (entry.text == text) {
                chosen = &entry;
                break;
            }
        if (chosen) data = chosen->data;
        else if (cell.kind == GridCellKind::kDropList)
            return "\"" + text + "\" is not one of the cell's " + std::to_string(cell.entries.size()) + " entries";
    }
    mModel.setFocusCell({row, column});
    mModel.setSelectedRange({row, column, row, column});
    cell.text = text;
    cell.itemData = data;
    if (mHandlers.endEdit) mHandlers.endEdit(row, column);
    return "";
}

std::string GridControl::clickTreeButton(int row) {
    if (row < 0 || row >= mModel.rowCount() || !mModel.rowVisible(row)) return "there is no such row";
    // A row with no children shows no button, unless a dialog loads children on the click.
    if (!mModel.hasChildren(row) && !mHandlers.expandClicked)
        return "the row has no tree button";
    mModel.setExpanded(row, !mModel.expanded(row));
    if (mHandlers.expandClicked) mHandlers.expandClicked(row);
    return "";
}

std::string GridControl::Print(const std::string& name) const { return uiPrintPage(name, gridHtmlPage(mModel, name)); }

int GridControl::modelRow(int visibleRow) const {
    std::vector<int> rows = mModel.visibleRows();
    return visibleRow >= 0 && visibleRow < int(rows.size()) ? rows[size_t(visibleRow)] : -1;
}

int GridControl::visibleRowCount() const { return int(mModel.visibleRows().size()); }
int GridControl::visibleRowLevel(int row) const { return mModel.level(modelRow(row)); }
std::string GridControl::visibleRowLabel(int row) const { return mModel.text(modelRow(row), 0); }
std::vector<std::string> GridControl::visibleRowTexts(int row) const { return gridRowTexts(mModel, modelRow(row)); }

std::string GridControl::userSelect(int row, int column) {
    int r = modelRow(row);
    return r < 0 ? "there is no row " + std::to_string(row) : selectCell(r, column);
}

std::string GridControl::userSetText(int row, int column, const std::string& text) {
    int r = modelRow(row);
    return r < 0 ? "there is no row " + std::to_string(row) : editCell(r, column, text);
}

std::string GridControl::userExpand(int row) {
    int r = modelRow(row);
    return r < 0 ? "there is no row " + std::to_string(row) : clickTreeButton(r);
}

std::string GridControl::userDrag(const std::vector<int>& rows, int target, DragModifier modifier) {
    if (!mHandlers.drop) return "rows cannot be dragged in this grid";
    std::vector<int> dragged;
    for (int row : rows) {
        int r = modelRow(row);
        if (r < 0) return "there is no row " + std::to_string(row);
        dragged.push_back(r);
    }
    int t = modelRow(target);
    if (t < 0) return "there is no row " + std::to_string(target);
    return mHandlers.drop(dragged, t, modifier);
}
