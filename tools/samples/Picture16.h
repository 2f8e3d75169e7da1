#pragma once

#include "formats/icon_writer.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace glimmer::samples {

// A 16x16 picture in the 16 colours of the classic Windows palette, with clear pixels
// that let the panel show through. Colours are written as letters (see fromRows):
//   k black    m maroon   g green  o olive   n navy  p purple   t teal   s silver
//   d grey     r red      l lime   y yellow  b blue  f fuchsia  a aqua   w white
//   . clear
class Picture16 final {
public:
    static constexpr int kSide = 16;
    static constexpr int kClear = -1;

    /// An all-clear picture.
    Picture16();

    /// A picture from 16 rows of 16 colour letters, top row first. A row that is
    /// shorter is clear on the right; an unknown letter is clear.
    static Picture16 fromRows(const std::array<std::string_view, kSide>& rows);

    /// The palette index 0..15 at (x, y), or kClear; kClear outside the picture.
    int at(int x, int y) const;

    /// Sets (x, y) to a palette index or kClear; a point outside is ignored.
    void set(int x, int y, int colour);

    /// Sets (x, y) to the colour of `letter` (see the key above).
    void set(int x, int y, char letter) { set(x, y, colourOf(letter)); }

    /// Copies the non-clear pixels of `sprite`, moved by (dx, dy); pixels that land
    /// outside are dropped.
    void stamp(const Picture16& sprite, int dx, int dy);

    /// The palette index of a colour letter, kClear for '.' and unknown letters.
    static int colourOf(char letter);

    bool operator==(const Picture16&) const = default;

private:
    std::array<std::int8_t, kSide * kSide> pixels_{};
};

/// The classic Windows 16-colour palette as 0xRRGGBB, in index order.
inline constexpr const auto& kPalette = formats::kStandardPalette;

/// The picture as a one-image 16x16 4-bit .ico file of 318 bytes, written by
/// formats::encodeIcon. Clear pixels have colour 0 and a set mask bit.
std::string encodeIco(const Picture16& picture);

} // namespace glimmer::samples
