// The one font every text is measured and drawn with (DejaVu Sans, found
// through fontconfig and read with FreeType), so that text extents, multiline
// wrapping and every picture format agree on where each glyph goes.
// Characters it lacks (CJK labels, ...) come from a fallback font that
// fontconfig chooses for them, measured and drawn with that font too.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // Advance of a code point as a fraction of the em, from the face that
    // draws it (the missing-glyph advance for characters no font has).
    double advance(char32_t codePoint) const;
    // Glyph index of a code point in the face that draws it (0 for the
    // missing glyph of the plot font).
    std::uint32_t glyphIndex(char32_t codePoint) const;
    // The face that draws a code point: 0 the plot font, 1 and up fallbacks.
    std::uint8_t faceOf(char32_t codePoint) const;
    // The font file, empty when the estimated metrics are in use.
    const std::string& file() const { return mFile; }
    // The FreeType face for back-ends that draw glyphs (0 the plot font,
    // others as faceOf numbers them); null without a file.
    FT_FaceRec_* face(std::uint8_t index = 0) const;
    // The family name of a face, for formats that name their fonts.
    std::string family(std::uint8_t index) const;

    AcGiFont(const AcGiFont&) = delete;
    AcGiFont& operator=(const AcGiFont&) = delete;
    ~AcGiFont();

private:
    AcGiFont();
    struct Glyph {
        std::uint32_t index = 0;
        float advance = -1.0f;  // em fraction; negative: not in the font
        std::uint8_t face = 0;
    };
    struct Fallback {
        std::string file;
        int index = 0;  // face in a collection file
        FT_FaceRec_* face = nullptr;
    };
    // The fallback glyph of a code point the plot font lacks, looked up
    // through fontconfig once.
    const Glyph& fallbackGlyph(char32_t codePoint) const;

    std::string mFile;
    void* mConfig = nullptr;  // fontconfig's, kept for the fallback lookups
    void* mLibrary = nullptr;
    FT_FaceRec_* mFace = nullptr;
    double mCapHeight = 0.7;
    double mDescent = 0.22;
    double mMissingAdvance = 0.42;
    std::vector<Glyph> mGlyphs;  // by code point
    mutable std::mutex mFallbackMutex;
    mutable std::vector<Fallback> mFallbacks;  // face k + 1 is mFallbacks[k]
    mutable std::unordered_map<char32_t, Glyph> mFallbackGlyphs;
};

// One line of text decoded for drawing: code points, their glyphs and the
// start of each glyph along the baseline in em units (no kerning: the
// advances alone place the glyphs, in every format).
struct AcGiGlyphRun {
    std::u32string codePoints;
    std::vector<std::uint32_t> glyphs;
    std::vector<std::uint8_t> faces;  // the face of each glyph (AcGiFont::faceOf)
    std::vector<double> offsets;  // em units from the line start
    double advance = 0.0;         // em units, the whole line
};

namespace AcGiTextLayout {
// Decodes UTF-8 (invalid bytes become U+FFFD) and places the glyphs.
AcGiGlyphRun glyphRun(std::string_view utf8, const AcGiFont& font = AcGiFont::plotFont());
// The code points of UTF-8 text; invalid bytes become U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
// Appends one code point to out as UTF-8.
void appendUtf8(std::string& out, unsigned long codePoint);
}  // namespace AcGiTextLayout
