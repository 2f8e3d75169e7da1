#include "artwork.h"

#include <cstdint>

namespace glimmer::artgen {
namespace {

constexpr int frameCount = 5;

// The set with its screen cut out ('S'): rabbit-ear aerial, wooden cabinet, two knobs and a
// speaker grille, short feet.
const std::vector<std::string_view> setRows = {
    "..W........W....", // 0
    "...d......d.....", // 1
    "....d....d......", // 2
    ".....d..d.......", // 3
    "0000000000000000", // 4
    "0yyyyyyyyyyyyyy0", // 5
    "0y0000000000yyy0", // 6
    "0y00SSSSSS00y0y0", // 7
    "0y0SSSSSSSS0ysy0", // 8
    "0y0SSSSSSSS0y0y0", // 9
    "0y0SSSSSSSS0ysy0", // 10
    "0y0SSSSSSSS0y0y0", // 11
    "0y00SSSSSS00yyy0", // 12
    "0y0000000000yyy0", // 13
    "0000000000000000", // 14
    ".00..........00.", // 15
};

// A small deterministic generator, so the static is the same on every run.
class Noise final {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

private:
    std::uint32_t state_;
};

} // namespace

std::vector<Canvas> fuzzyTv()
{
    static constexpr Colour snow[] = {Black, Grey, Silver, White};
    std::vector<Canvas> frames;
    // The seed is one whose last picture differs from the first no more than the others do
    // from each other, so the loop has no visible seam (the generator checks this).
    Noise noise(0x7E1Eu);
    for (int f = 0; f < frameCount; ++f) {
        Canvas c(16, 16);
        c.stamp(setRows, 0, 0);
        // A brighter band rolls down the screen once per loop.
        const int band = 7 + f * 6 / frameCount;
        for (int y = 7; y <= 12; ++y) {
            for (int x = 3; x <= 10; ++x) {
                if (setRows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] != 'S')
                    continue;
                int level = static_cast<int>(noise.next() % 4u);
                if (y == band && level < 3)
                    ++level;
                c.set(x, y, snow[level]);
            }
        }
        frames.push_back(c);
    }
    return frames;
}

} // namespace glimmer::artgen
