#pragma once

#include <QString>
#include <cstdint>

namespace glimmer {

/// "Previous" as stored: a whole number that fits the 16-bit animation number,
/// blanks around it allowed. Anything else is taken as 2 (Aquarium); the stored
/// text is left as it is.
std::int16_t previousAnimationFromSetting(const QString& text);

/// "Speed" as stored: a whole number of milliseconds from 1 up to the timer's
/// limit, blanks around it allowed. Anything else is taken as 500: an interval of 0
/// would spin the processor.
int intervalFromSetting(const QString& text);

inline constexpr std::int16_t kDefaultAnimation = 2;
inline constexpr int kDefaultInterval = 500;

} // namespace glimmer
