// Justified TEXT and ATTRIB plotted: where the ink of the letters lands
// against the alignment point, for every horizontal and vertical mode, in
// a picture at 8 pixels a unit. "HEH" starts and ends with the same letter,
// so its ink is centred on its advance.
#include "PlotTestSupport.h"
#include "PngPicture.h"

#include "database/dbattribute.h"
#include "database/dbtext.h"

#include <numbers>

namespace fs = std::filesystem;

namespace {

constexpr double kPixel = 1.0 / 8;
const AcGePoint3d kAlign(50, 20, 0);

// The ink's box in drawing units.
struct Ink {
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    double centerX() const { return (left + right) / 2; }
    double centerY() const { return (bottom + top) / 2; }
};

class TextAlignmentPlotTest : public PlotTest {
protected:
    // Plots the text alone and measures its ink (pixels darker than mid-grey).
    Ink plotInk(AcDbText& text) {
        PlotOptions options;
        options.scale = 8.0;
        PlotRenderer renderer(tables(), options);
        const fs::path png = dir / ("text" + std::to_string(++mCount) + ".png");
        std::string error;
        EXPECT_TRUE(renderer.begin(png.string(), error)) << error;
        renderer.draw(&text);
        EXPECT_TRUE(renderer.finish(error)) << error;
        const Picture picture(png);
        EXPECT_TRUE(picture.valid());
        const PlotView& v = renderer.view();
        Ink ink;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                if ((picture.pixel(x, y) & 0xFF) >= 0x80) continue;
                const double dx = v.minX + (x + 0.5) / v.scale, dy = v.maxY - (y + 0.5) / v.scale;
                ink.left = std::min(ink.left, dx), ink.right = std::max(ink.right, dx);
                ink.bottom = std::min(ink.bottom, dy), ink.top = std::max(ink.top, dy);
            }
        return ink;
    }
    // Text justified on the alignment point; its own position (which other
    // programs fill in with their own font) lies far off and must not count.
    Ink plotJustified(const char* string, int horizontal, int vertical) {
        AcDbText text(AcGePoint3d(-300, 7, 0), string, AcDbObjectId(), 10.0);
        justify(text, horizontal, vertical, kAlign);
        return plotInk(text);
    }
    static void justify(AcDbText& text, int horizontal, int vertical, const AcGePoint3d& alignment) {
        ASSERT_EQ(text.setHorizontalMode(static_cast<Adesk::Int16>(horizontal)), Acad::eOk);
        ASSERT_EQ(text.setVerticalMode(static_cast<Adesk::Int16>(vertical)), Acad::eOk);
        ASSERT_EQ(text.setAlignmentPoint(alignment), Acad::eOk);
    }
    int mCount = 0;
};

}  // namespace

// Left text starts at its position; centre and right put the middle and
// the end of the advance on the alignment point. Vertically the
// capitals stand on the baseline, hang from the top and are halved by the
// middle; bottom puts the descenders' depth on the point.
TEST_F(TextAlignmentPlotTest, EachModePutsItsSpotOfTheTextOnTheAlignmentPoint) {
    AcDbText left(AcGePoint3d(50, 20, 0), "HEH", AcDbObjectId(), 10.0);
    const Ink l = plotInk(left);
    EXPECT_NEAR(l.bottom, 20.0, 2 * kPixel);
    EXPECT_NEAR(l.top, 30.0, 2 * kPixel);  // the height is the capitals' height
    const double bearing = l.left - 50.0;
    EXPECT_GT(bearing, 0.0);
    const double width = l.right - l.left;

    const Ink c = plotJustified("HEH", 1, 0);
    EXPECT_NEAR(c.centerX(), 50.0, 2 * kPixel);
    EXPECT_NEAR(c.right - c.left, width, 2 * kPixel);
    EXPECT_NEAR(c.bottom, 20.0, 2 * kPixel);

    const Ink r = plotJustified("HEH", 2, 0);
    EXPECT_NEAR(50.0 - r.right, bearing, 2 * kPixel);

    const Ink t = plotJustified("HEH", 0, 3);
    EXPECT_NEAR(t.top, 20.0, 2 * kPixel);
    EXPECT_NEAR(t.left - 50.0, bearing, 2 * kPixel);

    const Ink m = plotJustified("HEH", 1, 2);
    EXPECT_NEAR(m.centerY(), 20.0, 2 * kPixel);
    EXPECT_NEAR(m.centerX(), 50.0, 2 * kPixel);

    // "Middle" (horizontal mode 4) is centred both ways whatever 73 says.
    const Ink mm = plotJustified("HEH", 4, 3);
    EXPECT_NEAR(mm.centerY(), 20.0, 2 * kPixel);
    EXPECT_NEAR(mm.centerX(), 50.0, 2 * kPixel);

    // Bottom: the tail of the g reaches down to about the point (the font's
    // descent is a little deeper than this letter's), the capital well above.
    const Ink b = plotJustified("Hg", 0, 1);
    EXPECT_NEAR(b.bottom, 20.0, 0.6);
    EXPECT_GT(b.bottom, 20.0 - 2 * kPixel);
    EXPECT_GT(plotJustified("H", 0, 1).bottom, 22.5);
}

// Aligned and fit text run from the position to the alignment point: aligned
// keeps the letters' proportions (taller for a longer run), fit keeps the
// height and stretches the letters. A turned run turns the text.
TEST_F(TextAlignmentPlotTest, AlignedAndFitSpanTheirTwoPoints) {
    AcDbText plain(AcGePoint3d(0, 0, 0), "HEH", AcDbObjectId(), 10.0);
    const Ink p = plotInk(plain);
    const double proportion = (p.top - p.bottom) / (p.right - p.left);

    AcDbText aligned(AcGePoint3d(0, 0, 0), "HEH", AcDbObjectId(), 10.0);
    justify(aligned, 3, 0, AcGePoint3d(80, 0, 0));
    const Ink a = plotInk(aligned);
    EXPECT_GT(a.left, 0.0);
    EXPECT_LT(a.right, 80.0);
    EXPECT_NEAR(a.left, 80.0 - a.right, 2 * kPixel);  // the run's ends, bearings alike
    EXPECT_NEAR((a.top - a.bottom) / (a.right - a.left), proportion, 0.01);
    EXPECT_GT(a.top - a.bottom, 10.5);

    AcDbText fit(AcGePoint3d(0, 0, 0), "HEH", AcDbObjectId(), 10.0);
    justify(fit, 5, 0, AcGePoint3d(80, 0, 0));
    const Ink f = plotInk(fit);
    EXPECT_NEAR(f.top - f.bottom, 10.0, 2 * kPixel);
    EXPECT_NEAR(f.left, 80.0 - f.right, 2 * kPixel);
    EXPECT_GT(f.right - f.left, 70.0);

    AcDbText upward(AcGePoint3d(0, 0, 0), "HEH", AcDbObjectId(), 10.0);
    justify(upward, 5, 0, AcGePoint3d(0, 80, 0));
    const Ink u = plotInk(upward);
    EXPECT_GT(u.top - u.bottom, 70.0);
    EXPECT_NEAR(u.right - u.left, 10.0, 2 * kPixel);
    EXPECT_LT(u.right, 0.0 + 2 * kPixel);  // turned left of the run, as text turned a quarter does

    // Both points in one place: the text stays as it is, from the position.
    AcDbText degenerate(AcGePoint3d(0, 0, 0), "HEH", AcDbObjectId(), 10.0);
    justify(degenerate, 3, 0, AcGePoint3d(0, 0, 0));
    const Ink d = plotInk(degenerate);
    EXPECT_NEAR(d.left, p.left, 2 * kPixel);
    EXPECT_NEAR(d.top, p.top, 2 * kPixel);
}

// A turned, centred text centres along its own direction; an attribute is
// placed the same way as a text; bad modes are refused and leave the text.
TEST_F(TextAlignmentPlotTest, TurnedTextAndAttributesFollowTheirAlignment) {
    AcDbText turned(AcGePoint3d(0, 0, 0), "HEH", AcDbObjectId(), 10.0, std::numbers::pi / 2);
    justify(turned, 1, 2, kAlign);
    const Ink t = plotInk(turned);
    EXPECT_NEAR(t.centerX(), 50.0, 2 * kPixel);
    EXPECT_NEAR(t.centerY(), 20.0, 2 * kPixel);
    EXPECT_GT(t.top - t.bottom, t.right - t.left);

    AcDbText text(AcGePoint3d(0, 0, 0), "HEH", AcDbObjectId(), 10.0);
    justify(text, 2, 3, kAlign);
    AcDbAttribute attribute(AcGePoint3d(0, 0, 0), "HEH", "TAG");
    attribute.setHeight(10.0);
    justify(attribute, 2, 3, kAlign);
    const Ink a = plotInk(attribute), x = plotInk(text);
    EXPECT_NEAR(a.right, x.right, kPixel / 2);
    EXPECT_NEAR(a.top, x.top, kPixel / 2);
    EXPECT_NEAR(a.top, 20.0, 2 * kPixel);

    EXPECT_EQ(text.setHorizontalMode(6), Acad::eInvalidInput);
    EXPECT_EQ(text.setVerticalMode(-1), Acad::eInvalidInput);
    EXPECT_EQ(text.horizontalMode(), 2);
    EXPECT_EQ(text.verticalMode(), 3);
}
