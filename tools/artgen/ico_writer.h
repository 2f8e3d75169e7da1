#pragma once

#include <cstdint>
#include <vector>

namespace glimmer::artgen {

class Canvas;

// The canvas as a one-image 16-colour .ico file written by formats::encodeIcon: Clear pixels
// get colour 0 and a set mask bit, so the panel shows through. A 16x16 canvas gives 318 bytes,
// a 32x32 one 766 bytes.
std::vector<std::uint8_t> encodeIco(const Canvas& canvas);

} // namespace glimmer::artgen
