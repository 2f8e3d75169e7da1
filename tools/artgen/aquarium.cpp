#include "artwork.h"

#include <cmath>
#include <numbers>

namespace glimmer::artgen {
namespace {

constexpr int frameCount = 42;
constexpr int swimFrames = 17; // per length of the tank; the two turns take the rest

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

FishPose fishPose(int frame)
{
    const int turn = (frameCount - 2 * swimFrames) / 2;
    // Swims right from x 1 to x 7, turns, swims back, turns.
    const auto swimX = [](int step) {
        return 1 + static_cast<int>(std::lround(6.0 * step / (swimFrames - 1)));
    };
    const auto bob = [&](int f) {
        return 5 + static_cast<int>(std::lround(1.2 * std::sin(2 * std::numbers::pi * f / 14.0)));
    };
    const auto& tail = frame % 2 == 0 ? fishA : fishB;
    if (frame < swimFrames)
        return {&tail, swimX(frame), bob(frame), false};
    int f = frame - swimFrames;
    if (f < turn) {
        const std::vector<std::string_view>* sprites[] = {&fishAngled, &fishFront, &fishFront,
                                                          &fishAngled};
        const int xs[] = {8, 10, 10, 8};
        const int i = f * 4 / turn;
        return {sprites[i], xs[i], bob(frame), i >= 2};
    }
    f -= turn;
    if (f < swimFrames)
        return {&tail, 7 - (swimX(f) - 1), bob(frame), true};
    f -= swimFrames;
    const std::vector<std::string_view>* sprites[] = {&fishAngled, &fishFront, &fishFront,
                                                      &fishAngled};
    const int xs[] = {2, 3, 3, 2};
    const int i = f * 4 / turn;
    return {sprites[i], xs[i], bob(frame), i < 2};
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
