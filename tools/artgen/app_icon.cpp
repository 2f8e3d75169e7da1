#include "artwork.h"

namespace glimmer::artgen {

Canvas appIcon()
{
    Canvas c(16, 16);
    // A box with its flaps open and light bursting out of it.
    c.stamp(
        {
            ".......Y........", // 0
            ".......Y........", // 1
            "...Y...W...Y....", // 2
            "....Y.YWY.Y.....", // 3
            ".....YWWWY......", // 4
            "..YYWWWWWWWYY...", // 5
            ".....YWWWY......", // 6
            ".0..Y.YWY.Y..0..", // 7
            "0C0Y...W...Y0C0.", // 8
            "0CC0000Y00000CC0", // 9
            ".0CC0BBBBBB0CC0.", // 10
            "..0C0BBBBBB0C0..", // 11
            "...00BBBBBB00...", // 12
            "....0BBBBBBb0...", // 13
            "....0BBBBBBb0...", // 14
            "....00000000....", // 15
        },
        0, 0);
    return c;
}

Canvas preview(const Canvas& picture)
{
    Canvas c(32, 32);
    c.draw(picture, 0, 0);
    return c;
}

} // namespace glimmer::artgen
