#pragma once

#include "canvas.h"

#include <QImage>
#include <string>
#include <vector>

namespace glimmer::artgen {

// The icon of one of Glimmerbox's file types: its name in the icon theme (the type with
// "/" turned into "-") and its 16x16 design.
struct FileTypeIcon {
    std::string name;
    Canvas design;
};

// The compiled animation (.gx) and the raw project (.rgx): a sheet with its corner
// turned down, holding the light that bursts from the application icon's box; in a dark
// frame: the whole sheet for the animation, a small one below lines of text for the
// project.
std::vector<FileTypeIcon> fileTypeIcons();

// The sizes the icons are written at, as filetypes/<name>-<size>.png.
inline constexpr int fileTypeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// `design` at `size` pixels a side: enlarged by the largest whole factor that fits, every
// design pixel a solid square, centred in a clear border.
QImage fileTypeIconImage(const Canvas& design, int size);

} // namespace glimmer::artgen
