#pragma once

#include "canvas.h"

#include <cstddef>
#include <string>
#include <vector>

namespace glimmer::artgen {

// One built-in tray animation: its two-letter set name, its caption, its frames in playing
// order (16x16 each) and the frame its option preview shows.
struct Animation {
    std::string code;
    std::string caption;
    std::vector<Canvas> frames;
    std::size_t previewFrame;
};

// The six tray animations, in the order of their animation numbers 1 to 6.
std::vector<Animation> trayAnimations();

// Each draws one tray animation; the frames loop, and no two neighbours (last and first
// included) are alike.
std::vector<Canvas> lavaLamp();
std::vector<Canvas> aquarium();
std::vector<Canvas> busyEyes();
std::vector<Canvas> fuzzyTv();
std::vector<Canvas> cow();
std::vector<Canvas> colourWheel();

// The five 32x32 frames of the about box's hidden animation, frame 0 to 4. The box shows
// them in the order 1, 2, 3, 4, 0, 1, ...
std::vector<Canvas> graduation();

// The four 16x16 decorations of the editor's information page and the three of its compile
// page.
std::vector<Canvas> informationIcons();
std::vector<Canvas> compileIcons();

// The 16x16 design of the application icon.
Canvas appIcon();

// A 32x32 option preview: the picture in the top-left 16x16, the rest transparent.
Canvas preview(const Canvas& picture);

} // namespace glimmer::artgen
