// The one font every text is measured and drawn with (DejaVu Sans, found
// through fontconfig and read with FreeType), so that text extents, multiline
// wrapping and every picture format agree on where each glyph goes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct FT_FaceRec_;

class AcGiFont {
public:
    // The shared font, loaded on first use. Without a font file it falls
    // back to fixed estimated metrics (every character 0.6 of the height).
    static const AcGiFont& plotFont();

    // Cap height as a fraction of the em: text height / capHeight() is the
    // size the font is set at.
    double capHeight() const { return mCapHeight; }
    // Depth of the descenders below the baseline as a fraction of the em.
    double descent() const { return mDescent; }
    // Advance of a code point as a fraction of the em (the missing-glyph
    // advance for characters the font lacks).
    double advance(char32_t codePoint) const;
    // Glyph index of a code point (0 for the missing glyph).
    std::uint32_t glyphIndex(char32_t codePoint) const;
    // The font file, empty when the estimated metrics are in use.
    const std::string& file() const { return mFile; }
    // The FreeType face for back-ends that draw glyphs; null without a file.
    FT_FaceRec_* face() const { return mFace; }

    AcGiFont(const AcGiFont&) = delete;
    AcGiFont& operator=(const AcGiFont&) = delete;
    ~AcGiFont();

private:
    AcGiFont();
    struct Glyph {
        std::uint32_t index = 0;
        float advance = -1.0f;  // em fraction; negative: not in the font
    };
    std::string mFile;
    void* mLibrary = nullptr;
    FT_FaceRec_* mFace = nullptr;
    double mCapHeight = 0.7;
    double mDescent = 0.22;
    double mMissingAdvance = 0.42;
    std::vector<Glyph> mGlyphs;  // by code point
};

// One line of text decoded for drawing: code points, their glyphs and the
// start of each glyph along the baseline in em units (no kerning: the
// advances alone place the glyphs, in every format).
struct AcGiGlyphRun {
    std::u32string codePoints;
    std::vector<std::uint32_t> glyphs;
    std::vector<double> offsets;  // em units from the line start
    double advance = 0.0;         // em units, the whole line
};

namespace AcGiTextLayout {
// Decodes UTF-8 (invalid bytes become U+FFFD) and places the glyphs.
AcGiGlyphRun glyphRun(std::string_view utf8, const AcGiFont& font = AcGiFont::plotFont());
// The code points of UTF-8 text; invalid bytes become U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
}  // namespace AcGiTextLayout
