#pragma once

#include "formats/compiled_file.h"
#include "formats/picture_convert.h"
#include "formats/speed_steps.h"

#include <array>
#include <span>
#include <vector>

namespace glimmer::formats {

// How decoded pictures become an animation's frames and speed.

// A still picture is a strip of frames when it holds at least this many squares side by
// side: a picture twice as wide as high is far more often a wide button or a banner than an
// animation of two frames.
inline constexpr int kMinStripSquares = 3;

// The frames of a still picture. A picture whose width is a whole multiple, kMinStripSquares
// or more, of its height is a strip of square frames, left to right; any other picture is one
// frame.
// Returns nothing when the picture fails pictureSizeAllowed, so at most kMaxPictureSide
// regions.
std::vector<PictureRegion> stillFrames(int width, int height);

// Keeps the first kMaxFrames entries of `frames`; true when some were dropped.
template <typename Frame> bool keepFirstFrames(std::vector<Frame>& frames)
{
    if (frames.size() <= static_cast<std::size_t>(kMaxFrames))
        return false;
    frames.erase(frames.begin() + kMaxFrames, frames.end());
    return true;
}

// The speed step whose interval is nearest to the mean of the frame delays in milliseconds;
// delays of 0 or less count as unknown and are left out. kDefaultSpeedStep when no delay is
// known. Of two steps equally near, the slower.
int speedStepForDelays(std::span<const int> delaysMs);

} // namespace glimmer::formats
