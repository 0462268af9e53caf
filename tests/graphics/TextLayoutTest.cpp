// Multiline text contents to plain lines, the layout box by attachment, and
// widths measured with the plot font.
#include "graphics/AcGiTextLayout.h"

#include "graphics/AcGiFont.h"

#include <gtest/gtest.h>

using namespace AcGiTextLayout;

TEST(MTextLines, LineBreaksAndFormattingCodes) {
    EXPECT_EQ(mtextLines("Room 101\\P250 sf"), (std::vector<std::string>{"Room 101", "250 sf"}));
    EXPECT_EQ(mtextLines("{\\fArial|b1;\\H2.5x;Big} \\C1;red"), (std::vector<std::string>{"Big red"}));
    EXPECT_EQ(mtextLines("\\PW\\PD\\PS"), (std::vector<std::string>{"", "W", "D", "S"}));
    EXPECT_EQ(mtextLines("a\\\\b \\{c\\}"), (std::vector<std::string>{"a\\b {c}"}));
    EXPECT_EQ(mtextLines("1\\S1^2;\""), (std::vector<std::string>{"11/2\""}));
    EXPECT_EQ(mtextLines("\\U+00B0F"), (std::vector<std::string>{"\xC2\xB0" "F"}));
    EXPECT_EQ(mtextLines(""), (std::vector<std::string>{""}));
    // A trailing backslash or an unterminated code does not run off the end.
    EXPECT_EQ(mtextLines("x\\"), (std::vector<std::string>{"x\\"}));
    EXPECT_EQ(mtextLines("x\\H2"), (std::vector<std::string>{"x"}));
}

TEST(PlainText, PercentCodes) {
    EXPECT_EQ(plainText("45%%d"), "45\xC2\xB0");
    EXPECT_EQ(plainText("%%c12"), "\xE2\x8C\x80" "12");
    EXPECT_EQ(plainText("100%"), "100%");
}

TEST(MTextLayout, AttachmentPlacesTheBox) {
    AcGiMTextData m;
    m.height = 1.0;
    m.contents = "AB\\PABCD";
    const double spacing = kLineSpacingRatio;
    const MTextBox topLeft = layoutMText(m);
    EXPECT_DOUBLE_EQ(topLeft.left, 0.0);
    EXPECT_DOUBLE_EQ(topLeft.top, 0.0);
    EXPECT_DOUBLE_EQ(topLeft.width(), textWidth("ABCD", 1.0));
    EXPECT_DOUBLE_EQ(topLeft.height(), 1.0 + spacing);
    EXPECT_DOUBLE_EQ(topLeft.lineY[0], -1.0);
    EXPECT_DOUBLE_EQ(topLeft.lineY[1], -1.0 - spacing);

    m.attachment = 5;  // middle centre
    const MTextBox centre = layoutMText(m);
    EXPECT_DOUBLE_EQ(centre.left, -centre.right);
    EXPECT_DOUBLE_EQ(centre.top, -centre.bottom);
    EXPECT_DOUBLE_EQ(centre.lineX[0], -textWidth("AB", 1.0) / 2);

    m.attachment = 9;  // bottom right
    m.width = 10.0;
    const MTextBox bottomRight = layoutMText(m);
    EXPECT_DOUBLE_EQ(bottomRight.right, 0.0);
    EXPECT_DOUBLE_EQ(bottomRight.left, -10.0);
    EXPECT_DOUBLE_EQ(bottomRight.bottom, 0.0);
    EXPECT_DOUBLE_EQ(bottomRight.lineX[1], -textWidth("ABCD", 1.0));

    m.attachment = 42;  // out of range: clamped, never a crash
    EXPECT_EQ(layoutMText(m).lines.size(), 2u);
}

TEST(TextWidth, IsTheFontsAdvancesOfEachCharacterNotByte) {
    const AcGiFont& font = AcGiFont::plotFont();
    const double em = emSize(1.0);
    EXPECT_NEAR(em * font.capHeight(), 1.0, 1e-12);
    EXPECT_NEAR(textWidth("\xC2\xB0" "F", 1.0), (font.advance(0xB0) + font.advance('F')) * em, 1e-12);
    EXPECT_DOUBLE_EQ(textWidth("AB", 2.0, 0.5), textWidth("AB", 1.0));
    // A proportional font: four i are far narrower than four W.
    EXPECT_LT(textWidth("iiii", 1.0) * 2, textWidth("WWWW", 1.0));
    EXPECT_DOUBLE_EQ(textWidth("", 1.0), 0.0);
}

TEST(GlyphRun, DecodesUtf8AndPlacesGlyphsByAdvance) {
    const AcGiFont& font = AcGiFont::plotFont();
    const AcGiGlyphRun run = glyphRun("B\xC3\x9CRO m\xC2\xB2");
    EXPECT_EQ(run.codePoints, U"B\u00DCRO m\u00B2");
    ASSERT_EQ(run.offsets.size(), 7u);
    EXPECT_DOUBLE_EQ(run.offsets[0], 0.0);
    EXPECT_DOUBLE_EQ(run.offsets[2], font.advance('B') + font.advance(0xDC));
    EXPECT_NEAR(run.advance, textWidth("B\xC3\x9CRO m\xC2\xB2", 1.0) / emSize(1.0), 1e-12);
    if (!font.file().empty()) {
        EXPECT_NE(run.glyphs[1], 0u);  // the font has U+00DC
    }
    // Broken UTF-8 (a lone continuation byte, a cut sequence, an overlong
    // form, a surrogate) becomes replacement characters, one per bad byte.
    EXPECT_EQ(decodeUtf8("a\x80" "b"), U"a\uFFFD" "b");
    EXPECT_EQ(decodeUtf8("\xE2\x82"), U"\uFFFD\uFFFD");
    EXPECT_EQ(decodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");
    EXPECT_EQ(decodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(decodeUtf8("\xF0\x9F\x98\x80"), U"\U0001F600");
}

// Characters DejaVu Sans lacks (CJK) come from the fallback font fontconfig
// picks: their own glyph, face and full-width advance, not the plot font's
// missing-glyph box; a character no font has keeps the missing glyph.
TEST(GlyphRun, CharactersThePlotFontLacksComeFromAFallbackFont) {
    const AcGiFont& font = AcGiFont::plotFont();
    ASSERT_FALSE(font.file().empty()) << "no DejaVu Sans: install fonts-dejavu-core";
    const AcGiGlyphRun run = glyphRun("\xE6\x9C\xBA" "A\xE6\x88\xBF");  // "机A房"
    ASSERT_EQ(run.faces.size(), 3u);
    ASSERT_NE(run.faces[0], 0u) << "no font for CJK: install fonts-wqy-microhei";
    EXPECT_EQ(run.faces[1], 0u);
    EXPECT_EQ(run.faces[2], run.faces[0]);  // one fallback face for both
    EXPECT_NE(run.glyphs[0], 0u);
    EXPECT_NE(run.glyphs[0], run.glyphs[2]);
    EXPECT_NE(font.face(run.faces[0]), nullptr);
    EXPECT_NE(font.family(run.faces[0]), font.family(0));
    // CJK characters are a full em wide, wider than the missing-glyph box.
    EXPECT_NEAR(font.advance(0x673A), 1.0, 0.05);
    EXPECT_GT(font.advance(0x673A), font.advance(0x10FFFD) * 1.5);
    EXPECT_NEAR(run.offsets[2], font.advance(0x673A) + font.advance('A'), 1e-12);
    EXPECT_NEAR(textWidth("\xE6\x9C\xBA", 1.0), font.advance(0x673A) * emSize(1.0), 1e-12);
    // A private-use character past every font: the plot font's missing glyph.
    const AcGiGlyphRun none = glyphRun("\xF4\x8F\xBF\xBD");  // U+10FFFD
    EXPECT_EQ(none.faces[0], 0u);
    EXPECT_EQ(none.glyphs[0], 0u);
}
