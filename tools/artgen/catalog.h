#pragma once

#include "artwork.h"
#include "contact_sheet.h"

#include <string>
#include <vector>

namespace glimmer::artgen {

// One .ico file of the resource tree: its path below the assets folder and its picture.
struct IconFile {
    std::string path;
    Canvas picture;
};

// Every .ico file the program carries, tray frames first: frames/<set>/<NN>.ico,
// previews/<set>.ico, about/<n>.ico, editor/info<n>.ico and editor/compile<n>.ico.
std::vector<IconFile> iconFiles(const std::vector<Animation>& animations);

// The sizes the application icon is written at: the icon theme's usual sizes. The 16x16
// design is enlarged by the largest whole factor that fits and centred, so every design
// pixel stays a solid square (22 and 24 get the design at 1x with a clear border).
inline constexpr int appIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The strips of the contact sheet: every tray animation, then the rest of the artwork.
std::vector<Strip> contactStrips(const std::vector<Animation>& animations);

// Checks what the tray relies on: the frame count of each set, 16x16 frames with both
// transparent and opaque pixels, no two neighbouring frames alike (last and first included),
// and a step from the last frame to the first no bigger than the biggest other step. Returns
// one line per problem; empty when all is well.
std::vector<std::string> checkAnimations(const std::vector<Animation>& animations);

// Number of pixels in which a and b differ; both must have the same size.
int pixelDifference(const Canvas& a, const Canvas& b);

} // namespace glimmer::artgen
