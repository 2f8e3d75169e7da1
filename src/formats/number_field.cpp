#include "formats/number_field.h"

#include <limits>

namespace glimmer::formats {

std::string_view trimRight(std::string_view text)
{
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::optional<std::int16_t> parseInt16(std::string_view text)
{
    text = trimRight(text);
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(start);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }

    // Accumulate as a negative number so that -32768 fits; stop as soon as the
    // value leaves the range, so a long run of digits cannot overflow.
    constexpr int kMin = std::numeric_limits<std::int16_t>::min();
    constexpr int kMax = std::numeric_limits<std::int16_t>::max();
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 - (c - '0');
        if (value < kMin) {
            return std::nullopt;
        }
    }
    if (!negative) {
        if (-value > kMax) {
            return std::nullopt;
        }
        value = -value;
    }
    return static_cast<std::int16_t>(value);
}

} // namespace glimmer::formats
