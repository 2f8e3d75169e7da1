#include "artwork.h"

#include <array>

namespace glimmer::artgen {
namespace {

// The lamp without wax: metal cap, glass and base, outlined in black. 'L' marks the liquid,
// rows 4 to 11.
const std::vector<std::string_view> lampRows = {
    ".......00.......", // 0
    "......0sd0......", // 1
    ".....0sWsd0.....", // 2
    ".....000000.....", // 3
    ".....0LLLL0.....", // 4
    "....0LLLLLL0....", // 5
    "....0LLLLLL0....", // 6
    "...0LLLLLLLL0...", // 7
    "...0LLLLLLLL0...", // 8
    "...0LLLLLLLL0...", // 9
    "...0LLLLLLLL0...", // 10
    "....0LLLLLL0....", // 11
    "....00000000....", // 12
    "....0sWsssd0....", // 13
    "...0sWsssssd0...", // 14
    "...0000000000...", // 15
};

constexpr int glassLeft = 4;
constexpr int glassTop = 4;

// Wax shapes; '#' is wax.
using Shape = std::vector<std::string_view>;
const Shape bigRound = {".##.", "####", "####", ".##."};
const Shape bigTall = {".##.", "####", "####", "####", ".##."};
const Shape bigFlat = {"####", "####", ".##."};
const Shape small = {"##", "##"};
const Shape smallTall = {"##", "##", "##"};
const Shape smallNecked = {"##", "##", "##", "#."};
const Shape pool = {"...##...", "########"};

struct Placed {
    const Shape* shape; // nullptr: melted into the pool
    int x;              // column in the glass, 0 to 7
    int y;              // row in the glass, 0 (under the cap) to 7 (bottom)
};

struct Frame {
    Placed big;
    Placed small;
};

// Convection in two halves: the small blob leaves the pool on the right and rises under the
// cap while the big one sinks down the left side and melts into the pool; then the big one
// rises on the right while the small one sinks on the left. Blobs stretch as they pull away
// from the pool and flatten against the cap.
const std::array<Frame, 23> frames = {{
    {{&bigRound, 2, 0}, {&small, 5, 6}},       // 0: a bulge on the pool
    {{&bigRound, 2, 1}, {&small, 5, 6}},       // 1
    {{&bigRound, 1, 1}, {&small, 5, 5}},       // 2: the bulge rises
    {{&bigRound, 0, 2}, {&small, 5, 4}},       // 3
    {{&bigRound, 0, 3}, {&smallTall, 5, 3}},   // 4: stretching; the big one meets the pool
    {{&bigRound, 0, 4}, {&smallNecked, 5, 2}}, // 5: a thin neck
    {{&bigRound, 0, 5}, {&small, 5, 2}},       // 6: the small one breaks free
    {{&bigRound, 0, 6}, {&small, 4, 1}},       // 7
    {{nullptr, 0, 0}, {&small, 4, 0}},         // 8: the big one has melted
    {{nullptr, 0, 0}, {&small, 3, 0}},         // 9
    {{nullptr, 0, 0}, {&smallTall, 3, 0}},     // 10
    {{nullptr, 0, 0}, {&small, 3, 1}},         // 11: the small one starts down
    {{&bigRound, 4, 6}, {&small, 2, 2}},       // 12: and the big one bulges up
    {{&bigRound, 4, 5}, {&small, 1, 3}},       // 13
    {{&bigRound, 4, 4}, {&small, 1, 4}},       // 14
    {{&bigTall, 4, 3}, {&small, 0, 5}},        // 15
    {{&bigTall, 4, 2}, {&small, 1, 6}},        // 16
    {{&bigRound, 3, 2}, {nullptr, 0, 0}},      // 17: it lets go
    {{&bigRound, 3, 1}, {nullptr, 0, 0}},      // 18
    {{&bigRound, 2, 1}, {nullptr, 0, 0}},      // 19
    {{&bigRound, 2, 0}, {nullptr, 0, 0}},      // 20
    {{&bigFlat, 2, 0}, {nullptr, 0, 0}},       // 21: flattened under the cap
    {{&bigRound, 2, 0}, {nullptr, 0, 0}},      // 22
}};

void pour(Canvas& wax, const Placed& p)
{
    if (p.shape == nullptr)
        return;
    for (std::size_t j = 0; j < p.shape->size(); ++j)
        for (std::size_t i = 0; i < (*p.shape)[j].size(); ++i)
            if ((*p.shape)[j][i] == '#')
                wax.set(p.x + static_cast<int>(i), p.y + static_cast<int>(j), Yellow);
}

} // namespace

std::vector<Canvas> lavaLamp()
{
    std::vector<Canvas> out;
    for (const Frame& f : frames) {
        Canvas wax(8, 8);
        pour(wax, {&pool, 0, 6});
        pour(wax, f.big);
        pour(wax, f.small);

        Canvas c(16, 16);
        c.stamp(lampRows, 0, 0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (lampRows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == 'L')
                    c.set(x, y, wax.at(x - glassLeft, y - glassTop) == Clear ? Purple : Yellow);
        out.push_back(c);
    }
    return out;
}

} // namespace glimmer::artgen
