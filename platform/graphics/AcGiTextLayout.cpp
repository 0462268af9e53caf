// Plain lines and sizes of single- and multiline text.
#include "graphics/AcGiTextLayout.h"

#include "graphics/AcGiFont.h"

#include <algorithm>
#include <cctype>

namespace AcGiTextLayout {

void appendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string plainText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            const char code = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 2])));
            if (code == 'd') { appendUtf8(out, 0xB0); i += 2; continue; }
            if (code == 'c') { appendUtf8(out, 0x2300); i += 2; continue; }
            if (code == 'p') { appendUtf8(out, 0xB1); i += 2; continue; }
            if (code == '%') { out += '%'; i += 2; continue; }
        }
        out += text[i];
    }
    return out;
}

std::vector<std::string> mtextLines(std::string_view s) {
    std::vector<std::string> lines(1);
    std::size_t i = 0;
    auto skipTo = [&](char terminator) {
        while (i < s.size() && s[i] != terminator) ++i;
        if (i < s.size()) ++i;
    };
    while (i < s.size()) {
        const char c = s[i];
        if (c == '{' || c == '}') { ++i; continue; }
        if (c == '\n') { lines.emplace_back(); ++i; continue; }
        if (c != '\\' || i + 1 >= s.size()) { lines.back() += c; ++i; continue; }
        const char code = s[i + 1];
        i += 2;
        switch (code) {
            case 'P': case 'X': lines.emplace_back(); break;
            case '~': lines.back() += ' '; break;
            case '\\': case '{': case '}': lines.back() += code; break;
            case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': case 'N': break;
            case 'A': case 'C': case 'c': case 'H': case 'h': case 'F': case 'f':
            case 'Q': case 'q': case 'T': case 't': case 'W': case 'w': case 'p':
                skipTo(';');
                break;
            case 'S': {
                // Stacked text "a^b;", "a/b;" or "a#b;" shows as a/b.
                std::string stacked;
                while (i < s.size() && s[i] != ';') {
                    stacked += (s[i] == '^' || s[i] == '#') ? '/' : s[i];
                    ++i;
                }
                if (i < s.size()) ++i;
                lines.back() += stacked;
                break;
            }
            case 'U':
                if (i < s.size() && s[i] == '+' && i + 5 <= s.size()) {
                    unsigned long cp = 0;
                    bool ok = true;
                    for (std::size_t k = i + 1; k < i + 5; ++k) {
                        if (!std::isxdigit(static_cast<unsigned char>(s[k]))) { ok = false; break; }
                        cp = cp * 16 + static_cast<unsigned long>(std::isdigit(static_cast<unsigned char>(s[k]))
                                                                      ? s[k] - '0'
                                                                      : std::tolower(static_cast<unsigned char>(s[k])) - 'a' + 10);
                    }
                    if (ok) { appendUtf8(lines.back(), cp); i += 5; break; }
                }
                lines.back() += "\\U";
                break;
            default:
                lines.back() += '\\';
                lines.back() += code;
                break;
        }
    }
    for (auto& line : lines) line = plainText(line);
    return lines;
}

std::size_t charCount(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

double textWidth(std::string_view line, double height, double widthFactor) {
    const AcGiFont& font = AcGiFont::plotFont();
    double em = 0.0;
    for (const char32_t cp : decodeUtf8(line)) em += font.advance(cp);
    return em * emSize(height) * widthFactor;
}

double emSize(double height) { return height / AcGiFont::plotFont().capHeight(); }

TextPlacement justify(std::string_view line, const AcGePoint3d& position, const AcGePoint3d& alignment,
                      const AcGeVector3d& direction, const AcGeVector3d& normal, double height, double widthFactor,
                      int horizontal, int vertical) {
    TextPlacement p{position, direction.isZeroLength() ? AcGeVector3d::kXAxis : direction.normal(), height,
                    widthFactor};
    if (horizontal < kTextLeft || horizontal > kTextFit) horizontal = kTextLeft;
    if (vertical < kTextBase || vertical > kTextTop) vertical = kTextBase;
    if (horizontal == kTextLeft && vertical == kTextBase) return p;
    const double width = textWidth(line, height, widthFactor);
    if (horizontal == kTextAligned || horizontal == kTextFit) {
        const AcGeVector3d run = alignment - position;
        const AcGeVector3d flat = run - normal * run.dotProduct(normal);  // in the text's plane
        if (flat.length() < 1e-12 || !(width > 0.0)) return p;
        const double ratio = flat.length() / width;
        p.direction = flat.normal();
        if (horizontal == kTextAligned) p.height *= ratio;
        else p.widthFactor *= ratio;
        return p;
    }
    if (horizontal == kTextMiddle) vertical = kTextVerticalMid;
    const double along = horizontal == kTextRight ? width : (horizontal == kTextLeft ? 0.0 : width / 2);
    const AcGiFont& font = AcGiFont::plotFont();
    const double up = vertical == kTextTop           ? height
                      : vertical == kTextVerticalMid ? height / 2
                      : vertical == kTextBottom      ? -height * font.descent() / font.capHeight()
                                                     : 0.0;
    p.start = alignment - p.direction * along - normal.crossProduct(p.direction) * up;
    return p;
}

MTextBox layoutMText(const AcGiMTextData& m) {
    MTextBox box;
    box.lines = mtextLines(m.contents);
    const std::size_t n = box.lines.size();
    const double h = m.height;
    const double spacing = h * kLineSpacingRatio;
    double widest = 0.0;
    for (const auto& line : box.lines) widest = std::max(widest, textWidth(line, h, m.widthFactor));
    const double boxWidth = m.width > 0.0 ? std::max(m.width, 0.0) : widest;
    const double boxHeight = h + spacing * static_cast<double>(n - 1);
    const int attachment = std::clamp(m.attachment, 1, 9);
    const int column = (attachment - 1) % 3;  // 0 left, 1 centre, 2 right
    const int row = (attachment - 1) / 3;     // 0 top, 1 middle, 2 bottom
    box.left = column == 0 ? 0.0 : (column == 1 ? -boxWidth / 2 : -boxWidth);
    box.right = box.left + boxWidth;
    box.top = row == 0 ? 0.0 : (row == 1 ? boxHeight / 2 : boxHeight);
    box.bottom = box.top - boxHeight;
    box.lineX.reserve(n);
    box.lineY.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double w = textWidth(box.lines[i], h, m.widthFactor);
        box.lineX.push_back(column == 0 ? box.left : (column == 1 ? -w / 2 : box.right - w));
        box.lineY.push_back(box.top - h - spacing * static_cast<double>(i));
    }
    return box;
}

}  // namespace AcGiTextLayout
