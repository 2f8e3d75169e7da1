#pragma once

#include <compare>
#include <string_view>

namespace glimmer::formats {

// Orders names as people number them: "Walk 2" before "Walk 10". Names are UTF-8 (or any
// bytes) and are compared byte by byte, ASCII letters without regard to case, except that a
// run of ASCII digits is compared with the run at the same place in the other name by its
// value, however long (leading zeros do not count). Other bytes compare by their unsigned
// value, so a digit comes before a letter and a shorter name before a longer one it begins.
// Names equal by these rules ("a01" and "A1") are ordered by their plain bytes, so that the
// order is total and a sort gives the same result every time.
std::strong_ordering compareNatural(std::string_view a, std::string_view b);

// compareNatural as a less-than for std::sort and ordered containers.
struct NaturalLess {
    bool operator()(std::string_view a, std::string_view b) const
    {
        return compareNatural(a, b) < 0;
    }
};

} // namespace glimmer::formats
