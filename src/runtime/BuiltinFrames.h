#pragma once

#include <QIcon>
#include <array>
#include <vector>

namespace glimmer {

/// One built-in animation: its option caption, the resource folder of its frames
/// and how many frames it has.
struct BuiltinSet {
    const char* name;
    const char* folder; ///< two-letter name: LL, FT, EY, TV, CW, SW
    int frameCount;
};

/// The six built-in animations, indexed by animation number - 1.
inline constexpr std::array<BuiltinSet, 6> kBuiltinSets{{
    {"Lava Lamp", "LL", 23},
    {"Aquarium", "FT", 42},
    {"Busy Eyes", "EY", 22},
    {"Fuzzy T.V", "TV", 5},
    {"Cow", "CW", 10},
    {"Colour Wheel", "SW", 8},
}};

/// Decodes the frames of one built-in set from the program's resources, in playing
/// order, each ready for the tray. A frame that cannot be decoded is an empty icon.
std::vector<QIcon> loadBuiltinFrames(const BuiltinSet& set);

} // namespace glimmer
