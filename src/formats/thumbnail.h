#pragma once

#include "formats/compiled_file.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace glimmer::formats {

// A file manager's picture of a compiled animation (.gx) is its first frame, made only
// for a file the player plays. This part decides which bytes the frames are and how
// large the picture becomes; decoding the frame is the caller's.

// The largest thumbnail, in pixels a side: the largest size file managers ask for.
inline constexpr int kLargestThumbnail = 1024;

// The most bytes of a compiled file that deciding needs: the header and the records
// of as many frames as the player has slots for, each of the largest size. Bytes after
// them are never looked at.
inline constexpr std::size_t kLongestPlayableFile =
    kCompiledHeaderSize +
    kMaxFrames * static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max());

// The records of the compiled file that starts with `bytes`, in order, when the player
// plays it: the header reads whole (readCompiled), the frame count is 1..kMaxFrames and
// every record is there; bytes after the last record do not matter. Each view points
// into `bytes`. nullopt for another version, a bad number, a file cut short, no frame,
// or more frames than the player has slots for. Whether a record is a picture is not
// looked at here.
std::optional<std::vector<std::string_view>> playableRecords(std::string_view bytes);

struct ThumbnailSize {
    int width = 0;
    int height = 0;
    int factor = 0; // the whole enlargement; 0 when the frame is reduced to fit
};

// The size of the thumbnail of a frame of frameWidth x frameHeight pixels when `size`
// pixels a side are asked for (more than kLargestThumbnail count as kLargestThumbnail):
// the frame enlarged by the largest whole factor that keeps both sides within the size
// (1 when the frame just fits), so that every pixel becomes a square block; a frame
// larger than the size is reduced to fit instead, its proportions kept (rounded down,
// each side at least 1). nullopt when a side of the frame or the size is below 1.
std::optional<ThumbnailSize> thumbnailSize(int frameWidth, int frameHeight, int size);

} // namespace glimmer::formats
