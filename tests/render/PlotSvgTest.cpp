// Plots written as SVG: a well-formed file with the y axis flipped, a
// viewBox around what was drawn, colours by entity, layer and block, hidden
// layers, widths, dashes, fills, text placed by the font, atomic writing and
// the messages for bad output names and sizes.
#include "PlotTestSupport.h"

#include "graphics/AcGiFont.h"

#include <fstream>
#include <numbers>
#include <sstream>

namespace fs = std::filesystem;

namespace {
class PlotSvgTest : public PlotTest {
protected:
    // The summary printed by svg_check.py; "FAILED: ..." when the file is not valid XML.
    static std::string check(const fs::path& file) {
        bool ok = false;
        const std::string out = run("/usr/bin/python3 " ORV_SVG_CHECK " '" + file.string() + "'", &ok);
        return ok ? out : "FAILED: " + out;
    }
    std::string plot(std::vector<AcGiDrawable*> drawables, const PlotOptions& options = {}) {
        std::string error;
        const fs::path out = dir / "plot.svg";
        if (!renderPlot(drawables, tables(), out.string(), error, options)) return "ERROR: " + error;
        return check(out);
    }
    // The summary line that starts with prefix, or "" when there is none.
    static std::string lineStarting(const std::string& summary, const std::string& prefix) {
        std::istringstream in(summary);
        for (std::string line; std::getline(in, line);)
            if (line.rfind(prefix, 0) == 0) return line;
        return {};
    }
    // The number after key ("w=") in a summary line; -1 when absent.
    static double number(const std::string& line, const std::string& key) {
        const auto at = line.find(" " + key);
        return at == std::string::npos ? -1.0 : std::stod(line.substr(at + key.size() + 1));
    }
};

constexpr double kPixelsPerMm = 96.0 / 25.4;
}  // namespace

TEST_F(PlotSvgTest, LineIsFlippedAndFramedByTheViewBox) {
    TestLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 50, 0));
    line.layer = fakeId(1);
    layers[fakeId(1)] = layerOfColor(1);
    // Margin 5% of 100 on every side; y runs from -55 (top) to 5.
    EXPECT_EQ(plot({&line}), "viewBox -5 -55 110 60\n"
                             "polyline 0,0 100,-50 #ff0000\n");
}

TEST_F(PlotSvgTest, ColoursFollowEntityLayerAndEnclosingInsert) {
    layers[fakeId(1)] = layerOfColor(3);
    layers[fakeId(2)] = layerOfColor(4);
    TestLine byLayer(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    byLayer.layer = fakeId(1);
    TestLine ownColour(AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0));
    ownColour.layer = fakeId(1);
    ownColour.color = 5;
    TestLine byBlockAtTop(AcGePoint3d(0, 2, 0), AcGePoint3d(1, 2, 0));
    byBlockAtTop.color = AcGiColor::kByBlock;
    // Inside an insert of colour 6 on layer 2: ByBlock takes 6; ByLayer on
    // the inheriting layer takes layer 2's colour; ByLayer on layer 1 keeps 3.
    TestLine inBlockByBlock(AcGePoint3d(0, 3, 0), AcGePoint3d(1, 3, 0));
    inBlockByBlock.color = AcGiColor::kByBlock;
    TestLine inBlockOnZero(AcGePoint3d(0, 4, 0), AcGePoint3d(1, 4, 0));
    inBlockOnZero.layer = fakeId(9);
    TestLine inBlockOnOwnLayer(AcGePoint3d(0, 5, 0), AcGePoint3d(1, 5, 0));
    inBlockOnOwnLayer.layer = fakeId(1);
    TestBlockRef insert;
    insert.layer = fakeId(2);
    insert.color = 6;
    insert.position = AcGePoint3d(10, 0, 0);
    insert.content = {&inBlockByBlock, &inBlockOnZero, &inBlockOnOwnLayer};
    PlotTables t = tables();
    t.inheritingLayer = fakeId(9);
    std::string error;
    const fs::path out = dir / "colours.svg";
    AcGiDrawable* drawables[] = {&byLayer, &ownColour, &byBlockAtTop, &insert};
    ASSERT_TRUE(renderPlot(drawables, t, out.string(), error)) << error;
    EXPECT_EQ(check(out), "viewBox -0.55 -5.55 12.1 6.1\n"
                          "polyline 0,0 1,0 #00ff00\n"
                          "polyline 0,-1 1,-1 #0000ff\n"
                          "polyline 0,-2 1,-2 #000000\n"
                          "polyline 10,-3 11,-3 #ff00ff\n"
                          "polyline 10,-4 11,-4 #00ffff\n"
                          "polyline 10,-5 11,-5 #00ff00\n");
}

TEST_F(PlotSvgTest, ColourSevenContrastsWithTheBackground) {
    TestLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    TestLine grey(AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0));
    grey.color = 8;
    PlotOptions black;
    black.background = "black";
    const std::string summary = plot({&line, &grey}, black);
    EXPECT_NE(summary.find("polyline 0,0 1,0 #ffffff\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("polyline 0,-1 1,-1 #808080\n"), std::string::npos) << summary;
    EXPECT_NE(plot({&line}).find("polyline 0,0 1,0 #000000\n"), std::string::npos);
}

TEST_F(PlotSvgTest, OffFrozenAndUnplottableLayersAreHiddenAndDoNotWidenTheView) {
    PlotLayer off = layerOfColor(1), frozen = layerOfColor(1), unplottable = layerOfColor(1);
    off.off = true;
    frozen.frozen = true;
    unplottable.plottable = false;
    layers[fakeId(2)] = off;
    layers[fakeId(3)] = frozen;
    layers[fakeId(4)] = unplottable;
    TestLine shown(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    TestLine onOff(AcGePoint3d(0, 500, 0), AcGePoint3d(1, 500, 0));
    onOff.layer = fakeId(2);
    TestLine onFrozen(AcGePoint3d(0, 600, 0), AcGePoint3d(1, 600, 0));
    onFrozen.layer = fakeId(3);
    TestLine onUnplottable(AcGePoint3d(0, 700, 0), AcGePoint3d(1, 700, 0));
    onUnplottable.layer = fakeId(4);
    const std::string summary = plot({&shown, &onOff, &onFrozen, &onUnplottable});
    EXPECT_EQ(summary, "viewBox -0.5 -0.5 11 1\n"
                       "polyline 0,0 10,0 #000000\n");
}

TEST_F(PlotSvgTest, AFrozenInsertHidesAllItsContentAnOffOneOnlyWhatInheritsItsLayer) {
    PlotLayer off = layerOfColor(1), frozen = layerOfColor(1);
    off.off = true;
    frozen.frozen = true;
    layers[fakeId(2)] = off;
    layers[fakeId(3)] = frozen;
    TestLine onZero(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    onZero.layer = fakeId(9);
    TestLine onOwnLayer(AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0));
    onOwnLayer.layer = fakeId(1);
    TestBlockRef onOffLayer, onFrozenLayer;
    onOffLayer.layer = fakeId(2);
    onOffLayer.content = {&onZero, &onOwnLayer};
    onFrozenLayer.layer = fakeId(3);
    onFrozenLayer.position = AcGePoint3d(0, 100, 0);
    onFrozenLayer.content = {&onZero, &onOwnLayer};
    PlotTables t = tables();
    t.inheritingLayer = fakeId(9);
    std::string error;
    const fs::path out = dir / "blocks.svg";
    AcGiDrawable* drawables[] = {&onOffLayer, &onFrozenLayer};
    ASSERT_TRUE(renderPlot(drawables, t, out.string(), error)) << error;
    EXPECT_EQ(check(out), "viewBox -0.05 -1.05 1.1 0.1\n"
                          "polyline 0,-1 1,-1 #000000\n");
}

TEST_F(PlotSvgTest, LineweightsComeFromEntityLayerOrDefaultInPaperMillimetres) {
    PlotLayer heavy = layerOfColor(7);
    heavy.lineWeight = 100;
    layers[fakeId(1)] = heavy;
    TestLine own(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    own.lineWeight = 50;
    TestLine byLayer(AcGePoint3d(0, 1, 0), AcGePoint3d(10, 1, 0));
    byLayer.layer = fakeId(1);
    TestLine byDefault(AcGePoint3d(0, 2, 0), AcGePoint3d(10, 2, 0));
    byDefault.lineWeight = -3;
    TestLine byBlock(AcGePoint3d(0, 1.5, 0), AcGePoint3d(10, 1.5, 0));
    byBlock.lineWeight = -2;
    TestBlockRef heavyInsert;
    heavyInsert.lineWeight = 200;
    heavyInsert.content = {&byBlock};
    PlotOptions options;
    options.scale = 10.0;  // pixels per drawing unit
    const std::string summary = plot({&own, &byLayer, &byDefault, &heavyInsert}, options);
    EXPECT_NEAR(number(lineStarting(summary, "polyline 0,-1.5 "), "w="), 2.0 * kPixelsPerMm / 10.0, 1e-9) << summary;
    EXPECT_NEAR(number(lineStarting(summary, "polyline 0,0 "), "w="), 0.5 * kPixelsPerMm / 10.0, 1e-9) << summary;
    EXPECT_NEAR(number(lineStarting(summary, "polyline 0,-1 "), "w="), 1.0 * kPixelsPerMm / 10.0, 1e-9) << summary;
    // The default weight (0.25 mm) is the sheet's own width: no attribute.
    EXPECT_EQ(number(lineStarting(summary, "polyline 0,-2 "), "w="), -1.0) << summary;
    // The picture is as wide as the scale says: 11 units at 10 pixels.
    std::ifstream in(dir / "plot.svg");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("width=\"110\" height=\"30\""), std::string::npos) << text.str().substr(0, 400);
}

TEST_F(PlotSvgTest, LinetypesDashByEntityByLayerAndByBlockScaledByTheDrawing) {
    // Dash 0.5, gap 0.25, dot, gap 0.25.
    linetypes[fakeId(20)] = PlotLinetype{PlotLinetype::kPattern, {0.5, -0.25, 0.0, -0.25}};
    linetypes[fakeId(21)] = PlotLinetype{PlotLinetype::kContinuous, {}};
    linetypes[fakeId(22)] = PlotLinetype{PlotLinetype::kByBlock, {}};
    PlotLayer dashedLayer = layerOfColor(7);
    dashedLayer.lineType = fakeId(20);
    layers[fakeId(1)] = dashedLayer;
    TestLine own(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0));
    own.lineType = fakeId(20);
    TestLine byLayer(AcGePoint3d(0, 1, 0), AcGePoint3d(100, 1, 0));
    byLayer.layer = fakeId(1);
    TestLine continuousOnDashedLayer(AcGePoint3d(0, 2, 0), AcGePoint3d(100, 2, 0));
    continuousOnDashedLayer.layer = fakeId(1);
    continuousOnDashedLayer.lineType = fakeId(21);
    TestLine byBlock(AcGePoint3d(0, 3, 0), AcGePoint3d(100, 3, 0));
    byBlock.lineType = fakeId(22);
    TestBlockRef dashedInsert;
    dashedInsert.lineType = fakeId(20);
    dashedInsert.content = {&byBlock};
    PlotTables t = tables();
    t.linetypeScale = 2.0;
    std::string error;
    const fs::path out = dir / "dashes.svg";
    AcGiDrawable* drawables[] = {&own, &byLayer, &continuousOnDashedLayer, &dashedInsert, &byBlock};
    ASSERT_TRUE(renderPlot(drawables, t, out.string(), error)) << error;
    const std::string summary = check(out);
    EXPECT_EQ(summary, "viewBox -5 -8 110 13\n"
                       "polyline 0,0 100,0 #000000 dash=1,0.5,0,0.5\n"
                       "polyline 0,-1 100,-1 #000000 dash=1,0.5,0,0.5\n"
                       "polyline 0,-2 100,-2 #000000\n"
                       "polyline 0,-3 100,-3 #000000 dash=1,0.5,0,0.5\n"
                       // ByBlock at the top level is continuous.
                       "polyline 0,-3 100,-3 #000000\n");
    // A pattern finer than the picture can show plots continuous.
    PlotOptions tiny;
    tiny.pixelWidth = 100;
    EXPECT_EQ(plot({&own}, tiny).find("dash="), std::string::npos);
}

TEST_F(PlotSvgTest, DashPatternsBecomeOnOffLengthsStartingWithADash) {
    EXPECT_EQ(plotDashes({0.5, -0.25}, 2.0), (std::vector<double>{1.0, 0.5}));
    // A leading gap moves to the end; a dot is a dash of length zero.
    EXPECT_EQ(plotDashes({-0.25, 0.0, -0.25, 1.0}, 1.0), (std::vector<double>{0.0, 0.25, 1.0, 0.25}));
    // Runs of one kind merge; a trailing dash joins the leading one.
    EXPECT_EQ(plotDashes({0.5, 0.5, -0.25, -0.25, 0.5}, 1.0), (std::vector<double>{1.5, 0.5}));
    // Only dashes, nothing at all, or no length: continuous.
    EXPECT_TRUE(plotDashes({1.0, 2.0}, 1.0).empty());
    EXPECT_TRUE(plotDashes({}, 1.0).empty());
    EXPECT_TRUE(plotDashes({0.0, -0.0}, 1.0).empty());
    EXPECT_TRUE(plotDashes({0.5, -std::numeric_limits<double>::infinity()}, 1.0).empty());
}

TEST_F(PlotSvgTest, ClosedShapesDrawnWithFillAreFilled) {
    ScriptedDrawable shapes;
    shapes.color = 1;
    shapes.world = [](AcGiWorldDraw* wd) {
        const AcGePoint3d arrow[3] = {{0, 0, 0}, {-1, 0.25, 0}, {-1, -0.25, 0}};
        wd->subEntityTraits().setFillType(kAcGiFillAlways);
        wd->geometry().polygon(3, arrow);
        // An open polyline stays a line even with fill on.
        const AcGePoint3d leg[2] = {{-1, 0, 0}, {-5, 0, 0}};
        wd->geometry().polyline(2, leg);
        wd->subEntityTraits().setFillType(kAcGiFillNever);
        wd->geometry().polygon(3, arrow);
        return true;
    };
    const std::string summary = plot({&shapes});
    EXPECT_EQ(summary, "viewBox -5.25 -0.5 5.5 1\n"
                       "polygon 0,0 -1,-0.25 -1,0.25 nostroke style=fill:#ff0000;fill-rule:evenodd;stroke:none\n"
                       "polyline -1,0 -5,0 #ff0000\n"
                       "polygon 0,0 -1,-0.25 -1,0.25 #ff0000\n")
        << summary;
}

TEST_F(PlotSvgTest, CirclesArcsClockwiseArcsAndExplodedInserts) {
    ScriptedDrawable shapes;
    shapes.world = [](AcGiWorldDraw* wd) {
        wd->geometry().circle(AcGePoint3d(10, 10, 0), 5.0, AcGeVector3d::kZAxis);
        // Quarter arc counter-clockwise from (5,0) to (0,5) about the origin.
        wd->geometry().circularArc(AcGePoint3d(0, 0, 0), 5.0, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis,
                                   std::numbers::pi / 2);
        // About -z the same sweep runs clockwise: from (5,0) down to (0,-5).
        wd->geometry().circularArc(AcGePoint3d(0, 0, 0), 5.0, -AcGeVector3d::kZAxis, AcGeVector3d::kXAxis,
                                   std::numbers::pi / 2);
        return true;
    };
    TestLine tick(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    TestBlockRef arrow;
    arrow.position = AcGePoint3d(20, 0, 0);
    arrow.scale = 2.0;
    arrow.content = {&tick};
    PlotRenderer renderer(tables());
    std::string error;
    const fs::path out = dir / "shapes.svg";
    ASSERT_TRUE(renderer.begin(out.string(), error)) << error;
    renderer.draw(&shapes);
    renderer.draw(&arrow);
    ASSERT_TRUE(renderer.finish(error)) << error;
    EXPECT_EQ(renderer.drawableCount(), 2u);
    EXPECT_EQ(renderer.primitiveCount(), 4u);
    EXPECT_EQ(check(out), "viewBox -1.1 -16.1 24.2 22.2\n"
                          "circle 10 -10 5 #000000\n"
                          "path M5,0A5,5 0 0 0 0,-5 #000000\n"
                          "path M0,5A5,5 0 0 0 5,0 #000000\n"
                          "polyline 20,0 22,0 #000000\n");
}

TEST_F(PlotSvgTest, TextIsEscapedRotatedAndEveryGlyphPlacedByTheFont) {
    ScriptedDrawable labels;
    labels.world = [](AcGiWorldDraw* wd) {
        wd->geometry().text(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 1, 0), 0.7, 1.0, 0.0,
                            "A<B & \"C\"");
        AcGiMTextData m;
        m.location = AcGePoint3d(0, 10, 0);
        m.height = 0.7;
        m.contents = "Room\\P101";
        wd->geometry().mtext(m);
        return true;
    };
    const std::string summary = plot({&labels});
    // Text turned to read upwards: its x axis maps to SVG (0,-1), its y axis to (1,0).
    EXPECT_NE(summary.find("text matrix(0 -1 1 0 1 -2) #000000 A<B & \"C\"\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("text matrix(1 0 0 1 0 -9.3) #000000 Room\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("#000000 101\n"), std::string::npos) << summary;

    // The glyphs of "Room" start where the font's advances put them, and
    // the font size makes capitals as tall as the text height.
    std::ifstream in(dir / "plot.svg");
    std::stringstream svg;
    svg << in.rdbuf();
    const AcGiFont& font = AcGiFont::plotFont();
    const double em = 0.7 / font.capHeight();
    const std::string element = svg.str().substr(svg.str().find(">Room<") - 200, 200);
    const auto xs = element.find("x=\"") + 3;
    std::istringstream positions(element.substr(xs, element.find('"', xs) - xs));
    double expected = 0.0;
    for (const char c : std::string("Room")) {
        double x = -1;
        positions >> x;
        EXPECT_NEAR(x, expected, 1e-7) << element;
        expected += font.advance(static_cast<char32_t>(c)) * em;
    }
    const auto size = element.find("font-size=\"") + 11;
    EXPECT_NEAR(std::stod(element.substr(size)), em, 1e-7) << element;
}

TEST_F(PlotSvgTest, EmptyDrawingStillWritesAValidFile) {
    EXPECT_EQ(plot({}), "viewBox 0 -100 100 100\n");
}

TEST_F(PlotSvgTest, WritesAtomicallyAndReportsBadNamesPathsAndSizes) {
    const fs::path out = dir / "atomic.svg";
    {
        std::ofstream previous(out);
        previous << "previous";
    }
    TestLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    {
        PlotRenderer abandoned(tables());
        std::string error;
        ASSERT_TRUE(abandoned.begin(out.string(), error));
        abandoned.draw(&line);
        // Destroyed without finish: the old file stays, no temporary is left.
    }
    std::ifstream in(out);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    AcGiDrawable* drawables[] = {&line};
    auto failure = [&](const std::string& path, const PlotOptions& options = {}) {
        std::string error;
        EXPECT_FALSE(renderPlot(drawables, tables(), path, error, options)) << path;
        return error;
    };
    EXPECT_NE(failure((dir / "missing" / "x.svg").string()).find("No such file or directory"), std::string::npos);
    EXPECT_EQ(failure(""), "no output file given");
    EXPECT_EQ(failure((dir / "plan.bmp").string()), "the name must end in one of svg, png, pdf");
    EXPECT_EQ(failure((dir / "plan").string()), "the name must end in one of svg, png, pdf");
    PlotOptions zero;
    zero.pixelWidth = 0;
    EXPECT_EQ(failure((dir / "a.png").string(), zero), "the width must be 1 to 32767 pixels");
    PlotOptions negative;
    negative.scale = -2;
    EXPECT_EQ(failure((dir / "a.png").string(), negative),
              "the scale must be a positive number of pixels per drawing unit");
    PlotOptions huge;
    huge.scale = 1e6;
    EXPECT_EQ(failure((dir / "a.png").string(), huge),
              "the picture would be 1100000 x 1100000 pixels; the most is 32767 on a side (use a smaller --width "
              "or --scale)");
    PlotOptions pink;
    pink.background = "pink";
    EXPECT_EQ(failure((dir / "a.svg").string(), pink), "unknown background pink (white, black or #rrggbb)");
    // Nothing was left behind by the failures.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    PlotRenderer unstarted(tables());
    std::string error;
    EXPECT_FALSE(unstarted.finish(error));
}

TEST_F(PlotSvgTest, ManyEntitiesStreamThroughTheBuffer) {
    std::vector<TestLine> lines;
    lines.reserve(20000);
    for (int i = 0; i < 20000; ++i) lines.emplace_back(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 10, 0));
    std::vector<AcGiDrawable*> drawables;
    for (auto& l : lines) drawables.push_back(&l);
    const std::string summary = plot(drawables);
    ASSERT_EQ(summary.rfind("viewBox", 0), 0u) << summary.substr(0, 200);
    EXPECT_EQ(std::count(summary.begin(), summary.end(), '\n'), 20001);
}
