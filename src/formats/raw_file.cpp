#include "formats/raw_file.h"

#include "formats/compiled_file.h"
#include "formats/number_field.h"

#include <optional>

namespace glimmer::formats {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads values one at a time with the rules described at decodeRaw.
class ValueReader final {
public:
    explicit ValueReader(std::string_view data) : data_(data) {}

    // The next value, or nullopt when the data ends before a value does.
    std::optional<std::string> next()
    {
        if (pos_ == data_.size()) {
            // Nothing after a trailing comma is an empty value; otherwise the
            // data has run out.
            if (!afterComma_) {
                return std::nullopt;
            }
            afterComma_ = false;
            return std::string{};
        }
        while (pos_ < data_.size() && isBlank(data_[pos_])) {
            ++pos_;
        }

        std::string value;
        if (pos_ < data_.size() && data_[pos_] == '"') {
            const auto close = data_.find('"', pos_ + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            value = data_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = endOfValue(close + 1);
        } else {
            const auto end = endOfValue(pos_);
            auto text = data_.substr(pos_, end - pos_);
            while (!text.empty() && isBlank(text.back())) {
                text.remove_suffix(1);
            }
            value = text;
            pos_ = end;
        }
        consumeTerminator();
        return value;
    }

private:
    // Position of the first comma or line end at or after `from`.
    std::size_t endOfValue(std::size_t from) const
    {
        const auto end = data_.find_first_of(",\r\n", from);
        return end == std::string_view::npos ? data_.size() : end;
    }

    void consumeTerminator()
    {
        afterComma_ = false;
        if (pos_ == data_.size()) {
            return;
        }
        const char c = data_[pos_++];
        if (c == ',') {
            afterComma_ = true;
        } else if (c == '\r' && pos_ < data_.size() && data_[pos_] == '\n') {
            ++pos_;
        }
    }

    std::string_view data_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
};

enum class Writable { Plain, Quoted, No };

// How `value` must be written for ValueReader to give it back unchanged.
Writable howToWrite(std::string_view value)
{
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return Writable::No;
    }
    const bool needsQuotes = value.find(',') != std::string_view::npos ||
                             (!value.empty() && (value.front() == '"' || isBlank(value.front()) ||
                                                 isBlank(value.back())));
    if (!needsQuotes) {
        return Writable::Plain;
    }
    return value.find('"') == std::string_view::npos ? Writable::Quoted : Writable::No;
}

} // namespace

RawWriteResult encodeRaw(const RawAnimation& animation)
{
    RawWriteResult result;
    std::size_t index = 0;
    const auto write = [&](std::string_view value) {
        if (result.error != RawWriteError::None) {
            return;
        }
        switch (howToWrite(value)) {
        case Writable::Plain:
            result.bytes += value;
            break;
        case Writable::Quoted:
            result.bytes += '"';
            result.bytes += value;
            result.bytes += '"';
            break;
        case Writable::No:
            result.error = RawWriteError::UnwritableValue;
            result.badValueIndex = index;
            return;
        }
        result.bytes += kLineEnd;
        ++index;
    };

    write(kRawHeaderLine1);
    write(kRawHeaderLine2);
    write(animation.title);
    write(animation.speed);
    write(animation.frameCount);
    write(animation.iconSize);
    for (const auto& path : animation.paths) {
        write(path);
    }
    if (result.error != RawWriteError::None) {
        result.bytes.clear();
    }
    return result;
}

RawReadResult decodeRaw(std::string_view bytes)
{
    RawReadResult result;
    ValueReader reader{bytes};

    const auto readNumber = [&](std::int16_t& target) {
        const auto text = reader.next();
        if (!text) {
            result.outcome = RawReadOutcome::Truncated;
            return false;
        }
        const auto number = parseInt16(*text);
        if (!number) {
            result.outcome = RawReadOutcome::BadNumber;
            return false;
        }
        target = *number;
        return true;
    };

    result.outcome = RawReadOutcome::Truncated;
    if (!reader.next() || !reader.next()) {
        return result;
    }
    auto title = reader.next();
    if (!title) {
        return result;
    }
    result.title = std::move(*title);
    if (!readNumber(result.speed) || !readNumber(result.frameCount) ||
        !readNumber(result.iconSize)) {
        return result;
    }
    if (result.frameCount > kMaxFrames) {
        result.outcome = RawReadOutcome::TooManyFrames;
        return result;
    }
    for (int i = 0; i < result.frameCount; ++i) {
        auto path = reader.next();
        if (!path) {
            result.outcome = RawReadOutcome::Truncated;
            return result;
        }
        result.paths.push_back(std::move(*path));
    }
    result.outcome = RawReadOutcome::Ok;
    return result;
}

} // namespace glimmer::formats
