#include "ico_writer.h"

#include "canvas.h"
#include "palette.h"

namespace glimmer::artgen {
namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFFu));
}

void put32(std::vector<std::uint8_t>& out, unsigned v)
{
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

unsigned paddedRow(unsigned bits)
{
    return (bits + 31u) / 32u * 4u;
}

} // namespace

std::vector<std::uint8_t> encodeIco(const Canvas& canvas)
{
    const auto w = static_cast<unsigned>(canvas.width());
    const auto h = static_cast<unsigned>(canvas.height());
    const unsigned xorRow = paddedRow(w * 4u);
    const unsigned andRow = paddedRow(w);
    const unsigned imageBytes = xorRow * h + andRow * h;
    constexpr unsigned headerBytes = 40;
    constexpr unsigned paletteBytes = 16 * 4;
    constexpr unsigned imageOffset = 6 + 16;

    std::vector<std::uint8_t> out;
    out.reserve(imageOffset + headerBytes + paletteBytes + imageBytes);

    // Icon directory: reserved, type 1 (icon), one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // Directory entry.
    out.push_back(static_cast<std::uint8_t>(w));
    out.push_back(static_cast<std::uint8_t>(h));
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
    for (const std::uint32_t rgb : paletteRgb) {
        out.push_back(static_cast<std::uint8_t>(rgb & 0xFFu));
        out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFFu));
        out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFFu));
        out.push_back(0);
    }
    // Colour bitmap, bottom row first, two pixels a byte with the left one in the high nibble.
    for (unsigned row = 0; row < h; ++row) {
        const int y = static_cast<int>(h - 1u - row);
        std::vector<std::uint8_t> bytes(xorRow, 0);
        for (unsigned x = 0; x < w; ++x) {
            const Colour c = canvas.at(static_cast<int>(x), y);
            const auto index = static_cast<unsigned>(c == Clear ? Black : c);
            bytes[x / 2u] |= static_cast<std::uint8_t>(x % 2u == 0 ? index << 4 : index);
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    // AND mask, bottom row first, most significant bit leftmost; a set bit is transparent.
    for (unsigned row = 0; row < h; ++row) {
        const int y = static_cast<int>(h - 1u - row);
        std::vector<std::uint8_t> bytes(andRow, 0);
        for (unsigned x = 0; x < w; ++x)
            if (canvas.at(static_cast<int>(x), y) == Clear)
                bytes[x / 8u] |= static_cast<std::uint8_t>(0x80u >> (x % 8u));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace glimmer::artgen
