#include "formats/picture_header.h"

namespace glimmer::formats {

namespace {

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

std::optional<CanvasSize> declaredCanvas(std::string_view start)
{
    if ((start.starts_with("GIF87a") || start.starts_with("GIF89a")) && start.size() >= 10) {
        return CanvasSize{static_cast<int>(littleEndian(start, 6, 2)),
                          static_cast<int>(littleEndian(start, 8, 2))};
    }
    if (start.size() >= 30 && start.starts_with("RIFF") && start.substr(8, 8) == "WEBPVP8X") {
        return CanvasSize{static_cast<int>(littleEndian(start, 24, 3)) + 1,
                          static_cast<int>(littleEndian(start, 27, 3)) + 1};
    }
    return std::nullopt;
}

bool canvasSizeAllowed(const CanvasSize& canvas)
{
    return std::int64_t{canvas.width} * canvas.height <= kMaxCanvasPixels;
}

} // namespace glimmer::formats
