#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace glimmer::formats {

// Returns `text` without the spaces (0x20 only) at its right end; tabs and
// other bytes are kept.
std::string_view trimRight(std::string_view text);

// Converts a numeric field of an animation file to a 16-bit signed integer.
//
// Spaces on the right are dropped first. What remains must then be, in this
// order:
//   - any number of spaces (a hand-edited " 5" still reads),
//   - an optional sign, '+' or '-',
//   - one or more ASCII digits '0'-'9' (leading zeros allowed),
// and nothing else, with a value in -32768..32767.
// Returns nullopt for anything else: empty or all-space text, letters,
// a sign without digits, blanks between the sign and the digits, tabs,
// decimal points, hexadecimal, or a value outside the 16-bit range (99999).
std::optional<std::int16_t> parseInt16(std::string_view text);

} // namespace glimmer::formats
