#pragma once

#include <array>
#include <cstdint>

namespace glimmer::artgen {

// Indexes into the classic 16-colour Windows palette, in the order icons store it.
enum Colour : std::int8_t {
    Clear = -1, // not a palette entry: a pixel the AND mask leaves transparent
    Black = 0,
    Maroon = 1,
    Green = 2,
    Olive = 3,
    Navy = 4,
    Purple = 5,
    Teal = 6,
    Silver = 7,
    Grey = 8,
    Red = 9,
    Lime = 10,
    Yellow = 11,
    Blue = 12,
    Magenta = 13,
    Cyan = 14,
    White = 15,
};

// 0xRRGGBB of each palette entry, indexed by Colour.
inline constexpr std::array<std::uint32_t, 16> paletteRgb = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

} // namespace glimmer::artgen
