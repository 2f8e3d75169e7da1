#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace glimmer::formats {

// An animation's speed as the files and the windows give it: a step from 1 (slowest)
// to 10 (fastest), each standing for a timer interval in milliseconds. The same
// table serves both ways; an interval outside it has no step.
inline constexpr int kSlowestStep = 1;
inline constexpr int kFastestStep = 10;
inline constexpr std::array<int, 10> kSpeedStepIntervals{600, 500, 400, 300, 250,
                                                         200, 150, 100, 50,  10};
// The step of an animation whose pace is unknown: 250 ms.
inline constexpr int kDefaultSpeedStep = 5;

// The interval in milliseconds of `step`; nothing outside 1..10.
constexpr std::optional<int> intervalForStep(int step)
{
    if (step < kSlowestStep || step > kFastestStep)
        return std::nullopt;
    return kSpeedStepIntervals[static_cast<std::size_t>(step - kSlowestStep)];
}

// The step of `interval` in milliseconds; nothing for an interval outside the table.
constexpr std::optional<int> stepForInterval(int interval)
{
    for (std::size_t i = 0; i < kSpeedStepIntervals.size(); ++i) {
        if (kSpeedStepIntervals[i] == interval)
            return static_cast<int>(i) + kSlowestStep;
    }
    return std::nullopt;
}

} // namespace glimmer::formats
