#include "Picture16.h"

namespace glimmer::samples {

const std::array<std::uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

namespace {

constexpr std::string_view kLetters = "kmgonptsdrlybfaw";

void put16(std::string& out, unsigned value)
{
    out.push_back(static_cast<char>(value & 0xFFu));
    out.push_back(static_cast<char>((value >> 8) & 0xFFu));
}

void put32(std::string& out, unsigned value)
{
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

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
    constexpr unsigned kSide = Picture16::kSide;
    constexpr unsigned kColourRow = 8; // 16 pixels at 4 bits
    constexpr unsigned kMaskRow = 4;   // 16 bits, padded to four bytes
    constexpr unsigned kImageBytes = (kColourRow + kMaskRow) * kSide;
    constexpr unsigned kInfoBytes = 40;
    constexpr unsigned kPaletteBytes = 16 * 4;
    constexpr unsigned kImageOffset = 6 + 16;

    std::string out;
    out.reserve(kImageOffset + kInfoBytes + kPaletteBytes + kImageBytes);
    // Icon directory: reserved, type 1 (icon), one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // Its one entry: 16x16, 16 colours, one plane, 4 bits a pixel.
    out.push_back(static_cast<char>(kSide));
    out.push_back(static_cast<char>(kSide));
    out.push_back(16);
    out.push_back(0);
    put16(out, 1);
    put16(out, 4);
    put32(out, kInfoBytes + kPaletteBytes + kImageBytes);
    put32(out, kImageOffset);
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    put32(out, kInfoBytes);
    put32(out, kSide);
    put32(out, kSide * 2);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // no compression
    put32(out, kImageBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (const std::uint32_t rgb : kPalette) {
        out.push_back(static_cast<char>(rgb & 0xFFu));
        out.push_back(static_cast<char>((rgb >> 8) & 0xFFu));
        out.push_back(static_cast<char>((rgb >> 16) & 0xFFu));
        out.push_back(0);
    }
    // Colour rows, bottom row first, the left pixel of a pair in the high nibble.
    for (int y = static_cast<int>(kSide) - 1; y >= 0; --y) {
        for (int x = 0; x < static_cast<int>(kSide); x += 2) {
            const int left = picture.at(x, y);
            const int right = picture.at(x + 1, y);
            const auto high = static_cast<unsigned>(left == Picture16::kClear ? 0 : left);
            const auto low = static_cast<unsigned>(right == Picture16::kClear ? 0 : right);
            out.push_back(static_cast<char>((high << 4) | low));
        }
    }
    // Mask rows, bottom row first: a set bit lets the background through.
    for (int y = static_cast<int>(kSide) - 1; y >= 0; --y) {
        unsigned bits = 0;
        for (int x = 0; x < static_cast<int>(kSide); ++x)
            if (picture.at(x, y) == Picture16::kClear)
                bits |= 0x8000u >> x;
        out.push_back(static_cast<char>(bits >> 8));
        out.push_back(static_cast<char>(bits & 0xFFu));
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

} // namespace glimmer::samples
