#pragma once

#include "palette.h"

#include <string_view>
#include <vector>

namespace glimmer::artgen {

// A small picture of palette indexes; Clear pixels are transparent.
class Canvas final {
public:
    // Makes a width x height canvas, every pixel Clear.
    Canvas(int width, int height);

    int width() const { return w_; }
    int height() const { return h_; }

    // The colour at (x, y); Clear outside the canvas.
    Colour at(int x, int y) const;
    // Sets one pixel; points outside the canvas are ignored, so shapes may be clipped.
    void set(int x, int y, Colour c);

    // Fills the rectangle of w x h pixels whose top-left corner is (x, y).
    void fillRect(int x, int y, int w, int h, Colour c);
    // Draws a line from (x0, y0) to (x1, y1), both ends included.
    void line(int x0, int y0, int x1, int y1, Colour c);
    // Fills every pixel whose centre lies inside the ellipse centred at (cx, cy) with radii rx, ry.
    void fillEllipse(double cx, double cy, double rx, double ry, Colour c);

    // Stamps a picture given as rows of characters (see colourOf) with its top-left at (x, y);
    // '.' leaves the canvas as it is. With mirrored, each row is read right to left.
    void stamp(const std::vector<std::string_view>& rows, int x, int y, bool mirrored = false);
    // Copies every non-Clear pixel of other onto this canvas with its top-left at (x, y).
    void draw(const Canvas& other, int x, int y);

    // Paints every Clear pixel that touches an opaque one (sideways, or also diagonally when
    // diagonal is set) in colour c: the rim that lets a shape read on light and dark panels.
    void outline(Colour c, bool diagonal = false);

    // Replaces every pixel of colour from with colour to.
    void recolour(Colour from, Colour to);

    bool operator==(const Canvas& other) const = default;

private:
    int w_;
    int h_;
    std::vector<Colour> px_;
};

// The colour a sprite character stands for: '.' Clear, '0' black, 'r' maroon, 'g' green,
// 'y' olive, 'b' navy, 'p' purple, 't' teal, 's' silver, 'd' grey, 'R' red, 'G' lime,
// 'Y' yellow, 'B' blue, 'M' magenta, 'C' cyan, 'W' white. Any other character is Clear.
Colour colourOf(char ch);

} // namespace glimmer::artgen
