#include "artwork.h"

#include <cmath>
#include <numbers>

namespace glimmer::artgen {
namespace {

constexpr int frameCount = 8;

// The eight segments round the rim, in hue order.
constexpr Colour segments[frameCount] = {Red, Yellow, Lime, Green, Cyan, Blue, Purple, Magenta};

} // namespace

std::vector<Canvas> colourWheel()
{
    std::vector<Canvas> frames;
    for (int f = 0; f < frameCount; ++f) {
        Canvas c(16, 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const double dx = x + 0.5 - 8.0;
                const double dy = y + 0.5 - 8.0;
                if (dx * dx + dy * dy > 6.9 * 6.9)
                    continue;
                // Angle clockwise from the top, in whole segments; the wheel turns clockwise
                // one segment a frame.
                double a = std::atan2(dx, -dy) / (2 * std::numbers::pi) * frameCount;
                if (a < 0)
                    a += frameCount;
                const int segment = (static_cast<int>(a) - f + 2 * frameCount) % frameCount;
                c.set(x, y, segments[segment]);
            }
        }
        c.outline(Black);
        c.fillRect(7, 7, 2, 2, Black);
        frames.push_back(c);
    }
    return frames;
}

} // namespace glimmer::artgen
