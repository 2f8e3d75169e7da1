#include "artwork.h"

#include <cmath>
#include <numbers>

namespace glimmer::artgen {
namespace {

constexpr int frameCount = 42;
constexpr int swimFrames = 17; // for each length of the tank

// The fish facing right, two beats of its tail.
const std::vector<std::string_view> fishA = {
    "....RR..", //
    "R..YYYY.", //
    "RRYYYY0Y", //
    "R..YYYYY", //
    "....RR..", //
};
const std::vector<std::string_view> fishB = {
    "....RR..", //
    "RR.YYYY.", //
    ".RYYYY0Y", //
    "RR.YYYYY", //
    "....RR..", //
};
// Half turned (seen at an angle) and head on.
const std::vector<std::string_view> fishAngled = {
    "...RR.", //
    "R.YYY.", //
    "RYYY0Y", //
    "R.YYYY", //
    "...RR.", //
};
const std::vector<std::string_view> fishFront = {
    ".R.", //
    "YYY", //
    "0Y0", //
    "YYY", //
    ".R.", //
};

// Where the fish is and how it looks in one frame.
struct FishPose {
    const std::vector<std::string_view>* sprite;
    int x;
    int y;
    bool facingLeft;
};

// A turn at either end of the tank: angled, head on for two frames, angled the other way.
constexpr int turnFrames = 4;
static_assert(2 * swimFrames + 2 * turnFrames == frameCount);
const std::vector<std::string_view>* const turnSprites[turnFrames] = {&fishAngled, &fishFront,
                                                                      &fishFront, &fishAngled};
constexpr int rightTurnX[turnFrames] = {8, 10, 10, 8};
constexpr int leftTurnX[turnFrames] = {2, 3, 3, 2};

// Left edge of the fish after step (0 to swimFrames - 1) of a length: 1 to 7.
int swimX(int step)
{
    return 1 + static_cast<int>(std::lround(6.0 * step / (swimFrames - 1)));
}

FishPose fishPose(int frame)
{
    // It bobs up and down three times a loop and beats its tail every frame.
    const int y =
        5 + static_cast<int>(std::lround(1.2 * std::sin(2 * std::numbers::pi * frame / 14.0)));
    const auto* swimming = frame % 2 == 0 ? &fishA : &fishB;
    int f = frame;
    if (f < swimFrames)
        return {swimming, swimX(f), y, false};
    f -= swimFrames;
    if (f < turnFrames)
        return {turnSprites[f], rightTurnX[f], y, f >= turnFrames / 2};
    f -= turnFrames;
    if (f < swimFrames)
        return {swimming, 8 - swimX(f), y, true};
    f -= swimFrames;
    return {turnSprites[f], leftTurnX[f], y, f < turnFrames / 2};
}

Canvas tankFrame(int frame)
{
    Canvas c(16, 16);
    // Glass walls, water, gravel.
    c.fillRect(0, 1, 16, 15, Black);
    c.fillRect(1, 2, 14, 1, Cyan);
    c.fillRect(1, 3, 14, 9, Blue);
    for (int x = 1; x < 15; ++x) {
        c.set(x, 12, x % 3 == 0 ? Olive : Yellow);
        c.set(x, 13, x % 3 == 1 ? Olive : Yellow);
    }
    c.fillRect(0, 14, 16, 2, Black);
    c.fillRect(1, 14, 14, 1, Grey);

    // Weed on the right, swaying with the water.
    const double sway = std::sin(2 * std::numbers::pi * frame / 21.0);
    for (int y = 11; y >= 5; --y) {
        const double lean = sway * (11 - y) / 6.0;
        c.set(12 + static_cast<int>(std::lround(lean)), y, y % 2 == 0 ? Lime : Green);
    }
    for (int y = 11; y >= 8; --y) {
        const double lean = -sway * (11 - y) / 4.0;
        c.set(13 + static_cast<int>(std::lround(lean)), y, Green);
    }

    // Bubbles rise from the gravel at the left, one row a frame.
    for (int start = 0; start < frameCount; start += 7) {
        const int age = (frame - start + frameCount) % frameCount;
        const int y = 11 - age;
        if (y >= 3)
            c.set(age % 4 < 2 ? 3 : 4, y, White);
    }

    const FishPose p = fishPose(frame);
    c.stamp(*p.sprite, p.x, p.y, p.facingLeft);
    return c;
}

} // namespace

std::vector<Canvas> aquarium()
{
    std::vector<Canvas> frames;
    for (int i = 0; i < frameCount; ++i)
        frames.push_back(tankFrame(i));
    return frames;
}

} // namespace glimmer::artgen
