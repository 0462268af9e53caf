// Plots written as PNG and PDF: valid files of the asked size whose pixels
// show what was drawn where it was drawn, with the background rule, weights
// and text of the plot font; the font's measures agree with Cairo's.
#include "PlotTestSupport.h"
#include "PngPicture.h"

#include "graphics/AcGiFont.h"
#include "graphics/AcGiTextLayout.h"

#include <cairo-ft.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {
class PlotPictureTest : public PlotTest {
protected:
    fs::path plot(std::vector<AcGiDrawable*> drawables, const std::string& name, const PlotOptions& options) {
        const fs::path out = dir / name;
        std::string error;
        EXPECT_TRUE(renderPlot(drawables, tables(), out.string(), error, options)) << error;
        return out;
    }
    static std::string head(const fs::path& file, std::size_t n) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes(n, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(n));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return bytes;
    }
};

// A red line across the middle between two colour-7 lines that make the
// drawing 100 by 100 units: with the 5% margin the view is -5..105 both ways.
struct RedLineScene {
    TestLine red{AcGePoint3d(0, 50, 0), AcGePoint3d(100, 50, 0)};
    TestLine frameBottom{AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0)};
    TestLine frameTop{AcGePoint3d(0, 100, 0), AcGePoint3d(100, 100, 0)};
    RedLineScene() { red.color = 1; }
    std::vector<AcGiDrawable*> drawables() { return {&red, &frameBottom, &frameTop}; }
    // 2 pixels a unit with a margin of 5.25 units: drawing (x, y) is the
    // centre of pixel (2x + 10, 210 - 2y), so one-pixel lines fill whole pixels.
    static PlotOptions options() {
        PlotOptions o;
        o.marginRatio = 0.0525;
        o.pixelWidth = 221;
        return o;
    }
};
}  // namespace

TEST_F(PlotPictureTest, PngHasTheAskedSizeAndTheRedLineWhereItWasDrawn) {
    RedLineScene scene;
    const PlotOptions options = RedLineScene::options();
    const fs::path png = plot(scene.drawables(), "red.png", options);
    EXPECT_EQ(head(png, 8), "\x89PNG\r\n\x1a\n");
    const Picture picture(png);
    ASSERT_TRUE(picture.valid());
    EXPECT_EQ(picture.width(), 221);
    EXPECT_EQ(picture.height(), 221);
    // (50, 50) is pixel (110, 110).
    EXPECT_EQ(picture.pixel(110, 110), 0xFF0000u);
    EXPECT_EQ(picture.pixel(110, 105), 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(5, 110), 0xFFFFFFu);  // left of the line's start
    // The frame's colour 7 is black on the white sheet.
    EXPECT_EQ(picture.pixel(110, 210), 0x000000u);
}

// A filled outline that goes round a square, then round a smaller square
// inside it the same way (joined by a seam there and back): by the even-odd
// rule the inner square is a hole, in PNG and in PDF alike.
TEST_F(PlotPictureTest, FilledLoopInsideAnotherIsAHole) {
    ScriptedDrawable ring;
    ring.world = [](AcGiWorldDraw* wd) {
        const AcGePoint3d outline[] = {{0, 0, 0},   {100, 0, 0},  {100, 100, 0}, {0, 100, 0},  {0, 0, 0},
                                       {40, 40, 0}, {60, 40, 0},  {60, 60, 0},   {40, 60, 0},  {40, 40, 0}};
        wd->subEntityTraits().setFillType(kAcGiFillAlways);
        wd->geometry().polygon(10, outline);
        return true;
    };
    const PlotOptions options = RedLineScene::options();
    for (const char* name : {"ring.png", "ring.pdf"}) {
        fs::path png = plot({&ring}, name, options);
        if (png.extension() == ".pdf") {
            run("pdftoppm -png -singlefile -r 72 " + png.string() + " " + (dir / "ring-pdf").string());
            png = dir / "ring-pdf.png";
        }
        const Picture picture(png);
        ASSERT_TRUE(picture.valid()) << name;
        const int w = picture.width(), h = picture.height();
        EXPECT_EQ(picture.pixel(w / 2, h / 2), 0xFFFFFFu) << name << ": the hole is filled";
        EXPECT_EQ(picture.pixel(w / 5, h / 2), 0x000000u) << name << ": the ring is not";
        EXPECT_EQ(picture.pixel(w / 2, h / 5), 0x000000u) << name;
    }
}

TEST_F(PlotPictureTest, BlackBackgroundTurnsColourSevenWhite) {
    RedLineScene scene;
    PlotOptions options = RedLineScene::options();
    options.background = "black";
    const Picture picture(plot(scene.drawables(), "black.png", options));
    ASSERT_TRUE(picture.valid());
    EXPECT_EQ(picture.pixel(110, 105), 0x000000u);
    EXPECT_EQ(picture.pixel(110, 210), 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(110, 110), 0xFF0000u);
}

TEST_F(PlotPictureTest, HeavierLineweightsPlotWiderLines) {
    RedLineScene thin, heavy;
    heavy.red.lineWeight = 200;  // 2 mm: about 7.6 pixels
    const PlotOptions options = RedLineScene::options();
    const Picture thinPicture(plot(thin.drawables(), "thin.png", options));
    const Picture heavyPicture(plot(heavy.drawables(), "heavy.png", options));
    ASSERT_TRUE(thinPicture.valid() && heavyPicture.valid());
    const int thinInk = thinPicture.inkInColumn(110, 0xFFFFFF);
    const int heavyInk = heavyPicture.inkInColumn(110, 0xFFFFFF);
    // Three lines of about one pixel each, then the red one grows by ~6.6.
    EXPECT_EQ(thinInk, 3);
    EXPECT_GE(heavyInk - thinInk, 5);
    EXPECT_LE(heavyInk - thinInk, 9);
}

TEST_F(PlotPictureTest, ScaleDecidesThePictureSize) {
    RedLineScene scene;
    PlotOptions options;
    options.scale = 0.5;
    const Picture picture(plot(scene.drawables(), "scaled.png", options));
    ASSERT_TRUE(picture.valid());
    EXPECT_EQ(picture.width(), 55);
    EXPECT_EQ(picture.height(), 55);
    options.scale = 3;
    const Picture larger(plot(scene.drawables(), "larger.png", options));
    ASSERT_TRUE(larger.valid());
    EXPECT_EQ(larger.width(), 330);
}

TEST_F(PlotPictureTest, PdfOpensAndShowsTheRedLine) {
    RedLineScene scene;
    const PlotOptions options = RedLineScene::options();
    const fs::path pdf = plot(scene.drawables(), "red.pdf", options);
    EXPECT_EQ(head(pdf, 5), "%PDF-");
    // Rendered back at 96 dots an inch, a pixel of the plot is a pixel again.
    bool ok = false;
    const std::string out =
        run("pdftoppm -png -r 96 -singlefile '" + pdf.string() + "' '" + (dir / "page").string() + "'", &ok);
    ASSERT_TRUE(ok) << out;
    const Picture page(dir / "page.png");
    ASSERT_TRUE(page.valid());
    EXPECT_EQ(page.width(), 221);
    EXPECT_EQ(page.height(), 221);
    EXPECT_EQ(page.pixel(110, 110) & 0xF00000u, 0xF00000u) << std::hex << page.pixel(110, 110);
    EXPECT_EQ(page.pixel(110, 110) & 0x00C0C0u, 0u) << std::hex << page.pixel(110, 110);
    EXPECT_EQ(page.pixel(110, 105), 0xFFFFFFu);
}

TEST_F(PlotPictureTest, TextInkSpansTheMeasuredWidthAndCapitalHeight) {
    // "HHHH" 10 units tall at 4 pixels a unit: its ink is the measured width
    // long and the text height tall (capitals sit on the baseline).
    ScriptedDrawable label;
    label.world = [](AcGiWorldDraw* wd) {
        wd->geometry().text(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 10.0, 1.0, 0.0,
                            "HHHH");
        return true;
    };
    const double width = AcGiTextLayout::textWidth("HHHH", 10.0);
    PlotOptions options;
    options.scale = 4.0;
    options.marginRatio = 0.0;
    const Picture picture(plot({&label}, "text.png", options));
    ASSERT_TRUE(picture.valid());
    EXPECT_EQ(picture.width(), static_cast<int>(std::ceil(width * 4)));
    // Capitals 40 pixels high over the font's descent (room for a g's tail).
    const double depth = AcGiTextLayout::emSize(10.0) * AcGiFont::plotFont().descent();
    EXPECT_EQ(picture.height(), static_cast<int>(std::ceil((10.0 + depth) * 4)));
    int top = picture.height(), bottom = -1, left = picture.width(), right = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xFF) < 128) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
    EXPECT_LE(top, 1);
    EXPECT_GE(bottom, 38);
    EXPECT_LE(bottom, 40);  // the capitals stand on the baseline
    // The first and last H keep their side bearings (about 5 pixels here)
    // inside the measured width.
    EXPECT_GE(left, 3);
    EXPECT_LE(left, 7);
    EXPECT_GE(right, picture.width() - 8);
    EXPECT_LE(right, picture.width() - 3);
}

TEST_F(PlotPictureTest, TheFontsAdvancesAreCairosAndWidthsAreProportional) {
    const AcGiFont& font = AcGiFont::plotFont();
    ASSERT_FALSE(font.file().empty()) << "no DejaVu Sans: install fonts-dejavu-core";
    EXPECT_NE(font.file().find("DejaVuSans"), std::string::npos) << font.file();
    EXPECT_NEAR(font.capHeight(), 0.729, 0.01);
    EXPECT_LT(AcGiTextLayout::textWidth("iiii", 1.0), AcGiTextLayout::textWidth("WWWW", 1.0) / 2);
    // Cairo measures the same strings with the same face to the same widths.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
    cairo_t* cr = cairo_create(surface);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(font.face(), 0);
    cairo_set_font_face(cr, face);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, options);
    const double height = 2.5;
    cairo_set_font_size(cr, AcGiTextLayout::emSize(height));
    for (const char* text : {"Room 101", "BÜRO 20 m²", "iiii", "WWWW", "Zuluft 450 m³/h"}) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text, &extents);
        EXPECT_NEAR(AcGiTextLayout::textWidth(text, height), extents.x_advance, 1e-6) << text;
    }
    // A capital H's ink is the text height.
    cairo_text_extents_t h;
    cairo_text_extents(cr, "H", &h);
    EXPECT_NEAR(h.height, height, 0.01);
    cairo_font_options_destroy(options);
    cairo_font_face_destroy(face);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

// A CJK label is drawn with the fallback font it was measured with: its
// ink fills the full-width advance (the plot font's missing-glyph box is
// narrower), and the PDF's text holds the characters.
TEST_F(PlotPictureTest, CharactersThePlotFontLacksAreDrawnWithTheFallbackFont) {
    ScriptedDrawable label;
    label.world = [](AcGiWorldDraw* wd) {
        wd->geometry().text(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 10.0, 1.0, 0.0,
                            "\xE6\x9C\xBA\xE6\x88\xBF");  // "机房"
        return true;
    };
    const double width = AcGiTextLayout::textWidth("\xE6\x9C\xBA\xE6\x88\xBF", 10.0);
    ASSERT_GT(width, 1.5 * AcGiTextLayout::emSize(10.0)) << "no font for CJK: install fonts-wqy-microhei";
    PlotOptions options;
    options.scale = 4.0;
    options.marginRatio = 0.0;
    const Picture picture(plot({&label}, "cjk.png", options));
    ASSERT_TRUE(picture.valid());
    int left = picture.width(), right = -1, inked = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xFF) < 128) left = std::min(left, x), right = std::max(right, x), ++inked;
    EXPECT_GT(right - left, 0.85 * width * 4);
    EXPECT_GT(inked, 200);
    const fs::path pdf = plot({&label}, "cjk.pdf", options);
    bool ok = false;
    const std::string text = run("pdftotext " + pdf.string() + " -", &ok);
    EXPECT_TRUE(ok);
    EXPECT_NE(text.find("\xE6\x9C\xBA\xE6\x88\xBF"), std::string::npos) << text;
}

TEST_F(PlotPictureTest, UnwritablePlacesFailWithTheReasonAndLeaveNothing) {
    RedLineScene scene;
    auto drawables = scene.drawables();
    for (const char* name : {"missing/plan.png", "missing/plan.pdf"}) {
        std::string error;
        EXPECT_FALSE(renderPlot(drawables, tables(), (dir / name).string(), error)) << name;
        EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    }
    // A folder where the file should go.
    fs::create_directories(dir / "taken.png");
    std::string error;
    EXPECT_FALSE(renderPlot(drawables, tables(), (dir / "taken.png").string(), error));
    EXPECT_NE(error.find("taken.png"), std::string::npos) << error;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}
