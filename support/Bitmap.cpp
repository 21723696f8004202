#include "support/Bitmap.h"

#include <bit>
#include <cstdint>

namespace pdt::support
{
namespace
{

// Resource bitmaps are small; this bounds what a damaged header can make us allocate.
constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxPixels = 16 * 1024 * 1024;

constexpr uint32_t BI_RGB = 0, BI_BITFIELDS = 3;

uint32_t U16(std::string_view b, size_t at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t U32(std::string_view b, size_t at)
{
    return U16(b, at) | U16(b, at + 2) << 16;
}

// Scales the bits of `mask` in `value` to 0..255.
BYTE Channel(uint32_t value, uint32_t mask)
{
    if (!mask)
        return 0;
    int shift = std::countr_zero(mask);
    uint64_t max = mask >> shift;
    return BYTE(uint64_t((value & mask) >> shift) * 255 / max);
}

} // namespace

bool DecodeBmp(std::string_view b, DecodedBitmap& out)
{
    out = DecodedBitmap();
    if (b.size() < 14 + 12 || b[0] != 'B' || b[1] != 'M')
        return false;
    uint32_t offBits = U32(b, 10);
    uint32_t headerSize = U32(b, 14);
    bool core = headerSize == 12;
    if (!core && (headerSize < 40 || 14 + size_t(headerSize) > b.size()))
        return false;

    int64_t width, height;
    uint32_t bitCount, compression = BI_RGB, colorsUsed = 0;
    if (core)
    {
        width = U16(b, 18);
        height = U16(b, 20);
        bitCount = U16(b, 24);
    }
    else
    {
        width = int32_t(U32(b, 18));
        height = int32_t(U32(b, 22));
        bitCount = U16(b, 28);
        compression = U32(b, 30);
        colorsUsed = U32(b, 46);
    }
    bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        return false;

    // Channel masks: 5-5-5 and 8-8-8 by default, from the header or after it for BI_BITFIELDS.
    uint32_t rMask = 0, gMask = 0, bMask = 0;
    switch (bitCount)
    {
    case 1:
    case 4:
    case 8:
    case 24:
        if (compression != BI_RGB)
            return false;
        break;
    case 16:
    case 32:
        if (compression == BI_RGB)
        {
            if (bitCount == 16)
                rMask = 0x7C00, gMask = 0x03E0, bMask = 0x001F;
            else
                rMask = 0xFF0000, gMask = 0x00FF00, bMask = 0x0000FF;
        }
        else if (compression == BI_BITFIELDS && !core)
        {
            size_t at = 14 + 40;
            if (at + 12 > b.size())
                return false;
            rMask = U32(b, at), gMask = U32(b, at + 4), bMask = U32(b, at + 8);
        }
        else
            return false;
        break;
    default:
        return false;
    }

    // The colour table follows the header (and the masks of an info header with BI_BITFIELDS).
    std::vector<COLORREF> palette;
    if (bitCount <= 8)
    {
        uint32_t maxColours = 1u << bitCount;
        uint32_t count = colorsUsed == 0 || colorsUsed > maxColours ? maxColours : colorsUsed;
        size_t entry = core ? 3 : 4;
        size_t at = 14 + size_t(headerSize);
        if (at + count * entry > b.size())
            return false;
        for (uint32_t i = 0; i < count; ++i)
        {
            size_t e = at + i * entry;
            palette.push_back(RGB(uint8_t(b[e + 2]), uint8_t(b[e + 1]), uint8_t(b[e])));
        }
    }

    size_t stride = size_t(((width * bitCount + 31) / 32) * 4);
    if (offBits < 14 + headerSize || offBits > b.size() || (b.size() - offBits) / stride < size_t(height))
        return false;

    out.width = int(width);
    out.height = int(height);
    out.pixels.resize(size_t(width * height));
    for (int64_t y = 0; y < height; ++y)
    {
        size_t row = offBits + size_t(topDown ? y : height - 1 - y) * stride;
        COLORREF* dst = &out.pixels[size_t(y * width)];
        for (int64_t x = 0; x < width; ++x)
        {
            COLORREF c = 0;
            switch (bitCount)
            {
            case 1:
            case 4:
            case 8: {
                size_t bit = size_t(x) * bitCount;
                uint32_t byte = uint8_t(b[row + bit / 8]);
                uint32_t index = (byte >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                // An index past a short colour table reads as black, as GDI draws it.
                c = index < palette.size() ? palette[index] : RGB(0, 0, 0);
                break;
            }
            case 16: {
                uint32_t v = U16(b, row + size_t(x) * 2);
                c = RGB(Channel(v, rMask), Channel(v, gMask), Channel(v, bMask));
                break;
            }
            case 24: {
                size_t p = row + size_t(x) * 3;
                c = RGB(uint8_t(b[p + 2]), uint8_t(b[p + 1]), uint8_t(b[p]));
                break;
            }
            case 32: {
                uint32_t v = U32(b, row + size_t(x) * 4);
                c = RGB(Channel(v, rMask), Channel(v, gMask), Channel(v, bMask));
                break;
            }
            }
            dst[x] = c;
        }
    }
    return true;
}

} // namespace pdt::support
