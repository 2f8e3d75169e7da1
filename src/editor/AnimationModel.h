#pragma once

#include "formats/compiled_file.h"

#include <QString>
#include <array>
#include <cstdint>

namespace glimmer {

/// The icons of the animation under construction in the editor; the rest of it (title,
/// speed, frame count, current frame) lives in the editor's controls.
struct AnimationModel {
    /// The icon file of each frame, elements 1..50 (element 0 is unused); empty for a
    /// frame without one.
    std::array<QString, formats::kMaxFrames + 1> FrameFiles;
    /// The byte length shared by the frame icons, 0 while none is accepted.
    std::int16_t IconSize = 0;
};

} // namespace glimmer
