// Reads the Windows .bmp files of the resource chain into plain pixels, without the toolkit.
#pragma once

#include <string_view>
#include <vector>

#include "platform/afxtypes.h"

namespace pdt::support
{

struct DecodedBitmap
{
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row by row from the top, width * height entries
    COLORREF At(int x, int y) const
    {
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
};

// Uncompressed bitmaps of 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or top-down, with a core or an
// info header (and BI_BITFIELDS masks for 16 and 32 bits). Anything else, or bytes that end early: false,
// and `out` is left empty.
bool DecodeBmp(std::string_view bytes, DecodedBitmap& out);

} // namespace pdt::support
