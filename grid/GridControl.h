// The grid control: a grid model with the interaction a person has with it
// (selecting cells, editing them by their kind's rules, clicking tree
// buttons, dragging rows) and the notifications a dialog handles. It is the
// row control the dialog host prints and drives, and it prints itself as an
// HTML page. It knows no dialog's rules: dialogs add them through handlers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "grid/GridModel.h"
#include "ui/RowControl.h"

class GridControl : public RowControl {
public:
    GridModel& model() { return mModel; }
    const GridModel& model() const { return mModel; }

    // Notifications and vetoes; each is optional.
    struct Handlers {
        // Asked before a cell enters editing; false refuses the edit.
        std::function<bool(int row, int column)> canEdit;
        std::function<void(int row, int column)> selectionChanged;
        std::function<void(int row, int column)> endEdit;
        // A click on a row's tree button, after the row was expanded or collapsed.
        std::function<void(int row)> expandClicked;
        std::function<void(int row, int column)> buttonClicked;
        // Rows (model indexes) dropped on a target row; answers "" when the
        // drop was taken, else why not. Without it the grid takes no drops.
        std::function<std::string(const std::vector<int>& rows, int target, DragModifier modifier)> drop;
    };
    Handlers& handlers() { return mHandlers; }

    // What a person does, in model rows: each answers "" or why it was refused.
    std::string selectCell(int row, int column);
    std::string editCell(int row, int column, const std::string& text);
    std::string clickTreeButton(int row);

    // Prints the visible rows as the HTML page "NAME.html" beside the drawing.
    std::string Print(const std::string& name) const;

    // RowControl: the host's view, in visible rows.
    int visibleRowCount() const override;
    int visibleRowLevel(int row) const override;
    std::string visibleRowLabel(int row) const override;
    std::vector<std::string> visibleRowTexts(int row) const override;
    std::string userSelect(int row, int column) override;
    std::string userSetText(int row, int column, const std::string& text) override;
    std::string userExpand(int row) override;
    std::string userDrag(const std::vector<int>& rows, int target, DragModifier modifier) override;

private:
    int modelRow(int visibleRow) const;
    std::string cellProblem(int row, int column) const;

    GridModel mModel;
    Handlers mHandlers;
};
