#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace glimmer::formats {

// What the first bytes of an animated picture say about the memory its decoding takes.
// Every frame of a GIF or of an animated WebP is decoded onto a picture of the size its
// header declares (the canvas), however small the frame itself is: a few bytes of file can
// ask for a canvas of thousands of pixels a side, once per frame.

// How many bytes from the start of a file declaredCanvas needs at most.
inline constexpr std::size_t kCanvasHeaderBytes = 30;

// The largest canvas an animated picture may have: 2^22 pixels (2048 x 2048), 16 MiB a
// frame in RGBA. Up to 50 frames are each decoded at this size and converted at once, so an
// import stays within about a second and a few tens of megabytes; a still picture may be
// larger (see pictureSizeAllowed), as it is decoded only once.
inline constexpr std::int64_t kMaxCanvasPixels = std::int64_t{1} << 22;

struct CanvasSize {
    int width = 0;
    int height = 0;
};

// The canvas declared by `start`, the first bytes of a file:
// - GIF ("GIF87a" or "GIF89a"): the logical screen's width and height, 16-bit little-endian
//   at offsets 6 and 8;
// - WebP ("RIFF", 4 bytes, "WEBP") whose first chunk is "VP8X" (the only kind that can be
//   animated): the canvas width and height less one, 24-bit little-endian at offsets 24 and
//   27.
// Nothing for any other file, or when `start` is too short to tell.
std::optional<CanvasSize> declaredCanvas(std::string_view start);

// True when a width x height canvas is within kMaxCanvasPixels (an empty one counts as
// allowed: it asks for no memory, and the frames then decide).
bool canvasSizeAllowed(const CanvasSize& canvas);

} // namespace glimmer::formats
