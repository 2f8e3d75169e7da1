#pragma once

#include <cstdint>
#include <vector>

namespace glimmer::artgen {

class Canvas;

// Encodes a 16x16 or 32x32 canvas as a one-image 16-colour .ico file: icon directory, one
// directory entry, BITMAPINFOHEADER (height doubled), the 16-entry palette, the 4-bit colour
// rows bottom-up and the 1-bit AND mask rows bottom-up, every row padded to four bytes. Clear
// pixels get colour 0 and a set mask bit, so the panel shows through. A 16x16 picture gives
// 318 bytes, a 32x32 one 766 bytes.
std::vector<std::uint8_t> encodeIco(const Canvas& canvas);

} // namespace glimmer::artgen
