#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glimmer::formats {

// An animation's title: one line of at most 12 characters, stored in the raw and the
// compiled file alike as Windows-1252 bytes.

inline constexpr std::size_t kTitleLength = 12;

// True when `windows1252` can be a title that Save writes and Load reads back the same:
// no byte below 0x20. A title is one line, so line breaks, tabs and the other control
// characters of that range are refused. Every other byte is a character of Windows-1252,
// 0x7F and the five bytes it leaves unassigned included: other 8-bit code pages use them for
// letters, and a title made with one of those must load again.
bool isStorableTitle(std::string_view windows1252);

// A title made from a name (a picture's file name without its extension, UTF-8): the
// characters of `utf8` that a title can store, in order, without double quotes (a raw file
// could not always hold one beside a comma), at most kTitleLength of them, without spaces at
// either end. UTF-8. Empty when nothing is left.
std::string titleFromName(std::string_view utf8);

} // namespace glimmer::formats
