// What the dialog host needs of a control that shows rows of cells (a grid
// or a tree): the rows a person sees, for printing and for finding rows, and
// the actions a person takes on them. Rows are counted among the visible
// rows, top to bottom, as printed; columns are the control's own columns.
#pragma once

#include <string>
#include <vector>

enum class DragModifier { kNone, kCtrl, kShift };

class RowControl {
public:
    virtual ~RowControl() = default;

    virtual int visibleRowCount() const = 0;
    // Tree level of a visible row (0 for a flat grid).
    virtual int visibleRowLevel(int row) const = 0;
    // Column 0's text of a visible row.
    virtual std::string visibleRowLabel(int row) const = 0;
    // The texts a person sees in a visible row, left to right: a merged cell
    // once, hidden (zero-width) columns left out.
    virtual std::vector<std::string> visibleRowTexts(int row) const = 0;

    // Actions: each answers "" when done, else the reason it was refused.
    virtual std::string userSelect(int row, int column) = 0;
    virtual std::string userSetText(int row, int column, const std::string& text) = 0;
    virtual std::string userExpand(int row) = 0;
    virtual std::string userDrag(const std::vector<int>& rows, int target, DragModifier modifier) = 0;
};
