#include "canvas.h"

#include <cstdlib>
#include <string_view>

namespace glimmer::artgen {

Canvas::Canvas(int width, int height)
    : w_(width), h_(height), px_(static_cast<std::size_t>(width * height), Clear)
{
}

Colour Canvas::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return Clear;
    return px_[static_cast<std::size_t>(y * w_ + x)];
}

void Canvas::set(int x, int y, Colour c)
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return;
    px_[static_cast<std::size_t>(y * w_ + x)] = c;
}

void Canvas::fillRect(int x, int y, int w, int h, Colour c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, Colour c)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, Colour c)
{
    for (int y = 0; y < h_; ++y) {
        for (int x = 0; x < w_; ++x) {
            const double nx = (x + 0.5 - cx) / rx;
            const double ny = (y + 0.5 - cy) / ry;
            if (nx * nx + ny * ny <= 1.0)
                set(x, y, c);
        }
    }
}

void Canvas::stamp(const std::vector<std::string_view>& rows, int x, int y, bool mirrored)
{
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const std::string_view row = rows[j];
        for (std::size_t i = 0; i < row.size(); ++i) {
            const char ch = mirrored ? row[row.size() - 1 - i] : row[i];
            if (ch == '.')
                continue;
            set(x + static_cast<int>(i), y + static_cast<int>(j), colourOf(ch));
        }
    }
}

void Canvas::draw(const Canvas& other, int x, int y)
{
    for (int j = 0; j < other.h_; ++j)
        for (int i = 0; i < other.w_; ++i)
            if (const Colour c = other.at(i, j); c != Clear)
                set(x + i, y + j, c);
}

void Canvas::outline(Colour c, bool diagonal)
{
    const Canvas before = *this;
    for (int y = 0; y < h_; ++y) {
        for (int x = 0; x < w_; ++x) {
            if (before.at(x, y) != Clear)
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx)
                    if ((dx == 0) != (dy == 0) || (diagonal && dx != 0 && dy != 0))
                        touches = before.at(x + dx, y + dy) != Clear;
            if (touches)
                set(x, y, c);
        }
    }
}

void Canvas::recolour(Colour from, Colour to)
{
    for (Colour& p : px_)
        if (p == from)
            p = to;
}

Colour colourOf(char ch)
{
    constexpr std::string_view keys = "0rgybptsdRGYBMCW";
    const std::size_t i = keys.find(ch);
    return i == std::string_view::npos ? Clear : static_cast<Colour>(i);
}

} // namespace glimmer::artgen
