// PNG and PDF through Cairo: paths are built in drawing units under the view
// transform and stroked in pixels; text is the plot font's glyphs at the
// positions the text layout measured.
#include "render/PlotSurface.h"

#include "graphics/AcGiFont.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Points per pixel (a pixel is 1/96 inch).
constexpr double kPointsPerPixel = 72.0 / 96.0;

cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length ? CAIRO_STATUS_SUCCESS
                                                                                     : CAIRO_STATUS_WRITE_ERROR;
}

class CairoSurface : public PlotSurface {
public:
    explicit CairoSurface(bool pdf) : mPdf(pdf) {}
    ~CairoSurface() override { release(); }

    bool begin(std::FILE* out, const PlotView& view, std::string& error) override {
        mOut = out;
        mView = view;
        if (mPdf) {
            mSurface = cairo_pdf_surface_create_for_stream(writeToFile, out, view.pixelWidth * kPointsPerPixel,
                                                           view.pixelHeight * kPointsPerPixel);
        } else {
            mSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, view.pixelWidth, view.pixelHeight);
        }
        if (cairo_surface_status(mSurface) != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(cairo_surface_status(mSurface));
            return false;
        }
        mCr = cairo_create(mSurface);
        cairo_matrix_init_identity(&mPage);
        if (mPdf) cairo_matrix_init_scale(&mPage, kPointsPerPixel, kPointsPerPixel);
        // Drawing units to pixels, y flipped.
        cairo_matrix_t toPixels;
        cairo_matrix_init(&toPixels, view.scale, 0, 0, -view.scale, -view.minX * view.scale, view.maxY * view.scale);
        cairo_matrix_multiply(&mView2Page, &toPixels, &mPage);
        cairo_set_matrix(mCr, &mPage);
        setColor(view.background);
        cairo_paint(mCr);
        cairo_set_line_cap(mCr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(mCr, CAIRO_LINE_JOIN_ROUND);
        const AcGiFont& font = AcGiFont::plotFont();
        if (font.face()) {
            mFontFace = cairo_ft_font_face_create_for_ft_face(font.face(), 0);
            cairo_set_font_face(mCr, mFontFace);
        } else {
            cairo_select_font_face(mCr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        }
        // Glyph outlines and advances exactly as the font has them.
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(mCr, options);
        cairo_font_options_destroy(options);
        return status(error);
    }

    void stroke(const AcGePoint2d* points, std::size_t count, bool closed, const PlotPen& pen) override {
        cairo_set_matrix(mCr, &mView2Page);
        cairo_new_path(mCr);
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y)) continue;
            cairo_line_to(mCr, points[i].x, points[i].y);
        }
        if (closed) cairo_close_path(mCr);
        strokeWith(pen);
    }

    void fill(const AcGePoint2d* points, std::size_t count, const PlotPen& pen) override {
        cairo_set_matrix(mCr, &mView2Page);
        cairo_new_path(mCr);
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y)) continue;
            cairo_line_to(mCr, points[i].x, points[i].y);
        }
        cairo_close_path(mCr);
        setColor(pen.rgb);
        cairo_set_fill_rule(mCr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(mCr);
    }

    void arc(const AcGePoint2d& c, double r, double a0, double a1, const PlotPen& pen) override {
        cairo_set_matrix(mCr, &mView2Page);
        cairo_new_path(mCr);
        cairo_arc(mCr, c.x, c.y, r, a0, a1);
        strokeWith(pen);
    }

    void text(const PlotText& t, const PlotPen& pen) override {
        const double s = mView.scale;
        if (!(t.em * s > 1e-3) || !(t.em * s < 1e5)) return;
        // Text space (x along the direction, y down) to pixels.
        const double dx = t.direction.x, dy = t.direction.y, wf = t.widthFactor, slant = std::tan(t.oblique);
        cairo_matrix_t textToDrawing, textToPage;
        cairo_matrix_init(&textToDrawing, dx * wf, dy * wf, dy - dx * slant, -dy * slant - dx, t.origin.x,
                          t.origin.y);
        cairo_matrix_multiply(&textToPage, &textToDrawing, &mView2Page);
        if (!invertible(textToPage)) return;
        cairo_set_matrix(mCr, &textToPage);
        cairo_set_font_size(mCr, t.em);
        setColor(pen.rgb);
        if (!mFontFace) {
            // No font file: each character through the toy font.
            char utf8[8];
            for (std::size_t i = 0; i < t.run.codePoints.size(); ++i) {
                encode(t.run.codePoints[i], utf8);
                cairo_move_to(mCr, t.run.offsets[i] * t.em, 0);
                cairo_show_text(mCr, utf8);
            }
            return;
        }
        // Each stretch of glyphs from one face (the plot font or a fallback).
        const std::size_t n = t.run.glyphs.size();
        for (std::size_t from = 0, to = 0; from < n; from = to) {
            const std::uint8_t face = from < t.run.faces.size() ? t.run.faces[from] : 0;
            while (to < n && (to < t.run.faces.size() ? t.run.faces[to] : 0) == face) ++to;
            cairo_font_face_t* cairoFace = fontFace(face);
            if (!cairoFace) continue;
            cairo_set_font_face(mCr, cairoFace);
            cairo_set_font_size(mCr, t.em);
            showGlyphs(t, from, to);
        }
    }

    bool end(std::string& error) override {
        if (!status(error)) return false;
        if (mPdf) {
            cairo_destroy(mCr);
            mCr = nullptr;
            cairo_surface_finish(mSurface);
        } else {
            cairo_surface_flush(mSurface);
            if (cairo_surface_write_to_png_stream(mSurface, writeToFile, mOut) != CAIRO_STATUS_SUCCESS) {
                error = std::strerror(errno ? errno : EIO);
                return false;
            }
        }
        if (cairo_surface_status(mSurface) != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(cairo_surface_status(mSurface));
            return false;
        }
        release();
        return true;
    }

private:
    static bool invertible(const cairo_matrix_t& m) {
        const double det = m.xx * m.yy - m.xy * m.yx;
        return std::isfinite(det) && std::fabs(det) > 1e-12 && std::isfinite(m.x0) && std::isfinite(m.y0);
    }

    static int encode(char32_t c, char* out) {
        int n = 0;
        if (c < 0x80) {
            out[n++] = static_cast<char>(c);
        } else if (c < 0x800) {
            out[n++] = static_cast<char>(0xC0 | (c >> 6));
            out[n++] = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out[n++] = static_cast<char>(0xE0 | (c >> 12));
            out[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out[n++] = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out[n++] = static_cast<char>(0xF0 | (c >> 18));
            out[n++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out[n++] = static_cast<char>(0x80 | (c & 0x3F));
        }
        out[n] = '\0';
        return n;
    }

    void setColor(std::uint32_t rgb) {
        cairo_set_source_rgb(mCr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    }

    // Strokes the current path with the pen's width in pixels and its
    // dashes, which are drawing units, scaled to pixels.
    void strokeWith(const PlotPen& pen) {
        cairo_set_matrix(mCr, &mPage);
        cairo_set_line_width(mCr, PlotView::lineWidthPixels(pen));
        if (mView.showsDashes(pen)) {
            mDashes.resize(pen.dashes.size());
            for (std::size_t i = 0; i < mDashes.size(); ++i) mDashes[i] = pen.dashes[i] * mView.scale;
            cairo_set_dash(mCr, mDashes.data(), static_cast<int>(mDashes.size()), 0.0);
        } else {
            cairo_set_dash(mCr, nullptr, 0, 0.0);
        }
        setColor(pen.rgb);
        cairo_stroke(mCr);
    }

    bool status(std::string& error) const {
        if (mCr && cairo_status(mCr) != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(cairo_status(mCr));
            return false;
        }
        return true;
    }

    // The glyphs from..to of a text, one cluster per character so the text
    // stays searchable in the PDF.
    void showGlyphs(const PlotText& t, std::size_t from, std::size_t to) {
        mGlyphs.resize(to - from);
        for (std::size_t i = from; i < to; ++i)
            mGlyphs[i - from] = cairo_glyph_t{t.run.glyphs[i], t.run.offsets[i] * t.em, 0.0};
        mUtf8.clear();
        mClusters.clear();
        char utf8[8];
        for (std::size_t i = from; i < to; ++i) {
            const int bytes = encode(t.run.codePoints[i], utf8);
            mUtf8.append(utf8, static_cast<std::size_t>(bytes));
            mClusters.push_back(cairo_text_cluster_t{bytes, 1});
        }
        cairo_show_text_glyphs(mCr, mUtf8.data(), static_cast<int>(mUtf8.size()), mGlyphs.data(),
                               static_cast<int>(mGlyphs.size()), mClusters.data(), static_cast<int>(mClusters.size()),
                               cairo_text_cluster_flags_t(0));
    }

    // Cairo's face for a plot font face, made on first use.
    cairo_font_face_t* fontFace(std::uint8_t index) {
        if (index == 0) return mFontFace;
        if (index >= mFallbackFaces.size()) mFallbackFaces.resize(index + 1, nullptr);
        if (!mFallbackFaces[index])
            if (FT_FaceRec_* face = AcGiFont::plotFont().face(index))
                mFallbackFaces[index] = cairo_ft_font_face_create_for_ft_face(face, 0);
        return mFallbackFaces[index];
    }

    void release() {
        for (cairo_font_face_t* face : mFallbackFaces)
            if (face) cairo_font_face_destroy(face);
        mFallbackFaces.clear();
        if (mCr) cairo_destroy(mCr);
        if (mSurface) cairo_surface_destroy(mSurface);
        if (mFontFace) cairo_font_face_destroy(mFontFace);
        mCr = nullptr;
        mSurface = nullptr;
        mFontFace = nullptr;
    }

    bool mPdf;
    std::FILE* mOut = nullptr;
    PlotView mView;
    cairo_surface_t* mSurface = nullptr;
    cairo_t* mCr = nullptr;
    cairo_font_face_t* mFontFace = nullptr;
    std::vector<cairo_font_face_t*> mFallbackFaces;  // by face index, made when needed
    cairo_matrix_t mPage{};
    cairo_matrix_t mView2Page{};
    std::vector<cairo_glyph_t> mGlyphs;
    std::vector<cairo_text_cluster_t> mClusters;
    std::vector<double> mDashes;
    std::string mUtf8;
};

}  // namespace

std::unique_ptr<PlotSurface> makePngSurface() { return std::make_unique<CairoSurface>(false); }
std::unique_ptr<PlotSurface> makePdfSurface() { return std::make_unique<CairoSurface>(true); }
