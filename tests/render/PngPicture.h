// A PNG read back through Cairo, for tests that look at plotted pixels.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>

// A decoded PNG; pixel() is 0xRRGGBB.
class Picture {
public:
    explicit Picture(const std::filesystem::path& png) : mSurface(cairo_image_surface_create_from_png(png.c_str())) {}
    ~Picture() { cairo_surface_destroy(mSurface); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    bool valid() const { return cairo_surface_status(mSurface) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(mSurface); }
    int height() const { return cairo_image_surface_get_height(mSurface); }
    std::uint32_t pixel(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(mSurface) + y * cairo_image_surface_get_stride(mSurface);
        return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
    }
    // Pixels in a row or column that differ from the background.
    int inkInRow(int y, std::uint32_t background) const {
        int n = 0;
        for (int x = 0; x < width(); ++x) n += pixel(x, y) != background;
        return n;
    }
    int inkInColumn(int x, std::uint32_t background) const {
        int n = 0;
        for (int y = 0; y < height(); ++y) n += pixel(x, y) != background;
        return n;
    }

private:
    cairo_surface_t* mSurface;
};
