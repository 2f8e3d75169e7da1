#pragma once

#include "formats/icon_writer.h"

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
inline constexpr const auto& paletteRgb = formats::kStandardPalette;

} // namespace glimmer::artgen
