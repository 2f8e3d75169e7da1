#include "Picture16.h"

namespace glimmer::samples {

namespace {

constexpr std::string_view kLetters = "kmgonptsdrlybfaw";

} // namespace

Picture16::Picture16()
{
    pixels_.fill(static_cast<std::int8_t>(kClear));
}

Picture16 Picture16::fromRows(const std::array<std::string_view, kSide>& rows)
{
    Picture16 picture;
    for (int y = 0; y < kSide; ++y) {
        const std::string_view row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < kSide && static_cast<std::size_t>(x) < row.size(); ++x)
            picture.set(x, y, row[static_cast<std::size_t>(x)]);
    }
    return picture;
}

int Picture16::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= kSide || y >= kSide)
        return kClear;
    return pixels_[static_cast<std::size_t>(y * kSide + x)];
}

void Picture16::set(int x, int y, int colour)
{
    if (x < 0 || y < 0 || x >= kSide || y >= kSide)
        return;
    pixels_[static_cast<std::size_t>(y * kSide + x)] =
        static_cast<std::int8_t>(colour >= 0 && colour < 16 ? colour : kClear);
}

void Picture16::stamp(const Picture16& sprite, int dx, int dy)
{
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            if (const int c = sprite.at(x, y); c != kClear)
                set(x + dx, y + dy, c);
}

int Picture16::colourOf(char letter)
{
    const std::size_t index = kLetters.find(letter);
    return index == std::string_view::npos ? kClear : static_cast<int>(index);
}

std::string encodeIco(const Picture16& picture)
{
    std::array<std::uint8_t, Picture16::kSide * Picture16::kSide> pixels{};
    for (int y = 0; y < Picture16::kSide; ++y) {
        for (int x = 0; x < Picture16::kSide; ++x) {
            const int c = picture.at(x, y);
            pixels[static_cast<std::size_t>(y * Picture16::kSide + x)] =
                c == Picture16::kClear ? formats::kClearPixel : static_cast<std::uint8_t>(c);
        }
    }
    return formats::encodeIcon(Picture16::kSide, Picture16::kSide, pixels);
}

} // namespace glimmer::samples
