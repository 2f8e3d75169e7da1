#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glimmer::formats {

// The compiled animation file (.gx): a 26-byte text header
//   offset 0  "GX2.0"
//   offset 5  icon size L, 5 characters
//   offset 10 speed step, 2 characters
//   offset 12 frame count N, 2 characters
//   offset 14 title, 12 characters (Windows-1252)
// each field left-aligned and filled with spaces on the right, followed by
// N frame records of exactly L bytes, and nothing else.

inline constexpr std::string_view kCompiledMagic = "GX2.0";
inline constexpr std::size_t kCompiledHeaderSize = 26;
inline constexpr std::size_t kCompiledTitleOffset = 14;
inline constexpr std::size_t kCompiledTitleWidth = 12;
inline constexpr int kMaxFrames = 50;
inline constexpr int kMaxIconSize = 1000;

struct CompiledHeader {
    std::int16_t iconSize = 0;
    std::int16_t speed = 0;
    std::int16_t frameCount = 0;
    std::string title; // Windows-1252 bytes, at most 12
};

// Returns the 26 header bytes for `header`: the magic, then icon size, speed,
// frame count and title, each left-aligned and filled with spaces to 5, 2, 2
// and 12 characters. Returns nullopt when a number is negative or needs more
// digits than its field holds, or when the title is longer than 12 bytes.
std::optional<std::string> encodeCompiledHeader(const CompiledHeader& header);

// Returns a whole compiled file: the header followed by the first
// header.iconSize bytes of each frame, in order. Returns nullopt when the
// header cannot be encoded, when frames.size() differs from
// header.frameCount, or when a frame is shorter than header.iconSize.
std::optional<std::string> encodeCompiled(const CompiledHeader& header,
                                          const std::vector<std::string>& frames);

enum class CompiledReadOutcome {
    Complete,        // the header and all N records were read
    OtherVersion,    // the first five bytes are not exactly "GX2.0"
    BadNumber,       // a numeric field is not a number, or L < 0 with N >= 1
    Truncated,       // the stream ended (or failed) before a field or record was complete
    StoppedByCaller, // onFrame returned false
};

// Callbacks of readCompiled; any of them may be left empty.
struct CompiledReadEvents {
    std::function<void(std::int16_t)> onIconSize;
    std::function<void(std::int16_t)> onSpeed;
    std::function<void(std::int16_t)> onFrameCount;
    std::function<void(std::string)> onTitle; // trailing spaces removed, raw bytes
    // Called for frame 1..N with its L bytes; return false to stop reading.
    std::function<bool(int index1Based, std::string_view record)> onFrame;
};

// Reads a compiled file from `in` in field order, firing each event as soon
// as its value has been read and converted, so a caller that stores values
// as they come keeps those read before a failure.
//
// - Fewer than 5 bytes: Truncated (the file ended, it is not another version).
// - 5 bytes other than "GX2.0" (case counts): OtherVersion, nothing fired.
// - Each numeric field is converted with parseInt16; a failure is BadNumber
//   and no later event fires.
// - N <= 0 reads no record and gives Complete; what zero frames mean is the
//   caller's business. With N >= 1 a negative L is BadNumber.
// - Records are read one at a time (at most 32767 bytes held at once); a
//   record cut short is Truncated and is not handed to onFrame.
// Reads nothing beyond the last record it needs.
CompiledReadOutcome readCompiled(std::istream& in, const CompiledReadEvents& events);

// Reads only the title of a compiled file: skips 14 bytes, reads 12 and drops
// the spaces on the right. Does not look at the magic. Returns nullopt when
// fewer than 26 bytes are available.
std::optional<std::string> readCompiledTitle(std::istream& in);

} // namespace glimmer::formats
