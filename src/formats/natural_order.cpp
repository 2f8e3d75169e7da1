#include "formats/natural_order.h"

#include <algorithm>
#include <cstddef>

namespace glimmer::formats {
namespace {

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

unsigned char folded(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// The digit run of `text` at `from`, without its leading zeros; `from` moves past the run.
std::string_view digitRun(std::string_view text, std::size_t& from)
{
    while (from < text.size() && text[from] == '0')
        ++from;
    const std::size_t start = from;
    while (from < text.size() && isDigit(static_cast<unsigned char>(text[from])))
        ++from;
    return text.substr(start, from - start);
}

} // namespace

std::strong_ordering compareNatural(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (isDigit(ca) && isDigit(cb)) {
            const std::string_view na = digitRun(a, i);
            const std::string_view nb = digitRun(b, j);
            // Without leading zeros, the longer run is the larger number.
            if (const auto order = na.size() <=> nb.size(); order != 0)
                return order;
            if (const auto order = na.compare(nb) <=> 0; order != 0)
                return order;
            continue;
        }
        if (const auto order = folded(ca) <=> folded(cb); order != 0)
            return order;
        ++i;
        ++j;
    }
    if (const auto order = (a.size() - i) <=> (b.size() - j); order != 0)
        return order;
    return a.compare(b) <=> 0;
}

} // namespace glimmer::formats
