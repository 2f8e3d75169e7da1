#pragma once

#include <array>
#include <optional>

namespace glimmer {

/// The speed bar's ten positions and the timer intervals they stand for: position 1
/// (left, slowest) is 600 ms, position 10 (right, fastest) is 10 ms. The same table
/// serves both ways; an interval outside it has no position.
inline constexpr int kSlowestPosition = 1;
inline constexpr int kFastestPosition = 10;
inline constexpr std::array<int, 10> kSpeedIntervals{600, 500, 400, 300, 250,
                                                     200, 150, 100, 50,  10};

/// The interval in milliseconds of `position`; nothing outside 1..10.
constexpr std::optional<int> intervalForPosition(int position)
{
    if (position < kSlowestPosition || position > kFastestPosition)
        return std::nullopt;
    return kSpeedIntervals[static_cast<std::size_t>(position - kSlowestPosition)];
}

/// The position of `interval` in milliseconds; nothing for an interval outside the table.
constexpr std::optional<int> positionForInterval(int interval)
{
    for (std::size_t i = 0; i < kSpeedIntervals.size(); ++i) {
        if (kSpeedIntervals[i] == interval)
            return static_cast<int>(i) + kSlowestPosition;
    }
    return std::nullopt;
}

} // namespace glimmer
