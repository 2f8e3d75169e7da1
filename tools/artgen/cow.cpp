#include "artwork.h"

#include <array>

namespace glimmer::artgen {
namespace {

constexpr int frameCount = 10;

// The cow facing right, without legs and tail: black-and-white coat, horns, an eye, a pink
// muzzle and udder.
const std::vector<std::string_view> cowRows = {
    "...........s..s.", // 2
    "..........00000.", // 3
    "..000000000WW0W0", // 4
    ".0WW00WWW0WWWWW0", // 5
    ".0W000WWWWW0MMMM", // 6
    ".0WW0WWWWWW0M0MM", // 7
    ".0WWWWWW000WMMMM", // 8
    "..0WWWWWWW00000.", // 9
    "...0WWMMW0......", // 10
};
constexpr int cowTop = 2;

// Foot offset from the hip at each step of the walk: back, under, forward, under.
constexpr std::array<int, frameCount> stride = {-1, -1, -1, 0, 0, 1, 1, 1, 0, 0};

// A leg from the belly (row 11) to the hoof (row 14); the lower leg swings with the stride.
void leg(Canvas& c, int hipX, int phase, Colour colour)
{
    const int foot = hipX + stride[static_cast<std::size_t>(phase % frameCount)];
    c.set(hipX, 11, colour);
    c.set(hipX, 12, colour);
    c.set(foot, 13, colour);
    c.set(foot, 14, Black);
}

// The tail hangs from the rump and flicks.
void tail(Canvas& c, int phase)
{
    static constexpr std::array<int, frameCount> flick = {0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
    const bool out = flick[static_cast<std::size_t>(phase)] != 0;
    c.set(0, 5, Grey);
    c.set(0, 6, Grey);
    if (out) {
        c.set(0, 7, Grey);
        c.set(0, 8, Black);
    } else {
        c.set(0, 7, Grey);
        c.set(0, 8, Grey);
        c.set(0, 9, Black);
    }
}

} // namespace

std::vector<Canvas> cow()
{
    std::vector<Canvas> frames;
    for (int f = 0; f < frameCount; ++f) {
        Canvas c(16, 16);
        // Grass scrolls towards the tail: the cow walks on the spot.
        for (int x = 0; x < 16; ++x) {
            c.set(x, 15, Green);
            if ((x + f) % 5 == 0)
                c.set(x, 14, Lime);
        }
        // Diagonal pairs step together: near back leg with far front leg. The near legs are
        // grey, the far ones black.
        const int half = frameCount / 2;
        leg(c, 4, f, Grey);
        leg(c, 10, f + half, Grey);
        leg(c, 3, f + half, Black);
        leg(c, 9, f, Black);
        c.stamp(cowRows, 0, cowTop);
        tail(c, f);
        frames.push_back(c);
    }
    return frames;
}

} // namespace glimmer::artgen
