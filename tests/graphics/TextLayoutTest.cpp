// Multiline text contents to plain lines, and the layout box by attachment.
#include "graphics/AcGiTextLayout.h"

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

TEST(TextWidth, CountsCharactersNotBytes) {
    EXPECT_DOUBLE_EQ(textWidth("\xC2\xB0" "F", 1.0), textWidth("AB", 1.0));
    EXPECT_DOUBLE_EQ(textWidth("AB", 2.0, 0.5), textWidth("AB", 1.0));
}
