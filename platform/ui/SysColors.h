// Colours of the host's windows: RGB values packed as the host packs them
// and the system colours by index, as a fixed classic scheme (there is no
// screen to take them from).
#pragma once

#include <cstdint>

using COLORREF = uint32_t;

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return COLORREF((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned GetRValue(COLORREF c) { return c & 0xFF; }
constexpr unsigned GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr unsigned GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

// "No colour of its own": the control's default applies.
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

enum : int {
    COLOR_WINDOW = 5,
    COLOR_WINDOWTEXT = 8,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_BTNFACE = 15,
    COLOR_GRAYTEXT = 17,
};

// The system colour of an index (0 to 30); black for other indexes.
COLORREF GetSysColor(int index);
