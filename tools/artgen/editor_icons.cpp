#include "artwork.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace glimmer::artgen {
namespace {

// Title: a pencil.
Canvas pencil()
{
    Canvas c(16, 16);
    c.stamp(
        {
            "................", // 0
            "...........000..", // 1
            "..........0MMM0.", // 2
            ".........0sMMM0.", // 3
            "........0YssM0..", // 4
            ".......0YYYs0...", // 5
            "......0YYYY0....", // 6
            ".....0YYYY0.....", // 7
            "....0YYYY0......", // 8
            "...0YYYY0.......", // 9
            "..0yYYY0........", // 10
            "..0yyY0.........", // 11
            ".0yy00..........", // 12
            ".000............", // 13
            "................", // 14
            "................", // 15
        },
        0, 0);
    return c;
}

// Speed: a stopwatch.
Canvas stopwatch()
{
    Canvas c(16, 16);
    c.fillEllipse(8.0, 9.5, 5.7, 5.7, White);
    c.outline(Black);
    c.fillRect(6, 1, 4, 1, Grey);
    c.fillRect(7, 2, 2, 1, Grey);
    c.set(2, 3, Grey);
    c.set(13, 3, Grey);
    for (const auto& [x, y] :
         {std::pair{7, 5}, {8, 5}, {12, 9}, {12, 10}, {7, 14}, {8, 14}, {3, 9}, {3, 10}})
        c.set(x, y, Black);
    c.line(8, 10, 11, 7, Red);
    c.set(7, 9, Black);
    c.set(8, 9, Black);
    c.set(7, 10, Black);
    c.set(8, 10, Black);
    c.outline(Black);
    return c;
}

// Number of frames: a strip of film.
Canvas filmStrip()
{
    Canvas c(16, 16);
    c.fillRect(3, 0, 10, 16, Black);
    for (int y = 1; y < 16; y += 3) {
        c.set(4, y, White);
        c.set(11, y, White);
    }
    static constexpr Colour pictures[] = {Cyan, Yellow, Lime};
    for (int i = 0; i < 3; ++i) {
        const int top = 1 + i * 5;
        c.fillRect(6, top, 4, 4, pictures[i]);
    }
    return c;
}

// Explanation: an information sign.
Canvas information()
{
    Canvas c(16, 16);
    c.fillEllipse(8.0, 8.0, 7.0, 7.0, Blue);
    c.outline(Navy);
    c.fillRect(7, 3, 2, 2, White);
    c.fillRect(7, 6, 2, 6, White);
    c.fillRect(6, 6, 1, 1, White);
    c.fillRect(6, 12, 4, 1, White);
    return c;
}

// Compile: a gear.
Canvas gear()
{
    Canvas c(16, 16);
    c.fillEllipse(8.0, 8.0, 5.0, 5.0, Silver);
    for (int i = 0; i < 8; ++i) {
        const double a = 2 * std::numbers::pi * i / 8.0;
        // A 2 x 2 tooth centred on the rim.
        const auto x = static_cast<int>(std::lround(7.0 + 5.8 * std::cos(a)));
        const auto y = static_cast<int>(std::lround(7.0 + 5.8 * std::sin(a)));
        c.fillRect(x, y, 2, 2, Silver);
    }
    c.fillEllipse(8.0, 8.0, 2.0, 2.0, Clear);
    c.outline(Black);
    return c;
}

// Save the result: a floppy disk.
Canvas floppy()
{
    Canvas c(16, 16);
    c.fillRect(1, 1, 14, 14, Navy);
    c.set(14, 1, Clear);
    c.fillRect(4, 1, 8, 5, Silver);
    c.fillRect(8, 2, 2, 3, Navy);
    c.fillRect(3, 8, 10, 7, White);
    c.fillRect(4, 10, 8, 1, Grey);
    c.fillRect(4, 12, 8, 1, Grey);
    c.outline(Black);
    return c;
}

// Give it away: a present.
Canvas present()
{
    Canvas c(16, 16);
    c.fillRect(2, 7, 12, 8, Red);
    c.fillRect(1, 5, 14, 3, Red);
    c.fillRect(7, 5, 2, 10, Yellow);
    c.fillRect(1, 6, 14, 1, Yellow);
    c.stamp({"..YY....YY..", ".Y..Y..Y..Y.", "..Y..YY..Y..", "...YYYYYY..."}, 2, 1);
    c.outline(Black);
    return c;
}

} // namespace

std::vector<Canvas> informationIcons()
{
    return {pencil(), stopwatch(), filmStrip(), information()};
}

std::vector<Canvas> compileIcons()
{
    return {gear(), floppy(), present()};
}

} // namespace glimmer::artgen
