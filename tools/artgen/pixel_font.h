#pragma once

#include <functional>
#include <string_view>

namespace glimmer::artgen {

// Calls plot(x, y) for every lit dot of text in a 3x5 dot font, glyphs 4 dots apart, with the
// text's top-left at (0, 0). Letters are upper case; characters the font lacks are blank.
void drawPixelText(std::string_view text, const std::function<void(int, int)>& plot);

// Width in dots that drawPixelText takes for text.
int pixelTextWidth(std::string_view text);

} // namespace glimmer::artgen
