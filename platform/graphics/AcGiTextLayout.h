// Plain-text lines of multiline text contents and the size of text in the
// plot font, shared by the graphics back-ends and by text entities for their
// extents, so that what is measured is what is drawn.
#pragma once

#include "graphics/AcGiGeometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace AcGiTextLayout {

// Distance between baselines of multiline text as a fraction of the height.
constexpr double kLineSpacingRatio = 5.0 / 3.0;

// Replaces the control sequences %%d, %%c, %%p and %%% with their characters.
std::string plainText(std::string_view text);

// The display lines of multiline text contents: "\P" and real newlines break
// lines; formatting codes and grouping braces are dropped; stacked fractions
// become "a/b". Lines are not wrapped.
std::vector<std::string> mtextLines(std::string_view contents);

// Width of one line of text in the plot font; height is the capital height.
double textWidth(std::string_view line, double height, double widthFactor = 1.0);
// The em size the plot font is set at for text of this (capital) height.
double emSize(double height);

// Laid-out multiline text: the lines with the start of each baseline in the
// text's own coordinates (x along the direction, y up, origin at the
// location), and the box they fill.
struct MTextBox {
    std::vector<std::string> lines;
    std::vector<double> lineX;  // left end of each line
    std::vector<double> lineY;  // baseline of each line
    double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0;
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};
MTextBox layoutMText(const AcGiMTextData& mtext);

// Justification of single-line text: horizontal modes left, center, right,
// aligned, middle, fit; vertical modes baseline, bottom, middle, top.
enum TextHorizontalMode { kTextLeft, kTextCenter, kTextRight, kTextAligned, kTextMiddle, kTextFit };
enum TextVerticalMode { kTextBase, kTextBottom, kTextVerticalMid, kTextTop };

// A single-line text as drawn: where its baseline starts, its direction
// (unit), height and width factor.
struct TextPlacement {
    AcGePoint3d start;
    AcGeVector3d direction;
    double height = 0.0;
    double widthFactor = 1.0;
};
// Places a line of text by its justification, measured in the plot font.
// Left/baseline text starts at position. Other modes put the named spot of
// the text (its centre, right end, middle, bottom of the descenders, top of
// the capitals) on alignment. Aligned and fit text runs from position to
// alignment: aligned scales the height with the width, fit only the width.
// Unknown modes, and aligned or fit text without a run, count as left.
TextPlacement justify(std::string_view line, const AcGePoint3d& position, const AcGePoint3d& alignment,
                      const AcGeVector3d& direction, const AcGeVector3d& normal, double height, double widthFactor,
                      int horizontal, int vertical);

// Number of UTF-8 code points (each counts as one character).
std::size_t charCount(std::string_view text);

}  // namespace AcGiTextLayout
