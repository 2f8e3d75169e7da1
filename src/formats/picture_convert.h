#pragma once

#include "formats/icon_writer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace glimmer::formats {

// Turns pictures of any size into the frames the tray plays: 16x16 pictures in the
// 16 standard colours (kStandardPalette) with clear pixels, stored as 318-byte icons.

inline constexpr int kFrameSide = 16;

// A frame's pixels row by row from the top: palette indexes 0..15 or kClearPixel.
using FramePixels = std::array<std::uint8_t, kFrameSide * kFrameSide>;

// Bounds on a picture handed to the converter, checked before anything is read, so that a
// decoder can refuse an absurd picture before it allocates the pixels: 16384 pixels a side
// and 2^25 pixels in all (128 MiB of RGBA).
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 25;

// True when a width x height picture is within the bounds above (and not empty).
bool pictureSizeAllowed(int width, int height);

// A picture in memory: 8-bit R, G, B, A in that byte order, straight (not premultiplied)
// alpha, rows top to bottom, each starting bytesPerLine after the previous one. A QImage of
// Format_RGBA8888 gives exactly this with constBits(), sizeInBytes() and bytesPerLine().
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::size_t bytesPerLine = 0;
    std::span<const std::uint8_t> bytes;
};

// A rectangle of a picture, in pixels.
struct PictureRegion {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Converts the region of `picture` into one frame. Alpha below 128 is clear; other pixels
// take the nearest standard colour (see nearestStandardColour).
// - A region made of uniform square blocks (a small picture enlarged 2x, 3x, ... is made of
//   such blocks; any picture is made of 1x1 ones) whose reduced picture (one pixel a block)
//   fits in 16x16 comes back exactly: the reduced picture enlarged by the largest whole
//   factor that keeps it within 16x16. So pixel art is never blurred, and a picture of up to
//   16x16 keeps every pixel. Pixels with alpha below 128 count as alike whatever their
//   colour.
// - Any other region is scaled to 16 pixels on its longer side, keeping its aspect ratio,
//   by area averaging: each frame pixel is the mean, weighted by alpha (premultiplied), of
//   the exact area of the region it covers, so clear pixels never tint their neighbours.
// The result is centred (an odd margin puts the extra pixel right or below), the margins
// clear. Returns nullopt when the picture fails pictureSizeAllowed, bytesPerLine is below
// width * 4, `bytes` is shorter than the rows need, or the region is empty or not inside.
std::optional<FramePixels> convertToFrame(const RgbaPicture& picture, const PictureRegion& region);

// The same for the whole picture.
std::optional<FramePixels> convertToFrame(const RgbaPicture& picture);

// The 318-byte icon file of a frame (see encodeIcon).
std::string encodeFrame(const FramePixels& frame);

// The palette index of the standard colour nearest to an sRGB colour, by plain squared
// Euclidean distance in sRGB; a tie goes to the lower index. Why not a perceptual distance: the
// palette is so coarse that none picks better. Over a grid of 16^3 colours, the weighted
// "redmean" distance and CIELAB's delta E 1976 each choose what CIEDE2000 chooses for about 60%
// of the colours, and so does plain RGB distance. The plain distance is the one a reader can
// check by hand (each channel against the palette's levels 0, 128, 192 and 255), and its exact
// integer arithmetic gives the same frame on every machine.
std::uint8_t nearestStandardColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

} // namespace glimmer::formats
