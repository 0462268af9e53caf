// The two views of a grid: the text picture and the HTML print.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "grid/GridControl.h"
#include "grid/GridViews.h"
#include "lisp/AdsHost.h"

namespace {

GridModel sample() {
    GridModel m;
    m.setColumnCount(4);
    int title = m.appendRow("Room <101> & Co", 0);
    m.mergeCells(title, 0, 3);
    m.cell(title, 0).bold = true;
    int heading = m.appendRow("Cooling Load", 1);
    m.setText(heading, 1, "Total btuh");
    m.setText(heading, 3, "Latent\nbtuh");
    m.cell(heading, 3).wordWrap = true;
    m.cell(heading, 3).centred = true;
    m.cell(heading, 1).backColor = RGB(171, 171, 171);
    m.cell(heading, 1).textColor = RGB(255, 0, 16);
    m.row(heading).height = 40;
    int line = m.appendRow("Roof", 2);
    m.setText(line, 1, "9000");
    m.setText(line, 2, "hidden");
    m.setColumnWidth(2, 0);
    return m;
}

} // namespace

TEST(GridPicture, MergedCellsOnceHiddenColumnsLeftOut) {
    GridModel m = sample();
    EXPECT_EQ(gridRowTexts(m, 0), (std::vector<std::string>{"Room <101> & Co"}));
    EXPECT_EQ(gridRowTexts(m, 1), (std::vector<std::string>{"Cooling Load", "Total btuh", "Latent\nbtuh"}));
    EXPECT_EQ(gridRowTexts(m, 2), (std::vector<std::string>{"Roof", "9000", ""}));
    EXPECT_TRUE(gridRowTexts(m, 3).empty());
}

TEST(GridPrint, PageCarriesLevelsMergesColoursAndBoldAndEscapesText) {
    GridModel m = sample();
    std::string html = gridHtmlPage(m, "Load Detail");
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("<title>Load Detail</title>"), std::string::npos);
    // The title spans the three visible columns (one is hidden) and is bold.
    EXPECT_NE(html.find("<td colspan=\"3\" style=\"font-weight:bold;\">Room &lt;101&gt; &amp; Co</td>"),
              std::string::npos);
    EXPECT_NE(html.find("background:#ababab;color:#ff0010;"), std::string::npos);
    EXPECT_NE(html.find("<tr style=\"height:40px\">"), std::string::npos);
    EXPECT_NE(html.find("text-align:center;white-space:normal;\">Latent<br>btuh</td>"), std::string::npos);
    EXPECT_NE(html.find("padding-left:3.4em;"), std::string::npos);  // level 2
    EXPECT_EQ(html.find("hidden"), std::string::npos);
    // No outside resources: the page stands alone.
    EXPECT_EQ(html.find("src="), std::string::npos);
    EXPECT_EQ(html.find("<link"), std::string::npos);
}

TEST(GridPrint, CollapsedRowsAreNotPrinted) {
    GridModel m = sample();
    m.setExpanded(1, false);
    std::string html = gridHtmlPage(m, "t");
    EXPECT_EQ(html.find("9000"), std::string::npos);
    EXPECT_NE(html.find("Total btuh"), std::string::npos);
}

TEST(GridPrint, PrintWritesBesideTheDrawingWithoutOverwriting) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("orv-grid-print-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::path previous = fs::current_path();
    fs::current_path(dir);  // no drawing: the working folder
    std::string output;
    adsSetOutputSink([&](std::string_view text) { output.append(text); });
    GridControl grid;
    grid.model() = sample();
    std::string first = grid.Print("Load Detail");
    std::string second = grid.Print("Load Detail");
    adsSetOutputSink({});
    fs::current_path(previous);
    EXPECT_EQ(fs::path(first).filename(), "Load Detail.html");
    EXPECT_EQ(fs::path(second).filename(), "Load Detail (2).html");
    EXPECT_NE(output.find("\n[print] " + first), std::string::npos);
    std::ifstream in(first);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), gridHtmlPage(grid.model(), "Load Detail"));
    fs::remove_all(dir);
}
