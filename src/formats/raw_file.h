#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glimmer::formats {

// The raw animation file (.rgx): text lines ended by CR LF, one value each:
//   1 "Raw Glimmerbox File Format"    4 speed            7.. path of frame 1..N
//   2 "Open Format for easy editing"  5 frame count N
//   3 title                           6 icon size
// Read with the rules of a comma-separated list reader (see decodeRaw).

inline constexpr std::string_view kRawHeaderLine1 = "Raw Glimmerbox File Format";
inline constexpr std::string_view kRawHeaderLine2 = "Open Format for easy editing";

// A generous bound for reading a raw file into memory: 50 quoted paths of
// 4096 bytes fit many times over.
inline constexpr std::size_t kRawFileSizeLimit = std::size_t{1} << 20;

// Positions of the values in the file, 0-based (line number minus 1 for a
// file written by encodeRaw).
inline constexpr std::size_t kRawTitleIndex = 2;
inline constexpr std::size_t kRawSpeedIndex = 3;
inline constexpr std::size_t kRawFrameCountIndex = 4;
inline constexpr std::size_t kRawIconSizeIndex = 5;
inline constexpr std::size_t kRawFirstPathIndex = 6;

// The editor's texts as they stand.
struct RawAnimation {
    std::string title;              // Windows-1252 bytes
    std::string speed;              // decimal text
    std::string frameCount;         // decimal text
    std::string iconSize;           // decimal text, possibly empty
    std::vector<std::string> paths; // exactly N entries; "" for a frame without icon
};

enum class RawWriteError {
    None,
    UnwritableValue, // a value cannot be written so that it reads back
};

struct RawWriteResult {
    RawWriteError error = RawWriteError::None;
    std::string bytes;             // the whole file when error is None, else empty
    std::size_t badValueIndex = 0; // when UnwritableValue: the first bad value (kRaw*Index)
};

// Returns the file for `animation`: the two fixed lines, title, speed, frame
// count, icon size and every entry of paths, each line ended by CR LF.
// A value is written as it stands unless decodeRaw would read it differently:
// a value that contains a comma, begins with a double quote, or begins or
// ends with a blank (space or tab) is put in double quotes. A value that
// would need the quotes but contains a double quote itself, or that contains
// CR or LF, cannot be written so that it reads back: the result is
// UnwritableValue with the index of that value, and no bytes.
RawWriteResult encodeRaw(const RawAnimation& animation);

enum class RawReadOutcome {
    Ok,
    Truncated,     // the data ended before 6 + N values were read
    BadNumber,     // speed, frame count or icon size is not a number
    TooManyFrames, // the frame count is above 50: there is no entry for frame 51
};

struct RawReadResult {
    RawReadOutcome outcome = RawReadOutcome::Truncated;
    std::string title;
    std::int16_t speed = 0;
    std::int16_t frameCount = 0;
    std::int16_t iconSize = 0;
    std::vector<std::string> paths; // frameCount entries when Ok (none when N <= 0)
};

// Reads a raw file held in memory. The values are read in file order:
// two header values (not compared), title, speed, frame count, icon size,
// then N paths, where N is the frame count. On failure the fields read so far
// are filled in.
//
// Field rules:
// - A line ends at CR LF, at a lone LF or at a lone CR.
// - Blanks (spaces and tabs) before a value are skipped.
// - A value that then begins with a double quote runs to the next double
//   quote, across commas and line ends; the quotes are not part of it. Text
//   after the closing quote up to the next comma or line end is discarded.
//   A quote that is never closed leaves the value unfinished: Truncated.
// - Any other value runs to the first comma or line end; blanks at its end
//   are dropped.
// - A comma ends a value and the next one starts after it; a line end ends a
//   value and is consumed with it. An empty line is an empty value, and so is
//   nothing after a comma at the end of a line or of the data.
// - Reaching the end of the data where a value should start is Truncated.
//   The last value needs no line end after it.
// - Speed, frame count and icon size are converted with parseInt16; text that
//   does not convert (also an empty icon size) is BadNumber. Ranges are the
//   editor's business, except a frame count above 50, which is TooManyFrames
//   as soon as the icon size has been read. A frame count <= 0 reads no path.
// Reads no value after the last one needed; NUL bytes are ordinary bytes.
RawReadResult decodeRaw(std::string_view bytes);

} // namespace glimmer::formats
