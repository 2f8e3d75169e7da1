#include "formats/animation_import.h"

#include <cstdint>
#include <cstdlib>

namespace glimmer::formats {

std::vector<PictureRegion> stillFrames(int width, int height)
{
    if (!pictureSizeAllowed(width, height))
        return {};
    if (width % height != 0 || width / height < kMinStripSquares)
        return {{0, 0, width, height}};
    std::vector<PictureRegion> frames;
    frames.reserve(static_cast<std::size_t>(width / height));
    for (int x = 0; x < width; x += height)
        frames.push_back({x, 0, height, height});
    return frames;
}

int speedStepForDelays(std::span<const int> delaysMs)
{
    std::int64_t total = 0;
    std::int64_t known = 0;
    for (const int delay : delaysMs) {
        if (delay > 0) {
            total += delay;
            ++known;
        }
    }
    if (known == 0)
        return kDefaultSpeedStep;
    // Compared as total / known against each interval, without rounding the mean.
    int best = 0;
    for (int i = 1; i < static_cast<int>(kSpeedStepIntervals.size()); ++i) {
        const auto gap = [&](int step) {
            return std::llabs(total - known * kSpeedStepIntervals[static_cast<std::size_t>(step)]);
        };
        if (gap(i) < gap(best))
            best = i;
    }
    return best + 1;
}

} // namespace glimmer::formats
