#include "artwork.h"

#include <array>

namespace glimmer::artgen {
namespace {

// One frame: where the pupils look (offsets from the middle of each eye, left eye and right
// eye) and how far the lids are open (2 open, 1 half, 0 shut).
struct Look {
    int lx, ly, rx, ry, lids;
};

// A glance round the room (left, up, right, down), a blink, a cross-eyed moment and a squint.
constexpr std::array<Look, 22> looks = {{
    {0, 0, 0, 0, 2},     {-1, 0, -1, 0, 2}, {-2, 0, -2, 0, 2}, {-2, -1, -2, -1, 2},
    {-1, -2, -1, -2, 2}, {0, -3, 0, -3, 2}, {1, -2, 1, -2, 2}, {2, -1, 2, -1, 2},
    {2, 0, 2, 0, 2},     {2, 1, 2, 1, 2},   {1, 2, 1, 2, 2},   {0, 2, 0, 2, 2},
    {0, 1, 0, 1, 1},     {0, 1, 0, 1, 0},   {0, 0, 0, 0, 1},   {0, 0, 0, 0, 2},
    {1, 0, -1, 0, 2},    {1, 1, -1, 1, 2},  {1, 2, -1, 2, 2},  {1, 1, -1, 1, 2},
    {1, 0, -1, 0, 2},    {0, 0, 0, 0, 1},
}};

void drawEye(Canvas& c, int left, int dx, int dy, int lids)
{
    Canvas eye(8, 16);
    eye.fillEllipse(4.0, 8.5, 3.2, 6.4, White);
    // Pupil: 2 x 3, moved by the look, kept inside the white.
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x) {
            const int px = 3 + dx + x;
            const int py = 7 + dy + y;
            if (eye.at(px, py) == White)
                eye.set(px, py, Black);
        }
    }
    // The upper lid comes down over the eye: to the middle when half shut, to the bottom when
    // shut, with a dark lash line along its edge.
    if (lids < 2) {
        const int edge = lids == 1 ? 8 : 13;
        for (int y = 0; y < edge; ++y)
            for (int x = 0; x < 8; ++x)
                if (eye.at(x, y) != Clear)
                    eye.set(x, y, Silver);
        for (int x = 0; x < 8; ++x)
            if (eye.at(x, edge) != Clear)
                eye.set(x, edge, Black);
    }
    eye.outline(Black);
    c.draw(eye, left, 0);
}

} // namespace

std::vector<Canvas> busyEyes()
{
    std::vector<Canvas> frames;
    for (const Look& l : looks) {
        Canvas c(16, 16);
        drawEye(c, 0, l.lx, l.ly, l.lids);
        drawEye(c, 8, l.rx, l.ry, l.lids);
        frames.push_back(c);
    }
    return frames;
}

} // namespace glimmer::artgen
