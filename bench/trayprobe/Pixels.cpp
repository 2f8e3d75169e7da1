#include "Pixels.h"

#include <cstring>

namespace glimmer::bench {

bool showsAPicture(const std::uint8_t* data, std::size_t bytes)
{
    // The colour bytes only: the fourth byte of a 24-bit visual's pixel is padding
    // and may hold anything.
    for (std::size_t at = 4; at + 4 <= bytes; at += 4) {
        if (std::memcmp(data + at, data, 3) != 0)
            return true;
    }
    return false;
}

} // namespace glimmer::bench
