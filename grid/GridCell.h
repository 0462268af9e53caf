// One cell of the grid: its text and the roles that say how it is shown and
// edited.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/SysColors.h"

enum class GridCellKind {
    kReadOnly,  // text a person cannot change
    kEdit,      // in-place edit: any text
    kDropList,  // drop-down list: only one of its entries
    kCombo,     // drop-down list that also takes typed text
    kButton,    // a push button; selecting it clicks it
};

struct GridEntry {
    std::string text;
    int32_t data = 0;
};

struct GridCell {
    std::string text;
    GridCellKind kind = GridCellKind::kReadOnly;
    std::vector<GridEntry> entries;  // drop-down and combo cells
    int32_t itemData = 0;            // data of the chosen entry
    COLORREF textColor = CLR_DEFAULT;
    COLORREF backColor = CLR_DEFAULT;
    bool bold = false;
    bool wordWrap = false;
    bool centred = false;
    // Horizontal merges: the first cell of a merged range spans mergeSpan
    // columns; the cells it covers name it in coveredBy (-1: not covered).
    int mergeSpan = 1;
    int coveredBy = -1;
};
