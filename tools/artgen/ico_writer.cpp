#include "ico_writer.h"

#include "canvas.h"
#include "formats/icon_writer.h"

#include <string>

namespace glimmer::artgen {

std::vector<std::uint8_t> encodeIco(const Canvas& canvas)
{
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(canvas.width() * canvas.height()));
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Colour c = canvas.at(x, y);
            pixels.push_back(c == Clear ? formats::kClearPixel : static_cast<std::uint8_t>(c));
        }
    }
    const std::string bytes = formats::encodeIcon(canvas.width(), canvas.height(), pixels);
    return {bytes.begin(), bytes.end()};
}

} // namespace glimmer::artgen
