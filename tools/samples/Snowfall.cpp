// Snowfall: snow drifting down over a pine and a cottage with a lit window, on a
// winter night. Every flake falls one pixel a frame and sways on a 16-frame cycle,
// so the 16 frames loop without a seam.

#include "Samples.h"

namespace glimmer::samples {

namespace {

constexpr int kFrames = 16;

const Picture16 kScene = Picture16::fromRows({
    ".nnnnnnnnnnnnnn.",
    "nnnnnnnnnnnnnnnn",
    "nnnnnnnnnnnnnnnn",
    "nnnwnnnnnnnnnnnn",
    "nnwgwnnnnnnnnnnn",
    "nngggnnnnnnnnnnn",
    "nwgggwnnnnnnnnnn",
    "ngggggnnnnnwdnnn",
    "wgggggwnnnwwwwnn",
    "gggggggnnwwwwwwn",
    "nnnmnnnnnnmomymn",
    "nnnmnnnnnnmommmn",
    "wwwwwwwwwwwwwwww",
    "wwswwwwwwwswwwww",
    "swwwwswwwwwwwsws",
    ".ssssssssssssss.",
});

// Flakes show only where the sky is, so they pass behind the tree and the house.
constexpr int kSky = 4;

struct Flake {
    int x;
    int y;
    int phase;
    char colour;
};

// White flakes are near, silver ones far away.
constexpr Flake kFlakes[] = {
    {1, 0, 0, 'w'},  {5, 3, 5, 'w'},   {9, 9, 2, 'w'},  {13, 13, 9, 'w'},
    {3, 7, 12, 's'}, {7, 12, 7, 's'},  {11, 4, 3, 's'}, {14, 1, 14, 's'},
    {6, 6, 10, 'w'}, {10, 15, 6, 's'}, {2, 11, 4, 'w'}, {12, 8, 1, 'w'},
};

// Sideways drift over one cycle of 16 frames: out and back, ending where it began.
constexpr int kSway[kFrames] = {0, 0, 1, 1, 1, 1, 0, 0, 0, 0, -1, -1, -1, -1, 0, 0};

int wrap(int value)
{
    return ((value % kFrames) + kFrames) % kFrames;
}

} // namespace

SampleAnimation snowfall()
{
    SampleAnimation animation{"Snowfall", "Snowfall", "snow", 5, {}};
    for (int f = 0; f < kFrames; ++f) {
        Picture16 frame = kScene;
        for (const Flake& flake : kFlakes) {
            const int x = wrap(flake.x + kSway[wrap(f + flake.phase)]);
            const int y = wrap(flake.y + f);
            if (kScene.at(x, y) == kSky)
                frame.set(x, y, flake.colour);
        }
        animation.frames.push_back(frame);
    }
    return animation;
}

} // namespace glimmer::samples
