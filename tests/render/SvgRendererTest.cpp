// The SVG renderer: a well-formed file with the y axis flipped, a viewBox
// around what was drawn, layer colours, hidden layers, text, atomic writing.
#include "TestDrawables.h"

#include "render/SvgRenderer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {
class SvgRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) /
              ("svg_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // The summary printed by svg_check.py; empty when the file is not valid XML.
    static std::string check(const fs::path& file) {
        const std::string command = "/usr/bin/python3 " ORV_SVG_CHECK " '" + file.string() + "' 2>&1";
        std::FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return {};
        std::string out;
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
        return ::pclose(pipe) == 0 ? out : "FAILED: " + out;
    }

    std::map<AcDbObjectId, int> layerColors;
    SvgLayerColorFn colorOf() {
        return [this](AcDbObjectId layer) {
            const auto it = layerColors.find(layer);
            return it == layerColors.end() ? 7 : it->second;
        };
    }
    fs::path dir;
};
}  // namespace

TEST_F(SvgRendererTest, LineIsFlippedAndFramedByTheViewBox) {
    TestLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 50, 0));
    line.layer = fakeId(1);
    layerColors[fakeId(1)] = 1;
    AcGiDrawable* drawables[] = {&line};
    std::string error;
    const fs::path out = dir / "line.svg";
    ASSERT_TRUE(renderSvg(drawables, colorOf(), out.string(), error)) << error;
    // Margin 5% of 100 on every side; y runs from -55 (top) to 5.
    EXPECT_EQ(check(out), "viewBox -5 -55 110 60\n"
                          "polyline 0,0 100,-50 #ff0000\n");
}

TEST_F(SvgRendererTest, ColoursFollowEntityThenLayerAndHiddenLayersAreSkipped) {
    TestLine byLayer(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    byLayer.layer = fakeId(1);
    TestLine ownColour(AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0));
    ownColour.layer = fakeId(1);
    ownColour.color = 5;
    TestLine offLayer(AcGePoint3d(0, 500, 0), AcGePoint3d(1, 500, 0));
    offLayer.layer = fakeId(2);
    TestLine byBlockAtTop(AcGePoint3d(0, 2, 0), AcGePoint3d(1, 2, 0));
    byBlockAtTop.color = AcGiColor::kByBlock;
    layerColors[fakeId(1)] = 3;
    layerColors[fakeId(2)] = -3;
    AcGiDrawable* drawables[] = {&byLayer, &ownColour, &offLayer, &byBlockAtTop};
    std::string error;
    const fs::path out = dir / "colours.svg";
    ASSERT_TRUE(renderSvg(drawables, colorOf(), out.string(), error)) << error;
    const std::string summary = check(out);
    EXPECT_NE(summary.find("polyline 0,0 1,0 #00ff00\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("polyline 0,-1 1,-1 #0000ff\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("polyline 0,-2 1,-2 #000000\n"), std::string::npos) << summary;
    // The hidden line neither shows nor widens the view.
    EXPECT_EQ(summary.find("-500"), std::string::npos) << summary;
}

TEST_F(SvgRendererTest, CirclesArcsAndExplodedInserts) {
    ScriptedDrawable shapes;
    shapes.world = [](AcGiWorldDraw* wd) {
        wd->geometry().circle(AcGePoint3d(10, 10, 0), 5.0, AcGeVector3d::kZAxis);
        // Quarter arc counter-clockwise from (5,0) to (0,5) about the origin.
        wd->geometry().circularArc(AcGePoint3d(0, 0, 0), 5.0, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis,
                                   std::numbers::pi / 2);
        return true;
    };
    TestLine tick(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    TestBlockRef arrow;
    arrow.blockName = "ARROW";
    arrow.position = AcGePoint3d(20, 0, 0);
    arrow.scale = 2.0;
    arrow.content = {&tick};
    AcGiDrawable* drawables[] = {&shapes, &arrow};
    SvgRenderer renderer(colorOf());
    std::string error;
    const fs::path out = dir / "shapes.svg";
    ASSERT_TRUE(renderer.begin(out.string(), error)) << error;
    for (AcGiDrawable* d : drawables) renderer.draw(d);
    ASSERT_TRUE(renderer.finish(error)) << error;
    EXPECT_EQ(renderer.drawableCount(), 2u);
    EXPECT_EQ(renderer.primitiveCount(), 3u);
    EXPECT_EQ(check(out), "viewBox -1.1 -16.1 24.2 17.2\n"
                          "circle 10 -10 5 #000000\n"
                          "path M5,0A5,5 0 0 0 0,-5 #000000\n"
                          "polyline 20,0 22,0 #000000\n");
    EXPECT_EQ(renderer.viewBox(), "-1.1 -16.1 24.2 17.2");
}

TEST_F(SvgRendererTest, TextIsEscapedRotatedAndPlacedByLine) {
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
    AcGiDrawable* drawables[] = {&labels};
    std::string error;
    const fs::path out = dir / "text.svg";
    ASSERT_TRUE(renderSvg(drawables, colorOf(), out.string(), error)) << error;
    const std::string summary = check(out);
    // Text turned to read upwards: its x axis maps to SVG (0,-1), its y axis to (1,0).
    EXPECT_NE(summary.find("text matrix(0 -1 1 0 1 -2) #000000 A<B & \"C\"\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("text matrix(1 0 0 1 0 -9.3) #000000 Room\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("#000000 101\n"), std::string::npos) << summary;
}

TEST_F(SvgRendererTest, EmptyDrawingStillWritesAValidFile) {
    std::string error;
    const fs::path out = dir / "empty.svg";
    ASSERT_TRUE(renderSvg({}, colorOf(), out.string(), error)) << error;
    EXPECT_EQ(check(out), "viewBox 0 0 100 100\n");
}

TEST_F(SvgRendererTest, WritesAtomicallyAndReportsBadPaths) {
    const fs::path out = dir / "atomic.svg";
    {
        std::ofstream previous(out);
        previous << "previous";
    }
    TestLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    {
        SvgRenderer abandoned(colorOf());
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

    std::string error;
    AcGiDrawable* drawables[] = {&line};
    EXPECT_FALSE(renderSvg(drawables, colorOf(), (dir / "missing" / "x.svg").string(), error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
    EXPECT_FALSE(renderSvg(drawables, colorOf(), "", error));

    SvgRenderer unstarted(colorOf());
    EXPECT_FALSE(unstarted.finish(error));
}

TEST_F(SvgRendererTest, ManyEntitiesStreamThroughTheBuffer) {
    std::vector<TestLine> lines;
    lines.reserve(20000);
    for (int i = 0; i < 20000; ++i) lines.emplace_back(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 10, 0));
    std::vector<AcGiDrawable*> drawables;
    for (auto& l : lines) drawables.push_back(&l);
    std::string error;
    const fs::path out = dir / "many.svg";
    ASSERT_TRUE(renderSvg(drawables, colorOf(), out.string(), error)) << error;
    const std::string summary = check(out);
    ASSERT_EQ(summary.rfind("viewBox", 0), 0u) << summary.substr(0, 200);
    EXPECT_EQ(std::count(summary.begin(), summary.end(), '\n'), 20001);
}
