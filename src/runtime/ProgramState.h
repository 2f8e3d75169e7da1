#pragma once

#include "formats/compiled_file.h"

#include <QString>
#include <array>
#include <cstdint>

namespace glimmer {

/// Animation numbers: 1..6 the built-in sets, 7 the custom animation; any other
/// number plays nothing.
namespace Animation {
inline constexpr std::int16_t LavaLamp = 1;
inline constexpr std::int16_t Aquarium = 2;
inline constexpr std::int16_t BusyEyes = 3;
inline constexpr std::int16_t FuzzyTV = 4;
inline constexpr std::int16_t Cow = 5;
inline constexpr std::int16_t ColourWheel = 6;
inline constexpr std::int16_t Custom = 7;
} // namespace Animation

/// The program-wide variables. One instance lives in the program context for the
/// whole run; everything starts at zero or empty.
struct ProgramState {
    std::int16_t CurrentFrame = 0;     ///< frame the player showed last (player only)
    std::int16_t CurrentAnimation = 0; ///< the selected animation number
    std::int16_t CustomFrameCount = 0; ///< frames of the loaded compiled animation
    QString CustomTitle;               ///< its title, trailing spaces removed
    std::int16_t CustomSpeed = 0;      ///< its default speed step (1..10)
};

/// Where the settings live: application "Glimmerbox", section "Startup".
namespace Setting {
inline const QString Application = QStringLiteral("Glimmerbox");
inline const QString Section = QStringLiteral("Startup");
inline const QString Previous = QStringLiteral("Previous");
inline const QString Speed = QStringLiteral("Speed");
inline const QString Custom = QStringLiteral("Custom");
/// "cpu": the animation's pace follows the processor load; anything else: it does not.
inline const QString Pace = QStringLiteral("Pace");
inline const QString PaceFollowsLoad = QStringLiteral("cpu");
/// What "Okay" writes when the option, once used, is off.
inline const QString PaceOff = QStringLiteral("off");
} // namespace Setting

} // namespace glimmer
