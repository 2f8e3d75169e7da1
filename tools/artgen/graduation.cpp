#include "artwork.h"
#include "pixel_font.h"

#include <cmath>
#include <numbers>
#include <tuple>

namespace glimmer::artgen {
namespace {

// The mortarboard seen from the front and a little above: the black board with a grey rim,
// the cap beneath it and a gold tassel hanging from the button over the right corner.
const std::vector<std::string_view> mortarboard = {
    "..........dd..........",  // 0
    ".......dd0000dd.......",  // 1
    "....dd0000000000dd....",  // 2
    ".dd0000000YY0000000dd.",  // 3
    "d00000000000YYYYYYY00d",  // 4
    ".ddd00000000000000dddY",  // 5
    "....ddd00000000ddd...Y",  // 6
    "......ddddddddd......Y",  // 7
    "......000000000.....YYY", // 8
    "......000000000.....YYY", // 9
    ".......0000000......yyy", // 10
};

// The rolled diploma tied with a red ribbon.
const std::vector<std::string_view> diploma = {
    ".0000000000000000000000.", //
    "0sWWWWWWWWWRRWWWWWWWWWs0", //
    "0sWWWWWWWWRWWRWWWWWWWWs0", //
    "0sWWWWWWWWWRRWWWWWWWWWs0", //
    "0ssWWWWWWWRWWRWWWWWWWss0", //
    ".0000000000000000000000.", //
};

constexpr int diplomaX = 4;
constexpr int diplomaY = 26;
constexpr int capX = 5;
constexpr int capRestY = 15;

// Eight rays of sparks from (cx, cy): inner colour near the middle, outer at the tips.
void burst(Canvas& c, int cx, int cy, int radius, Colour inner, Colour outer)
{
    for (int i = 0; i < 8; ++i) {
        const double a = 2 * std::numbers::pi * i / 8.0;
        for (int r = 2; r <= radius; ++r) {
            if (r % 2 == 1 && r < radius - 1)
                continue;
            const int x = cx + static_cast<int>(std::lround(r * std::cos(a)));
            const int y = cy + static_cast<int>(std::lround(r * std::sin(a)));
            c.set(x, y, r > radius / 2 ? outer : inner);
        }
    }
    c.set(cx, cy, White);
}

// Scattered specks of colour on clear ground, the same every run.
void confetti(Canvas& c, unsigned seed)
{
    static constexpr Colour colours[] = {Red, Yellow, Lime, Cyan, Magenta, Blue};
    unsigned state = seed;
    for (int i = 0; i < 24; ++i) {
        state = state * 1664525u + 1013904223u;
        const int x = static_cast<int>((state >> 8) % 32u);
        const int y = static_cast<int>((state >> 20) % 25u);
        if (c.at(x, y) == Clear)
            c.set(x, y, colours[i % 6]);
    }
}

// "1998" in gold, twice the size of the dot font, with a red shadow.
void year(Canvas& c, int x, int y)
{
    for (const auto& [dx, dy, colour] : {std::tuple{1, 1, Red}, std::tuple{0, 0, Yellow}})
        drawPixelText("1998", [&](int px, int py) {
            c.fillRect(x + dx + 2 * px, y + dy + 2 * py, 2, 2, colour);
        });
}

Canvas scene(int capY, bool spinning)
{
    Canvas c(32, 32);
    c.stamp(diploma, diplomaX, diplomaY);
    c.stamp(mortarboard, capX, capY, spinning);
    return c;
}

} // namespace

std::vector<Canvas> graduation()
{
    std::vector<Canvas> frames;
    // 0, shown last: the cap has landed; the year in gold among confetti.
    Canvas landed = scene(capRestY, false);
    year(landed, 1, 2);
    confetti(landed, 1998u);
    frames.push_back(landed);
    // 1: the cap rests on the diploma.
    frames.push_back(scene(capRestY, false));
    // 2: tossed up, with a trail of dashes under it.
    Canvas tossed = scene(6, false);
    for (int y = 19; y < 25; y += 2) {
        tossed.set(11, y, Grey);
        tossed.set(20, y + 1, Grey);
    }
    frames.push_back(tossed);
    // 3: at the top, turning over; a rocket climbs at the side.
    Canvas top = scene(0, true);
    top.set(28, 14, White);
    top.set(28, 15, Yellow);
    top.set(28, 17, Red);
    top.set(28, 20, Red);
    top.set(28, 23, Maroon);
    frames.push_back(top);
    // 4: the rocket bursts, and a second one beside it.
    Canvas bang = scene(0, false);
    burst(bang, 26, 9, 6, Yellow, Magenta);
    burst(bang, 4, 16, 4, Cyan, Lime);
    frames.push_back(bang);
    return frames;
}

} // namespace glimmer::artgen
