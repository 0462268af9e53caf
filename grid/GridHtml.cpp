// The HTML print of a grid: one table, styles inline so the page stands alone.
#include <cstdio>

#include "grid/GridViews.h"

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "<br>"; break;
        default: out += c;
        }
    }
    return out;
}

std::string cssColor(COLORREF color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

// The visible columns a merged cell spans from column c.
int visibleSpan(const GridModel& model, int row, int c) {
    int span = 0, last = c + model.cell(row, c).mergeSpan;
    for (int k = c; k < last && k < model.columnCount(); ++k)
        if (!model.columnHidden(k)) ++span;
    return span;
}

std::string cellHtml(const GridModel& model, int row, int c, bool fixed) {
    const GridCell& cell = model.cell(row, c);
    std::string style;
    if (c == 0 && model.level(row) > 0) {
        char indent[32];
        std::snprintf(indent, sizeof indent, "padding-left:%.1fem;", 0.4 + 1.5 * model.level(row));
        style += indent;
    }
    if (cell.backColor != CLR_DEFAULT) style += "background:" + cssColor(cell.backColor) + ";";
    if (cell.textColor != CLR_DEFAULT) style += "color:" + cssColor(cell.textColor) + ";";
    if (cell.bold) style += "font-weight:bold;";
    if (cell.centred) style += "text-align:center;";
    if (cell.wordWrap) style += "white-space:normal;";
    std::string tag = fixed ? "th" : "td";
    std::string html = "<" + tag;
    int span = visibleSpan(model, row, c);
    if (span > 1) html += " colspan=\"" + std::to_string(span) + "\"";
    if (!style.empty()) html += " style=\"" + style + "\"";
    return html + ">" + escaped(cell.text) + "</" + tag + ">";
}

} // namespace

std::string gridHtmlPage(const GridModel& model, const std::string& title) {
    std::string html =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + escaped(title) +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; font-size: 10pt; }\n"
        "table { border-collapse: collapse; }\n"
        "td, th { border: 1px solid #c0c0c0; padding: 2px 6px; text-align: left; vertical-align: middle;\n"
        "         white-space: nowrap; }\n"
        "th { background: #f0f0f0; }\n"
        "</style>\n</head>\n<body>\n<h1>" +
        escaped(title) + "</h1>\n<table>\n";
    for (int row : model.visibleRows()) {
        bool fixed = row < model.fixedRowCount();
        html += "<tr";
        if (model.row(row).height > 0) html += " style=\"height:" + std::to_string(model.rowHeight(row)) + "px\"";
        html += ">";
        for (int c = 0; c < model.columnCount(); ++c) {
            if (model.cell(row, c).coveredBy >= 0 || visibleSpan(model, row, c) == 0) continue;
            html += cellHtml(model, row, c, fixed);
        }
        html += "</tr>\n";
    }
    return html + "</table>\n</body>\n</html>\n";
}
