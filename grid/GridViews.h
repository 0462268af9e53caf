// Two views of a grid model: the text picture (the cells a person sees in
// each visible row) and the HTML print (a self-contained page of the
// visible rows with their levels, merged cells, colours and bold rows).
#pragma once

#include <string>
#include <vector>

#include "grid/GridModel.h"

// The texts of one row as a person sees them, left to right: a merged cell
// once, hidden (zero-width) columns and covered cells left out.
std::vector<std::string> gridRowTexts(const GridModel& model, int row);

// The page: title in its head, the visible rows as one table.
std::string gridHtmlPage(const GridModel& model, const std::string& title);
