// Loading the plot font and reading its advances once into a table by code
// point; decoding UTF-8 into glyph runs.
#include "graphics/AcGiFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

namespace {
constexpr const char* kFamily = "DejaVu Sans";
// Code points beyond this are looked up as missing (the font has none).
constexpr char32_t kMaxCodePoint = 0x30000;
// Bounds on the fallback lookups (text of every script at once stays well inside).
constexpr std::size_t kMaxFallbackFaces = 16;
constexpr std::size_t kMaxFallbackGlyphs = 65536;

// The font file (and face in it) fontconfig picks as sans-serif for a
// character; empty when no installed font has it.
std::pair<std::string, int> findFallbackFile(FcConfig* config, char32_t codePoint) {
    std::pair<std::string, int> found{std::string(), 0};
    if (!config) return found;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcCharSet* chars = FcCharSetCreate();
    if (pattern && chars && FcCharSetAddChar(chars, codePoint)) {
        FcPatternAddCharSet(pattern, FC_CHARSET, chars);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
            FcChar8* path = nullptr;
            FcCharSet* has = nullptr;
            int index = 0;
            // The best match may still lack the character: then there is none.
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path &&
                FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, codePoint)) {
                FcPatternGetInteger(match, FC_INDEX, 0, &index);
                found = {reinterpret_cast<const char*>(path), index};
            }
            FcPatternDestroy(match);
        }
    }
    if (chars) FcCharSetDestroy(chars);
    if (pattern) FcPatternDestroy(pattern);
    return found;
}

// The file fontconfig picks for the family; empty when there is none.
std::string findFontFile(FcConfig* config) {
    if (!config) return {};
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFamily));
    if (pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
            FcChar8* path = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
                file = reinterpret_cast<const char*>(path);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    return file;
}
}  // namespace

const AcGiFont& AcGiFont::plotFont() {
    static const AcGiFont font;
    return font;
}

AcGiFont::AcGiFont() {
    mConfig = FcInitLoadConfigAndFonts();
    const std::string file = findFontFile(static_cast<FcConfig*>(mConfig));
    if (file.empty()) return;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0 || face->units_per_EM == 0) {
        if (face) FT_Done_Face(face);
        FT_Done_FreeType(library);
        return;
    }
    mLibrary = library;
    mFace = face;
    mFile = file;
    const double em = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version >= 2 && os2->sCapHeight > 0) {
        mCapHeight = os2->sCapHeight / em;
    } else if (FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE) == 0 && face->glyph->metrics.height > 0) {
        mCapHeight = face->glyph->metrics.height / em;
    }
    if (face->descender < 0) mDescent = -face->descender / em;
    FT_Fixed units = 0;
    if (FT_Get_Advance(face, 0, FT_LOAD_NO_SCALE, &units) == 0) mMissingAdvance = units / em;
    FT_UInt index = 0;
    for (FT_ULong code = FT_Get_First_Char(face, &index); index != 0; code = FT_Get_Next_Char(face, code, &index)) {
        if (code >= kMaxCodePoint) continue;
        if (code >= mGlyphs.size()) mGlyphs.resize(code + 1);
        if (FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &units) != 0) continue;
        mGlyphs[code] = Glyph{index, static_cast<float>(units / em)};
    }
}

AcGiFont::~AcGiFont() {
    for (const Fallback& f : mFallbacks) FT_Done_Face(f.face);
    if (mFace) FT_Done_Face(mFace);
    if (mLibrary) FT_Done_FreeType(static_cast<FT_Library>(mLibrary));
    if (mConfig) FcConfigDestroy(static_cast<FcConfig*>(mConfig));
}

double AcGiFont::advance(char32_t codePoint) const {
    if (mFile.empty()) return 0.6 * mCapHeight;
    if (codePoint < mGlyphs.size() && mGlyphs[codePoint].advance >= 0.0f) return mGlyphs[codePoint].advance;
    const Glyph& g = fallbackGlyph(codePoint);
    return g.advance >= 0.0f ? g.advance : mMissingAdvance;
}

std::uint32_t AcGiFont::glyphIndex(char32_t codePoint) const {
    if (codePoint < mGlyphs.size() && mGlyphs[codePoint].advance >= 0.0f) return mGlyphs[codePoint].index;
    if (mFile.empty()) return 0;
    const Glyph& g = fallbackGlyph(codePoint);
    return g.advance >= 0.0f ? g.index : 0;
}

std::uint8_t AcGiFont::faceOf(char32_t codePoint) const {
    if (mFile.empty() || (codePoint < mGlyphs.size() && mGlyphs[codePoint].advance >= 0.0f)) return 0;
    const Glyph& g = fallbackGlyph(codePoint);
    return g.advance >= 0.0f ? g.face : 0;
}

FT_FaceRec_* AcGiFont::face(std::uint8_t index) const {
    if (index == 0) return mFace;
    std::lock_guard<std::mutex> lock(mFallbackMutex);
    return index <= mFallbacks.size() ? mFallbacks[index - 1].face : nullptr;
}

std::string AcGiFont::family(std::uint8_t index) const {
    if (index == 0) return kFamily;
    const FT_Face f = face(index);
    return f && f->family_name ? f->family_name : "";
}

// Characters outside the plot font: fontconfig's best sans-serif font with
// the character (a face already open is used again), its glyph and advance
// at the plot font's em, so both fonts share one size.
const AcGiFont::Glyph& AcGiFont::fallbackGlyph(char32_t codePoint) const {
    std::lock_guard<std::mutex> lock(mFallbackMutex);
    const auto known = mFallbackGlyphs.find(codePoint);
    if (known != mFallbackGlyphs.end()) return known->second;
    Glyph& glyph = mFallbackGlyphs[codePoint];
    if (!mLibrary || codePoint >= kMaxCodePoint || mFallbackGlyphs.size() > kMaxFallbackGlyphs) return glyph;
    const auto [file, index] = findFallbackFile(static_cast<FcConfig*>(mConfig), codePoint);
    if (file.empty() || file == mFile) return glyph;
    std::size_t k = 0;
    while (k < mFallbacks.size() && (mFallbacks[k].file != file || mFallbacks[k].index != index)) ++k;
    if (k == mFallbacks.size()) {
        if (mFallbacks.size() >= kMaxFallbackFaces) return glyph;
        FT_Face face = nullptr;
        if (FT_New_Face(static_cast<FT_Library>(mLibrary), file.c_str(), index, &face) != 0 || face->units_per_EM == 0) {
            if (face) FT_Done_Face(face);
            return glyph;
        }
        mFallbacks.push_back({file, index, face});
    }
    FT_Face face = mFallbacks[k].face;
    const FT_UInt glyphIndex = FT_Get_Char_Index(face, codePoint);
    FT_Fixed units = 0;
    if (glyphIndex == 0 || FT_Get_Advance(face, glyphIndex, FT_LOAD_NO_SCALE, &units) != 0) return glyph;
    glyph = Glyph{glyphIndex, static_cast<float>(static_cast<double>(units) / face->units_per_EM),
                  static_cast<std::uint8_t>(k + 1)};
    return glyph;
}

namespace AcGiTextLayout {

std::u32string decodeUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        char32_t cp = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < s.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are invalid.
        static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (!ok) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += cp;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

AcGiGlyphRun glyphRun(std::string_view utf8, const AcGiFont& font) {
    AcGiGlyphRun run;
    run.codePoints = decodeUtf8(utf8);
    run.glyphs.reserve(run.codePoints.size());
    run.faces.reserve(run.codePoints.size());
    run.offsets.reserve(run.codePoints.size());
    for (const char32_t cp : run.codePoints) {
        run.glyphs.push_back(font.glyphIndex(cp));
        run.faces.push_back(font.faceOf(cp));
        run.offsets.push_back(run.advance);
        run.advance += font.advance(cp);
    }
    return run;
}

}  // namespace AcGiTextLayout
