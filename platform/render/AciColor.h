// RGB values of the indexed drawing colours (1-255).
#pragma once

#include <cstdint>

// 0xRRGGBB of a colour index; 7 (white/black) is black, as drawn on a white
// background. Indexes outside 1-255 give black.
std::uint32_t aciToRgb(int colorIndex);
