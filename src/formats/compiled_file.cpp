#include "formats/compiled_file.h"

#include "formats/number_field.h"

#include <array>
#include <charconv>
#include <istream>

namespace glimmer::formats {

namespace {

constexpr std::size_t kIconSizeWidth = 5;
constexpr std::size_t kSpeedWidth = 2;
constexpr std::size_t kFrameCountWidth = 2;

// Appends `value` as plain decimal digits filled with spaces to `width`;
// false when it is negative or needs more than `width` digits.
bool appendField(std::string& out, std::int16_t value, std::size_t width)
{
    if (value < 0) {
        return false;
    }
    std::array<char, 8> digits{};
    const auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    const auto length = static_cast<std::size_t>(end - digits.data());
    if (ec != std::errc{} || length > width) {
        return false;
    }
    out.append(digits.data(), length);
    out.append(width - length, ' ');
    return true;
}

// Reads exactly `count` bytes into `buffer`; false when the stream ends or
// fails first. A stream that throws on failure counts as ended.
bool readExactly(std::istream& in, std::string& buffer, std::size_t count)
{
    buffer.resize(count);
    if (count == 0) {
        return true;
    }
    try {
        in.read(buffer.data(), static_cast<std::streamsize>(count));
        return static_cast<std::size_t>(in.gcount()) == count;
    } catch (const std::ios_base::failure&) {
        return false;
    }
}

template <typename Event, typename Value> void fire(const Event& event, Value&& value)
{
    if (event) {
        event(std::forward<Value>(value));
    }
}

} // namespace

std::optional<std::string> encodeCompiledHeader(const CompiledHeader& header)
{
    if (header.title.size() > kCompiledTitleWidth) {
        return std::nullopt;
    }
    std::string out{kCompiledMagic};
    if (!appendField(out, header.iconSize, kIconSizeWidth) ||
        !appendField(out, header.speed, kSpeedWidth) ||
        !appendField(out, header.frameCount, kFrameCountWidth)) {
        return std::nullopt;
    }
    out += header.title;
    out.append(kCompiledTitleWidth - header.title.size(), ' ');
    return out;
}

std::optional<std::string> encodeCompiled(const CompiledHeader& header,
                                          const std::vector<std::string>& frames)
{
    auto out = encodeCompiledHeader(header);
    if (!out || frames.size() != static_cast<std::size_t>(header.frameCount)) {
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(header.iconSize);
    out->reserve(out->size() + frames.size() * size);
    for (const auto& frame : frames) {
        if (frame.size() < size) {
            return std::nullopt;
        }
        out->append(frame, 0, size);
    }
    return out;
}

CompiledReadOutcome readCompiled(std::istream& in, const CompiledReadEvents& events)
{
    std::string field;
    if (!readExactly(in, field, kCompiledMagic.size())) {
        return CompiledReadOutcome::Truncated;
    }
    if (field != kCompiledMagic) {
        return CompiledReadOutcome::OtherVersion;
    }

    // Each number is stored by the caller before the next field is read.
    const auto readNumber = [&](std::size_t width, const auto& event,
                                std::int16_t& value) -> std::optional<CompiledReadOutcome> {
        if (!readExactly(in, field, width)) {
            return CompiledReadOutcome::Truncated;
        }
        const auto number = parseInt16(field);
        if (!number) {
            return CompiledReadOutcome::BadNumber;
        }
        value = *number;
        fire(event, value);
        return std::nullopt;
    };

    std::int16_t iconSize = 0;
    std::int16_t speed = 0;
    std::int16_t frameCount = 0;
    if (const auto failed = readNumber(kIconSizeWidth, events.onIconSize, iconSize)) {
        return *failed;
    }
    if (const auto failed = readNumber(kSpeedWidth, events.onSpeed, speed)) {
        return *failed;
    }
    if (const auto failed = readNumber(kFrameCountWidth, events.onFrameCount, frameCount)) {
        return *failed;
    }
    if (!readExactly(in, field, kCompiledTitleWidth)) {
        return CompiledReadOutcome::Truncated;
    }
    fire(events.onTitle, std::string{trimRight(field)});

    if (frameCount <= 0) {
        return CompiledReadOutcome::Complete;
    }
    if (iconSize < 0) {
        return CompiledReadOutcome::BadNumber;
    }
    // One record buffer of at most 32767 bytes, reused for every frame.
    std::string record;
    for (int index = 1; index <= frameCount; ++index) {
        if (!readExactly(in, record, static_cast<std::size_t>(iconSize))) {
            return CompiledReadOutcome::Truncated;
        }
        if (events.onFrame && !events.onFrame(index, record)) {
            return CompiledReadOutcome::StoppedByCaller;
        }
    }
    return CompiledReadOutcome::Complete;
}

std::optional<std::string> readCompiledTitle(std::istream& in)
{
    std::string header;
    if (!readExactly(in, header, kCompiledHeaderSize)) {
        return std::nullopt;
    }
    return std::string{
        trimRight(std::string_view{header}.substr(kCompiledTitleOffset, kCompiledTitleWidth))};
}

} // namespace glimmer::formats
