#pragma once

#include <cstddef>
#include <cstdint>

namespace glimmer::bench {

/// Whether the 32-bit pixels in `data` (`bytes` long, as the X server sends a
/// window of depth 24 or 32) hold more than one colour. A tray slot that shows no
/// picture shows the tray's background: one colour.
bool showsAPicture(const std::uint8_t* data, std::size_t bytes);

} // namespace glimmer::bench
