#pragma once

// Helpers shared by the formats tests: byte strings with embedded NULs and
// readable failure output for the library's outcomes.

#include "formats/compiled_file.h"
#include "formats/icon_rules.h"
#include "formats/raw_file.h"

#include <QByteArray>
#include <QTest>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace glimmer::formats {

// A byte string from a literal, NULs included.
template <std::size_t N> std::string bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

// The whole content of a test data file; nothing when it cannot be read.
inline std::optional<std::string> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline QByteArray qbytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The little-endian 32-bit field at `at`; bytes past the end read as 0.
inline std::uint32_t le32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value =
            value << 8 | (at + i < bytes.size() ? static_cast<std::uint8_t>(bytes[at + i]) : 0u);
    return value;
}

// Pixel (x, y), top row 0, of a one-image 4-bit icon as 0xRRGGBB, or -1 where its AND mask is
// set. Found through the offsets and sizes the file states, as a viewer finds it.
inline long iconPixel(std::string_view icon, int x, int y)
{
    const std::size_t info = le32(icon, 18);
    const auto width = static_cast<int>(le32(icon, info + 4));
    const auto height = static_cast<int>(le32(icon, info + 8) / 2);
    const std::size_t palette = info + le32(icon, info);
    const std::size_t colours = palette + 16 * 4;
    const std::size_t colourRow = static_cast<std::size_t>((width * 4 + 31) / 32 * 4);
    const std::size_t maskRow = static_cast<std::size_t>((width + 31) / 32 * 4);
    const auto fromBottom = static_cast<std::size_t>(height - 1 - y);
    const std::size_t mask = colours + colourRow * static_cast<std::size_t>(height);
    const auto ux = static_cast<std::size_t>(x);
    if (le32(icon, mask + maskRow * fromBottom + ux / 8) & (0x80u >> (ux % 8)))
        return -1;
    const std::uint32_t pair = le32(icon, colours + colourRow * fromBottom + ux / 2) & 0xFFu;
    const std::uint32_t index = ux % 2 == 0 ? pair >> 4 : pair & 0xFu;
    return static_cast<long>(le32(icon, palette + index * 4) & 0xFFFFFFu);
}

inline char* toString(CompiledReadOutcome outcome)
{
    static constexpr const char* kNames[] = {"Complete", "OtherVersion", "BadNumber", "Truncated",
                                             "StoppedByCaller"};
    return qstrdup(kNames[static_cast<int>(outcome)]);
}

inline char* toString(RawReadOutcome outcome)
{
    static constexpr const char* kNames[] = {"Ok", "Truncated", "BadNumber", "TooManyFrames"};
    return qstrdup(kNames[static_cast<int>(outcome)]);
}

inline char* toString(RawWriteError error)
{
    return qstrdup(error == RawWriteError::None ? "None" : "UnwritableValue");
}

inline char* toString(IconVerdict verdict)
{
    static constexpr const char* kNames[] = {"Accepted", "NotAnIconFile", "NotSuitable",
                                             "DifferentFormat", "CannotBeOpened"};
    return qstrdup(kNames[static_cast<int>(verdict)]);
}

} // namespace glimmer::formats

Q_DECLARE_METATYPE(glimmer::formats::CompiledReadOutcome)
Q_DECLARE_METATYPE(glimmer::formats::RawReadOutcome)
Q_DECLARE_METATYPE(glimmer::formats::IconVerdict)
