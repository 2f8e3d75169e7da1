#include "formats/icon_writer.h"

#include <algorithm>
#include <cstddef>

namespace glimmer::formats {
namespace {

void put16(std::string& out, unsigned v)
{
    out.push_back(static_cast<char>(v & 0xFFu));
    out.push_back(static_cast<char>((v >> 8) & 0xFFu));
}

void put32(std::string& out, unsigned v)
{
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

unsigned paddedRow(unsigned bits)
{
    return (bits + 31u) / 32u * 4u;
}

} // namespace

std::string encodeIcon(int width, int height, std::span<const std::uint8_t> pixels)
{
    if (width < 1 || height < 1 || width > kMaxIconSide || height > kMaxIconSide)
        return {};
    const auto w = static_cast<unsigned>(width);
    const auto h = static_cast<unsigned>(height);
    if (pixels.size() != std::size_t{w} * h)
        return {};
    if (!std::ranges::all_of(pixels, [](std::uint8_t p) { return p < 16 || p == kClearPixel; }))
        return {};

    const unsigned xorRow = paddedRow(w * 4u);
    const unsigned andRow = paddedRow(w);
    const unsigned imageBytes = (xorRow + andRow) * h;
    constexpr unsigned headerBytes = 40;
    constexpr unsigned paletteBytes = 16 * 4;
    constexpr unsigned imageOffset = 6 + 16;

    std::string out;
    out.reserve(imageOffset + headerBytes + paletteBytes + imageBytes);
    // Icon directory: reserved, type 1 (icon), one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // Directory entry; a side of 256 is stated as 0.
    out.push_back(static_cast<char>(w & 0xFFu));
    out.push_back(static_cast<char>(h & 0xFFu));
    out.push_back(16); // colours
    out.push_back(0);  // reserved
    put16(out, 1);     // planes
    put16(out, 4);     // bits per pixel
    put32(out, headerBytes + paletteBytes + imageBytes);
    put32(out, imageOffset);
    // BITMAPINFOHEADER; the height counts the colour bitmap and the mask together.
    put32(out, headerBytes);
    put32(out, w);
    put32(out, h * 2u);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // no compression
    put32(out, imageBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    // Palette as blue, green, red, reserved.
    for (const std::uint32_t rgb : kStandardPalette) {
        out.push_back(static_cast<char>(rgb & 0xFFu));
        out.push_back(static_cast<char>((rgb >> 8) & 0xFFu));
        out.push_back(static_cast<char>((rgb >> 16) & 0xFFu));
        out.push_back(0);
    }
    const auto at = [&](unsigned x, unsigned y) { return pixels[std::size_t{y} * w + x]; };
    // Colour bitmap, bottom row first, two pixels a byte with the left one in the high nibble.
    std::string row;
    for (unsigned y = h; y-- > 0;) {
        row.assign(xorRow, '\0');
        for (unsigned x = 0; x < w; ++x) {
            const unsigned index = at(x, y) == kClearPixel ? 0u : at(x, y);
            row[x / 2u] = static_cast<char>(row[x / 2u] | (x % 2u == 0 ? index << 4 : index));
        }
        out += row;
    }
    // AND mask, bottom row first, most significant bit leftmost; a set bit is transparent.
    for (unsigned y = h; y-- > 0;) {
        row.assign(andRow, '\0');
        for (unsigned x = 0; x < w; ++x)
            if (at(x, y) == kClearPixel)
                row[x / 8u] = static_cast<char>(row[x / 8u] | (0x80u >> (x % 8u)));
        out += row;
    }
    return out;
}

} // namespace glimmer::formats
