#include "formats/title.h"

#include "formats/text_encoding.h"

#include <algorithm>

namespace glimmer::formats {

namespace {

bool isControl(char byte)
{
    return static_cast<unsigned char>(byte) < 0x20;
}

} // namespace

bool isStorableTitle(std::string_view windows1252)
{
    return std::none_of(windows1252.begin(), windows1252.end(), isControl);
}

std::string titleFromName(std::string_view utf8)
{
    std::string title;
    for (const char byte : windows1252Subset(utf8)) {
        if (title.size() == kTitleLength)
            break;
        if (!isControl(byte) && byte != '"')
            title.push_back(byte);
    }
    const auto first = title.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    title = title.substr(first, title.find_last_not_of(' ') - first + 1);
    return windows1252ToUtf8(title);
}

} // namespace glimmer::formats
