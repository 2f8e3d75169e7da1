#pragma once

#include "canvas.h"

#include <QImage>
#include <string>
#include <vector>

namespace glimmer::artgen {

// A row of pictures on the contact sheet, magnified scale times.
struct Strip {
    std::string title;
    std::vector<Canvas> pictures;
    int scale;
};

// Renders the strips twice, first on a light panel and then on a dark one. Each strip shows
// its title, its pictures at their real size beside the title, and below them the pictures
// enlarged pixel for pixel, wrapped into rows.
QImage renderContactSheet(const std::vector<Strip>& strips);

// Paints canvas into image with its top-left at (x, y), every pixel as a scale x scale square;
// Clear pixels leave the image as it is.
void paintCanvas(QImage& image, const Canvas& canvas, int x, int y, int scale);

} // namespace glimmer::artgen
