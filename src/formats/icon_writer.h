#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace glimmer::formats {

// The 16 standard colours as 0xRRGGBB, by palette index: black, maroon, green, olive, navy,
// purple, teal, silver, grey, red, lime, yellow, blue, magenta, cyan, white. Every icon the
// program writes carries this palette in this order.
inline constexpr std::array<std::uint32_t, 16> kStandardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// A pixel that the icon's mask leaves transparent, so the panel shows through.
inline constexpr std::uint8_t kClearPixel = 0xFF;

// The largest width or height a one-image icon can state in its directory entry.
inline constexpr int kMaxIconSide = 256;

// Returns a one-image 16-colour .ico file for a width x height picture of palette indexes,
// `pixels` row by row from the top, each 0..15 or kClearPixel: icon directory, one
// directory entry, BITMAPINFOHEADER (height doubled), kStandardPalette, the 4-bit colour
// rows bottom-up and the 1-bit AND mask rows bottom-up, every row padded to four bytes. A
// clear pixel has colour 0 and a set mask bit. 16x16 gives 318 bytes, 32x32 766 bytes.
// Returns an empty string when a side is outside 1..kMaxIconSide, `pixels` does not hold
// exactly width * height entries, or an entry is neither a palette index nor kClearPixel.
std::string encodeIcon(int width, int height, std::span<const std::uint8_t> pixels);

} // namespace glimmer::formats
