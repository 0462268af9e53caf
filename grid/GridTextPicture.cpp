// The text picture of a grid row.
#include "grid/GridViews.h"

std::vector<std::string> gridRowTexts(const GridModel& model, int row) {
    std::vector<std::string> texts;
    if (row < 0 || row >= model.rowCount()) return texts;
    for (int c = 0; c < model.columnCount(); ++c) {
        const GridCell& cell = model.cell(row, c);
        if (cell.coveredBy >= 0) continue;
        bool seen = false;  // a merged cell shows when any column it spans does
        for (int k = c; k < c + cell.mergeSpan && k < model.columnCount(); ++k) seen = seen || !model.columnHidden(k);
        if (!seen) continue;
        texts.push_back(cell.text);
    }
    return texts;
}
